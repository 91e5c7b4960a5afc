// The number edits, driven as a user drives them: Tab in, type, Tab out,
// against an in-memory dataset.
#include "db_rt/ZYMQIXDbNumEdit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "db_rt/ZYMQIX_RS_DB.h"
#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXMsg.h"
#include "rt/ZYMQIXSettings.h"
#include "tests/db_rt/DbEditFixture.h"
#include "vcl/TypInfo.h"

namespace zymqix {
namespace {

using namespace vcl;

enum class TKind { Pos, Int, PosFloat, Float, Percent, Sci, IP, Hex };

const char* KindName(TKind K) {
  static const char* const Names[] = {"pos", "int", "posfloat", "float", "percent", "sci", "ip", "hex"};
  return Names[static_cast<int>(K)];
}

class TNumEditTest : public test::TDbEditFixture {
protected:
  /// Qty integer, Big 64-bit integer, Price and Rate float, Addr and Mask
  /// integer (an address and a bit mask), Amount currency, Name string.
  void DefineFields(TFieldDefs& Defs) override {
    Defs.Add("Name", ftString, 20);
    Defs.Add("Qty", ftInteger);
    Defs.Add("Big", ftLargeint);
    Defs.Add("Price", ftFloat);
    Defs.Add("Rate", ftFloat);
    Defs.Add("Addr", ftInteger);
    Defs.Add("Mask", ftInteger);
    Defs.Add("Amount", ftCurrency);
  }
  /// One record: Bolt, 12, 5000000000, 2.5, 0.155, 192.168.0.1, 255, 9.99.
  void FillRecords() override {
    DataSet->AppendRecord({std::string("Bolt"), int64_t{12}, int64_t{5000000000}, 2.5, 0.155,
                           int64_t{-1062731775}, int64_t{255}, 9.99});
  }

  /// An edit of the kind, bound to FieldName, with a name of its own.
  TZYMDbBaseEdit* Make(TKind K, const std::string& FieldName) {
    const std::string Name = std::string("Num") + std::to_string(++Made);
    switch (K) {
      case TKind::Pos: return MakeEdit<TZYMDbPosEdit>(FieldName, Name);
      case TKind::Int: return MakeEdit<TZYMDbIntEdit>(FieldName, Name);
      case TKind::PosFloat: return MakeEdit<TZYMDbPosFloatEdit>(FieldName, Name);
      case TKind::Float: return MakeEdit<TZYMDbFloatEdit>(FieldName, Name);
      case TKind::Percent: return MakeEdit<TZYMDbPercentEdit>(FieldName, Name);
      case TKind::Sci: return MakeEdit<TZYMDbSciFloatEdit>(FieldName, Name);
      case TKind::IP: return MakeEdit<TZYMDbIPEdit>(FieldName, Name);
      case TKind::Hex: return MakeEdit<TZYMDbHexEdit>(FieldName, Name);
    }
    return nullptr;
  }

  /// Writes a field value as another user of the dataset would.
  void Store(const std::string& FieldName, double Value) {
    DataSet->Edit();
    Field(FieldName)->SetAsFloat(Value);
    DataSet->Post();
  }

  /// Tab in, select everything and type Text.
  void Enter(TCustomEdit* E, const std::string& Text) {
    TabIn(E);
    E->SelectAll();
    Type(E, Text);
  }
  /// Tab in with the caret after the text and nothing selected.
  void EnterAtEnd(TCustomEdit* E) {
    TabIn(E);
    E->SetSelStart(static_cast<int>(E->GetText().size()));
  }
  /// Tab out and post what the control wrote.
  void Commit(TCustomEdit* E) {
    TabOut(E);
    if (DataSet->GetState() != dsBrowse) DataSet->Post();
  }

  int Beeps() const { return Host().BeepCount(); }
  std::string LastMessage() const { return Host().Messages().empty() ? "" : Host().Messages().back().Text; }

  /// Records each OnBoundsError code.
  void RecordBounds(TZYMDbBaseEdit* E) {
    E->SetOnBoundsError([this](TObject*, std::string, Byte Code) { Events.Add("bounds" + std::to_string(Code)); });
  }

  int Made = 0;
};

// ---------------------------------------------------------------- construction and properties

TEST_F(TNumEditTest, EachMemberAcceptsItsCharactersAndBeepsAtOthers) {
  struct TCase {
    TKind Kind;
    const char* FieldName;
    const char* Accepted;  ///< typed over the selected text, one key each
    const char* Refused;
  };
  const TCase Cases[] = {
      {TKind::Pos, "Qty", "1,234", "-.aE%"},
      {TKind::Int, "Qty", "1,234", ".aE%"},
      {TKind::PosFloat, "Price", "1,234.5", "-aE%"},
      {TKind::Float, "Price", "1,234.5", "aE%"},
      {TKind::Percent, "Rate", "1,234.5%", "aEx"},
      {TKind::Sci, "Price", "-1.5e+3", "a%x"},
      {TKind::IP, "Addr", "10.0.0.1", "a-+,"},
      {TKind::Hex, "Mask", "1aF0", "g-+.,"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(KindName(C.Kind));
    auto* E = Make(C.Kind, C.FieldName);
    Enter(E, C.Accepted);
    EXPECT_EQ(E->GetText(), C.Accepted);
    EXPECT_EQ(Beeps(), 0);
    for (const char* P = C.Refused; *P; ++P) Type(E, std::string(1, *P));
    EXPECT_EQ(E->GetText(), C.Accepted);
    EXPECT_EQ(Beeps(), static_cast<int>(std::string(C.Refused).size()));
    DataSet->Cancel();
    delete E;
    Host().Reset();
    Host().EchoMessagesToStderr = false;
  }
}

TEST_F(TNumEditTest, AcceptedSeparatorsAreTheLocaleAtConstruction) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = ' ';
  auto* E = static_cast<TZYMDbFloatEdit*>(Make(TKind::Float, "Price"));
  EXPECT_EQ(E->GetText(), "2,5000");
  ResetFormatSettings();
  DataSet->Edit();  // the re-read shows the value in today's locale before typing starts
  Enter(E, "1 2,5.");
  EXPECT_EQ(E->GetText(), "1 2,5") << "'.' was no separator when the edit was made";
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(TNumEditTest, PublishedDefaultsAndAlwaysStoredProperties) {
  struct TCase {
    TKind Kind;
    const char* Prop;
    bool Published;
    bool HasDefault;
    std::string Value;  ///< the fresh control's value as text
  };
  const TCase Cases[] = {
      {TKind::Int, "BoundLower", true, true, "0"},
      {TKind::Int, "UseSignToggling", true, true, "True"},
      {TKind::Int, "ColorFontNeg", true, true, std::to_string(clWindowText)},
      {TKind::Int, "DecimalPlaces", false, false, ""},
      {TKind::Float, "DecimalPlaces", true, true, "4"},
      {TKind::Float, "BoundUpper", true, false, "0"},
      {TKind::Float, "Scale", true, false, "1"},
      {TKind::Percent, "DecimalPlaces", true, true, "2"},
      {TKind::Percent, "Scaled", true, true, "True"},
      {TKind::Percent, "Scale", false, false, ""},
      {TKind::Sci, "Scale", true, false, "1"},
      {TKind::Sci, "ColorFontPos", true, true, std::to_string(clWindowText)},
      {TKind::Sci, "ShowPosSign", false, false, ""},
      {TKind::IP, "BoundUpper", true, false, "255.255.255.255"},
      {TKind::IP, "IgnoreConvertError", true, true, "False"},
      {TKind::IP, "ZeroPad", false, false, ""},
      {TKind::Hex, "BoundUpper", true, false, "FFFFFFFF"},
      {TKind::Hex, "ZeroPad", true, true, "True"},
      {TKind::Hex, "MaxLength", true, true, "8"},
      {TKind::Hex, "AsLongWord", true, true, "0"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(std::string(KindName(C.Kind)) + "." + C.Prop);
    auto* E = Make(C.Kind, "");
    const TPropInfo* P = GetPropInfo(E, C.Prop);
    ASSERT_EQ(P != nullptr, C.Published);
    if (!P) continue;
    EXPECT_EQ(P->Default.has_value(), C.HasDefault);
    EXPECT_EQ(PropValueToString(*P, P->Getter(E)), C.Value);
    EXPECT_TRUE(P->IsStored(E));
    EXPECT_EQ(P->IsDefault(E), C.HasDefault) << "a fresh control holds its declared default";
  }
}

TEST_F(TNumEditTest, FieldOfTheWrongTypeIsRefusedWithItsMessage) {
  struct TCase {
    TKind Kind;
    const char* FieldName;
    const char* Message;
  };
  const TCase Cases[] = {
      {TKind::Pos, "Price", "Only Integer type Fields permitted"},
      {TKind::Int, "Name", "Only Integer type Fields permitted"},
      {TKind::Float, "Qty", "Only Float type Fields permitted"},
      {TKind::PosFloat, "Amount", "Only Float type Fields permitted"},
      {TKind::Percent, "Qty", "Only Float type Fields permitted"},
      {TKind::Sci, "Big", "Only Float type Fields permitted"},
      {TKind::IP, "Price", "Only Integer type Fields permitted"},
      {TKind::Hex, "Rate", "Only Integer type Fields permitted"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(KindName(C.Kind));
    auto* E = Make(C.Kind, "");
    E->SetDataSource(Source);
    try {
      E->SetDataField(C.FieldName);
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidFieldType& Ex) {
      EXPECT_EQ(Ex.Message(), C.Message);
    }
    EXPECT_EQ(E->GetDataField(), "");
  }
}

TEST_F(TNumEditTest, WrongFieldNamedOnAClosedDatasetIsRefusedWhenItOpens) {
  DataSet->Close();
  auto* E = Make(TKind::Float, "Qty");
  EXPECT_EQ(E->GetDataField(), "Qty");
  try {
    DataSet->Open();
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidFieldType& Ex) {
    EXPECT_EQ(Ex.Message(), rsFloatOnly);
  }
}

// ---------------------------------------------------------------- reading and writing the field

TEST_F(TNumEditTest, EachMemberShowsItsFieldAndWritesWhatIsTyped) {
  struct TCase {
    TKind Kind;
    const char* FieldName;
    const char* Shown;
    const char* Typed;
    const char* ShownAfter;
    double Stored;
  };
  const TCase Cases[] = {
      {TKind::Pos, "Qty", "12", "1,234", "1234", 1234},
      {TKind::Int, "Qty", "12", "-345", "-345", -345},
      {TKind::PosFloat, "Price", "2.5000", "7.25", "7.2500", 7.25},
      {TKind::Float, "Price", "2.5000", "-0.125", "-0.1250", -0.125},
      {TKind::Percent, "Rate", "15.50", "20", "20.00", 0.2},
      {TKind::Sci, "Price", "2.5000E+00", "1.5e3", "1.5000E+03", 1500},
      {TKind::IP, "Addr", "192.168.0.1", "10.0.0.1", "10.0.0.1", 167772161},
      {TKind::Hex, "Mask", "000000FF", "ff00", "0000FF00", 65280},
      {TKind::Int, "Big", "5000000000", "6000000000", "6000000000", 6e9},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(std::string(KindName(C.Kind)) + " on " + C.FieldName);
    const double Original = Field(C.FieldName)->GetAsFloat();
    auto* E = Make(C.Kind, C.FieldName);
    EXPECT_EQ(E->GetText(), C.Shown);
    Enter(E, C.Typed);
    Commit(E);
    EXPECT_EQ(E->GetText(), C.ShownAfter);
    EXPECT_DOUBLE_EQ(Field(C.FieldName)->GetAsFloat(), C.Stored);
    delete E;
    Store(C.FieldName, Original);
  }
}

TEST_F(TNumEditTest, AddressesAreStoredAsTheBitsOfA32BitField) {
  auto* E = static_cast<TZYMDbIPEdit*>(Make(TKind::IP, "Addr"));
  EXPECT_EQ(E->GetAsLongWord(), 0xC0A80001u);
  Enter(E, "255.255.255.254");
  Commit(E);
  EXPECT_EQ(Field("Addr")->GetAsInteger(), -2);
}

// Showing a record is no edit of it: a browsed dataset stays in browse state
// and an empty one gets no record.
TEST_F(TNumEditTest, ShowingRecordsDoesNotEditTheDataset) {
  DataSet->AppendRecord({std::string("Nut"), int64_t{7}, int64_t{1}, 0.123456, 0.5, int64_t{1}, int64_t{1}, 1.0});
  DataSet->First();
  for (TKind K : {TKind::Pos, TKind::Int, TKind::PosFloat, TKind::Float, TKind::Percent, TKind::Sci, TKind::IP,
                  TKind::Hex}) {
    SCOPED_TRACE(KindName(K));
    const char* Fields[] = {"Qty", "Qty", "Price", "Price", "Rate", "Price", "Addr", "Mask"};
    Make(K, Fields[static_cast<int>(K)]);
    EXPECT_EQ(DataSet->GetState(), dsBrowse);
    DataSet->Next();
    EXPECT_EQ(DataSet->GetState(), dsBrowse);
    DataSet->First();
  }
  DataSet->Close();
  DataSet->GetFieldDefs()->Clear();
  DefineFields(*DataSet->GetFieldDefs());
  DataSet->Open();
  EXPECT_EQ(DataSet->GetRecordCount(), 0);
  EXPECT_EQ(DataSet->GetState(), dsBrowse);
}

TEST_F(TNumEditTest, ValueBeyondThe32BitFieldIsRefusedNotCut) {
  auto* E = Make(TKind::Int, "Qty");
  Enter(E, "5000000000");
  EXPECT_THROW(TabOut(E), EDatabaseError);
  EXPECT_TRUE(E->Focused());
  DataSet->Cancel();
  EXPECT_EQ(Field("Qty")->GetAsInteger(), 12);
}

TEST_F(TNumEditTest, NullFieldShowsTheNullTextAndTypingLeavesIt) {
  DataSet->Edit();
  Field("Price")->Clear();
  DataSet->Post();
  auto* E = static_cast<TZYMDbFloatEdit*>(Make(TKind::Float, "Price"));
  EXPECT_TRUE(E->IsNull());
  EXPECT_EQ(E->GetText(), "(null)");
  TabIn(E);
  Type(E, "-");
  EXPECT_FALSE(E->IsNull());
  EXPECT_EQ(E->GetText(), "-");
  Type(E, "4");
  Commit(E);
  EXPECT_DOUBLE_EQ(Field("Price")->GetAsFloat(), -4);
}

// ---------------------------------------------------------------- bounds

TEST_F(TNumEditTest, DefaultBoundsReportEveryNonZeroValue) {
  struct TCase {
    TKind Kind;
    const char* FieldName;
    const char* Typed;
    const char* Expected;
  };
  const TCase Cases[] = {
      {TKind::Int, "Qty", "5", "bounds2"},    {TKind::Int, "Qty", "-5", "bounds1"},
      {TKind::Int, "Qty", "0", ""},           {TKind::Float, "Price", "0.5", "bounds2"},
      {TKind::Float, "Price", "-0.5", "bounds1"}, {TKind::Float, "Price", "0", ""},
      {TKind::Percent, "Rate", "-1", "bounds1"},  {TKind::Sci, "Price", "1e-9", "bounds2"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(std::string(KindName(C.Kind)) + " " + C.Typed);
    auto* E = Make(C.Kind, C.FieldName);
    E->SetBoundsEnabled(true);
    Events.Clear();
    RecordBounds(E);
    Enter(E, C.Typed);
    Commit(E);
    EXPECT_EQ(Events.Joined(), C.Expected);
    delete E;
  }
}

TEST_F(TNumEditTest, BoundsMessageShowsTheBoundInTheEditsFormAndTheValueIsStillWritten) {
  struct TCase {
    TKind Kind;
    const char* FieldName;
    std::function<void(TZYMDbBaseEdit*)> SetBounds;
    const char* Typed;
    std::string Message;
    double Stored;
  };
  const TCase Cases[] = {
      {TKind::Int, "Qty", [](TZYMDbBaseEdit* E) { static_cast<TZYMDbIntEdit*>(E)->SetBoundUpper(100); }, "101",
       std::string(rsUpperBound) + "100", 101},
      {TKind::Int, "Qty", [](TZYMDbBaseEdit*) {}, "-3", std::string(rsLowerBound) + "0", -3},
      {TKind::Float, "Price",
       [](TZYMDbBaseEdit* E) { static_cast<TZYMDbFloatEdit*>(E)->SetBoundLower(1.25L); }, "1",
       std::string(rsLowerBound) + "1.2500", 1},
      {TKind::Percent, "Rate",
       [](TZYMDbBaseEdit* E) { static_cast<TZYMDbPercentEdit*>(E)->SetBoundUpper(50); }, "60",
       std::string(rsUpperBound) + "50.00", 0.6},
      {TKind::IP, "Addr",
       [](TZYMDbBaseEdit* E) { static_cast<TZYMDbIPEdit*>(E)->SetBoundUpper("10.255.255.255"); }, "11.0.0.1",
       std::string(rsUpperBound) + "10.255.255.255", 184549377},
      {TKind::Hex, "Mask", [](TZYMDbBaseEdit* E) { static_cast<TZYMDbHexEdit*>(E)->SetBoundLower("100"); },
       "FF", std::string(rsLowerBound) + "00000100", 255},
  };
  // A zero bound shows as zero even where formatters blank zeros.
  ZYMBlankWhenZero = true;
  for (const TCase& C : Cases) {
    SCOPED_TRACE(std::string(KindName(C.Kind)) + " " + C.Typed);
    auto* E = Make(C.Kind, C.FieldName);
    C.SetBounds(E);
    E->SetBoundsEnabled(true);
    Host().ClearMessages();
    Enter(E, C.Typed);
    TabOut(E);
    EXPECT_EQ(LastMessage(), C.Message);
    DataSet->Post();
    EXPECT_DOUBLE_EQ(Field(C.FieldName)->GetAsFloat(), C.Stored) << "the message does not stop the commit";
    delete E;
  }
}

TEST_F(TNumEditTest, AddressAndHexBoundsCompareUnsigned) {
  auto* IP = static_cast<TZYMDbIPEdit*>(Make(TKind::IP, "Addr"));
  IP->SetBoundsEnabled(true);
  RecordBounds(IP);
  Enter(IP, "128.0.0.0");
  Commit(IP);
  EXPECT_EQ(Events.Joined(), "") << "$80000000 lies between 0 and $FFFFFFFF";
  IP->SetBoundUpper("127.255.255.255");
  Enter(IP, "128.0.0.0");
  Commit(IP);
  EXPECT_EQ(Events.Joined(), "bounds2");
  delete IP;

  Events.Clear();
  auto* Hex = static_cast<TZYMDbHexEdit*>(Make(TKind::Hex, "Mask"));
  Hex->SetBoundsEnabled(true);
  Hex->SetBoundLower("1");
  RecordBounds(Hex);
  Enter(Hex, "80000000");
  Commit(Hex);
  EXPECT_EQ(Events.Joined(), "");
  Hex->SetBoundUpper("7FFFFFFF");
  Enter(Hex, "80000000");
  Commit(Hex);
  EXPECT_EQ(Events.Joined(), "bounds2");
  EXPECT_EQ(Hex->GetBoundUpper(), "7FFFFFFF");
}

// ---------------------------------------------------------------- display options

TEST_F(TNumEditTest, ZeroPadKeepsTheSignInFront) {
  struct TCase {
    double Value;
    bool ShowPosSign;
    bool BlankWhenZero;
    const char* Expected;
  };
  const TCase Cases[] = {
      {-12, false, false, "-00012"}, {12, true, false, "+00012"}, {12, false, false, "000012"},
      {0, false, true, "000000"},    {0, true, false, "000000"},  {-1234567, false, false, "-1234567"},
  };
  auto* E = static_cast<TZYMDbIntEdit*>(Make(TKind::Int, "Qty"));
  E->SetMaxLength(6);
  E->SetZeroPad(true);
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Expected);
    E->SetShowPosSign(C.ShowPosSign);
    E->SetBlankWhenZero(C.BlankWhenZero);
    Store("Qty", C.Value);
    EXPECT_EQ(E->GetText(), C.Expected);
  }
}

TEST_F(TNumEditTest, ZeroPadOfFloatsMovesOnlyASignThatIsShown) {
  auto* E = static_cast<TZYMDbFloatEdit*>(Make(TKind::Float, "Price"));
  E->SetDecimalPlaces(2);
  E->SetMaxLength(10);
  E->SetZeroPad(true);
  Store("Price", -1.5);
  EXPECT_EQ(E->GetText(), "-000001.50");
  Store("Price", -0.001);
  EXPECT_EQ(E->GetText(), "0000000.00") << "a value that shows as zero has no sign to keep";
}

TEST_F(TNumEditTest, FormatOptionsOfTheFloatEdit) {
  auto* E = static_cast<TZYMDbFloatEdit*>(Make(TKind::Float, "Price"));
  Store("Price", -1234.5);
  EXPECT_EQ(E->GetText(), "-1234.5000");
  E->SetShowThousandSeparators(true);
  EXPECT_EQ(E->GetText(), "-1,234.5000");
  E->SetTrimTrailingZeroes(true);
  EXPECT_EQ(E->GetText(), "-1,234.5");
  E->SetShowThousandSeparators(false);
  EXPECT_EQ(E->GetText(), "-1234.5");
  Store("Price", 0);
  E->SetBlankWhenZero(true);
  EXPECT_EQ(E->GetText(), "");
}

TEST_F(TNumEditTest, DisplayHoldsTheZeroAndSignSettingsOnlyWhileFormatting) {
  auto* E = static_cast<TZYMDbIntEdit*>(Make(TKind::Int, "Qty"));
  bool SeenSign = false;
  E->SetOnChange([&](TObject*) {
    SeenSign = ZYMNumPosSign;
    throw EInvalidOperation("refused by a handler");
  });
  EXPECT_THROW(E->SetShowPosSign(true), EInvalidOperation);
  EXPECT_TRUE(SeenSign) << "the control's option is in force while its text is set";
  EXPECT_FALSE(ZYMNumPosSign) << "and restored when the text change fails";
  EXPECT_FALSE(ZYMBlankWhenZero);
  E->SetOnChange(nullptr);
  E->SetShowPosSign(false);
  E->SetShowPosSign(true);
  EXPECT_EQ(E->GetText(), "+12");
  EXPECT_FALSE(ZYMNumPosSign);
}

TEST_F(TNumEditTest, FontColourFollowsTheSign) {
  auto* E = static_cast<TZYMDbFloatEdit*>(Make(TKind::Float, "Price"));
  E->SetColorFontNeg(clRed);
  E->SetColorFontPos(clNavy);
  EXPECT_EQ(E->GetFont()->GetColor(), clNavy);
  EnterAtEnd(E);
  Type(E, "-");
  EXPECT_EQ(E->GetFont()->GetColor(), clRed);
  auto* Sci = static_cast<TZYMDbSciFloatEdit*>(Make(TKind::Sci, "Price"));
  Sci->SetColorFontNeg(clRed);
  Sci->SetFloatValue(-2);
  EXPECT_EQ(Sci->GetFont()->GetColor(), clRed);
}

// ---------------------------------------------------------------- sign and separator keys

TEST_F(TNumEditTest, SignKeysActOnTheWholeValue) {
  struct TCase {
    const char* Name;
    double Value;        ///< in the field when the control is made
    bool UseSignToggling;
    int SelStart, SelLength;  ///< -1: caret after the text
    const char* Keys;
    const char* Expected;
  };
  const TCase Cases[] = {
      {"minus on positive", 12, true, -1, 0, "-", "-12"},
      {"minus toggles back", 12, true, -1, 0, "--", "12"},
      {"minus without toggling stays negative", 12, false, -1, 0, "--", "-12"},
      {"plus makes positive", -12, false, -1, 0, "+", "12"},
      {"plus toggles the plus sign", 12, true, -1, 0, "+", "+12"},
      {"plus toggles it off again", 12, true, -1, 0, "++", "12"},
      {"plus on negative with toggling", -12, true, -1, 0, "+", "+12"},
      {"caret in the middle", 1234, true, 2, 0, "-", "-1234"},
      {"selection deleted first", 1234, true, 2, 2, "-", "-12"},
      {"everything selected: minus is typed", 12, true, 0, 2, "-5", "-5"},
      {"everything selected: plus dropped", 12, true, 0, 2, "+", "+"},
      {"everything selected: plus without plus signs", 12, false, 0, 2, "+", ""},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    Store("Qty", C.Value);
    auto* E = static_cast<TZYMDbIntEdit*>(Make(TKind::Int, "Qty"));
    E->SetUseSignToggling(C.UseSignToggling);
    TabIn(E);
    if (C.SelStart < 0) {
      E->SetSelStart(static_cast<int>(E->GetText().size()));
    } else {
      E->SetSelStart(C.SelStart);
      E->SetSelLength(C.SelLength);
    }
    Type(E, C.Keys);
    EXPECT_EQ(E->GetText(), C.Expected);
    EXPECT_EQ(Beeps(), 0);
    TabOut(E);
    DataSet->Cancel();
    delete E;
  }
}

TEST_F(TNumEditTest, SignKeyIsWrittenToTheField) {
  auto* E = Make(TKind::Float, "Price");
  EnterAtEnd(E);
  Type(E, "-");
  EXPECT_TRUE(E->GetModified());
  Commit(E);
  EXPECT_DOUBLE_EQ(Field("Price")->GetAsFloat(), -2.5);
}

TEST_F(TNumEditTest, PositiveEditRefusesMinusButTurnsANegativeFieldValuePositive) {
  Store("Qty", -7);
  auto* E = Make(TKind::Pos, "Qty");
  EXPECT_EQ(E->GetText(), "-7");
  EnterAtEnd(E);
  Type(E, "-");
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(E->GetText(), "-7");
  Type(E, "+");
  EXPECT_EQ(E->GetText(), "+7") << "UseSignToggling also turns plus signs on";
  Commit(E);
  EXPECT_EQ(Field("Qty")->GetAsInteger(), 7);
}

TEST_F(TNumEditTest, SignKeysChangeNothingWhereTheFieldCannotChange) {
  auto* E = static_cast<TZYMDbIntEdit*>(Make(TKind::Int, "Qty"));
  E->SetReadOnly(true);
  EnterAtEnd(E);
  Type(E, "-+");
  EXPECT_EQ(E->GetText(), "12");
  EXPECT_EQ(E->GetInt64Value(), 12);
  EXPECT_FALSE(E->GetShowPosSign());
  EXPECT_EQ(DataSet->GetState(), dsBrowse);
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(TNumEditTest, SecondDecimalSeparatorIsRefusedWithABeep) {
  auto* E = Make(TKind::Float, "Price");
  EnterAtEnd(E);
  Type(E, ".");
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(E->GetText(), "2.5000");
  E->SetSelStart(1);
  E->SetSelLength(3);  // ".50" goes, so a separator may come
  Type(E, ".");
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(E->GetText(), "2.00");
  Commit(E);
  EXPECT_DOUBLE_EQ(Field("Price")->GetAsFloat(), 2);
}

TEST_F(TNumEditTest, KeypadDecimalKeyTypesTheLocalesSeparator) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = ' ';
  auto* E = Make(TKind::Float, "Price");
  E->SetNumPadDecimal(true);
  Enter(E, "3");
  Key(E, VK_DECIMAL);
  Type(E, "5");
  EXPECT_EQ(E->GetText(), "3,5");
  Key(E, VK_DECIMAL);
  EXPECT_EQ(Beeps(), 1) << "a second separator, keypad or not";
  Commit(E);
  EXPECT_DOUBLE_EQ(Field("Price")->GetAsFloat(), 3.5);

  E->SetNumPadDecimal(false);
  Enter(E, "3");
  Key(E, VK_DECIMAL);
  EXPECT_EQ(E->GetText(), "3") << "the key's own '.' is no separator here";
  EXPECT_EQ(Beeps(), 2);
}

// ---------------------------------------------------------------- scaling and accuracy

TEST_F(TNumEditTest, PercentEditShowsPercentOfAFractionAndWritesTheFraction) {
  auto* E = static_cast<TZYMDbPercentEdit*>(Make(TKind::Percent, "Rate"));
  EXPECT_EQ(E->GetText(), "15.50");
  EXPECT_DOUBLE_EQ(static_cast<double>(E->GetPercentValue()), 15.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(E->GetFloatValue()), 0.155);
  Enter(E, "20");
  Commit(E);
  EXPECT_DOUBLE_EQ(Field("Rate")->GetAsFloat(), 0.2);

  E->SetShowPercent(true);
  EXPECT_EQ(E->GetText(), "20.00%");
  Enter(E, "12.5%");
  Commit(E);
  EXPECT_EQ(E->GetText(), "12.50%");
  EXPECT_DOUBLE_EQ(Field("Rate")->GetAsFloat(), 0.125);

  E->SetFloatValue(0.3);
  EXPECT_EQ(E->GetText(), "30.00%");
  DataSet->Post();
  EXPECT_DOUBLE_EQ(Field("Rate")->GetAsFloat(), 0.3);
}

TEST_F(TNumEditTest, PercentEditUnscaledUsesTheFieldValueAndSwitchingKeepsIt) {
  auto* E = static_cast<TZYMDbPercentEdit*>(Make(TKind::Percent, "Rate"));
  E->SetDecimalPlaces(4);
  E->SetScaled(false);
  EXPECT_EQ(E->GetText(), "0.1550");
  EXPECT_DOUBLE_EQ(static_cast<double>(E->GetFloatValue()), 0.155);
  Enter(E, "0.25");
  Commit(E);
  EXPECT_DOUBLE_EQ(Field("Rate")->GetAsFloat(), 0.25);
  E->SetScaled(true);
  EXPECT_EQ(E->GetText(), "25.0000");
}

TEST_F(TNumEditTest, ScaledFloatEditShowsAndComparesInItsUnits) {
  Store("Price", 250);
  auto* E = static_cast<TZYMDbFloatEdit*>(Make(TKind::Float, "Price"));
  E->SetScale(100);
  EXPECT_EQ(E->GetText(), "2.5000");
  EXPECT_DOUBLE_EQ(static_cast<double>(E->GetScaledFloat()), 2.5);
  E->SetBoundsEnabled(true);
  E->SetBoundUpper(300);
  RecordBounds(E);
  TabIn(E);
  TabOut(E);
  EXPECT_EQ(Events.Joined(), "") << "250 against 300, not 2.5";
  E->SetBoundUpper(200);
  TabIn(E);
  TabOut(E);
  EXPECT_EQ(Events.Joined(), "bounds2");
  Enter(E, "3");
  Commit(E);
  EXPECT_DOUBLE_EQ(Field("Price")->GetAsFloat(), 300);

  E->SetScale(0);
  EXPECT_EQ(E->GetScale(), 1) << "a zero scale is no scale";
  E->SetScale(-4);
  EXPECT_EQ(E->GetScale(), 4);
  EXPECT_EQ(E->GetText(), "75.0000");
}

// The user toggles the sign twice: the text is back to what was shown, and the
// link is modified, so the value is written.
TEST_F(TNumEditTest, FullAccuracyWritesBackAValueTheUserLeftAsShown) {
  struct TCase {
    bool FullAccuracy;
    bool Trim;
    double Stored;
    const char* Shown;
    double Written;
  };
  const TCase Cases[] = {
      {true, false, 2.123456789, "2.1235", 2.123456789},
      {false, false, 2.123456789, "2.1235", 2.1235},
      {true, true, 2.50001, "2.5", 2.50001},
      {false, true, 2.50001, "2.5", 2.5},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(std::string(C.FullAccuracy ? "full" : "shown") + (C.Trim ? " trimmed" : ""));
    auto* E = static_cast<TZYMDbFloatEdit*>(Make(TKind::Float, "Price"));
    E->SetFullAccuracy(C.FullAccuracy);
    E->SetTrimTrailingZeroes(C.Trim);
    Store("Price", C.Stored);
    EXPECT_EQ(E->GetText(), C.Shown);
    EnterAtEnd(E);
    Type(E, "--");
    Commit(E);
    EXPECT_EQ(E->GetText(), C.Shown);
    EXPECT_EQ(Field("Price")->GetAsFloat(), C.Written);
    delete E;
  }
}

TEST_F(TNumEditTest, FullAccuracyValueIsTheFieldsUntilTheTextChanges) {
  auto* E = static_cast<TZYMDbFloatEdit*>(Make(TKind::Float, "Price"));
  E->SetFullAccuracy(true);
  Store("Price", 2.123456789);
  EXPECT_EQ(E->GetFloatValue(), 2.123456789);
  TabIn(E);
  TabOut(E);
  EXPECT_EQ(E->GetFloatValue(), 2.123456789) << "leaving converts, but the text is as shown";
  EnterAtEnd(E);
  Key(E, VK_BACK);
  Type(E, "5");
  EXPECT_DOUBLE_EQ(static_cast<double>(E->GetFloatValue()), 2.1235) << "a changed text is parsed";
  TabOut(E);
  DataSet->Cancel();
  EXPECT_EQ(E->GetFloatValue(), 2.123456789);
  E->SetFullAccuracy(false);
  EXPECT_DOUBLE_EQ(static_cast<double>(E->GetFloatValue()), 2.1235) << "switching it off takes the value from the text";
  DataSet->Cancel();
  TabIn(E);
  TabOut(E);
  EXPECT_DOUBLE_EQ(static_cast<double>(E->GetFloatValue()), 2.1235) << "without it leaving takes the value from the text";
}

// ---------------------------------------------------------------- scientific, hexadecimal and IP

TEST_F(TNumEditTest, ScientificEditTypesSignsAsCharacters) {
  auto* E = static_cast<TZYMDbSciFloatEdit*>(Make(TKind::Sci, "Price"));
  E->SetTrimTrailingZeroes(true);
  EXPECT_EQ(E->GetText(), "2.5E+00");
  EnterAtEnd(E);
  Type(E, "-");
  EXPECT_EQ(E->GetText(), "2.5E+00-") << "no sign keys";
  Enter(E, "-12e-3");
  Commit(E);
  EXPECT_EQ(E->GetText(), "-1.2E-02");
  EXPECT_DOUBLE_EQ(Field("Price")->GetAsFloat(), -0.012);
  E->SetScale(1000);
  EXPECT_EQ(E->GetText(), "-1.2E-05");
  Store("Price", 0);
  E->SetBlankWhenZero(true);
  EXPECT_EQ(E->GetText(), "");
}

TEST_F(TNumEditTest, HexEditShowsEightDigitsByDefault) {
  auto* E = static_cast<TZYMDbHexEdit*>(Make(TKind::Hex, "Mask"));
  EXPECT_EQ(E->GetText(), "000000FF");
  EXPECT_EQ(E->GetAsLongWord(), 255u);
  Enter(E, "123456789");
  EXPECT_EQ(E->GetText(), "12345678") << "eight digits at most";
  Commit(E);
  EXPECT_EQ(Field("Mask")->GetAsInteger(), 0x12345678);
  E->SetMaxLength(0);
  EXPECT_EQ(E->GetText(), "12345678");
  Store("Mask", 255);
  EXPECT_EQ(E->GetText(), "FF");
  E->SetMaxLength(4);
  EXPECT_EQ(E->GetText(), "00FF");
  E->SetZeroPad(false);
  EXPECT_EQ(E->GetText(), "FF");
}

TEST_F(TNumEditTest, MalformedAddressRaisesOnlyOnLeaving) {
  auto* E = static_cast<TZYMDbIPEdit*>(Make(TKind::IP, "Addr"));
  Enter(E, "192.168");
  EXPECT_EQ(E->GetAsLongWord(), 0u) << "a half-typed address stands for 0";
  try {
    TabOut(E);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& Ex) {
    EXPECT_EQ(Ex.Message(), "'192.168' is not a valid IP address");
  }
  EXPECT_TRUE(E->Focused());
  EXPECT_FALSE(ZYMRaiseIPError);

  std::vector<std::string> Refused;
  E->SetOnConvertError([&](TObject*, std::string Text) { Refused.push_back(Text); });
  EXPECT_NO_THROW(TabOut(E));
  EXPECT_EQ(Refused, std::vector<std::string>{"192.168"});
}

TEST_F(TNumEditTest, AddressRaisesNothingWhenConversionErrorsAreIgnoredOrTheExitHandlerSaysInvalid) {
  auto* E = static_cast<TZYMDbIPEdit*>(Make(TKind::IP, "Addr"));
  E->SetIgnoreConvertError(true);
  Enter(E, "1.2.3");
  EXPECT_NO_THROW(TabOut(E));
  E->SetIgnoreConvertError(false);
  E->SetOnExitStart([](TObject*, std::string&, bool& Valid) { Valid = false; });
  Enter(E, "1.2.3");
  EXPECT_NO_THROW(TabOut(E));
}

// ---------------------------------------------------------------- value setters

TEST_F(TNumEditTest, ValueSettersStoreAChangeAndAskForEditState) {
  struct TCase {
    const char* Name;
    TKind Kind;
    const char* FieldName;
    std::function<void(TZYMDbBaseEdit*)> SetSame;
    std::function<void(TZYMDbBaseEdit*)> SetNew;
    const char* Shown;
    double Stored;
  };
  auto Int = [](TZYMDbBaseEdit* E) { return static_cast<TZYMDbIntEdit*>(E); };
  auto Flt = [](TZYMDbBaseEdit* E) { return static_cast<TZYMDbFloatEdit*>(E); };
  auto Pct = [](TZYMDbBaseEdit* E) { return static_cast<TZYMDbPercentEdit*>(E); };
  auto Sci = [](TZYMDbBaseEdit* E) { return static_cast<TZYMDbSciFloatEdit*>(E); };
  const TCase Cases[] = {
      {"IntValue", TKind::Int, "Qty", [&](auto* E) { Int(E)->SetIntValue(12); },
       [&](auto* E) { Int(E)->SetIntValue(-40); }, "-40", -40},
      {"LWordValue", TKind::Int, "Big", [&](auto* E) { Int(E)->SetInt64Value(5000000000); },
       [&](auto* E) { Int(E)->SetLWordValue(0xFFFFFFFFu); }, "4294967295", 4294967295.0},
      {"Int64Value", TKind::Int, "Big", [&](auto* E) { Int(E)->SetInt64Value(5000000000); },
       [&](auto* E) { Int(E)->SetInt64Value(-5000000000); }, "-5000000000", -5e9},
      {"FloatValue", TKind::Float, "Price", [&](auto* E) { Flt(E)->SetFloatValue(2.5L); },
       [&](auto* E) { Flt(E)->SetFloatValue(0.75L); }, "0.7500", 0.75},
      {"ScaledFloat", TKind::Float, "Price", [&](auto* E) { Flt(E)->SetScaledFloat(2.5L); },
       [&](auto* E) { Flt(E)->SetScaledFloat(8); }, "8.0000", 8},
      {"PercentValue", TKind::Percent, "Rate", [&](auto* E) { Pct(E)->SetPercentValue(15.5L); },
       [&](auto* E) { Pct(E)->SetPercentValue(40); }, "40.00", 0.4},
      {"percent FloatValue", TKind::Percent, "Rate", [&](auto* E) { Pct(E)->SetFloatValue(0.155L); },
       [&](auto* E) { Pct(E)->SetFloatValue(0.05L); }, "5.00", 0.05},
      {"scientific FloatValue", TKind::Sci, "Price", [&](auto* E) { Sci(E)->SetFloatValue(2.5L); },
       [&](auto* E) { Sci(E)->SetFloatValue(-300); }, "-3.0000E+02", -300},
      {"scientific ScaledFloat", TKind::Sci, "Price", [&](auto* E) { Sci(E)->SetScaledFloat(2.5L); },
       [&](auto* E) { Sci(E)->SetScaledFloat(4); }, "4.0000E+00", 4},
      {"IP AsLongWord", TKind::IP, "Addr",
       [](auto* E) { static_cast<TZYMDbIPEdit*>(E)->SetAsLongWord(0xC0A80001u); },
       [](auto* E) { static_cast<TZYMDbIPEdit*>(E)->SetAsLongWord(0x0A000001u); }, "10.0.0.1", 167772161},
      {"hex AsLongWord", TKind::Hex, "Mask", [](auto* E) { static_cast<TZYMDbHexEdit*>(E)->SetAsLongWord(255); },
       [](auto* E) { static_cast<TZYMDbHexEdit*>(E)->SetAsLongWord(0xABCu); }, "00000ABC", 2748},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    const double Original = Field(C.FieldName)->GetAsFloat();
    auto* E = Make(C.Kind, C.FieldName);
    Events.Clear();
    E->SetOnChange(Events.Notify("change"));
    C.SetSame(E);
    EXPECT_EQ(Events.Joined(), "");
    EXPECT_EQ(DataSet->GetState(), dsBrowse);
    C.SetNew(E);
    EXPECT_EQ(E->GetText(), C.Shown);
    EXPECT_EQ(DataSet->GetState(), dsEdit);
    DataSet->Post();
    EXPECT_DOUBLE_EQ(Field(C.FieldName)->GetAsFloat(), C.Stored);
    delete E;
    Store(C.FieldName, Original);
  }
}

TEST_F(TNumEditTest, SettingTheSameValueOnANullControlShowsTheValue) {
  DataSet->Edit();
  Field("Qty")->Clear();
  DataSet->Post();
  auto* E = static_cast<TZYMDbIntEdit*>(Make(TKind::Int, "Qty"));
  ASSERT_TRUE(E->IsNull());
  EXPECT_EQ(E->GetInt64Value(), 0);
  E->SetIntValue(0);
  EXPECT_FALSE(E->IsNull());
  EXPECT_EQ(E->GetText(), "0");
  DataSet->Post();
  EXPECT_FALSE(Field("Qty")->IsNull());
}

TEST_F(TNumEditTest, ValueSetterOnAReadOnlyControlDoesNotAskForEditState) {
  auto* E = static_cast<TZYMDbFloatEdit*>(Make(TKind::Float, "Price"));
  E->SetReadOnly(true);
  E->SetFloatValue(9);
  EXPECT_EQ(E->GetText(), "9.0000");
  EXPECT_EQ(DataSet->GetState(), dsBrowse);
}

TEST_F(TNumEditTest, IntegerViewsOfTheValue) {
  auto* E = static_cast<TZYMDbIntEdit*>(Make(TKind::Int, ""));
  E->SetIntValue(-1);
  EXPECT_EQ(E->GetInt64Value(), -1) << "sign-extended";
  EXPECT_EQ(E->GetLWordValue(), 0xFFFFFFFFu);
  E->SetLWordValue(0xFFFFFFFFu);
  EXPECT_EQ(E->GetInt64Value(), 4294967295) << "zero-extended";
  EXPECT_EQ(E->GetIntValue(), -1);
  E->SetInt64Value(0x100000005);
  EXPECT_EQ(E->GetIntValue(), 5) << "the low 32 bits";
}

}  // namespace
}  // namespace zymqix
