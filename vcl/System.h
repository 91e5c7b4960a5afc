// Basic types of the component framework: integer widths, dates, colours,
// currency, character sets and small enumeration sets.
#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace vcl {

using Byte = uint8_t;
using ShortInt = int8_t;
using Word = uint16_t;
using SmallInt = int16_t;
using Integer = int32_t;
using Cardinal = uint32_t;
using LongWord = uint32_t;
using Int64 = int64_t;
using Extended = long double;
using TDateTime = double;  ///< days since 1899-12-30; the fraction is the time of day
using TColor = int32_t;

/// Fixed-point money: a 64-bit count of ten-thousandths.
struct Currency {
  int64_t Raw = 0;

  static constexpr int64_t Scale = 10000;
  static constexpr Currency FromRaw(int64_t R) { return Currency{R}; }
  /// Whole units; no rounding is involved.
  static constexpr Currency FromInt(int64_t Units) { return Currency{Units * Scale}; }
  /// Rounds half away from zero to the nearest ten-thousandth; throws EConvertError out of range.
  static Currency FromExtended(long double V);
  long double ToExtended() const { return static_cast<long double>(Raw) / Scale; }
  double ToDouble() const { return static_cast<double>(ToExtended()); }

  friend constexpr bool operator==(Currency A, Currency B) { return A.Raw == B.Raw; }
  friend constexpr auto operator<=>(Currency A, Currency B) { return A.Raw <=> B.Raw; }
  friend constexpr Currency operator+(Currency A, Currency B) { return Currency{A.Raw + B.Raw}; }
  friend constexpr Currency operator-(Currency A, Currency B) { return Currency{A.Raw - B.Raw}; }
  constexpr Currency operator-() const { return Currency{-Raw}; }
};

/// A set of 8-bit characters (the framework's `set of AnsiChar`).
class TCharSet {
public:
  TCharSet() = default;
  TCharSet(std::initializer_list<char> Chars) {
    for (char C : Chars) Include(C);
  }
  static TCharSet Range(unsigned char Lo, unsigned char Hi) {
    TCharSet S;
    for (unsigned C = Lo; C <= Hi; ++C) S.Bits.set(C);
    return S;
  }
  bool Contains(char C) const { return Bits.test(static_cast<unsigned char>(C)); }
  TCharSet& Include(char C) { Bits.set(static_cast<unsigned char>(C)); return *this; }
  TCharSet& Exclude(char C) { Bits.reset(static_cast<unsigned char>(C)); return *this; }
  TCharSet& Include(const std::string& Chars) { for (char C : Chars) Include(C); return *this; }
  bool Empty() const { return Bits.none(); }
  size_t Count() const { return Bits.count(); }
  TCharSet operator+(const TCharSet& O) const { TCharSet S; S.Bits = Bits | O.Bits; return S; }
  TCharSet operator-(const TCharSet& O) const { TCharSet S; S.Bits = Bits & ~O.Bits; return S; }
  TCharSet operator*(const TCharSet& O) const { TCharSet S; S.Bits = Bits & O.Bits; return S; }
  friend bool operator==(const TCharSet&, const TCharSet&) = default;

private:
  std::bitset<256> Bits;
};

/// A set of up to 64 values of an enumeration (the framework's `set of TEnum`).
template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> Items) {
    for (E I : Items) Mask |= Bit(I);
  }
  static constexpr TSet FromMask(uint64_t M) { TSet S; S.Mask = M; return S; }
  constexpr bool Contains(E I) const { return (Mask & Bit(I)) != 0; }
  constexpr TSet& Include(E I) { Mask |= Bit(I); return *this; }
  constexpr TSet& Exclude(E I) { Mask &= ~Bit(I); return *this; }
  constexpr bool Empty() const { return Mask == 0; }
  constexpr uint64_t ToMask() const { return Mask; }
  constexpr TSet operator+(TSet O) const { return FromMask(Mask | O.Mask); }
  constexpr TSet operator-(TSet O) const { return FromMask(Mask & ~O.Mask); }
  constexpr TSet operator*(TSet O) const { return FromMask(Mask & O.Mask); }
  friend constexpr bool operator==(TSet A, TSet B) { return A.Mask == B.Mask; }

private:
  static constexpr uint64_t Bit(E I) { return uint64_t{1} << static_cast<unsigned>(I); }
  uint64_t Mask = 0;
};

}  // namespace vcl
