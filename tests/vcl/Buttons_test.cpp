#include "vcl/Buttons.h"

#include <gtest/gtest.h>

#include <map>

#include "FormFixture.h"

using namespace vcl;

namespace {

class SpeedButtonTest : public vcltest::TFormFixture {
protected:
  TSpeedButton* Button(const std::string& Name, int GroupIndex = 0) {
    auto* B = Add<TSpeedButton>(Name);
    B->SetGroupIndex(GroupIndex);
    B->SetOnClick([this, B](TObject* Sender) {
      EXPECT_EQ(Sender, B);
      ++Clicks[B];
    });
    return B;
  }
  std::map<TSpeedButton*, int> Clicks;
};

}  // namespace

TEST_F(SpeedButtonTest, ClickFiresOnReleaseInside) {
  auto* B = Button("B");
  SimulateMouseDown(B);
  EXPECT_EQ(Clicks[B], 0);
  EXPECT_EQ(B->GetState(), bsDown);
  SimulateMouseUp(B);
  EXPECT_EQ(Clicks[B], 1);
  EXPECT_EQ(B->GetState(), bsUp);
  SimulateMouseDown(B);
  SimulateMouseUp(B, mbLeft, 500, 500);  // released outside: no click
  EXPECT_EQ(Clicks[B], 1);
}

TEST_F(SpeedButtonTest, DisabledButtonDoesNotClick) {
  auto* B = Button("B");
  B->SetEnabled(false);
  SimulateClick(B);
  SimulateMouseHold(B, 3);
  EXPECT_EQ(Clicks[B], 0);
}

TEST_F(SpeedButtonTest, AutoRepeatClicksOncePerIntervalHeldAndOnRelease) {
  auto* B = Button("B");
  SimulateMouseHold(B, 3);
  EXPECT_EQ(Clicks[B], 1) << "without AutoRepeat a hold is one click";
  B->SetAutoRepeat(true);
  Clicks[B] = 0;
  SimulateMouseHold(B, 3);
  EXPECT_EQ(Clicks[B], 4);
  Clicks[B] = 0;
  SimulateMouseHold(B, 0);
  EXPECT_EQ(Clicks[B], 1);
}

TEST_F(SpeedButtonTest, GroupButtonsStayDownAndReleaseEachOther) {
  auto* A = Button("A", 1);
  auto* B = Button("B", 1);
  auto* Other = Button("Other", 2);
  SimulateClick(A);
  EXPECT_TRUE(A->GetDown());
  SimulateClick(Other);
  EXPECT_TRUE(A->GetDown()) << "another group leaves it alone";
  SimulateClick(B);
  EXPECT_TRUE(B->GetDown());
  EXPECT_FALSE(A->GetDown());
  SimulateClick(B);  // without AllowAllUp the down button stays down
  EXPECT_TRUE(B->GetDown());
  EXPECT_EQ(Clicks[B], 2);
  B->SetAllowAllUp(true);
  SimulateClick(B);
  EXPECT_FALSE(B->GetDown());
}

TEST_F(SpeedButtonTest, DownNeedsAGroup) {
  auto* B = Button("B");
  B->SetDown(true);
  EXPECT_FALSE(B->GetDown());
  B->SetGroupIndex(3);
  B->SetDown(true);
  EXPECT_TRUE(B->GetDown());
}

TEST_F(SpeedButtonTest, DoubleClickOnlyOnAButtonThatStaysDown) {
  auto* Plain = Button("Plain");
  auto* Grouped = Button("Grouped", 1);
  int Dbl = 0;
  Plain->SetOnDblClick([&](TObject*) { ++Dbl; });
  Grouped->SetOnDblClick([&](TObject*) { ++Dbl; });
  SimulateDblClick(Plain);
  EXPECT_EQ(Clicks[Plain], 2);
  EXPECT_EQ(Dbl, 0);
  SimulateDblClick(Grouped);
  EXPECT_EQ(Dbl, 1);
}

TEST_F(SpeedButtonTest, GlyphStripSetsNumGlyphsAndPaintsItsImage) {
  auto* B = Button("B");
  B->SetBounds(0, 0, 20, 20);
  TBitmap G;
  G.SetSize(16, 8);  // two 8x8 images
  G.GetCanvas()->GetBrush()->SetColor(clWhite);
  G.GetCanvas()->FillRect(Rect(0, 0, 16, 8));
  G.GetCanvas()->SetPixel(3, 3, clRed);   // up image
  G.GetCanvas()->SetPixel(11, 3, clBlue);  // disabled image
  B->SetGlyph(&G);
  EXPECT_EQ(B->GetNumGlyphs(), 2);
  Application()->ProcessMessages();
  auto Pixel = [&](int X, int Y) {
    HDC DC = GetWindowDC(Form->GetHandle());
    COLORREF C = GetPixel(DC, X, Y);
    ReleaseDC(Form->GetHandle(), DC);
    return C;
  };
  // The image is centred: (20 - 8) / 2 = 6, so its pixel 3,3 lands at 9,9.
  EXPECT_EQ(Pixel(9, 9), static_cast<COLORREF>(clRed));
  EXPECT_EQ(Pixel(8, 8), static_cast<COLORREF>(ColorToRGB(clBtnFace))) << "white is the transparent colour";
  B->SetEnabled(false);
  Application()->ProcessMessages();
  EXPECT_EQ(Pixel(9, 9), static_cast<COLORREF>(clBlue));
}

TEST_F(SpeedButtonTest, FlatButtonTracksTheMouse) {
  auto* B = Button("B");
  B->SetFlat(true);
  B->ResetInvalidateCount();
  SimulateMouseEnter(B);
  EXPECT_TRUE(B->MouseInControl());
  SimulateMouseLeave(B);
  EXPECT_FALSE(B->MouseInControl());
  EXPECT_EQ(B->GetInvalidateCount(), 2);
}
