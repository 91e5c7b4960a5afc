// The in-memory dataset's own features: generated keys and CSV loading.
#include "vcl/MemDataSet.h"

#include <gtest/gtest.h>

#include <fstream>

#include "DBTestUtil.h"

using namespace vcl;
using dbtest::ErrorOf;
using Strings = std::vector<std::string>;

namespace {

Strings Column(TDataSet* DS, const std::string& Field) {
  Strings R;
  for (DS->First(); !DS->Eof(); DS->Next())
    R.push_back(DS->FieldByName(Field)->IsNull() ? "<null>" : DS->FieldByName(Field)->GetAsString());
  return R;
}

TEST(MemDataSet, OpeningWithoutFieldDefinitionsIsRefused) {
  TMemDataSet DS(nullptr);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS.Open(); }), "Cannot open a dataset without field definitions");
  EXPECT_FALSE(DS.GetActive());
}

TEST(MemDataSet, FieldDefinitionsRefuseEmptyAndDuplicateNames) {
  TMemDataSet DS(nullptr);
  DS.GetFieldDefs()->Add("Name", ftString, 10);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS.GetFieldDefs()->Add("NAME", ftInteger); }),
            "Duplicate field name 'NAME'");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS.GetFieldDefs()->Add("", ftInteger); }), "Field name missing");
}

TEST(MemDataSet, AutoIncrementFieldsNumberNewRecords) {
  TMemDataSet DS(nullptr);
  DS.GetFieldDefs()->Add("Id", ftAutoInc);
  DS.GetFieldDefs()->Add("Name", ftString, 10);
  DS.Open();
  DS.AppendRecord({Variant(), "a"});
  DS.AppendRecord({int64_t{10}, "b"});
  DS.AppendRecord({Variant(), "c"});
  EXPECT_EQ(Column(&DS, "Id"), (Strings{"1", "10", "11"}));
}

TEST(MemDataSet, FieldSettingsSurviveAReopenWithTheSameLayout) {
  TMemDataSet DS(nullptr);
  DS.GetFieldDefs()->Add("Qty", ftInteger);
  DS.Open();
  auto* Qty = dynamic_cast<TIntegerField*>(DS.FieldByName("Qty"));
  Qty->SetDisplayFormat("0000");
  DS.Close();
  EXPECT_EQ(DS.FieldByName("Qty"), Qty);
  DS.Open();
  EXPECT_EQ(DS.FieldByName("Qty"), Qty);
  DS.AppendRecord({int64_t{7}});
  EXPECT_EQ(Qty->GetDisplayText(), "0007");
  EXPECT_EQ(DS.GetRecordCount(), 1) << "records of a closed in-memory dataset are gone";
}

TEST(MemDataSet, ActiveReadFromAFormWaitsForLoaded) {
  TMemDataSet DS(nullptr);
  DS.GetFieldDefs()->Add("Qty", ftInteger);
  DS.SetLoading(true);
  DS.SetActive(true);
  EXPECT_FALSE(DS.GetActive());
  DS.SetLoading(false);
  DS.Loaded();
  EXPECT_TRUE(DS.GetActive());
}

// ---- CSV

TEST(MemDataSetCsv, TypesAreInferredFromTheValues) {
  TMemDataSet DS(nullptr);
  DS.LoadFromCSVText(
      "name,qty,big,price,ok,day,stamp,at,mixed,blank\n"
      "bolt,1,5000000000,0.25,true,2024-01-31,2024-01-31 08:00:00,08:00,1,\n"
      "nut,-2,3,1e3,FALSE,2024-02-01,2024-02-01T09:30,17:45:10.5,x,\n");
  const std::vector<std::pair<std::string, TFieldType>> Expected = {
      {"name", ftString}, {"qty", ftInteger},    {"big", ftLargeint}, {"price", ftFloat}, {"ok", ftBoolean},
      {"day", ftDate},    {"stamp", ftDateTime}, {"at", ftTime},      {"mixed", ftString}, {"blank", ftString}};
  ASSERT_EQ(DS.GetFieldCount(), static_cast<int>(Expected.size()));
  for (const auto& [Name, Type] : Expected)
    EXPECT_EQ(FieldTypeName(DS.FieldByName(Name)->GetDataType()), FieldTypeName(Type)) << Name;
  EXPECT_EQ(DS.GetRecordCount(), 2);
  DS.Last();
  EXPECT_EQ(DS.FieldByName("qty")->GetAsInteger(), -2);
  EXPECT_EQ(DS.FieldByName("price")->GetAsFloat(), 1000.0);
  EXPECT_FALSE(DS.FieldByName("ok")->GetAsBoolean());
  EXPECT_EQ(DS.FieldByName("stamp")->GetAsDateTime(), EncodeDate(2024, 2, 1) + EncodeTime(9, 30, 0, 0));
  EXPECT_EQ(DS.FieldByName("at")->GetAsDateTime(), EncodeTime(17, 45, 10, 500));
  EXPECT_TRUE(DS.FieldByName("blank")->IsNull());
}

TEST(MemDataSetCsv, QuotedCellsKeepDelimitersQuotesAndLineBreaks) {
  TMemDataSet DS(nullptr);
  DS.LoadFromCSVText("name;note\r\n\"Smith; John\";\"said \"\"hi\"\"\"\r\n\"two\nlines\";\r\n\r\nlast;\"\"\r\n", "t.csv",
                     ';');
  EXPECT_EQ(Column(&DS, "name"), (Strings{"Smith; John", "two\nlines", "last"}));
  EXPECT_EQ(Column(&DS, "note"), (Strings{"said \"hi\"", "<null>", ""})) << "a quoted empty cell is an empty string";
}

TEST(MemDataSetCsv, GivenDefinitionsTypeTheColumnsInAnyOrder) {
  TMemDataSet DS(nullptr);
  DS.GetFieldDefs()->Add("Qty", ftSmallint);
  DS.GetFieldDefs()->Add("Name", ftString, 5, true);
  DS.GetFieldDefs()->Add("Price", ftBCD);
  DS.GetFieldDefs()->Add("Note", ftString);
  DS.LoadFromCSVText("name,price,qty\nbolt,0.125,7\nnut,2,\n");
  EXPECT_EQ(DS.GetFieldCount(), 4);
  EXPECT_EQ(Column(&DS, "Qty"), (Strings{"7", "<null>"}));
  EXPECT_EQ(Column(&DS, "Price"), (Strings{"0.125", "2"}));
  EXPECT_EQ(Column(&DS, "Note"), (Strings{"<null>", "<null>"}));
}

struct TBadCsv {
  std::string Text;
  std::string Message;
};

TEST(MemDataSetCsv, MalformedInputNamesTheLineAndChangesNothing) {
  const std::vector<TBadCsv> Cases = {
      {"", "data.csv, line 1: the header row is missing"},
      {"a,,c\n1,2,3\n", "data.csv, line 1: column 2 has no name"},
      {"a,A\n1,2\n", "data.csv, line 1: duplicate column name 'A'"},
      {"a,b\n1,2\n3\n", "data.csv, line 3: expected 2 values, found 1"},
      {"a,b\n1,2\n\n3,4,5\n", "data.csv, line 4: expected 2 values, found 3"},
      {"a,b\n1,\"open\n2,3\n", "data.csv, line 2: unterminated quoted value"},
      {"a,b\n1,\"x\"y\n", "data.csv, line 2: unexpected text after a closing quote in column 2"},
      {"Name,Qty\nbolt,many\n", "data.csv, line 2: 'many' is not a valid integer value for field 'Qty'"},
      {"Name,Qty\nbolt,70000\n",
       "data.csv, line 2: 70000 is not a valid value for field 'Qty'. The allowed range is -32768 to 32767"},
      {"Name,Qty\ntoolongname,1\n", "data.csv, line 2: the value for field 'Name' is longer than its size 5"},
      {"Name,Qty\n,1\n", "data.csv, line 2: Field 'Name' must have a value"},
      {"Name,Weight\nbolt,1\n", "data.csv, line 1: column 'Weight' is not a field of the dataset"},
  };
  for (const auto& C : Cases) {
    TMemDataSet DS(nullptr);
    DS.GetFieldDefs()->Add("Name", ftString, 5, true);
    DS.GetFieldDefs()->Add("Qty", ftSmallint);
    const bool Typed = C.Text.rfind("Name,", 0) == 0;
    if (!Typed) DS.GetFieldDefs()->Clear();
    if (Typed) {
      DS.Open();
      DS.AppendRecord({"keep", int64_t{1}});
    }
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS.LoadFromCSVText(C.Text, "data.csv"); }), C.Message) << C.Text;
    if (Typed) {
      EXPECT_EQ(Column(&DS, "Name"), (Strings{"keep"})) << "a failed load leaves the dataset as it was";
    }
  }
}

TEST(MemDataSetCsv, LoadsAFileAndReportsAMissingOne) {
  const std::string Path = dbtest::ScratchFile(".csv");
  TMemDataSet DS(nullptr);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS.LoadFromCSVFile(Path); }),
            "Cannot open file \"" + Path + "\": No such file or directory");
  { std::ofstream(Path) << "x,y\n1,2.5\n2,3.5\n3,4.5\n"; }
  DS.LoadFromCSVFile(Path);
  double Sum = 0;
  if (DS.FindFirst()) do Sum += DS.FieldByName("y")->GetAsFloat(); while (DS.FindNext());
  EXPECT_DOUBLE_EQ(Sum, 10.5);
}

}  // namespace
