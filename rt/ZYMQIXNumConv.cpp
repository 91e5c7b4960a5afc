#include "rt/ZYMQIXNumConv.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXSettings.h"
#include "vcl/SysUtils.h"

namespace zymqix {

namespace {

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= ' '; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

std::string Quoted(const std::string& S) { return "'" + S + "'"; }

[[noreturn]] void RaiseOutOfRange(const std::string& S) {
  throw vcl::EConvertError(Quoted(S) + rsValueOutOfRange);
}

// Trimmed view of S as [First, Last).
void TrimBounds(const std::string& S, size_t& First, size_t& Last) {
  First = 0;
  Last = S.size();
  while (First < Last && IsBlank(S[First])) ++First;
  while (Last > First && IsBlank(S[Last - 1])) --Last;
}

std::string Digits(uint64_t V) {
  char Buf[24];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, V);
  return std::string(Buf, R.ptr);
}

// Writes the sign the settings ask for in front of a formatted magnitude.
std::string Signed(bool Negative, bool Zero, std::string Body) {
  if (Negative && !Zero) return "-" + Body;
  if (!Zero && ZYMNumPosSign) return "+" + Body;
  return Body;
}

enum class TFixedStyle { Plain, Thousands };

std::string FormatScientific(vcl::Extended Value, int Decimals, bool TrimZeros);

std::string FormatSpecial(vcl::Extended Value) {
  if (std::isnan(Value)) return "NAN";
  return Value < 0 ? "-INF" : "INF";
}

std::string FormatFixed(vcl::Extended Value, int Decimals, TFixedStyle Style, bool TrimZeros) {
  if (!std::isfinite(Value)) return FormatSpecial(Value);
  if (std::fabs(Value) >= 1e18L) return FormatScientific(Value, Decimals, TrimZeros);
  if (Decimals < 0) Decimals = 0;
  detail::TDecimalText D = detail::ToDecimal(Value);
  detail::RoundDecimal(D, Decimals);
  bool Zero = D.IsZero();
  if (Zero && ZYMBlankWhenZero) return "";
  if (TrimZeros) detail::TrimFraction(D);
  std::string Body = Style == TFixedStyle::Thousands ? detail::GroupThousands(D.Whole) : D.Whole;
  if (!D.Fraction.empty()) {
    Body += vcl::FormatSettings.DecimalSeparator;
    Body += D.Fraction;
  }
  return Signed(D.Negative, Zero, std::move(Body));
}

std::string FormatScientific(vcl::Extended Value, int Decimals, bool TrimZeros) {
  if (!std::isfinite(Value)) return FormatSpecial(Value);
  if (Decimals < 0) Decimals = 0;
  detail::TDecimalText D = detail::ToDecimal(Value);
  // Significant digits and the power of ten of the first one.
  std::string Sig;
  int Exp = 0;
  if (D.Whole != "0") {
    Sig = D.Whole + D.Fraction;
    Exp = static_cast<int>(D.Whole.size()) - 1;
  } else {
    size_t Lead = D.Fraction.find_first_not_of('0');
    if (Lead != std::string::npos) {
      Sig = D.Fraction.substr(Lead);
      Exp = -static_cast<int>(Lead) - 1;
    }
  }
  bool Zero = Sig.empty();
  if (Zero) {
    if (ZYMBlankWhenZero) return "";
    Sig.assign(1, '0');  // assign(const char*) trips a false GCC 12 -Wrestrict
  }
  // Round the significant digits to 1 + Decimals, half away from zero.
  detail::TDecimalText M;
  M.Whole = Sig.substr(0, 1);
  M.Fraction = Sig.substr(1);
  detail::RoundDecimal(M, Decimals);
  if (M.Whole.size() > 1) {  // 9.99.. rounded up to 10.0..
    M.Fraction = M.Whole.substr(1) + M.Fraction;
    M.Fraction.pop_back();
    M.Whole = M.Whole.substr(0, 1);
    ++Exp;
  }
  if (Zero) Exp = 0;
  if (TrimZeros) detail::TrimFraction(M);
  std::string Body = M.Whole;
  if (!M.Fraction.empty()) {
    Body += vcl::FormatSettings.DecimalSeparator;
    Body += M.Fraction;
  }
  Body += 'E';
  Body += Exp < 0 ? '-' : '+';
  std::string E = Digits(static_cast<uint64_t>(Exp < 0 ? -Exp : Exp));
  if (E.size() < 2) E.insert(0, 2 - E.size(), '0');
  Body += E;
  return Signed(D.Negative, Zero, std::move(Body));
}

// Reads [sign] decimal digits (thousands separators allowed among them) into a
// magnitude; false when anything else is present or the magnitude passes Limit.
enum class TIntParse { Ok, Malformed, Overflow };

TIntParse ParseInteger(const std::string& S, bool& Negative, uint64_t& Magnitude) {
  size_t I, Last;
  TrimBounds(S, I, Last);
  Negative = false;
  Magnitude = 0;
  if (I < Last && (S[I] == '+' || S[I] == '-')) {
    Negative = S[I] == '-';
    ++I;
    while (I < Last && IsBlank(S[I])) ++I;
  }
  const char Sep = vcl::FormatSettings.ThousandSeparator;
  bool Any = false, Overflow = false;
  for (; I < Last; ++I) {
    char C = S[I];
    if (IsDigit(C)) {
      Any = true;
      uint64_t Next;
      if (__builtin_mul_overflow(Magnitude, 10u, &Next) ||
          __builtin_add_overflow(Next, static_cast<uint64_t>(C - '0'), &Next))
        Overflow = true;
      else
        Magnitude = Next;
      continue;
    }
    if (C == Sep && Any) continue;
    return TIntParse::Malformed;
  }
  if (!Any) return TIntParse::Malformed;
  return Overflow ? TIntParse::Overflow : TIntParse::Ok;
}

bool IsLatin1Letter(unsigned char C) {
  return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= 0xC0 && C != 0xD7 && C != 0xF7);
}

}  // namespace

// ---- detail ----

namespace detail {

bool TDecimalText::IsZero() const {
  return Whole.find_first_not_of('0') == std::string::npos && Fraction.find_first_not_of('0') == std::string::npos;
}

TDecimalText ToDecimal(vcl::Extended X) {
  TDecimalText D;
  if (X == 0 || !std::isfinite(X)) return D;
  D.Negative = X < 0;
  char Buf[64];
  std::to_chars_result R;
  double AsDouble = static_cast<double>(X);
  if (static_cast<vcl::Extended>(AsDouble) == X)
    R = std::to_chars(Buf, Buf + sizeof Buf, std::fabs(AsDouble), std::chars_format::scientific);
  else
    R = std::to_chars(Buf, Buf + sizeof Buf, std::fabs(X), std::chars_format::scientific);
  // "d[.ddd]e[+-]xx"
  std::string Sig;
  const char* P = Buf;
  for (; P < R.ptr && *P != 'e'; ++P)
    if (IsDigit(*P)) Sig += *P;
  int Exp = 0;
  if (P < R.ptr) std::from_chars(P + 1 + (P[1] == '+'), R.ptr, Exp);
  // Value = 0.Sig * 10^(Exp + 1).
  int Point = Exp + 1;
  if (Point <= 0) {
    // D.Whole is "0" already.
    D.Fraction.assign(static_cast<size_t>(-Point), '0');
    D.Fraction += Sig;
  } else if (static_cast<size_t>(Point) >= Sig.size()) {
    D.Whole = Sig + std::string(static_cast<size_t>(Point) - Sig.size(), '0');
  } else {
    D.Whole = Sig.substr(0, static_cast<size_t>(Point));
    D.Fraction = Sig.substr(static_cast<size_t>(Point));
  }
  return D;
}

TDecimalText ToDecimal(uint64_t Magnitude, bool Negative, int Scale) {
  TDecimalText D;
  D.Negative = Negative && Magnitude != 0;
  std::string All = Digits(Magnitude);
  if (Scale <= 0) {
    D.Whole = Magnitude == 0 ? "0" : All + std::string(static_cast<size_t>(-Scale), '0');
    return D;
  }
  if (All.size() <= static_cast<size_t>(Scale)) All.insert(0, static_cast<size_t>(Scale) + 1 - All.size(), '0');
  D.Whole = All.substr(0, All.size() - static_cast<size_t>(Scale));
  D.Fraction = All.substr(All.size() - static_cast<size_t>(Scale));
  return D;
}

void RoundDecimal(TDecimalText& D, int Decimals) {
  if (Decimals < 0) Decimals = 0;
  size_t N = static_cast<size_t>(Decimals);
  if (D.Fraction.size() <= N) {
    D.Fraction.append(N - D.Fraction.size(), '0');
    return;
  }
  bool Up = D.Fraction[N] >= '5';
  D.Fraction.resize(N);
  if (!Up) return;
  // Carry through the fraction, then the whole part.
  for (size_t I = N; I-- > 0;) {
    if (D.Fraction[I] != '9') {
      ++D.Fraction[I];
      return;
    }
    D.Fraction[I] = '0';
  }
  for (size_t I = D.Whole.size(); I-- > 0;) {
    if (D.Whole[I] != '9') {
      ++D.Whole[I];
      return;
    }
    D.Whole[I] = '0';
  }
  D.Whole.insert(D.Whole.begin(), '1');
}

void TrimFraction(TDecimalText& D) {
  size_t N = D.Fraction.find_last_not_of('0');
  D.Fraction.resize(N == std::string::npos ? 0 : N + 1);
}

std::string GroupThousands(const std::string& Whole) {
  const char Sep = vcl::FormatSettings.ThousandSeparator;
  if (Whole.size() <= 3 || Sep == '\0') return Whole;
  std::string R;
  R.reserve(Whole.size() + Whole.size() / 3);
  size_t Lead = Whole.size() % 3;
  if (Lead == 0) Lead = 3;
  R.append(Whole, 0, Lead);
  for (size_t I = Lead; I < Whole.size(); I += 3) {
    R += Sep;
    R.append(Whole, I, 3);
  }
  return R;
}

bool ScaledInteger(TDecimalText D, int Scale, uint64_t Limit, int64_t& Result) {
  RoundDecimal(D, Scale);
  std::string All = D.Whole + D.Fraction;
  size_t Lead = All.find_first_not_of('0');
  All.erase(0, Lead == std::string::npos ? All.size() : Lead);
  if (All.size() > 20) return false;  // more digits than any 64-bit value has
  uint64_t M = 0;
  for (char C : All) {
    if (__builtin_mul_overflow(M, 10u, &M) || __builtin_add_overflow(M, static_cast<uint64_t>(C - '0'), &M))
      return false;
  }
  if (M > Limit) return false;
  Result = D.Negative ? -static_cast<int64_t>(M) : static_cast<int64_t>(M);
  return true;
}

bool ParseUnsignedDecimal(const std::string& S, TDecimalText& D) {
  const char Dec = vcl::FormatSettings.DecimalSeparator;
  const char Sep = vcl::FormatSettings.ThousandSeparator;
  D.Whole.clear();
  D.Fraction.clear();
  bool InFraction = false, Any = false;
  for (char C : S) {
    if (IsDigit(C)) {
      Any = true;
      (InFraction ? D.Fraction : D.Whole) += C;
    } else if (C == Dec && !InFraction) {
      InFraction = true;
    } else if (C == Sep && !InFraction && Any) {
      continue;
    } else {
      return false;
    }
  }
  if (!Any) return false;
  size_t Lead = D.Whole.find_first_not_of('0');
  D.Whole = Lead == std::string::npos ? "0" : D.Whole.substr(Lead);
  return true;
}

}  // namespace detail

// ---- text to numbers ----

bool TryStr2Float(const std::string& S, vcl::Extended& Value) {
  Value = 0;
  size_t I, Last;
  TrimBounds(S, I, Last);
  if (I < Last && S[Last - 1] == '%') {
    --Last;
    while (Last > I && IsBlank(S[Last - 1])) --Last;
  }
  if (I == Last) return false;
  bool Negative = false;
  if (S[I] == '+' || S[I] == '-') {
    Negative = S[I] == '-';
    ++I;
    while (I < Last && IsBlank(S[I])) ++I;
  }
  // Split off the exponent; an unfinished one ("E", "E-") is ignored.
  size_t E = I;
  while (E < Last && S[E] != 'E' && S[E] != 'e') ++E;
  detail::TDecimalText D;
  if (!detail::ParseUnsignedDecimal(S.substr(I, E - I), D)) return false;
  long Exp = 0;
  if (E < Last) {
    size_t P = E + 1;
    bool ExpNeg = false;
    if (P < Last && (S[P] == '+' || S[P] == '-')) {
      ExpNeg = S[P] == '-';
      ++P;
    }
    if (P < Last) {
      for (; P < Last; ++P) {
        if (!IsDigit(S[P])) return false;
        if (Exp < 100000) Exp = Exp * 10 + (S[P] - '0');
      }
      if (ExpNeg) Exp = -Exp;
    }
  }
  std::string Clean = D.Whole;
  if (!D.Fraction.empty()) {
    Clean += '.';
    Clean += D.Fraction;
  }
  Clean += 'e';
  Clean += std::to_string(Exp);
  vcl::Extended V = 0;
  auto R = std::from_chars(Clean.data(), Clean.data() + Clean.size(), V);
  if (R.ec == std::errc::result_out_of_range) {
    // from_chars reports underflow and overflow alike: tell them apart by the
    // power of ten of the first significant digit.
    long Magnitude;
    if (D.Whole != "0") {
      Magnitude = static_cast<long>(D.Whole.size()) + Exp;
    } else {
      size_t Lead = D.Fraction.find_first_not_of('0');
      if (Lead == std::string::npos) return true;  // a zero mantissa
      Magnitude = -static_cast<long>(Lead) + Exp;
    }
    if (Magnitude < 0) {
      Value = 0;
      return true;
    }
    RaiseOutOfRange(S);
  }
  if (R.ec != std::errc()) return false;
  Value = Negative ? -V : V;
  return true;
}

vcl::Extended Str2Float(const std::string& S) {
  vcl::Extended V;
  return TryStr2Float(S, V) ? V : 0;
}

bool TryStr2Int64(const std::string& S, vcl::Int64& Value) {
  Value = 0;
  bool Negative;
  uint64_t M;
  switch (ParseInteger(S, Negative, M)) {
    case TIntParse::Malformed:
      return false;
    case TIntParse::Overflow:
      RaiseOutOfRange(S);
    case TIntParse::Ok:
      break;
  }
  constexpr uint64_t MaxPos = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  if (M > MaxPos + (Negative ? 1 : 0)) RaiseOutOfRange(S);
  Value = Negative ? static_cast<int64_t>(0 - M) : static_cast<int64_t>(M);
  return true;
}

vcl::Int64 Str2Int64(const std::string& S) {
  vcl::Int64 V;
  return TryStr2Int64(S, V) ? V : 0;
}

vcl::Word Str2Word(const std::string& S) {
  vcl::Int64 V = Str2Int64(S);
  if (V < 0 || V > 0xFFFF) RaiseOutOfRange(S);
  return static_cast<vcl::Word>(V);
}

vcl::LongWord IPStr2LWord(const std::string& S) {
  size_t I, Last;
  TrimBounds(S, I, Last);
  if (I == Last) return 0;
  uint32_t Result = 0;
  int Parts = 0;
  bool Ok = true;
  while (Ok) {
    size_t Start = I;
    unsigned Part = 0;
    while (I < Last && IsDigit(S[I]) && I - Start < 3) Part = Part * 10 + static_cast<unsigned>(S[I++] - '0');
    if (I == Start || Part > 255) {
      Ok = false;
      break;
    }
    Result = (Result << 8) | Part;
    ++Parts;
    if (I == Last) break;
    if (S[I] != '.' || Parts == 4) {
      Ok = false;
      break;
    }
    ++I;
  }
  if (Ok && Parts == 4) return Result;
  if (ZYMRaiseIPError) throw vcl::EConvertError(Quoted(S) + rsInvalidIPAddress);
  return 0;
}

std::string LWord2IPStr(vcl::LongWord Value) {
  if (Value == 0 && ZYMBlankWhenZero) return "";
  std::string R;
  R.reserve(15);
  for (int Shift = 24; Shift >= 0; Shift -= 8) {
    R += Digits((Value >> Shift) & 0xFF);
    if (Shift) R += '.';
  }
  return R;
}

vcl::LongWord Hex2LWord(const std::string& S) {
  size_t I, Last;
  TrimBounds(S, I, Last);
  if (I < Last && S[I] == '$')
    ++I;
  else if (Last - I > 2 && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X'))
    I += 2;
  if (I == Last) return 0;
  uint64_t V = 0;
  for (; I < Last; ++I) {
    char C = S[I];
    unsigned D;
    if (IsDigit(C))
      D = static_cast<unsigned>(C - '0');
    else if (C >= 'A' && C <= 'F')
      D = static_cast<unsigned>(C - 'A' + 10);
    else if (C >= 'a' && C <= 'f')
      D = static_cast<unsigned>(C - 'a' + 10);
    else
      return 0;
    V = V * 16 + D;
    if (V > 0xFFFFFFFFu) RaiseOutOfRange(S);
  }
  return static_cast<vcl::LongWord>(V);
}

std::string Int2EHex(uint64_t Value) { return Int2ZHex(Value, 0); }

std::string Int2ZHex(uint64_t Value, int Digits) {
  if (Value == 0 && ZYMBlankWhenZero) return "";
  char Buf[24];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, Value, 16);
  std::string H(Buf, R.ptr);
  for (char& C : H)
    if (C >= 'a' && C <= 'f') C = static_cast<char>(C - 32);
  return PadChLeftStr(H, '0', Digits);
}

// ---- numbers to text ----

std::string Int2EStr(vcl::Int64 Value) {
  if (Value == 0 && ZYMBlankWhenZero) return "";
  uint64_t M = Value < 0 ? 0 - static_cast<uint64_t>(Value) : static_cast<uint64_t>(Value);
  return Signed(Value < 0, Value == 0, Digits(M));
}

std::string Int2CEStr(vcl::Int64 Value) {
  if (Value == 0 && ZYMBlankWhenZero) return "";
  uint64_t M = Value < 0 ? 0 - static_cast<uint64_t>(Value) : static_cast<uint64_t>(Value);
  return Signed(Value < 0, Value == 0, detail::GroupThousands(Digits(M)));
}

std::string Float2EStr(vcl::Extended Value, int Decimals) {
  return FormatFixed(Value, Decimals, TFixedStyle::Plain, false);
}

std::string Float2CEStr(vcl::Extended Value, int Decimals) {
  return FormatFixed(Value, Decimals, TFixedStyle::Thousands, false);
}

std::string Float2EStr2(vcl::Extended Value, int Decimals) {
  return FormatFixed(Value, Decimals, TFixedStyle::Plain, true);
}

std::string Float2CEStr2(vcl::Extended Value, int Decimals) {
  return FormatFixed(Value, Decimals, TFixedStyle::Thousands, true);
}

std::string SciFloat2EStr(vcl::Extended Value, int Decimals) { return FormatScientific(Value, Decimals, false); }

std::string SciFloat2EStr2(vcl::Extended Value, int Decimals) { return FormatScientific(Value, Decimals, true); }

// ---- strings ----

std::string RightAfterStr(const std::string& S, int Pos) {
  if (Pos < 1) return S;
  if (static_cast<size_t>(Pos) >= S.size()) return "";
  return S.substr(static_cast<size_t>(Pos));
}

std::string PadChLeftStr(const std::string& S, char Ch, int Len) {
  if (Len <= 0 || S.size() >= static_cast<size_t>(Len)) return S;
  return std::string(static_cast<size_t>(Len) - S.size(), Ch) + S;
}

int ZYMPosCh(char Ch, const std::string& S, int StartPos) {
  if (StartPos < 1) StartPos = 1;
  if (static_cast<size_t>(StartPos) > S.size()) return 0;
  size_t P = S.find(Ch, static_cast<size_t>(StartPos) - 1);
  return P == std::string::npos ? 0 : static_cast<int>(P) + 1;
}

std::string ZYMProperStr(const std::string& S) {
  std::string R = vcl::AnsiLowerCase(S);
  bool WordStart = true;
  for (char& C : R) {
    unsigned char U = static_cast<unsigned char>(C);
    if (IsLatin1Letter(U)) {
      if (WordStart) C = vcl::AnsiUpperCase(std::string(1, C))[0];
      WordStart = false;
    } else {
      WordStart = !(IsDigit(C) || C == '\'');
    }
  }
  return R;
}

// ---- arithmetic ----

bool FloatIsZero(vcl::Extended X, vcl::Extended Epsilon) { return std::fabs(X) <= Epsilon; }

bool FloatIsPositive(vcl::Extended X) { return X > 0 && !FloatIsZero(X); }

vcl::Extended XtoY(vcl::Extended X, vcl::Extended Y) {
  if (std::isnan(X) || std::isnan(Y)) throw vcl::EMathError(rsNotANumber);
  if (Y == 0) return 1;
  if (X == 0) {
    if (Y < 0) throw vcl::EZeroDivide(rsDivByZero);
    return 0;
  }
  if (X < 0 && std::trunc(Y) != Y) throw vcl::EMathError(rsNoRealPower);
  vcl::Extended R = std::pow(X, Y);
  if (std::isinf(R) && std::isfinite(X) && std::isfinite(Y)) throw vcl::EOverflow(rsFloatOverflow);
  return R;
}

vcl::Extended ZYMIntPower(vcl::Extended Base, int Exponent) {
  if (Exponent == 0) return 1;
  if (Base == 0 && Exponent < 0) throw vcl::EZeroDivide(rsDivByZero);
  // Unsigned so that the smallest int can be negated.
  unsigned N = Exponent < 0 ? 0u - static_cast<unsigned>(Exponent) : static_cast<unsigned>(Exponent);
  vcl::Extended R = 1, B = Base;
  while (N) {
    if (N & 1) R *= B;
    N >>= 1;
    if (N) B *= B;
  }
  return Exponent < 0 ? 1 / R : R;
}

int ZYMSign(vcl::Extended X) {
  if (X > 0) return 1;
  if (X < 0) return -1;
  return 0;
}

}  // namespace zymqix
