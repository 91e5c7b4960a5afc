// The state of a single-line editor apart from any window: text, caret,
// selection and one level of undo. Every change of the text goes through
// Replace; the edit window only turns messages and keys into calls here.
#pragma once

#include <functional>
#include <string>

namespace vcl {

class TLineEdit {
public:
  /// How a change joins the undo record: consecutive typing (or deleting)
  /// at the caret is undone as one step, as a desktop edit does.
  enum class TUndoKind { Separate, Typing, Deleting };

  // ---- text ----
  const std::string& Text() const { return FText; }
  int Length() const { return static_cast<int>(FText.size()); }
  /// Replaces the whole text (a program setting it): caret to 0, no selection,
  /// undo emptied, Modified cleared. OnChange only when the text differs.
  void SetText(const std::string& Value);

  /// The one primitive: puts Text in place of Length characters at Start
  /// (both clipped to the text), leaves the caret after the inserted text and
  /// records the change for undo. OnChange fires when the text really changed.
  /// Answers whether it changed.
  bool Replace(int Start, int Length, const std::string& Text, TUndoKind Kind = TUndoKind::Separate);

  // ---- caret and selection ----
  /// The selection runs from the anchor to the caret; SelStart is the smaller end.
  int SelStart() const { return FAnchor < FCaret ? FAnchor : FCaret; }
  int SelLength() const { return FAnchor < FCaret ? FCaret - FAnchor : FAnchor - FCaret; }
  std::string SelText() const { return FText.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength())); }
  int Caret() const { return FCaret; }
  int Anchor() const { return FAnchor; }
  /// Both clipped to the text; a negative Length selects to the end.
  void SetSel(int Start, int Length);
  /// Anchor and caret placed explicitly (the caret is the end that moves with Shift+arrows).
  void SetSelection(int Anchor, int Caret);
  void SelectAll() { SetSelection(0, Length()); }

  // ---- user editing (refused while read-only; counted as user changes for Modified) ----
  /// Puts typed or pasted text in place of the selection, cut to what MaxLength leaves room for.
  /// Answers whether the text changed.
  bool InsertText(const std::string& S, TUndoKind Kind = TUndoKind::Separate);
  /// Backspace: the selection, or the character before the caret.
  bool DeleteBackward();
  /// Delete: the selection, or the character after the caret.
  bool DeleteForward();
  /// Removes the selection.
  bool ClearSelection();
  enum class TCaretMove { Left, Right, Home, End };
  /// Moves the caret; with Extend the anchor stays (Shift held), without it
  /// Left/Right first collapse a selection to its near end.
  void MoveCaret(TCaretMove Move, bool Extend);

  // ---- undo ----
  bool CanUndo() const { return FHasUndo; }
  /// Swaps the text with the undo record, so a second Undo restores what the first took back.
  bool Undo();
  void ClearUndo();

  // ---- limits and flags ----
  /// 0 means no limit. Only user editing is limited; SetText and Replace are not.
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value) { FMaxLength = Value < 0 ? 0 : Value; }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  /// Set by user editing, cleared by SetText.
  bool GetModified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  /// Called once after every real change of the text.
  std::function<void()> OnChange;

private:
  void Clip();
  std::string FText;
  int FAnchor = 0;
  int FCaret = 0;
  int FMaxLength = 0;
  bool FReadOnly = false;
  bool FModified = false;
  // Undo record: the text and selection before the last change (or group of typing).
  bool FHasUndo = false;
  std::string FUndoText;
  int FUndoAnchor = 0;
  int FUndoCaret = 0;
  TUndoKind FLastKind = TUndoKind::Separate;
  int FLastEnd = -1;  ///< caret after the last grouped change; a group continues only from there
};

}  // namespace vcl
