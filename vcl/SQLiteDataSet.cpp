#include "vcl/SQLiteDataSet.h"

#include <sqlite3.h>

#include <cassert>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace vcl {

VCL_REGISTER_CLASS(TSQLiteDataSet, TDataSet) {
  b.Property("CreateIfMissing", &TSQLiteDataSet::GetCreateIfMissing, &TSQLiteDataSet::SetCreateIfMissing)
      .Default(false);
  b.Property("DatabaseName", &TSQLiteDataSet::GetDatabaseName, &TSQLiteDataSet::SetDatabaseName)
      .Default(std::string());
  b.Property("ReadOnly", &TSQLiteDataSet::GetReadOnly, &TSQLiteDataSet::SetReadOnly).Default(false);
  b.Property("SQL", &TSQLiteDataSet::GetSQL, &TSQLiteDataSet::SetSQL).Default(std::string());
  b.Property("TableName", &TSQLiteDataSet::GetTableName, &TSQLiteDataSet::SetTableName).Default(std::string());
}

namespace {

[[noreturn]] void Fail(sqlite3* DB) { DatabaseError(sqlite3_errmsg(DB)); }

/// A prepared statement that is finalized on every path.
class TStmt {
public:
  TStmt(sqlite3* DB, const std::string& SQL) : DB(DB) {
    if (sqlite3_prepare_v2(DB, SQL.c_str(), static_cast<int>(SQL.size()), &S, &Tail) != SQLITE_OK) Fail(DB);
  }
  ~TStmt() { sqlite3_finalize(S); }
  TStmt(const TStmt&) = delete;
  TStmt& operator=(const TStmt&) = delete;

  /// True while rows come; raises SQLite's error.
  bool Step() {
    int Rc = sqlite3_step(S);
    if (Rc == SQLITE_ROW) return true;
    if (Rc == SQLITE_DONE) return false;
    Fail(DB);
  }
  const char* Rest() const { return Tail; }
  sqlite3_stmt* S = nullptr;

private:
  sqlite3* DB;
  const char* Tail = nullptr;
};

/// A savepoint: released by Commit, rolled back when left without it.
class TWriteTransaction {
public:
  explicit TWriteTransaction(sqlite3* DB) : DB(DB) { Exec("SAVEPOINT zymqix_write"); }
  ~TWriteTransaction() {
    if (Done) return;
    sqlite3_exec(DB, "ROLLBACK TO zymqix_write", nullptr, nullptr, nullptr);
    sqlite3_exec(DB, "RELEASE zymqix_write", nullptr, nullptr, nullptr);
  }
  void Commit() {
    Exec("RELEASE zymqix_write");
    Done = true;
  }

private:
  void Exec(const char* SQL) {
    if (sqlite3_exec(DB, SQL, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(DB);
  }
  sqlite3* DB;
  bool Done = false;
};

std::string QuoteIdent(const std::string& Name) {
  std::string R = "\"";
  for (char C : Name) {
    if (C == '"') R += '"';
    R += C;
  }
  return R + "\"";
}

struct TColumnType {
  TFieldType Type = ftUnknown;  ///< ftUnknown: take the type the values share
  int Size = 0;
  bool ReadOnly = false;
};

bool Has(const std::string& S, const char* Part) { return S.find(Part) != std::string::npos; }

/// The field type for a declared column type.
TColumnType MapDeclType(const std::string& Declared) {
  TColumnType R;
  const std::string D = UpperCase(Trim(Declared));
  if (D.empty()) return R;
  int Args[2] = {-1, -1};
  if (size_t P = D.find('('); P != std::string::npos) {
    int N = 0;
    size_t Q = P + 1;
    while (Q < D.size() && N < 2) {
      while (Q < D.size() && D[Q] == ' ') ++Q;
      int V = 0;
      auto Res = std::from_chars(D.data() + Q, D.data() + D.size(), V);
      if (Res.ec != std::errc()) break;
      Args[N++] = V;
      Q = static_cast<size_t>(Res.ptr - D.data());
      while (Q < D.size() && (D[Q] == ' ' || D[Q] == ',')) ++Q;
    }
  }
  if (Has(D, "BOOL")) R.Type = ftBoolean;
  else if (Has(D, "DATETIME") || Has(D, "TIMESTAMP")) R.Type = ftDateTime;
  else if (Has(D, "DATE")) R.Type = ftDate;
  else if (Has(D, "TIME")) R.Type = ftTime;
  else if (Has(D, "CURRENCY") || Has(D, "MONEY")) R.Type = ftCurrency;
  else if (Has(D, "NUMERIC") || Has(D, "DECIMAL")) R.Type = Args[1] > 4 ? ftFloat : ftBCD;
  else if (Has(D, "INT")) {
    if (Has(D, "BIGINT") || Has(D, "INT8") || (Has(D, "BIG") && Has(D, "INT"))) R.Type = ftLargeint;
    else if (Has(D, "SMALLINT") || Has(D, "TINYINT") || Has(D, "INT2")) R.Type = ftSmallint;
    else R.Type = ftInteger;
  } else if (Has(D, "NCHAR") || Has(D, "NVARCHAR") || Has(D, "NATIONAL") || Has(D, "NTEXT")) {
    R.Type = ftWideString;
    R.Size = std::max(Args[0], 0);
  } else if (Has(D, "CHAR")) {
    R.Type = Has(D, "VAR") ? ftString : ftFixedChar;
    R.Size = std::max(Args[0], 0);
  } else if (Has(D, "CLOB") || Has(D, "TEXT")) R.Type = ftString;
  else if (Has(D, "REAL") || Has(D, "FLOA") || Has(D, "DOUB")) R.Type = ftFloat;
  else if (Has(D, "BLOB")) {
    R.Type = ftString;
    R.ReadOnly = true;  // bytes are shown, never written back as text
  }
  return R;
}

/// The value of a result column as SQLite holds it, copied once.
TFieldData RawValue(sqlite3_stmt* S, int Col) {
  switch (sqlite3_column_type(S, Col)) {
    case SQLITE_INTEGER:
      return static_cast<int64_t>(sqlite3_column_int64(S, Col));
    case SQLITE_FLOAT:
      return sqlite3_column_double(S, Col);
    case SQLITE_TEXT:
      return std::string(reinterpret_cast<const char*>(sqlite3_column_text(S, Col)),
                         static_cast<size_t>(sqlite3_column_bytes(S, Col)));
    case SQLITE_BLOB: {
      const void* B = sqlite3_column_blob(S, Col);
      return std::string(static_cast<const char*>(B), static_cast<size_t>(sqlite3_column_bytes(S, Col)));
    }
    default:
      return TFieldData();
  }
}

std::string RealText(double V) {
  char Buf[64];
  sqlite3_snprintf(sizeof Buf, Buf, "%!.15g", V);
  return Buf;
}

bool TextToInt(const std::string& S, int64_t& V) {
  std::string T = Trim(S);
  const char* B = T.data();
  const char* E = B + T.size();
  if (B != E && *B == '+') ++B;
  auto R = std::from_chars(B, E, V);
  return B != E && R.ec == std::errc() && R.ptr == E;
}

bool TextToDouble(const std::string& S, double& V) {
  std::string T = Trim(S);
  const char* B = T.data();
  const char* E = B + T.size();
  if (B != E && *B == '+') ++B;
  auto R = std::from_chars(B, E, V);
  return B != E && R.ec == std::errc() && R.ptr == E && std::isfinite(V);
}

std::string Shown(const TFieldData& V) {
  if (auto S = std::get_if<std::string>(&V)) return "'" + *S + "'";
  if (auto I = std::get_if<int64_t>(&V)) return IntToStr(*I);
  return RealText(std::get<double>(V));
}

bool IsStringType(TFieldType T) { return T == ftString || T == ftFixedChar || T == ftWideString; }
bool IsDateType(TFieldType T) { return T == ftDate || T == ftTime || T == ftDateTime; }

/// Converts a value as read from SQLite to the stored form of a field type, in
/// place; answers "" or the reason it cannot be read.
std::string ConvertRaw(TFieldData& V, TFieldType T) {
  if (std::holds_alternative<std::monostate>(V)) return "";
  if (IsStringType(T)) {
    if (auto I = std::get_if<int64_t>(&V)) V = IntToStr(*I);
    else if (auto D = std::get_if<double>(&V)) V = RealText(*D);
    return "";
  }
  switch (T) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint: {
      if (std::holds_alternative<int64_t>(V)) return "";
      int64_t I;
      if (auto D = std::get_if<double>(&V)) {
        if (*D == std::trunc(*D) && std::fabs(*D) < 9.2e18) {
          V = static_cast<int64_t>(*D);
          return "";
        }
      } else if (TextToInt(std::get<std::string>(V), I)) {
        V = I;
        return "";
      }
      return Shown(V) + " is not a valid integer value";
    }
    case ftFloat:
    case ftCurrency: {
      if (auto I = std::get_if<int64_t>(&V)) V = static_cast<double>(*I);
      if (std::holds_alternative<double>(V)) return "";
      double D;
      if (!TextToDouble(std::get<std::string>(V), D)) return Shown(V) + " is not a valid floating point value";
      V = D;
      return "";
    }
    case ftBCD: {
      double D = 0;
      if (auto I = std::get_if<int64_t>(&V)) D = static_cast<double>(*I);
      else if (auto F = std::get_if<double>(&V)) D = *F;
      else if (!TextToDouble(std::get<std::string>(V), D)) return Shown(V) + " is not a valid floating point value";
      try {
        V = Currency::FromExtended(D).Raw;
      } catch (const Exception&) {
        return Shown(V) + " is out of the range of a currency value";
      }
      return "";
    }
    case ftBoolean: {
      if (auto I = std::get_if<int64_t>(&V)) {
        V = int64_t{*I != 0};
        return "";
      }
      if (auto D = std::get_if<double>(&V)) {
        V = int64_t{*D != 0};
        return "";
      }
      const std::string S = LowerCase(Trim(std::get<std::string>(V)));
      if (S == "true" || S == "t" || S == "yes" || S == "y" || S == "1") V = int64_t{1};
      else if (S == "false" || S == "f" || S == "no" || S == "n" || S == "0") V = int64_t{0};
      else return Shown(V) + " is not a valid boolean value";
      return "";
    }
    case ftDate:
    case ftTime:
    case ftDateTime: {
      TDateTime D;
      TFieldType K;
      auto S = std::get_if<std::string>(&V);
      if (!S || !TryISOToDateTime(Trim(*S), D, K) || (T == ftTime && K == ftDate) || (T != ftTime && K == ftTime))
        return Shown(V) + " is not a valid " + (T == ftDate ? "date" : T == ftTime ? "time" : "date and time");
      if (T == ftDate) D = std::trunc(D);
      if (T == ftTime) D = std::fabs(D - std::trunc(D));
      V = D;
      return "";
    }
    default:
      return "the field type is not supported";
  }
}

/// The narrowest field type that holds every value of a column without a declared type.
TFieldType InferType(const std::vector<const TFieldData*>& Values) {
  bool AnyInt = false, AnyReal = false, AnyText = false;
  for (const TFieldData* V : Values) {
    if (std::holds_alternative<int64_t>(*V)) AnyInt = true;
    else if (std::holds_alternative<double>(*V)) AnyReal = true;
    else if (std::holds_alternative<std::string>(*V)) AnyText = true;
  }
  if (AnyText || (!AnyInt && !AnyReal)) return ftString;
  if (AnyReal) return ftFloat;
  return ftInteger;  // widened below when a value needs it
}

void BindValue(sqlite3* DB, sqlite3_stmt* S, int Index, const TFieldData& V, TFieldType T) {
  int Rc = SQLITE_OK;
  if (std::holds_alternative<std::monostate>(V)) {
    Rc = sqlite3_bind_null(S, Index);
  } else if (auto I = std::get_if<int64_t>(&V)) {
    Rc = T == ftBCD ? sqlite3_bind_double(S, Index, Currency::FromRaw(*I).ToDouble())
                    : sqlite3_bind_int64(S, Index, *I);
  } else if (auto D = std::get_if<double>(&V)) {
    if (IsDateType(T)) {
      std::string Text = DateTimeToISO(*D, T);
      Rc = sqlite3_bind_text(S, Index, Text.c_str(), static_cast<int>(Text.size()), SQLITE_TRANSIENT);
    } else {
      Rc = sqlite3_bind_double(S, Index, *D);
    }
  } else {
    const std::string& Text = std::get<std::string>(V);
    Rc = sqlite3_bind_text(S, Index, Text.c_str(), static_cast<int>(Text.size()), SQLITE_TRANSIENT);
  }
  if (Rc != SQLITE_OK) Fail(DB);
}

}  // namespace

TSQLiteDataSet::TSQLiteDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TSQLiteDataSet::~TSQLiteDataSet() {
  Destroying();
  Close();
  Disconnect();
}

void TSQLiteDataSet::SetDatabaseName(const std::string& Value) {
  if (Value == FDatabaseName) return;
  CheckInactive();
  Disconnect();
  FDatabaseName = Value;
}

void TSQLiteDataSet::SetTableName(const std::string& Value) {
  if (Value == FTableName) return;
  CheckInactive();
  FTableName = Value;
  if (!Value.empty()) FSQL.clear();
}

void TSQLiteDataSet::SetSQL(const std::string& Value) {
  if (Value == FSQL) return;
  CheckInactive();
  FSQL = Value;
  if (!Value.empty()) FTableName.clear();
}

void TSQLiteDataSet::Connect() {
  if (FDB) return;
  if (FDatabaseName.empty()) DatabaseError("No database name given");
  const bool Special = FDatabaseName == ":memory:" || FDatabaseName.rfind("file:", 0) == 0;
  std::error_code Ec;
  if (!Special && !FCreateIfMissing && !std::filesystem::exists(FDatabaseName, Ec))
    DatabaseError("Database file \"" + FDatabaseName + "\" does not exist");
  const int Flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | (FCreateIfMissing ? SQLITE_OPEN_CREATE : 0);
  sqlite3* DB = nullptr;
  if (sqlite3_open_v2(FDatabaseName.c_str(), &DB, Flags, nullptr) != SQLITE_OK) {
    std::string Msg = DB ? sqlite3_errmsg(DB) : "out of memory";
    sqlite3_close(DB);
    DatabaseError("Cannot open database \"" + FDatabaseName + "\": " + Msg);
  }
  sqlite3_busy_timeout(DB, 2000);
  sqlite3_exec(DB, "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
  FDB = DB;
}

void TSQLiteDataSet::Disconnect() {
  if (!FDB) return;
  sqlite3_close_v2(FDB);
  FDB = nullptr;
}

void TSQLiteDataSet::ExecSQL(const std::string& SQL) {
  Connect();
  char* Err = nullptr;
  if (sqlite3_exec(FDB, SQL.c_str(), nullptr, nullptr, &Err) != SQLITE_OK) {
    std::string Msg = Err ? Err : sqlite3_errmsg(FDB);
    sqlite3_free(Err);
    DatabaseError(Msg);
  }
}

void TSQLiteDataSet::CheckSource() const {
  if (FTableName.empty() && FSQL.empty()) DatabaseError("No table name or SQL query given");
}

std::string TSQLiteDataSet::QuotedTable() const { return QuoteIdent(FTableName); }

void TSQLiteDataSet::ReadTableDefs() {
  std::string Kind;
  {
    TStmt Find(FDB,
               "SELECT type, name FROM sqlite_master WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE "
               "UNION ALL SELECT type, name FROM sqlite_temp_master WHERE type IN ('table', 'view') AND name = ?1 "
               "COLLATE NOCASE");
    sqlite3_bind_text(Find.S, 1, FTableName.c_str(), static_cast<int>(FTableName.size()), SQLITE_TRANSIENT);
    if (!Find.Step()) DatabaseError("Table '" + FTableName + "' not found");
    Kind = reinterpret_cast<const char*>(sqlite3_column_text(Find.S, 0));
  }
  bool HasRowId = false;
  if (Kind == "table") {
    sqlite3_stmt* Probe = nullptr;
    std::string SQL = "SELECT rowid FROM " + QuotedTable() + " LIMIT 0";
    HasRowId = sqlite3_prepare_v2(FDB, SQL.c_str(), -1, &Probe, nullptr) == SQLITE_OK;
    sqlite3_finalize(Probe);
  }
  FWritable = HasRowId;

  struct TCol {
    std::string Name, Type;
    bool NotNull, HasDefault, Generated;
    int Pk;
  };
  std::vector<TCol> Cols;
  {
    TStmt Info(FDB, "PRAGMA table_xinfo(" + QuotedTable() + ")");
    while (Info.Step()) {
      const int Hidden = sqlite3_column_int(Info.S, 6);
      if (Hidden == 1) continue;  // a virtual table's hidden column
      auto Text = [&](int C) {
        auto* P = sqlite3_column_text(Info.S, C);
        return P ? std::string(reinterpret_cast<const char*>(P)) : std::string();
      };
      Cols.push_back({Text(1), Text(2), sqlite3_column_int(Info.S, 3) != 0,
                      sqlite3_column_type(Info.S, 4) != SQLITE_NULL, Hidden >= 2, sqlite3_column_int(Info.S, 5)});
    }
  }
  int PkCount = 0;
  for (const TCol& C : Cols) PkCount += C.Pk > 0;

  TFieldDefs* Defs = GetFieldDefs();
  Defs->Clear();
  FColumns.clear();
  for (const TCol& C : Cols) {
    TColumnType T = MapDeclType(C.Type);
    const bool RowIdAlias = HasRowId && PkCount == 1 && C.Pk == 1 && UpperCase(Trim(C.Type)) == "INTEGER";
    if (RowIdAlias) T.Type = ftAutoInc;
    TFieldDef* D = Defs->Add(C.Name, T.Type, T.Size, C.NotNull && !C.HasDefault && !RowIdAlias && !C.Generated);
    D->SetReadOnly(T.ReadOnly || C.Generated);
    FColumns.push_back(QuoteIdent(C.Name));
  }
}

void TSQLiteDataSet::InternalInitFieldDefs() {
  if (FTableName.empty() && FSQL.empty()) return;
  Connect();
  if (!IsQuery()) {
    ReadTableDefs();
    return;
  }
  TStmt St(FDB, FSQL);
  GetFieldDefs()->Clear();
  for (int C = 0; C < sqlite3_column_count(St.S); ++C) {
    std::string Name = sqlite3_column_name(St.S, C);
    for (int N = 1; GetFieldDefs()->IndexOf(Name) >= 0; ++N) Name = sqlite3_column_name(St.S, C) + ("_" + IntToStr(N));
    const char* Decl = sqlite3_column_decltype(St.S, C);
    GetFieldDefs()->Add(Name, MapDeclType(Decl ? Decl : "").Type);
  }
}

void TSQLiteDataSet::InternalOpen() {
  CheckSource();
  Connect();
  TFieldDefs* Defs = GetFieldDefs();
  std::string SQL;
  if (IsQuery()) {
    FWritable = false;
    SQL = FSQL;
  } else {
    ReadTableDefs();
    std::string Cols;
    for (const std::string& C : FColumns) Cols += (Cols.empty() ? "" : ", ") + C;
    if (Cols.empty()) DatabaseError("Table '" + FTableName + "' has no columns");
    SQL = FWritable ? "SELECT rowid, " + Cols + " FROM " + QuotedTable() + " ORDER BY rowid"
                    : "SELECT " + Cols + " FROM " + QuotedTable();
  }

  TStmt St(FDB, SQL);
  const int Offset = !IsQuery() && FWritable ? 1 : 0;
  if (IsQuery()) {
    for (const char* P = St.Rest(); P && *P; ++P)
      if (*P != ' ' && *P != ';' && *P != '\n' && *P != '\r' && *P != '\t')
        DatabaseError("A query dataset opens one statement only");
    if (!sqlite3_stmt_readonly(St.S)) DatabaseError("A query dataset only reads; change data with ExecSQL");
    if (sqlite3_column_count(St.S) == 0) DatabaseError("The query returns no columns");
    Defs->Clear();
    FColumns.clear();
    for (int C = 0; C < sqlite3_column_count(St.S); ++C) {
      std::string Name = sqlite3_column_name(St.S, C);
      for (int N = 1; Defs->IndexOf(Name) >= 0; ++N) Name = sqlite3_column_name(St.S, C) + ("_" + IntToStr(N));
      const char* Decl = sqlite3_column_decltype(St.S, C);
      TColumnType T = MapDeclType(Decl ? Decl : "");
      Defs->Add(Name, T.Type, T.Size);
      FColumns.push_back(QuoteIdent(Name));
    }
  }

  // Read every row as SQLite holds it, then bring each column to its field type in place.
  const int N = Defs->Count();
  int64_t Seq = 0;
  while (St.Step()) {
    const int64_t Id = Offset ? sqlite3_column_int64(St.S, 0) : ++Seq;
    TFieldData* Row = AddRow(Id);
    for (int C = 0; C < N; ++C) Row[C] = RawValue(St.S, C + Offset);
  }

  const int Rows = RowCount();
  for (int C = 0; C < N; ++C) {
    TFieldDef* D = Defs->Items(C);
    if (D->GetDataType() == ftUnknown) {
      std::vector<const TFieldData*> Values;
      Values.reserve(static_cast<size_t>(Rows));
      for (int R = 0; R < Rows; ++R) Values.push_back(&RowValue(R, C));
      D->SetDataType(InferType(Values));
    }
    for (int R = 0; R < Rows; ++R) {
      std::string Why = ConvertRaw(RowValue(R, C), D->GetDataType());
      if (!Why.empty())
        DatabaseError("Column '" + D->GetName() + "', " + (Offset ? "row id " : "row ") + IntToStr(RowId(R)) +
                      ": " + Why);
    }
    // An integer column holding wider values than its type opens as the next wider type.
    if (D->GetDataType() == ftSmallint || D->GetDataType() == ftInteger) {
      int64_t Lo = 0, Hi = 0;
      for (int R = 0; R < Rows; ++R)
        if (auto I = std::get_if<int64_t>(&RowValue(R, C))) {
          Lo = std::min(Lo, *I);
          Hi = std::max(Hi, *I);
        }
      if (Lo < INT32_MIN || Hi > INT32_MAX) D->SetDataType(ftLargeint);
      else if (D->GetDataType() == ftSmallint && (Lo < INT16_MIN || Hi > INT16_MAX)) D->SetDataType(ftInteger);
    }
  }
}

void TSQLiteDataSet::InternalClose() { Disconnect(); }

void TSQLiteDataSet::ReadRowBack(int64_t Id, std::vector<TFieldData>& Values) {
  std::string Cols;
  for (const std::string& C : FColumns) Cols += (Cols.empty() ? "" : ", ") + C;
  TStmt St(FDB, "SELECT " + Cols + " FROM " + QuotedTable() + " WHERE rowid = ?");
  sqlite3_bind_int64(St.S, 1, Id);
  if (!St.Step()) DatabaseError("Record not found");
  TFieldDefs* Defs = GetFieldDefs();
  for (int C = 0; C < Defs->Count(); ++C) {
    TFieldData V = RawValue(St.S, C);
    std::string Why = ConvertRaw(V, Defs->Items(C)->GetDataType());
    if (!Why.empty()) DatabaseError("Column '" + Defs->Items(C)->GetName() + "': " + Why);
    Values[static_cast<size_t>(C)] = std::move(V);
  }
}

void TSQLiteDataSet::InternalPost(TPostKind Kind, std::vector<TFieldData>& Values, const std::vector<bool>& Changed,
                                  int64_t& RowId) {
  assert(FWritable && FDB && "only a writable table dataset posts");
  TFieldDefs* Defs = GetFieldDefs();
  TWriteTransaction Tx(FDB);
  std::vector<int> Cols;
  for (int C = 0; C < Defs->Count(); ++C) {
    const auto I = static_cast<size_t>(C);
    if (GetField(C)->GetReadOnly() || Defs->Items(C)->GetReadOnly()) continue;
    // An update writes what the edit changed; an insert leaves nulls to the column defaults.
    if (Kind == TPostKind::pkUpdate ? Changed[I] : !std::holds_alternative<std::monostate>(Values[I]))
      Cols.push_back(C);
  }
  if (Kind == TPostKind::pkUpdate) {
    if (Cols.empty()) return;
    std::string Set;
    for (int C : Cols) Set += (Set.empty() ? "" : ", ") + FColumns[static_cast<size_t>(C)] + " = ?";
    TStmt St(FDB, "UPDATE " + QuotedTable() + " SET " + Set + " WHERE rowid = ?");
    int P = 1;
    for (int C : Cols) BindValue(FDB, St.S, P++, Values[static_cast<size_t>(C)], Defs->Items(C)->GetDataType());
    sqlite3_bind_int64(St.S, P, RowId);
    St.Step();
    if (sqlite3_changes(FDB) == 0) DatabaseError("Record not found");
    // A new value of the row id's alias moves the row.
    for (int C : Cols)
      if (Defs->Items(C)->GetDataType() == ftAutoInc)
        if (auto I = std::get_if<int64_t>(&Values[static_cast<size_t>(C)])) RowId = *I;
  } else {
    std::string Names, Marks;
    for (int C : Cols) {
      Names += (Names.empty() ? "" : ", ") + FColumns[static_cast<size_t>(C)];
      Marks += Marks.empty() ? "?" : ", ?";
    }
    TStmt St(FDB, Cols.empty() ? "INSERT INTO " + QuotedTable() + " DEFAULT VALUES"
                               : "INSERT INTO " + QuotedTable() + " (" + Names + ") VALUES (" + Marks + ")");
    int P = 1;
    for (int C : Cols) BindValue(FDB, St.S, P++, Values[static_cast<size_t>(C)], Defs->Items(C)->GetDataType());
    St.Step();
    RowId = sqlite3_last_insert_rowid(FDB);
  }
  ReadRowBack(RowId, Values);
  Tx.Commit();
}

void TSQLiteDataSet::InternalDelete(int64_t Id) {
  assert(FWritable && FDB && "only a writable table dataset deletes");
  TWriteTransaction Tx(FDB);
  TStmt St(FDB, "DELETE FROM " + QuotedTable() + " WHERE rowid = ?");
  sqlite3_bind_int64(St.S, 1, Id);
  St.Step();
  Tx.Commit();
}

}  // namespace vcl
