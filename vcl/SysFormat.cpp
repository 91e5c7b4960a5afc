// Text formatting and parsing of floats, currency, dates and times.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "vcl/SysUtils.h"

namespace vcl {

namespace {

/// Decimal digits and exponent of V rounded to Precision significant digits:
/// V = 0.D1D2D3... * 10^Exp. Digits has trailing zeros removed ("" for zero).
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Exp = 0;
};

TDecimal ToDecimal(Extended V, int Precision) {
  TDecimal R;
  R.Negative = std::signbit(V) && V != 0;
  if (V == 0) return R;
  char Buf[128];
  std::snprintf(Buf, sizeof Buf, "%.*Le", Precision - 1, std::fabs(V));
  // Buf = "d.ddddde[+-]xx"
  std::string S = Buf;
  size_t E = S.find('e');
  for (size_t I = 0; I < E; ++I)
    if (S[I] != '.') R.Digits += S[I];
  R.Exp = std::atoi(S.c_str() + E + 1) + 1;
  while (!R.Digits.empty() && R.Digits.back() == '0') R.Digits.pop_back();
  return R;
}

}  // namespace

std::string FloatToStr(Extended Value) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
  const int Precision = 15;
  TDecimal D = ToDecimal(Value, Precision);
  if (D.Digits.empty()) return "0";
  std::string R = D.Negative ? "-" : "";
  if (D.Exp > Precision || D.Exp < -4) {
    // Scientific: d.dddE[-]x
    R += D.Digits[0];
    if (D.Digits.size() > 1) R += FormatSettings.DecimalSeparator + D.Digits.substr(1);
    R += "E" + IntToStr(D.Exp - 1);
    return R;
  }
  if (D.Exp <= 0) {
    R += "0";
    R += FormatSettings.DecimalSeparator;
    R += std::string(static_cast<size_t>(-D.Exp), '0') + D.Digits;
    return R;
  }
  std::string Int = D.Digits.substr(0, std::min<size_t>(D.Digits.size(), static_cast<size_t>(D.Exp)));
  while (static_cast<int>(Int.size()) < D.Exp) Int += '0';
  R += Int;
  if (static_cast<int>(D.Digits.size()) > D.Exp) R += FormatSettings.DecimalSeparator + D.Digits.substr(static_cast<size_t>(D.Exp));
  return R;
}

}  // namespace vcl
