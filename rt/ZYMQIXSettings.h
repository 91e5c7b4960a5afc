// Process-wide settings of the base package, read by the routines and the
// controls at the moment of use, and the guard that changes one of them for
// the length of a scope.
//
// Everything runs on the user-interface thread; nothing here is locked.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "vcl/System.h"
#include "vcl/TypInfo.h"

namespace zymqix {

/// How a year typed with one or two digits is expanded.
enum class TZYM2DigitYr : uint8_t {
  dyAsIs,       ///< years below 100 stay as typed
  dyCutOff,     ///< the year in ZYM2DigitCutOff .. ZYM2DigitCutOff + 99 with those last digits
  dyNotFuture,  ///< the latest year with those digits that is not after the current year
};
using enum TZYM2DigitYr;

/// Which currency symbol and layouts the currency formatters use.
enum class TZYMCurrencyFormatType : uint8_t {
  cftNoSymbol,  ///< plain number, no symbol
  cftSystem,    ///< the locale's symbol and layouts
  cftCustom,    ///< the symbol and layouts the caller put into the globals
};
using enum TZYMCurrencyFormatType;

/// Where the symbol goes in a positive amount ("$" stands for the symbol, 1 for the number).
enum class TCurrencyFormatType : uint8_t {
  cfSymNum,       ///< $1
  cfNumSym,       ///< 1$
  cfSymSpaceNum,  ///< $ 1
  cfNumSpaceSym,  ///< 1 $
};
using enum TCurrencyFormatType;

/// The sixteen layouts of a negative amount, in the framework's numbering.
enum class TNegativeFormatType : uint8_t {
  nfParenSymNum,       ///< 0  ($1)
  nfMinusSymNum,       ///< 1  -$1
  nfSymMinusNum,       ///< 2  $-1
  nfSymNumMinus,       ///< 3  $1-
  nfParenNumSym,       ///< 4  (1$)
  nfMinusNumSym,       ///< 5  -1$
  nfNumMinusSym,       ///< 6  1-$
  nfNumSymMinus,       ///< 7  1$-
  nfMinusNumSpaceSym,  ///< 8  -1 $
  nfMinusSymSpaceNum,  ///< 9  -$ 1
  nfNumSpaceSymMinus,  ///< 10 1 $-
  nfSymSpaceNumMinus,  ///< 11 $ 1-
  nfSymSpaceMinusNum,  ///< 12 $ -1
  nfNumMinusSpaceSym,  ///< 13 1- $
  nfParenSymSpaceNum,  ///< 14 ($ 1)
  nfParenNumSpaceSym,  ///< 15 (1 $)
};
using enum TNegativeFormatType;

// ---- behaviour of the entry controls ----
extern std::string ZYMNullStr;            ///< text a control shows for null; default "(null)"
extern bool ZYMEnterAsTab;                ///< Enter moves to the next control; default False
extern bool ZYMESCAsUndo;                 ///< Escape undoes the last edit instead of re-reading; default False
extern bool ZYMArrowsAsTab;               ///< Up/Down move between controls; default False
extern bool ZYMNoTabStopOnReadOnly;       ///< a read-only control leaves the tab order; default False

// ---- conversions ----
extern bool ZYMBlankWhenZero;             ///< formatters give "" for zero; default False
extern bool ZYMNumPosSign;                ///< formatters put "+" before positive numbers; default False
extern bool ZYMRaiseDateError;            ///< date parsers raise on bad text instead of giving 0; default False
extern bool ZYMRaiseIPError;              ///< IPStr2LWord raises on a malformed address; default False
extern TZYM2DigitYr ZYM2DigitYr;          ///< two-digit year rule; default dyCutOff
extern vcl::Word ZYM2DigitCutOff;         ///< full cut-off year of dyCutOff; default 1950

// ---- currency ----
extern bool ZYMUseCurrencySymbol;                    ///< default True
/// Positive layout; starts as the locale's (vcl::FormatSettings.CurrencyFormat).
extern TCurrencyFormatType ZYMCurrencyFormatType;
/// Negative layout; starts as the locale's (vcl::FormatSettings.NegCurrFormat).
extern TNegativeFormatType ZYMNegativeFormatType;

// ---- colours ----
extern vcl::TColor ZYMROColor;              ///< read-only background; default $00CCBDB5
extern vcl::TColor ZYMRWColor;              ///< writable background; default clWindow
extern vcl::TColor ZYMFocusColor;           ///< background with the focus; default clWindow
extern vcl::TColor ZYMBorderFocusColor;     ///< flat border with the focus; default clWindowFrame
extern vcl::TColor ZYMBorderNonFocusColor;  ///< flat border without the focus; default clWindow
extern vcl::TColor ZYMDisabledColor;        ///< disabled background; default clBtnFace
extern vcl::TColor ZYMPosFontColor;         ///< font of non-negative numbers; default clWindowText
extern vcl::TColor ZYMNegFontColor;         ///< font of negative numbers; default clWindowText
extern vcl::TColor ZYMCBHighColor;          ///< combo box highlighted item; default clRed
extern vcl::TColor ZYMCBHighFontColor;      ///< default clHighlightText
extern vcl::TColor ZYMCBListColor;          ///< combo box list background; default clAqua
extern vcl::TColor ZYMCBListFontColor;      ///< default clWindowText

/// The defaults above, by name, so that tests and hosts can go back to them.
namespace defaults {
inline constexpr const char* NullStr = "(null)";
inline constexpr vcl::Word TwoDigitCutOff = 1950;
inline constexpr TZYM2DigitYr TwoDigitYr = dyCutOff;
inline constexpr vcl::TColor ROColor = 0x00CCBDB5;
}  // namespace defaults

/// Puts every setting above back to its default (for tests and hosts); the two
/// currency layouts are taken from vcl::FormatSettings as it stands.
void ResetZYMSettings();

/// Sets a process-wide variable for the length of a scope and puts the old
/// value back on every path out of it, exceptions included.
///
///   TZYMSettingGuard Blank(ZYMBlankWhenZero, BlankWhenZero);
///
/// Guards nest: restoring runs in reverse order of construction. Works for any
/// copyable variable, including vcl::FormatSettings members.
template <class T>
class [[nodiscard]] TZYMSettingGuard {
public:
  template <class U>
  TZYMSettingGuard(T& Setting, U&& Value) : FSetting(Setting), FSaved(Setting) {
    FSetting = std::forward<U>(Value);
  }
  /// Saves the setting without changing it, for code that changes it later.
  explicit TZYMSettingGuard(T& Setting) : FSetting(Setting), FSaved(Setting) {}
  ~TZYMSettingGuard() { FSetting = std::move(FSaved); }
  TZYMSettingGuard(const TZYMSettingGuard&) = delete;
  TZYMSettingGuard& operator=(const TZYMSettingGuard&) = delete;

  /// The value the setting had when the guard was made.
  const T& Saved() const { return FSaved; }

private:
  T& FSetting;
  T FSaved;
};

template <class T, class U>
TZYMSettingGuard(T&, U&&) -> TZYMSettingGuard<T>;

}  // namespace zymqix

VCL_ENUM_NAMES(zymqix::TZYM2DigitYr, "dyAsIs", "dyCutOff", "dyNotFuture");
VCL_ENUM_NAMES(zymqix::TZYMCurrencyFormatType, "cftNoSymbol", "cftSystem", "cftCustom");
VCL_ENUM_NAMES(zymqix::TCurrencyFormatType, "cfSymNum", "cfNumSym", "cfSymSpaceNum", "cfNumSpaceSym");
VCL_ENUM_NAMES(zymqix::TNegativeFormatType, "nfParenSymNum", "nfMinusSymNum", "nfSymMinusNum", "nfSymNumMinus",
               "nfParenNumSym", "nfMinusNumSym", "nfNumMinusSym", "nfNumSymMinus", "nfMinusNumSpaceSym",
               "nfMinusSymSpaceNum", "nfNumSpaceSymMinus", "nfSymSpaceNumMinus", "nfSymSpaceMinusNum",
               "nfNumMinusSpaceSym", "nfParenSymSpaceNum", "nfParenNumSpaceSym");
