// Shared helpers of the data-access tests: a recording control and error matchers.
#pragma once

#include <gtest/gtest.h>

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

}  // namespace dbtest
