// The field-bound edits: the core every text-entry control of the package
// derives from (TZYMDbCustomEdit), the plain string edit (TZYMQIXDbEdit) and
// the base of the typed-value edits (TZYMDbBaseEdit).
//
// The core follows one field of a dataset through a TFieldDataLink. The link's
// four events reach the virtual DataChange, EditingChange, UpdateData and
// ActiveChange. The edit window stays read-only until the link has put the
// dataset into edit state; every editing key asks for that state first. A
// control shows either a value or null; null is entered with Ctrl+N and reaches
// the dataset at once (Field.Clear). Leaving the control commits its text
// through the link, with one retry after forcing edit state.
//
// While a control shows null, committing clears the field (when it is not
// null already) and writes nothing else: UpdateData overrides are not called
// then, so they only ever write a value.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "rt/ZYMQIXEvents.h"
#include "rt/ZYMQIXSettings.h"
#include "vcl/DB.h"
#include "vcl/StdCtrls.h"

namespace zymqix {

/// The commit of a control leaving the focus: Link.UpdateRecord; when that
/// raises, Link.Edit and Link.UpdateRecord once more; when that raises too,
/// Refocus runs and the second exception propagates.
void ZYMUpdateRecordRetryOnce(vcl::TFieldDataLink& Link, const std::function<void()>& Refocus);

/// Whether Link's open dataset has a field Name whose type is one of Types.
/// False for an empty name, no link, no dataset or a closed one; a name the
/// dataset does not know raises the dataset's "Field 'X' not found".
bool ZYMLinkFieldTypeIn(const vcl::TFieldDataLink* Link, const std::string& Name,
                        std::initializer_list<vcl::TFieldType> Types);

class TZYMDbCustomEdit : public vcl::TCustomEdit {
public:
  VCL_CLASS(TZYMDbCustomEdit)
  // Published defaults: the constructor and the property registration both use these.
  static constexpr bool DefaultFlat = false;
  static constexpr int DefaultFlatBorder = 2;
  static constexpr bool DefaultNumPadDecimal = false;
  static constexpr bool DefaultAllowKbdNull = true;
  static constexpr vcl::TAlignment DefaultAlignment = vcl::taLeftJustify;
  static constexpr bool DefaultBlankWhenNull = false;
  static constexpr bool DefaultColorDefaults = true;
  static constexpr vcl::TColor DefaultColorBorderFocus = vcl::clWindowFrame;
  static constexpr vcl::TColor DefaultColorBorderUnfocus = vcl::clWindow;
  static constexpr vcl::TColor DefaultColorDisabled = vcl::clBtnFace;
  static constexpr vcl::TColor DefaultColorFocus = vcl::clWindow;
  static constexpr vcl::TColor DefaultColorRO = defaults::ROColor;
  static constexpr vcl::TColor DefaultColorRW = vcl::clWindow;
  static constexpr bool DefaultReadOnly = false;
  static constexpr const char* VersionText = "2.0.0";

  explicit TZYMDbCustomEdit(vcl::TComponent* AOwner);
  ~TZYMDbCustomEdit() override;

  // ---- binding ----
  vcl::TDataSource* GetDataSource() const;
  /// Asks the new source for a free notification, so that the control lets go of it when it goes.
  void SetDataSource(vcl::TDataSource* Value);
  std::string GetDataField() const;
  /// At run time resets the length limit first (ResetMaxLength), then names the
  /// field. Typed descendants check the field's type here.
  virtual void SetDataField(const std::string& Value);
  vcl::TField* GetField() const;
  /// Clears MaxLength when it equals the Size of the bound string field (the
  /// field limits the text already); anything else stays.
  void ResetMaxLength();

  // ---- null ----
  bool IsNull() const { return FIsNull; }
  /// Shows null (True) or a value. Null reaches the field at once through
  /// Field.Clear (failures to edit or clear are swallowed); a required field
  /// never becomes null. On an unbound control only the shown state changes.
  void SetNull(bool Value);
  const std::string& GetNullStr() const { return FNullStr; }
  void SetNullStr(const std::string& Value);
  /// Stream NullStr only when it is not the base package's ZYMNullStr and no blank is shown.
  bool IsNullStrStored() const;
  bool GetBlankWhenNull() const { return FBlankWhenNull; }
  void SetBlankWhenNull(bool Value);
  bool GetAllowKbdNull() const { return FAllowKbdNull; }
  void SetAllowKbdNull(bool Value) { FAllowKbdNull = Value; }

  // ---- state ----
  /// The control's read-only state, kept in the data link (not the window's own).
  bool GetReadOnly() const;
  /// Also sets the window's read-only state, the colours and, under
  /// ZYMNoTabStopOnReadOnly, the tab stop; writing the current value does nothing.
  void SetReadOnly(bool Value);
  bool GetFocused() const { return FFocused; }
  /// Marks the control focused or not: colours, and the whole text selected under AutoSelect.
  void SetFocused(bool Value);
  bool GetNumPadDecimal() const { return FNumPadDecimal; }
  void SetNumPadDecimal(bool Value) { FNumPadDecimal = Value; }
  vcl::TAlignment GetAlignment() const { return FAlignment; }
  /// A new value recreates the window with the matching style.
  void SetAlignment(vcl::TAlignment Value);
  /// "2.0.0"; writing does nothing.
  std::string GetVersion() const { return VersionText; }
  void SetVersion(const std::string& /*Value*/) {}

  // ---- colours and flat border ----
  /// Colour updates (UpdateColors, FlattenControl) do nothing until EndUpdate.
  /// A flag, not a counter: one EndUpdate ends any number of BeginUpdate calls.
  void BeginUpdate() { FUpdateLock = true; }
  void EndUpdate();
  /// Sets Color from the state (disabled, read-only, focused, editable), or
  /// draws the flat border when Flat; then invalidates.
  void UpdateColors();
  /// Draws the flat border into the window's non-client area and sets Color
  /// for the plain or the hot look (focused or under the mouse).
  void FlattenControl();

  bool GetFlat() const { return FFlat; }
  /// True draws at once; False recreates the window to bring the normal edge back.
  void SetFlat(bool Value);
  int GetFlatBorder() const { return FFlatBorder; }
  /// 1 or 2 pixels; other values are clamped to that range.
  void SetFlatBorder(int Value);
  bool GetColor_Defaults() const { return FColor_Defaults; }
  /// True takes the state colours from the base package's globals as they are now.
  void SetColor_Defaults(bool Value);
  vcl::TColor GetColorBorderFocus() const { return FColorBorderFocus; }
  void SetColorBorderFocus(vcl::TColor Value);
  vcl::TColor GetColorBorderUnfocus() const { return FColorBorderUnfocus; }
  void SetColorBorderUnfocus(vcl::TColor Value);
  vcl::TColor GetColorDisabled() const { return FColorDisabled; }
  /// A disabled control is enabled and disabled again so that it repaints in the new colour.
  void SetColorDisabled(vcl::TColor Value);
  vcl::TColor GetColorFocus() const { return FColorFocus; }
  void SetColorFocus(vcl::TColor Value);
  vcl::TColor GetColorRO() const { return FColorRO; }
  void SetColorRO(vcl::TColor Value);
  vcl::TColor GetColorRW() const { return FColorRW; }
  void SetColorRW(vcl::TColor Value);

  // ---- events ----
  /// Fired after Ctrl+N, also when the null state could not change.
  vcl::TNotifyEvent GetOnNull() const { return FOnNull; }
  void SetOnNull(vcl::TNotifyEvent Value) { FOnNull = std::move(Value); }
  vcl::TNotifyEvent GetOnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(vcl::TNotifyEvent Value) { FOnMouseEnter = std::move(Value); }
  vcl::TNotifyEvent GetOnMouseExit() const { return FOnMouseExit; }
  void SetOnMouseExit(vcl::TNotifyEvent Value) { FOnMouseExit = std::move(Value); }
  // OnEnter and OnExit are the framework's, fired by this control's own DoEnter
  // and DoExit at their place in the enter and exit sequences.

  bool ExecuteAction(vcl::TBasicAction* Action) override;
  bool UpdateAction(vcl::TBasicAction* Action) override;
  bool UseRightToLeftAlignment() const override;
  void Loaded() override;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

protected:
  // ---- steps descendants give their meaning ----
  /// First step of leaving the control, before the record is updated; an
  /// exception stops the exit. Empty here.
  virtual void DoExitStart() {}
  /// Text to value. Empty here.
  virtual void Convert2Value() {}
  /// Value to text. Here: the null text (or a blank) while null, else nothing.
  virtual void DisplayText();
  virtual void SetColors2Defaults();

  // ---- data link events ----
  /// Re-reads the field: the null flag, then the edit text (focused and
  /// modifiable) or the display text, then DisplayText. Without a field the
  /// component's name at design time, else an empty text.
  virtual void DataChange();
  /// The window is writable exactly while the link is editing.
  virtual void EditingChange();
  /// Writes the shown value to the field (here: Field.Text := Text). Called
  /// only with a field bound and a value shown; null is written by the core.
  virtual void UpdateData();
  virtual void ActiveChange();

  /// What the link's OnUpdateData runs: while null, the field is cleared (when
  /// it is not null already) and nothing else is written; otherwise UpdateData.
  void WriteFieldValue();
  /// SetFocus that cannot fail: after an error the focus goes back to the
  /// control when it can take it, and the error being reported is not replaced.
  void TakeFocusBack();
  /// Sends a message to the window of the control's form (nothing without a form).
  void SendToParentForm(vcl::Cardinal Msg, vcl::WPARAM WParam, vcl::LPARAM LParam);
  /// The window's own read-only state (distinct from the ReadOnly property).
  bool GetEditReadOnly() const { return vcl::TCustomEdit::GetReadOnly(); }
  void SetEditReadOnly(bool Value) { vcl::TCustomEdit::SetReadOnly(Value); }

  // ---- framework overrides ----
  void DoEnter() override;
  void DoExit() override;
  void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Change() override;
  void CreateParams(vcl::TCreateParams& Params) override;

  void CMEnter(vcl::TMessage& Message) override;
  void CMExit(vcl::TMessage& Message) override;
  void CMGetDataLink(vcl::TMessage& Message) override;
  void WMCut(vcl::TMessage& Message) override;
  void WMPaste(vcl::TMessage& Message) override;
  void WMUndo(vcl::TMessage& Message) override;
  void CMEnabledChanged(vcl::TMessage& Message) override;
  void CMFontChanged(vcl::TMessage& Message) override;
  void CMMouseEnter(vcl::TMessage& Message) override;
  void CMMouseLeave(vcl::TMessage& Message) override;
  void WMNCPaint(vcl::TMessage& Message) override;

  // Stored values and state, in the order of the data model.
  vcl::TAlignment FAlignment = DefaultAlignment;
  bool FAllowKbdNull = DefaultAllowKbdNull;
  bool FBlankWhenNull = DefaultBlankWhenNull;
  vcl::TColor FColorFocus = DefaultColorFocus;
  vcl::TColor FColorRO = DefaultColorRO;
  vcl::TColor FColorRW = DefaultColorRW;
  bool FFocused = false;
  std::string FNullStr;
  bool FMouseInControl = false;
  bool FFlat = DefaultFlat;
  vcl::TColor FColorBorderFocus = DefaultColorBorderFocus;
  vcl::TColor FColorBorderUnfocus = DefaultColorBorderUnfocus;
  vcl::TColor FColorDisabled = DefaultColorDisabled;
  bool FUpdateLock = false;
  bool FColor_Defaults = DefaultColorDefaults;
  int FFlatBorder = DefaultFlatBorder;
  bool FNumPadDecimal = DefaultNumPadDecimal;
  vcl::TNotifyEvent FOnNull, FOnMouseEnter, FOnMouseExit;
  bool FIsNull = false;
  std::unique_ptr<vcl::TFieldDataLink> FDataLink;
  /// Characters at or above #32 that KeyPress lets through; descendants set their own in their constructors.
  vcl::TCharSet FAllowedChars;
  /// Set by KeyDown on the keypad decimal key under NumPadDecimal; the numeric edits read and clear it.
  bool FNumPadDecimalPending = false;
  /// True while the control only shows a value again (its field re-read, a
  /// display option changed): the text may change, but nothing was edited, so
  /// the link is neither asked for edit state nor marked modified.
  bool FRefreshing = false;
};

/// The plain text edit: any character from #32 to #255, optionally trimmed
/// and put in proper case when written to the field.
class TZYMQIXDbEdit : public TZYMDbCustomEdit {
public:
  VCL_CLASS(TZYMQIXDbEdit)
  static constexpr bool DefaultTrimTrailing = true;
  static constexpr bool DefaultTrimLeading = false;
  static constexpr bool DefaultProperAdjust = false;

  explicit TZYMQIXDbEdit(vcl::TComponent* AOwner);

  bool GetTrimTrailing() const { return FTrimTrailing; }
  void SetTrimTrailing(bool Value) { FTrimTrailing = Value; }
  bool GetTrimLeading() const { return FTrimLeading; }
  void SetTrimLeading(bool Value) { FTrimLeading = Value; }
  bool GetProperAdjust() const { return FProperAdjust; }
  void SetProperAdjust(bool Value) { FProperAdjust = Value; }

  // Views of the text for programs; each trims both ends whatever the trim options say.
  std::string TrimmedText() const;
  std::string LowerText() const;
  std::string UpperText() const;
  std::string ProperText() const;

protected:
  /// Trims and adjusts the text as the options say, writes it with Field.Text
  /// and shows what was stored when that differs from the text.
  void UpdateData() override;

private:
  bool FProperAdjust = DefaultProperAdjust;
  bool FTrimTrailing = DefaultTrimTrailing;
  bool FTrimLeading = DefaultTrimLeading;
};

/// The base of the edits whose text stands for a typed value. Descendants
/// implement Convert2Value (text to value, run on every change and on leaving),
/// DisplayText (value to text, ending with StrValue := the formatted text),
/// DataChange, UpdateData, DoBoundsValidation, and guard their field type:
///
///   void SetDataField(const std::string& Value) override {
///     SetCheckedDataField(Value, &TZYMDbBaseEdit::IsFloatField, rsFloatOnly);
///   }
///   void ActiveChange() override { CheckActiveFieldType(&TZYMDbBaseEdit::IsFloatField, rsFloatOnly); }
class TZYMDbBaseEdit : public TZYMDbCustomEdit {
public:
  VCL_CLASS(TZYMDbBaseEdit)
  static constexpr bool DefaultBoundsEnabled = false;
  static constexpr bool DefaultIgnoreConvertError = false;
  static constexpr vcl::TColor DefaultColorFontNeg = vcl::clWindowText;
  static constexpr vcl::TColor DefaultColorFontPos = vcl::clWindowText;
  static constexpr int DefaultWidth = 81;

  explicit TZYMDbBaseEdit(vcl::TComponent* AOwner);

  /// Reading brings the cache in line with the text and answers it.
  std::string GetStrValue() const;
  /// A text other than the cached one is shown; unless read-only or only
  /// refreshing (FRefreshing) the link is asked for edit state first and marked
  /// modified; then Convert2Value and DisplayText.
  /// The cached text itself does nothing, even when the shown text differs.
  void SetStrValue(const std::string& Value);

  /// The window's length limit (which ResetMaxLength may have cleared); reading remembers it.
  int GetMaxLength() const;
  /// A value other than the remembered one sets the limit and redisplays.
  void SetMaxLength(int Value);

  bool GetBoundsEnabled() const { return FBoundsEnabled; }
  void SetBoundsEnabled(bool Value) { SetBoundsValidation(Value); }
  /// False from entering the control to leaving it: the text may not be converted and validated yet.
  bool GetConvertOK() const { return FConvertOK; }
  /// A second trigger of the bounds validation on leaving (the date edit sets it).
  bool GetYearValidation() const { return FYearValidation; }
  /// True: leaving runs OnExitStart only (no conversion, redisplay or bounds check).
  bool GetIgnoreConvertError() const { return FIgnoreConvertError; }
  void SetIgnoreConvertError(bool Value) { FIgnoreConvertError = Value; }

  /// Font colours for negative and for zero or positive values (used by descendants).
  vcl::TColor GetColorFontNeg() const { return FColorFontNeg; }
  void SetColorFontNeg(vcl::TColor Value);
  vcl::TColor GetColorFontPos() const { return FColorFontPos; }
  void SetColorFontPos(vcl::TColor Value);

  TZYMBoundsValidationEvent GetOnBoundsError() const { return FOnBoundsError; }
  void SetOnBoundsError(TZYMBoundsValidationEvent Value) { FOnBoundsError = std::move(Value); }
  TZYMConvertErrorEvent GetOnConvertError() const { return FOnConvertError; }
  void SetOnConvertError(TZYMConvertErrorEvent Value) { FOnConvertError = std::move(Value); }
  TZYMExitStartEvent GetOnExitStart() const { return FOnExitStart; }
  void SetOnExitStart(TZYMExitStartEvent Value) { FOnExitStart = std::move(Value); }

  // ---- field-type predicates ----
  // Each answers False for an empty name, no link, no dataset or a closed one;
  // otherwise whether the named field has one of the types (FieldByName raises
  // for a name the dataset does not know).
  bool IsIntegerField(const std::string& FieldName) const;    ///< ftSmallint, ftInteger, ftWord, ftLargeint
  bool IsFloatField(const std::string& FieldName) const;      ///< ftFloat, ftBCD
  bool IsStringField(const std::string& FieldName) const;     ///< ftString, ftFixedChar, ftWideString
  bool IsCurrencyField(const std::string& FieldName) const;   ///< ftFloat, ftCurrency
  bool IsZYMCurrencyField(const std::string& FieldName) const;  ///< ftInteger (a TZYMCurrency amount)
  bool IsDateField(const std::string& FieldName) const;       ///< ftDate, ftDateTime
  bool IsTimeField(const std::string& FieldName) const;       ///< ftTime, ftDateTime
  bool IsDateTimeField(const std::string& FieldName) const;   ///< ftDateTime

protected:
  using TFieldTypeCheck = bool (TZYMDbBaseEdit::*)(const std::string& FieldName) const;

  /// The body of a typed descendant's SetDataField: on an active link and a
  /// non-empty name a field that Accepts refuses raises EInvalidFieldType with
  /// Message and the name stays as it was; otherwise the link takes the name.
  void SetCheckedDataField(const std::string& Value, TFieldTypeCheck Accepts, const char* Message);
  /// The body of a typed descendant's ActiveChange: on an active link with a
  /// field name that Accepts refuses, raises EInvalidFieldType with Message.
  void CheckActiveFieldType(TFieldTypeCheck Accepts, const char* Message);

  /// The setter of BoundsEnabled; stores a changed value.
  virtual void SetBoundsValidation(bool Value);
  /// Checks the value against the bounds on leaving. Here: with BoundsEnabled,
  /// OnBoundsError with the current code, else the rsUnaccept message; nothing
  /// is compared. Descendants compare (SetBoundsErrorKind) and report (ReportBoundsError).
  virtual void DoBoundsValidation();

  /// Step 2 of the bounds protocol: FBoundsErrorKind := 1 when Value is below
  /// Lower, else 2 when it is not at or below Upper (a not-a-number too), else 0.
  template <class T>
  vcl::Byte SetBoundsErrorKind(const T& Value, const T& Lower, const T& Upper) {
    FBoundsErrorKind = Value < Lower ? 1 : !(Value <= Upper) ? 2 : 0;
    return FBoundsErrorKind;
  }
  /// Step 3 of the bounds protocol: nothing for code 0; else OnBoundsError with
  /// the text and the code when assigned, or ErrorMsg(Message) and the focus back.
  void ReportBoundsError(const std::string& Message);
  /// The message of codes 1 and 2: rsLowerBound or rsUpperBound followed by the bound's text.
  std::string BoundsErrorText(const std::string& LowerBound, const std::string& UpperBound) const;

  /// The exit sequence: OnExitStart, the conversion (FExitConverting set while
  /// it runs with the handler's verdict True), the canonical redisplay and the
  /// bounds check; the edit's Modified flag is restored afterwards.
  void DoExitStart() override;
  /// Not null: StrValue := Text. Null: the blank or the null text, shown and cached.
  void DisplayText() override;
  void SetColors2Defaults() override;
  void DoEnter() override;
  void DoExit() override;
  /// Nothing while loading; else Convert2Value, then the core's Change.
  void Change() override;

  // In the order of the data model.
  mutable int FMaxLength = 0;  ///< remembered by GetMaxLength and SetMaxLength
  mutable std::string FStrValue;
  TZYMBoundsValidationEvent FOnBoundsError;
  vcl::TColor FColorFontNeg = DefaultColorFontNeg;
  vcl::TColor FColorFontPos = DefaultColorFontPos;
  bool FBoundsEnabled = DefaultBoundsEnabled;
  /// 0 within bounds, 1 below the lower bound, 2 above the upper bound (descendants may add codes).
  vcl::Byte FBoundsErrorKind = 0;
  /// True only while the exit sequence converts with the OnExitStart verdict
  /// True; parsers that can refuse text raise only then.
  bool FExitConverting = false;
  bool FConvertOK = true;
  bool FIgnoreConvertError = DefaultIgnoreConvertError;
  bool FYearValidation = false;
  TZYMConvertErrorEvent FOnConvertError;
  TZYMExitStartEvent FOnExitStart;
};

}  // namespace zymqix
