#include "rt/ZYMQIXComplex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "rt/ZYMQIXSettings.h"
#include "vcl/SysUtils.h"

using namespace zymqix;
using vcl::Extended;

namespace {

constexpr Extended Pi = std::numbers::pi_v<long double>;

void ExpectNear(const TZYMComplex& Z, Extended Re, Extended Im, Extended Tol = 1e-15L) {
  EXPECT_NEAR(static_cast<double>(Z.Real), static_cast<double>(Re), static_cast<double>(Tol));
  EXPECT_NEAR(static_cast<double>(Z.Imaginary), static_cast<double>(Im), static_cast<double>(Tol));
}

TEST(Complex, ModulusAndAmplitude) {
  EXPECT_EQ(ComplexAbs({3, 4}), 5);
  EXPECT_EQ(ComplexAbs({0, 0}), 0);
  EXPECT_TRUE(std::isfinite(ComplexAbs({1e4000L, 1e4000L})));  // no overflow on the way
  EXPECT_EQ(ComplexAmp({0, 1}), Pi / 2);
  EXPECT_EQ(ComplexAmp({-1, 0}), Pi);
  EXPECT_EQ(ComplexAmp({0, -1}), -Pi / 2);
  EXPECT_EQ(ComplexAmp({0, 0}), 0);
  ExpectNear(Polar2Complex(2, Pi / 2), 0, 2);
  TZYMComplex Z{-3, 4};
  ExpectNear(Polar2Complex(ComplexAbs(Z), ComplexAmp(Z)), -3, 4, 1e-14L);
}

TEST(Complex, Arithmetic) {
  TZYMComplex A{1, 2}, B{3, 4};
  ExpectNear(ComplexAdd(A, B), 4, 6);
  ExpectNear(ComplexSubtract(A, B), -2, -2);
  ExpectNear(ComplexMultiply(A, B), -5, 10);
  ExpectNear(ComplexDivide({-5, 10}, B), 1, 2);
  ExpectNear(ComplexDivide({1, 0}, {0, 1}), 0, -1);
  ExpectNear(ComplexConjugate(A), 1, -2);
  // Parts near the top of the range divide without overflow.
  ExpectNear(ComplexDivide({1e4000L, 1e4000L}, {1e4000L, 1e4000L}), 1, 0);
  EXPECT_TRUE(ComplexEqual({1, 2}, {1, 2}));
  EXPECT_FALSE(ComplexEqual({1, 2}, {1, 2.0000001L}));
}

TEST(Complex, DivisionByZeroRaisesAMathError) {
  EXPECT_THROW(ComplexDivide({1, 1}, {0, 0}), vcl::EZeroDivide);
  try {
    ComplexDivide({1, 1}, {0, -0.0L});
    FAIL() << "no exception";
  } catch (const vcl::EMathError&) {
  }
}

TEST(Complex, TextForms) {
  vcl::ResetFormatSettings();
  struct Case {
    TZYMComplex Z;
    int Decimals;
    const char *XY, *Pair;
  };
  const Case Cases[] = {
      {{3, 4}, 2, "3.00 + 4.00i", "(3.00, 4.00)"},
      {{3, -4}, 2, "3.00 - 4.00i", "(3.00, -4.00)"},
      {{-1.5L, 0}, 1, "-1.5 + 0.0i", "(-1.5, 0.0)"},
      {{0, -0.001L}, 2, "0.00 + 0.00i", "(0.00, 0.00)"},
      {{2.675, 1.005}, 2, "2.68 + 1.01i", "(2.68, 1.01)"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(Complex2XYStr(C.Z, C.Decimals), C.XY);
    EXPECT_EQ(Complex2PairStr(C.Z, C.Decimals), C.Pair);
  }
  EXPECT_EQ(Complex2PolarStr({3, 4}, 4), "(5.0000, 0.9273)");
  EXPECT_EQ(Complex2PolarStr({-1, 0}, 3), "(1.000, 3.142)");
}

TEST(Complex, TextFormsIgnoreTheBlankAndPlusSettingsAndLeaveThemAsTheyWere) {
  TZYMSettingGuard Blank(ZYMBlankWhenZero, true);
  TZYMSettingGuard Plus(ZYMNumPosSign, true);
  EXPECT_EQ(Complex2XYStr({0, 4}, 1), "0.0 + 4.0i");
  EXPECT_EQ(Complex2PairStr({0, 0}, 0), "(0, 0)");
  EXPECT_TRUE(ZYMBlankWhenZero);
  EXPECT_TRUE(ZYMNumPosSign);
}

}  // namespace
