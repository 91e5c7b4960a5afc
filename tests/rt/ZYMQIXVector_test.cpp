#include "rt/ZYMQIXVector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "rt/ZYMQIXConsts.h"
#include "vcl/SysUtils.h"

using zymqix::Extended;
using zymqix::TZYMFloatVector;

namespace {

// Asserts that Fn raises EMathError with exactly Message.
template <class F>
void ExpectMathError(F Fn, const std::string& Message) {
  try {
    Fn();
    ADD_FAILURE() << "no EMathError, expected: " << Message;
  } catch (const vcl::EMathError& E) {
    EXPECT_EQ(E.Message(), Message);
  }
}

// 10000000.2 and 500 pairs of 10000000.1 / 10000000.3: mean 10000000.2, sample SD 0.1.
TZYMFloatVector FarFromZero() {
  TZYMFloatVector V{10000000.2L};
  for (int I = 0; I < 500; ++I) {
    V.push_back(10000000.1L);
    V.push_back(10000000.3L);
  }
  return V;
}

}  // namespace

TEST(VectorCopy, CopiesValuesInOrderFromBothVectorKinds) {
  TZYMFloatVector V{3, 1, 2};
  TZYMFloatVector C = zymqix::Vector2FloatVector(V);
  EXPECT_EQ(C, V);
  C[0] = 9;
  EXPECT_EQ(V[0], 3);  // a new vector, not a view
  EXPECT_EQ(zymqix::Vector2FloatVector(std::vector<double>{0.5, -2}), (TZYMFloatVector{0.5L, -2}));
}

TEST(VectorSort, SortsAscendingWithNaNsLast) {
  Extended NaN = std::numeric_limits<Extended>::quiet_NaN();
  TZYMFloatVector V{5, NaN, -1, 3, NaN, 3, 0};
  zymqix::QSortVector(V);
  ASSERT_EQ(V.size(), 7u);
  EXPECT_EQ((TZYMFloatVector{V.begin(), V.begin() + 5}), (TZYMFloatVector{-1, 0, 3, 3, 5}));
  EXPECT_TRUE(std::isnan(V[5]) && std::isnan(V[6]));
}

TEST(VectorSums, SumsOfSimpleVectors) {
  struct Case {
    TZYMFloatVector V;
    Extended Sum, SumSq, SumSqDiffAbout2;
  } Cases[] = {
      {{}, 0, 0, 0},
      {{5}, 5, 25, 9},
      {{1, 2, 3, 4}, 10, 30, 6},
      {{-1.5L, 1.5L}, 0, 4.5L, 12.5L},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(zymqix::SumVector(C.V), C.Sum);
    EXPECT_EQ(zymqix::SumSqVector(C.V), C.SumSq);
    EXPECT_EQ(zymqix::SumSqDiffVector(C.V, 2), C.SumSqDiffAbout2);
  }
}

TEST(VectorSums, CompensatedSumKeepsSmallTermsNextToLargeOnes) {
  // Each 1 is lost when added to 2^64 in plain extended arithmetic.
  Extended Big = std::ldexp(1.0L, 64);
  TZYMFloatVector V{Big};
  for (int I = 0; I < 1000; ++I) V.push_back(1);
  V.push_back(-Big);
  EXPECT_EQ(zymqix::SumVector(V), 1000);
}

TEST(VectorSums, DotProductSSEAndCentredCrossProduct) {
  TZYMFloatVector X{0, 1, 2}, Y{5, 3, 1};
  EXPECT_EQ(zymqix::DotProdVectors(X, Y), 5);
  EXPECT_EQ(zymqix::GetSSE(X, Y, 5, -2), 0);       // the exact line
  EXPECT_EQ(zymqix::GetSSE(X, Y, 4, -2), 3);       // every residual 1
  EXPECT_EQ(zymqix::SumProdDiffVectors(X, Y, 1, 3), -4);
}

TEST(VectorSums, VectorsOfDifferentLengthAreRefused) {
  TZYMFloatVector X{1, 2}, Y{1};
  EXPECT_THROW(zymqix::DotProdVectors(X, Y), vcl::EMathError);
  EXPECT_THROW(zymqix::GetSSE(X, Y, 0, 1), vcl::EMathError);
  EXPECT_THROW(zymqix::SumProdDiffVectors(X, Y, 0, 0), vcl::EMathError);
}

TEST(VectorOrderStatistics, Median) {
  EXPECT_EQ(zymqix::GetMedian({7}), 7);
  EXPECT_EQ(zymqix::GetMedian({1, 2, 9}), 2);
  EXPECT_EQ(zymqix::GetMedian({1, 2, 4, 9}), 3);
  ExpectMathError([] { zymqix::GetMedian({}); }, zymqix::rsAtLeastOne);
}

TEST(VectorOrderStatistics, ModeNeedsOneValueMoreFrequentThanAllOthers) {
  struct Case {
    TZYMFloatVector Sorted;
    bool HasMode;
    Extended Mode;
  } Cases[] = {
      {{}, false, 0},
      {{4}, false, 0},                       // no value repeats
      {{1, 2, 3}, false, 0},
      {{2, 4, 4, 4, 5, 5, 7, 9}, true, 4},
      {{1, 1, 2, 2}, false, 0},              // a tie for most frequent
      {{1, 1, 2, 2, 3, 3, 3}, true, 3},      // an early tie beaten later
      {{1, 1, 1, 2, 2, 2, 3}, false, 0},
      {{6, 6, 6, 6}, true, 6},
      {{0.1L, 0.1L, 0.1L + 1e-18L}, true, 0.1L},  // values compare exactly
  };
  for (const auto& C : Cases) {
    Extended Mode = -99;
    EXPECT_EQ(zymqix::GetMode(C.Sorted, Mode), C.HasMode) << ::testing::PrintToString(C.Sorted);
    EXPECT_EQ(Mode, C.HasMode ? C.Mode : -99) << "Mode is written only when one exists";
  }
}

TEST(VectorOrderStatistics, QuartilesInterpolateBetweenOrderStatistics) {
  struct Case {
    TZYMFloatVector Sorted;
    Extended Q1, Q3;
  } Cases[] = {
      {{5}, 5, 5},
      {{1, 2}, 1.25L, 1.75L},
      {{1, 2, 3, 4}, 1.75L, 3.25L},
      {{1, 2, 3, 4, 5}, 2, 4},
      {{2, 4, 4, 4, 5, 5, 7, 9}, 4, 5.5L},
      {{6, 7, 15, 36, 39, 40, 41, 42, 43, 47, 49}, 25.5L, 42.5L},
  };
  for (const auto& C : Cases) {
    Extended Q1 = 0, Q3 = 0;
    zymqix::GetQuartiles(C.Sorted, Q1, Q3);
    EXPECT_EQ(Q1, C.Q1) << ::testing::PrintToString(C.Sorted);
    EXPECT_EQ(Q3, C.Q3) << ::testing::PrintToString(C.Sorted);
  }
  Extended Q1 = 0, Q3 = 0;
  ExpectMathError([&] { zymqix::GetQuartiles({}, Q1, Q3); }, zymqix::rsAtLeastOne);
}

TEST(VectorMoments, SampleVarianceAndMean) {
  Extended Variance = 0, Mean = 0;
  zymqix::SampleVarianceAndMean({2, 4, 4, 4, 5, 5, 7, 9}, Variance, Mean);
  EXPECT_EQ(Mean, 5);
  EXPECT_NEAR(Variance, 32.0L / 7, 1e-17L);
  EXPECT_NEAR(zymqix::SampleVariance({1, 2, 3, 4}), 5.0L / 3, 1e-17L);
}

TEST(VectorMoments, SampleVarianceKeepsItsDigitsFarFromZero) {
  Extended Variance = 0, Mean = 0;
  zymqix::SampleVarianceAndMean(FarFromZero(), Variance, Mean);
  EXPECT_NEAR(Mean, 10000000.2L, 1e-9L);
  EXPECT_NEAR(std::sqrt(Variance), 0.1L, 1e-11L);
}

TEST(VectorMoments, TooFewValuesLeaveTheOutParametersAlone) {
  Extended Variance = 7, Mean = 8;
  ExpectMathError([&] { zymqix::SampleVarianceAndMean({5}, Variance, Mean); }, zymqix::rsAtLeastTwo);
  EXPECT_EQ(Variance, 7);
  EXPECT_EQ(Mean, 8);
  ExpectMathError([] { zymqix::SampleVariance({}); }, zymqix::rsAtLeastTwo);
}

TEST(VectorMoments, SkewAndKurtosisOfAKnownSample) {
  // 2, 4, 4, 4, 5, 5, 7, 9: central sums of cubes 42 and of fourth powers 356.
  TZYMFloatVector V{2, 4, 4, 4, 5, 5, 7, 9};
  Extended S = std::sqrt(32.0L / 7);
  EXPECT_NEAR(zymqix::GetPopulationSkew(V, 5, 2), 0.65625L, 1e-17L);
  EXPECT_NEAR(zymqix::GetPopulationKurtosis(V, 5, 2), -0.21875L, 1e-17L);
  // The spreadsheet SKEW and KURT of the same values.
  EXPECT_NEAR(zymqix::GetSampleSkew(V, 5, S), 0.8184875533567997L, 1e-15L);
  EXPECT_NEAR(zymqix::GetSampleKurtosis(V, 5, S), 0.940625L, 1e-15L);
}

TEST(VectorMoments, ShapeMeasuresRefuseZeroDeviationBeforeCounting) {
  ExpectMathError([] { zymqix::GetSampleKurtosis({}, 0, 0); }, zymqix::rsStdDev);
  ExpectMathError([] { zymqix::GetPopulationSkew({1}, 1, 0); }, zymqix::rsStdDev);
}

TEST(VectorMoments, ShapeMeasuresNeedFourOrThreeValues) {
  TZYMFloatVector Three{1, 2, 3};
  ExpectMathError([&] { zymqix::GetSampleKurtosis(Three, 2, 1); }, zymqix::rsAtLeastFour);
  ExpectMathError([&] { zymqix::GetPopulationKurtosis(Three, 2, 1); }, zymqix::rsAtLeastFour);
  ExpectMathError([] { zymqix::GetSampleSkew({1, 2}, 1.5L, 1); }, zymqix::rsAtLeastThree);
  ExpectMathError([] { zymqix::GetPopulationSkew({1, 2}, 1.5L, 1); }, zymqix::rsAtLeastThree);
  EXPECT_EQ(zymqix::GetPopulationSkew(Three, 2, 1), 0);
}
