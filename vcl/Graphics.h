// Fonts, brushes, pens, canvases and bitmaps over the GDI stand-in.
//
// Text has no glyph pixels: a canvas fills the background of the text's
// extent (when its brush is solid) and records every TextOut with the colours
// it used, so a test can see what an owner-draw routine drew and in which colours.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Colors.h"
#include "vcl/Windows.h"

namespace vcl {

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using enum TFontStyle;
using TFontStyles = TSet<TFontStyle>;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
using enum TFontPitch;
using TFontCharset = Byte;
constexpr TFontCharset DEFAULT_CHARSET = 1;

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
using enum TBrushStyle;
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
using enum TPenStyle;

/// Pixels per logical inch of the stand-in screen.
constexpr int ScreenPixelsPerInch = 96;

/// A font, brush or pen: a value object that tells its owner when it changes.
class TGraphicsObject : public TPersistent {
public:
  VCL_CLASS(TGraphicsObject)
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
  /// Fires OnChange with this object as sender.
  virtual void Changed();

private:
  TNotifyEvent FOnChange;
};

class TFont : public TGraphicsObject {
public:
  VCL_CLASS(TFont)
  static constexpr const char* DefaultName = "Tahoma";
  static constexpr TColor DefaultColor = clWindowText;
  static constexpr int DefaultHeight = -11;  ///< 8 points at 96 pixels per inch

  TFont() = default;
  TFont(const TFont& Other);
  TFont& operator=(const TFont& Other);

  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  /// Negative: character height in pixels without internal leading.
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value);
  /// In points; derived from Height.
  int GetSize() const;
  void SetSize(int Value);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset Value);

  /// One change notification for the whole copy, and none when nothing differs.
  void Assign(const TPersistent* Source) override;
  bool Equals(const TFont& Other) const;

  /// Fixed metrics of the stand-in: every character is as wide as the average.
  int AverageCharWidth() const;
  int LineHeight() const;

private:
  std::string FName = DefaultName;
  TColor FColor = DefaultColor;
  int FHeight = DefaultHeight;
  TFontStyles FStyle;
  TFontPitch FPitch = fpDefault;
  TFontCharset FCharset = DEFAULT_CHARSET;
};

class TBrush : public TGraphicsObject {
public:
  VCL_CLASS(TBrush)
  static constexpr TColor DefaultColor = clWhite;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  void Assign(const TPersistent* Source) override;

private:
  TColor FColor = DefaultColor;
  TBrushStyle FStyle = bsSolid;
};

class TPen : public TGraphicsObject {
public:
  VCL_CLASS(TPen)
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  void Assign(const TPersistent* Source) override;

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
};

/// One TextOut as the canvas drew it.
struct TTextOutRecord {
  int X = 0;
  int Y = 0;
  std::string Text;
  TColor FontColor = 0;
  TColor BrushColor = 0;
  bool Opaque = true;  ///< the brush was solid, so the background was filled
};

class TBitmap;

/// A drawing surface with a brush, a pen and a font. A canvas draws through
/// a DC that it asks for on first use (CreateHandle) and gives back in FreeHandle.
class TCanvas : public TPersistent {
public:
  VCL_CLASS(TCanvas)
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TBrush* GetBrush() const { return FBrush.get(); }
  TPen* GetPen() const { return FPen.get(); }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }

  /// The DC, asked for on first use; nullptr when the canvas cannot draw (no window yet).
  HDC GetHandle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  /// Pen-coloured outline, brush-filled inside.
  void Rectangle(const TRect& R);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void TextOut(int X, int Y, const std::string& Text);
  /// TextOut clipped to R.
  void TextRect(const TRect& R, int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text) const;
  int TextHeight(const std::string& Text) const;
  void Draw(int X, int Y, const TBitmap* Graphic);
  COLORREF GetPixel(int X, int Y);
  void SetPixel(int X, int Y, TColor Color);
  TPoint GetPenPos() const { return FPenPos; }

  /// Every TextOut since the canvas was made or the log was cleared.
  const std::vector<TTextOutRecord>& TextLog() const { return FTextLog; }
  void ClearTextLog() { FTextLog.clear(); }

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
  /// Asked for a DC when the canvas needs one; the default has none to give.
  virtual void CreateHandle() {}
  /// Gives the DC back; the default forgets it.
  virtual void FreeHandle();

private:
  void LineFromTo(int X0, int Y0, int X1, int Y1);
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TFont> FFont;
  HDC FHandle = nullptr;
  TPoint FPenPos;
  std::vector<TTextOutRecord> FTextLog;
  TNotifyEvent FOnChange;
};

/// A picture held in memory, with a canvas to draw on it (glyphs of buttons).
class TBitmap : public TPersistent {
public:
  VCL_CLASS(TBitmap)
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int GetWidth() const { return FSurface.Width(); }
  void SetWidth(int Value) { SetSize(Value, GetHeight()); }
  int GetHeight() const { return FSurface.Height(); }
  void SetHeight(int Value) { SetSize(GetWidth(), Value); }
  /// New pixels are white; the old content is dropped.
  void SetSize(int Width, int Height);
  bool Empty() const { return FSurface.Width() == 0 || FSurface.Height() == 0; }
  TCanvas* GetCanvas();
  COLORREF Pixel(int X, int Y) const { return FSurface.Pixel(X, Y); }
  const TSurface& Surface() const { return FSurface; }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  /// Copies pixels from another bitmap; nullptr empties this one.
  void Assign(const TPersistent* Source) override;
  /// Fires OnChange; call after drawing on the canvas so that owners repaint.
  void Changed();

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
  class TBitmapCanvas;
  TSurface FSurface;
  std::unique_ptr<TBitmapCanvas> FCanvas;
  bool FTransparent = false;
  TNotifyEvent FOnChange;
};

}  // namespace vcl

VCL_ENUM_NAMES(vcl::TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut");
VCL_ENUM_NAMES(vcl::TFontPitch, "fpDefault", "fpVariable", "fpFixed");
VCL_ENUM_NAMES(vcl::TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
               "bsCross", "bsDiagCross");
VCL_ENUM_NAMES(vcl::TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
               "psInsideFrame");
