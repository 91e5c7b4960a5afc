#include "vcl/Controls.h"

#include <algorithm>

#include "vcl/Forms.h"
#include "vcl/Menus.h"

namespace vcl {

namespace {
const char* const SCannotFocus = "Cannot focus a disabled or invisible window";
}

VCL_REGISTER_CLASS(TSizeConstraints, TPersistent) {
  b.Property("MaxHeight", &TSizeConstraints::GetMaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  b.Property("MaxWidth", &TSizeConstraints::GetMaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  b.Property("MinHeight", &TSizeConstraints::GetMinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  b.Property("MinWidth", &TSizeConstraints::GetMinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

VCL_REGISTER_CLASS(TControl, TComponent) {
  b.Property("Left", &TControl::GetLeft, &TControl::SetLeft);
  b.Property("Top", &TControl::GetTop, &TControl::SetTop);
  b.Property("Width", &TControl::GetWidth, &TControl::SetWidth);
  b.Property("Height", &TControl::GetHeight, &TControl::SetHeight);
  b.Property("Cursor", &TControl::GetCursor, &TControl::SetCursor).Default(TControl::DefaultCursor).Type("TCursor");
  b.Property("Hint", &TControl::GetHint, &TControl::SetHint).Default(std::string());
}
VCL_REGISTER_CLASS(TWinControl, TControl) {}
VCL_REGISTER_CLASS(TGraphicControl, TControl) {}
VCL_REGISTER_CLASS(TCustomControl, TWinControl) {}

// ---- TSizeConstraints ----
void TSizeConstraints::SetLimit(int& Field, int Value) {
  if (Value < 0) Value = 0;
  if (Field == Value) return;
  Field = Value;
  if (FOnChange) FOnChange(this);
}

void TSizeConstraints::Assign(const TPersistent* Source) {
  if (auto* S = dynamic_cast<const TSizeConstraints*>(Source)) {
    FMaxHeight = S->FMaxHeight;
    FMaxWidth = S->FMaxWidth;
    FMinHeight = S->FMinHeight;
    FMinWidth = S->FMinWidth;
    if (FOnChange) FOnChange(this);
    return;
  }
  TPersistent::Assign(Source);
}

void TSizeConstraints::Constrain(int& Width, int& Height) const {
  if (FMinWidth > 0 && Width < FMinWidth) Width = FMinWidth;
  if (FMaxWidth > 0 && Width > FMaxWidth) Width = FMaxWidth;
  if (FMinHeight > 0 && Height < FMinHeight) Height = FMinHeight;
  if (FMaxHeight > 0 && Height > FMaxHeight) Height = FMaxHeight;
}

// ---- TControl ----
TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()), FConstraints(std::make_unique<TSizeConstraints>()) {
  FFont->SetOnChange([this](TObject*) { FontObjectChanged(); });
  FConstraints->SetOnChange([this](TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); });
}

TControl::~TControl() {
  Destroying();
  if (FParent) FParent->RemoveControl(this);
  FFont->SetOnChange(nullptr);
  FConstraints->SetOnChange(nullptr);
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* W = dynamic_cast<TWinControl*>(Value)) SetParent(W);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
  bool Result = true;
  if (FOnCanResize) FOnCanResize(this, NewWidth, NewHeight, Result);
  if (!Result) return false;
  int MinW = FConstraints->GetMinWidth(), MinH = FConstraints->GetMinHeight();
  int MaxW = FConstraints->GetMaxWidth(), MaxH = FConstraints->GetMaxHeight();
  if (FOnConstrainedResize) FOnConstrainedResize(this, MinW, MinH, MaxW, MaxH);
  if (MinW > 0 && NewWidth < MinW) NewWidth = MinW;
  if (MaxW > 0 && NewWidth > MaxW) NewWidth = MaxW;
  if (MinH > 0 && NewHeight < MinH) NewHeight = MinH;
  if (MaxH > 0 && NewHeight > MaxH) NewHeight = MaxH;
  return true;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (!CanResize(AWidth, AHeight)) {
    AWidth = FWidth;
    AHeight = FHeight;
  }
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool Sized = AWidth != FWidth || AHeight != FHeight;
  int OldWidth = FWidth, OldHeight = FHeight;
  if (FParent) FParent->Invalidate();  // the area the control leaves
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  BoundsChanged();
  Invalidate();
  if (Sized) {
    if (auto* W = dynamic_cast<TWinControl*>(this)) W->ParentResized(OldWidth, OldHeight);
  }
  if (FAlign != alNone && FParent) FParent->Realign();
  if (Sized && !IsLoading()) Resize();
}

TRect TControl::GetClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int Value) { SetWidth(FWidth - GetClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(FHeight - GetClientHeight() + Value); }

TPoint TControl::ClientOrigin() const {
  if (!FParent) return Point(FLeft, FTop);
  TPoint P = FParent->ClientOrigin();
  return Point(P.X + FLeft, P.Y + FTop);
}

TPoint TControl::ClientToScreen(TPoint P) const {
  TPoint O = ClientOrigin();
  return Point(P.X + O.X, P.Y + O.Y);
}

TPoint TControl::ScreenToClient(TPoint P) const {
  TPoint O = ClientOrigin();
  return Point(P.X - O.X, P.Y - O.Y);
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
}

bool TControl::Showing() const {
  for (const TControl* C = this; C; C = C->FParent)
    if (!C->FVisible) return false;
  return true;
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value) TakeParentColor();
}

void TControl::TakeParentColor() {
  if (!FParent || !FParentColor) return;
  SetColor(FParent->FColor);
  FParentColor = true;
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value) TakeParentFont();
}

void TControl::TakeParentFont() {
  if (!FParent || !FParentFont) return;
  FTakingParentFont = true;
  try {
    FFont->Assign(FParent->FFont.get());
  } catch (...) {
    FTakingParentFont = false;
    throw;
  }
  FTakingParentFont = false;
}

void TControl::FontObjectChanged() {
  if (!FTakingParentFont) FParentFont = false;
  FontChanged();
}

void TControl::FontChanged() { Perform(CM_FONTCHANGED, 0, 0); }

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (Value && FParent) FShowHint = FParent->FShowHint;
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  Invalidate();
  if (FParent) FParent->Realign();
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetText(const std::string& Value) {
  if (GetText() == Value) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

// ---- messages ----
LRESULT TControl::Perform(Cardinal Msg, WPARAM WParam, LPARAM LParam) {
  TMessage M{Msg, WParam, LParam, 0};
  if (FWindowProc) FWindowProc(M);
  else WndProc(M);
  return M.Result;
}

TWndMethod TControl::GetWindowProc() {
  if (FWindowProc) return FWindowProc;
  return [this](TMessage& M) { WndProc(M); };
}

void TControl::SetWindowProc(TWndMethod Value) { FWindowProc = std::move(Value); }

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FControlState.Include(csLButtonDown);
      break;
    case WM_LBUTTONUP:
      FControlState.Exclude(csLButtonDown);
      break;
    default:
      break;
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_ENABLEDCHANGED: CMEnabledChanged(M); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(M); break;
    case CM_COLORCHANGED: CMColorChanged(M); break;
    case CM_FONTCHANGED: CMFontChanged(M); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(M); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(M); break;
    case CM_TEXTCHANGED: CMTextChanged(M); break;
    case CM_MOUSEENTER: CMMouseEnter(M); break;
    case CM_MOUSELEAVE: CMMouseLeave(M); break;
    case CM_CURSORCHANGED: CMCursorChanged(M); break;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(M); break;
    case CM_HITTEST: CMHitTest(M); break;
    case CM_ENTER: CMEnter(M); break;
    case CM_EXIT: CMExit(M); break;
    case CM_GETDATALINK: CMGetDataLink(M); break;
    case CM_DIALOGKEY: CMDialogKey(M); break;
    case CM_DIALOGCHAR: CMDialogChar(M); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(M); break;
    case CM_CHILDKEY: CMChildKey(M); break;
    case CM_BUTTONPRESSED: CMButtonPressed(M); break;
    case CM_FOCUSCHANGED: CMFocusChanged(M); break;
    case CM_TABSTOPCHANGED: CMTabStopChanged(M); break;
    case WM_LBUTTONDOWN: WMLButtonDown(M); break;
    case WM_LBUTTONUP: WMLButtonUp(M); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(M); break;
    case WM_RBUTTONDOWN: WMRButtonDown(M); break;
    case WM_RBUTTONUP: WMRButtonUp(M); break;
    case WM_MOUSEMOVE: WMMouseMove(M); break;
    case WM_SETTEXT: WMSetText(M); break;
    case WM_GETTEXTLENGTH: WMGetTextLength(M); break;
    case WM_PAINT: WMPaint(M); break;
    case WM_NCPAINT: WMNCPaint(M); break;
    case WM_ERASEBKGND: WMEraseBkgnd(M); break;
    case WM_KEYDOWN: WMKeyDown(M); break;
    case WM_KEYUP: WMKeyUp(M); break;
    case WM_CHAR: WMChar(M); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(M); break;
    case WM_SYSKEYUP: WMSysKeyUp(M); break;
    case WM_SETFOCUS: WMSetFocus(M); break;
    case WM_KILLFOCUS: WMKillFocus(M); break;
    case WM_CUT: WMCut(M); break;
    case WM_COPY: WMCopy(M); break;
    case WM_PASTE: WMPaste(M); break;
    case WM_CLEAR: WMClear(M); break;
    case WM_UNDO: WMUndo(M); break;
    case WM_TIMER: WMTimer(M); break;
    case WM_SIZE: WMSize(M); break;
    case WM_NEXTDLGCTL: WMNextDlgCtl(M); break;
    case WM_GETDLGCODE: WMGetDlgCode(M); break;
    case WM_COMMAND: WMCommand(M); break;
    case BM_SETCHECK: BMSetCheck(M); break;
    case BM_GETCHECK: BMGetCheck(M); break;
    case BM_CLICK: BMClick(M); break;
    default: DefaultHandler(M); break;
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) {
  Invalidate();
  if (!FParent) return;
  FParent->Invalidate();
  if (FAlign != alNone) FParent->Realign();
}
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMParentColorChanged(TMessage&) { TakeParentColor(); }
void TControl::CMParentFontChanged(TMessage&) { TakeParentFont(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMMouseEnter(TMessage& M) {
  // Containers hear about the mouse entering one of their children (LParam: the child).
  if (FParent) FParent->Perform(CM_MOUSEENTER, 0, M.LParam ? M.LParam : reinterpret_cast<LPARAM>(this));
}
void TControl::CMMouseLeave(TMessage& M) {
  if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, M.LParam ? M.LParam : reinterpret_cast<LPARAM>(this));
}
void TControl::CMCursorChanged(TMessage& M) { DefaultHandler(M); }
void TControl::CMShowHintChanged(TMessage& M) { DefaultHandler(M); }
void TControl::CMHitTest(TMessage& M) { M.Result = 1; }
void TControl::CMEnter(TMessage& M) { DefaultHandler(M); }
void TControl::CMExit(TMessage& M) { DefaultHandler(M); }
void TControl::CMGetDataLink(TMessage& M) { DefaultHandler(M); }
void TControl::CMDialogKey(TMessage& M) { DefaultHandler(M); }
void TControl::CMDialogChar(TMessage& M) { DefaultHandler(M); }
void TControl::CMWantSpecialKey(TMessage& M) { DefaultHandler(M); }
void TControl::CMChildKey(TMessage& M) { DefaultHandler(M); }
void TControl::CMButtonPressed(TMessage& M) { DefaultHandler(M); }
void TControl::CMFocusChanged(TMessage& M) { DefaultHandler(M); }
void TControl::CMTabStopChanged(TMessage& M) { DefaultHandler(M); }

namespace {
TShiftState MouseShift(WPARAM Keys) {
  TShiftState S;
  if (Keys & MK_SHIFT) S.Include(ssShift);
  if (Keys & MK_CONTROL) S.Include(ssCtrl);
  if (Keys & MK_LBUTTON) S.Include(ssLeft);
  if (Keys & MK_RBUTTON) S.Include(ssRight);
  if (Keys & MK_MBUTTON) S.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
  return S;
}
}  // namespace

void TControl::DoMouseDown(TMessage& M, TMouseButton Button, TShiftState Shift) {
  MouseDown(Button, MouseShift(M.WParam) + Shift, LoWordSigned(M.LParam), HiWordSigned(M.LParam));
}

void TControl::DoMouseUp(TMessage& M, TMouseButton Button) {
  MouseUp(Button, MouseShift(M.WParam), LoWordSigned(M.LParam), HiWordSigned(M.LParam));
}

void TControl::WMLButtonDown(TMessage& M) {
  DefaultHandler(M);
  if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
  DoMouseDown(M, mbLeft, {});
}

void TControl::WMLButtonUp(TMessage& M) {
  DefaultHandler(M);
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    if (GetClientRect().Contains(Point(LoWordSigned(M.LParam), HiWordSigned(M.LParam)))) Click();
  }
  DoMouseUp(M, mbLeft);
}

void TControl::WMLButtonDblClk(TMessage& M) {
  if (!FControlStyle.Contains(csDoubleClicks)) {
    // A control that takes no double clicks sees a second plain press.
    M.Msg = WM_LBUTTONDOWN;
    WMLButtonDown(M);
    return;
  }
  DefaultHandler(M);
  if (FControlStyle.Contains(csClickEvents)) DblClick();
  DoMouseDown(M, mbLeft, {ssDouble});
}

void TControl::WMRButtonDown(TMessage& M) {
  DefaultHandler(M);
  DoMouseDown(M, mbRight, {});
}

void TControl::WMRButtonUp(TMessage& M) {
  DefaultHandler(M);
  DoMouseUp(M, mbRight);
  if (FPopupMenu && FPopupMenu->GetAutoPopup()) {
    TPoint P = ClientToScreen(Point(LoWordSigned(M.LParam), HiWordSigned(M.LParam)));
    FPopupMenu->Popup(P.X, P.Y);
  }
}

void TControl::WMMouseMove(TMessage& M) {
  DefaultHandler(M);
  MouseMove(MouseShift(M.WParam), LoWordSigned(M.LParam), HiWordSigned(M.LParam));
}

void TControl::WMSetText(TMessage& M) {
  FText = M.LParam ? reinterpret_cast<const char*>(M.LParam) : "";
  M.Result = 1;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::WMGetTextLength(TMessage& M) { M.Result = static_cast<LRESULT>(GetText().size()); }
void TControl::WMPaint(TMessage& M) { DefaultHandler(M); }
void TControl::WMNCPaint(TMessage& M) { DefaultHandler(M); }
void TControl::WMEraseBkgnd(TMessage& M) { DefaultHandler(M); }
void TControl::WMKeyDown(TMessage& M) { DefaultHandler(M); }
void TControl::WMKeyUp(TMessage& M) { DefaultHandler(M); }
void TControl::WMChar(TMessage& M) { DefaultHandler(M); }
void TControl::WMSysKeyDown(TMessage& M) { DefaultHandler(M); }
void TControl::WMSysKeyUp(TMessage& M) { DefaultHandler(M); }
void TControl::WMSetFocus(TMessage& M) { DefaultHandler(M); }
void TControl::WMKillFocus(TMessage& M) { DefaultHandler(M); }
void TControl::WMCut(TMessage& M) { DefaultHandler(M); }
void TControl::WMCopy(TMessage& M) { DefaultHandler(M); }
void TControl::WMPaste(TMessage& M) { DefaultHandler(M); }
void TControl::WMClear(TMessage& M) { DefaultHandler(M); }
void TControl::WMUndo(TMessage& M) { DefaultHandler(M); }
void TControl::WMTimer(TMessage& M) { DefaultHandler(M); }
void TControl::WMSize(TMessage& M) { DefaultHandler(M); }
void TControl::WMNextDlgCtl(TMessage& M) { DefaultHandler(M); }
void TControl::WMGetDlgCode(TMessage& M) { DefaultHandler(M); }
void TControl::WMCommand(TMessage& M) { DefaultHandler(M); }
void TControl::BMSetCheck(TMessage& M) { DefaultHandler(M); }
void TControl::BMGetCheck(TMessage& M) { DefaultHandler(M); }
void TControl::BMClick(TMessage& M) { DefaultHandler(M); }

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

// ---- painting ----
void TControl::Invalidate() {
  ++FInvalidateCount;
  if (FParent && FParent->HandleAllocated()) detail::MarkWindowPaint(FParent->GetHandle(), false, true);
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

// ---- clicks and actions ----
void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

bool TControl::ExecuteAction(TBasicAction* Action) {
  if (!Action || !Action->HandlesTarget(this)) return false;
  Action->ExecuteTarget(this);
  return true;
}

bool TControl::UpdateAction(TBasicAction* Action) {
  if (!Action || !Action->HandlesTarget(this)) return false;
  Action->UpdateTarget(this);
  return true;
}

bool TControl::UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }

void TControl::BringToFront() {
  if (!FParent) return;
  auto& L = FParent->FControls;
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
  L.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& L = FParent->FControls;
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
  L.insert(L.begin(), this);
  Invalidate();
}

// ---- TWinControl ----
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  DestroyComponents();
  // Leave the parent while this is still a windowed control, so that its tab
  // list and the form's focus forget it (TControl's destructor cannot tell).
  if (FParent) FParent->RemoveControl(this);
  // Child controls go with their parent, as the framework does.
  while (!FControls.empty()) {
    TControl* C = FControls.back();
    RemoveControl(C);
    delete C;
  }
  if (FHandle) DestroyWnd();
}

TControl* TWinControl::GetControl(int Index) const {
  if (Index < 0 || Index >= GetControlCount())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FControls[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* C = Control; C; C = C->FParent)
    if (C == this) return true;
  return false;
}

void TWinControl::Broadcast(TMessage& Message) {
  std::vector<TControl*> Snapshot = FControls;
  for (TControl* C : Snapshot) {
    C->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::InsertControl(TControl* Control) {
  Control->FParent = this;
  FControls.push_back(Control);
  if (auto* W = dynamic_cast<TWinControl*>(Control)) {
    FTabList.push_back(W);
  }
  Control->TakeParentFont();
  Control->TakeParentColor();
  if (Control->FParentShowHint) Control->FShowHint = FShowHint;
  Control->Invalidate();
  if (Control->FAlign != alNone) Realign();
}

void TWinControl::ParentResized(int OldWidth, int OldHeight) {
  if (IsLoading() || FControls.empty()) return;
  // Children anchored to the right or bottom edge keep their distance to it;
  // anchored to both edges they stretch; anchored to neither they stay centred.
  int DW = GetWidth() - OldWidth, DH = GetHeight() - OldHeight;
  FAligning = true;
  try {
    for (TControl* C : std::vector<TControl*>(FControls)) {
      if (C->FAlign != alNone) continue;
      TAnchors A = C->FAnchors;
      int L = C->FLeft, T = C->FTop, W = C->FWidth, H = C->FHeight;
      if (A.Contains(akRight)) {
        if (A.Contains(akLeft)) W += DW;
        else L += DW;
      } else if (!A.Contains(akLeft)) {
        L += DW / 2;
      }
      if (A.Contains(akBottom)) {
        if (A.Contains(akTop)) H += DH;
        else T += DH;
      } else if (!A.Contains(akTop)) {
        T += DH / 2;
      }
      if (L != C->FLeft || T != C->FTop || W != C->FWidth || H != C->FHeight) C->SetBounds(L, T, W, H);
    }
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
  Realign();
}

TRect TWinControl::AlignRect() const { return GetClientRect(); }

void TWinControl::Realign() {
  if (FAligning || IsLoading() || IsDestroying()) return;
  // Nothing to lay out: do not ask for the client area (a subclass may still be under construction).
  if (std::none_of(FControls.begin(), FControls.end(), [](TControl* C) { return C->FAlign != alNone; })) return;
  FAligning = true;
  try {
    TRect R = AlignRect();
    auto Take = [&](TAlign Which, auto Before) {
      std::vector<TControl*> L;
      for (TControl* C : FControls)
        if (C->FAlign == Which && C->FVisible) L.push_back(C);
      std::stable_sort(L.begin(), L.end(), Before);
      for (TControl* C : L) {
        switch (Which) {
          case alTop: C->SetBounds(R.Left, R.Top, R.Width(), C->FHeight); R.Top += C->FHeight; break;
          case alBottom: C->SetBounds(R.Left, R.Bottom - C->FHeight, R.Width(), C->FHeight); R.Bottom -= C->FHeight; break;
          case alLeft: C->SetBounds(R.Left, R.Top, C->FWidth, R.Height()); R.Left += C->FWidth; break;
          case alRight: C->SetBounds(R.Right - C->FWidth, R.Top, C->FWidth, R.Height()); R.Right -= C->FWidth; break;
          case alClient: C->SetBounds(R.Left, R.Top, R.Width(), R.Height()); break;
          default: break;
        }
      }
    };
    Take(alTop, [](TControl* A, TControl* B) { return A->FTop < B->FTop; });
    Take(alBottom, [](TControl* A, TControl* B) { return A->FTop + A->FHeight > B->FTop + B->FHeight; });
    Take(alLeft, [](TControl* A, TControl* B) { return A->FLeft < B->FLeft; });
    Take(alRight, [](TControl* A, TControl* B) { return A->FLeft + A->FWidth > B->FLeft + B->FWidth; });
    Take(alClient, [](TControl*, TControl*) { return false; });
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::RemoveControl(TControl* Control) {
  auto* W = dynamic_cast<TWinControl*>(Control);
  if (W) {
    W->RemoveFocus(true);
    if (W->FHandle) W->DestroyWnd();
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
  if (W) FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), W), FTabList.end());
  Control->FParent = nullptr;
  Invalidate();
  if (Control->FAlign != alNone) Realign();
}

void TWinControl::RemoveFocus(bool Removing) {
  if (TCustomForm* F = GetParentForm(this)) F->DefocusControl(this, Removing);
}

// ---- window ----
HWND TWinControl::GetHandle() {
  if (!FHandle) CreateWnd();
  return FHandle;
}

uint32_t TWinControl::BorderStyleBits(uint32_t& ExStyle) const {
  TCreateParams P;
  if (FHandle) {
    ExStyle = static_cast<uint32_t>(GetWindowLong(FHandle, GWL_EXSTYLE));
    return static_cast<uint32_t>(GetWindowLong(FHandle, GWL_STYLE));
  }
  const_cast<TWinControl*>(this)->CreateParams(P);
  ExStyle = P.ExStyle;
  return P.Style;
}

TRect TWinControl::GetClientRect() const {
  uint32_t Ex = 0;
  uint32_t Style = BorderStyleBits(Ex);
  int Edge = 0;
  if (Ex & WS_EX_CLIENTEDGE) Edge += 2;
  if (Ex & WS_EX_STATICEDGE) Edge += 1;
  if (Style & WS_BORDER) Edge += 1;
  return Rect(0, 0, std::max(0, GetWidth() - 2 * Edge), std::max(0, GetHeight() - 2 * Edge));
}

TRect TWinControl::GetWindowScreenRect() const {
  TPoint P = FParent ? FParent->ClientOrigin() : Point(0, 0);
  return Bounds(P.X + GetLeft(), P.Y + GetTop(), GetWidth(), GetHeight());
}

TPoint TWinControl::ClientOrigin() const {
  TRect W = GetWindowScreenRect();
  TRect C = GetClientRect();
  // The client area sits centred inside the border.
  return Point(W.Left + (W.Width() - C.Right) / 2, W.Top + (W.Height() - C.Bottom) / 2);
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = GetText();
  Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (FParent) Params.Style |= WS_CHILD;
  if (GetVisible()) Params.Style |= WS_VISIBLE;
  if (!GetEnabled()) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = GetLeft();
  Params.Y = GetTop();
  Params.Width = GetWidth();
  Params.Height = GetHeight();
  Params.WndParent = FParent && FParent->FHandle ? FParent->FHandle : nullptr;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams P;
  CreateParams(P);
  FHandle = detail::CreateWindowRec(this, P.Style, P.ExStyle, GetWidth(), GetHeight(),
                                    static_cast<COLORREF>(ColorToRGB(GetColor())));
  ++FWindowCreateCount;
  WindowCreated();
}

void TWinControl::DestroyWnd() {
  // Child windows go with their parent window; the controls keep their state.
  for (TControl* C : FControls)
    if (auto* W = dynamic_cast<TWinControl*>(C); W && W->FHandle) W->DestroyWnd();
  detail::DestroyWindowRec(FHandle);
  FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyWnd();
  ++FRecreateCount;
  CreateWnd();
}

void TWinControl::SetCtl3D(bool Value) {
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  FParentCtl3D = false;
  RecreateWnd();
}

void TWinControl::BoundsChanged() {
  if (!FHandle) return;
  if (TSurface* S = detail::WindowSurface(FHandle); S && (S->Width() != GetWidth() || S->Height() != GetHeight())) {
    S->Resize(GetWidth(), GetHeight(), static_cast<COLORREF>(ColorToRGB(GetColor())));
    detail::MarkWindowPaint(FHandle, true, true);
  }
}

// ---- tab order and focus ----
int TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  auto& L = FParent->FTabList;
  auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!FParent || Value < 0) return;
  auto& L = FParent->FTabList;
  int Cur = GetTabOrder();
  if (Cur < 0) return;
  if (Value >= static_cast<int>(L.size())) Value = static_cast<int>(L.size()) - 1;
  if (Value == Cur) return;
  L.erase(L.begin() + Cur);
  L.insert(L.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    uint32_t S = static_cast<uint32_t>(GetWindowLong(FHandle, GWL_STYLE));
    SetWindowLong(FHandle, GWL_STYLE, static_cast<int32_t>(Value ? S | WS_TABSTOP : S & ~WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::SetFocus() {
  TCustomForm* F = ValidParentForm(this);
  F->FocusControl(this);
}

bool TWinControl::Focused() const {
  TCustomForm* F = GetParentForm(this);
  return F && F->GetActive() && F->GetFocusedControl() == this;
}

bool TWinControl::CanFocus() const {
  TCustomForm* F = GetParentForm(this);
  if (!F) return false;
  for (const TControl* C = this; C && C != F; C = C->GetParent())
    if (!C->GetVisible() || !C->GetEnabled()) return false;
  return true;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* C : FTabList) {
    List.push_back(C);
    C->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  if (List.empty()) return nullptr;
  int Count = static_cast<int>(List.size());
  auto It = std::find(List.begin(), List.end(), CurControl);
  int Start = It == List.end() ? (GoForward ? Count - 1 : 0) : static_cast<int>(It - List.begin());
  int I = Start;
  do {
    if (GoForward) {
      if (++I == Count) I = 0;
    } else {
      if (I == 0) I = Count;
      --I;
    }
    TWinControl* C = List[static_cast<size_t>(I)];
    if ((!CheckTabStop || C->FTabStop) && (!CheckParent || C->FParent == this) && C->CanFocus()) return C;
  } while (I != Start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (Next) Next->SetFocus();
}

void TWinControl::SelectFirst() {
  TCustomForm* F = GetParentForm(this);
  if (!F) return;
  TWinControl* C = FindNextControl(nullptr, true, true, false);
  if (!C) C = FindNextControl(nullptr, true, false, false);
  if (C) F->SetActiveControl(C);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

void TWinControl::CMEnabledChanged(TMessage& M) {
  if (!GetEnabled() && FParent) RemoveFocus(false);
  if (FHandle) {
    uint32_t S = static_cast<uint32_t>(GetWindowLong(FHandle, GWL_STYLE));
    SetWindowLong(FHandle, GWL_STYLE, static_cast<int32_t>(GetEnabled() ? S & ~WS_DISABLED : S | WS_DISABLED));
  }
  TControl::CMEnabledChanged(M);
}

void TWinControl::CMVisibleChanged(TMessage& M) {
  if (!GetVisible() && FParent) RemoveFocus(false);
  TControl::CMVisibleChanged(M);
}

void TWinControl::CMColorChanged(TMessage& M) {
  TControl::CMColorChanged(M);
  TMessage N{CM_PARENTCOLORCHANGED, 0, 0, 0};
  for (TControl* C : std::vector<TControl*>(FControls)) C->Perform(N.Msg, N.WParam, N.LParam);
}

void TWinControl::CMFontChanged(TMessage& M) {
  TControl::CMFontChanged(M);
  for (TControl* C : std::vector<TControl*>(FControls)) C->Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TWinControl::CMDialogKey(TMessage& M) { Broadcast(M); }
void TWinControl::CMDialogChar(TMessage& M) { Broadcast(M); }

TShiftState TWinControl::KeyboardShift() {
  TShiftState S;
  if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
  return S;
}

bool TWinControl::DoKeyDown(TMessage& M) {
  TCustomForm* F = GetParentForm(this);
  if (F && F != this && F->GetKeyPreview() && static_cast<TWinControl*>(F)->DoKeyDown(M)) return true;
  Word Key = static_cast<Word>(M.WParam);
  KeyDown(Key, KeyboardShift());
  M.WParam = Key;
  return Key == 0;
}

bool TWinControl::DoKeyUp(TMessage& M) {
  TCustomForm* F = GetParentForm(this);
  if (F && F != this && F->GetKeyPreview() && static_cast<TWinControl*>(F)->DoKeyUp(M)) return true;
  Word Key = static_cast<Word>(M.WParam);
  KeyUp(Key, KeyboardShift());
  M.WParam = Key;
  return Key == 0;
}

bool TWinControl::DoKeyPress(TMessage& M) {
  TCustomForm* F = GetParentForm(this);
  if (F && F != this && F->GetKeyPreview() && static_cast<TWinControl*>(F)->DoKeyPress(M)) return true;
  char Key = static_cast<char>(static_cast<unsigned char>(M.WParam));
  KeyPress(Key);
  M.WParam = static_cast<unsigned char>(Key);
  return Key == 0;
}

void TWinControl::WMKeyDown(TMessage& M) {
  if (!DoKeyDown(M)) DefaultHandler(M);
}
void TWinControl::WMSysKeyDown(TMessage& M) {
  if (!DoKeyDown(M)) DefaultHandler(M);
}
void TWinControl::WMKeyUp(TMessage& M) {
  if (!DoKeyUp(M)) DefaultHandler(M);
}
void TWinControl::WMSysKeyUp(TMessage& M) {
  if (!DoKeyUp(M)) DefaultHandler(M);
}
void TWinControl::WMChar(TMessage& M) {
  if (!DoKeyPress(M)) DefaultHandler(M);
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (FOnKeyPress) FOnKeyPress(this, Key);
}

// ---- painting ----
void TWinControl::Invalidate() {
  ++FInvalidateCount;
  if (FHandle) detail::MarkWindowPaint(FHandle, false, true);
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::WMPaint(TMessage&) {
  if (!FHandle) return;
  HDC DC = detail::CreateClientDC(FHandle, GetClientRect());
  try {
    PaintWindow(DC);
  } catch (...) {
    DeleteDC(DC);
    throw;
  }
  DeleteDC(DC);
  PaintControls();
}

void TWinControl::PaintWindow(HDC DC) {
  HBRUSH B = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(GetColor())));
  TRect R = GetClientRect();
  FillRect(DC, &R, B);
  DeleteObject(B);
}

void TWinControl::PaintControls() {
  for (TControl* C : std::vector<TControl*>(FControls))
    if (!dynamic_cast<TWinControl*>(C) && C->GetVisible()) C->Perform(WM_PAINT, 0, 0);
}

void TWinControl::WMNCPaint(TMessage& M) {
  if (!FHandle) return DefaultHandler(M);
  uint32_t Ex = 0;
  uint32_t Style = BorderStyleBits(Ex);
  HDC DC = detail::CreateWholeWindowDC(FHandle);
  TRect R = Rect(0, 0, GetWidth(), GetHeight());
  auto Frame = [&](TColor C) {
    HBRUSH B = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(C)));
    FrameRect(DC, &R, B);
    DeleteObject(B);
  };
  auto Edge = [&](TColor TopLeft, TColor BottomRight) {
    HBRUSH A = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(TopLeft)));
    HBRUSH B = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(BottomRight)));
    TRect T = Rect(R.Left, R.Top, R.Right, R.Top + 1), L = Rect(R.Left, R.Top, R.Left + 1, R.Bottom);
    TRect Bm = Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Rt = Rect(R.Right - 1, R.Top, R.Right, R.Bottom);
    FillRect(DC, &Bm, B);
    FillRect(DC, &Rt, B);
    FillRect(DC, &T, A);
    FillRect(DC, &L, A);
    DeleteObject(A);
    DeleteObject(B);
  };
  if (Style & WS_BORDER) {
    Frame(clWindowFrame);
    InflateRect(&R, -1, -1);
  }
  if (Ex & WS_EX_CLIENTEDGE) {
    // The sunken 3D edge: shadow above and left, light below and right, two pixels deep.
    Edge(clBtnShadow, clBtnHighlight);
    InflateRect(&R, -1, -1);
    Edge(cl3DDkShadow, cl3DLight);
    InflateRect(&R, -1, -1);
  }
  if (Ex & WS_EX_STATICEDGE) {
    Edge(clBtnShadow, clBtnHighlight);
    InflateRect(&R, -1, -1);
  }
  DeleteDC(DC);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  for (TControl* C : FControls)
    if (C->GetOwner() == Root) Proc(C);
}

// ---- TControlCanvas ----
TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  if (auto* W = dynamic_cast<TWinControl*>(FControl)) {
    FOwnDC = detail::CreateClientDC(W->GetHandle(), W->GetClientRect());
  } else if (TWinControl* P = FControl->GetParent()) {
    FOwnDC = detail::CreateClientDC(P->GetHandle(), FControl->GetBoundsRect());
  }
  SetHandle(FOwnDC);
}

void TControlCanvas::FreeHandle() {
  if (FOwnDC) DeleteDC(FOwnDC);
  FOwnDC = nullptr;
  TCanvas::FreeHandle();
}

// ---- TGraphicControl ----
TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() { FCanvas->Release(); }

void TGraphicControl::WMPaint(TMessage&) {
  if (!GetParent()) return;
  FCanvas->SetFont(GetFont());
  try {
    Paint();
  } catch (...) {
    FCanvas->Release();
    throw;
  }
  FCanvas->Release();
}

// ---- TCustomControl ----
TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
  Destroying();
  DestroyComponents();
  FCanvas->Release();
}

void TCustomControl::PaintWindow(HDC DC) {
  TWinControl::PaintWindow(DC);
  FCanvas->SetFont(GetFont());
  FCanvas->GetBrush()->SetColor(GetColor());
  try {
    Paint();
  } catch (...) {
    FCanvas->Release();
    throw;
  }
  FCanvas->Release();
}

// ---- form look-up ----
TCustomForm* GetParentForm(const TControl* Control) {
  if (!Control) return nullptr;
  const TControl* C = Control;
  while (C->GetParent()) C = C->GetParent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(C));
}

TCustomForm* ValidParentForm(const TControl* Control) {
  TCustomForm* F = GetParentForm(Control);
  if (!F) throw EInvalidOperation("Control '" + (Control ? Control->GetName() : std::string()) + "' has no parent window");
  return F;
}

}  // namespace vcl
