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

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FPasswordChar != '\0') Params.Style |= ES_PASSWORD;
  if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
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

void TCustomEdit::EditKeyDown(Word Key) {
  TShiftState Shift = KeyboardShift();
  bool Extend = Shift.Contains(ssShift);
  using M = TLineEdit::TCaretMove;
  switch (Key) {
    // A single-line edit treats Up and Down as Left and Right.
    case VK_LEFT:
    case VK_UP: FEdit.MoveCaret(M::Left, Extend); break;
    case VK_RIGHT:
    case VK_DOWN: FEdit.MoveCaret(M::Right, Extend); break;
    case VK_HOME: FEdit.MoveCaret(M::Home, Extend); break;
    case VK_END: FEdit.MoveCaret(M::End, Extend); break;
    case VK_DELETE:
      if (Shift == TShiftState{ssShift}) Perform(WM_CUT, 0, 0);
      else if (!Shift.Contains(ssCtrl)) FEdit.DeleteForward();
      break;
    case VK_INSERT:
      if (Shift == TShiftState{ssShift}) Perform(WM_PASTE, 0, 0);
      else if (Shift == TShiftState{ssCtrl}) Perform(WM_COPY, 0, 0);
      break;
    default: break;
  }
}

void TCustomEdit::EditChar(char Ch) {
  auto U = static_cast<unsigned char>(Ch);
  switch (U) {
    case 3: Perform(WM_COPY, 0, 0); return;
    case 22: Perform(WM_PASTE, 0, 0); return;
    case 24: Perform(WM_CUT, 0, 0); return;
    case 26: Perform(WM_UNDO, 0, 0); return;
    case 8: FEdit.DeleteBackward(); return;
    default: break;
  }
  if (U < 32 || U == 127) return;  // other control characters insert nothing
  FEdit.InsertText(ApplyCharCase(std::string(1, Ch)), TLineEdit::TUndoKind::Typing);
}

void TCustomEdit::DefaultHandler(TMessage& M) {
  switch (M.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: EditKeyDown(static_cast<Word>(M.WParam)); return;
    case WM_CHAR: EditChar(static_cast<char>(static_cast<unsigned char>(M.WParam))); return;
    case WM_COPY:
      if (FEdit.SelLength() > 0 && FPasswordChar == '\0') Host().SetClipboardText(FEdit.SelText());
      return;
    case WM_CUT:
      if (FReadOnly || FEdit.SelLength() == 0) return;
      if (FPasswordChar == '\0') Host().SetClipboardText(FEdit.SelText());
      FEdit.ClearSelection();
      return;
    case WM_PASTE: {
      if (FReadOnly || !Host().ClipboardHasText()) return;
      // A single-line edit takes the clipboard's first line only.
      std::string S = Host().GetClipboardText();
      S = S.substr(0, S.find_first_of("\r\n"));
      FEdit.InsertText(ApplyCharCase(S));
      return;
    }
    case WM_CLEAR: FEdit.ClearSelection(); return;
    case WM_UNDO:
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
