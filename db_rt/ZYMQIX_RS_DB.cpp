#include "db_rt/ZYMQIX_RS_DB.h"

namespace zymqix {

const char* const rsStringOnly = "Only String/Character type Fields permitted";
const char* const rs32IntOnly = "Only 32-bit Integer type Fields permitted";
const char* const rsIntOnly = "Only Integer type Fields permitted";
const char* const rsFloatOnly = "Only Float type Fields permitted";
const char* const rsCurrencyOnly = "Only Currency type Fields permitted";
const char* const rsDateOnly = "Only Date type Fields permitted";
const char* const rsTimeOnly = "Only Time type Fields permitted";
const char* const rsDateTimeOnly = "Only Date/Time type Fields permitted";

namespace {
struct TResString {
  int Ident;
  const char* const* Text;  // by address: the table must not copy a text before it is initialised
};

const TResString StringTable[] = {
    {rsStringOnlyId, &rsStringOnly}, {rs32IntOnlyId, &rs32IntOnly},       {rsIntOnlyId, &rsIntOnly},
    {rsFloatOnlyId, &rsFloatOnly},   {rsCurrencyOnlyId, &rsCurrencyOnly}, {rsDateOnlyId, &rsDateOnly},
    {rsTimeOnlyId, &rsTimeOnly},     {rsDateTimeOnlyId, &rsDateTimeOnly},
};
}  // namespace

std::string LoadDbResString(int Ident) {
  for (const TResString& R : StringTable)
    if (R.Ident == Ident) return *R.Text;
  return {};
}

}  // namespace zymqix
