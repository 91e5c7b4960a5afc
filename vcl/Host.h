// The seams through which the headless framework meets the world: beeps,
// message boxes, the clock, the clipboard, the screen, URLs and popups.
// Tests install their own behaviour by assigning the hooks, and call Reset()
// (or use THostScope) to go back to the defaults.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vcl/System.h"

namespace vcl {

// Message box flags and answers (Windows values).
constexpr unsigned MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNO = 0x4, MB_ICONERROR = 0x10,
                   MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;

struct THostMessage {
  std::string Text;
  std::string Caption;
  unsigned Flags = 0;
};

class THost {
public:
  THost();
  /// Back to the defaults: stderr messages, the system clock, empty clipboard, popups cancelled.
  void Reset();

  // Beeps: counted, never audible.
  void MessageBeep(unsigned Type);
  int BeepCount() const { return FBeepCount; }
  unsigned LastBeepType() const { return FLastBeep; }

  // Message boxes: recorded; the answer comes from OnMessageBox when set, else IDOK.
  int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags);
  const std::vector<THostMessage>& Messages() const { return FMessages; }
  void ClearMessages() { FMessages.clear(); }
  std::function<int(const THostMessage&)> OnMessageBox;
  bool EchoMessagesToStderr = true;

  // Clock: the fixed value when set, else the system's local time.
  TDateTime Now() const;
  void FixNow(TDateTime Value) { FFixedNow = Value; }
  void UnfixNow() { FFixedNow.reset(); }

  // Clipboard (text only).
  std::string GetClipboardText() const { return FClipboard; }
  void SetClipboardText(const std::string& Text) { FClipboard = Text; FClipboardHasText = true; }
  bool ClipboardHasText() const { return FClipboardHasText; }
  void ClearClipboard() { FClipboard.clear(); FClipboardHasText = false; }

  // Screen size in pixels.
  int ScreenWidth = 1024;
  int ScreenHeight = 768;

  // URL opening: OnOpenURL when set, else xdg-open. Returns True when handed over.
  bool OpenURL(const std::string& Url);
  std::function<bool(const std::string&)> OnOpenURL;
  const std::vector<std::string>& OpenedURLs() const { return FOpenedURLs; }

  // Popups: answer True and a value for OK; the defaults answer Cancel.
  std::function<bool(Extended& Value, int X, int Y)> CalculatorPopup;
  std::function<bool(TDateTime& Value, int X, int Y)> CalendarPopup;

private:
  int FBeepCount = 0;
  unsigned FLastBeep = 0;
  std::vector<THostMessage> FMessages;
  std::optional<TDateTime> FFixedNow;
  std::string FClipboard;
  bool FClipboardHasText = false;
  std::vector<std::string> FOpenedURLs;
};

THost& Host();

/// Resets the host on entry and on exit of a scope (for tests).
class THostScope {
public:
  THostScope() { Host().Reset(); Host().EchoMessagesToStderr = false; }
  ~THostScope() { Host().Reset(); }
  THostScope(const THostScope&) = delete;
  THostScope& operator=(const THostScope&) = delete;
};

void MessageBeep(unsigned Type);

}  // namespace vcl
