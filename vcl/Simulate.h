// Input as the window system delivers it, for tests and headless hosts.
//
// Keys: a dialog key (Tab, and arrows or Enter/Escape for controls that do
// not take them) is first offered to the parent form as CM_DIALOGKEY; Tab moves
// the focus there and never reaches the control. Otherwise WM_KEYDOWN reaches
// the control's KeyDown (OnKeyDown), and when the key survives, the window's
// default processing. The character a key produces is then sent as WM_CHAR
// to the same control, whatever KeyDown did with the key (the keyboard
// translates keys before the control sees them), and WM_KEYUP goes to the
// control that has the focus by then. Keys sent to a disabled control are lost.
// Alt with a character key also offers the character to the form as
// CM_DIALOGCHAR (label accelerators).
//
// Shift state: modifiers in Shift are held down in the shared keyboard state
// (GetKeyState) for the duration of the call.
//
// Exceptions: an exception raised while the input is handled (a CM_EXIT that
// refuses to let the focus go, say) reaches the caller of the Simulate
// function, so a test can see it; a host's message loop would pass it to
// Application()->HandleException instead.
#pragma once

#include <string>

#include "vcl/Controls.h"
#include "vcl/StdCtrls.h"

namespace vcl {

/// WM_KEYDOWN (after the dialog-key check); the key is not translated to a character.
void SimulateKeyDown(TWinControl* Ctl, Word Key, TShiftState Shift = {});
/// WM_KEYUP.
void SimulateKeyUp(TWinControl* Ctl, Word Key, TShiftState Shift = {});
/// WM_CHAR only, as an input method would deliver it.
void SimulateKeyPress(TWinControl* Ctl, char Ch);
/// Down, the character the key produces (if any), up.
void SimulateKey(TWinControl* Ctl, Word Key, TShiftState Shift = {});
/// Each character as a key stroke (its key with Shift where needed, or the bare
/// character when no key produces it). When Ctl has the focus, keys follow the
/// focus if a keystroke moves it (Enter as Tab), as a user's typing would.
void SimulateType(TWinControl* Ctl, const std::string& Text);

/// The user picks item Index from a combo box's list: the list drops down (if
/// it is not down already), the item is chosen (Click and Change when the
/// selection moves) and the list closes up.
void SimulateSelectItem(TCustomComboBox* Combo, int Index);

/// The character a key produces with the given modifiers; '\0' for none.
char KeyToChar(Word Key, TShiftState Shift);

// ---- mouse ----
void SimulateMouseEnter(TControl* Ctl);
void SimulateMouseLeave(TControl* Ctl);
/// Left button down and up at X,Y (client coordinates; -1 means the centre).
void SimulateClick(TControl* Ctl, int X = -1, int Y = -1, TShiftState Shift = {});
/// Down, up, double-click, up: OnClick once, then OnDblClick once.
void SimulateDblClick(TControl* Ctl, int X = -1, int Y = -1);
void SimulateMouseDown(TControl* Ctl, TMouseButton Button = mbLeft, int X = -1, int Y = -1, TShiftState Shift = {});
void SimulateMouseUp(TControl* Ctl, TMouseButton Button = mbLeft, int X = -1, int Y = -1, TShiftState Shift = {});
void SimulateMouseMove(TControl* Ctl, int X, int Y, TShiftState Shift = {});
/// The left button held for Intervals repeat intervals: down, one WM_TIMER
/// (wParam RepeatTimerID) per interval, then up.
void SimulateMouseHold(TControl* Ctl, int Intervals, int X = -1, int Y = -1);

}  // namespace vcl
