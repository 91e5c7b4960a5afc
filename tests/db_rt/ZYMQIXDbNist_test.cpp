// The certified values of the NIST Statistical Reference Datasets, reached by
// the aggregate functions, TZYMDBDescStats and TZYMDbLinReg.
//
// Each data set is loaded twice: into a Float field (the doubles nearest the
// decimal data) and into a BCD field (the decimal data exactly). The digits
// reached are printed for every statistic. The certified values belong to the
// exact decimals; for NumAcc4 the doubles themselves already have a standard
// deviation of about 0.1000000006, so that one statistic of the Float load
// cannot agree in more than 8 digits whatever the arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "StatsTestData.h"
#include "db_rt/ZYMQIXDbDescStats.h"
#include "db_rt/ZYMQIXDbLinReg.h"
#include "db_rt/ZYMQIXDbStats.h"

using stats_test::AgreeingDigits;
using stats_test::TNistFile;
using stats_test::TStatsData;

namespace {

const char* const Univariate[] = {"Lew",     "Lottery", "Mavro",   "Michelso", "NumAcc1",
                                  "NumAcc2", "NumAcc3", "NumAcc4", "PiDigits"};

/// "2.00180" -> "2.0018": BCD fields keep four decimals, and the trailing zeros carry no value.
std::string TrimZeros(std::string S) {
  if (S.find('.') == std::string::npos) return S;
  while (S.back() == '0') S.pop_back();
  if (S.back() == '.') S.pop_back();
  return S;
}

std::vector<std::vector<std::string>> Trimmed(const TNistFile& F) {
  std::vector<std::vector<std::string>> Rows;
  for (const auto& R : F.Rows) {
    Rows.emplace_back();
    for (const auto& V : R) Rows.back().push_back(TrimZeros(V));
  }
  return Rows;
}

const char* TypeName(vcl::TFieldType T) { return T == vcl::ftBCD ? "BCD" : "Float"; }

void ExpectDigits(const std::string& What, long double Value, long double Certified, double Required) {
  double Digits = AgreeingDigits(Value, Certified);
  std::printf("  %-34s %5.1f digits\n", What.c_str(), Digits);
  EXPECT_GE(Digits, Required) << What << ": " << static_cast<double>(Value) << " vs certified "
                              << static_cast<double>(Certified);
}

}  // namespace

class NistUnivariate : public ::testing::TestWithParam<vcl::TFieldType> {};

TEST_P(NistUnivariate, CertifiedMeanAndStandardDeviation) {
  vcl::TFieldType Type = GetParam();
  for (const char* Name : Univariate) {
    TNistFile F = stats_test::LoadUnivariate(Name);
    ASSERT_FALSE(F.Rows.empty()) << Name;
    ASSERT_NE(F.StdDev, 0) << Name;
    TStatsData D({{"X", Type}}, Trimmed(F));
    std::printf("%s (%s, %zu values)\n", Name, TypeName(Type), F.Rows.size());
    // Only the Float load of NumAcc4 is limited by its inputs (see the top of this file).
    double SDRequired = (Type == vcl::ftFloat && std::string(Name) == "NumAcc4") ? 8 : 9;

    ExpectDigits("ZYMMean", zymqix::ZYMMean(D.Source, "X", true), F.Mean, 9);
    ExpectDigits("SampleStdDev", zymqix::SampleStdDev(D.Source, "X", true), F.StdDev, SDRequired);
    double S = 0, M = 0;
    zymqix::SampleStdDevAndMean(D.Source, "X", S, M, true);
    ExpectDigits("SampleStdDevAndMean.StdDev", S, F.StdDev, SDRequired);
    ExpectDigits("SampleStdDevAndMean.Mean", M, F.Mean, 9);
    double V = 0;
    zymqix::SampleVarianceAndMean(D.Source, "X", V, M, true);
    ExpectDigits("sqrt(SampleVarianceAndMean.Var)", std::sqrt(static_cast<long double>(V)), F.StdDev, SDRequired);

    zymqix::TZYMDBDescStats C(nullptr);
    C.SetDataSource(D.Source);
    C.SetDataField("X");
    C.RefreshStats();
    ASSERT_EQ(C.GetNoOfValues(), static_cast<int>(F.Rows.size()));
    ExpectDigits("TZYMDBDescStats mean", C.GetMean(), F.Mean, 9);
    ExpectDigits("TZYMDBDescStats standard deviation", C.GetStdDev(), F.StdDev, SDRequired);
  }
}

INSTANTIATE_TEST_SUITE_P(Loads, NistUnivariate, ::testing::Values(vcl::ftFloat, vcl::ftBCD),
                         [](const auto& Info) { return std::string(TypeName(Info.param)); });

class NistRegression : public ::testing::TestWithParam<vcl::TFieldType> {};

TEST_P(NistRegression, NorrisCertifiedLineAndRSquared) {
  vcl::TFieldType Type = GetParam();
  TNistFile F = stats_test::LoadNorris();
  ASSERT_EQ(F.Rows.size(), 36u);
  TStatsData D({{"Y", Type}, {"X", Type}}, Trimmed(F));
  zymqix::TZYMDbLinReg C(nullptr);
  C.SetDataSource(D.Source);
  C.SetXDataField("X");
  C.SetYDataField("Y");
  C.RefreshStats();
  std::printf("Norris (%s, 36 pairs)\n", TypeName(Type));
  ExpectDigits("slope B1", C.GetSlope(), F.B1, 9);
  ExpectDigits("intercept B0", C.GetIntercept(), F.B0, 9);
  ExpectDigits("R-squared", C.GetCoeffDet(), F.RSquared, 9);
}

INSTANTIATE_TEST_SUITE_P(Loads, NistRegression, ::testing::Values(vcl::ftFloat, vcl::ftBCD),
                         [](const auto& Info) { return std::string(TypeName(Info.param)); });
