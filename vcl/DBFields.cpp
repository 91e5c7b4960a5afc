// The field classes: conversions between the stored value and every accessor.
#include <cmath>
#include <limits>

#include "vcl/DB.h"

namespace vcl {

namespace {

int64_t AsInt(const TFieldData& D) { return std::get<int64_t>(D); }
double AsDbl(const TFieldData& D) { return std::get<double>(D); }
bool Null(const TFieldData& D) { return std::holds_alternative<std::monostate>(D); }

/// Rounds half to even, as the framework's Round does.
double RoundEven(double V) { return std::nearbyint(V); }

}  // namespace

// ---------------------------------------------------------------- registration

VCL_REGISTER_CLASS(TField, TComponent) {
  b.Property("DisplayLabel", &TField::GetDisplayLabel, &TField::SetDisplayLabel);
  b.Property("ReadOnly", &TField::GetReadOnly, &TField::SetReadOnly).Default(false);
  b.Property("Required", &TField::GetRequired, &TField::SetRequired).Default(false);
  b.Property("Size", &TField::GetSize, &TField::SetSize).Default(0);
  b.Property("Visible", &TField::GetVisible, &TField::SetVisible).Default(true);
  b.Event("OnChange", &TField::GetOnChange, &TField::SetOnChange);
  b.Event("OnValidate", &TField::GetOnValidate, &TField::SetOnValidate);
}
VCL_REGISTER_CLASS(TStringField, TField) {}
VCL_REGISTER_CLASS(TWideStringField, TStringField) {}
VCL_REGISTER_CLASS(TNumericField, TField) {
  b.Property("DisplayFormat", &TNumericField::GetDisplayFormat, &TNumericField::SetDisplayFormat).Default(std::string());
  b.Property("EditFormat", &TNumericField::GetEditFormat, &TNumericField::SetEditFormat).Default(std::string());
}
VCL_REGISTER_CLASS(TIntegerField, TNumericField) {
  b.Property("MaxValue", &TIntegerField::GetMaxValue, &TIntegerField::SetMaxValue).Default(0);
  b.Property("MinValue", &TIntegerField::GetMinValue, &TIntegerField::SetMinValue).Default(0);
}
VCL_REGISTER_CLASS(TSmallintField, TIntegerField) {}
VCL_REGISTER_CLASS(TWordField, TIntegerField) {}
VCL_REGISTER_CLASS(TAutoIncField, TIntegerField) {}
VCL_REGISTER_CLASS(TLargeintField, TNumericField) {
  b.Property("MaxValue", &TLargeintField::GetMaxValue, &TLargeintField::SetMaxValue).Default(int64_t{0});
  b.Property("MinValue", &TLargeintField::GetMinValue, &TLargeintField::SetMinValue).Default(int64_t{0});
}
VCL_REGISTER_CLASS(TFloatField, TNumericField) {
  b.Property("Currency", &TFloatField::GetCurrency, &TFloatField::SetCurrency).Default(false);
  b.Property("MaxValue", &TFloatField::GetMaxValue, &TFloatField::SetMaxValue).Default(0.0);
  b.Property("MinValue", &TFloatField::GetMinValue, &TFloatField::SetMinValue).Default(0.0);
  b.Property("Precision", &TFloatField::GetPrecision, &TFloatField::SetPrecision).Default(15);
}
VCL_REGISTER_CLASS(TCurrencyField, TFloatField) {}
VCL_REGISTER_CLASS(TBCDField, TNumericField) {
  b.Property("Currency", &TBCDField::GetCurrency, &TBCDField::SetCurrency).Default(false);
  b.Property("MaxValue", &TBCDField::GetMaxValue, &TBCDField::SetMaxValue).Default(Currency());
  b.Property("MinValue", &TBCDField::GetMinValue, &TBCDField::SetMinValue).Default(Currency());
}
VCL_REGISTER_CLASS(TBooleanField, TField) {
  b.Property("DisplayValues", &TBooleanField::GetDisplayValues, &TBooleanField::SetDisplayValues)
      .Default(std::string("True;False"));
}
VCL_REGISTER_CLASS(TDateTimeField, TField) {
  b.Property("DisplayFormat", &TDateTimeField::GetDisplayFormat, &TDateTimeField::SetDisplayFormat)
      .Default(std::string());
}
VCL_REGISTER_CLASS(TDateField, TDateTimeField) {}
VCL_REGISTER_CLASS(TTimeField, TDateTimeField) {}

TField* CreateFieldOfType(TFieldType DataType, TComponent* AOwner) {
  switch (DataType) {
    case ftString:
    case ftFixedChar:
      return new TStringField(AOwner);
    case ftWideString:
      return new TWideStringField(AOwner);
    case ftSmallint:
      return new TSmallintField(AOwner);
    case ftInteger:
      return new TIntegerField(AOwner);
    case ftWord:
      return new TWordField(AOwner);
    case ftAutoInc:
      return new TAutoIncField(AOwner);
    case ftLargeint:
      return new TLargeintField(AOwner);
    case ftBoolean:
      return new TBooleanField(AOwner);
    case ftFloat:
      return new TFloatField(AOwner);
    case ftCurrency:
      return new TCurrencyField(AOwner);
    case ftBCD:
      return new TBCDField(AOwner);
    case ftDate:
      return new TDateField(AOwner);
    case ftTime:
      return new TTimeField(AOwner);
    case ftDateTime:
      return new TDateTimeField(AOwner);
    case ftUnknown:
      break;
  }
  DatabaseError("Field type " + FieldTypeName(DataType) + " is not supported");
}

// ---------------------------------------------------------------- TField

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}
TField::~TField() = default;

void TField::Bind(TDataSet* DataSet, int Index, const std::string& Name, TFieldType DataType) {
  FDataSet = DataSet;
  FIndex = Index;
  FFieldName = Name;
  // ftFixedChar shares the string class; the class fixes every other type.
  if (DataType == ftFixedChar || FDataType == ftUnknown) FDataType = DataType;
}

void TField::Unbind() {
  FDataSet = nullptr;
  FIndex = -1;
}

const TFieldData& TField::Data() const {
  if (!FDataSet) DatabaseError("Field '" + GetDisplayName() + "' has no dataset");
  return FDataSet->ActiveFieldData(this);
}

void TField::SetData(TFieldData Value) {
  if (!FDataSet) DatabaseError("Field '" + GetDisplayName() + "' has no dataset");
  FDataSet->SetFieldData(this, std::move(Value));
}

bool TField::GetCanModify() const { return !FReadOnly && FDataSet && FDataSet->GetCanModify(); }

bool TField::IsNull() const { return Null(Data()); }

void TField::Clear() { SetData(TFieldData()); }

void TField::FocusControl() {
  if (FDataSet) FDataSet->DataEvent(deFocusControl, this);
}

void TField::AccessError(const std::string& TypeName) const {
  DatabaseError("Cannot access field '" + GetDisplayName() + "' as type " + TypeName);
}

void TField::RangeError(const std::string& Value, const std::string& Min, const std::string& Max) const {
  DatabaseError(Value + " is not a valid value for field '" + GetDisplayName() + "'. The allowed range is " + Min +
                " to " + Max);
}

std::string TField::GetAsString() const { AccessError("String"); }
void TField::SetAsString(const std::string&) { AccessError("String"); }
Integer TField::GetAsInteger() const { AccessError("Integer"); }
void TField::SetAsInteger(Integer) { AccessError("Integer"); }
Int64 TField::GetAsLargeInt() const { return GetAsInteger(); }
void TField::SetAsLargeInt(Int64 Value) {
  if (Value < INT32_MIN || Value > INT32_MAX)
    RangeError(IntToStr(Value), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  SetAsInteger(static_cast<Integer>(Value));
}
double TField::GetAsFloat() const { AccessError("Float"); }
void TField::SetAsFloat(double) { AccessError("Float"); }
Currency TField::GetAsCurrency() const { return Currency::FromExtended(GetAsFloat()); }
void TField::SetAsCurrency(Currency Value) { SetAsFloat(Value.ToDouble()); }
bool TField::GetAsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBoolean(bool) { AccessError("Boolean"); }
TDateTime TField::GetAsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTime(TDateTime) { AccessError("DateTime"); }
Variant TField::GetAsVariant() const { AccessError("Variant"); }

void TField::SetAsVariant(const Variant& Value) {
  std::visit(
      [this](const auto& V) {
        using T = std::decay_t<decltype(V)>;
        if constexpr (std::is_same_v<T, std::monostate>) Clear();
        else if constexpr (std::is_same_v<T, bool>) SetAsBoolean(V);
        else if constexpr (std::is_same_v<T, int64_t>) SetAsLargeInt(V);
        else if constexpr (std::is_same_v<T, double>) SetAsFloat(V);
        else SetAsString(V);
      },
      Value);
}

std::string TField::GetTextImpl(bool) const { return IsNull() ? std::string() : GetAsString(); }

// ---------------------------------------------------------------- strings

TStringField::TStringField(TComponent* AOwner) : TField(AOwner, ftString) {}
TWideStringField::TWideStringField(TComponent* AOwner) : TStringField(AOwner, ftWideString) {}

std::string TStringField::GetAsString() const {
  const TFieldData& D = Data();
  return Null(D) ? std::string() : std::get<std::string>(D);
}

void TStringField::SetAsString(const std::string& Value) {
  const int Size = GetSize();
  if (Size > 0 && Value.size() > static_cast<size_t>(Size))
    SetData(Value.substr(0, static_cast<size_t>(Size)));
  else
    SetData(Value);
}

// A null string reads as 0; any other text must convert.
Integer TStringField::GetAsInteger() const { return IsNull() ? 0 : StrToInt(GetAsString()); }
void TStringField::SetAsInteger(Integer Value) { SetAsString(IntToStr(Value)); }
Int64 TStringField::GetAsLargeInt() const { return IsNull() ? 0 : StrToInt64(GetAsString()); }
void TStringField::SetAsLargeInt(Int64 Value) { SetAsString(IntToStr(Value)); }
double TStringField::GetAsFloat() const { return IsNull() ? 0.0 : static_cast<double>(StrToFloat(GetAsString())); }
void TStringField::SetAsFloat(double Value) { SetAsString(FloatToStr(Value)); }
Currency TStringField::GetAsCurrency() const { return IsNull() ? Currency() : StrToCurr(GetAsString()); }
void TStringField::SetAsCurrency(Currency Value) { SetAsString(CurrToStr(Value)); }

bool TStringField::GetAsBoolean() const {
  std::string S = GetAsString();
  return !S.empty() && (S[0] == 'T' || S[0] == 't' || S[0] == 'Y' || S[0] == 'y');
}
void TStringField::SetAsBoolean(bool Value) { SetAsString(Value ? "T" : "F"); }
TDateTime TStringField::GetAsDateTime() const { return IsNull() ? 0.0 : StrToDateTime(GetAsString()); }
void TStringField::SetAsDateTime(TDateTime Value) { SetAsString(DateTimeToStr(Value)); }
Variant TStringField::GetAsVariant() const {
  const TFieldData& D = Data();
  return Null(D) ? Variant() : Variant(std::get<std::string>(D));
}
std::string TStringField::GetTextImpl(bool) const { return GetAsString(); }

// ---------------------------------------------------------------- numbers

const std::string& TNumericField::ActiveFormat(bool DisplayText) const {
  return DisplayText || FEditFormat.empty() ? FDisplayFormat : FEditFormat;
}

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner, ftInteger) {}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner, ftSmallint) {
  FMinRange = INT16_MIN;
  FMaxRange = INT16_MAX;
}

TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner, ftWord) {
  FMinRange = 0;
  FMaxRange = UINT16_MAX;
}

TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner, ftAutoInc) {}

void TIntegerField::StoreChecked(Int64 Value) {
  Int64 Min = FMinRange, Max = FMaxRange;
  if (FMinValue != 0 || FMaxValue != 0) {
    Min = FMinValue;
    Max = FMaxValue;
  }
  if (Value < Min || Value > Max) RangeError(IntToStr(Value), IntToStr(Min), IntToStr(Max));
  SetData(Value);
}

std::string TIntegerField::GetAsString() const {
  const TFieldData& D = Data();
  return Null(D) ? std::string() : IntToStr(AsInt(D));
}

void TIntegerField::SetAsString(const std::string& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  StoreChecked(StrToInt(Value));
}

Integer TIntegerField::GetAsInteger() const {
  const TFieldData& D = Data();
  return Null(D) ? 0 : static_cast<Integer>(AsInt(D));
}
void TIntegerField::SetAsInteger(Integer Value) { StoreChecked(Value); }
Int64 TIntegerField::GetAsLargeInt() const { return GetAsInteger(); }
void TIntegerField::SetAsLargeInt(Int64 Value) { StoreChecked(Value); }
double TIntegerField::GetAsFloat() const { return GetAsInteger(); }

void TIntegerField::SetAsFloat(double Value) {
  double R = RoundEven(Value);
  if (!std::isfinite(R) || R < -9.2e18 || R > 9.2e18)
    RangeError(FloatToStr(Value), IntToStr(FMinRange), IntToStr(FMaxRange));
  StoreChecked(static_cast<Int64>(R));
}

Currency TIntegerField::GetAsCurrency() const { return Currency::FromInt(GetAsInteger()); }
void TIntegerField::SetAsCurrency(Currency Value) { SetAsFloat(Value.ToDouble()); }
Variant TIntegerField::GetAsVariant() const {
  const TFieldData& D = Data();
  return Null(D) ? Variant() : Variant(AsInt(D));
}

std::string TIntegerField::GetTextImpl(bool DisplayText) const {
  const TFieldData& D = Data();
  if (Null(D)) return std::string();
  const std::string& Fmt = ActiveFormat(DisplayText);
  return Fmt.empty() ? IntToStr(AsInt(D)) : FormatFloat(Fmt, static_cast<Extended>(AsInt(D)));
}

TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner, ftLargeint) {}

std::string TLargeintField::GetAsString() const {
  const TFieldData& D = Data();
  return Null(D) ? std::string() : IntToStr(AsInt(D));
}

void TLargeintField::SetAsString(const std::string& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  SetAsLargeInt(StrToInt64(Value));
}

Integer TLargeintField::GetAsInteger() const {
  Int64 V = GetAsLargeInt();
  if (V < INT32_MIN || V > INT32_MAX) RangeError(IntToStr(V), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  return static_cast<Integer>(V);
}
void TLargeintField::SetAsInteger(Integer Value) { SetAsLargeInt(Value); }
Int64 TLargeintField::GetAsLargeInt() const {
  const TFieldData& D = Data();
  return Null(D) ? 0 : AsInt(D);
}

void TLargeintField::SetAsLargeInt(Int64 Value) {
  if ((FMinValue != 0 || FMaxValue != 0) && (Value < FMinValue || Value > FMaxValue))
    RangeError(IntToStr(Value), IntToStr(FMinValue), IntToStr(FMaxValue));
  SetData(Value);
}

double TLargeintField::GetAsFloat() const { return static_cast<double>(GetAsLargeInt()); }

void TLargeintField::SetAsFloat(double Value) {
  double R = RoundEven(Value);
  if (!std::isfinite(R) || R < -9.2e18 || R > 9.2e18)
    RangeError(FloatToStr(Value), IntToStr(std::numeric_limits<Int64>::min()),
               IntToStr(std::numeric_limits<Int64>::max()));
  SetAsLargeInt(static_cast<Int64>(R));
}

Currency TLargeintField::GetAsCurrency() const { return Currency::FromExtended(static_cast<Extended>(GetAsLargeInt())); }
void TLargeintField::SetAsCurrency(Currency Value) { SetAsFloat(Value.ToDouble()); }
Variant TLargeintField::GetAsVariant() const {
  const TFieldData& D = Data();
  return Null(D) ? Variant() : Variant(AsInt(D));
}

std::string TLargeintField::GetTextImpl(bool DisplayText) const {
  const TFieldData& D = Data();
  if (Null(D)) return std::string();
  const std::string& Fmt = ActiveFormat(DisplayText);
  return Fmt.empty() ? IntToStr(AsInt(D)) : FormatFloat(Fmt, static_cast<Extended>(AsInt(D)));
}

// ---- floats

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner, ftFloat) {}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner, ftCurrency) { SetCurrency(true); }

std::string TFloatField::GetAsString() const {
  const TFieldData& D = Data();
  return Null(D) ? std::string() : FloatToStr(AsDbl(D));
}

void TFloatField::SetAsString(const std::string& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  SetAsFloat(static_cast<double>(StrToFloat(Value)));
}

Integer TFloatField::GetAsInteger() const {
  double R = RoundEven(GetAsFloat());
  if (R < INT32_MIN || R > INT32_MAX) RangeError(FloatToStr(GetAsFloat()), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  return static_cast<Integer>(R);
}
void TFloatField::SetAsInteger(Integer Value) { SetAsFloat(Value); }

Int64 TFloatField::GetAsLargeInt() const {
  double R = RoundEven(GetAsFloat());
  if (R < -9.2e18 || R > 9.2e18)
    RangeError(FloatToStr(GetAsFloat()), IntToStr(std::numeric_limits<Int64>::min()),
               IntToStr(std::numeric_limits<Int64>::max()));
  return static_cast<Int64>(R);
}
void TFloatField::SetAsLargeInt(Int64 Value) { SetAsFloat(static_cast<double>(Value)); }

double TFloatField::GetAsFloat() const {
  const TFieldData& D = Data();
  return Null(D) ? 0.0 : AsDbl(D);
}

void TFloatField::SetAsFloat(double Value) {
  // NaN and infinities have no place in a stored record (SQLite would keep NaN as NULL).
  if (!std::isfinite(Value))
    throw EConvertError(FloatToStr(Value) + " is not a valid value for field '" + GetDisplayName() + "'");
  if ((FMinValue != 0 || FMaxValue != 0) && (Value < FMinValue || Value > FMaxValue))
    RangeError(FloatToStr(Value), FloatToStr(FMinValue), FloatToStr(FMaxValue));
  SetData(Value);
}

Currency TFloatField::GetAsCurrency() const { return Currency::FromExtended(GetAsFloat()); }
void TFloatField::SetAsCurrency(Currency Value) { SetAsFloat(Value.ToDouble()); }
Variant TFloatField::GetAsVariant() const {
  const TFieldData& D = Data();
  return Null(D) ? Variant() : Variant(AsDbl(D));
}

std::string TFloatField::GetTextImpl(bool DisplayText) const {
  const TFieldData& D = Data();
  if (Null(D)) return std::string();
  const double V = AsDbl(D);
  const std::string& Fmt = ActiveFormat(DisplayText);
  if (!Fmt.empty()) return FormatFloat(Fmt, V);
  if (FCurrency)
    return FloatToStrF(V, DisplayText ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed, FPrecision,
                       FormatSettings.CurrencyDecimals);
  return FloatToStrF(V, TFloatFormat::ffGeneral, FPrecision, 0);
}

// ---- BCD

TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner, ftBCD) {}

std::string TBCDField::GetAsString() const {
  const TFieldData& D = Data();
  return Null(D) ? std::string() : CurrToStr(Currency::FromRaw(AsInt(D)));
}

void TBCDField::SetAsString(const std::string& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  SetAsCurrency(StrToCurr(Value));
}

Integer TBCDField::GetAsInteger() const {
  double R = RoundEven(GetAsFloat());
  if (R < INT32_MIN || R > INT32_MAX) RangeError(GetAsString(), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  return static_cast<Integer>(R);
}
void TBCDField::SetAsInteger(Integer Value) { SetAsCurrency(Currency::FromInt(Value)); }
Int64 TBCDField::GetAsLargeInt() const { return static_cast<Int64>(RoundEven(GetAsFloat())); }
void TBCDField::SetAsLargeInt(Int64 Value) { SetAsCurrency(Currency::FromExtended(static_cast<Extended>(Value))); }
double TBCDField::GetAsFloat() const { return GetAsCurrency().ToDouble(); }

void TBCDField::SetAsFloat(double Value) {
  if (!std::isfinite(Value))
    throw EConvertError(FloatToStr(Value) + " is not a valid value for field '" + GetDisplayName() + "'");
  SetAsCurrency(Currency::FromExtended(Value));
}

Currency TBCDField::GetAsCurrency() const {
  const TFieldData& D = Data();
  return Null(D) ? Currency() : Currency::FromRaw(AsInt(D));
}

void TBCDField::SetAsCurrency(Currency Value) {
  if ((FMinValue.Raw != 0 || FMaxValue.Raw != 0) && (Value < FMinValue || Value > FMaxValue))
    RangeError(CurrToStr(Value), CurrToStr(FMinValue), CurrToStr(FMaxValue));
  SetData(Value.Raw);
}

Variant TBCDField::GetAsVariant() const {
  const TFieldData& D = Data();
  return Null(D) ? Variant() : Variant(Currency::FromRaw(AsInt(D)).ToDouble());
}

std::string TBCDField::GetTextImpl(bool DisplayText) const {
  const TFieldData& D = Data();
  if (Null(D)) return std::string();
  const Currency C = Currency::FromRaw(AsInt(D));
  const std::string& Fmt = ActiveFormat(DisplayText);
  if (!Fmt.empty()) return FormatFloat(Fmt, C.ToExtended());
  if (FCurrency)
    return CurrToStrF(C, DisplayText ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed,
                      FormatSettings.CurrencyDecimals);
  return CurrToStr(C);
}

// ---------------------------------------------------------------- Boolean

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner, ftBoolean) {}

void TBooleanField::SetDisplayValues(const std::string& Value) {
  FDisplayValues = Value;
  size_t P = Value.find(';');
  FTrueText = Value.substr(0, P);
  FFalseText = P == std::string::npos ? std::string() : Value.substr(P + 1);
}

std::string TBooleanField::GetAsString() const {
  const TFieldData& D = Data();
  if (Null(D)) return std::string();
  return AsInt(D) ? FTrueText : FFalseText;
}

void TBooleanField::SetAsString(const std::string& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  // A leading part of either text is enough ("t", "Fal").
  auto Matches = [&](const std::string& Text) {
    return Value.size() <= Text.size() && AnsiCompareText(Value, Text.substr(0, Value.size())) == 0;
  };
  if (Matches(FFalseText)) {
    SetAsBoolean(false);
    return;
  }
  if (Matches(FTrueText)) {
    SetAsBoolean(true);
    return;
  }
  throw EConvertError("'" + Value + "' is not a valid boolean value for field '" + GetDisplayName() + "'");
}

bool TBooleanField::GetAsBoolean() const {
  const TFieldData& D = Data();
  return !Null(D) && AsInt(D) != 0;
}
void TBooleanField::SetAsBoolean(bool Value) { SetData(int64_t{Value ? 1 : 0}); }
Variant TBooleanField::GetAsVariant() const {
  const TFieldData& D = Data();
  return Null(D) ? Variant() : Variant(AsInt(D) != 0);
}
std::string TBooleanField::GetTextImpl(bool) const { return GetAsString(); }

// ---------------------------------------------------------------- dates and times

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner, ftDateTime) {}
TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner, ftDate) {}
TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner, ftTime) {}

std::string TDateTimeField::GetAsString() const { return GetTextImpl(false); }

void TDateTimeField::SetAsString(const std::string& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  switch (GetDataType()) {
    case ftDate:
      SetAsDateTime(StrToDate(Value));
      break;
    case ftTime:
      SetAsDateTime(StrToTime(Value));
      break;
    default:
      SetAsDateTime(StrToDateTime(Value));
      break;
  }
}

double TDateTimeField::GetAsFloat() const { return GetAsDateTime(); }
void TDateTimeField::SetAsFloat(double Value) { SetAsDateTime(Value); }

TDateTime TDateTimeField::GetAsDateTime() const {
  const TFieldData& D = Data();
  return Null(D) ? 0.0 : AsDbl(D);
}

void TDateTimeField::SetAsDateTime(TDateTime Value) {
  if (!std::isfinite(Value))
    throw EConvertError(FloatToStr(Value) + " is not a valid value for field '" + GetDisplayName() + "'");
  // Values are kept to the millisecond; a date field keeps the day, a time field the time of day.
  switch (GetDataType()) {
    case ftDate:
      Value = std::trunc(Value);
      break;
    case ftTime:
      Value = std::round(std::fabs(Value - std::trunc(Value)) * 86400000.0) / 86400000.0;
      break;
    default:
      Value = std::round(Value * 86400000.0) / 86400000.0;
      break;
  }
  SetData(Value);
}

Variant TDateTimeField::GetAsVariant() const {
  const TFieldData& D = Data();
  return Null(D) ? Variant() : Variant(AsDbl(D));
}

std::string TDateTimeField::GetTextImpl(bool DisplayText) const {
  const TFieldData& D = Data();
  if (Null(D)) return std::string();
  std::string Fmt;
  if (DisplayText && !FDisplayFormat.empty())
    Fmt = FDisplayFormat;
  else if (GetDataType() == ftDate)
    Fmt = FormatSettings.ShortDateFormat;
  else if (GetDataType() == ftTime)
    Fmt = FormatSettings.LongTimeFormat;
  else
    Fmt = "c";
  return FormatDateTime(Fmt, AsDbl(D));
}

}  // namespace vcl
