#include "vcl/Windows.h"

#include <algorithm>
#include <set>

#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/Host.h"

namespace vcl {

// ---- records behind the handles ----
struct TWndRec {
  TWinControl* Control = nullptr;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  TSurface Surface;
  bool NeedNCPaint = false;
  bool NeedPaint = false;
};

struct TDCRec {
  HWND Wnd = nullptr;       ///< the window a GetDC/GetWindowDC was taken for (nullptr: memory DC)
  TSurface* Surface = nullptr;
  int OrgX = 0, OrgY = 0;   ///< where the DC's 0,0 lies on the surface
  TRect Clip;               ///< surface coordinates
  bool Counted = false;     ///< taken through GetDC/GetWindowDC
};

struct TGdiObjRec {
  COLORREF Color = 0;
};

namespace {

struct TGdiState {
  std::vector<HWND> Windows;
  std::set<HDC> DCs;
  std::set<HGDIOBJ> Brushes;
  TGdiCounters Counters;
  std::set<int> KeysDown;
};

TGdiState& State() {
  static TGdiState S;
  return S;
}

bool LiveWindow(HWND Wnd) {
  auto& W = State().Windows;
  return Wnd && std::find(W.begin(), W.end(), Wnd) != W.end();
}

bool LiveDC(HDC DC) { return DC && State().DCs.count(DC) != 0; }
bool LiveBrush(HGDIOBJ B) { return B && State().Brushes.count(B) != 0; }

int Fail() {
  ++State().Counters.FailedCalls;
  return 0;
}

void FillOnDC(HDC DC, const TRect& R, COLORREF Color) {
  TRect S = Rect(R.Left + DC->OrgX, R.Top + DC->OrgY, R.Right + DC->OrgX, R.Bottom + DC->OrgY);
  TRect Clipped;
  if (!IntersectRect(&Clipped, &S, &DC->Clip)) return;
  DC->Surface->Fill(Clipped, Color);
}

HDC NewDC(HWND Wnd, TSurface* Surface, int OrgX, int OrgY, const TRect& Clip, bool Counted) {
  auto* DC = new TDCRec;
  DC->Wnd = Wnd;
  DC->Surface = Surface;
  DC->OrgX = OrgX;
  DC->OrgY = OrgY;
  DC->Clip = Clip;
  DC->Counted = Counted;
  State().DCs.insert(DC);
  if (Counted) ++State().Counters.DCsTaken;
  return DC;
}

void FreeDC(HDC DC) {
  State().DCs.erase(DC);
  delete DC;
}

TRect SurfaceRect(const TSurface& S) { return Rect(0, 0, S.Width(), S.Height()); }

}  // namespace

// ---- TSurface ----
void TSurface::Resize(int Width, int Height, COLORREF Fill) {
  FWidth = std::max(0, Width);
  FHeight = std::max(0, Height);
  FPixels.assign(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), Fill);
}

COLORREF TSurface::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return CLR_INVALID;
  return FPixels[static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)];
}

void TSurface::SetPixel(int X, int Y, COLORREF Color) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  FPixels[static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)] = Color;
}

void TSurface::Fill(const TRect& R, COLORREF Color) {
  int L = std::max(0, R.Left), T = std::max(0, R.Top);
  int Rt = std::min(FWidth, R.Right), B = std::min(FHeight, R.Bottom);
  for (int Y = T; Y < B; ++Y)
    for (int X = L; X < Rt; ++X) FPixels[static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)] = Color;
}

// ---- windows ----
LRESULT SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam) {
  if (!LiveWindow(Wnd)) return Fail();
  return Wnd->Control->Perform(Msg, WParam, LParam);
}

BOOL IsWindow(HWND Wnd) { return LiveWindow(Wnd) ? 1 : 0; }

BOOL IsWindowEnabled(HWND Wnd) {
  if (!LiveWindow(Wnd)) return Fail();
  return (Wnd->Style & WS_DISABLED) ? 0 : 1;
}

BOOL IsWindowVisible(HWND Wnd) {
  if (!LiveWindow(Wnd)) return Fail();
  return Wnd->Control->Showing() ? 1 : 0;
}

BOOL GetWindowRect(HWND Wnd, TRect* R) {
  if (!LiveWindow(Wnd) || !R) return Fail();
  *R = Wnd->Control->GetWindowScreenRect();
  return 1;
}

BOOL GetClientRect(HWND Wnd, TRect* R) {
  if (!LiveWindow(Wnd) || !R) return Fail();
  *R = Wnd->Control->GetClientRect();
  return 1;
}

int32_t GetWindowLong(HWND Wnd, int Index) {
  if (!LiveWindow(Wnd)) return Fail();
  if (Index == GWL_STYLE) return static_cast<int32_t>(Wnd->Style);
  if (Index == GWL_EXSTYLE) return static_cast<int32_t>(Wnd->ExStyle);
  return Fail();
}

int32_t SetWindowLong(HWND Wnd, int Index, int32_t Value) {
  if (!LiveWindow(Wnd)) return Fail();
  uint32_t* Field = Index == GWL_STYLE ? &Wnd->Style : Index == GWL_EXSTYLE ? &Wnd->ExStyle : nullptr;
  if (!Field) return Fail();
  auto Old = static_cast<int32_t>(*Field);
  *Field = static_cast<uint32_t>(Value);
  return Old;
}

TWinControl* FindControl(HWND Wnd) { return LiveWindow(Wnd) ? Wnd->Control : nullptr; }

BOOL UpdateWindow(HWND Wnd) {
  if (!LiveWindow(Wnd)) return Fail();
  if (Wnd->NeedNCPaint) {
    Wnd->NeedNCPaint = false;
    Wnd->Control->Perform(WM_NCPAINT, 1, 0);
  }
  // The control may have dropped its window while painting the frame.
  if (LiveWindow(Wnd) && Wnd->NeedPaint) {
    Wnd->NeedPaint = false;
    Wnd->Control->Perform(WM_PAINT, 0, 0);
  }
  return 1;
}

HWND GetFocus() {
  TWinControl* C = Screen()->GetActiveControl();
  if (!C) {
    TCustomForm* F = Screen()->GetActiveForm();
    if (F && F->GetFocusedControl() == F) C = F;
  }
  return C && C->HandleAllocated() ? C->GetHandle() : nullptr;
}

// ---- keyboard state ----
int16_t GetKeyState(int VirtKey) {
  auto& K = State().KeysDown;
  bool Down = K.count(VirtKey) != 0;
  return Down ? static_cast<int16_t>(0x8000 | 1) : 0;
}

void SetKeyDown(int VirtKey, bool Down) {
  if (Down) State().KeysDown.insert(VirtKey);
  else State().KeysDown.erase(VirtKey);
}

// ---- system metrics ----
int GetSystemMetrics(int Index) {
  switch (Index) {
    case SM_CXSCREEN: case SM_CXFULLSCREEN: return Host().ScreenWidth;
    case SM_CYSCREEN: case SM_CYFULLSCREEN: return Host().ScreenHeight;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_MOUSEPRESENT: return 1;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    default: return 0;
  }
}

// ---- rectangles ----
BOOL OffsetRect(TRect* R, int DX, int DY) {
  if (!R) return 0;
  R->Left += DX;
  R->Right += DX;
  R->Top += DY;
  R->Bottom += DY;
  return 1;
}

BOOL InflateRect(TRect* R, int DX, int DY) {
  if (!R) return 0;
  R->Left -= DX;
  R->Right += DX;
  R->Top -= DY;
  R->Bottom += DY;
  return 1;
}

BOOL SetRect(TRect* R, int Left, int Top, int Right, int Bottom) {
  if (!R) return 0;
  *R = Rect(Left, Top, Right, Bottom);
  return 1;
}

BOOL IntersectRect(TRect* Dest, const TRect* A, const TRect* B) {
  if (!Dest || !A || !B) return 0;
  TRect R = Rect(std::max(A->Left, B->Left), std::max(A->Top, B->Top), std::min(A->Right, B->Right),
                 std::min(A->Bottom, B->Bottom));
  if (R.IsEmpty()) {
    *Dest = TRect{};
    return 0;
  }
  *Dest = R;
  return 1;
}

// ---- device contexts ----
HDC GetWindowDC(HWND Wnd) {
  if (!LiveWindow(Wnd)) {
    Fail();
    return nullptr;
  }
  return NewDC(Wnd, &Wnd->Surface, 0, 0, SurfaceRect(Wnd->Surface), true);
}

HDC GetDC(HWND Wnd) {
  if (!LiveWindow(Wnd)) {
    Fail();
    return nullptr;
  }
  TRect C = Wnd->Control->GetClientRect();
  TRect W = Wnd->Control->GetWindowScreenRect();
  TPoint O = Wnd->Control->ClientOrigin();
  int DX = O.X - W.Left, DY = O.Y - W.Top;
  return NewDC(Wnd, &Wnd->Surface, DX, DY, Rect(DX, DY, DX + C.Right, DY + C.Bottom), true);
}

int ReleaseDC(HWND Wnd, HDC DC) {
  if (!LiveDC(DC) || !DC->Counted || DC->Wnd != Wnd) return Fail();
  ++State().Counters.DCsReleased;
  FreeDC(DC);
  return 1;
}

HDC CreateSurfaceDC(TSurface* Surface) {
  if (!Surface) return nullptr;
  return NewDC(nullptr, Surface, 0, 0, SurfaceRect(*Surface), false);
}

BOOL DeleteDC(HDC DC) {
  if (!LiveDC(DC) || DC->Counted) return Fail();
  FreeDC(DC);
  return 1;
}

COLORREF GetPixel(HDC DC, int X, int Y) {
  if (!LiveDC(DC)) {
    Fail();
    return CLR_INVALID;
  }
  TPoint P = Point(X + DC->OrgX, Y + DC->OrgY);
  if (!DC->Clip.Contains(P)) return CLR_INVALID;
  return DC->Surface->Pixel(P.X, P.Y);
}

COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color) {
  if (!LiveDC(DC)) {
    Fail();
    return CLR_INVALID;
  }
  TPoint P = Point(X + DC->OrgX, Y + DC->OrgY);
  if (!DC->Clip.Contains(P)) return CLR_INVALID;
  DC->Surface->SetPixel(P.X, P.Y, Color);
  return Color;
}

// ---- brushes ----
HBRUSH CreateSolidBrush(COLORREF Color) {
  auto* B = new TGdiObjRec;
  B->Color = Color & 0x00FFFFFF;
  State().Brushes.insert(B);
  ++State().Counters.BrushesCreated;
  return B;
}

BOOL DeleteObject(HGDIOBJ Obj) {
  if (!LiveBrush(Obj)) return Fail();
  State().Brushes.erase(Obj);
  delete Obj;
  ++State().Counters.BrushesDeleted;
  return 1;
}

COLORREF GetBrushColor(HBRUSH Brush) { return LiveBrush(Brush) ? Brush->Color : CLR_INVALID; }

int FrameRect(HDC DC, const TRect* R, HBRUSH Brush) {
  if (!LiveDC(DC) || !LiveBrush(Brush) || !R) return Fail();
  if (R->IsEmpty()) return 1;
  COLORREF C = Brush->Color;
  FillOnDC(DC, Rect(R->Left, R->Top, R->Right, R->Top + 1), C);
  FillOnDC(DC, Rect(R->Left, R->Bottom - 1, R->Right, R->Bottom), C);
  FillOnDC(DC, Rect(R->Left, R->Top, R->Left + 1, R->Bottom), C);
  FillOnDC(DC, Rect(R->Right - 1, R->Top, R->Right, R->Bottom), C);
  return 1;
}

int FillRect(HDC DC, const TRect* R, HBRUSH Brush) {
  if (!LiveDC(DC) || !LiveBrush(Brush) || !R) return Fail();
  FillOnDC(DC, *R, Brush->Color);
  return 1;
}

TGdiCounters GdiCounters() { return State().Counters; }

namespace detail {

HWND CreateWindowRec(TWinControl* Control, uint32_t Style, uint32_t ExStyle, int Width, int Height,
                     COLORREF Background) {
  auto* W = new TWndRec;
  W->Control = Control;
  W->Style = Style;
  W->ExStyle = ExStyle;
  W->Surface.Resize(Width, Height, Background);
  W->NeedNCPaint = W->NeedPaint = true;
  State().Windows.push_back(W);
  return W;
}

void DestroyWindowRec(HWND Wnd) {
  auto& Ws = State().Windows;
  auto It = std::find(Ws.begin(), Ws.end(), Wnd);
  if (It == Ws.end()) return;
  Ws.erase(It);
  // DCs still taken for the window stay counted as leaks but can no longer draw.
  for (HDC DC : State().DCs)
    if (DC->Wnd == Wnd || DC->Surface == &Wnd->Surface) {
      DC->Surface = nullptr;
      DC->Clip = TRect{};
    }
  delete Wnd;
}

HDC CreateClientDC(HWND Wnd, const TRect& Area) {
  if (!LiveWindow(Wnd)) return nullptr;
  TRect C = Wnd->Control->GetClientRect();
  TRect W = Wnd->Control->GetWindowScreenRect();
  TPoint O = Wnd->Control->ClientOrigin();
  int DX = O.X - W.Left, DY = O.Y - W.Top;
  TRect Clip;
  IntersectRect(&Clip, &Area, &C);
  OffsetRect(&Clip, DX, DY);
  return NewDC(nullptr, &Wnd->Surface, DX + Area.Left, DY + Area.Top, Clip, false);
}

HDC CreateWholeWindowDC(HWND Wnd) {
  if (!LiveWindow(Wnd)) return nullptr;
  return NewDC(nullptr, &Wnd->Surface, 0, 0, SurfaceRect(Wnd->Surface), false);
}

TSurface* WindowSurface(HWND Wnd) { return LiveWindow(Wnd) ? &Wnd->Surface : nullptr; }

void MarkWindowPaint(HWND Wnd, bool NonClient, bool Client) {
  if (!LiveWindow(Wnd)) return;
  if (NonClient) Wnd->NeedNCPaint = true;
  if (Client) Wnd->NeedPaint = true;
}

std::vector<HWND> AllWindows() { return State().Windows; }

}  // namespace detail

}  // namespace vcl
