// Standard controls: the single-line edit, the combo box and the label.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/LineEdit.h"

namespace vcl {

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
using enum TEditCharCase;

/// A single-line text edit. The window's default processing is a real line
/// editor (TLineEdit): typed characters replace the selection; Backspace,
/// Delete, Home, End, Left and Right work with and without Shift; Ctrl+C,
/// Ctrl+X, Ctrl+V, Ctrl+Z, Ctrl+Insert, Shift+Delete and Shift+Insert send
/// WM_COPY, WM_CUT, WM_PASTE and WM_UNDO to the control itself, so that a
/// subclass's handlers see them before the editor does. While the window's
/// own read-only state is set no key, paste, cut or undo changes anything.
/// Every real change of the text, typed or set through Text, calls Change
/// once. Carriage returns, tabs and other control characters are not inserted.
class TCustomEdit : public TWinControl {
public:
  VCL_CLASS(TCustomEdit)
  static constexpr int DefaultWidth = 121;
  static constexpr int DefaultHeight = 21;
  static constexpr bool DefaultAutoSelect = true;
  static constexpr bool DefaultAutoSize = true;
  static constexpr int DefaultMaxLength = 0;

  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  // ---- selection ----
  int GetSelStart() const { return FEdit.SelStart(); }
  /// Puts the caret at Value with nothing selected.
  void SetSelStart(int Value);
  int GetSelLength() const { return FEdit.SelLength(); }
  /// Selects Value characters from SelStart.
  void SetSelLength(int Value);
  std::string GetSelText() const { return FEdit.SelText(); }
  /// Replaces the selection (works on a read-only window too, as a program's call).
  void SetSelText(const std::string& Value);
  void SelectAll();
  /// Copies the selection into Buffer (NUL-terminated, at most BufSize-1 characters); answers the count.
  int GetSelTextBuf(char* Buffer, int BufSize) const;
  void SetSelTextBuf(const char* Buffer);

  // ---- editing through the window's messages ----
  /// Sets the text to empty.
  void Clear();
  /// WM_CLEAR.
  void ClearSelection();
  /// WM_COPY.
  void CopyToClipboard();
  /// WM_CUT.
  void CutToClipboard();
  /// WM_PASTE.
  void PasteFromClipboard();
  /// WM_UNDO.
  void Undo();
  void ClearUndo();
  bool CanUndo() const { return FEdit.CanUndo(); }

  // ---- properties ----
  /// Set by the user's edits and by programs; cleared when Text is set.
  bool GetModified() const { return FEdit.GetModified(); }
  void SetModified(bool Value) { FEdit.SetModified(Value); }
  /// The window's own read-only state (EM_SETREADONLY); a real change also updates the window style.
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  int GetMaxLength() const { return FEdit.GetMaxLength(); }
  /// 0: no limit. Limits what the user types or pastes, not what a program sets.
  void SetMaxLength(int Value);
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool GetAutoSize() const { return FAutoSize; }
  /// True: the height follows the font.
  void SetAutoSize(bool Value);
  TEditCharCase GetCharCase() const { return FCharCase; }
  /// Converts the current text too.
  void SetCharCase(TEditCharCase Value);
  char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  /// The window style that converts typed text through the OEM character set;
  /// the stand-in's text has one 8-bit character set, so the text stays as typed.
  bool GetOEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  /// The editor behind the window (for inspection; programs edit through the control).
  const TLineEdit& LineEdit() const { return FEdit; }

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
  /// Runs once for every real change of the text; fires OnChange.
  virtual void Change();

  std::string RealGetText() const override { return FEdit.Text(); }
  void CreateParams(TCreateParams& Params) override;
  void DefaultHandler(TMessage& Message) override;
  void CMEnter(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void WMSetText(TMessage& Message) override;
  void PaintWindow(HDC DC) override;

  /// The editor, for subclasses that need more than the public surface.
  TLineEdit& Editor() { return FEdit; }

private:
  void AdjustHeight();
  std::string ApplyCharCase(const std::string& S) const;

  TLineEdit FEdit;
  bool FReadOnly = false;
  bool FAutoSelect = DefaultAutoSelect;
  bool FAutoSize = DefaultAutoSize;
  TEditCharCase FCharCase = ecNormal;
  char FPasswordChar = '\0';
  TBorderStyle FBorderStyle = bsSingle;
  bool FHideSelection = true;
  bool FOEMConvert = false;
  TNotifyEvent FOnChange;
};

/// The edit with the framework's properties published.
class TEdit : public TCustomEdit {
public:
  VCL_CLASS(TEdit)
  using TCustomEdit::TCustomEdit;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
using enum TComboBoxStyle;

enum class TOwnerDrawStateItem {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using enum TOwnerDrawStateItem;
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TCustomComboBox;

/// The items of a combo box. A sorted combo box files added items in
/// case-insensitive order (duplicates allowed); Insert puts an item exactly
/// where asked. The selection stays on its item when others come and go.
class TComboBoxStrings : public TStrings {
public:
  explicit TComboBoxStrings(TCustomComboBox* Owner) : FOwner(Owner) {}
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  int Add(const std::string& S) override;
  /// Sorts in place (used when the combo box becomes sorted).
  void Sort();

private:
  struct Item {
    std::string S;
    TObject* Obj = nullptr;
  };
  void CheckIndex(int Index) const;
  TCustomComboBox* FOwner;
  std::vector<Item> FItems;
};

/// A combo box. Its window keeps the item list, the selection and (for the
/// csDropDown and csSimple styles) an edit field run by the same line editor
/// as TCustomEdit. The user's selection changes (arrow, page, Home/End keys, a
/// typed first letter in a list-only style, a pick from the dropped list) set
/// the text, then call Click and Change; typing into the edit field calls
/// Change; setting ItemIndex or Text from a program calls neither. F4 and
/// Alt+Up/Down drop the list down and close it. Owner-drawn styles paint the
/// selection field and, while the list is dropped down, every item through DrawItem.
class TCustomComboBox : public TWinControl {
public:
  VCL_CLASS(TCustomComboBox)
  static constexpr int DefaultWidth = 145;
  static constexpr int DefaultDropDownCount = 8;
  static constexpr int DefaultItemHeight = 13;
  static constexpr TComboBoxStyle DefaultStyle = csDropDown;

  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(const TStrings* Value) { FItems->Assign(Value); }
  int GetItemCount() const { return FItems->Count(); }
  /// -1 for no selection.
  virtual int GetItemIndex() const { return FItemIndex; }
  /// Selects an item from a program: no Click, no Change. Out of range selects nothing.
  virtual void SetItemIndex(int Value);
  TComboBoxStyle GetStyle() const { return FStyle; }
  virtual void SetStyle(TComboBoxStyle Value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  int GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value < 1 ? 1 : Value; }
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  int GetMaxLength() const { return FEdit.GetMaxLength(); }
  void SetMaxLength(int Value) { FEdit.SetMaxLength(Value); }
  bool GetDroppedDown() const { return FDroppedDown; }
  /// Dropping down calls DropDown (OnDropDown) and draws the list; closing calls CloseUp.
  void SetDroppedDown(bool Value);
  /// An edit field exists (csDropDown, csSimple).
  bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
  bool IsOwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }

  // Edit field (edit styles only; a list-only style has no selection to speak of).
  int GetSelStart() const { return FEdit.SelStart(); }
  void SetSelStart(int Value) { FEdit.SetSel(Value, 0); }
  int GetSelLength() const { return FEdit.SelLength(); }
  void SetSelLength(int Value) { FEdit.SetSel(FEdit.SelStart(), Value < 0 ? 0 : Value); }
  std::string GetSelText() const { return FEdit.SelText(); }
  void SetSelText(const std::string& Value);
  void SelectAll() { FEdit.SelectAll(); }
  void Clear();
  void AddItem(const std::string& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }

  /// The canvas owner drawing paints on (valid inside DrawItem); its TextLog keeps every item drawn.
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  /// What the dropped-down list looks like (its surface is kept after it closes up).
  const TSurface& ListSurface() const { return FListSurface; }
  /// Where item Index lies on the list surface.
  TRect ItemRect(int Index) const;

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  TNotifyEvent GetOnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent Value) { FOnDropDown = std::move(Value); }
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = std::move(Value); }
  TDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = std::move(Value); }
  TMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMeasureItemEvent Value) { FOnMeasureItem = std::move(Value); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  /// Picks an item the way the user does from the dropped list (used by the simulation).
  void SelectByUser(int Index);

protected:
  /// Fires OnChange.
  virtual void Change();
  /// Fires OnDropDown.
  virtual void DropDown();
  /// Fires OnCloseUp.
  virtual void CloseUp();
  /// Draws one item on Canvas: OnDrawItem when assigned, else the item's text on the brush colour.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  /// Asks OnMeasureItem for a csOwnerDrawVariable item's height.
  virtual void MeasureItem(int Index, int& Height);

  std::string RealGetText() const override;
  void CreateParams(TCreateParams& Params) override;
  void DefaultHandler(TMessage& Message) override;
  void WMSetText(TMessage& Message) override;
  void CMEnter(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void PaintWindow(HDC DC) override;

  TLineEdit& Editor() { return FEdit; }

private:
  friend class TComboBoxStrings;
  void ItemInserted(int Index);
  void ItemDeleted(int Index);
  void ItemsCleared();
  void SelectionChangedByUser();
  void ComboKeyDown(Word Key);
  void ComboChar(char Ch);
  void AdjustHeight();
  void DrawList();
  /// Sets up the canvas as the framework does for owner drawing, then draws one item.
  void DrawOneItem(HDC DC, int Index, const TRect& R, TOwnerDrawState State);
  int ItemHeightOf(int Index);

  std::unique_ptr<TComboBoxStrings> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  TLineEdit FEdit;
  TSurface FListSurface;
  std::vector<int> FItemHeights;  ///< measured when the list drops down
  int FItemIndex = -1;
  TComboBoxStyle FStyle = DefaultStyle;
  bool FSorted = false;
  int FDropDownCount = DefaultDropDownCount;
  int FItemHeight = DefaultItemHeight;
  bool FDroppedDown = false;
  TNotifyEvent FOnChange, FOnDropDown, FOnCloseUp;
  TDrawItemEvent FOnDrawItem;
  TMeasureItemEvent FOnMeasureItem;
};

class TComboBox : public TCustomComboBox {
public:
  VCL_CLASS(TComboBox)
  using TCustomComboBox::TCustomComboBox;
};

enum class TTextLayout { tlTop, tlCenter, tlBottom };
using enum TTextLayout;

/// A caption painted on the parent. With AutoSize the label takes the size of
/// its text; with ShowAccelChar an ampersand marks the accelerator character
/// (Alt and that character, or the character alone when the focused control
/// takes no characters, focuses FocusControl).
class TCustomLabel : public TGraphicControl {
public:
  VCL_CLASS(TCustomLabel)
  static constexpr bool DefaultAutoSize = true;
  static constexpr bool DefaultShowAccelChar = true;

  explicit TCustomLabel(TComponent* AOwner);
  ~TCustomLabel() override;

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  /// The caption as painted (accelerator ampersands removed when ShowAccelChar).
  std::string DisplayCaption() const;

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void Paint() override;
  /// Fits the size to the caption when AutoSize (a fixed width when WordWrap).
  virtual void AdjustBounds();
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;

public:
  void Loaded() override;

private:
  std::vector<std::string> Lines() const;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = DefaultAutoSize;
  bool FWordWrap = false;
  bool FTransparent = false;
  TTextLayout FLayout = tlTop;
  bool FShowAccelChar = DefaultShowAccelChar;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
  VCL_CLASS(TLabel)
  using TCustomLabel::TCustomLabel;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
using enum TCheckBoxState;

/// A push-button-like control: clicks come from its state changes, not from the mouse directly.
class TButtonControl : public TWinControl {
public:
  VCL_CLASS(TButtonControl)
  explicit TButtonControl(TComponent* AOwner);
  ~TButtonControl() override;
  virtual bool GetChecked() const { return false; }
  virtual void SetChecked(bool) {}
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  /// The canvas the caption is drawn on while the control paints; its TextLog keeps what was drawn.
  TCanvas* GetCanvas() const { return FCanvas.get(); }

protected:
  /// Draws the box (or circle) mark and the caption; Round for a radio button.
  void PaintMark(HDC DC, TAlignment Alignment, WPARAM Check, bool Round);
  /// While set, state changes made by the control itself do not call Click.
  bool GetClicksDisabled() const { return FClicksDisabled; }
  void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }
  /// The check state the window shows (BM_SETCHECK / BM_GETCHECK).
  WPARAM WindowCheck() const { return FWindowCheck; }
  void DefaultHandler(TMessage& Message) override;

private:
  std::unique_ptr<TCanvas> FCanvas;
  bool FClicksDisabled = false;
  bool FWordWrap = false;
  WPARAM FWindowCheck = BST_UNCHECKED;
};

/// A check box: unchecked, checked or (with AllowGrayed) grayed. A click or
/// Space (on release) toggles it; every state change sends BM_SETCHECK to the
/// window when it exists and then calls Click (OnClick).
class TCustomCheckBox : public TButtonControl {
public:
  VCL_CLASS(TCustomCheckBox)
  explicit TCustomCheckBox(TComponent* AOwner);
  ~TCustomCheckBox() override;

  TCheckBoxState GetState() const { return FState; }
  virtual void SetState(TCheckBoxState Value);
  bool GetChecked() const override { return FState == cbChecked; }
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  /// taLeftJustify puts the box to the right of the caption.
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  /// Unchecked becomes grayed (AllowGrayed) or checked; checked becomes unchecked; grayed becomes checked.
  virtual void Toggle();
  void CreateParams(TCreateParams& Params) override;
  void WindowCreated() override;
  void DefaultHandler(TMessage& Message) override;
  void PaintWindow(HDC DC) override;

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
public:
  VCL_CLASS(TCheckBox)
  using TCustomCheckBox::TCustomCheckBox;
};

/// A radio button: checking it (by a click, Space, or a program) unchecks the
/// other radio buttons of the same parent and calls Click.
class TRadioButton : public TButtonControl {
public:
  VCL_CLASS(TRadioButton)
  explicit TRadioButton(TComponent* AOwner);
  ~TRadioButton() override;
  bool GetChecked() const override { return FChecked; }
  void SetChecked(bool Value) override;
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void WindowCreated() override;
  void DefaultHandler(TMessage& Message) override;
  void PaintWindow(HDC DC) override;

private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

/// A frame with a caption that holds other controls.
class TCustomGroupBox : public TCustomControl {
public:
  VCL_CLASS(TCustomGroupBox)
  explicit TCustomGroupBox(TComponent* AOwner);
  ~TCustomGroupBox() override;

protected:
  TRect AlignRect() const override;
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;
};

class TGroupBox : public TCustomGroupBox {
public:
  VCL_CLASS(TGroupBox)
  using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace vcl

VCL_ENUM_NAMES(vcl::TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed");
VCL_ENUM_NAMES(vcl::TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase");
VCL_ENUM_NAMES(vcl::TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
               "csOwnerDrawVariable");
VCL_ENUM_NAMES(vcl::TTextLayout, "tlTop", "tlCenter", "tlBottom");
