// TZYMDBDescStats: descriptive statistics of one numeric field of a dataset.
//
// The life cycle shared by every statistics component: RefreshStats copies the
// field of every record into a vector (ConvertItems) and computes from that copy
// (UpdateStats); the component does not follow the dataset by itself, so
// results change only when RefreshStats runs, or are recomputed from the held
// values when Population changes or EndUpdate runs. BeginUpdate sets a single
// lock flag (no nesting): while it is set UpdateStats does nothing, and the
// first EndUpdate clears it and recomputes. DescStats returns the report as a
// new string list that the caller owns.
#pragma once

#include <string>

#include "db_rt/ZYMQIXDbStatsCommon.h"
#include "rt/ZYMQIXVector.h"
#include "vcl/Classes.h"
#include "vcl/DB.h"

namespace zymqix {

class TZYMDBDescStats : public vcl::TComponent {
public:
  VCL_CLASS(TZYMDBDescStats)
  explicit TZYMDBDescStats(vcl::TComponent* AOwner);
  ~TZYMDBDescStats() override;

  void Loaded() override;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

  // ---- published
  std::string GetDataField() const;
  /// Raises the dataset's "Field 'X' not found" when the link is active and the name is unknown.
  virtual void SetDataField(const std::string& Value);
  vcl::TDataSource* GetDataSource() const;
  void SetDataSource(vcl::TDataSource* Value);
  /// Decimals of every real value in the report (default 4); recomputes nothing.
  vcl::Byte GetDecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(vcl::Byte Value) { FDecimalPlaces = Value; }
  /// True: the values are a whole population (divisor n, population kurtosis and
  /// skew); false: a sample (divisor n - 1). Changing it recomputes.
  bool GetPopulation() const { return FPopulation; }
  void SetPopulation(bool Value);
  std::string GetVersion() const { return ZYMStatsVersion; }
  void SetVersion(const std::string&) {}

  // ---- public
  vcl::TField* GetField() const;
  int GetNoOfValues() const { return static_cast<int>(FValues.size()); }

  /// Replaces the values with the field of every record (RecordCount records
  /// from the first; the cursor is left after the walk). Raises EDatabaseError
  /// for a missing or closed dataset, no field, or a dataset that ends early,
  /// and passes on the dataset's own errors; on any failure the values stay as
  /// they were.
  void ConvertItems();
  void UpdateStats();
  void RefreshStats();
  void BeginUpdate() { FUpdating = true; }
  void EndUpdate();
  /// The report; the caller owns the list. Ends an update lock first.
  vcl::TStringList* DescStats();

  // ---- results of the last computation (0 before any)
  const TZYMFloatVector& GetValues() const { return FValues; }
  const TZYMFloatVector& GetSortedValues() const { return FSorted; }
  Extended GetMaximum() const { return FMaximum; }
  Extended GetMinimum() const { return FMinimum; }
  Extended GetSum() const { return FSum; }
  Extended GetSumSq() const { return FSumSq; }
  Extended GetMean() const { return FMean; }
  Extended GetMedian() const { return FMedian; }
  bool GetHasMode() const { return FHasMode; }
  Extended GetMode() const { return FMode; }
  Extended GetVariance() const { return FVariance; }
  Extended GetStdDev() const { return FStdDev; }
  Extended GetKurtosis() const { return FKurtosis; }
  Extended GetSkew() const { return FSkew; }
  Extended GetQuartile1() const { return FQuartile1; }
  Extended GetQuartile3() const { return FQuartile3; }
  Extended GetIQR() const { return FIQR; }

private:
  void ClearResults();

  TZYMStatsBinding FBinding;
  TZYMFloatVector FValues;
  TZYMFloatVector FSorted;
  vcl::Byte FDecimalPlaces = ZYMDefaultStatsDecimals;
  bool FPopulation = false;
  bool FUpdating = false;
  Extended FMaximum = 0, FMinimum = 0, FSum = 0, FSumSq = 0, FMean = 0, FMedian = 0, FMode = 0;
  bool FHasMode = false;
  Extended FVariance = 0, FStdDev = 0, FKurtosis = 0, FSkew = 0, FQuartile1 = 0, FQuartile3 = 0, FIQR = 0;
};

}  // namespace zymqix
