#include "rt/ZYMQIXCurrency.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXNumConv.h"
#include "vcl/SysUtils.h"

namespace zymqix {

namespace {

using detail::TDecimalText;

constexpr uint64_t MaxCurrencyRaw = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
constexpr uint64_t MaxCents = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());

[[noreturn]] void RaiseRange() { throw vcl::EConvertError(rsCurrencyRange); }

// Case-insensitive search, so that "usd" finds "USD".
size_t FindSymbol(const std::string& S, const std::string& Symbol) {
  if (Symbol.empty() || Symbol.size() > S.size()) return std::string::npos;
  std::string US = vcl::AnsiUpperCase(S), USym = vcl::AnsiUpperCase(Symbol);
  return US.find(USym);
}

bool ParseMoney(const std::string& S, TDecimalText& D) {
  std::string T = S;
  std::string Symbol = vcl::Trim(vcl::FormatSettings.CurrencyString);
  size_t P = FindSymbol(T, Symbol);
  if (P != std::string::npos) T.erase(P, Symbol.size());
  std::string C;
  C.reserve(T.size());
  for (char Ch : T)
    if (static_cast<unsigned char>(Ch) > ' ') C += Ch;
  if (C.empty()) return false;
  bool Bracketed = C.size() >= 2 && C.front() == '(' && C.back() == ')';
  if (Bracketed) C = C.substr(1, C.size() - 2);
  char Sign = 0;
  if (!C.empty() && (C.front() == '-' || C.front() == '+')) {
    Sign = C.front();
    C.erase(0, 1);
  } else if (!C.empty() && (C.back() == '-' || C.back() == '+')) {
    Sign = C.back();
    C.pop_back();
  }
  if (Bracketed && Sign) return false;  // "(-1)" says negative twice
  bool Negative = Bracketed || Sign == '-';
  if (!detail::ParseUnsignedDecimal(C, D)) return false;
  D.Negative = Negative && !D.IsZero();
  return true;
}

// Automatic decimals: the locale's count, or more while the value has
// further non-zero digits, never more than MaxDigits.
int AutoDecimals(const TDecimalText& D, int MaxDigits) {
  TDecimalText T = D;
  detail::TrimFraction(T);
  int Need = static_cast<int>(T.Fraction.size());
  int Dec = std::max<int>(vcl::FormatSettings.CurrencyDecimals, Need);
  return MaxDigits >= 0 ? std::min(Dec, std::max<int>(MaxDigits, vcl::FormatSettings.CurrencyDecimals)) : Dec;
}

std::string Layout(bool Negative, const std::string& Num) {
  if (!ZYMUseCurrencySymbol) return Negative ? "-" + Num : Num;
  const std::string& Sym = vcl::FormatSettings.CurrencyString;
  if (!Negative) {
    switch (ZYMCurrencyFormatType) {
      case cfSymNum: return Sym + Num;
      case cfNumSym: return Num + Sym;
      case cfSymSpaceNum: return Sym + " " + Num;
      case cfNumSpaceSym: return Num + " " + Sym;
    }
    return Sym + Num;
  }
  switch (ZYMNegativeFormatType) {
    case nfParenSymNum: return "(" + Sym + Num + ")";
    case nfMinusSymNum: return "-" + Sym + Num;
    case nfSymMinusNum: return Sym + "-" + Num;
    case nfSymNumMinus: return Sym + Num + "-";
    case nfParenNumSym: return "(" + Num + Sym + ")";
    case nfMinusNumSym: return "-" + Num + Sym;
    case nfNumMinusSym: return Num + "-" + Sym;
    case nfNumSymMinus: return Num + Sym + "-";
    case nfMinusNumSpaceSym: return "-" + Num + " " + Sym;
    case nfMinusSymSpaceNum: return "-" + Sym + " " + Num;
    case nfNumSpaceSymMinus: return Num + " " + Sym + "-";
    case nfSymSpaceNumMinus: return Sym + " " + Num + "-";
    case nfSymSpaceMinusNum: return Sym + " -" + Num;
    case nfNumMinusSpaceSym: return Num + "- " + Sym;
    case nfParenSymSpaceNum: return "(" + Sym + " " + Num + ")";
    case nfParenNumSpaceSym: return "(" + Num + " " + Sym + ")";
  }
  return "(" + Sym + Num + ")";
}

// MaxDigits: the decimals the type holds (-1: no limit), for the automatic count.
std::string FormatMoney(TDecimalText D, int Decimals, bool Thousands, int MaxDigits) {
  if (Decimals < 0) Decimals = AutoDecimals(D, MaxDigits);
  detail::RoundDecimal(D, Decimals);
  bool Zero = D.IsZero();
  if (Zero && ZYMBlankWhenZero) return "";
  std::string Num = Thousands ? detail::GroupThousands(D.Whole) : D.Whole;
  if (!D.Fraction.empty()) {
    Num += vcl::FormatSettings.DecimalSeparator;
    Num += D.Fraction;
  }
  return Layout(D.Negative && !Zero, Num);
}

TDecimalText CentsText(TZYMCurrency Value) {
  int64_t V = Value;
  return detail::ToDecimal(static_cast<uint64_t>(V < 0 ? -V : V), V < 0, 2);
}

TDecimalText RawText(vcl::Currency Value) {
  uint64_t M = Value.Raw < 0 ? 0 - static_cast<uint64_t>(Value.Raw) : static_cast<uint64_t>(Value.Raw);
  return detail::ToDecimal(M, Value.Raw < 0, 4);
}

std::string FormatAmount(vcl::Extended Amount, int Decimals, bool Thousands) {
  if (!std::isfinite(Amount)) return Float2EStr(Amount, 0);
  return FormatMoney(detail::ToDecimal(Amount), Decimals, Thousands, -1);
}

}  // namespace

void GetCurrencySettings(std::string& CurrencyStr, TCurrencyFormatType& CurrencyFormat,
                         TNegativeFormatType& NegativeFormat) {
  CurrencyStr = vcl::FormatSettings.CurrencyString;
  vcl::Byte Pos = vcl::FormatSettings.CurrencyFormat, Neg = vcl::FormatSettings.NegCurrFormat;
  CurrencyFormat = static_cast<TCurrencyFormatType>(Pos <= 3 ? Pos : 0);
  NegativeFormat = static_cast<TNegativeFormatType>(Neg <= 15 ? Neg : 0);
}

bool TryStr2Currency(const std::string& S, vcl::Currency& Value) {
  Value = vcl::Currency{};
  TDecimalText D;
  if (!ParseMoney(S, D)) return false;
  int64_t Raw;
  if (!detail::ScaledInteger(D, 4, MaxCurrencyRaw, Raw)) RaiseRange();
  Value = vcl::Currency::FromRaw(Raw);
  return true;
}

vcl::Currency Str2Currency(const std::string& S) {
  vcl::Currency V;
  TryStr2Currency(S, V);
  return V;
}

bool TryStr2ZYMCurrency(const std::string& S, TZYMCurrency& Value) {
  Value = 0;
  TDecimalText D;
  if (!ParseMoney(S, D)) return false;
  int64_t Cents;
  if (!detail::ScaledInteger(D, 2, MaxCents, Cents)) RaiseRange();
  Value = static_cast<TZYMCurrency>(Cents);
  return true;
}

TZYMCurrency Str2ZYMCurrency(const std::string& S) {
  TZYMCurrency V;
  TryStr2ZYMCurrency(S, V);
  return V;
}

std::string Currency2EStr(TZYMCurrency Value, int Decimals) { return FormatMoney(CentsText(Value), Decimals, false, 2); }
std::string Currency2EStr(vcl::Currency Value, int Decimals) { return FormatMoney(RawText(Value), Decimals, false, 4); }
std::string Currency2EStr(vcl::Extended Amount, int Decimals) { return FormatAmount(Amount, Decimals, false); }

std::string Currency2CEStr(TZYMCurrency Value, int Decimals) { return FormatMoney(CentsText(Value), Decimals, true, 2); }
std::string Currency2CEStr(vcl::Currency Value, int Decimals) { return FormatMoney(RawText(Value), Decimals, true, 4); }
std::string Currency2CEStr(vcl::Extended Amount, int Decimals) { return FormatAmount(Amount, Decimals, true); }

vcl::Extended Currency2Float(TZYMCurrency Value) { return static_cast<vcl::Extended>(Value) / 100; }

vcl::Extended Currency2Float(vcl::Currency Value) {
  return static_cast<vcl::Extended>(Value.Raw) / vcl::Currency::Scale;
}

TZYMCurrency Float2ZYMCurrency(vcl::Extended Amount) {
  if (!std::isfinite(Amount)) RaiseRange();
  int64_t Cents;
  if (!detail::ScaledInteger(detail::ToDecimal(Amount), 2, MaxCents, Cents)) RaiseRange();
  return static_cast<TZYMCurrency>(Cents);
}

vcl::Currency Float2Currency(vcl::Extended Amount) {
  if (!std::isfinite(Amount)) RaiseRange();
  int64_t Raw;
  if (!detail::ScaledInteger(detail::ToDecimal(Amount), 4, MaxCurrencyRaw, Raw)) RaiseRange();
  return vcl::Currency::FromRaw(Raw);
}

}  // namespace zymqix
