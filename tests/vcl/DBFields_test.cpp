// Field conversions: every accessor of every field class, texts and formats,
// and the errors of a value of the wrong type.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "DBTestUtil.h"
#include "vcl/MemDataSet.h"

using namespace vcl;
using dbtest::ErrorOf;

namespace {

/// One record in edit state with a field of each type.
class FieldTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetFormatSettings();
    const std::vector<std::pair<std::string, TFieldType>> Defs = {
        {"S", ftString},  {"I", ftInteger},  {"Sm", ftSmallint}, {"W", ftWord},      {"L", ftLargeint},
        {"F", ftFloat},   {"C", ftCurrency}, {"B", ftBCD},       {"Ok", ftBoolean},  {"D", ftDate},
        {"T", ftTime},    {"DT", ftDateTime}};
    for (const auto& [Name, Type] : Defs) DS.GetFieldDefs()->Add(Name, Type);
    DS.Open();
    DS.Append();
  }
  TField* F(const std::string& Name) { return DS.FieldByName(Name); }
  template <class T>
  T* As(const std::string& Name) {
    auto* R = dynamic_cast<T*>(F(Name));
    EXPECT_NE(R, nullptr) << Name;
    return R;
  }

  TMemDataSet DS{nullptr};
};

TEST_F(FieldTest, EachTypeHasItsFieldClass) {
  EXPECT_NE(dynamic_cast<TStringField*>(F("S")), nullptr);
  EXPECT_NE(dynamic_cast<TSmallintField*>(F("Sm")), nullptr);
  EXPECT_NE(dynamic_cast<TWordField*>(F("W")), nullptr);
  EXPECT_NE(dynamic_cast<TLargeintField*>(F("L")), nullptr);
  EXPECT_NE(dynamic_cast<TCurrencyField*>(F("C")), nullptr);
  EXPECT_NE(dynamic_cast<TBCDField*>(F("B")), nullptr);
  EXPECT_NE(dynamic_cast<TDateField*>(F("D")), nullptr);
  EXPECT_NE(dynamic_cast<TTimeField*>(F("T")), nullptr);
  EXPECT_EQ(F("DT")->ClassName(), "TDateTimeField");
  EXPECT_EQ(F("DT")->GetDataSet(), &DS);
  EXPECT_EQ(F("Ok")->GetFieldNo(), 9);
}

struct TTextCase {
  std::string Field;
  std::string Input;    ///< written through Text
  std::string AsString;
  std::string Text;
  std::string Display;
};

TEST_F(FieldTest, TextsOfEachTypeWithoutFormats) {
  const std::vector<TTextCase> Cases = {
      {"S", "  padded ", "  padded ", "  padded ", "  padded "},
      {"I", "-42", "-42", "-42", "-42"},
      {"L", "9000000000", "9000000000", "9000000000", "9000000000"},
      {"F", "1234.5", "1234.5", "1234.5", "1234.5"},
      {"F", "1e-7", "1E-7", "1E-7", "1E-7"},
      {"C", "1234.5", "1234.5", "1234.50", "$1,234.50"},
      {"B", "-0.125", "-0.125", "-0.125", "-0.125"},
      {"Ok", "f", "False", "False", "False"},
      {"D", "2/29/2024", "2/29/2024", "2/29/2024", "2/29/2024"},
      {"T", "7:05", "07:05:00", "07:05:00", "07:05:00"},
      {"DT", "1/2/2003 04:05:06", "1/2/2003 04:05:06", "1/2/2003 04:05:06", "1/2/2003 04:05:06"},
      {"DT", "1/2/2003", "1/2/2003", "1/2/2003", "1/2/2003"},
  };
  for (const auto& C : Cases) {
    F(C.Field)->SetText(C.Input);
    EXPECT_EQ(F(C.Field)->GetAsString(), C.AsString) << C.Field << " " << C.Input;
    EXPECT_EQ(F(C.Field)->GetText(), C.Text) << C.Field << " " << C.Input;
    EXPECT_EQ(F(C.Field)->GetDisplayText(), C.Display) << C.Field << " " << C.Input;
  }
}

TEST_F(FieldTest, DisplayFormatsShapeTheDisplayTextAndTheEditTextUntilAnEditFormatIsSet) {
  auto* I = As<TIntegerField>("I");
  I->SetAsInteger(1234567);
  I->SetDisplayFormat("#,##0");
  EXPECT_EQ(I->GetDisplayText(), "1,234,567");
  EXPECT_EQ(I->GetText(), "1,234,567");
  I->SetEditFormat("0");
  EXPECT_EQ(I->GetText(), "1234567");
  EXPECT_EQ(I->GetAsString(), "1234567") << "AsString ignores formats";

  auto* Fl = As<TFloatField>("F");
  Fl->SetAsFloat(2.5);
  Fl->SetDisplayFormat("0.00");
  EXPECT_EQ(Fl->GetDisplayText(), "2.50");

  auto* B = As<TBCDField>("B");
  B->SetAsFloat(1234.567);
  B->SetCurrency(true);
  EXPECT_EQ(B->GetDisplayText(), "$1,234.57");
  EXPECT_EQ(B->GetText(), "1234.57");

  auto* D = As<TDateTimeField>("D");
  D->SetAsDateTime(EncodeDate(2024, 3, 1));
  D->SetDisplayFormat("yyyy-mm-dd");
  EXPECT_EQ(D->GetDisplayText(), "2024-03-01");
  EXPECT_EQ(D->GetText(), "3/1/2024") << "the edit text of a date keeps the short date format";
}

TEST_F(FieldTest, BooleanTextsFollowDisplayValues) {
  auto* Ok = As<TBooleanField>("Ok");
  Ok->SetDisplayValues("Yes;No");
  Ok->SetText("y");
  EXPECT_TRUE(Ok->GetAsBoolean());
  EXPECT_EQ(Ok->GetText(), "Yes");
  Ok->SetText("NO");
  EXPECT_EQ(Ok->GetAsString(), "No");
  EXPECT_EQ(ErrorOf<EConvertError>([&] { Ok->SetText("maybe"); }),
            "'maybe' is not a valid boolean value for field 'Ok'");
  EXPECT_FALSE(Ok->GetAsBoolean());
  Ok->SetText("");
  EXPECT_TRUE(Ok->IsNull());
}

TEST_F(FieldTest, EmptyTextClearsATypedFieldButNotAString) {
  for (const char* Name : {"I", "F", "B", "Ok", "D", "DT", "L"}) {
    F(Name)->SetAsString("");
    EXPECT_TRUE(F(Name)->IsNull()) << Name;
  }
  F("S")->SetText("");
  EXPECT_FALSE(F("S")->IsNull());
  EXPECT_EQ(F("S")->GetAsString(), "");
}

struct TBadText {
  std::string Field;
  std::string Text;
  std::string Message;
};

TEST_F(FieldTest, BadTextRaisesTheConversionErrorOfItsType) {
  const std::vector<TBadText> Cases = {
      {"I", "abc", "'abc' is not a valid integer value"},
      {"I", "99999999999", "'99999999999' is not a valid integer value"},
      {"L", "1.5", "'1.5' is not a valid integer value"},
      {"F", "1,5", "'1,5' is not a valid floating point value"},
      {"C", "x", "'x' is not a valid floating point value"},
      {"B", "12a", "'12a' is not a valid floating point value"},
      {"D", "31/31/2024", "'31/31/2024' is not a valid date"},
      {"T", "25:00", "'25:00' is not a valid time"},
  };
  for (const auto& C : Cases) {
    F(C.Field)->SetAsFloat(1);
    EXPECT_EQ(ErrorOf<EConvertError>([&] { F(C.Field)->SetText(C.Text); }), C.Message) << C.Field;
    EXPECT_FALSE(F(C.Field)->IsNull()) << "the old value stays: " << C.Field;
  }
}

TEST_F(FieldTest, IntegerTypesCheckTheRangeOfTheirType) {
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F("Sm")->SetAsInteger(40000); }),
            "40000 is not a valid value for field 'Sm'. The allowed range is -32768 to 32767");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F("W")->SetAsInteger(-1); }),
            "-1 is not a valid value for field 'W'. The allowed range is 0 to 65535");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F("I")->SetAsLargeInt(3000000000); }),
            "3000000000 is not a valid value for field 'I'. The allowed range is -2147483648 to 2147483647");
  F("L")->SetAsLargeInt(3000000000);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F("L")->GetAsInteger(); }),
            "3000000000 is not a valid value for field 'L'. The allowed range is -2147483648 to 2147483647");
  auto* L = As<TLargeintField>("L");
  L->SetMinValue(1);
  L->SetMaxValue(10);
  EXPECT_THROW(L->SetAsLargeInt(11), EDatabaseError);
}

TEST_F(FieldTest, FloatsRoundHalfToEvenIntoIntegersAndRefuseNonNumbers) {
  F("I")->SetAsFloat(2.5);
  EXPECT_EQ(F("I")->GetAsInteger(), 2);
  F("I")->SetAsFloat(3.5);
  EXPECT_EQ(F("I")->GetAsInteger(), 4);
  F("F")->SetAsFloat(-2.5);
  EXPECT_EQ(F("F")->GetAsInteger(), -2);
  EXPECT_THROW(F("F")->SetAsFloat(std::numeric_limits<double>::quiet_NaN()), EConvertError);
  EXPECT_THROW(F("F")->SetAsFloat(HUGE_VAL), EConvertError);
  EXPECT_EQ(F("F")->GetAsFloat(), -2.5);
}

TEST_F(FieldTest, CurrencyAndBcdKeepFourDecimals) {
  F("B")->SetAsFloat(1.23456);
  EXPECT_EQ(F("B")->GetAsCurrency().Raw, 12346);
  F("B")->SetAsCurrency(Currency::FromRaw(-5));
  EXPECT_EQ(F("B")->GetAsString(), "-0.0005");
  F("C")->SetAsCurrency(Currency::FromRaw(25000));
  EXPECT_EQ(F("C")->GetAsFloat(), 2.5);
  F("I")->SetAsInteger(7);
  EXPECT_EQ(F("I")->GetAsCurrency().Raw, 70000);
}

TEST_F(FieldTest, DateFieldsKeepTheDayAndTimeFieldsTheTimeOfDay) {
  const TDateTime When = EncodeDate(2020, 5, 17) + EncodeTime(18, 30, 15, 123);
  F("D")->SetAsDateTime(When);
  F("T")->SetAsDateTime(When);
  F("DT")->SetAsDateTime(When);
  EXPECT_EQ(F("D")->GetAsDateTime(), EncodeDate(2020, 5, 17));
  EXPECT_NEAR(F("T")->GetAsDateTime(), EncodeTime(18, 30, 15, 123), 1e-9);
  EXPECT_NEAR(F("DT")->GetAsDateTime(), When, 1e-9);
  EXPECT_EQ(F("DT")->GetAsFloat(), F("DT")->GetAsDateTime());
}

TEST_F(FieldTest, StringsConvertOnDemandAndNullStringsReadAsZero) {
  auto* S = F("S");
  EXPECT_EQ(S->GetAsInteger(), 0);
  EXPECT_EQ(S->GetAsFloat(), 0.0);
  S->SetAsString("12");
  EXPECT_EQ(S->GetAsInteger(), 12);
  EXPECT_EQ(S->GetAsFloat(), 12.0);
  S->SetAsString("x");
  EXPECT_EQ(ErrorOf<EConvertError>([&] { S->GetAsFloat(); }), "'x' is not a valid floating point value");
  S->SetAsBoolean(true);
  EXPECT_EQ(S->GetAsString(), "T");
  S->SetAsString("yes");
  EXPECT_TRUE(S->GetAsBoolean());
  S->SetAsString("maybe");
  EXPECT_FALSE(S->GetAsBoolean());
  S->SetAsFloat(0.5);
  EXPECT_EQ(S->GetAsString(), "0.5");
}

struct TAccessCase {
  std::string Field;
  std::function<void(TField*)> Access;
  std::string Type;
};

TEST_F(FieldTest, AccessorsAFieldTypeDoesNotServeRaise) {
  const std::vector<TAccessCase> Cases = {
      {"Ok", [](TField* X) { X->GetAsInteger(); }, "Integer"},
      {"Ok", [](TField* X) { X->SetAsFloat(1); }, "Float"},
      {"I", [](TField* X) { X->GetAsBoolean(); }, "Boolean"},
      {"I", [](TField* X) { X->SetAsDateTime(1); }, "DateTime"},
      {"D", [](TField* X) { X->GetAsInteger(); }, "Integer"},
      {"F", [](TField* X) { X->SetAsBoolean(true); }, "Boolean"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { C.Access(F(C.Field)); }),
              "Cannot access field '" + C.Field + "' as type " + C.Type);
}

TEST_F(FieldTest, VariantsTravelInTheFieldsNaturalType) {
  F("I")->SetAsVariant(int64_t{5});
  F("Ok")->SetAsVariant(true);
  F("S")->SetAsVariant(std::string("s"));
  F("F")->SetAsVariant(1.5);
  F("DT")->SetAsVariant(Variant());
  EXPECT_EQ(F("I")->GetAsVariant(), Variant(int64_t{5}));
  EXPECT_EQ(F("Ok")->GetAsVariant(), Variant(true));
  EXPECT_EQ(F("S")->GetAsVariant(), Variant(std::string("s")));
  EXPECT_EQ(F("F")->GetAsVariant(), Variant(1.5));
  EXPECT_TRUE(VarIsNull(F("DT")->GetAsVariant()));
}

TEST_F(FieldTest, ADisplayLabelNamesTheFieldInMessages) {
  F("Sm")->SetDisplayLabel("Quantity");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F("Sm")->SetAsInteger(-40000); }),
            "-40000 is not a valid value for field 'Quantity'. The allowed range is -32768 to 32767");
}

}  // namespace
