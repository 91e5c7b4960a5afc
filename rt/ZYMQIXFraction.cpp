#include "rt/ZYMQIXFraction.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXNumConv.h"
#include "vcl/SysUtils.h"

namespace zymqix {

namespace {

using u128 = unsigned __int128;
using i128 = __int128;

constexpr u128 MaxField = static_cast<u128>(std::numeric_limits<int64_t>::max());

[[noreturn]] void RaiseOverflow() { throw vcl::EOverflow(rsFractionOverflow); }
[[noreturn]] void RaiseZeroDivide() { throw vcl::EZeroDivide(rsDivByZero); }

u128 Gcd(u128 A, u128 B) {
  while (B != 0) {
    u128 T = A % B;
    A = B;
    B = T;
  }
  return A;
}

u128 Magnitude(int64_t V) { return V < 0 ? static_cast<u128>(0 - static_cast<uint64_t>(V)) : static_cast<u128>(V); }

// Magnitude Whole + Num / Den (Num may exceed Den) into the record. Reduce
// asks for lowest terms; otherwise the terms are kept unless they do not fit.
TZYMMixedFraction Build(bool Negative, u128 Whole, u128 Num, u128 Den, bool Reduce) {
  Whole += Num / Den;
  Num %= Den;
  if (Num == 0) {
    Den = 1;
  } else if (Reduce || Den > MaxField) {
    u128 G = Gcd(Num, Den);
    Num /= G;
    Den /= G;
  }
  if (Whole > MaxField || Den > MaxField) RaiseOverflow();
  TZYMMixedFraction F;
  F.Whole = static_cast<int64_t>(Whole);
  F.Numerator = static_cast<int64_t>(Num);
  F.Denominator = static_cast<int64_t>(Den);
  F.Negative = Negative && (Whole != 0 || Num != 0);
  return F;
}

// The fraction as an improper magnitude P / Q.
void Improper(const TZYMMixedFraction& F, u128& P, u128& Q) {
  Q = static_cast<u128>(F.Denominator);
  P = static_cast<u128>(F.Whole) * Q + static_cast<u128>(F.Numerator);
}

TZYMMixedFraction Negated(TZYMMixedFraction F) {
  F.Negative = !F.Negative && !ZeroFraction(F);
  return F;
}

// A record made by hand may break the invariants (a negative field, a
// numerator past the denominator, a zero denominator): bring it into shape,
// or raise for a zero denominator, before any arithmetic relies on them.
TZYMMixedFraction Valid(const TZYMMixedFraction& F) {
  if (F.Denominator > 0 && F.Whole >= 0 && F.Numerator >= 0 && F.Numerator < F.Denominator) {
    TZYMMixedFraction R = F;
    if (R.Numerator == 0) R.Denominator = 1;
    R.Negative = F.Negative && !ZeroFraction(F);
    return R;
  }
  TZYMMixedFraction R = MakeMixedFraction(F.Whole, F.Numerator, F.Denominator);
  return F.Negative ? Negated(R) : R;
}

// Reads decimal digits (thousands separators allowed when Grouped) into V.
bool ParseDigits(const std::string& S, bool Grouped, u128& V) {
  const char Sep = vcl::FormatSettings.ThousandSeparator;
  V = 0;
  bool Any = false;
  for (char C : S) {
    if (C >= '0' && C <= '9') {
      V = V * 10 + static_cast<unsigned>(C - '0');
      if (V > MaxField) RaiseOverflow();
      Any = true;
    } else if (!(Grouped && Any && C == Sep && static_cast<unsigned char>(Sep) > ' ')) {
      return false;
    }
  }
  return Any;
}

}  // namespace

TZYMMixedFraction MakeMixedFraction(vcl::Int64 Numerator, vcl::Int64 Denominator) {
  if (Denominator == 0) RaiseZeroDivide();
  return Build((Numerator < 0) != (Denominator < 0), 0, Magnitude(Numerator), Magnitude(Denominator), false);
}

TZYMMixedFraction MakeMixedFraction(vcl::Int64 Whole, vcl::Int64 Numerator, vcl::Int64 Denominator) {
  if (Denominator == 0) RaiseZeroDivide();
  bool Negative = Whole != 0 ? Whole < 0 : (Numerator < 0) != (Denominator < 0);
  return Build(Negative, Magnitude(Whole), Magnitude(Numerator), Magnitude(Denominator), false);
}

TZYMMixedFraction Float2MixedFraction(vcl::Extended Value, int Decimals) {
  if (std::isnan(Value)) throw vcl::EMathError(rsNotANumber);
  if (std::isinf(Value)) RaiseOverflow();
  Decimals = std::clamp(Decimals, 0, 18);
  // Work on the decimal value (0.1 stands for one tenth, not for the binary
  // float next to it) as exact integers: the fraction part is FracDigits / 10^M.
  detail::TDecimalText D = detail::ToDecimal(Value);
  if (D.Whole.size() > 19) RaiseOverflow();
  u128 Whole = 0;
  for (char C : D.Whole) Whole = Whole * 10 + static_cast<unsigned>(C - '0');
  if (Whole > MaxField) RaiseOverflow();
  // Digits past the 36th lie far below the finest precision (10^-18) and
  // keep every quantity below within 128 bits.
  std::string Digits = D.Fraction.substr(0, 36);
  size_t M = std::max<size_t>(Digits.size(), static_cast<size_t>(Decimals) + 1);
  Digits.append(M - Digits.size(), '0');
  u128 Scale = 1, Frac = 0;
  for (char C : Digits) {
    Scale *= 10;
    Frac = Frac * 10 + static_cast<unsigned>(C - '0');
  }
  // Half a unit of the last decimal wanted: 5 * 10^(M - Decimals - 1) / 10^M.
  u128 Tol = 5;
  for (size_t I = static_cast<size_t>(Decimals) + 1; I < M; ++I) Tol *= 10;
  if (Frac <= Tol || Frac + Tol >= Scale) {
    // A whole number is within reach; the nearer one, half away from zero.
    return Build(D.Negative, Whole + (2 * Frac >= Scale ? 1 : 0), 0, 1, true);
  }
  // The simplest fraction in [A/B, C/E], 0 < A/B < C/E < 1: the continued
  // fraction that both ends share, closed by the smallest term that lands
  // inside. P1/Q1 is the latest convergent, P0/Q0 the one before.
  u128 A = Frac - Tol, B = Scale, C = Frac + Tol, E = Scale;
  u128 P0 = 0, Q0 = 1, P1 = 1, Q1 = 0;
  for (;;) {
    u128 Fl = A / B;
    bool Integer = A % B == 0;
    // The smallest integer at or above A/B, when it is not above C/E, ends the walk.
    u128 Ceil = Integer ? Fl : Fl + 1;
    bool Last = Ceil * E <= C;
    u128 T = Last ? Ceil : Fl;
    u128 P2 = T * P1 + P0, Q2 = T * Q1 + Q0;
    P0 = P1;
    Q0 = Q1;
    P1 = P2;
    Q1 = Q2;
    if (Last) break;
    // Both ends lie in (Fl, Fl + 1): go on with the reciprocals of their
    // fraction parts, which swaps the ends.
    u128 NA = E, NB = C - Fl * E, NC = B, NE = A - Fl * B;
    A = NA;
    B = NB;
    C = NC;
    E = NE;
  }
  return Build(D.Negative, Whole, P1, Q1, true);
}

vcl::Extended Fraction2Float(const TZYMMixedFraction& Raw) {
  TZYMMixedFraction F = Valid(Raw);
  vcl::Extended V = static_cast<vcl::Extended>(F.Whole) +
                    static_cast<vcl::Extended>(F.Numerator) / static_cast<vcl::Extended>(F.Denominator);
  return F.Negative ? -V : V;
}

std::string Fraction2Str(const TZYMMixedFraction& Raw) {
  TZYMMixedFraction F = Valid(Raw);
  if (ZeroFraction(F)) return "0";
  std::string S = F.Negative ? "-" : "";
  if (F.Whole != 0) S += std::to_string(F.Whole);
  if (F.Numerator != 0) {
    if (F.Whole != 0) S += ' ';
    S += std::to_string(F.Numerator) + "/" + std::to_string(F.Denominator);
  }
  return S;
}

bool TryStr2MixedFraction(const std::string& S, TZYMMixedFraction& F) {
  F = TZYMMixedFraction{};
  std::string T = vcl::Trim(S);
  bool Negative = false;
  if (!T.empty() && (T[0] == '+' || T[0] == '-')) {
    Negative = T[0] == '-';
    T = vcl::TrimLeft(T.substr(1));
  }
  // Split into blank-separated tokens, with blanks around "/" dropped.
  std::vector<std::string> Tokens;
  std::string Cur;
  for (size_t I = 0; I < T.size(); ++I) {
    char C = T[I];
    if (static_cast<unsigned char>(C) <= ' ') {
      size_t J = I;
      while (J < T.size() && static_cast<unsigned char>(T[J]) <= ' ') ++J;
      bool NearSlash = (J < T.size() && T[J] == '/') || (!Cur.empty() && Cur.back() == '/');
      if (!NearSlash && !Cur.empty()) {
        Tokens.push_back(Cur);
        Cur.clear();
      }
      I = J - 1;
      continue;
    }
    Cur += C;
  }
  if (!Cur.empty()) Tokens.push_back(Cur);
  if (Tokens.empty() || Tokens.size() > 2) return false;

  u128 Whole = 0, Num = 0, Den = 1;
  const std::string& Last = Tokens.back();
  size_t Slash = Last.find('/');
  if (Tokens.size() == 2 && Slash == std::string::npos) return false;
  if (Tokens.size() == 2 && !ParseDigits(Tokens[0], true, Whole)) return false;
  if (Slash == std::string::npos) {
    if (!ParseDigits(Last, true, Whole)) return false;
  } else {
    if (!ParseDigits(Last.substr(0, Slash), false, Num)) return false;
    if (!ParseDigits(Last.substr(Slash + 1), false, Den)) return false;
    if (Den == 0) return false;
  }
  F = Build(Negative, Whole, Num, Den, false);
  return true;
}

TZYMMixedFraction Str2MixedFraction(const std::string& S) {
  TZYMMixedFraction F;
  if (!TryStr2MixedFraction(S, F)) return TZYMMixedFraction{};
  return F;
}

bool ZeroFraction(const TZYMMixedFraction& F) { return F.Whole == 0 && F.Numerator == 0; }

bool NegativeFraction(const TZYMMixedFraction& F) { return F.Negative && !ZeroFraction(F); }

bool SameFraction(const TZYMMixedFraction& A, const TZYMMixedFraction& B) {
  // FractionReduce validates both.
  TZYMMixedFraction RA = FractionReduce(A), RB = FractionReduce(B);
  return RA.Negative == RB.Negative && RA.Whole == RB.Whole && RA.Numerator == RB.Numerator &&
         RA.Denominator == RB.Denominator;
}

TZYMMixedFraction FractionAdd(const TZYMMixedFraction& RawA, const TZYMMixedFraction& RawB) {
  TZYMMixedFraction A = Valid(RawA), B = Valid(RawB);
  // Whole parts and fraction parts apart, so that every product stays within 128 bits.
  u128 DA = static_cast<u128>(A.Denominator), DB = static_cast<u128>(B.Denominator);
  u128 G = Gcd(DA, DB);
  u128 L = DA / G * DB;
  i128 FA = static_cast<i128>(static_cast<u128>(A.Numerator) * (DB / G));
  i128 FB = static_cast<i128>(static_cast<u128>(B.Numerator) * (DA / G));
  bool NA = NegativeFraction(A), NB = NegativeFraction(B);
  i128 Frac = (NA ? -FA : FA) + (NB ? -FB : FB);
  i128 Whole = (NA ? -static_cast<i128>(A.Whole) : static_cast<i128>(A.Whole)) +
               (NB ? -static_cast<i128>(B.Whole) : static_cast<i128>(B.Whole));
  i128 LS = static_cast<i128>(L);
  // Bring the fraction part into [0, L): value = Whole + Frac / L.
  while (Frac < 0) {
    Frac += LS;
    --Whole;
  }
  while (Frac >= LS) {
    Frac -= LS;
    ++Whole;
  }
  if (Whole >= 0) return Build(false, static_cast<u128>(Whole), static_cast<u128>(Frac), L, true);
  if (Frac == 0) return Build(true, static_cast<u128>(-Whole), 0, 1, true);
  return Build(true, static_cast<u128>(-Whole - 1), static_cast<u128>(LS - Frac), L, true);
}

TZYMMixedFraction FractionSubtract(const TZYMMixedFraction& A, const TZYMMixedFraction& B) {
  return FractionAdd(A, Negated(Valid(B)));
}

TZYMMixedFraction FractionMultiply(const TZYMMixedFraction& RawA, const TZYMMixedFraction& RawB) {
  TZYMMixedFraction A = Valid(RawA), B = Valid(RawB);
  // (WA + nA/dA)(WB + nB/dB), every term over dA*dB.
  u128 WA = static_cast<u128>(A.Whole), WB = static_cast<u128>(B.Whole);
  u128 NA = static_cast<u128>(A.Numerator), NB = static_cast<u128>(B.Numerator);
  u128 DA = static_cast<u128>(A.Denominator), DB = static_cast<u128>(B.Denominator);
  u128 T1 = WA * NB, T2 = WB * NA;
  u128 Whole = WA * WB + T1 / DB + T2 / DA;
  u128 Num = (T1 % DB) * DA + (T2 % DA) * DB + NA * NB;
  return Build(NegativeFraction(A) != NegativeFraction(B), Whole, Num, DA * DB, true);
}

TZYMMixedFraction FractionDivide(const TZYMMixedFraction& RawA, const TZYMMixedFraction& RawB) {
  TZYMMixedFraction A = Valid(RawA), B = Valid(RawB);
  if (ZeroFraction(B)) RaiseZeroDivide();
  u128 P1, Q1, P2, Q2;
  Improper(A, P1, Q1);
  Improper(B, P2, Q2);
  // Lowest terms first and cross-cancelled, so that a product too large for
  // 128 bits means a result too large for the record.
  u128 G = Gcd(P1, Q1);
  if (G > 1) { P1 /= G; Q1 /= G; }
  G = Gcd(P2, Q2);
  if (G > 1) { P2 /= G; Q2 /= G; }
  u128 G1 = Gcd(P1, P2), G2 = Gcd(Q1, Q2);
  u128 Num, Den;
  if (__builtin_mul_overflow(P1 / G1, Q2 / G2, &Num) || __builtin_mul_overflow(Q1 / G2, P2 / G1, &Den))
    RaiseOverflow();
  return Build(NegativeFraction(A) != NegativeFraction(B), 0, Num, Den, true);
}

TZYMMixedFraction FractionInvert(const TZYMMixedFraction& F) {
  TZYMMixedFraction One;
  One.Whole = 1;
  return FractionDivide(One, F);
}

TZYMMixedFraction FractionReduce(const TZYMMixedFraction& Raw) {
  TZYMMixedFraction F = Valid(Raw);
  return Build(NegativeFraction(F), static_cast<u128>(F.Whole), static_cast<u128>(F.Numerator),
               static_cast<u128>(F.Denominator), true);
}

}  // namespace zymqix
