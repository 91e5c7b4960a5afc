// The data-link event rules, seen from a control: when the four link events
// fire and in what order, and what the link's Edit, Modified, Reset,
// UpdateRecord, CanModify and Editing mean.
#include "vcl/DB.h"

#include <gtest/gtest.h>

#include <memory>

#include "DBTestUtil.h"
#include "vcl/MemDataSet.h"

using namespace vcl;
using dbtest::ErrorOf;
using dbtest::TRecordingControl;
using Log = std::vector<std::string>;

namespace {

class DataLinkTest : public ::testing::Test {
protected:
  void SetUp() override {
    DS = new TMemDataSet(&Owner);
    DS->GetFieldDefs()->Add("Name", ftString, 10, true);
    DS->GetFieldDefs()->Add("Qty", ftInteger);
    DS->GetFieldDefs()->Add("Note", ftString);
    Source = new TDataSource(&Owner);
    Source->SetDataSet(DS);
    Ctl = new TRecordingControl(&Owner);
    Ctl->Link.SetDataSource(Source);
    Ctl->Link.SetFieldName("Name");
  }
  void OpenWithRows() {
    DS->Open();
    DS->AppendRecord({"Alpha", int64_t{1}});
    DS->AppendRecord({"Beta", int64_t{2}});
    DS->AppendRecord({"Gamma", int64_t{3}});
    DS->First();
    Ctl->Log.clear();
  }

  TComponent Owner{nullptr};
  TMemDataSet* DS = nullptr;
  TDataSource* Source = nullptr;
  TRecordingControl* Ctl = nullptr;
};

// ---- opening, closing, field name changes

TEST_F(DataLinkTest, OpeningReadsTheFieldThenReportsActiveChange) {
  DS->Open();
  EXPECT_EQ(Ctl->Log, (Log{"DataChange", "ActiveChange"}));
  EXPECT_TRUE(Ctl->Link.GetActive());
  EXPECT_EQ(Ctl->Link.GetField(), DS->FieldByName("Name"));
}

TEST_F(DataLinkTest, FieldIsResolvedBeforeActiveChangeRuns) {
  TField* Seen = nullptr;
  Ctl->OnActiveChange = [&] { Seen = Ctl->Link.GetField(); };
  DS->Open();
  EXPECT_EQ(Seen, DS->FieldByName("Name"));
}

TEST_F(DataLinkTest, ClosingDropsTheFieldThenReportsActiveChange) {
  OpenWithRows();
  DS->Close();
  EXPECT_EQ(Ctl->Log, (Log{"DataChange", "ActiveChange"}));
  EXPECT_EQ(Ctl->Link.GetField(), nullptr);
  EXPECT_FALSE(Ctl->Link.GetActive());
  EXPECT_EQ(Ctl->Text, "");
}

TEST_F(DataLinkTest, ChangingTheFieldNameRereadsWithoutActiveChange) {
  OpenWithRows();
  Ctl->Link.SetFieldName("Qty");
  EXPECT_EQ(Ctl->Log, (Log{"DataChange"}));
  EXPECT_EQ(Ctl->Text, "1");
  Ctl->Log.clear();
  Ctl->Link.SetFieldName("Qty");  // the same name: nothing happens
  EXPECT_TRUE(Ctl->Log.empty());
}

TEST_F(DataLinkTest, SwitchingToAReadOnlyFieldWhileEditingReportsTheEditingChangeFirst) {
  OpenWithRows();
  DS->FieldByName("Qty")->SetReadOnly(true);
  ASSERT_TRUE(Ctl->Link.Edit());
  Ctl->Log.clear();
  Ctl->Link.SetFieldName("Qty");
  EXPECT_EQ(Ctl->Log, (Log{"EditingChange", "DataChange"}));
  EXPECT_FALSE(Ctl->Link.GetEditing());
}

TEST_F(DataLinkTest, AnUnknownFieldNameRaisesOnAnActiveLinkOnly) {
  Ctl->Link.SetFieldName("Missing");  // inactive: accepted
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Open(); }), "Field 'Missing' not found");
  Ctl->Link.SetFieldName("Name");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { Ctl->Link.SetFieldName("Nope"); }), "Field 'Nope' not found");
  EXPECT_EQ(Ctl->Link.GetField(), nullptr);
}

TEST_F(DataLinkTest, AControlThatRaisesWhileOpeningDoesNotKeepOtherLinksInactive) {
  auto* Other = new TRecordingControl(&Owner);
  Other->Link.SetDataSource(Source);
  Other->Link.SetFieldName("Qty");
  Ctl->OnActiveChange = [] { throw EConvertError("wrong field type"); };
  EXPECT_EQ(ErrorOf<EConvertError>([&] { DS->Open(); }), "wrong field type");
  EXPECT_TRUE(DS->GetActive());
  EXPECT_TRUE(Other->Link.GetActive());
  EXPECT_EQ(Other->Link.GetField(), DS->FieldByName("Qty"));
}

TEST_F(DataLinkTest, RemovingTheDataSourceDeactivatesTheLink) {
  OpenWithRows();
  delete Source;
  EXPECT_EQ(Ctl->Link.GetDataSource(), nullptr);
  EXPECT_FALSE(Ctl->Link.GetActive());
  EXPECT_EQ(Ctl->Log, (Log{"DataChange", "ActiveChange"}));
}

TEST_F(DataLinkTest, DestroyingTheDataSetDeactivatesTheLinkThroughItsSource) {
  OpenWithRows();
  delete DS;
  EXPECT_EQ(Source->GetDataSet(), nullptr);
  EXPECT_FALSE(Ctl->Link.GetActive());
  EXPECT_EQ(Source->GetState(), dsInactive);
}

TEST_F(DataLinkTest, AFixedDataSourceCannotBeChanged) {
  Ctl->Link.SetDataSourceFixed(true);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { Ctl->Link.SetDataSource(nullptr); }), "DataSource cannot be changed");
  EXPECT_EQ(Ctl->Link.GetDataSource(), Source);
}

// ---- entering edit state

TEST_F(DataLinkTest, EditThroughAnAutoEditSourceReportsEditingThenRereadsTheRecord) {
  OpenWithRows();
  EXPECT_TRUE(Ctl->Link.Edit());
  EXPECT_EQ(DS->GetState(), dsEdit);
  EXPECT_EQ(Ctl->Log, (Log{"EditingChange", "DataChange"}));
  EXPECT_TRUE(Ctl->Link.GetEditing());
}

TEST_F(DataLinkTest, WithoutAutoEditTheLinkDoesNotPutTheDataSetIntoEditState) {
  OpenWithRows();
  Source->SetAutoEdit(false);
  EXPECT_FALSE(Ctl->Link.Edit());
  EXPECT_EQ(DS->GetState(), dsBrowse);
  EXPECT_TRUE(Ctl->Log.empty());
  DS->Edit();  // the application may still edit
  EXPECT_TRUE(Ctl->Link.GetEditing());
}

TEST_F(DataLinkTest, AReadOnlyLinkNeverAsksForEditState) {
  OpenWithRows();
  Ctl->Link.SetReadOnly(true);
  EXPECT_FALSE(Ctl->Link.GetCanModify());
  EXPECT_FALSE(Ctl->Link.Edit());
  EXPECT_EQ(DS->GetState(), dsBrowse);
  DS->Edit();
  EXPECT_FALSE(Ctl->Link.GetEditing()) << "a read-only link is never editing";
}

TEST_F(DataLinkTest, EditOnAReadOnlyDataSetRaisesButTheLinkOnlyAnswersFalse) {
  OpenWithRows();
  DS->SetReadOnly(true);
  EXPECT_FALSE(Ctl->Link.GetCanModify());
  EXPECT_FALSE(Ctl->Link.Edit());
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Edit(); }), "Cannot modify a read-only dataset");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Insert(); }), "Cannot modify a read-only dataset");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Delete(); }), "Cannot modify a read-only dataset");
  EXPECT_EQ(DS->GetRecordCount(), 3);
}

TEST_F(DataLinkTest, AReadOnlyFieldCannotBeEditedThroughItsLinkNorWritten) {
  OpenWithRows();
  DS->FieldByName("Name")->SetReadOnly(true);
  EXPECT_FALSE(Ctl->Link.GetCanModify());
  EXPECT_FALSE(Ctl->Link.Edit());
  EXPECT_EQ(DS->GetState(), dsBrowse);
  DS->Edit();
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->FieldByName("Name")->SetAsString("X"); }),
            "Field 'Name' cannot be modified");
}

TEST_F(DataLinkTest, EditingAnEmptyDataSetInsertsARecord) {
  DS->Open();
  Ctl->Log.clear();
  EXPECT_TRUE(Ctl->Link.Edit());
  EXPECT_EQ(DS->GetState(), dsInsert);
  EXPECT_EQ(Ctl->Log, (Log{"EditingChange", "DataChange"}));
}

TEST_F(DataLinkTest, EditDoesNothingWhileAlreadyEditing) {
  OpenWithRows();
  DS->Edit();
  Ctl->Log.clear();
  DS->Edit();
  EXPECT_TRUE(Ctl->Link.Edit());
  EXPECT_TRUE(Ctl->Log.empty());
}

// ---- writing values back

TEST_F(DataLinkTest, UpdateRecordCallsUpdateDataOnceOnlyWhenModified) {
  OpenWithRows();
  Ctl->Link.UpdateRecord();
  EXPECT_EQ(Ctl->Count("UpdateData"), 0) << "nothing was modified";
  ASSERT_TRUE(Ctl->Type("Delta"));
  Ctl->Log.clear();
  Ctl->Link.UpdateRecord();
  Ctl->Link.UpdateRecord();
  EXPECT_EQ(Ctl->Log, (Log{"UpdateData"}));
  EXPECT_FALSE(Ctl->Link.GetModified());
  EXPECT_EQ(DS->FieldByName("Name")->GetAsString(), "Delta");
  EXPECT_TRUE(DS->GetModified());
}

TEST_F(DataLinkTest, TheWritingLinkHearsNoEchoButOtherLinksOnTheFieldDo) {
  OpenWithRows();
  auto* Other = new TRecordingControl(&Owner);
  Other->Link.SetDataSource(Source);
  Other->Link.SetFieldName("Name");
  auto* Elsewhere = new TRecordingControl(&Owner);
  Elsewhere->Link.SetDataSource(Source);
  Elsewhere->Link.SetFieldName("Qty");
  ASSERT_TRUE(Ctl->Type("Delta"));
  Ctl->Log.clear();
  Other->Log.clear();
  Elsewhere->Log.clear();
  Ctl->Link.UpdateRecord();
  EXPECT_EQ(Ctl->Log, (Log{"UpdateData"}));
  EXPECT_EQ(Other->Log, (Log{"DataChange"}));
  EXPECT_EQ(Other->Text, "Delta");
  EXPECT_TRUE(Elsewhere->Log.empty()) << "a link bound to another field ignores the change";
}

TEST_F(DataLinkTest, AFieldWrittenByCodeIsShownByItsControl) {
  OpenWithRows();
  DS->Edit();
  Ctl->Log.clear();
  DS->FieldByName("Name")->SetAsString("Zeta");
  EXPECT_EQ(Ctl->Log, (Log{"DataChange"}));
  EXPECT_EQ(Ctl->Text, "Zeta");
}

TEST_F(DataLinkTest, ResetRereadsTheFieldAndDropsThePendingValue) {
  OpenWithRows();
  ASSERT_TRUE(Ctl->Type("Delta"));
  Ctl->Log.clear();
  Ctl->Link.Reset();
  EXPECT_EQ(Ctl->Log, (Log{"DataChange"}));
  EXPECT_EQ(Ctl->Text, "Alpha");
  EXPECT_FALSE(Ctl->Link.GetModified());
  Ctl->Link.UpdateRecord();
  EXPECT_EQ(Ctl->Count("UpdateData"), 0);
}

TEST_F(DataLinkTest, PostAsksTheLinksForTheirValuesBeforeStoring) {
  OpenWithRows();
  ASSERT_TRUE(Ctl->Type("Delta"));
  Ctl->Log.clear();
  DS->Post();
  EXPECT_EQ(Ctl->Log, (Log{"UpdateData", "EditingChange", "DataChange"}));
  EXPECT_EQ(DS->GetState(), dsBrowse);
  EXPECT_EQ(DS->FieldByName("Name")->GetAsString(), "Delta");
}

TEST_F(DataLinkTest, APendingValueIsWrittenEvenWhileControlsAreDisabled) {
  OpenWithRows();
  ASSERT_TRUE(Ctl->Type("Delta"));
  DS->DisableControls();
  DS->Post();
  DS->EnableControls();
  EXPECT_EQ(DS->FieldByName("Name")->GetAsString(), "Delta");
}

TEST_F(DataLinkTest, CancelDropsPendingValuesAndRereads) {
  OpenWithRows();
  ASSERT_TRUE(Ctl->Type("Delta"));
  Ctl->Log.clear();
  DS->Cancel();
  EXPECT_EQ(Ctl->Log, (Log{"EditingChange", "DataChange"}));
  EXPECT_EQ(Ctl->Text, "Alpha");
  EXPECT_EQ(DS->FieldByName("Name")->GetAsString(), "Alpha");
}

// ---- navigation while editing

TEST_F(DataLinkTest, MovingOffAModifiedRecordPostsIt) {
  OpenWithRows();
  int Posts = 0, Cancels = 0;
  DS->SetAfterPost([&](TDataSet*) { ++Posts; });
  DS->SetAfterCancel([&](TDataSet*) { ++Cancels; });
  ASSERT_TRUE(Ctl->Type("Delta"));
  DS->Next();
  EXPECT_EQ(Posts, 1);
  EXPECT_EQ(Cancels, 0);
  EXPECT_EQ(DS->GetState(), dsBrowse);
  EXPECT_EQ(Ctl->Text, "Beta");
  DS->Prior();
  EXPECT_EQ(DS->FieldByName("Name")->GetAsString(), "Delta");
}

TEST_F(DataLinkTest, MovingOffAnUnmodifiedRecordCancelsTheEdit) {
  OpenWithRows();
  int Posts = 0, Cancels = 0;
  DS->SetAfterPost([&](TDataSet*) { ++Posts; });
  DS->SetAfterCancel([&](TDataSet*) { ++Cancels; });
  ASSERT_TRUE(Ctl->Link.Edit());
  DS->Next();
  EXPECT_EQ(Posts, 0);
  EXPECT_EQ(Cancels, 1);
  EXPECT_EQ(DS->GetState(), dsBrowse);
}

TEST_F(DataLinkTest, MovingOffARecordThatFailsToPostStaysOnItInEditState) {
  OpenWithRows();
  DS->Edit();
  DS->FieldByName("Name")->Clear();
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Next(); }), "Field 'Name' must have a value");
  EXPECT_EQ(DS->GetState(), dsEdit);
  EXPECT_EQ(DS->GetRecNo(), 1);
}

// ---- required values and the not-editing rule

TEST_F(DataLinkTest, PostRefusesAnEmptyRequiredFieldAndKeepsTheRecord) {
  OpenWithRows();
  DS->Append();
  DS->FieldByName("Qty")->SetAsInteger(9);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Post(); }), "Field 'Name' must have a value");
  EXPECT_EQ(DS->GetState(), dsInsert);
  EXPECT_EQ(DS->FieldByName("Qty")->GetAsInteger(), 9);
  DS->FieldByName("Name")->SetAsString("Omega");
  DS->Post();
  EXPECT_EQ(DS->GetRecordCount(), 4);
}

TEST_F(DataLinkTest, ARequiredFieldAsksItsControlForTheFocus) {
  OpenWithRows();
  TComponent* Focused = nullptr;
  SetFocusControlHandler([&](TComponent* C) {
    Focused = C;
    return true;
  });
  DS->Append();
  EXPECT_THROW(DS->Post(), EDatabaseError);
  SetFocusControlHandler(nullptr);
  EXPECT_EQ(Focused, Ctl);
}

TEST_F(DataLinkTest, WritingOutsideAnEditStateRaisesTheNotEditingError) {
  OpenWithRows();
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->FieldByName("Name")->SetAsString("X"); }),
            "Dataset not in edit or insert mode");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->FieldByName("Qty")->Clear(); }), "Dataset not in edit or insert mode");
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Post(); }), "Dataset not in edit or insert mode");
  // A control that marked itself modified without entering edit state fails on update.
  Source->SetAutoEdit(false);
  Ctl->Text = "X";
  Ctl->Link.Modified();
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { Ctl->Link.UpdateRecord(); }), "Dataset not in edit or insert mode");
}

TEST_F(DataLinkTest, AClosedDataSetRefusesNavigationAndValues) {
  const std::string Closed = "Cannot perform this operation on a closed dataset";
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->First(); }), Closed);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->Edit(); }), Closed);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { DS->GetRecordCount(); }), Closed);
  OpenWithRows();
  TField* F = DS->FieldByName("Name");
  DS->Close();
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F->GetAsString(); }), Closed);
}

TEST_F(DataLinkTest, CloseDropsAnUnpostedEdit) {
  OpenWithRows();
  ASSERT_TRUE(Ctl->Type("Delta"));
  DS->Close();
  EXPECT_EQ(DS->GetState(), dsInactive);
  EXPECT_FALSE(Ctl->Link.GetEditing());
}

// ---- controls disabled

TEST_F(DataLinkTest, DisabledControlsHearNothingThenOneChangeWhenEnabled) {
  OpenWithRows();
  DS->DisableControls();
  DS->DisableControls();
  DS->Next();
  DS->Next();
  DS->EnableControls();
  EXPECT_TRUE(Ctl->Log.empty());
  DS->EnableControls();
  EXPECT_EQ(Ctl->Log, (Log{"DataChange"}));
  EXPECT_EQ(Ctl->Text, "Gamma");
}

TEST_F(DataLinkTest, EnablingAfterAStateChangeReportsTheState) {
  OpenWithRows();
  DS->DisableControls();
  DS->Edit();
  DS->EnableControls();
  EXPECT_EQ(Ctl->Log, (Log{"EditingChange", "DataChange"}));
}

// ---- the data source

TEST_F(DataLinkTest, TheDataSourceReportsStateAndDataChanges) {
  int StateChanges = 0, DataChanges = 0, Updates = 0;
  TField* Changed = nullptr;
  Source->SetOnStateChange([&](TObject*) { ++StateChanges; });
  Source->SetOnDataChange([&](TObject*, TField* F) {
    ++DataChanges;
    Changed = F;
  });
  Source->SetOnUpdateData([&](TObject*) { ++Updates; });
  DS->Open();
  EXPECT_EQ(StateChanges, 1);
  EXPECT_EQ(DataChanges, 1);
  DS->Append();
  DS->FieldByName("Name")->SetAsString("A");
  EXPECT_EQ(Changed, DS->FieldByName("Name"));
  DS->Post();
  EXPECT_EQ(Updates, 1);
  EXPECT_EQ(StateChanges, 3);
}

TEST_F(DataLinkTest, ADisabledDataSourceLooksInactiveToItsLinks) {
  OpenWithRows();
  Source->SetEnabled(false);
  EXPECT_EQ(Source->GetState(), dsInactive);
  EXPECT_FALSE(Ctl->Link.GetActive());
  Source->SetEnabled(true);
  EXPECT_TRUE(Ctl->Link.GetActive());
  EXPECT_EQ(Ctl->Text, "Alpha");
}

TEST_F(DataLinkTest, ActionsApplyToTheDataSourceWhenTheyHandleIt) {
  struct TPostAction : TBasicAction {
    using TBasicAction::TBasicAction;
    bool HandlesTarget(TObject* Target) override { return dynamic_cast<TDataSource*>(Target) != nullptr; }
    void ExecuteTarget(TObject* Target) override { static_cast<TDataSource*>(Target)->GetDataSet()->Post(); }
    void UpdateTarget(TObject*) override { ++Updates; }
    int Updates = 0;
  };
  struct TOtherAction : TBasicAction {
    using TBasicAction::TBasicAction;
  };
  OpenWithRows();
  TPostAction Post(nullptr);
  TOtherAction Other(nullptr);
  DS->Edit();
  DS->FieldByName("Qty")->SetAsInteger(5);
  EXPECT_FALSE(Ctl->Link.ExecuteAction(&Other));
  EXPECT_TRUE(Ctl->Link.ExecuteAction(&Post));
  EXPECT_EQ(DS->GetState(), dsBrowse);
  EXPECT_TRUE(Ctl->Link.UpdateAction(&Post));
  EXPECT_EQ(Post.Updates, 1);
}

TEST_F(DataLinkTest, PublishedPropertiesCarryTheirDefaults) {
  const TPropInfo* AutoEdit = GetPropInfo(Source, "AutoEdit");
  ASSERT_NE(AutoEdit, nullptr);
  EXPECT_TRUE(AutoEdit->IsDefault(Source));
  SetObjectProp(Source, "DataSet", nullptr);
  EXPECT_EQ(Source->GetDataSet(), nullptr);
  SetObjectProp(Source, "DataSet", DS);
  EXPECT_EQ(Source->GetDataSet(), DS);
  SetOrdProp(DS, "Active", 1);
  EXPECT_TRUE(DS->GetActive());
}

}  // namespace

// A control publishing the framework's BiDiMode property.
enum class TTestBiDiMode { bdLeftToRight, bdRightToLeft };
VCL_ENUM_NAMES(TTestBiDiMode, "bdLeftToRight", "bdRightToLeft");

class TBiDiControl : public TComponent {
public:
  VCL_CLASS(TBiDiControl)
  using TComponent::TComponent;
  TTestBiDiMode GetBiDiMode() const { return FMode; }
  void SetBiDiMode(TTestBiDiMode Value) { FMode = Value; }

private:
  TTestBiDiMode FMode = TTestBiDiMode::bdLeftToRight;
};

VCL_REGISTER_CLASS(TBiDiControl, TComponent) {
  b.Property("BiDiMode", &TBiDiControl::GetBiDiMode, &TBiDiControl::SetBiDiMode);
}

TEST(DBUseRightToLeftAlignment, OnlyForARightToLeftControlInAMiddleEastLocale) {
  TComponent Plain(nullptr);
  TBiDiControl Ctl(nullptr);
  Ctl.SetBiDiMode(TTestBiDiMode::bdRightToLeft);
  EXPECT_FALSE(DBUseRightToLeftAlignment(&Ctl, nullptr));
  SysLocale.MiddleEast = true;
  EXPECT_TRUE(DBUseRightToLeftAlignment(&Ctl, nullptr));
  EXPECT_FALSE(DBUseRightToLeftAlignment(&Plain, nullptr)) << "a component without BiDiMode reads left to right";
  Ctl.SetBiDiMode(TTestBiDiMode::bdLeftToRight);
  EXPECT_FALSE(DBUseRightToLeftAlignment(&Ctl, nullptr));
  SysLocale.MiddleEast = false;
}
