#include "vcl/StdCtrls.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

using namespace vcl;
using vcltest::TRecorder;

namespace {

// An edit whose clipboard handlers can swallow the message or pass it on,
// and whose KeyPress runs before the window sees the character.
class TInterceptEdit : public TEdit {
public:
  using TEdit::TEdit;
  bool SwallowPaste = false, SwallowCut = false, SwallowUndo = false;
  bool UpperCaseKeys = false;
  TRecorder* Rec = nullptr;

protected:
  void WMPaste(TMessage& M) override {
    if (Rec) Rec->Add("paste");
    if (!SwallowPaste) TEdit::WMPaste(M);
  }
  void WMCut(TMessage& M) override {
    if (Rec) Rec->Add("cut");
    if (!SwallowCut) TEdit::WMCut(M);
  }
  void WMCopy(TMessage& M) override {
    if (Rec) Rec->Add("copy");
    TEdit::WMCopy(M);
  }
  void WMUndo(TMessage& M) override {
    if (Rec) Rec->Add("undo");
    if (!SwallowUndo) TEdit::WMUndo(M);
  }
  void KeyPress(char& Key) override {
    if (UpperCaseKeys && Key >= 'a' && Key <= 'z') Key = static_cast<char>(Key - 'a' + 'A');
    TEdit::KeyPress(Key);
  }
  void Change() override {
    if (Rec) Rec->Add("change:" + GetText());
    TEdit::Change();
  }
};

class EditTest : public vcltest::TFormFixture {
protected:
  void SetUp() override {
    TFormFixture::SetUp();
    Edit = Add<TInterceptEdit>("Edit1");
    Edit->Rec = &Rec;
    Edit->SetFocus();
  }
  /// Text, then the selection as [start, length).
  void Put(const std::string& Text, int SelStart, int SelLength = 0) {
    Edit->SetText(Text);
    Edit->SetSelStart(SelStart);
    Edit->SetSelLength(SelLength);
    Rec.Clear();
  }
  TInterceptEdit* Edit = nullptr;
  TRecorder Rec;
};

}  // namespace

// ---- typing ----

TEST_F(EditTest, TypedCharactersReplaceTheSelection) {
  Put("hello", 1, 3);
  SimulateType(Edit, "a");
  EXPECT_EQ(Edit->GetText(), "hao");
  EXPECT_EQ(Edit->GetSelStart(), 2);
  EXPECT_EQ(Edit->GetSelLength(), 0);
  SimulateType(Edit, "Z9 ");
  EXPECT_EQ(Edit->GetText(), "haZ9 o");
  EXPECT_TRUE(Edit->GetModified());
}

TEST_F(EditTest, TabbingInSelectsAllSoTypingReplacesTheText) {
  auto* Other = Add<TEdit>("Edit2");
  Edit->SetText("old");
  Other->SetFocus();
  SimulateKey(Other, VK_TAB, {ssShift});
  ASSERT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->GetSelLength(), 3);
  SimulateType(Edit, "new");
  EXPECT_EQ(Edit->GetText(), "new");
}

struct TKeyCase {
  const char* Name;
  const char* Text;
  int SelStart, SelLength;
  Word Key;
  TShiftState Shift;
  const char* Expected;
  int ExpectedSelStart, ExpectedSelLength;
};

class EditKeyTest : public EditTest, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(EditKeyTest, KeyEditsTextAndMovesCaret) {
  const TKeyCase& C = GetParam();
  Put(C.Text, C.SelStart, C.SelLength);
  SimulateKey(Edit, C.Key, C.Shift);
  EXPECT_EQ(Edit->GetText(), C.Expected);
  EXPECT_EQ(Edit->GetSelStart(), C.ExpectedSelStart);
  EXPECT_EQ(Edit->GetSelLength(), C.ExpectedSelLength);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EditKeyTest,
    ::testing::Values(
        TKeyCase{"BackspaceDeletesBeforeCaret", "abcd", 2, 0, VK_BACK, {}, "acd", 1, 0},
        TKeyCase{"BackspaceAtStartDoesNothing", "abcd", 0, 0, VK_BACK, {}, "abcd", 0, 0},
        TKeyCase{"BackspaceDeletesSelection", "abcd", 1, 2, VK_BACK, {}, "ad", 1, 0},
        TKeyCase{"DeleteDeletesAfterCaret", "abcd", 2, 0, VK_DELETE, {}, "abd", 2, 0},
        TKeyCase{"DeleteAtEndDoesNothing", "abcd", 4, 0, VK_DELETE, {}, "abcd", 4, 0},
        TKeyCase{"DeleteDeletesSelection", "abcd", 0, 3, VK_DELETE, {}, "d", 0, 0},
        TKeyCase{"HomeCollapsesToStart", "abcd", 2, 1, VK_HOME, {}, "abcd", 0, 0},
        TKeyCase{"EndCollapsesToEnd", "abcd", 1, 0, VK_END, {}, "abcd", 4, 0},
        TKeyCase{"LeftMovesCaret", "abcd", 2, 0, VK_LEFT, {}, "abcd", 1, 0},
        TKeyCase{"LeftCollapsesSelectionToItsStart", "abcd", 1, 2, VK_LEFT, {}, "abcd", 1, 0},
        TKeyCase{"RightCollapsesSelectionToItsEnd", "abcd", 1, 2, VK_RIGHT, {}, "abcd", 3, 0},
        TKeyCase{"ShiftRightExtendsSelection", "abcd", 1, 0, VK_RIGHT, {ssShift}, "abcd", 1, 1},
        TKeyCase{"ShiftLeftExtendsBackwards", "abcd", 3, 0, VK_LEFT, {ssShift}, "abcd", 2, 1},
        TKeyCase{"ShiftHomeSelectsToStart", "abcd", 3, 0, VK_HOME, {ssShift}, "abcd", 0, 3},
        TKeyCase{"ShiftEndSelectsToEnd", "abcd", 1, 0, VK_END, {ssShift}, "abcd", 1, 3},
        TKeyCase{"EnterInsertsNothing", "abcd", 2, 0, VK_RETURN, {}, "abcd", 2, 0},
        TKeyCase{"EscapeInsertsNothing", "abcd", 2, 0, VK_ESCAPE, {}, "abcd", 2, 0}),
    [](const ::testing::TestParamInfo<TKeyCase>& I) { return std::string(I.param.Name); });

TEST_F(EditTest, ShiftArrowsExtendFromTheCaretEnd) {
  Put("abcdef", 2, 0);
  SimulateKey(Edit, VK_RIGHT, {ssShift});
  SimulateKey(Edit, VK_RIGHT, {ssShift});
  SimulateKey(Edit, VK_LEFT, {ssShift});
  EXPECT_EQ(Edit->GetSelText(), "c");
  SimulateType(Edit, "X");
  EXPECT_EQ(Edit->GetText(), "abXdef");
}

// ---- clipboard ----

TEST_F(EditTest, PasteKeysSendWmPasteToTheControlItself) {
  Host().SetClipboardText("XY");
  for (auto [Key, Shift] : {std::pair<Word, TShiftState>{'V', {ssCtrl}}, {VK_INSERT, {ssShift}}}) {
    Put("ab", 1);
    SimulateKey(Edit, Key, Shift);
    EXPECT_EQ(Edit->GetText(), "aXYb");
    EXPECT_EQ(Rec.Count("paste"), 1);
  }
}

TEST_F(EditTest, SwallowedPasteLeavesTextAlone) {
  Host().SetClipboardText("XY");
  Edit->SwallowPaste = true;
  Put("ab", 1);
  SimulateKey(Edit, 'V', {ssCtrl});
  SimulateKey(Edit, VK_INSERT, {ssShift});
  Edit->PasteFromClipboard();
  EXPECT_EQ(Rec.Count("paste"), 3);
  EXPECT_EQ(Edit->GetText(), "ab");
}

TEST_F(EditTest, PasteTakesOnlyTheFirstLine) {
  Host().SetClipboardText("one\r\ntwo");
  Put("", 0);
  SimulateKey(Edit, 'V', {ssCtrl});
  EXPECT_EQ(Edit->GetText(), "one");
}

TEST_F(EditTest, CutKeysMoveSelectionToClipboardThroughWmCut) {
  for (auto [Key, Shift] : {std::pair<Word, TShiftState>{'X', {ssCtrl}}, {VK_DELETE, {ssShift}}}) {
    Host().ClearClipboard();
    Put("abcd", 1, 2);
    SimulateKey(Edit, Key, Shift);
    EXPECT_EQ(Edit->GetText(), "ad");
    EXPECT_EQ(Host().GetClipboardText(), "bc");
    EXPECT_EQ(Rec.Count("cut"), 1);
  }
}

TEST_F(EditTest, SwallowedCutKeepsTextAndClipboard) {
  Edit->SwallowCut = true;
  Host().SetClipboardText("keep");
  Put("abcd", 1, 2);
  SimulateKey(Edit, 'X', {ssCtrl});
  SimulateKey(Edit, VK_DELETE, {ssShift});
  EXPECT_EQ(Rec.Count("cut"), 2);
  EXPECT_EQ(Edit->GetText(), "abcd");
  EXPECT_EQ(Host().GetClipboardText(), "keep");
}

TEST_F(EditTest, CopyKeysCopyWithoutChangingText) {
  for (auto [Key, Shift] : {std::pair<Word, TShiftState>{'C', {ssCtrl}}, {VK_INSERT, {ssCtrl}}}) {
    Host().ClearClipboard();
    Put("abcd", 2, 2);
    SimulateKey(Edit, Key, Shift);
    EXPECT_EQ(Host().GetClipboardText(), "cd");
    EXPECT_EQ(Edit->GetText(), "abcd");
    EXPECT_EQ(Rec.Count("copy"), 1);
  }
}

// ---- undo ----

TEST_F(EditTest, CtrlZUndoesTypingAsOneStepAndAgainRedoes) {
  Put("x", 1);
  SimulateType(Edit, "abc");
  SimulateKey(Edit, 'Z', {ssCtrl});
  EXPECT_EQ(Edit->GetText(), "x");
  EXPECT_EQ(Rec.Count("undo"), 1);
  SimulateKey(Edit, 'Z', {ssCtrl});
  EXPECT_EQ(Edit->GetText(), "xabc");
}

TEST_F(EditTest, UndoRestoresTextBeforeADeletion) {
  Put("abcd", 1, 2);
  SimulateKey(Edit, VK_DELETE);
  ASSERT_EQ(Edit->GetText(), "ad");
  Edit->Undo();
  EXPECT_EQ(Edit->GetText(), "abcd");
}

TEST_F(EditTest, SettingTextEmptiesTheUndoRecord) {
  Put("ab", 2);
  SimulateType(Edit, "c");
  Edit->SetText("new");
  EXPECT_FALSE(Edit->CanUndo());
  SimulateKey(Edit, 'Z', {ssCtrl});
  EXPECT_EQ(Edit->GetText(), "new");
}

TEST_F(EditTest, SwallowedUndoChangesNothing) {
  Edit->SwallowUndo = true;
  Put("", 0);
  SimulateType(Edit, "ab");
  SimulateKey(Edit, 'Z', {ssCtrl});
  EXPECT_EQ(Edit->GetText(), "ab");
}

// ---- limits and read-only ----

TEST_F(EditTest, MaxLengthLimitsTypingAndPasteButNotPrograms) {
  Edit->SetMaxLength(3);
  Put("", 0);
  SimulateType(Edit, "abcdef");
  EXPECT_EQ(Edit->GetText(), "abc");
  Put("ab", 1);
  Host().SetClipboardText("XYZ");
  SimulateKey(Edit, 'V', {ssCtrl});
  EXPECT_EQ(Edit->GetText(), "aXb");
  Put("abc", 1, 1);  // typing over a selection has room for its replacement
  SimulateType(Edit, "Q");
  EXPECT_EQ(Edit->GetText(), "aQc");
  Edit->SetText("longer than three");
  EXPECT_EQ(Edit->GetText(), "longer than three");
}

TEST_F(EditTest, ReadOnlyWindowRefusesEveryEdit) {
  Host().SetClipboardText("XY");
  Put("abcd", 1, 2);
  Edit->SetReadOnly(true);
  SimulateType(Edit, "z");
  SimulateKey(Edit, VK_BACK);
  SimulateKey(Edit, VK_DELETE);
  SimulateKey(Edit, 'V', {ssCtrl});
  SimulateKey(Edit, 'X', {ssCtrl});
  SimulateKey(Edit, VK_INSERT, {ssShift});
  SimulateKey(Edit, VK_DELETE, {ssShift});
  SimulateKey(Edit, 'Z', {ssCtrl});
  EXPECT_EQ(Edit->GetText(), "abcd");
  EXPECT_EQ(Host().GetClipboardText(), "XY");
  EXPECT_EQ(Rec.Count("change:abcd"), 0);
  for (const auto& L : Rec.Log) EXPECT_EQ(L.rfind("change", 0), std::string::npos) << L;
  // Copying and moving the caret still work, and a program may still set the text.
  SimulateKey(Edit, 'C', {ssCtrl});
  EXPECT_EQ(Host().GetClipboardText(), "bc");
  Edit->SetText("set");
  EXPECT_EQ(Edit->GetText(), "set");
  Edit->SetReadOnly(false);
  SimulateType(Edit, "!");
  EXPECT_EQ(Edit->GetText(), "!set");
}

TEST_F(EditTest, ReadOnlyIsAWindowStyle) {
  Edit->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLong(Edit->GetHandle(), GWL_STYLE) & ES_READONLY);
  Edit->SetReadOnly(false);
  EXPECT_FALSE(GetWindowLong(Edit->GetHandle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(EditTest, OEMConvertIsAWindowStyleThatLeavesTheTextAlone) {
  Edit->HandleNeeded();
  const int Made = Edit->GetWindowCreateCount();
  Edit->SetOEMConvert(true);
  EXPECT_EQ(Edit->GetWindowCreateCount(), Made + 1);
  EXPECT_TRUE(GetWindowLong(Edit->GetHandle(), GWL_STYLE) & ES_OEMCONVERT);
  Edit->SetFocus();
  SimulateType(Edit, "Ab");
  SimulateKeyPress(Edit, '\xE9');
  EXPECT_EQ(Edit->GetText(), "Ab\xE9");
  Edit->SetOEMConvert(false);
  EXPECT_FALSE(GetWindowLong(Edit->GetHandle(), GWL_STYLE) & ES_OEMCONVERT);
}

// ---- change notification ----

TEST_F(EditTest, ChangeFiresOncePerRealChangeAndNeverForANoOp) {
  int Changes = 0;
  Edit->SetOnChange([&](TObject* Sender) {
    EXPECT_EQ(Sender, Edit);
    ++Changes;
  });
  Put("abc", 0);
  Changes = 0;
  Edit->SetText("abc");
  SimulateKey(Edit, VK_BACK);      // at the start: nothing to delete
  SimulateKey(Edit, VK_LEFT);
  Host().ClearClipboard();
  SimulateKey(Edit, 'V', {ssCtrl});  // empty clipboard
  EXPECT_EQ(Changes, 0);
  SimulateType(Edit, "x");
  EXPECT_EQ(Changes, 1);
  Edit->SetSelStart(0);
  Edit->SetSelLength(4);
  Host().SetClipboardText("q");
  SimulateKey(Edit, 'V', {ssCtrl});  // replacing the selection is one change
  EXPECT_EQ(Changes, 2);
  Edit->SetText("new");
  EXPECT_EQ(Changes, 3);
  Edit->Clear();
  Edit->Clear();
  EXPECT_EQ(Changes, 4);
}

TEST_F(EditTest, ChangeSeesTheNewText) {
  Put("ab", 2);
  SimulateType(Edit, "c");
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"change:abc"}));
}

// ---- key handlers before the window ----

TEST_F(EditTest, OnKeyPressCanChangeOrSwallowTheKey) {
  Edit->SetOnKeyPress([](TObject*, char& Key) {
    if (Key == 'a') Key = 'b';
    if (Key == 'x') Key = '\0';
  });
  Put("", 0);
  SimulateType(Edit, "axc");
  EXPECT_EQ(Edit->GetText(), "bc");
}

TEST_F(EditTest, KeyPressOverrideRunsBeforeTheWindow) {
  Edit->UpperCaseKeys = true;
  char Seen = 0;
  Edit->SetOnKeyPress([&](TObject*, char& Key) { Seen = Key; });
  Put("", 0);
  SimulateType(Edit, "q");
  EXPECT_EQ(Seen, 'Q');
  EXPECT_EQ(Edit->GetText(), "Q");
}

TEST_F(EditTest, OnKeyDownCanSwallowAKeyBeforeTheWindow) {
  Edit->SetOnKeyDown([](TObject*, Word& Key, TShiftState) {
    if (Key == VK_DELETE) Key = 0;
  });
  Put("abc", 0);
  SimulateKey(Edit, VK_DELETE);
  EXPECT_EQ(Edit->GetText(), "abc");
}

TEST_F(EditTest, KeyDownSeesTheShiftStateAndKeyUpFollows) {
  std::vector<std::string> Seen;
  Edit->SetOnKeyDown([&](TObject*, Word& Key, TShiftState S) {
    Seen.push_back("down " + std::to_string(Key) + (S.Contains(ssCtrl) ? " ctrl" : ""));
  });
  Edit->SetOnKeyUp([&](TObject*, Word& Key, TShiftState) { Seen.push_back("up " + std::to_string(Key)); });
  SimulateKey(Edit, 'N', {ssCtrl});
  EXPECT_EQ(Seen, (std::vector<std::string>{"down 78 ctrl", "up 78"}));
  EXPECT_GE(GetKeyState(VK_CONTROL), 0) << "modifiers are released after the keystroke";
}

TEST_F(EditTest, CtrlLetterArrivesAsAControlCharacter) {
  char Seen = 0;
  Edit->SetOnKeyPress([&](TObject*, char& Key) { Seen = Key; });
  SimulateKey(Edit, 'N', {ssCtrl});
  EXPECT_EQ(Seen, 14);
}

TEST_F(EditTest, DisabledEditGetsNoKeys) {
  Put("abc", 3);
  Edit->SetEnabled(false);
  SimulateType(Edit, "x");
  EXPECT_EQ(Edit->GetText(), "abc");
}

// ---- window ----

TEST_F(EditTest, RecreatingTheWindowKeepsTextSelectionAndState) {
  Put("hello", 1, 3);
  Edit->SetReadOnly(true);
  Edit->SetModified(true);
  HWND Before = Edit->GetHandle();
  int Created = Edit->GetWindowCreateCount();
  Edit->SetCharCase(ecUpperCase);  // a style change recreates the window
  EXPECT_EQ(Edit->GetRecreateCount(), 1);
  EXPECT_EQ(Edit->GetWindowCreateCount(), Created + 1);
  EXPECT_FALSE(IsWindow(Before));
  EXPECT_EQ(Edit->GetText(), "HELLO");
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 3);
  EXPECT_TRUE(Edit->GetModified());
  EXPECT_TRUE(Edit->GetReadOnly());
  EXPECT_TRUE(GetWindowLong(Edit->GetHandle(), GWL_STYLE) & ES_UPPERCASE);
  EXPECT_TRUE(Edit->Focused());
}

TEST(EditWindow, WindowIsMadeOnlyWhenAskedFor) {
  vcl::THostScope Scope;
  TEdit E(nullptr);
  E.SetText("abc");
  EXPECT_FALSE(E.HandleAllocated());
  E.RecreateWnd();
  EXPECT_EQ(E.GetRecreateCount(), 0);
  EXPECT_NE(E.GetHandle(), nullptr);
  EXPECT_EQ(E.GetWindowCreateCount(), 1);
  EXPECT_EQ(E.GetText(), "abc");
}

TEST(EditWindow, SelTextBufCopiesAtMostTheBufferSize) {
  TEdit E(nullptr);
  E.SetText("abcdef");
  E.SetSelStart(1);
  E.SetSelLength(4);
  char Buf[3];
  EXPECT_EQ(E.GetSelTextBuf(Buf, sizeof Buf), 2);
  EXPECT_STREQ(Buf, "bc");
  E.SetSelTextBuf("Z");
  EXPECT_EQ(E.GetText(), "aZf");
}

// ---- combo box ----

namespace {

class TDrawingCombo : public TComboBox {
public:
  using TComboBox::TComboBox;
  TRecorder* Rec = nullptr;

protected:
  void Change() override {
    if (Rec) Rec->Add("change:" + std::to_string(GetItemIndex()) + ":" + GetText());
    TComboBox::Change();
  }
  void Click() override {
    if (Rec) Rec->Add("click");
    TComboBox::Click();
  }
  void DrawItem(int Index, const TRect& R, TOwnerDrawState State) override {
    // Selected items in red on yellow, the others keep the canvas colours.
    if (State.Contains(odSelected)) {
      GetCanvas()->GetBrush()->SetColor(clYellow);
      GetCanvas()->GetFont()->SetColor(clRed);
    }
    TComboBox::DrawItem(Index, R, State);
  }
};

class ComboTest : public vcltest::TFormFixture {
protected:
  void SetUp() override {
    TFormFixture::SetUp();
    Combo = Add<TDrawingCombo>("Combo1");
    Combo->Rec = &Rec;
    for (const char* S : {"Apple", "Banana", "Cherry", "blueberry"}) Combo->GetItems()->Add(S);
  }
  TDrawingCombo* Combo = nullptr;
  TRecorder Rec;
};

}  // namespace

TEST_F(ComboTest, ItemIndexFromCodeSelectsWithoutNotifying) {
  Combo->SetStyle(csDropDownList);
  Combo->SetItemIndex(2);
  EXPECT_EQ(Combo->GetText(), "Cherry");
  Combo->SetItemIndex(7);
  EXPECT_EQ(Combo->GetItemIndex(), -1);
  EXPECT_EQ(Combo->GetText(), "");
  EXPECT_TRUE(Rec.Log.empty());
}

TEST_F(ComboTest, ArrowKeysSelectAndNotifyClickThenChange) {
  Combo->SetStyle(csDropDownList);
  Combo->SetFocus();
  SimulateKey(Combo, VK_DOWN);
  EXPECT_EQ(Combo->GetItemIndex(), 0);
  SimulateKey(Combo, VK_DOWN);
  SimulateKey(Combo, VK_END);
  SimulateKey(Combo, VK_DOWN);  // already on the last item: nothing
  SimulateKey(Combo, VK_HOME);
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"click", "change:0:Apple", "click", "change:1:Banana", "click",
                                                "change:3:blueberry", "click", "change:0:Apple"}));
}

TEST_F(ComboTest, TypedLetterJumpsToNextItemStartingWithIt) {
  Combo->SetStyle(csDropDownList);
  Combo->SetFocus();
  SimulateType(Combo, "b");
  EXPECT_EQ(Combo->GetText(), "Banana");
  SimulateType(Combo, "B");
  EXPECT_EQ(Combo->GetText(), "blueberry");
  SimulateType(Combo, "b");
  EXPECT_EQ(Combo->GetText(), "Banana") << "the search wraps around";
  SimulateType(Combo, "z");
  EXPECT_EQ(Combo->GetText(), "Banana");
}

TEST_F(ComboTest, KeyDownHandlerCanKeepArrowsFromTheList) {
  Combo->SetStyle(csDropDownList);
  Combo->SetItemIndex(1);
  Combo->SetOnKeyDown([](TObject*, Word& Key, TShiftState) {
    if (Key == VK_UP || Key == VK_DOWN) Key = 0;
  });
  Combo->SetFocus();
  SimulateKey(Combo, VK_DOWN);
  EXPECT_EQ(Combo->GetItemIndex(), 1);
  EXPECT_TRUE(Rec.Log.empty());
}

TEST_F(ComboTest, EditFieldTypingChangesTextAndArrowsPickItems) {
  Combo->SetFocus();
  Combo->SetText("");
  SimulateType(Combo, "Ki");
  EXPECT_EQ(Combo->GetText(), "Ki");
  EXPECT_EQ(Rec.Count("change:-1:K"), 1);
  EXPECT_EQ(Rec.Count("change:-1:Ki"), 1);
  SimulateKey(Combo, VK_DOWN);
  EXPECT_EQ(Combo->GetText(), "Apple");
  EXPECT_EQ(Combo->GetItemIndex(), 0);
  Rec.Clear();
  Combo->SetText("typed");  // a program's text: no change notification
  EXPECT_TRUE(Rec.Log.empty());
}

TEST_F(ComboTest, ListOnlyTextSelectsAMatchingItemOnly) {
  Combo->SetStyle(csDropDownList);
  Combo->SetText("cherry");
  EXPECT_EQ(Combo->GetItemIndex(), 2);
  Combo->SetText("nothing like it");
  EXPECT_EQ(Combo->GetItemIndex(), 2);
  Combo->SetText("");
  EXPECT_EQ(Combo->GetItemIndex(), -1);
}

TEST_F(ComboTest, DropDownFiresOnDropDownAndAltDownToggles) {
  int Drops = 0, Ups = 0;
  Combo->SetOnDropDown([&](TObject*) { ++Drops; });
  Combo->SetOnCloseUp([&](TObject*) { ++Ups; });
  Combo->SetFocus();
  SimulateKey(Combo, VK_DOWN, {ssAlt});
  EXPECT_TRUE(Combo->GetDroppedDown());
  SimulateKey(Combo, VK_F4);
  EXPECT_FALSE(Combo->GetDroppedDown());
  EXPECT_EQ(Drops, 1);
  EXPECT_EQ(Ups, 1);
}

TEST_F(ComboTest, PickingFromTheListSelectsAndCloses) {
  Combo->SetStyle(csDropDownList);
  Combo->SetFocus();
  SimulateSelectItem(Combo, 2);
  EXPECT_EQ(Combo->GetItemIndex(), 2);
  EXPECT_FALSE(Combo->GetDroppedDown());
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"click", "change:2:Cherry"}));
  Rec.Clear();
  SimulateSelectItem(Combo, 2);  // the same item again: no change
  EXPECT_TRUE(Rec.Log.empty());
}

TEST_F(ComboTest, OwnerDrawnListDrawsEveryItemThroughDrawItem) {
  Combo->SetStyle(csOwnerDrawFixed);
  Combo->SetItemIndex(1);
  Combo->SetFocus();
  Combo->GetCanvas()->ClearTextLog();
  SimulateKey(Combo, VK_F4);
  const auto& Log = Combo->GetCanvas()->TextLog();
  ASSERT_EQ(Log.size(), 4u);
  EXPECT_EQ(Log[0].Text, "Apple");
  EXPECT_EQ(Log[0].BrushColor, clWindow) << "unselected items start in the control's colours";
  EXPECT_EQ(Log[0].FontColor, clWindowText);
  EXPECT_EQ(Log[1].Text, "Banana");
  EXPECT_EQ(Log[1].BrushColor, clYellow);
  EXPECT_EQ(Log[1].FontColor, clRed);
  EXPECT_EQ(Combo->ListSurface().Pixel(1, Combo->ItemRect(1).Top + 1), static_cast<COLORREF>(ColorToRGB(clYellow)));
}

TEST_F(ComboTest, OwnerDrawnSelectionFieldIsDrawnWhenPainted) {
  Combo->SetStyle(csOwnerDrawVariable);
  Combo->SetItemIndex(3);
  std::vector<TOwnerDrawState> States;
  Combo->SetOnDrawItem([&](TWinControl*, int Index, TRect, TOwnerDrawState State) {
    EXPECT_EQ(Index, 3);
    States.push_back(State);
  });
  Combo->SetFocus();
  Application()->ProcessMessages();
  ASSERT_EQ(States.size(), 1u);
  EXPECT_TRUE(States[0].Contains(odComboBoxEdit));
  EXPECT_TRUE(States[0].Contains(odFocused));
}

TEST_F(ComboTest, VariableItemsAreMeasured) {
  Combo->SetStyle(csOwnerDrawVariable);
  Combo->SetOnMeasureItem([](TWinControl*, int Index, int& Height) { Height = 10 + Index; });
  Combo->SetDroppedDown(true);
  EXPECT_EQ(Combo->ItemRect(2), Rect(0, 21, Combo->GetWidth(), 33));
}

TEST_F(ComboTest, SelectionFollowsItsItemWhenTheListChanges) {
  Combo->SetItemIndex(1);
  Combo->GetItems()->Insert(0, "Zero");
  EXPECT_EQ(Combo->GetItemIndex(), 2);
  Combo->GetItems()->Delete(0);
  EXPECT_EQ(Combo->GetItemIndex(), 1);
  Combo->GetItems()->Delete(1);
  EXPECT_EQ(Combo->GetItemIndex(), -1);
  Combo->SetItemIndex(0);
  Combo->GetItems()->Clear();
  EXPECT_EQ(Combo->GetItemIndex(), -1);
}

TEST_F(ComboTest, SortedListFilesItemsCaseInsensitively) {
  Combo->SetItemIndex(3);  // "blueberry"
  Combo->SetSorted(true);
  EXPECT_EQ(Combo->GetItems()->GetCommaText(), "Apple,Banana,blueberry,Cherry");
  EXPECT_EQ(Combo->GetItems()->Get(Combo->GetItemIndex()), "blueberry");
  Combo->GetItems()->Add("apricot");
  Combo->GetItems()->Add("Apple");
  EXPECT_EQ(Combo->GetItems()->GetCommaText(), "Apple,Apple,apricot,Banana,blueberry,Cherry");
}

TEST_F(ComboTest, HeightFollowsTheStyle) {
  Combo->SetHeight(50);
  EXPECT_EQ(Combo->GetHeight(), 21);
  Combo->SetStyle(csOwnerDrawFixed);
  Combo->SetItemHeight(15);
  EXPECT_EQ(Combo->GetHeight(), 21);
  Combo->SetItemHeight(20);
  EXPECT_EQ(Combo->GetHeight(), 26);
  Combo->SetStyle(csSimple);
  Combo->SetHeight(80);
  EXPECT_EQ(Combo->GetHeight(), 80);
}

// ---- label ----

TEST(LabelTest, AutoSizeFollowsCaptionAndFont) {
  THostScope Scope;
  TForm F(nullptr);
  auto* L = new TLabel(&F);
  L->SetParent(&F);
  L->SetCaption("&Name");
  EXPECT_EQ(L->DisplayCaption(), "Name");
  int CharW = L->GetFont()->AverageCharWidth();
  EXPECT_EQ(L->GetWidth(), 4 * CharW);
  L->GetFont()->SetHeight(-20);
  EXPECT_EQ(L->GetWidth(), 4 * L->GetFont()->AverageCharWidth());
  EXPECT_EQ(L->GetHeight(), L->GetFont()->LineHeight());
  L->SetAutoSize(false);
  L->SetCaption("A much longer caption");
  EXPECT_EQ(L->GetWidth(), 4 * L->GetFont()->AverageCharWidth());
}

TEST(LabelTest, AcceleratorFocusesTheFocusControl) {
  THostScope Scope;
  TForm F(nullptr);
  F.Show();
  auto* E1 = new TEdit(&F);
  E1->SetParent(&F);
  auto* E2 = new TEdit(&F);
  E2->SetParent(&F);
  auto* L = new TLabel(&F);
  L->SetParent(&F);
  L->SetCaption("&Second");
  L->SetFocusControl(E2);
  E1->SetFocus();
  SimulateKey(E1, 'S', {ssAlt});
  EXPECT_TRUE(E2->Focused());
  delete E2;
  EXPECT_EQ(L->GetFocusControl(), nullptr);
}

TEST(LabelTest, PaintsCaptionByAlignment) {
  THostScope Scope;
  TForm F(nullptr);
  F.Show();
  auto* L = new TLabel(&F);
  L->SetParent(&F);
  L->SetAutoSize(false);
  L->SetBounds(10, 10, 100, 20);
  L->SetCaption("ab");
  L->SetAlignment(taRightJustify);
  Application()->ProcessMessages();
  const auto& Log = L->GetCanvas()->TextLog();
  ASSERT_FALSE(Log.empty());
  EXPECT_EQ(Log.back().Text, "ab");
  EXPECT_EQ(Log.back().X, 100 - 2 * L->GetFont()->AverageCharWidth());
}

TEST(LabelTest, ClickAndDoubleClick) {
  THostScope Scope;
  TForm F(nullptr);
  F.Show();
  auto* L = new TLabel(&F);
  L->SetParent(&F);
  L->SetCaption("link");
  int Clicks = 0, Dbl = 0;
  L->SetOnClick([&](TObject*) { ++Clicks; });
  L->SetOnDblClick([&](TObject*) { ++Dbl; });
  SimulateClick(L);
  EXPECT_EQ(Clicks, 1);
  SimulateDblClick(L);
  EXPECT_EQ(Clicks, 2);
  EXPECT_EQ(Dbl, 1);
}

// ---- check box, radio button, group box ----

namespace {
class ButtonTest : public vcltest::TFormFixture {};
}  // namespace

TEST_F(ButtonTest, CheckBoxToggledByClickAndSpaceSendsBmSetCheckThenClick) {
  auto* Box = Add<TCheckBox>("Box");
  Box->HandleNeeded();
  std::vector<LRESULT> ChecksSeenByClick;
  Box->SetOnClick([&](TObject*) { ChecksSeenByClick.push_back(Box->Perform(BM_GETCHECK, 0, 0)); });
  SimulateClick(Box);
  EXPECT_EQ(Box->GetState(), cbChecked);
  EXPECT_TRUE(Box->Focused());
  SimulateKey(Box, VK_SPACE);
  EXPECT_EQ(Box->GetState(), cbUnchecked);
  EXPECT_EQ(ChecksSeenByClick, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED}));
}

TEST_F(ButtonTest, CheckBoxCyclesThroughGrayedOnlyWhenAllowed) {
  auto* Box = Add<TCheckBox>("Box");
  std::vector<TCheckBoxState> Seen;
  for (int I = 0; I < 3; ++I) {
    SimulateClick(Box);
    Seen.push_back(Box->GetState());
  }
  EXPECT_EQ(Seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbChecked}));
  Box->SetAllowGrayed(true);
  Seen.clear();
  for (int I = 0; I < 3; ++I) {
    SimulateClick(Box);
    Seen.push_back(Box->GetState());
  }
  EXPECT_EQ(Seen, (std::vector<TCheckBoxState>{cbUnchecked, cbGrayed, cbChecked}));
}

TEST_F(ButtonTest, SettingTheSameStateClicksNothing) {
  auto* Box = Add<TCheckBox>("Box");
  int Clicks = 0;
  Box->SetOnClick([&](TObject*) { ++Clicks; });
  Box->SetChecked(true);
  Box->SetChecked(true);
  Box->SetState(cbChecked);
  EXPECT_EQ(Clicks, 1);
  Box->HandleNeeded();
  EXPECT_EQ(Box->Perform(BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED)) << "a new window takes the state";
}

TEST_F(ButtonTest, CheckingARadioButtonUnchecksItsSiblings) {
  auto* Group = Add<TGroupBox>("Group");
  auto* A = Add<TRadioButton>("A", Group);
  auto* B = Add<TRadioButton>("B", Group);
  auto* Elsewhere = Add<TRadioButton>("Elsewhere");
  Elsewhere->SetChecked(true);
  A->SetChecked(true);
  SimulateClick(B);
  EXPECT_TRUE(B->GetChecked());
  EXPECT_FALSE(A->GetChecked());
  EXPECT_TRUE(Elsewhere->GetChecked()) << "another parent is another group";
  EXPECT_TRUE(B->GetTabStop());
  EXPECT_FALSE(A->GetTabStop());
}
