#include "db_rt/ZYMQIXDbHypAnal.h"

#include <algorithm>
#include <cmath>

#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXNumConv.h"

namespace zymqix {

namespace {

int Ordinal(TZYMAltHypType T) { return static_cast<int>(T); }

/// The operator text of the alternative hypothesis ("" for an unknown kind).
const char* AltOperator(TZYMAltHypType T) {
  switch (Ordinal(T)) {
    case 0: return "< ";
    case 1: return "> ";
    case 2: return "<> ";
  }
  return "";
}

/// alpha := 1 - Confidence / 100, once Confidence is known to leave a probability in (0, 1).
Extended Alpha(Extended Confidence) {
  if (!(Confidence > 0 && Confidence < 100)) throw vcl::EMathError(rsConfidenceRange + vcl::FloatToStr(Confidence));
  return 1 - Confidence / 100;
}

/// The report lines both tests share up to the count; answers whether the
/// report goes on (two or more values and a computed test).
bool ReportStart(vcl::TStringList* List, size_t Count, const std::string& Failure) {
  if (Count == 0) {
    List->Add(rsVectorIsEmpty);
    return false;
  }
  List->Add(std::string(rsDSNoOfValues) + "\t" + Int2EStr(static_cast<vcl::Int64>(Count)));
  if (Count == 1) {
    List->Add(rsDSNEStdDev);
    return false;
  }
  if (!Failure.empty()) {
    List->Add(Failure);
    return false;
  }
  return true;
}

void ReportVerdict(vcl::TStringList* List, bool Rejected) {
  List->Add(Rejected ? rsRejected : rsNotRejected);
  List->Add(Rejected ? rsRejectReason : rsNotRejectReason);
}

/// Runs a computation that may fail; on failure the results are cleared, the
/// reason kept for the report, and the error passed on.
template <class Clear, class Compute>
void Guarded(std::string& Failure, Clear ClearResults, Compute Run) {
  Failure.clear();
  try {
    Run();
  } catch (const vcl::Exception& E) {
    ClearResults();
    Failure = E.Message();
    throw;
  }
}

}  // namespace

// ---------------------------------------------------------------- TZYMDBHypMean

TZYMDBHypMean::TZYMDBHypMean(vcl::TComponent* AOwner) : vcl::TComponent(AOwner), FBinding(this) { UpdateStats(); }

TZYMDBHypMean::~TZYMDBHypMean() {
  FBinding.Release();
  FValues.clear();
  FUpdating = false;
}

void TZYMDBHypMean::Loaded() { vcl::TComponent::Loaded(); }

void TZYMDBHypMean::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
  vcl::TComponent::Notification(AComponent, Operation);
  FBinding.Notification(AComponent, Operation);
}

std::string TZYMDBHypMean::GetDataField() const { return FBinding.Link()->GetFieldName(); }
void TZYMDBHypMean::SetDataField(const std::string& Value) { FBinding.Link()->SetFieldName(Value); }
vcl::TDataSource* TZYMDBHypMean::GetDataSource() const { return FBinding.GetDataSource(); }
void TZYMDBHypMean::SetDataSource(vcl::TDataSource* Value) { FBinding.SetDataSource(Value); }
vcl::TField* TZYMDBHypMean::GetField() const { return FBinding.Link()->GetField(); }

void TZYMDBHypMean::ConvertItems() { CopyFieldValues(FBinding, FValues); }

void TZYMDBHypMean::ClearResults() {
  FMean = FStdDev = FT = FPValue = FCritical = FLower = FUpper = 0;
  FRejected = false;
}

void TZYMDBHypMean::UpdateStats() {
  if (FUpdating) return;
  FFailure.clear();
  size_t Count = FValues.size();
  if (Count <= 1) {
    ClearResults();
    return;
  }
  Guarded(FFailure, [this] { ClearResults(); }, [&] {
    Extended A = Alpha(FConfidence);
    auto DF = static_cast<Cardinal>(Count - 1);
    Extended N = static_cast<Extended>(Count);
    // Equal values have no spread to divide by; asking the data rather than a
    // tolerance keeps data of any scale testable.
    auto [Lo, Hi] = std::minmax_element(FValues.begin(), FValues.end());
    if (*Lo == *Hi) throw vcl::EMathError(rsStdDev);
    Extended Variance = 0, Mean = 0;
    SampleVarianceAndMean(FValues, Variance, Mean);
    Extended S = std::sqrt(Variance);
    Extended T1 = InvStudentTGreater(A, DF);
    Extended T2 = InvStudentTGreater(A / 2, DF);
    Extended StdErr = S / std::sqrt(N);
    FMean = Mean;
    FStdDev = S;
    FT = (Mean - FMeanPop) / StdErr;
    FLower = Mean - T2 * StdErr;
    FUpper = Mean + T2 * StdErr;
    switch (Ordinal(FAltHypType)) {
      case 0:
        FRejected = FT < -T1;
        FPValue = 1 - StudentTLess(-FT, DF);
        FCritical = -T1;
        break;
      case 1:
        FRejected = FT > T1;
        FPValue = 1 - StudentTLess(FT, DF);
        FCritical = T1;
        break;
      case 2:
        FRejected = std::fabs(FT) > T2;
        FPValue = 2 * (1 - StudentTLess(std::fabs(FT), DF));
        FCritical = T2;
        break;
      default:
        FRejected = false;
        FPValue = 0;
        FCritical = 0;
    }
  });
}

void TZYMDBHypMean::RefreshStats() {
  ConvertItems();
  UpdateStats();
}

void TZYMDBHypMean::EndUpdate() {
  FUpdating = false;
  UpdateStats();
}

vcl::TStringList* TZYMDBHypMean::AnalysisDetails() {
  if (FUpdating) EndUpdate();
  auto* List = new vcl::TStringList;
  if (!ReportStart(List, FValues.size(), FFailure)) return List;
  auto Real = [&](Extended V) { return Float2EStr(V, FDecimalPlaces); };
  auto Line = [&](const char* Label, const std::string& Value) { List->Add(std::string(Label) + "\t" + Value); };
  Line(rsDSMean, Real(FMean));
  Line(rsDSStdDev, Real(FStdDev));
  Line(rsDSConfidence, Real(FConfidence) + "%");
  Line(rsDSSignificance, Real(100 - FConfidence) + "%");
  Line(rsDSConfidenceIntervalM, "[" + Real(FLower) + ", " + Real(FUpper) + "]");
  Line(rsNullHypothesis, "X = " + Real(FMeanPop));
  Line(rsAlternateHypothesis, "X " + std::string(AltOperator(FAltHypType)) + Real(FMeanPop));
  Line(rsTestStatistic, Real(FT));
  Line(rsPValue, Real(FPValue));
  std::string Region;
  switch (Ordinal(FAltHypType)) {
    case 0: Region = "t < "; break;
    case 1: Region = "t > "; break;
    case 2: Region = "abs (t) > "; break;
  }
  Line(rsRejectionRegion, Region + Real(FCritical));
  ReportVerdict(List, FRejected);
  return List;
}

VCL_REGISTER_CLASS(TZYMDBHypMean, vcl::TComponent) {
  using C = TZYMDBHypMean;
  b.Property("DataField", &C::GetDataField, &C::SetDataField).Default(std::string());
  b.Property("DataSource", &C::GetDataSource, &C::SetDataSource).Default(static_cast<vcl::TDataSource*>(nullptr));
  b.Property("DecimalPlaces", &C::GetDecimalPlaces, &C::SetDecimalPlaces).Default(ZYMDefaultStatsDecimals);
  b.Property("AltHypType", &C::GetAltHypType, &C::SetAltHypType).Default(ZYMDefaultAltHypType);
  // MeanPop and Confidence declare no default: they are written whenever not 0.
  b.Property("MeanPop", &C::GetMeanPop, &C::SetMeanPop).Stored(&C::StoreMeanPop);
  b.Property("Confidence", &C::GetConfidence, &C::SetConfidence).Stored(&C::StoreConfidence);
  b.Property("Version", &C::GetVersion, &C::SetVersion).Stored(false);
}

// ---------------------------------------------------------------- TZYMDBHypVar

TZYMDBHypVar::TZYMDBHypVar(vcl::TComponent* AOwner) : vcl::TComponent(AOwner), FBinding(this) { UpdateStats(); }

TZYMDBHypVar::~TZYMDBHypVar() {
  FBinding.Release();
  FValues.clear();
  FUpdating = false;
}

void TZYMDBHypVar::Loaded() { vcl::TComponent::Loaded(); }

void TZYMDBHypVar::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
  vcl::TComponent::Notification(AComponent, Operation);
  FBinding.Notification(AComponent, Operation);
}

std::string TZYMDBHypVar::GetDataField() const { return FBinding.Link()->GetFieldName(); }
void TZYMDBHypVar::SetDataField(const std::string& Value) { FBinding.Link()->SetFieldName(Value); }
vcl::TDataSource* TZYMDBHypVar::GetDataSource() const { return FBinding.GetDataSource(); }
void TZYMDBHypVar::SetDataSource(vcl::TDataSource* Value) { FBinding.SetDataSource(Value); }
vcl::TField* TZYMDBHypVar::GetField() const { return FBinding.Link()->GetField(); }

void TZYMDBHypVar::ConvertItems() { CopyFieldValues(FBinding, FValues); }

void TZYMDBHypVar::ClearResults() {
  FVariance = FChi2 = FPValue = FCritical1 = FCritical2 = FLower = FUpper = 0;
  FRejected = false;
}

void TZYMDBHypVar::UpdateStats() {
  if (FUpdating) return;
  FFailure.clear();
  size_t Count = FValues.size();
  if (Count <= 1) {
    ClearResults();
    return;
  }
  Guarded(FFailure, [this] { ClearResults(); }, [&] {
    Extended A = Alpha(FConfidence);
    if (!(FVarPop > 0)) throw vcl::EMathError(rsVarPopNotPos + vcl::FloatToStr(FVarPop));
    auto DF = static_cast<Cardinal>(Count - 1);
    Extended Nu = static_cast<Extended>(DF);
    Extended S2 = SampleVariance(FValues);
    Extended CA = InvChiSquareGreater(A, DF);
    Extended CB = InvChiSquareGreater(1 - A, DF);
    Extended CC = InvChiSquareGreater(A / 2, DF);
    Extended CD = InvChiSquareGreater(1 - A / 2, DF);
    FVariance = S2;
    FChi2 = Nu * S2 / FVarPop;
    FLower = Nu * S2 / CC;
    FUpper = Nu * S2 / CD;
    Extended G = ChiSquareGreater(FChi2, DF);
    switch (Ordinal(FAltHypType)) {
      case 0:
        FRejected = FChi2 < CB;
        FPValue = 1 - G;
        FCritical1 = CB;
        FCritical2 = 0;
        break;
      case 1:
        FRejected = FChi2 > CA;
        FPValue = G;
        FCritical1 = CA;
        FCritical2 = 0;
        break;
      case 2:
        FRejected = FChi2 > CC || FChi2 < CD;
        FPValue = G < 0.5L ? 2 * G : 2 * (1 - G);
        FCritical1 = CC;
        FCritical2 = CD;
        break;
      default:
        FRejected = false;
        FPValue = 0;
        FCritical1 = FCritical2 = 0;
    }
  });
}

void TZYMDBHypVar::RefreshStats() {
  ConvertItems();
  UpdateStats();
}

void TZYMDBHypVar::EndUpdate() {
  FUpdating = false;
  UpdateStats();
}

vcl::TStringList* TZYMDBHypVar::AnalysisDetails() {
  if (FUpdating) EndUpdate();
  auto* List = new vcl::TStringList;
  if (!ReportStart(List, FValues.size(), FFailure)) return List;
  auto Real = [&](Extended V) { return Float2EStr(V, FDecimalPlaces); };
  auto Line = [&](const char* Label, const std::string& Value) { List->Add(std::string(Label) + "\t" + Value); };
  Line(rsDSVariance, Real(FVariance));
  Line(rsDSConfidence, Real(FConfidence) + "%");
  Line(rsDSSignificance, Real(100 - FConfidence) + "%");
  Line(rsDSConfidenceIntervalV, "[" + Real(FLower) + ", " + Real(FUpper) + "]");
  Line(rsNullHypothesis, "S^2 = " + Real(FVarPop));
  Line(rsAlternateHypothesis, "S^2 " + std::string(AltOperator(FAltHypType)) + Real(FVarPop));
  Line(rsTestStatistic, Real(FChi2));
  Line(rsPValue, Real(FPValue));
  std::string Region;
  switch (Ordinal(FAltHypType)) {
    case 0: Region = "Chi^2 < " + Real(FCritical1); break;
    case 1: Region = "Chi^2 > " + Real(FCritical1); break;
    case 2: Region = "Chi^2 > " + Real(FCritical1) + " and Chi^2 < " + Real(FCritical2); break;
  }
  Line(rsRejectionRegion, Region);
  ReportVerdict(List, FRejected);
  return List;
}

VCL_REGISTER_CLASS(TZYMDBHypVar, vcl::TComponent) {
  using C = TZYMDBHypVar;
  b.Property("DataField", &C::GetDataField, &C::SetDataField).Default(std::string());
  b.Property("DataSource", &C::GetDataSource, &C::SetDataSource).Default(static_cast<vcl::TDataSource*>(nullptr));
  b.Property("DecimalPlaces", &C::GetDecimalPlaces, &C::SetDecimalPlaces).Default(ZYMDefaultStatsDecimals);
  b.Property("AltHypType", &C::GetAltHypType, &C::SetAltHypType).Default(ZYMDefaultAltHypType);
  // VarPop and Confidence declare no default: they are written whenever not 0.
  b.Property("VarPop", &C::GetVarPop, &C::SetVarPop).Stored(&C::StoreVarPop);
  b.Property("Confidence", &C::GetConfidence, &C::SetConfidence).Stored(&C::StoreConfidence);
  b.Property("Version", &C::GetVersion, &C::SetVersion).Stored(false);
}

}  // namespace zymqix
