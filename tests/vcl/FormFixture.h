// A shown form on a clean host, and a recorder of events, for control tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "vcl/Forms.h"
#include "vcl/Host.h"
#include "vcl/Simulate.h"

namespace vcltest {

/// Records what happened, in order, as short strings ("enter:A", "change").
struct TRecorder {
  std::vector<std::string> Log;
  void Add(const std::string& S) { Log.push_back(S); }
  int Count(const std::string& S) const {
    int N = 0;
    for (const auto& L : Log) N += L == S;
    return N;
  }
  void Clear() { Log.clear(); }
};

class TFormFixture : public ::testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<vcl::TForm>(nullptr);
    Form->SetName("Form1");
    Form->Show();
  }
  void TearDown() override { Form.reset(); }

  /// A control of type T owned by and placed on the form.
  template <class T>
  T* Add(const std::string& Name, vcl::TWinControl* Parent = nullptr) {
    auto* C = new T(Form.get());
    C->SetName(Name);
    C->SetParent(Parent ? Parent : Form.get());
    return C;
  }

  vcl::THostScope HostScope;
  std::unique_ptr<vcl::TForm> Form;
};

}  // namespace vcltest
