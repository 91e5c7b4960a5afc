#include "db_rt/ZYMQIXDbHypAnal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "StatsTestData.h"
#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXDistrib.h"

using stats_test::TStatsData;
using zymqix::Extended;
using zymqix::TZYMAltHypType;
using zymqix::TZYMDBHypMean;
using zymqix::TZYMDBHypVar;

namespace {

std::vector<std::string> Lines(vcl::TStringList* List) {
  std::unique_ptr<vcl::TStringList> Owned(List);
  return Owned->ToVector();
}

std::string L(const char* Label, const std::string& Value) { return std::string(Label) + "\t" + Value; }

template <class T>
std::unique_ptr<T> Bound(TStatsData& D) {
  auto C = std::make_unique<T>(nullptr);
  C->SetDataSource(D.Source);
  C->SetDataField("X");
  C->RefreshStats();
  return C;
}

TZYMAltHypType Alt(int Ordinal) { return static_cast<TZYMAltHypType>(Ordinal); }

}  // namespace

// ---- mean test

TEST(HypMean, OneToFiveAgainstThree) {
  TStatsData D({1, 2, 3, 4, 5});
  TZYMDBHypMean C(nullptr);
  C.SetDataSource(D.Source);
  C.SetDataField("X");
  C.SetMeanPop(3);
  C.RefreshStats();
  EXPECT_EQ(C.GetMean(), 3);
  EXPECT_NEAR(C.GetStdDev(), std::sqrt(2.5L), 1e-18L);
  EXPECT_EQ(C.GetTestStatistic(), 0);
  EXPECT_NEAR(C.GetPValue(), 1, 1e-18L);
  EXPECT_FALSE(C.GetRejected());
  // t(0.025, 4) = 2.776445105; half-width 2.776445105 * sqrt(2.5 / 5).
  EXPECT_NEAR(C.GetCriticalValue(), 2.7764451051977943578L, 1e-15L);
  EXPECT_EQ(Lines(C.AnalysisDetails()),
            (std::vector<std::string>{
                L(zymqix::rsDSNoOfValues, "5"), L(zymqix::rsDSMean, "3.0000"), L(zymqix::rsDSStdDev, "1.5811"),
                L(zymqix::rsDSConfidence, "95.0000%"), L(zymqix::rsDSSignificance, "5.0000%"),
                L(zymqix::rsDSConfidenceIntervalM, "[1.0368, 4.9632]"), L(zymqix::rsNullHypothesis, "X = 3.0000"),
                L(zymqix::rsAlternateHypothesis, "X <> 3.0000"), L(zymqix::rsTestStatistic, "0.0000"),
                L(zymqix::rsPValue, "1.0000"), L(zymqix::rsRejectionRegion, "abs (t) > 2.7764"),
                zymqix::rsNotRejected, zymqix::rsNotRejectReason}));
}

TEST(HypMean, TailsByAlternative) {
  // Mean 3, s = sqrt(2.5), n = 5: against 1.5, t = 1.5 / sqrt(0.5) = 2.1213.
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TZYMDBHypMean>(D);
  C->SetMeanPop(1.5);
  struct Case {
    int AltType;
    bool Rejected;
    Extended P;
    const char* Op;
    const char* Region;
  } Cases[] = {
      {0, false, 1 - zymqix::StudentTLess(-2.1213203435596424L, 4), "<", "t < -2.1318"},
      {1, false, 1 - zymqix::StudentTLess(2.1213203435596424L, 4), ">", "t > 2.1318"},
      {2, false, 2 * (1 - zymqix::StudentTLess(2.1213203435596424L, 4)), "<>", "abs (t) > 2.7764"},
  };
  for (const auto& K : Cases) {
    C->SetAltHypType(Alt(K.AltType));
    C->UpdateStats();
    EXPECT_NEAR(C->GetTestStatistic(), 2.1213203435596424L, 1e-17L);
    EXPECT_EQ(C->GetRejected(), K.Rejected) << K.AltType;
    EXPECT_NEAR(C->GetPValue(), K.P, 1e-16L) << K.AltType;
    auto R = Lines(C->AnalysisDetails());
    EXPECT_EQ(R[7], L(zymqix::rsAlternateHypothesis, std::string("X ") + K.Op + " 1.5000"));
    EXPECT_EQ(R[10], L(zymqix::rsRejectionRegion, K.Region));
  }
  // At 90 per cent the upper-tailed test rejects: t = 2.1213 > t(0.10, 4) = 1.5332.
  C->SetAltHypType(Alt(1));
  C->SetConfidence(90);
  C->UpdateStats();
  EXPECT_TRUE(C->GetRejected());
  auto R = Lines(C->AnalysisDetails());
  EXPECT_EQ(std::vector<std::string>(R.end() - 2, R.end()),
            (std::vector<std::string>{zymqix::rsRejected, zymqix::rsRejectReason}));
}

TEST(HypMean, NegativeTTwoTailedHasTheSamePValueAsPositive) {
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TZYMDBHypMean>(D);
  C->SetMeanPop(4);
  C->UpdateStats();
  Extended Below = C->GetPValue();
  EXPECT_LT(C->GetTestStatistic(), 0);
  C->SetMeanPop(2);
  C->UpdateStats();
  EXPECT_GT(C->GetTestStatistic(), 0);
  EXPECT_NEAR(C->GetPValue(), Below, 1e-18L);
}

TEST(HypMean, UnknownAlternativeGivesNoVerdictAndBareTexts) {
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TZYMDBHypMean>(D);
  C->SetMeanPop(100);
  C->SetAltHypType(Alt(7));
  C->UpdateStats();
  EXPECT_FALSE(C->GetRejected());
  EXPECT_EQ(C->GetPValue(), 0);
  EXPECT_EQ(C->GetCriticalValue(), 0);
  auto R = Lines(C->AnalysisDetails());
  EXPECT_EQ(R[7], L(zymqix::rsAlternateHypothesis, "X 100.0000"));
  EXPECT_EQ(R[10], L(zymqix::rsRejectionRegion, "0.0000"));
}

TEST(HypMean, ReportShowsCurrentSettingsWithTheLastResults) {
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TZYMDBHypMean>(D);
  auto Before = Lines(C->AnalysisDetails());
  C->SetConfidence(99);
  auto After = Lines(C->AnalysisDetails());
  EXPECT_EQ(After[3], L(zymqix::rsDSConfidence, "99.0000%"));
  EXPECT_EQ(After[4], L(zymqix::rsDSSignificance, "1.0000%"));
  EXPECT_EQ(After[5], Before[5]);    // the interval of the 95 per cent level
  EXPECT_EQ(After[10], Before[10]);  // and its critical value
}

// ---- variance test

TEST(HypVar, ReportOfOneToFiveAgainstOne) {
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TZYMDBHypVar>(D);
  // s^2 = 2.5 and chi^2 = 4 * 2.5 / 1 = 10, inside the two-tailed region's bounds 0.4844 and 11.1433.
  EXPECT_NEAR(C->GetVariance(), 2.5L, 1e-18L);
  EXPECT_NEAR(C->GetTestStatistic(), 10, 1e-17L);
  EXPECT_FALSE(C->GetRejected());
  EXPECT_EQ(Lines(C->AnalysisDetails()),
            (std::vector<std::string>{
                L(zymqix::rsDSNoOfValues, "5"), L(zymqix::rsDSVariance, "2.5000"),
                L(zymqix::rsDSConfidence, "95.0000%"), L(zymqix::rsDSSignificance, "5.0000%"),
                L(zymqix::rsDSConfidenceIntervalV, "[0.8974, 20.6433]"), L(zymqix::rsNullHypothesis, "S^2 = 1.0000"),
                L(zymqix::rsAlternateHypothesis, "S^2 <> 1.0000"), L(zymqix::rsTestStatistic, "10.0000"),
                L(zymqix::rsPValue, "0.0809"),
                L(zymqix::rsRejectionRegion, "Chi^2 > 11.1433 and Chi^2 < 0.4844"), zymqix::rsNotRejected,
                zymqix::rsNotRejectReason}));
}

TEST(HypVar, OneSidedTests) {
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TZYMDBHypVar>(D);
  Extended G = zymqix::ChiSquareGreater(10, 4);
  C->SetAltHypType(Alt(1));
  C->UpdateStats();
  EXPECT_TRUE(C->GetRejected());  // 10 > chi^2(0.05, 4) = 9.4877
  EXPECT_NEAR(C->GetPValue(), G, 1e-18L);
  EXPECT_EQ(Lines(C->AnalysisDetails())[9], L(zymqix::rsRejectionRegion, "Chi^2 > 9.4877"));
  C->SetAltHypType(Alt(0));
  C->UpdateStats();
  EXPECT_FALSE(C->GetRejected());
  EXPECT_NEAR(C->GetPValue(), 1 - G, 1e-18L);
  EXPECT_EQ(C->GetCriticalValue2(), 0);
  EXPECT_EQ(Lines(C->AnalysisDetails())[9], L(zymqix::rsRejectionRegion, "Chi^2 < 0.7107"));
  C->SetAltHypType(Alt(5));
  C->UpdateStats();
  EXPECT_EQ(Lines(C->AnalysisDetails())[9], L(zymqix::rsRejectionRegion, ""));
}

TEST(HypVar, StatisticExactlyAtTheCriticalValueIsNotRejected) {
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TZYMDBHypVar>(D);
  C->SetAltHypType(Alt(1));
  Extended Critical = zymqix::InvChiSquareGreater(0.05L, 4);
  Extended S2 = C->GetVariance();
  // Find the VarPop whose statistic lands on the critical value to the last bit.
  Extended VarPop = 4 * S2 / Critical;
  for (int I = 0; I < 64 && 4 * S2 / VarPop != Critical; ++I)
    VarPop = std::nextafter(VarPop, 4 * S2 / VarPop > Critical ? 1e10L : 0.0L);
  ASSERT_EQ(4 * S2 / VarPop, Critical);
  C->SetVarPop(VarPop);
  C->UpdateStats();
  EXPECT_EQ(C->GetTestStatistic(), C->GetCriticalValue1());
  EXPECT_FALSE(C->GetRejected());
  C->SetVarPop(std::nextafter(VarPop, 0.0L));  // the statistic one step above
  C->UpdateStats();
  EXPECT_TRUE(C->GetRejected());
}

TEST(HypVar, TwoTailedPValueFoldsTheUpperTail) {
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TZYMDBHypVar>(D);
  // Put the statistic where the upper tail probability G is 0.8: p = 2 (1 - G) = 0.4.
  C->SetVarPop(4 * 2.5L / zymqix::InvChiSquareGreater(0.8L, 4));
  C->UpdateStats();
  EXPECT_NEAR(C->GetPValue(), 0.4L, 1e-15L);
  C->SetVarPop(4 * 2.5L / zymqix::InvChiSquareGreater(0.2L, 4));
  C->UpdateStats();
  EXPECT_NEAR(C->GetPValue(), 0.4L, 1e-15L);
}

// ---- shared: counts, guards, properties

template <class T>
class HypBoth : public ::testing::Test {};
using HypTypes = ::testing::Types<TZYMDBHypMean, TZYMDBHypVar>;
TYPED_TEST_SUITE(HypBoth, HypTypes);

TYPED_TEST(HypBoth, NoValuesOrOneValue) {
  TypeParam Fresh(nullptr);
  EXPECT_EQ(Lines(Fresh.AnalysisDetails()), std::vector<std::string>{zymqix::rsVectorIsEmpty});
  EXPECT_EQ(Fresh.GetPValue(), 0);
  TStatsData D({7});
  auto C = Bound<TypeParam>(D);
  EXPECT_EQ(Lines(C->AnalysisDetails()),
            (std::vector<std::string>{L(zymqix::rsDSNoOfValues, "1"), zymqix::rsDSNEStdDev}));
  EXPECT_EQ(C->GetTestStatistic(), 0);
  EXPECT_FALSE(C->GetRejected());
}

TYPED_TEST(HypBoth, ConfidenceOutsideZeroToHundredRaisesAndTheReportSaysWhy) {
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TypeParam>(D);
  for (Extended Bad : {0.0L, 100.0L, -5.0L, 150.0L}) {
    C->SetConfidence(Bad);
    try {
      C->UpdateStats();
      ADD_FAILURE() << Bad << ": no error";
    } catch (const vcl::EMathError& E) {
      EXPECT_EQ(E.Message().rfind(zymqix::rsConfidenceRange, 0), 0u) << E.Message();
    }
    EXPECT_EQ(C->GetPValue(), 0);
    EXPECT_FALSE(C->GetRejected());
    auto R = Lines(C->AnalysisDetails());
    ASSERT_EQ(R.size(), 2u);
    EXPECT_EQ(R[1], C->GetFailure());
  }
  C->SetConfidence(95);
  C->UpdateStats();
  EXPECT_EQ(C->GetFailure(), "");
  EXPECT_GT(Lines(C->AnalysisDetails()).size(), 10u);
}

TYPED_TEST(HypBoth, UpdateLockIsOneFlagEndedByTheReport) {
  TStatsData D({1, 2, 3, 4, 5});
  auto C = Bound<TypeParam>(D);
  const int ConfidenceLine = std::is_same_v<TypeParam, TZYMDBHypVar> ? 2 : 3;
  const int IntervalLine = ConfidenceLine + 2;
  std::string Interval95 = Lines(C->AnalysisDetails())[IntervalLine];
  C->BeginUpdate();
  C->BeginUpdate();
  C->SetConfidence(0);  // would fail, but the lock keeps UpdateStats away
  EXPECT_NO_THROW(C->UpdateStats());
  C->SetConfidence(90);
  auto R = Lines(C->AnalysisDetails());  // ends the lock and recomputes at 90
  EXPECT_EQ(R[ConfidenceLine], L(zymqix::rsDSConfidence, "90.0000%"));
  std::string Interval90 = R[IntervalLine];
  EXPECT_NE(Interval90, Interval95);
  C->SetConfidence(95);
  C->UpdateStats();  // no lock left despite two BeginUpdate calls
  EXPECT_EQ(Lines(C->AnalysisDetails())[IntervalLine], Interval95);
}

TYPED_TEST(HypBoth, PublishedPropertiesAndDefaults) {
  TypeParam C(nullptr);
  const vcl::TClassInfo& Info = TypeParam::StaticClassInfo();
  EXPECT_EQ(C.GetAltHypType(), TZYMAltHypType::ahtNotEqual);
  EXPECT_EQ(C.GetConfidence(), 95);
  EXPECT_EQ(C.GetDecimalPlaces(), 4);
  EXPECT_TRUE(Info.FindProperty("AltHypType")->IsDefault(&C));
  EXPECT_EQ(vcl::GetEnumProp(&C, "AltHypType"), "ahtNotEqual");
  const vcl::TPropInfo* Conf = Info.FindProperty("Confidence");
  EXPECT_FALSE(Conf->Default.has_value());
  EXPECT_TRUE(Conf->IsStored(&C));
  C.SetConfidence(0);
  EXPECT_FALSE(Conf->IsStored(&C));
  EXPECT_FALSE(Info.FindProperty("Version")->IsStored(&C));
  EXPECT_EQ(Info.FindProperty("Population"), nullptr);
}

TEST(HypProperties, MeanPopAndVarPopAreWrittenWhenNotZero) {
  TZYMDBHypMean M(nullptr);
  const vcl::TPropInfo* MeanPop = TZYMDBHypMean::StaticClassInfo().FindProperty("MeanPop");
  EXPECT_EQ(M.GetMeanPop(), 0);
  EXPECT_FALSE(MeanPop->IsStored(&M));
  M.SetMeanPop(2.5L);
  EXPECT_TRUE(MeanPop->IsStored(&M));
  TZYMDBHypVar V(nullptr);
  const vcl::TPropInfo* VarPop = TZYMDBHypVar::StaticClassInfo().FindProperty("VarPop");
  EXPECT_EQ(V.GetVarPop(), 1);
  EXPECT_TRUE(VarPop->IsStored(&V));
  EXPECT_EQ(TZYMDBHypVar::StaticClassInfo().FindProperty("MeanPop"), nullptr);
}

// ---- guards of the divisions

TEST(HypGuards, EqualValuesCannotBeTestedForTheirMean) {
  TStatsData D({4, 4, 4});
  TZYMDBHypMean C(nullptr);
  C.SetDataSource(D.Source);
  C.SetDataField("X");
  try {
    C.RefreshStats();
    FAIL() << "no error";
  } catch (const vcl::EMathError& E) {
    EXPECT_EQ(E.Message(), zymqix::rsStdDev);
  }
  EXPECT_EQ(C.GetNoOfValues(), 3);
  EXPECT_EQ(C.GetTestStatistic(), 0);
  EXPECT_EQ(Lines(C.AnalysisDetails()),
            (std::vector<std::string>{L(zymqix::rsDSNoOfValues, "3"), zymqix::rsStdDev}));
}

TEST(HypGuards, VarPopMustBePositive) {
  TStatsData D({1, 2, 3});
  auto C = Bound<TZYMDBHypVar>(D);
  for (Extended Bad : {0.0L, -1.0L}) {
    C->SetVarPop(Bad);
    try {
      C->UpdateStats();
      ADD_FAILURE() << Bad;
    } catch (const vcl::EMathError& E) {
      EXPECT_EQ(E.Message().rfind(zymqix::rsVarPopNotPos, 0), 0u);
    }
    EXPECT_EQ(C->GetTestStatistic(), 0);
  }
  // Equal values are a legitimate sample for a variance test: s^2 = 0.
  TStatsData Equal({4, 4, 4});
  auto E = Bound<TZYMDBHypVar>(Equal);
  EXPECT_EQ(E->GetTestStatistic(), 0);
  EXPECT_TRUE(E->GetRejected());  // 0 lies below the lower critical value
}
