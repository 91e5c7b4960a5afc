#include "rt/ZYMQIXFraction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "vcl/SysUtils.h"

using namespace zymqix;

namespace zymqix {
// Field-wise: these tests check the terms, not only the value.
bool operator==(const TZYMMixedFraction& A, const TZYMMixedFraction& B) {
  return A.Negative == B.Negative && A.Whole == B.Whole && A.Numerator == B.Numerator &&
         A.Denominator == B.Denominator;
}
void PrintTo(const TZYMMixedFraction& F, std::ostream* OS) {
  *OS << (F.Negative ? "-" : "+") << F.Whole << " " << F.Numerator << "/" << F.Denominator;
}
}  // namespace zymqix

namespace {

constexpr int64_t I64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t I64Min = std::numeric_limits<int64_t>::min();

TZYMMixedFraction F(bool Negative, int64_t Whole, int64_t Num, int64_t Den) {
  TZYMMixedFraction R;
  R.Negative = Negative;
  R.Whole = Whole;
  R.Numerator = Num;
  R.Denominator = Den;
  return R;
}

TEST(Fraction, MakeCarriesImproperPartsAndKeepsTheTerms) {
  EXPECT_EQ(MakeMixedFraction(1, 2), F(false, 0, 1, 2));
  EXPECT_EQ(MakeMixedFraction(7, 4), F(false, 1, 3, 4));
  EXPECT_EQ(MakeMixedFraction(-7, 4), F(true, 1, 3, 4));
  EXPECT_EQ(MakeMixedFraction(7, -4), F(true, 1, 3, 4));
  EXPECT_EQ(MakeMixedFraction(-7, -4), F(false, 1, 3, 4));
  EXPECT_EQ(MakeMixedFraction(0, 5), F(false, 0, 0, 1));
  EXPECT_EQ(MakeMixedFraction(0, -5), F(false, 0, 0, 1));
  EXPECT_EQ(MakeMixedFraction(4, 2), F(false, 2, 0, 1));
  EXPECT_EQ(MakeMixedFraction(2, 4), F(false, 0, 2, 4));
  EXPECT_EQ(MakeMixedFraction(-1, 1, 2), F(true, 1, 1, 2));
  EXPECT_EQ(MakeMixedFraction(0, -1, 2), F(true, 0, 1, 2));
  EXPECT_EQ(MakeMixedFraction(2, 5, 4), F(false, 3, 1, 4));
  EXPECT_EQ(MakeMixedFraction(I64Min, 2), F(true, I64Max / 2 + 1, 0, 1));
  EXPECT_EQ(MakeMixedFraction(2, I64Min), F(true, 0, 1, I64Max / 2 + 1));  // 2/2^63 reduced to fit
}

TEST(Fraction, MakeReportsWhatItCannotHold) {
  EXPECT_THROW(MakeMixedFraction(1, 0), vcl::EZeroDivide);
  EXPECT_THROW(MakeMixedFraction(1, 2, 0), vcl::EZeroDivide);
  EXPECT_THROW(MakeMixedFraction(I64Min, 1), vcl::EOverflow);
  EXPECT_THROW(MakeMixedFraction(I64Max, 1, 1), vcl::EOverflow);
  EXPECT_THROW(MakeMixedFraction(3, I64Min), vcl::EOverflow);  // 3/2^63 has no smaller terms
  EXPECT_EQ(MakeMixedFraction(3, I64Min + 1), F(true, 0, 3, I64Max));
}

TEST(Fraction, TextForms) {
  struct Case {
    TZYMMixedFraction Value;
    const char* Text;
  };
  const Case Cases[] = {{F(false, 0, 0, 1), "0"},       {F(false, 0, 1, 2), "1/2"},
                        {F(false, 3, 0, 1), "3"},       {F(false, 3, 1, 2), "3 1/2"},
                        {F(true, 3, 1, 2), "-3 1/2"},   {F(true, 0, 1, 2), "-1/2"},
                        {F(true, 0, 0, 1), "0"},        {F(false, I64Max, I64Max - 1, I64Max),
                                                         "9223372036854775807 9223372036854775806/9223372036854775807"}};
  for (const Case& C : Cases) {
    EXPECT_EQ(Fraction2Str(C.Value), C.Text);
    EXPECT_TRUE(SameFraction(Str2MixedFraction(C.Text), C.Value)) << C.Text;
  }
}

TEST(Fraction, ParsingReadsWhatUsersType) {
  struct Case {
    const char* Text;
    TZYMMixedFraction Value;
  };
  const Case Cases[] = {{"3 1/2", F(false, 3, 1, 2)},       {" -3   1 / 2 ", F(true, 3, 1, 2)},
                        {"7/4", F(false, 1, 3, 4)},          {"-7/4", F(true, 1, 3, 4)},
                        {"+5", F(false, 5, 0, 1)},           {"1,000 1/2", F(false, 1000, 1, 2)},
                        {"2/4", F(false, 0, 2, 4)},          {"3 5/4", F(false, 4, 1, 4)},
                        {"-0", F(false, 0, 0, 1)},           {"0/7", F(false, 0, 0, 1)},
                        {"- 1/3", F(true, 0, 1, 3)}};
  for (const Case& C : Cases) {
    TZYMMixedFraction R;
    EXPECT_TRUE(TryStr2MixedFraction(C.Text, R)) << C.Text;
    EXPECT_EQ(R, C.Value) << C.Text;
  }
}

TEST(Fraction, UnparsableTextGivesZero) {
  for (const char* Text : {"", "  ", "abc", "1/0", "1 2", "1 2 3/4", "1/2/3", "3 1/", "/2", "1/-2", "1.5", "--1",
                           "1/2 3", "1,000/3"}) {
    TZYMMixedFraction R = F(true, 9, 1, 2);
    EXPECT_FALSE(TryStr2MixedFraction(Text, R)) << Text;
    EXPECT_TRUE(ZeroFraction(R)) << Text;
    EXPECT_EQ(Str2MixedFraction(Text), F(false, 0, 0, 1)) << Text;
  }
}

TEST(Fraction, ParsingReportsNumbersBeyond64Bits) {
  EXPECT_THROW(Str2MixedFraction("99999999999999999999"), vcl::EOverflow);
  EXPECT_THROW(Str2MixedFraction("9223372036854775807 2/1"), vcl::EOverflow);
  EXPECT_EQ(Str2MixedFraction("9223372036854775807"), F(false, I64Max, 0, 1));
}

TEST(Fraction, FromFloatFindsTheSimplestFractionWithinThePrecision) {
  struct Case {
    long double Value;
    int Decimals;
    TZYMMixedFraction Expected;
  };
  const Case Cases[] = {
      {0.5L, 9, F(false, 0, 1, 2)},
      {0.333333333L, 9, F(false, 0, 1, 3)},
      {0.3333L, 4, F(false, 0, 1, 3)},
      {0.3333L, 9, F(false, 0, 3333, 10000)},
      {3.14159265358979L, 2, F(false, 3, 1, 7)},
      {3.14159265358979L, 6, F(false, 3, 16, 113)},
      {-2.75L, 9, F(true, 2, 3, 4)},
      {0, 9, F(false, 0, 0, 1)},
      {2.9999999999L, 9, F(false, 3, 0, 1)},
      {0.1, 18, F(false, 0, 1, 10)},
      {1e-20L, 9, F(false, 0, 0, 1)},
      {0.4L, 0, F(false, 0, 0, 1)},
      {0.5L, 0, F(false, 1, 0, 1)},
      {-2.5L, 0, F(true, 3, 0, 1)},
      {0.0625L, 9, F(false, 0, 1, 16)},
      {1.0L / 7, 30, F(false, 0, 1, 7)},  // decimals past 18 are taken as 18
      {9223372036854775807.0L, 9, F(false, I64Max, 0, 1)},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(Float2MixedFraction(C.Value, C.Decimals), C.Expected)
        << static_cast<double>(C.Value) << " at " << C.Decimals;
}

TEST(Fraction, FromFloatStaysWithinThePrecisionForManyValues) {
  for (int I = 1; I < 2000; ++I) {
    long double X = std::sin(static_cast<long double>(I)) * I;
    for (int D : {3, 9, 15}) {
      TZYMMixedFraction R = Float2MixedFraction(X, D);
      // Within half a unit of the last decimal, give or take the rounding of the check itself.
      long double Slack = 4 * std::fabs(X) * std::numeric_limits<long double>::epsilon();
      EXPECT_LE(std::fabs(Fraction2Float(R) - X), 0.5L * std::pow(10.0L, -D) + Slack) << I << " " << D;
    }
  }
}

// Against a plain search: no fraction with a smaller denominator lies within the precision.
TEST(Fraction, FromFloatHasTheSmallestDenominatorWithinThePrecision) {
  for (int64_t K = 1; K < 3000000; K += 7919) {
    double X = static_cast<double>(K) / 1e6;  // the decimal value K / 10^6
    // |p/q - K/10^6| <= 5/10^4  <=>  |p * 10^6 - K * q| <= 500 * q
    int64_t BestQ = 0;
    for (int64_t Q = 1; Q <= 1000 && BestQ == 0; ++Q) {
      int64_t P = (K * Q + 500000) / 1000000;
      for (int64_t Cand : {P - 1, P, P + 1})
        if (Cand >= 0 && std::llabs(Cand * 1000000 - K * Q) <= 500 * Q) BestQ = Q;
    }
    ASSERT_NE(BestQ, 0) << K;
    TZYMMixedFraction R = Float2MixedFraction(X, 3);
    EXPECT_EQ(R.Denominator, BestQ) << X;
    EXPECT_LE(std::fabs(static_cast<double>(Fraction2Float(R)) - X), 5e-4 + 1e-12) << X;
  }
}

TEST(Fraction, FromFloatReportsWhatCannotBeAFraction) {
  EXPECT_THROW(Float2MixedFraction(std::numeric_limits<long double>::quiet_NaN(), 9), vcl::EMathError);
  EXPECT_THROW(Float2MixedFraction(std::numeric_limits<long double>::infinity(), 9), vcl::EOverflow);
  EXPECT_THROW(Float2MixedFraction(1e19L, 0), vcl::EOverflow);
  EXPECT_THROW(Float2MixedFraction(-std::numeric_limits<long double>::max(), 9), vcl::EOverflow);
}

TEST(Fraction, PredicatesAndFloatValue) {
  EXPECT_EQ(Fraction2Float(F(true, 3, 1, 2)), -3.5L);
  EXPECT_EQ(Fraction2Float(F(false, 0, 1, 4)), 0.25L);
  EXPECT_TRUE(ZeroFraction(F(false, 0, 0, 1)));
  EXPECT_TRUE(ZeroFraction(F(true, 0, 0, 7)));
  EXPECT_FALSE(ZeroFraction(F(false, 0, 1, 7)));
  EXPECT_TRUE(NegativeFraction(F(true, 0, 1, 2)));
  EXPECT_FALSE(NegativeFraction(F(true, 0, 0, 1)));
  EXPECT_FALSE(NegativeFraction(F(false, 1, 0, 1)));
  EXPECT_TRUE(SameFraction(F(false, 0, 1, 2), F(false, 0, 2, 4)));
  EXPECT_TRUE(SameFraction(F(false, 0, 0, 1), F(true, 0, 0, 5)));
  EXPECT_FALSE(SameFraction(F(false, 0, 1, 2), F(true, 0, 1, 2)));
  EXPECT_FALSE(SameFraction(F(false, 1, 1, 2), F(false, 0, 1, 2)));
}

TEST(Fraction, ArithmeticIsExactAndReduced) {
  struct Case {
    const char* Op;
    TZYMMixedFraction A, B, Expected;
  };
  const Case Cases[] = {
      {"+", F(false, 0, 1, 2), F(false, 0, 1, 3), F(false, 0, 5, 6)},
      {"+", F(false, 1, 1, 2), F(true, 2, 1, 4), F(true, 0, 3, 4)},
      {"+", F(true, 1, 1, 2), F(true, 0, 2, 3), F(true, 2, 1, 6)},
      {"+", F(false, 0, 3, 4), F(false, 0, 3, 4), F(false, 1, 1, 2)},
      {"-", F(false, 0, 1, 4), F(false, 0, 1, 4), F(false, 0, 0, 1)},
      {"-", F(false, 0, 1, 4), F(false, 1, 0, 1), F(true, 0, 3, 4)},
      {"-", F(false, I64Max, 1, 3), F(false, I64Max, 1, 3), F(false, 0, 0, 1)},
      {"*", F(true, 1, 1, 2), F(false, 0, 2, 3), F(true, 1, 0, 1)},
      {"*", F(false, 2, 1, 2), F(false, 2, 1, 2), F(false, 6, 1, 4)},
      {"*", F(false, 0, 1, I64Max), F(false, I64Max, 0, 1), F(false, 1, 0, 1)},
      {"*", F(true, 0, 1, 2), F(true, 0, 1, 2), F(false, 0, 1, 4)},
      {"/", F(false, 0, 1, 2), F(true, 0, 1, 4), F(true, 2, 0, 1)},
      {"/", F(false, 3, 0, 1), F(false, 4, 0, 1), F(false, 0, 3, 4)},
      {"/", F(false, I64Max, 0, 1), F(false, I64Max, 0, 1), F(false, 1, 0, 1)},
      {"/", F(false, 0, 0, 1), F(true, 0, 1, 3), F(false, 0, 0, 1)},
  };
  for (const Case& C : Cases) {
    TZYMMixedFraction R;
    switch (C.Op[0]) {
      case '+': R = FractionAdd(C.A, C.B); break;
      case '-': R = FractionSubtract(C.A, C.B); break;
      case '*': R = FractionMultiply(C.A, C.B); break;
      default: R = FractionDivide(C.A, C.B); break;
    }
    EXPECT_EQ(R, C.Expected) << Fraction2Str(C.A) << " " << C.Op << " " << Fraction2Str(C.B);
  }
  EXPECT_EQ(FractionInvert(F(true, 2, 1, 2)), F(true, 0, 2, 5));
  EXPECT_EQ(FractionInvert(F(false, 0, 1, 7)), F(false, 7, 0, 1));
  EXPECT_EQ(FractionReduce(F(false, 0, 6, 8)), F(false, 0, 3, 4));
  EXPECT_EQ(FractionReduce(F(true, 2, 4, 8)), F(true, 2, 1, 2));
}

TEST(Fraction, OverflowIsReportedNeverWrapped) {
  EXPECT_THROW(FractionAdd(F(false, I64Max, 0, 1), F(false, 1, 0, 1)), vcl::EOverflow);
  EXPECT_EQ(FractionSubtract(F(true, I64Max, 0, 1), F(false, 0, 1, 2)), F(true, I64Max, 1, 2));
  EXPECT_THROW(FractionSubtract(F(true, I64Max, 1, 2), F(false, 0, 1, 2)), vcl::EOverflow);
  // Coprime denominators whose product passes 63 bits.
  EXPECT_THROW(FractionAdd(F(false, 0, 1, int64_t{1} << 33), F(false, 0, 1, (int64_t{1} << 33) + 1)), vcl::EOverflow);
  EXPECT_THROW(FractionMultiply(F(false, int64_t{1} << 32, 0, 1), F(false, int64_t{1} << 31, 0, 1)), vcl::EOverflow);
  EXPECT_THROW(FractionDivide(F(false, I64Max, 0, 1), F(false, 0, 1, 2)), vcl::EOverflow);
  EXPECT_THROW(FractionInvert(F(false, 0, 0, 1)), vcl::EZeroDivide);
  try {
    FractionDivide(F(false, 1, 0, 1), F(true, 0, 0, 1));
    FAIL() << "no exception";
  } catch (const vcl::EMathError&) {
  }
}

TEST(Fraction, HandMadeRecordsAreBroughtIntoShape) {
  EXPECT_EQ(Fraction2Str(F(false, -1, 1, 2)), "-1 1/2");
  EXPECT_EQ(Fraction2Str(F(false, 0, 5, 2)), "2 1/2");
  EXPECT_EQ(Fraction2Str(F(true, 0, -1, 2)), "1/2");
  EXPECT_EQ(FractionAdd(F(false, 0, 5, 2), F(false, 0, 1, 2)), F(false, 3, 0, 1));
  EXPECT_THROW(Fraction2Str(F(false, 0, 1, 0)), vcl::EZeroDivide);
  EXPECT_THROW(Fraction2Float(F(false, 0, 1, 0)), vcl::EZeroDivide);
  EXPECT_THROW(FractionMultiply(F(false, 1, 0, 0), F(false, 1, 0, 1)), vcl::EZeroDivide);
}

}  // namespace
