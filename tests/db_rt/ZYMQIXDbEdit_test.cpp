// The field-bound edit core: binding, null, keys, commit on leaving,
// read-only, colours and the flat border, driven as a user drives them.
#include "db_rt/ZYMQIXDbEdit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/db_rt/DbEditFixture.h"
#include "vcl/SQLiteDataSet.h"
#include "vcl/Streaming.h"
#include "vcl/Windows.h"

namespace zymqix {
namespace {

using namespace vcl;
using test::TDbEditFixture;

/// The string edit with its protected state in reach of the tests.
class TProbeEdit : public TZYMQIXDbEdit {
public:
  using TZYMQIXDbEdit::TZYMQIXDbEdit;
  void SetAllowed(const TCharSet& Chars) { FAllowedChars = Chars; }
  bool NumPadDecimalPending() const { return FNumPadDecimalPending; }
  bool WindowReadOnly() const { return GetEditReadOnly(); }
  uint32_t WindowStyle() { return static_cast<uint32_t>(GetWindowLong(GetHandle(), GWL_STYLE)); }
};

class TDbEditCoreTest : public TDbEditFixture {
protected:
  TProbeEdit* Make(const std::string& FieldName = "Name") { return MakeEdit<TProbeEdit>(FieldName); }
  void SetFieldNull(const std::string& Name) {
    DataSet->Edit();
    Field(Name)->Clear();
    DataSet->Post();
  }
};

// ---------------------------------------------------------------- the typical edit

TEST_F(TDbEditCoreTest, TypicalEditShowsEntersEditStateCommitsOnExitAndPosts) {
  ZYMFocusColor = clYellow;  // tells the focus colour apart from the editable one
  auto* E = Make();
  E->SetOnEnter(Events.Notify("enter"));
  E->SetOnExit(Events.Notify("exit"));
  E->SetOnChange(Events.Notify("change"));

  EXPECT_EQ(E->GetText(), "Bolt");
  EXPECT_TRUE(E->WindowReadOnly());
  EXPECT_EQ(E->GetColor(), clWindow);

  TabIn(E);
  EXPECT_TRUE(E->GetFocused());
  EXPECT_FALSE(E->GetModified());
  EXPECT_EQ(E->GetColor(), clYellow);
  EXPECT_EQ(E->GetSelLength(), 4);
  EXPECT_EQ(DataSet->GetState(), dsBrowse);

  Type(E, "N");
  EXPECT_EQ(DataSet->GetState(), dsEdit);
  EXPECT_FALSE(E->WindowReadOnly());
  EXPECT_EQ(E->GetText(), "N");
  Type(E, "ut");
  EXPECT_EQ(E->GetText(), "Nut");
  EXPECT_EQ(Field("Name")->GetAsString(), "Bolt");

  TabOut(E);
  EXPECT_EQ(Field("Name")->GetAsString(), "Nut");
  EXPECT_EQ(DataSet->GetState(), dsEdit);
  EXPECT_FALSE(E->GetFocused());
  EXPECT_EQ(E->GetColor(), clWindow);
  EXPECT_NE(Focus(), E);

  DataSet->Post();
  EXPECT_EQ(Field("Name")->GetAsString(), "Nut");
  EXPECT_TRUE(E->WindowReadOnly());
  EXPECT_EQ(Events.Joined(), "enter,change,change,change,exit");
}

TEST_F(TDbEditCoreTest, FocusedModifiableControlReadsEditTextOthersDisplayText) {
  auto* Price = static_cast<TNumericField*>(Field("Price"));
  Price->SetDisplayFormat("0.00 EUR");
  Price->SetEditFormat("0.00");
  auto* E = Make("Price");
  EXPECT_EQ(E->GetText(), "2.50 EUR");
  TabIn(E);
  EXPECT_EQ(E->GetText(), "2.50 EUR") << "gaining the focus does not re-read the field";
  DataSet->Edit();
  EXPECT_EQ(E->GetText(), "2.50");
  E->SetReadOnly(true);
  DataSet->Cancel();
  EXPECT_EQ(E->GetText(), "2.50 EUR");
}

TEST_F(TDbEditCoreTest, ScrollingShowsEachRecord) {
  DataSet->AppendRecord({std::string("Nut"), std::string("N1")});
  DataSet->First();
  auto* E = Make();
  EXPECT_EQ(E->GetText(), "Bolt");
  DataSet->Next();
  EXPECT_EQ(E->GetText(), "Nut");
  DataSet->Close();
  EXPECT_EQ(E->GetText(), "");
}

// ---------------------------------------------------------------- null

TEST_F(TDbEditCoreTest, CtrlNByFieldAndSetting) {
  struct TCase {
    const char* Name;
    const char* FieldName;
    std::function<void(TDbEditCoreTest&, TProbeEdit*)> Prepare;
    bool ExpectNull;
    bool ExpectFieldNull;
    bool ExpectModified;
    TDataSetState ExpectState;
    int ExpectOnNull;
    const char* ExpectText;
  };
  const TCase Cases[] = {
      {"nullable field", "Name", nullptr, true, true, true, dsEdit, 1, "(null)"},
      {"required field", "Code", nullptr, false, false, false, dsBrowse, 1, "B1"},
      {"field already null, flag cleared", "Day",
       [](TDbEditCoreTest&, TProbeEdit* E) {
         E->SetNull(false);
         E->SetModified(false);
       },
       true, true, true, dsBrowse, 1, "(null)"},
      {"keyboard null off", "Name", [](TDbEditCoreTest&, TProbeEdit* E) { E->SetAllowKbdNull(false); }, false,
       false, false, dsBrowse, 0, "Bolt"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    if (DataSet->GetState() != dsBrowse) DataSet->Cancel();
    auto* E = Make(C.FieldName);
    Events.Clear();
    E->SetOnNull(Events.Notify("null"));
    TabIn(E);
    if (C.Prepare) C.Prepare(*this, E);
    CtrlKey(E, 'N');
    EXPECT_EQ(E->IsNull(), C.ExpectNull);
    EXPECT_EQ(Field(C.FieldName)->IsNull(), C.ExpectFieldNull);
    EXPECT_EQ(E->GetModified(), C.ExpectModified);
    EXPECT_EQ(DataSet->GetState(), C.ExpectState);
    EXPECT_EQ(Events.Count("null"), C.ExpectOnNull);
    EXPECT_EQ(E->GetText(), C.ExpectText);
    Before->SetFocus();
    delete E;
  }
}

TEST_F(TDbEditCoreTest, NullShowsNullTextOrBlank) {
  SetFieldNull("Name");
  auto* E = Make();
  EXPECT_TRUE(E->IsNull());
  EXPECT_EQ(E->GetText(), "(null)");
  E->SetNullStr("<none>");
  EXPECT_EQ(E->GetText(), "<none>");
  E->SetBlankWhenNull(true);
  EXPECT_EQ(E->GetText(), "");
  E->SetBlankWhenNull(false);
  EXPECT_EQ(E->GetText(), "<none>");
}

TEST_F(TDbEditCoreTest, NullTextTakesTheGlobalAtCreation) {
  ZYMNullStr = "n/a";
  SetFieldNull("Name");
  auto* E = Make();
  ZYMNullStr = "(null)";
  EXPECT_EQ(E->GetNullStr(), "n/a");
  EXPECT_EQ(E->GetText(), "n/a");
}

TEST_F(TDbEditCoreTest, TypingIntoNullControlReplacesTheNullText) {
  SetFieldNull("Name");
  auto* E = Make();
  TabIn(E);
  Type(E, "x");
  EXPECT_FALSE(E->IsNull());
  EXPECT_EQ(E->GetText(), "x");
  EXPECT_EQ(DataSet->GetState(), dsEdit);
  TabOut(E);
  EXPECT_EQ(Field("Name")->GetAsString(), "x");
}

TEST_F(TDbEditCoreTest, RefusedCharacterLeavesControlNull) {
  SetFieldNull("Name");
  auto* E = Make();
  E->SetAllowed(TCharSet::Range('0', '9'));
  TabIn(E);
  Type(E, "a");
  EXPECT_EQ(Host().BeepCount(), 1);
  EXPECT_TRUE(E->IsNull());
  EXPECT_EQ(E->GetText(), "(null)");
  EXPECT_EQ(DataSet->GetState(), dsBrowse);
  Type(E, "7");
  EXPECT_FALSE(E->IsNull());
  EXPECT_EQ(E->GetText(), "7");
}

TEST_F(TDbEditCoreTest, PasteClearsNullWithoutRedisplay) {
  SetFieldNull("Name");
  auto* E = Make();
  TabIn(E);
  Host().SetClipboardText("Washer");
  CtrlKey(E, 'V');
  EXPECT_FALSE(E->IsNull());
  EXPECT_TRUE(E->GetModified());
  EXPECT_EQ(E->GetText(), "Washer") << "the selected null text was replaced";
  TabOut(E);
  EXPECT_EQ(Field("Name")->GetAsString(), "Washer");
}

// A control that shows null after the user took back what they typed must
// not write that text (or the null text) to the field.
TEST_F(TDbEditCoreTest, NullShownOnExitIsWrittenAsNull) {
  SetFieldNull("Name");
  auto* E = Make();
  TabIn(E);
  Type(E, "abc");
  CtrlKey(E, 'N');
  EXPECT_TRUE(E->IsNull());
  EXPECT_EQ(E->GetText(), "(null)");
  TabOut(E);
  EXPECT_TRUE(Field("Name")->IsNull());
  DataSet->Post();
  EXPECT_TRUE(Field("Name")->IsNull());
}

TEST_F(TDbEditCoreTest, NullShownOnExitClearsAFieldThatStillHoldsAValue) {
  auto* E = Make();
  TabIn(E);
  Type(E, "abc");
  // Clearing fails (the dataset refuses for a moment): the control shows null all the same.
  Field("Name")->SetOnValidate([](TField* F) {
    if (F->IsNull()) throw EDatabaseError("not now");
  });
  CtrlKey(E, 'N');
  EXPECT_TRUE(E->IsNull());
  EXPECT_EQ(Field("Name")->GetAsString(), "Bolt");
  Field("Name")->SetOnValidate(nullptr);
  TabOut(E);
  EXPECT_TRUE(Field("Name")->IsNull());
}

TEST_F(TDbEditCoreTest, SetNullOnUnboundControlChangesOnlyTheShownState) {
  auto* E = Make("");
  E->SetNull(true);
  EXPECT_TRUE(E->IsNull());
  EXPECT_EQ(E->GetText(), "(null)");
  TabIn(E);
  Events.Clear();
  E->SetOnNull(Events.Notify("null"));
  E->SetNull(false);
  Type(E, "q");
  CtrlKey(E, 'N');
  EXPECT_TRUE(E->IsNull());
  EXPECT_EQ(Events.Count("null"), 1);
  EXPECT_NO_THROW(TabOut(E));
}

// ---------------------------------------------------------------- accepted characters

TEST_F(TDbEditCoreTest, EmptyAcceptedSetRefusesEveryKeyButEnterEscapeAndCtrlN) {
  ZYMEnterAsTab = true;
  ZYMESCAsUndo = true;
  auto* E = Make();
  E->SetAllowed(TCharSet{});
  TabIn(E);
  Key(E, VK_END);
  Type(E, "a");
  Key(E, VK_BACK);
  EXPECT_EQ(Host().BeepCount(), 2);
  EXPECT_EQ(E->GetText(), "Bolt");
  EXPECT_EQ(DataSet->GetState(), dsBrowse);

  Key(E, VK_ESCAPE);
  EXPECT_EQ(Host().BeepCount(), 2);
  CtrlKey(E, 'N');
  EXPECT_TRUE(E->IsNull());
  EXPECT_EQ(Host().BeepCount(), 2);
  Key(E, VK_RETURN);
  EXPECT_EQ(Focus(), Before);
  EXPECT_EQ(Host().BeepCount(), 2);
}

TEST_F(TDbEditCoreTest, ControlCharactersPassASetWithoutThem) {
  auto* E = Make();
  E->SetAllowed(TCharSet::Range('a', 'z'));
  TabIn(E);
  Key(E, VK_END);
  Key(E, VK_BACK);
  EXPECT_EQ(E->GetText(), "Bol");
  Type(E, "T");
  EXPECT_EQ(E->GetText(), "Bol");
  Type(E, "t");
  EXPECT_EQ(E->GetText(), "Bolt");
  EXPECT_EQ(Host().BeepCount(), 1);
}

// ---------------------------------------------------------------- keyboard conventions

TEST_F(TDbEditCoreTest, EscapeUndoesTheLastEditWhenEscapeAsUndo) {
  ZYMESCAsUndo = true;
  auto* E = Make();
  TabIn(E);
  Type(E, "abc");
  Key(E, VK_HOME);
  Type(E, "X");
  EXPECT_EQ(E->GetText(), "Xabc");
  Key(E, VK_ESCAPE);
  EXPECT_EQ(E->GetText(), "abc") << "the window's undo, not a re-read of the field";
  EXPECT_EQ(DataSet->GetState(), dsEdit);
}

TEST_F(TDbEditCoreTest, EscapeRereadsTheFieldOtherwise) {
  auto* E = Make();
  E->SetOnKeyPress([this](TObject*, char& Key) { Events.Add(std::string("key:") + std::to_string(int(Key))); });
  TabIn(E);
  Type(E, "abc");
  Events.Clear();
  Key(E, VK_ESCAPE);
  EXPECT_EQ(E->GetText(), "Bolt");
  EXPECT_EQ(E->GetSelStart(), 0);
  EXPECT_EQ(E->GetSelLength(), 4);
  EXPECT_EQ(Events.Joined(), "key:27");
  TabOut(E);
  EXPECT_EQ(Field("Name")->GetAsString(), "Bolt");
}

TEST_F(TDbEditCoreTest, EnterAsTabMovesToTheNextControl) {
  auto* E = Make();
  auto* After = new TEdit(Form.get());
  After->SetParent(Form.get());
  TabIn(E);
  Key(E, VK_RETURN);
  EXPECT_EQ(Focus(), E) << "Enter stays in the control by default";
  EXPECT_EQ(E->GetText(), "Bolt");
  ZYMEnterAsTab = true;
  Type(E, "Nut");
  Key(E, VK_RETURN);
  EXPECT_EQ(Focus(), After);
  EXPECT_EQ(Field("Name")->GetAsString(), "Nut");
}

TEST_F(TDbEditCoreTest, ArrowsAsTabMoveBetweenControls) {
  auto* E = Make();
  auto* After = new TEdit(Form.get());
  After->SetParent(Form.get());
  TabIn(E);
  Key(E, VK_END);
  Key(E, VK_UP);
  EXPECT_EQ(Focus(), E) << "without the setting Up moves the caret";
  EXPECT_EQ(E->GetSelStart(), 3);

  ZYMArrowsAsTab = true;
  Key(E, VK_DOWN);
  EXPECT_EQ(Focus(), After);
  TabIn(E);
  Key(E, VK_UP);
  EXPECT_EQ(Focus(), Before);
  TabIn(E);
  Key(E, VK_DOWN, {ssShift});
  EXPECT_EQ(Focus(), E) << "a modifier takes the key out of the convention";
}

TEST_F(TDbEditCoreTest, FocusKeysOutsideAFormDoNothing) {
  ZYMEnterAsTab = true;
  ZYMArrowsAsTab = true;
  TProbeEdit Loose(nullptr);
  Loose.SetText("abc");
  EXPECT_NO_THROW(SimulateKeyPress(&Loose, '\r'));
  EXPECT_NO_THROW(SimulateKeyDown(&Loose, VK_DOWN));
  EXPECT_NO_THROW(SimulateKeyDown(&Loose, VK_UP));
  EXPECT_EQ(Loose.GetText(), "abc");
}

TEST_F(TDbEditCoreTest, KeypadDecimalIsMarkedForTheNumericEdits) {
  auto* E = Make();
  TabIn(E);
  Key(E, VK_DECIMAL);
  EXPECT_FALSE(E->NumPadDecimalPending());
  E->SetNumPadDecimal(true);
  Key(E, VK_DECIMAL, {ssCtrl});
  EXPECT_FALSE(E->NumPadDecimalPending());
  Key(E, VK_DECIMAL);
  EXPECT_TRUE(E->NumPadDecimalPending());
}

// ---------------------------------------------------------------- read-only

TEST_F(TDbEditCoreTest, ReadOnlyControlSwallowsEditingKeysAndClipboardMessages) {
  auto* E = Make();
  E->SetReadOnly(true);
  TabIn(E);
  Host().SetClipboardText("clip");
  Key(E, VK_DELETE);
  Key(E, VK_INSERT, {ssShift});
  CtrlKey(E, 'V');
  CtrlKey(E, 'X');
  Type(E, "z");
  Key(E, VK_BACK);
  EXPECT_EQ(E->GetText(), "Bolt");
  EXPECT_EQ(Host().GetClipboardText(), "clip");
  EXPECT_EQ(DataSet->GetState(), dsBrowse);
  CtrlKey(E, 'C');
  EXPECT_EQ(Host().GetClipboardText(), "Bolt") << "copying still works";
}

TEST_F(TDbEditCoreTest, DeleteAndShiftInsertAskForEditStateOnAWritableControl) {
  auto* E = Make();
  TabIn(E);
  Key(E, VK_DELETE);
  EXPECT_EQ(DataSet->GetState(), dsEdit);
  EXPECT_EQ(E->GetText(), "");
  DataSet->Cancel();
  Host().SetClipboardText("clip");
  E->SelectAll();
  Key(E, VK_INSERT, {ssShift});
  EXPECT_EQ(E->GetText(), "clip");
  TabOut(E);
  EXPECT_EQ(Field("Name")->GetAsString(), "clip");
}

TEST_F(TDbEditCoreTest, ReadOnlyIsKeptInTheLinkAndFollowsTheTabStopSetting) {
  auto* E = Make();
  E->SetReadOnly(true);
  EXPECT_TRUE(E->GetReadOnly());
  EXPECT_TRUE(E->GetTabStop()) << "without the setting the tab stop stays";
  E->SetReadOnly(false);

  ZYMNoTabStopOnReadOnly = true;
  E->SetReadOnly(true);
  EXPECT_FALSE(E->GetTabStop());
  E->SetTabStop(true);
  E->SetReadOnly(true);
  EXPECT_TRUE(E->GetTabStop()) << "writing the current value does nothing";
  E->SetTabStop(false);
  E->SetReadOnly(false);
  EXPECT_TRUE(E->GetTabStop());
}

TEST_F(TDbEditCoreTest, ReadOnlyControlTypesNothingAndCommitsNothing) {
  auto* E = Make();
  E->SetReadOnly(true);
  DataSet->Edit();
  TabIn(E);
  Type(E, "zz");
  TabOut(E);
  EXPECT_EQ(Field("Name")->GetAsString(), "Bolt");
  EXPECT_EQ(E->GetColor(), E->GetColorRO());
}

// ---------------------------------------------------------------- commit on exit

TEST_F(TDbEditCoreTest, SecondCommitFailureKeepsTheFocusAndPropagates) {
  int Calls = 0;
  Field("Name")->SetOnValidate([&Calls](TField*) {
    ++Calls;
    throw EDatabaseError("Name refused");
  });
  auto* E = Make();
  E->SetOnExit(Events.Notify("exit"));
  TabIn(E);
  Type(E, "Nut");
  try {
    TabOut(E);
    FAIL() << "leaving should raise";
  } catch (const EDatabaseError& X) {
    EXPECT_EQ(X.Message(), "Name refused");
  }
  EXPECT_EQ(Calls, 2);
  EXPECT_EQ(Focus(), E);
  EXPECT_TRUE(E->GetFocused());
  EXPECT_EQ(E->GetSelLength(), 3);
  EXPECT_EQ(Events.Count("exit"), 0);
  EXPECT_EQ(Field("Name")->GetAsString(), "Bolt");
}

TEST_F(TDbEditCoreTest, CommitSucceedsOnTheRetry) {
  int Calls = 0;
  Field("Name")->SetOnValidate([&Calls](TField*) {
    if (++Calls == 1) throw EDatabaseError("busy");
  });
  auto* E = Make();
  E->SetOnExit(Events.Notify("exit"));
  TabIn(E);
  Type(E, "Nut");
  EXPECT_NO_THROW(TabOut(E));
  EXPECT_EQ(Calls, 2);
  EXPECT_EQ(Field("Name")->GetAsString(), "Nut");
  EXPECT_EQ(Events.Count("exit"), 1);
  EXPECT_NE(Focus(), E);
}

TEST_F(TDbEditCoreTest, UnmodifiedControlWritesNothingOnExit) {
  int Calls = 0;
  Field("Name")->SetOnValidate([&Calls](TField*) { ++Calls; });
  auto* E = Make();
  TabIn(E);
  TabOut(E);
  EXPECT_EQ(Calls, 0);
  EXPECT_EQ(DataSet->GetState(), dsBrowse);
}

TEST_F(TDbEditCoreTest, PostWritesThePendingTextOfTheFocusedControl) {
  auto* E = Make();
  TabIn(E);
  Type(E, "Nut");
  DataSet->Post();
  EXPECT_EQ(Field("Name")->GetAsString(), "Nut");
  EXPECT_EQ(E->GetText(), "Nut");
}

// ---------------------------------------------------------------- binding

TEST_F(TDbEditCoreTest, MaxLengthOfTheFieldSizeIsCleared) {
  auto* E = MakeEdit<TProbeEdit>("");
  E->SetMaxLength(20);
  E->SetDataField("Name");
  E->SetDataSource(Source);
  EXPECT_EQ(E->GetMaxLength(), 0) << "cleared when the link became active";

  E->SetMaxLength(20);
  DataSet->Close();
  EXPECT_EQ(E->GetMaxLength(), 0) << "cleared when the link became inactive";

  DataSet->Open();
  E->SetMaxLength(20);
  E->SetDataField("Code");
  EXPECT_EQ(E->GetMaxLength(), 0) << "cleared on a change of field name";

  E->SetMaxLength(10);
  E->Loaded();
  EXPECT_EQ(E->GetMaxLength(), 0) << "cleared after loading (Code is 10 long)";

  E->SetMaxLength(15);
  E->Loaded();
  DataSet->Close();
  DataSet->Open();
  EXPECT_EQ(E->GetMaxLength(), 15) << "another length stays";

  E->SetDataField("Qty");
  E->SetMaxLength(4);
  DataSet->Close();
  DataSet->Open();
  EXPECT_EQ(E->GetMaxLength(), 4) << "only string fields";
}

TEST_F(TDbEditCoreTest, RemovingTheDataSourceUnbinds) {
  auto* E = Make();
  ASSERT_EQ(E->GetDataSource(), Source);
  delete Source;
  Source = nullptr;
  EXPECT_EQ(E->GetDataSource(), nullptr);
  EXPECT_EQ(E->GetField(), nullptr);
}

TEST_F(TDbEditCoreTest, FieldAndDataLinkMessage) {
  auto* E = Make();
  EXPECT_EQ(E->GetField(), Field("Name"));
  auto* Link = reinterpret_cast<TFieldDataLink*>(E->Perform(CM_GETDATALINK, 0, 0));
  ASSERT_NE(Link, nullptr);
  EXPECT_EQ(Link->GetField(), Field("Name"));
  EXPECT_EQ(Link->GetControl(), E);
}

TEST_F(TDbEditCoreTest, DesignTimeControlWithoutFieldShowsItsName) {
  auto* E = Make("");
  E->SetDesigning(true);
  E->Loaded();
  EXPECT_EQ(E->GetText(), "Edit1");
  E->SetDesigning(false);
  E->SetDataField("Name");
  E->SetDataSource(Source);
  E->SetDataSource(nullptr);
  EXPECT_EQ(E->GetText(), "") << "at run time a control without a field is empty";
}

TEST_F(TDbEditCoreTest, UnhandledActionsGoToTheDataLink) {
  struct TSourceAction : TBasicAction {
    using TBasicAction::TBasicAction;
    bool HandlesTarget(TObject* Target) override { return dynamic_cast<TDataSource*>(Target) != nullptr; }
    void ExecuteTarget(TObject* Target) override { Executed = Target; }
    void UpdateTarget(TObject* Target) override { Updated = Target; }
    TObject* Executed = nullptr;
    TObject* Updated = nullptr;
  };
  auto* E = Make();
  TSourceAction Action(nullptr);
  EXPECT_TRUE(E->ExecuteAction(&Action));
  EXPECT_TRUE(E->UpdateAction(&Action));
  EXPECT_EQ(Action.Executed, Source);
  EXPECT_EQ(Action.Updated, Source);
  TBasicAction Plain(nullptr);
  EXPECT_FALSE(E->ExecuteAction(&Plain));
}

TEST_F(TDbEditCoreTest, RightToLeftOnlyInAMiddleEastLocale) {
  auto* E = Make();
  E->SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(E->UseRightToLeftAlignment());
  SysLocale.MiddleEast = true;
  EXPECT_TRUE(E->UseRightToLeftAlignment());
  E->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(E->UseRightToLeftAlignment());
}

TEST_F(TDbEditCoreTest, FarEastLocaleMakesTheWindowWritableOnEnter) {
  auto* E = Make();
  SysLocale.FarEast = true;
  TabIn(E);
  EXPECT_FALSE(E->WindowReadOnly());
  EXPECT_EQ(DataSet->GetState(), dsBrowse);
}

TEST_F(TDbEditCoreTest, VersionIsFixed) {
  auto* E = Make();
  EXPECT_EQ(E->GetVersion(), "2.0.0");
  SetStrProp(E, "Version", "9.9");
  EXPECT_EQ(GetStrProp(E, "Version"), "2.0.0");
}

// ---------------------------------------------------------------- window style

TEST_F(TDbEditCoreTest, WindowIsMultiLineWithAlignmentAndReadOnlyStyles) {
  auto* E = Make();
  EXPECT_EQ(E->WindowStyle() & (ES_MULTILINE | ES_RIGHT | ES_CENTER | ES_READONLY), ES_MULTILINE | ES_READONLY)
      << "browsing: the window is read-only";
  E->SetAlignment(taRightJustify);
  EXPECT_EQ(E->GetRecreateCount(), 1);
  EXPECT_EQ(E->WindowStyle() & (ES_RIGHT | ES_CENTER), ES_RIGHT);
  E->SetAlignment(taRightJustify);
  EXPECT_EQ(E->GetRecreateCount(), 1);
  E->SetAlignment(taCenter);
  EXPECT_EQ(E->WindowStyle() & (ES_RIGHT | ES_CENTER), ES_CENTER);
  TabIn(E);
  Type(E, "x");
  EXPECT_EQ(E->WindowStyle() & ES_READONLY, 0u);
  E->SetReadOnly(true);
  E->SetAlignment(taLeftJustify);
  EXPECT_EQ(E->WindowStyle() & (ES_MULTILINE | ES_RIGHT | ES_CENTER | ES_READONLY), ES_MULTILINE | ES_READONLY);
}

// ---------------------------------------------------------------- colours and flat border

class TDbEditColourTest : public TDbEditCoreTest {
protected:
  static constexpr TColor RO = 0x0000C0, RW = 0x00C000, Focus = 0xC00000, Disabled = 0x808000,
                          BorderFocus = 0x000040, BorderUnfocus = 0x004000;

  TProbeEdit* MakeColoured() {
    auto* E = Make();
    E->SetColorRO(RO);
    E->SetColorRW(RW);
    E->SetColorFocus(Focus);
    E->SetColorDisabled(Disabled);
    E->SetColorBorderFocus(BorderFocus);
    E->SetColorBorderUnfocus(BorderUnfocus);
    return E;
  }
  static COLORREF Pixel(TWinControl* C, int X, int Y) {
    HWND W = C->GetHandle();
    HDC DC = GetWindowDC(W);
    COLORREF P = GetPixel(DC, X, Y);
    ReleaseDC(W, DC);
    return P;
  }
  static COLORREF RGBOf(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }
};

TEST_F(TDbEditColourTest, StateColoursPlainAndFlat) {
  enum class TState { Disabled, ReadOnly, Focused, Editable };
  struct TLook {
    TColor Color, Border, Inner;
  };
  struct TCase {
    const char* Name;
    TState State;
    TColor NotFlat;
    bool HasPlainLook;
    TLook Plain, Hot;
  };
  const TCase Cases[] = {
      {"disabled", TState::Disabled, Disabled, true, {Disabled, BorderUnfocus, Disabled}, {Focus, BorderFocus, Disabled}},
      {"read-only", TState::ReadOnly, RO, true, {RO, BorderUnfocus, RO}, {RO, BorderFocus, RO}},
      {"focused", TState::Focused, Focus, false, {}, {Focus, BorderFocus, Focus}},
      {"editable", TState::Editable, RW, true, {RW, BorderUnfocus, RW}, {Focus, BorderFocus, Focus}},
  };
  const TGdiCounters Start = GdiCounters();
  for (const TCase& C : Cases) {
    for (int Width : {1, 2}) {
      SCOPED_TRACE(std::string(C.Name) + ", border " + std::to_string(Width));
      auto* E = MakeColoured();
      E->SetFlatBorder(Width);
      switch (C.State) {
        case TState::Disabled: E->SetEnabled(false); break;
        case TState::ReadOnly: E->SetReadOnly(true); break;
        case TState::Focused: TabIn(E); break;
        case TState::Editable: break;
      }
      Paint();
      EXPECT_EQ(E->GetColor(), C.NotFlat);

      E->SetFlat(true);
      Paint();
      // The inner frame of a two-pixel border lies in the client area, which
      // the next client paint covers with Color.
      auto Check = [&](const TLook& L, bool AfterClientPaint = false) {
        EXPECT_EQ(E->GetColor(), L.Color);
        for (int I = 0; I < Width; ++I) EXPECT_EQ(Pixel(E, I, I), RGBOf(L.Border)) << "border pixel " << I;
        const TColor Inner = AfterClientPaint && Width == 2 ? L.Color : L.Inner;
        EXPECT_EQ(Pixel(E, Width, Width), RGBOf(Inner)) << "inner frame";
        EXPECT_EQ(Pixel(E, E->GetWidth() - 1, E->GetHeight() - 1), RGBOf(L.Border)) << "far corner";
      };
      if (C.HasPlainLook) {
        SCOPED_TRACE("plain look");
        Check(C.Plain, true);
        SimulateMouseEnter(E);
      }
      {
        SCOPED_TRACE("hot look");
        Check(C.Hot);
        E->Perform(WM_NCPAINT, 1, 0);
        Check(C.Hot);
        Paint();  // a later repaint draws the same border over the edge
        Check(C.Hot, true);
      }
      Before->SetFocus();
      delete E;
    }
  }
  EXPECT_EQ(GdiCounters().LiveDCs(), Start.LiveDCs());
  EXPECT_EQ(GdiCounters().LiveBrushes(), Start.LiveBrushes());
  EXPECT_EQ(GdiCounters().FailedCalls, Start.FailedCalls);
}

TEST_F(TDbEditColourTest, MouseOverAFlatEditLightsItUp) {
  auto* E = MakeColoured();
  E->SetOnMouseEnter(Events.Notify("mouse-enter"));
  E->SetOnMouseExit(Events.Notify("mouse-exit"));
  E->SetFlat(true);
  Paint();
  SimulateMouseEnter(E);
  EXPECT_EQ(E->GetColor(), Focus);
  EXPECT_EQ(Pixel(E, 0, 0), RGBOf(BorderFocus));
  SimulateMouseLeave(E);
  EXPECT_EQ(E->GetColor(), RW);
  EXPECT_EQ(Pixel(E, 0, 0), RGBOf(BorderUnfocus));
  EXPECT_EQ(Events.Joined(), "mouse-enter,mouse-exit");
}

TEST_F(TDbEditColourTest, MouseEventsFireWithoutFlatToo) {
  auto* E = MakeColoured();
  E->SetOnMouseEnter(Events.Notify("mouse-enter"));
  E->SetOnMouseExit(Events.Notify("mouse-exit"));
  SimulateMouseEnter(E);
  EXPECT_EQ(E->GetColor(), RW);
  SimulateMouseLeave(E);
  EXPECT_EQ(Events.Joined(), "mouse-enter,mouse-exit");
}

TEST_F(TDbEditColourTest, DesignTimeFlatBorderAlwaysShowsThePlainLook) {
  auto* E = MakeColoured();
  E->SetFlat(true);
  E->SetDesigning(true);
  Paint();
  SimulateMouseEnter(E);
  EXPECT_EQ(E->GetColor(), RW);
  EXPECT_EQ(Pixel(E, 0, 0), RGBOf(BorderUnfocus));
}

TEST_F(TDbEditColourTest, TurningFlatOffRecreatesTheWindowWithItsEdge) {
  auto* E = MakeColoured();
  Paint();
  const COLORREF Edge = Pixel(E, 0, 0);
  EXPECT_NE(Edge, RGBOf(BorderUnfocus));
  E->SetFlat(true);
  EXPECT_EQ(Pixel(E, 0, 0), RGBOf(BorderUnfocus)) << "drawn at once";
  const int Recreated = E->GetRecreateCount();
  E->SetFlat(false);
  EXPECT_EQ(E->GetRecreateCount(), Recreated + 1);
  Paint();
  EXPECT_EQ(Pixel(E, 0, 0), Edge);
  EXPECT_EQ(E->GetColor(), RW);
}

TEST_F(TDbEditColourTest, FlatBorderIsClampedToOneOrTwo) {
  const std::pair<int, int> Cases[] = {{-3, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 2}, {5, 2}};
  auto* E = Make();
  for (auto [Written, Read] : Cases) {
    E->SetFlatBorder(Written);
    EXPECT_EQ(E->GetFlatBorder(), Read) << "written " << Written;
  }
}

TEST_F(TDbEditColourTest, FlatBorderWidthChangeRedrawsAtOnce) {
  auto* E = MakeColoured();
  E->SetFlat(true);
  Paint();
  EXPECT_EQ(Pixel(E, 1, 1), RGBOf(BorderUnfocus));
  E->SetFlatBorder(1);
  EXPECT_EQ(Pixel(E, 1, 1), RGBOf(RW));
}

TEST_F(TDbEditColourTest, ColorDisabledRepaintsADisabledControlAtOnce) {
  auto* E = MakeColoured();
  E->SetEnabled(false);
  EXPECT_EQ(E->GetColor(), Disabled);
  E->SetColorDisabled(clMaroon);
  EXPECT_EQ(E->GetColor(), clMaroon);
  EXPECT_FALSE(E->GetEnabled());
  E->SetEnabled(true);
  EXPECT_EQ(E->GetColor(), RW);
}

TEST_F(TDbEditColourTest, ColourDefaultsFollowTheGlobalsUntilAColourIsWritten) {
  ZYMROColor = clRed;
  auto* E = Make();
  EXPECT_TRUE(E->GetColor_Defaults());
  EXPECT_EQ(E->GetColorRO(), clRed);
  ZYMROColor = clLime;
  EXPECT_EQ(E->GetColorRO(), clRed) << "copied when the control was made";

  const std::function<void(TProbeEdit*)> Writers[] = {
      [](TProbeEdit* X) { X->SetColorRO(clNavy); },         [](TProbeEdit* X) { X->SetColorRW(clNavy); },
      [](TProbeEdit* X) { X->SetColorFocus(clNavy); },      [](TProbeEdit* X) { X->SetColorDisabled(clNavy); },
      [](TProbeEdit* X) { X->SetColorBorderFocus(clNavy); }, [](TProbeEdit* X) { X->SetColorBorderUnfocus(clNavy); },
  };
  for (const auto& Write : Writers) {
    E->SetColor_Defaults(true);
    Write(E);
    EXPECT_FALSE(E->GetColor_Defaults());
  }

  ZYMRWColor = clYellow;
  ZYMFocusColor = clAqua;
  ZYMDisabledColor = clGray;
  ZYMBorderFocusColor = clBlack;
  ZYMBorderNonFocusColor = clWhite;
  E->SetColor_Defaults(true);
  EXPECT_EQ(E->GetColorRO(), clLime);
  EXPECT_EQ(E->GetColorRW(), clYellow);
  EXPECT_EQ(E->GetColorFocus(), clAqua);
  EXPECT_EQ(E->GetColorDisabled(), clGray);
  EXPECT_EQ(E->GetColorBorderFocus(), clBlack);
  EXPECT_EQ(E->GetColorBorderUnfocus(), clWhite);
  EXPECT_EQ(E->GetColor(), clYellow);
}

TEST_F(TDbEditColourTest, OneEndUpdateEndsAnyNumberOfBeginUpdates) {
  auto* E = MakeColoured();
  E->SetFlat(true);
  Paint();
  E->BeginUpdate();
  E->BeginUpdate();
  E->SetColorRW(clYellow);
  SimulateMouseEnter(E);
  EXPECT_EQ(E->GetColor(), RW);
  EXPECT_EQ(Pixel(E, 0, 0), RGBOf(BorderUnfocus));
  E->EndUpdate();
  EXPECT_EQ(E->GetColor(), Focus);
  EXPECT_EQ(Pixel(E, 0, 0), RGBOf(BorderFocus));
  SimulateMouseLeave(E);
  EXPECT_EQ(E->GetColor(), clYellow);
}

// ---------------------------------------------------------------- end to end on a database file

TEST_F(TDbEditCoreTest, EditedValueIsInTheDatabaseFileAfterReopening) {
  const std::string Path = ScratchFile(".db");
  auto OpenParts = [&] {
    auto* DS = new TSQLiteDataSet(Form.get());
    DS->SetDatabaseName(Path);
    DS->SetCreateIfMissing(true);
    return DS;
  };
  {
    auto* Setup = OpenParts();
    Setup->ExecSQL("CREATE TABLE parts (id INTEGER PRIMARY KEY, name VARCHAR(20) NOT NULL, note TEXT)");
    Setup->ExecSQL("INSERT INTO parts (name, note) VALUES ('Bolt', 'M6')");
    delete Setup;
  }
  auto* Parts = OpenParts();
  Parts->SetTableName("parts");
  Parts->Open();
  Source->SetDataSet(Parts);
  auto* Name = MakeEdit<TZYMQIXDbEdit>("name", "NameEdit");
  Name->SetMaxLength(20);
  Name->SetDataSource(nullptr);
  Name->SetDataSource(Source);
  auto* Note = MakeEdit<TZYMQIXDbEdit>("note", "NoteEdit");
  EXPECT_EQ(Name->GetText(), "Bolt");
  EXPECT_EQ(Name->GetMaxLength(), 0) << "the column's size limits the text";

  TabIn(Name);
  Type(Name, "Hex bolt ");
  TabOut(Name);
  EXPECT_EQ(Focus(), Note);
  CtrlKey(Note, 'N');
  TabOut(Note);
  Parts->Post();
  delete Parts;

  auto* Reopened = OpenParts();
  Reopened->SetTableName("parts");
  Reopened->Open();
  ASSERT_EQ(Reopened->GetRecordCount(), 1);
  EXPECT_EQ(Reopened->FieldByName("name")->GetAsString(), "Hex bolt");
  EXPECT_TRUE(Reopened->FieldByName("note")->IsNull());
}

// ---------------------------------------------------------------- streaming

TEST_F(TDbEditCoreTest, FormWithEditsStreamsAndLoadsBack) {
  auto* Styled = Make();
  Styled->SetNullStr("<none>");
  Styled->SetFlat(true);
  Styled->SetFlatBorder(1);
  Styled->SetColorRO(clRed);
  Styled->SetAlignment(taRightJustify);
  Styled->SetAllowKbdNull(false);
  Styled->SetTrimLeading(true);
  Styled->SetReadOnly(true);
  auto* Plain = MakeEdit<TZYMQIXDbEdit>("Code", "Edit2");
  auto* Blank = MakeEdit<TZYMQIXDbEdit>("Qty", "Edit3");
  Blank->SetNullStr("<none>");
  Blank->SetBlankWhenNull(true);
  ASSERT_TRUE(Plain->GetColor_Defaults());
  DataSet->Close();  // the in-memory records do not travel with the form

  const std::string Text = WriteComponentText(Form.get());
  auto Section = [&Text](const std::string& Name) {
    size_t A = Text.find("object " + Name + ":");
    EXPECT_NE(A, std::string::npos) << Name;
    return Text.substr(A, Text.find("end", A) - A);
  };
  const std::string S1 = Section("Edit1"), S2 = Section("Edit2"), S3 = Section("Edit3");
  for (const char* Line : {"NullStr = '<none>'", "Flat = True", "FlatBorder = 1", "ColorRO = clRed",
                           "Alignment = taRightJustify", "AllowKbdNull = False", "TrimLeading = True",
                           "ReadOnly = True", "DataField = 'Name'", "DataSource = Source1"})
    EXPECT_NE(S1.find(Line), std::string::npos) << Line << "\n" << S1;
  for (const std::string* S : {&S1, &S2, &S3}) {
    EXPECT_EQ(S->find("Color_Defaults"), std::string::npos) << *S;
    EXPECT_EQ(S->find("Version"), std::string::npos) << *S;
    EXPECT_EQ(S->find("ColorRW"), std::string::npos) << *S;
  }
  EXPECT_EQ(S2.find("NullStr"), std::string::npos) << "the global null text is not stored";
  EXPECT_EQ(S3.find("NullStr"), std::string::npos) << "no null text is stored while a blank is shown";

  std::unique_ptr<TComponent> Copy(ReadComponentText(Text, nullptr));
  auto* R1 = dynamic_cast<TZYMQIXDbEdit*>(Copy->FindComponent("Edit1"));
  auto* R2 = dynamic_cast<TZYMQIXDbEdit*>(Copy->FindComponent("Edit2"));
  ASSERT_NE(R1, nullptr);
  ASSERT_NE(R2, nullptr);
  EXPECT_EQ(R1->GetNullStr(), "<none>");
  EXPECT_TRUE(R1->GetFlat());
  EXPECT_EQ(R1->GetFlatBorder(), 1);
  EXPECT_EQ(R1->GetColorRO(), clRed);
  EXPECT_FALSE(R1->GetColor_Defaults()) << "a stored colour turns the defaults off";
  EXPECT_EQ(R1->GetAlignment(), taRightJustify);
  EXPECT_FALSE(R1->GetAllowKbdNull());
  EXPECT_TRUE(R1->GetTrimLeading());
  EXPECT_TRUE(R1->GetReadOnly());
  EXPECT_EQ(R1->GetDataField(), "Name");
  EXPECT_EQ(R1->GetDataSource(), Copy->FindComponent("Source1"));
  EXPECT_EQ(R1->GetVersion(), "2.0.0");
  EXPECT_TRUE(R2->GetColor_Defaults());
  EXPECT_EQ(R2->GetNullStr(), ZYMNullStr);
  EXPECT_EQ(WriteComponentText(Copy.get()), Text);
}

TEST_F(TDbEditCoreTest, LoadedEditBindsToADataSourceOfItsOwner) {
  const std::string Text =
      "object Form2: TForm\n"
      "  object Edit1: TZYMQIXDbEdit\n"
      "    MaxLength = 20\n"
      "    DataField = 'Name'\n"
      "    DataSource = Source1\n"
      "  end\n"
      "end\n";
  std::unique_ptr<TComponent> Copy(ReadComponentText(Text, Form.get()));
  auto* R = dynamic_cast<TZYMQIXDbEdit*>(Copy->FindComponent("Edit1"));
  ASSERT_NE(R, nullptr);
  EXPECT_EQ(R->GetDataSource(), Source);
  EXPECT_EQ(R->GetText(), "Bolt");
  EXPECT_EQ(R->GetMaxLength(), 0) << "the field's size limits the text";
  EXPECT_FALSE(R->IsLoading());
}

}  // namespace
}  // namespace zymqix
