// Complex numbers in 80-bit floats, and their text forms.
#pragma once

#include <cstdint>
#include <string>

#include "vcl/System.h"
#include "vcl/TypInfo.h"

namespace zymqix {

struct TZYMComplex {
  vcl::Extended Real = 0;
  vcl::Extended Imaginary = 0;
};

/// How a complex value is shown: by its parts, or by modulus and amplitude.
enum class TZYMComplexType : uint8_t {
  ctRectangular,  ///< real and imaginary part
  ctPolar,        ///< modulus and amplitude (radians)
};
using enum TZYMComplexType;

/// The modulus |Z|, without intermediate overflow.
vcl::Extended ComplexAbs(const TZYMComplex& Z);
/// The amplitude (argument) in radians, in (-pi, pi]; 0 for zero.
vcl::Extended ComplexAmp(const TZYMComplex& Z);
/// Exact equality of both parts.
bool ComplexEqual(const TZYMComplex& A, const TZYMComplex& B);
/// The number with modulus R and amplitude Theta (radians).
TZYMComplex Polar2Complex(vcl::Extended R, vcl::Extended Theta);

TZYMComplex ComplexAdd(const TZYMComplex& A, const TZYMComplex& B);
TZYMComplex ComplexSubtract(const TZYMComplex& A, const TZYMComplex& B);
TZYMComplex ComplexMultiply(const TZYMComplex& A, const TZYMComplex& B);
/// A / B; B zero raises vcl::EZeroDivide (an EMathError).
TZYMComplex ComplexDivide(const TZYMComplex& A, const TZYMComplex& B);
TZYMComplex ComplexConjugate(const TZYMComplex& Z);

// Text forms, each part with Decimals digits after the decimal separator.
// They show every value, zero included, whatever ZYMBlankWhenZero and
// ZYMNumPosSign say: a complex number is not readable with a part missing.

/// "3.00 + 4.00i", "3.00 - 4.00i".
std::string Complex2XYStr(const TZYMComplex& Z, int Decimals);
/// "(3.00, 4.00)".
std::string Complex2PairStr(const TZYMComplex& Z, int Decimals);
/// "(5.00, 0.93)": modulus and amplitude in radians.
std::string Complex2PolarStr(const TZYMComplex& Z, int Decimals);

}  // namespace zymqix

VCL_ENUM_NAMES(zymqix::TZYMComplexType, "ctRectangular", "ctPolar");
