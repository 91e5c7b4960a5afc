// Shared helpers of the data-access tests: a recording control and error matchers.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "vcl/DB.h"

namespace dbtest {

/// A stand-in for a data-aware control: it owns a field data link, logs the
/// link's four events, shows the field's edit text and writes its own text back
/// when the link asks for its data.
class TRecordingControl : public vcl::TComponent {
public:
  explicit TRecordingControl(vcl::TComponent* Owner = nullptr) : vcl::TComponent(Owner) {
    Link.SetControl(this);
    Link.SetOnDataChange([this](vcl::TObject*) {
      Log.push_back("DataChange");
      Text = Link.GetField() ? Link.GetField()->GetText() : "";
      if (OnDataChange) OnDataChange();
    });
    Link.SetOnEditingChange([this](vcl::TObject*) { Log.push_back("EditingChange"); });
    Link.SetOnUpdateData([this](vcl::TObject*) {
      Log.push_back("UpdateData");
      Link.GetField()->SetText(Text);
    });
    Link.SetOnActiveChange([this](vcl::TObject*) {
      Log.push_back("ActiveChange");
      if (OnActiveChange) OnActiveChange();
    });
  }

  /// The user typed: the link is asked for edit state, the text changes, the link is marked modified.
  bool Type(const std::string& NewText) {
    if (!Link.Edit()) return false;
    Text = NewText;
    Link.Modified();
    return true;
  }
  int Count(const std::string& Event) const {
    int N = 0;
    for (const auto& E : Log) N += E == Event;
    return N;
  }

  vcl::TFieldDataLink Link;
  std::vector<std::string> Log;
  std::string Text;
  std::function<void()> OnDataChange, OnActiveChange;
};

/// Runs F and answers the message of the exception of type E it raised ("" if none).
template <class E = vcl::Exception, class F>
std::string ErrorOf(F&& Fn) {
  try {
    Fn();
  } catch (const E& Ex) {
    return Ex.Message();
  }
  return "";
}

/// A fresh path for a scratch file of the running test (removed if it exists).
inline std::string ScratchFile(const std::string& Suffix) {
  const char* Env = std::getenv("ZYMQIX_TEST_TMP");
  std::filesystem::path Dir = Env && *Env ? Env : ::testing::TempDir();
  std::filesystem::create_directories(Dir);
  const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string Name = std::string(Info->test_suite_name()) + "." + Info->name() + Suffix;
  for (char& C : Name)
    if (C == '/') C = '_';
  std::filesystem::path P = Dir / Name;
  std::filesystem::remove(P);
  return P.string();
}

}  // namespace dbtest
