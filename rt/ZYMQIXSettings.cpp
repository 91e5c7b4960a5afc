#include "rt/ZYMQIXSettings.h"

#include "vcl/Colors.h"
#include "vcl/SysUtils.h"

namespace zymqix {

std::string ZYMNullStr = defaults::NullStr;
bool ZYMEnterAsTab = false;
bool ZYMESCAsUndo = false;
bool ZYMArrowsAsTab = false;
bool ZYMNoTabStopOnReadOnly = false;

bool ZYMBlankWhenZero = false;
bool ZYMNumPosSign = false;
bool ZYMRaiseDateError = false;
bool ZYMRaiseIPError = false;
TZYM2DigitYr ZYM2DigitYr = defaults::TwoDigitYr;
vcl::Word ZYM2DigitCutOff = defaults::TwoDigitCutOff;

bool ZYMUseCurrencySymbol = true;
// The locale's defaults are fixed English ones ("$1" and "($1)"), layout 0 of each.
TCurrencyFormatType ZYMCurrencyFormatType = cfSymNum;
TNegativeFormatType ZYMNegativeFormatType = nfParenSymNum;

vcl::TColor ZYMROColor = defaults::ROColor;
vcl::TColor ZYMRWColor = vcl::clWindow;
vcl::TColor ZYMFocusColor = vcl::clWindow;
vcl::TColor ZYMBorderFocusColor = vcl::clWindowFrame;
vcl::TColor ZYMBorderNonFocusColor = vcl::clWindow;
vcl::TColor ZYMDisabledColor = vcl::clBtnFace;
vcl::TColor ZYMPosFontColor = vcl::clWindowText;
vcl::TColor ZYMNegFontColor = vcl::clWindowText;
vcl::TColor ZYMCBHighColor = vcl::clRed;
vcl::TColor ZYMCBHighFontColor = vcl::clHighlightText;
vcl::TColor ZYMCBListColor = vcl::clAqua;
vcl::TColor ZYMCBListFontColor = vcl::clWindowText;

void ResetZYMSettings() {
  ZYMNullStr = defaults::NullStr;
  ZYMEnterAsTab = false;
  ZYMESCAsUndo = false;
  ZYMArrowsAsTab = false;
  ZYMNoTabStopOnReadOnly = false;
  ZYMBlankWhenZero = false;
  ZYMNumPosSign = false;
  ZYMRaiseDateError = false;
  ZYMRaiseIPError = false;
  ZYM2DigitYr = defaults::TwoDigitYr;
  ZYM2DigitCutOff = defaults::TwoDigitCutOff;
  ZYMUseCurrencySymbol = true;
  ZYMCurrencyFormatType = static_cast<TCurrencyFormatType>(vcl::FormatSettings.CurrencyFormat > 3 ? 0 : vcl::FormatSettings.CurrencyFormat);
  ZYMNegativeFormatType = static_cast<TNegativeFormatType>(vcl::FormatSettings.NegCurrFormat > 15 ? 0 : vcl::FormatSettings.NegCurrFormat);
  ZYMROColor = defaults::ROColor;
  ZYMRWColor = vcl::clWindow;
  ZYMFocusColor = vcl::clWindow;
  ZYMBorderFocusColor = vcl::clWindowFrame;
  ZYMBorderNonFocusColor = vcl::clWindow;
  ZYMDisabledColor = vcl::clBtnFace;
  ZYMPosFontColor = vcl::clWindowText;
  ZYMNegFontColor = vcl::clWindowText;
  ZYMCBHighColor = vcl::clRed;
  ZYMCBHighFontColor = vcl::clHighlightText;
  ZYMCBListColor = vcl::clAqua;
  ZYMCBListFontColor = vcl::clWindowText;
}

}  // namespace zymqix
