#include "vcl/Colors.h"

#include "vcl/SysUtils.h"

namespace vcl {

namespace {
struct TColorName {
  TColor Color;
  const char* Name;
};

const TColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"}, {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"},
};

// Fixed RGB values of the system colours (the classic desktop scheme), by COLOR_* index.
const TColor SystemRGB[] = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
};
}  // namespace

TColor ColorToRGB(TColor Color) {
  if ((Color & clSystemColor) == clSystemColor && Color != clNone) {
    int Index = Color & 0xFF;
    if (Index >= 0 && Index < static_cast<int>(sizeof SystemRGB / sizeof SystemRGB[0])) return SystemRGB[Index];
    return 0;
  }
  return Color;
}

std::string ColorToString(TColor Color) {
  for (const auto& N : ColorNames)
    if (N.Color == Color) return N.Name;
  return "$" + IntToHex(static_cast<uint32_t>(Color), 8);
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
  for (const auto& N : ColorNames)
    if (SameText(N.Name, Ident)) {
      Color = N.Color;
      return true;
    }
  Int64 V = 0;
  if (!TryStrToInt64(Ident, V) || V < INT32_MIN || V > UINT32_MAX) return false;
  Color = static_cast<TColor>(static_cast<uint32_t>(V));
  return true;
}

}  // namespace vcl
