#include "vcl/Forms.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "FormFixture.h"
#include "vcl/DB.h"
#include "vcl/MemDataSet.h"
#include "vcl/StdCtrls.h"

using namespace vcl;
using vcltest::TRecorder;

namespace {

// Logs its focus messages; its CM_EXIT can be made to fail.
class TLoggingEdit : public TEdit {
public:
  using TEdit::TEdit;
  TRecorder* Rec = nullptr;
  bool FailExit = false;
  bool RefocusOnExit = false;

protected:
  void CMEnter(TMessage& M) override {
    if (Rec) Rec->Add("enter:" + GetName());
    TEdit::CMEnter(M);
  }
  void CMExit(TMessage& M) override {
    if (Rec) Rec->Add("exit:" + GetName());
    if (FailExit) throw EDatabaseError("value refused");
    if (RefocusOnExit) SetFocus();
    TEdit::CMExit(M);
  }
};

class TLoggingPanel : public TWinControl {
public:
  using TWinControl::TWinControl;
  TRecorder* Rec = nullptr;

protected:
  void CMEnter(TMessage& M) override {
    if (Rec) Rec->Add("enter:" + GetName());
    TWinControl::CMEnter(M);
  }
  void CMExit(TMessage& M) override {
    if (Rec) Rec->Add("exit:" + GetName());
    TWinControl::CMExit(M);
  }
};

class FocusTest : public vcltest::TFormFixture {
protected:
  TLoggingEdit* Edit(const std::string& Name, TWinControl* Parent = nullptr) {
    auto* E = Add<TLoggingEdit>(Name, Parent);
    E->Rec = &Rec;
    return E;
  }
  TRecorder Rec;
};

}  // namespace

TEST_F(FocusTest, SetFocusSendsExitBeforeEnter) {
  auto* A = Edit("A");
  auto* B = Edit("B");
  A->SetFocus();
  Rec.Clear();
  B->SetFocus();
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"exit:A", "enter:B"}));
  EXPECT_TRUE(B->Focused());
  EXPECT_FALSE(A->Focused());
  EXPECT_EQ(Form->GetActiveControl(), B);
  EXPECT_EQ(Screen()->GetActiveControl(), B);
  EXPECT_EQ(GetFocus(), B->GetHandle());
}

TEST_F(FocusTest, SetFocusOnTheFocusedControlSendsNothing) {
  auto* A = Edit("A");
  A->SetFocus();
  Rec.Clear();
  A->SetFocus();
  EXPECT_TRUE(Rec.Log.empty());
}

TEST_F(FocusTest, OnExitAndOnEnterFireInOrder) {
  auto* A = Add<TEdit>("A");
  auto* B = Add<TEdit>("B");
  A->SetOnExit([&](TObject* S) { Rec.Add("OnExit:" + static_cast<TComponent*>(S)->GetName()); });
  B->SetOnEnter([&](TObject* S) { Rec.Add("OnEnter:" + static_cast<TComponent*>(S)->GetName()); });
  A->SetFocus();
  B->SetFocus();
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"OnExit:A", "OnEnter:B"}));
}

TEST_F(FocusTest, ExceptionInExitKeepsTheFocus) {
  auto* A = Edit("A");
  auto* B = Edit("B");
  A->SetFocus();
  A->FailExit = true;
  Rec.Clear();
  EXPECT_THROW(B->SetFocus(), EDatabaseError);
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"exit:A"}));
  EXPECT_TRUE(A->Focused());
  EXPECT_EQ(Form->GetActiveControl(), A);
  // Tab fails the same way; once the exit succeeds the focus moves.
  EXPECT_THROW(SimulateKey(A, VK_TAB), EDatabaseError);
  EXPECT_TRUE(A->Focused());
  A->FailExit = false;
  SimulateKey(A, VK_TAB);
  EXPECT_TRUE(B->Focused());
}

// A control that reports a problem while being left takes the focus back: its
// exit still runs to the end, but the move to the other control stops there.
TEST_F(FocusTest, ControlTakingTheFocusBackInItsExitKeepsIt) {
  auto* A = Edit("A");
  auto* B = Edit("B");
  A->SetFocus();
  A->RefocusOnExit = true;
  Rec.Clear();
  B->SetFocus();
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"exit:A"}));
  EXPECT_TRUE(A->Focused());
  EXPECT_EQ(Form->GetActiveControl(), A);
  SimulateKey(A, VK_TAB);
  EXPECT_TRUE(A->Focused());
  A->RefocusOnExit = false;
  SimulateKey(A, VK_TAB);
  EXPECT_TRUE(B->Focused());
}

TEST_F(FocusTest, CannotFocusDisabledOrInvisibleControls) {
  auto* A = Edit("A");
  A->SetEnabled(false);
  try {
    A->SetFocus();
    FAIL() << "SetFocus on a disabled control must raise";
  } catch (const EInvalidOperation& E) {
    EXPECT_STREQ(E.what(), "Cannot focus a disabled or invisible window");
  }
  A->SetEnabled(true);
  A->SetVisible(false);
  EXPECT_THROW(A->SetFocus(), EInvalidOperation);
  auto* Panel = Add<TLoggingPanel>("P");
  auto* Inner = Edit("Inner", Panel);
  Panel->SetEnabled(false);
  EXPECT_FALSE(Inner->CanFocus());
  EXPECT_THROW(Inner->SetFocus(), EInvalidOperation);
}

TEST_F(FocusTest, ControlWithoutFormCannotTakeFocus) {
  TEdit Loose(nullptr);
  EXPECT_FALSE(Loose.CanFocus());
  EXPECT_THROW(Loose.SetFocus(), EInvalidOperation);
}

TEST_F(FocusTest, HiddenFormRefusesFocus) {
  auto* A = Edit("A");
  Form->Hide();
  EXPECT_THROW(A->SetFocus(), EInvalidOperation);
}

TEST_F(FocusTest, NestedControlsEnterOutsideInAndExitInsideOut) {
  auto* Panel = Add<TLoggingPanel>("P");
  Panel->Rec = &Rec;
  auto* Inner = Edit("Inner", Panel);
  auto* Outer = Edit("Outer");
  Outer->SetFocus();
  Rec.Clear();
  Inner->SetFocus();
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"exit:Outer", "enter:P", "enter:Inner"}));
  Rec.Clear();
  Outer->SetFocus();
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"exit:Inner", "exit:P", "enter:Outer"}));
}

TEST_F(FocusTest, ContainerMayPassTheFocusToAChildWhileEntered) {
  // A composite whose own enter puts the focus on its inner edit.
  class TComposite : public TLoggingPanel {
  public:
    using TLoggingPanel::TLoggingPanel;
    TWinControl* InnerEdit = nullptr;

  protected:
    void DoEnter() override {
      InnerEdit->SetFocus();
      TLoggingPanel::DoEnter();
    }
  };
  auto* C = Add<TComposite>("C");
  C->Rec = &Rec;
  C->InnerEdit = Edit("Inner", C);
  auto* Outer = Edit("Outer");
  Outer->SetFocus();
  Rec.Clear();
  C->SetFocus();
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"exit:Outer", "enter:C", "enter:Inner"}));
  EXPECT_TRUE(C->InnerEdit->Focused());
  EXPECT_EQ(Form->GetActiveControl(), C->InnerEdit);
}

TEST_F(FocusTest, NextDlgCtlMovesToNextAndPreviousTabStop) {
  auto* A = Edit("A");
  auto* B = Edit("B");
  auto* C = Edit("C");
  auto* NoStop = Edit("NoStop");
  NoStop->SetTabStop(false);
  NoStop->SetTabOrder(1);  // between A and B
  C->SetEnabled(false);
  A->SetFocus();
  SendMessage(Form->GetHandle(), WM_NEXTDLGCTL, 0, 0);
  EXPECT_TRUE(B->Focused());
  SendMessage(Form->GetHandle(), WM_NEXTDLGCTL, 0, 0);  // C is disabled: wraps to A
  EXPECT_TRUE(A->Focused());
  Form->Perform(WM_NEXTDLGCTL, 1, 0);  // previous from A wraps to B
  EXPECT_TRUE(B->Focused());
  Form->Perform(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(NoStop->GetHandle()), 1);  // a named window
  EXPECT_TRUE(NoStop->Focused());
}

TEST_F(FocusTest, TabOrderDecidesTabSequence) {
  auto* A = Edit("A");
  auto* B = Edit("B");
  auto* C = Edit("C");
  EXPECT_EQ(A->GetTabOrder(), 0);
  EXPECT_EQ(C->GetTabOrder(), 2);
  C->SetTabOrder(0);
  EXPECT_EQ(A->GetTabOrder(), 1);
  C->SetFocus();
  SimulateKey(C, VK_TAB);
  EXPECT_TRUE(A->Focused());
  SimulateKey(A, VK_TAB);
  EXPECT_TRUE(B->Focused());
  SimulateKey(B, VK_TAB, {ssShift});
  EXPECT_TRUE(A->Focused());
}

TEST_F(FocusTest, TabNeverReachesTheControlsKeyDown) {
  auto* A = Edit("A");
  Edit("B");
  int Downs = 0;
  A->SetOnKeyDown([&](TObject*, Word&, TShiftState) { ++Downs; });
  A->SetFocus();
  SimulateKey(A, VK_TAB);
  EXPECT_EQ(Downs, 0);
}

TEST_F(FocusTest, DisablingTheFocusedControlTakesTheFocusAway) {
  auto* A = Edit("A");
  A->SetFocus();
  Rec.Clear();
  A->SetEnabled(false);
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"exit:A"}));
  EXPECT_EQ(Form->GetActiveControl(), nullptr);
  EXPECT_FALSE(A->Focused());
}

TEST_F(FocusTest, DestroyingTheFocusedControlSendsNoExitAndClearsTheForm) {
  auto* A = Edit("A");
  A->SetFocus();
  Rec.Clear();
  delete A;
  EXPECT_TRUE(Rec.Log.empty());
  EXPECT_EQ(Form->GetActiveControl(), nullptr);
  auto* B = Edit("B");
  B->SetFocus();
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"enter:B"}));
}

TEST_F(FocusTest, DestroyedControlLeavesTheTabOrder) {
  auto* A = Edit("A");
  auto* B = Edit("B");
  auto* C = Edit("C");
  delete B;
  EXPECT_EQ(Form->GetControlCount(), 2);
  EXPECT_EQ(C->GetTabOrder(), 1);
  A->SetFocus();
  SimulateKey(A, VK_TAB);
  EXPECT_TRUE(C->Focused());
}

TEST_F(FocusTest, ActiveControlSetBeforeShowTakesTheFocusOnShow) {
  Form->Hide();
  auto* A = Edit("A");
  Edit("B");
  Form->SetActiveControl(A);
  EXPECT_TRUE(Rec.Log.empty());
  Form->Show();
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"enter:A"}));
  EXPECT_TRUE(A->Focused());
}

TEST_F(FocusTest, ClickingAnEditFocusesIt) {
  auto* A = Edit("A");
  auto* B = Edit("B");
  A->SetFocus();
  Rec.Clear();
  int Clicks = 0;
  B->SetOnClick([&](TObject*) { ++Clicks; });
  SimulateClick(B);
  EXPECT_TRUE(B->Focused());
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"exit:A", "enter:B"}));
}

TEST(Screen, SizeComesFromTheHost) {
  THostScope Scope;
  Host().ScreenWidth = 1600;
  Host().ScreenHeight = 900;
  EXPECT_EQ(Screen()->GetWidth(), 1600);
  EXPECT_EQ(Screen()->GetHeight(), 900);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1600);
}

TEST(Screen, KnowsItsFormsAndTheActiveOne) {
  THostScope Scope;
  int Before = Screen()->GetFormCount();
  {
    TForm A(nullptr), B(nullptr);
    EXPECT_EQ(Screen()->GetFormCount(), Before + 2);
    A.Show();
    B.Show();
    EXPECT_EQ(Screen()->GetActiveForm(), &B);
    B.Hide();
    EXPECT_EQ(Screen()->GetActiveForm(), &A);
  }
  EXPECT_EQ(Screen()->GetFormCount(), Before);
  EXPECT_EQ(Screen()->GetActiveForm(), nullptr);
}

TEST(ApplicationTest, HandleExceptionShowsTheMessageUnlessAbort) {
  THostScope Scope;
  Application()->HandleException(EConvertError("bad value"));
  Application()->HandleException(EAbort("quiet"));
  ASSERT_EQ(Host().Messages().size(), 1u);
  EXPECT_EQ(Host().Messages()[0].Text, "bad value");
}

TEST_F(FocusTest, RequiredFieldLeftEmptyFocusesItsControlOnPost) {
  InstallFieldFocusHandler();  // other tests of this binary replace it
  auto* A = Edit("A");
  auto* B = Edit("B");
  TMemDataSet DS(nullptr);
  DS.GetFieldDefs()->Add("Name", ftString, 20, true);
  DS.Open();
  TDataSource Src(nullptr);
  Src.SetDataSet(&DS);
  TFieldDataLink Link;
  Link.SetControl(B);
  Link.SetDataSource(&Src);
  Link.SetFieldName("Name");
  A->SetFocus();
  DS.Append();
  bool Asked = false;
  try {
    DS.Post();
  } catch (const EDatabaseError& E) {
    Asked = true;
    EXPECT_STREQ(E.what(), "Field 'Name' must have a value");
  }
  EXPECT_TRUE(Asked);
  EXPECT_TRUE(B->Focused());
  DS.Cancel();
}
