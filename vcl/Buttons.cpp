#include "vcl/Buttons.h"

#include <algorithm>

#include "vcl/Menus.h"

namespace vcl {

VCL_REGISTER_CLASS(TSpeedButton, TGraphicControl) {
  b.Property("AllowAllUp", &TSpeedButton::GetAllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  b.Property("Anchors", &TSpeedButton::GetAnchors, &TSpeedButton::SetAnchors).Default(TAnchors{akLeft, akTop});
  b.Property("GroupIndex", &TSpeedButton::GetGroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  b.Property("Down", &TSpeedButton::GetDown, &TSpeedButton::SetDown).Default(false);
  b.Property("Caption", &TSpeedButton::GetCaption, &TSpeedButton::SetCaption).Default(std::string());
  b.Property("Enabled", &TSpeedButton::GetEnabled, &TSpeedButton::SetEnabled).Default(true);
  b.Property("Flat", &TSpeedButton::GetFlat, &TSpeedButton::SetFlat).Default(false);
  b.Property("Font", &TSpeedButton::GetFont, &TSpeedButton::SetFont).Stored(&TControl::IsFontStored);
  b.Property("Glyph", &TSpeedButton::GetGlyph, &TSpeedButton::SetGlyph);
  b.Property("Layout", &TSpeedButton::GetLayout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
  b.Property("Margin", &TSpeedButton::GetMargin, &TSpeedButton::SetMargin).Default(-1);
  b.Property("NumGlyphs", &TSpeedButton::GetNumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
  b.Property("ParentFont", &TSpeedButton::GetParentFont, &TSpeedButton::SetParentFont).Default(true);
  b.Property("ParentShowHint", &TSpeedButton::GetParentShowHint, &TSpeedButton::SetParentShowHint).Default(true);
  b.Property("PopupMenu", &TSpeedButton::GetPopupMenu, &TSpeedButton::SetPopupMenu);
  b.Property("ShowHint", &TSpeedButton::GetShowHint, &TSpeedButton::SetShowHint).Default(false);
  b.Property("Spacing", &TSpeedButton::GetSpacing, &TSpeedButton::SetSpacing).Default(4);
  b.Property("Transparent", &TSpeedButton::GetTransparent, &TSpeedButton::SetTransparent).Default(true);
  b.Property("Visible", &TSpeedButton::GetVisible, &TSpeedButton::SetVisible).Default(true);
  b.Event("OnClick", &TSpeedButton::GetOnClick, &TSpeedButton::SetOnClick);
  b.Event("OnDblClick", &TSpeedButton::GetOnDblClick, &TSpeedButton::SetOnDblClick);
  b.Event("OnMouseDown", &TSpeedButton::GetOnMouseDown, &TSpeedButton::SetOnMouseDown);
  b.Event("OnMouseMove", &TSpeedButton::GetOnMouseMove, &TSpeedButton::SetOnMouseMove);
  b.Event("OnMouseUp", &TSpeedButton::GetOnMouseUp, &TSpeedButton::SetOnMouseUp);
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
  SetBounds(0, 0, DefaultSize, 22);
  FGlyph->SetOnChange([this](TObject*) { GlyphChanged(); });
}

TSpeedButton::~TSpeedButton() { FGlyph->SetOnChange(nullptr); }

void TSpeedButton::GlyphChanged() {
  // A strip of square images says how many glyphs it holds.
  int W = FGlyph->GetWidth(), H = FGlyph->GetHeight();
  if (H > 0 && W % H == 0 && W / H >= 1 && W / H <= 4) FNumGlyphs = W / H;
  Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  FState = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !GetParent()) return;
  TMessage M{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  for (TControl* C : std::vector<TControl*>(GetParent()->Controls()))
    if (C != this) C->Perform(M.Msg, M.WParam, M.LParam);
}

void TSpeedButton::CMButtonPressed(TMessage& M) {
  auto* Sender = reinterpret_cast<TSpeedButton*>(M.LParam);
  if (static_cast<int>(M.WParam) != FGroupIndex || Sender == this) return;
  if (Sender->FDown && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = Sender->FAllowAllUp;
}

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
  Value = std::clamp(Value, 1, 4);
  if (FNumGlyphs == Value) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  if (Value < -1) Value = -1;
  if (FMargin == Value) return;
  FMargin = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging || Button != mbLeft) return;
  FDragging = false;
  bool DoClick = GetClientRect().Contains(Point(X, Y));
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
  } else if (DoClick) {
    SetDown(!FDown);
    if (FDown) FState = bsExclusive;
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (DoClick) Click();
}

void TSpeedButton::WMLButtonDblClk(TMessage& M) {
  TGraphicControl::WMLButtonDblClk(M);
  // Only a button that stays down knows a double click; any other takes it as a second press.
  if (FDown) DblClick();
}

void TSpeedButton::WMTimer(TMessage& M) {
  if (M.WParam == RepeatTimerID && FAutoRepeat && FDragging && FState == bsDown && GetEnabled()) {
    Click();
    return;
  }
  TGraphicControl::WMTimer(M);
}

void TSpeedButton::CMEnabledChanged(TMessage& M) {
  if (!GetEnabled()) {
    FDragging = false;
    FMouseInControl = false;
  }
  TGraphicControl::CMEnabledChanged(M);
}

void TSpeedButton::CMMouseEnter(TMessage& M) {
  TGraphicControl::CMMouseEnter(M);
  if (M.LParam == 0 && GetEnabled() && !FMouseInControl) {
    FMouseInControl = true;
    if (FFlat) Invalidate();
  }
}

void TSpeedButton::CMMouseLeave(TMessage& M) {
  TGraphicControl::CMMouseLeave(M);
  if (M.LParam == 0 && FMouseInControl) {
    FMouseInControl = false;
    if (FFlat) Invalidate();
  }
}

void TSpeedButton::CMTextChanged(TMessage& M) {
  TGraphicControl::CMTextChanged(M);
  Invalidate();
}

void TSpeedButton::Paint() {
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  bool Pressed = FState == bsDown || FState == bsExclusive;
  if (!(FFlat && FTransparent)) {
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(R);
  }
  // Edges: raised when up, sunken when pressed; a flat button shows them only under the mouse or pressed.
  if (!FFlat || FMouseInControl || Pressed) {
    TColor Light = Pressed ? clBtnShadow : clBtnHighlight, Dark = Pressed ? clBtnHighlight : clBtnShadow;
    C->GetPen()->SetColor(Light);
    C->MoveTo(R.Left, R.Bottom - 1);
    C->LineTo(R.Left, R.Top);
    C->LineTo(R.Right - 1, R.Top);
    C->GetPen()->SetColor(Dark);
    C->LineTo(R.Right - 1, R.Bottom - 1);
    C->LineTo(R.Left, R.Bottom - 1);
  }
  // The glyph image for the state, centred when there is no caption.
  int Images = FNumGlyphs;
  int GW = FGlyph->Empty() ? 0 : FGlyph->GetWidth() / Images, GH = FGlyph->GetHeight();
  int Index = 0;
  if (!GetEnabled() && Images > 1) Index = 1;
  else if (FState == bsDown && Images > 2) Index = 2;
  else if (FState == bsExclusive && Images > 3) Index = 3;
  std::string Caption = GetCaption();
  int TW = Caption.empty() ? 0 : C->TextWidth(Caption), TH = C->TextHeight(Caption);
  int Gap = GW > 0 && TW > 0 ? FSpacing : 0;
  int Offset = Pressed ? 1 : 0;
  int GX = (R.Right - GW) / 2, GY = (R.Bottom - GH) / 2;
  int TX = (R.Right - TW) / 2, TY = (R.Bottom - TH) / 2;
  switch (FLayout) {
    case blGlyphLeft: GX = FMargin >= 0 ? FMargin : (R.Right - GW - Gap - TW) / 2; TX = GX + GW + Gap; break;
    case blGlyphRight: TX = FMargin >= 0 ? FMargin : (R.Right - GW - Gap - TW) / 2; GX = TX + TW + Gap; break;
    case blGlyphTop: GY = FMargin >= 0 ? FMargin : (R.Bottom - GH - Gap - TH) / 2; TY = GY + GH + Gap; break;
    case blGlyphBottom: TY = FMargin >= 0 ? FMargin : (R.Bottom - GH - Gap - TH) / 2; GY = TY + TH + Gap; break;
  }
  if (GW > 0) {
    COLORREF Key = FGlyph->Pixel(0, GH - 1);
    for (int Y = 0; Y < GH; ++Y)
      for (int X = 0; X < GW; ++X) {
        COLORREF P = FGlyph->Pixel(Index * GW + X, Y);
        if (P != Key) C->SetPixel(GX + X + Offset, GY + Y + Offset, static_cast<TColor>(P));
      }
  }
  if (TW > 0) {
    C->GetBrush()->SetStyle(bsClear);
    if (!GetEnabled()) C->GetFont()->SetColor(clGrayText);
    C->TextOut(TX + Offset, TY + Offset, Caption);
  }
}

}  // namespace vcl
