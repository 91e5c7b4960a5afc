// Numbers to text and text to numbers, as the entry controls need them, plus
// the small string and arithmetic helpers that go with them.
//
// Formatting reads vcl::FormatSettings (separators) and the base package's
// settings at the moment of the call:
//   ZYMBlankWhenZero  a value that shows as zero gives the empty text;
//   ZYMNumPosSign     a value above zero gets a leading "+".
// "Shows as zero" is judged after rounding to the requested decimals, so
// -0.001 with two decimals is "0.00", never "-0.00".
//
// Floats are rounded half away from zero on their decimal value, not on the
// binary approximation: a value that is exactly a double is taken as the
// shortest decimal text that reads back as that double (2.675 rounds to 2.68),
// any other long double as its own shortest decimal text.
//
// Parsing is lenient in the way a data-entry user expects, and every rule is
// documented on the routine: blanks at both ends and thousands separators in
// the whole part are ignored; an empty or unparsable text gives 0. Only a
// number too large for the result type raises (vcl::EConvertError), because
// no value could stand for it. The Try... forms tell unparsable text apart.
#pragma once

#include <cstdint>
#include <string>

#include "vcl/System.h"

namespace zymqix {

// ---- text to numbers ----

/// Float text: [sign] digits [decimal separator digits] [E [sign] digits], with
/// an optional "%" at the end (the percent edit shows one). Also accepted while
/// typing: a trailing decimal separator ("1.") and an unfinished exponent
/// ("1.5E", "1.5E-"), read as if absent. Underflow gives 0; overflow raises.
bool TryStr2Float(const std::string& S, vcl::Extended& Value);
/// As TryStr2Float; unparsable text gives 0.
vcl::Extended Str2Float(const std::string& S);

/// Integer text: [sign] decimal digits; a fraction part makes the text
/// unparsable. Raises EConvertError outside the 64-bit range.
bool TryStr2Int64(const std::string& S, vcl::Int64& Value);
/// As TryStr2Int64; unparsable text gives 0.
vcl::Int64 Str2Int64(const std::string& S);
/// As Str2Int64, limited to 0..65535 (outside it raises EConvertError).
vcl::Word Str2Word(const std::string& S);

/// Dotted IPv4 text "a.b.c.d" (each part 0..255, one to three digits) to its
/// 32-bit value, a being the high byte. Empty text gives 0. Malformed text
/// gives 0, or raises EConvertError when ZYMRaiseIPError is set.
vcl::LongWord IPStr2LWord(const std::string& S);
/// The address in dotted form; "" for 0 under ZYMBlankWhenZero.
std::string LWord2IPStr(vcl::LongWord Value);

/// Hexadecimal text, optionally prefixed "$" or "0x", to its value. Empty or
/// malformed text gives 0; a value above $FFFFFFFF raises EConvertError.
vcl::LongWord Hex2LWord(const std::string& S);
/// Upper-case hexadecimal without leading zeros; "" for 0 under ZYMBlankWhenZero.
std::string Int2EHex(uint64_t Value);
/// Upper-case hexadecimal padded with zeros to Digits (never cut);
/// "" for 0 under ZYMBlankWhenZero.
std::string Int2ZHex(uint64_t Value, int Digits);

// ---- numbers to text ----

/// Decimal integer text.
std::string Int2EStr(vcl::Int64 Value);
/// Decimal integer text with thousands separators.
std::string Int2CEStr(vcl::Int64 Value);

/// Fixed-point text with exactly Decimals digits after the decimal separator
/// (none when Decimals <= 0). Values of 1E18 and more take the SciFloat2EStr
/// form instead, since a fixed form would show more digits than the type holds.
/// Not-a-number gives "NAN", infinities "INF" and "-INF".
std::string Float2EStr(vcl::Extended Value, int Decimals);
/// As Float2EStr, with thousands separators.
std::string Float2CEStr(vcl::Extended Value, int Decimals);
/// As Float2EStr, with trailing zeros after the decimal separator removed
/// (and the separator too when nothing follows it).
std::string Float2EStr2(vcl::Extended Value, int Decimals);
/// As Float2EStr2, with thousands separators.
std::string Float2CEStr2(vcl::Extended Value, int Decimals);
/// Scientific text "d.dddE+xx": one digit, Decimals digits after the
/// separator, "E", the exponent's sign and at least two exponent digits.
std::string SciFloat2EStr(vcl::Extended Value, int Decimals);
/// As SciFloat2EStr, with trailing zeros of the mantissa removed.
std::string SciFloat2EStr2(vcl::Extended Value, int Decimals);

// ---- strings ----

/// The part of S after the 1-based position Pos ("" when Pos >= length; all of S when Pos < 1).
std::string RightAfterStr(const std::string& S, int Pos);
/// S padded on the left with Ch to Len characters; a longer S is returned unchanged.
std::string PadChLeftStr(const std::string& S, char Ch, int Len);
/// The 1-based position of Ch in S at or after StartPos, or 0 when there is none.
int ZYMPosCh(char Ch, const std::string& S, int StartPos = 1);
/// Proper case: the first letter of every word upper case, the other letters
/// lower case (Latin-1). A word starts after anything that is not a letter, a
/// digit or an apostrophe, so "o'neil-smith 3rd" gives "O'neil-Smith 3rd".
std::string ZYMProperStr(const std::string& S);

// ---- arithmetic ----

/// Tolerance of FloatIsZero: the resolution of an 80-bit float times a fuzz factor.
inline constexpr vcl::Extended ZYMFloatEpsilon = 1e-16L;
/// True when |X| <= Epsilon.
bool FloatIsZero(vcl::Extended X, vcl::Extended Epsilon = ZYMFloatEpsilon);
/// True when X is above zero and not FloatIsZero (false for not-a-number).
bool FloatIsPositive(vcl::Extended X);
/// X to the power Y. 0 to a negative power raises EZeroDivide; a negative X
/// with a fractional Y raises EMathError; a finite result too large for the
/// type raises EOverflow.
vcl::Extended XtoY(vcl::Extended X, vcl::Extended Y);
/// Base to an integer power by repeated squaring; 0 to a negative power raises EZeroDivide.
vcl::Extended ZYMIntPower(vcl::Extended Base, int Exponent);
/// -1, 0 or 1 (0 for not-a-number).
int ZYMSign(vcl::Extended X);

namespace detail {

/// A decimal number as text: sign, whole digits (at least one, no leading
/// zeros but a lone "0") and fraction digits.
struct TDecimalText {
  bool Negative = false;
  std::string Whole = "0";
  std::string Fraction;

  bool IsZero() const;
};

/// The exact decimal value of a finite float, as described at the top of this file.
TDecimalText ToDecimal(vcl::Extended X);
/// Magnitude / 10^Scale exactly.
TDecimalText ToDecimal(uint64_t Magnitude, bool Negative, int Scale);
/// Rounds half away from zero to Decimals fraction digits (padding with zeros).
void RoundDecimal(TDecimalText& D, int Decimals);
/// Removes trailing zeros of the fraction.
void TrimFraction(TDecimalText& D);
/// Whole digits with the locale's thousands separator every three digits.
std::string GroupThousands(const std::string& Whole);
/// The value times 10^Scale, rounded half away from zero, when its magnitude
/// is at most Limit; false otherwise.
bool ScaledInteger(TDecimalText D, int Scale, uint64_t Limit, int64_t& Result);
/// Parses [digits with thousands separators][decimal separator digits] into D
/// (sign not included). False when no digit is present or anything else is.
bool ParseUnsignedDecimal(const std::string& S, TDecimalText& D);

}  // namespace detail

}  // namespace zymqix
