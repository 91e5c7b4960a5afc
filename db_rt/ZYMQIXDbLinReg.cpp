#include "db_rt/ZYMQIXDbLinReg.h"

#include <algorithm>
#include <cmath>

#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXNumConv.h"

namespace zymqix {

namespace {

bool AllEqual(const TZYMFloatVector& V) {
  auto [Lo, Hi] = std::minmax_element(V.begin(), V.end());
  return *Lo == *Hi;
}

}  // namespace

TZYMDbLinReg::TZYMDbLinReg(vcl::TComponent* AOwner) : vcl::TComponent(AOwner), FBinding(this) { UpdateStats(); }

TZYMDbLinReg::~TZYMDbLinReg() {
  FBinding.Release();
  FX.clear();
  FY.clear();
}

void TZYMDbLinReg::Loaded() { vcl::TComponent::Loaded(); }

void TZYMDbLinReg::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
  vcl::TComponent::Notification(AComponent, Operation);
  FBinding.Notification(AComponent, Operation);
}

vcl::TDataSource* TZYMDbLinReg::GetDataSource() const { return FBinding.GetDataSource(); }
void TZYMDbLinReg::SetDataSource(vcl::TDataSource* Value) { FBinding.SetDataSource(Value); }

void TZYMDbLinReg::ConvertItems() {
  vcl::TDataSet* DataSet = RequireOpenDataSet(GetDataSource());
  auto N = static_cast<size_t>(std::max(DataSet->GetRecordCount(), 0));
  // Gathered aside so that a failure leaves the held pairs whole.
  TZYMFloatVector X(N), Y(N);
  CopyRecords(DataSet, [&](size_t I) {
    X[I] = ReadExtended(DataSet->FieldByName(FXDataField));
    Y[I] = ReadExtended(DataSet->FieldByName(FYDataField));
  });
  FX.swap(X);
  FY.swap(Y);
}

void TZYMDbLinReg::ClearResults() {
  FIntercept = FSlope = FSSE = FCoeffDet = FCoeffCor = 0;
  FMeanX = FStdDevX = FMeanY = FStdDevY = FCovariance = 0;
}

void TZYMDbLinReg::UpdateStats() {
  if (FUpdating) return;
  FFailure.clear();
  size_t Count = FX.size();
  if (Count <= 1) {
    ClearResults();
    return;
  }
  const char* Failure = AllEqual(FX) ? rsXValuesEqual : AllEqual(FY) ? rsYValuesEqual : nullptr;
  if (Failure) {
    ClearResults();
    FFailure = Failure;
    throw vcl::EMathError(Failure);
  }
  Extended N = static_cast<Extended>(Count);
  Extended Sx = SumVector(FX);
  Extended Sy = SumVector(FY);
  FMeanX = Sx / N;
  FMeanY = Sy / N;
  // About the means rather than the origin: Sxx - Sx^2/n cancels away the
  // digits of data whose spread is small beside their distance from zero.
  Extended SSx = SumSqDiffVector(FX, FMeanX);
  Extended SSy = SumSqDiffVector(FY, FMeanY);
  Extended SPxy = SumProdDiffVectors(FX, FY, FMeanX, FMeanY);
  FStdDevX = std::sqrt(SSx / (N - 1));
  FStdDevY = std::sqrt(SSy / (N - 1));
  FCovariance = SPxy / (N - 1);
  FSlope = SPxy / SSx;
  FIntercept = (Sy - FSlope * Sx) / N;
  FSSE = zymqix::GetSSE(FX, FY, FIntercept, FSlope);
  FCoeffCor = FCovariance / (FStdDevX * FStdDevY);
  FCoeffDet = FCoeffCor * FCoeffCor;
}

void TZYMDbLinReg::RefreshStats() {
  ConvertItems();
  UpdateStats();
}

void TZYMDbLinReg::EndUpdate() {
  FUpdating = false;
  UpdateStats();
}

vcl::TStringList* TZYMDbLinReg::AnalysisDetails() {
  if (FUpdating) EndUpdate();
  auto* List = new vcl::TStringList;
  if (FX.empty()) {
    List->Add(rsVectorIsEmpty);
    return List;
  }
  auto Real = [&](Extended V) { return Float2EStr(V, FDecimalPlaces); };
  auto Line = [&](const char* Label, const std::string& Value) { List->Add(std::string(Label) + "\t" + Value); };
  Line(rsDSNoOfValues, Int2EStr(static_cast<vcl::Int64>(FX.size())));
  if (!FFailure.empty()) {
    List->Add(FFailure);
    return List;
  }
  Line(rsDSMeanX, Real(FMeanX));
  Line(rsDSStdDevX, Real(FStdDevX));
  Line(rsDSMeanY, Real(FMeanY));
  Line(rsDSStdDevY, Real(FStdDevY));
  Line(rsDSCovar, Real(FCovariance));
  Line(rsDSRegressionLine, "Y = " + Real(FIntercept) + " + " + Real(FSlope) + " * X");
  Line(rsDSSSE, Real(FSSE));
  Line(rsDSCoeffDet, Real(FCoeffDet));
  Line(rsDSCoeffCor, Real(FCoeffCor));
  return List;
}

VCL_REGISTER_CLASS(TZYMDbLinReg, vcl::TComponent) {
  using C = TZYMDbLinReg;
  b.Property("DataFieldX", &C::GetXDataField, &C::SetXDataField).Default(std::string());
  b.Property("DataFieldY", &C::GetYDataField, &C::SetYDataField).Default(std::string());
  b.Property("DataSource", &C::GetDataSource, &C::SetDataSource).Default(static_cast<vcl::TDataSource*>(nullptr));
  b.Property("DecimalPlaces", &C::GetDecimalPlaces, &C::SetDecimalPlaces).Default(ZYMDefaultStatsDecimals);
  b.Property("Version", &C::GetVersion, &C::SetVersion).Stored(false);
}

}  // namespace zymqix
