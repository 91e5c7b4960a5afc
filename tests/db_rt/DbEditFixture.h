// Shared ground for tests of the field-bound edits: a shown form with an
// in-memory dataset and a data source, an event recorder, and input helpers
// that drive a control as a user does (Tab in, type, Tab out).
//
//   class TMyEditTest : public zymqix::test::TDbEditFixture {};
//   TEST_F(TMyEditTest, WritesOnExit) {
//     auto* E = MakeEdit<TZYMQIXDbEdit>("Name");
//     TabIn(E);
//     Type(E, "Nut");
//     TabOut(E);
//     EXPECT_EQ(Field("Name")->GetAsString(), "Nut");
//   }
//
// The default dataset has the fields below and one record; a fixture that
// needs others overrides DefineFields and FillRecords.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "rt/ZYMQIXSettings.h"
#include "vcl/DB.h"
#include "vcl/Forms.h"
#include "vcl/Host.h"
#include "vcl/MemDataSet.h"
#include "vcl/Simulate.h"
#include "vcl/StdCtrls.h"
#include "vcl/SysUtils.h"

namespace zymqix::test {

/// Records events in order, as short names, so that a test can assert
/// "fired once", "did not fire" or a whole sequence.
struct TEventRecorder {
  std::vector<std::string> Log;

  /// A handler that records Name each time it fires.
  vcl::TNotifyEvent Notify(const std::string& Name) {
    return [this, Name](vcl::TObject*) { Log.push_back(Name); };
  }
  void Add(const std::string& Name) { Log.push_back(Name); }
  int Count(const std::string& Name) const {
    int N = 0;
    for (const auto& L : Log) N += L == Name;
    return N;
  }
  /// The log joined with commas ("enter,change,exit").
  std::string Joined() const {
    std::string S;
    for (const auto& L : Log) S += (S.empty() ? "" : ",") + L;
    return S;
  }
  void Clear() { Log.clear(); }
};

class TDbEditFixture : public ::testing::Test {
protected:
  void SetUp() override {
    ResetZYMSettings();
    vcl::ResetFormatSettings();
    vcl::SysLocale = vcl::TSysLocale{};
    Form = std::make_unique<vcl::TForm>(nullptr);
    Form->SetName("Form1");
    Before = new vcl::TEdit(Form.get());
    Before->SetName("Before");
    Before->SetParent(Form.get());
    DataSet = new vcl::TMemDataSet(Form.get());
    DataSet->SetName("Table1");
    DefineFields(*DataSet->GetFieldDefs());
    DataSet->Open();
    FillRecords();
    Source = new vcl::TDataSource(Form.get());
    Source->SetName("Source1");
    Source->SetDataSet(DataSet);
    Form->Show();
  }

  void TearDown() override {
    Form.reset();
    ResetZYMSettings();
    vcl::SysLocale = vcl::TSysLocale{};
  }

  /// Name: string(20); Code: string(10), required; Qty: integer; Price: float; Day: date.
  virtual void DefineFields(vcl::TFieldDefs& Defs) {
    Defs.Add("Name", vcl::ftString, 20);
    Defs.Add("Code", vcl::ftString, 10, true);
    Defs.Add("Qty", vcl::ftInteger);
    Defs.Add("Price", vcl::ftFloat);
    Defs.Add("Day", vcl::ftDate);
  }
  /// One record: Bolt, B1, 12, 2.5, null.
  virtual void FillRecords() { DataSet->AppendRecord({std::string("Bolt"), std::string("B1"), int64_t{12}, 2.5}); }

  /// A control of type T on the form, bound to FieldName ("" leaves it unbound).
  template <class T>
  T* MakeEdit(const std::string& FieldName, const std::string& Name = "Edit1") {
    auto* E = new T(Form.get());
    E->SetName(Name);
    E->SetParent(Form.get());
    E->SetDataField(FieldName);
    if (!FieldName.empty()) E->SetDataSource(Source);
    return E;
  }

  vcl::TField* Field(const std::string& Name) const { return DataSet->FieldByName(Name); }

  /// The control that has the focus on the form (nullptr when the form itself has it).
  vcl::TWinControl* Focus() const {
    vcl::TWinControl* C = Form->GetFocusedControl();
    return C == Form.get() ? nullptr : C;
  }

  /// Tabs through the form, starting from the focused control (or from Before),
  /// until C has the focus; fails the test when Tab never reaches it.
  void TabIn(vcl::TWinControl* C) {
    if (!Focus()) Before->SetFocus();
    for (int I = 0; I < 32 && !C->Focused(); ++I) vcl::SimulateKey(Focus(), vcl::VK_TAB);
    ASSERT_TRUE(C->Focused()) << "Tab did not reach " << C->GetName();
  }
  /// Tab from C to the next control (raises what leaving C raises).
  void TabOut(vcl::TWinControl* C) { vcl::SimulateKey(C, vcl::VK_TAB); }
  void ShiftTabOut(vcl::TWinControl* C) { vcl::SimulateKey(C, vcl::VK_TAB, {vcl::ssShift}); }
  /// Each character as a keystroke, as the user types it.
  void Type(vcl::TWinControl* C, const std::string& Text) { vcl::SimulateType(C, Text); }
  /// One key: down, the character it produces, up.
  void Key(vcl::TWinControl* C, vcl::Word Key, vcl::TShiftState Shift = {}) { vcl::SimulateKey(C, Key, Shift); }
  void CtrlKey(vcl::TWinControl* C, char Letter) { vcl::SimulateKey(C, static_cast<vcl::Word>(Letter), {vcl::ssCtrl}); }
  /// Makes the windows and delivers the pending paints (as the message loop would).
  void Paint() { vcl::Application()->ProcessMessages(); }

  /// A fresh path for a scratch file of the running test (an old one is removed).
  static std::string ScratchFile(const std::string& Suffix) {
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

  vcl::THostScope HostScope;
  std::unique_ptr<vcl::TForm> Form;
  vcl::TEdit* Before = nullptr;
  vcl::TMemDataSet* DataSet = nullptr;
  vcl::TDataSource* Source = nullptr;
  TEventRecorder Events;
};

}  // namespace zymqix::test
