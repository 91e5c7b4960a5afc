// Strings, integers and the calendar arithmetic of the framework. The text
// formatting and parsing of floats and dates lives in SysFormat.cpp.
#include "vcl/SysUtils.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "vcl/Host.h"

namespace vcl {

TFormatSettings FormatSettings;
TSysLocale SysLocale;

void ResetFormatSettings() { FormatSettings = TFormatSettings(); }

// ---- strings ----
std::string Trim(const std::string& S) { return TrimLeft(TrimRight(S)); }

std::string TrimLeft(const std::string& S) {
  size_t I = 0;
  while (I < S.size() && static_cast<unsigned char>(S[I]) <= ' ') ++I;
  return S.substr(I);
}

std::string TrimRight(const std::string& S) {
  size_t N = S.size();
  while (N > 0 && static_cast<unsigned char>(S[N - 1]) <= ' ') --N;
  return S.substr(0, N);
}

std::string UpperCase(const std::string& S) {
  std::string R = S;
  for (char& C : R)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 32);
  return R;
}

std::string LowerCase(const std::string& S) {
  std::string R = S;
  for (char& C : R)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C + 32);
  return R;
}

// Latin-1: letters 0xC0..0xDE (but 0xD7) pair with 0xE0..0xFE (but 0xF7).
static unsigned char AnsiUpper(unsigned char C) {
  if (C >= 'a' && C <= 'z') return static_cast<unsigned char>(C - 32);
  if (C >= 0xE0 && C <= 0xFE && C != 0xF7) return static_cast<unsigned char>(C - 32);
  return C;
}

static unsigned char AnsiLower(unsigned char C) {
  if (C >= 'A' && C <= 'Z') return static_cast<unsigned char>(C + 32);
  if (C >= 0xC0 && C <= 0xDE && C != 0xD7) return static_cast<unsigned char>(C + 32);
  return C;
}

std::string AnsiUpperCase(const std::string& S) {
  std::string R = S;
  for (char& C : R) C = static_cast<char>(AnsiUpper(static_cast<unsigned char>(C)));
  return R;
}

std::string AnsiLowerCase(const std::string& S) {
  std::string R = S;
  for (char& C : R) C = static_cast<char>(AnsiLower(static_cast<unsigned char>(C)));
  return R;
}

int CompareText(const std::string& A, const std::string& B) {
  size_t N = std::min(A.size(), B.size());
  for (size_t I = 0; I < N; ++I) {
    int CA = static_cast<unsigned char>(UpperCase(std::string(1, A[I]))[0]);
    int CB = static_cast<unsigned char>(UpperCase(std::string(1, B[I]))[0]);
    if (CA != CB) return CA - CB;
  }
  return static_cast<int>(A.size()) - static_cast<int>(B.size());
}

bool SameText(const std::string& A, const std::string& B) { return A.size() == B.size() && CompareText(A, B) == 0; }

int AnsiCompareText(const std::string& A, const std::string& B) {
  size_t N = std::min(A.size(), B.size());
  for (size_t I = 0; I < N; ++I) {
    int CA = AnsiLower(static_cast<unsigned char>(A[I]));
    int CB = AnsiLower(static_cast<unsigned char>(B[I]));
    if (CA != CB) return CA < CB ? -1 : 1;
  }
  if (A.size() == B.size()) return 0;
  return A.size() < B.size() ? -1 : 1;
}

int AnsiCompareStr(const std::string& A, const std::string& B) {
  int C = A.compare(B);
  return C < 0 ? -1 : (C > 0 ? 1 : 0);
}

std::string StringOfChar(char C, int Count) { return Count > 0 ? std::string(static_cast<size_t>(Count), C) : ""; }

std::string QuotedStr(const std::string& S) {
  std::string R = "'";
  for (char C : S) {
    if (C == '\'') R += '\'';
    R += C;
  }
  return R + "'";
}

std::vector<std::string> SplitString(const std::string& S, char Delimiter) {
  std::vector<std::string> R;
  size_t Start = 0;
  for (;;) {
    size_t P = S.find(Delimiter, Start);
    if (P == std::string::npos) {
      R.push_back(S.substr(Start));
      return R;
    }
    R.push_back(S.substr(Start, P - Start));
    Start = P + 1;
  }
}

// ---- integers ----
std::string IntToStr(int64_t Value) { return std::to_string(Value); }

std::string IntToHex(uint64_t Value, int Digits) {
  static const char* Hex = "0123456789ABCDEF";
  std::string R;
  do {
    R.insert(R.begin(), Hex[Value & 15]);
    Value >>= 4;
  } while (Value);
  while (static_cast<int>(R.size()) < Digits) R.insert(R.begin(), '0');
  return R;
}

bool TryStrToInt64(const std::string& S, Int64& Value) {
  std::string T = Trim(S);
  if (T.empty()) return false;
  size_t I = 0;
  bool Neg = false;
  if (T[I] == '+' || T[I] == '-') {
    Neg = T[I] == '-';
    ++I;
  }
  int Base = 10;
  if (I < T.size() && T[I] == '$') {
    Base = 16;
    ++I;
  } else if (I + 1 < T.size() && T[I] == '0' && (T[I + 1] == 'x' || T[I + 1] == 'X')) {
    Base = 16;
    I += 2;
  }
  if (I >= T.size()) return false;
  uint64_t Acc = 0;
  const uint64_t Limit = Neg ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  for (; I < T.size(); ++I) {
    char C = T[I];
    int D;
    if (C >= '0' && C <= '9') D = C - '0';
    else if (Base == 16 && C >= 'a' && C <= 'f') D = C - 'a' + 10;
    else if (Base == 16 && C >= 'A' && C <= 'F') D = C - 'A' + 10;
    else return false;
    if (Acc > (Limit - static_cast<uint64_t>(D)) / static_cast<uint64_t>(Base)) return false;
    Acc = Acc * static_cast<uint64_t>(Base) + static_cast<uint64_t>(D);
  }
  Value = Neg ? static_cast<Int64>(0 - Acc) : static_cast<Int64>(Acc);
  return true;
}

bool TryStrToInt(const std::string& S, Integer& Value) {
  Int64 V = 0;
  if (!TryStrToInt64(S, V) || V < std::numeric_limits<Integer>::min() || V > std::numeric_limits<Integer>::max())
    return false;
  Value = static_cast<Integer>(V);
  return true;
}

Integer StrToInt(const std::string& S) {
  Integer V = 0;
  if (!TryStrToInt(S, V)) throw EConvertError("'" + S + "' is not a valid integer value");
  return V;
}

Int64 StrToInt64(const std::string& S) {
  Int64 V = 0;
  if (!TryStrToInt64(S, V)) throw EConvertError("'" + S + "' is not a valid integer value");
  return V;
}

Integer StrToIntDef(const std::string& S, Integer Default) {
  Integer V = 0;
  return TryStrToInt(S, V) ? V : Default;
}

Extended Int(Extended X) { return std::trunc(X); }
Extended Frac(Extended X) { return X - std::trunc(X); }

// ---- calendar ----
bool IsLeapYear(Word Year) { return (Year % 4 == 0) && ((Year % 100 != 0) || (Year % 400 == 0)); }

Word DaysInAMonth(Word Year, Word Month) {
  static const Word Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return static_cast<Word>(Days[Month - 1] + ((Month == 2 && IsLeapYear(Year)) ? 1 : 0));
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
  int64_t Days = Day;
  for (Word M = 1; M < Month; ++M) Days += DaysInAMonth(Year, M);
  int64_t Y = Year - 1;
  Days += Y * 365 + Y / 4 - Y / 100 + Y / 400;
  Date = static_cast<TDateTime>(Days - 693594);  // 693594 days from 0001-01-01 to 1899-12-30
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime D = 0;
  if (!TryEncodeDate(Year, Month, Day, D)) throw EConvertError("Invalid argument to date encode");
  return D;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
  // The integral part, taken toward zero, is the day.
  int64_t T = static_cast<int64_t>(std::trunc(Date)) + 693594;  // days since 0000-12-31
  if (T <= 0) {
    Year = Month = Day = 0;
    return;
  }
  --T;
  int64_t Y = 1;
  Y += (T / 146097) * 400;
  T %= 146097;
  int64_t I = T / 36524;
  if (I == 4) I = 3;
  Y += I * 100;
  T -= I * 36524;
  Y += (T / 1461) * 4;
  T %= 1461;
  I = T / 365;
  if (I == 4) I = 3;
  Y += I;
  T -= I * 365;
  Word M = 1;
  while (T >= DaysInAMonth(static_cast<Word>(Y), M)) {
    T -= DaysInAMonth(static_cast<Word>(Y), M);
    ++M;
  }
  Year = static_cast<Word>(Y);
  Month = M;
  Day = static_cast<Word>(T + 1);
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
  if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
  Time = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / 86400000.0;
  return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime T = 0;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, T)) throw EConvertError("Invalid argument to time encode");
  return T;
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  // The time of day is the absolute value of the fraction, rounded to the millisecond.
  double F = std::fabs(Time - std::trunc(Time));
  int64_t Ms = std::llround(F * 86400000.0);
  if (Ms >= 86400000) Ms = 86399999;
  Hour = static_cast<Word>(Ms / 3600000);
  Min = static_cast<Word>(Ms / 60000 % 60);
  Sec = static_cast<Word>(Ms / 1000 % 60);
  MSec = static_cast<Word>(Ms % 1000);
}

TDateTime ComposeDateTime(TDateTime Date, TDateTime Time) {
  double T = std::fabs(Time - std::trunc(Time));
  double D = std::trunc(Date);
  return D < 0 ? D - T : D + T;
}

int DayOfWeek(TDateTime Date) {
  // 1899-12-30 was a Saturday.
  int64_t D = static_cast<int64_t>(std::trunc(Date));
  int64_t R = (D - 1) % 7;
  if (R < 0) R += 7;
  return static_cast<int>(R) + 1;
}

TDateTime Now() { return Host().Now(); }
TDateTime Date() { return std::trunc(Host().Now()); }
TDateTime Time() {
  TDateTime N = Host().Now();
  return N - std::trunc(N);
}

TDateTime IncMonth(TDateTime Date, int NumberOfMonths) {
  Word Y, M, D;
  DecodeDate(Date, Y, M, D);
  int Total = Y * 12 + (M - 1) + NumberOfMonths;
  Word NY = static_cast<Word>(Total / 12), NM = static_cast<Word>(Total % 12 + 1);
  Word ND = std::min(D, DaysInAMonth(NY, NM));
  return ComposeDateTime(EncodeDate(NY, NM, ND), Date);
}

}  // namespace vcl
