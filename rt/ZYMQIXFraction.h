// Mixed fractions ("-3 1/4") on 64-bit integers.
//
// Arithmetic is exact: intermediate values are held in 128 bits, and a result
// whose whole part or denominator does not fit in 64 bits raises
// vcl::EOverflow (rsFractionOverflow) instead of wrapping. Results of the
// arithmetic are reduced to lowest terms; MakeMixedFraction and the parser
// keep the terms they are given (FractionReduce reduces).
#pragma once

#include <cstdint>
#include <string>

#include "vcl/System.h"
#include "vcl/TypInfo.h"

namespace zymqix {

/// How the fraction edit shows its value.
enum class TZYMFractionDisplay : uint8_t {
  fdFraction,  ///< whole part, numerator and denominator
  fdDecimal,   ///< a decimal number
};
using enum TZYMFractionDisplay;

/// A signed mixed fraction: -(Whole + Numerator / Denominator) when Negative.
/// Invariants kept by every routine here: Whole >= 0, 0 <= Numerator <
/// Denominator, and zero is never Negative.
struct TZYMMixedFraction {
  bool Negative = false;
  vcl::Int64 Whole = 0;
  vcl::Int64 Numerator = 0;
  vcl::Int64 Denominator = 1;
};

/// Numerator / Denominator with the usual signs, an improper fraction carried
/// into the whole part. A zero denominator raises vcl::EZeroDivide.
TZYMMixedFraction MakeMixedFraction(vcl::Int64 Numerator, vcl::Int64 Denominator);
/// Whole and Numerator / Denominator. The whole part's sign governs ("-1, 1, 2"
/// is -1 1/2); a zero whole part takes the sign of Numerator / Denominator.
TZYMMixedFraction MakeMixedFraction(vcl::Int64 Whole, vcl::Int64 Numerator, vcl::Int64 Denominator);

/// The fraction with the smallest denominator that lies within half a unit of
/// the Decimals-th decimal place of Value (Decimals 0..18), found from the
/// continued fraction of Value: 0.333333333 with 9 decimals is 1/3. Not a
/// number raises vcl::EMathError; a whole part beyond 64 bits vcl::EOverflow.
TZYMMixedFraction Float2MixedFraction(vcl::Extended Value, int Decimals);
vcl::Extended Fraction2Float(const TZYMMixedFraction& F);

/// "3", "1/2", "3 1/2", "-3 1/2", "0": sign, whole part, a space, numerator "/" denominator.
std::string Fraction2Str(const TZYMMixedFraction& F);
/// Reads what Fraction2Str writes and what a user types: blanks at both ends
/// and around "/" ignored, one or more blanks between whole part and
/// fraction, a "+" or "-" in front, improper fractions ("7/4" is 1 3/4) and
/// thousands separators in the whole part. False for anything else,
/// including a zero denominator; a number beyond 64 bits raises vcl::EOverflow.
bool TryStr2MixedFraction(const std::string& S, TZYMMixedFraction& F);
/// As TryStr2MixedFraction; empty or unparsable text gives the zero fraction.
TZYMMixedFraction Str2MixedFraction(const std::string& S);

bool ZeroFraction(const TZYMMixedFraction& F);
bool NegativeFraction(const TZYMMixedFraction& F);
/// True when both stand for the same value (1/2 and 2/4 are the same).
bool SameFraction(const TZYMMixedFraction& A, const TZYMMixedFraction& B);

TZYMMixedFraction FractionAdd(const TZYMMixedFraction& A, const TZYMMixedFraction& B);
TZYMMixedFraction FractionSubtract(const TZYMMixedFraction& A, const TZYMMixedFraction& B);
TZYMMixedFraction FractionMultiply(const TZYMMixedFraction& A, const TZYMMixedFraction& B);
/// Division by a zero fraction raises vcl::EZeroDivide (an EMathError).
TZYMMixedFraction FractionDivide(const TZYMMixedFraction& A, const TZYMMixedFraction& B);
/// 1 / F; a zero fraction raises vcl::EZeroDivide.
TZYMMixedFraction FractionInvert(const TZYMMixedFraction& F);
/// The same value in lowest terms.
TZYMMixedFraction FractionReduce(const TZYMMixedFraction& F);

}  // namespace zymqix

VCL_ENUM_NAMES(zymqix::TZYMFractionDisplay, "fdFraction", "fdDecimal");
