// Standard controls: the single-line edit, the combo box and the label.
#pragma once

#include <memory>
#include <string>

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
  void EditKeyDown(Word Key);
  void EditChar(char Ch);
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
  TNotifyEvent FOnChange;
};

/// The edit with the framework's properties published.
class TEdit : public TCustomEdit {
public:
  VCL_CLASS(TEdit)
  using TCustomEdit::TCustomEdit;
};

}  // namespace vcl

VCL_ENUM_NAMES(vcl::TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase");
