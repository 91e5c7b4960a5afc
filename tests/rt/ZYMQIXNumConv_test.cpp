#include "rt/ZYMQIXNumConv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "rt/ZYMQIXSettings.h"
#include "vcl/SysUtils.h"

using namespace zymqix;
using vcl::Extended;

namespace {

constexpr Extended LdMax = std::numeric_limits<Extended>::max();
constexpr Extended LdDenormMin = std::numeric_limits<Extended>::denorm_min();
constexpr int64_t I64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t I64Min = std::numeric_limits<int64_t>::min();

// Every test starts and ends with the default settings and the English locale.
struct NumConvTest : ::testing::Test {
  void SetUp() override { Restore(); }
  void TearDown() override { Restore(); }
  static void Restore() {
    vcl::ResetFormatSettings();
    ResetZYMSettings();
  }
};

struct FloatCase {
  Extended Value;
  int Decimals;
  const char* Expected;
};

class FixedFormat : public NumConvTest, public ::testing::WithParamInterface<FloatCase> {};

TEST_P(FixedFormat, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  EXPECT_EQ(Float2EStr(GetParam().Value, GetParam().Decimals), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedFormat,
    ::testing::Values(
        FloatCase{0, 2, "0.00"}, FloatCase{0.5, 0, "1"}, FloatCase{-0.5, 0, "-1"}, FloatCase{1.5, 0, "2"},
        FloatCase{2.5, 0, "3"}, FloatCase{-2.5, 0, "-3"}, FloatCase{0.125, 2, "0.13"},
        // Decimal halves that binary floats store just below the half.
        FloatCase{2.675, 2, "2.68"}, FloatCase{1.005, 2, "1.01"}, FloatCase{-1.005, 2, "-1.01"},
        FloatCase{9.995, 2, "10.00"}, FloatCase{2.675L, 2, "2.68"}, FloatCase{1.0049999, 2, "1.00"},
        FloatCase{1234567.891, 2, "1234567.89"}, FloatCase{123, -1, "123"}, FloatCase{123.456, 0, "123"},
        // A value that rounds to zero is zero: no minus sign.
        FloatCase{-0.001, 2, "0.00"}, FloatCase{-0.0, 1, "0.0"}, FloatCase{1e-20, 2, "0.00"},
        FloatCase{0.1, 20, "0.10000000000000000000"}, FloatCase{999999999999999999.0L, 0, "999999999999999999"},
        // From 1E18 on, the scientific form.
        FloatCase{1e18L, 2, "1.00E+18"}, FloatCase{static_cast<Extended>(I64Max), 3, "9.223E+18"},
        FloatCase{LdMax, 2, "1.19E+4932"}, FloatCase{-LdMax, 1, "-1.2E+4932"},
        FloatCase{LdDenormMin, 4, "0.0000"}, FloatCase{std::numeric_limits<Extended>::quiet_NaN(), 2, "NAN"},
        FloatCase{std::numeric_limits<Extended>::infinity(), 2, "INF"},
        FloatCase{-std::numeric_limits<Extended>::infinity(), 2, "-INF"}));

TEST_F(NumConvTest, TheFourFixedFormsDifferInSeparatorsAndTrailingZeros) {
  struct Case {
    Extended Value;
    int Decimals;
    const char *Plain, *Grouped, *Trimmed, *GroupedTrimmed;
  };
  const Case Cases[] = {
      {1234567.891, 2, "1234567.89", "1,234,567.89", "1234567.89", "1,234,567.89"},
      {-1234.5, 3, "-1234.500", "-1,234.500", "-1234.5", "-1,234.5"},
      {1000, 2, "1000.00", "1,000.00", "1000", "1,000"},
      {999, 0, "999", "999", "999", "999"},
      {2.001, 2, "2.00", "2.00", "2", "2"},
      {-123456789012.5, 1, "-123456789012.5", "-123,456,789,012.5", "-123456789012.5", "-123,456,789,012.5"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(Float2EStr(C.Value, C.Decimals), C.Plain);
    EXPECT_EQ(Float2CEStr(C.Value, C.Decimals), C.Grouped);
    EXPECT_EQ(Float2EStr2(C.Value, C.Decimals), C.Trimmed);
    EXPECT_EQ(Float2CEStr2(C.Value, C.Decimals), C.GroupedTrimmed);
  }
}

TEST_F(NumConvTest, ScientificFormRoundsTheMantissaAndCarriesIntoTheExponent) {
  struct Case {
    Extended Value;
    int Decimals;
    const char *Full, *Trimmed;
  };
  const Case Cases[] = {
      {1234.5678, 4, "1.2346E+03", "1.2346E+03"},
      {0.000012345, 2, "1.23E-05", "1.23E-05"},
      {9.9999, 2, "1.00E+01", "1E+01"},
      {0, 2, "0.00E+00", "0E+00"},
      {-1.5e300, 1, "-1.5E+300", "-1.5E+300"},
      {1200, 4, "1.2000E+03", "1.2E+03"},
      {LdMax, 3, "1.190E+4932", "1.19E+4932"},
      // The smallest subnormal holds one bit: "4E-4951" is all it says.
      {LdDenormMin, 2, "4.00E-4951", "4E-4951"},
      {2.5, 0, "3E+00", "3E+00"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(SciFloat2EStr(C.Value, C.Decimals), C.Full) << static_cast<double>(C.Value);
    EXPECT_EQ(SciFloat2EStr2(C.Value, C.Decimals), C.Trimmed) << static_cast<double>(C.Value);
  }
}

TEST_F(NumConvTest, IntegerFormsCoverThe64BitLimits) {
  EXPECT_EQ(Int2EStr(0), "0");
  EXPECT_EQ(Int2EStr(-42), "-42");
  EXPECT_EQ(Int2EStr(I64Max), "9223372036854775807");
  EXPECT_EQ(Int2EStr(I64Min), "-9223372036854775808");
  EXPECT_EQ(Int2CEStr(I64Min), "-9,223,372,036,854,775,808");
  EXPECT_EQ(Int2CEStr(1234), "1,234");
  EXPECT_EQ(Int2CEStr(123), "123");
  EXPECT_EQ(Int2CEStr(-123456), "-123,456");
}

TEST_F(NumConvTest, BlankWhenZeroEmptiesEveryFormThatShowsZero) {
  ZYMBlankWhenZero = true;
  EXPECT_EQ(Float2EStr(0, 2), "");
  EXPECT_EQ(Float2EStr(0.004, 2), "");  // shows as zero after rounding
  EXPECT_EQ(Float2EStr(-0.004, 2), "");
  EXPECT_EQ(Float2EStr(0.005, 2), "0.01");
  EXPECT_EQ(Float2CEStr2(0, 2), "");
  EXPECT_EQ(SciFloat2EStr(0, 2), "");
  EXPECT_EQ(Int2EStr(0), "");
  EXPECT_EQ(Int2CEStr(0), "");
  EXPECT_EQ(LWord2IPStr(0), "");
  EXPECT_EQ(Int2EHex(0), "");
  EXPECT_EQ(Int2ZHex(0, 8), "");
  EXPECT_EQ(Int2EStr(7), "7");
  ZYMBlankWhenZero = false;
  EXPECT_EQ(Int2EHex(0), "0");
  EXPECT_EQ(LWord2IPStr(0), "0.0.0.0");
}

TEST_F(NumConvTest, NumPosSignPutsAPlusBeforePositiveValuesOnly) {
  ZYMNumPosSign = true;
  EXPECT_EQ(Float2EStr(1.5, 1), "+1.5");
  EXPECT_EQ(Float2CEStr(1234.5, 1), "+1,234.5");
  EXPECT_EQ(Float2EStr(0, 1), "0.0");
  EXPECT_EQ(Float2EStr(0.01, 1), "0.0");
  EXPECT_EQ(Float2EStr(-1, 1), "-1.0");
  EXPECT_EQ(Int2EStr(5), "+5");
  EXPECT_EQ(Int2CEStr(1234), "+1,234");
  EXPECT_EQ(Int2EStr(0), "0");
  EXPECT_EQ(SciFloat2EStr(1.5, 2), "+1.50E+00");
}

TEST_F(NumConvTest, FormattingAndParsingFollowTheLocaleSeparators) {
  vcl::FormatSettings.DecimalSeparator = ',';
  vcl::FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(Float2CEStr(1234.5, 2), "1.234,50");
  EXPECT_EQ(Float2EStr(0.25, 2), "0,25");
  EXPECT_EQ(SciFloat2EStr(1234.5, 1), "1,2E+03");
  EXPECT_EQ(Int2CEStr(1234567), "1.234.567");
  EXPECT_EQ(Str2Float("1.234,5"), 1234.5L);
  EXPECT_EQ(Str2Int64("1.234"), 1234);
}

struct ParseCase {
  const char* Text;
  bool Parsable;
  Extended Value;
};

class FloatParse : public NumConvTest, public ::testing::WithParamInterface<ParseCase> {};

TEST_P(FloatParse, IsLenientAndGivesZeroForWhatItCannotRead) {
  Extended V = -1;
  EXPECT_EQ(TryStr2Float(GetParam().Text, V), GetParam().Parsable) << GetParam().Text;
  EXPECT_EQ(V, GetParam().Value) << GetParam().Text;
  EXPECT_EQ(Str2Float(GetParam().Text), GetParam().Value) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatParse,
    ::testing::Values(ParseCase{"", false, 0}, ParseCase{"   ", false, 0}, ParseCase{"  12.5  ", true, 12.5L},
                      ParseCase{"1,234.5", true, 1234.5L}, ParseCase{"-1,234.5", true, -1234.5L},
                      ParseCase{"+3", true, 3}, ParseCase{"- 3", true, -3}, ParseCase{"1e3", true, 1000},
                      ParseCase{"1.5E-2", true, 0.015L}, ParseCase{"1.5E", true, 1.5L},
                      ParseCase{"1.5e-", true, 1.5L}, ParseCase{"1.", true, 1}, ParseCase{".5", true, 0.5L},
                      ParseCase{"15.5%", true, 15.5L}, ParseCase{"15.5 %", true, 15.5L},
                      ParseCase{"0.1", true, 0.1L}, ParseCase{"-0", true, 0},
                      ParseCase{"1e-5000", true, 0}, ParseCase{"0.000e9999", true, 0},
                      ParseCase{"1.18973149535723176502e+4932", true, LdMax},
                      ParseCase{"abc", false, 0}, ParseCase{"12abc", false, 0}, ParseCase{"1.2.3", false, 0},
                      ParseCase{"-", false, 0}, ParseCase{".", false, 0}, ParseCase{",5", false, 0},
                      ParseCase{"1e5x", false, 0}, ParseCase{"--1", false, 0}, ParseCase{"E5", false, 0}));

TEST_F(NumConvTest, FloatParseRaisesForAValueBeyondTheType) {
  EXPECT_THROW(Str2Float("1e5000"), vcl::EConvertError);
  EXPECT_THROW(Str2Float("-2e4932"), vcl::EConvertError);
}

TEST_F(NumConvTest, FormattedFloatsReadBackToTheShownValue) {
  for (Extended X : {0.0L, 1.0L, -2.5L, 1234567.125L, 0.001L, 3.14159265358979L, -98765.4321L}) {
    for (int D : {0, 2, 4, 8}) {
      std::string S = Float2CEStr(X, D);
      EXPECT_EQ(Float2CEStr(Str2Float(S), D), S) << S;
    }
    std::string Sci = SciFloat2EStr(X, 6);
    EXPECT_EQ(SciFloat2EStr(Str2Float(Sci), 6), Sci);
  }
}

TEST_F(NumConvTest, IntegerParseIsLenientButNeverWraps) {
  struct Case {
    const char* Text;
    bool Parsable;
    int64_t Value;
  };
  const Case Cases[] = {
      {"1,234", true, 1234},   {" -42 ", true, -42},  {"+7", true, 7},   {"9223372036854775807", true, I64Max},
      {"-9223372036854775808", true, I64Min},          {"", false, 0},    {"abc", false, 0},
      {"12.5", false, 0},      {"1 2", false, 0},      {",1", false, 0},  {"-", false, 0},
  };
  for (const Case& C : Cases) {
    int64_t V = -1;
    EXPECT_EQ(TryStr2Int64(C.Text, V), C.Parsable) << C.Text;
    EXPECT_EQ(V, C.Value) << C.Text;
    EXPECT_EQ(Str2Int64(C.Text), C.Value) << C.Text;
  }
  for (const char* Big : {"9223372036854775808", "-9223372036854775809", "99999999999999999999999"})
    EXPECT_THROW(Str2Int64(Big), vcl::EConvertError) << Big;
}

TEST_F(NumConvTest, WordParseKeepsTo16Bits) {
  EXPECT_EQ(Str2Word("65535"), 65535);
  EXPECT_EQ(Str2Word(" 1,024 "), 1024);
  EXPECT_EQ(Str2Word("x"), 0);
  EXPECT_THROW(Str2Word("65536"), vcl::EConvertError);
  EXPECT_THROW(Str2Word("-1"), vcl::EConvertError);
}

TEST_F(NumConvTest, IPAddressesConvertBothWays) {
  EXPECT_EQ(IPStr2LWord("192.168.1.10"), 0xC0A8010Au);
  EXPECT_EQ(IPStr2LWord(" 10.0.0.1 "), 0x0A000001u);
  EXPECT_EQ(IPStr2LWord("255.255.255.255"), 0xFFFFFFFFu);
  EXPECT_EQ(IPStr2LWord("010.001.000.009"), 0x0A010009u);
  EXPECT_EQ(IPStr2LWord(""), 0u);
  EXPECT_EQ(LWord2IPStr(0xC0A8010A), "192.168.1.10");
  EXPECT_EQ(LWord2IPStr(0x80000000), "128.0.0.0");
  EXPECT_EQ(LWord2IPStr(0xFFFFFFFF), "255.255.255.255");
}

TEST_F(NumConvTest, MalformedAddressRaisesOnlyWhenAskedTo) {
  const char* Bad[] = {"256.1.1.1", "1.2.3", "1.2.3.4.5", "1..2.3", "a.b.c.d", "1.2.3.4.", ".1.2.3", "1234.1.1.1",
                       "1.2.3.-4", "1 .2.3.4"};
  for (const char* S : Bad) EXPECT_EQ(IPStr2LWord(S), 0u) << S;
  TZYMSettingGuard Raise(ZYMRaiseIPError, true);
  for (const char* S : Bad) EXPECT_THROW(IPStr2LWord(S), vcl::EConvertError) << S;
  EXPECT_EQ(IPStr2LWord(""), 0u);  // blank is zero, not an error
  EXPECT_EQ(IPStr2LWord("1.2.3.4"), 0x01020304u);
}

TEST_F(NumConvTest, HexadecimalConvertsBothWays) {
  struct Case {
    const char* Text;
    uint32_t Value;
  };
  const Case Cases[] = {{"FF", 255},       {"$ff", 255},        {"0x1A", 26},       {"000000FF", 255},
                        {" ffffffff ", 0xFFFFFFFFu}, {"", 0}, {"G1", 0}, {"0x", 0}, {"1 2", 0}};
  for (const Case& C : Cases) EXPECT_EQ(Hex2LWord(C.Text), C.Value) << C.Text;
  EXPECT_THROW(Hex2LWord("100000000"), vcl::EConvertError);
  EXPECT_EQ(Int2EHex(255), "FF");
  EXPECT_EQ(Int2EHex(0xDEADBEEF), "DEADBEEF");
  EXPECT_EQ(Int2ZHex(255, 8), "000000FF");
  EXPECT_EQ(Int2ZHex(0x123456789ull, 4), "123456789");
  EXPECT_EQ(Int2ZHex(0, 8), "00000000");
}

TEST_F(NumConvTest, StringHelpers) {
  EXPECT_EQ(RightAfterStr("-0012", 1), "0012");
  EXPECT_EQ(RightAfterStr("abc", 3), "");
  EXPECT_EQ(RightAfterStr("abc", 9), "");
  EXPECT_EQ(RightAfterStr("abc", 0), "abc");
  EXPECT_EQ(PadChLeftStr("12", '0', 5), "00012");
  EXPECT_EQ(PadChLeftStr("123456", '0', 3), "123456");
  EXPECT_EQ(PadChLeftStr("", '0', 6), "000000");
  EXPECT_EQ(ZYMPosCh('.', "1.5"), 2);
  EXPECT_EQ(ZYMPosCh('.', "15"), 0);
  EXPECT_EQ(ZYMPosCh('a', "banana", 3), 4);
  EXPECT_EQ(ZYMPosCh('a', "ba", 5), 0);
  EXPECT_EQ(ZYMPosCh('b', "ba", -3), 1);
}

TEST_F(NumConvTest, ProperCaseCapitalisesTheFirstLetterOfEachWord) {
  struct Case {
    const char *In, *Out;
  };
  const Case Cases[] = {{"hello world", "Hello World"},
                        {"HELLO wORLD", "Hello World"},
                        {"o'neil-smith 3rd", "O'neil-Smith 3rd"},
                        {"  abc", "  Abc"},
                        {"jean.paul (the elder)", "Jean.Paul (The Elder)"},
                        {"\xE9lan VITAL", "\xC9lan Vital"},
                        {"", ""}};
  for (const Case& C : Cases) EXPECT_EQ(ZYMProperStr(C.In), C.Out) << C.In;
}

TEST_F(NumConvTest, ZeroAndSignTests) {
  EXPECT_TRUE(FloatIsZero(0));
  EXPECT_TRUE(FloatIsZero(-1e-17L));
  EXPECT_FALSE(FloatIsZero(1e-15L));
  EXPECT_FALSE(FloatIsZero(std::numeric_limits<Extended>::quiet_NaN()));
  EXPECT_TRUE(FloatIsZero(0.01L, 0.1L));
  EXPECT_FALSE(FloatIsPositive(1e-20L));
  EXPECT_FALSE(FloatIsPositive(0));
  EXPECT_FALSE(FloatIsPositive(-1));
  EXPECT_FALSE(FloatIsPositive(std::numeric_limits<Extended>::quiet_NaN()));
  EXPECT_TRUE(FloatIsPositive(0.5L));
  EXPECT_EQ(ZYMSign(-3.5L), -1);
  EXPECT_EQ(ZYMSign(0), 0);
  EXPECT_EQ(ZYMSign(2), 1);
  EXPECT_EQ(ZYMSign(std::numeric_limits<Extended>::quiet_NaN()), 0);
}

TEST_F(NumConvTest, PowersAndTheirErrors) {
  EXPECT_NEAR(static_cast<double>(XtoY(8, 1.0L / 3)), 2.0, 1e-15);
  EXPECT_EQ(XtoY(2, 10), 1024);
  EXPECT_EQ(XtoY(-2, 3), -8);
  EXPECT_EQ(XtoY(0, 2), 0);
  EXPECT_EQ(XtoY(0, 0), 1);
  EXPECT_EQ(XtoY(-5, 0), 1);
  EXPECT_THROW(XtoY(0, -1), vcl::EZeroDivide);
  EXPECT_THROW(XtoY(-8, 0.5L), vcl::EMathError);
  EXPECT_THROW(XtoY(1e4000L, 2), vcl::EOverflow);
  EXPECT_EQ(ZYMIntPower(10, 2), 100);
  EXPECT_EQ(ZYMIntPower(2, -2), 0.25L);
  EXPECT_EQ(ZYMIntPower(-2, 3), -8);
  EXPECT_EQ(ZYMIntPower(10, 0), 1);
  EXPECT_EQ(ZYMIntPower(10, 18), 1e18L);
  EXPECT_EQ(ZYMIntPower(2, std::numeric_limits<int>::min()), 0);
  EXPECT_THROW(ZYMIntPower(0, -1), vcl::EZeroDivide);
}

}  // namespace
