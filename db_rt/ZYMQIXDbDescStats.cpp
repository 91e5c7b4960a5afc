#include "db_rt/ZYMQIXDbDescStats.h"

#include <cmath>

#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXNumConv.h"

namespace zymqix {

TZYMDBDescStats::TZYMDBDescStats(vcl::TComponent* AOwner) : vcl::TComponent(AOwner), FBinding(this) {
  UpdateStats();
}

TZYMDBDescStats::~TZYMDBDescStats() {
  FBinding.Release();
  FValues.clear();
  FSorted.clear();
  FUpdating = false;
}

void TZYMDBDescStats::Loaded() { vcl::TComponent::Loaded(); }

void TZYMDBDescStats::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
  vcl::TComponent::Notification(AComponent, Operation);
  FBinding.Notification(AComponent, Operation);
}

std::string TZYMDBDescStats::GetDataField() const { return FBinding.Link()->GetFieldName(); }

void TZYMDBDescStats::SetDataField(const std::string& Value) { FBinding.Link()->SetFieldName(Value); }

vcl::TDataSource* TZYMDBDescStats::GetDataSource() const { return FBinding.GetDataSource(); }

void TZYMDBDescStats::SetDataSource(vcl::TDataSource* Value) { FBinding.SetDataSource(Value); }

vcl::TField* TZYMDBDescStats::GetField() const { return FBinding.Link()->GetField(); }

void TZYMDBDescStats::SetPopulation(bool Value) {
  if (Value == FPopulation) return;
  FPopulation = Value;
  UpdateStats();
}

void TZYMDBDescStats::ConvertItems() { CopyFieldValues(FBinding, FValues); }

void TZYMDBDescStats::ClearResults() {
  FMaximum = FMinimum = FSum = FSumSq = FMean = FMedian = FMode = 0;
  FHasMode = false;
  FVariance = FStdDev = FKurtosis = FSkew = FQuartile1 = FQuartile3 = FIQR = 0;
}

void TZYMDBDescStats::UpdateStats() {
  if (FUpdating) return;
  size_t Count = FValues.size();
  if (Count == 0) {
    ClearResults();
    FSorted.clear();
    return;
  }
  Extended N = static_cast<Extended>(Count);
  FSorted = Vector2FloatVector(FValues);
  QSortVector(FSorted);
  FSum = SumVector(FValues);
  FSumSq = SumSqVector(FValues);
  FMean = FSum / N;
  Extended D = SumSqDiffVector(FValues, FMean);
  if (FPopulation)
    FVariance = D / N;
  else
    FVariance = Count > 1 ? D / (N - 1) : 0;
  FStdDev = std::sqrt(FVariance);
  FMedian = zymqix::GetMedian(FSorted);
  FHasMode = zymqix::GetMode(FSorted, FMode);
  if (!FHasMode) FMode = 0;
  FMinimum = FSorted.front();
  FMaximum = FSorted.back();
  bool Spread = !FloatIsZero(FStdDev);
  if (Count > 3 && Spread)
    FKurtosis = FPopulation ? GetPopulationKurtosis(FValues, FMean, FStdDev) : GetSampleKurtosis(FValues, FMean, FStdDev);
  else
    FKurtosis = 0;
  if (Count > 2 && Spread)
    FSkew = FPopulation ? GetPopulationSkew(FValues, FMean, FStdDev) : GetSampleSkew(FValues, FMean, FStdDev);
  else
    FSkew = 0;
  GetQuartiles(FSorted, FQuartile1, FQuartile3);
  FIQR = FQuartile3 - FQuartile1;
}

void TZYMDBDescStats::RefreshStats() {
  ConvertItems();
  UpdateStats();
}

void TZYMDBDescStats::EndUpdate() {
  FUpdating = false;
  UpdateStats();
}

vcl::TStringList* TZYMDBDescStats::DescStats() {
  if (FUpdating) EndUpdate();
  auto* List = new vcl::TStringList;
  if (FValues.empty()) {
    List->Add(rsVectorIsEmpty);
    return List;
  }
  auto Line = [&](const char* Label, const std::string& Value) { List->Add(std::string(Label) + "\t" + Value); };
  auto Real = [&](Extended V) { return Float2EStr(V, FDecimalPlaces); };
  size_t Count = FValues.size();
  Line(rsDSNoOfValues, Int2EStr(static_cast<vcl::Int64>(Count)));
  Line(rsDSMaximum, Real(FMaximum));
  Line(rsDSMinimum, Real(FMinimum));
  Line(rsDSRange, Real(FMaximum - FMinimum));
  Line(rsDSSum, Real(FSum));
  Line(rsDSSumSQ, Real(FSumSq));
  Line(rsDSMean, Real(FMean));
  if (FHasMode)
    Line(rsDSMode, Real(FMode));
  else
    List->Add(rsDSNoMode);
  Line(rsDSMedian, Real(FMedian));
  if (FPopulation || Count != 1) {
    Line(rsDSVariance, Real(FVariance));
    Line(rsDSStdDev, Real(FStdDev));
  } else {
    List->Add(rsDSNEVariance);
    List->Add(rsDSNEStdDev);
  }
  if (Count < 4)
    List->Add(rsDSNEKurtosis);
  else if (FloatIsZero(FStdDev))
    List->Add(rsDSSDKurtosis);
  else
    Line(rsDSKurtosis, Real(FKurtosis));
  if (Count < 3)
    List->Add(rsDSNESkew);
  else if (FloatIsZero(FStdDev))
    List->Add(rsDSSDSkew);
  else
    Line(rsDSSkew, Real(FSkew));
  Line(rsDSQtr1, Real(FQuartile1));
  Line(rsDSQtr3, Real(FQuartile3));
  Line(rsDSIQR, Real(FIQR));
  return List;
}

VCL_REGISTER_CLASS(TZYMDBDescStats, vcl::TComponent) {
  using C = TZYMDBDescStats;
  b.Property("DataField", &C::GetDataField, &C::SetDataField).Default(std::string());
  b.Property("DataSource", &C::GetDataSource, &C::SetDataSource).Default(static_cast<vcl::TDataSource*>(nullptr));
  b.Property("DecimalPlaces", &C::GetDecimalPlaces, &C::SetDecimalPlaces).Default(ZYMDefaultStatsDecimals);
  // No declared default: Population is always written.
  b.Property("Population", &C::GetPopulation, &C::SetPopulation);
  b.Property("Version", &C::GetVersion, &C::SetVersion).Stored(false);
}

}  // namespace zymqix
