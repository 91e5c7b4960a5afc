#include "rt/ZYMQIXDateTime.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <vector>

#include "vcl/Host.h"

namespace zymqix {

using vcl::EConvertError;
using vcl::Extended;
using vcl::FormatSettings;
using vcl::TDateTime;
using vcl::Word;

namespace {

constexpr long double MsPerDay = 86400000.0L;
constexpr long double TicksPerDay = 864000000000.0L;  // 100-ns ticks
constexpr uint64_t TicksPerMs = 10000;

[[noreturn]] void RaiseOutOfRange() { throw EConvertError("Date-time out of range"); }

void CheckValid(TDateTime Value) {
  if (!ZYMValidDateTime(Value)) RaiseOutOfRange();
}

// The time line: days since 1899-12-30 counted forwards, so that before that
// day the time of day adds to the day instead of counting backwards.
long double ToLine(TDateTime Value) {
  if (Value >= 0) return Value;
  long double Day = std::trunc(static_cast<long double>(Value));
  return Day + (Day - Value);
}

TDateTime FromLine(long double Line) {
  long double Day = std::floor(Line);
  long double Time = Line - Day;
  return static_cast<TDateTime>(Day >= 0 ? Day + Time : Day - Time);
}

long double TimeOfDay(TDateTime Value) { return std::fabs(Value - std::trunc(Value)); }

TDateTime Checked(TDateTime Result) {
  CheckValid(Result);
  return Result;
}

/// Adds a span of days along the time line.
TDateTime AddSpan(TDateTime Value, long double Days) {
  CheckValid(Value);
  if (!std::isfinite(Days)) RaiseOutOfRange();
  return Checked(FromLine(ToLine(Value) + Days));
}

/// Hours, minutes and seconds: as AddSpan, except that a bare time of day going
/// below zero keeps the plain sum, which time-of-day callers wrap into one day.
TDateTime AddTimeSpan(TDateTime Value, long double Days) {
  CheckValid(Value);
  if (!std::isfinite(Days)) RaiseOutOfRange();
  if (Value >= 0 && Value < 1) {
    long double Plain = Value + Days;
    if (Plain < 0) return Checked(static_cast<TDateTime>(Plain));
  }
  return Checked(FromLine(ToLine(Value) + Days));
}

TDateTime AddWholeMonths(TDateTime Value, long double Months) {
  CheckValid(Value);
  if (!std::isfinite(Months)) RaiseOutOfRange();
  long double Whole = std::trunc(Months);
  long double Part = Months - Whole;
  Word Y, M, D;
  OptDecodeDateW(Value, Y, M, D);
  long double Total = static_cast<long double>(Y) * 12 + (M - 1) + Whole;
  if (Total < 12 || Total >= 12 * 10000.0L) RaiseOutOfRange();
  auto NewTotal = static_cast<int64_t>(Total);
  Word NY = static_cast<Word>(NewTotal / 12), NM = static_cast<Word>(NewTotal % 12 + 1);
  TDateTime Day = 0;
  vcl::TryEncodeDate(NY, NM, std::min(D, vcl::DaysInAMonth(NY, NM)), Day);
  TDateTime Result = vcl::ComposeDateTime(Day, TimeOfDay(Value));
  if (Part != 0) Result = AddSpan(Result, Part * vcl::DaysInAMonth(NY, NM));
  return Result;
}

bool IsDigit(char C) { return C >= '0' && C <= '9'; }
bool IsLetter(char C) {
  auto U = static_cast<unsigned char>(C);
  return std::isalpha(U) || U >= 0xC0;
}

int NameIndex(const std::string& Text, const std::string* Long, const std::string* Short, int Count) {
  std::string T = vcl::Trim(Text);
  if (T.empty()) return 0;
  for (int I = 0; I < Count; ++I)
    if (vcl::AnsiCompareText(T, Long[I]) == 0) return I + 1;
  for (int I = 0; I < Count; ++I)
    if (vcl::AnsiCompareText(T, Short[I]) == 0) return I + 1;
  return 0;
}

// ---- the parsers' shared parts ----

[[noreturn]] void RaiseBadDate(const std::string& S) { throw EConvertError("'" + S + "' is not a valid date"); }
[[noreturn]] void RaiseBadTime(const std::string& S) { throw EConvertError("'" + S + "' is not a valid time"); }

TDateTime BadDate(const std::string& S) {
  if (ZYMRaiseDateError) RaiseBadDate(S);
  return 0;
}

TDateTime BadTime(const std::string& S) {
  if (ZYMRaiseDateError) RaiseBadTime(S);
  return 0;
}

std::string BadValue() {
  if (ZYMRaiseDateError) RaiseOutOfRange();
  return "";
}

/// Year of a parsed year field of Digits digits.
Word ExpandYear(unsigned Value, size_t Digits) {
  if (Digits > 2) return static_cast<Word>(Value);
  return Adjust2DigitYr(static_cast<Word>(Value), ZYM2DigitYr, ZYM2DigitCutOff);
}

/// Order of day, month and year in ShortDateFormat: a string of 'd', 'm', 'y'.
std::string DateOrder() {
  std::string Order;
  const std::string& F = FormatSettings.ShortDateFormat;
  for (size_t I = 0; I < F.size(); ++I) {
    char C = static_cast<char>(std::tolower(static_cast<unsigned char>(F[I])));
    if (F[I] == '"' || F[I] == '\'') {
      size_t End = F.find(F[I], I + 1);
      if (End == std::string::npos) break;
      I = End;
      continue;
    }
    if ((C == 'd' || C == 'm' || C == 'y') && Order.find(C) == std::string::npos) Order += C;
  }
  return Order.size() == 3 ? Order : "mdy";
}

struct TDatePart {
  std::string Text;
  bool Numeric = false;
};

bool IsDateSeparator(char C) {
  return C == '/' || C == '-' || C == ' ' || C == ',' || C == FormatSettings.DateSeparator;
}

/// Splits a date into its fields; empty when a character fits nowhere or two
/// fields touch without a separator.
std::vector<TDatePart> SplitDate(const std::string& S) {
  std::vector<TDatePart> Fields;
  size_t I = 0;
  bool NeedSeparator = false;
  while (I < S.size()) {
    if (IsDateSeparator(S[I])) {
      NeedSeparator = false;
      ++I;
      continue;
    }
    if (NeedSeparator) return {};
    TDatePart F;
    if (IsDigit(S[I])) {
      F.Numeric = true;
      while (I < S.size() && IsDigit(S[I])) F.Text += S[I++];
    } else if (IsLetter(S[I])) {
      while (I < S.size() && IsLetter(S[I])) F.Text += S[I++];
    } else {
      return {};
    }
    Fields.push_back(F);
    NeedSeparator = true;
  }
  return Fields;
}

std::optional<unsigned> Number(const TDatePart& F, size_t MaxDigits) {
  if (!F.Numeric || F.Text.empty() || F.Text.size() > MaxDigits) return std::nullopt;
  return static_cast<unsigned>(std::stoul(F.Text));
}

std::optional<TDateTime> ParseDate(const std::string& S) {
  std::vector<TDatePart> Fields = SplitDate(S);
  if (Fields.size() < 2 || Fields.size() > 3) return std::nullopt;
  std::string Order = DateOrder();
  if (Fields.size() == 3 && Fields[0].Numeric && Fields[0].Text.size() >= 3) Order = "ymd";
  if (Fields.size() == 2) Order.erase(Order.find('y'), 1);
  std::optional<unsigned> Day, Month;
  Word Year = OptThisYear();
  for (size_t I = 0; I < Fields.size(); ++I) {
    const TDatePart& F = Fields[I];
    switch (Order[I]) {
      case 'd':
        Day = Number(F, 2);
        if (!Day) return std::nullopt;
        break;
      case 'm':
        if (F.Numeric) {
          Month = Number(F, 2);
        } else if (Word M = MonthName2Month(F.Text); M != 0) {
          Month = M;
        }
        if (!Month) return std::nullopt;
        break;
      default: {
        std::optional<unsigned> Y = Number(F, 4);
        if (!Y) return std::nullopt;
        Year = ExpandYear(*Y, F.Text.size());
      }
    }
  }
  TDateTime Result = 0;
  if (*Day > 31 || *Month > 12 || !vcl::TryEncodeDate(Year, static_cast<Word>(*Month), static_cast<Word>(*Day), Result))
    return std::nullopt;
  return Result;
}

/// Twelve-hour marker at the end of S: 0 none, 1 AM, 2 PM. Removes it from S.
int TakeAmPm(std::string& S) {
  size_t I = S.size();
  while (I > 0 && IsLetter(S[I - 1])) --I;
  if (I == S.size()) return 0;
  std::string Marker = S.substr(I);
  int Kind = 0;
  if (vcl::AnsiCompareText(Marker, FormatSettings.TimeAMString) == 0 || vcl::SameText(Marker, "am") ||
      vcl::SameText(Marker, "a"))
    Kind = 1;
  else if (vcl::AnsiCompareText(Marker, FormatSettings.TimePMString) == 0 || vcl::SameText(Marker, "pm") ||
           vcl::SameText(Marker, "p"))
    Kind = 2;
  else
    return -1;
  S = vcl::TrimRight(S.substr(0, I));
  return Kind;
}

/// Hour of a twelve-hour clock (AmPm 1 or 2) or of a 24-hour one (0); -1 if invalid.
int Hour24(unsigned Hour, int AmPm) {
  if (AmPm == 0) return Hour < 24 ? static_cast<int>(Hour) : -1;
  if (Hour < 1 || Hour > 12) return -1;
  return static_cast<int>(Hour % 12) + (AmPm == 2 ? 12 : 0);
}

std::optional<TDateTime> ParseTime(std::string S) {
  int AmPm = TakeAmPm(S);
  if (AmPm < 0 || S.empty()) return std::nullopt;
  unsigned H = 0, M = 0, Sec = 0, Ms = 0;
  bool AllDigits = true;
  for (char C : S) AllDigits = AllDigits && IsDigit(C);
  if (AllDigits) {
    if (S.size() > 6) return std::nullopt;
    std::string Padded = S.size() % 2 ? "0" + S : S;  // h, hmm and hmmss have an odd length
    H = static_cast<unsigned>(std::stoul(Padded.substr(0, 2)));
    if (Padded.size() >= 4) M = static_cast<unsigned>(std::stoul(Padded.substr(2, 2)));
    if (Padded.size() == 6) Sec = static_cast<unsigned>(std::stoul(Padded.substr(4, 2)));
  } else {
    auto IsTimeSep = [](char C) { return C == ':' || C == '.' || C == FormatSettings.TimeSeparator; };
    unsigned Parts[3] = {0, 0, 0};
    size_t I = 0;
    int Count = 0;
    while (true) {
      size_t Start = I;
      while (I < S.size() && IsDigit(S[I])) ++I;
      if (I == Start || I - Start > 2) return std::nullopt;
      Parts[Count++] = static_cast<unsigned>(std::stoul(S.substr(Start, I - Start)));
      if (I == S.size()) break;
      if (Count == 3) {
        // The fraction of a second.
        if (S[I] != '.' && S[I] != FormatSettings.DecimalSeparator) return std::nullopt;
        size_t F = ++I;
        while (I < S.size() && IsDigit(S[I])) ++I;
        if (I == F || I != S.size()) return std::nullopt;
        std::string Digits = (S.substr(F, I - F) + "00").substr(0, 3);
        Ms = static_cast<unsigned>(std::stoul(Digits));
        break;
      }
      if (!IsTimeSep(S[I])) return std::nullopt;
      ++I;
    }
    H = Parts[0];
    M = Parts[1];
    Sec = Parts[2];
  }
  int Hour = Hour24(H, AmPm);
  TDateTime Result = 0;
  if (Hour < 0 || !vcl::TryEncodeTime(static_cast<Word>(Hour), static_cast<Word>(M), static_cast<Word>(Sec), static_cast<Word>(Ms), Result))
    return std::nullopt;
  return Result;
}

// ---- parsing by a format ----

class TFormatParser {
public:
  TFormatParser(const std::string& Text, std::string Format) : S(Text), F(std::move(Format)) {}

  std::optional<TDateTime> Run() {
    if (!Walk(F, 0)) return std::nullopt;
    SkipBlanks();
    if (P != S.size()) return std::nullopt;
    Word Y = Year ? *Year : OptThisYear();
    unsigned Mo = Month.value_or(1), D = Day.value_or(1);
    TDateTime Date = 0, Time = 0;
    if (Mo > 12 || D > 31 || !vcl::TryEncodeDate(Y, static_cast<Word>(Mo), static_cast<Word>(D), Date))
      return std::nullopt;
    int H = Hour24(Hour, AmPm);
    if (H < 0 || Minute > 59 || Second > 59 || MSec > 999 ||
        !vcl::TryEncodeTime(static_cast<Word>(H), static_cast<Word>(Minute), static_cast<Word>(Second),
                            static_cast<Word>(MSec), Time))
      return std::nullopt;
    return vcl::ComposeDateTime(Date, Time);
  }

private:
  const std::string& S;
  std::string F;
  size_t P = 0;
  std::optional<Word> Year;
  std::optional<unsigned> Month, Day;
  unsigned Hour = 0, Minute = 0, Second = 0, MSec = 0;
  int AmPm = 0;
  bool AfterHour = false;

  static bool IsSeparator(char C) { return !IsDigit(C) && !IsLetter(C); }
  void SkipBlanks() {
    while (P < S.size() && S[P] == ' ') ++P;
  }
  void SkipSeparators() {
    while (P < S.size() && IsSeparator(S[P])) ++P;
  }

  std::optional<unsigned> Digits(size_t Max, size_t* Count = nullptr) {
    size_t Start = P;
    while (P < S.size() && P - Start < Max && IsDigit(S[P])) ++P;
    if (P == Start) return std::nullopt;
    if (Count) *Count = P - Start;
    return static_cast<unsigned>(std::stoul(S.substr(Start, P - Start)));
  }

  std::string Letters() {
    SkipBlanks();
    size_t Start = P;
    while (P < S.size() && IsLetter(S[P])) ++P;
    return S.substr(Start, P - Start);
  }

  static size_t Repeat(const std::string& Fmt, size_t I) {
    size_t N = 1;
    char C = static_cast<char>(std::tolower(static_cast<unsigned char>(Fmt[I])));
    while (I + N < Fmt.size() && std::tolower(static_cast<unsigned char>(Fmt[I + N])) == C) ++N;
    return N;
  }

  bool Literal(const std::string& Text) {
    bool Plain = true;
    for (char C : Text) Plain = Plain && IsSeparator(C);
    if (Plain) {
      SkipSeparators();
      return true;
    }
    SkipBlanks();
    std::string T = vcl::Trim(Text);
    if (vcl::AnsiCompareText(S.substr(P, T.size()), T) != 0) return false;
    P += T.size();
    return true;
  }

  bool Marker() {
    std::string W = Letters();
    if (vcl::SameText(W, "am") || vcl::SameText(W, "a") || vcl::AnsiCompareText(W, FormatSettings.TimeAMString) == 0)
      AmPm = 1;
    else if (vcl::SameText(W, "pm") || vcl::SameText(W, "p") ||
             vcl::AnsiCompareText(W, FormatSettings.TimePMString) == 0)
      AmPm = 2;
    else
      return false;
    return true;
  }

  bool Walk(const std::string& Fmt, int Depth) {
    if (Depth > 3) return false;  // "c" inside ShortDateFormat and the like
    size_t I = 0;
    while (I < Fmt.size()) {
      char C = Fmt[I];
      char L = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
      if (C == '"' || C == '\'') {
        size_t End = Fmt.find(C, I + 1);
        if (End == std::string::npos) End = Fmt.size();
        if (!Literal(Fmt.substr(I + 1, End - I - 1))) return false;
        I = End + 1;
        continue;
      }
      if (vcl::SameText(Fmt.substr(I, 5), "am/pm") || vcl::SameText(Fmt.substr(I, 4), "ampm")) {
        if (!Marker()) return false;
        I += vcl::SameText(Fmt.substr(I, 5), "am/pm") ? 5 : 4;
        continue;
      }
      if (vcl::SameText(Fmt.substr(I, 3), "a/p")) {
        if (!Marker()) return false;
        I += 3;
        continue;
      }
      size_t N = (L == 'd' || L == 'm' || L == 'y' || L == 'h' || L == 'n' || L == 's' || L == 'z' || L == 't')
                     ? Repeat(Fmt, I)
                     : 1;
      bool Ok = true;
      SkipBlanks();
      switch (L) {
        case 'c':
          Ok = Walk(FormatSettings.ShortDateFormat, Depth + 1) && Literal(" ") &&
               Walk(FormatSettings.LongTimeFormat, Depth + 1);
          break;
        case 'd':
          if (N <= 2) {
            Day = Digits(2);
            Ok = Day.has_value();
          } else if (N <= 4) {
            Ok = DayName2DOW(Letters()) != 0;
          } else if (N == 5) {
            Ok = Walk(FormatSettings.ShortDateFormat, Depth + 1);
          } else {
            Ok = Walk(FormatSettings.LongDateFormat, Depth + 1);
          }
          break;
        case 'm':
          if (N <= 2 && AfterHour) {
            auto V = Digits(2);
            Ok = V.has_value();
            Minute = V.value_or(0);
          } else if (N <= 2) {
            Month = Digits(2);
            Ok = Month.has_value();
          } else {
            Word V = MonthName2Month(Letters());
            Ok = V != 0;
            Month = V;
          }
          break;
        case 'y': {
          // "yy" right before another number ("yymmdd") has two digits; else up to four.
          bool Packed = N <= 2 && I + N < Fmt.size() &&
                        std::string("dmyhnsz").find(static_cast<char>(
                            std::tolower(static_cast<unsigned char>(Fmt[I + N])))) != std::string::npos;
          size_t Count = 0;
          auto V = Digits(Packed ? 2 : 4, &Count);
          Ok = V.has_value();
          if (Ok) Year = ExpandYear(*V, Count);
          break;
        }
        case 'h': {
          auto V = Digits(2);
          Ok = V.has_value();
          Hour = V.value_or(0);
          break;
        }
        case 'n': {
          auto V = Digits(2);
          Ok = V.has_value();
          Minute = V.value_or(0);
          break;
        }
        case 's': {
          auto V = Digits(2);
          Ok = V.has_value();
          Second = V.value_or(0);
          break;
        }
        case 'z': {
          size_t Count = 0;
          auto V = Digits(3, &Count);
          Ok = V.has_value();
          // "z" may be followed by fewer than three digits: ".5" is 500 ms.
          if (Ok) MSec = *V * (Count == 1 ? 100 : Count == 2 ? 10 : 1);
          break;
        }
        case 't':
          Ok = Walk(N == 1 ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat, Depth + 1);
          break;
        default:
          Ok = Literal(std::string(1, C));
          break;
      }
      if (!Ok) return false;
      // "m" right after an hour (separators between allowed) is the minute.
      if (L == 'h') AfterHour = true;
      else if (L == 'm' || !IsSeparator(C)) AfterHour = false;
      I += N;
    }
    return true;
  }
};

bool TimeIsZero(TDateTime Value) {
  return std::llround(TimeOfDay(Value) * MsPerDay) == 0;
}

}  // namespace

// ---- the calendar ----

bool ZYMValidDateTime(TDateTime Value) {
  return std::isfinite(Value) && Value > ZYMMinDate - 1 && Value < ZYMMaxDate + 1;
}

void OptDecodeDateW(TDateTime Value, Word& Year, Word& Month, Word& Day) {
  if (!ZYMValidDateTime(Value)) {
    Year = Month = Day = 0;
    return;
  }
  vcl::DecodeDate(Value, Year, Month, Day);
}

TDateTime OptEncodeDateW(Word Year, Word Month, Word Day) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > 31)
    throw EConvertError("Invalid argument to date encode");
  return vcl::EncodeDate(Year, Month, std::min(Day, vcl::DaysInAMonth(Year, Month)));
}

void ZYMDecodeTime(TDateTime Value, Word& Hour, Word& Minute, Word& Second, Word& MilliSecond) {
  if (!std::isfinite(Value)) {
    Hour = Minute = Second = MilliSecond = 0;
    return;
  }
  vcl::DecodeTime(Value, Hour, Minute, Second, MilliSecond);
}

TDateTime ZYMEncodeTime(Word Hour, Word Minute, Word Second, Word MilliSecond) {
  return vcl::EncodeTime(Hour, Minute, Second, MilliSecond);
}

bool IsLeapYear(Word Year) { return vcl::IsLeapYear(Year); }

int DayOfWeek(TDateTime Value) { return ZYMValidDateTime(Value) ? vcl::DayOfWeek(Value) : 0; }

int ISODayOfWeek(TDateTime Value) { return DOW2ISODOW(DayOfWeek(Value)); }

int ISODOW2DOW(int ISODOW) {
  if (ISODOW < 1 || ISODOW > 7) return 0;
  return ISODOW % 7 + 1;
}

int DOW2ISODOW(int DOW) {
  if (DOW < 1 || DOW > 7) return 0;
  return DOW == 1 ? 7 : DOW - 1;
}

TDateTime OptDate() { return vcl::Date(); }
int ThisDOW() { return DayOfWeek(vcl::Date()); }
int ThisISODOW() { return ISODayOfWeek(vcl::Date()); }

Word OptThisMonth() {
  Word Y, M, D;
  OptDecodeDateW(vcl::Date(), Y, M, D);
  return M;
}

Word OptThisYear() {
  Word Y, M, D;
  OptDecodeDateW(vcl::Date(), Y, M, D);
  return Y;
}

Word ThisYear() { return OptThisYear(); }

Word MonthName2Month(const std::string& Name) {
  return static_cast<Word>(NameIndex(Name, FormatSettings.LongMonthNames, FormatSettings.ShortMonthNames, 12));
}

int DayName2DOW(const std::string& Name) {
  return NameIndex(Name, FormatSettings.LongDayNames, FormatSettings.ShortDayNames, 7);
}

Word Adjust2DigitYr(Word Year, TZYM2DigitYr Rule, Word CutOff) {
  if (Year >= 100) return Year;
  int Y = Year;
  if (Rule == dyCutOff) {
    Y = CutOff - CutOff % 100 + Year;
    if (Y < CutOff) Y += 100;
  } else if (Rule == dyNotFuture) {
    int Now = ThisYear();
    Y = Now - Now % 100 + Year;
    if (Y > Now) Y -= 100;
  }
  // A cut-off or a clock near the ends of the calendar leaves the year as typed.
  return Y >= 1 && Y <= 9999 ? static_cast<Word>(Y) : Year;
}

// ---- arithmetic ----

TDateTime AddDays(TDateTime Value, Extended Days) { return AddSpan(Value, Days); }
TDateTime SubtractDays(TDateTime Value, Extended Days) { return AddSpan(Value, -Days); }
TDateTime AddWeeks(TDateTime Value, Extended Weeks) { return AddSpan(Value, Weeks * 7); }
TDateTime SubtractWeeks(TDateTime Value, Extended Weeks) { return AddSpan(Value, -Weeks * 7); }
TDateTime AddMonths(TDateTime Value, Extended Months) { return AddWholeMonths(Value, Months); }
TDateTime SubtractMonths(TDateTime Value, Extended Months) { return AddWholeMonths(Value, -Months); }
TDateTime AddQuarters(TDateTime Value, Extended Quarters) { return AddWholeMonths(Value, Quarters * 3); }
TDateTime SubtractQuarters(TDateTime Value, Extended Quarters) { return AddWholeMonths(Value, -Quarters * 3); }
TDateTime AddSemesters(TDateTime Value, Extended Semesters) { return AddWholeMonths(Value, Semesters * 6); }
TDateTime SubtractSemesters(TDateTime Value, Extended Semesters) { return AddWholeMonths(Value, -Semesters * 6); }
TDateTime AddYrs(TDateTime Value, Extended Years) { return AddWholeMonths(Value, Years * 12); }
TDateTime SubtractYrs(TDateTime Value, Extended Years) { return AddWholeMonths(Value, -Years * 12); }
TDateTime AddHrs(TDateTime Value, Extended Hours) { return AddTimeSpan(Value, Hours / 24); }
TDateTime SubtractHrs(TDateTime Value, Extended Hours) { return AddTimeSpan(Value, -Hours / 24); }
TDateTime AddMins(TDateTime Value, Extended Minutes) { return AddTimeSpan(Value, Minutes / 1440); }
TDateTime SubtractMins(TDateTime Value, Extended Minutes) { return AddTimeSpan(Value, -Minutes / 1440); }
TDateTime AddSecs(TDateTime Value, Extended Seconds) { return AddTimeSpan(Value, Seconds / 86400); }
TDateTime SubtractSecs(TDateTime Value, Extended Seconds) { return AddTimeSpan(Value, -Seconds / 86400); }

// ---- file times ----

uint64_t FileTime2Ticks(const FILETIME& Value) {
  return (static_cast<uint64_t>(Value.dwHighDateTime) << 32) | Value.dwLowDateTime;
}

FILETIME Ticks2FileTime(uint64_t Ticks) {
  return FILETIME{static_cast<vcl::Cardinal>(Ticks & 0xFFFFFFFFu), static_cast<vcl::Cardinal>(Ticks >> 32)};
}

FILETIME DateTime2FileTime(TDateTime Value) {
  CheckValid(Value);
  long double Days = ToLine(Value) - ZYMFileTimeOrigin;
  if (Days <= 0) return FILETIME{};
  // A double holds about a microsecond near today; whole milliseconds (the
  // resolution of the time of day everywhere else) keep file times exact.
  auto Ms = static_cast<uint64_t>(std::llround(Days * MsPerDay));
  return Ticks2FileTime(Ms * TicksPerMs);
}

TDateTime FileTime2DateTime(const FILETIME& Value) {
  long double Days = static_cast<long double>(FileTime2Ticks(Value)) / TicksPerDay;
  return FromLine(Days + ZYMFileTimeOrigin);
}

// ---- text ----

TDateTime Str2Date(const std::string& S) {
  std::optional<TDateTime> D = ParseDate(vcl::Trim(S));
  return D ? *D : BadDate(S);
}

TDateTime StrFormat2Date(const std::string& S, const std::string& Format) {
  TFormatParser Parser(S, Format.empty() ? FormatSettings.ShortDateFormat : Format);
  std::optional<TDateTime> D = Parser.Run();
  return D ? *D : BadDate(S);
}

std::string Date2Str(TDateTime Value) { return Date2FormatStr(Value, FormatSettings.ShortDateFormat); }

std::string Date2FormatStr(TDateTime Value, const std::string& Format) {
  if (!ZYMValidDateTime(Value)) return BadValue();
  if (ZYMBlankWhenZero && std::trunc(Value) == 0) return "";
  return vcl::FormatDateTime(Format.empty() ? FormatSettings.ShortDateFormat : Format, Value);
}

TDateTime Str2Time(const std::string& S) {
  std::optional<TDateTime> T = ParseTime(vcl::Trim(S));
  return T ? *T : BadTime(S);
}

std::string Time2Str(TDateTime Value) { return Time2FormatStr(Value, FormatSettings.LongTimeFormat); }

std::string Time2FormatStr(TDateTime Value, const std::string& Format) {
  if (!ZYMValidDateTime(Value)) return BadValue();
  if (ZYMBlankWhenZero && TimeIsZero(Value)) return "";
  return vcl::FormatDateTime(Format.empty() ? FormatSettings.LongTimeFormat : Format, Value);
}

}  // namespace zymqix
