#include "db_rt/ZYMQIXDbNumEdit.h"

#include <cmath>
#include <exception>
#include <limits>

#include "db_rt/ZYMQIX_RS_DB.h"
#include "rt/ZYMQIXNumConv.h"
#include "rt/ZYMQIXSettings.h"
#include "vcl/Host.h"
#include "vcl/SysUtils.h"

namespace zymqix {

using namespace vcl;
using detail::TZYMValueRule;

namespace {

/// A scale as the scaled edits keep it: positive, and 1 for zero or a value
/// that is not a finite number (either would make every shown value 0 or NAN).
Extended NormalizedScale(Extended Value) {
  Value = std::fabs(Value);
  return !std::isfinite(Value) || FloatIsZero(Value) ? 1.0L : Value;
}

/// Value / Scale, 0 for a zero scale.
Extended Unscaled(Extended Value, Extended Scale) { return FloatIsZero(Scale) ? 0 : Value / Scale; }

/// The four fixed-point forms of the float and percent edits.
std::string FixedText(Extended Value, int Decimals, bool Thousands, bool Trim) {
  if (Thousands) return Trim ? Float2CEStr2(Value, Decimals) : Float2CEStr(Value, Decimals);
  return Trim ? Float2EStr2(Value, Decimals) : Float2EStr(Value, Decimals);
}

/// A bound as shown in a bounds message or a bound property. A zero bound is
/// never blanked, whatever ZYMBlankWhenZero says: "at least " followed by
/// nothing tells the user nothing.
template <class F>
std::string BoundText(F Format) {
  TZYMSettingGuard NoBlank(ZYMBlankWhenZero, false);
  return Format();
}

/// Negation and absolute value that stay in range: the most negative 64-bit
/// value has no positive counterpart and becomes the largest one.
Int64 NegatedInt(Int64 Value) { return Value == std::numeric_limits<Int64>::min() ? std::numeric_limits<Int64>::max() : -Value; }
Int64 AbsInt(Int64 Value) { return Value < 0 ? NegatedInt(Value) : Value; }

/// The font colour of the value's sign, repainted only on a change.
void ShowSignColour(TControl& Control, TColor Colour) {
  if (Control.GetFont()->GetColor() == Colour) return;
  Control.GetFont()->SetColor(Colour);
  Control.Invalidate();
}

/// An unsigned 32-bit value held by an integer field: the bit pattern of a
/// 32-bit field, or the plain number of a 64-bit one.
LongWord ReadLongWord(const TField& Field) { return static_cast<LongWord>(Field.GetAsLargeInt()); }
void WriteLongWord(TField& Field, LongWord Value) {
  if (Field.GetDataType() == ftLargeint) Field.SetAsLargeInt(Value);
  else Field.SetAsInteger(static_cast<Integer>(Value));
}

TCharSet Digits() { return TCharSet::Range('0', '9'); }

}  // namespace

// ---------------------------------------------------------------- published properties

VCL_REGISTER_CLASS(TZYMDbBaseNumericEdit, TZYMDbBaseEdit) {
  using T = TZYMDbBaseNumericEdit;
  b.Property("BlankWhenZero", &T::GetBlankWhenZero, &T::SetBlankWhenZero).Default(T::DefaultBlankWhenZero);
  b.Property("ColorFontNeg", &T::GetColorFontNeg, &T::SetColorFontNeg)
      .Default(T::DefaultColorFontNeg)
      .Type("TColor");
  b.Property("ColorFontPos", &T::GetColorFontPos, &T::SetColorFontPos)
      .Default(T::DefaultColorFontPos)
      .Type("TColor");
  b.Property("ShowPosSign", &T::GetShowPosSign, &T::SetShowPosSign).Default(T::DefaultShowPosSign);
  b.Property("ShowThousandSeparators", &T::GetShowThousandSeparators, &T::SetShowThousandSeparators)
      .Default(T::DefaultShowThousandSeparators);
  b.Property("UseSignToggling", &T::GetUseSignToggling, &T::SetUseSignToggling).Default(T::DefaultUseSignToggling);
  b.Property("ZeroPad", &T::GetZeroPad, &T::SetZeroPad).Default(T::DefaultZeroPad);
}

VCL_REGISTER_CLASS(TZYMDbPosEdit, TZYMDbBaseNumericEdit) {
  using T = TZYMDbPosEdit;
  b.Property("BoundLower", &T::GetBoundLower, &T::SetBoundLower).Default(T::DefaultBoundLower);
  b.Property("BoundUpper", &T::GetBoundUpper, &T::SetBoundUpper).Default(T::DefaultBoundUpper);
}

VCL_REGISTER_CLASS(TZYMDbIntEdit, TZYMDbPosEdit) {}

VCL_REGISTER_CLASS(TZYMDbPosFloatEdit, TZYMDbBaseNumericEdit) {
  using T = TZYMDbPosFloatEdit;
  b.Property("BoundLower", &T::GetBoundLower, &T::SetBoundLower);
  b.Property("BoundUpper", &T::GetBoundUpper, &T::SetBoundUpper);
  b.Property("DecimalPlaces", &T::GetDecimalPlaces, &T::SetDecimalPlaces).Default(T::DefaultDecimalPlaces);
  b.Property("FullAccuracy", &T::GetFullAccuracy, &T::SetFullAccuracy).Default(T::DefaultFullAccuracy);
  b.Property("TrimTrailingZeroes", &T::GetTrimTrailingZeroes, &T::SetTrimTrailingZeroes)
      .Default(T::DefaultTrimTrailingZeroes);
  b.Property("Scale", &T::GetScale, &T::SetScale);
}

VCL_REGISTER_CLASS(TZYMDbFloatEdit, TZYMDbPosFloatEdit) {}

VCL_REGISTER_CLASS(TZYMDbPercentEdit, TZYMDbBaseNumericEdit) {
  using T = TZYMDbPercentEdit;
  b.Property("BoundLower", &T::GetBoundLower, &T::SetBoundLower);
  b.Property("BoundUpper", &T::GetBoundUpper, &T::SetBoundUpper);
  b.Property("DecimalPlaces", &T::GetDecimalPlaces, &T::SetDecimalPlaces).Default(T::DefaultPercentDecimalPlaces);
  b.Property("FullAccuracy", &T::GetFullAccuracy, &T::SetFullAccuracy).Default(T::DefaultFullAccuracy);
  b.Property("TrimTrailingZeroes", &T::GetTrimTrailingZeroes, &T::SetTrimTrailingZeroes)
      .Default(T::DefaultTrimTrailingZeroes);
  b.Property("Scaled", &T::GetScaled, &T::SetScaled).Default(T::DefaultScaled);
  b.Property("ShowPercent", &T::GetShowPercent, &T::SetShowPercent).Default(T::DefaultShowPercent);
}

VCL_REGISTER_CLASS(TZYMDbSciFloatEdit, TZYMDbBaseEdit) {
  using T = TZYMDbSciFloatEdit;
  b.Property("BlankWhenZero", &T::GetBlankWhenZero, &T::SetBlankWhenZero).Default(T::DefaultBlankWhenZero);
  b.Property("ColorFontNeg", &T::GetColorFontNeg, &T::SetColorFontNeg)
      .Default(T::DefaultColorFontNeg)
      .Type("TColor");
  b.Property("ColorFontPos", &T::GetColorFontPos, &T::SetColorFontPos)
      .Default(T::DefaultColorFontPos)
      .Type("TColor");
  b.Property("BoundLower", &T::GetBoundLower, &T::SetBoundLower);
  b.Property("BoundUpper", &T::GetBoundUpper, &T::SetBoundUpper);
  b.Property("DecimalPlaces", &T::GetDecimalPlaces, &T::SetDecimalPlaces).Default(T::DefaultDecimalPlaces);
  b.Property("FullAccuracy", &T::GetFullAccuracy, &T::SetFullAccuracy).Default(T::DefaultFullAccuracy);
  b.Property("TrimTrailingZeroes", &T::GetTrimTrailingZeroes, &T::SetTrimTrailingZeroes)
      .Default(T::DefaultTrimTrailingZeroes);
  b.Property("Scale", &T::GetScale, &T::SetScale);
}

VCL_REGISTER_CLASS(TZYMDbIPEdit, TZYMDbBaseEdit) {
  using T = TZYMDbIPEdit;
  b.Property("BlankWhenZero", &T::GetBlankWhenZero, &T::SetBlankWhenZero).Default(T::DefaultBlankWhenZero);
  b.Property("BoundLower", &T::GetBoundLower, &T::SetBoundLower);
  b.Property("BoundUpper", &T::GetBoundUpper, &T::SetBoundUpper);
  b.Property("IgnoreConvertError", &T::GetIgnoreConvertError, &T::SetIgnoreConvertError)
      .Default(T::DefaultIgnoreConvertError);
  b.Event("OnConvertError", &T::GetOnConvertError, &T::SetOnConvertError);
}

VCL_REGISTER_CLASS(TZYMDbHexEdit, TZYMDbBaseEdit) {
  using T = TZYMDbHexEdit;
  b.Property("BlankWhenZero", &T::GetBlankWhenZero, &T::SetBlankWhenZero).Default(T::DefaultBlankWhenZero);
  b.Property("ZeroPad", &T::GetZeroPad, &T::SetZeroPad).Default(T::DefaultZeroPad);
  b.Property("BoundLower", &T::GetBoundLower, &T::SetBoundLower);
  b.Property("BoundUpper", &T::GetBoundUpper, &T::SetBoundUpper);
  b.Property("AsLongWord", &T::GetAsLongWord, &T::SetAsLongWord).Default(T::DefaultAsLongWord);
  b.Property("MaxLength", &T::GetMaxLength, &T::SetMaxLength).Default(T::DefaultMaxLength);
}

// ================================================================ TZYMDbBaseNumericEdit

TZYMDbBaseNumericEdit::TZYMDbBaseNumericEdit(TComponent* AOwner) : TZYMDbBaseEdit(AOwner) {}

// ---- values ----

void TZYMDbBaseNumericEdit::SetIntValue(Integer Value) { SetInt64Value(Value); }

void TZYMDbBaseNumericEdit::SetLWordValue(LongWord Value) { SetInt64Value(static_cast<Int64>(Value)); }

void TZYMDbBaseNumericEdit::SetInt64Value(Int64 Value) { TZYMValueRule::Set(*this, FIntValue, Value); }

Extended TZYMDbBaseNumericEdit::GetFloatValue() { return FFloatValue; }

void TZYMDbBaseNumericEdit::SetFloatValue(Extended Value) { TZYMValueRule::Set(*this, FFloatValue, Value); }

// ---- display options ----

void TZYMDbBaseNumericEdit::SetBlankWhenZero(bool Value) {
  if (Value == FBlankWhenZero) return;
  FBlankWhenZero = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbBaseNumericEdit::SetShowPosSign(bool Value) {
  if (Value == FShowPosSign) return;
  FShowPosSign = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbBaseNumericEdit::SetShowThousandSeparators(bool Value) {
  if (Value == FShowThousandSeparators) return;
  FShowThousandSeparators = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbBaseNumericEdit::SetZeroPad(bool Value) {
  if (Value == FZeroPad) return;
  FZeroPad = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbBaseNumericEdit::SetDecimalPlaces(Byte Value) {
  if (Value == FDecimalPlaces) return;
  FDecimalPlaces = Value;
  TZYMValueRule::Refresh(*this);
}

// ---- text ----

std::string TZYMDbBaseNumericEdit::ShownText() const {
  TZYMSettingGuard Blank(ZYMBlankWhenZero, FBlankWhenZero);
  TZYMSettingGuard Sign(ZYMNumPosSign, FShowPosSign);
  std::string Text = FormatValue();
  const int Width = GetMaxLength();
  if (!FZeroPad || Width <= 0) return Text;
  // The sign stays in front of the zeros. Only a sign the text really shows is
  // moved: a negative value that rounds to zero at the shown precision has none.
  if (!Text.empty() && (Text[0] == '-' || Text[0] == '+'))
    return Text[0] + PadChLeftStr(RightAfterStr(Text, 1), '0', Width - 1);
  return PadChLeftStr(Text, '0', Width);
}

void TZYMDbBaseNumericEdit::DisplayText() {
  if (FIsNull) {
    TZYMDbBaseEdit::DisplayText();
    return;
  }
  {
    TZYMSettingGuard Blank(ZYMBlankWhenZero, FBlankWhenZero);
    TZYMSettingGuard Sign(ZYMNumPosSign, FShowPosSign);
    SetStrValue(ShownText());
  }
  ShowSignColour(*this, ValueIsNegative() ? FColorFontNeg : FColorFontPos);
}

// ---- keys ----

void TZYMDbBaseNumericEdit::MakeValuesPositive() {
  FIntValue = AbsInt(FIntValue);
  FFloatValue = std::fabs(FFloatValue);
}

void TZYMDbBaseNumericEdit::NegateValues(bool Toggle) {
  if (Toggle) {
    FIntValue = NegatedInt(FIntValue);
    FFloatValue = -FFloatValue;
    return;
  }
  if (FIntValue > 0) FIntValue = -FIntValue;
  if (FFloatValue > 0) FFloatValue = -FFloatValue;
}

void TZYMDbBaseNumericEdit::KeyPress(char& Key) {
  if (FNumPadDecimalPending) {
    Key = FormatSettings.DecimalSeparator;
    FNumPadDecimalPending = false;
  }
  if ((Key == '+' || Key == '-' || Key == FormatSettings.DecimalSeparator) && FAllowedChars.Contains(Key))
    ValueKeyPress(Key);
  TZYMDbBaseEdit::KeyPress(Key);
}

void TZYMDbBaseNumericEdit::ValueKeyPress(char& Key) {
  // These keys rebuild the text themselves instead of leaving the edit to the
  // window, so they first ask for edit state as any editing key does, and do
  // nothing where the window refuses edits (a read-only control, a field or
  // dataset that cannot be modified): the shown value must not change where
  // the field's cannot.
  if (!GetReadOnly()) FDataLink->Edit();
  if (GetEditReadOnly()) {
    Key = '\0';
    return;
  }
  // The selection goes first; a null control starts from an empty text.
  if (FIsNull) {
    SetNull(false);
    Clear();
  } else {
    ClearSelection();
  }
  const std::string S = GetStrValue();
  const char Decimal = FormatSettings.DecimalSeparator;
  if (Key == Decimal) {
    if (ZYMPosCh(Decimal, S, 1) > 0) {
      Key = '\0';
      MessageBeep(0);
    }
    return;
  }
  const bool Plus = Key == '+';
  if (Plus && FUseSignToggling) FShowPosSign = !FShowPosSign;
  if (!S.empty()) {
    Convert2Value();
    if (Plus) MakeValuesPositive();
    else NegateValues(FUseSignToggling);
    Key = '\0';
    DisplayText();
  } else if (Plus && !FShowPosSign) {
    Key = '\0';  // a lone "+" is typed only when plus signs are shown
  }
  SetModified(true);
}

// ================================================================ TZYMDbPosEdit and TZYMDbIntEdit

TZYMDbPosEdit::TZYMDbPosEdit(TComponent* AOwner) : TZYMDbBaseNumericEdit(AOwner) {
  FAllowedChars = Digits() + TCharSet{'+', FormatSettings.ThousandSeparator};
  DisplayText();
}

TZYMDbIntEdit::TZYMDbIntEdit(TComponent* AOwner) : TZYMDbPosEdit(AOwner) {
  FAllowedChars.Include('-');
  DisplayText();
}

void TZYMDbPosEdit::SetDataField(const std::string& Value) {
  SetCheckedDataField(Value, &TZYMDbBaseEdit::IsIntegerField, rsIntOnly);
}

void TZYMDbPosEdit::ActiveChange() { CheckActiveFieldType(&TZYMDbBaseEdit::IsIntegerField, rsIntOnly); }

std::string TZYMDbPosEdit::FormatValue() const {
  return FShowThousandSeparators ? Int2CEStr(FIntValue) : Int2EStr(FIntValue);
}

void TZYMDbPosEdit::Convert2Value() {
  if (FIsNull) return;
  TZYMValueRule::Set(*this, FIntValue, Str2Int64(GetStrValue()), false);
}

void TZYMDbPosEdit::DataChange() {
  TField* F = GetField();
  if (!F) {
    SetStrValue(IsDesigning() ? GetName() : std::string());
    return;
  }
  SetNull(F->IsNull());
  FIntValue = F->IsNull() ? 0 : F->GetAsLargeInt();
  DisplayText();
}

void TZYMDbPosEdit::UpdateData() { GetField()->SetAsLargeInt(FIntValue); }

void TZYMDbPosEdit::DoBoundsValidation() {
  if (!FBoundsEnabled) return;
  SetBoundsErrorKind<Int64>(FIntValue, FBoundLower, FBoundUpper);
  ReportBoundsError(BoundsErrorText(BoundText([&] { return Int2EStr(FBoundLower); }),
                                    BoundText([&] { return Int2EStr(FBoundUpper); })));
}

// ================================================================ TZYMDbPosFloatEdit and TZYMDbFloatEdit

TZYMDbPosFloatEdit::TZYMDbPosFloatEdit(TComponent* AOwner) : TZYMDbBaseNumericEdit(AOwner) {
  FAllowedChars = Digits() + TCharSet{'+', FormatSettings.ThousandSeparator, FormatSettings.DecimalSeparator};
  DisplayText();
}

TZYMDbFloatEdit::TZYMDbFloatEdit(TComponent* AOwner) : TZYMDbPosFloatEdit(AOwner) {
  FAllowedChars.Include('-');
  DisplayText();
}

void TZYMDbPosFloatEdit::SetDataField(const std::string& Value) {
  SetCheckedDataField(Value, &TZYMDbBaseEdit::IsFloatField, rsFloatOnly);
}

void TZYMDbPosFloatEdit::ActiveChange() { CheckActiveFieldType(&TZYMDbBaseEdit::IsFloatField, rsFloatOnly); }

Extended TZYMDbPosFloatEdit::GetScaledFloat() const { return Unscaled(FFloatValue, FScale); }

void TZYMDbPosFloatEdit::SetScaledFloat(Extended Value) { TZYMValueRule::Set(*this, FFloatValue, Value * FScale); }

void TZYMDbPosFloatEdit::SetScale(Extended Value) {
  Value = NormalizedScale(Value);
  if (Value == FScale) return;
  FScale = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbPosFloatEdit::SetFullAccuracy(bool Value) {
  if (Value == FFullAccuracy) return;
  FFullAccuracy = Value;
  if (!Value) Convert2Value();
}

void TZYMDbPosFloatEdit::SetTrimTrailingZeroes(bool Value) {
  if (Value == FTrimTrailingZeroes) return;
  FTrimTrailingZeroes = Value;
  TZYMValueRule::Refresh(*this);
}

std::string TZYMDbPosFloatEdit::FormatValue() const {
  return FixedText(GetScaledFloat(), FDecimalPlaces, FShowThousandSeparators, FTrimTrailingZeroes);
}

void TZYMDbPosFloatEdit::Convert2Value() {
  if (FIsNull) return;
  const std::string S = GetStrValue();
  // Full accuracy: a text that is exactly what the value shows stands for the
  // value itself, digits beyond the shown ones included.
  if (FFullAccuracy && S == ShownText()) return;
  TZYMValueRule::Set(*this, FFloatValue, Str2Float(S) * FScale, false);
}

void TZYMDbPosFloatEdit::DataChange() {
  TField* F = GetField();
  if (!F) {
    SetStrValue(IsDesigning() ? GetName() : std::string());
    return;
  }
  SetNull(F->IsNull());
  FFloatValue = F->IsNull() ? 0 : F->GetAsFloat();
  DisplayText();
}

void TZYMDbPosFloatEdit::UpdateData() { GetField()->SetAsFloat(static_cast<double>(FFloatValue)); }

void TZYMDbPosFloatEdit::DoBoundsValidation() {
  if (!FBoundsEnabled) return;
  SetBoundsErrorKind(FFloatValue, FBoundLower, FBoundUpper);
  ReportBoundsError(BoundsErrorText(BoundText([&] { return Float2EStr(FBoundLower, FDecimalPlaces); }),
                                    BoundText([&] { return Float2EStr(FBoundUpper, FDecimalPlaces); })));
}

// ================================================================ TZYMDbPercentEdit

TZYMDbPercentEdit::TZYMDbPercentEdit(TComponent* AOwner) : TZYMDbBaseNumericEdit(AOwner) {
  FAllowedChars =
      Digits() + TCharSet{'%', '+', '-', FormatSettings.ThousandSeparator, FormatSettings.DecimalSeparator};
  FDecimalPlaces = DefaultPercentDecimalPlaces;
  DisplayText();
}

void TZYMDbPercentEdit::SetDataField(const std::string& Value) {
  SetCheckedDataField(Value, &TZYMDbBaseEdit::IsFloatField, rsFloatOnly);
}

void TZYMDbPercentEdit::ActiveChange() { CheckActiveFieldType(&TZYMDbBaseEdit::IsFloatField, rsFloatOnly); }

Extended TZYMDbPercentEdit::GetPercentValue() {
  Convert2Value();
  return FFloatValue;
}

void TZYMDbPercentEdit::SetPercentValue(Extended Value) { TZYMValueRule::Set(*this, FFloatValue, Value); }

Extended TZYMDbPercentEdit::GetFloatValue() {
  Convert2Value();
  return FScaled ? FFloatValue / 100 : FFloatValue;
}

void TZYMDbPercentEdit::SetFloatValue(Extended Value) { SetPercentValue(FScaled ? Value * 100 : Value); }

void TZYMDbPercentEdit::SetScaled(bool Value) {
  if (Value == FScaled) return;
  FScaled = Value;
  FFloatValue = Value ? FFloatValue * 100 : FFloatValue / 100;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbPercentEdit::SetFullAccuracy(bool Value) {
  if (Value == FFullAccuracy) return;
  FFullAccuracy = Value;
  if (!Value) Convert2Value();
}

void TZYMDbPercentEdit::SetShowPercent(bool Value) {
  if (Value == FShowPercent) return;
  FShowPercent = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbPercentEdit::SetTrimTrailingZeroes(bool Value) {
  if (Value == FTrimTrailingZeroes) return;
  FTrimTrailingZeroes = Value;
  TZYMValueRule::Refresh(*this);
}

std::string TZYMDbPercentEdit::FormatValue() const {
  std::string Text = FixedText(FFloatValue, FDecimalPlaces, FShowThousandSeparators, FTrimTrailingZeroes);
  // A zero blanked by BlankWhenZero stays blank: a lone "%" is no value.
  if (FShowPercent && !Text.empty()) Text += '%';
  return Text;
}

void TZYMDbPercentEdit::Convert2Value() {
  if (FIsNull) return;
  const std::string S = GetStrValue();
  if (FFullAccuracy && S == ShownText()) return;
  TZYMValueRule::Set(*this, FFloatValue, Str2Float(S), false);
}

void TZYMDbPercentEdit::DataChange() {
  TField* F = GetField();
  if (!F) {
    SetStrValue(IsDesigning() ? GetName() : std::string());
    return;
  }
  SetNull(F->IsNull());
  const Extended V = F->IsNull() ? 0 : F->GetAsFloat();
  FFloatValue = FScaled ? V * 100 : V;
  DisplayText();
}

void TZYMDbPercentEdit::UpdateData() {
  GetField()->SetAsFloat(static_cast<double>(FScaled ? FFloatValue / 100 : FFloatValue));
}

void TZYMDbPercentEdit::DoBoundsValidation() {
  if (!FBoundsEnabled) return;
  SetBoundsErrorKind(FFloatValue, FBoundLower, FBoundUpper);
  ReportBoundsError(BoundsErrorText(BoundText([&] { return Float2EStr(FBoundLower, FDecimalPlaces); }),
                                    BoundText([&] { return Float2EStr(FBoundUpper, FDecimalPlaces); })));
}

// ================================================================ TZYMDbSciFloatEdit

TZYMDbSciFloatEdit::TZYMDbSciFloatEdit(TComponent* AOwner) : TZYMDbBaseEdit(AOwner) {
  FAllowedChars = Digits() + TCharSet{'+', '-', 'E', 'e', FormatSettings.ThousandSeparator,
                                      FormatSettings.DecimalSeparator};
  DisplayText();
}

void TZYMDbSciFloatEdit::SetDataField(const std::string& Value) {
  SetCheckedDataField(Value, &TZYMDbBaseEdit::IsFloatField, rsFloatOnly);
}

void TZYMDbSciFloatEdit::ActiveChange() { CheckActiveFieldType(&TZYMDbBaseEdit::IsFloatField, rsFloatOnly); }

void TZYMDbSciFloatEdit::SetBlankWhenZero(bool Value) {
  if (Value == FBlankWhenZero) return;
  FBlankWhenZero = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbSciFloatEdit::SetDecimalPlaces(Byte Value) {
  if (Value == FDecimalPlaces) return;
  FDecimalPlaces = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbSciFloatEdit::SetFullAccuracy(bool Value) {
  if (Value == FFullAccuracy) return;
  FFullAccuracy = Value;
  if (!Value) Convert2Value();
}

void TZYMDbSciFloatEdit::SetScale(Extended Value) {
  Value = NormalizedScale(Value);
  if (Value == FScale) return;
  FScale = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbSciFloatEdit::SetTrimTrailingZeroes(bool Value) {
  if (Value == FTrimTrailingZeroes) return;
  FTrimTrailingZeroes = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbSciFloatEdit::SetFloatValue(Extended Value) { TZYMValueRule::Set(*this, FValue, Value); }

Extended TZYMDbSciFloatEdit::GetScaledFloat() const { return Unscaled(FValue, FScale); }

void TZYMDbSciFloatEdit::SetScaledFloat(Extended Value) { TZYMValueRule::Set(*this, FValue, Value * FScale); }

std::string TZYMDbSciFloatEdit::ShownText() const {
  TZYMSettingGuard Blank(ZYMBlankWhenZero, FBlankWhenZero);
  return FTrimTrailingZeroes ? SciFloat2EStr2(GetScaledFloat(), FDecimalPlaces)
                             : SciFloat2EStr(GetScaledFloat(), FDecimalPlaces);
}

void TZYMDbSciFloatEdit::DisplayText() {
  if (FIsNull) {
    TZYMDbBaseEdit::DisplayText();
    return;
  }
  {
    TZYMSettingGuard Blank(ZYMBlankWhenZero, FBlankWhenZero);
    SetStrValue(ShownText());
  }
  ShowSignColour(*this, FValue < 0 ? FColorFontNeg : FColorFontPos);
}

void TZYMDbSciFloatEdit::Convert2Value() {
  if (FIsNull) return;
  const std::string S = GetStrValue();
  if (FFullAccuracy && S == ShownText()) return;
  TZYMValueRule::Set(*this, FValue, Str2Float(S) * FScale, false);
}

void TZYMDbSciFloatEdit::DataChange() {
  TField* F = GetField();
  if (!F) {
    SetStrValue(IsDesigning() ? GetName() : std::string());
    return;
  }
  SetNull(F->IsNull());
  FValue = F->IsNull() ? 0 : F->GetAsFloat();
  DisplayText();
}

void TZYMDbSciFloatEdit::UpdateData() { GetField()->SetAsFloat(static_cast<double>(FValue)); }

void TZYMDbSciFloatEdit::DoBoundsValidation() {
  if (!FBoundsEnabled) return;
  SetBoundsErrorKind(FValue, FBoundLower, FBoundUpper);
  ReportBoundsError(BoundsErrorText(BoundText([&] { return Float2EStr(FBoundLower, FDecimalPlaces); }),
                                    BoundText([&] { return Float2EStr(FBoundUpper, FDecimalPlaces); })));
}

// ================================================================ TZYMDbIPEdit

TZYMDbIPEdit::TZYMDbIPEdit(TComponent* AOwner) : TZYMDbBaseEdit(AOwner) {
  FAllowedChars = Digits() + TCharSet{'.'};
  DisplayText();
}

void TZYMDbIPEdit::SetDataField(const std::string& Value) {
  SetCheckedDataField(Value, &TZYMDbBaseEdit::IsIntegerField, rsIntOnly);
}

void TZYMDbIPEdit::ActiveChange() { CheckActiveFieldType(&TZYMDbBaseEdit::IsIntegerField, rsIntOnly); }

void TZYMDbIPEdit::SetBlankWhenZero(bool Value) {
  if (Value == FBlankWhenZero) return;
  FBlankWhenZero = Value;
  TZYMValueRule::Refresh(*this);
}

std::string TZYMDbIPEdit::GetBoundLower() const {
  return BoundText([&] { return LWord2IPStr(FBoundLower); });
}
void TZYMDbIPEdit::SetBoundLower(const std::string& Value) { FBoundLower = IPStr2LWord(Value); }
std::string TZYMDbIPEdit::GetBoundUpper() const {
  return BoundText([&] { return LWord2IPStr(FBoundUpper); });
}
void TZYMDbIPEdit::SetBoundUpper(const std::string& Value) { FBoundUpper = IPStr2LWord(Value); }

LongWord TZYMDbIPEdit::GetAsLongWord() const {
  // Reading brings the value in line with the text first.
  const_cast<TZYMDbIPEdit*>(this)->Convert2Value();
  return FValue;
}

void TZYMDbIPEdit::SetAsLongWord(LongWord Value) { TZYMValueRule::Set(*this, FValue, Value); }

void TZYMDbIPEdit::DisplayText() {
  if (FIsNull) {
    TZYMDbBaseEdit::DisplayText();
    return;
  }
  TZYMSettingGuard Blank(ZYMBlankWhenZero, FBlankWhenZero);
  SetStrValue(LWord2IPStr(FValue));
}

void TZYMDbIPEdit::Convert2Value() {
  if (FIsNull) return;
  LongWord V = 0;
  try {
    // A half-typed address is normal while typing; only leaving refuses it.
    TZYMSettingGuard Raise(ZYMRaiseIPError, FExitConverting);
    V = IPStr2LWord(GetStrValue());
  } catch (const std::exception&) {
    TakeFocusBack();
    throw;
  }
  TZYMValueRule::Set(*this, FValue, V, false);
}

void TZYMDbIPEdit::DataChange() {
  TField* F = GetField();
  if (!F) {
    SetStrValue(IsDesigning() ? GetName() : std::string());
    return;
  }
  SetNull(F->IsNull());
  FValue = F->IsNull() ? 0 : ReadLongWord(*F);
  DisplayText();
}

void TZYMDbIPEdit::UpdateData() { WriteLongWord(*GetField(), FValue); }

void TZYMDbIPEdit::DoBoundsValidation() {
  if (!FBoundsEnabled) return;
  SetBoundsErrorKind(FValue, FBoundLower, FBoundUpper);
  ReportBoundsError(BoundsErrorText(GetBoundLower(), GetBoundUpper()));
}

// ================================================================ TZYMDbHexEdit

TZYMDbHexEdit::TZYMDbHexEdit(TComponent* AOwner) : TZYMDbBaseEdit(AOwner) {
  FAllowedChars = Digits() + TCharSet::Range('A', 'F') + TCharSet::Range('a', 'f');
  SetMaxLength(DefaultMaxLength);
  DisplayText();
}

void TZYMDbHexEdit::SetDataField(const std::string& Value) {
  SetCheckedDataField(Value, &TZYMDbBaseEdit::IsIntegerField, rsIntOnly);
}

void TZYMDbHexEdit::ActiveChange() { CheckActiveFieldType(&TZYMDbBaseEdit::IsIntegerField, rsIntOnly); }

void TZYMDbHexEdit::SetBlankWhenZero(bool Value) {
  if (Value == FBlankWhenZero) return;
  FBlankWhenZero = Value;
  TZYMValueRule::Refresh(*this);
}

void TZYMDbHexEdit::SetZeroPad(bool Value) {
  if (Value == FZeroPad) return;
  FZeroPad = Value;
  TZYMValueRule::Refresh(*this);
}

std::string TZYMDbHexEdit::GetBoundLower() const {
  return BoundText([&] { return Int2ZHex(FBoundLower, 8); });
}
void TZYMDbHexEdit::SetBoundLower(const std::string& Value) { FBoundLower = Hex2LWord(Value); }
std::string TZYMDbHexEdit::GetBoundUpper() const {
  return BoundText([&] { return Int2ZHex(FBoundUpper, 8); });
}
void TZYMDbHexEdit::SetBoundUpper(const std::string& Value) { FBoundUpper = Hex2LWord(Value); }

LongWord TZYMDbHexEdit::GetAsLongWord() const {
  const_cast<TZYMDbHexEdit*>(this)->Convert2Value();
  return FValue;
}

void TZYMDbHexEdit::SetAsLongWord(LongWord Value) { TZYMValueRule::Set(*this, FValue, Value); }

void TZYMDbHexEdit::DisplayText() {
  if (FIsNull) {
    TZYMDbBaseEdit::DisplayText();
    return;
  }
  TZYMSettingGuard Blank(ZYMBlankWhenZero, FBlankWhenZero);
  const int Digits = GetMaxLength();
  SetStrValue(FZeroPad && Digits > 0 ? Int2ZHex(FValue, Digits) : Int2EHex(FValue));
}

void TZYMDbHexEdit::Convert2Value() {
  if (FIsNull) return;
  TZYMValueRule::Set(*this, FValue, Hex2LWord(GetStrValue()), false);
}

void TZYMDbHexEdit::DataChange() {
  TField* F = GetField();
  if (!F) {
    SetStrValue(IsDesigning() ? GetName() : std::string());
    return;
  }
  SetNull(F->IsNull());
  FValue = F->IsNull() ? 0 : ReadLongWord(*F);
  DisplayText();
}

void TZYMDbHexEdit::UpdateData() { WriteLongWord(*GetField(), FValue); }

void TZYMDbHexEdit::DoBoundsValidation() {
  if (!FBoundsEnabled) return;
  SetBoundsErrorKind(FValue, FBoundLower, FBoundUpper);
  ReportBoundsError(BoundsErrorText(GetBoundLower(), GetBoundUpper()));
}

}  // namespace zymqix
