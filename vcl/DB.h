// Data access: datasets, fields, data sources and data links.
//
// A dataset holds records and a cursor; fields read and write the values of the
// current record; a data source forwards every dataset event to its data links;
// a data-aware control owns a field data link and follows the dataset through
// the link's four events (OnDataChange, OnEditingChange, OnUpdateData,
// OnActiveChange).
//
// The rules that every control relies on:
// - Writing a field outside dsEdit/dsInsert raises "Dataset not in edit or insert mode".
// - Every field write announces deFieldChange; links hear it (as RecordChanged(Field))
//   unless they are themselves writing (TDataLink::UpdateRecord).
// - Edit, Insert and Append announce the state change first, then a record change.
// - Post asks every link to write its pending value (deUpdateRecord), checks
//   required fields, then stores the record. A failed store leaves the dataset in
//   its edit state with every value kept.
// - Moving to another record while editing writes pending values, then posts when
//   anything was modified and cancels otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"

namespace vcl {

class TDataSet;
class TDataSource;
class TDataLink;
class TField;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
using enum TDataSetState;

enum class TDataEvent {
  deFieldChange,       ///< a field value was written; the field travels with the event
  deRecordChange,      ///< the current record changed as a whole (edit state entered)
  deDataSetChange,     ///< the records changed (open, first, last, post, cancel, insert, delete)
  deDataSetScroll,     ///< the cursor moved
  deLayoutChange,      ///< the fields changed
  deUpdateRecord,      ///< links write their pending values (before a post)
  deUpdateState,       ///< the dataset state changed
  deCheckBrowseMode,   ///< the dataset is about to leave its edit state
  deFocusControl,      ///< a field asks its control to take the focus
};
using enum TDataEvent;

enum class TFieldType {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftAutoInc,
  ftFixedChar,
  ftWideString,
  ftLargeint,
};
using enum TFieldType;

/// The name of a field type as the framework spells it ("ftInteger").
std::string FieldTypeName(TFieldType T);

/// A value in generic form: null (monostate), Boolean, integer, float or string.
using Variant = std::variant<std::monostate, bool, int64_t, double, std::string>;
inline bool VarIsNull(const Variant& V) { return std::holds_alternative<std::monostate>(V); }

/// The stored form of one field value. Booleans are 0/1, ftBCD values are the raw
/// ten-thousandths of a Currency, dates and times are TDateTime doubles; the field
/// type says which alternative a non-null value holds.
using TFieldData = std::variant<std::monostate, int64_t, double, std::string>;

using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

/// Raises EDatabaseError with the text.
[[noreturn]] void DatabaseError(const std::string& Message);

/// Reads ISO 8601 text: "2024-03-01" (Kind = ftDate), "2024-03-01 12:30[:45[.123]]"
/// with a blank or "T" between (ftDateTime), "12:30[:45[.123]]" (ftTime).
bool TryISOToDateTime(const std::string& S, TDateTime& Value, TFieldType& Kind);
/// The ISO 8601 text of a date (ftDate), time (ftTime) or date-time value;
/// milliseconds are written only when not zero.
std::string DateTimeToISO(TDateTime Value, TFieldType Kind);

// ---------------------------------------------------------------- field definitions

class TFieldDef {
public:
  TFieldDef(std::string Name, TFieldType DataType, int Size, bool Required)
      : FName(std::move(Name)), FDataType(DataType), FSize(Size), FRequired(Required) {}
  const std::string& GetName() const { return FName; }
  TFieldType GetDataType() const { return FDataType; }
  void SetDataType(TFieldType Value) { FDataType = Value; }
  /// String fields: the longest text kept (0 = no limit).
  int GetSize() const { return FSize; }
  void SetSize(int Value) { FSize = Value; }
  bool GetRequired() const { return FRequired; }
  void SetRequired(bool Value) { FRequired = Value; }
  /// The field starts read-only (a column the dataset cannot write back).
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }

private:
  std::string FName;
  TFieldType FDataType;
  int FSize;
  bool FRequired;
  bool FReadOnly = false;
};

class TFieldDefs {
public:
  /// Raises "Field name missing" for an empty name and "Duplicate field name 'X'".
  TFieldDef* Add(const std::string& Name, TFieldType DataType, int Size = 0, bool Required = false);
  int Count() const { return static_cast<int>(FItems.size()); }
  TFieldDef* Items(int Index) const;
  TFieldDef* operator[](int Index) const { return Items(Index); }
  int IndexOf(const std::string& Name) const;  ///< case-insensitive; -1 when absent
  TFieldDef* Find(const std::string& Name) const;  ///< nullptr when absent
  void Clear() { FItems.clear(); }

private:
  std::vector<std::unique_ptr<TFieldDef>> FItems;
};

// ---------------------------------------------------------------- fields

/// One column of a dataset, seen on the current record. Fields are created by
/// their dataset when it opens and belong to it.
class TField : public TComponent {
public:
  VCL_CLASS(TField)
  explicit TField(TComponent* AOwner);
  ~TField() override;

  TDataSet* GetDataSet() const { return FDataSet; }
  const std::string& GetFieldName() const { return FFieldName; }
  TFieldType GetDataType() const { return FDataType; }
  /// Position among the dataset's fields, from 0.
  int GetIndex() const { return FIndex; }
  int GetFieldNo() const { return FIndex + 1; }
  std::string GetDisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  void SetDisplayLabel(const std::string& Value) { FDisplayLabel = Value; }
  /// The name used in messages: the display label when set, else the field name.
  std::string GetDisplayName() const { return GetDisplayLabel(); }

  int GetSize() const { return FSize; }
  void SetSize(int Value) { FSize = Value; }
  bool GetRequired() const { return FRequired; }
  void SetRequired(bool Value) { FRequired = Value; }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  /// Not read-only, and the dataset can be modified.
  virtual bool GetCanModify() const;
  bool CanModify() const { return GetCanModify(); }

  /// Reading a value of a closed dataset raises; a dataset without records reads null.
  bool IsNull() const;
  bool GetIsNull() const { return IsNull(); }
  void Clear();

  virtual std::string GetAsString() const;
  virtual void SetAsString(const std::string& Value);
  virtual Integer GetAsInteger() const;
  virtual void SetAsInteger(Integer Value);
  virtual Int64 GetAsLargeInt() const;
  virtual void SetAsLargeInt(Int64 Value);
  virtual double GetAsFloat() const;
  virtual void SetAsFloat(double Value);
  virtual Currency GetAsCurrency() const;
  virtual void SetAsCurrency(Currency Value);
  virtual bool GetAsBoolean() const;
  virtual void SetAsBoolean(bool Value);
  virtual TDateTime GetAsDateTime() const;
  virtual void SetAsDateTime(TDateTime Value);
  /// Null, or the value in the field's natural type (Currency and dates as double).
  virtual Variant GetAsVariant() const;
  void SetAsVariant(const Variant& Value);

  /// The edit text (what a control shows while editing; no display format).
  std::string GetText() const { return GetTextImpl(false); }
  /// Parses Text by the field's type; bad text raises EConvertError; "" clears a
  /// non-string field.
  virtual void SetText(const std::string& Value) { SetAsString(Value); }
  /// The display text (display formats applied).
  std::string GetDisplayText() const { return GetTextImpl(true); }

  /// A handler that raises refuses the value; while it runs the field reads the new value.
  TFieldNotifyEvent GetOnValidate() const { return FOnValidate; }
  void SetOnValidate(TFieldNotifyEvent Value) { FOnValidate = std::move(Value); }
  /// Fired after every write of the field, once the links have heard of it.
  TFieldNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TFieldNotifyEvent Value) { FOnChange = std::move(Value); }

  /// Asks the data link bound to this field to focus its control.
  void FocusControl();

  // Used by TDataSet when it creates and binds its fields.
  void Bind(TDataSet* DataSet, int Index, const std::string& Name, TFieldType DataType);
  void Unbind();

protected:
  TField(TComponent* AOwner, TFieldType DataType) : TComponent(AOwner), FDataType(DataType) {}
  /// DisplayText = true for the display text, false for the edit text.
  virtual std::string GetTextImpl(bool DisplayText) const;
  [[noreturn]] void AccessError(const std::string& TypeName) const;
  [[noreturn]] void RangeError(const std::string& Value, const std::string& Min, const std::string& Max) const;
  const TFieldData& Data() const;
  void SetData(TFieldData Value);

private:
  friend class TDataSet;
  TDataSet* FDataSet = nullptr;
  int FIndex = -1;
  std::string FFieldName;
  TFieldType FDataType = ftUnknown;
  std::string FDisplayLabel;
  int FSize = 0;
  bool FRequired = false;
  bool FReadOnly = false;
  bool FVisible = true;
  TFieldNotifyEvent FOnValidate, FOnChange;
};

/// ftString, ftFixedChar. Text longer than Size (when Size > 0) is cut at Size,
/// as the framework does; controls limit their input to Size beforehand.
class TStringField : public TField {
public:
  VCL_CLASS(TStringField)
  explicit TStringField(TComponent* AOwner);

protected:
  TStringField(TComponent* AOwner, TFieldType DataType) : TField(AOwner, DataType) {}

public:
  std::string GetAsString() const override;
  void SetAsString(const std::string& Value) override;
  Integer GetAsInteger() const override;
  void SetAsInteger(Integer Value) override;
  Int64 GetAsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double GetAsFloat() const override;
  void SetAsFloat(double Value) override;
  Currency GetAsCurrency() const override;
  void SetAsCurrency(Currency Value) override;
  /// True for a text starting with T or Y (either case); no error for other text.
  bool GetAsBoolean() const override;
  void SetAsBoolean(bool Value) override;  ///< "T" or "F"
  TDateTime GetAsDateTime() const override;
  void SetAsDateTime(TDateTime Value) override;
  Variant GetAsVariant() const override;

protected:
  std::string GetTextImpl(bool DisplayText) const override;
};

/// ftWideString: text kept as 8-bit characters like every string of the framework.
class TWideStringField : public TStringField {
public:
  VCL_CLASS(TWideStringField)
  explicit TWideStringField(TComponent* AOwner);
};

/// The common base of the number fields: display and edit formats (FormatFloat syntax).
class TNumericField : public TField {
public:
  VCL_CLASS(TNumericField)
  explicit TNumericField(TComponent* AOwner) : TField(AOwner) {}

protected:
  TNumericField(TComponent* AOwner, TFieldType DataType) : TField(AOwner, DataType) {}

public:
  const std::string& GetDisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& Value) { FDisplayFormat = Value; }
  /// Used for the edit text; when empty the edit text uses DisplayFormat.
  const std::string& GetEditFormat() const { return FEditFormat; }
  void SetEditFormat(const std::string& Value) { FEditFormat = Value; }

protected:
  /// The format that applies: DisplayFormat for display text or without EditFormat.
  const std::string& ActiveFormat(bool DisplayText) const;

private:
  std::string FDisplayFormat, FEditFormat;
};

/// ftInteger, and through its descendants ftSmallint, ftWord and ftAutoInc.
/// MinValue and MaxValue both 0 mean the range of the type.
class TIntegerField : public TNumericField {
public:
  VCL_CLASS(TIntegerField)
  explicit TIntegerField(TComponent* AOwner);

protected:
  TIntegerField(TComponent* AOwner, TFieldType DataType) : TNumericField(AOwner, DataType) {}

public:
  Integer GetMinValue() const { return FMinValue; }
  void SetMinValue(Integer Value) { FMinValue = Value; }
  Integer GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(Integer Value) { FMaxValue = Value; }

  std::string GetAsString() const override;
  void SetAsString(const std::string& Value) override;
  Integer GetAsInteger() const override;
  void SetAsInteger(Integer Value) override;
  Int64 GetAsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double GetAsFloat() const override;
  void SetAsFloat(double Value) override;  ///< rounded to the nearest integer
  Currency GetAsCurrency() const override;
  void SetAsCurrency(Currency Value) override;
  Variant GetAsVariant() const override;

protected:
  std::string GetTextImpl(bool DisplayText) const override;
  Int64 FMinRange = INT32_MIN, FMaxRange = INT32_MAX;  ///< the range of the type

private:
  void StoreChecked(Int64 Value);
  Integer FMinValue = 0, FMaxValue = 0;
};

class TSmallintField : public TIntegerField {
public:
  VCL_CLASS(TSmallintField)
  explicit TSmallintField(TComponent* AOwner);
};

class TWordField : public TIntegerField {
public:
  VCL_CLASS(TWordField)
  explicit TWordField(TComponent* AOwner);
};

/// Filled by the dataset when a record is stored without a value.
class TAutoIncField : public TIntegerField {
public:
  VCL_CLASS(TAutoIncField)
  explicit TAutoIncField(TComponent* AOwner);
};

/// ftLargeint: 64-bit integers. MinValue and MaxValue both 0 mean no range check.
class TLargeintField : public TNumericField {
public:
  VCL_CLASS(TLargeintField)
  explicit TLargeintField(TComponent* AOwner);
  Int64 GetMinValue() const { return FMinValue; }
  void SetMinValue(Int64 Value) { FMinValue = Value; }
  Int64 GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(Int64 Value) { FMaxValue = Value; }

  std::string GetAsString() const override;
  void SetAsString(const std::string& Value) override;
  Integer GetAsInteger() const override;  ///< raises when the value does not fit 32 bits
  void SetAsInteger(Integer Value) override;
  Int64 GetAsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double GetAsFloat() const override;
  void SetAsFloat(double Value) override;
  Currency GetAsCurrency() const override;
  void SetAsCurrency(Currency Value) override;
  Variant GetAsVariant() const override;

protected:
  std::string GetTextImpl(bool DisplayText) const override;

private:
  Int64 FMinValue = 0, FMaxValue = 0;
};

/// ftFloat (and ftCurrency through TCurrencyField). MinValue and MaxValue both 0
/// mean no range check. NaN and infinities are refused.
class TFloatField : public TNumericField {
public:
  VCL_CLASS(TFloatField)
  explicit TFloatField(TComponent* AOwner);

protected:
  TFloatField(TComponent* AOwner, TFieldType DataType) : TNumericField(AOwner, DataType) {}

public:
  double GetMinValue() const { return FMinValue; }
  void SetMinValue(double Value) { FMinValue = Value; }
  double GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value) { FMaxValue = Value; }
  /// Significant digits of the text without a format (default 15).
  int GetPrecision() const { return FPrecision; }
  void SetPrecision(int Value) { FPrecision = Value; }
  /// Texts without a format show the value as money (display) or fixed (edit).
  bool GetCurrency() const { return FCurrency; }
  void SetCurrency(bool Value) { FCurrency = Value; }

  std::string GetAsString() const override;
  void SetAsString(const std::string& Value) override;
  Integer GetAsInteger() const override;  ///< rounded to the nearest integer
  void SetAsInteger(Integer Value) override;
  Int64 GetAsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double GetAsFloat() const override;
  void SetAsFloat(double Value) override;
  Currency GetAsCurrency() const override;
  void SetAsCurrency(Currency Value) override;
  Variant GetAsVariant() const override;

protected:
  std::string GetTextImpl(bool DisplayText) const override;

private:
  double FMinValue = 0, FMaxValue = 0;
  int FPrecision = 15;
  bool FCurrency = false;
};

/// ftCurrency: a float field shown as money.
class TCurrencyField : public TFloatField {
public:
  VCL_CLASS(TCurrencyField)
  explicit TCurrencyField(TComponent* AOwner);
};

/// ftBCD: a fixed-point value with four decimals, kept as Currency.
/// MinValue and MaxValue both 0 mean no range check.
class TBCDField : public TNumericField {
public:
  VCL_CLASS(TBCDField)
  explicit TBCDField(TComponent* AOwner);
  Currency GetMinValue() const { return FMinValue; }
  void SetMinValue(Currency Value) { FMinValue = Value; }
  Currency GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(Currency Value) { FMaxValue = Value; }
  bool GetCurrency() const { return FCurrency; }
  void SetCurrency(bool Value) { FCurrency = Value; }

  std::string GetAsString() const override;
  void SetAsString(const std::string& Value) override;
  Integer GetAsInteger() const override;
  void SetAsInteger(Integer Value) override;
  Int64 GetAsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double GetAsFloat() const override;
  void SetAsFloat(double Value) override;
  Currency GetAsCurrency() const override;
  void SetAsCurrency(Currency Value) override;
  Variant GetAsVariant() const override;

protected:
  std::string GetTextImpl(bool DisplayText) const override;

private:
  Currency FMinValue, FMaxValue;
  bool FCurrency = false;
};

class TBooleanField : public TField {
public:
  VCL_CLASS(TBooleanField)
  explicit TBooleanField(TComponent* AOwner);
  /// "TrueText;FalseText" (default "True;False"); the texts of AsString and Text.
  const std::string& GetDisplayValues() const { return FDisplayValues; }
  void SetDisplayValues(const std::string& Value);

  std::string GetAsString() const override;
  /// Accepts a leading part of either text, any case; "" clears.
  void SetAsString(const std::string& Value) override;
  bool GetAsBoolean() const override;
  void SetAsBoolean(bool Value) override;
  Variant GetAsVariant() const override;

protected:
  std::string GetTextImpl(bool DisplayText) const override;

private:
  std::string FDisplayValues = "True;False";
  std::string FTrueText = "True", FFalseText = "False";
};

/// ftDateTime, and through its descendants ftDate (whole days) and ftTime (the
/// time of day). DisplayFormat (FormatDateTime syntax) applies to the display text.
class TDateTimeField : public TField {
public:
  VCL_CLASS(TDateTimeField)
  explicit TDateTimeField(TComponent* AOwner);

protected:
  TDateTimeField(TComponent* AOwner, TFieldType DataType) : TField(AOwner, DataType) {}

public:
  const std::string& GetDisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& Value) { FDisplayFormat = Value; }

  std::string GetAsString() const override;
  void SetAsString(const std::string& Value) override;
  double GetAsFloat() const override;
  void SetAsFloat(double Value) override;
  TDateTime GetAsDateTime() const override;
  void SetAsDateTime(TDateTime Value) override;
  Variant GetAsVariant() const override;

protected:
  std::string GetTextImpl(bool DisplayText) const override;

private:
  std::string FDisplayFormat;
};

class TDateField : public TDateTimeField {
public:
  VCL_CLASS(TDateField)
  explicit TDateField(TComponent* AOwner);
};

class TTimeField : public TDateTimeField {
public:
  VCL_CLASS(TTimeField)
  explicit TTimeField(TComponent* AOwner);
};

/// Creates an unbound field of the class that serves the type.
TField* CreateFieldOfType(TFieldType DataType, TComponent* AOwner = nullptr);

// ---------------------------------------------------------------- datasets

/// A position in a dataset that stays valid while other records are inserted or
/// deleted. Obtained from GetBookmark and released with FreeBookmark.
struct TBookmarkData;
using TBookmark = TBookmarkData*;

/// The common dataset: states, cursor, record store, fields, events. Descendants
/// fill the record store when they open and may write each post and delete
/// through to their storage (TMemDataSet, TSQLiteDataSet).
class TDataSet : public TComponent {
public:
  VCL_CLASS(TDataSet)
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  // ---- state
  bool GetActive() const { return FState != dsInactive; }
  /// While the form is being read the value waits for Loaded.
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  /// Leaves any edit state without posting (pending values are dropped, as Cancel does).
  void Close() { SetActive(false); }
  TDataSetState GetState() const { return FState; }
  /// A field was written since the dataset entered its edit state.
  bool GetModified() const { return FModified; }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  /// Active, not read-only, and writable by its kind (a query is not).
  virtual bool GetCanModify() const;
  bool CanModify() const { return GetCanModify(); }

  // ---- navigation (each first writes pending values: post when modified, else cancel)
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  /// Answers how many records the cursor actually moved.
  int MoveBy(int Distance);
  bool GetEof() const { return FEof; }
  bool GetBof() const { return FBof; }
  bool Eof() const { return FEof; }
  bool Bof() const { return FBof; }
  bool IsEmpty() const;
  /// Stored records (an unposted insert is not counted). Raises on a closed dataset.
  int GetRecordCount() const;
  /// 1-based position; -1 without a current record (empty, or inserting).
  int GetRecNo() const;
  /// Moves to record Value (1-based); a value out of range is ignored.
  void SetRecNo(int Value);
  /// Move and answer whether a record was reached; FindNext/FindPrior do not move past the ends.
  bool FindFirst();
  bool FindLast();
  bool FindNext();
  bool FindPrior();

  // ---- bookmarks
  /// nullptr when there is no stored current record (empty, or inserting).
  TBookmark GetBookmark() const;
  /// Raises "Record not found" when the record was deleted; nullptr does nothing.
  void GotoBookmark(TBookmark Bookmark);
  void FreeBookmark(TBookmark Bookmark) const;
  bool BookmarkValid(TBookmark Bookmark) const;
  /// <0, 0, >0 by record position; a deleted or null bookmark sorts first.
  int CompareBookmarks(TBookmark A, TBookmark B) const;
  /// Bookmarks taken and not yet freed.
  int GetBookmarkCount() const { return FBookmarkCount; }

  // ---- fields
  int GetFieldCount() const { return static_cast<int>(FFields.size()); }
  TField* GetField(int Index) const;
  TField* Fields(int Index) const { return GetField(Index); }
  /// Raises "Field 'X' not found".
  TField* FieldByName(const std::string& FieldName) const;
  TField* FindField(const std::string& FieldName) const;  ///< case-insensitive; nullptr when absent
  /// The field names; of a closed dataset that has no fields yet, its definitions.
  void GetFieldNames(TStrings* List);
  TFieldDefs* GetFieldDefs() { return &FFieldDefs; }

  // ---- editing
  /// Does nothing in an edit state; on an empty dataset inserts a record.
  void Edit();
  void Insert();  ///< before the current record
  void Append();  ///< after the last record
  void Post();
  void Cancel();
  void Delete();  ///< in insert state cancels the insert
  /// Asks every link to write its pending value; raises unless editing.
  void UpdateRecord();
  /// Leaves an edit state: writes pending values, then posts when modified, else cancels.
  void CheckBrowseMode();
  /// Appends a record with the values in field order (fewer values leave the rest null) and posts it.
  void AppendRecord(const std::vector<Variant>& Values);
  void InsertRecord(const std::vector<Variant>& Values);

  // ---- controls
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return FDisableCount > 0; }

  // ---- events
  TDataSetNotifyEvent GetBeforeOpen() const { return FBeforeOpen; }
  void SetBeforeOpen(TDataSetNotifyEvent V) { FBeforeOpen = std::move(V); }
  TDataSetNotifyEvent GetAfterOpen() const { return FAfterOpen; }
  void SetAfterOpen(TDataSetNotifyEvent V) { FAfterOpen = std::move(V); }
  TDataSetNotifyEvent GetBeforeClose() const { return FBeforeClose; }
  void SetBeforeClose(TDataSetNotifyEvent V) { FBeforeClose = std::move(V); }
  TDataSetNotifyEvent GetAfterClose() const { return FAfterClose; }
  void SetAfterClose(TDataSetNotifyEvent V) { FAfterClose = std::move(V); }
  TDataSetNotifyEvent GetBeforeInsert() const { return FBeforeInsert; }
  void SetBeforeInsert(TDataSetNotifyEvent V) { FBeforeInsert = std::move(V); }
  TDataSetNotifyEvent GetAfterInsert() const { return FAfterInsert; }
  void SetAfterInsert(TDataSetNotifyEvent V) { FAfterInsert = std::move(V); }
  TDataSetNotifyEvent GetBeforeEdit() const { return FBeforeEdit; }
  void SetBeforeEdit(TDataSetNotifyEvent V) { FBeforeEdit = std::move(V); }
  TDataSetNotifyEvent GetAfterEdit() const { return FAfterEdit; }
  void SetAfterEdit(TDataSetNotifyEvent V) { FAfterEdit = std::move(V); }
  TDataSetNotifyEvent GetBeforePost() const { return FBeforePost; }
  void SetBeforePost(TDataSetNotifyEvent V) { FBeforePost = std::move(V); }
  TDataSetNotifyEvent GetAfterPost() const { return FAfterPost; }
  void SetAfterPost(TDataSetNotifyEvent V) { FAfterPost = std::move(V); }
  TDataSetNotifyEvent GetBeforeCancel() const { return FBeforeCancel; }
  void SetBeforeCancel(TDataSetNotifyEvent V) { FBeforeCancel = std::move(V); }
  TDataSetNotifyEvent GetAfterCancel() const { return FAfterCancel; }
  void SetAfterCancel(TDataSetNotifyEvent V) { FAfterCancel = std::move(V); }
  TDataSetNotifyEvent GetBeforeDelete() const { return FBeforeDelete; }
  void SetBeforeDelete(TDataSetNotifyEvent V) { FBeforeDelete = std::move(V); }
  TDataSetNotifyEvent GetAfterDelete() const { return FAfterDelete; }
  void SetAfterDelete(TDataSetNotifyEvent V) { FAfterDelete = std::move(V); }
  TDataSetNotifyEvent GetBeforeScroll() const { return FBeforeScroll; }
  void SetBeforeScroll(TDataSetNotifyEvent V) { FBeforeScroll = std::move(V); }
  TDataSetNotifyEvent GetAfterScroll() const { return FAfterScroll; }
  void SetAfterScroll(TDataSetNotifyEvent V) { FAfterScroll = std::move(V); }
  /// Fired when a record is inserted or appended, in insert state: set defaults here.
  TDataSetNotifyEvent GetOnNewRecord() const { return FOnNewRecord; }
  void SetOnNewRecord(TDataSetNotifyEvent V) { FOnNewRecord = std::move(V); }

  void Loaded() override;

  // Used by TField and TDataSource.
  const TFieldData& ActiveFieldData(const TField* Field) const;
  void SetFieldData(TField* Field, TFieldData Value);
  void DataEvent(TDataEvent Event, TField* Field = nullptr, int Distance = 0);
  void AddDataSource(TDataSource* Source);
  void RemoveDataSource(TDataSource* Source);

protected:
  enum class TPostKind { pkUpdate, pkInsert };

  /// Fills FieldDefs (when the kind defines its own) and the record store.
  virtual void InternalOpen() = 0;
  /// Releases the storage; the record store is cleared by the caller.
  virtual void InternalClose() {}
  /// Writes a record to the storage before the record store takes it. Values
  /// holds the whole record and may be completed (defaults, generated keys);
  /// Changed marks the fields written since the edit began. Raising leaves the
  /// dataset in its edit state with nothing changed.
  virtual void InternalPost(TPostKind Kind, std::vector<TFieldData>& Values, const std::vector<bool>& Changed,
                            int64_t& RowId);
  /// Removes a record from the storage; raising keeps the record.
  virtual void InternalDelete(int64_t RowId);
  /// Fills FieldDefs of a closed dataset for GetFieldNames (default: nothing).
  virtual void InternalInitFieldDefs() {}
  /// Whether the kind of dataset can write at all (a query cannot).
  virtual bool KindCanModify() const { return true; }

  // ---- the record store (rows in order, FieldDefs.Count() values each)
  void ClearRows();
  void ReserveRows(size_t Count);
  /// Appends a row of nulls; the pointer addresses its first value until the next AddRow.
  TFieldData* AddRow(int64_t RowId);
  int RowCount() const { return static_cast<int>(FRowIds.size()); }
  TFieldData& RowValue(int Row, int Field) { return FData[static_cast<size_t>(Row) * FStride + static_cast<size_t>(Field)]; }
  int64_t RowId(int Row) const { return FRowIds[static_cast<size_t>(Row)]; }
  int CurrentRow() const { return FCurrent; }

  void CheckActive() const;
  void CheckInactive() const;
  void SetState(TDataSetState Value);

private:
  void OpenCursor();
  void CloseCursor();
  void CreateFields();
  void CheckCanModify() const;
  void CheckRequiredFields();
  void BeginInsertAppend(bool Append);
  void StoreRecord();
  int FindRowByKey(uint64_t Key, int Hint) const;
  void Resync();
  void SetCurrent(int Row);
  void DoEvent(const TDataSetNotifyEvent& E) { if (E) E(this); }

  TFieldDefs FFieldDefs;
  std::vector<TField*> FFields;
  std::vector<TDataSource*> FDataSources;

  // record store
  std::vector<TFieldData> FData;
  std::vector<int64_t> FRowIds;
  std::vector<uint64_t> FKeys;
  size_t FStride = 0;
  uint64_t FNextKey = 1;

  // cursor and edit buffer
  int FCurrent = -1;
  int FInsertPos = -1;
  bool FBof = true, FEof = true;
  bool FInsertBof = true, FInsertEof = true;  ///< the flags to restore when an insert is cancelled
  std::vector<TFieldData> FEditBuffer;
  std::vector<bool> FEditChanged;

  TDataSetState FState = dsInactive;
  bool FModified = false;
  bool FReadOnly = false;
  bool FStreamedActive = false;
  int FDisableCount = 0;
  TDataSetState FDisableState = dsInactive;
  TDataEvent FEnableEvent = deDataSetChange;
  mutable int FBookmarkCount = 0;

  TDataSetNotifyEvent FBeforeOpen, FAfterOpen, FBeforeClose, FAfterClose, FBeforeInsert, FAfterInsert,
      FBeforeEdit, FAfterEdit, FBeforePost, FAfterPost, FBeforeCancel, FAfterCancel, FBeforeDelete,
      FAfterDelete, FBeforeScroll, FAfterScroll, FOnNewRecord;
};

// ---------------------------------------------------------------- data sources and links

/// Connects data links to a dataset and forwards the dataset's events to them.
class TDataSource : public TComponent {
public:
  VCL_CLASS(TDataSource)
  static constexpr bool DefaultAutoEdit = true;
  static constexpr bool DefaultEnabled = true;

  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;

  TDataSet* GetDataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  bool GetAutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool Value) { FAutoEdit = Value; }
  /// A disabled source reports dsInactive to its links.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TDataSetState GetState() const { return FState; }
  /// Puts the dataset into edit state when AutoEdit is on and it is browsing.
  void Edit();

  TNotifyEvent GetOnStateChange() const { return FOnStateChange; }
  void SetOnStateChange(TNotifyEvent Value) { FOnStateChange = std::move(Value); }
  /// Field is the written field, or nullptr for a record or dataset change.
  TDataChangeEvent GetOnDataChange() const { return FOnDataChange; }
  void SetOnDataChange(TDataChangeEvent Value) { FOnDataChange = std::move(Value); }
  TNotifyEvent GetOnUpdateData() const { return FOnUpdateData; }
  void SetOnUpdateData(TNotifyEvent Value) { FOnUpdateData = std::move(Value); }

  int GetDataLinkCount() const { return static_cast<int>(FDataLinks.size()); }

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Used by TDataSet and TDataLink.
  void DataEvent(TDataEvent Event, TField* Field, int Distance);
  void UpdateState();
  void AddDataLink(TDataLink* Link);
  void RemoveDataLink(TDataLink* Link);
  void SetDataSetDirect(TDataSet* Value) { FDataSet = Value; }

private:
  void SetState(TDataSetState Value);
  void NotifyDataLinks(TDataEvent Event, TField* Field, int Distance);

  TDataSet* FDataSet = nullptr;
  std::vector<TDataLink*> FDataLinks;
  TDataSetState FState = dsInactive;
  bool FAutoEdit = DefaultAutoEdit;
  bool FEnabled = DefaultEnabled;
  TNotifyEvent FOnStateChange;
  TDataChangeEvent FOnDataChange;
  TNotifyEvent FOnUpdateData;
};

/// Follows a data source. Descendants override the virtual reactions.
class TDataLink : public TPersistent {
public:
  TDataLink() = default;
  ~TDataLink() override;
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* GetDataSource() const { return FDataSource; }
  /// Raises "DataSource cannot be changed" while DataSourceFixed is set.
  void SetDataSource(TDataSource* Value);
  TDataSet* GetDataSet() const;
  bool GetDataSourceFixed() const { return FDataSourceFixed; }
  void SetDataSourceFixed(bool Value) { FDataSourceFixed = Value; }
  /// A data source with an open dataset.
  bool GetActive() const { return FActive; }
  /// Active, the dataset in an edit state, and the link not read-only.
  virtual bool GetEditing() const { return FEditing; }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  /// While UpdateRecord runs; field changes are not echoed to the link then.
  bool GetUpdating() const { return FUpdating; }

  /// Unless read-only asks the data source to edit; answers Editing.
  virtual bool Edit();
  /// Calls UpdateData with the updating flag set.
  void UpdateRecord();
  /// Applies the action to the data source when the action handles it.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);

  // Used by TDataSource.
  void DataEvent(TDataEvent Event, TField* Field, int Distance);
  void UpdateState();
  void SetDataSourceDirect(TDataSource* Value) { FDataSource = Value; }

protected:
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int /*Distance*/) { DataSetChanged(); }
  virtual void EditingChanged() {}
  virtual void FocusControl(TField* /*Field*/) {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* /*Field*/) {}
  virtual void UpdateData() {}
  /// Clears the flags so that no event reaches a half-destroyed owner.
  void Detach();

private:
  void SetActive(bool Value);
  void SetEditing(bool Value);

  TDataSource* FDataSource = nullptr;
  bool FActive = false;
  bool FEditing = false;
  bool FReadOnly = false;
  bool FUpdating = false;
  bool FDataSourceFixed = false;
};

/// The link of a control bound to one field.
class TFieldDataLink : public TDataLink {
public:
  TFieldDataLink() = default;
  ~TFieldDataLink() override;

  const std::string& GetFieldName() const { return FFieldName; }
  /// Resolves the field at once when the link is active (raises "Field 'X' not found").
  void SetFieldName(const std::string& Value);
  TField* GetField() const { return FField; }
  TComponent* GetControl() const { return FControl; }
  void SetControl(TComponent* Value) { FControl = Value; }
  /// Not read-only, a field, and the field can be modified.
  bool GetCanModify() const;
  bool CanModify() const { return GetCanModify(); }
  /// Editing of the link and CanModify.
  bool GetEditing() const override { return FEditing; }
  bool Editing() const { return FEditing; }
  /// The control has changed the value since the link last read or wrote it.
  bool GetModified() const { return FModified; }

  /// Asks for edit state only when CanModify; answers Editing.
  bool Edit() override;
  void Modified() { FModified = true; }
  /// Re-reads the field: OnDataChange, and the modified flag is cleared.
  void Reset() { RecordChanged(nullptr); }

  TNotifyEvent GetOnDataChange() const { return FOnDataChange; }
  void SetOnDataChange(TNotifyEvent Value) { FOnDataChange = std::move(Value); }
  TNotifyEvent GetOnEditingChange() const { return FOnEditingChange; }
  void SetOnEditingChange(TNotifyEvent Value) { FOnEditingChange = std::move(Value); }
  TNotifyEvent GetOnUpdateData() const { return FOnUpdateData; }
  void SetOnUpdateData(TNotifyEvent Value) { FOnUpdateData = std::move(Value); }
  TNotifyEvent GetOnActiveChange() const { return FOnActiveChange; }
  void SetOnActiveChange(TNotifyEvent Value) { FOnActiveChange = std::move(Value); }

protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void FocusControl(TField* Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

private:
  void UpdateField();
  void SetField(TField* Value);
  void SetEditingFlag(bool Value);

  std::string FFieldName;
  TField* FField = nullptr;
  TComponent* FControl = nullptr;
  bool FEditing = false;
  bool FModified = false;
  TNotifyEvent FOnDataChange, FOnEditingChange, FOnUpdateData, FOnActiveChange;
};

/// How a data-aware control aligns right-to-left: only in a Middle-East locale,
/// for a control whose published BiDiMode is bdRightToLeft.
bool DBUseRightToLeftAlignment(TComponent* AControl, TField* AField);

/// The window layer installs this so that a field's FocusControl (for example a
/// required field left empty on Post) can focus the control bound to it.
/// Answers whether the control took the focus.
using TFocusControlHandler = std::function<bool(TComponent* Control)>;
void SetFocusControlHandler(TFocusControlHandler Handler);

}  // namespace vcl

VCL_ENUM_NAMES(vcl::TDataSetState, "dsInactive", "dsBrowse", "dsEdit", "dsInsert");
VCL_ENUM_NAMES(vcl::TFieldType, "ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean",
               "ftFloat", "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftAutoInc", "ftFixedChar",
               "ftWideString", "ftLargeint");
