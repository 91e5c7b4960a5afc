#include "db_rt/ZYMQIXDbLinReg.h"

#include <gtest/gtest.h>

#include <memory>

#include "StatsTestData.h"
#include "rt/ZYMQIXConsts.h"

using stats_test::TStatsData;
using zymqix::TZYMDbLinReg;

namespace {

std::vector<std::string> Lines(vcl::TStringList* List) {
  std::unique_ptr<vcl::TStringList> Owned(List);
  return Owned->ToVector();
}

std::string L(const char* Label, const std::string& Value) { return std::string(Label) + "\t" + Value; }

std::unique_ptr<TZYMDbLinReg> Bound(TStatsData& D) {
  auto C = std::make_unique<TZYMDbLinReg>(nullptr);
  C->SetDataSource(D.Source);
  C->SetXDataField("X");
  C->SetYDataField("Y");
  C->RefreshStats();
  return C;
}

}  // namespace

TEST(LinRegReport, ExactLineThroughThreePairs) {
  TStatsData D(std::vector<std::pair<double, double>>{{1, 2}, {2, 4}, {3, 6}});
  auto C = Bound(D);
  EXPECT_EQ(C->GetMeanX(), 2);
  EXPECT_EQ(C->GetMeanY(), 4);
  EXPECT_EQ(C->GetStdDevX(), 1);
  EXPECT_EQ(C->GetStdDevY(), 2);
  EXPECT_EQ(C->GetCovariance(), 2);
  EXPECT_EQ(C->GetSlope(), 2);
  EXPECT_EQ(C->GetIntercept(), 0);
  EXPECT_EQ(C->GetCoeffCor(), 1);
  EXPECT_EQ(C->GetCoeffDet(), 1);
  EXPECT_EQ(C->GetSSE(), 0);
  EXPECT_EQ(Lines(C->AnalysisDetails()),
            (std::vector<std::string>{L(zymqix::rsDSNoOfValues, "3"), L(zymqix::rsDSMeanX, "2.0000"),
                                      L(zymqix::rsDSStdDevX, "1.0000"), L(zymqix::rsDSMeanY, "4.0000"),
                                      L(zymqix::rsDSStdDevY, "2.0000"), L(zymqix::rsDSCovar, "2.0000"),
                                      L(zymqix::rsDSRegressionLine, "Y = 0.0000 + 2.0000 * X"),
                                      L(zymqix::rsDSSSE, "0.0000"), L(zymqix::rsDSCoeffDet, "1.0000"),
                                      L(zymqix::rsDSCoeffCor, "1.0000")}));
}

TEST(LinRegReport, NegativeSlopeKeepsItsOwnSignAfterThePlus) {
  TStatsData D(std::vector<std::pair<double, double>>{{0, 5}, {1, 3}, {2, 1}});
  auto C = Bound(D);
  EXPECT_EQ(C->GetSlope(), -2);
  EXPECT_EQ(C->GetIntercept(), 5);
  EXPECT_EQ(C->GetCoeffCor(), -1);
  EXPECT_EQ(Lines(C->AnalysisDetails())[6], L(zymqix::rsDSRegressionLine, "Y = 5.0000 + -2.0000 * X"));
}

TEST(LinRegReport, ScatteredPairs) {
  // x 1..5, y 2, 4, 5, 4, 5: b = 0.6, a = 2.2, SSE = 2.4, r^2 = 0.6.
  TStatsData D(std::vector<std::pair<double, double>>{{1, 2}, {2, 4}, {3, 5}, {4, 4}, {5, 5}});
  auto C = Bound(D);
  EXPECT_NEAR(C->GetSlope(), 0.6L, 1e-18L);
  EXPECT_NEAR(C->GetIntercept(), 2.2L, 1e-18L);
  EXPECT_NEAR(C->GetSSE(), 2.4L, 1e-17L);
  EXPECT_NEAR(C->GetCoeffDet(), 0.6L, 1e-18L);
  EXPECT_NEAR(C->GetCovariance(), 1.5L, 1e-18L);
}

TEST(LinRegReport, NoPairsOrOnePair) {
  TZYMDbLinReg Fresh(nullptr);
  EXPECT_EQ(Lines(Fresh.AnalysisDetails()), std::vector<std::string>{zymqix::rsVectorIsEmpty});
  TStatsData D(std::vector<std::pair<double, double>>{{3, 7}});
  auto C = Bound(D);
  EXPECT_EQ(C->GetSlope(), 0);
  EXPECT_EQ(C->GetMeanX(), 0);
  EXPECT_EQ(Lines(C->AnalysisDetails()),
            (std::vector<std::string>{L(zymqix::rsDSNoOfValues, "1"), L(zymqix::rsDSMeanX, "0.0000"),
                                      L(zymqix::rsDSStdDevX, "0.0000"), L(zymqix::rsDSMeanY, "0.0000"),
                                      L(zymqix::rsDSStdDevY, "0.0000"), L(zymqix::rsDSCovar, "0.0000"),
                                      L(zymqix::rsDSRegressionLine, "Y = 0.0000 + 0.0000 * X"),
                                      L(zymqix::rsDSSSE, "0.0000"), L(zymqix::rsDSCoeffDet, "0.0000"),
                                      L(zymqix::rsDSCoeffCor, "0.0000")}));
}

TEST(LinRegAccuracy, DataFarFromZeroKeepTheirLine) {
  // y = 3 + 0.5 (x - 1e8) + noise; sums about zero would lose the slope entirely.
  std::vector<std::pair<double, double>> Pairs;
  const double E[] = {0.01, -0.02, 0.015, -0.005, 0.0};
  for (int I = 0; I < 5; ++I) Pairs.push_back({1e8 + I * 0.1, 3 + 0.05 * I + E[I]});
  TStatsData D(Pairs);
  auto C = Bound(D);
  // With x' = x - 1e8 = 0, 0.1, .., 0.4: sum (x' - 0.2)^2 = 0.1 and sum (x' - 0.2) e = -0.0005,
  // so the slope is 0.5 - 0.0005 / 0.1 = 0.495 (to the spacing of doubles near 1e8).
  EXPECT_NEAR(C->GetSlope(), 0.495, 1e-6);
  EXPECT_NEAR(C->GetMeanX(), 1e8 + 0.2, 1e-7);
  EXPECT_GT(C->GetCoeffDet(), 0.9);
}

TEST(LinRegLifeCycle, FieldNamesAreOnlyStoredAndAnUnknownOneFailsOnTheFirstRecord) {
  TStatsData D(std::vector<std::pair<double, double>>{{1, 2}, {2, 4}, {3, 6}});
  auto C = Bound(D);
  C->SetXDataField("Missing");  // nothing checked or recomputed here
  EXPECT_EQ(C->GetXDataField(), "Missing");
  EXPECT_EQ(C->GetSlope(), 2);
  EXPECT_THROW(C->RefreshStats(), vcl::EDatabaseError);
  EXPECT_EQ(C->GetSlope(), 2);  // the previous results remain
  EXPECT_EQ(C->GetNoOfValues(), 3);
  EXPECT_EQ(D.DataSet->GetRecNo(), 1);
}

TEST(LinRegLifeCycle, UpdateLockAndReport) {
  TStatsData D(std::vector<std::pair<double, double>>{{1, 2}, {2, 4}, {3, 6}});
  TZYMDbLinReg C(nullptr);
  C.SetDataSource(D.Source);
  C.SetXDataField("X");
  C.SetYDataField("Y");
  C.BeginUpdate();
  C.RefreshStats();  // copies, but the lock keeps the results at 0
  EXPECT_EQ(C.GetNoOfValues(), 3);
  EXPECT_EQ(C.GetSlope(), 0);
  auto R = Lines(C.AnalysisDetails());
  EXPECT_EQ(R[6], L(zymqix::rsDSRegressionLine, "Y = 0.0000 + 2.0000 * X"));
}

TEST(LinRegGuards, EqualXOrEqualYValuesRaiseAndTheReportSaysWhy) {
  struct Case {
    std::vector<std::pair<double, double>> Pairs;
    const char* Message;
  } Cases[] = {
      {{{2, 1}, {2, 5}, {2, 3}}, zymqix::rsXValuesEqual},
      {{{2, 1}, {2, 1}}, zymqix::rsXValuesEqual},
      {{{1, 4}, {2, 4}, {3, 4}}, zymqix::rsYValuesEqual},
  };
  for (const auto& K : Cases) {
    TStatsData D(K.Pairs);
    TZYMDbLinReg C(nullptr);
    C.SetDataSource(D.Source);
    C.SetXDataField("X");
    C.SetYDataField("Y");
    try {
      C.RefreshStats();
      ADD_FAILURE() << K.Message;
    } catch (const vcl::EMathError& E) {
      EXPECT_EQ(E.Message(), K.Message);
    }
    EXPECT_EQ(C.GetSlope(), 0);
    EXPECT_EQ(C.GetFailure(), K.Message);
    EXPECT_EQ(Lines(C.AnalysisDetails()),
              (std::vector<std::string>{L(zymqix::rsDSNoOfValues, std::to_string(K.Pairs.size())), K.Message}));
  }
}

TEST(LinRegGuards, MissingDataSourceRaisesEDatabaseError) {
  TZYMDbLinReg C(nullptr);
  try {
    C.RefreshStats();
    FAIL();
  } catch (const vcl::EDatabaseError& E) {
    EXPECT_EQ(E.Message(), zymqix::rsNoDataSource);
  }
}

TEST(LinRegProperties, PublishedWithDefaults) {
  const vcl::TClassInfo& Info = TZYMDbLinReg::StaticClassInfo();
  std::vector<std::string> Names;
  for (const vcl::TPropInfo* P : Info.Properties()) Names.push_back(P->Name);
  EXPECT_EQ(std::vector<std::string>(Names.end() - 5, Names.end()),
            (std::vector<std::string>{"DataFieldX", "DataFieldY", "DataSource", "DecimalPlaces", "Version"}));
  TZYMDbLinReg C(nullptr);
  EXPECT_TRUE(Info.FindProperty("DecimalPlaces")->IsDefault(&C));
  EXPECT_TRUE(Info.FindProperty("DataFieldX")->IsDefault(&C));
  vcl::SetStrProp(&C, "DataFieldY", "Y");
  EXPECT_EQ(C.GetYDataField(), "Y");
  EXPECT_EQ(Info.FindProperty("Field"), nullptr);
}
