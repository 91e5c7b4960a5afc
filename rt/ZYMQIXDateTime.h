// Dates and times of the base package: text conversions that follow the
// process-wide settings, the calendar routines, date arithmetic with
// end-of-month clamping, and Windows file times.
//
// A TDateTime counts days since 1899-12-30. Before that day the integral part
// (toward zero) is still the day and the fraction, taken without its sign, is
// the time of day: -1.25 is 1899-12-29 06:00. Every routine here follows that
// convention, so dates before 1899-12-30 decode, format and add correctly.
#pragma once

#include <cstdint>
#include <string>

#include "rt/ZYMQIXSettings.h"
#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"

namespace zymqix {

// ---- enumerations used by the date and time controls (values by ordinal) ----

/// How a month is shown.
enum class TZYMMonthFormatType : uint8_t {
  mftNumber,     ///< "3"
  mftShortName,  ///< the locale's short month name
  mftLongName,   ///< the locale's long month name
};
using enum TZYMMonthFormatType;

/// How a day of the week is shown.
enum class TZYMDOWFormatType : uint8_t {
  dftNumber,     ///< "1" .. "7"
  dftShortName,  ///< the locale's short day name
  dftLongName,   ///< the locale's long day name
};
using enum TZYMDOWFormatType;

/// Which format shows a date.
enum class TZYMDateFormatType : uint8_t {
  dfShort,   ///< the locale's ShortDateFormat
  dfLong,    ///< the locale's LongDateFormat
  dfCustom,  ///< a format of the control's own
};
using enum TZYMDateFormatType;

/// Which format shows a time.
enum class TZYMTimeFormatType : uint8_t {
  tfShort,   ///< the locale's ShortTimeFormat
  tfLong,    ///< the locale's LongTimeFormat
  tfCustom,  ///< a format of the control's own
};
using enum TZYMTimeFormatType;

/// Which text shows a date and time together.
enum class TZYMDateTimeFormatType : uint8_t {
  dtfCustom,              ///< the custom format
  dtfCustomRFC822Diff,    ///< the custom format, a space, the local zone's RFC 822 offset
  dtfShortDateShortTime,  ///< ShortDateFormat + " " + ShortTimeFormat
  dtfLongDateShortTime,   ///< LongDateFormat + " " + ShortTimeFormat
  dtfShortDateLongTime,   ///< ShortDateFormat + " " + LongTimeFormat
  dtfLongDateLongTime,    ///< LongDateFormat + " " + LongTimeFormat
  dtfRFC822,              ///< RFC822DateTime2Str
  dtfRFC822Long,          ///< RFC822DateTime2LongStr
  dtfLocalRFC822,         ///< LocalRFC822DateTime2Str
  dtfLocalRFC822Long,     ///< LocalRFC822DateTime2LongStr
};
using enum TZYMDateTimeFormatType;

// ---- the calendar ----

/// The first and last days a TDateTime may name: 0001-01-01 and 9999-12-31.
inline constexpr vcl::TDateTime ZYMMinDate = -693593.0;
inline constexpr vcl::TDateTime ZYMMaxDate = 2958465.0;

/// True when Value is a finite date-time between 0001-01-01 00:00 and 9999-12-31 23:59:59.999.
bool ZYMValidDateTime(vcl::TDateTime Value);

/// Year, month and day of a date-time; all three are 0 for a value outside
/// 0001-01-01 .. 9999-12-31 (or not a number), so that no caller sees a false date.
void OptDecodeDateW(vcl::TDateTime Value, vcl::Word& Year, vcl::Word& Month, vcl::Word& Day);
/// The date of Year, Month, Day. A day past the end of its month (up to 31) is
/// taken as the month's last day, so that changing the month or year of the
/// 31st or of February 29 stays in the month asked for. Any other invalid part
/// raises vcl::EConvertError.
vcl::TDateTime OptEncodeDateW(vcl::Word Year, vcl::Word Month, vcl::Word Day);
/// Hour, minute, second and millisecond of the time of day, rounded to the millisecond.
void ZYMDecodeTime(vcl::TDateTime Value, vcl::Word& Hour, vcl::Word& Minute, vcl::Word& Second,
                   vcl::Word& MilliSecond);
/// Raises vcl::EConvertError unless Hour < 24, Minute < 60, Second < 60, MilliSecond < 1000.
vcl::TDateTime ZYMEncodeTime(vcl::Word Hour, vcl::Word Minute, vcl::Word Second, vcl::Word MilliSecond);

bool IsLeapYear(vcl::Word Year);
/// 1 = Sunday .. 7 = Saturday; 0 for a value outside the calendar (as OptDecodeDateW).
int DayOfWeek(vcl::TDateTime Value);
/// ISO 8601: 1 = Monday .. 7 = Sunday; 0 outside the calendar.
int ISODayOfWeek(vcl::TDateTime Value);
/// ISO day (1 = Monday .. 7 = Sunday) to Sunday-first day (1 = Sunday); 0 for anything else.
int ISODOW2DOW(int ISODOW);
/// Sunday-first day (1 = Sunday .. 7) to ISO day (1 = Monday); 0 for anything else,
/// so "no day" stays "no day".
int DOW2ISODOW(int DOW);

// "This" and "today" routines read the host clock (vcl::Host().Now()).
vcl::TDateTime OptDate();  ///< today, without a time of day
int ThisDOW();             ///< today's day of the week, 1 = Sunday
int ThisISODOW();          ///< today's ISO day of the week, 1 = Monday
vcl::Word OptThisMonth();  ///< 1 .. 12
vcl::Word OptThisYear();
vcl::Word ThisYear();

/// 1 .. 12 for the locale's long or short name of a month in any case and
/// with surrounding blanks; 0 for any other text.
vcl::Word MonthName2Month(const std::string& Name);
/// 1 = Sunday .. 7 for the locale's long or short name of a day in any case;
/// 0 for any other text.
int DayName2DOW(const std::string& Name);

/// A one- or two-digit year expanded by Rule: dyAsIs keeps it; dyCutOff gives
/// the year of CutOff .. CutOff + 99 that ends in those digits; dyNotFuture the
/// latest year ending in them that is not after the current (host clock) year.
/// Years of 100 and more are returned as they are, and so is a year the rule
/// would take outside 1 .. 9999.
vcl::Word Adjust2DigitYr(vcl::Word Year, TZYM2DigitYr Rule, vcl::Word CutOff);

// ---- arithmetic ----
// Amounts may be fractional and negative. Days and smaller units move along the
// time line, also across and before 1899-12-30; a bare time of day (a value in
// [0, 1)) that goes below zero comes back as the plain sum (-1 hour for 01:00
// minus 2 hours), which a time-of-day caller wraps into one day. Months and
// larger units keep the day of the month, or clamp it to the month's last day
// (January 31 plus one month is the last day of February), and keep the time of
// day; a fractional part is added as that share of the month reached. A result
// outside 0001-01-01 .. 9999-12-31, or an amount that is not a number, raises
// vcl::EConvertError.
vcl::TDateTime AddDays(vcl::TDateTime Value, vcl::Extended Days);
vcl::TDateTime SubtractDays(vcl::TDateTime Value, vcl::Extended Days);
vcl::TDateTime AddWeeks(vcl::TDateTime Value, vcl::Extended Weeks);
vcl::TDateTime SubtractWeeks(vcl::TDateTime Value, vcl::Extended Weeks);
vcl::TDateTime AddMonths(vcl::TDateTime Value, vcl::Extended Months);
vcl::TDateTime SubtractMonths(vcl::TDateTime Value, vcl::Extended Months);
vcl::TDateTime AddQuarters(vcl::TDateTime Value, vcl::Extended Quarters);
vcl::TDateTime SubtractQuarters(vcl::TDateTime Value, vcl::Extended Quarters);
vcl::TDateTime AddSemesters(vcl::TDateTime Value, vcl::Extended Semesters);
vcl::TDateTime SubtractSemesters(vcl::TDateTime Value, vcl::Extended Semesters);
vcl::TDateTime AddYrs(vcl::TDateTime Value, vcl::Extended Years);
vcl::TDateTime SubtractYrs(vcl::TDateTime Value, vcl::Extended Years);
vcl::TDateTime AddHrs(vcl::TDateTime Value, vcl::Extended Hours);
vcl::TDateTime SubtractHrs(vcl::TDateTime Value, vcl::Extended Hours);
vcl::TDateTime AddMins(vcl::TDateTime Value, vcl::Extended Minutes);
vcl::TDateTime SubtractMins(vcl::TDateTime Value, vcl::Extended Minutes);
vcl::TDateTime AddSecs(vcl::TDateTime Value, vcl::Extended Seconds);
vcl::TDateTime SubtractSecs(vcl::TDateTime Value, vcl::Extended Seconds);

// ---- Windows file times ----

/// 100-nanosecond ticks since 1601-01-01 00:00, split in two 32-bit halves.
struct FILETIME {
  vcl::Cardinal dwLowDateTime = 0;
  vcl::Cardinal dwHighDateTime = 0;
  friend bool operator==(const FILETIME&, const FILETIME&) = default;
};

/// The date-time -109205.0, 1601-01-01, where file times begin.
inline constexpr vcl::TDateTime ZYMFileTimeOrigin = -109205.0;

/// Rounded to the millisecond. A date-time before 1601-01-01 has no file time
/// and gives the zero file time; one that is not a valid date-time raises vcl::EConvertError.
FILETIME DateTime2FileTime(vcl::TDateTime Value);
/// Any file time, including ones past 9999-12-31 (which give date-times past ZYMMaxDate).
vcl::TDateTime FileTime2DateTime(const FILETIME& Value);
uint64_t FileTime2Ticks(const FILETIME& Value);
FILETIME Ticks2FileTime(uint64_t Ticks);

// ---- text ----
// The parsers read the locale (vcl::FormatSettings) and the two-digit year
// settings at the moment of the call. A text that names no valid date or time
// raises vcl::EConvertError while ZYMRaiseDateError is set, and otherwise gives
// 0 (1899-12-30 00:00). The formatters give "" while ZYMBlankWhenZero is set
// and the value is zero (dates: the day part is 1899-12-30; times: the time of
// day is 00:00:00.000); a value that is no valid date-time raises
// vcl::EConvertError while ZYMRaiseDateError is set and otherwise gives "".

/// Day, month and year in the order of ShortDateFormat, separated by "/", "-",
/// the locale's DateSeparator or blanks; one- or two-digit day and month (or a
/// month name); a year of one or two digits is expanded by ZYM2DigitYr and
/// ZYM2DigitCutOff, three or four digits are taken as written. Without a year,
/// the current year (host clock). A first part of three or four digits is read
/// as year-month-day whatever the locale's order ("2024-12-25").
vcl::TDateTime Str2Date(const std::string& S);
/// Parses S by the format specifiers of vcl::FormatDateTime (d, dd, ddd, dddd,
/// ddddd, dddddd, m, mm, mmm, mmmm, yy, yyyy, h, hh, n, nn, s, ss, z, zzz,
/// am/pm, a/p, ampm, c, quoted text). A numeric part takes up to the digits its
/// specifier allows (years up to four, "yy" right before another number two;
/// one- or two-digit years expanded as in Str2Date); any run of separators in the format matches any run of
/// separators in S. A missing year is the current year, a missing month
/// January, a missing day the 1st. An empty format means ShortDateFormat.
vcl::TDateTime StrFormat2Date(const std::string& S, const std::string& Format);
/// FormatDateTime(ShortDateFormat, Value).
std::string Date2Str(vcl::TDateTime Value);
/// FormatDateTime(Format, Value); an empty format means ShortDateFormat.
std::string Date2FormatStr(vcl::TDateTime Value, const std::string& Format);
/// Hour, minute, second and millisecond separated by ":", "." or the locale's
/// TimeSeparator ("14:30", "2:30:15.250", "14.30"); the fraction of a second
/// follows "." or the DecimalSeparator. An AM/PM marker (the locale's, or "am",
/// "pm", "a", "p" in any case) makes the hour 1 .. 12 a twelve-hour one. Digits
/// alone are read as h, hh, hmm, hhmm, hmmss or hhmmss ("1430" is 14:30).
vcl::TDateTime Str2Time(const std::string& S);
/// FormatDateTime(LongTimeFormat, Value).
std::string Time2Str(vcl::TDateTime Value);
/// FormatDateTime(Format, Value); an empty format means LongTimeFormat.
std::string Time2FormatStr(vcl::TDateTime Value, const std::string& Format);

}  // namespace zymqix

VCL_ENUM_NAMES(zymqix::TZYMMonthFormatType, "mftNumber", "mftShortName", "mftLongName");
VCL_ENUM_NAMES(zymqix::TZYMDOWFormatType, "dftNumber", "dftShortName", "dftLongName");
VCL_ENUM_NAMES(zymqix::TZYMDateFormatType, "dfShort", "dfLong", "dfCustom");
VCL_ENUM_NAMES(zymqix::TZYMTimeFormatType, "tfShort", "tfLong", "tfCustom");
VCL_ENUM_NAMES(zymqix::TZYMDateTimeFormatType, "dtfCustom", "dtfCustomRFC822Diff", "dtfShortDateShortTime",
               "dtfLongDateShortTime", "dtfShortDateLongTime", "dtfLongDateLongTime", "dtfRFC822",
               "dtfRFC822Long", "dtfLocalRFC822", "dtfLocalRFC822Long");
