// The data-aware number edits: integer, positive, float, percent, scientific,
// IP-address and hexadecimal.
//
// Each keeps its value in a field of its own and follows the text on every
// change (Convert2Value); DisplayText rebuilds the text from the value in the
// edit's format. The integer, float and percent edits share the
// TZYMDbBaseNumericEdit family: two value slots (a 64-bit integer and an 80-bit
// float), the display options, and the keys "+", "-" and the decimal separator,
// which act on the whole value wherever the caret stands (the selection is
// deleted, the rest converted, the sign changed and the text rebuilt).
//
// Every value setter follows one rule (TZYMValueRule): the same value on a
// control that is not null does nothing; otherwise, unless the control is
// read-only, the link is asked for edit state, the value is stored, the link is
// marked modified, null is cleared and the text rebuilt. Showing a value again
// (the field re-read, a display option changed) is no edit: it asks the link
// for nothing.
//
// Integer edits read and write their field as a 64-bit integer, so a value the
// field cannot hold raises the field's range error on commit instead of being
// cut to 32 bits.
#pragma once

#include <string>

#include "db_rt/ZYMQIXDbEdit.h"
#include "vcl/System.h"

namespace zymqix {

namespace detail {

/// The common rule of the value setters, written once for every edit of this
/// unit (each befriends it so that it reaches the link and DisplayText).
struct TZYMValueRule {
  /// Stores Value into Stored under the rule; with Redisplay False the text is
  /// not rebuilt (the quiet path of the parsers). Answers whether it stored.
  template <class TEdit, class V>
  static bool Set(TEdit& Edit, V& Stored, const V& Value, bool Redisplay = true);
  /// Shows the value again after a display option changed: a new look of the
  /// same value, which asks the link for nothing.
  template <class TEdit>
  static void Refresh(TEdit& Edit);
};

}  // namespace detail

// ================================================================ numeric family

/// Base of the integer, float and percent edits; not on the palette.
class TZYMDbBaseNumericEdit : public TZYMDbBaseEdit {
public:
  VCL_CLASS(TZYMDbBaseNumericEdit)
  static constexpr bool DefaultBlankWhenZero = false;
  static constexpr bool DefaultShowPosSign = false;
  static constexpr bool DefaultShowThousandSeparators = false;
  static constexpr bool DefaultUseSignToggling = true;
  static constexpr bool DefaultZeroPad = false;
  static constexpr vcl::Byte DefaultDecimalPlaces = 4;

  explicit TZYMDbBaseNumericEdit(vcl::TComponent* AOwner);

  // ---- values ----
  /// The low 32 bits of the integer value; writing sign-extends.
  vcl::Integer GetIntValue() const { return static_cast<vcl::Integer>(FIntValue); }
  void SetIntValue(vcl::Integer Value);
  /// The low 32 bits, unsigned; writing zero-extends.
  vcl::LongWord GetLWordValue() const { return static_cast<vcl::LongWord>(FIntValue); }
  void SetLWordValue(vcl::LongWord Value);
  vcl::Int64 GetInt64Value() const { return FIntValue; }
  void SetInt64Value(vcl::Int64 Value);
  /// The float value in field units (the percent edit converts).
  virtual vcl::Extended GetFloatValue();
  virtual void SetFloatValue(vcl::Extended Value);

  // ---- display options: a changed value is stored and shown ----
  bool GetBlankWhenZero() const { return FBlankWhenZero; }
  void SetBlankWhenZero(bool Value);
  /// Positive values show a leading "+".
  bool GetShowPosSign() const { return FShowPosSign; }
  void SetShowPosSign(bool Value);
  bool GetShowThousandSeparators() const { return FShowThousandSeparators; }
  void SetShowThousandSeparators(bool Value);
  /// "+" flips ShowPosSign and "-" flips the sign (True), or "+" makes the value
  /// positive and "-" negative (False). Only stored.
  bool GetUseSignToggling() const { return FUseSignToggling; }
  void SetUseSignToggling(bool Value) { FUseSignToggling = Value; }
  /// Pads with leading zeros up to MaxLength characters (the sign stays in front).
  bool GetZeroPad() const { return FZeroPad; }
  void SetZeroPad(bool Value);
  /// Digits after the decimal separator (float and percent edits).
  vcl::Byte GetDecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(vcl::Byte Value);

protected:
  friend struct detail::TZYMValueRule;

  /// The value as text in the edit's format, without zero padding; runs with
  /// ZYMBlankWhenZero and ZYMNumPosSign set to the control's options.
  virtual std::string FormatValue() const = 0;
  /// Whether the value shows in the negative font colour.
  virtual bool ValueIsNegative() const = 0;
  /// The whole text the value shows as (format, zero padding), as DisplayText builds it.
  std::string ShownText() const;

  /// Null: the null text. Otherwise the formatted, padded value through StrValue,
  /// with the base package's zero and sign globals held at the control's
  /// options, then the font colour of the value's sign.
  void DisplayText() override;
  /// The keypad decimal key, the sign keys and the single decimal separator, then the core's keys.
  void KeyPress(char& Key) override;

  /// The values the "+" key makes (absolute) and the "-" key makes (toggled or negative).
  void MakeValuesPositive();
  void NegateValues(bool Toggle);

  bool FBlankWhenZero = DefaultBlankWhenZero;
  vcl::Extended FFloatValue = 0;
  vcl::Int64 FIntValue = 0;
  bool FShowPosSign = DefaultShowPosSign;
  bool FShowThousandSeparators = DefaultShowThousandSeparators;
  bool FUseSignToggling = DefaultUseSignToggling;
  bool FZeroPad = DefaultZeroPad;
  vcl::Byte FDecimalPlaces = DefaultDecimalPlaces;

private:
  /// "+", "-" and the decimal separator, when accepted.
  void ValueKeyPress(char& Key);
};

/// Non-negative integer entry ("-" is refused; a negative value read from the
/// field shows and "+" turns it positive).
class TZYMDbPosEdit : public TZYMDbBaseNumericEdit {
public:
  VCL_CLASS(TZYMDbPosEdit)
  static constexpr vcl::Integer DefaultBoundLower = 0;
  static constexpr vcl::Integer DefaultBoundUpper = 0;

  explicit TZYMDbPosEdit(vcl::TComponent* AOwner);

  /// Bounds checked on leaving under BoundsEnabled, both inclusive.
  vcl::Integer GetBoundLower() const { return FBoundLower; }
  void SetBoundLower(vcl::Integer Value) { FBoundLower = Value; }
  vcl::Integer GetBoundUpper() const { return FBoundUpper; }
  void SetBoundUpper(vcl::Integer Value) { FBoundUpper = Value; }

  void SetDataField(const std::string& Value) override;

protected:
  std::string FormatValue() const override;
  bool ValueIsNegative() const override { return FIntValue < 0; }
  void Convert2Value() override;
  void DataChange() override;
  void UpdateData() override;
  void ActiveChange() override;
  void DoBoundsValidation() override;

  vcl::Integer FBoundLower = DefaultBoundLower;
  vcl::Integer FBoundUpper = DefaultBoundUpper;
};

/// Signed integer entry.
class TZYMDbIntEdit : public TZYMDbPosEdit {
public:
  VCL_CLASS(TZYMDbIntEdit)
  explicit TZYMDbIntEdit(vcl::TComponent* AOwner);
};

/// Non-negative float entry with a scaled display: the value is in field units,
/// the text shows it divided by Scale.
class TZYMDbPosFloatEdit : public TZYMDbBaseNumericEdit {
public:
  VCL_CLASS(TZYMDbPosFloatEdit)
  static constexpr bool DefaultFullAccuracy = false;
  static constexpr bool DefaultTrimTrailingZeroes = false;
  static constexpr vcl::Extended InitialScale = 1.0L;

  explicit TZYMDbPosFloatEdit(vcl::TComponent* AOwner);

  /// Bounds in field units (not divided by Scale), both inclusive.
  vcl::Extended GetBoundLower() const { return FBoundLower; }
  void SetBoundLower(vcl::Extended Value) { FBoundLower = Value; }
  vcl::Extended GetBoundUpper() const { return FBoundUpper; }
  void SetBoundUpper(vcl::Extended Value) { FBoundUpper = Value; }
  /// True: the text is parsed only when it differs from what the value shows,
  /// so a value read from the field keeps its digits until the user changes the
  /// text. Switching it off takes the value from the text.
  bool GetFullAccuracy() const { return FFullAccuracy; }
  void SetFullAccuracy(bool Value);
  /// Divisor of the shown value; always positive (a zero scale becomes 1).
  vcl::Extended GetScale() const { return FScale; }
  void SetScale(vcl::Extended Value);
  bool GetTrimTrailingZeroes() const { return FTrimTrailingZeroes; }
  void SetTrimTrailingZeroes(bool Value);
  /// The value as shown: value / Scale.
  vcl::Extended GetScaledFloat() const;
  void SetScaledFloat(vcl::Extended Value);

  void SetDataField(const std::string& Value) override;

protected:
  std::string FormatValue() const override;
  bool ValueIsNegative() const override { return FFloatValue < 0; }
  void Convert2Value() override;
  void DataChange() override;
  void UpdateData() override;
  void ActiveChange() override;
  void DoBoundsValidation() override;

  vcl::Extended FBoundLower = 0;
  vcl::Extended FBoundUpper = 0;
  bool FFullAccuracy = DefaultFullAccuracy;
  vcl::Extended FScale = InitialScale;
  bool FTrimTrailingZeroes = DefaultTrimTrailingZeroes;
};

/// Signed float entry.
class TZYMDbFloatEdit : public TZYMDbPosFloatEdit {
public:
  VCL_CLASS(TZYMDbFloatEdit)
  explicit TZYMDbFloatEdit(vcl::TComponent* AOwner);
};

/// Percentage entry. With Scaled the field holds a fraction and the edit shows
/// percent (0.155 shows as 15.5); the value and the bounds are in percent units.
class TZYMDbPercentEdit : public TZYMDbBaseNumericEdit {
public:
  VCL_CLASS(TZYMDbPercentEdit)
  static constexpr vcl::Byte DefaultPercentDecimalPlaces = 2;
  static constexpr bool DefaultFullAccuracy = false;
  static constexpr bool DefaultScaled = true;
  static constexpr bool DefaultShowPercent = false;
  static constexpr bool DefaultTrimTrailingZeroes = false;

  explicit TZYMDbPercentEdit(vcl::TComponent* AOwner);

  vcl::Extended GetBoundLower() const { return FBoundLower; }
  void SetBoundLower(vcl::Extended Value) { FBoundLower = Value; }
  vcl::Extended GetBoundUpper() const { return FBoundUpper; }
  void SetBoundUpper(vcl::Extended Value) { FBoundUpper = Value; }
  /// As the float edit's: the text is parsed only when it differs from what the value shows.
  bool GetFullAccuracy() const { return FFullAccuracy; }
  void SetFullAccuracy(bool Value);
  /// Switching keeps the field value the edit stands for (the value is
  /// multiplied or divided by 100).
  bool GetScaled() const { return FScaled; }
  void SetScaled(bool Value);
  /// Appends "%" to the text.
  bool GetShowPercent() const { return FShowPercent; }
  void SetShowPercent(bool Value);
  bool GetTrimTrailingZeroes() const { return FTrimTrailingZeroes; }
  void SetTrimTrailingZeroes(bool Value);
  /// The value in percent units (after converting the text).
  vcl::Extended GetPercentValue();
  void SetPercentValue(vcl::Extended Value);

  /// The value in field units: a fraction when Scaled.
  vcl::Extended GetFloatValue() override;
  void SetFloatValue(vcl::Extended Value) override;

  void SetDataField(const std::string& Value) override;

protected:
  std::string FormatValue() const override;
  bool ValueIsNegative() const override { return FFloatValue < 0; }
  void Convert2Value() override;
  void DataChange() override;
  void UpdateData() override;
  void ActiveChange() override;
  void DoBoundsValidation() override;

  vcl::Extended FBoundLower = 0;
  vcl::Extended FBoundUpper = 0;
  bool FFullAccuracy = DefaultFullAccuracy;
  bool FScaled = DefaultScaled;
  bool FShowPercent = DefaultShowPercent;
  bool FTrimTrailingZeroes = DefaultTrimTrailingZeroes;
};

// ================================================================ other number edits

/// Float entry in scientific notation ("1.2346E+03"), with a scaled display as
/// the float edit's. "+" and "-" are typed like digits.
class TZYMDbSciFloatEdit : public TZYMDbBaseEdit {
public:
  VCL_CLASS(TZYMDbSciFloatEdit)
  static constexpr bool DefaultBlankWhenZero = false;
  static constexpr vcl::Byte DefaultDecimalPlaces = 4;
  static constexpr bool DefaultFullAccuracy = false;
  static constexpr bool DefaultTrimTrailingZeroes = false;
  static constexpr vcl::Extended InitialScale = 1.0L;

  explicit TZYMDbSciFloatEdit(vcl::TComponent* AOwner);

  bool GetBlankWhenZero() const { return FBlankWhenZero; }
  void SetBlankWhenZero(bool Value);
  vcl::Extended GetBoundLower() const { return FBoundLower; }
  void SetBoundLower(vcl::Extended Value) { FBoundLower = Value; }
  vcl::Extended GetBoundUpper() const { return FBoundUpper; }
  void SetBoundUpper(vcl::Extended Value) { FBoundUpper = Value; }
  /// Digits of the mantissa after the decimal separator.
  vcl::Byte GetDecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(vcl::Byte Value);
  bool GetFullAccuracy() const { return FFullAccuracy; }
  void SetFullAccuracy(bool Value);
  vcl::Extended GetScale() const { return FScale; }
  void SetScale(vcl::Extended Value);
  bool GetTrimTrailingZeroes() const { return FTrimTrailingZeroes; }
  void SetTrimTrailingZeroes(bool Value);

  /// The value in field units.
  vcl::Extended GetFloatValue() const { return FValue; }
  void SetFloatValue(vcl::Extended Value);
  vcl::Extended GetScaledFloat() const;
  void SetScaledFloat(vcl::Extended Value);

  void SetDataField(const std::string& Value) override;

protected:
  friend struct detail::TZYMValueRule;

  std::string ShownText() const;
  void DisplayText() override;
  void Convert2Value() override;
  void DataChange() override;
  void UpdateData() override;
  void ActiveChange() override;
  void DoBoundsValidation() override;

  bool FBlankWhenZero = DefaultBlankWhenZero;
  vcl::Extended FBoundLower = 0;
  vcl::Extended FBoundUpper = 0;
  vcl::Byte FDecimalPlaces = DefaultDecimalPlaces;
  vcl::Extended FValue = 0;
  bool FFullAccuracy = DefaultFullAccuracy;
  vcl::Extended FScale = InitialScale;
  bool FTrimTrailingZeroes = DefaultTrimTrailingZeroes;
};

/// An IPv4 address held as an unsigned 32-bit value ("192.168.0.1"). A
/// malformed address is refused only on leaving the control; while typing it
/// stands for 0.
class TZYMDbIPEdit : public TZYMDbBaseEdit {
public:
  VCL_CLASS(TZYMDbIPEdit)
  static constexpr bool DefaultBlankWhenZero = false;
  static constexpr vcl::LongWord InitialBoundLower = 0;
  static constexpr vcl::LongWord InitialBoundUpper = 0xFFFFFFFFu;

  explicit TZYMDbIPEdit(vcl::TComponent* AOwner);

  bool GetBlankWhenZero() const { return FBlankWhenZero; }
  void SetBlankWhenZero(bool Value);
  /// Bounds as dotted addresses, compared unsigned.
  std::string GetBoundLower() const;
  void SetBoundLower(const std::string& Value);
  std::string GetBoundUpper() const;
  void SetBoundUpper(const std::string& Value);
  /// The address (after converting the text).
  vcl::LongWord GetAsLongWord() const;
  void SetAsLongWord(vcl::LongWord Value);

  void SetDataField(const std::string& Value) override;

protected:
  friend struct detail::TZYMValueRule;

  void DisplayText() override;
  /// Raises on a malformed address only while leaving the control (the focus comes back first).
  void Convert2Value() override;
  void DataChange() override;
  void UpdateData() override;
  void ActiveChange() override;
  void DoBoundsValidation() override;

  vcl::LongWord FBoundLower = InitialBoundLower;
  vcl::LongWord FBoundUpper = InitialBoundUpper;
  vcl::LongWord FValue = 0;
  bool FBlankWhenZero = DefaultBlankWhenZero;
};

/// An unsigned 32-bit value in hexadecimal, by default eight digits with
/// leading zeros.
class TZYMDbHexEdit : public TZYMDbBaseEdit {
public:
  VCL_CLASS(TZYMDbHexEdit)
  static constexpr bool DefaultBlankWhenZero = false;
  static constexpr bool DefaultZeroPad = true;
  static constexpr vcl::LongWord DefaultAsLongWord = 0;
  static constexpr int DefaultMaxLength = 8;
  static constexpr vcl::LongWord InitialBoundLower = 0;
  static constexpr vcl::LongWord InitialBoundUpper = 0xFFFFFFFFu;

  explicit TZYMDbHexEdit(vcl::TComponent* AOwner);

  bool GetBlankWhenZero() const { return FBlankWhenZero; }
  void SetBlankWhenZero(bool Value);
  /// Shows MaxLength digits with leading zeros (when MaxLength > 0).
  bool GetZeroPad() const { return FZeroPad; }
  void SetZeroPad(bool Value);
  /// Bounds as eight hexadecimal digits, compared unsigned.
  std::string GetBoundLower() const;
  void SetBoundLower(const std::string& Value);
  std::string GetBoundUpper() const;
  void SetBoundUpper(const std::string& Value);
  /// The value (after converting the text).
  vcl::LongWord GetAsLongWord() const;
  void SetAsLongWord(vcl::LongWord Value);

  void SetDataField(const std::string& Value) override;

protected:
  friend struct detail::TZYMValueRule;

  void DisplayText() override;
  void Convert2Value() override;
  void DataChange() override;
  void UpdateData() override;
  void ActiveChange() override;
  void DoBoundsValidation() override;

  vcl::LongWord FBoundLower = InitialBoundLower;
  vcl::LongWord FBoundUpper = InitialBoundUpper;
  vcl::LongWord FValue = 0;
  bool FBlankWhenZero = DefaultBlankWhenZero;
  bool FZeroPad = DefaultZeroPad;
};

// ---------------------------------------------------------------- the value rule

template <class TEdit, class V>
bool detail::TZYMValueRule::Set(TEdit& Edit, V& Stored, const V& Value, bool Redisplay) {
  if (Value == Stored && !Edit.FIsNull) return false;
  // Edit state comes before the value: entering it re-reads the record, which
  // would otherwise overwrite the value just stored. While the control only
  // re-shows a value nothing is asked for.
  const bool Edits = !Edit.GetReadOnly() && !Edit.FRefreshing;
  if (Edits) Edit.FDataLink->Edit();
  Stored = Value;
  if (Edits) Edit.FDataLink->Modified();
  Edit.SetNull(false);
  if (Redisplay) Edit.DisplayText();
  return true;
}

template <class TEdit>
void detail::TZYMValueRule::Refresh(TEdit& Edit) {
  TZYMSettingGuard Refreshing(Edit.FRefreshing, true);
  Edit.DisplayText();
}

}  // namespace zymqix
