#include "rt/ZYMQIXComplex.h"

#include <cmath>

#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXNumConv.h"
#include "rt/ZYMQIXSettings.h"
#include "vcl/SysUtils.h"

namespace zymqix {

namespace {

// A part as plain fixed-point text, free of the blank-zero and plus-sign settings.
std::string Part(vcl::Extended X, int Decimals) {
  TZYMSettingGuard Blank(ZYMBlankWhenZero, false);
  TZYMSettingGuard Plus(ZYMNumPosSign, false);
  return Float2EStr(X, Decimals);
}

}  // namespace

vcl::Extended ComplexAbs(const TZYMComplex& Z) { return std::hypot(Z.Real, Z.Imaginary); }

vcl::Extended ComplexAmp(const TZYMComplex& Z) { return std::atan2(Z.Imaginary, Z.Real); }

bool ComplexEqual(const TZYMComplex& A, const TZYMComplex& B) {
  return A.Real == B.Real && A.Imaginary == B.Imaginary;
}

TZYMComplex Polar2Complex(vcl::Extended R, vcl::Extended Theta) {
  return {R * std::cos(Theta), R * std::sin(Theta)};
}

TZYMComplex ComplexAdd(const TZYMComplex& A, const TZYMComplex& B) {
  return {A.Real + B.Real, A.Imaginary + B.Imaginary};
}

TZYMComplex ComplexSubtract(const TZYMComplex& A, const TZYMComplex& B) {
  return {A.Real - B.Real, A.Imaginary - B.Imaginary};
}

TZYMComplex ComplexMultiply(const TZYMComplex& A, const TZYMComplex& B) {
  return {A.Real * B.Real - A.Imaginary * B.Imaginary, A.Real * B.Imaginary + A.Imaginary * B.Real};
}

TZYMComplex ComplexDivide(const TZYMComplex& A, const TZYMComplex& B) {
  if (B.Real == 0 && B.Imaginary == 0) throw vcl::EZeroDivide(rsDivByZero);
  // Smith's method: scale by the larger part of the divisor so that its
  // squared modulus cannot overflow or underflow on the way.
  if (std::fabs(B.Real) >= std::fabs(B.Imaginary)) {
    vcl::Extended R = B.Imaginary / B.Real, D = B.Real + B.Imaginary * R;
    return {(A.Real + A.Imaginary * R) / D, (A.Imaginary - A.Real * R) / D};
  }
  vcl::Extended R = B.Real / B.Imaginary, D = B.Real * R + B.Imaginary;
  return {(A.Real * R + A.Imaginary) / D, (A.Imaginary * R - A.Real) / D};
}

TZYMComplex ComplexConjugate(const TZYMComplex& Z) { return {Z.Real, -Z.Imaginary}; }

std::string Complex2XYStr(const TZYMComplex& Z, int Decimals) {
  std::string Im = Part(std::fabs(Z.Imaginary), Decimals);
  // A negative part that rounds to zero reads "+ 0.00i", never "- 0.00i".
  bool Minus = Z.Imaginary < 0 && Im != Part(0, Decimals);
  return Part(Z.Real, Decimals) + (Minus ? " - " : " + ") + Im + "i";
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) on "(" + std::string&&.
static std::string Bracketed(const std::string& A, const std::string& B) {
  std::string R = "(";
  R += A;
  R += ", ";
  R += B;
  R += ')';
  return R;
}

std::string Complex2PairStr(const TZYMComplex& Z, int Decimals) {
  return Bracketed(Part(Z.Real, Decimals), Part(Z.Imaginary, Decimals));
}

std::string Complex2PolarStr(const TZYMComplex& Z, int Decimals) {
  return Bracketed(Part(ComplexAbs(Z), Decimals), Part(ComplexAmp(Z), Decimals));
}

}  // namespace zymqix
