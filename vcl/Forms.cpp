#include "vcl/Forms.h"

#include <algorithm>

#include "vcl/DB.h"
#include "vcl/Host.h"

namespace vcl {

namespace {
const char* const SCannotFocus = "Cannot focus a disabled or invisible window";

[[maybe_unused]] const bool FieldFocusInstalled = (InstallFieldFocusHandler(), true);
}  // namespace

void InstallFieldFocusHandler() {
  SetFocusControlHandler([](TComponent* C) {
    auto* W = dynamic_cast<TWinControl*>(C);
    if (!W || !W->CanFocus()) return false;
    W->SetFocus();
    return true;
  });
}

VCL_REGISTER_CLASS(TCustomForm, TWinControl) {}
VCL_REGISTER_CLASS(TForm, TCustomForm) {
  b.Property("ActiveControl", &TForm::GetActiveControl, &TForm::SetActiveControl);
  b.Property("BorderStyle", &TForm::GetBorderStyle, &TForm::SetBorderStyle).Default(bsSizeable);
  b.Property("Caption", &TForm::GetCaption, &TForm::SetCaption).Default(std::string());
  b.Property("ClientHeight", &TForm::GetClientHeight, &TForm::SetClientHeight);
  b.Property("ClientWidth", &TForm::GetClientWidth, &TForm::SetClientWidth);
  b.Property("Color", &TForm::GetColor, &TForm::SetColor).Default(clBtnFace).Type("TColor");
  b.Property("Enabled", &TForm::GetEnabled, &TForm::SetEnabled).Default(true);
  b.Property("Font", &TForm::GetFont, &TForm::SetFont);
  b.Property("KeyPreview", &TForm::GetKeyPreview, &TForm::SetKeyPreview).Default(false);
  b.Property("ShowHint", &TForm::GetShowHint, &TForm::SetShowHint).Default(false);
  b.Property("Visible", &TForm::GetVisible, &TForm::SetVisible).Default(false);
  b.Event("OnActivate", &TForm::GetOnActivate, &TForm::SetOnActivate);
  b.Event("OnClick", &TForm::GetOnClick, &TForm::SetOnClick);
  b.Event("OnKeyDown", &TForm::GetOnKeyDown, &TForm::SetOnKeyDown);
  b.Event("OnKeyPress", &TForm::GetOnKeyPress, &TForm::SetOnKeyPress);
  b.Event("OnResize", &TForm::GetOnResize, &TForm::SetOnResize);
  b.Event("OnShow", &TForm::GetOnShow, &TForm::SetOnShow);
}
VCL_REGISTER_CLASS(TScreen, TComponent) {}
VCL_REGISTER_CLASS(TApplication, TComponent) {}

// ---- TCustomForm ----
TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisible(false);
  SetBounds(0, 0, DefaultWidth, DefaultHeight);
  SetColor(clBtnFace);
  SetControlStyle(GetControlStyle() + TControlStyle{csAcceptsControls});
  Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  DestroyComponents();
  // Children not owned by the form still go before the screen forgets it.
  while (GetControlCount() > 0) delete GetControl(GetControlCount() - 1);
  FActiveControl = FFocusedControl = nullptr;
  Screen()->RemoveForm(this);
  if (Application()->GetMainForm() == this) Application()->SetMainForm(nullptr);
}

void TCustomForm::Show() {
  SetVisible(true);
  Screen()->SetActiveForm(this);
}

bool TCustomForm::GetActive() const { return Screen()->GetActiveForm() == this; }

bool TCustomForm::CanFocus() const { return GetVisible() && GetEnabled(); }

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(SCannotFocus);
  Screen()->SetActiveForm(this);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  // The stand-in draws no caption or frame: a form's window is all client area.
  Params.Style &= ~WS_CHILD;
  Params.Style |= WS_SYSMENU;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control && (Control == this || GetParentForm(Control) != this || !(IsLoading() || Control->CanFocus())))
    throw EInvalidOperation(SCannotFocus);
  if (IsLoading() || !GetVisible()) {
    // The focus goes there when the form is shown.
    FActiveControl = Control;
    return;
  }
  if (!Control) {
    Screen()->SetActiveForm(this);
    if (SetFocusedControl(this)) FActiveControl = nullptr;
    return;
  }
  FocusControl(Control);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (!CanFocus() || !Control || !Control->CanFocus() || GetParentForm(Control) != this)
    throw EInvalidOperation(SCannotFocus);
  Screen()->SetActiveForm(this);
  if (SetFocusedControl(Control)) FActiveControl = Control;
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  const unsigned Request = ++FFocusCount;
  if (!FFocusedControl) FFocusedControl = this;
  if (FFocusedControl == Control) {
    FActiveControl = Control == this ? nullptr : Control;
    return true;
  }
  // Leave every control that does not contain the new one, innermost first.
  while (FFocusedControl != this && !FFocusedControl->ContainsControl(Control)) {
    TWinControl* C = FFocusedControl;
    C->Perform(CM_EXIT, 0, 0);  // an exception keeps the focus where it is
    // A handler that asked for the focus (its own control taking it back after
    // an error, or another one) decides where it is: this move stops here.
    if (FFocusedControl != C || FFocusCount != Request) return false;
    FFocusedControl = C->GetParent() ? C->GetParent() : this;
  }
  // Enter every control from the common parent down to the new one.
  while (FFocusedControl != Control) {
    if (!FFocusedControl->ContainsControl(Control)) return false;  // a handler moved the focus
    TWinControl* Next = Control;
    while (Next->GetParent() != FFocusedControl) Next = Next->GetParent();
    FFocusedControl = Next;
    Next->Perform(CM_ENTER, 0, 0);
    if (FFocusCount != Request) return false;
  }
  FActiveControl = Control == this ? nullptr : Control;
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing) {
    if (FFocusedControl && Control->ContainsControl(FFocusedControl))
      FFocusedControl = Control->GetParent() ? Control->GetParent() : this;
    if (FActiveControl && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    return;
  }
  if (FActiveControl && Control->ContainsControl(FActiveControl)) {
    if (GetVisible() && !IsLoading()) {
      if (SetFocusedControl(this)) FActiveControl = nullptr;
    } else {
      FActiveControl = nullptr;
    }
  }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FActiveControl) FActiveControl = nullptr;
  if (AComponent == FFocusedControl) FFocusedControl = this;
}

void TCustomForm::CMDialogKey(TMessage& M) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (M.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          M.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->GetParent()) {
          FActiveControl->GetParent()->SelectNext(FActiveControl, M.WParam == VK_RIGHT || M.WParam == VK_DOWN,
                                                  false);
          M.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  TWinControl::CMDialogKey(M);
}

void TCustomForm::WMNextDlgCtl(TMessage& M) {
  if (M.LParam != 0) {
    // wParam names the window that takes the focus.
    if (TWinControl* C = FindControl(reinterpret_cast<HWND>(M.WParam)); C && GetParentForm(C) == this)
      FocusControl(C);
    return;
  }
  SelectNext(FActiveControl, M.WParam == 0, true);
}

void TCustomForm::CMVisibleChanged(TMessage& M) {
  TControl::CMVisibleChanged(M);
  if (GetVisible()) {
    Screen()->SetActiveForm(this);
    if (FActiveControl && FActiveControl->CanFocus() && FFocusedControl != FActiveControl)
      FocusControl(FActiveControl);
    if (FOnShow) FOnShow(this);
    return;
  }
  if (GetActive()) {
    TCustomForm* Next = nullptr;
    for (int I = Screen()->GetFormCount() - 1; I >= 0; --I)
      if (TCustomForm* F = Screen()->GetForm(I); F != this && F->GetVisible()) {
        Next = F;
        break;
      }
    Screen()->SetActiveForm(Next);
  }
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  TWinControl::GetChildren(Proc, Root);
  if (Root != this) return;
  for (TComponent* C : Components())
    if (!C->HasParent()) Proc(C);
}

// ---- TScreen ----
int TScreen::GetWidth() const { return Host().ScreenWidth; }
int TScreen::GetHeight() const { return Host().ScreenHeight; }

TWinControl* TScreen::GetActiveControl() const {
  return FActiveForm ? FActiveForm->GetActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  if (FActiveForm == Form) FActiveForm = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (FActiveForm == Form) return;
  FActiveForm = Form;
  if (Form && Form->GetOnActivate()) Form->GetOnActivate()(Form);
}

// ---- TApplication ----
namespace {
// Windows of showing controls exist once their form is on screen.
void CreateShowingHandles(TWinControl* C) {
  if (!C->GetVisible()) return;
  C->HandleNeeded();
  for (TControl* Child : C->Controls())
    if (auto* W = dynamic_cast<TWinControl*>(Child)) CreateShowingHandles(W);
}
}  // namespace

void TApplication::ProcessMessages() {
  for (int I = 0; I < Screen()->GetFormCount(); ++I) CreateShowingHandles(Screen()->GetForm(I));
  for (HWND W : detail::AllWindows())
    if (IsWindow(W) && FindControl(W)->Showing()) UpdateWindow(W);
}

void TApplication::HandleException(const std::exception& E) {
  if (dynamic_cast<const EAbort*>(&E)) return;
  if (FOnException) {
    FOnException(this, E);
    return;
  }
  Host().MessageBox(E.what(), FTitle, MB_OK | MB_ICONERROR);
}

TScreen* Screen() {
  static TScreen Instance(nullptr);
  return &Instance;
}

TApplication* Application() {
  static TApplication Instance(nullptr);
  return &Instance;
}

}  // namespace vcl
