#include "db_rt/ZYMQIXDbEdit.h"

#include <exception>

#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXMsg.h"
#include "rt/ZYMQIXNumConv.h"
#include "vcl/Forms.h"
#include "vcl/Host.h"
#include "vcl/Menus.h"
#include "vcl/Windows.h"

namespace zymqix {

using namespace vcl;

namespace {

/// The framework's edit properties and events that the palette edits publish
/// unchanged, in their published order. The string edit publishes the window's
/// MaxLength; the typed edits publish their own.
template <class T>
void PublishEditProperties(TClassBuilder<T>& b, bool WithMaxLength) {
  b.Property("Align", &T::GetAlign, &T::SetAlign).Default(alNone);
  b.Property("Anchors", &T::GetAnchors, &T::SetAnchors).Default(TAnchors{akLeft, akTop});
  b.Property("AutoSelect", &T::GetAutoSelect, &T::SetAutoSelect).Default(TCustomEdit::DefaultAutoSelect);
  b.Property("BiDiMode", &T::GetBiDiMode, &T::SetBiDiMode).Default(bdLeftToRight);
  b.Property("BorderStyle", &T::GetBorderStyle, &T::SetBorderStyle).Default(bsSingle);
  b.Property("CharCase", &T::GetCharCase, &T::SetCharCase).Default(ecNormal);
  b.Property("Constraints", &T::GetConstraints, &T::SetConstraints);
  b.Property("Ctl3D", &T::GetCtl3D, &T::SetCtl3D).Default(true);
  b.Property("DragCursor", &T::GetDragCursor, &T::SetDragCursor).Default(crDrag).Type("TCursor");
  b.Property("DragKind", &T::GetDragKind, &T::SetDragKind).Default(dkDrag);
  b.Property("DragMode", &T::GetDragMode, &T::SetDragMode).Default(dmManual);
  b.Property("Enabled", &T::GetEnabled, &T::SetEnabled).Default(true);
  b.Property("HideSelection", &T::GetHideSelection, &T::SetHideSelection).Default(true);
  b.Property("ImeMode", &T::GetImeMode, &T::SetImeMode).Default(imDontCare);
  b.Property("ImeName", &T::GetImeName, &T::SetImeName).Default(std::string()).Type("TImeName");
  if (WithMaxLength)
    b.Property("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength)
        .Default(TCustomEdit::DefaultMaxLength);
  b.Property("OEMConvert", &T::GetOEMConvert, &T::SetOEMConvert).Default(false);
  b.Property("ParentBiDiMode", &T::GetParentBiDiMode, &T::SetParentBiDiMode).Default(true);
  b.Property("ParentCtl3D", &T::GetParentCtl3D, &T::SetParentCtl3D).Default(true);
  b.Property("ParentShowHint", &T::GetParentShowHint, &T::SetParentShowHint).Default(true);
  b.Property("PasswordChar", &T::GetPasswordChar, &T::SetPasswordChar).Default('\0').Type("Char");
  b.Property("PopupMenu", &T::GetPopupMenu, &T::SetPopupMenu);
  b.Property("ShowHint", &T::GetShowHint, &T::SetShowHint).Default(false);
  b.Property("TabOrder", &T::GetTabOrder, &T::SetTabOrder).Default(-1);
  b.Property("TabStop", &T::GetTabStop, &T::SetTabStop).Default(true);
  b.Property("Visible", &T::GetVisible, &T::SetVisible).Default(true);
  b.Event("OnChange", &T::GetOnChange, &T::SetOnChange);
  b.Event("OnClick", &T::GetOnClick, &T::SetOnClick);
  b.Event("OnDblClick", &T::GetOnDblClick, &T::SetOnDblClick);
  b.Event("OnDragDrop", &T::GetOnDragDrop, &T::SetOnDragDrop);
  b.Event("OnDragOver", &T::GetOnDragOver, &T::SetOnDragOver);
  b.Event("OnEndDock", &T::GetOnEndDock, &T::SetOnEndDock);
  b.Event("OnEndDrag", &T::GetOnEndDrag, &T::SetOnEndDrag);
  b.Event("OnKeyDown", &T::GetOnKeyDown, &T::SetOnKeyDown);
  b.Event("OnKeyPress", &T::GetOnKeyPress, &T::SetOnKeyPress);
  b.Event("OnKeyUp", &T::GetOnKeyUp, &T::SetOnKeyUp);
  b.Event("OnMouseDown", &T::GetOnMouseDown, &T::SetOnMouseDown);
  b.Event("OnMouseMove", &T::GetOnMouseMove, &T::SetOnMouseMove);
  b.Event("OnMouseUp", &T::GetOnMouseUp, &T::SetOnMouseUp);
  b.Event("OnStartDock", &T::GetOnStartDock, &T::SetOnStartDock);
  b.Event("OnStartDrag", &T::GetOnStartDrag, &T::SetOnStartDrag);
}

/// Brushes and a window DC given back on every path out of the flat-border drawing.
class TFlatPaintResources {
public:
  TFlatPaintResources(HWND Wnd, std::initializer_list<TColor> Colors) : FWnd(Wnd) {
    for (TColor C : Colors) FBrushes[FCount++] = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(C)));
    FDC = GetWindowDC(Wnd);
  }
  ~TFlatPaintResources() {
    if (FDC) ReleaseDC(FWnd, FDC);
    for (int I = 0; I < FCount; ++I) DeleteObject(FBrushes[I]);
  }
  TFlatPaintResources(const TFlatPaintResources&) = delete;
  TFlatPaintResources& operator=(const TFlatPaintResources&) = delete;
  HDC DC() const { return FDC; }
  HBRUSH Brush(int Index) const { return FBrushes[Index]; }

private:
  HWND FWnd;
  HDC FDC = nullptr;
  HBRUSH FBrushes[4] = {};
  int FCount = 0;
};

}  // namespace

VCL_REGISTER_CLASS(TZYMDbCustomEdit, TCustomEdit) {
  using T = TZYMDbCustomEdit;
  b.Property("Flat", &T::GetFlat, &T::SetFlat).Default(T::DefaultFlat);
  b.Property("FlatBorder", &T::GetFlatBorder, &T::SetFlatBorder).Default(T::DefaultFlatBorder);
  b.Property("NumPadDecimal", &T::GetNumPadDecimal, &T::SetNumPadDecimal).Default(T::DefaultNumPadDecimal);
  b.Property("AllowKbdNull", &T::GetAllowKbdNull, &T::SetAllowKbdNull).Default(T::DefaultAllowKbdNull);
  b.Property("Alignment", &T::GetAlignment, &T::SetAlignment).Default(T::DefaultAlignment);
  b.Property("BlankWhenNull", &T::GetBlankWhenNull, &T::SetBlankWhenNull).Default(T::DefaultBlankWhenNull);
  b.Property("Color_Defaults", &T::GetColor_Defaults, &T::SetColor_Defaults)
      .Default(T::DefaultColorDefaults)
      .Stored(false);
  b.Property("ColorBorderFocus", &T::GetColorBorderFocus, &T::SetColorBorderFocus)
      .Default(T::DefaultColorBorderFocus)
      .Type("TColor");
  b.Property("ColorBorderUnfocus", &T::GetColorBorderUnfocus, &T::SetColorBorderUnfocus)
      .Default(T::DefaultColorBorderUnfocus)
      .Type("TColor");
  b.Property("ColorDisabled", &T::GetColorDisabled, &T::SetColorDisabled)
      .Default(T::DefaultColorDisabled)
      .Type("TColor");
  b.Property("ColorFocus", &T::GetColorFocus, &T::SetColorFocus).Default(T::DefaultColorFocus).Type("TColor");
  b.Property("ColorRO", &T::GetColorRO, &T::SetColorRO).Default(T::DefaultColorRO).Type("TColor");
  b.Property("ColorRW", &T::GetColorRW, &T::SetColorRW).Default(T::DefaultColorRW).Type("TColor");
  b.Property("DataField", &T::GetDataField, &T::SetDataField).Default(std::string());
  b.Property("DataSource", &T::GetDataSource, &T::SetDataSource);
  b.Property("NullStr", &T::GetNullStr, &T::SetNullStr).Stored(&T::IsNullStrStored);
  b.Property("ReadOnly", &T::GetReadOnly, &T::SetReadOnly).Default(T::DefaultReadOnly);
  b.Property("Version", &T::GetVersion, &T::SetVersion).Stored(false);
  b.Event("OnEnter", &T::GetOnEnter, &T::SetOnEnter);
  b.Event("OnExit", &T::GetOnExit, &T::SetOnExit);
  b.Event("OnNull", &T::GetOnNull, &T::SetOnNull);
  b.Event("OnMouseEnter", &T::GetOnMouseEnter, &T::SetOnMouseEnter);
  b.Event("OnMouseExit", &T::GetOnMouseExit, &T::SetOnMouseExit);
  b.Property("AutoSize", &T::GetAutoSize, &T::SetAutoSize).Default(TCustomEdit::DefaultAutoSize);
  b.Property("Font", &T::GetFont, &T::SetFont).Stored(&TControl::IsFontStored);
  b.Property("ParentFont", &T::GetParentFont, &T::SetParentFont).Default(true);
}

VCL_REGISTER_CLASS(TZYMQIXDbEdit, TZYMDbCustomEdit) {
  using T = TZYMQIXDbEdit;
  b.Property("TrimTrailing", &T::GetTrimTrailing, &T::SetTrimTrailing).Default(T::DefaultTrimTrailing);
  b.Property("TrimLeading", &T::GetTrimLeading, &T::SetTrimLeading).Default(T::DefaultTrimLeading);
  b.Property("ProperAdjust", &T::GetProperAdjust, &T::SetProperAdjust).Default(T::DefaultProperAdjust);
  PublishEditProperties(b, true);
}

VCL_REGISTER_CLASS(TZYMDbBaseEdit, TZYMDbCustomEdit) {
  using T = TZYMDbBaseEdit;
  b.Property("BoundsEnabled", &T::GetBoundsEnabled, &T::SetBoundsEnabled).Default(T::DefaultBoundsEnabled);
  b.Property("MaxLength", &T::GetMaxLength, &T::SetMaxLength);
  b.Event("OnBoundsError", &T::GetOnBoundsError, &T::SetOnBoundsError);
  b.Event("OnExitStart", &T::GetOnExitStart, &T::SetOnExitStart);
  PublishEditProperties(b, false);
}

// ---------------------------------------------------------------- shared rules

void ZYMUpdateRecordRetryOnce(TFieldDataLink& Link, const std::function<void()>& Refocus) {
  try {
    Link.UpdateRecord();
  } catch (const std::exception&) {
    try {
      Link.Edit();
      Link.UpdateRecord();
    } catch (const std::exception&) {
      if (Refocus) Refocus();
      throw;
    }
  }
}

bool ZYMLinkFieldTypeIn(const TFieldDataLink* Link, const std::string& Name, std::initializer_list<TFieldType> Types) {
  if (Name.empty() || !Link) return false;
  TDataSet* DS = Link->GetDataSet();
  if (!DS || !DS->GetActive()) return false;
  TFieldType Type = DS->FieldByName(Name)->GetDataType();
  for (TFieldType T : Types)
    if (T == Type) return true;
  return false;
}

// ---------------------------------------------------------------- TZYMDbCustomEdit

TZYMDbCustomEdit::TZYMDbCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetEditReadOnly(true);
  FUpdateLock = false;
  SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
  FAllowKbdNull = DefaultAllowKbdNull;
  FBlankWhenNull = DefaultBlankWhenNull;
  FIsNull = false;
  FNullStr = ZYMNullStr;
  FDataLink = std::make_unique<TFieldDataLink>();
  FDataLink->SetControl(this);
  // Virtual calls: the most derived step runs.
  FDataLink->SetOnDataChange([this](TObject*) {
    TZYMSettingGuard Refreshing(FRefreshing, true);
    DataChange();
  });
  FDataLink->SetOnEditingChange([this](TObject*) { EditingChange(); });
  FDataLink->SetOnUpdateData([this](TObject*) { WriteFieldValue(); });
  FDataLink->SetOnActiveChange([this](TObject*) { ActiveChange(); });
  FAlignment = DefaultAlignment;
  FFlat = DefaultFlat;
  FFlatBorder = DefaultFlatBorder;
  FAllowedChars = TCharSet::Range(32, 255);
  FColor_Defaults = DefaultColorDefaults;
  FNumPadDecimal = DefaultNumPadDecimal;
  FNumPadDecimalPending = false;
  // A descendant's own colour defaults are applied by its constructor: C++ runs
  // this class's override here.
  SetColors2Defaults();
  UpdateColors();
}

TZYMDbCustomEdit::~TZYMDbCustomEdit() {
  Destroying();
  FDataLink.reset();
}

// ---- binding ----

TDataSource* TZYMDbCustomEdit::GetDataSource() const { return FDataLink ? FDataLink->GetDataSource() : nullptr; }

void TZYMDbCustomEdit::SetDataSource(TDataSource* Value) {
  if (!(FDataLink->GetDataSourceFixed() && IsLoading())) FDataLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
}

std::string TZYMDbCustomEdit::GetDataField() const { return FDataLink ? FDataLink->GetFieldName() : std::string(); }

void TZYMDbCustomEdit::SetDataField(const std::string& Value) {
  if (!IsDesigning()) ResetMaxLength();
  FDataLink->SetFieldName(Value);
}

TField* TZYMDbCustomEdit::GetField() const { return FDataLink ? FDataLink->GetField() : nullptr; }

void TZYMDbCustomEdit::ResetMaxLength() {
  TDataSource* DS = GetDataSource();
  if (TCustomEdit::GetMaxLength() <= 0 || !DS || !DS->GetDataSet()) return;
  TField* F = DS->GetDataSet()->FindField(GetDataField());
  if (F && (F->GetDataType() == ftString || F->GetDataType() == ftWideString) &&
      F->GetSize() == TCustomEdit::GetMaxLength())
    TCustomEdit::SetMaxLength(0);
}

void TZYMDbCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomEdit::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && FDataLink && AComponent && AComponent == GetDataSource())
    SetDataSource(nullptr);
}

void TZYMDbCustomEdit::Loaded() {
  TCustomEdit::Loaded();
  ResetMaxLength();
  if (IsDesigning()) DataChange();
  UpdateColors();
}

// ---- data link events ----

void TZYMDbCustomEdit::DataChange() {
  TField* F = GetField();
  if (!F) {
    SetText(IsDesigning() ? GetName() : std::string());
    return;
  }
  FIsNull = F->IsNull();
  if (!FIsNull) SetText(FFocused && FDataLink->CanModify() ? F->GetText() : F->GetDisplayText());
  DisplayText();
}

void TZYMDbCustomEdit::EditingChange() { SetEditReadOnly(!FDataLink->GetEditing()); }

void TZYMDbCustomEdit::UpdateData() {
  if (TField* F = GetField()) F->SetText(GetText());
}

void TZYMDbCustomEdit::ActiveChange() { ResetMaxLength(); }

void TZYMDbCustomEdit::WriteFieldValue() {
  TField* F = GetField();
  if (!F) return;
  if (!FIsNull) {
    UpdateData();
    return;
  }
  // The control shows null: whatever text or value it held before Ctrl+N was
  // taken back by the user and must not reach the field.
  if (!F->IsNull()) F->Clear();
}

// ---- null ----

void TZYMDbCustomEdit::SetNull(bool Value) {
  TField* F = GetField();
  if (Value && F && F->GetRequired()) Value = false;
  if (Value == FIsNull) return;
  FIsNull = Value;
  if (FIsNull && F) {
    try {
      if (!F->IsNull()) {
        FDataLink->Edit();
        F->Clear();
      }
    } catch (const std::exception&) {
      // The control shows null all the same; the commit on leaving clears the field.
    }
  }
  if (!GetReadOnly()) SetModified(true);
  DisplayText();
}

void TZYMDbCustomEdit::DisplayText() {
  if (FIsNull) SetText(FBlankWhenNull ? std::string() : FNullStr);
}

void TZYMDbCustomEdit::SetNullStr(const std::string& Value) {
  if (Value == FNullStr) return;
  FNullStr = Value;
  DisplayText();
}

bool TZYMDbCustomEdit::IsNullStrStored() const { return FNullStr != ZYMNullStr && !FBlankWhenNull; }

void TZYMDbCustomEdit::SetBlankWhenNull(bool Value) {
  if (Value == FBlankWhenNull) return;
  FBlankWhenNull = Value;
  DisplayText();
}

// ---- keys ----

void TZYMDbCustomEdit::SendToParentForm(Cardinal Msg, WPARAM WParam, LPARAM LParam) {
  // A control outside any form has no dialog window to move the focus in.
  if (TCustomForm* F = GetParentForm(this)) SendMessage(F->GetHandle(), Msg, WParam, LParam);
}

void TZYMDbCustomEdit::KeyPress(char& Key) {
  if (Key == '\r' && ZYMEnterAsTab) {
    Key = '\0';
    SendToParentForm(WM_NEXTDLGCTL, 0, 0);
  } else if (Key == '\x1B' && ZYMESCAsUndo) {
    Key = '\0';
    Undo();
  } else if (Key == '\x0E' && FAllowKbdNull) {
    SetNull(true);
    if (FOnNull) FOnNull(this);
    Key = '\0';
  } else {
    auto U = static_cast<unsigned char>(Key);
    if (FAllowedChars.Empty() || (U >= 32 && !FAllowedChars.Contains(Key))) {
      Key = '\0';
      MessageBeep(0);
    } else if (FAllowedChars.Contains(Key) && FIsNull) {
      // The typed character replaces the whole null text.
      FDataLink->Edit();
      SetNull(false);
      SelectAll();
      SetModified(true);
    }
  }
  TCustomEdit::KeyPress(Key);
  auto U = static_cast<unsigned char>(Key);
  if (U == 8 || U == 22 || U == 24 || U >= 32) {
    FDataLink->Edit();
    SetModified(true);
  } else if (U == 27) {
    FDataLink->Reset();
    SelectAll();
    Key = '\0';
  }
}

void TZYMDbCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
  const bool NoShift = Shift.Empty();
  if (NoShift && Key == VK_DELETE) {
    if (GetReadOnly()) Key = 0;
    else FDataLink->Edit();
  }
  if (NoShift && Key == VK_DECIMAL && FNumPadDecimal) FNumPadDecimalPending = true;
  if (Shift == TShiftState{ssShift} && Key == VK_INSERT) {
    if (GetReadOnly()) Key = 0;
    else FDataLink->Edit();
  }
  if (ZYMArrowsAsTab && NoShift) {
    if (Key == VK_UP) {
      Key = 0;
      SendToParentForm(WM_NEXTDLGCTL, 1, 0);
    } else if (Key == VK_DOWN) {
      Key = 0;
      SendToParentForm(WM_NEXTDLGCTL, 0, 0);
    }
  }
  TCustomEdit::KeyDown(Key, Shift);
}

// ---- clipboard and undo ----

void TZYMDbCustomEdit::WMPaste(TMessage& Message) {
  if (GetReadOnly()) return;
  FDataLink->Edit();
  FIsNull = false;
  SetModified(true);
  TCustomEdit::WMPaste(Message);
}

void TZYMDbCustomEdit::WMCut(TMessage& Message) {
  if (GetReadOnly()) return;
  FDataLink->Edit();
  TCustomEdit::WMCut(Message);
}

void TZYMDbCustomEdit::WMUndo(TMessage& Message) {
  FDataLink->Edit();
  TCustomEdit::WMUndo(Message);
}

// ---- focus ----

void TZYMDbCustomEdit::CMEnter(TMessage& /*Message*/) {
  // The framework's own enter handling is replaced, not extended.
  SetFocused(true);
  DoEnter();
  if (SysLocale.FarEast && FDataLink->CanModify()) SetEditReadOnly(false);
}

void TZYMDbCustomEdit::DoEnter() {
  SetModified(false);
  if (GetOnEnter()) GetOnEnter()(this);
  UpdateColors();
}

void TZYMDbCustomEdit::SetFocused(bool Value) {
  if (Value == FFocused) return;
  FFocused = Value;
  UpdateColors();
  if (GetAutoSelect()) SelectAll();
}

void TZYMDbCustomEdit::TakeFocusBack() {
  try {
    if (CanFocus()) SetFocus();
  } catch (const std::exception&) {
    // The error being reported matters more than where the focus ends.
  }
}

void TZYMDbCustomEdit::CMExit(TMessage& /*Message*/) {
  DoExitStart();
  ZYMUpdateRecordRetryOnce(*FDataLink, [this] {
    SelectAll();
    TakeFocusBack();
  });
  SetFocused(false);
  DoExit();
}

void TZYMDbCustomEdit::DoExit() {
  UpdateColors();
  if (GetOnExit()) GetOnExit()(this);
}

// ---- read-only and other state ----

bool TZYMDbCustomEdit::GetReadOnly() const { return FDataLink && FDataLink->GetReadOnly(); }

void TZYMDbCustomEdit::SetReadOnly(bool Value) {
  if (Value == FDataLink->GetReadOnly()) return;
  FDataLink->SetReadOnly(Value);
  SetEditReadOnly(Value);
  UpdateColors();
  if (ZYMNoTabStopOnReadOnly) SetTabStop(!Value);
}

void TZYMDbCustomEdit::Change() {
  if (!GetReadOnly()) FDataLink->Modified();
  TCustomEdit::Change();
}

bool TZYMDbCustomEdit::ExecuteAction(TBasicAction* Action) {
  bool Handled = TCustomEdit::ExecuteAction(Action);
  if (!Handled && FDataLink) Handled = FDataLink->ExecuteAction(Action);
  return Handled;
}

bool TZYMDbCustomEdit::UpdateAction(TBasicAction* Action) {
  bool Handled = TCustomEdit::UpdateAction(Action);
  if (!Handled && FDataLink) Handled = FDataLink->UpdateAction(Action);
  return Handled;
}

bool TZYMDbCustomEdit::UseRightToLeftAlignment() const {
  return DBUseRightToLeftAlignment(const_cast<TZYMDbCustomEdit*>(this), GetField());
}

void TZYMDbCustomEdit::CMGetDataLink(TMessage& Message) {
  Message.Result = reinterpret_cast<LRESULT>(FDataLink.get());
}

void TZYMDbCustomEdit::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  RecreateWnd();
}

void TZYMDbCustomEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  static constexpr uint32_t AlignStyle[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style |= ES_MULTILINE | AlignStyle[static_cast<int>(FAlignment)];
  if (GetReadOnly()) Params.Style |= ES_READONLY;
}

// ---- colours and flat border ----

void TZYMDbCustomEdit::EndUpdate() {
  FUpdateLock = false;
  UpdateColors();
}

void TZYMDbCustomEdit::SetColors2Defaults() {
  FColorRO = ZYMROColor;
  FColorRW = ZYMRWColor;
  FColorFocus = ZYMFocusColor;
  FColorBorderFocus = ZYMBorderFocusColor;
  FColorBorderUnfocus = ZYMBorderNonFocusColor;
  FColorDisabled = ZYMDisabledColor;
}

void TZYMDbCustomEdit::SetColor_Defaults(bool Value) {
  if (Value == FColor_Defaults) return;
  FColor_Defaults = Value;
  if (!Value) return;
  SetColors2Defaults();
  UpdateColors();
}

void TZYMDbCustomEdit::SetColorBorderFocus(TColor Value) {
  if (Value == FColorBorderFocus) return;
  FColorBorderFocus = Value;
  FColor_Defaults = false;
  UpdateColors();
}

void TZYMDbCustomEdit::SetColorBorderUnfocus(TColor Value) {
  if (Value == FColorBorderUnfocus) return;
  FColorBorderUnfocus = Value;
  FColor_Defaults = false;
  UpdateColors();
}

void TZYMDbCustomEdit::SetColorFocus(TColor Value) {
  if (Value == FColorFocus) return;
  FColorFocus = Value;
  FColor_Defaults = false;
  UpdateColors();
}

void TZYMDbCustomEdit::SetColorRO(TColor Value) {
  if (Value == FColorRO) return;
  FColorRO = Value;
  FColor_Defaults = false;
  UpdateColors();
}

void TZYMDbCustomEdit::SetColorRW(TColor Value) {
  if (Value == FColorRW) return;
  FColorRW = Value;
  FColor_Defaults = false;
  UpdateColors();
}

void TZYMDbCustomEdit::SetColorDisabled(TColor Value) {
  if (Value == FColorDisabled) return;
  FColorDisabled = Value;
  FColor_Defaults = false;
  if (GetEnabled()) return;
  // Enabling and disabling again rebuilds the disabled appearance in the new colour.
  SetEnabled(true);
  SetEnabled(false);
}

void TZYMDbCustomEdit::UpdateColors() {
  if (FUpdateLock) return;
  if (FFlat) {
    FlattenControl();
  } else if (!GetEnabled()) {
    SetColor(FColorDisabled);
  } else if (GetReadOnly()) {
    SetColor(FColorRO);
  } else {
    SetColor(FFocused ? FColorFocus : FColorRW);
  }
  Invalidate();
}

void TZYMDbCustomEdit::FlattenControl() {
  if (FUpdateLock) return;
  TColor PlainFill = FColorRW, HotFill = FColorFocus;
  if (!GetEnabled()) {
    PlainFill = HotFill = FColorDisabled;
  } else if (GetReadOnly()) {
    PlainFill = HotFill = FColorRO;
  }
  const bool Plain = IsDesigning() || !(FFocused || FMouseInControl);
  SetColor(Plain ? PlainFill : (GetReadOnly() ? FColorRO : FColorFocus));
  // Without a window there is nothing to draw on yet; its first non-client
  // paint draws the border.
  if (!HandleAllocated()) return;
  HWND Wnd = GetHandle();
  TFlatPaintResources Res(Wnd, {FColorBorderFocus, FColorBorderUnfocus, PlainFill, HotFill});
  if (!Res.DC()) return;
  TRect R;
  GetWindowRect(Wnd, &R);
  OffsetRect(&R, -R.Left, -R.Top);
  HBRUSH Border = Res.Brush(Plain ? 1 : 0);
  HBRUSH Fill = Res.Brush(Plain ? 2 : 3);
  FrameRect(Res.DC(), &R, Border);
  InflateRect(&R, -1, -1);
  if (FFlatBorder == 2) {
    FrameRect(Res.DC(), &R, Border);
    InflateRect(&R, -1, -1);
  }
  FrameRect(Res.DC(), &R, Fill);
}

void TZYMDbCustomEdit::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  if (FFlat) FlattenControl();
  else RecreateWnd();
}

void TZYMDbCustomEdit::SetFlatBorder(int Value) {
  if (Value < 1) Value = 1;
  if (Value > 2) Value = 2;
  if (Value == FFlatBorder) return;
  FFlatBorder = Value;
  if (FFlat) FlattenControl();
}

void TZYMDbCustomEdit::WMNCPaint(TMessage& Message) {
  TCustomEdit::WMNCPaint(Message);
  if (FFlat) FlattenControl();
}

void TZYMDbCustomEdit::CMMouseEnter(TMessage& Message) {
  TCustomEdit::CMMouseEnter(Message);
  FMouseInControl = true;
  if (FFlat) FlattenControl();
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TZYMDbCustomEdit::CMMouseLeave(TMessage& Message) {
  TCustomEdit::CMMouseLeave(Message);
  FMouseInControl = false;
  if (FFlat) FlattenControl();
  if (FOnMouseExit) FOnMouseExit(this);
}

void TZYMDbCustomEdit::CMEnabledChanged(TMessage& Message) {
  TCustomEdit::CMEnabledChanged(Message);
  if (GetEnabled()) UpdateColors();
  else SetColor(FColorDisabled);
}

void TZYMDbCustomEdit::CMFontChanged(TMessage& Message) {
  TCustomEdit::CMFontChanged(Message);
  UpdateColors();
}

// ---------------------------------------------------------------- TZYMQIXDbEdit

TZYMQIXDbEdit::TZYMQIXDbEdit(TComponent* AOwner) : TZYMDbCustomEdit(AOwner) { FTrimTrailing = true; }

void TZYMQIXDbEdit::UpdateData() {
  std::string S = GetText();
  if (FTrimTrailing) S = TrimRight(S);
  if (FTrimLeading) S = TrimLeft(S);
  if (FProperAdjust) S = ZYMProperStr(S);
  GetField()->SetText(S);
  if (S != GetText()) SetText(S);
}

std::string TZYMQIXDbEdit::TrimmedText() const { return Trim(GetText()); }
std::string TZYMQIXDbEdit::LowerText() const { return AnsiLowerCase(Trim(GetText())); }
std::string TZYMQIXDbEdit::UpperText() const { return AnsiUpperCase(Trim(GetText())); }
std::string TZYMQIXDbEdit::ProperText() const { return ZYMProperStr(Trim(GetText())); }

// ---------------------------------------------------------------- TZYMDbBaseEdit

TZYMDbBaseEdit::TZYMDbBaseEdit(TComponent* AOwner) : TZYMDbCustomEdit(AOwner) {
  // The core's constructor ran the core's SetColors2Defaults; this class's
  // extension would take the font colours from the globals, which the
  // construction overwrites just below, and redisplay a text that is still
  // empty: nothing of it remains to be done here.
  FAlignment = taLeftJustify;
  FBoundsEnabled = DefaultBoundsEnabled;
  FBoundsErrorKind = 0;
  FStrValue.clear();
  FMaxLength = 0;
  FExitConverting = false;
  FColorFontNeg = DefaultColorFontNeg;
  FColorFontPos = DefaultColorFontPos;
  SetWidth(DefaultWidth);
  FConvertOK = true;
}

// ---- text cache ----

std::string TZYMDbBaseEdit::GetStrValue() const {
  FStrValue = GetText();
  return FStrValue;
}

void TZYMDbBaseEdit::SetStrValue(const std::string& Value) {
  if (Value == FStrValue) return;
  // Edit state first: entering it re-reads the record, which would otherwise
  // replace the new text. A refresh shows what the field or the value holds
  // already and asks for nothing (a browsed dataset stays in browse state).
  const bool Edits = !GetReadOnly() && !FRefreshing;
  if (Edits) FDataLink->Edit();
  FStrValue = Value;
  SetText(Value);
  if (Edits) FDataLink->Modified();
  Convert2Value();
  DisplayText();
}

void TZYMDbBaseEdit::DisplayText() {
  if (!FIsNull) {
    SetStrValue(GetText());
    return;
  }
  const std::string Shown = FBlankWhenNull ? std::string() : FNullStr;
  SetText(Shown);
  SetStrValue(Shown);
}

void TZYMDbBaseEdit::Change() {
  if (IsLoading()) return;
  Convert2Value();
  TZYMDbCustomEdit::Change();
}

void TZYMDbBaseEdit::DoEnter() {
  TZYMDbCustomEdit::DoEnter();
  FConvertOK = false;
}

void TZYMDbBaseEdit::DoExit() {
  FConvertOK = true;
  TZYMDbCustomEdit::DoExit();
}

// ---- exit sequence and bounds ----

void TZYMDbBaseEdit::DoExitStart() {
  const bool WasModified = GetModified();
  bool Valid = true;
  if (FOnExitStart) {
    FOnExitStart(this, FStrValue, Valid);
    FDataLink->Edit();
    SetText(FStrValue);
  }
  if (!FIgnoreConvertError) {
    FExitConverting = Valid;
    try {
      Convert2Value();
    } catch (const std::exception&) {
      FExitConverting = false;
      if (!FOnConvertError) throw;
      FOnConvertError(this, GetStrValue());
      TakeFocusBack();
      return;
    }
    FExitConverting = false;
    DisplayText();
    if ((FBoundsEnabled || FYearValidation) && Valid) DoBoundsValidation();
  }
  SetModified(WasModified);
}

void TZYMDbBaseEdit::SetBoundsValidation(bool Value) { FBoundsEnabled = Value; }

void TZYMDbBaseEdit::DoBoundsValidation() {
  if (!FBoundsEnabled) return;
  if (FOnBoundsError) FOnBoundsError(this, GetStrValue(), FBoundsErrorKind);
  else ErrorMsg(rsUnaccept);
}

void TZYMDbBaseEdit::ReportBoundsError(const std::string& Message) {
  if (FBoundsErrorKind == 0) return;
  if (FOnBoundsError) {
    FOnBoundsError(this, GetStrValue(), FBoundsErrorKind);
    return;
  }
  ErrorMsg(Message);
  TakeFocusBack();
}

std::string TZYMDbBaseEdit::BoundsErrorText(const std::string& LowerBound, const std::string& UpperBound) const {
  if (FBoundsErrorKind == 1) return rsLowerBound + LowerBound;
  return rsUpperBound + UpperBound;
}

// ---- length limit and font colours ----

int TZYMDbBaseEdit::GetMaxLength() const {
  FMaxLength = TCustomEdit::GetMaxLength();
  return FMaxLength;
}

void TZYMDbBaseEdit::SetMaxLength(int Value) {
  if (Value == FMaxLength) return;
  FMaxLength = Value;
  TCustomEdit::SetMaxLength(Value);
  DisplayText();
}

void TZYMDbBaseEdit::SetColorFontNeg(TColor Value) {
  if (Value == FColorFontNeg) return;
  FColor_Defaults = false;
  FColorFontNeg = Value;
  DisplayText();
}

void TZYMDbBaseEdit::SetColorFontPos(TColor Value) {
  if (Value == FColorFontPos) return;
  FColor_Defaults = false;
  FColorFontPos = Value;
  DisplayText();
}

void TZYMDbBaseEdit::SetColors2Defaults() {
  TZYMDbCustomEdit::SetColors2Defaults();
  FColorFontNeg = ZYMNegFontColor;
  FColorFontPos = ZYMPosFontColor;
  DisplayText();
}

// ---- field-type guard ----

bool TZYMDbBaseEdit::IsIntegerField(const std::string& FieldName) const {
  return ZYMLinkFieldTypeIn(FDataLink.get(), FieldName, {ftSmallint, ftInteger, ftWord, ftLargeint});
}
bool TZYMDbBaseEdit::IsFloatField(const std::string& FieldName) const {
  return ZYMLinkFieldTypeIn(FDataLink.get(), FieldName, {ftFloat, ftBCD});
}
bool TZYMDbBaseEdit::IsStringField(const std::string& FieldName) const {
  return ZYMLinkFieldTypeIn(FDataLink.get(), FieldName, {ftString, ftFixedChar, ftWideString});
}
bool TZYMDbBaseEdit::IsCurrencyField(const std::string& FieldName) const {
  return ZYMLinkFieldTypeIn(FDataLink.get(), FieldName, {ftFloat, ftCurrency});
}
bool TZYMDbBaseEdit::IsZYMCurrencyField(const std::string& FieldName) const {
  return ZYMLinkFieldTypeIn(FDataLink.get(), FieldName, {ftInteger});
}
bool TZYMDbBaseEdit::IsDateField(const std::string& FieldName) const {
  return ZYMLinkFieldTypeIn(FDataLink.get(), FieldName, {ftDate, ftDateTime});
}
bool TZYMDbBaseEdit::IsTimeField(const std::string& FieldName) const {
  return ZYMLinkFieldTypeIn(FDataLink.get(), FieldName, {ftTime, ftDateTime});
}
bool TZYMDbBaseEdit::IsDateTimeField(const std::string& FieldName) const {
  return ZYMLinkFieldTypeIn(FDataLink.get(), FieldName, {ftDateTime});
}

void TZYMDbBaseEdit::SetCheckedDataField(const std::string& Value, TFieldTypeCheck Accepts, const char* Message) {
  if (!FDataLink) return;
  if (FDataLink->GetActive() && !Value.empty() && !(this->*Accepts)(Value)) throw EInvalidFieldType(Message);
  FDataLink->SetFieldName(Value);
}

void TZYMDbBaseEdit::CheckActiveFieldType(TFieldTypeCheck Accepts, const char* Message) {
  if (!FDataLink || !FDataLink->GetActive()) return;
  const std::string& Name = FDataLink->GetFieldName();
  if (!Name.empty() && !(this->*Accepts)(Name)) throw EInvalidFieldType(Message);
}

}  // namespace zymqix
