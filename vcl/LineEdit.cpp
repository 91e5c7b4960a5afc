#include "vcl/LineEdit.h"

#include <algorithm>

namespace vcl {

void TLineEdit::Clip() {
  FAnchor = std::clamp(FAnchor, 0, Length());
  FCaret = std::clamp(FCaret, 0, Length());
}

void TLineEdit::SetText(const std::string& Value) {
  bool Changed = Value != FText;
  FText = Value;
  FAnchor = FCaret = 0;
  FModified = false;
  ClearUndo();
  if (Changed && OnChange) OnChange();
}

bool TLineEdit::Replace(int Start, int Len, const std::string& Text, TUndoKind Kind) {
  Start = std::clamp(Start, 0, Length());
  Len = std::clamp(Len, 0, Length() - Start);
  if (Len == 0 && Text.empty()) return false;
  if (Text.size() == static_cast<size_t>(Len) && FText.compare(static_cast<size_t>(Start), static_cast<size_t>(Len), Text) == 0) {
    FAnchor = FCaret = Start + Len;
    return false;
  }
  // A run of typing (or of deleting) continues the open undo group only when
  // it carries on where the previous change of the same kind ended.
  bool Continues = Kind != TUndoKind::Separate && Kind == FLastKind && FHasUndo &&
                   (Kind == TUndoKind::Typing ? Start == FLastEnd : Start + Len == FLastEnd || Start == FLastEnd);
  if (!Continues) {
    FHasUndo = true;
    FUndoText = FText;
    FUndoAnchor = FAnchor;
    FUndoCaret = FCaret;
  }
  FText.replace(static_cast<size_t>(Start), static_cast<size_t>(Len), Text);
  FAnchor = FCaret = Start + static_cast<int>(Text.size());
  FLastKind = Kind;
  FLastEnd = FCaret;
  if (OnChange) OnChange();
  return true;
}

void TLineEdit::SetSel(int Start, int Len) {
  Start = std::clamp(Start, 0, Length());
  int End = Len < 0 ? Length() : std::clamp(Start + Len, Start, Length());
  SetSelection(Start, End);
}

void TLineEdit::SetSelection(int Anchor, int Caret) {
  FAnchor = Anchor;
  FCaret = Caret;
  Clip();
  FLastKind = TUndoKind::Separate;
}

bool TLineEdit::InsertText(const std::string& S, TUndoKind Kind) {
  if (FReadOnly) return false;
  std::string Text = S;
  if (FMaxLength > 0) {
    int Room = FMaxLength - (Length() - SelLength());
    if (Room <= 0) return false;
    if (static_cast<int>(Text.size()) > Room) Text.resize(static_cast<size_t>(Room));
  }
  if (Text.empty() && SelLength() == 0) return false;
  int Start = SelStart(), Len = SelLength();
  if (Len > 0) Kind = TUndoKind::Separate;  // typing over a selection starts a new step
  bool Changed = Replace(Start, Len, Text, Kind);
  if (Changed) FModified = true;
  return Changed;
}

bool TLineEdit::DeleteBackward() {
  if (FReadOnly) return false;
  if (SelLength() > 0) return ClearSelection();
  if (FCaret == 0) return false;
  bool Changed = Replace(FCaret - 1, 1, "", TUndoKind::Deleting);
  if (Changed) FModified = true;
  return Changed;
}

bool TLineEdit::DeleteForward() {
  if (FReadOnly) return false;
  if (SelLength() > 0) return ClearSelection();
  if (FCaret >= Length()) return false;
  bool Changed = Replace(FCaret, 1, "", TUndoKind::Deleting);
  if (Changed) FModified = true;
  return Changed;
}

bool TLineEdit::ClearSelection() {
  if (FReadOnly || SelLength() == 0) return false;
  bool Changed = Replace(SelStart(), SelLength(), "", TUndoKind::Separate);
  if (Changed) FModified = true;
  return Changed;
}

void TLineEdit::MoveCaret(TCaretMove Move, bool Extend) {
  int Target = FCaret;
  switch (Move) {
    case TCaretMove::Left:
      if (!Extend && SelLength() > 0) Target = SelStart();
      else Target = std::max(0, FCaret - 1);
      break;
    case TCaretMove::Right:
      if (!Extend && SelLength() > 0) Target = SelStart() + SelLength();
      else Target = std::min(Length(), FCaret + 1);
      break;
    case TCaretMove::Home: Target = 0; break;
    case TCaretMove::End: Target = Length(); break;
  }
  SetSelection(Extend ? FAnchor : Target, Target);
}

bool TLineEdit::Undo() {
  if (FReadOnly || !FHasUndo) return false;
  std::string Redo = FText;
  int RedoAnchor = FAnchor, RedoCaret = FCaret;
  bool Changed = FText != FUndoText;
  FText = FUndoText;
  FAnchor = FUndoAnchor;
  FCaret = FUndoCaret;
  Clip();
  FUndoText = std::move(Redo);
  FUndoAnchor = RedoAnchor;
  FUndoCaret = RedoCaret;
  FLastKind = TUndoKind::Separate;
  FLastEnd = -1;
  if (Changed) {
    FModified = true;
    if (OnChange) OnChange();
  }
  return true;
}

void TLineEdit::ClearUndo() {
  FHasUndo = false;
  FUndoText.clear();
  FUndoAnchor = FUndoCaret = 0;
  FLastKind = TUndoKind::Separate;
  FLastEnd = -1;
}

}  // namespace vcl
