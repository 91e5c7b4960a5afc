// A dataset over a SQLite table or query.
#pragma once

#include <string>
#include <vector>

#include "vcl/DB.h"

struct sqlite3;

namespace vcl {

/// Opens a table (SetTableName) or a query (SetSQL) of a SQLite database file
/// (SetDatabaseName) and reads its rows into memory.
///
/// Column types map to field types by their declared type: INTEGER (and INT,
/// MEDIUMINT) ftInteger, SMALLINT/TINYINT/INT2 ftSmallint, BIGINT/INT8
/// ftLargeint (an integer column holding values outside its field type's range
/// opens as the next wider type), INTEGER PRIMARY KEY ftAutoInc, REAL/FLOAT/
/// DOUBLE ftFloat, NUMERIC/DECIMAL ftBCD (ftFloat with more than four
/// decimals), CURRENCY/MONEY ftCurrency, BOOLEAN ftBoolean, DATE ftDate, TIME
/// ftTime, DATETIME/TIMESTAMP ftDateTime (dates and times are stored as ISO 8601
/// text), VARCHAR(n)/TEXT ftString with Size n (0 = no limit), CHAR(n)
/// ftFixedChar, NCHAR/NVARCHAR ftWideString; BLOB columns open as read-only
/// strings; a column without a known type takes the type its values share.
/// NOT NULL without a default makes the field Required.
///
/// A table dataset writes each post, insert and delete to the database by row
/// id, inside a transaction: only the fields written during the edit are
/// updated, an insert leaves null fields to the column defaults, and the stored
/// row is read back (defaults, generated keys, type affinity). When SQLite
/// refuses, the transaction is rolled back, EDatabaseError carries SQLite's
/// message, and the dataset stays in its edit state with every value kept.
/// A query dataset, a view and a table without row ids are read-only.
class TSQLiteDataSet : public TDataSet {
public:
  VCL_CLASS(TSQLiteDataSet)
  explicit TSQLiteDataSet(TComponent* AOwner);
  ~TSQLiteDataSet() override;

  /// The database file; changing it closes the connection. Raises on an open dataset.
  const std::string& GetDatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const std::string& Value);
  /// Setting a table clears the query and the other way round. Raise on an open dataset.
  const std::string& GetTableName() const { return FTableName; }
  void SetTableName(const std::string& Value);
  const std::string& GetSQL() const { return FSQL; }
  void SetSQL(const std::string& Value);
  /// Create the database file when it does not exist (default False: a missing file is an error).
  bool GetCreateIfMissing() const { return FCreateIfMissing; }
  void SetCreateIfMissing(bool Value) { FCreateIfMissing = Value; }
  bool IsQuery() const { return !FSQL.empty(); }

  /// Runs statements that return no rows (schema, bulk changes) on the dataset's
  /// database; raises EDatabaseError with SQLite's message.
  void ExecSQL(const std::string& SQL);
  /// The open connection (nullptr before the first use); for code that needs SQLite directly.
  sqlite3* GetHandle() const { return FDB; }

protected:
  void InternalOpen() override;
  void InternalClose() override;
  void InternalPost(TPostKind Kind, std::vector<TFieldData>& Values, const std::vector<bool>& Changed,
                    int64_t& RowId) override;
  void InternalDelete(int64_t RowId) override;
  void InternalInitFieldDefs() override;
  bool KindCanModify() const override { return FWritable; }

private:
  void Connect();
  void Disconnect();
  void CheckSource() const;
  /// Reads the declared columns of the table into FieldDefs; answers whether it has row ids.
  void ReadTableDefs();
  void ReadRowBack(int64_t RowId, std::vector<TFieldData>& Values);
  std::string QuotedTable() const;

  sqlite3* FDB = nullptr;
  std::string FDatabaseName, FTableName, FSQL;
  bool FCreateIfMissing = false;
  bool FWritable = false;
  std::vector<std::string> FColumns;  ///< quoted column names, by field index
};

}  // namespace vcl
