#include "vcl/Menus.h"

namespace vcl {

VCL_REGISTER_CLASS(TPopupMenu, TComponent) {
  b.Property("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup).Default(TPopupMenu::DefaultAutoPopup);
  b.Event("OnPopup", &TPopupMenu::GetOnPopup, &TPopupMenu::SetOnPopup);
}

void TPopupMenu::Popup(int X, int Y) {
  FPopups.push_back(Point(X, Y));
  if (FOnPopup) FOnPopup(this);
}

}  // namespace vcl
