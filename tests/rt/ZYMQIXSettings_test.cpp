#include "rt/ZYMQIXSettings.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "vcl/Colors.h"
#include "vcl/SysUtils.h"

using namespace zymqix;

namespace {

struct SettingsTest : ::testing::Test {
  void SetUp() override { ResetZYMSettings(); }
  void TearDown() override {
    vcl::ResetFormatSettings();
    ResetZYMSettings();
  }
};

TEST_F(SettingsTest, DefaultsAreTheDocumentedOnes) {
  EXPECT_EQ(ZYMNullStr, "(null)");
  EXPECT_FALSE(ZYMEnterAsTab);
  EXPECT_FALSE(ZYMESCAsUndo);
  EXPECT_FALSE(ZYMArrowsAsTab);
  EXPECT_FALSE(ZYMNoTabStopOnReadOnly);
  EXPECT_FALSE(ZYMBlankWhenZero);
  EXPECT_FALSE(ZYMNumPosSign);
  EXPECT_FALSE(ZYMRaiseDateError);
  EXPECT_FALSE(ZYMRaiseIPError);
  EXPECT_EQ(ZYM2DigitYr, dyCutOff);
  EXPECT_EQ(ZYM2DigitCutOff, 1950);
  EXPECT_TRUE(ZYMUseCurrencySymbol);
  EXPECT_EQ(ZYMCurrencyFormatType, cfSymNum);
  EXPECT_EQ(ZYMNegativeFormatType, nfParenSymNum);
  EXPECT_EQ(ZYMROColor, 0x00CCBDB5);
  EXPECT_EQ(ZYMRWColor, vcl::clWindow);
  EXPECT_EQ(ZYMFocusColor, vcl::clWindow);
  EXPECT_EQ(ZYMBorderFocusColor, vcl::clWindowFrame);
  EXPECT_EQ(ZYMBorderNonFocusColor, vcl::clWindow);
  EXPECT_EQ(ZYMDisabledColor, vcl::clBtnFace);
  EXPECT_EQ(ZYMPosFontColor, vcl::clWindowText);
  EXPECT_EQ(ZYMNegFontColor, vcl::clWindowText);
  EXPECT_EQ(ZYMCBHighColor, vcl::clRed);
  EXPECT_EQ(ZYMCBHighFontColor, vcl::clHighlightText);
  EXPECT_EQ(ZYMCBListColor, vcl::clAqua);
  EXPECT_EQ(ZYMCBListFontColor, vcl::clWindowText);
}

TEST_F(SettingsTest, ResetTakesTheCurrencyLayoutsFromTheLocale) {
  vcl::FormatSettings.CurrencyFormat = 3;
  vcl::FormatSettings.NegCurrFormat = 8;
  ZYMBlankWhenZero = true;
  ResetZYMSettings();
  EXPECT_EQ(ZYMCurrencyFormatType, cfNumSpaceSym);
  EXPECT_EQ(ZYMNegativeFormatType, nfMinusNumSpaceSym);
  EXPECT_FALSE(ZYMBlankWhenZero);
}

TEST_F(SettingsTest, GuardSetsForTheScopeAndRestoresAfterwards) {
  {
    TZYMSettingGuard G(ZYMBlankWhenZero, true);
    EXPECT_TRUE(ZYMBlankWhenZero);
    EXPECT_FALSE(G.Saved());
  }
  EXPECT_FALSE(ZYMBlankWhenZero);
}

TEST_F(SettingsTest, GuardRestoresWhenTheGuardedCodeThrows) {
  ZYMNullStr = "<none>";
  ZYMNegativeFormatType = nfMinusSymNum;
  auto Guarded = [] {
    TZYMSettingGuard A(ZYMNullStr, std::string("x"));
    TZYMSettingGuard B(ZYMNegativeFormatType, nfParenNumSpaceSym);
    TZYMSettingGuard C(vcl::FormatSettings.CurrencyString, "EUR");
    EXPECT_EQ(ZYMNullStr, "x");
    throw vcl::EConvertError("boom");
  };
  EXPECT_THROW(Guarded(), vcl::EConvertError);
  EXPECT_EQ(ZYMNullStr, "<none>");
  EXPECT_EQ(ZYMNegativeFormatType, nfMinusSymNum);
  EXPECT_EQ(vcl::FormatSettings.CurrencyString, "$");
}

TEST_F(SettingsTest, NestedGuardsOnOneSettingUnwindInOrder) {
  ZYM2DigitCutOff = 1930;
  {
    TZYMSettingGuard Outer(ZYM2DigitCutOff, vcl::Word{1960});
    {
      TZYMSettingGuard Inner(ZYM2DigitCutOff, vcl::Word{1990});
      EXPECT_EQ(ZYM2DigitCutOff, 1990);
    }
    EXPECT_EQ(ZYM2DigitCutOff, 1960);
  }
  EXPECT_EQ(ZYM2DigitCutOff, 1930);
}

TEST_F(SettingsTest, SaveOnlyGuardRestoresAChangeMadeLater) {
  {
    TZYMSettingGuard G(ZYMArrowsAsTab);
    ZYMArrowsAsTab = true;
  }
  EXPECT_FALSE(ZYMArrowsAsTab);
}

TEST(SettingsEnums, NamesFollowTheOrdinals) {
  EXPECT_EQ(vcl::TEnumInfo<TNegativeFormatType>::Names().size(), 16u);
  EXPECT_EQ(vcl::TEnumInfo<TNegativeFormatType>::Names()[15], "nfParenNumSpaceSym");
  EXPECT_EQ(static_cast<int>(nfParenNumSpaceSym), 15);
  EXPECT_EQ(vcl::TEnumInfo<TCurrencyFormatType>::Names().size(), 4u);
  EXPECT_EQ(static_cast<int>(cftCustom), 2);
  EXPECT_EQ(static_cast<int>(dyNotFuture), 2);
}

}  // namespace
