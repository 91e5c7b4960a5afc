#include "rt/ZYMQIXCountry.h"

#include <optional>

#include "vcl/SysUtils.h"

namespace zymqix {

TZYMCountryList ZYMCountryList = ZYMDefaultCountryList();

namespace {

/// S read as UTF-8 and written in Latin-1; nullopt when S is not UTF-8 or
/// holds a character Latin-1 lacks. Plain ASCII comes back unchanged.
std::optional<std::string> Utf8ToLatin1(const std::string& S) {
  std::string Out;
  for (size_t I = 0; I < S.size(); ++I) {
    auto C = static_cast<unsigned char>(S[I]);
    if (C < 0x80) {
      Out += static_cast<char>(C);
      continue;
    }
    if ((C & 0xE0) != 0xC0 || I + 1 >= S.size()) return std::nullopt;
    auto Next = static_cast<unsigned char>(S[I + 1]);
    if ((Next & 0xC0) != 0x80) return std::nullopt;
    unsigned Code = ((C & 0x1Fu) << 6) | (Next & 0x3Fu);
    if (Code < 0x80 || Code > 0xFF) return std::nullopt;
    Out += static_cast<char>(Code);
    ++I;
  }
  return Out;
}

vcl::Integer FindName(const TZYMCountryList& List, const std::string& Name) {
  for (std::string TZYMCountryRec::*Field : {&TZYMCountryRec::Name, &TZYMCountryRec::CommonName,
                                             &TZYMCountryRec::OfficialName})
    for (size_t I = 0; I < List.size(); ++I)
      if (!(List[I].*Field).empty() && vcl::AnsiCompareText(List[I].*Field, Name) == 0)
        return static_cast<vcl::Integer>(I);
  return -1;
}

}  // namespace

vcl::Integer CountryName2Pos(const TZYMCountryList& List, const std::string& Name) {
  std::string T = vcl::Trim(Name);
  if (T.empty()) return -1;
  vcl::Integer Pos = FindName(List, T);
  if (Pos >= 0) return Pos;
  std::optional<std::string> Latin1 = Utf8ToLatin1(T);
  return Latin1 && *Latin1 != T ? FindName(List, *Latin1) : -1;
}

vcl::Integer CountryISO2Pos(const TZYMCountryList& List, const std::string& ISOA2) {
  std::string T = vcl::Trim(ISOA2);
  if (T.size() != 2) return -1;
  for (size_t I = 0; I < List.size(); ++I)
    if (vcl::SameText(List[I].ISOA2, T)) return static_cast<vcl::Integer>(I);
  return -1;
}

}  // namespace zymqix
