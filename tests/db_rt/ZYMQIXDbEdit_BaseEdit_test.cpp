// The typed-value edit base: the text cache, conversion on every change and on
// leaving, the exit sequence, the bounds protocol, the font colours and the
// field-type guard, through a small float edit written the way the typed
// descendants are.
#include <gtest/gtest.h>

#include <string>

#include "db_rt/ZYMQIXDbEdit.h"
#include "db_rt/ZYMQIX_RS_DB.h"
#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXMsg.h"
#include "rt/ZYMQIXNumConv.h"
#include "tests/db_rt/DbEditFixture.h"

namespace zymqix {
namespace {

using namespace vcl;
using test::TDbEditFixture;

/// A float edit as the numeric edits are built: value read from and written to
/// a float field, two decimals shown, strict parsing only while leaving.
class TTestFloatEdit : public TZYMDbBaseEdit {
public:
  explicit TTestFloatEdit(TComponent* AOwner) : TZYMDbBaseEdit(AOwner) { DisplayText(); }

  void SetDataField(const std::string& Value) override {
    SetCheckedDataField(Value, &TZYMDbBaseEdit::IsFloatField, rsFloatOnly);
  }
  void SetYearValidation(bool Value) { FYearValidation = Value; }
  const std::string& CachedText() const { return FStrValue; }

  Extended Value = 0;
  Extended BoundLower = 0, BoundUpper = 0;
  int Conversions = 0, ExitConversions = 0, BoundsChecks = 0;

protected:
  void ActiveChange() override { CheckActiveFieldType(&TZYMDbBaseEdit::IsFloatField, rsFloatOnly); }
  void Convert2Value() override {
    if (FIsNull) return;
    ++Conversions;
    if (FExitConverting) ++ExitConversions;
    Extended V = 0;
    if (TryStr2Float(GetStrValue(), V)) {
      Value = V;
      return;
    }
    if (FExitConverting) throw EConvertError("'" + GetStrValue() + "' is not a number");
  }
  void DisplayText() override {
    if (FIsNull) {
      TZYMDbBaseEdit::DisplayText();
      return;
    }
    SetStrValue(Float2EStr(Value, 2));
  }
  void DataChange() override {
    if (!GetField()) {
      SetStrValue(IsDesigning() ? GetName() : std::string());
      return;
    }
    SetNull(GetField()->IsNull());
    Value = FIsNull ? 0 : GetField()->GetAsFloat();
    DisplayText();
  }
  void UpdateData() override { GetField()->SetAsFloat(static_cast<double>(Value)); }
  void DoBoundsValidation() override {
    ++BoundsChecks;
    if (!FBoundsEnabled) return;
    SetBoundsErrorKind(Value, BoundLower, BoundUpper);
    ReportBoundsError(BoundsErrorText(Float2EStr(BoundLower, 2), Float2EStr(BoundUpper, 2)));
  }
};

class TDbBaseEditTest : public TDbEditFixture {
protected:
  /// A float edit on Price, with the dataset in edit state as after the user's first keystroke.
  TTestFloatEdit* MakePrice() {
    auto* E = MakeEdit<TTestFloatEdit>("Price");
    E->SetOnExit(Events.Notify("exit"));
    return E;
  }
  /// Tab in, select everything and type Text.
  void Enter(TWinControl* E, const std::string& Text) {
    TabIn(E);
    static_cast<TCustomEdit*>(E)->SelectAll();
    Type(E, Text);
  }
  double Price() const { return Field("Price")->GetAsFloat(); }
};

// ---------------------------------------------------------------- construction and the text cache

TEST_F(TDbBaseEditTest, FreshControlIsConvertedEightyOneWideWithWindowTextFonts) {
  ZYMNegFontColor = clRed;
  ZYMPosFontColor = clBlue;
  TZYMDbBaseEdit E(nullptr);
  EXPECT_TRUE(E.GetConvertOK());
  EXPECT_EQ(E.GetWidth(), 81);
  EXPECT_EQ(E.GetColorFontNeg(), clWindowText);
  EXPECT_EQ(E.GetColorFontPos(), clWindowText);
  EXPECT_FALSE(E.GetBoundsEnabled());
  EXPECT_FALSE(E.GetIgnoreConvertError());
  EXPECT_EQ(E.GetStrValue(), "");

  E.SetColor_Defaults(false);
  E.SetColor_Defaults(true);
  EXPECT_EQ(E.GetColorFontNeg(), clRed) << "only a later SetColors2Defaults takes them from the globals";
  EXPECT_EQ(E.GetColorFontPos(), clBlue);
  E.SetColorFontNeg(clMaroon);
  EXPECT_FALSE(E.GetColor_Defaults());
  EXPECT_EQ(E.GetColorFontNeg(), clMaroon);
  E.SetColor_Defaults(true);
  E.SetColorFontPos(clNavy);
  EXPECT_FALSE(E.GetColor_Defaults());
}

TEST_F(TDbBaseEditTest, WritingTheCachedTextDoesNothingEvenWhenTheShownTextDiffers) {
  TZYMDbBaseEdit E(nullptr);
  E.SetStrValue("abc");
  EXPECT_EQ(E.GetText(), "abc");
  E.SetText("xyz");
  E.SetStrValue("abc");
  EXPECT_EQ(E.GetText(), "xyz");
  EXPECT_EQ(E.GetStrValue(), "xyz") << "reading brings the cache in line";
  E.SetStrValue("abc");
  EXPECT_EQ(E.GetText(), "abc");
}

TEST_F(TDbBaseEditTest, WritingANewTextAsksForEditStateAndMarksTheLinkModified) {
  auto* E = MakePrice();
  DataSet->Edit();
  E->Value = 7;
  E->SetStrValue("7.00");
  DataSet->Post();
  EXPECT_DOUBLE_EQ(Price(), 7);

  E->SetReadOnly(true);
  E->SetStrValue("8.00");
  EXPECT_EQ(DataSet->GetState(), dsBrowse) << "a read-only control does not ask";
  E->SetReadOnly(false);
  E->SetStrValue("9.00");
  EXPECT_EQ(DataSet->GetState(), dsEdit);
}

// Showing what the field holds is no edit of it, so browsing leaves the dataset
// in browse state; a text written while browsing survives the re-read that
// entering edit state brings.
TEST_F(TDbBaseEditTest, ShowingTheFieldIsNoEditAndAWrittenTextSurvivesEnteringEditState) {
  DataSet->AppendRecord({std::string("Nut"), std::string("N1"), int64_t{3}, 7.25});
  DataSet->First();
  auto* E = MakePrice();
  EXPECT_EQ(E->GetText(), "2.50");
  DataSet->Next();
  EXPECT_EQ(E->GetText(), "7.25");
  EXPECT_EQ(DataSet->GetState(), dsBrowse);
  E->SetStrValue("9.5");
  EXPECT_EQ(DataSet->GetState(), dsEdit);
  EXPECT_EQ(E->GetText(), "9.50");
  DataSet->Post();
  EXPECT_DOUBLE_EQ(Price(), 9.5);
}

TEST_F(TDbBaseEditTest, EveryKeystrokeConvertsTheText) {
  auto* E = MakePrice();
  Enter(E, "1");
  EXPECT_EQ(E->Value, 1);
  Type(E, "2.5");
  EXPECT_EQ(E->Value, 12.5L);
  EXPECT_EQ(E->ExitConversions, 0);
  EXPECT_FALSE(E->GetConvertOK()) << "the focused control holds text not yet validated";
}

TEST_F(TDbBaseEditTest, TypicalTypedEditEndToEnd) {
  auto* E = MakePrice();
  E->SetOnEnter(Events.Notify("enter"));
  EXPECT_EQ(E->GetText(), "2.50");
  Enter(E, "12.5");
  EXPECT_EQ(E->GetText(), "12.5");
  TabOut(E);
  EXPECT_EQ(E->GetText(), "12.50") << "shown in its canonical form";
  EXPECT_TRUE(E->GetConvertOK());
  DataSet->Post();
  EXPECT_DOUBLE_EQ(Price(), 12.5);
  EXPECT_EQ(Events.Joined(), "enter,exit");
}

TEST_F(TDbBaseEditTest, NullShowsTheNullTextThroughTheCache) {
  DataSet->Edit();
  Field("Price")->Clear();
  DataSet->Post();
  auto* E = MakePrice();
  EXPECT_TRUE(E->IsNull());
  EXPECT_EQ(E->GetText(), "(null)");
  EXPECT_EQ(E->CachedText(), "(null)");
  E->SetBlankWhenNull(true);
  EXPECT_EQ(E->GetText(), "");
  EXPECT_EQ(E->CachedText(), "");
}

// A typed edit that shows null on leaving writes null, not the number typed before Ctrl+N.
TEST_F(TDbBaseEditTest, NumberTypedBeforeCtrlNIsNotWritten) {
  DataSet->Edit();
  Field("Price")->Clear();
  DataSet->Post();
  auto* E = MakePrice();
  TabIn(E);
  Type(E, "42");
  EXPECT_EQ(E->Value, 42);
  CtrlKey(E, 'N');
  TabOut(E);
  EXPECT_TRUE(Field("Price")->IsNull());
  DataSet->Post();
  EXPECT_TRUE(Field("Price")->IsNull());
}

// ---------------------------------------------------------------- the exit sequence

TEST_F(TDbBaseEditTest, IgnoreConvertErrorRunsOnlyOnExitStart) {
  auto* E = MakePrice();
  E->SetIgnoreConvertError(true);
  E->SetBoundsEnabled(true);  // bounds 0..0: any value would be reported
  E->SetOnExitStart([this](TObject*, std::string&, bool&) { Events.Add("exit-start"); });
  Enter(E, "12.5");
  TabOut(E);
  EXPECT_EQ(E->ExitConversions, 0);
  EXPECT_EQ(E->BoundsChecks, 0);
  EXPECT_TRUE(Host().Messages().empty());
  EXPECT_EQ(E->GetText(), "12.5") << "no canonical redisplay";
  EXPECT_DOUBLE_EQ(Price(), 12.5) << "the value converted while typing is written";
  EXPECT_EQ(Events.Joined(), "exit-start,exit");
}

TEST_F(TDbBaseEditTest, ExitStartHandlerThatRewritesTheTextIsShownAndConverted) {
  auto* E = MakePrice();
  std::string Seen;
  E->SetOnExitStart([&Seen](TObject*, std::string& Text, bool&) {
    Seen = Text;
    Text = "7";
  });
  Enter(E, "12.5");
  TabOut(E);
  EXPECT_EQ(Seen, "12.5");
  EXPECT_EQ(E->GetText(), "7.00");
  EXPECT_EQ(E->ExitConversions, 1);
  EXPECT_DOUBLE_EQ(Price(), 7);
}

TEST_F(TDbBaseEditTest, ExitStartVerdictFalseSkipsTheBoundsButNotTheConversion) {
  auto* E = MakePrice();
  E->SetBoundsEnabled(true);
  E->SetOnExitStart([](TObject*, std::string&, bool& Valid) { Valid = false; });
  Enter(E, "12.5");
  TabOut(E);
  EXPECT_EQ(E->BoundsChecks, 0);
  EXPECT_EQ(E->ExitConversions, 0) << "converted without the strict flag";
  EXPECT_EQ(E->GetText(), "12.50");
  EXPECT_TRUE(Host().Messages().empty());
  EXPECT_DOUBLE_EQ(Price(), 12.5);

  // Text the strict parse would refuse passes quietly, keeping the last value.
  Enter(E, "3x");
  EXPECT_NO_THROW(TabOut(E));
  EXPECT_DOUBLE_EQ(Price(), 3);
}

TEST_F(TDbBaseEditTest, ExitStartAsksForEditStateEvenWhenNothingChanged) {
  auto* E = MakePrice();
  E->SetOnExitStart([](TObject*, std::string&, bool&) {});
  TabIn(E);
  TabOut(E);
  EXPECT_EQ(DataSet->GetState(), dsEdit);
}

TEST_F(TDbBaseEditTest, ConversionFailureWithoutHandlerStopsTheExit) {
  auto* E = MakePrice();
  Enter(E, "1x");
  try {
    TabOut(E);
    FAIL() << "leaving should raise";
  } catch (const EConvertError& X) {
    EXPECT_EQ(X.Message(), "'1x' is not a number");
  }
  EXPECT_EQ(Focus(), E);
  EXPECT_EQ(Events.Count("exit"), 0);
  EXPECT_FALSE(E->GetConvertOK());
  EXPECT_DOUBLE_EQ(Price(), 2.5) << "the record is not updated";
  EXPECT_EQ(E->GetText(), "1x");
}

TEST_F(TDbBaseEditTest, ConversionFailureWithHandlerIsReportedAndTheExitGoesOn) {
  auto* E = MakePrice();
  std::string Reported;
  E->SetOnConvertError([&Reported](TObject*, std::string Text) { Reported = Text; });
  Enter(E, "1x");
  E->SetModified(true);
  EXPECT_NO_THROW(TabOut(E));
  EXPECT_EQ(Reported, "1x");
  EXPECT_EQ(Events.Count("exit"), 1);
  EXPECT_DOUBLE_EQ(Price(), 1) << "the value converted while typing reaches the field";
  EXPECT_EQ(E->GetText(), "1x") << "no canonical redisplay after a failure";
  EXPECT_EQ(Focus(), E) << "the focus is put back on the control";
}

TEST_F(TDbBaseEditTest, ModifiedFlagIsRestoredAfterTheExitSequence) {
  auto* E = MakePrice();
  bool ModifiedAfterExitStart = true;
  E->SetOnExitStart([&](TObject*, std::string&, bool&) { ModifiedAfterExitStart = E->GetModified(); });
  E->SetOnExit([&](TObject*) { Events.Add(E->GetModified() ? "exit:modified" : "exit:clean"); });
  Enter(E, "5");
  ASSERT_TRUE(E->GetModified());
  TabOut(E);
  EXPECT_TRUE(ModifiedAfterExitStart);
  EXPECT_EQ(Events.Joined(), "exit:modified") << "the redisplay to 5.00 did not clear it";
}

// ---------------------------------------------------------------- bounds

TEST_F(TDbBaseEditTest, BoundsCodesReachTheHandlerWithoutBlockingTheExit) {
  struct TCase {
    const char* Typed;
    Byte Code;
  };
  const TCase Cases[] = {{"-1", 1}, {"5", 0}, {"10", 0}, {"0", 0}, {"10.5", 2}};
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Typed);
    auto* E = MakePrice();
    E->SetBoundsEnabled(true);
    E->BoundUpper = 10;
    std::string Text;
    int Code = -1;
    E->SetOnBoundsError([&](TObject*, std::string T, Byte K) {
      Text = T;
      Code = K;
    });
    Events.Clear();
    Enter(E, C.Typed);
    TabOut(E);
    if (C.Code == 0) {
      EXPECT_EQ(Code, -1);
    } else {
      EXPECT_EQ(Code, C.Code);
      EXPECT_EQ(Text, Float2EStr(std::stold(C.Typed), 2));
    }
    EXPECT_TRUE(Host().Messages().empty());
    EXPECT_EQ(Events.Count("exit"), 1);
    EXPECT_DOUBLE_EQ(Price(), std::stod(C.Typed));
    Before->SetFocus();
    delete E;
  }
}

TEST_F(TDbBaseEditTest, BoundsMessageWithoutHandlerNamesTheBoundAndTheExitGoesOn) {
  auto* E = MakePrice();
  E->SetBoundsEnabled(true);
  E->BoundLower = 1;
  E->BoundUpper = 10;
  Enter(E, "12");
  TabOut(E);
  ASSERT_EQ(Host().Messages().size(), 1u);
  EXPECT_EQ(Host().Messages()[0].Text, std::string(rsUpperBound) + "10.00");
  EXPECT_EQ(Host().Messages()[0].Caption, ZYMErrorCaption);
  EXPECT_DOUBLE_EQ(Price(), 12);
  EXPECT_EQ(Events.Count("exit"), 1);
  EXPECT_EQ(Focus(), E) << "the focus is put back on the control";

  Host().ClearMessages();
  E->SelectAll();
  Type(E, "0.5");
  TabOut(E);
  ASSERT_EQ(Host().Messages().size(), 1u);
  EXPECT_EQ(Host().Messages()[0].Text, std::string(rsLowerBound) + "1.00");
  EXPECT_DOUBLE_EQ(Price(), 0.5);
}

TEST_F(TDbBaseEditTest, BaseValidationComparesNothingAndShowsTheUnacceptableMessage) {
  auto* E = MakeEdit<TZYMDbBaseEdit>("Name");
  E->SetBoundsEnabled(true);
  TabIn(E);
  TabOut(E);
  ASSERT_EQ(Host().Messages().size(), 1u);
  EXPECT_EQ(Host().Messages()[0].Text, rsUnaccept);
  Byte Seen = 99;
  E->SetOnBoundsError([&Seen](TObject*, std::string, Byte K) { Seen = K; });
  TabIn(E);
  TabOut(E);
  EXPECT_EQ(Seen, 0);
  EXPECT_EQ(Host().Messages().size(), 1u);
}

TEST_F(TDbBaseEditTest, YearValidationTriggersTheBoundsCheck) {
  auto* E = MakePrice();
  Enter(E, "3");
  TabOut(E);
  EXPECT_EQ(E->BoundsChecks, 0);
  E->SetYearValidation(true);
  TabIn(E);
  TabOut(E);
  EXPECT_EQ(E->BoundsChecks, 1);
  EXPECT_TRUE(Host().Messages().empty()) << "the descendant checks only what its flags ask for";
}

TEST_F(TDbBaseEditTest, BoundsErrorKindFollowsTheProtocol) {
  struct TProbe : TTestFloatEdit {
    using TTestFloatEdit::TTestFloatEdit;
    Byte Kind(Extended V, Extended Lo, Extended Hi) { return SetBoundsErrorKind(V, Lo, Hi); }
  } P(nullptr);
  EXPECT_EQ(P.Kind(0, 0, 10), 0);
  EXPECT_EQ(P.Kind(10, 0, 10), 0) << "both bounds inclusive";
  EXPECT_EQ(P.Kind(-0.5L, 0, 10), 1);
  EXPECT_EQ(P.Kind(10.5L, 0, 10), 2);
  EXPECT_EQ(P.Kind(-1, 0, -5), 1) << "below the lower bound wins";
  EXPECT_EQ(P.Kind(std::numeric_limits<Extended>::quiet_NaN(), 0, 10), 2) << "not a number";
}

// ---------------------------------------------------------------- MaxLength

TEST_F(TDbBaseEditTest, MaxLengthReadsTheWindowLimitAndRemembersIt) {
  auto* E = MakeEdit<TZYMDbBaseEdit>("");
  E->SetMaxLength(20);
  EXPECT_EQ(E->GetMaxLength(), 20);
  E->SetDataField("Name");
  E->SetDataSource(Source);  // Name is 20 long: the window's limit is cleared
  EXPECT_EQ(E->GetMaxLength(), 0);
  E->SetMaxLength(20);
  EXPECT_EQ(E->GetMaxLength(), 20) << "0 was remembered, so 20 is a change again";
  EXPECT_EQ(E->LineEdit().GetMaxLength(), 20);
}

TEST_F(TDbBaseEditTest, MaxLengthIsPublishedAndAlwaysStored) {
  auto* E = MakeEdit<TZYMDbBaseEdit>("");
  const TPropInfo* P = GetPropInfo(E, "MaxLength");
  ASSERT_NE(P, nullptr);
  EXPECT_FALSE(P->Default.has_value());
  SetOrdProp(E, "MaxLength", 6);
  EXPECT_EQ(E->LineEdit().GetMaxLength(), 6);
}

// ---------------------------------------------------------------- field-type guard

TEST_F(TDbBaseEditTest, GuardRefusesAFieldOfTheWrongTypeOnAnOpenDataset) {
  auto* E = MakePrice();
  try {
    E->SetDataField("Qty");
    FAIL() << "an integer field on a float edit";
  } catch (const EInvalidFieldType& X) {
    EXPECT_EQ(X.Message(), "Only Float type Fields permitted");
  }
  EXPECT_EQ(E->GetDataField(), "Price");
  EXPECT_EQ(E->GetField(), Field("Price"));
  E->SetDataField("");
  EXPECT_EQ(E->GetField(), nullptr) << "an empty name is taken unchecked";
}

TEST_F(TDbBaseEditTest, GuardAcceptsAnyNameOnAClosedDatasetAndChecksOnOpening) {
  auto* E = MakePrice();
  DataSet->Close();
  EXPECT_NO_THROW(E->SetDataField("Qty"));
  EXPECT_EQ(E->GetDataField(), "Qty");
  try {
    DataSet->Open();
    FAIL() << "opening should raise";
  } catch (const EInvalidFieldType& X) {
    EXPECT_EQ(X.Message(), "Only Float type Fields permitted");
  }
}

TEST_F(TDbBaseEditTest, GuardAcceptsTheRightType) {
  auto* E = MakeEdit<TTestFloatEdit>("");
  E->SetDataSource(Source);
  EXPECT_NO_THROW(E->SetDataField("Price"));
  EXPECT_EQ(E->GetText(), "2.50");
}

class TFieldTypeTest : public TDbEditFixture {
protected:
  void DefineFields(TFieldDefs& Defs) override {
    for (TFieldType T : AllTypes) Defs.Add(FieldTypeName(T), T, T == ftString || T == ftFixedChar || T == ftWideString ? 10 : 0);
  }
  void FillRecords() override {}
  static constexpr TFieldType AllTypes[] = {ftString,   ftSmallint, ftInteger, ftWord,    ftBoolean,
                                            ftFloat,    ftCurrency, ftBCD,     ftDate,    ftTime,
                                            ftDateTime, ftAutoInc,  ftFixedChar, ftWideString, ftLargeint};
};

TEST_F(TFieldTypeTest, PredicatesAcceptTheirTypesOnly) {
  using TCheck = bool (TZYMDbBaseEdit::*)(const std::string&) const;
  struct TCase {
    const char* Name;
    TCheck Check;
    std::vector<TFieldType> Accepted;
  };
  const TCase Cases[] = {
      {"IsIntegerField", &TZYMDbBaseEdit::IsIntegerField, {ftSmallint, ftInteger, ftWord, ftLargeint}},
      {"IsFloatField", &TZYMDbBaseEdit::IsFloatField, {ftFloat, ftBCD}},
      {"IsStringField", &TZYMDbBaseEdit::IsStringField, {ftString, ftFixedChar, ftWideString}},
      {"IsCurrencyField", &TZYMDbBaseEdit::IsCurrencyField, {ftFloat, ftCurrency}},
      {"IsZYMCurrencyField", &TZYMDbBaseEdit::IsZYMCurrencyField, {ftInteger}},
      {"IsDateField", &TZYMDbBaseEdit::IsDateField, {ftDate, ftDateTime}},
      {"IsTimeField", &TZYMDbBaseEdit::IsTimeField, {ftTime, ftDateTime}},
      {"IsDateTimeField", &TZYMDbBaseEdit::IsDateTimeField, {ftDateTime}},
  };
  auto* E = MakeEdit<TZYMDbBaseEdit>("");
  E->SetDataSource(Source);
  for (const TCase& C : Cases) {
    for (TFieldType T : AllTypes) {
      bool Expected = std::find(C.Accepted.begin(), C.Accepted.end(), T) != C.Accepted.end();
      EXPECT_EQ((E->*C.Check)(FieldTypeName(T)), Expected) << C.Name << " " << FieldTypeName(T);
    }
    EXPECT_FALSE((E->*C.Check)("")) << C.Name;
    EXPECT_THROW((E->*C.Check)("NoSuchField"), EDatabaseError) << C.Name;
  }
  DataSet->Close();
  EXPECT_FALSE(E->IsIntegerField("ftInteger")) << "a closed dataset";
  E->SetDataSource(nullptr);
  EXPECT_FALSE(E->IsIntegerField("ftInteger")) << "no dataset";
}

TEST(ZYMQIX_RS_DB, FieldTypeMessagesByIdentifier) {
  const std::pair<int, const char*> Table[] = {
      {65520, "Only String/Character type Fields permitted"}, {65521, "Only 32-bit Integer type Fields permitted"},
      {65522, "Only Integer type Fields permitted"},          {65523, "Only Float type Fields permitted"},
      {65524, "Only Currency type Fields permitted"},         {65525, "Only Date type Fields permitted"},
      {65526, "Only Time type Fields permitted"},             {65527, "Only Date/Time type Fields permitted"},
  };
  for (auto [Id, Text] : Table) EXPECT_EQ(LoadDbResString(Id), Text) << Id;
  EXPECT_EQ(std::string(rsFloatOnly), LoadDbResString(rsFloatOnlyId));
  EXPECT_EQ(std::string(rsStringOnly), LoadDbResString(rsStringOnlyId));
  EXPECT_EQ(LoadDbResString(65519), "");
  EXPECT_EQ(LoadDbResString(65528), "");
}

}  // namespace
}  // namespace zymqix
