#include "vcl/Windows.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "vcl/StdCtrls.h"

using namespace vcl;

namespace {

COLORREF RGBOf(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }

/// Draws a two-pixel frame the way a flat border does: outer colour, then inner colour.
HDC DrawFrame(HWND Wnd, COLORREF Outer, COLORREF Inner, bool Release = true) {
  HBRUSH B1 = CreateSolidBrush(Outer);
  HBRUSH B2 = CreateSolidBrush(Inner);
  HDC DC = GetWindowDC(Wnd);
  TRect R;
  GetWindowRect(Wnd, &R);
  OffsetRect(&R, -R.Left, -R.Top);
  FrameRect(DC, &R, B1);
  InflateRect(&R, -1, -1);
  FrameRect(DC, &R, B2);
  DeleteObject(B1);
  DeleteObject(B2);
  if (!Release) return DC;
  ReleaseDC(Wnd, DC);
  return nullptr;
}

// An edit whose window style follows a switch, to watch CreateParams and RecreateWnd.
class TStyledEdit : public TEdit {
public:
  using TEdit::TEdit;
  void SetMultiLine(bool Value) {
    if (FMultiLine == Value) return;
    FMultiLine = Value;
    RecreateWnd();
  }

protected:
  void CreateParams(TCreateParams& P) override {
    TEdit::CreateParams(P);
    if (FMultiLine) P.Style |= ES_MULTILINE | ES_RIGHT;
  }

private:
  bool FMultiLine = false;
};

class PaintTest : public vcltest::TFormFixture {
protected:
  void SetUp() override {
    TFormFixture::SetUp();
    Edit = Add<TStyledEdit>("Edit1");
    Edit->SetBounds(10, 20, 50, 21);
  }
  TStyledEdit* Edit = nullptr;
};

}  // namespace

TEST_F(PaintTest, FrameRectIsReadablePixelByPixel) {
  TGdiCounters Before = GdiCounters();
  DrawFrame(Edit->GetHandle(), RGB(255, 0, 0), RGB(0, 0, 255));
  HDC DC = GetWindowDC(Edit->GetHandle());
  struct {
    int X, Y;
    COLORREF Expected;
  } Cases[] = {
      {0, 0, RGB(255, 0, 0)},  {49, 0, RGB(255, 0, 0)},  {0, 20, RGB(255, 0, 0)}, {49, 20, RGB(255, 0, 0)},
      {25, 0, RGB(255, 0, 0)}, {1, 1, RGB(0, 0, 255)},   {48, 19, RGB(0, 0, 255)}, {25, 19, RGB(0, 0, 255)},
  };
  for (auto& C : Cases) EXPECT_EQ(GetPixel(DC, C.X, C.Y), C.Expected) << C.X << "," << C.Y;
  EXPECT_NE(GetPixel(DC, 2, 2), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(DC, 50, 0), CLR_INVALID);
  ReleaseDC(Edit->GetHandle(), DC);
  TGdiCounters After = GdiCounters();
  EXPECT_EQ(After.LiveDCs(), Before.LiveDCs());
  EXPECT_EQ(After.LiveBrushes(), Before.LiveBrushes());
  EXPECT_EQ(After.FailedCalls, Before.FailedCalls);
}

TEST_F(PaintTest, WindowRectIsInScreenCoordinates) {
  auto* Panel = Add<TWinControl>("Panel");
  Panel->SetBounds(100, 50, 200, 100);
  Form->SetBounds(5, 7, 400, 300);
  Edit->SetParent(Panel);
  TRect R;
  ASSERT_TRUE(GetWindowRect(Edit->GetHandle(), &R));
  EXPECT_EQ(R, Rect(115, 77, 165, 98));
  TRect C;
  GetClientRect(Edit->GetHandle(), &C);
  EXPECT_EQ(C, Rect(0, 0, 46, 17)) << "a 3D edit has a two-pixel edge";
}

TEST_F(PaintTest, LeakedDcAndBrushAreCounted) {
  TGdiCounters Before = GdiCounters();
  HDC Kept = DrawFrame(Edit->GetHandle(), 0, 0, /*Release=*/false);
  HBRUSH KeptBrush = CreateSolidBrush(0);
  TGdiCounters After = GdiCounters();
  EXPECT_EQ(After.LiveDCs(), Before.LiveDCs() + 1);
  EXPECT_EQ(After.LiveBrushes(), Before.LiveBrushes() + 1);
  ReleaseDC(Edit->GetHandle(), Kept);
  DeleteObject(KeptBrush);
}

TEST_F(PaintTest, StaleOrForeignHandlesFailAndAreCounted) {
  auto* Other = Add<TEdit>("Other");
  TGdiCounters Before = GdiCounters();
  HDC DC = GetWindowDC(Edit->GetHandle());
  EXPECT_EQ(ReleaseDC(Other->GetHandle(), DC), 0) << "a DC goes back to the window it came from";
  EXPECT_EQ(ReleaseDC(Edit->GetHandle(), DC), 1);
  EXPECT_EQ(ReleaseDC(Edit->GetHandle(), DC), 0);
  HBRUSH B = CreateSolidBrush(0);
  EXPECT_TRUE(DeleteObject(B));
  EXPECT_FALSE(DeleteObject(B));
  TRect R = Rect(0, 0, 5, 5);
  EXPECT_EQ(FrameRect(DC, &R, B), 0);
  TGdiCounters After = GdiCounters();
  EXPECT_EQ(After.FailedCalls - Before.FailedCalls, 4);
  EXPECT_EQ(After.LiveDCs(), Before.LiveDCs());
  EXPECT_EQ(After.LiveBrushes(), Before.LiveBrushes());
}

TEST_F(PaintTest, NonClientPaintDrawsTheSunkenEdge) {
  Application()->ProcessMessages();
  HDC DC = GetWindowDC(Edit->GetHandle());
  EXPECT_EQ(GetPixel(DC, 0, 0), RGBOf(clBtnShadow));
  EXPECT_EQ(GetPixel(DC, 49, 20), RGBOf(clBtnHighlight));
  EXPECT_EQ(GetPixel(DC, 1, 1), RGBOf(cl3DDkShadow));
  EXPECT_EQ(GetPixel(DC, 10, 10), RGBOf(clWindow));
  ReleaseDC(Edit->GetHandle(), DC);
}

TEST_F(PaintTest, RecreatingRestoresTheStandardEdgeAfterCustomDrawing) {
  Application()->ProcessMessages();
  DrawFrame(Edit->GetHandle(), RGB(1, 2, 3), RGB(4, 5, 6));
  Edit->SetMultiLine(true);
  Application()->ProcessMessages();
  HDC DC = GetWindowDC(Edit->GetHandle());
  EXPECT_EQ(GetPixel(DC, 0, 0), RGBOf(clBtnShadow));
  ReleaseDC(Edit->GetHandle(), DC);
}

TEST_F(PaintTest, CreateParamsDecideTheWindowStyle) {
  auto Style = [&] { return static_cast<uint32_t>(GetWindowLong(Edit->GetHandle(), GWL_STYLE)); };
  EXPECT_FALSE(Style() & ES_MULTILINE);
  EXPECT_TRUE(Style() & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLong(Edit->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  Edit->SetText("keep");
  Edit->SetMultiLine(true);
  EXPECT_EQ(Style() & (ES_MULTILINE | ES_RIGHT), ES_MULTILINE | ES_RIGHT);
  EXPECT_EQ(Edit->GetRecreateCount(), 1);
  EXPECT_EQ(Edit->GetText(), "keep");
  Edit->SetMultiLine(true);
  EXPECT_EQ(Edit->GetRecreateCount(), 1) << "an unchanged setting recreates nothing";
}

TEST_F(PaintTest, InvalidateIsCountedAndPaintsTheClientArea) {
  Application()->ProcessMessages();
  Edit->ResetInvalidateCount();
  Edit->SetColor(clRed);
  EXPECT_GE(Edit->GetInvalidateCount(), 1);
  Application()->ProcessMessages();
  HDC DC = GetWindowDC(Edit->GetHandle());
  EXPECT_EQ(GetPixel(DC, 10, 10), RGBOf(clRed));
  EXPECT_EQ(GetPixel(DC, 0, 0), RGBOf(clBtnShadow)) << "the client paint leaves the border";
  ReleaseDC(Edit->GetHandle(), DC);
}

TEST(SystemMetrics, FixedValuesOfTheDesktopScheme) {
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
}

TEST(Rects, OffsetAndInflate) {
  TRect R = Rect(10, 20, 30, 40);
  OffsetRect(&R, -10, -20);
  EXPECT_EQ(R, Rect(0, 0, 20, 20));
  InflateRect(&R, -1, -2);
  EXPECT_EQ(R, Rect(1, 2, 19, 18));
  InflateRect(&R, 3, 0);
  EXPECT_EQ(R, Rect(-2, 2, 22, 18));
}

TEST(Messages, SendMessageToAWindowThatIsGoneAnswersZero) {
  HWND Gone = nullptr;
  {
    TEdit E(nullptr);
    Gone = E.GetHandle();
    EXPECT_EQ(SendMessage(Gone, WM_GETTEXTLENGTH, 0, 0), 0);
    E.SetText("abc");
    EXPECT_EQ(SendMessage(Gone, WM_GETTEXTLENGTH, 0, 0), 3);
  }
  EXPECT_FALSE(IsWindow(Gone));
  EXPECT_EQ(SendMessage(Gone, WM_GETTEXTLENGTH, 0, 0), 0);
}
