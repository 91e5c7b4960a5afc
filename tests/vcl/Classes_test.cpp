#include "vcl/Classes.h"

#include <gtest/gtest.h>

namespace {

// A component that keeps a reference to another and drops it on removal.
class TRefHolder : public vcl::TComponent {
public:
  VCL_CLASS(TRefHolder)
  using TComponent::TComponent;
  vcl::TComponent* GetTarget() const { return FTarget; }
  void SetTarget(vcl::TComponent* Value) {
    FTarget = Value;
    if (Value) Value->FreeNotification(this);
  }
  int GetCount() const { return FCount; }
  void SetCount(int Value) { FCount = Value; }
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == vcl::TOperation::opRemove && AComponent == FTarget) FTarget = nullptr;
  }

private:
  vcl::TComponent* FTarget = nullptr;
  int FCount = 3;
};

// Records every removal it hears of.
class TWatcher : public vcl::TComponent {
public:
  using TComponent::TComponent;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == vcl::TOperation::opRemove) Removed.push_back(AComponent);
  }
  std::vector<vcl::TComponent*> Removed;
};

}  // namespace

VCL_REGISTER_CLASS(TRefHolder, vcl::TComponent) {
  b.Property("Target", &TRefHolder::GetTarget, &TRefHolder::SetTarget);
  b.Property("Count", &TRefHolder::GetCount, &TRefHolder::SetCount).Default(3);
}

TEST(ComponentOwnership, OwnerDeletesWhatItOwns) {
  auto* Owner = new vcl::TComponent(nullptr);
  auto* A = new TRefHolder(Owner);
  A->SetName("A");
  EXPECT_EQ(Owner->GetComponentCount(), 1);
  EXPECT_EQ(Owner->FindComponent("a"), A);
  delete Owner;  // ASan reports a leak if A survives
}

TEST(ComponentOwnership, DeletingAReferencedComponentClearsTheReference) {
  TRefHolder Holder(nullptr);
  auto* Target = new vcl::TComponent(nullptr);
  Holder.SetTarget(Target);
  delete Target;
  EXPECT_EQ(Holder.GetTarget(), nullptr);
}

TEST(ComponentOwnership, SiblingsOfOneOwnerDropReferencesWhenOwnerDies) {
  auto* Owner = new vcl::TComponent(nullptr);
  auto* Target = new vcl::TComponent(Owner);
  auto* Holder = new TRefHolder(Owner);
  Holder->SetTarget(Target);
  delete Owner;  // order of destruction must leave no dangling access (ASan)
}

TEST(ComponentOwnership, RemovalIsAnnouncedToTheOwnersOtherComponents) {
  // A data source deleted before the controls of its form: they hear of it without subscribing.
  vcl::TComponent Owner(nullptr);
  auto* Watcher = new TWatcher(&Owner);
  auto* Target = new vcl::TComponent(&Owner);
  delete Target;
  ASSERT_EQ(Watcher->Removed.size(), 1u);
  EXPECT_EQ(Watcher->Removed[0], Target);
  EXPECT_EQ(Owner.GetComponentCount(), 1);
}

TEST(ComponentOwnership, RemoveFreeNotificationEndsTheSubscription) {
  TWatcher Watcher(nullptr);
  auto* Target = new vcl::TComponent(nullptr);
  Target->FreeNotification(&Watcher);
  Target->RemoveFreeNotification(&Watcher);
  delete Target;
  EXPECT_TRUE(Watcher.Removed.empty());
}

TEST(ComponentOwnership, ASubscriberThatDiesFirstIsNotCalledLater) {
  auto* Watcher = new TWatcher(nullptr);
  vcl::TComponent Target(nullptr);
  Target.FreeNotification(Watcher);
  delete Watcher;  // must unsubscribe itself, or Target's destructor calls a dead object (ASan)
}

TEST(ComponentNames, DuplicateAndInvalidNamesAreRefused) {
  vcl::TComponent Owner(nullptr);
  auto* A = new vcl::TComponent(&Owner);
  auto* B = new vcl::TComponent(&Owner);
  A->SetName("Edit1");
  EXPECT_THROW(B->SetName("EDIT1"), vcl::EComponentError);
  EXPECT_THROW(B->SetName("1x"), vcl::EComponentError);
}

TEST(PropertyInfo, LookUpByNameIsCaseInsensitiveAndInheritedFirst) {
  TRefHolder H(nullptr);
  auto Props = H.ClassInfo()->Properties();
  ASSERT_GE(Props.size(), 4u);
  EXPECT_EQ(Props[0]->Name, "Name");
  EXPECT_EQ(Props[1]->Name, "Tag");
  EXPECT_EQ(Props[2]->Name, "Target");
  const vcl::TPropInfo* P = vcl::GetPropInfo(&H, "count");
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(P->Kind, vcl::TTypeKind::tkInteger);
  EXPECT_TRUE(P->IsDefault(&H));
  vcl::SetOrdProp(&H, "Count", 7);
  EXPECT_EQ(H.GetCount(), 7);
  EXPECT_FALSE(P->IsDefault(&H));
  EXPECT_EQ(vcl::GetPropInfo(&H, "Target")->OwnedObject, false);
  EXPECT_THROW(vcl::GetPropValue(&H, "Nope"), vcl::EPropertyError);
}

TEST(StringList, SortedListIgnoresCaseAndKeepsObjects) {
  vcl::TStringList L;
  L.SetSorted(true);
  L.AddObject("beta", reinterpret_cast<vcl::TObject*>(2));
  L.AddObject("Alpha", reinterpret_cast<vcl::TObject*>(1));
  L.Add("ALPHA");  // ignored duplicate
  ASSERT_EQ(L.Count(), 2);
  EXPECT_EQ(L[0], "Alpha");
  EXPECT_EQ(L.IndexOf("BETA"), 1);
  EXPECT_EQ(L.Objects(1), reinterpret_cast<vcl::TObject*>(2));
  EXPECT_THROW(L.Get(5), vcl::EStringListError);
}
