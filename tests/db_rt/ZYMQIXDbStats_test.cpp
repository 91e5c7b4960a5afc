#include "db_rt/ZYMQIXDbStats.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>

#include "StatsTestData.h"
#include "rt/ZYMQIXConsts.h"

using stats_test::TStatsData;

namespace {

using TAggregate = std::function<double(vcl::TDataSource*, const std::string&, bool)>;

struct TNamedAggregate {
  const char* Name;
  TAggregate Fn;
  int MinCount;
  const char* CountMessage;
};

// Every function in the form (source, field, keep position) -> one result; the
// two-result functions report their first result, the shape measures run with
// mean 2.5 and deviation 1.
std::vector<TNamedAggregate> AllAggregates() {
  using namespace zymqix;
  return {
      {"ZYMMean", ZYMMean, 1, rsAtLeastOne},
      {"GeometricMean", GeometricMean, 1, rsAtLeastOne},
      {"HarmonicMean", HarmonicMean, 1, rsAtLeastOne},
      {"RootMeanSquare", RootMeanSquare, 1, rsAtLeastOne},
      {"MeanDeviation", [](auto S, auto& F, bool K) { return MeanDeviation(S, F, 2.5, K); }, 1, rsAtLeastOne},
      {"SampleVariance", [](auto S, auto& F, bool K) { return SampleVariance(S, F, K); }, 2, rsAtLeastTwo},
      {"PopulationVariance", PopulationVariance, 1, rsAtLeastOne},
      {"SampleStdDev", SampleStdDev, 2, rsAtLeastTwo},
      {"PopulationStdDev", PopulationStdDev, 1, rsAtLeastOne},
      {"SampleVarianceAndMean",
       [](auto S, auto& F, bool K) {
         double V = 0, M = 0;
         SampleVarianceAndMean(S, F, V, M, K);
         return V;
       },
       2, rsAtLeastTwo},
      {"PopulationVarianceAndMean",
       [](auto S, auto& F, bool K) {
         double V = 0, M = 0;
         PopulationVarianceAndMean(S, F, V, M, K);
         return V;
       },
       1, rsAtLeastOne},
      {"SampleStdDevAndMean",
       [](auto S, auto& F, bool K) {
         double V = 0, M = 0;
         SampleStdDevAndMean(S, F, V, M, K);
         return V;
       },
       2, rsAtLeastTwo},
      {"PopulationStdDevAndMean",
       [](auto S, auto& F, bool K) {
         double V = 0, M = 0;
         PopulationStdDevAndMean(S, F, V, M, K);
         return V;
       },
       1, rsAtLeastOne},
      {"GetSampleKurtosis", [](auto S, auto& F, bool K) { return GetSampleKurtosis(S, F, 2.5, 1, K); }, 4,
       rsAtLeastFour},
      {"GetSampleSkew", [](auto S, auto& F, bool K) { return GetSampleSkew(S, F, 2.5, 1, K); }, 3, rsAtLeastThree},
      {"GetPopulationKurtosis", [](auto S, auto& F, bool K) { return GetPopulationKurtosis(S, F, 2.5, 1, K); }, 4,
       rsAtLeastFour},
      {"GetPopulationSkew", [](auto S, auto& F, bool K) { return GetPopulationSkew(S, F, 2.5, 1, K); }, 3,
       rsAtLeastThree},
  };
}

template <class F>
std::string ErrorOf(F Fn) {
  try {
    Fn();
  } catch (const vcl::Exception& E) {
    return E.Message();
  }
  return "(no error)";
}

template <class E, class F>
std::string ErrorOfType(F Fn) {
  try {
    Fn();
  } catch (const E& Ex) {
    return Ex.Message();
  } catch (const std::exception& Ex) {
    return std::string("wrong exception type: ") + Ex.what();
  }
  return "(no error)";
}

}  // namespace

// ---- formulas

TEST(AggregateFormulas, OneToFour) {
  TStatsData D({1, 2, 3, 4});
  auto* S = D.Source;
  EXPECT_DOUBLE_EQ(zymqix::ZYMMean(S, "X", true), 2.5);
  EXPECT_DOUBLE_EQ(zymqix::SampleVariance(S, "X", true), 5.0 / 3);
  EXPECT_DOUBLE_EQ(zymqix::PopulationVariance(S, "X", true), 1.25);
  EXPECT_DOUBLE_EQ(zymqix::SampleStdDev(S, "X", true), std::sqrt(5.0 / 3));
  EXPECT_DOUBLE_EQ(zymqix::PopulationStdDev(S, "X", true), std::sqrt(1.25));
  EXPECT_DOUBLE_EQ(zymqix::HarmonicMean(S, "X", true), 48.0 / 25);
  EXPECT_DOUBLE_EQ(zymqix::RootMeanSquare(S, "X", true), std::sqrt(7.5));
  EXPECT_DOUBLE_EQ(zymqix::MeanDeviation(S, "X", 2.5, true), 1);
  EXPECT_DOUBLE_EQ(zymqix::GeometricMean(S, "X", true), std::pow(24.0, 0.25));
  double V = 0, M = 0;
  zymqix::PopulationStdDevAndMean(S, "X", V, M, true);
  EXPECT_DOUBLE_EQ(V, std::sqrt(1.25));
  EXPECT_DOUBLE_EQ(M, 2.5);
  zymqix::SampleVarianceAndMean(S, "X", V, M, true);
  EXPECT_DOUBLE_EQ(V, 5.0 / 3);
  EXPECT_DOUBLE_EQ(M, 2.5);
}

TEST(AggregateFormulas, SingleRecordOfFive) {
  TStatsData D({5});
  for (auto Fn : {zymqix::ZYMMean, zymqix::GeometricMean, zymqix::HarmonicMean, zymqix::RootMeanSquare})
    EXPECT_DOUBLE_EQ(Fn(D.Source, "X", false), 5);
  EXPECT_EQ(zymqix::PopulationVariance(D.Source, "X", false), 0);
  EXPECT_EQ(ErrorOf([&] { zymqix::SampleVariance(D.Source, "X", false); }), zymqix::rsAtLeastTwo);
}

TEST(AggregateFormulas, ShapeMeasuresUseTheGivenMeanAndDeviation) {
  // 2, 4, 4, 4, 5, 5, 7, 9 about mean 5: sums of cubes 42 and fourth powers 356.
  TStatsData D({2, 4, 4, 4, 5, 5, 7, 9});
  double S = std::sqrt(32.0 / 7);
  EXPECT_DOUBLE_EQ(zymqix::GetPopulationSkew(D.Source, "X", 5, 2, true), 0.65625);
  EXPECT_DOUBLE_EQ(zymqix::GetPopulationKurtosis(D.Source, "X", 5, 2, true), -0.21875);
  EXPECT_NEAR(zymqix::GetSampleSkew(D.Source, "X", 5, S, true), 0.8184875533567997, 1e-14);
  EXPECT_NEAR(zymqix::GetSampleKurtosis(D.Source, "X", 5, S, true), 0.940625, 1e-14);
  // Not checked against the data: another mean gives another result.
  EXPECT_NE(zymqix::GetPopulationSkew(D.Source, "X", 4, 2, true), 0.65625);
}

TEST(AggregateFormulas, NullFieldCountsWithTheValueAsFloatGives) {
  TStatsData D({4, std::nullopt, 2});
  EXPECT_DOUBLE_EQ(zymqix::ZYMMean(D.Source, "X", true), 2);
  EXPECT_DOUBLE_EQ(zymqix::PopulationVariance(D.Source, "X", true), 8.0 / 3);
}

TEST(AggregateFormulas, ExactDecimalFieldsAreReadWhole) {
  // A BCD field holds 10000000.1 exactly. Read through a Double it would carry
  // an error of about 1e-9, which the deviation of a 0.1 spread shows in its
  // tenth digit; read into extended precision the error is about 5e-13.
  TStatsData D({{"X", vcl::ftBCD}}, {{"10000000.2"}, {"10000000.1"}, {"10000000.3"}});
  EXPECT_NEAR(zymqix::SampleStdDev(D.Source, "X", true), 0.1, 1e-11);
  TStatsData AsDoubles({10000000.2, 10000000.1, 10000000.3});
  EXPECT_GT(std::fabs(zymqix::SampleStdDev(AsDoubles.Source, "X", true) - 0.1), 1e-10);
  EXPECT_DOUBLE_EQ(zymqix::ZYMMean(D.Source, "X", true), 10000000.2);
}

// ---- accuracy mends

TEST(AggregateAccuracy, VarianceFarFromZeroKeepsItsDigits) {
  // Sums of squares about zero would cancel every digit of a 0.1 spread at 1e7.
  std::vector<std::optional<double>> Values{10000000.2};
  for (int I = 0; I < 500; ++I) {
    Values.push_back(10000000.1);
    Values.push_back(10000000.3);
  }
  TStatsData D(Values);
  double V = 0, M = 0;
  zymqix::SampleStdDevAndMean(D.Source, "X", V, M, true);
  // The doubles nearest these decimals have a deviation of about 0.1000000006.
  EXPECT_NEAR(V, 0.1, 1e-9);
  EXPECT_NEAR(M, 10000000.2, 1e-8);
  EXPECT_NEAR(zymqix::PopulationVariance(D.Source, "X", true), 0.01 * 1000 / 1001, 1e-9);
}

TEST(AggregateAccuracy, ConstantDataGiveZeroNotANaN) {
  TStatsData D({123456789.1, 123456789.1, 123456789.1, 123456789.1});
  EXPECT_EQ(zymqix::SampleVariance(D.Source, "X", true), 0);
  EXPECT_EQ(zymqix::SampleStdDev(D.Source, "X", true), 0);
  EXPECT_EQ(zymqix::PopulationStdDev(D.Source, "X", true), 0);
}

TEST(AggregateAccuracy, GeometricMeanOfLongSeriesOfHugeOrTinyValues) {
  // The plain running product would pass the extended range after 17 factors
  // of 1e300, and fall below it after 330 factors of 1e-15 (values of 1e-16 and
  // less count as zero, so they are refused as not positive).
  std::vector<std::optional<double>> Huge(40, 1e300), Tiny(400, 1e-15);
  Huge.push_back(1e280);
  EXPECT_NEAR(zymqix::GeometricMean(TStatsData(Huge).Source, "X", true), std::pow(10.0, (40 * 300.0 + 280) / 41),
              1e286);
  EXPECT_NEAR(zymqix::GeometricMean(TStatsData(Tiny).Source, "X", true) / 1e-15, 1, 1e-14);
  EXPECT_NEAR(zymqix::GeometricMean(TStatsData({0.5, 8}).Source, "X", true), 2, 1e-15);
}

TEST(AggregateAccuracy, ResultBeyondADoubleRaisesEMathError) {
  TStatsData D({-1e300, 1e300});
  std::string Message = ErrorOfType<vcl::EMathError>([&] { zymqix::SampleVariance(D.Source, "X", true); });
  EXPECT_EQ(Message.rfind(zymqix::rsResultRange, 0), 0u) << Message;
  EXPECT_DOUBLE_EQ(zymqix::SampleStdDev(D.Source, "X", true), std::sqrt(2.0) * 1e300);
  EXPECT_EQ(D.DataSet->GetBookmarkCount(), 0);
}

// ---- count failures

TEST(AggregateCounts, EachFunctionFailsBelowItsMinimumWithItsMessage) {
  for (const auto& A : AllAggregates()) {
    for (int N = 0; N < A.MinCount; ++N) {
      std::vector<std::optional<double>> Values;
      for (int I = 0; I < N; ++I) Values.push_back(1.5 + I);
      TStatsData D(Values);
      EXPECT_EQ(ErrorOfType<vcl::EMathError>([&] { A.Fn(D.Source, "X", true); }), A.CountMessage)
          << A.Name << " with " << N << " records";
      EXPECT_EQ(D.DataSet->GetBookmarkCount(), 0) << A.Name;
    }
    std::vector<std::optional<double>> Enough;
    for (int I = 0; I < A.MinCount; ++I) Enough.push_back(1.5 + I);
    TStatsData D(Enough);
    EXPECT_NO_THROW(A.Fn(D.Source, "X", true)) << A.Name << " with " << A.MinCount << " records";
  }
}

TEST(AggregateCounts, OutParametersKeepTheirValuesOnFailure) {
  TStatsData D({5});
  double V = -1, M = -2;
  EXPECT_THROW(zymqix::SampleVarianceAndMean(D.Source, "X", V, M, true), vcl::EMathError);
  EXPECT_THROW(zymqix::SampleStdDevAndMean(D.Source, "X", V, M, true), vcl::EMathError);
  EXPECT_EQ(V, -1);
  EXPECT_EQ(M, -2);
  TStatsData Huge({-1e300, 1e300});
  EXPECT_THROW(zymqix::PopulationVarianceAndMean(Huge.Source, "X", V, M, true), vcl::EMathError);
  EXPECT_EQ(V, -1);
  EXPECT_EQ(M, -2);
}

TEST(AggregateCounts, PopulationKurtosisOfThreeRecordsFails) {
  TStatsData D({1, 2, 3});
  EXPECT_EQ(ErrorOf([&] { zymqix::GetPopulationKurtosis(D.Source, "X", 2, 1, true); }), zymqix::rsAtLeastFour);
}

// ---- position handling

TEST(AggregatePosition, KeepPositionReturnsToTheRecordAndFreesTheBookmark) {
  for (const auto& A : AllAggregates()) {
    TStatsData D({1, 2, 3, 4, 5});
    D.DataSet->SetRecNo(3);
    A.Fn(D.Source, "X", true);
    EXPECT_EQ(D.DataSet->GetRecNo(), 3) << A.Name;
    EXPECT_EQ(D.DataSet->GetBookmarkCount(), 0) << A.Name;
  }
}

TEST(AggregatePosition, WithoutKeepPositionTheCursorStaysWhereTheWalkEnded) {
  for (const auto& A : AllAggregates()) {
    TStatsData D({1, 2, 3, 4, 5});
    D.DataSet->SetRecNo(2);
    A.Fn(D.Source, "X", false);
    EXPECT_EQ(D.DataSet->GetRecNo(), 5) << A.Name;
  }
}

TEST(AggregatePosition, NonPositiveValueStopsTheWalkAndRestoresThePosition) {
  TStatsData D({2, 0, 8});
  D.DataSet->SetRecNo(3);
  EXPECT_EQ(ErrorOf([&] { zymqix::GeometricMean(D.Source, "X", true); }), zymqix::rsVectorNotPos);
  EXPECT_EQ(D.DataSet->GetRecNo(), 3);
  EXPECT_EQ(D.DataSet->GetBookmarkCount(), 0);
  // Without a bookmark the cursor shows where the walk stopped: the third record was not reached.
  EXPECT_EQ(ErrorOf([&] { zymqix::HarmonicMean(D.Source, "X", false); }), zymqix::rsVectorNotPos);
  EXPECT_EQ(D.DataSet->GetRecNo(), 2);
  TStatsData Negative({3, -1});
  EXPECT_EQ(ErrorOf([&] { zymqix::HarmonicMean(Negative.Source, "X", true); }), zymqix::rsVectorNotPos);
}

TEST(AggregatePosition, ZeroStdDevFailsBeforeTheCursorMoves) {
  TStatsData D({1, 2, 3, 4, 5});
  D.DataSet->SetRecNo(2);
  using TShapeFn = double (*)(vcl::TDataSource*, const std::string&, double, double, bool);
  for (TShapeFn Fn : std::initializer_list<TShapeFn>{zymqix::GetSampleKurtosis, zymqix::GetSampleSkew,
                                                     zymqix::GetPopulationKurtosis, zymqix::GetPopulationSkew}) {
    EXPECT_EQ(ErrorOf([&] { Fn(D.Source, "X", 3, 0, false); }), zymqix::rsStdDev);
    EXPECT_EQ(D.DataSet->GetRecNo(), 2);
  }
  // Checked before anything else, so even a missing source reports the deviation.
  EXPECT_EQ(ErrorOf([&] { zymqix::GetSampleSkew(nullptr, "X", 3, 0, false); }), zymqix::rsStdDev);
}

TEST(AggregatePosition, DatasetErrorsPassUnchangedAfterThePositionIsRestored) {
  TStatsData D({1, 2, 3});
  D.DataSet->SetRecNo(2);
  std::string Expected = ErrorOf([&] { D.DataSet->FieldByName("Nope"); });
  EXPECT_EQ(ErrorOfType<vcl::EDatabaseError>([&] { zymqix::ZYMMean(D.Source, "Nope", true); }), Expected);
  EXPECT_EQ(D.DataSet->GetRecNo(), 2);
  EXPECT_EQ(D.DataSet->GetBookmarkCount(), 0);
}

TEST(AggregatePosition, EmptyDatasetReturnsToNoBookmarkAndFailsWithTheCount) {
  TStatsData D(std::vector<std::optional<double>>{});
  EXPECT_EQ(ErrorOf([&] { zymqix::ZYMMean(D.Source, "X", true); }), zymqix::rsAtLeastOne);
  EXPECT_EQ(D.DataSet->GetBookmarkCount(), 0);
}

TEST(AggregatePosition, NonNumericValuesRaiseTheFieldsConversionError) {
  TStatsData D({{"X", vcl::ftString}}, {{"1.5"}, {"abc"}, {"2"}});
  D.DataSet->SetRecNo(3);
  EXPECT_THROW(zymqix::ZYMMean(D.Source, "X", true), vcl::EConvertError);
  EXPECT_EQ(D.DataSet->GetRecNo(), 3);
  EXPECT_EQ(D.DataSet->GetBookmarkCount(), 0);
}

// ---- unusable sources

TEST(AggregateSources, MissingSourceDatasetOrClosedDatasetRaiseEDatabaseError) {
  TStatsData D({1, 2});
  vcl::TDataSource Empty(nullptr);
  EXPECT_EQ(ErrorOfType<vcl::EDatabaseError>([] { zymqix::ZYMMean(nullptr, "X", true); }), zymqix::rsNoDataSource);
  EXPECT_EQ(ErrorOfType<vcl::EDatabaseError>([&] { zymqix::ZYMMean(&Empty, "X", true); }), zymqix::rsNoDataSet);
  D.DataSet->Close();
  EXPECT_EQ(ErrorOfType<vcl::EDatabaseError>([&] { zymqix::SampleVariance(D.Source, "X", true); }),
            zymqix::rsDataSetClosed);
}
