// What the aggregate functions and the statistics components share: the checks
// before a walk, reading a value in extended precision, the copy of records into
// vectors, the Double range check, and the binding of a component to its data
// source.
#pragma once

#include <string>

#include "rt/ZYMQIXVector.h"
#include "vcl/DB.h"

namespace zymqix {

/// The dataset behind DataSource; raises EDatabaseError when the source or its
/// dataset is missing or the dataset is closed.
vcl::TDataSet* RequireOpenDataSet(vcl::TDataSource* DataSource);

/// The field's value as an extended float. A BCD field holds an exact decimal,
/// which is read through its currency value so that extended precision receives
/// it whole; every other field is read with AsFloat.
vcl::Extended ReadExtended(const vcl::TField* Field);

/// R rounded to a Double; raises EMathError for a NaN or a value beyond the
/// range of a Double instead of handing back a NaN or an infinity.
double ToDoubleResult(vcl::Extended R);

/// Raises EDatabaseError (rsFewerRecords) with the counts.
[[noreturn]] void FewerRecordsError(int Read, int Claimed);

/// Walks RecordCount records from the first, calling Read(I) on each, as the
/// components copy their data: no bookmark, controls not disabled. Raises
/// EDatabaseError (rsFewerRecords) when the dataset ends before RecordCount
/// records were read.
template <class F>
void CopyRecords(vcl::TDataSet* DataSet, F Read) {
  int N = DataSet->GetRecordCount();
  if (N <= 0) return;
  DataSet->First();
  for (int I = 0; I < N; ++I) {
    if (DataSet->Eof()) FewerRecordsError(I, N);
    Read(static_cast<size_t>(I));
    DataSet->Next();
  }
}
/// The data link of a statistics component. The link names the data source and,
/// for the one-field components, the field; it carries no event handlers, so the
/// component does not follow the dataset by itself.
class TZYMStatsBinding {
public:
  explicit TZYMStatsBinding(vcl::TComponent* Control);
  ~TZYMStatsBinding();
  TZYMStatsBinding(const TZYMStatsBinding&) = delete;
  TZYMStatsBinding& operator=(const TZYMStatsBinding&) = delete;

  vcl::TFieldDataLink* Link() const { return FLink; }
  vcl::TDataSource* GetDataSource() const { return FLink ? FLink->GetDataSource() : nullptr; }
  /// Passes Value to the link unless the link's data source is fixed while the
  /// component loads, then asks Value for a free notification.
  void SetDataSource(vcl::TDataSource* Value);
  /// Drops the data source when it is the component being removed.
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation);
  /// The resolved field of the link, for copying; raises EDatabaseError when the
  /// dataset is unusable, no field is named, or the named field does not exist.
  vcl::TField* RequireField() const;
  /// Frees the link (the destructor does it too).
  void Release();

private:
  vcl::TComponent* FControl;
  vcl::TFieldDataLink* FLink;
};

/// Replaces Values with the bound field of every record (CopyRecords). The new
/// values are gathered aside and swapped in whole, so that on any failure the
/// held values still match the results computed from them.
void CopyFieldValues(const TZYMStatsBinding& Binding, TZYMFloatVector& Values);

/// The value of every read-only Version property of the statistics components.
inline constexpr const char* ZYMStatsVersion = "2.0.0";
/// Decimals of the real values in every statistics report.
inline constexpr vcl::Byte ZYMDefaultStatsDecimals = 4;

}  // namespace zymqix
