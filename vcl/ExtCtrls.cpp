#include "vcl/ExtCtrls.h"

#include "vcl/Menus.h"

namespace vcl {

VCL_REGISTER_CLASS(TCustomPanel, TCustomControl) {}
VCL_REGISTER_CLASS(TPanel, TCustomPanel) {
  b.Property("Align", &TPanel::GetAlign, &TPanel::SetAlign).Default(alNone);
  b.Property("Alignment", &TPanel::GetAlignment, &TPanel::SetAlignment).Default(taCenter);
  b.Property("Anchors", &TPanel::GetAnchors, &TPanel::SetAnchors).Default(TAnchors{akLeft, akTop});
  b.Property("BevelInner", &TPanel::GetBevelInner, &TPanel::SetBevelInner).Default(bvNone);
  b.Property("BevelOuter", &TPanel::GetBevelOuter, &TPanel::SetBevelOuter).Default(TCustomPanel::DefaultBevelOuter);
  b.Property("BevelWidth", &TPanel::GetBevelWidth, &TPanel::SetBevelWidth).Default(1);
  b.Property("BorderWidth", &TPanel::GetBorderWidth, &TPanel::SetBorderWidth).Default(0);
  b.Property("BorderStyle", &TPanel::GetBorderStyle, &TPanel::SetBorderStyle).Default(bsNone);
  b.Property("Caption", &TPanel::GetCaption, &TPanel::SetCaption).Default(std::string());
  b.Property("Color", &TPanel::GetColor, &TPanel::SetColor)
      .Default(TCustomPanel::DefaultColor)
      .Type("TColor")
      .Stored(&TControl::IsColorStored);
  b.Property("Constraints", &TPanel::GetConstraints, &TPanel::SetConstraints);
  b.Property("Ctl3D", &TPanel::GetCtl3D, &TPanel::SetCtl3D).Default(true);
  b.Property("Enabled", &TPanel::GetEnabled, &TPanel::SetEnabled).Default(true);
  b.Property("Font", &TPanel::GetFont, &TPanel::SetFont).Stored(&TControl::IsFontStored);
  b.Property("FullRepaint", &TPanel::GetFullRepaint, &TPanel::SetFullRepaint).Default(true);
  b.Property("ParentColor", &TPanel::GetParentColor, &TPanel::SetParentColor).Default(false);
  b.Property("ParentFont", &TPanel::GetParentFont, &TPanel::SetParentFont).Default(true);
  b.Property("ParentShowHint", &TPanel::GetParentShowHint, &TPanel::SetParentShowHint).Default(true);
  b.Property("PopupMenu", &TPanel::GetPopupMenu, &TPanel::SetPopupMenu);
  b.Property("ShowHint", &TPanel::GetShowHint, &TPanel::SetShowHint).Default(false);
  b.Property("TabOrder", &TPanel::GetTabOrder, &TPanel::SetTabOrder).Default(-1);
  b.Property("TabStop", &TPanel::GetTabStop, &TPanel::SetTabStop).Default(false);
  b.Property("Visible", &TPanel::GetVisible, &TPanel::SetVisible).Default(true);
  b.Event("OnClick", &TPanel::GetOnClick, &TPanel::SetOnClick);
  b.Event("OnDblClick", &TPanel::GetOnDblClick, &TPanel::SetOnDblClick);
  b.Event("OnEnter", &TPanel::GetOnEnter, &TPanel::SetOnEnter);
  b.Event("OnExit", &TPanel::GetOnExit, &TPanel::SetOnExit);
  b.Event("OnMouseDown", &TPanel::GetOnMouseDown, &TPanel::SetOnMouseDown);
  b.Event("OnMouseMove", &TPanel::GetOnMouseMove, &TPanel::SetOnMouseMove);
  b.Event("OnMouseUp", &TPanel::GetOnMouseUp, &TPanel::SetOnMouseUp);
  b.Event("OnResize", &TPanel::GetOnResize, &TPanel::SetOnResize);
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable});
  SetBounds(0, 0, DefaultWidth, DefaultHeight);
  SetColor(DefaultColor);
}

TCustomPanel::~TCustomPanel() {
  Destroying();
  DestroyComponents();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  Invalidate();
  Realign();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  Invalidate();
  Realign();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
  if (Value < 1) Value = 1;
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  Invalidate();
  Realign();
}

void TCustomPanel::SetBorderWidth(int Value) {
  if (Value < 0) Value = 0;
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Invalidate();
  Realign();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

TRect TCustomPanel::AdjustedClientRect() const {
  TRect R = GetClientRect();
  int Inset = FBorderWidth;
  if (FBevelOuter != bvNone) Inset += FBevelWidth;
  if (FBevelInner != bvNone) Inset += FBevelWidth;
  InflateRect(&R, -Inset, -Inset);
  return R;
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    if (GetCtl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
}

void TCustomPanel::Resize() {
  if (FFullRepaint) Invalidate();
  TCustomControl::Resize();
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

void TCustomPanel::Paint() {
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  auto Bevel = [&](TPanelBevel B) {
    if (B == bvNone) return;
    TColor TopLeft = B == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor BottomRight = B == bvLowered ? clBtnHighlight : clBtnShadow;
    if (B == bvSpace) TopLeft = BottomRight = GetColor();
    for (int I = 0; I < FBevelWidth; ++I) {
      C->GetPen()->SetColor(TopLeft);
      C->MoveTo(R.Left, R.Bottom - 1);
      C->LineTo(R.Left, R.Top);
      C->LineTo(R.Right - 1, R.Top);
      C->GetPen()->SetColor(BottomRight);
      C->LineTo(R.Right - 1, R.Bottom - 1);
      C->LineTo(R.Left, R.Bottom - 1);
      InflateRect(&R, -1, -1);
    }
  };
  Bevel(FBevelOuter);
  InflateRect(&R, -FBorderWidth, -FBorderWidth);
  Bevel(FBevelInner);
  std::string Caption = GetCaption();
  if (Caption.empty()) return;
  C->GetBrush()->SetStyle(bsClear);
  int W = C->TextWidth(Caption), H = C->TextHeight(Caption);
  int X = FAlignment == taLeftJustify ? R.Left : FAlignment == taCenter ? (R.Left + R.Right - W) / 2 : R.Right - W;
  C->TextRect(R, X, (R.Top + R.Bottom - H) / 2, Caption);
}

}  // namespace vcl
