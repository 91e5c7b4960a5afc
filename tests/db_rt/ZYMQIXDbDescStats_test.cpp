#include "db_rt/ZYMQIXDbDescStats.h"

#include <gtest/gtest.h>

#include <memory>

#include "StatsTestData.h"
#include "rt/ZYMQIXConsts.h"

using stats_test::TStatsData;
using zymqix::TZYMDBDescStats;

namespace {

std::vector<std::string> Lines(vcl::TStringList* List) {
  std::unique_ptr<vcl::TStringList> Owned(List);
  return Owned->ToVector();
}

std::string L(const char* Label, const std::string& Value) { return std::string(Label) + "\t" + Value; }

/// A component bound to field X of the data, refreshed.
std::unique_ptr<TZYMDBDescStats> Bound(TStatsData& D, bool Population = false) {
  auto C = std::make_unique<TZYMDBDescStats>(nullptr);
  C->SetDataSource(D.Source);
  C->SetDataField("X");
  C->SetPopulation(Population);
  C->RefreshStats();
  return C;
}

}  // namespace

// ---- results and report lines

TEST(DescStatsReport, WorkedExampleAsAPopulation) {
  TStatsData D({2, 4, 4, 4, 5, 5, 7, 9});
  auto C = Bound(D, true);
  EXPECT_EQ(C->GetSum(), 40);
  EXPECT_EQ(C->GetSumSq(), 232);
  EXPECT_EQ(C->GetMean(), 5);
  EXPECT_EQ(C->GetVariance(), 4);
  EXPECT_EQ(C->GetStdDev(), 2);
  EXPECT_EQ(Lines(C->DescStats()),
            (std::vector<std::string>{
                L(zymqix::rsDSNoOfValues, "8"), L(zymqix::rsDSMaximum, "9.0000"), L(zymqix::rsDSMinimum, "2.0000"),
                L(zymqix::rsDSRange, "7.0000"), L(zymqix::rsDSSum, "40.0000"), L(zymqix::rsDSSumSQ, "232.0000"),
                L(zymqix::rsDSMean, "5.0000"), L(zymqix::rsDSMode, "4.0000"), L(zymqix::rsDSMedian, "4.5000"),
                L(zymqix::rsDSVariance, "4.0000"), L(zymqix::rsDSStdDev, "2.0000"),
                L(zymqix::rsDSKurtosis, "-0.2188"), L(zymqix::rsDSSkew, "0.6563"), L(zymqix::rsDSQtr1, "4.0000"),
                L(zymqix::rsDSQtr3, "5.5000"), L(zymqix::rsDSIQR, "1.5000")}));
}

TEST(DescStatsReport, WorkedExampleAsASample) {
  TStatsData D({2, 4, 4, 4, 5, 5, 7, 9});
  auto C = Bound(D);
  EXPECT_NEAR(C->GetVariance(), 32.0L / 7, 1e-17L);
  auto R = Lines(C->DescStats());
  ASSERT_EQ(R.size(), 16u);
  EXPECT_EQ(R[9], L(zymqix::rsDSVariance, "4.5714"));
  EXPECT_EQ(R[11], L(zymqix::rsDSKurtosis, "0.9406"));
  EXPECT_EQ(R[12], L(zymqix::rsDSSkew, "0.8185"));
}

TEST(DescStatsReport, NoValues) {
  TStatsData D(std::vector<std::optional<double>>{});
  auto C = Bound(D);
  EXPECT_EQ(Lines(C->DescStats()), std::vector<std::string>{zymqix::rsVectorIsEmpty});
  EXPECT_EQ(C->GetMean(), 0);
  EXPECT_EQ(C->GetMaximum(), 0);
  EXPECT_FALSE(C->GetHasMode());
  TZYMDBDescStats Fresh(nullptr);
  EXPECT_EQ(Lines(Fresh.DescStats()), std::vector<std::string>{zymqix::rsVectorIsEmpty});
}

TEST(DescStatsReport, OneValueAsASampleOrAPopulation) {
  TStatsData D({3.5});
  auto Sample = Bound(D, false);
  EXPECT_EQ(Sample->GetVariance(), 0);
  EXPECT_EQ(Lines(Sample->DescStats()),
            (std::vector<std::string>{L(zymqix::rsDSNoOfValues, "1"), L(zymqix::rsDSMaximum, "3.5000"),
                                      L(zymqix::rsDSMinimum, "3.5000"), L(zymqix::rsDSRange, "0.0000"),
                                      L(zymqix::rsDSSum, "3.5000"), L(zymqix::rsDSSumSQ, "12.2500"),
                                      L(zymqix::rsDSMean, "3.5000"), zymqix::rsDSNoMode,
                                      L(zymqix::rsDSMedian, "3.5000"), zymqix::rsDSNEVariance, zymqix::rsDSNEStdDev,
                                      zymqix::rsDSNEKurtosis, zymqix::rsDSNESkew, L(zymqix::rsDSQtr1, "3.5000"),
                                      L(zymqix::rsDSQtr3, "3.5000"), L(zymqix::rsDSIQR, "0.0000")}));
  auto Population = Bound(D, true);
  auto R = Lines(Population->DescStats());
  ASSERT_EQ(R.size(), 16u);
  EXPECT_EQ(R[9], L(zymqix::rsDSVariance, "0.0000"));
  EXPECT_EQ(R[10], L(zymqix::rsDSStdDev, "0.0000"));
  EXPECT_EQ(R[11], zymqix::rsDSNEKurtosis);
  EXPECT_EQ(R[12], zymqix::rsDSNESkew);
}

TEST(DescStatsReport, EqualValuesHaveNoShapeMeasures) {
  TStatsData D({6, 6, 6, 6});
  auto C = Bound(D);
  auto R = Lines(C->DescStats());
  EXPECT_EQ(R[7], L(zymqix::rsDSMode, "6.0000"));
  EXPECT_EQ(R[11], zymqix::rsDSSDKurtosis);
  EXPECT_EQ(R[12], zymqix::rsDSSDSkew);
  EXPECT_EQ(C->GetKurtosis(), 0);
}

TEST(DescStatsReport, ThreeValuesHaveASkewButNoKurtosis) {
  TStatsData D({1, 2, 6});
  auto R = Lines(Bound(D)->DescStats());
  EXPECT_EQ(R[11], zymqix::rsDSNEKurtosis);
  EXPECT_EQ(R[12].rfind(std::string(zymqix::rsDSSkew) + "\t", 0), 0u) << R[12];
}

TEST(DescStatsReport, DecimalPlacesZeroLeavesTheCountAlone) {
  TStatsData D({1000, 2001.6, 3000});
  auto C = Bound(D);
  C->SetDecimalPlaces(0);
  auto R = Lines(C->DescStats());
  EXPECT_EQ(R[0], L(zymqix::rsDSNoOfValues, "3"));
  EXPECT_EQ(R[1], L(zymqix::rsDSMaximum, "3000"));
  EXPECT_EQ(R[6], L(zymqix::rsDSMean, "2001"));
}

// ---- life cycle

TEST(DescStatsLifeCycle, PopulationRecomputesFromTheHeldValuesOnlyOnAChange) {
  TStatsData D({2, 4, 4, 4, 5, 5, 7, 9});
  auto C = Bound(D);
  D.DataSet->Close();  // the values are held; the dataset is not read again
  C->SetPopulation(true);
  EXPECT_EQ(C->GetVariance(), 4);
  C->SetPopulation(true);
  EXPECT_EQ(C->GetVariance(), 4);
  C->SetPopulation(false);
  EXPECT_NEAR(C->GetVariance(), 32.0L / 7, 1e-17L);
}

TEST(DescStatsLifeCycle, UpdateLockIsOneFlagAndTheReportEndsIt) {
  TStatsData D({2, 4, 4, 4, 5, 5, 7, 9});
  auto C = Bound(D);
  C->BeginUpdate();
  C->BeginUpdate();
  C->SetPopulation(true);
  EXPECT_TRUE(C->GetPopulation());
  EXPECT_NEAR(C->GetVariance(), 32.0L / 7, 1e-17L);  // locked: not recomputed
  auto R = Lines(C->DescStats());                    // ends the lock first
  EXPECT_EQ(R[9], L(zymqix::rsDSVariance, "4.0000"));
  C->SetPopulation(false);  // no lock left despite two BeginUpdate calls
  EXPECT_NEAR(C->GetVariance(), 32.0L / 7, 1e-17L);
  C->BeginUpdate();
  C->SetPopulation(true);
  C->EndUpdate();
  EXPECT_EQ(C->GetVariance(), 4);
}

TEST(DescStatsLifeCycle, DoesNotFollowTheDataset) {
  TStatsData D({1, 2, 3});
  auto C = Bound(D);
  D.DataSet->Append();
  D.DataSet->FieldByName("X")->SetAsFloat(100);
  D.DataSet->Post();
  EXPECT_EQ(C->GetNoOfValues(), 3);
  EXPECT_EQ(C->GetMaximum(), 3);
  C->RefreshStats();
  EXPECT_EQ(C->GetNoOfValues(), 4);
  EXPECT_EQ(C->GetMaximum(), 100);
}

TEST(DescStatsLifeCycle, ConvertItemsReadsRecordCountRecordsAndLeavesTheCursorAfterThem) {
  TStatsData D({1, std::nullopt, 3});
  auto C = Bound(D);
  EXPECT_EQ(C->GetValues(), (zymqix::TZYMFloatVector{1, 0, 3}));  // null reads as 0
  EXPECT_TRUE(D.DataSet->Eof());
  EXPECT_EQ(D.DataSet->GetBookmarkCount(), 0);
}

TEST(DescStatsLifeCycle, RemovingTheDataSourceDropsItButKeepsTheValues) {
  TStatsData D({1, 2, 3});
  auto C = Bound(D);
  delete D.Source;
  D.Source = nullptr;
  EXPECT_EQ(C->GetDataSource(), nullptr);
  EXPECT_EQ(C->GetNoOfValues(), 3);
  EXPECT_EQ(C->GetMean(), 2);
}

TEST(DescStatsLifeCycle, FieldIsTheLinksResolvedField) {
  TStatsData D({1});
  TZYMDBDescStats C(nullptr);
  EXPECT_EQ(C.GetField(), nullptr);
  C.SetDataSource(D.Source);
  C.SetDataField("X");
  EXPECT_EQ(C.GetField(), D.DataSet->FieldByName("X"));
  EXPECT_EQ(C.GetDataField(), "X");
}

// ---- failures

TEST(DescStatsFailures, UnusableSourcesRaiseEDatabaseError) {
  TZYMDBDescStats C(nullptr);
  EXPECT_THROW(C.RefreshStats(), vcl::EDatabaseError);  // no data source
  TStatsData D({1, 2});
  C.SetDataSource(D.Source);
  try {
    C.RefreshStats();
    FAIL() << "no field named";
  } catch (const vcl::EDatabaseError& E) {
    EXPECT_EQ(E.Message(), zymqix::rsNoDataField);
  }
  C.SetDataField("X");
  D.DataSet->Close();
  try {
    C.RefreshStats();
    FAIL() << "closed dataset";
  } catch (const vcl::EDatabaseError& E) {
    EXPECT_EQ(E.Message(), zymqix::rsDataSetClosed);
  }
}

TEST(DescStatsFailures, AFailingRecordLeavesValuesAndResultsAsTheyWere) {
  TStatsData D({{"X", vcl::ftString}}, {{"1"}, {"2"}, {"3"}});
  auto C = Bound(D);
  ASSERT_EQ(C->GetMean(), 2);
  D.DataSet->Append();
  D.DataSet->FieldByName("X")->SetAsString("oops");
  D.DataSet->Post();
  EXPECT_THROW(C->RefreshStats(), vcl::EConvertError);
  EXPECT_EQ(C->GetValues(), (zymqix::TZYMFloatVector{1, 2, 3}));
  C->SetPopulation(true);  // recomputes from the held values, which are whole
  EXPECT_EQ(C->GetMean(), 2);
  EXPECT_NEAR(C->GetVariance(), 2.0L / 3, 1e-17L);
}

TEST(DescStatsFailures, DatasetEndingBeforeItsRecordCountRaises) {
  // A scroll handler that deletes the last record shortens the dataset under
  // the walk, after the count was taken.
  TStatsData D({1, 2, 3, 4});
  TZYMDBDescStats C(nullptr);
  C.SetDataSource(D.Source);
  C.SetDataField("X");
  bool Deleted = false;
  D.DataSet->SetAfterScroll([&](vcl::TDataSet* DS) {
    if (Deleted || DS->GetRecNo() != 2) return;
    Deleted = true;
    DS->Last();
    DS->Delete();
    DS->SetRecNo(2);
  });
  try {
    C.RefreshStats();
    FAIL() << "no error";
  } catch (const vcl::EDatabaseError& E) {
    EXPECT_EQ(E.Message().rfind(zymqix::rsFewerRecords, 0), 0u) << E.Message();
  }
  EXPECT_EQ(C.GetNoOfValues(), 0);
}

// ---- published properties

TEST(DescStatsProperties, PublishedInOrderWithTheirDefaults) {
  const vcl::TClassInfo& Info = TZYMDBDescStats::StaticClassInfo();
  std::vector<std::string> Names;
  for (const vcl::TPropInfo* P : Info.Properties()) Names.push_back(P->Name);
  EXPECT_EQ(std::vector<std::string>(Names.end() - 5, Names.end()),
            (std::vector<std::string>{"DataField", "DataSource", "DecimalPlaces", "Population", "Version"}));
  TZYMDBDescStats C(nullptr);
  EXPECT_EQ(C.GetDecimalPlaces(), 4);
  EXPECT_TRUE(Info.FindProperty("DecimalPlaces")->IsDefault(&C));
  EXPECT_TRUE(Info.FindProperty("DataField")->IsDefault(&C));
  EXPECT_FALSE(Info.FindProperty("Population")->Default.has_value());  // always written
  const vcl::TPropInfo* Version = Info.FindProperty("Version");
  EXPECT_FALSE(Version->IsStored(&C));
  vcl::SetStrProp(&C, "Version", "9.9");
  EXPECT_EQ(vcl::GetStrProp(&C, "Version"), "2.0.0");
}
