// Speed buttons: graphic buttons with a glyph, grouping and auto-repeat.
#pragma once

#include <memory>

#include "vcl/Controls.h"

namespace vcl {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using enum TButtonLayout;
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using enum TButtonState;
using TNumGlyphs = int;

/// A button without a window (it never takes the focus). A click is a left
/// press and release inside the button. With a GroupIndex the button stays
/// down when clicked and releases the other buttons of its group on the same
/// parent; AllowAllUp lets a click on the down button release it.
///
/// AutoRepeat (an addition of this framework for spin buttons): while the
/// left button is held, every repeat interval (a WM_TIMER the window system
/// delivers, see SimulateMouseHold) clicks once more; the release clicks as
/// usual, so a hold of N intervals clicks N + 1 times.
///
/// Glyph holds NumGlyphs images side by side: up, disabled, pressed, down.
/// Its bottom-left pixel marks the colour that is not painted.
class TSpeedButton : public TGraphicControl {
public:
  VCL_CLASS(TSpeedButton)
  static constexpr int DefaultSize = 23;
  static constexpr Cardinal DefaultRepeatInterval = 100;

  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool GetDown() const { return FDown; }
  /// Ignored (stays False) without a GroupIndex; releasing the only down
  /// button of a group needs AllowAllUp.
  void SetDown(bool Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value) { FGlyph->Assign(Value); }
  TNumGlyphs GetNumGlyphs() const { return FNumGlyphs; }
  /// 1 to 4; other values are clipped into that range.
  void SetNumGlyphs(TNumGlyphs Value);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int GetMargin() const { return FMargin; }
  void SetMargin(int Value);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetAutoRepeat() const { return FAutoRepeat; }
  void SetAutoRepeat(bool Value) { FAutoRepeat = Value; }
  /// Milliseconds between repeated clicks while held.
  Cardinal GetRepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(Cardinal Value) { FRepeatInterval = Value; }

  /// What the button shows now: up, disabled, pressed or down.
  TButtonState GetState() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void WMLButtonDblClk(TMessage& Message) override;
  void WMTimer(TMessage& Message) override;
  void CMButtonPressed(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;

private:
  void GlyphChanged();
  void UpdateExclusive();
  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FFlat = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FTransparent = true;
  bool FAutoRepeat = false;
  Cardinal FRepeatInterval = DefaultRepeatInterval;
  TButtonState FState = bsUp;
  bool FDragging = false;
  bool FMouseInControl = false;
};

}  // namespace vcl

VCL_ENUM_NAMES(vcl::TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom");
VCL_ENUM_NAMES(vcl::TButtonState, "bsUp", "bsDisabled", "bsDown", "bsExclusive");
