// TZYMDbLinReg: the least-squares line Y = a + b*X through two numeric fields
// of a dataset, read record by record as pairs, with a text report.
//
// Life cycle as TZYMDBDescStats: ConvertItems copies the pairs, UpdateStats
// computes from the copy, a one-flag update lock, RefreshStats, and
// AnalysisDetails returning a new string list owned by the caller. The two
// field names are plain strings of the component, looked up on every record;
// the data link only holds the data source.
//
// The sums of squares and products are taken about the means, so data far
// from zero keep their digits. UpdateStats raises vcl::EMathError, after
// setting every result to 0, when all X values are equal (no line) or all Y
// values are equal (no correlation); the report then shows the count and the
// message.
#pragma once

#include <string>

#include "db_rt/ZYMQIXDbStatsCommon.h"
#include "rt/ZYMQIXVector.h"
#include "vcl/Classes.h"
#include "vcl/DB.h"

namespace zymqix {

class TZYMDbLinReg : public vcl::TComponent {
public:
  VCL_CLASS(TZYMDbLinReg)
  explicit TZYMDbLinReg(vcl::TComponent* AOwner);
  ~TZYMDbLinReg() override;

  void Loaded() override;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

  // ---- published
  /// Name of the X field; only stored, neither checked nor recomputed on.
  std::string GetXDataField() const { return FXDataField; }
  virtual void SetXDataField(const std::string& Value) { FXDataField = Value; }
  std::string GetYDataField() const { return FYDataField; }
  virtual void SetYDataField(const std::string& Value) { FYDataField = Value; }
  vcl::TDataSource* GetDataSource() const;
  void SetDataSource(vcl::TDataSource* Value);
  vcl::Byte GetDecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(vcl::Byte Value) { FDecimalPlaces = Value; }
  std::string GetVersion() const { return ZYMStatsVersion; }
  void SetVersion(const std::string&) {}

  // ---- public
  int GetNoOfValues() const { return static_cast<int>(FX.size()); }
  /// Replaces the pairs with the two fields of every record (RecordCount records
  /// from the first). Raises EDatabaseError for a missing or closed dataset or
  /// one that ends early, and passes on the dataset's errors (an unknown field
  /// name); on any failure the pairs stay as they were.
  void ConvertItems();
  void UpdateStats();
  void RefreshStats();
  void BeginUpdate() { FUpdating = true; }
  void EndUpdate();
  vcl::TStringList* AnalysisDetails();

  // ---- results of the last computation
  const TZYMFloatVector& GetXValues() const { return FX; }
  const TZYMFloatVector& GetYValues() const { return FY; }
  Extended GetIntercept() const { return FIntercept; }
  Extended GetSlope() const { return FSlope; }
  Extended GetSSE() const { return FSSE; }
  Extended GetCoeffDet() const { return FCoeffDet; }
  Extended GetCoeffCor() const { return FCoeffCor; }
  Extended GetMeanX() const { return FMeanX; }
  Extended GetStdDevX() const { return FStdDevX; }
  Extended GetMeanY() const { return FMeanY; }
  Extended GetStdDevY() const { return FStdDevY; }
  Extended GetCovariance() const { return FCovariance; }
  /// The reason the last UpdateStats could not fit the line, or "".
  const std::string& GetFailure() const { return FFailure; }

private:
  void ClearResults();

  TZYMStatsBinding FBinding;
  std::string FXDataField, FYDataField;
  TZYMFloatVector FX, FY;
  vcl::Byte FDecimalPlaces = ZYMDefaultStatsDecimals;
  bool FUpdating = false;
  Extended FIntercept = 0, FSlope = 0, FSSE = 0, FCoeffDet = 0, FCoeffCor = 0;
  Extended FMeanX = 0, FStdDevX = 0, FMeanY = 0, FStdDevY = 0, FCovariance = 0;
  std::string FFailure;
};

}  // namespace zymqix
