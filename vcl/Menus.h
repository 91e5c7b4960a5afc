// Pop-up menus: the slot a control's PopupMenu property refers to.
#pragma once

#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Windows.h"

namespace vcl {

/// A pop-up menu. The stand-in has no menu window: Popup fires OnPopup and
/// records where the menu was asked for, so a test can see that it opened.
class TPopupMenu : public TComponent {
public:
  VCL_CLASS(TPopupMenu)
  static constexpr bool DefaultAutoPopup = true;
  explicit TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}
  virtual void Popup(int X, int Y);
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  /// Screen positions of every Popup so far.
  const std::vector<TPoint>& Popups() const { return FPopups; }
  TNotifyEvent GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = std::move(Value); }

private:
  bool FAutoPopup = DefaultAutoPopup;
  std::vector<TPoint> FPopups;
  TNotifyEvent FOnPopup;
};

}  // namespace vcl
