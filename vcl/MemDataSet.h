// An in-memory dataset: define fields, open, edit; or load a CSV file.
#pragma once

#include <string>
#include <vector>

#include "vcl/DB.h"

namespace vcl {

/// Records live in memory only: closing the dataset discards them.
///
///   auto* DS = new TMemDataSet(Owner);
///   DS->GetFieldDefs()->Add("Name", ftString, 30, true);
///   DS->GetFieldDefs()->Add("Qty", ftInteger);
///   DS->Open();
///   DS->AppendRecord({"Bolt", int64_t{12}});
class TMemDataSet : public TDataSet {
public:
  VCL_CLASS(TMemDataSet)
  explicit TMemDataSet(TComponent* AOwner);
  ~TMemDataSet() override;

  /// Loads a CSV file and opens the dataset on it. The first row names the
  /// columns. With field definitions already present, every column must name
  /// one of them and values are read by its type; otherwise the definitions are
  /// replaced by types inferred from the values (Integer, Largeint, Float,
  /// Boolean, Date, DateTime, Time, else String). Numbers use "." as decimal
  /// separator, dates and times ISO 8601 ("2024-03-01", "2024-03-01 12:30:00",
  /// "12:30"), Booleans true/false. An empty cell is null; a quoted empty cell
  /// ("") is an empty string. A malformed row raises EDatabaseError naming the
  /// file and the line, and the dataset is left as it was.
  void LoadFromCSVFile(const std::string& FileName, char Delimiter = ',');
  /// The same from text; SourceName stands for the file name in messages.
  void LoadFromCSVText(const std::string& Text, const std::string& SourceName = "CSV text", char Delimiter = ',');

protected:
  void InternalOpen() override;
  void InternalClose() override;
  void InternalPost(TPostKind Kind, std::vector<TFieldData>& Values, const std::vector<bool>& Changed,
                    int64_t& RowId) override;

private:
  std::vector<std::vector<TFieldData>> FPendingRows;  ///< parsed CSV rows waiting for Open
  std::vector<int64_t> FAutoIncNext;                  ///< per field: the next generated value
};

}  // namespace vcl
