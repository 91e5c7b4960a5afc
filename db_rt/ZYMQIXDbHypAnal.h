// Hypothesis tests on one numeric field of a dataset, taken as a sample:
// TZYMDBHypMean tests the mean with Student's t, TZYMDBHypVar the variance with
// the chi-square statistic. Both follow the life cycle of TZYMDBDescStats
// (ConvertItems, UpdateStats, RefreshStats, a one-flag update lock) and return
// their report from AnalysisDetails as a new string list owned by the caller.
//
// AltHypType, MeanPop, VarPop and Confidence are plain stored values: the
// results follow at the next UpdateStats (directly, through EndUpdate or
// through RefreshStats). UpdateStats raises vcl::EMathError, after setting
// every result to 0, when the test cannot be computed: a Confidence not
// strictly between 0 and 100, values that are all equal (mean test: no
// standard deviation to divide by), or a VarPop that is not above 0 (variance test). The report then
// shows the count and that message instead of a verdict.
#pragma once

#include <string>

#include "db_rt/ZYMQIXDbStatsCommon.h"
#include "rt/ZYMQIXDistrib.h"
#include "rt/ZYMQIXVector.h"
#include "vcl/Classes.h"
#include "vcl/DB.h"

namespace zymqix {

inline constexpr TZYMAltHypType ZYMDefaultAltHypType = TZYMAltHypType::ahtNotEqual;
inline constexpr Extended ZYMDefaultConfidence = 95;
inline constexpr Extended ZYMDefaultMeanPop = 0;
inline constexpr Extended ZYMDefaultVarPop = 1;

/// Student's t test of the mean against MeanPop.
class TZYMDBHypMean : public vcl::TComponent {
public:
  VCL_CLASS(TZYMDBHypMean)
  explicit TZYMDBHypMean(vcl::TComponent* AOwner);
  ~TZYMDBHypMean() override;

  void Loaded() override;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

  // ---- published
  std::string GetDataField() const;
  virtual void SetDataField(const std::string& Value);
  vcl::TDataSource* GetDataSource() const;
  void SetDataSource(vcl::TDataSource* Value);
  vcl::Byte GetDecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(vcl::Byte Value) { FDecimalPlaces = Value; }
  TZYMAltHypType GetAltHypType() const { return FAltHypType; }
  void SetAltHypType(TZYMAltHypType Value) { FAltHypType = Value; }
  /// The hypothesised population mean (default 0; written when not 0).
  Extended GetMeanPop() const { return FMeanPop; }
  void SetMeanPop(Extended Value) { FMeanPop = Value; }
  bool StoreMeanPop() const { return FMeanPop != 0; }
  /// Confidence level in percent (default 95; written when not 0).
  Extended GetConfidence() const { return FConfidence; }
  void SetConfidence(Extended Value) { FConfidence = Value; }
  bool StoreConfidence() const { return FConfidence != 0; }
  std::string GetVersion() const { return ZYMStatsVersion; }
  void SetVersion(const std::string&) {}

  // ---- public
  vcl::TField* GetField() const;
  int GetNoOfValues() const { return static_cast<int>(FValues.size()); }
  void ConvertItems();
  void UpdateStats();
  void RefreshStats();
  void BeginUpdate() { FUpdating = true; }
  void EndUpdate();
  vcl::TStringList* AnalysisDetails();

  // ---- results of the last computation
  Extended GetMean() const { return FMean; }
  Extended GetStdDev() const { return FStdDev; }
  Extended GetTestStatistic() const { return FT; }
  Extended GetPValue() const { return FPValue; }
  Extended GetCriticalValue() const { return FCritical; }
  Extended GetLowerBound() const { return FLower; }
  Extended GetUpperBound() const { return FUpper; }
  bool GetRejected() const { return FRejected; }
  /// The reason the last UpdateStats could not compute the test, or "".
  const std::string& GetFailure() const { return FFailure; }

private:
  void ClearResults();

  TZYMStatsBinding FBinding;
  TZYMFloatVector FValues;
  vcl::Byte FDecimalPlaces = ZYMDefaultStatsDecimals;
  TZYMAltHypType FAltHypType = ZYMDefaultAltHypType;
  Extended FMeanPop = ZYMDefaultMeanPop;
  Extended FConfidence = ZYMDefaultConfidence;
  bool FUpdating = false;
  Extended FMean = 0, FStdDev = 0, FT = 0, FPValue = 0, FCritical = 0, FLower = 0, FUpper = 0;
  bool FRejected = false;
  std::string FFailure;
};

/// Chi-square test of the variance against VarPop.
class TZYMDBHypVar : public vcl::TComponent {
public:
  VCL_CLASS(TZYMDBHypVar)
  explicit TZYMDBHypVar(vcl::TComponent* AOwner);
  ~TZYMDBHypVar() override;

  void Loaded() override;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

  // ---- published
  std::string GetDataField() const;
  virtual void SetDataField(const std::string& Value);
  vcl::TDataSource* GetDataSource() const;
  void SetDataSource(vcl::TDataSource* Value);
  vcl::Byte GetDecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(vcl::Byte Value) { FDecimalPlaces = Value; }
  TZYMAltHypType GetAltHypType() const { return FAltHypType; }
  void SetAltHypType(TZYMAltHypType Value) { FAltHypType = Value; }
  /// The hypothesised population variance (default 1; written when not 0).
  Extended GetVarPop() const { return FVarPop; }
  void SetVarPop(Extended Value) { FVarPop = Value; }
  bool StoreVarPop() const { return FVarPop != 0; }
  /// Confidence level in percent (default 95; written when not 0).
  Extended GetConfidence() const { return FConfidence; }
  void SetConfidence(Extended Value) { FConfidence = Value; }
  bool StoreConfidence() const { return FConfidence != 0; }
  std::string GetVersion() const { return ZYMStatsVersion; }
  void SetVersion(const std::string&) {}

  // ---- public
  vcl::TField* GetField() const;
  int GetNoOfValues() const { return static_cast<int>(FValues.size()); }
  void ConvertItems();
  void UpdateStats();
  void RefreshStats();
  void BeginUpdate() { FUpdating = true; }
  void EndUpdate();
  vcl::TStringList* AnalysisDetails();

  // ---- results of the last computation
  Extended GetVariance() const { return FVariance; }
  Extended GetTestStatistic() const { return FChi2; }
  Extended GetPValue() const { return FPValue; }
  Extended GetCriticalValue1() const { return FCritical1; }
  Extended GetCriticalValue2() const { return FCritical2; }
  Extended GetLowerBound() const { return FLower; }
  Extended GetUpperBound() const { return FUpper; }
  bool GetRejected() const { return FRejected; }
  const std::string& GetFailure() const { return FFailure; }

private:
  void ClearResults();

  TZYMStatsBinding FBinding;
  TZYMFloatVector FValues;
  vcl::Byte FDecimalPlaces = ZYMDefaultStatsDecimals;
  TZYMAltHypType FAltHypType = ZYMDefaultAltHypType;
  Extended FVarPop = ZYMDefaultVarPop;
  Extended FConfidence = ZYMDefaultConfidence;
  bool FUpdating = false;
  Extended FVariance = 0, FChi2 = 0, FPValue = 0, FCritical1 = 0, FCritical2 = 0, FLower = 0, FUpper = 0;
  bool FRejected = false;
  std::string FFailure;
};

}  // namespace zymqix
