#include "rt/ZYMQIXCurrency.h"

#include <gtest/gtest.h>

#include <limits>

#include "rt/ZYMQIXSettings.h"
#include "vcl/SysUtils.h"

using namespace zymqix;
using vcl::Currency;

namespace {

constexpr int32_t I32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t I32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t I64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t I64Min = std::numeric_limits<int64_t>::min();

struct CurrencyTest : ::testing::Test {
  void SetUp() override { Restore(); }
  void TearDown() override { Restore(); }
  static void Restore() {
    vcl::ResetFormatSettings();
    ResetZYMSettings();
  }
};

TEST_F(CurrencyTest, CentsFormatWithExactHalfAwayRounding) {
  struct Case {
    TZYMCurrency Cents;
    int Decimals;
    const char* Expected;
  };
  const Case Cases[] = {
      {123456, 2, "$1234.56"},  {-123456, 2, "($1234.56)"},          {0, 2, "$0.00"},
      {5, 2, "$0.05"},          {150, 0, "$2"},                       {-150, 0, "($2)"},
      {149, 0, "$1"},           {145, 1, "$1.5"},                     {-5, 1, "($0.1)"},
      {-4, 1, "$0.0"},          {I32Max, 2, "$21474836.47"},         {I32Min, 2, "($21474836.48)"},
      {I32Max, 0, "$21474836"}, {150, ZYMAutoDecimals, "$1.50"},     {7, 4, "$0.0700"},
  };
  for (const Case& C : Cases) EXPECT_EQ(Currency2EStr(C.Cents, C.Decimals), C.Expected) << C.Cents;
  EXPECT_EQ(Currency2CEStr(TZYMCurrency{123456789}, 2), "$1,234,567.89");
  EXPECT_EQ(Currency2CEStr(I32Min, 2), "($21,474,836.48)");
}

TEST_F(CurrencyTest, CurrencyFormatsFromItsTenThousandths) {
  struct Case {
    int64_t Raw;
    int Decimals;
    const char* Expected;
  };
  const Case Cases[] = {
      {12345, 2, "$1.23"},
      {12350, 2, "$1.24"},
      {-12350, 2, "($1.24)"},
      {12345, 4, "$1.2345"},
      {5, 3, "$0.001"},
      {-5, 3, "($0.001)"},
      {4, 3, "$0.000"},
      {I64Max, 4, "$922337203685477.5807"},
      {I64Min, 4, "($922337203685477.5808)"},
      {I64Max, 0, "$922337203685478"},
      {12345, ZYMAutoDecimals, "$1.2345"},
      {10000, ZYMAutoDecimals, "$1.00"},
      {12300, ZYMAutoDecimals, "$1.23"},
      {12345, 6, "$1.234500"},
  };
  for (const Case& C : Cases) EXPECT_EQ(Currency2EStr(Currency::FromRaw(C.Raw), C.Decimals), C.Expected) << C.Raw;
  EXPECT_EQ(Currency2CEStr(Currency::FromRaw(I64Max), 4), "$922,337,203,685,477.5807");
}

TEST_F(CurrencyTest, FloatAmountsFormatOnTheirDecimalValue) {
  EXPECT_EQ(Currency2EStr(2.675, 2), "$2.68");
  EXPECT_EQ(Currency2EStr(2.675L, 2), "$2.68");
  EXPECT_EQ(Currency2EStr(-1.005L, 2), "($1.01)");
  EXPECT_EQ(Currency2CEStr(1234.5L, 2), "$1,234.50");
  EXPECT_EQ(Currency2EStr(0.1L, 19), "$0.1000000000000000000");
  EXPECT_EQ(Currency2EStr(-0.004L, 2), "$0.00");
  EXPECT_EQ(Currency2EStr(1.5L), "$1.50");
}

TEST_F(CurrencyTest, PositiveLayouts) {
  const char* Expected[] = {"$1.50", "1.50$", "$ 1.50", "1.50 $"};
  for (int I = 0; I < 4; ++I) {
    TZYMSettingGuard G(ZYMCurrencyFormatType, static_cast<TCurrencyFormatType>(I));
    EXPECT_EQ(Currency2EStr(TZYMCurrency{150}, 2), Expected[I]) << I;
  }
}

TEST_F(CurrencyTest, TheSixteenNegativeLayouts) {
  const char* Expected[] = {"($1.50)", "-$1.50", "$-1.50", "$1.50-", "(1.50$)", "-1.50$", "1.50-$", "1.50$-",
                            "-1.50 $", "-$ 1.50", "1.50 $-", "$ 1.50-", "$ -1.50", "1.50- $", "($ 1.50)",
                            "(1.50 $)"};
  for (int I = 0; I < 16; ++I) {
    TZYMSettingGuard G(ZYMNegativeFormatType, static_cast<TNegativeFormatType>(I));
    EXPECT_EQ(Currency2EStr(TZYMCurrency{-150}, 2), Expected[I]) << I;
    // Every layout reads back to the amount it shows.
    EXPECT_EQ(Str2ZYMCurrency(Expected[I]), -150) << Expected[I];
  }
}

TEST_F(CurrencyTest, WithoutTheSymbolAPlainNumber) {
  ZYMUseCurrencySymbol = false;
  ZYMNegativeFormatType = nfParenNumSpaceSym;
  EXPECT_EQ(Currency2EStr(TZYMCurrency{123456}, 2), "1234.56");
  EXPECT_EQ(Currency2CEStr(TZYMCurrency{-123456}, 2), "-1,234.56");
  EXPECT_EQ(Currency2EStr(Currency::FromRaw(-5), 4), "-0.0005");
}

TEST_F(CurrencyTest, BlankWhenZeroAndNoPlusSign) {
  ZYMBlankWhenZero = true;
  ZYMNumPosSign = true;
  EXPECT_EQ(Currency2EStr(TZYMCurrency{0}, 2), "");
  EXPECT_EQ(Currency2EStr(0.001L, 2), "");
  EXPECT_EQ(Currency2CEStr(Currency::FromRaw(49), 2), "");
  EXPECT_EQ(Currency2EStr(TZYMCurrency{1}, 2), "$0.01");
}

TEST_F(CurrencyTest, SymbolLayoutsAndSeparatorsComeFromTheLocale) {
  vcl::FormatSettings.CurrencyString = "kr";
  vcl::FormatSettings.CurrencyFormat = 3;
  vcl::FormatSettings.NegCurrFormat = 8;
  vcl::FormatSettings.DecimalSeparator = ',';
  vcl::FormatSettings.ThousandSeparator = '.';
  std::string Sym;
  TCurrencyFormatType Pos;
  TNegativeFormatType Neg;
  GetCurrencySettings(Sym, Pos, Neg);
  EXPECT_EQ(Sym, "kr");
  EXPECT_EQ(Pos, cfNumSpaceSym);
  EXPECT_EQ(Neg, nfMinusNumSpaceSym);
  // What a control with the locale's settings does: take the layouts for the call.
  TZYMSettingGuard P(ZYMCurrencyFormatType, Pos);
  TZYMSettingGuard N(ZYMNegativeFormatType, Neg);
  EXPECT_EQ(Currency2CEStr(TZYMCurrency{123456}, 2), "1.234,56 kr");
  EXPECT_EQ(Currency2CEStr(TZYMCurrency{-123456}, 2), "-1.234,56 kr");
  EXPECT_EQ(Str2ZYMCurrency("-1.234,56 KR"), -123456);
}

TEST_F(CurrencyTest, GetCurrencySettingsNeverPassesAnOutOfRangeLayout) {
  vcl::FormatSettings.CurrencyFormat = 9;
  vcl::FormatSettings.NegCurrFormat = 40;
  std::string Sym;
  TCurrencyFormatType Pos = cfNumSym;
  TNegativeFormatType Neg = nfMinusSymNum;
  GetCurrencySettings(Sym, Pos, Neg);
  EXPECT_EQ(Pos, cfSymNum);
  EXPECT_EQ(Neg, nfParenSymNum);
}

TEST_F(CurrencyTest, ParsingReadsSymbolsSignsAndBracketsAndRoundsExactly) {
  struct Case {
    const char* Text;
    bool Parsable;
    int64_t Raw;
  };
  const Case Cases[] = {
      {"$1,234.56", true, 12345600},
      {"1234.56", true, 12345600},
      {"($1.50)", true, -15000},
      {"-$1.50", true, -15000},
      {"$-1.50", true, -15000},
      {"1.50-", true, -15000},
      {" $ 1.50 ", true, 15000},
      {"+1.50", true, 15000},
      {"1.23456", true, 12346},
      {"1.23455", true, 12346},
      {"-1.23455", true, -12346},
      {"1.23454999", true, 12345},
      {"0.00005", true, 1},
      {"922337203685477.5807", true, I64Max},
      {"", false, 0},
      {"$", false, 0},
      {"abc", false, 0},
      {"(-1)", false, 0},
      {"1.2.3", false, 0},
      {"--1", false, 0},
      {"1-2", false, 0},
  };
  for (const Case& C : Cases) {
    Currency V = Currency::FromRaw(-1);
    EXPECT_EQ(TryStr2Currency(C.Text, V), C.Parsable) << C.Text;
    EXPECT_EQ(V.Raw, C.Raw) << C.Text;
    EXPECT_EQ(Str2Currency(C.Text).Raw, C.Raw) << C.Text;
  }
  EXPECT_THROW(Str2Currency("922337203685477.5808"), vcl::EConvertError);
  EXPECT_THROW(Str2Currency("-99999999999999999999999"), vcl::EConvertError);
}

TEST_F(CurrencyTest, ParsingUsesTheCurrentSymbolWithoutRegardToCase) {
  TZYMSettingGuard G(vcl::FormatSettings.CurrencyString, std::string("EUR"));
  EXPECT_EQ(Str2Currency("eur 5").Raw, 50000);
  EXPECT_EQ(Str2Currency("5 EUR-").Raw, -50000);
  EXPECT_EQ(Str2Currency("$5").Raw, 0);  // another symbol is not a number
}

TEST_F(CurrencyTest, CentsParsingKeepsTo32Bits) {
  EXPECT_EQ(Str2ZYMCurrency("$21,474,836.47"), I32Max);
  EXPECT_EQ(Str2ZYMCurrency("1.005"), 101);
  EXPECT_EQ(Str2ZYMCurrency("-0.005"), -1);
  EXPECT_EQ(Str2ZYMCurrency("0.004"), 0);
  EXPECT_EQ(Str2ZYMCurrency("junk"), 0);
  TZYMCurrency V = 5;
  EXPECT_FALSE(TryStr2ZYMCurrency("junk", V));
  EXPECT_EQ(V, 0);
  EXPECT_THROW(Str2ZYMCurrency("21474836.48"), vcl::EConvertError);
}

TEST_F(CurrencyTest, FloatConversionsRoundToTheTypeAndCheckItsRange) {
  EXPECT_EQ(Currency2Float(TZYMCurrency{150}), 1.5L);
  EXPECT_EQ(Currency2Float(TZYMCurrency{-1}), -0.01L);
  EXPECT_EQ(Currency2Float(Currency::FromRaw(12345)), 1.2345L);
  EXPECT_EQ(Float2ZYMCurrency(2.675), 268);
  EXPECT_EQ(Float2ZYMCurrency(1.005), 101);
  EXPECT_EQ(Float2ZYMCurrency(-1.005), -101);
  EXPECT_EQ(Float2ZYMCurrency(0.0049), 0);
  EXPECT_EQ(Float2ZYMCurrency(21474836.47L), I32Max);
  EXPECT_THROW(Float2ZYMCurrency(21474836.48L), vcl::EConvertError);
  EXPECT_THROW(Float2ZYMCurrency(std::numeric_limits<vcl::Extended>::quiet_NaN()), vcl::EConvertError);
  EXPECT_EQ(Float2Currency(1.23455L).Raw, 12346);
  EXPECT_EQ(Float2Currency(-1.23455).Raw, -12346);
  EXPECT_THROW(Float2Currency(1e15L), vcl::EConvertError);
  EXPECT_THROW(Float2Currency(std::numeric_limits<vcl::Extended>::infinity()), vcl::EConvertError);
  for (TZYMCurrency C : {0, 1, -1, 150, 199999, -2147483647, I32Max})
    EXPECT_EQ(Float2ZYMCurrency(Currency2Float(C)), C) << C;
}

TEST_F(CurrencyTest, FormattedAmountsReadBack) {
  for (int64_t Raw : {int64_t{0}, int64_t{1}, int64_t{-12345}, int64_t{99999999}, I64Max, I64Min + 1}) {
    for (int Neg = 0; Neg < 16; ++Neg) {
      TZYMSettingGuard G(ZYMNegativeFormatType, static_cast<TNegativeFormatType>(Neg));
      std::string S = Currency2CEStr(Currency::FromRaw(Raw), 4);
      EXPECT_EQ(Str2Currency(S).Raw, Raw) << S;
    }
  }
}

}  // namespace
