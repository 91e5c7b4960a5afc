#include "vcl/Host.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace vcl {

THost::THost() { Reset(); }

void THost::Reset() {
  FBeepCount = 0;
  FLastBeep = 0;
  FMessages.clear();
  OnMessageBox = nullptr;
  EchoMessagesToStderr = true;
  FFixedNow.reset();
  ClearClipboard();
  ScreenWidth = 1024;
  ScreenHeight = 768;
  OnOpenURL = nullptr;
  FOpenedURLs.clear();
  CalculatorPopup = [](Extended&, int, int) { return false; };
  CalendarPopup = [](TDateTime&, int, int) { return false; };
}

void THost::MessageBeep(unsigned Type) {
  ++FBeepCount;
  FLastBeep = Type;
}

int THost::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
  THostMessage M{Text, Caption, Flags};
  FMessages.push_back(M);
  if (EchoMessagesToStderr) std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
  if (OnMessageBox) return OnMessageBox(M);
  return IDOK;
}

TDateTime THost::Now() const {
  if (FFixedNow) return *FFixedNow;
  auto Tp = std::chrono::system_clock::now();
  std::time_t T = std::chrono::system_clock::to_time_t(Tp);
  std::tm Local{};
  localtime_r(&T, &Local);
  auto Ms = std::chrono::duration_cast<std::chrono::milliseconds>(Tp.time_since_epoch()).count() % 1000;
  // Seconds since the epoch in local time, then days since 1899-12-30 (25569 days before 1970-01-01).
  double LocalSecs = static_cast<double>(T) + static_cast<double>(Local.tm_gmtoff) + Ms / 1000.0;
  return 25569.0 + LocalSecs / 86400.0;
}

bool THost::OpenURL(const std::string& Url) {
  FOpenedURLs.push_back(Url);
  if (OnOpenURL) return OnOpenURL(Url);
  pid_t Pid = fork();
  if (Pid < 0) return false;
  if (Pid == 0) {
    // The URL goes as one argument vector entry; no shell sees it.
    execlp("xdg-open", "xdg-open", Url.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int Status = 0;
  waitpid(Pid, &Status, 0);
  return WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
}

THost& Host() {
  static THost Instance;
  return Instance;
}

void MessageBeep(unsigned Type) { Host().MessageBeep(Type); }

}  // namespace vcl
