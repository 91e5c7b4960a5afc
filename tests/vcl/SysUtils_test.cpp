#include "vcl/SysUtils.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <optional>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "vcl/Host.h"

using namespace vcl;

namespace {

// Every test starts and ends with the fixed English settings and a fixed clock.
class SysUtilsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetFormatSettings();
    Host().FixNow(EncodeDate(2025, 6, 1) + EncodeTime(10, 0, 0, 0));
  }
  void TearDown() override { ResetFormatSettings(); }
  THostScope HostScope;
};

// Switches to German-style settings, as a user of a comma-decimal locale has them.
void UseGermanSettings() {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  FormatSettings.DateSeparator = '.';
  FormatSettings.ShortDateFormat = "dd/mm/yyyy";
  FormatSettings.CurrencyString = "EUR";
  FormatSettings.CurrencyFormat = 3;
  FormatSettings.NegCurrFormat = 8;
}

// Saturday 3 February 2024, 14:05:09.045.
const TDateTime Sample = EncodeDate(2024, 2, 3) + EncodeTime(14, 5, 9, 45);

}  // namespace

// ---- FormatDateTime ----

struct DateCase {
  const char* Format;
  TDateTime Value;
  const char* Expected;
};

class FormatDateTimeTable : public SysUtilsTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(FormatDateTimeTable, FormatsEachSpecifier) {
  const DateCase& C = GetParam();
  EXPECT_EQ(FormatDateTime(C.Format, C.Value), C.Expected) << "format \"" << C.Format << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Specifiers, FormatDateTimeTable,
    ::testing::Values(
        DateCase{"d", Sample, "3"}, DateCase{"dd", Sample, "03"}, DateCase{"ddd", Sample, "Sat"},
        DateCase{"dddd", Sample, "Saturday"}, DateCase{"ddddd", Sample, "2/3/2024"},
        DateCase{"dddddd", Sample, "Saturday, February 3, 2024"}, DateCase{"m", Sample, "2"},
        DateCase{"mm", Sample, "02"}, DateCase{"mmm", Sample, "Feb"}, DateCase{"mmmm", Sample, "February"},
        DateCase{"y", Sample, "24"}, DateCase{"yy", Sample, "24"}, DateCase{"yyyy", Sample, "2024"},
        DateCase{"h", Sample, "14"}, DateCase{"hh", EncodeTime(7, 0, 0, 0), "07"},
        DateCase{"h", EncodeTime(7, 0, 0, 0), "7"}, DateCase{"n", Sample, "5"}, DateCase{"nn", Sample, "05"},
        DateCase{"s", Sample, "9"}, DateCase{"ss", Sample, "09"}, DateCase{"z", Sample, "45"},
        DateCase{"zzz", Sample, "045"}, DateCase{"t", Sample, "14:05"}, DateCase{"tt", Sample, "14:05:09"},
        DateCase{"c", Sample, "2/3/2024 14:05:09"}, DateCase{"", Sample, "2/3/2024 14:05:09"},
        DateCase{"c", EncodeDate(2024, 2, 3), "2/3/2024"},
        // m right after an hour means minutes, also across separators
        DateCase{"h:m", Sample, "14:5"}, DateCase{"hh:mm:ss", Sample, "14:05:09"},
        DateCase{"hh mmm", Sample, "14 Feb"}, DateCase{"mm/dd hh", Sample, "02/03 14"},
        // twelve-hour clock
        DateCase{"h:nn am/pm", Sample, "2:05 pm"}, DateCase{"hh:nn AM/PM", Sample, "02:05 PM"},
        DateCase{"h a/p", Sample, "2 p"}, DateCase{"h A/P", EncodeTime(9, 0, 0, 0), "9 A"},
        DateCase{"h ampm", Sample, "2 PM"}, DateCase{"h am/pm", EncodeTime(0, 30, 0, 0), "12 am"},
        DateCase{"h am/pm", EncodeTime(12, 0, 0, 0), "12 pm"}, DateCase{"hh ampm", EncodeTime(0, 0, 0, 0), "12 AM"},
        // literals and separators
        DateCase{"yyyy-mm-dd", Sample, "2024-02-03"}, DateCase{"'Day' d", Sample, "Day 3"},
        DateCase{"\"at\" hh", Sample, "at 14"}, DateCase{"dd/mm/yy", Sample, "03/02/24"},
        DateCase{"hh:nn", Sample, "14:05"}, DateCase{"'h:m' d", Sample, "h:m 3"},
        // before 1899-12-30 the time is a positive fraction subtracted from the day
        DateCase{"yyyy-mm-dd hh:nn", -1.25, "1899-12-29 06:00"},
        DateCase{"dddd", -1.25, "Friday"}, DateCase{"yyyy-mm-dd", 0, "1899-12-30"}));

TEST_F(SysUtilsTest, DateTimeSeparatorsAndNamesComeFromTheSettings) {
  UseGermanSettings();
  FormatSettings.TimeSeparator = '.';
  FormatSettings.LongMonthNames[1] = "Februar";
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", Sample), "03.02.2024 14.05");
  EXPECT_EQ(FormatDateTime("d. mmmm", Sample), "3. Februar");
  EXPECT_EQ(DateToStr(Sample), "03.02.2024");
}

TEST_F(SysUtilsTest, SelfReferringSettingsDoNotRecurseForEver) {
  FormatSettings.ShortDateFormat = "c";
  EXPECT_NO_THROW(FormatDateTime("c", Sample));
}

TEST_F(SysUtilsTest, DateAndTimeToStrUseTheSettings) {
  EXPECT_EQ(DateToStr(Sample), "2/3/2024");
  EXPECT_EQ(TimeToStr(Sample), "14:05:09");
  EXPECT_EQ(DateTimeToStr(Sample), "2/3/2024 14:05:09");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 2, 3)), "2/3/2024");
}

// ---- date and time parsing ----

TEST_F(SysUtilsTest, StrToDateFollowsTheShortDateOrder) {
  EXPECT_EQ(StrToDate("2/3/2024"), EncodeDate(2024, 2, 3));
  EXPECT_EQ(StrToDate(" 02/03/2024 "), EncodeDate(2024, 2, 3));
  EXPECT_EQ(StrToDate("2/3"), EncodeDate(2025, 2, 3)) << "the year defaults to the current one";
  EXPECT_EQ(StrToDate("2024/2/3"), EncodeDate(2024, 2, 3)) << "a four-digit first number is the year";
  FormatSettings.ShortDateFormat = "d/m/yyyy";
  EXPECT_EQ(StrToDate("2/3/2024"), EncodeDate(2024, 3, 2));
  FormatSettings.ShortDateFormat = "yyyy/mm/dd";
  EXPECT_EQ(StrToDate("24/2/3"), EncodeDate(2024, 2, 3));
}

TEST_F(SysUtilsTest, TwoDigitYearsFollowTheCenturyWindow) {
  // Now is 2025, the window 50 years: two-digit years fall into 1975..2074.
  EXPECT_EQ(StrToDate("1/1/75"), EncodeDate(1975, 1, 1));
  EXPECT_EQ(StrToDate("1/1/74"), EncodeDate(2074, 1, 1));
  EXPECT_EQ(StrToDate("1/1/24"), EncodeDate(2024, 1, 1));
  EXPECT_EQ(StrToDate("1/1/0024"), EncodeDate(24, 1, 1)) << "four typed digits are taken as they are";
  FormatSettings.TwoDigitYearCenturyWindow = 0;
  EXPECT_EQ(StrToDate("1/1/99"), EncodeDate(2099, 1, 1));
}

TEST_F(SysUtilsTest, BadDatesRaiseWithTheFrameworkMessage) {
  for (const char* Bad : {"", "abc", "2/30/2024", "13/1/2024", "2-3-2024", "2/3/", "2/3/2024 10:00", "1/1/0000",
                          "2/3/20245", "2/3/2024x"}) {
    TDateTime D = 42;
    EXPECT_FALSE(TryStrToDate(Bad, D)) << Bad;
    EXPECT_EQ(D, 42) << "a failed parse leaves the value alone";
  }
  try {
    StrToDate("2/30/2024");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_STREQ(E.what(), "'2/30/2024' is not a valid date");
  }
}

TEST_F(SysUtilsTest, StrToTimeReadsHoursMinutesSecondsAndMarkers) {
  EXPECT_EQ(StrToTime("14:05"), EncodeTime(14, 5, 0, 0));
  EXPECT_EQ(StrToTime("14:05:09"), EncodeTime(14, 5, 9, 0));
  EXPECT_EQ(StrToTime("14:05:09.045"), EncodeTime(14, 5, 9, 45));
  EXPECT_EQ(StrToTime("2:05:09 PM"), EncodeTime(14, 5, 9, 0));
  EXPECT_EQ(StrToTime("12:00 am"), 0.0);
  EXPECT_EQ(StrToTime("12:30 PM"), EncodeTime(12, 30, 0, 0));
  EXPECT_EQ(StrToTime("PM 1:15"), EncodeTime(13, 15, 0, 0));
  for (const char* Bad : {"", "abc", "25:00", "14:60", "14:", "13:00 PM", "0:30 AM", "14:05 x"}) {
    TDateTime T = 42;
    EXPECT_FALSE(TryStrToTime(Bad, T)) << Bad;
  }
  EXPECT_THROW(
      {
        try {
          StrToTime("abc");
        } catch (const EConvertError& E) {
          EXPECT_STREQ(E.what(), "'abc' is not a valid time");
          throw;
        }
      },
      EConvertError);
}

TEST_F(SysUtilsTest, StrToDateTimeAcceptsDateTimeOrEither) {
  EXPECT_DOUBLE_EQ(StrToDateTime("2/3/2024 14:05:09"), EncodeDate(2024, 2, 3) + EncodeTime(14, 5, 9, 0));
  EXPECT_EQ(StrToDateTime("2/3/2024"), EncodeDate(2024, 2, 3));
  EXPECT_DOUBLE_EQ(StrToDateTime("14:05"), EncodeTime(14, 5, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("12/29/1899 06:00"), -1.25) << "the time is subtracted before 1899-12-30";
  try {
    StrToDateTime("2/3/2024 noon");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_STREQ(E.what(), "'2/3/2024 noon' is not a valid date and time");
  }
}

TEST_F(SysUtilsTest, DateTimeTextRoundTrips) {
  for (TDateTime V : {Sample - EncodeTime(0, 0, 0, 45), EncodeDate(1850, 7, 14) - EncodeTime(8, 30, 0, 0),
                      EncodeDate(2000, 2, 29), 0.75}) {
    EXPECT_NEAR(StrToDateTime(DateTimeToStr(V)), V, 1e-9) << DateTimeToStr(V);
  }
}

// ---- floats ----

struct FloatCase {
  Extended Value;
  TFloatFormat Format;
  int Precision, Digits;
  const char* Expected;
};

class FloatToStrFTable : public SysUtilsTest, public ::testing::WithParamInterface<FloatCase> {};

TEST_P(FloatToStrFTable, Formats) {
  const FloatCase& C = GetParam();
  EXPECT_EQ(FloatToStrF(C.Value, C.Format, C.Precision, C.Digits), C.Expected);
}

using enum TFloatFormat;
INSTANTIATE_TEST_SUITE_P(
    Formats, FloatToStrFTable,
    ::testing::Values(
        FloatCase{123.456L, ffGeneral, 4, 0, "123.5"}, FloatCase{12345, ffGeneral, 3, 2, "1.23E04"},
        FloatCase{0.0001L, ffGeneral, 15, 0, "0.0001"}, FloatCase{0.00001L, ffGeneral, 15, 0, "1E-5"},
        FloatCase{1234.5678L, ffExponent, 4, 2, "1.235E+03"}, FloatCase{0.00012L, ffExponent, 3, 0, "1.20E-4"},
        FloatCase{0, ffExponent, 4, 2, "0.000E+00"}, FloatCase{-5, ffExponent, 2, 3, "-5.0E+000"},
        FloatCase{1234.5678L, ffFixed, 15, 2, "1234.57"}, FloatCase{0.125L, ffFixed, 15, 2, "0.13"},
        FloatCase{-0.125L, ffFixed, 15, 2, "-0.13"}, FloatCase{0.001L, ffFixed, 15, 2, "0.00"},
        FloatCase{-0.001L, ffFixed, 15, 2, "0.00"}, FloatCase{9.999L, ffFixed, 15, 2, "10.00"},
        FloatCase{1.23456789L, ffFixed, 4, 6, "1.235000"}, FloatCase{1e20L, ffFixed, 15, 2, "1E20"},
        FloatCase{1234567.891L, ffNumber, 15, 2, "1,234,567.89"}, FloatCase{-1234.5L, ffNumber, 15, 0, "-1,235"},
        FloatCase{999.5L, ffNumber, 15, 0, "1,000"}, FloatCase{1234.5L, ffCurrency, 15, 2, "$1,234.50"},
        FloatCase{-0.5L, ffCurrency, 15, 2, "($0.50)"}));

TEST_F(SysUtilsTest, FloatToStrIsGeneralWithFifteenDigits) {
  EXPECT_EQ(FloatToStr(0), "0");
  EXPECT_EQ(FloatToStr(0.1), "0.1");
  EXPECT_EQ(FloatToStr(-2.5), "-2.5");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStr(1.5e-5), "1.5E-5");
  EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346E17");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
}

TEST_F(SysUtilsTest, CurrencyLayoutsFollowTheSettings) {
  const char* Positive[4] = {"$1.50", "1.50$", "$ 1.50", "1.50 $"};
  for (int F = 0; F < 4; ++F) {
    FormatSettings.CurrencyFormat = static_cast<Byte>(F);
    EXPECT_EQ(FloatToStrF(1.5, ffCurrency, 15, 2), Positive[F]) << F;
  }
  const char* Negative[16] = {"($1,234.50)",  "-$1,234.50",   "$-1,234.50",   "$1,234.50-",
                              "(1,234.50$)",  "-1,234.50$",   "1,234.50-$",   "1,234.50$-",
                              "-1,234.50 $",  "-$ 1,234.50",  "1,234.50 $-",  "$ 1,234.50-",
                              "$ -1,234.50",  "1,234.50- $",  "($ 1,234.50)", "(1,234.50 $)"};
  for (int F = 0; F < 16; ++F) {
    FormatSettings.NegCurrFormat = static_cast<Byte>(F);
    EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2), Negative[F]) << F;
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(-12345000), ffCurrency, 2), Negative[F]) << F;
  }
}

struct PatternCase {
  const char* Format;
  Extended Value;
  const char* Expected;
};

class FormatFloatTable : public SysUtilsTest, public ::testing::WithParamInterface<PatternCase> {};

TEST_P(FormatFloatTable, Formats) {
  const PatternCase& C = GetParam();
  EXPECT_EQ(FormatFloat(C.Format, C.Value), C.Expected) << "format \"" << C.Format << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatFloatTable,
    ::testing::Values(
        PatternCase{"0.00", 3.14159L, "3.14"}, PatternCase{"0", 2.5L, "3"}, PatternCase{"0", -2.5L, "-3"},
        PatternCase{"#,##0.00", 1234567.891L, "1,234,567.89"}, PatternCase{"#,##0.00", 0.5L, "0.50"},
        PatternCase{"#,##0", -1234567, "-1,234,567"}, PatternCase{"#.##", 0.5L, ".5"},
        PatternCase{"0.##", 5, "5"}, PatternCase{"0.0#", 5.25L, "5.25"}, PatternCase{"000", 7, "007"},
        PatternCase{"00.00", 123.456L, "123.46"}, PatternCase{".00", 12.5L, "12.50"},
        PatternCase{"0.00", 1.005, "1.01"}, PatternCase{"0", 1e25L, "1E25"},
        PatternCase{"0.00E+00", 1234.5L, "1.23E+03"}, PatternCase{"0.00E-00", 0.0012345L, "1.23E-03"},
        PatternCase{"0.0E-0", 1234.5L, "1.2E3"}, PatternCase{"00.0e+0", 1234.5L, "12.3e+2"},
        PatternCase{"0.00E+00", 0, "0.00E+00"}, PatternCase{"0;(0)", -5, "(5)"}, PatternCase{"0;(0)", 5, "5"},
        PatternCase{"0.00;(0.00);\"zero\"", 0, "zero"}, PatternCase{"0.00;;\"zero\"", -0.001L, "zero"},
        PatternCase{"0.00;;\"zero\"", -2, "-2.00"}, PatternCase{"0.0", -0.01L, "0.0"},
        PatternCase{"0;(0)", -0.2L, "0"}, PatternCase{"\"$\"#,##0", 1234, "$1,234"},
        PatternCase{"0 'pcs'", 3, "3 pcs"}, PatternCase{"'a;b' 0", 3, "a;b 3"}, PatternCase{"", 1.5L, "1.5"},
        PatternCase{"000-00", 12345, "123-45"}));

TEST_F(SysUtilsTest, NumberFormatsFollowTheSettings) {
  UseGermanSettings();
  EXPECT_EQ(FloatToStr(1.5), "1,5");
  EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 2), "1.234,50");
  EXPECT_EQ(FloatToStrF(1234.5, ffCurrency, 15, 2), "1.234,50 EUR");
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2), "-1.234,50 EUR");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(15000)), "1,5");
}

// ---- float parsing ----

TEST_F(SysUtilsTest, StrToFloatReadsTheFrameworkSyntax) {
  struct {
    const char* Text;
    Extended Value;
  } Cases[] = {{"1.5", 1.5L}, {"  1.5  ", 1.5L}, {"-2.5e3", -2500}, {"+.5", 0.5L}, {"1.", 1},
               {"1E+2", 100}, {"1e-2", 0.01L}, {"0", 0}, {"007", 7}, {"123456789012345678", 123456789012345678.0L}};
  for (const auto& C : Cases) EXPECT_EQ(StrToFloat(C.Text), C.Value) << C.Text;
}

TEST_F(SysUtilsTest, StrToFloatRefusesBadText) {
  for (const char* Bad : {"", " ", "abc", "1,5", "1.5.2", "e5", "1e", "1e+", "--1", "1 000", ".", "-", "1e99999",
                          "INF", "0x10", "1.5x"}) {
    Extended V = 42;
    EXPECT_FALSE(TryStrToFloat(Bad, V)) << Bad;
    EXPECT_EQ(V, 42);
    EXPECT_EQ(StrToFloatDef(Bad, -1), -1) << Bad;
  }
  try {
    StrToFloat("abc");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_STREQ(E.what(), "'abc' is not a valid floating point value");
  }
}

TEST_F(SysUtilsTest, StrToFloatUsesTheLocaleDecimalSeparator) {
  UseGermanSettings();
  EXPECT_EQ(StrToFloat("1,5"), 1.5L);
  EXPECT_THROW(StrToFloat("1.5"), EConvertError);
}

TEST_F(SysUtilsTest, FloatTextRoundTripsAtFifteenDigits) {
  for (double V : {0.1, 1.0 / 3, -123456.789, 6.02214076e23, 1.5e-10}) {
    EXPECT_NEAR(static_cast<double>(StrToFloat(FloatToStr(V))), V, std::fabs(V) * 1e-14) << FloatToStr(V);
  }
}

// ---- currency ----

TEST_F(SysUtilsTest, CurrToStrShowsTheExactAmount) {
  EXPECT_EQ(CurrToStr(Currency::FromRaw(12345)), "1.2345");
  EXPECT_EQ(CurrToStr(Currency::FromInt(100)), "100");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(-15000)), "-1.5");
  EXPECT_EQ(CurrToStr(Currency{}), "0");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(std::numeric_limits<int64_t>::max())), "922337203685477.5807");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(std::numeric_limits<int64_t>::min())), "-922337203685477.5808");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(12350), ffFixed, 2), "1.24");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345678900000), ffNumber, 2), "1,234,567,890.00");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345), ffCurrency, 2), "$1.23");
}

TEST_F(SysUtilsTest, StrToCurrIsExactAndRoundsAtTheFourthDecimal) {
  EXPECT_EQ(StrToCurr("1.23456").Raw, 12346);
  EXPECT_EQ(StrToCurr("-0.00005").Raw, -1);
  EXPECT_EQ(StrToCurr("0.00004").Raw, 0);
  EXPECT_EQ(StrToCurr("1e3").Raw, 10000000);
  EXPECT_EQ(StrToCurr("922337203685477.5807").Raw, std::numeric_limits<int64_t>::max());
  EXPECT_EQ(StrToCurr("-922337203685477.5808").Raw, std::numeric_limits<int64_t>::min());
  EXPECT_THROW(StrToCurr("922337203685477.5808"), EConvertError);
  EXPECT_THROW(StrToCurr("1e20"), EConvertError);
  try {
    StrToCurr("12 EUR");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_STREQ(E.what(), "'12 EUR' is not a valid floating point value");
  }
}

// ---- locale ----

namespace {
// Sets an environment variable for the duration of a test.
class TEnvVar {
public:
  TEnvVar(const char* Name, const std::string& Value) : FName(Name) {
    const char* Old = std::getenv(Name);
    FHad = Old != nullptr;
    if (Old) FOld = Old;
    setenv(Name, Value.c_str(), 1);
  }
  ~TEnvVar() {
    if (FHad) setenv(FName.c_str(), FOld.c_str(), 1);
    else unsetenv(FName.c_str());
  }

private:
  std::string FName, FOld;
  bool FHad = false;
};

bool LocaleInstalled(const char* Name) {
  locale_t L = newlocale(LC_ALL_MASK, Name, static_cast<locale_t>(0));
  if (L == static_cast<locale_t>(0)) return false;
  freelocale(L);
  return true;
}

// Machines without the German locale get one compiled into the scratch folder
// when localedef and the locale sources are there; the answer is the LOCPATH to
// use ("" for the system's folders), or nothing.
std::optional<std::string> GermanLocalePath() {
  if (LocaleInstalled("de_DE.UTF-8")) return std::string();
  const char* Tmp = std::getenv("ZYMQIX_TEST_TMP");
  if (!Tmp) return std::nullopt;
  std::string Dir = std::string(Tmp) + "/locales";
  std::string Cmd = "test -f '" + Dir + "/de_DE.UTF-8/LC_TIME' || { mkdir -p '" + Dir +
                    "' && localedef -i de_DE -f UTF-8 '" + Dir + "/de_DE.UTF-8' >/dev/null 2>&1; }";
  if (std::system(Cmd.c_str()) == -1) return std::nullopt;
  // glibc remembers a failed look-up, so LOCPATH is set only once the files exist.
  TEnvVar Path("LOCPATH", Dir);
  if (!LocaleInstalled("de_DE.UTF-8")) return std::nullopt;
  return Dir;
}
}  // namespace

TEST_F(SysUtilsTest, LoadsTheCLocale) {
  TEnvVar Env("LC_ALL", "C");
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ShortDateFormat = "yyyy";
  LoadFormatSettingsFromLocale();
  EXPECT_EQ(FormatSettings.DecimalSeparator, '.');
  EXPECT_EQ(FormatSettings.ThousandSeparator, ',') << "the C locale names none; the default stays";
  EXPECT_EQ(FormatSettings.ShortDateFormat, "mm/dd/yy");
  EXPECT_EQ(FormatSettings.DateSeparator, '/');
  EXPECT_EQ(FormatSettings.LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(FormatSettings.ShortTimeFormat, "hh:nn");
  EXPECT_EQ(FormatSettings.LongMonthNames[0], "January");
  EXPECT_EQ(FormatSettings.ShortDayNames[0], "Sun");
  EXPECT_EQ(FormatSettings.TimeAMString, "AM");
  EXPECT_EQ(FormatSettings.CurrencyString, "$") << "the C locale names no currency; the default stays";
}

TEST_F(SysUtilsTest, LoadingLeavesTheProcessLocaleAlone) {
  TEnvVar Env("LC_ALL", "C.UTF-8");
  std::string Before = std::setlocale(LC_ALL, nullptr);
  LoadFormatSettingsFromLocale();
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), Before);
}

TEST_F(SysUtilsTest, AnUnknownLocaleKeepsTheSettings) {
  TEnvVar Env("LC_ALL", "xx_NOWHERE.UTF-8");
  FormatSettings.DecimalSeparator = ',';
  LoadFormatSettingsFromLocale();
  EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
}

TEST_F(SysUtilsTest, LoadsAGermanLocaleWhenInstalled) {
#if defined(__SANITIZE_ADDRESS__)
  // glibc's newlocale keeps its copy of LOCPATH for ever; that leak is not ours.
  __lsan::ScopedDisabler NoLeakCheck;
#endif
  std::optional<std::string> Path = GermanLocalePath();
  if (!Path) GTEST_SKIP() << "de_DE.UTF-8 is neither installed nor buildable here";
  std::optional<TEnvVar> LocPath;
  if (!Path->empty()) LocPath.emplace("LOCPATH", *Path);
  TEnvVar Env("LC_ALL", "de_DE.UTF-8");
  LoadFormatSettingsFromLocale();
  EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
  EXPECT_EQ(FormatSettings.ThousandSeparator, '.');
  EXPECT_EQ(FormatSettings.DateSeparator, '.');
  EXPECT_EQ(FormatSettings.ShortDateFormat, "dd/mm/yyyy");
  EXPECT_EQ(FormatSettings.CurrencyFormat, 3);
  EXPECT_EQ(FormatSettings.NegCurrFormat, 8);
  EXPECT_EQ(FormatSettings.CurrencyString, "\u20ac");
  EXPECT_EQ(FormatSettings.LongMonthNames[2], "M\u00e4rz");
  EXPECT_EQ(FormatSettings.LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(DateToStr(Sample), "03.02.2024");
  EXPECT_EQ(StrToFloat("1,5"), 1.5L);
}
