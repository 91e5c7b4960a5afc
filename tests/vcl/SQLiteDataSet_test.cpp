// The SQLite dataset: opening tables and queries, column type mapping, writes
// that persist, and refused writes that lose nothing.
#include "vcl/SQLiteDataSet.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <memory>

#include "DBTestUtil.h"

using namespace vcl;
using dbtest::ErrorOf;
using Strings = std::vector<std::string>;

namespace {

class SQLiteDataSetTest : public ::testing::Test {
protected:
  void SetUp() override { Path = dbtest::ScratchFile(".db"); }

  /// A dataset on the scratch database (created when missing).
  TSQLiteDataSet* Make(const std::string& Table = "") {
    auto* DS = new TSQLiteDataSet(&Owner);
    DS->SetDatabaseName(Path);
    DS->SetCreateIfMissing(true);
    if (!Table.empty()) DS->SetTableName(Table);
    return DS;
  }
  void Exec(const std::string& Sql) {
    std::unique_ptr<TSQLiteDataSet> DS(Make());
    DS->ExecSQL(Sql);
  }
  /// One value read straight from the file by a new connection.
  std::string Scalar(const std::string& Sql) {
    sqlite3* DB = nullptr;
    EXPECT_EQ(sqlite3_open(Path.c_str(), &DB), SQLITE_OK);
    sqlite3_stmt* S = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(DB, Sql.c_str(), -1, &S, nullptr), SQLITE_OK) << sqlite3_errmsg(DB);
    std::string R = "<no row>";
    if (sqlite3_step(S) == SQLITE_ROW)
      R = sqlite3_column_type(S, 0) == SQLITE_NULL ? "<null>" : reinterpret_cast<const char*>(sqlite3_column_text(S, 0));
    sqlite3_finalize(S);
    sqlite3_close(DB);
    return R;
  }
  static Strings Column(TDataSet* DS, const std::string& Field) {
    Strings R;
    for (DS->First(); !DS->Eof(); DS->Next()) R.push_back(DS->FieldByName(Field)->GetAsString());
    return R;
  }

  TComponent Owner{nullptr};
  std::string Path;
};

// ---- opening

TEST_F(SQLiteDataSetTest, AMissingDatabaseFileIsAnErrorUnlessAskedToCreateIt) {
  auto* DS = Make("t");
  DS->SetCreateIfMissing(false);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Open(); }), "Database file \"" + Path + "\" does not exist");
  EXPECT_FALSE(std::filesystem::exists(Path));
  DS->SetCreateIfMissing(true);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Open(); }), "Table 't' not found");
  EXPECT_TRUE(std::filesystem::exists(Path));
  EXPECT_FALSE(DS->GetActive());
}

TEST_F(SQLiteDataSetTest, BadSourcesGiveClearErrors) {
  Exec("CREATE TABLE t (a INTEGER)");
  auto* DS = Make();
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Open(); }), "No table name or SQL query given");
  DS->SetSQL("SELECT nope FROM t");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Open(); }), "no such column: nope");
  DS->SetSQL("DELETE FROM t");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Open(); }), "A query dataset only reads; change data with ExecSQL");
  DS->SetSQL("SELECT 1; SELECT 2");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Open(); }), "A query dataset opens one statement only");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->ExecSQL("CREATE TABLE"); }), "incomplete input");

  std::string NotADb = dbtest::ScratchFile(".txt");
  { std::ofstream(NotADb) << "plain text, not a database\n"; }
  auto* Other = new TSQLiteDataSet(&Owner);
  Other->SetDatabaseName(NotADb);
  Other->SetTableName("t");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { Other->Open(); }), "file is not a database");
}

TEST_F(SQLiteDataSetTest, SourceAndDatabaseCannotChangeWhileOpen) {
  Exec("CREATE TABLE t (a INTEGER)");
  auto* DS = Make("t");
  DS->Open();
  const std::string Open = "Cannot perform this operation on an open dataset";
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->SetTableName("u"); }), Open);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->SetDatabaseName("other.db"); }), Open);
  DS->Close();
  DS->SetSQL("SELECT a FROM t");
  EXPECT_EQ(DS->GetTableName(), "") << "a query replaces the table";
}

struct TMapCase {
  std::string Declared;
  TFieldType Type;
  int Size;
};

TEST_F(SQLiteDataSetTest, DeclaredColumnTypesMapToFieldTypes) {
  const std::vector<TMapCase> Cases = {
      {"INTEGER", ftInteger, 0},         {"INT", ftInteger, 0},           {"SMALLINT", ftSmallint, 0},
      {"TINYINT", ftSmallint, 0},        {"BIGINT", ftLargeint, 0},       {"UNSIGNED BIG INT", ftLargeint, 0},
      {"REAL", ftFloat, 0},              {"FLOAT", ftFloat, 0},           {"DOUBLE PRECISION", ftFloat, 0},
      {"NUMERIC", ftBCD, 0},             {"DECIMAL(10,2)", ftBCD, 0},     {"DECIMAL(12,6)", ftFloat, 0},
      {"CURRENCY", ftCurrency, 0},       {"MONEY", ftCurrency, 0},        {"BOOLEAN", ftBoolean, 0},
      {"DATE", ftDate, 0},               {"TIME", ftTime, 0},             {"DATETIME", ftDateTime, 0},
      {"TIMESTAMP", ftDateTime, 0},      {"TEXT", ftString, 0},           {"VARCHAR(30)", ftString, 30},
      {"CHARACTER VARYING(8)", ftString, 8}, {"CHAR(2)", ftFixedChar, 2}, {"NVARCHAR(40)", ftWideString, 40},
      {"CLOB", ftString, 0},             {"BLOB", ftString, 0},
  };
  std::string Sql;
  for (size_t I = 0; I < Cases.size(); ++I)
    Sql += (I ? ", " : "") + ("c" + IntToStr(static_cast<int64_t>(I)) + " " + Cases[I].Declared);
  Exec("CREATE TABLE t (" + Sql + ", req INTEGER NOT NULL, dflt INTEGER NOT NULL DEFAULT 7)");
  auto* DS = Make("t");
  DS->Open();
  for (size_t I = 0; I < Cases.size(); ++I) {
    TField* F = DS->Fields(static_cast<int>(I));
    EXPECT_EQ(FieldTypeName(F->GetDataType()), FieldTypeName(Cases[I].Type)) << Cases[I].Declared;
    EXPECT_EQ(F->GetSize(), Cases[I].Size) << Cases[I].Declared;
    EXPECT_FALSE(F->GetRequired()) << Cases[I].Declared;
  }
  EXPECT_TRUE(DS->FieldByName("c25")->GetReadOnly()) << "BLOB bytes are not written back";
  EXPECT_TRUE(DS->FieldByName("req")->GetRequired());
  EXPECT_FALSE(DS->FieldByName("dflt")->GetRequired()) << "a default fills the value";
}

TEST_F(SQLiteDataSetTest, AnIntegerPrimaryKeyIsAnAutoIncrementFilledOnInsert) {
  Exec("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT NOT NULL, qty INTEGER NOT NULL DEFAULT 5)");
  auto* DS = Make("t");
  DS->Open();
  EXPECT_EQ(DS->FieldByName("id")->GetDataType(), ftAutoInc);
  EXPECT_FALSE(DS->FieldByName("id")->GetRequired());
  DS->AppendRecord({Variant(), "first"});
  EXPECT_EQ(DS->FieldByName("id")->GetAsInteger(), 1);
  EXPECT_EQ(DS->FieldByName("qty")->GetAsInteger(), 5) << "the column default is read back";
  DS->AppendRecord({int64_t{10}, "tenth"});
  DS->AppendRecord({Variant(), "next"});
  EXPECT_EQ(DS->FieldByName("id")->GetAsInteger(), 11);
}

TEST_F(SQLiteDataSetTest, IntegerColumnsHoldingWideValuesOpenAsWiderFields) {
  Exec("CREATE TABLE t (s SMALLINT, i INTEGER, n INTEGER);"
       "INSERT INTO t VALUES (40000, 5000000000, 7)");
  auto* DS = Make("t");
  DS->Open();
  EXPECT_EQ(DS->FieldByName("s")->GetDataType(), ftInteger);
  EXPECT_EQ(DS->FieldByName("i")->GetDataType(), ftLargeint);
  EXPECT_EQ(DS->FieldByName("n")->GetDataType(), ftInteger);
  EXPECT_EQ(DS->FieldByName("i")->GetAsLargeInt(), 5000000000);
}

TEST_F(SQLiteDataSetTest, AValueThatDoesNotFitItsColumnTypeNamesTheRow) {
  Exec("CREATE TABLE t (qty INTEGER, day DATE);"
       "INSERT INTO t VALUES (1, '2024-01-02'); INSERT INTO t VALUES ('many', '2024-01-03')");
  auto* DS = Make("t");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Open(); }), "Column 'qty', row id 2: 'many' is not a valid integer value");
  Exec("UPDATE t SET qty = 2 WHERE rowid = 2; UPDATE t SET day = 'soon' WHERE rowid = 1");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Open(); }), "Column 'day', row id 1: 'soon' is not a valid date");
}

TEST_F(SQLiteDataSetTest, DatesAndTimesAreStoredAsIsoText) {
  Exec("CREATE TABLE t (d DATE, t TIME, dt DATETIME)");
  auto* DS = Make("t");
  DS->Open();
  DS->Append();
  DS->FieldByName("d")->SetAsDateTime(EncodeDate(2024, 2, 29));
  DS->FieldByName("t")->SetAsDateTime(EncodeTime(7, 5, 3, 250));
  DS->FieldByName("dt")->SetAsDateTime(EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0));
  DS->Post();
  EXPECT_EQ(Scalar("SELECT d || '|' || t || '|' || dt FROM t"), "2024-02-29|07:05:03.250|1999-12-31 23:59:59");
  Exec("INSERT INTO t VALUES ('2001-02-03', '04:05', '2001-02-03T04:05:06')");
  DS->Close();
  DS->Open();
  DS->Last();
  EXPECT_EQ(DS->FieldByName("d")->GetAsDateTime(), EncodeDate(2001, 2, 3));
  EXPECT_EQ(DS->FieldByName("t")->GetAsDateTime(), EncodeTime(4, 5, 0, 0));
  EXPECT_EQ(DS->FieldByName("dt")->GetAsDateTime(), EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 0));
}

// ---- queries and read-only kinds

TEST_F(SQLiteDataSetTest, AQueryIsReadOnlyAndTakesItsTypesFromColumnsOrValues) {
  Exec("CREATE TABLE t (name VARCHAR(10), qty INTEGER);"
       "INSERT INTO t VALUES ('a', 1); INSERT INTO t VALUES ('b', 2); INSERT INTO t VALUES ('c', 3)");
  auto* DS = Make();
  DS->SetSQL("SELECT name, qty, qty * 1.5 AS half, qty * 2 AS twice, name AS name FROM t WHERE qty > 1");
  DS->Open();
  EXPECT_EQ(DS->GetRecordCount(), 2);
  EXPECT_EQ(DS->FieldByName("name")->GetSize(), 10);
  EXPECT_EQ(DS->FieldByName("half")->GetDataType(), ftFloat);
  EXPECT_EQ(DS->FieldByName("twice")->GetDataType(), ftInteger);
  EXPECT_NE(DS->FindField("name_1"), nullptr) << "a repeated column name is made unique";
  EXPECT_EQ(Column(DS, "half"), (Strings{"3", "4.5"}));
  EXPECT_FALSE(DS->CanModify());
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Edit(); }), "Cannot modify a read-only dataset");
}

TEST_F(SQLiteDataSetTest, ViewsAndTablesWithoutRowIdsAreReadOnly) {
  Exec("CREATE TABLE t (k TEXT PRIMARY KEY, v INTEGER) WITHOUT ROWID; INSERT INTO t VALUES ('a', 1);"
       "CREATE VIEW v AS SELECT k, v * 2 AS w FROM t");
  for (const char* Name : {"t", "v"}) {
    auto* DS = Make(Name);
    DS->Open();
    EXPECT_EQ(DS->GetRecordCount(), 1) << Name;
    EXPECT_FALSE(DS->CanModify()) << Name;
  }
}

TEST_F(SQLiteDataSetTest, AClosedDataSetListsTheColumnNames) {
  Exec("CREATE TABLE t (a INTEGER, b TEXT)");
  auto* DS = Make("t");
  TStringList Names;
  DS->GetFieldNames(&Names);
  EXPECT_EQ(Names.ToVector(), (Strings{"a", "b"}));
  EXPECT_FALSE(DS->GetActive());
}

// ---- writes that persist

TEST_F(SQLiteDataSetTest, PostsInsertsAndDeletesPersistInTheFile) {
  Exec("CREATE TABLE items (name VARCHAR(20) NOT NULL, qty INTEGER, price DECIMAL(10,2), ok BOOLEAN);"
       "INSERT INTO items VALUES ('bolt', 10, 0.25, 1);"
       "INSERT INTO items VALUES ('nut', 20, 0.1, 0);"
       "INSERT INTO items VALUES ('gear', 3, 12.5, 1)");
  {
    std::unique_ptr<TSQLiteDataSet> DS(Make("items"));
    DS->Open();
    DS->Edit();
    DS->FieldByName("qty")->SetAsInteger(11);
    DS->FieldByName("price")->SetText("0.3");
    DS->Post();
    DS->Next();
    DS->Delete();
    DS->AppendRecord({"washer", int64_t{100}, 0.05, false});
    DS->Edit();
    DS->FieldByName("qty")->Clear();
    DS->Post();
  }
  auto* Again = Make("items");
  Again->Open();
  EXPECT_EQ(Column(Again, "name"), (Strings{"bolt", "gear", "washer"}));
  EXPECT_EQ(Column(Again, "qty"), (Strings{"11", "3", ""}));
  EXPECT_EQ(Column(Again, "price"), (Strings{"0.3", "12.5", "0.05"}));
  EXPECT_EQ(Column(Again, "ok"), (Strings{"True", "True", "False"}));
}

TEST_F(SQLiteDataSetTest, AnUpdateWritesOnlyTheFieldsTheEditChanged) {
  Exec("CREATE TABLE t (a INTEGER, b INTEGER); INSERT INTO t VALUES (1, 1)");
  auto* DS = Make("t");
  DS->Open();
  Exec("UPDATE t SET b = 99");  // another user changes b meanwhile
  DS->Edit();
  DS->FieldByName("a")->SetAsInteger(2);
  DS->Post();
  EXPECT_EQ(Scalar("SELECT a || ',' || b FROM t"), "2,99");
  EXPECT_EQ(DS->FieldByName("b")->GetAsInteger(), 99) << "the posted row is read back";
}

TEST_F(SQLiteDataSetTest, ARefusedWriteRollsBackAndKeepsTheEditWithNothingLost) {
  Exec("CREATE TABLE t (name TEXT NOT NULL UNIQUE, qty INTEGER CHECK (qty >= 0));"
       "INSERT INTO t VALUES ('a', 1); INSERT INTO t VALUES ('b', 2)");
  auto* DS = Make("t");
  DS->Open();
  DS->Edit();
  DS->FieldByName("name")->SetAsString("renamed");
  DS->FieldByName("qty")->SetAsInteger(-5);
  std::string Msg = ErrorOf<EDatabaseError>([&] { DS->Post(); });
  EXPECT_NE(Msg.find("CHECK constraint failed"), std::string::npos) << Msg;
  EXPECT_EQ(DS->GetState(), dsEdit);
  EXPECT_EQ(DS->FieldByName("name")->GetAsString(), "renamed");
  EXPECT_EQ(DS->FieldByName("qty")->GetAsInteger(), -5);
  EXPECT_EQ(Scalar("SELECT name || ',' || qty FROM t WHERE rowid = 1"), "a,1") << "nothing half-written";

  // Moving away tries to post again and fails the same way, staying on the record.
  EXPECT_THROW(DS->Next(), EDatabaseError);
  EXPECT_EQ(DS->GetRecNo(), 1);

  DS->FieldByName("qty")->SetAsInteger(5);
  DS->Post();
  DS->Append();
  DS->FieldByName("name")->SetAsString("b");
  Msg = ErrorOf<EDatabaseError>([&] { DS->Post(); });
  EXPECT_NE(Msg.find("UNIQUE constraint failed"), std::string::npos) << Msg;
  EXPECT_EQ(DS->GetState(), dsInsert);
  EXPECT_EQ(DS->GetRecordCount(), 2);

  delete DS;
  auto* Again = Make("t");
  Again->Open();
  EXPECT_EQ(Column(Again, "name"), (Strings{"renamed", "b"}));
  EXPECT_EQ(Column(Again, "qty"), (Strings{"5", "2"}));
}

TEST_F(SQLiteDataSetTest, AnInsertWhoseStoredRowCannotBeReadBackIsRolledBackWhole) {
  Exec("CREATE TABLE t (name TEXT, day DATE);"
       "CREATE TRIGGER spoil AFTER INSERT ON t BEGIN UPDATE t SET day = 'someday' WHERE rowid = new.rowid; END");
  auto* DS = Make("t");
  DS->Open();
  DS->Append();
  DS->FieldByName("name")->SetAsString("x");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Post(); }), "Column 'day': 'someday' is not a valid date");
  EXPECT_EQ(DS->GetState(), dsInsert);
  EXPECT_EQ(Scalar("SELECT count(*) FROM t"), "0") << "the inserted row went with the rollback";
}

TEST_F(SQLiteDataSetTest, ARefusedDeleteKeepsTheRecord) {
  Exec("CREATE TABLE parent (id INTEGER PRIMARY KEY, name TEXT);"
       "CREATE TABLE child (pid INTEGER REFERENCES parent(id));"
       "INSERT INTO parent VALUES (1, 'p'); INSERT INTO child VALUES (1)");
  auto* DS = Make("parent");
  DS->Open();
  std::string Msg = ErrorOf<EDatabaseError>([&] { DS->Delete(); });
  EXPECT_NE(Msg.find("FOREIGN KEY constraint failed"), std::string::npos) << Msg;
  EXPECT_EQ(DS->GetRecordCount(), 1);
  EXPECT_EQ(Scalar("SELECT count(*) FROM parent"), "1");
}

TEST_F(SQLiteDataSetTest, ARecordDeletedByAnotherUserCannotBeUpdated) {
  Exec("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1)");
  auto* DS = Make("t");
  DS->Open();
  Exec("DELETE FROM t");
  DS->Edit();
  DS->FieldByName("a")->SetAsInteger(2);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Post(); }), "Record not found");
  EXPECT_EQ(DS->GetState(), dsEdit);
}

TEST_F(SQLiteDataSetTest, WritesJoinATransactionTheApplicationOpened) {
  Exec("CREATE TABLE t (a INTEGER)");
  auto* DS = Make("t");
  DS->Open();
  DS->ExecSQL("BEGIN");
  DS->AppendRecord({int64_t{1}});
  DS->ExecSQL("ROLLBACK");
  EXPECT_EQ(Scalar("SELECT count(*) FROM t"), "0");
}

}  // namespace
