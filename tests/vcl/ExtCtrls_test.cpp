#include "vcl/ExtCtrls.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "vcl/StdCtrls.h"

using namespace vcl;

namespace {

// A panel that lays out one child to fill its client width, the way a composite does.
class TFramePanel : public TCustomPanel {
public:
  explicit TFramePanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    Inner = new TEdit(this);
    Inner->SetParent(this);
  }
  TEdit* Inner = nullptr;
  int Resizes = 0;

protected:
  void Resize() override {
    ++Resizes;
    Inner->SetWidth(GetClientWidth() - 21);
    TCustomPanel::Resize();
  }
};

class PanelTest : public vcltest::TFormFixture {};

}  // namespace

TEST_F(PanelTest, ResizeRunsOnEverySizeChangeAndFiresOnResize) {
  auto* P = Add<TFramePanel>("P");
  int Events = 0;
  P->SetOnResize([&](TObject* S) {
    EXPECT_EQ(S, P);
    ++Events;
  });
  P->Resizes = 0;
  P->SetBounds(0, 0, 200, 21);
  EXPECT_EQ(P->Inner->GetWidth(), 179);
  P->SetLeft(5);  // a move is not a size change
  P->SetWidth(200);
  EXPECT_EQ(P->Resizes, 1);
  EXPECT_EQ(Events, 1);
  P->SetHeight(30);
  EXPECT_EQ(Events, 2);
}

TEST_F(PanelTest, OwnedChildrenGoWithThePanelAndTheFocusLeavesCleanly) {
  auto* P = Add<TFramePanel>("P");
  P->Inner->SetFocus();
  EXPECT_TRUE(P->Inner->Focused());
  delete P;  // ASan reports any use of the freed inner edit
  EXPECT_EQ(Form->GetActiveControl(), nullptr);
}

TEST_F(PanelTest, DefaultsAndCaptionPainting) {
  auto* P = Add<TPanel>("P");
  EXPECT_EQ(P->GetColor(), clBtnFace);
  EXPECT_EQ(P->GetBevelOuter(), bvRaised);
  EXPECT_FALSE(P->GetTabStop());
  P->SetCaption(" ");
  P->SetBevelOuter(bvNone);
  EXPECT_EQ(P->GetCaption(), " ");
  P->SetCaption("Total");
  Application()->ProcessMessages();
  const auto& Log = P->GetCanvas()->TextLog();
  ASSERT_FALSE(Log.empty());
  EXPECT_EQ(Log.back().Text, "Total");
}

TEST_F(PanelTest, RaisedBevelPaintsLightAboveAndShadowBelow) {
  auto* P = Add<TPanel>("P");
  P->SetBounds(0, 0, 40, 20);
  Application()->ProcessMessages();
  HDC DC = GetWindowDC(P->GetHandle());
  EXPECT_EQ(GetPixel(DC, 5, 0), static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
  EXPECT_EQ(GetPixel(DC, 5, 19), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(GetPixel(DC, 5, 5), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
  ReleaseDC(P->GetHandle(), DC);
}
