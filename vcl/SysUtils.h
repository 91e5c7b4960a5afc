// Exceptions, locale settings, string, number and date routines of the framework.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "vcl/System.h"

namespace vcl {

class Exception : public std::exception {
public:
  explicit Exception(std::string Msg) : FMessage(std::move(Msg)) {}
  const char* what() const noexcept override { return FMessage.c_str(); }
  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string Msg) { FMessage = std::move(Msg); }

private:
  std::string FMessage;
};

#define VCL_EXCEPTION(Name, Base) \
  class Name : public Base {      \
  public:                         \
    using Base::Base;             \
  }

VCL_EXCEPTION(EConvertError, Exception);
VCL_EXCEPTION(EMathError, Exception);
VCL_EXCEPTION(EZeroDivide, EMathError);
VCL_EXCEPTION(EOverflow, EMathError);
VCL_EXCEPTION(EInvalidOperation, Exception);
VCL_EXCEPTION(EComponentError, Exception);
VCL_EXCEPTION(EStreamError, Exception);
VCL_EXCEPTION(EReadError, EStreamError);
VCL_EXCEPTION(EWriteError, EStreamError);
VCL_EXCEPTION(EPropertyError, Exception);
VCL_EXCEPTION(EListError, Exception);
VCL_EXCEPTION(EStringListError, EListError);
VCL_EXCEPTION(EDatabaseError, Exception);
VCL_EXCEPTION(EOutOfResources, Exception);
VCL_EXCEPTION(EAbort, Exception);

/// Locale settings. The defaults are fixed English values so that results do not
/// depend on the machine; LoadFormatSettingsFromLocale() reads the C library's locale.
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  std::string CurrencyString = "$";
  Byte CurrencyFormat = 0;  ///< 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte NegCurrFormat = 0;   ///< 0 "($1)" ... 15 "(1 $)", the sixteen layouts of the framework
  Byte CurrencyDecimals = 2;
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char ListSeparator = ',';
  std::string ShortDateFormat = "m/d/yyyy";
  std::string LongDateFormat = "dddd, mmmm d, yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
  std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};  ///< index 0 = Sunday
  std::string LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  Word TwoDigitYearCenturyWindow = 50;
};

/// The process-wide settings (one UI thread; no locking).
extern TFormatSettings FormatSettings;
/// Restores the fixed English defaults.
void ResetFormatSettings();
/// Loads separators, currency and names from the C library's current locale (LC_ALL from the environment).
void LoadFormatSettingsFromLocale();

struct TSysLocale {
  bool FarEast = false;
  bool MiddleEast = false;
};
extern TSysLocale SysLocale;

// ---- strings ----
std::string Trim(const std::string& S);       ///< strips characters <= ' ' at both ends
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);
std::string UpperCase(const std::string& S);  ///< ASCII only
std::string LowerCase(const std::string& S);
std::string AnsiUpperCase(const std::string& S);  ///< Latin-1 aware
std::string AnsiLowerCase(const std::string& S);
int CompareText(const std::string& A, const std::string& B);  ///< case-insensitive, <0/0/>0
bool SameText(const std::string& A, const std::string& B);
int AnsiCompareText(const std::string& A, const std::string& B);
int AnsiCompareStr(const std::string& A, const std::string& B);
std::string StringOfChar(char C, int Count);
std::string QuotedStr(const std::string& S);
std::vector<std::string> SplitString(const std::string& S, char Delimiter);

// ---- integers ----
std::string IntToStr(int64_t Value);
std::string IntToHex(uint64_t Value, int Digits);
/// Accepts optional blanks, a sign, decimal digits or a "$"/"0x" hexadecimal prefix;
/// raises EConvertError "'abc' is not a valid integer value".
Integer StrToInt(const std::string& S);
Int64 StrToInt64(const std::string& S);
Integer StrToIntDef(const std::string& S, Integer Default);
bool TryStrToInt(const std::string& S, Integer& Value);
bool TryStrToInt64(const std::string& S, Int64& Value);

// ---- floating point ----
enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
/// Raises EConvertError "'abc' is not a valid floating point value". Uses FormatSettings.DecimalSeparator.
Extended StrToFloat(const std::string& S);
Extended StrToFloatDef(const std::string& S, Extended Default);
bool TryStrToFloat(const std::string& S, Extended& Value);
/// General format, 15 significant digits ("0.1", "1E20", "1.5E-5").
std::string FloatToStr(Extended Value);
std::string FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits);
/// Format strings with 0 # . , E+ E- "quoted" 'quoted' and ; sections.
std::string FormatFloat(const std::string& Format, Extended Value);
std::string CurrToStr(Currency Value);
std::string CurrToStrF(Currency Value, TFloatFormat Format, int Digits);
Currency StrToCurr(const std::string& S);
Extended Int(Extended X);   ///< integral part, toward zero
Extended Frac(Extended X);  ///< X - Int(X)

// ---- dates and times (TDateTime = days since 1899-12-30) ----
bool IsLeapYear(Word Year);
Word DaysInAMonth(Word Year, Word Month);
/// Raises EConvertError "Invalid argument to date encode".
TDateTime EncodeDate(Word Year, Word Month, Word Day);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
/// Raises EConvertError "Invalid argument to time encode".
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
/// Joins a date and a time of day; before 1899-12-30 the time is subtracted, as the framework does.
TDateTime ComposeDateTime(TDateTime Date, TDateTime Time);
int DayOfWeek(TDateTime Date);  ///< 1 = Sunday .. 7 = Saturday
TDateTime Date();               ///< today, from the host clock
TDateTime Time();               ///< the time of day, from the host clock
TDateTime Now();                ///< from the host clock
TDateTime IncMonth(TDateTime Date, int NumberOfMonths);

/// Format specifiers: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss
/// z zzz t tt am/pm a/p ampm / : "text" 'text'.
std::string FormatDateTime(const std::string& Format, TDateTime DateTime);
std::string DateToStr(TDateTime Date);
std::string TimeToStr(TDateTime Time);
std::string DateTimeToStr(TDateTime DateTime);
/// Parses by ShortDateFormat's order; raises EConvertError "'x' is not a valid date".
TDateTime StrToDate(const std::string& S);
TDateTime StrToTime(const std::string& S);
TDateTime StrToDateTime(const std::string& S);
bool TryStrToDate(const std::string& S, TDateTime& Value);
bool TryStrToTime(const std::string& S, TDateTime& Value);

}  // namespace vcl
