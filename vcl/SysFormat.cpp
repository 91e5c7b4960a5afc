// Text formatting and parsing of floats, currency, dates and times.
//
// Every number is first turned into its decimal digits (TDecimal) and all
// rounding happens on those digits, half away from zero, so the results agree
// with what a user reads and never depend on the C library's locale: the
// separators and names come from FormatSettings alone.
#include "vcl/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

#include "vcl/Host.h"

namespace vcl {

namespace {

/// Value = 0.D1D2D3... * 10^Exp; Digits carries no trailing zeros and is empty for zero.
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Exp = 0;
  bool IsZero() const { return Digits.empty(); }
};

void StripTrailingZeros(TDecimal& D) {
  while (!D.Digits.empty() && D.Digits.back() == '0') D.Digits.pop_back();
  if (D.Digits.empty()) {
    D.Exp = 0;
    D.Negative = false;
  }
}

// Forty significant digits show any long double exactly enough to tell a true
// half-way case from one that only looks like it at 18 digits.
TDecimal Expand(Extended V) {
  TDecimal R;
  if (V == 0) return R;
  R.Negative = std::signbit(V);
  char Buf[96];
  std::snprintf(Buf, sizeof Buf, "%.39Le", std::fabs(V));
  // "d.ddd...e[+-]xx"; the radix character is whatever the C locale says, so skip any non-digit.
  const char* P = Buf;
  for (; *P && *P != 'e'; ++P)
    if (*P >= '0' && *P <= '9') R.Digits += *P;
  R.Exp = (*P == 'e' ? std::atoi(P + 1) : 0) + 1;
  StripTrailingZeros(R);
  return R;
}

/// Keeps the first N digits, rounding half away from zero.
void RoundAt(TDecimal& D, int N) {
  if (N >= static_cast<int>(D.Digits.size())) return;
  if (N < 0) {
    D.Digits.clear();
    StripTrailingZeros(D);
    return;
  }
  bool Up = D.Digits[static_cast<size_t>(N)] >= '5';
  D.Digits.resize(static_cast<size_t>(N));
  if (Up) {
    int I = N - 1;
    while (I >= 0 && D.Digits[static_cast<size_t>(I)] == '9') D.Digits[static_cast<size_t>(I--)] = '0';
    if (I < 0) {
      D.Digits.insert(D.Digits.begin(), '1');
      ++D.Exp;
    } else {
      ++D.Digits[static_cast<size_t>(I)];
    }
  }
  StripTrailingZeros(D);
}

TDecimal FromCurrency(Currency C) {
  TDecimal R;
  if (C.Raw == 0) return R;
  R.Negative = C.Raw < 0;
  uint64_t U = R.Negative ? 0 - static_cast<uint64_t>(C.Raw) : static_cast<uint64_t>(C.Raw);
  R.Digits = std::to_string(U);
  R.Exp = static_cast<int>(R.Digits.size()) - 4;
  StripTrailingZeros(R);
  return R;
}

/// The digits before the decimal point ("" when the value is below one).
std::string IntPart(const TDecimal& D) {
  if (D.Exp <= 0) return "";
  std::string R = D.Digits.substr(0, std::min(D.Digits.size(), static_cast<size_t>(D.Exp)));
  R.resize(static_cast<size_t>(D.Exp), '0');
  return R;
}

/// Exactly Count digits after the decimal point.
std::string FracDigits(const TDecimal& D, int Count) {
  std::string R;
  for (int I = 0; I < Count; ++I) {
    int Idx = D.Exp + I;
    R += (Idx >= 0 && Idx < static_cast<int>(D.Digits.size())) ? D.Digits[static_cast<size_t>(Idx)] : '0';
  }
  return R;
}

std::string GroupThousands(const std::string& Int) {
  char Sep = FormatSettings.ThousandSeparator;
  if (Sep == '\0' || Int.size() <= 3) return Int;
  std::string R;
  for (size_t I = 0; I < Int.size(); ++I) {
    if (I > 0 && (Int.size() - I) % 3 == 0) R += Sep;
    R += Int[I];
  }
  return R;
}

std::string PadNumber(int64_t V, int Width) {
  std::string S = std::to_string(V);
  if (static_cast<int>(S.size()) < Width) S.insert(0, static_cast<size_t>(Width) - S.size(), '0');
  return S;
}

std::string ExponentText(int E, bool AlwaysSign, int MinDigits) {
  std::string R;
  if (E < 0) R = "-";
  else if (AlwaysSign) R = "+";
  return R + PadNumber(std::abs(E), MinDigits);
}

std::string FormatGeneral(const TDecimal& D, int Precision, int ExpDigits) {
  if (D.IsZero()) return "0";
  std::string R = D.Negative ? "-" : "";
  if (D.Exp > Precision || D.Exp < -3) {
    R += D.Digits[0];
    if (D.Digits.size() > 1) R += FormatSettings.DecimalSeparator + D.Digits.substr(1);
    return R + "E" + ExponentText(D.Exp - 1, false, std::clamp(ExpDigits, 0, 4));
  }
  std::string Int = IntPart(D);
  R += Int.empty() ? "0" : Int;
  int FracCount = static_cast<int>(D.Digits.size()) - D.Exp;
  if (FracCount > 0) R += FormatSettings.DecimalSeparator + FracDigits(D, FracCount);
  return R;
}

std::string ApplyCurrencyLayout(const std::string& Num, bool Negative) {
  const std::string& C = FormatSettings.CurrencyString;
  if (!Negative) {
    switch (FormatSettings.CurrencyFormat % 4) {
      case 0: return C + Num;
      case 1: return Num + C;
      case 2: return C + " " + Num;
      default: return Num + " " + C;
    }
  }
  switch (FormatSettings.NegCurrFormat % 16) {
    case 0: return "(" + C + Num + ")";
    case 1: return "-" + C + Num;
    case 2: return C + "-" + Num;
    case 3: return C + Num + "-";
    case 4: return "(" + Num + C + ")";
    case 5: return "-" + Num + C;
    case 6: return Num + "-" + C;
    case 7: return Num + C + "-";
    case 8: return "-" + Num + " " + C;
    case 9: return "-" + C + " " + Num;
    case 10: return Num + " " + C + "-";
    case 11: return C + " " + Num + "-";
    case 12: return C + " -" + Num;
    case 13: return Num + "- " + C;
    case 14: return "(" + C + " " + Num + ")";
    default: return "(" + Num + " " + C + ")";
  }
}

/// D is already rounded to Precision significant digits.
std::string FormatDecimal(TDecimal D, TFloatFormat Format, int Precision, int Digits) {
  switch (Format) {
    case TFloatFormat::ffGeneral:
      return FormatGeneral(D, Precision, Digits);
    case TFloatFormat::ffExponent: {
      std::string M = D.Digits;
      M.resize(static_cast<size_t>(Precision), '0');
      std::string R = D.Negative ? "-" : "";
      R += M[0];
      if (M.size() > 1) R += FormatSettings.DecimalSeparator + M.substr(1);
      return R + "E" + ExponentText(D.IsZero() ? 0 : D.Exp - 1, true, std::clamp(Digits, 0, 4));
    }
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber:
    case TFloatFormat::ffCurrency: {
      Digits = std::clamp(Digits, 0, 18);
      if (D.Exp > Precision) return FormatGeneral(D, Precision, 0);
      RoundAt(D, D.Exp + Digits);
      std::string Int = IntPart(D);
      if (Int.empty()) Int = "0";
      if (Format != TFloatFormat::ffFixed) Int = GroupThousands(Int);
      std::string Num = Int;
      if (Digits > 0) Num += FormatSettings.DecimalSeparator + FracDigits(D, Digits);
      if (Format == TFloatFormat::ffCurrency) return ApplyCurrencyLayout(Num, D.Negative);
      return D.Negative ? "-" + Num : Num;
    }
  }
  return "";
}

std::string NonFinite(Extended V) {
  if (std::isnan(V)) return "NAN";
  return V > 0 ? "INF" : "-INF";
}

// ---- FormatFloat ----

/// Splits a FormatFloat pattern at the ';' that stand outside quotes.
std::vector<std::string> SplitSections(const std::string& Format) {
  std::vector<std::string> R(1);
  char Quote = 0;
  for (char C : Format) {
    if (Quote) {
      if (C == Quote) Quote = 0;
    } else if (C == '"' || C == '\'') {
      Quote = C;
    } else if (C == ';') {
      R.emplace_back();
      continue;
    }
    R.back() += C;
  }
  return R;
}

struct TSectionLayout {
  int IntSlots = 0;   // '0' and '#' before the decimal point
  int MinInt = 0;     // from the first '0' before the point
  int DecSlots = 0;   // '0' and '#' after the point
  int MinDec = 0;     // up to the last '0' after the point
  bool Thousands = false;
  bool Scientific = false;
  int ExpDigits = 0;
};

bool IsExponentAt(const std::string& S, size_t I) {
  return (S[I] == 'E' || S[I] == 'e') && I + 1 < S.size() && (S[I + 1] == '+' || S[I + 1] == '-');
}

TSectionLayout AnalyseSection(const std::string& S) {
  TSectionLayout L;
  bool AfterPoint = false;
  int FirstZero = -1;
  for (size_t I = 0; I < S.size(); ++I) {
    char C = S[I];
    if (C == '"' || C == '\'') {
      size_t End = S.find(C, I + 1);
      I = End == std::string::npos ? S.size() : End;
    } else if (C == '0' || C == '#') {
      if (AfterPoint) {
        ++L.DecSlots;
        if (C == '0') L.MinDec = L.DecSlots;
      } else {
        if (C == '0' && FirstZero < 0) FirstZero = L.IntSlots;
        ++L.IntSlots;
      }
    } else if (C == '.') {
      AfterPoint = true;
    } else if (C == ',') {
      L.Thousands = true;
    } else if (!L.Scientific && IsExponentAt(S, I)) {
      L.Scientific = true;
      I += 2;
      while (I < S.size() && S[I] == '0') {
        ++L.ExpDigits;
        ++I;
      }
      --I;
      L.ExpDigits = std::min(L.ExpDigits, 4);
      // Whatever placeholders follow the exponent are plain text.
      AfterPoint = true;
    }
  }
  L.MinInt = FirstZero < 0 ? 0 : L.IntSlots - FirstZero;
  return L;
}

struct TRendered {
  std::string Text;
  bool Zero = false;
};

/// Formats |V| by one section; the caller adds the sign.
TRendered RenderSection(const std::string& S, Extended V) {
  TSectionLayout L = AnalyseSection(S);
  TDecimal D = Expand(std::fabs(V));
  std::string IntStr, FracStr;
  int Exponent = 0;
  if (L.Scientific) {
    int Sig = std::clamp(L.IntSlots + L.DecSlots, 1, 18);
    RoundAt(D, Sig);
    std::string M = D.Digits;
    M.resize(static_cast<size_t>(Sig), '0');
    int IntCount = std::min(L.IntSlots, Sig);
    if (D.IsZero()) {
      IntStr = std::string(static_cast<size_t>(L.MinInt), '0');
    } else {
      IntStr = M.substr(0, static_cast<size_t>(IntCount));
      Exponent = D.Exp - IntCount;
    }
    FracStr = M.substr(static_cast<size_t>(IntCount));
    FracStr.resize(static_cast<size_t>(L.DecSlots), '0');
  } else {
    // Fifteen significant digits are what a double carries; beyond that the
    // digits are noise of the binary representation.
    RoundAt(D, 15);
    if (D.Exp > 18) return {FormatGeneral(D, 15, 0), false};
    RoundAt(D, D.Exp + L.DecSlots);
    IntStr = IntPart(D);
    if (static_cast<int>(IntStr.size()) < L.MinInt) IntStr.insert(0, static_cast<size_t>(L.MinInt) - IntStr.size(), '0');
    FracStr = FracDigits(D, L.DecSlots);
  }
  while (static_cast<int>(FracStr.size()) > L.MinDec && FracStr.back() == '0') FracStr.pop_back();

  TRendered R;
  R.Zero = D.IsZero();
  const int IntLen = static_cast<int>(IntStr.size());
  auto EmitIntDigit = [&](int Index) {
    R.Text += IntStr[static_cast<size_t>(Index)];
    int Pos = IntLen - 1 - Index;  // 0 = units
    if (L.Thousands && Pos > 0 && Pos % 3 == 0 && FormatSettings.ThousandSeparator != '\0')
      R.Text += FormatSettings.ThousandSeparator;
  };
  bool AfterPoint = false, IntDone = false;
  int IntSlot = 0, DecSlot = 0;
  auto FlushInt = [&] {
    // A pattern without integer placeholders still shows the integer digits.
    if (!IntDone && L.IntSlots == 0)
      for (int I = 0; I < IntLen; ++I) EmitIntDigit(I);
    IntDone = true;
  };
  for (size_t I = 0; I < S.size(); ++I) {
    char C = S[I];
    if (C == '"' || C == '\'') {
      size_t End = S.find(C, I + 1);
      if (End == std::string::npos) End = S.size();
      R.Text += S.substr(I + 1, End - I - 1);
      I = End;
    } else if ((C == '0' || C == '#') && !AfterPoint) {
      int Pos = L.IntSlots - 1 - IntSlot;  // digit position this slot stands for
      if (IntSlot == 0) {
        for (int Idx = 0; Idx <= IntLen - 1 - Pos; ++Idx) EmitIntDigit(Idx);
      } else if (Pos < IntLen) {
        EmitIntDigit(IntLen - 1 - Pos);
      }
      ++IntSlot;
      if (IntSlot == L.IntSlots) IntDone = true;
    } else if ((C == '0' || C == '#') && AfterPoint) {
      if (DecSlot < static_cast<int>(FracStr.size())) R.Text += FracStr[static_cast<size_t>(DecSlot)];
      ++DecSlot;
    } else if (C == '.' && !AfterPoint) {
      FlushInt();
      AfterPoint = true;
      if (!FracStr.empty()) R.Text += FormatSettings.DecimalSeparator;
    } else if (C == '.' || C == ',') {
      // A second point and every comma are markers, not text.
    } else if (L.Scientific && IsExponentAt(S, I)) {
      FlushInt();
      AfterPoint = true;
      R.Text += C;
      R.Text += ExponentText(Exponent, S[I + 1] == '+', L.ExpDigits);
      I += 2;
      while (I < S.size() && S[I] == '0') ++I;
      --I;
      // Only the first exponent marker counts.
      L.Scientific = false;
    } else {
      R.Text += C;
    }
  }
  return R;
}

// ---- FormatDateTime ----

struct TDateParts {
  Word Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0;
  int DayOfWeek = 1;
};

bool StartsWithNoCase(const std::string& S, size_t I, const char* Prefix) {
  size_t N = std::strlen(Prefix);
  if (I + N > S.size()) return false;
  for (size_t K = 0; K < N; ++K)
    if (std::toupper(static_cast<unsigned char>(S[I + K])) != std::toupper(static_cast<unsigned char>(Prefix[K])))
      return false;
  return true;
}

/// True when the hour at I is followed (before the next hour) by an AM/PM marker.
bool UsesTwelveHourClock(const std::string& F, size_t I) {
  char Quote = 0;
  for (; I < F.size(); ++I) {
    char C = F[I];
    if (Quote) {
      if (C == Quote) Quote = 0;
      continue;
    }
    if (C == '"' || C == '\'') Quote = C;
    else if (C == 'a' || C == 'A')
      return StartsWithNoCase(F, I, "am/pm") || StartsWithNoCase(F, I, "a/p") || StartsWithNoCase(F, I, "ampm");
    else if (C == 'h' || C == 'H') return false;
  }
  return false;
}

void AppendDateTime(std::string& R, const std::string& F, const TDateParts& P, int Level) {
  // Formats that expand to other formats (c, ddddd, t ...) nest at most twice,
  // so a settings string that names itself cannot recurse for ever.
  auto Nested = [&](const std::string& Sub) {
    if (Level < 2) AppendDateTime(R, Sub, P, Level + 1);
  };
  char LastToken = ' ';
  size_t I = 0;
  while (I < F.size()) {
    char C = F[I];
    char Token = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    size_t Count = 1;
    if (Token >= 'A' && Token <= 'Z')
      while (I + Count < F.size() && std::toupper(static_cast<unsigned char>(F[I + Count])) == Token) ++Count;
    bool IsLetter = Token >= 'A' && Token <= 'Z';
    if (Token == 'M' && LastToken == 'H' && Count <= 2) Token = 'N';  // "hh:mm" shows minutes
    switch (Token) {
      case 'Y':
        R += Count <= 2 ? PadNumber(P.Year % 100, 2) : PadNumber(P.Year, 4);
        break;
      case 'M':
        if (Count == 1) R += std::to_string(P.Month);
        else if (Count == 2) R += PadNumber(P.Month, 2);
        else if (P.Month >= 1 && P.Month <= 12)
          R += Count == 3 ? FormatSettings.ShortMonthNames[P.Month - 1] : FormatSettings.LongMonthNames[P.Month - 1];
        break;
      case 'D':
        if (Count == 1) R += std::to_string(P.Day);
        else if (Count == 2) R += PadNumber(P.Day, 2);
        else if (Count == 3) R += FormatSettings.ShortDayNames[P.DayOfWeek - 1];
        else if (Count == 4) R += FormatSettings.LongDayNames[P.DayOfWeek - 1];
        else if (Count == 5) Nested(FormatSettings.ShortDateFormat);
        else Nested(FormatSettings.LongDateFormat);
        break;
      case 'H': {
        int H = P.Hour;
        if (UsesTwelveHourClock(F, I + Count)) {
          if (H == 0) H = 12;
          else if (H > 12) H -= 12;
        }
        R += PadNumber(H, Count >= 2 ? 2 : 1);
        break;
      }
      case 'N':
        R += PadNumber(P.Min, Count >= 2 ? 2 : 1);
        break;
      case 'S':
        R += PadNumber(P.Sec, Count >= 2 ? 2 : 1);
        break;
      case 'Z':
        R += PadNumber(P.MSec, static_cast<int>(std::min<size_t>(Count, 3)));
        break;
      case 'T':
        Nested(Count == 1 ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat);
        break;
      case 'C':
        Count = 1;
        Nested(FormatSettings.ShortDateFormat);
        if (P.Hour || P.Min || P.Sec || P.MSec) {
          R += ' ';
          Nested(FormatSettings.LongTimeFormat);
        }
        break;
      case 'A':
        Count = 1;
        if (StartsWithNoCase(F, I, "am/pm")) {
          R += F.substr(P.Hour >= 12 ? I + 3 : I, 2);
          Count = 5;
        } else if (StartsWithNoCase(F, I, "a/p")) {
          R += F[P.Hour >= 12 ? I + 2 : I];
          Count = 3;
        } else if (StartsWithNoCase(F, I, "ampm")) {
          R += P.Hour >= 12 ? FormatSettings.TimePMString : FormatSettings.TimeAMString;
          Count = 4;
        } else {
          R += C;
        }
        break;
      case '/':
        if (FormatSettings.DateSeparator != '\0') R += FormatSettings.DateSeparator;
        break;
      case ':':
        if (FormatSettings.TimeSeparator != '\0') R += FormatSettings.TimeSeparator;
        break;
      case '"':
      case '\'': {
        size_t End = F.find(C, I + 1);
        if (End == std::string::npos) End = F.size();
        R += F.substr(I + 1, End - I - 1);
        Count = End - I + 1;
        break;
      }
      default:
        // Any other letter or character is copied as it stands.
        R += F.substr(I, Count);
        break;
    }
    if (IsLetter) LastToken = Token;
    I += Count;
  }
}

// ---- parsing ----

struct TScanner {
  const std::string& S;
  size_t Pos = 0;

  void SkipBlanks() {
    while (Pos < S.size() && static_cast<unsigned char>(S[Pos]) <= ' ') ++Pos;
  }
  bool AtEnd() {
    SkipBlanks();
    return Pos == S.size();
  }
  /// Up to four digits; Len receives how many were typed.
  bool Number(int& Value, int& Len) {
    SkipBlanks();
    Value = 0;
    Len = 0;
    while (Pos < S.size() && Len < 4 && S[Pos] >= '0' && S[Pos] <= '9') {
      Value = Value * 10 + (S[Pos++] - '0');
      ++Len;
    }
    return Len > 0 && !(Pos < S.size() && S[Pos] >= '0' && S[Pos] <= '9');
  }
  bool Char(char C) {
    size_t Start = Pos;
    SkipBlanks();
    if (C == ' ' && Pos > Start) return true;
    if (Pos < S.size() && S[Pos] == C) {
      ++Pos;
      return true;
    }
    Pos = Start;
    return false;
  }
  bool Text(const std::string& T) {
    size_t Start = Pos;
    SkipBlanks();
    if (!T.empty() && StartsWithNoCase(S, Pos, T.c_str())) {
      Pos += T.size();
      return true;
    }
    Pos = Start;
    return false;
  }
};

enum class TDateOrder { MDY, DMY, YMD };

TDateOrder DateOrder(const std::string& Format) {
  char Quote = 0;
  for (char C : Format) {
    if (Quote) {
      if (C == Quote) Quote = 0;
      continue;
    }
    switch (std::tolower(static_cast<unsigned char>(C))) {
      case '"': case '\'': Quote = C; break;
      case 'y': return TDateOrder::YMD;
      case 'm': return TDateOrder::MDY;
      case 'd': return TDateOrder::DMY;
      default: break;
    }
  }
  return TDateOrder::MDY;
}

int CurrentYear() {
  Word Y, M, D;
  DecodeDate(Host().Now(), Y, M, D);
  return Y;
}

int ExpandTwoDigitYear(int Y) {
  int Window = FormatSettings.TwoDigitYearCenturyWindow;
  int Pivot = CurrentYear() - Window;
  Y += Pivot / 100 * 100;
  if (Window > 0 && Y < Pivot) Y += 100;
  return Y;
}

bool ScanDate(TScanner& Sc, TDateTime& Date) {
  const char Sep = FormatSettings.DateSeparator;
  int N1, L1, N2, L2, N3 = 0, L3 = 0;
  if (!Sc.Number(N1, L1) || !Sc.Char(Sep) || !Sc.Number(N2, L2)) return false;
  int Y, M, D, YLen;
  TDateOrder Order = DateOrder(FormatSettings.ShortDateFormat);
  if (Sc.Char(Sep)) {
    if (!Sc.Number(N3, L3)) return false;
    // A first number of three or more digits can only be a year.
    if (Order == TDateOrder::YMD || L1 > 2) {
      Y = N1, YLen = L1, M = N2, D = N3;
    } else if (Order == TDateOrder::MDY) {
      M = N1, D = N2, Y = N3, YLen = L3;
    } else {
      D = N1, M = N2, Y = N3, YLen = L3;
    }
    if (YLen <= 2) Y = ExpandTwoDigitYear(Y);
  } else {
    Y = CurrentYear();
    if (Order == TDateOrder::DMY) D = N1, M = N2;
    else M = N1, D = N2;
  }
  if (Y < 1 || Y > 9999 || M < 1 || M > 12 || D < 1) return false;
  return TryEncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D), Date);
}

/// -1 when no marker is there, 0 for AM, 12 for PM.
int ScanAmPm(TScanner& Sc) {
  if (Sc.Text(FormatSettings.TimeAMString) || Sc.Text("AM")) return 0;
  if (Sc.Text(FormatSettings.TimePMString) || Sc.Text("PM")) return 12;
  return -1;
}

bool ScanTime(TScanner& Sc, TDateTime& Time) {
  int BaseHour = ScanAmPm(Sc);
  int H, N = 0, S = 0, Ms = 0, L;
  if (!Sc.Number(H, L)) return false;
  if (Sc.Char(FormatSettings.TimeSeparator)) {
    if (!Sc.Number(N, L)) return false;
    if (Sc.Char(FormatSettings.TimeSeparator)) {
      if (!Sc.Number(S, L)) return false;
      if (Sc.Char(FormatSettings.DecimalSeparator) && !Sc.Number(Ms, L)) return false;
    }
  }
  if (BaseHour < 0) BaseHour = ScanAmPm(Sc);
  if (BaseHour >= 0) {
    if (H == 0 || H > 12) return false;
    if (H == 12) H = 0;
    H += BaseHour;
  }
  return TryEncodeTime(static_cast<Word>(H), static_cast<Word>(N), static_cast<Word>(S), static_cast<Word>(Ms), Time);
}

/// Checks the float syntax (blanks, sign, digits with the locale's decimal
/// separator, exponent) and converts without the C locale's radix character.
bool ParseFloat(const std::string& Text, Extended& Value) {
  std::string T = Trim(Text);
  size_t I = 0;
  bool Neg = false;
  if (I < T.size() && (T[I] == '+' || T[I] == '-')) Neg = T[I++] == '-';
  std::string Mantissa;
  int Scale = 0;
  bool Any = false;
  while (I < T.size() && T[I] >= '0' && T[I] <= '9') Mantissa += T[I++], Any = true;
  if (I < T.size() && T[I] == FormatSettings.DecimalSeparator) {
    ++I;
    while (I < T.size() && T[I] >= '0' && T[I] <= '9') Mantissa += T[I++], --Scale, Any = true;
  }
  if (!Any) return false;
  long Exp = 0;
  if (I < T.size() && (T[I] == 'e' || T[I] == 'E')) {
    ++I;
    bool ENeg = false;
    if (I < T.size() && (T[I] == '+' || T[I] == '-')) ENeg = T[I++] == '-';
    if (I >= T.size() || T[I] < '0' || T[I] > '9') return false;
    while (I < T.size() && T[I] >= '0' && T[I] <= '9') {
      if (Exp < 100000) Exp = Exp * 10 + (T[I] - '0');
      ++I;
    }
    if (ENeg) Exp = -Exp;
  }
  if (I != T.size()) return false;
  std::string C = (Neg ? "-" : "") + Mantissa + "e" + std::to_string(Exp + Scale);
  errno = 0;
  char* End = nullptr;
  Extended V = std::strtold(C.c_str(), &End);
  if (std::isinf(V) || std::isnan(V)) return false;
  Value = V;
  return true;
}

/// Exact decimal to currency, rounding half away from zero at the fourth decimal.
bool ParseCurrency(const std::string& Text, Currency& Value) {
  Extended Check;
  if (!ParseFloat(Text, Check)) return false;
  // Re-read the digits exactly: the binary float would lose cents on large amounts.
  std::string T = Trim(Text);
  bool Neg = !T.empty() && T[0] == '-';
  TDecimal D;
  int PointPos = -1, Exp = 0;
  size_t I = (!T.empty() && (T[0] == '+' || T[0] == '-')) ? 1 : 0;
  for (; I < T.size(); ++I) {
    char C = T[I];
    if (C >= '0' && C <= '9') D.Digits += C;
    else if (C == FormatSettings.DecimalSeparator) PointPos = static_cast<int>(D.Digits.size());
    else break;
  }
  if (I < T.size()) Exp = static_cast<int>(std::clamp(std::strtol(T.c_str() + I + 1, nullptr, 10), -100000L, 100000L));
  size_t Lead = D.Digits.find_first_not_of('0');
  int IntDigits = (PointPos < 0 ? static_cast<int>(D.Digits.size()) : PointPos);
  if (Lead == std::string::npos) {
    Value = Currency{};
    return true;
  }
  D.Exp = IntDigits - static_cast<int>(Lead) + Exp;
  D.Digits.erase(0, Lead);
  StripTrailingZeros(D);
  RoundAt(D, D.Exp + 4);
  if (D.IsZero()) {
    Value = Currency{};
    return true;
  }
  if (D.Exp > 15) return false;
  std::string Raw = D.Digits;
  Raw.resize(static_cast<size_t>(D.Exp + 4), '0');
  if (Raw.size() > 19) return false;
  uint64_t U = std::stoull(Raw);
  const uint64_t Limit = Neg ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  if (U > Limit) return false;
  Value = Currency::FromRaw(Neg ? static_cast<int64_t>(0 - U) : static_cast<int64_t>(U));
  return true;
}

// ---- locale ----

/// Turns a C library strftime pattern into this framework's date/time pattern.
std::string FromStrftime(const std::string& F, bool& HasAmPm) {
  std::string R;
  for (size_t I = 0; I < F.size(); ++I) {
    if (F[I] != '%' || I + 1 >= F.size()) {
      char C = F[I];
      if (std::isalpha(static_cast<unsigned char>(C))) R += '"' + std::string(1, C) + '"';
      else R += C;
      continue;
    }
    char C = F[++I];
    if (C == 'E' || C == 'O') {  // alternative-representation modifiers
      if (I + 1 >= F.size()) break;
      C = F[++I];
    }
    switch (C) {
      case 'd': R += "dd"; break;
      case 'e': R += "d"; break;
      case 'm': R += "mm"; break;
      case 'y': R += "yy"; break;
      case 'Y': R += "yyyy"; break;
      case 'b': case 'h': R += "mmm"; break;
      case 'B': R += "mmmm"; break;
      case 'a': R += "ddd"; break;
      case 'A': R += "dddd"; break;
      case 'H': R += "hh"; break;
      case 'k': R += "h"; break;
      case 'I': R += "hh"; break;
      case 'l': R += "h"; break;
      case 'M': R += "nn"; break;
      case 'S': R += "ss"; break;
      case 'p': case 'P': R += "ampm"; HasAmPm = true; break;
      case 'D': R += FromStrftime("%m/%d/%y", HasAmPm); break;
      case 'F': R += FromStrftime("%Y-%m-%d", HasAmPm); break;
      case 'T': R += FromStrftime("%H:%M:%S", HasAmPm); break;
      case 'R': R += FromStrftime("%H:%M", HasAmPm); break;
      case 'r': R += FromStrftime(nl_langinfo(T_FMT_AMPM), HasAmPm); break;
      case '%': R += '%'; break;
      default: break;  // time zone, week numbers and the like have no equivalent
    }
  }
  return R;
}

/// The first separator between two fields of a converted pattern, written as '/' or ':'.
char TakeSeparator(std::string& Pattern, const char* Fields, char Placeholder) {
  char Sep = '\0';
  bool SeenField = false;
  std::string R;
  char Quote = 0;
  for (char C : Pattern) {
    if (Quote) {
      if (C == Quote) Quote = 0;
      R += C;
      continue;
    }
    if (C == '"') {
      Quote = C;
      R += C;
      continue;
    }
    if (std::strchr(Fields, std::tolower(static_cast<unsigned char>(C)))) {
      SeenField = true;
      R += C;
    } else if (SeenField && !std::isalpha(static_cast<unsigned char>(C)) && C != ' ' && C != ',' &&
               (Sep == '\0' || C == Sep)) {
      Sep = C;
      R += Placeholder;
    } else {
      R += C;
    }
  }
  if (Sep != '\0') Pattern = R;
  return Sep;
}

char SingleByte(const char* S, char Fallback) {
  if (!S || !*S) return Fallback;
  if (S[1] == '\0' && static_cast<unsigned char>(S[0]) < 0x80) return S[0];
  // A multi-byte separator (a no-break space, say) is shown as a plain space.
  return ' ';
}

Byte NegativeLayout(bool Precedes, bool Space, int SignPosn) {
  static const Byte Table[2][2][5] = {
      // sign position:  ( )  before  after  before-symbol  after-symbol
      {{4, 5, 7, 6, 7}, {15, 8, 10, 13, 10}},  // symbol after the amount: no space, space
      {{0, 1, 3, 1, 2}, {14, 9, 11, 9, 12}},   // symbol before the amount
  };
  return Table[Precedes][Space][std::clamp(SignPosn, 0, 4)];
}

}  // namespace

// ---- floats ----

std::string FloatToStr(Extended Value) { return FloatToStrF(Value, TFloatFormat::ffGeneral, 15, 0); }

std::string FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  Precision = std::clamp(Precision, 1, 18);
  TDecimal D = Expand(Value);
  RoundAt(D, Precision);
  return FormatDecimal(D, Format, Precision, Digits);
}

std::string FormatFloat(const std::string& Format, Extended Value) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  std::vector<std::string> Sections = SplitSections(Format);
  if (Sections[0].empty() && Sections.size() == 1) return FloatToStr(Value);
  auto Section = [&](size_t I) -> const std::string* {
    return I < Sections.size() && !Sections[I].empty() ? &Sections[I] : nullptr;
  };
  const std::string* Chosen = &Sections[0];
  bool OwnNegative = false;
  if (Value < 0 && Section(1)) {
    Chosen = Section(1);
    OwnNegative = true;
  } else if (Value == 0 && Section(2)) {
    Chosen = Section(2);
  }
  TRendered R = RenderSection(*Chosen, Value);
  // A value that rounds to zero shows as zero: by the zero section when there is one, and never with a sign.
  if (R.Zero && Value != 0) {
    return RenderSection(Section(2) ? *Section(2) : Sections[0], 0).Text;
  }
  return (Value < 0 && !OwnNegative) ? "-" + R.Text : R.Text;
}

Extended StrToFloat(const std::string& S) {
  Extended V = 0;
  if (!ParseFloat(S, V)) throw EConvertError("'" + S + "' is not a valid floating point value");
  return V;
}

Extended StrToFloatDef(const std::string& S, Extended Default) {
  Extended V = 0;
  return ParseFloat(S, V) ? V : Default;
}

bool TryStrToFloat(const std::string& S, Extended& Value) { return ParseFloat(S, Value); }

// ---- currency ----

std::string CurrToStr(Currency Value) { return CurrToStrF(Value, TFloatFormat::ffGeneral, 0); }

std::string CurrToStrF(Currency Value, TFloatFormat Format, int Digits) {
  // Nineteen digits hold every amount, so nothing is rounded but the decimals asked for.
  return FormatDecimal(FromCurrency(Value), Format, 19, Digits);
}

Currency StrToCurr(const std::string& S) {
  Currency V;
  if (!ParseCurrency(S, V)) throw EConvertError("'" + S + "' is not a valid floating point value");
  return V;
}

// ---- dates and times ----

std::string FormatDateTime(const std::string& Format, TDateTime DateTime) {
  TDateParts P;
  DecodeDate(DateTime, P.Year, P.Month, P.Day);
  DecodeTime(DateTime, P.Hour, P.Min, P.Sec, P.MSec);
  P.DayOfWeek = DayOfWeek(DateTime);
  std::string R;
  AppendDateTime(R, Format.empty() ? std::string("c") : Format, P, 0);
  return R;
}

std::string DateToStr(TDateTime Date) { return FormatDateTime("ddddd", Date); }
std::string TimeToStr(TDateTime Time) { return FormatDateTime("tt", Time); }
std::string DateTimeToStr(TDateTime DateTime) { return FormatDateTime("c", DateTime); }

bool TryStrToDate(const std::string& S, TDateTime& Value) {
  TScanner Sc{S};
  TDateTime D = 0;
  if (!ScanDate(Sc, D) || !Sc.AtEnd()) return false;
  Value = D;
  return true;
}

bool TryStrToTime(const std::string& S, TDateTime& Value) {
  TScanner Sc{S};
  TDateTime T = 0;
  if (!ScanTime(Sc, T) || !Sc.AtEnd()) return false;
  Value = T;
  return true;
}

TDateTime StrToDate(const std::string& S) {
  TDateTime V = 0;
  if (!TryStrToDate(S, V)) throw EConvertError("'" + S + "' is not a valid date");
  return V;
}

TDateTime StrToTime(const std::string& S) {
  TDateTime V = 0;
  if (!TryStrToTime(S, V)) throw EConvertError("'" + S + "' is not a valid time");
  return V;
}

TDateTime StrToDateTime(const std::string& S) {
  TScanner Sc{S};
  TDateTime D = 0, T = 0;
  bool Ok;
  if (ScanDate(Sc, D)) {
    Ok = Sc.AtEnd() || ScanTime(Sc, T);
  } else {
    // A time alone is a time on day zero.
    Sc.Pos = 0;
    D = 0;
    Ok = ScanTime(Sc, T);
  }
  if (!Ok || !Sc.AtEnd()) throw EConvertError("'" + S + "' is not a valid date and time");
  return ComposeDateTime(D, T);
}

// ---- locale ----

void LoadFormatSettingsFromLocale() {
  // Read through a private locale object so the process-wide C locale, which
  // strtod and printf obey, stays as it was.
  locale_t Loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
  if (Loc == static_cast<locale_t>(0)) return;  // the environment names a locale that is not installed
  locale_t Old = uselocale(Loc);
  TFormatSettings& F = FormatSettings;
  const lconv* Conv = localeconv();

  F.DecimalSeparator = SingleByte(Conv->decimal_point, F.DecimalSeparator);
  F.ThousandSeparator = SingleByte(Conv->thousands_sep, F.ThousandSeparator);
  if (F.ThousandSeparator == F.DecimalSeparator) F.ThousandSeparator = F.DecimalSeparator == ',' ? '.' : ',';
  F.ListSeparator = F.DecimalSeparator == ',' ? ';' : ',';
  if (Conv->currency_symbol && *Conv->currency_symbol) F.CurrencyString = Conv->currency_symbol;
  if (Conv->frac_digits != CHAR_MAX) F.CurrencyDecimals = static_cast<Byte>(Conv->frac_digits);
  if (Conv->p_cs_precedes != CHAR_MAX && Conv->p_sep_by_space != CHAR_MAX)
    F.CurrencyFormat = static_cast<Byte>((Conv->p_cs_precedes ? 0 : 1) + (Conv->p_sep_by_space ? 2 : 0));
  if (Conv->n_cs_precedes != CHAR_MAX && Conv->n_sep_by_space != CHAR_MAX && Conv->n_sign_posn != CHAR_MAX)
    F.NegCurrFormat = NegativeLayout(Conv->n_cs_precedes != 0, Conv->n_sep_by_space != 0, Conv->n_sign_posn);

  for (int I = 0; I < 12; ++I) {
    F.ShortMonthNames[I] = nl_langinfo(static_cast<nl_item>(ABMON_1 + I));
    F.LongMonthNames[I] = nl_langinfo(static_cast<nl_item>(MON_1 + I));
  }
  for (int I = 0; I < 7; ++I) {
    F.ShortDayNames[I] = nl_langinfo(static_cast<nl_item>(ABDAY_1 + I));
    F.LongDayNames[I] = nl_langinfo(static_cast<nl_item>(DAY_1 + I));
  }
  // 24-hour locales leave the markers empty; keep the English ones for "ampm".
  if (*nl_langinfo(AM_STR)) F.TimeAMString = nl_langinfo(AM_STR);
  if (*nl_langinfo(PM_STR)) F.TimePMString = nl_langinfo(PM_STR);

  bool AmPm = false;
  std::string DateFmt = FromStrftime(nl_langinfo(D_FMT), AmPm);
  char DateSep = TakeSeparator(DateFmt, "dmy", '/');
  if (!DateFmt.empty()) {
    F.ShortDateFormat = DateFmt;
    if (DateSep != '\0') F.DateSeparator = DateSep;
  }
  std::string TimeFmt = FromStrftime(nl_langinfo(T_FMT), AmPm);
  char TimeSep = TakeSeparator(TimeFmt, "hns", ':');
  if (!TimeFmt.empty()) {
    F.LongTimeFormat = TimeFmt;
    if (TimeSep != '\0') F.TimeSeparator = TimeSep;
    // The short form is the long one without its seconds.
    std::string Short = TimeFmt;
    size_t P = Short.find(":ss");
    if (P != std::string::npos) Short.erase(P, 3);
    F.ShortTimeFormat = Short;
  }
  uselocale(Old);
  freelocale(Loc);
}

}  // namespace vcl
