#include "vcl/Classes.h"

#include <algorithm>
#include <cctype>

namespace vcl {

// ---- registration ----
VCL_REGISTER_CLASS(TPersistent, TObject) {}
VCL_REGISTER_CLASS(TComponent, TPersistent) {
  b.Property("Name", &TComponent::GetName, &TComponent::SetName).Stored(false);
  b.Property("Tag", &TComponent::GetTag, &TComponent::SetTag).Default(0);
}
VCL_REGISTER_CLASS(TStrings, TPersistent) {}
VCL_REGISTER_CLASS(TBasicAction, TComponent) {
  b.Event("OnExecute", &TBasicAction::GetOnExecute, &TBasicAction::SetOnExecute);
  b.Event("OnUpdate", &TBasicAction::GetOnUpdate, &TBasicAction::SetOnUpdate);
}
VCL_REGISTER_CLASS(TStringList, TStrings) {}

// ---- TPersistent ----
void TPersistent::Assign(const TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

// ---- TComponent ----
TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (FNotifiedRemoval) return;
  FNotifiedRemoval = true;
  FComponentState.Include(csDestroying);
  while (!FFreeNotifies.empty()) {
    TComponent* C = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& Theirs = C->FFreeNotifies;
    Theirs.erase(std::remove(Theirs.begin(), Theirs.end(), this), Theirs.end());
    C->Notification(this, TOperation::opRemove);
  }
}

TComponent* TComponent::GetComponent(int Index) const {
  if (Index < 0 || Index >= GetComponentCount())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FComponents[static_cast<size_t>(Index)];
}

int TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  auto& L = FOwner->FComponents;
  auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* C : FComponents)
    if (SameText(C->FName, AName)) return C;
  return nullptr;
}

static bool IsValidIdent(const std::string& S) {
  if (S.empty()) return false;
  if (!(std::isalpha(static_cast<unsigned char>(S[0])) || S[0] == '_')) return false;
  return std::all_of(S.begin(), S.end(), [](char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; });
}

void TComponent::ValidateRename(const std::string& NewName) const {
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  if (FOwner && !NewName.empty()) {
    TComponent* Other = FOwner->FindComponent(NewName);
    if (Other && Other != this) throw EComponentError("A component named " + NewName + " already exists");
  }
}

void TComponent::SetName(const std::string& NewName) {
  if (FName == NewName) return;
  ValidateRename(NewName);
  FName = NewName;
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value) FComponentState.Include(csDesigning);
  else FComponentState.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* C : FComponents) C->SetDesigning(Value, true);
}

void TComponent::SetLoading(bool Value) {
  if (Value) FComponentState.Include(csLoading);
  else FComponentState.Exclude(csLoading);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  assert(AComponent && "InsertComponent needs a component");
  if (AComponent->FOwner == this) return;
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  AComponent->ValidateRenameFor(this);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, TOperation::opInsert);
}

void TComponent::ValidateRenameFor(const TComponent* NewOwner) const {
  if (FName.empty()) return;
  if (NewOwner->FindComponent(FName))
    throw EComponentError("A component named " + FName + " already exists");
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  auto It = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (It == FComponents.end()) return;
  Notification(AComponent, TOperation::opRemove);
  It = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (It != FComponents.end()) FComponents.erase(It);
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* C = FComponents.back();
    RemoveComponent(C);
    delete C;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto& Theirs = AComponent->FFreeNotifies;
  if (std::find(Theirs.begin(), Theirs.end(), this) == Theirs.end()) Theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
  auto& Theirs = AComponent->FFreeNotifies;
  Theirs.erase(std::remove(Theirs.begin(), Theirs.end(), this), Theirs.end());
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  // A plain component writes the components it owns that have no parent of their own.
  if (Root != this) return;
  for (TComponent* C : FComponents)
    if (!C->HasParent()) Proc(C);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove) {
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
  }
  // The owner passes every insertion and removal on to what it owns.
  std::vector<TComponent*> Snapshot = FComponents;
  for (TComponent* C : Snapshot)
    if (C != AComponent) C->Notification(AComponent, Operation);
}

// ---- TBasicAction ----
bool TBasicAction::Execute() {
  if (!FOnExecute) return false;
  FOnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!FOnUpdate) return false;
  FOnUpdate(this);
  return true;
}

// ---- TStrings ----
int TStrings::Add(const std::string& S) {
  int Index = Count();
  Insert(Index, S);
  return Index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int Index = Add(S);
  PutObject(Index, AObject);
  return Index;
}

void TStrings::AddStrings(const TStrings& Other) {
  BeginUpdate();
  for (int I = 0; I < Other.Count(); ++I) AddObject(Other.Get(I), Other.GetObject(I));
  EndUpdate();
}

int TStrings::IndexOf(const std::string& S) const {
  for (int I = 0; I < Count(); ++I)
    if (AnsiCompareText(Get(I), S) == 0) return I;
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int I = 0; I < Count(); ++I)
    if (GetObject(I) == AObject) return I;
  return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int I = 0; I < Count(); ++I) {
    std::string S = Get(I);
    auto P = S.find('=');
    if (P != std::string::npos && AnsiCompareText(S.substr(0, P), Name) == 0) return I;
  }
  return -1;
}

std::string TStrings::Values(const std::string& Name) const {
  int I = IndexOfName(Name);
  if (I < 0) return "";
  std::string S = Get(I);
  return S.substr(S.find('=') + 1);
}

void TStrings::SetValue(const std::string& Name, const std::string& Value) {
  int I = IndexOfName(Name);
  if (Value.empty()) {
    if (I >= 0) Delete(I);
    return;
  }
  if (I < 0) Add(Name + "=" + Value);
  else Put(I, Name + "=" + Value);
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  std::string S = Get(CurIndex);
  TObject* O = GetObject(CurIndex);
  Delete(CurIndex);
  Insert(NewIndex, S);
  PutObject(NewIndex, O);
  EndUpdate();
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  std::string S1 = Get(Index1), S2 = Get(Index2);
  TObject *O1 = GetObject(Index1), *O2 = GetObject(Index2);
  Put(Index1, S2);
  PutObject(Index1, O2);
  Put(Index2, S1);
  PutObject(Index2, O1);
  EndUpdate();
}

std::string TStrings::GetText() const {
  std::string R;
  for (int I = 0; I < Count(); ++I) R += Get(I) + LineBreak;
  return R;
}

void TStrings::SetText(const std::string& Value) {
  BeginUpdate();
  Clear();
  size_t Start = 0;
  while (Start < Value.size()) {
    size_t End = Value.find_first_of("\r\n", Start);
    if (End == std::string::npos) {
      Add(Value.substr(Start));
      break;
    }
    Add(Value.substr(Start, End - Start));
    if (Value[End] == '\r' && End + 1 < Value.size() && Value[End + 1] == '\n') ++End;
    Start = End + 1;
  }
  EndUpdate();
}

std::string TStrings::GetCommaText() const {
  std::string R;
  for (int I = 0; I < Count(); ++I) {
    if (I) R += ",";
    std::string S = Get(I);
    bool Quote = S.empty() || S.find_first_of(" ,\"") != std::string::npos;
    if (!Quote) {
      R += S;
      continue;
    }
    R += '"';
    for (char C : S) R += (C == '"') ? std::string("\"\"") : std::string(1, C);
    R += '"';
  }
  return R;
}

void TStrings::SetCommaText(const std::string& Value) {
  BeginUpdate();
  Clear();
  size_t I = 0, N = Value.size();
  while (I < N) {
    while (I < N && Value[I] == ' ') ++I;
    if (I >= N) break;
    std::string Item;
    if (Value[I] == '"') {
      ++I;
      while (I < N) {
        if (Value[I] == '"') {
          if (I + 1 < N && Value[I + 1] == '"') {
            Item += '"';
            I += 2;
            continue;
          }
          ++I;
          break;
        }
        Item += Value[I++];
      }
    } else {
      while (I < N && Value[I] != ',' && Value[I] != ' ') Item += Value[I++];
    }
    Add(Item);
    while (I < N && Value[I] == ' ') ++I;
    if (I < N && Value[I] == ',') ++I;
  }
  EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> R;
  R.reserve(static_cast<size_t>(Count()));
  for (int I = 0; I < Count(); ++I) R.push_back(Get(I));
  return R;
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* Source) {
  if (auto S = dynamic_cast<const TStrings*>(Source)) {
    if (S == this) return;
    BeginUpdate();
    Clear();
    LineBreak = S->LineBreak;
    AddStrings(*S);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings& Other) const {
  if (Count() != Other.Count()) return false;
  for (int I = 0; I < Count(); ++I)
    if (Get(I) != Other.Get(I)) return false;
  return true;
}

// ---- TStringList ----
TStringList::TStringList(std::initializer_list<std::string> Items) {
  for (auto& S : Items) Add(S);
}

TStringList::TStringList(const TStringList& Other) : TStrings() { *this = Other; }

TStringList& TStringList::operator=(const TStringList& Other) {
  if (this == &Other) return *this;
  Changing();
  FItems = Other.FItems;
  FSorted = Other.FSorted;
  FCaseSensitive = Other.FCaseSensitive;
  FDuplicates = Other.FDuplicates;
  LineBreak = Other.LineBreak;
  Changed();
  return *this;
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].S;
}

void TStringList::Put(int Index, const std::string& S) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].S = S;
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Obj;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].Obj = AObject;
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  if (Index < 0 || Index > Count()) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
  Changing();
  FItems.insert(FItems.begin() + Index, Item{S, nullptr});
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  FItems.clear();
  Changed();
}

int TStringList::Add(const std::string& S) {
  if (!FSorted) return TStrings::Add(S);
  int Index = 0;
  if (Find(S, Index)) {
    if (FDuplicates == TDuplicates::dupIgnore) return Index;
    if (FDuplicates == TDuplicates::dupError) throw EStringListError("String list does not allow duplicates");
  }
  Changing();
  FItems.insert(FItems.begin() + Index, Item{S, nullptr});
  Changed();
  return Index;
}

int TStringList::CompareStrings(const std::string& A, const std::string& B) const {
  return FCaseSensitive ? AnsiCompareStr(A, B) : AnsiCompareText(A, B);
}

int TStringList::IndexOf(const std::string& S) const {
  if (!FSorted) {
    for (int I = 0; I < Count(); ++I)
      if (CompareStrings(FItems[static_cast<size_t>(I)].S, S) == 0) return I;
    return -1;
  }
  int Index = 0;
  return Find(S, Index) ? Index : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  int L = 0, H = Count() - 1;
  bool Found = false;
  while (L <= H) {
    int I = (L + H) / 2;
    int C = CompareStrings(FItems[static_cast<size_t>(I)].S, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        Found = true;
        if (FDuplicates != TDuplicates::dupAccept) L = I;
      }
    }
  }
  Index = L;
  return Found;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](const Item& A, const Item& B) { return CompareStrings(A.S, B.S) < 0; });
  Changed();
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& Compare) {
  // Sort an index permutation so the comparer sees the list as it stands.
  std::vector<int> Order(FItems.size());
  for (size_t I = 0; I < Order.size(); ++I) Order[I] = static_cast<int>(I);
  std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Compare(*this, A, B) < 0; });
  std::vector<Item> Sorted;
  Sorted.reserve(FItems.size());
  for (int I : Order) Sorted.push_back(FItems[static_cast<size_t>(I)]);
  Changing();
  FItems = std::move(Sorted);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) Sort();
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) Changing();
  else Changed();
}

void TStringList::Changed() {
  if (FUpdateCount == 0 && FOnChange) FOnChange(this);
}

void TStringList::Changing() {
  if (FUpdateCount == 0 && FOnChanging) FOnChanging(this);
}

}  // namespace vcl
