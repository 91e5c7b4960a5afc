// Dataset behaviour that every dataset kind must share: the same tests run
// against the in-memory dataset and the SQLite table dataset.
#include <gtest/gtest.h>

#include <memory>

#include "DBTestUtil.h"
#include "vcl/MemDataSet.h"
#include "vcl/SQLiteDataSet.h"

using namespace vcl;
using dbtest::ErrorOf;

namespace {

struct TColumn {
  std::string Name;
  TFieldType Type;
  int Size = 0;
  bool Required = false;
};

struct TMemFactory {
  static TDataSet* Create(TComponent* Owner, const std::vector<TColumn>& Cols) {
    auto* DS = new TMemDataSet(Owner);
    for (const auto& C : Cols) DS->GetFieldDefs()->Add(C.Name, C.Type, C.Size, C.Required);
    DS->Open();
    return DS;
  }
};

std::string SqlType(const TColumn& C) {
  const std::string N = IntToStr(C.Size);
  switch (C.Type) {
    case ftString: return C.Size ? "VARCHAR(" + N + ")" : "TEXT";
    case ftFixedChar: return "CHAR(" + N + ")";
    case ftWideString: return "NVARCHAR(" + N + ")";
    case ftSmallint: return "SMALLINT";
    case ftInteger: return "INTEGER";
    case ftLargeint: return "BIGINT";
    case ftAutoInc: return "INTEGER PRIMARY KEY";
    case ftFloat: return "REAL";
    case ftCurrency: return "CURRENCY";
    case ftBCD: return "DECIMAL(18,4)";
    case ftBoolean: return "BOOLEAN";
    case ftDate: return "DATE";
    case ftTime: return "TIME";
    case ftDateTime: return "DATETIME";
    default: ADD_FAILURE() << "no column type for " << FieldTypeName(C.Type); return "";
  }
}

struct TSQLiteFactory {
  static TDataSet* Create(TComponent* Owner, const std::vector<TColumn>& Cols) {
    auto* DS = new TSQLiteDataSet(Owner);
    DS->SetDatabaseName(dbtest::ScratchFile(".db"));
    DS->SetCreateIfMissing(true);
    std::string Sql;
    for (const auto& C : Cols)
      Sql += (Sql.empty() ? "" : ", ") + ("\"" + C.Name + "\" " + SqlType(C)) + (C.Required ? " NOT NULL" : "");
    DS->ExecSQL("CREATE TABLE t (" + Sql + ")");
    DS->SetTableName("t");
    DS->Open();
    return DS;
  }
};

template <class Factory>
class DataSetTest : public ::testing::Test {
protected:
  TDataSet* Make(const std::vector<TColumn>& Cols) { return Factory::Create(&Owner, Cols); }

  /// Name (required, 20 characters), Qty, Price: Ann 1 1.5, Bob 2 2.5, Cid 3 3.5, Dan 4 4.5.
  TDataSet* People() {
    TDataSet* DS = Make({{"Name", ftString, 20, true}, {"Qty", ftInteger}, {"Price", ftFloat}});
    DS->AppendRecord({"Ann", int64_t{1}, 1.5});
    DS->AppendRecord({"Bob", int64_t{2}, 2.5});
    DS->AppendRecord({"Cid", int64_t{3}, 3.5});
    DS->AppendRecord({"Dan", int64_t{4}, 4.5});
    DS->First();
    return DS;
  }
  static std::string Name(TDataSet* DS) { return DS->FieldByName("Name")->GetAsString(); }
  /// The names from the first record to the last (the cursor ends past the last).
  static std::vector<std::string> Names(TDataSet* DS) {
    std::vector<std::string> R;
    for (DS->First(); !DS->Eof(); DS->Next()) R.push_back(Name(DS));
    return R;
  }

  TComponent Owner{nullptr};
};

using Kinds = ::testing::Types<TMemFactory, TSQLiteFactory>;
class KindNames {
public:
  template <class T>
  static std::string GetName(int) {
    return std::is_same_v<T, TMemFactory> ? "Mem" : "SQLite";
  }
};
TYPED_TEST_SUITE(DataSetTest, Kinds, KindNames);

using Strings = std::vector<std::string>;

// ---- navigation

TYPED_TEST(DataSetTest, NavigationWalksTheRecordsInOrderBetweenBofAndEof) {
  TDataSet* DS = this->People();
  EXPECT_TRUE(DS->Bof());
  EXPECT_FALSE(DS->Eof());
  EXPECT_EQ(this->Names(DS), (Strings{"Ann", "Bob", "Cid", "Dan"}));
  EXPECT_TRUE(DS->Eof());
  EXPECT_EQ(this->Name(DS), "Dan") << "Next past the last record stays on it";
  EXPECT_EQ(DS->GetRecordCount(), 4);
  DS->Last();
  EXPECT_TRUE(DS->Eof());
  DS->Prior();
  EXPECT_EQ(this->Name(DS), "Cid");
  EXPECT_FALSE(DS->Eof());
  EXPECT_EQ(DS->MoveBy(-10), -2);
  EXPECT_TRUE(DS->Bof());
  EXPECT_EQ(this->Name(DS), "Ann");
  EXPECT_EQ(DS->MoveBy(2), 2);
  EXPECT_EQ(DS->GetRecNo(), 3);
  DS->SetRecNo(1);
  EXPECT_EQ(this->Name(DS), "Ann");
  DS->SetRecNo(9);
  EXPECT_EQ(this->Name(DS), "Ann") << "a record number out of range is ignored";
}

TYPED_TEST(DataSetTest, AnEmptyDataSetIsAtBothEnds) {
  TDataSet* DS = this->Make({{"Name", ftString, 20}});
  EXPECT_TRUE(DS->Bof());
  EXPECT_TRUE(DS->Eof());
  EXPECT_TRUE(DS->IsEmpty());
  EXPECT_EQ(DS->GetRecNo(), -1);
  EXPECT_FALSE(DS->FindFirst());
  EXPECT_FALSE(DS->FindNext());
  EXPECT_EQ(DS->GetBookmark(), nullptr);
  EXPECT_TRUE(DS->FieldByName("Name")->IsNull());
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Delete(); }), "Cannot perform this operation on an empty dataset");
}

TYPED_TEST(DataSetTest, FindFirstAndFindNextVisitEveryRecordOnceAndStopOnTheLast) {
  TDataSet* DS = this->People();
  DS->Last();
  Strings Seen;
  if (DS->FindFirst()) do Seen.push_back(this->Name(DS)); while (DS->FindNext());
  EXPECT_EQ(Seen, (Strings{"Ann", "Bob", "Cid", "Dan"}));
  EXPECT_EQ(this->Name(DS), "Dan");
  Seen.clear();
  if (DS->FindLast()) do Seen.push_back(this->Name(DS)); while (DS->FindPrior());
  EXPECT_EQ(Seen, (Strings{"Dan", "Cid", "Bob", "Ann"}));
}

// ---- bookmarks

TYPED_TEST(DataSetTest, ABookmarkSurvivesInsertsAndDeletesOfOtherRecords) {
  TDataSet* DS = this->People();
  DS->SetRecNo(3);
  TBookmark B = DS->GetBookmark();
  ASSERT_NE(B, nullptr);
  DS->First();
  DS->Insert();
  DS->FieldByName("Name")->SetAsString("Aaa");
  DS->Post();
  DS->SetRecNo(3);
  ASSERT_EQ(this->Name(DS), "Bob");
  DS->Delete();
  DS->Last();
  DS->GotoBookmark(B);
  EXPECT_EQ(this->Name(DS), "Cid");
  EXPECT_EQ(DS->GetRecNo(), 3);
  EXPECT_EQ(DS->GetBookmarkCount(), 1);
  DS->FreeBookmark(B);
  EXPECT_EQ(DS->GetBookmarkCount(), 0);
}

TYPED_TEST(DataSetTest, ABookmarkOfADeletedRecordIsNotFound) {
  TDataSet* DS = this->People();
  DS->Next();
  TBookmark B = DS->GetBookmark();
  DS->Delete();
  EXPECT_FALSE(DS->BookmarkValid(B));
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->GotoBookmark(B); }), "Record not found");
  EXPECT_EQ(this->Name(DS), "Cid");
  DS->FreeBookmark(B);
}

TYPED_TEST(DataSetTest, BookmarksCompareByPositionAndNoneExistsForAnInsert) {
  TDataSet* DS = this->People();
  TBookmark First = DS->GetBookmark();
  DS->Last();
  TBookmark Last = DS->GetBookmark();
  EXPECT_LT(DS->CompareBookmarks(First, Last), 0);
  EXPECT_GT(DS->CompareBookmarks(Last, First), 0);
  EXPECT_EQ(DS->CompareBookmarks(Last, Last), 0);
  DS->Append();
  EXPECT_EQ(DS->GetBookmark(), nullptr);
  DS->Cancel();
  DS->FreeBookmark(First);
  DS->FreeBookmark(Last);
}

// ---- inserting, deleting, posting

TYPED_TEST(DataSetTest, InsertGoesBeforeTheCurrentRecordAndAppendAfterTheLast) {
  TDataSet* DS = this->People();
  DS->SetRecNo(2);
  DS->Insert();
  EXPECT_EQ(DS->GetState(), dsInsert);
  EXPECT_TRUE(DS->FieldByName("Name")->IsNull()) << "a new record starts blank";
  DS->FieldByName("Name")->SetAsString("Bea");
  DS->Post();
  EXPECT_EQ(DS->GetRecNo(), 2);
  DS->Append();
  DS->FieldByName("Name")->SetAsString("Eve");
  DS->Post();
  EXPECT_EQ(DS->GetRecNo(), 6);
  EXPECT_EQ(this->Names(DS), (Strings{"Ann", "Bea", "Bob", "Cid", "Dan", "Eve"}));
}

TYPED_TEST(DataSetTest, CancellingAnInsertReturnsToTheRecordItStartedFrom) {
  TDataSet* DS = this->People();
  DS->SetRecNo(3);
  DS->Insert();
  DS->FieldByName("Name")->SetAsString("Zed");
  DS->Cancel();
  EXPECT_EQ(this->Name(DS), "Cid");
  EXPECT_EQ(DS->GetRecordCount(), 4);
  DS->Append();
  DS->Delete();  // deleting an unposted record cancels it
  EXPECT_EQ(DS->GetState(), dsBrowse);
  EXPECT_EQ(DS->GetRecordCount(), 4);
}

TYPED_TEST(DataSetTest, DeleteMovesToTheNextRecordOrTheNewLast) {
  TDataSet* DS = this->People();
  DS->Next();
  DS->Delete();
  EXPECT_EQ(this->Name(DS), "Cid");
  DS->Last();
  DS->Delete();
  EXPECT_EQ(this->Name(DS), "Cid");
  EXPECT_EQ(this->Names(DS), (Strings{"Ann", "Cid"}));
}

TYPED_TEST(DataSetTest, PostKeepsTheValuesAndCancelRestoresThem) {
  TDataSet* DS = this->People();
  DS->Edit();
  DS->FieldByName("Qty")->SetAsInteger(10);
  DS->Post();
  EXPECT_EQ(DS->FieldByName("Qty")->GetAsInteger(), 10);
  DS->Edit();
  DS->FieldByName("Qty")->SetAsInteger(20);
  EXPECT_TRUE(DS->GetModified());
  DS->Cancel();
  EXPECT_EQ(DS->FieldByName("Qty")->GetAsInteger(), 10);
  EXPECT_FALSE(DS->GetModified());
}

TYPED_TEST(DataSetTest, EditingAnEmptyDataSetInsertsARecord) {
  TDataSet* DS = this->Make({{"Name", ftString, 20}});
  DS->Edit();
  EXPECT_EQ(DS->GetState(), dsInsert);
  DS->FieldByName("Name")->SetAsString("One");
  DS->Post();
  EXPECT_EQ(DS->GetRecordCount(), 1);
}

TYPED_TEST(DataSetTest, AppendRecordWithABadValueLeavesNoRecordBehind) {
  TDataSet* DS = this->People();
  EXPECT_THROW(DS->AppendRecord({"Eve", "many"}), EConvertError);
  EXPECT_EQ(DS->GetState(), dsBrowse);
  EXPECT_EQ(DS->GetRecordCount(), 4);
}

// ---- checks on values

TYPED_TEST(DataSetTest, PostRefusesAnEmptyRequiredFieldAndKeepsTheOtherValues) {
  TDataSet* DS = this->People();
  DS->Append();
  DS->FieldByName("Qty")->SetAsInteger(5);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Post(); }), "Field 'Name' must have a value");
  EXPECT_EQ(DS->GetState(), dsInsert);
  EXPECT_EQ(DS->FieldByName("Qty")->GetAsInteger(), 5);
  EXPECT_EQ(DS->GetRecordCount(), 4);
}

TYPED_TEST(DataSetTest, BadTextRaisesAConversionErrorAndKeepsTheValue) {
  TDataSet* DS = this->People();
  DS->Edit();
  EXPECT_EQ(ErrorOf<EConvertError>([&] { DS->FieldByName("Qty")->SetText("abc"); }),
            "'abc' is not a valid integer value");
  EXPECT_EQ(ErrorOf<EConvertError>([&] { DS->FieldByName("Price")->SetText("1.2.3"); }),
            "'1.2.3' is not a valid floating point value");
  EXPECT_EQ(DS->FieldByName("Qty")->GetAsInteger(), 1);
  EXPECT_EQ(DS->GetState(), dsEdit);
}

TYPED_TEST(DataSetTest, ValuesOutsideTheFieldRangeAreRefused) {
  TDataSet* DS = this->People();
  auto* Qty = dynamic_cast<TIntegerField*>(DS->FieldByName("Qty"));
  auto* Price = dynamic_cast<TFloatField*>(DS->FieldByName("Price"));
  ASSERT_TRUE(Qty && Price);
  Qty->SetMinValue(0);
  Qty->SetMaxValue(100);
  Price->SetMinValue(0.5);
  Price->SetMaxValue(9.5);
  DS->Edit();
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { Qty->SetAsInteger(150); }),
            "150 is not a valid value for field 'Qty'. The allowed range is 0 to 100");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { Price->SetText("10"); }),
            "10 is not a valid value for field 'Price'. The allowed range is 0.5 to 9.5");
  Qty->SetAsInteger(100);
  EXPECT_EQ(Qty->GetAsInteger(), 100);
}

TYPED_TEST(DataSetTest, NullFieldsReadAsZeroFalseOrEmpty) {
  TDataSet* DS = this->Make({{"Name", ftString, 20}, {"Qty", ftInteger}, {"Price", ftFloat}, {"Ok", ftBoolean},
                             {"Day", ftDate}});
  DS->AppendRecord({"Only a name"});
  for (const char* F : {"Qty", "Price", "Ok", "Day"}) {
    TField* Fld = DS->FieldByName(F);
    EXPECT_TRUE(Fld->IsNull()) << F;
    EXPECT_EQ(Fld->GetAsString(), "") << F;
    EXPECT_EQ(Fld->GetText(), "") << F;
    EXPECT_EQ(Fld->GetDisplayText(), "") << F;
  }
  EXPECT_EQ(DS->FieldByName("Qty")->GetAsInteger(), 0);
  EXPECT_EQ(DS->FieldByName("Price")->GetAsFloat(), 0.0);
  EXPECT_FALSE(DS->FieldByName("Ok")->GetAsBoolean());
  EXPECT_EQ(DS->FieldByName("Day")->GetAsDateTime(), 0.0);
}

TYPED_TEST(DataSetTest, OnValidateSeesTheNewValueAndCanRefuseIt) {
  TDataSet* DS = this->People();
  TField* Qty = DS->FieldByName("Qty");
  int Seen = -1, Changes = 0;
  Qty->SetOnValidate([&](TField* F) {
    Seen = F->GetAsInteger();
    if (Seen % 2) throw EDatabaseError("odd quantities are not sold");
  });
  Qty->SetOnChange([&](TField*) { ++Changes; });
  DS->Edit();
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { Qty->SetAsInteger(7); }), "odd quantities are not sold");
  EXPECT_EQ(Seen, 7);
  EXPECT_EQ(Qty->GetAsInteger(), 1);
  EXPECT_EQ(Changes, 0);
  Qty->SetAsInteger(8);
  EXPECT_EQ(Qty->GetAsInteger(), 8);
  EXPECT_EQ(Changes, 1);
}

TYPED_TEST(DataSetTest, StringFieldsKeepAtMostTheirSize) {
  TDataSet* DS = this->People();
  TField* Name = DS->FieldByName("Name");
  EXPECT_EQ(Name->GetSize(), 20);
  DS->Edit();
  Name->SetAsString("abcdefghijklmnopqrstuvwxyz");
  DS->Post();
  EXPECT_EQ(Name->GetAsString(), "abcdefghijklmnopqrst");
}

TYPED_TEST(DataSetTest, FieldsAreFoundByNameInAnyCase) {
  TDataSet* DS = this->People();
  EXPECT_EQ(DS->FieldByName("qty"), DS->FindField("QTY"));
  EXPECT_EQ(DS->FindField("Nope"), nullptr);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->FieldByName("Nope"); }), "Field 'Nope' not found");
  TStringList Names;
  DS->GetFieldNames(&Names);
  EXPECT_EQ(Names.ToVector(), (Strings{"Name", "Qty", "Price"}));
  EXPECT_EQ(DS->FieldByName("Price")->GetDataType(), ftFloat);
  EXPECT_TRUE(DS->FieldByName("Name")->GetRequired());
}

TYPED_TEST(DataSetTest, AReadOnlyDataSetNavigatesButRefusesChanges) {
  TDataSet* DS = this->People();
  DS->SetReadOnly(true);
  EXPECT_FALSE(DS->CanModify());
  EXPECT_FALSE(DS->FieldByName("Qty")->CanModify());
  const std::string ReadOnly = "Cannot modify a read-only dataset";
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Edit(); }), ReadOnly);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Append(); }), ReadOnly);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Delete(); }), ReadOnly);
  DS->Last();
  EXPECT_EQ(this->Name(DS), "Dan");
}

// ---- every field type through a post

struct TTypeCase {
  TFieldType Type;
  int Size;
  std::string Text;      ///< written through Text
  std::string Expected;  ///< Text read back after the post
};

TYPED_TEST(DataSetTest, EveryFieldTypeKeepsItsValueThroughAPost) {
  const std::vector<TTypeCase> Cases = {
      {ftString, 10, "abc", "abc"},
      {ftFixedChar, 2, "AB", "AB"},
      {ftWideString, 10, "xyz", "xyz"},
      {ftSmallint, 0, "-12", "-12"},
      {ftInteger, 0, "123456", "123456"},
      {ftLargeint, 0, "5000000000", "5000000000"},
      {ftFloat, 0, "2.5", "2.5"},
      {ftCurrency, 0, "3.25", "3.25"},
      {ftBCD, 0, "1234.5678", "1234.5678"},
      {ftBoolean, 0, "t", "True"},
      {ftDate, 0, "3/15/2024", "3/15/2024"},
      {ftTime, 0, "13:45:30", "13:45:30"},
      {ftDateTime, 0, "3/15/2024 13:45:30", "3/15/2024 13:45:30"},
  };
  std::vector<TColumn> Cols;
  for (size_t I = 0; I < Cases.size(); ++I) Cols.push_back({"F" + IntToStr(static_cast<int64_t>(I)), Cases[I].Type, Cases[I].Size});
  TDataSet* DS = this->Make(Cols);
  DS->Append();
  for (size_t I = 0; I < Cases.size(); ++I) DS->Fields(static_cast<int>(I))->SetText(Cases[I].Text);
  DS->Post();
  for (size_t I = 0; I < Cases.size(); ++I) {
    TField* F = DS->Fields(static_cast<int>(I));
    EXPECT_EQ(F->GetDataType(), Cases[I].Type) << FieldTypeName(Cases[I].Type);
    EXPECT_EQ(F->GetText(), Cases[I].Expected) << FieldTypeName(Cases[I].Type);
  }
}

}  // namespace
