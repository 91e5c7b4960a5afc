#include "vcl/StdCtrls.h"

#include <algorithm>
#include <cstring>

#include "vcl/Host.h"
#include "vcl/Menus.h"

namespace vcl {

VCL_REGISTER_CLASS(TCustomEdit, TWinControl) {}
VCL_REGISTER_CLASS(TEdit, TCustomEdit) {
  b.Property("Anchors", &TEdit::GetAnchors, &TEdit::SetAnchors).Default(TAnchors{akLeft, akTop});
  b.Property("AutoSelect", &TEdit::GetAutoSelect, &TEdit::SetAutoSelect).Default(TCustomEdit::DefaultAutoSelect);
  b.Property("AutoSize", &TEdit::GetAutoSize, &TEdit::SetAutoSize).Default(TCustomEdit::DefaultAutoSize);
  b.Property("BorderStyle", &TEdit::GetBorderStyle, &TEdit::SetBorderStyle).Default(bsSingle);
  b.Property("CharCase", &TEdit::GetCharCase, &TEdit::SetCharCase).Default(ecNormal);
  b.Property("Color", &TEdit::GetColor, &TEdit::SetColor).Default(clWindow).Type("TColor").Stored(&TControl::IsColorStored);
  b.Property("Constraints", &TEdit::GetConstraints, &TEdit::SetConstraints);
  b.Property("Ctl3D", &TEdit::GetCtl3D, &TEdit::SetCtl3D).Default(true);
  b.Property("Enabled", &TEdit::GetEnabled, &TEdit::SetEnabled).Default(true);
  b.Property("Font", &TEdit::GetFont, &TEdit::SetFont).Stored(&TControl::IsFontStored);
  b.Property("HideSelection", &TEdit::GetHideSelection, &TEdit::SetHideSelection).Default(true);
  b.Property("MaxLength", &TEdit::GetMaxLength, &TEdit::SetMaxLength).Default(TCustomEdit::DefaultMaxLength);
  b.Property("ParentColor", &TEdit::GetParentColor, &TEdit::SetParentColor).Default(false);
  b.Property("ParentFont", &TEdit::GetParentFont, &TEdit::SetParentFont).Default(true);
  b.Property("ParentShowHint", &TEdit::GetParentShowHint, &TEdit::SetParentShowHint).Default(true);
  b.Property("PasswordChar", &TEdit::GetPasswordChar, &TEdit::SetPasswordChar).Default('\0').Type("Char");
  b.Property("PopupMenu", &TEdit::GetPopupMenu, &TEdit::SetPopupMenu);
  b.Property("ReadOnly", &TEdit::GetReadOnly, &TEdit::SetReadOnly).Default(false);
  b.Property("ShowHint", &TEdit::GetShowHint, &TEdit::SetShowHint).Default(false);
  b.Property("TabOrder", &TEdit::GetTabOrder, &TEdit::SetTabOrder).Default(-1);
  b.Property("TabStop", &TEdit::GetTabStop, &TEdit::SetTabStop).Default(true);
  b.Property("Text", &TEdit::GetText, &TEdit::SetText).Default(std::string());
  b.Property("Visible", &TEdit::GetVisible, &TEdit::SetVisible).Default(true);
  b.Event("OnChange", &TEdit::GetOnChange, &TEdit::SetOnChange);
  b.Event("OnClick", &TEdit::GetOnClick, &TEdit::SetOnClick);
  b.Event("OnDblClick", &TEdit::GetOnDblClick, &TEdit::SetOnDblClick);
  b.Event("OnEnter", &TEdit::GetOnEnter, &TEdit::SetOnEnter);
  b.Event("OnExit", &TEdit::GetOnExit, &TEdit::SetOnExit);
  b.Event("OnKeyDown", &TEdit::GetOnKeyDown, &TEdit::SetOnKeyDown);
  b.Event("OnKeyPress", &TEdit::GetOnKeyPress, &TEdit::SetOnKeyPress);
  b.Event("OnKeyUp", &TEdit::GetOnKeyUp, &TEdit::SetOnKeyUp);
  b.Event("OnMouseDown", &TEdit::GetOnMouseDown, &TEdit::SetOnMouseDown);
  b.Event("OnMouseMove", &TEdit::GetOnMouseMove, &TEdit::SetOnMouseMove);
  b.Event("OnMouseUp", &TEdit::GetOnMouseUp, &TEdit::SetOnMouseUp);
}

// ---- the editor's key processing, shared by the edit and the combo box's edit field ----
namespace {

/// Keys a single-line edit window acts on in WM_KEYDOWN.
void EditorKeyDown(TLineEdit& Edit, TControl* Window, Word Key, TShiftState Shift, bool UpDownMove) {
  bool Extend = Shift.Contains(ssShift);
  using M = TLineEdit::TCaretMove;
  switch (Key) {
    case VK_LEFT: Edit.MoveCaret(M::Left, Extend); break;
    case VK_RIGHT: Edit.MoveCaret(M::Right, Extend); break;
    // A single-line edit treats Up and Down as Left and Right.
    case VK_UP: if (UpDownMove) Edit.MoveCaret(M::Left, Extend); break;
    case VK_DOWN: if (UpDownMove) Edit.MoveCaret(M::Right, Extend); break;
    case VK_HOME: Edit.MoveCaret(M::Home, Extend); break;
    case VK_END: Edit.MoveCaret(M::End, Extend); break;
    case VK_DELETE:
      if (Shift == TShiftState{ssShift}) Window->Perform(WM_CUT, 0, 0);
      else if (!Shift.Contains(ssCtrl)) Edit.DeleteForward();
      break;
    case VK_INSERT:
      if (Shift == TShiftState{ssShift}) Window->Perform(WM_PASTE, 0, 0);
      else if (Shift == TShiftState{ssCtrl}) Window->Perform(WM_COPY, 0, 0);
      break;
    default: break;
  }
}

/// Characters a single-line edit window acts on in WM_CHAR; the clipboard keys
/// go to the window itself as messages so that its handlers see them.
void EditorChar(TLineEdit& Edit, TControl* Window, char Ch, const std::string& Typed) {
  auto U = static_cast<unsigned char>(Ch);
  switch (U) {
    case 3: Window->Perform(WM_COPY, 0, 0); return;
    case 22: Window->Perform(WM_PASTE, 0, 0); return;
    case 24: Window->Perform(WM_CUT, 0, 0); return;
    case 26: Window->Perform(WM_UNDO, 0, 0); return;
    case 8: Edit.DeleteBackward(); return;
    default: break;
  }
  if (U < 32 || U == 127) return;  // other control characters insert nothing
  Edit.InsertText(Typed, TLineEdit::TUndoKind::Typing);
}

/// The clipboard and undo messages of an edit window.
bool EditorClipboard(TLineEdit& Edit, TMessage& M, bool Hidden, const std::function<std::string(std::string)>& Case) {
  switch (M.Msg) {
    case WM_COPY:
      if (Edit.SelLength() > 0 && !Hidden) Host().SetClipboardText(Edit.SelText());
      return true;
    case WM_CUT:
      if (Edit.GetReadOnly() || Edit.SelLength() == 0) return true;
      if (!Hidden) Host().SetClipboardText(Edit.SelText());
      Edit.ClearSelection();
      return true;
    case WM_PASTE: {
      if (Edit.GetReadOnly() || !Host().ClipboardHasText()) return true;
      // A single-line edit takes the clipboard's first line only.
      std::string S = Host().GetClipboardText();
      S = S.substr(0, S.find_first_of("\r\n"));
      Edit.InsertText(Case(S));
      return true;
    }
    case WM_CLEAR: Edit.ClearSelection(); return true;
    case WM_UNDO: M.Result = Edit.Undo() ? 1 : 0; return true;
    default: return false;
  }
}

}  // namespace

// ---- TCustomEdit ----
TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight, csCaptureMouse});
  SetBounds(0, 0, DefaultWidth, DefaultHeight);
  SetTabStop(true);
  SetParentColor(false);
  FEdit.OnChange = [this] { Change(); };
  AdjustHeight();
}

TCustomEdit::~TCustomEdit() {
  Destroying();
  DestroyComponents();
  FEdit.OnChange = nullptr;
}

void TCustomEdit::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomEdit::SetSelStart(int Value) { FEdit.SetSel(Value, 0); }

void TCustomEdit::SetSelLength(int Value) { FEdit.SetSel(FEdit.SelStart(), std::max(0, Value)); }

void TCustomEdit::SetSelText(const std::string& Value) {
  Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() { Perform(EM_SETSEL, 0, -1); }

int TCustomEdit::GetSelTextBuf(char* Buffer, int BufSize) const {
  if (!Buffer || BufSize <= 0) return 0;
  std::string S = FEdit.SelText();
  int N = std::min(static_cast<int>(S.size()), BufSize - 1);
  std::memcpy(Buffer, S.data(), static_cast<size_t>(N));
  Buffer[N] = '\0';
  return N;
}

void TCustomEdit::SetSelTextBuf(const char* Buffer) { SetSelText(Buffer ? Buffer : ""); }

void TCustomEdit::Clear() { SetText(""); }
void TCustomEdit::ClearSelection() { Perform(WM_CLEAR, 0, 0); }
void TCustomEdit::CopyToClipboard() { Perform(WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { Perform(WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
void TCustomEdit::Undo() { Perform(WM_UNDO, 0, 0); }
void TCustomEdit::ClearUndo() { Perform(EM_EMPTYUNDOBUFFER, 0, 0); }

void TCustomEdit::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  Perform(EM_SETREADONLY, Value ? 1 : 0, 0);
}

void TCustomEdit::SetMaxLength(int Value) {
  if (Value < 0) Value = 0;
  if (FEdit.GetMaxLength() == Value) return;
  Perform(EM_LIMITTEXT, static_cast<WPARAM>(Value), 0);
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustHeight();
}

void TCustomEdit::AdjustHeight() {
  if (!FAutoSize) return;
  // A line of text, one pixel of margin above and below, and the border.
  int Border = FBorderStyle == bsSingle ? (GetCtl3D() ? 4 : 2) : 0;
  SetHeight(GetFont()->LineHeight() + 2 * 2 + Border);
}

std::string TCustomEdit::ApplyCharCase(const std::string& S) const {
  if (FCharCase == ecUpperCase) return AnsiUpperCase(S);
  if (FCharCase == ecLowerCase) return AnsiLowerCase(S);
  return S;
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  RecreateWnd();
  std::string S = ApplyCharCase(FEdit.Text());
  if (S != FEdit.Text()) {
    int A = FEdit.Anchor(), C = FEdit.Caret();
    FEdit.Replace(0, FEdit.Length(), S);
    FEdit.SetSelection(A, C);
  }
}

void TCustomEdit::SetPasswordChar(char Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
  AdjustHeight();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool Value) {
  if (FOEMConvert == Value) return;
  FOEMConvert = Value;
  RecreateWnd();
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FPasswordChar != '\0') Params.Style |= ES_PASSWORD;
  if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FOEMConvert) Params.Style |= ES_OEMCONVERT;
  if (FBorderStyle == bsSingle) {
    if (GetCtl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
}

void TCustomEdit::CMEnter(TMessage& Message) {
  // Tabbing into an edit selects its text; a click puts the caret where it lands instead.
  if (FAutoSelect && !GetControlState().Contains(csLButtonDown) &&
      (GetWindowLong(GetHandle(), GWL_STYLE) & ES_MULTILINE) == 0)
    SelectAll();
  TWinControl::CMEnter(Message);
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  AdjustHeight();
}

void TCustomEdit::WMSetText(TMessage& Message) {
  const char* S = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
  FEdit.SetText(ApplyCharCase(S));
  Message.Result = 1;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TCustomEdit::PaintWindow(HDC DC) { TWinControl::PaintWindow(DC); }

void TCustomEdit::DefaultHandler(TMessage& M) {
  switch (M.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: EditorKeyDown(FEdit, this, static_cast<Word>(M.WParam), KeyboardShift(), true); return;
    case WM_CHAR: {
      char Ch = static_cast<char>(static_cast<unsigned char>(M.WParam));
      EditorChar(FEdit, this, Ch, ApplyCharCase(std::string(1, Ch)));
      return;
    }
    case WM_COPY:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
      EditorClipboard(FEdit, M, FPasswordChar != '\0', [this](std::string S) { return ApplyCharCase(S); });
      return;
    case EM_UNDO: M.Result = FEdit.Undo() ? 1 : 0; return;
    case EM_CANUNDO: M.Result = FEdit.CanUndo() ? 1 : 0; return;
    case EM_EMPTYUNDOBUFFER: FEdit.ClearUndo(); return;
    case EM_GETSEL: {
      auto Start = static_cast<uint32_t>(FEdit.SelStart());
      auto End = static_cast<uint32_t>(FEdit.SelStart() + FEdit.SelLength());
      if (M.WParam) *reinterpret_cast<uint32_t*>(M.WParam) = Start;
      if (M.LParam) *reinterpret_cast<uint32_t*>(M.LParam) = End;
      M.Result = static_cast<LRESULT>(Start | (End << 16));
      return;
    }
    case EM_SETSEL: {
      auto Start = static_cast<intptr_t>(M.WParam), End = M.LParam;
      if (Start == -1) {  // -1 removes the selection and keeps the caret
        FEdit.SetSelection(FEdit.Caret(), FEdit.Caret());
        return;
      }
      if (End == -1) End = FEdit.Length();
      FEdit.SetSelection(static_cast<int>(Start), static_cast<int>(End));
      return;
    }
    case EM_REPLACESEL:
      if (FEdit.Replace(FEdit.SelStart(), FEdit.SelLength(),
                        M.LParam ? reinterpret_cast<const char*>(M.LParam) : ""))
        FEdit.SetModified(true);
      return;
    case EM_SETREADONLY:
      FReadOnly = M.WParam != 0;
      FEdit.SetReadOnly(FReadOnly);
      if (HandleAllocated()) {
        auto S = static_cast<uint32_t>(GetWindowLong(GetHandle(), GWL_STYLE));
        SetWindowLong(GetHandle(), GWL_STYLE, static_cast<int32_t>(FReadOnly ? S | ES_READONLY : S & ~ES_READONLY));
      }
      M.Result = 1;
      return;
    case EM_LIMITTEXT: FEdit.SetMaxLength(static_cast<int>(M.WParam)); return;
    case EM_GETLIMITTEXT: M.Result = FEdit.GetMaxLength(); return;
    case EM_GETMODIFY: M.Result = FEdit.GetModified() ? 1 : 0; return;
    case EM_SETMODIFY: FEdit.SetModified(M.WParam != 0); return;
    case WM_GETDLGCODE: M.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; return;
    case WM_LBUTTONDOWN:
      // Clicking an edit focuses it and puts the caret after the text.
      if (!Focused() && CanFocus()) SetFocus();
      if (Focused()) FEdit.SetSelection(FEdit.Length(), FEdit.Length());
      return;
    default: TWinControl::DefaultHandler(M); return;
  }
}

}  // namespace vcl

// ---- TComboBoxStrings ----
namespace vcl {

void TComboBoxStrings::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
}

std::string TComboBoxStrings::Get(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].S;
}

void TComboBoxStrings::Put(int Index, const std::string& S) {
  CheckIndex(Index);
  TObject* Obj = FItems[static_cast<size_t>(Index)].Obj;
  bool WasSelected = FOwner->FItemIndex == Index;
  Delete(Index);
  Insert(Index, S);
  FItems[static_cast<size_t>(Index)].Obj = Obj;
  if (WasSelected) FOwner->SetItemIndex(Index);
}

TObject* TComboBoxStrings::GetObject(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Obj;
}

void TComboBoxStrings::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)].Obj = AObject;
}

void TComboBoxStrings::Insert(int Index, const std::string& S) {
  if (Index < 0 || Index > Count()) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
  FItems.insert(FItems.begin() + Index, Item{S, nullptr});
  FOwner->ItemInserted(Index);
}

int TComboBoxStrings::Add(const std::string& S) {
  if (!FOwner->GetSorted()) {
    Insert(Count(), S);
    return Count() - 1;
  }
  // Case-insensitive order; an equal item goes after those already there.
  auto It = std::upper_bound(FItems.begin(), FItems.end(), S,
                             [](const std::string& A, const Item& B) { return AnsiCompareText(A, B.S) < 0; });
  int Index = static_cast<int>(It - FItems.begin());
  Insert(Index, S);
  return Index;
}

void TComboBoxStrings::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
  FOwner->ItemDeleted(Index);
}

void TComboBoxStrings::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  FOwner->ItemsCleared();
}

void TComboBoxStrings::Sort() {
  int Sel = FOwner->FItemIndex;
  std::vector<Item> Old = FItems;
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const Item& A, const Item& B) { return AnsiCompareText(A.S, B.S) < 0; });
  if (Sel < 0) return;
  // Follow the selected item to its new place (equal items keep their order).
  const Item& Was = Old[static_cast<size_t>(Sel)];
  int Rank = 0;
  for (int I = 0; I < Sel; ++I)
    if (Old[static_cast<size_t>(I)].S == Was.S && Old[static_cast<size_t>(I)].Obj == Was.Obj) ++Rank;
  for (int I = 0; I < Count(); ++I)
    if (FItems[static_cast<size_t>(I)].S == Was.S && FItems[static_cast<size_t>(I)].Obj == Was.Obj && Rank-- == 0) {
      FOwner->FItemIndex = I;
      return;
    }
}

// ---- TCustomComboBox ----
VCL_REGISTER_CLASS(TCustomComboBox, TWinControl) {}
VCL_REGISTER_CLASS(TComboBox, TCustomComboBox) {
  b.Property("Style", &TComboBox::GetStyle, &TComboBox::SetStyle).Default(TCustomComboBox::DefaultStyle);
  b.Property("Anchors", &TComboBox::GetAnchors, &TComboBox::SetAnchors).Default(TAnchors{akLeft, akTop});
  b.Property("Color", &TComboBox::GetColor, &TComboBox::SetColor).Default(clWindow).Type("TColor").Stored(&TControl::IsColorStored);
  b.Property("Constraints", &TComboBox::GetConstraints, &TComboBox::SetConstraints);
  b.Property("DropDownCount", &TComboBox::GetDropDownCount, &TComboBox::SetDropDownCount)
      .Default(TCustomComboBox::DefaultDropDownCount);
  b.Property("Enabled", &TComboBox::GetEnabled, &TComboBox::SetEnabled).Default(true);
  b.Property("Font", &TComboBox::GetFont, &TComboBox::SetFont).Stored(&TControl::IsFontStored);
  b.Property("ItemHeight", &TComboBox::GetItemHeight, &TComboBox::SetItemHeight)
      .Default(TCustomComboBox::DefaultItemHeight);
  b.Property("ItemIndex", &TComboBox::GetItemIndex, &TComboBox::SetItemIndex).Default(-1);
  b.Property("MaxLength", &TComboBox::GetMaxLength, &TComboBox::SetMaxLength).Default(0);
  b.Property("ParentColor", &TComboBox::GetParentColor, &TComboBox::SetParentColor).Default(false);
  b.Property("ParentFont", &TComboBox::GetParentFont, &TComboBox::SetParentFont).Default(true);
  b.Property("PopupMenu", &TComboBox::GetPopupMenu, &TComboBox::SetPopupMenu);
  b.Property("ShowHint", &TComboBox::GetShowHint, &TComboBox::SetShowHint).Default(false);
  b.Property("Sorted", &TComboBox::GetSorted, &TComboBox::SetSorted).Default(false);
  b.Property("TabOrder", &TComboBox::GetTabOrder, &TComboBox::SetTabOrder).Default(-1);
  b.Property("TabStop", &TComboBox::GetTabStop, &TComboBox::SetTabStop).Default(true);
  b.Property("Text", &TComboBox::GetText, &TComboBox::SetText).Default(std::string());
  b.Property("Visible", &TComboBox::GetVisible, &TComboBox::SetVisible).Default(true);
  b.Property("Items", &TComboBox::GetItems, &TComboBox::SetItems);
  b.Event("OnChange", &TComboBox::GetOnChange, &TComboBox::SetOnChange);
  b.Event("OnClick", &TComboBox::GetOnClick, &TComboBox::SetOnClick);
  b.Event("OnCloseUp", &TComboBox::GetOnCloseUp, &TComboBox::SetOnCloseUp);
  b.Event("OnDblClick", &TComboBox::GetOnDblClick, &TComboBox::SetOnDblClick);
  b.Event("OnDrawItem", &TComboBox::GetOnDrawItem, &TComboBox::SetOnDrawItem);
  b.Event("OnDropDown", &TComboBox::GetOnDropDown, &TComboBox::SetOnDropDown);
  b.Event("OnEnter", &TComboBox::GetOnEnter, &TComboBox::SetOnEnter);
  b.Event("OnExit", &TComboBox::GetOnExit, &TComboBox::SetOnExit);
  b.Event("OnKeyDown", &TComboBox::GetOnKeyDown, &TComboBox::SetOnKeyDown);
  b.Event("OnKeyPress", &TComboBox::GetOnKeyPress, &TComboBox::SetOnKeyPress);
  b.Event("OnKeyUp", &TComboBox::GetOnKeyUp, &TComboBox::SetOnKeyUp);
  b.Event("OnMeasureItem", &TComboBox::GetOnMeasureItem, &TComboBox::SetOnMeasureItem);
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TComboBoxStrings>(this)), FCanvas(std::make_unique<TCanvas>()) {
  SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight});
  SetBounds(0, 0, DefaultWidth, 21);
  SetTabStop(true);
  SetParentColor(false);
  FEdit.OnChange = [this] { Change(); };
  AdjustHeight();
}

TCustomComboBox::~TCustomComboBox() {
  Destroying();
  DestroyComponents();
  FEdit.OnChange = nullptr;
}

void TCustomComboBox::AdjustHeight() {
  if (FStyle == csSimple) return;
  // The selection field: a line of text (or an owner-drawn item) with its 3D frame.
  int H = IsOwnerDrawn() ? FItemHeight + 6 : GetFont()->LineHeight() + 8;
  TWinControl::SetBounds(GetLeft(), GetTop(), GetWidth(), H);
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // The window decides the height of a drop-down combo box; only csSimple takes the height it is given.
  if (FStyle != csSimple) AHeight = IsOwnerDrawn() ? FItemHeight + 6 : GetFont()->LineHeight() + 8;
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= GetItemCount()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  // The edit field shows the selected item without a change notification.
  if (HasEdit()) {
    auto Saved = FEdit.OnChange;
    FEdit.OnChange = nullptr;
    FEdit.SetText(Value >= 0 ? FItems->Get(Value) : FEdit.Text());
    FEdit.SelectAll();
    FEdit.OnChange = Saved;
  }
  Invalidate();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  std::string Text = GetText();
  FStyle = Value;
  if (HasEdit()) {
    auto Saved = FEdit.OnChange;
    FEdit.OnChange = nullptr;
    FEdit.SetText(Text);
    FEdit.OnChange = Saved;
  }
  RecreateWnd();
  AdjustHeight();
}

void TCustomComboBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (Value) FItems->Sort();
  RecreateWnd();
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value < 1 || Value == FItemHeight) return;
  FItemHeight = Value;
  AdjustHeight();
  Invalidate();
}

void TCustomComboBox::SetSelText(const std::string& Value) {
  if (!HasEdit()) return;
  if (FEdit.Replace(FEdit.SelStart(), FEdit.SelLength(), Value)) FEdit.SetModified(true);
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetText("");
}

void TCustomComboBox::ItemInserted(int Index) {
  if (FItemIndex >= Index) ++FItemIndex;
  Invalidate();
}

void TCustomComboBox::ItemDeleted(int Index) {
  if (FItemIndex == Index) FItemIndex = -1;
  else if (FItemIndex > Index) --FItemIndex;
  Invalidate();
}

void TCustomComboBox::ItemsCleared() {
  FItemIndex = -1;
  Invalidate();
}

std::string TCustomComboBox::RealGetText() const {
  if (HasEdit()) return FEdit.Text();
  return FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string();
}

void TCustomComboBox::WMSetText(TMessage& M) {
  std::string S = M.LParam ? reinterpret_cast<const char*>(M.LParam) : "";
  M.Result = 1;
  if (HasEdit()) {
    // A program's text goes into the edit field without a change notification.
    auto Saved = FEdit.OnChange;
    FEdit.OnChange = nullptr;
    FEdit.SetText(S);
    FEdit.OnChange = Saved;
  } else if (S.empty()) {
    SetItemIndex(-1);
  } else {
    // A list-only combo box can show nothing but an item: the text selects it.
    int I = FItems->IndexOf(S);
    if (I < 0) {
      M.Result = 0;
      return;
    }
    SetItemIndex(I);
  }
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  static const uint32_t Styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                    CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | Styles[static_cast<int>(FStyle)];
  if (FSorted) Params.Style |= CBS_SORT;
}

void TCustomComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomComboBox::DropDown() {
  if (FOnDropDown) FOnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (FOnCloseUp) FOnCloseUp(this);
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (FOnMeasureItem) FOnMeasureItem(this, Index, Height);
}

int TCustomComboBox::ItemHeightOf(int Index) {
  int H = FItemHeight;
  if (FStyle == csOwnerDrawVariable) MeasureItem(Index, H);
  return H;
}

TRect TCustomComboBox::ItemRect(int Index) const {
  int Top = 0;
  for (int I = 0; I < Index && I < static_cast<int>(FItemHeights.size()); ++I) Top += FItemHeights[static_cast<size_t>(I)];
  int H = Index < static_cast<int>(FItemHeights.size()) ? FItemHeights[static_cast<size_t>(Index)] : FItemHeight;
  return Rect(0, Top, GetWidth(), Top + H);
}

void TCustomComboBox::DrawItem(int Index, const TRect& R, TOwnerDrawState State) {
  if (FOnDrawItem) {
    FOnDrawItem(this, Index, R, State);
    return;
  }
  FCanvas->FillRect(R);
  if (Index >= 0 && Index < GetItemCount()) FCanvas->TextOut(R.Left + 2, R.Top, FItems->Get(Index));
}

void TCustomComboBox::DrawOneItem(HDC DC, int Index, const TRect& R, TOwnerDrawState State) {
  // The canvas starts in the control's colours, or the highlight colours for a selected item.
  FCanvas->SetHandle(DC);
  FCanvas->SetFont(GetFont());
  FCanvas->GetBrush()->SetColor(GetColor());
  FCanvas->GetBrush()->SetStyle(bsSolid);
  if (Index >= 0 && State.Contains(odSelected)) {
    FCanvas->GetBrush()->SetColor(clHighlight);
    FCanvas->GetFont()->SetColor(clHighlightText);
  }
  try {
    if (Index >= 0 && IsOwnerDrawn()) DrawItem(Index, R, State);
    else if (Index >= 0) TCustomComboBox::DrawItem(Index, R, State);
    else FCanvas->FillRect(R);
  } catch (...) {
    FCanvas->SetHandle(nullptr);
    throw;
  }
  FCanvas->SetHandle(nullptr);
}

void TCustomComboBox::DrawList() {
  FItemHeights.clear();
  int Total = 0;
  for (int I = 0; I < GetItemCount(); ++I) {
    FItemHeights.push_back(ItemHeightOf(I));
    Total += FItemHeights.back();
  }
  FListSurface.Resize(GetWidth(), std::max(Total, FItemHeight), static_cast<COLORREF>(ColorToRGB(GetColor())));
  HDC DC = CreateSurfaceDC(&FListSurface);
  try {
    for (int I = 0; I < GetItemCount(); ++I) {
      TOwnerDrawState State;
      if (I == FItemIndex) State = State + TOwnerDrawState{odSelected, odFocused};
      if (!GetEnabled()) State.Include(odDisabled);
      DrawOneItem(DC, I, ItemRect(I), State);
    }
  } catch (...) {
    DeleteDC(DC);
    throw;
  }
  DeleteDC(DC);
}

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (FDroppedDown == Value) return;
  if (Value) {
    DropDown();
    FDroppedDown = true;
    DrawList();
    return;
  }
  FDroppedDown = false;
  CloseUp();
}

void TCustomComboBox::SelectionChangedByUser() {
  if (HasEdit() && FItemIndex >= 0) {
    auto Saved = FEdit.OnChange;
    FEdit.OnChange = nullptr;
    FEdit.SetText(FItems->Get(FItemIndex));
    FEdit.SelectAll();
    FEdit.OnChange = Saved;
  }
  if (FDroppedDown) DrawList();
  Click();
  Change();
}

void TCustomComboBox::SelectByUser(int Index) {
  if (Index < 0 || Index >= GetItemCount()) return;
  bool Changed = Index != FItemIndex;
  if (Changed) {
    FItemIndex = Index;
    Invalidate();
    SelectionChangedByUser();
  }
  SetDroppedDown(false);
}

void TCustomComboBox::ComboKeyDown(Word Key) {
  TShiftState Shift = KeyboardShift();
  if (Key == VK_F4 || (Shift.Contains(ssAlt) && (Key == VK_DOWN || Key == VK_UP))) {
    SetDroppedDown(!FDroppedDown);
    return;
  }
  if (FDroppedDown && (Key == VK_RETURN || Key == VK_ESCAPE)) {
    SetDroppedDown(false);
    return;
  }
  int Count = GetItemCount();
  int Target = FItemIndex;
  int Page = std::max(1, FDropDownCount - 1);
  bool ListKeys = !HasEdit();
  switch (Key) {
    case VK_DOWN: Target = FItemIndex + 1; break;
    case VK_UP: Target = FItemIndex < 0 ? 0 : FItemIndex - 1; break;
    case VK_RIGHT: if (ListKeys) Target = FItemIndex + 1; break;
    case VK_LEFT: if (ListKeys) Target = FItemIndex < 0 ? 0 : FItemIndex - 1; break;
    case VK_HOME: if (ListKeys) Target = 0; break;
    case VK_END: if (ListKeys) Target = Count - 1; break;
    case VK_NEXT: Target = FItemIndex + Page; break;
    case VK_PRIOR: Target = FItemIndex < 0 ? 0 : FItemIndex - Page; break;
    default: break;
  }
  bool Moves = Key == VK_DOWN || Key == VK_UP || Key == VK_NEXT || Key == VK_PRIOR ||
               (ListKeys && (Key == VK_RIGHT || Key == VK_LEFT || Key == VK_HOME || Key == VK_END));
  if (Moves) {
    if (Count == 0) return;
    Target = std::clamp(Target, 0, Count - 1);
    if (Target == FItemIndex) return;
    FItemIndex = Target;
    Invalidate();
    SelectionChangedByUser();
    return;
  }
  if (HasEdit()) EditorKeyDown(FEdit, this, Key, Shift, false);
}

void TCustomComboBox::ComboChar(char Ch) {
  if (HasEdit()) {
    EditorChar(FEdit, this, Ch, std::string(1, Ch));
    return;
  }
  auto U = static_cast<unsigned char>(Ch);
  if (U < 32 || GetItemCount() == 0) return;
  // A list-only combo box jumps to the next item that starts with the typed character.
  int Count = GetItemCount();
  std::string Key = AnsiLowerCase(std::string(1, Ch));
  for (int Step = 1; Step <= Count; ++Step) {
    int I = ((FItemIndex < 0 ? -1 : FItemIndex) + Step) % Count;
    std::string S = FItems->Get(I);
    if (!S.empty() && AnsiLowerCase(S.substr(0, 1)) == Key) {
      if (I == FItemIndex) return;
      FItemIndex = I;
      Invalidate();
      SelectionChangedByUser();
      return;
    }
  }
}

void TCustomComboBox::DefaultHandler(TMessage& M) {
  switch (M.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: ComboKeyDown(static_cast<Word>(M.WParam)); return;
    case WM_CHAR: ComboChar(static_cast<char>(static_cast<unsigned char>(M.WParam))); return;
    case WM_COPY:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
      if (HasEdit()) EditorClipboard(FEdit, M, false, [](std::string S) { return S; });
      return;
    case WM_GETDLGCODE:
      M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FDroppedDown ? DLGC_WANTALLKEYS : 0);
      return;
    case CB_GETCOUNT: M.Result = GetItemCount(); return;
    case CB_GETCURSEL: M.Result = FItemIndex; return;
    case CB_SETCURSEL:
      SetItemIndex(static_cast<int>(static_cast<intptr_t>(M.WParam)));
      M.Result = FItemIndex;
      return;
    case CB_ADDSTRING: M.Result = FItems->Add(M.LParam ? reinterpret_cast<const char*>(M.LParam) : ""); return;
    case CB_RESETCONTENT: FItems->Clear(); return;
    case CB_SHOWDROPDOWN: SetDroppedDown(M.WParam != 0); M.Result = 1; return;
    case CB_GETDROPPEDSTATE: M.Result = FDroppedDown ? 1 : 0; return;
    case CB_LIMITTEXT: FEdit.SetMaxLength(static_cast<int>(M.WParam)); M.Result = 1; return;
    case WM_LBUTTONDOWN: {
      if (!Focused() && CanFocus()) SetFocus();
      // The button, or anywhere on a list-only combo box, drops the list down and closes it.
      int X = LoWordSigned(M.LParam);
      if (FStyle != csSimple && (!HasEdit() || X >= GetWidth() - GetSystemMetrics(SM_CXVSCROLL) - 2))
        SetDroppedDown(!FDroppedDown);
      return;
    }
    default: TWinControl::DefaultHandler(M); return;
  }
}

void TCustomComboBox::CMEnter(TMessage& Message) {
  if (HasEdit()) FEdit.SelectAll();
  TWinControl::CMEnter(Message);
}

void TCustomComboBox::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  AdjustHeight();
}

void TCustomComboBox::PaintWindow(HDC DC) {
  TWinControl::PaintWindow(DC);
  TRect R = GetClientRect();
  if (FStyle != csSimple) {
    // The drop button at the right.
    int BW = GetSystemMetrics(SM_CXVSCROLL);
    TRect Btn = Rect(R.Right - BW - 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    HBRUSH B = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnFace)));
    vcl::FillRect(DC, &Btn, B);
    DeleteObject(B);
    R.Right = Btn.Left;
  }
  if (IsOwnerDrawn()) {
    TOwnerDrawState State{odComboBoxEdit};
    if (Focused()) State = State + TOwnerDrawState{odSelected, odFocused};
    if (!GetEnabled()) State.Include(odDisabled);
    InflateRect(&R, -2, -2);
    R.Right += 2;
    DrawOneItem(DC, FItemIndex, R, State);
  }
}

// ---- TCustomLabel ----
VCL_REGISTER_CLASS(TCustomLabel, TGraphicControl) {}
VCL_REGISTER_CLASS(TLabel, TCustomLabel) {
  b.Property("Align", &TLabel::GetAlign, &TLabel::SetAlign).Default(alNone);
  b.Property("Alignment", &TLabel::GetAlignment, &TLabel::SetAlignment).Default(taLeftJustify);
  b.Property("Anchors", &TLabel::GetAnchors, &TLabel::SetAnchors).Default(TAnchors{akLeft, akTop});
  b.Property("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize).Default(TCustomLabel::DefaultAutoSize);
  b.Property("Caption", &TLabel::GetCaption, &TLabel::SetCaption).Default(std::string());
  b.Property("Color", &TLabel::GetColor, &TLabel::SetColor).Type("TColor").Stored(&TControl::IsColorStored);
  b.Property("Constraints", &TLabel::GetConstraints, &TLabel::SetConstraints);
  b.Property("Enabled", &TLabel::GetEnabled, &TLabel::SetEnabled).Default(true);
  b.Property("FocusControl", &TLabel::GetFocusControl, &TLabel::SetFocusControl);
  b.Property("Font", &TLabel::GetFont, &TLabel::SetFont).Stored(&TControl::IsFontStored);
  b.Property("Layout", &TLabel::GetLayout, &TLabel::SetLayout).Default(tlTop);
  b.Property("ParentColor", &TLabel::GetParentColor, &TLabel::SetParentColor).Default(true);
  b.Property("ParentFont", &TLabel::GetParentFont, &TLabel::SetParentFont).Default(true);
  b.Property("ParentShowHint", &TLabel::GetParentShowHint, &TLabel::SetParentShowHint).Default(true);
  b.Property("PopupMenu", &TLabel::GetPopupMenu, &TLabel::SetPopupMenu);
  b.Property("ShowAccelChar", &TLabel::GetShowAccelChar, &TLabel::SetShowAccelChar)
      .Default(TCustomLabel::DefaultShowAccelChar);
  b.Property("ShowHint", &TLabel::GetShowHint, &TLabel::SetShowHint).Default(false);
  b.Property("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent).Default(false);
  b.Property("Visible", &TLabel::GetVisible, &TLabel::SetVisible).Default(true);
  b.Property("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap).Default(false);
  b.Event("OnClick", &TLabel::GetOnClick, &TLabel::SetOnClick);
  b.Event("OnDblClick", &TLabel::GetOnDblClick, &TLabel::SetOnDblClick);
  b.Event("OnMouseDown", &TLabel::GetOnMouseDown, &TLabel::SetOnMouseDown);
  b.Event("OnMouseMove", &TLabel::GetOnMouseMove, &TLabel::SetOnMouseMove);
  b.Event("OnMouseUp", &TLabel::GetOnMouseUp, &TLabel::SetOnMouseUp);
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
  SetBounds(0, 0, 65, 17);
  AdjustBounds();
}

TCustomLabel::~TCustomLabel() { SetFocusControl(nullptr); }

std::string TCustomLabel::DisplayCaption() const {
  std::string S = GetCaption();
  if (!FShowAccelChar) return S;
  std::string Out;
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '&') {
      if (I + 1 < S.size() && S[I + 1] == '&') Out += '&';
      ++I;
      if (I < S.size() && S[I] != '&') Out += S[I];
      continue;
    }
    Out += S[I];
  }
  return Out;
}

std::vector<std::string> TCustomLabel::Lines() const {
  std::string Text = DisplayCaption();
  std::vector<std::string> Result;
  int CharW = GetFont()->AverageCharWidth();
  int PerLine = FWordWrap ? std::max(1, GetWidth() / CharW) : 0;
  size_t Start = 0;
  while (true) {
    size_t NL = Text.find('\n', Start);
    std::string Para = Text.substr(Start, NL == std::string::npos ? std::string::npos : NL - Start);
    if (!Para.empty() && Para.back() == '\r') Para.pop_back();
    if (!FWordWrap || static_cast<int>(Para.size()) <= PerLine) {
      Result.push_back(Para);
    } else {
      // Break at the last blank that fits; a word longer than the line is cut.
      std::string Line;
      size_t P = 0;
      while (P < Para.size()) {
        size_t Take = std::min(Para.size() - P, static_cast<size_t>(PerLine));
        if (P + Take < Para.size()) {
          size_t Blank = Para.rfind(' ', P + Take);
          if (Blank != std::string::npos && Blank > P) Take = Blank - P;
        }
        Result.push_back(Para.substr(P, Take));
        P += Take;
        while (P < Para.size() && Para[P] == ' ') ++P;
      }
    }
    if (NL == std::string::npos) break;
    Start = NL + 1;
  }
  return Result;
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || IsLoading()) return;
  std::vector<std::string> L = Lines();
  int CharW = GetFont()->AverageCharWidth(), LineH = GetFont()->LineHeight();
  size_t Longest = 0;
  for (const auto& S : L) Longest = std::max(Longest, S.size());
  int W = FWordWrap ? GetWidth() : static_cast<int>(Longest) * CharW;
  int H = static_cast<int>(L.size()) * LineH;
  // A right-aligned label grows to the left, as the framework's does.
  int Left = GetLeft();
  if (!FWordWrap && FAlignment == taRightJustify) Left += GetWidth() - W;
  SetBounds(Left, GetTop(), W, H);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
  if (!FShowAccelChar || !FFocusControl || !GetEnabled() || !FFocusControl->CanFocus()) return;
  std::string S = GetCaption();
  for (size_t I = 0; I + 1 < S.size(); ++I) {
    if (S[I] != '&') continue;
    if (S[I + 1] == '&') {
      ++I;
      continue;
    }
    if (AnsiLowerCase(std::string(1, S[I + 1])) ==
        AnsiLowerCase(std::string(1, static_cast<char>(static_cast<unsigned char>(Message.WParam))))) {
      FFocusControl->SetFocus();
      Message.Result = 1;
    }
    return;
  }
}

void TCustomLabel::Paint() {
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  C->GetBrush()->SetColor(GetColor());
  if (!FTransparent) C->FillRect(R);
  C->GetBrush()->SetStyle(bsClear);
  if (!GetEnabled()) C->GetFont()->SetColor(clGrayText);
  std::vector<std::string> L = Lines();
  int LineH = GetFont()->LineHeight();
  int TextH = static_cast<int>(L.size()) * LineH;
  int Y = FLayout == tlTop ? 0 : FLayout == tlCenter ? (R.Bottom - TextH) / 2 : R.Bottom - TextH;
  for (const auto& S : L) {
    int W = C->TextWidth(S);
    int X = FAlignment == taLeftJustify ? 0 : FAlignment == taCenter ? (R.Right - W) / 2 : R.Right - W;
    C->TextRect(R, X, Y, S);
    Y += LineH;
  }
}

}  // namespace vcl

namespace vcl {

// ---- TButtonControl ----
VCL_REGISTER_CLASS(TButtonControl, TWinControl) {}

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetTabStop(true);
}

TButtonControl::~TButtonControl() {
  Destroying();
  DestroyComponents();
}

void TButtonControl::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TButtonControl::DefaultHandler(TMessage& M) {
  switch (M.Msg) {
    case BM_SETCHECK:
      if (FWindowCheck != M.WParam) {
        FWindowCheck = M.WParam;
        Invalidate();
      }
      return;
    case BM_GETCHECK: M.Result = static_cast<LRESULT>(FWindowCheck); return;
    case WM_GETDLGCODE: M.Result = DLGC_BUTTON; return;
    default: TWinControl::DefaultHandler(M); return;
  }
}

void TButtonControl::PaintMark(HDC DC, TAlignment Alignment, WPARAM Check, bool Round) {
  TRect R = GetClientRect();
  constexpr int Box = 13;
  int BoxLeft = Alignment == taLeftJustify ? R.Right - Box : 0;
  int BoxTop = (R.Bottom - Box) / 2;
  FCanvas->SetHandle(DC);
  FCanvas->SetFont(GetFont());
  FCanvas->GetBrush()->SetStyle(bsSolid);
  FCanvas->GetBrush()->SetColor(Check == BST_INDETERMINATE ? clBtnFace : clWindow);
  FCanvas->GetPen()->SetColor(clBtnShadow);
  FCanvas->Rectangle(Bounds(BoxLeft, BoxTop, Box, Box));
  if (Check != BST_UNCHECKED) {
    // A mark in the middle of the box: a dot for a radio button, a tick for a check box.
    TColor Mark = GetEnabled() && Check == BST_CHECKED ? clWindowText : clGrayText;
    if (Round) {
      FCanvas->GetBrush()->SetColor(Mark);
      FCanvas->FillRect(Bounds(BoxLeft + 4, BoxTop + 4, 5, 5));
    } else {
      FCanvas->GetPen()->SetColor(Mark);
      FCanvas->MoveTo(BoxLeft + 3, BoxTop + 6);
      FCanvas->LineTo(BoxLeft + 5, BoxTop + 8);
      FCanvas->LineTo(BoxLeft + 10, BoxTop + 3);
    }
  }
  std::string Caption = GetCaption();
  if (!Caption.empty()) {
    FCanvas->GetBrush()->SetStyle(bsClear);
    if (!GetEnabled()) FCanvas->GetFont()->SetColor(clGrayText);
    int X = Alignment == taLeftJustify ? 0 : Box + 4;
    FCanvas->TextOut(X, (R.Bottom - FCanvas->TextHeight(Caption)) / 2, Caption);
  }
  FCanvas->SetHandle(nullptr);
}

// ---- TCustomCheckBox ----
VCL_REGISTER_CLASS(TCustomCheckBox, TButtonControl) {}
VCL_REGISTER_CLASS(TCheckBox, TCustomCheckBox) {
  b.Property("Alignment", &TCheckBox::GetAlignment, &TCheckBox::SetAlignment).Default(taRightJustify);
  b.Property("AllowGrayed", &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
  b.Property("Caption", &TCheckBox::GetCaption, &TCheckBox::SetCaption).Default(std::string());
  b.Property("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked).Default(false);
  b.Property("Color", &TCheckBox::GetColor, &TCheckBox::SetColor).Type("TColor").Stored(&TControl::IsColorStored);
  b.Property("Enabled", &TCheckBox::GetEnabled, &TCheckBox::SetEnabled).Default(true);
  b.Property("Font", &TCheckBox::GetFont, &TCheckBox::SetFont).Stored(&TControl::IsFontStored);
  b.Property("ParentColor", &TCheckBox::GetParentColor, &TCheckBox::SetParentColor).Default(true);
  b.Property("ParentFont", &TCheckBox::GetParentFont, &TCheckBox::SetParentFont).Default(true);
  b.Property("State", &TCheckBox::GetState, &TCheckBox::SetState).Default(cbUnchecked);
  b.Property("TabOrder", &TCheckBox::GetTabOrder, &TCheckBox::SetTabOrder).Default(-1);
  b.Property("TabStop", &TCheckBox::GetTabStop, &TCheckBox::SetTabStop).Default(true);
  b.Property("Visible", &TCheckBox::GetVisible, &TCheckBox::SetVisible).Default(true);
  b.Event("OnClick", &TCheckBox::GetOnClick, &TCheckBox::SetOnClick);
  b.Event("OnEnter", &TCheckBox::GetOnEnter, &TCheckBox::SetOnEnter);
  b.Event("OnExit", &TCheckBox::GetOnExit, &TCheckBox::SetOnExit);
  b.Event("OnKeyDown", &TCheckBox::GetOnKeyDown, &TCheckBox::SetOnKeyDown);
  b.Event("OnKeyPress", &TCheckBox::GetOnKeyPress, &TCheckBox::SetOnKeyPress);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

TCustomCheckBox::~TCustomCheckBox() {
  Destroying();
  DestroyComponents();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (HandleAllocated()) Perform(BM_SETCHECK, static_cast<WPARAM>(FState), 0);
  if (!GetClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (Value == taCenter) Value = taRightJustify;
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
  if (GetWordWrap()) Params.Style |= BS_MULTILINE;
}

void TCustomCheckBox::WindowCreated() { Perform(BM_SETCHECK, static_cast<WPARAM>(FState), 0); }

void TCustomCheckBox::DefaultHandler(TMessage& M) {
  switch (M.Msg) {
    case WM_LBUTTONDOWN:
      if (!Focused() && CanFocus()) SetFocus();
      return;
    case WM_LBUTTONUP:
      if (GetClientRect().Contains(Point(LoWordSigned(M.LParam), HiWordSigned(M.LParam)))) Toggle();
      return;
    case WM_KEYUP:
      if (M.WParam == VK_SPACE) Toggle();
      return;
    default: TButtonControl::DefaultHandler(M); return;
  }
}

void TCustomCheckBox::PaintWindow(HDC DC) {
  TButtonControl::PaintWindow(DC);
  PaintMark(DC, FAlignment, WindowCheck(), false);
}

// ---- TRadioButton ----
VCL_REGISTER_CLASS(TRadioButton, TButtonControl) {
  b.Property("Alignment", &TRadioButton::GetAlignment, &TRadioButton::SetAlignment).Default(taRightJustify);
  b.Property("Caption", &TRadioButton::GetCaption, &TRadioButton::SetCaption).Default(std::string());
  b.Property("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked).Default(false);
  b.Property("Enabled", &TRadioButton::GetEnabled, &TRadioButton::SetEnabled).Default(true);
  b.Property("Font", &TRadioButton::GetFont, &TRadioButton::SetFont).Stored(&TControl::IsFontStored);
  b.Property("ParentFont", &TRadioButton::GetParentFont, &TRadioButton::SetParentFont).Default(true);
  b.Property("TabOrder", &TRadioButton::GetTabOrder, &TRadioButton::SetTabOrder).Default(-1);
  b.Property("TabStop", &TRadioButton::GetTabStop, &TRadioButton::SetTabStop).Default(false);
  b.Property("Visible", &TRadioButton::GetVisible, &TRadioButton::SetVisible).Default(true);
  b.Event("OnClick", &TRadioButton::GetOnClick, &TRadioButton::SetOnClick);
  b.Event("OnEnter", &TRadioButton::GetOnEnter, &TRadioButton::SetOnEnter);
  b.Event("OnExit", &TRadioButton::GetOnExit, &TRadioButton::SetOnExit);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 113, 17);
  // Only the checked button of a group is a tab stop.
  SetTabStop(false);
}

TRadioButton::~TRadioButton() {
  Destroying();
  DestroyComponents();
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (HandleAllocated()) Perform(BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  if (TWinControl* P = GetParent())
    for (TControl* C : std::vector<TControl*>(P->Controls()))
      if (auto* R = dynamic_cast<TRadioButton*>(C); R && R != this) R->SetChecked(false);
  if (!GetClicksDisabled()) Click();
}

void TRadioButton::SetAlignment(TAlignment Value) {
  if (Value == taCenter) Value = taRightJustify;
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::WindowCreated() { Perform(BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0); }

void TRadioButton::DefaultHandler(TMessage& M) {
  switch (M.Msg) {
    case WM_LBUTTONDOWN:
      if (!Focused() && CanFocus()) SetFocus();
      return;
    case WM_LBUTTONUP:
      if (GetClientRect().Contains(Point(LoWordSigned(M.LParam), HiWordSigned(M.LParam)))) SetChecked(true);
      return;
    case WM_KEYUP:
      if (M.WParam == VK_SPACE) SetChecked(true);
      return;
    case WM_GETDLGCODE: M.Result = DLGC_BUTTON | DLGC_RADIOBUTTON; return;
    default: TButtonControl::DefaultHandler(M); return;
  }
}

void TRadioButton::PaintWindow(HDC DC) {
  TButtonControl::PaintWindow(DC);
  PaintMark(DC, FAlignment, WindowCheck(), true);
}

// ---- TCustomGroupBox ----
VCL_REGISTER_CLASS(TCustomGroupBox, TCustomControl) {}
VCL_REGISTER_CLASS(TGroupBox, TCustomGroupBox) {
  b.Property("Align", &TGroupBox::GetAlign, &TGroupBox::SetAlign).Default(alNone);
  b.Property("Caption", &TGroupBox::GetCaption, &TGroupBox::SetCaption).Default(std::string());
  b.Property("Color", &TGroupBox::GetColor, &TGroupBox::SetColor).Type("TColor").Stored(&TControl::IsColorStored);
  b.Property("Enabled", &TGroupBox::GetEnabled, &TGroupBox::SetEnabled).Default(true);
  b.Property("Font", &TGroupBox::GetFont, &TGroupBox::SetFont).Stored(&TControl::IsFontStored);
  b.Property("ParentColor", &TGroupBox::GetParentColor, &TGroupBox::SetParentColor).Default(true);
  b.Property("ParentFont", &TGroupBox::GetParentFont, &TGroupBox::SetParentFont).Default(true);
  b.Property("TabOrder", &TGroupBox::GetTabOrder, &TGroupBox::SetTabOrder).Default(-1);
  b.Property("TabStop", &TGroupBox::GetTabStop, &TGroupBox::SetTabStop).Default(false);
  b.Property("Visible", &TGroupBox::GetVisible, &TGroupBox::SetVisible).Default(true);
  b.Event("OnClick", &TGroupBox::GetOnClick, &TGroupBox::SetOnClick);
  b.Event("OnEnter", &TGroupBox::GetOnEnter, &TGroupBox::SetOnEnter);
  b.Event("OnExit", &TGroupBox::GetOnExit, &TGroupBox::SetOnExit);
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable});
  SetBounds(0, 0, 185, 105);
}

TCustomGroupBox::~TCustomGroupBox() {
  Destroying();
  DestroyComponents();
}

TRect TCustomGroupBox::AlignRect() const {
  // Children sit below the caption and inside the frame.
  TRect R = GetClientRect();
  R.Top += GetFont()->LineHeight();
  InflateRect(&R, -2, 0);
  R.Bottom -= 2;
  return R;
}

void TCustomGroupBox::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
  Realign();
}

void TCustomGroupBox::Paint() {
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  int H = GetFont()->LineHeight();
  R.Top = H / 2;
  C->GetBrush()->SetColor(clBtnShadow);
  C->FrameRect(R);
  std::string Caption = GetCaption();
  if (Caption.empty()) return;
  C->GetBrush()->SetColor(GetColor());
  if (!GetEnabled()) C->GetFont()->SetColor(clGrayText);
  C->TextOut(8, 0, Caption);
}

}  // namespace vcl
