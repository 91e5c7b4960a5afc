#include "vcl/Simulate.h"

#include <cctype>
#include <cstring>

#include "vcl/Forms.h"

namespace vcl {

namespace {

/// Holds the modifier keys of Shift down in the shared keyboard state for one call.
class TModifierScope {
public:
  explicit TModifierScope(TShiftState Shift) {
    Hold(VK_SHIFT, Shift.Contains(ssShift));
    Hold(VK_CONTROL, Shift.Contains(ssCtrl));
    Hold(VK_MENU, Shift.Contains(ssAlt));
  }
  ~TModifierScope() {
    for (int I = FCount - 1; I >= 0; --I) SetKeyDown(FKeys[I], false);
  }
  TModifierScope(const TModifierScope&) = delete;
  TModifierScope& operator=(const TModifierScope&) = delete;

private:
  void Hold(int Key, bool Down) {
    if (!Down || GetKeyState(Key) < 0) return;  // already held by an outer call
    SetKeyDown(Key, true);
    FKeys[FCount++] = Key;
  }
  int FKeys[3] = {};
  int FCount = 0;
};

/// Holds one key down for the length of a keystroke, also when a handler raises.
class TKeyScope {
public:
  explicit TKeyScope(Word Key) : FKey(Key) { SetKeyDown(Key, true); }
  ~TKeyScope() { SetKeyDown(FKey, false); }
  TKeyScope(const TKeyScope&) = delete;
  TKeyScope& operator=(const TKeyScope&) = delete;

private:
  Word FKey;
};

bool AcceptsInput(const TControl* Ctl) {
  for (const TControl* C = Ctl; C; C = C->GetParent())
    if (!C->GetEnabled()) return false;
  return Ctl != nullptr;
}

/// The keyboard's lParam for a key message: repeat count 1, Alt in bit 29.
LPARAM KeyData(TShiftState Shift, bool Up) {
  uint32_t D = 1;
  if (Shift.Contains(ssAlt)) D |= 1u << 29;
  if (Up) D |= 3u << 30;
  return static_cast<LPARAM>(D);
}

/// Delivers WM_KEYDOWN unless the form took the key as a dialog key. Answers
/// whether the control received it (and so whether the key is translated).
bool DeliverKeyDown(TWinControl* Ctl, Word Key, TShiftState Shift) {
  if (!AcceptsInput(Ctl)) return false;
  LRESULT Mask = 0;
  switch (Key) {
    case VK_TAB: Mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: Mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: Mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (Mask != 0 && Ctl->Perform(CM_WANTSPECIALKEY, Key, 0) == 0 && (Ctl->Perform(WM_GETDLGCODE, 0, 0) & Mask) == 0) {
    TCustomForm* F = GetParentForm(Ctl);
    if (F && F->Perform(CM_DIALOGKEY, Key, KeyData(Shift, false)) != 0) return false;
  }
  Ctl->Perform(Shift.Contains(ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, KeyData(Shift, false));
  return true;
}

/// Where the next keystroke goes: the focused control of Ctl's form when
/// Ctl had the focus at the start (FollowFocus), else Ctl itself.
TWinControl* KeyTarget(TWinControl* Ctl, bool FollowFocus) {
  if (!FollowFocus) return Ctl;
  TCustomForm* F = GetParentForm(Ctl);
  if (F && F->GetActive() && F->GetFocusedControl()) return F->GetFocusedControl();
  return Ctl;
}

bool HasFocus(TWinControl* Ctl) { return Ctl->Focused(); }

void KeyStroke(TWinControl* Ctl, Word Key, TShiftState Shift) {
  TModifierScope Mods(Shift);
  bool FollowFocus = HasFocus(Ctl);
  {
    TKeyScope Down(Key);
    bool Delivered = DeliverKeyDown(Ctl, Key, Shift);
    if (Delivered) {
      if (char Ch = KeyToChar(Key, Shift); Ch != '\0' && AcceptsInput(Ctl))
        Ctl->Perform(WM_CHAR, static_cast<unsigned char>(Ch), KeyData(Shift, false));
      if (Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl)) {
        // Alt and a character: the form offers it to its controls as an accelerator.
        char Ch = KeyToChar(Key, Shift - TShiftState{ssAlt});
        if (TCustomForm* F = GetParentForm(Ctl); F && Ch > ' ')
          F->Perform(CM_DIALOGCHAR, static_cast<unsigned char>(Ch), KeyData(Shift, false));
      }
    }
  }
  TWinControl* UpTarget = KeyTarget(Ctl, FollowFocus);
  if (AcceptsInput(UpTarget))
    UpTarget->Perform(Shift.Contains(ssAlt) ? WM_SYSKEYUP : WM_KEYUP, Key, KeyData(Shift, true));
}

struct TOemKey {
  Word Key;
  char Plain;
  char Shifted;
};
const TOemKey OemKeys[] = {
    {VK_OEM_1, ';', ':'},  {VK_OEM_PLUS, '=', '+'},  {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'}, {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'}, {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
};
const char ShiftedDigits[] = ")!@#$%^&*(";

/// The key (and Shift) that types Ch on a US keyboard; False when no key does.
bool CharToKey(char Ch, Word& Key, TShiftState& Shift) {
  auto U = static_cast<unsigned char>(Ch);
  Shift = {};
  if (U >= 'a' && U <= 'z') { Key = static_cast<Word>(U - 'a' + 'A'); return true; }
  if (U >= 'A' && U <= 'Z') { Key = U; Shift = {ssShift}; return true; }
  if (U >= '0' && U <= '9') { Key = U; return true; }
  if (const char* P = std::strchr(ShiftedDigits, Ch); P && U != 0) {
    Key = static_cast<Word>('0' + (P - ShiftedDigits));
    Shift = {ssShift};
    return true;
  }
  switch (U) {
    case ' ': Key = VK_SPACE; return true;
    case '\b': Key = VK_BACK; return true;
    case '\t': Key = VK_TAB; return true;
    case '\r': case '\n': Key = VK_RETURN; return true;
    case 27: Key = VK_ESCAPE; return true;
    default: break;
  }
  for (const TOemKey& K : OemKeys) {
    if (K.Plain == Ch) { Key = K.Key; return true; }
    if (K.Shifted == Ch) { Key = K.Key; Shift = {ssShift}; return true; }
  }
  if (U >= 1 && U <= 26) {
    Key = static_cast<Word>('A' + U - 1);
    Shift = {ssCtrl};
    return true;
  }
  return false;
}

TPoint Where(const TControl* Ctl, int X, int Y) {
  TRect R = Ctl->GetClientRect();
  return Point(X < 0 ? R.Right / 2 : X, Y < 0 ? R.Bottom / 2 : Y);
}

WPARAM MouseKeys(TShiftState Shift, WPARAM Buttons) {
  WPARAM K = Buttons;
  if (Shift.Contains(ssShift)) K |= MK_SHIFT;
  if (Shift.Contains(ssCtrl)) K |= MK_CONTROL;
  return K;
}

Cardinal DownMsg(TMouseButton B) { return B == mbLeft ? WM_LBUTTONDOWN : B == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN; }
Cardinal UpMsg(TMouseButton B) { return B == mbLeft ? WM_LBUTTONUP : B == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP; }
WPARAM ButtonFlag(TMouseButton B) { return B == mbLeft ? MK_LBUTTON : B == mbRight ? MK_RBUTTON : MK_MBUTTON; }

}  // namespace

char KeyToChar(Word Key, TShiftState Shift) {
  bool Sh = Shift.Contains(ssShift), Ctrl = Shift.Contains(ssCtrl), Alt = Shift.Contains(ssAlt);
  if (Alt) return '\0';  // Alt combinations produce system characters, not WM_CHAR
  if (Ctrl) {
    if (Key >= 'A' && Key <= 'Z') return static_cast<char>(Key - 'A' + 1);
    if (Key == VK_SPACE) return ' ';
    if (Key == VK_BACK) return 127;
    if (Key == VK_RETURN) return '\n';
    return '\0';
  }
  if (Key >= 'A' && Key <= 'Z') return static_cast<char>(Sh ? Key : Key - 'A' + 'a');
  if (Key >= '0' && Key <= '9') return Sh ? ShiftedDigits[Key - '0'] : static_cast<char>(Key);
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return static_cast<char>('0' + Key - VK_NUMPAD0);
  switch (Key) {
    case VK_SPACE: return ' ';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 27;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    default: break;
  }
  for (const TOemKey& K : OemKeys)
    if (K.Key == Key) return Sh ? K.Shifted : K.Plain;
  return '\0';
}

void SimulateKeyDown(TWinControl* Ctl, Word Key, TShiftState Shift) {
  TModifierScope Mods(Shift);
  TKeyScope Down(Key);
  DeliverKeyDown(Ctl, Key, Shift);
}

void SimulateKeyUp(TWinControl* Ctl, Word Key, TShiftState Shift) {
  TModifierScope Mods(Shift);
  if (AcceptsInput(Ctl)) Ctl->Perform(Shift.Contains(ssAlt) ? WM_SYSKEYUP : WM_KEYUP, Key, KeyData(Shift, true));
}

void SimulateKeyPress(TWinControl* Ctl, char Ch) {
  if (AcceptsInput(Ctl)) Ctl->Perform(WM_CHAR, static_cast<unsigned char>(Ch), 1);
}

void SimulateKey(TWinControl* Ctl, Word Key, TShiftState Shift) { KeyStroke(Ctl, Key, Shift); }

void SimulateType(TWinControl* Ctl, const std::string& Text) {
  bool FollowFocus = Ctl && HasFocus(Ctl);
  for (char Ch : Text) {
    TWinControl* Target = KeyTarget(Ctl, FollowFocus);
    Word Key = 0;
    TShiftState Shift;
    if (CharToKey(Ch, Key, Shift)) KeyStroke(Target, Key, Shift);
    else SimulateKeyPress(Target, Ch);
  }
}

void SimulateSelectItem(TCustomComboBox* Combo, int Index) {
  if (!AcceptsInput(Combo)) return;
  if (!Combo->GetDroppedDown()) Combo->Perform(CB_SHOWDROPDOWN, 1, 0);
  Combo->SelectByUser(Index);
}

void SimulateMouseEnter(TControl* Ctl) {
  if (Ctl) Ctl->Perform(CM_MOUSEENTER, 0, 0);
}

void SimulateMouseLeave(TControl* Ctl) {
  if (Ctl) Ctl->Perform(CM_MOUSELEAVE, 0, 0);
}

void SimulateMouseDown(TControl* Ctl, TMouseButton Button, int X, int Y, TShiftState Shift) {
  if (!AcceptsInput(Ctl)) return;
  TPoint P = Where(Ctl, X, Y);
  Ctl->Perform(DownMsg(Button), MouseKeys(Shift, ButtonFlag(Button)), MakeLParam(P.X, P.Y));
}

void SimulateMouseUp(TControl* Ctl, TMouseButton Button, int X, int Y, TShiftState Shift) {
  if (!AcceptsInput(Ctl)) return;
  TPoint P = Where(Ctl, X, Y);
  Ctl->Perform(UpMsg(Button), MouseKeys(Shift, 0), MakeLParam(P.X, P.Y));
}

void SimulateMouseMove(TControl* Ctl, int X, int Y, TShiftState Shift) {
  if (!AcceptsInput(Ctl)) return;
  Ctl->Perform(WM_MOUSEMOVE, MouseKeys(Shift, 0), MakeLParam(X, Y));
}

void SimulateClick(TControl* Ctl, int X, int Y, TShiftState Shift) {
  TModifierScope Mods(Shift);
  SimulateMouseDown(Ctl, mbLeft, X, Y, Shift);
  SimulateMouseUp(Ctl, mbLeft, X, Y, Shift);
}

void SimulateDblClick(TControl* Ctl, int X, int Y) {
  if (!AcceptsInput(Ctl)) return;
  TPoint P = Where(Ctl, X, Y);
  LPARAM Pos = MakeLParam(P.X, P.Y);
  Ctl->Perform(WM_LBUTTONDOWN, MK_LBUTTON, Pos);
  Ctl->Perform(WM_LBUTTONUP, 0, Pos);
  Ctl->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, Pos);
  Ctl->Perform(WM_LBUTTONUP, 0, Pos);
}

void SimulateMouseHold(TControl* Ctl, int Intervals, int X, int Y) {
  if (!AcceptsInput(Ctl)) return;
  TPoint P = Where(Ctl, X, Y);
  LPARAM Pos = MakeLParam(P.X, P.Y);
  Ctl->Perform(WM_LBUTTONDOWN, MK_LBUTTON, Pos);
  for (int I = 0; I < Intervals; ++I) Ctl->Perform(WM_TIMER, RepeatTimerID, 0);
  Ctl->Perform(WM_LBUTTONUP, 0, Pos);
}

}  // namespace vcl
