// The window-system stand-in: window handles, SendMessage, the keyboard
// state, system metrics and a small GDI over per-window pixel surfaces.
//
// Every window has a surface of its full size (client and non-client area).
// Device contexts and brushes are counted so that a test can assert that
// painting code released every DC and deleted every brush it made; a call
// with a stale or foreign handle fails, as on the desktop, and is counted too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vcl/Messages.h"
#include "vcl/System.h"

namespace vcl {

class TWinControl;

using BOOL = int;
using COLORREF = uint32_t;  ///< $00BBGGRR
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int X, int Y) { return TPoint{X, Y}; }
constexpr TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }
constexpr TRect Bounds(int Left, int Top, int Width, int Height) {
  return TRect{Left, Top, Left + Width, Top + Height};
}

/// A rectangle of pixels; what a window or a bitmap paints on.
class TSurface {
public:
  TSurface() = default;
  TSurface(int Width, int Height, COLORREF Fill = 0) { Resize(Width, Height, Fill); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  /// Drops the old content; every pixel becomes Fill.
  void Resize(int Width, int Height, COLORREF Fill = 0);
  /// CLR_INVALID outside the surface.
  COLORREF Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, COLORREF Color);
  /// Clipped to the surface.
  void Fill(const TRect& R, COLORREF Color);

private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<COLORREF> FPixels;
};

// Handles are pointers to records kept by the stand-in; they are checked on
// every call, so a released DC or a deleted brush cannot be used by mistake.
struct TWndRec;
struct TDCRec;
struct TGdiObjRec;
using HWND = TWndRec*;
using HDC = TDCRec*;
using HGDIOBJ = TGdiObjRec*;
using HBRUSH = TGdiObjRec*;

// ---- windows ----
/// Delivers the message to the window's control (its Perform); 0 for a window that does not exist.
LRESULT SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam);
BOOL IsWindow(HWND Wnd);
BOOL IsWindowEnabled(HWND Wnd);
BOOL IsWindowVisible(HWND Wnd);
/// The window's rectangle in screen coordinates.
BOOL GetWindowRect(HWND Wnd, TRect* R);
/// The client area, origin 0,0.
BOOL GetClientRect(HWND Wnd, TRect* R);
int32_t GetWindowLong(HWND Wnd, int Index);
int32_t SetWindowLong(HWND Wnd, int Index, int32_t Value);
/// The control that owns a window; nullptr for none.
TWinControl* FindControl(HWND Wnd);
/// Sends the pending WM_NCPAINT and WM_PAINT of one window at once.
BOOL UpdateWindow(HWND Wnd);
/// The window that has the keyboard focus (nullptr for none).
HWND GetFocus();

// ---- keyboard state ----
/// Negative while the key is held down (the high bit set), as the desktop answers.
int16_t GetKeyState(int VirtKey);
/// Used by the keyboard simulation: presses or releases a key in the shared state.
void SetKeyDown(int VirtKey, bool Down);

// ---- system metrics ----
/// Fixed values of the classic desktop scheme; the screen size comes from the host.
int GetSystemMetrics(int Index);

// ---- rectangles ----
BOOL OffsetRect(TRect* R, int DX, int DY);
/// Grows the rectangle by DX on the left and right and by DY on the top and bottom (negative shrinks).
BOOL InflateRect(TRect* R, int DX, int DY);
BOOL SetRect(TRect* R, int Left, int Top, int Right, int Bottom);
BOOL IntersectRect(TRect* Dest, const TRect* A, const TRect* B);

// ---- device contexts ----
/// A DC over the whole window (non-client area included), origin at the window's top-left corner.
HDC GetWindowDC(HWND Wnd);
/// A DC over the client area.
HDC GetDC(HWND Wnd);
/// 1 when the DC was taken for this window and is released now; 0 otherwise.
int ReleaseDC(HWND Wnd, HDC DC);
/// A memory DC over a surface the caller owns (bitmaps); freed with DeleteDC.
HDC CreateSurfaceDC(TSurface* Surface);
BOOL DeleteDC(HDC DC);
COLORREF GetPixel(HDC DC, int X, int Y);
COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color);

// ---- brushes ----
HBRUSH CreateSolidBrush(COLORREF Color);
/// Nonzero when the object existed and is deleted now.
BOOL DeleteObject(HGDIOBJ Obj);
/// The colour a brush paints with; CLR_INVALID for a handle that is not a live brush.
COLORREF GetBrushColor(HBRUSH Brush);
/// Draws a one-pixel border just inside R.
int FrameRect(HDC DC, const TRect* R, HBRUSH Brush);
int FillRect(HDC DC, const TRect* R, HBRUSH Brush);

/// GDI bookkeeping for leak checks. Live counts are what is taken and not yet given back.
struct TGdiCounters {
  int DCsTaken = 0;         ///< GetDC and GetWindowDC calls that succeeded
  int DCsReleased = 0;      ///< ReleaseDC calls that succeeded
  int BrushesCreated = 0;
  int BrushesDeleted = 0;
  int FailedCalls = 0;      ///< calls made with a stale, foreign or null handle
  int LiveDCs() const { return DCsTaken - DCsReleased; }
  int LiveBrushes() const { return BrushesCreated - BrushesDeleted; }
};
TGdiCounters GdiCounters();

namespace detail {
// Used by TWinControl to make and drop its window.
HWND CreateWindowRec(TWinControl* Control, uint32_t Style, uint32_t ExStyle, int Width, int Height,
                     COLORREF Background);
void DestroyWindowRec(HWND Wnd);
TSurface* WindowSurface(HWND Wnd);
void MarkWindowPaint(HWND Wnd, bool NonClient, bool Client);
/// A DC over Area of the window's client area (client coordinates), origin at
/// Area's top-left, clipped to Area; the framework's own painting uses it and
/// frees it with DeleteDC, so it is not part of the leak counters.
HDC CreateClientDC(HWND Wnd, const TRect& Area);
/// The same over the whole window, non-client area included.
HDC CreateWholeWindowDC(HWND Wnd);
/// Every window that exists, in creation order.
std::vector<HWND> AllWindows();
}  // namespace detail

}  // namespace vcl
