// Forms, the screen and the application.
//
// A form starts hidden, as the framework's forms do; Show makes it visible
// and the active form. No control takes the focus by itself: a control gets
// it through SetFocus, SetActiveControl, SelectFirst, a click or Tab.
#pragma once

#include <string>
#include <vector>

#include "vcl/Controls.h"

namespace vcl {

class TCustomForm : public TWinControl {
public:
  VCL_CLASS(TCustomForm)
  static constexpr int DefaultWidth = 320;
  static constexpr int DefaultHeight = 240;

  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  /// Makes the form visible and the active form of the screen.
  void Show();
  void Close() { Hide(); }
  bool GetActive() const;

  /// The control that has (or will get) the focus on this form.
  TWinControl* GetActiveControl() const { return FActiveControl; }
  /// Moves the focus to Control (nullptr: to the form itself); raises
  /// EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot.
  void SetActiveControl(TWinControl* Control);
  /// The innermost control that has received CM_ENTER and not yet CM_EXIT.
  TWinControl* GetFocusedControl() const { return FFocusedControl; }
  /// Used by TWinControl::SetFocus.
  void FocusControl(TWinControl* Control);
  /// Tells the form that Control or a child of it is going away or losing the ability to take the focus.
  void DefocusControl(TWinControl* Control, bool Removing);

  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value) { FBorderStyle = Value; }
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }

  TNotifyEvent GetOnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent Value) { FOnShow = std::move(Value); }
  TNotifyEvent GetOnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent Value) { FOnActivate = std::move(Value); }

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
  bool HasParent() const override { return false; }
  bool CanFocus() const override;
  void SetFocus() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CMDialogKey(TMessage& Message) override;
  void WMNextDlgCtl(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;

private:
  friend class TWinControl;
  /// Sends CM_EXIT up from the focused control and CM_ENTER down to Control.
  /// Answers False when a handler moved the focus elsewhere on the way.
  bool SetFocusedControl(TWinControl* Control);

  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TFormBorderStyle FBorderStyle = bsSizeable;
  bool FKeyPreview = false;
  unsigned FFocusCount = 0;  ///< focus requests so far; tells a move that a handler asked for the focus
  TNotifyEvent FOnShow, FOnActivate;
};

class TForm : public TCustomForm {
public:
  VCL_CLASS(TForm)
  using TCustomForm::TCustomForm;
};

/// The screen: its size (from the host), the forms and which one is active.
class TScreen : public TComponent {
public:
  VCL_CLASS(TScreen)
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
  int GetWidth() const;
  int GetHeight() const;
  int GetFormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* GetForm(int Index) const { return FForms.at(static_cast<size_t>(Index)); }
  TCustomForm* GetActiveForm() const { return FActiveForm; }
  /// The focused control of the active form.
  TWinControl* GetActiveControl() const;
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  int GetPixelsPerInch() const { return ScreenPixelsPerInch; }

private:
  friend class TCustomForm;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TCursor FCursor = crDefault;
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
public:
  VCL_CLASS(TApplication)
  explicit TApplication(TComponent* AOwner) : TComponent(AOwner) {}
  /// Makes the windows of the controls on visible forms, then delivers what is
  /// pending: every showing window's WM_NCPAINT and WM_PAINT.
  void ProcessMessages();
  TCustomForm* GetMainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Value) { FMainForm = Value; }
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  /// Reports an exception the way the framework's message loop does: OnException
  /// when assigned, else a message box with the text (EAbort is silent).
  void HandleException(const std::exception& E);
  TExceptionEvent GetOnException() const { return FOnException; }
  void SetOnException(TExceptionEvent Value) { FOnException = std::move(Value); }

private:
  TCustomForm* FMainForm = nullptr;
  std::string FTitle;
  TExceptionEvent FOnException;
};

TScreen* Screen();
TApplication* Application();

/// Lets a field that asks for its control (a required field left empty on
/// Post) focus that control when it can take the focus. Installed when the
/// library loads; call again after code has put another handler in its place.
void InstallFieldFocusHandler();

}  // namespace vcl
