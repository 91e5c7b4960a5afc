// Money: the base package's 32-bit count of cents, the framework's 64-bit
// Currency (ten-thousandths), and their text forms.
//
// Formatting reads, at the moment of the call:
//   ZYMUseCurrencySymbol   with it off, a plain number with a leading "-";
//   ZYMCurrencyFormatType  where the symbol goes in a positive amount;
//   ZYMNegativeFormatType  the layout of a negative amount (one of sixteen);
//   vcl::FormatSettings    CurrencyString (the symbol), the separators and
//                          CurrencyDecimals (the automatic decimals, below);
//   ZYMBlankWhenZero       an amount that shows as zero gives "".
// ZYMNumPosSign plays no part: a currency layout has no place for a "+".
//
// Rounding is half away from zero on the decimal value, exactly: integer
// amounts are rounded digit by digit, floats as described in ZYMQIXNumConv.h.
// An amount that rounds to zero shows as zero, never as a negative zero.
#pragma once

#include <string>

#include "rt/ZYMQIXSettings.h"
#include "vcl/System.h"

namespace zymqix {

/// The base package's money type: a signed 32-bit count of cents.
using TZYMCurrency = vcl::Integer;

/// Decimals argument meaning "as the locale shows money": FormatSettings.CurrencyDecimals
/// digits, more when the amount has further non-zero digits (up to what the type holds).
inline constexpr int ZYMAutoDecimals = -1;

/// The locale's currency symbol and its two layouts.
void GetCurrencySettings(std::string& CurrencyStr, TCurrencyFormatType& CurrencyFormat,
                         TNegativeFormatType& NegativeFormat);

/// Money text to a Currency. Accepted, around blanks anywhere: the locale's
/// currency symbol (letters compared without case) before or after the
/// number; a "+" or "-" before or after the number (or between symbol and
/// number); brackets around the whole for a negative amount; digits with
/// thousands separators in the whole part and one decimal separator.
/// Digits past the fourth decimal are rounded half away from zero. Empty or
/// unparsable text gives 0; an amount outside the Currency range raises
/// vcl::EConvertError.
vcl::Currency Str2Currency(const std::string& S);
/// As Str2Currency; false (and 0) for unparsable text.
bool TryStr2Currency(const std::string& S, vcl::Currency& Value);
/// As Str2Currency, rounded to cents, into the 32-bit type (its range raises).
TZYMCurrency Str2ZYMCurrency(const std::string& S);
/// As Str2ZYMCurrency; false (and 0) for unparsable text.
bool TryStr2ZYMCurrency(const std::string& S, TZYMCurrency& Value);

/// A count of cents as money text with Decimals digits after the separator.
std::string Currency2EStr(TZYMCurrency Value, int Decimals = ZYMAutoDecimals);
/// A Currency as money text with Decimals digits after the separator.
std::string Currency2EStr(vcl::Currency Value, int Decimals = ZYMAutoDecimals);
/// An amount (in currency units, not cents) as money text.
std::string Currency2EStr(vcl::Extended Amount, int Decimals = ZYMAutoDecimals);
inline std::string Currency2EStr(double Amount, int Decimals = ZYMAutoDecimals) {
  return Currency2EStr(static_cast<vcl::Extended>(Amount), Decimals);
}

/// As Currency2EStr, with thousands separators.
std::string Currency2CEStr(TZYMCurrency Value, int Decimals = ZYMAutoDecimals);
std::string Currency2CEStr(vcl::Currency Value, int Decimals = ZYMAutoDecimals);
std::string Currency2CEStr(vcl::Extended Amount, int Decimals = ZYMAutoDecimals);
inline std::string Currency2CEStr(double Amount, int Decimals = ZYMAutoDecimals) {
  return Currency2CEStr(static_cast<vcl::Extended>(Amount), Decimals);
}

/// The amount in currency units (cents / 100).
vcl::Extended Currency2Float(TZYMCurrency Value);
/// The amount in currency units (raw / 10000).
vcl::Extended Currency2Float(vcl::Currency Value);
/// An amount rounded to cents; outside the 32-bit range (or not a number) raises vcl::EConvertError.
TZYMCurrency Float2ZYMCurrency(vcl::Extended Amount);
/// An amount rounded to ten-thousandths; outside the Currency range (or not a number) raises vcl::EConvertError.
vcl::Currency Float2Currency(vcl::Extended Amount);

}  // namespace zymqix
