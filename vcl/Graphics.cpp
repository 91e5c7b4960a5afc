#include "vcl/Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vcl {

VCL_REGISTER_CLASS(TGraphicsObject, TPersistent) {}
VCL_REGISTER_CLASS(TFont, TGraphicsObject) {
  b.Property("Charset", &TFont::GetCharset, &TFont::SetCharset).Default(DEFAULT_CHARSET).Type("TFontCharset");
  b.Property("Color", &TFont::GetColor, &TFont::SetColor).Default(TFont::DefaultColor).Type("TColor");
  b.Property("Height", &TFont::GetHeight, &TFont::SetHeight).Default(TFont::DefaultHeight);
  b.Property("Name", &TFont::GetName, &TFont::SetName).Default(std::string(TFont::DefaultName)).Type("TFontName");
  b.Property("Pitch", &TFont::GetPitch, &TFont::SetPitch).Default(fpDefault);
  b.Property("Style", &TFont::GetStyle, &TFont::SetStyle).Default(TFontStyles{});
}
VCL_REGISTER_CLASS(TBrush, TGraphicsObject) {
  b.Property("Color", &TBrush::GetColor, &TBrush::SetColor).Default(TBrush::DefaultColor).Type("TColor");
  b.Property("Style", &TBrush::GetStyle, &TBrush::SetStyle).Default(bsSolid);
}
VCL_REGISTER_CLASS(TPen, TGraphicsObject) {
  b.Property("Color", &TPen::GetColor, &TPen::SetColor).Default(clBlack).Type("TColor");
  b.Property("Style", &TPen::GetStyle, &TPen::SetStyle).Default(psSolid);
  b.Property("Width", &TPen::GetWidth, &TPen::SetWidth).Default(1);
}
VCL_REGISTER_CLASS(TCanvas, TPersistent) {}
VCL_REGISTER_CLASS(TBitmap, TPersistent) {}

// ---- TGraphicsObject ----
void TGraphicsObject::Changed() {
  if (FOnChange) FOnChange(this);
}

// ---- TFont ----
TFont::TFont(const TFont& Other)
    : TGraphicsObject(),
      FName(Other.FName),
      FColor(Other.FColor),
      FHeight(Other.FHeight),
      FStyle(Other.FStyle),
      FPitch(Other.FPitch),
      FCharset(Other.FCharset) {}

TFont& TFont::operator=(const TFont& Other) {
  Assign(&Other);
  return *this;
}

void TFont::SetName(const std::string& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

int TFont::GetSize() const {
  // Size in points from a height in pixels, rounded as the framework's MulDiv does.
  long Num = -static_cast<long>(FHeight) * 72;
  long Q = (std::labs(Num) * 2 + ScreenPixelsPerInch) / (2 * ScreenPixelsPerInch);
  return static_cast<int>(Num < 0 ? -Q : Q);
}

void TFont::SetSize(int Value) {
  long Num = static_cast<long>(Value) * ScreenPixelsPerInch;
  long Q = (std::labs(Num) * 2 + 72) / 144;
  SetHeight(-static_cast<int>(Num < 0 ? -Q : Q));
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

bool TFont::Equals(const TFont& O) const {
  return FName == O.FName && FColor == O.FColor && FHeight == O.FHeight && FStyle == O.FStyle &&
         FPitch == O.FPitch && FCharset == O.FCharset;
}

void TFont::Assign(const TPersistent* Source) {
  if (auto* F = dynamic_cast<const TFont*>(Source)) {
    if (Equals(*F)) return;
    FName = F->FName;
    FColor = F->FColor;
    FHeight = F->FHeight;
    FStyle = F->FStyle;
    FPitch = F->FPitch;
    FCharset = F->FCharset;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

int TFont::AverageCharWidth() const { return std::max(1, std::abs(FHeight) / 2); }
int TFont::LineHeight() const { return std::abs(FHeight) + 2; }

// ---- TBrush and TPen ----
void TBrush::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  if (FStyle == bsClear) FStyle = bsSolid;  // picking a colour makes the brush paint again
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TBrush::Assign(const TPersistent* Source) {
  if (auto* B = dynamic_cast<const TBrush*>(Source)) {
    if (B->FColor == FColor && B->FStyle == FStyle) return;
    FColor = B->FColor;
    FStyle = B->FStyle;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TPen::Assign(const TPersistent* Source) {
  if (auto* P = dynamic_cast<const TPen*>(Source)) {
    if (P->FColor == FColor && P->FWidth == FWidth && P->FStyle == FStyle) return;
    FColor = P->FColor;
    FWidth = P->FWidth;
    FStyle = P->FStyle;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

// ---- TCanvas ----
TCanvas::TCanvas()
    : FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()), FFont(std::make_unique<TFont>()) {}

TCanvas::~TCanvas() = default;

HDC TCanvas::GetHandle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) { FHandle = Value; }

void TCanvas::FreeHandle() { FHandle = nullptr; }

void TCanvas::FillRect(const TRect& R) {
  if (FBrush->GetStyle() == bsClear) return;
  HDC DC = GetHandle();
  if (!DC) return;
  HBRUSH B = CreateSolidBrush(ColorToRGB(FBrush->GetColor()));
  vcl::FillRect(DC, &R, B);
  DeleteObject(B);
}

void TCanvas::FrameRect(const TRect& R) {
  HDC DC = GetHandle();
  if (!DC) return;
  HBRUSH B = CreateSolidBrush(ColorToRGB(FBrush->GetColor()));
  vcl::FrameRect(DC, &R, B);
  DeleteObject(B);
}

void TCanvas::Rectangle(const TRect& R) {
  FillRect(R);
  if (FPen->GetStyle() == psClear) return;
  HDC DC = GetHandle();
  if (!DC) return;
  HBRUSH B = CreateSolidBrush(ColorToRGB(FPen->GetColor()));
  vcl::FrameRect(DC, &R, B);
  DeleteObject(B);
}

void TCanvas::MoveTo(int X, int Y) { FPenPos = Point(X, Y); }

void TCanvas::LineTo(int X, int Y) {
  LineFromTo(FPenPos.X, FPenPos.Y, X, Y);
  FPenPos = Point(X, Y);
}

void TCanvas::LineFromTo(int X0, int Y0, int X1, int Y1) {
  if (FPen->GetStyle() == psClear) return;
  HDC DC = GetHandle();
  if (!DC) return;
  COLORREF C = ColorToRGB(FPen->GetColor());
  // Bresenham; like the desktop's LineTo the end point itself is not drawn.
  int DX = std::abs(X1 - X0), SX = X0 < X1 ? 1 : -1;
  int DY = -std::abs(Y1 - Y0), SY = Y0 < Y1 ? 1 : -1;
  int Err = DX + DY;
  while (X0 != X1 || Y0 != Y1) {
    vcl::SetPixel(DC, X0, Y0, C);
    int E2 = 2 * Err;
    if (E2 >= DY) { Err += DY; X0 += SX; }
    if (E2 <= DX) { Err += DX; Y0 += SY; }
  }
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  TextRect(Rect(X, Y, X + TextWidth(Text), Y + TextHeight(Text)), X, Y, Text);
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
  bool Opaque = FBrush->GetStyle() != bsClear;
  FTextLog.push_back({X, Y, Text, FFont->GetColor(), FBrush->GetColor(), Opaque});
  if (!Opaque) return;
  TRect Extent = Rect(X, Y, X + TextWidth(Text), Y + TextHeight(Text));
  TRect Clipped;
  if (IntersectRect(&Clipped, &Extent, &R)) FillRect(Clipped);
}

int TCanvas::TextWidth(const std::string& Text) const {
  return static_cast<int>(Text.size()) * FFont->AverageCharWidth();
}

int TCanvas::TextHeight(const std::string&) const { return FFont->LineHeight(); }

void TCanvas::Draw(int X, int Y, const TBitmap* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  HDC DC = GetHandle();
  if (!DC) return;
  const TSurface& S = Graphic->Surface();
  // A transparent bitmap leaves out the pixels of its bottom-left colour.
  COLORREF Key = S.Pixel(0, S.Height() - 1);
  for (int PY = 0; PY < S.Height(); ++PY)
    for (int PX = 0; PX < S.Width(); ++PX) {
      COLORREF C = S.Pixel(PX, PY);
      if (Graphic->GetTransparent() && C == Key) continue;
      vcl::SetPixel(DC, X + PX, Y + PY, C);
    }
}

COLORREF TCanvas::GetPixel(int X, int Y) {
  HDC DC = GetHandle();
  return DC ? vcl::GetPixel(DC, X, Y) : CLR_INVALID;
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  HDC DC = GetHandle();
  if (DC) vcl::SetPixel(DC, X, Y, static_cast<COLORREF>(ColorToRGB(Color)));
}

// ---- TBitmap ----
class TBitmap::TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* Owner) : FOwner(Owner) {}
  ~TBitmapCanvas() override { FreeHandle(); }
  void Reset() { FreeHandle(); }

protected:
  void CreateHandle() override { SetHandle(CreateSurfaceDC(&FOwner->FSurface)); }
  void FreeHandle() override {
    if (HandleAllocated()) DeleteDC(GetHandle());
    TCanvas::FreeHandle();
  }

private:
  TBitmap* FOwner;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int Width, int Height) {
  if (Width == GetWidth() && Height == GetHeight()) return;
  if (FCanvas) FCanvas->Reset();  // the DC's clip rectangle belongs to the old size
  FSurface.Resize(Width, Height, static_cast<COLORREF>(clWhite));
  Changed();
}

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

void TBitmap::Assign(const TPersistent* Source) {
  if (!Source) {
    if (FCanvas) FCanvas->Reset();
    FSurface.Resize(0, 0);
    Changed();
    return;
  }
  if (auto* B = dynamic_cast<const TBitmap*>(Source)) {
    if (B == this) return;
    if (FCanvas) FCanvas->Reset();
    FSurface = B->FSurface;
    FTransparent = B->FTransparent;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TBitmap::Changed() {
  if (FOnChange) FOnChange(this);
}

}  // namespace vcl
