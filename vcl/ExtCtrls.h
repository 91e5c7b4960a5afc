// Panels.
#pragma once

#include "vcl/Controls.h"

namespace vcl {

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
using enum TPanelBevel;
using TBevelWidth = int;

/// A container that paints a caption and up to two bevels. Child controls
/// are laid out by the owner of the panel, typically in Resize (OnResize),
/// which runs on every size change.
class TCustomPanel : public TCustomControl {
public:
  VCL_CLASS(TCustomPanel)
  static constexpr int DefaultWidth = 185;
  static constexpr int DefaultHeight = 41;
  static constexpr TPanelBevel DefaultBevelOuter = bvRaised;
  static constexpr TColor DefaultColor = clBtnFace;

  explicit TCustomPanel(TComponent* AOwner);
  ~TCustomPanel() override;

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TPanelBevel GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  TBevelWidth GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(TBevelWidth Value);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  /// True: every resize repaints the whole panel.
  bool GetFullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  /// The area inside the border and bevels, where child controls are meant to go.
  TRect AdjustedClientRect() const;

protected:
  TRect AlignRect() const override { return AdjustedClientRect(); }
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Resize() override;
  void CMTextChanged(TMessage& Message) override;

private:
  TAlignment FAlignment = taCenter;
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = DefaultBevelOuter;
  TBevelWidth FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  bool FFullRepaint = true;
  bool FAutoSize = false;
};

class TPanel : public TCustomPanel {
public:
  VCL_CLASS(TPanel)
  using TCustomPanel::TCustomPanel;
};

}  // namespace vcl

VCL_ENUM_NAMES(vcl::TPanelBevel, "bvNone", "bvLowered", "bvRaised", "bvSpace");
