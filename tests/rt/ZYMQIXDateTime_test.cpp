#include "rt/ZYMQIXDateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vcl/Host.h"

using namespace zymqix;
using vcl::EConvertError;
using vcl::TDateTime;
using vcl::Word;

namespace {

constexpr double Hour = 1.0 / 24;

TDateTime D(Word Y, Word M, Word Dd) { return vcl::EncodeDate(Y, M, Dd); }
TDateTime T(Word H, Word M, Word S = 0, Word Ms = 0) { return vcl::EncodeTime(H, M, S, Ms); }

/// Fixed English locale, default settings and a fixed clock (Thursday 2026-12-10 15:00).
class DateTimeTest : public ::testing::Test {
protected:
  void SetUp() override {
    vcl::ResetFormatSettings();
    ResetZYMSettings();
    vcl::Host().FixNow(D(2026, 12, 10) + 15 * Hour);
  }
  void TearDown() override {
    vcl::ResetFormatSettings();
    ResetZYMSettings();
  }
  vcl::THostScope Host;
};

/// A locale with day-month-year order, "." between date parts and time parts,
/// "," for decimals and German names.
void UseGermanLocale() {
  auto& F = vcl::FormatSettings;
  F.DateSeparator = '.';
  F.TimeSeparator = '.';
  F.DecimalSeparator = ',';
  F.ShortDateFormat = "dd.mm.yyyy";
  F.LongDateFormat = "dddd, d. mmmm yyyy";
  F.LongTimeFormat = "hh.nn.ss";
  F.ShortTimeFormat = "hh.nn";
  const char* Long[12] = {"Januar", "Februar", "M\xE4rz",  "April",    "Mai",      "Juni",
                          "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
  const char* Short[12] = {"Jan", "Feb", "M\xE4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
  const char* Days[7] = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
  const char* ShortDays[7] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  for (int I = 0; I < 12; ++I) {
    F.LongMonthNames[I] = Long[I];
    F.ShortMonthNames[I] = Short[I];
  }
  for (int I = 0; I < 7; ++I) {
    F.LongDayNames[I] = Days[I];
    F.ShortDayNames[I] = ShortDays[I];
  }
}

}  // namespace

// The ordinals are what stored forms and the controls rely on.
static_assert(static_cast<int>(mftLongName) == 2 && static_cast<int>(dftShortName) == 1);
static_assert(static_cast<int>(dfCustom) == 2 && static_cast<int>(tfLong) == 1);
static_assert(static_cast<int>(dtfCustomRFC822Diff) == 1 && static_cast<int>(dtfShortDateShortTime) == 2 &&
              static_cast<int>(dtfRFC822) == 6 && static_cast<int>(dtfLocalRFC822Long) == 9);

// ---- calendar ----

TEST_F(DateTimeTest, DecodeAndEncodeAgreeAcrossTheWholeRange) {
  struct Case {
    Word Y, M, Dd;
    TDateTime Value;
  };
  const Case Cases[] = {
      {1899, 12, 30, 0},     {1899, 12, 29, -1},       {1800, 1, 1, -36522}, {1601, 1, 1, -109205},
      {1, 1, 1, -693593},    {9999, 12, 31, 2958465},  {2000, 2, 29, 36585}, {2024, 2, 29, 45351},
      {1970, 1, 1, 25569},   {1899, 1, 31, -333},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Value);
    EXPECT_EQ(OptEncodeDateW(C.Y, C.M, C.Dd), C.Value);
    Word Y, M, Dd;
    // Before 1899-12-30 the time of day does not move the day.
    OptDecodeDateW(C.Value < 0 ? C.Value - 0.75 : C.Value + 0.75, Y, M, Dd);
    EXPECT_EQ(Y, C.Y);
    EXPECT_EQ(M, C.M);
    EXPECT_EQ(Dd, C.Dd);
  }
}

TEST_F(DateTimeTest, DecodingAValueOutsideTheCalendarGivesZeros) {
  for (TDateTime V : {-693594.0, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity()}) {
    Word Y = 1, M = 1, Dd = 1;
    OptDecodeDateW(V, Y, M, Dd);
    EXPECT_EQ(Y + M + Dd, 0) << V;
  }
}

TEST_F(DateTimeTest, EncodingClampsADayPastTheMonthEndAndRefusesOtherBadParts) {
  EXPECT_EQ(OptEncodeDateW(2023, 2, 31), D(2023, 2, 28));
  EXPECT_EQ(OptEncodeDateW(2024, 2, 30), D(2024, 2, 29));
  EXPECT_EQ(OptEncodeDateW(2024, 4, 31), D(2024, 4, 30));
  struct Bad {
    Word Y, M, Dd;
  };
  for (Bad B : {Bad{0, 1, 1}, Bad{10000, 1, 1}, Bad{2024, 0, 1}, Bad{2024, 13, 1}, Bad{2024, 1, 0}, Bad{2024, 1, 32}})
    EXPECT_THROW(OptEncodeDateW(B.Y, B.M, B.Dd), EConvertError) << B.Y << "-" << B.M << "-" << B.Dd;
}

TEST_F(DateTimeTest, TimeOfDayOfANegativeDateIsTheFractionWithoutItsSign) {
  Word H, M, S, Ms;
  ZYMDecodeTime(-1.25, H, M, S, Ms);  // 1899-12-29 06:00
  EXPECT_EQ(H, 6);
  EXPECT_EQ(M, 0);
  ZYMDecodeTime(D(2024, 1, 1) + T(23, 59, 59, 999), H, M, S, Ms);
  EXPECT_EQ(H * 10000000 + M * 100000 + S * 1000 + Ms, 235959999);
  EXPECT_DOUBLE_EQ(ZYMEncodeTime(18, 0, 0, 0), 0.75);
  EXPECT_THROW(ZYMEncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(ZYMEncodeTime(1, 60, 0, 0), EConvertError);
}

TEST_F(DateTimeTest, DaysOfTheWeekInBothNumberings) {
  struct Case {
    TDateTime Value;
    int DOW, ISO;
  };
  const Case Cases[] = {
      {D(2024, 1, 1), 2, 1},        // Monday
      {D(2024, 1, 7), 1, 7},        // Sunday
      {0, 7, 6},                    // Saturday 1899-12-30
      {-1.5, 6, 5},                 // Friday 1899-12-29, midday
      {D(1800, 1, 1), 4, 3},        // Wednesday
      {D(1601, 1, 1), 2, 1},        // Monday
      {D(2026, 12, 10) + 0.9, 5, 4},  // Thursday
      {1e300, 0, 0},                 // outside the calendar: no day
      {std::numeric_limits<double>::quiet_NaN(), 0, 0},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(DayOfWeek(C.Value), C.DOW) << C.Value;
    EXPECT_EQ(ISODayOfWeek(C.Value), C.ISO) << C.Value;
  }
}

TEST_F(DateTimeTest, DayNumberingsConvertBothWaysAndNoDayStaysNoDay) {
  const int ISOOfDOW[8] = {0, 7, 1, 2, 3, 4, 5, 6};
  for (int DOW = 0; DOW <= 7; ++DOW) {
    EXPECT_EQ(DOW2ISODOW(DOW), ISOOfDOW[DOW]);
    EXPECT_EQ(ISODOW2DOW(DOW2ISODOW(DOW)), DOW);
  }
  EXPECT_EQ(ISODOW2DOW(1), 2);  // Monday
  EXPECT_EQ(ISODOW2DOW(7), 1);  // Sunday
  for (int Bad : {-1, 8, 100}) {
    EXPECT_EQ(DOW2ISODOW(Bad), 0);
    EXPECT_EQ(ISODOW2DOW(Bad), 0);
  }
}

TEST_F(DateTimeTest, TodayRoutinesReadTheHostClock) {
  EXPECT_EQ(OptDate(), D(2026, 12, 10));
  EXPECT_EQ(ThisDOW(), 5);
  EXPECT_EQ(ThisISODOW(), 4);
  EXPECT_EQ(OptThisMonth(), 12);
  EXPECT_EQ(OptThisYear(), 2026);
  EXPECT_EQ(ThisYear(), 2026);

  vcl::Host().FixNow(D(1999, 3, 7) + 0.01);  // a Sunday
  EXPECT_EQ(OptDate(), D(1999, 3, 7));
  EXPECT_EQ(ThisDOW(), 1);
  EXPECT_EQ(ThisISODOW(), 7);
  EXPECT_EQ(OptThisMonth(), 3);
  EXPECT_EQ(ThisYear(), 1999);
}

TEST_F(DateTimeTest, MonthAndDayNamesInAnyCaseAndLength) {
  struct Case {
    const char* Text;
    int Month, Day;
  };
  const Case English[] = {
      {"March", 3, 0},   {"mar", 3, 0},      {"  DECEMBER ", 12, 0}, {"May", 5, 0},  {"Sunday", 0, 1},
      {"sat", 0, 7},     {"WEDNESDAY", 0, 4}, {"", 0, 0},             {"Marc", 0, 0}, {"Januar", 0, 0},
  };
  for (const Case& C : English) {
    EXPECT_EQ(MonthName2Month(C.Text), C.Month) << C.Text;
    EXPECT_EQ(DayName2DOW(C.Text), C.Day) << C.Text;
  }
  UseGermanLocale();
  const Case German[] = {
      {"m\xE4rz", 3, 0}, {"M\xC4R", 3, 0}, {"Okt", 10, 0}, {"October", 0, 0}, {"freitag", 0, 6}, {"So", 0, 1},
  };
  for (const Case& C : German) {
    EXPECT_EQ(MonthName2Month(C.Text), C.Month) << C.Text;
    EXPECT_EQ(DayName2DOW(C.Text), C.Day) << C.Text;
  }
}

TEST_F(DateTimeTest, LeapYears) {
  for (Word Y : {1600, 2000, 2024, 1904}) EXPECT_TRUE(IsLeapYear(Y)) << Y;
  for (Word Y : {1700, 1900, 2100, 2023, 2026}) EXPECT_FALSE(IsLeapYear(Y)) << Y;
}

// ---- arithmetic ----

TEST_F(DateTimeTest, MonthArithmeticClampsToTheMonthEndAndKeepsTheTime) {
  struct Case {
    TDateTime (*Fn)(TDateTime, vcl::Extended);
    TDateTime From;
    vcl::Extended N;
    TDateTime To;
  };
  const Case Cases[] = {
      {AddMonths, D(2024, 1, 31), 1, D(2024, 2, 29)},
      {AddMonths, D(2023, 1, 31), 1, D(2023, 2, 28)},
      {AddMonths, D(2024, 1, 31), 13, D(2025, 2, 28)},
      {SubtractMonths, D(2024, 3, 31), 1, D(2024, 2, 29)},
      {AddMonths, D(2024, 12, 15), 1, D(2025, 1, 15)},
      {SubtractMonths, D(2024, 1, 15), 1, D(2023, 12, 15)},
      {AddMonths, D(2024, 1, 31), -11, D(2023, 2, 28)},
      {AddQuarters, D(2024, 5, 31), 1, D(2024, 8, 31)},
      {AddQuarters, D(2024, 8, 31), 1, D(2024, 11, 30)},
      {SubtractQuarters, D(2024, 5, 31), 1, D(2024, 2, 29)},
      {AddSemesters, D(2024, 8, 31), 1, D(2025, 2, 28)},
      {SubtractSemesters, D(2024, 8, 31), 1, D(2024, 2, 29)},
      {AddYrs, D(2024, 2, 29), 1, D(2025, 2, 28)},
      {AddYrs, D(2024, 2, 29), 4, D(2028, 2, 29)},
      {SubtractYrs, D(2024, 2, 29), 100, D(1924, 2, 29)},
      {AddMonths, D(1899, 1, 31), 1, D(1899, 2, 28)},
      {SubtractYrs, D(1900, 3, 1), 300, D(1600, 3, 1)},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.From);
    EXPECT_EQ(C.Fn(C.From, C.N), C.To);
    // 18:00 stays 18:00, before 1899-12-30 too (where it is stored as -0.75).
    TDateTime From = vcl::ComposeDateTime(C.From, 0.75), To = vcl::ComposeDateTime(C.To, 0.75);
    EXPECT_EQ(C.Fn(From, C.N), To);
  }
}

TEST_F(DateTimeTest, AFractionOfAMonthIsThatShareOfTheMonthReached) {
  EXPECT_DOUBLE_EQ(AddMonths(D(2024, 1, 1), 1.5), D(2024, 2, 1) + 14.5);  // February 2024 has 29 days
  EXPECT_DOUBLE_EQ(AddYrs(D(2024, 1, 1), 0.5), D(2024, 7, 1));
}

TEST_F(DateTimeTest, DayArithmeticFollowsTheTimeLineAcross1899) {
  struct Case {
    TDateTime (*Fn)(TDateTime, vcl::Extended);
    TDateTime From;
    vcl::Extended N;
    TDateTime To;
  };
  const Case Cases[] = {
      {AddDays, -1.25, 2, 1.25},             // 12-29 06:00 + 2 days = 12-31 06:00
      {SubtractDays, 1.25, 2, -1.25},
      {AddDays, -2.25, 0.5, -2.75},          // 12-28 06:00 + 12 h = 12-28 18:00
      {AddDays, 0.25, -0.5, -1.75},          // 12-30 06:00 - 12 h = 12-29 18:00
      {AddWeeks, D(1899, 12, 1), 5, D(1900, 1, 5)},
      {SubtractWeeks, D(2024, 3, 1), 1, D(2024, 2, 23)},
      {AddHrs, -2.25, 12, -2.75},
      {AddHrs, D(2024, 1, 1) + 23 * Hour, 2, D(2024, 1, 2) + Hour},
      {SubtractHrs, D(1899, 1, 1), 6, vcl::ComposeDateTime(D(1898, 12, 31), 18 * Hour)},
      {AddMins, D(2024, 1, 1), 90, D(2024, 1, 1) + 1.5 * Hour},
      {SubtractMins, -3.0, 30, vcl::ComposeDateTime(-4.0, T(23, 30))},
      {AddSecs, D(2024, 1, 1), 86400, D(2024, 1, 2)},
      {SubtractSecs, D(2024, 1, 1) + 0.5, 1, D(2024, 1, 1) + T(11, 59, 59)},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.From);
    EXPECT_NEAR(C.Fn(C.From, C.N), C.To, 1e-9);
  }
}

TEST_F(DateTimeTest, ABareTimeGoingBelowMidnightKeepsThePlainSumForWrapping) {
  // The time edit wraps v < 0 into Frac(v) + 1: 01:00 minus 2 hours is 23:00.
  TDateTime V = SubtractHrs(Hour, 2);
  EXPECT_NEAR(V, -Hour, 1e-12);
  EXPECT_NEAR(vcl::Frac(V) + 1, 23 * Hour, 1e-12);
  EXPECT_NEAR(vcl::Frac(AddHrs(23 * Hour, 2)), Hour, 1e-12);
  EXPECT_NEAR(vcl::Frac(AddMins(0, -30)) + 1, T(23, 30), 1e-12);
  EXPECT_NEAR(vcl::Frac(SubtractSecs(T(0, 0, 10), 20)) + 1, T(23, 59, 50), 1e-12);
}

TEST_F(DateTimeTest, ArithmeticRefusesResultsOutsideTheCalendar) {
  const double NaN = std::numeric_limits<double>::quiet_NaN();
  EXPECT_THROW(AddYrs(D(9999, 12, 31), 1), EConvertError);
  EXPECT_THROW(AddDays(D(9999, 12, 31), 1), EConvertError);
  EXPECT_THROW(SubtractDays(D(1, 1, 1), 1), EConvertError);
  EXPECT_THROW(SubtractMonths(D(1, 1, 1), 1), EConvertError);
  EXPECT_THROW(AddDays(NaN, 1), EConvertError);
  EXPECT_THROW(AddMonths(D(2024, 1, 1), NaN), EConvertError);
  EXPECT_THROW(AddHrs(D(2024, 1, 1), std::numeric_limits<double>::infinity()), EConvertError);
  EXPECT_EQ(AddMonths(D(9999, 11, 30), 1), D(9999, 12, 30));
}

// ---- file times ----

TEST_F(DateTimeTest, FileTimesCountTicksFrom1601) {
  EXPECT_EQ(FileTime2Ticks(DateTime2FileTime(ZYMFileTimeOrigin)), 0u);
  EXPECT_EQ(FileTime2Ticks(DateTime2FileTime(D(1970, 1, 1))), 116444736000000000u);
  EXPECT_EQ(FileTime2Ticks(DateTime2FileTime(vcl::ComposeDateTime(D(1601, 1, 2), T(0, 0, 1)))), 864000000000u + 10000000u);
  FILETIME F = Ticks2FileTime(0x0123456789ABCDEFu);
  EXPECT_EQ(F.dwHighDateTime, 0x01234567u);
  EXPECT_EQ(F.dwLowDateTime, 0x89ABCDEFu);
  EXPECT_EQ(FileTime2DateTime(FILETIME{}), ZYMFileTimeOrigin);
}

TEST_F(DateTimeTest, FileTimesRoundTrip) {
  const TDateTime Values[] = {
      vcl::ComposeDateTime(D(1601, 1, 1), T(0, 0, 0, 1)), -36522.5, -1.25, 0, T(12, 34, 56, 789), D(2024, 2, 29) + T(23, 59, 59, 999),
      D(9999, 12, 31) + T(23, 59, 59), D(1850, 6, 15) - T(7, 30)};
  for (TDateTime V : Values) {
    SCOPED_TRACE(V);
    FILETIME F = DateTime2FileTime(V);
    EXPECT_NEAR(FileTime2DateTime(F), V, 1e-9);
    Word Y1, M1, D1, Y2, M2, D2, H1, N1, S1, Ms1, H2, N2, S2, Ms2;
    OptDecodeDateW(V, Y1, M1, D1);
    OptDecodeDateW(FileTime2DateTime(F), Y2, M2, D2);
    ZYMDecodeTime(V, H1, N1, S1, Ms1);
    ZYMDecodeTime(FileTime2DateTime(F), H2, N2, S2, Ms2);
    EXPECT_EQ(std::tie(Y1, M1, D1, H1, N1, S1, Ms1), std::tie(Y2, M2, D2, H2, N2, S2, Ms2));
    // A file time on a whole millisecond comes back exactly.
    EXPECT_EQ(DateTime2FileTime(FileTime2DateTime(F)), F);
  }
}

TEST_F(DateTimeTest, DatesBefore1601HaveTheZeroFileTime) {
  EXPECT_EQ(DateTime2FileTime(D(1600, 12, 31)), FILETIME{});
  EXPECT_EQ(DateTime2FileTime(D(1, 1, 1)), FILETIME{});
  EXPECT_THROW(DateTime2FileTime(std::numeric_limits<double>::quiet_NaN()), EConvertError);
}

// ---- two-digit years ----

TEST_F(DateTimeTest, TwoDigitYearRulesAtAndAroundTheCutoff) {
  struct Case {
    TZYM2DigitYr Rule;
    Word CutOff, Year, Expected;
  };
  const Case Cases[] = {
      {dyCutOff, 1950, 49, 2049},   {dyCutOff, 1950, 50, 1950},  {dyCutOff, 1950, 51, 1951},
      {dyCutOff, 1950, 0, 2000},    {dyCutOff, 1950, 99, 1999},  {dyCutOff, 1930, 29, 2029},
      {dyCutOff, 1930, 30, 1930},   {dyCutOff, 2030, 29, 2129},  {dyCutOff, 2030, 30, 2030},
      {dyNotFuture, 0, 26, 2026},   {dyNotFuture, 0, 27, 1927},  {dyNotFuture, 0, 25, 2025},
      {dyNotFuture, 0, 0, 2000},    {dyAsIs, 1950, 49, 49},      {dyCutOff, 1950, 100, 100},
      {dyCutOff, 1950, 2049, 2049}, {dyCutOff, 9950, 49, 49},    {dyCutOff, 0, 49, 49},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(Adjust2DigitYr(C.Year, C.Rule, C.CutOff), C.Expected)
        << static_cast<int>(C.Rule) << " " << C.CutOff << " " << C.Year;
    if (C.Year >= 100) continue;
    // Str2Date applies the same rule through the settings.
    TZYMSettingGuard Rule(ZYM2DigitYr, C.Rule);
    TZYMSettingGuard Cut(ZYM2DigitCutOff, C.CutOff);
    if (C.Expected == 0) continue;
    EXPECT_EQ(Str2Date("3/1/" + std::to_string(C.Year)), D(C.Expected, 3, 1)) << C.Year;
  }
}

TEST_F(DateTimeTest, OnlyOneAndTwoDigitYearsAreExpanded) {
  EXPECT_EQ(Str2Date("3/1/049"), D(49, 3, 1));
  EXPECT_EQ(Str2Date("3/1/0049"), D(49, 3, 1));
  EXPECT_EQ(Str2Date("3/1/5"), D(2005, 3, 1));
  TZYMSettingGuard AsIs(ZYM2DigitYr, dyAsIs);
  EXPECT_EQ(Str2Date("3/1/49"), D(49, 3, 1));
  EXPECT_EQ(Str2Date("3/1/0"), 0);  // there is no year 0
}

TEST_F(DateTimeTest, NotInTheFutureNearTheStartOfTheCalendar) {
  vcl::Host().FixNow(D(30, 6, 1));
  EXPECT_EQ(Adjust2DigitYr(20, dyNotFuture, 0), 20);
  EXPECT_EQ(Adjust2DigitYr(40, dyNotFuture, 0), 40);  // year -60 does not exist
}

// ---- parsing dates ----

struct DateParseCase {
  const char* Text;
  TDateTime Expected;  // 0: invalid
};

TEST_F(DateTimeTest, Str2DateInTheEnglishLocale) {
  const DateParseCase Cases[] = {
      {"12/25/2024", D(2024, 12, 25)}, {"1/2/2024", D(2024, 1, 2)},    {"01/02/2024", D(2024, 1, 2)},
      {"12-25-2024", D(2024, 12, 25)}, {" 12/25/24 ", D(2024, 12, 25)}, {"2/29/2024", D(2024, 2, 29)},
      {"2024-12-25", D(2024, 12, 25)}, {"12/25", D(2026, 12, 25)},     {"Dec 25 2024", D(2024, 12, 25)},
      {"december 25, 2024", D(2024, 12, 25)}, {"12/30/1899", 0},       {"1/1/1800", D(1800, 1, 1)},
      {"2/29/2023", 0}, {"13/1/2024", 0}, {"12/32/2024", 0}, {"0/1/2024", 0}, {"1/1/12345", 0}, {"", 0},
      {"abc", 0},       {"12/25/2024/1", 0}, {"12.25.2024", 0}, {"12/25/2024 10:00", 0}, {"25 Foo 2024", 0},
      {"123/1/2024", 0},
  };
  for (const DateParseCase& C : Cases) {
    SCOPED_TRACE(C.Text);
    EXPECT_EQ(Str2Date(C.Text), C.Expected);
    TZYMSettingGuard Raise(ZYMRaiseDateError, true);
    if (C.Expected != 0 || std::string(C.Text) == "12/30/1899") {
      EXPECT_EQ(Str2Date(C.Text), C.Expected);
    } else {
      EXPECT_THROW(Str2Date(C.Text), EConvertError);
    }
  }
}

TEST_F(DateTimeTest, Str2DateInAChangedLocale) {
  UseGermanLocale();
  const DateParseCase Cases[] = {
      {"25.12.2024", D(2024, 12, 25)}, {"1.2.2024", D(2024, 2, 1)}, {"25/12/2024", D(2024, 12, 25)},
      {"25-12-24", D(2024, 12, 25)},   {"25. Dez 2024", D(2024, 12, 25)}, {"3. M\xE4rz 1850", D(1850, 3, 3)},
      {"25.12.", D(2026, 12, 25)},     {"12.25.2024", 0}, {"31.4.2024", 0},
  };
  for (const DateParseCase& C : Cases) EXPECT_EQ(Str2Date(C.Text), C.Expected) << C.Text;

  vcl::FormatSettings.ShortDateFormat = "yyyy-mm-dd";
  vcl::FormatSettings.DateSeparator = '-';
  EXPECT_EQ(Str2Date("24-12-25"), D(2024, 12, 25));
  EXPECT_EQ(Str2Date("2024/1/5"), D(2024, 1, 5));
  EXPECT_EQ(Str2Date("12-25"), D(2026, 12, 25));
}

TEST_F(DateTimeTest, StrFormat2DateReadsByTheFormat) {
  struct Case {
    const char* Text;
    const char* Format;
    TDateTime Expected;  // 0: invalid
  };
  const Case Cases[] = {
      {"25.12.2024", "dd.mm.yyyy", D(2024, 12, 25)},
      {"25/12/24", "dd/mm/yy", D(2024, 12, 25)},
      {"5-3-2024", "d.m.yyyy", D(2024, 3, 5)},
      {"25122024", "ddmmyyyy", D(2024, 12, 25)},
      {"241225", "yymmdd", D(2024, 12, 25)},
      {"20241225", "yyyymmdd", D(2024, 12, 25)},
      {"December 25, 2024", "mmmm d, yyyy", D(2024, 12, 25)},
      {"dec 25, 2024", "mmm d, yyyy", D(2024, 12, 25)},
      {"Wednesday, December 25, 2024", "dddd, mmmm d, yyyy", D(2024, 12, 25)},
      {"2024-12-25 14:30", "yyyy-mm-dd hh:nn", D(2024, 12, 25) + T(14, 30)},
      {"2024-12-25 14:30", "yyyy-mm-dd hh:mm", D(2024, 12, 25) + T(14, 30)},
      {"1850-06-15 06:00", "yyyy-mm-dd hh:nn", vcl::ComposeDateTime(D(1850, 6, 15), T(6, 0))},
      {"12/2024", "mm/yyyy", D(2024, 12, 1)},
      {"25 of 12", "d 'of' m", D(2026, 12, 25)},
      {"2:30 pm 1/1/2000", "h:nn am/pm m/d/yyyy", D(2000, 1, 1) + T(14, 30)},
      {"12/25/2024", "", D(2024, 12, 25)},
      {"12/25/2024", "ddddd", D(2024, 12, 25)},
      {"31.02.2024", "dd.mm.yyyy", 0},
      {"25.12.2024x", "dd.mm.yyyy", 0},
      {"ab.12.2024", "dd.mm.yyyy", 0},
      {"25.12", "dd.mm.yyyy", 0},
      {"25 to 12", "d 'of' m", 0},
      {"Foo, December 25, 2024", "dddd, mmmm d, yyyy", 0},
      {"13:00 pm 1/1/2000", "h:nn am/pm m/d/yyyy", 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Text) + " | " + C.Format);
    EXPECT_NEAR(StrFormat2Date(C.Text, C.Format), C.Expected, 1e-9);
    TZYMSettingGuard Raise(ZYMRaiseDateError, true);
    if (C.Expected == 0) {
      EXPECT_THROW(StrFormat2Date(C.Text, C.Format), EConvertError);
    }
  }
}

TEST_F(DateTimeTest, StrFormat2DateAppliesTheTwoDigitRule) {
  TZYMSettingGuard Cut(ZYM2DigitCutOff, Word{1950});
  EXPECT_EQ(StrFormat2Date("01.01.49", "dd.mm.yy"), D(2049, 1, 1));
  EXPECT_EQ(StrFormat2Date("01.01.50", "dd.mm.yy"), D(1950, 1, 1));
  EXPECT_EQ(StrFormat2Date("01.01.1949", "dd.mm.yy"), D(1949, 1, 1));
}

// ---- parsing times ----

TEST_F(DateTimeTest, Str2TimeAcceptsTheUsualForms) {
  struct Case {
    const char* Text;
    TDateTime Expected;  // -1: invalid
  };
  const Case Cases[] = {
      {"14:30", T(14, 30)},          {"2:30:15", T(2, 30, 15)},         {"14:30:15.250", T(14, 30, 15, 250)},
      {"14:30:15.5", T(14, 30, 15, 500)}, {"2:30 PM", T(14, 30)},      {"2:30pm", T(14, 30)},
      {"12:00 AM", 0},               {"12:00 pm", T(12, 0)},            {"11:59:59 p", T(23, 59, 59)},
      {"1430", T(14, 30)},           {"9", T(9, 0)},                    {"143015", T(14, 30, 15)},
      {"930", T(9, 30)},             {"14.30", T(14, 30)},              {" 0:00 ", 0},
      {"23:59:59.999", T(23, 59, 59, 999)},
      {"24:00", -1}, {"13:00 PM", -1}, {"0:00 AM", -1}, {"14:60", -1}, {"14:30:60", -1}, {"", -1},
      {"abc", -1},   {"1:2:3:4", -1},  {"1234567", -1}, {"14:30 XM", -1}, {"14::30", -1}, {"14:30:15.", -1},
      {"123:00", -1},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    EXPECT_NEAR(Str2Time(C.Text), C.Expected < 0 ? 0 : C.Expected, 1e-12);
    TZYMSettingGuard Raise(ZYMRaiseDateError, true);
    if (C.Expected < 0) {
      EXPECT_THROW(Str2Time(C.Text), EConvertError);
    } else {
      EXPECT_NEAR(Str2Time(C.Text), C.Expected, 1e-12);
    }
  }
}

TEST_F(DateTimeTest, Str2TimeInAChangedLocale) {
  UseGermanLocale();
  vcl::FormatSettings.TimeAMString = "vorm.";
  EXPECT_NEAR(Str2Time("14.30"), T(14, 30), 1e-12);
  EXPECT_NEAR(Str2Time("14.30.15,5"), T(14, 30, 15, 500), 1e-12);
  EXPECT_NEAR(Str2Time("14:30:15.5"), T(14, 30, 15, 500), 1e-12);
  TZYMSettingGuard Raise(ZYMRaiseDateError, true);
  EXPECT_THROW(Str2Time("14,30"), EConvertError);
}

// ---- formatting ----

TEST_F(DateTimeTest, FormattersFollowTheLocale) {
  struct Case {
    TDateTime Value;
    const char* English;
    const char* German;
  };
  const Case Dates[] = {
      {D(2024, 12, 25), "12/25/2024", "25.12.2024"},
      {D(2024, 1, 5) + 0.75, "1/5/2024", "05.01.2024"},
      {-1.25, "12/29/1899", "29.12.1899"},
      {D(1800, 1, 1), "1/1/1800", "01.01.1800"},
  };
  for (const Case& C : Dates) EXPECT_EQ(Date2Str(C.Value), C.English);
  EXPECT_EQ(Date2FormatStr(D(2024, 12, 25), "yyyy-mm-dd"), "2024-12-25");
  EXPECT_EQ(Date2FormatStr(D(2024, 12, 25), ""), "12/25/2024");
  EXPECT_EQ(Time2Str(T(14, 30, 15)), "14:30:15");
  EXPECT_EQ(Time2FormatStr(T(14, 30, 15), "hh:nn"), "14:30");
  EXPECT_EQ(Time2FormatStr(-1.25, ""), "06:00:00");

  UseGermanLocale();
  for (const Case& C : Dates) EXPECT_EQ(Date2Str(C.Value), C.German);
  EXPECT_EQ(Time2Str(T(14, 30, 15)), "14.30.15");
  EXPECT_EQ(Date2FormatStr(D(2024, 3, 1), "d. mmmm yyyy"), "1. M\xE4rz 2024");
}

TEST_F(DateTimeTest, ParsingWhatWasFormattedGivesTheDateBack) {
  const TDateTime Dates[] = {D(2024, 12, 25), D(2024, 2, 29), D(1899, 12, 29), D(1850, 6, 15), D(1601, 1, 1),
                             D(9999, 12, 31)};
  for (bool German : {false, true}) {
    if (German) UseGermanLocale();
    for (TDateTime V : Dates) {
      EXPECT_EQ(Str2Date(Date2Str(V)), V) << Date2Str(V);
      EXPECT_EQ(StrFormat2Date(Date2FormatStr(V, vcl::FormatSettings.LongDateFormat), vcl::FormatSettings.LongDateFormat),
                V);
    }
  }
}

TEST_F(DateTimeTest, BlankWhenZeroBlanksTheZeroDateAndTheZeroTime) {
  {
    TZYMSettingGuard Blank(ZYMBlankWhenZero, true);
    EXPECT_EQ(Date2Str(0), "");
    EXPECT_EQ(Date2Str(0.5), "");  // the date part is zero
    EXPECT_EQ(Date2FormatStr(0, "yyyy"), "");
    EXPECT_EQ(Date2Str(1), "12/31/1899");
    EXPECT_EQ(Date2Str(-1), "12/29/1899");
    EXPECT_EQ(Time2Str(0), "");
    EXPECT_EQ(Time2Str(D(2024, 1, 1)), "");  // midnight
    EXPECT_EQ(Time2FormatStr(0, "hh:nn"), "");
    EXPECT_EQ(Time2Str(T(0, 0, 0, 1)), "00:00:00");
  }
  EXPECT_EQ(Date2Str(0), "12/30/1899");
  EXPECT_EQ(Time2Str(0), "00:00:00");
}

TEST_F(DateTimeTest, FormattingAValueOutsideTheCalendar) {
  for (TDateTime V : {1e9, -1e9, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(Date2Str(V), "");
    EXPECT_EQ(Time2Str(V), "");
    TZYMSettingGuard Raise(ZYMRaiseDateError, true);
    EXPECT_THROW(Date2Str(V), EConvertError);
    EXPECT_THROW(Time2FormatStr(V, "hh"), EConvertError);
  }
}
