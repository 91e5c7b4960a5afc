#include "vcl/DB.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <exception>

namespace vcl {

namespace {

const char* const SNotEditing = "Dataset not in edit or insert mode";
const char* const SDataSetReadOnly = "Cannot modify a read-only dataset";
const char* const SDataSetClosed = "Cannot perform this operation on a closed dataset";
const char* const SDataSetOpen = "Cannot perform this operation on an open dataset";
const char* const SDataSetEmpty = "Cannot perform this operation on an empty dataset";
const char* const SRecordNotFound = "Record not found";
const char* const SDataSourceChange = "DataSource cannot be changed";

const TFieldData NullData;

TFocusControlHandler& FocusHandler() {
  static TFocusControlHandler H;
  return H;
}

bool IsEditState(TDataSetState S) { return S == dsEdit || S == dsInsert; }

/// Delivers an event to every receiver of a snapshot, so that a receiver that
/// raises does not leave the others behind; the first error is raised afterwards.
/// Writing pending values (deUpdateRecord) stops at the first error instead:
/// the post that asked for them must not go on.
template <class T, class F>
void Broadcast(const std::vector<T*>& Live, TDataEvent Event, F&& Deliver) {
  std::vector<T*> Snapshot = Live;
  std::exception_ptr First;
  for (T* R : Snapshot) {
    if (std::find(Live.begin(), Live.end(), R) == Live.end()) continue;
    if (Event == deUpdateRecord) {
      Deliver(R);
      continue;
    }
    try {
      Deliver(R);
    } catch (...) {
      if (!First) First = std::current_exception();
    }
  }
  if (First) std::rethrow_exception(First);
}

/// Reads N digits (MinLen..MaxLen) at P.
bool Digits(const std::string& S, size_t& P, int MinLen, int MaxLen, int& V) {
  int Len = 0;
  V = 0;
  while (P < S.size() && Len < MaxLen && S[P] >= '0' && S[P] <= '9') {
    V = V * 10 + (S[P++] - '0');
    ++Len;
  }
  return Len >= MinLen;
}

bool ParseIsoDate(const std::string& S, size_t& P, TDateTime& V) {
  int Y, M, D;
  if (!Digits(S, P, 4, 4, Y) || P >= S.size() || S[P++] != '-') return false;
  if (!Digits(S, P, 1, 2, M) || P >= S.size() || S[P++] != '-') return false;
  if (!Digits(S, P, 1, 2, D)) return false;
  return TryEncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D), V);
}

bool ParseIsoTime(const std::string& S, size_t& P, TDateTime& V) {
  int H, Mi, Se = 0, Ms = 0;
  if (!Digits(S, P, 1, 2, H) || P >= S.size() || S[P++] != ':') return false;
  if (!Digits(S, P, 2, 2, Mi)) return false;
  if (P < S.size() && S[P] == ':') {
    ++P;
    if (!Digits(S, P, 2, 2, Se)) return false;
    if (P < S.size() && S[P] == '.') {
      ++P;
      size_t Start = P;
      int Frac;
      if (!Digits(S, P, 1, 3, Frac)) return false;
      for (size_t L = P - Start; L < 3; ++L) Frac *= 10;
      Ms = Frac;
      while (P < S.size() && S[P] >= '0' && S[P] <= '9') ++P;  // finer digits are dropped
    }
  }
  return TryEncodeTime(static_cast<Word>(H), static_cast<Word>(Mi), static_cast<Word>(Se), static_cast<Word>(Ms), V);
}

}  // namespace

bool TryISOToDateTime(const std::string& S, TDateTime& V, TFieldType& Kind) {
  size_t P = 0;
  TDateTime D = 0, T = 0;
  if (ParseIsoDate(S, P, D)) {
    if (P == S.size()) {
      V = D;
      Kind = ftDate;
      return true;
    }
    if (S[P] != ' ' && S[P] != 'T') return false;
    ++P;
    if (!ParseIsoTime(S, P, T) || P != S.size()) return false;
    V = ComposeDateTime(D, T);
    Kind = ftDateTime;
    return true;
  }
  P = 0;
  if (!ParseIsoTime(S, P, T) || P != S.size()) return false;
  V = T;
  Kind = ftTime;
  return true;
}

std::string DateTimeToISO(TDateTime Value, TFieldType Kind) {
  char Buf[64];
  std::string R;
  if (Kind != ftTime) {
    Word Y, M, D;
    DecodeDate(Value, Y, M, D);
    std::snprintf(Buf, sizeof Buf, "%04u-%02u-%02u", unsigned{Y}, unsigned{M}, unsigned{D});
    R = Buf;
    if (Kind == ftDate) return R;
    R += ' ';
  }
  Word H, Mi, S, Ms;
  DecodeTime(Value, H, Mi, S, Ms);
  std::snprintf(Buf, sizeof Buf, "%02u:%02u:%02u", unsigned{H}, unsigned{Mi}, unsigned{S});
  R += Buf;
  if (Ms != 0) {
    std::snprintf(Buf, sizeof Buf, ".%03u", unsigned{Ms});
    R += Buf;
  }
  return R;
}


void DatabaseError(const std::string& Message) { throw EDatabaseError(Message); }

std::string FieldTypeName(TFieldType T) {
  auto Names = TEnumInfo<TFieldType>::Names();
  auto I = static_cast<size_t>(T);
  return I < Names.size() ? Names[I] : "ftUnknown";
}

void SetFocusControlHandler(TFocusControlHandler Handler) { FocusHandler() = std::move(Handler); }

bool DBUseRightToLeftAlignment(TComponent* AControl, TField* /*AField*/) {
  if (!SysLocale.MiddleEast || !AControl) return false;
  const TPropInfo* P = GetPropInfo(AControl, "BiDiMode");
  if (!P || P->Kind != TTypeKind::tkEnumeration) return false;
  return GetEnumProp(AControl, "BiDiMode") == "bdRightToLeft";
}

// ---------------------------------------------------------------- TFieldDefs

TFieldDef* TFieldDefs::Add(const std::string& Name, TFieldType DataType, int Size, bool Required) {
  if (Name.empty()) DatabaseError("Field name missing");
  if (IndexOf(Name) >= 0) DatabaseError("Duplicate field name '" + Name + "'");
  if (Size < 0) DatabaseError("Invalid field size " + IntToStr(Size) + " for field '" + Name + "'");
  FItems.push_back(std::make_unique<TFieldDef>(Name, DataType, Size, Required));
  return FItems.back().get();
}

TFieldDef* TFieldDefs::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FItems[static_cast<size_t>(Index)].get();
}

int TFieldDefs::IndexOf(const std::string& Name) const {
  for (size_t I = 0; I < FItems.size(); ++I)
    if (SameText(FItems[I]->GetName(), Name)) return static_cast<int>(I);
  return -1;
}

TFieldDef* TFieldDefs::Find(const std::string& Name) const {
  int I = IndexOf(Name);
  return I < 0 ? nullptr : FItems[static_cast<size_t>(I)].get();
}

// ---------------------------------------------------------------- bookmarks

struct TBookmarkData {
  const TDataSet* Owner;
  uint64_t Key;
  mutable int Hint;  ///< the row where the record was last seen
};

// ---------------------------------------------------------------- TDataSet

VCL_REGISTER_CLASS(TDataSet, TComponent) {
  b.Property("Active", &TDataSet::GetActive, &TDataSet::SetActive).Default(false);
  b.Event("BeforeOpen", &TDataSet::GetBeforeOpen, &TDataSet::SetBeforeOpen);
  b.Event("AfterOpen", &TDataSet::GetAfterOpen, &TDataSet::SetAfterOpen);
  b.Event("BeforeClose", &TDataSet::GetBeforeClose, &TDataSet::SetBeforeClose);
  b.Event("AfterClose", &TDataSet::GetAfterClose, &TDataSet::SetAfterClose);
  b.Event("BeforeInsert", &TDataSet::GetBeforeInsert, &TDataSet::SetBeforeInsert);
  b.Event("AfterInsert", &TDataSet::GetAfterInsert, &TDataSet::SetAfterInsert);
  b.Event("BeforeEdit", &TDataSet::GetBeforeEdit, &TDataSet::SetBeforeEdit);
  b.Event("AfterEdit", &TDataSet::GetAfterEdit, &TDataSet::SetAfterEdit);
  b.Event("BeforePost", &TDataSet::GetBeforePost, &TDataSet::SetBeforePost);
  b.Event("AfterPost", &TDataSet::GetAfterPost, &TDataSet::SetAfterPost);
  b.Event("BeforeCancel", &TDataSet::GetBeforeCancel, &TDataSet::SetBeforeCancel);
  b.Event("AfterCancel", &TDataSet::GetAfterCancel, &TDataSet::SetAfterCancel);
  b.Event("BeforeDelete", &TDataSet::GetBeforeDelete, &TDataSet::SetBeforeDelete);
  b.Event("AfterDelete", &TDataSet::GetAfterDelete, &TDataSet::SetAfterDelete);
  b.Event("BeforeScroll", &TDataSet::GetBeforeScroll, &TDataSet::SetBeforeScroll);
  b.Event("AfterScroll", &TDataSet::GetAfterScroll, &TDataSet::SetAfterScroll);
  b.Event("OnNewRecord", &TDataSet::GetOnNewRecord, &TDataSet::SetOnNewRecord);
}

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
  // Descendants close in their own destructor (their storage is gone by now);
  // here only the links are let go and the fields freed.
  Destroying();
  FState = dsInactive;
  while (!FDataSources.empty()) RemoveDataSource(FDataSources.back());
  for (TField* F : FFields) {
    F->Unbind();
    delete F;
  }
  FFields.clear();
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (FStreamedActive) {
    FStreamedActive = false;
    SetActive(true);
  }
}

void TDataSet::CheckActive() const {
  if (FState == dsInactive) DatabaseError(SDataSetClosed);
}

void TDataSet::CheckInactive() const {
  if (FState != dsInactive) DatabaseError(SDataSetOpen);
}

void TDataSet::SetActive(bool Value) {
  if (IsLoading()) {
    FStreamedActive = Value;
    return;
  }
  if (Value == GetActive()) return;
  if (Value) {
    DoEvent(FBeforeOpen);
    OpenCursor();
    SetCurrent(RowCount() > 0 ? 0 : -1);
    FBof = true;
    FEof = RowCount() == 0;
    SetState(dsBrowse);
    DoEvent(FAfterOpen);
    if (!IsEmpty()) DoEvent(FAfterScroll);
    return;
  }
  if (!IsDestroying()) DoEvent(FBeforeClose);
  // The cursor is closed even when a link raises on hearing of it.
  try {
    SetState(dsInactive);
  } catch (...) {
    CloseCursor();
    throw;
  }
  CloseCursor();
  if (!IsDestroying()) DoEvent(FAfterClose);
}

void TDataSet::OpenCursor() {
  ClearRows();
  try {
    InternalOpen();
    CreateFields();
  } catch (...) {
    ClearRows();
    try {
      InternalClose();
    } catch (...) {
    }
    throw;
  }
}

void TDataSet::CloseCursor() {
  FEditBuffer.clear();
  FEditChanged.clear();
  FInsertPos = -1;
  FCurrent = -1;
  FBof = FEof = true;
  try {
    InternalClose();
  } catch (...) {
    ClearRows();
    throw;
  }
  ClearRows();
}

void TDataSet::CreateFields() {
  const int N = FFieldDefs.Count();
  bool Same = static_cast<int>(FFields.size()) == N;
  for (int I = 0; Same && I < N; ++I) {
    const TFieldDef* D = FFieldDefs[I];
    const TField* F = FFields[static_cast<size_t>(I)];
    Same = F->GetFieldName() == D->GetName() && F->GetDataType() == D->GetDataType() && F->GetSize() == D->GetSize();
  }
  FStride = static_cast<size_t>(N);
  assert((FRowIds.empty() || FData.size() == FRowIds.size() * FStride) && "rows must match the field definitions");
  // Fields survive a close and reopen with the same layout, so that settings
  // made on them (formats, ranges, handlers) are kept.
  if (Same) return;
  for (TField* F : FFields) {
    F->Unbind();
    delete F;
  }
  FFields.clear();
  for (int I = 0; I < N; ++I) {
    const TFieldDef* D = FFieldDefs[I];
    TField* F = CreateFieldOfType(D->GetDataType());
    F->Bind(this, I, D->GetName(), D->GetDataType());
    F->SetSize(D->GetSize());
    F->SetRequired(D->GetRequired());
    F->SetReadOnly(D->GetReadOnly());
    FFields.push_back(F);
  }
}

void TDataSet::SetState(TDataSetState Value) {
  if (FState == Value) return;
  FState = Value;
  FModified = false;
  DataEvent(deUpdateState);
}

void TDataSet::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  // Links re-evaluate whether their field can be modified.
  if (GetActive()) DataEvent(deLayoutChange);
}

bool TDataSet::GetCanModify() const { return GetActive() && !FReadOnly && KindCanModify(); }

void TDataSet::CheckCanModify() const {
  if (!GetCanModify()) DatabaseError(SDataSetReadOnly);
}

void TDataSet::DataEvent(TDataEvent Event, TField* Field, int Distance) {
  // Pending values are still written while controls are disabled: a post must not lose them.
  if (FDisableCount > 0 && Event != deUpdateRecord) {
    if ((Event == deUpdateState && FState == dsInactive) || Event == deLayoutChange) FEnableEvent = deLayoutChange;
    return;
  }
  Broadcast(FDataSources, Event, [&](TDataSource* S) { S->DataEvent(Event, Field, Distance); });
}

void TDataSet::DisableControls() {
  if (FDisableCount == 0) {
    FDisableState = FState;
    FEnableEvent = deDataSetChange;
  }
  ++FDisableCount;
}

void TDataSet::EnableControls() {
  if (FDisableCount == 0) return;
  if (--FDisableCount > 0) return;
  if (FDisableState != FState) DataEvent(deUpdateState);
  if (FDisableState != dsInactive && FState != dsInactive) DataEvent(FEnableEvent);
}

void TDataSet::AddDataSource(TDataSource* Source) {
  if (std::find(FDataSources.begin(), FDataSources.end(), Source) != FDataSources.end()) return;
  FDataSources.push_back(Source);
  Source->SetDataSetDirect(this);
  Source->UpdateState();
}

void TDataSet::RemoveDataSource(TDataSource* Source) {
  auto It = std::find(FDataSources.begin(), FDataSources.end(), Source);
  if (It == FDataSources.end()) return;
  FDataSources.erase(It);
  Source->SetDataSetDirect(nullptr);
  Source->UpdateState();
}

// ---- record store

void TDataSet::ClearRows() {
  FData.clear();
  FRowIds.clear();
  FKeys.clear();
  FStride = static_cast<size_t>(FFieldDefs.Count());
}

void TDataSet::ReserveRows(size_t Count) {
  FStride = static_cast<size_t>(FFieldDefs.Count());
  FData.reserve(Count * FStride);
  FRowIds.reserve(Count);
  FKeys.reserve(Count);
}

TFieldData* TDataSet::AddRow(int64_t RowId) {
  if (FRowIds.empty()) FStride = static_cast<size_t>(FFieldDefs.Count());
  FData.resize(FData.size() + FStride);
  FRowIds.push_back(RowId);
  FKeys.push_back(FNextKey++);
  return FData.data() + (FData.size() - FStride);
}

void TDataSet::SetCurrent(int Row) { FCurrent = Row; }

void TDataSet::Resync() { DataEvent(deDataSetChange); }

bool TDataSet::IsEmpty() const { return RowCount() == 0 && FState != dsInsert; }

int TDataSet::GetRecordCount() const {
  CheckActive();
  return RowCount();
}

int TDataSet::GetRecNo() const {
  CheckActive();
  if (FState == dsInsert || FCurrent < 0) return -1;
  return FCurrent + 1;
}

void TDataSet::SetRecNo(int Value) {
  CheckBrowseMode();
  if (Value < 1 || Value > RowCount() || Value == FCurrent + 1) return;
  DoEvent(FBeforeScroll);
  SetCurrent(Value - 1);
  FBof = FEof = false;
  Resync();
  DoEvent(FAfterScroll);
}

// ---- navigation

void TDataSet::First() {
  CheckBrowseMode();
  DoEvent(FBeforeScroll);
  SetCurrent(RowCount() > 0 ? 0 : -1);
  FBof = true;
  FEof = RowCount() == 0;
  Resync();
  DoEvent(FAfterScroll);
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoEvent(FBeforeScroll);
  SetCurrent(RowCount() - 1);
  FEof = true;
  FBof = RowCount() == 0;
  Resync();
  DoEvent(FAfterScroll);
}

int TDataSet::MoveBy(int Distance) {
  CheckBrowseMode();
  int Result = 0;
  DoEvent(FBeforeScroll);
  if ((Distance > 0 && !FEof) || (Distance < 0 && !FBof)) {
    FBof = FEof = false;
    const int N = RowCount();
    if (N == 0) {
      FBof = FEof = true;
    }
    while (N > 0 && Distance > 0) {
      if (FCurrent >= N - 1) {
        FEof = true;
        break;
      }
      ++FCurrent;
      ++Result;
      --Distance;
    }
    while (N > 0 && Distance < 0) {
      if (FCurrent <= 0) {
        FBof = true;
        break;
      }
      --FCurrent;
      --Result;
      ++Distance;
    }
    DataEvent(deDataSetScroll, nullptr, Result);
    DoEvent(FAfterScroll);
  }
  return Result;
}

bool TDataSet::FindFirst() {
  CheckBrowseMode();
  if (RowCount() == 0) return false;
  DoEvent(FBeforeScroll);
  SetCurrent(0);
  FBof = true;
  FEof = false;
  Resync();
  DoEvent(FAfterScroll);
  return true;
}

bool TDataSet::FindLast() {
  CheckBrowseMode();
  if (RowCount() == 0) return false;
  DoEvent(FBeforeScroll);
  SetCurrent(RowCount() - 1);
  FBof = false;
  FEof = true;
  Resync();
  DoEvent(FAfterScroll);
  return true;
}

bool TDataSet::FindNext() {
  CheckBrowseMode();
  if (FCurrent < 0 || FCurrent >= RowCount() - 1) {
    FEof = true;
    return false;
  }
  DoEvent(FBeforeScroll);
  SetCurrent(FCurrent + 1);
  FBof = FEof = false;
  Resync();
  DoEvent(FAfterScroll);
  return true;
}

bool TDataSet::FindPrior() {
  CheckBrowseMode();
  if (FCurrent <= 0) {
    FBof = true;
    return false;
  }
  DoEvent(FBeforeScroll);
  SetCurrent(FCurrent - 1);
  FBof = FEof = false;
  Resync();
  DoEvent(FAfterScroll);
  return true;
}

// ---- bookmarks

TBookmark TDataSet::GetBookmark() const {
  if (FState == dsInactive || FState == dsInsert || FCurrent < 0) return nullptr;
  ++FBookmarkCount;
  return new TBookmarkData{this, FKeys[static_cast<size_t>(FCurrent)], FCurrent};
}

void TDataSet::FreeBookmark(TBookmark Bookmark) const {
  if (!Bookmark) return;
  assert(Bookmark->Owner == this && "a bookmark is freed by the dataset that made it");
  --FBookmarkCount;
  delete Bookmark;
}

int TDataSet::FindRowByKey(uint64_t Key, int Hint) const {
  const int N = RowCount();
  if (Hint >= 0 && Hint < N && FKeys[static_cast<size_t>(Hint)] == Key) return Hint;
  for (int I = 0; I < N; ++I)
    if (FKeys[static_cast<size_t>(I)] == Key) return I;
  return -1;
}

bool TDataSet::BookmarkValid(TBookmark Bookmark) const {
  if (!Bookmark || Bookmark->Owner != this || FState == dsInactive) return false;
  int R = FindRowByKey(Bookmark->Key, Bookmark->Hint);
  if (R >= 0) Bookmark->Hint = R;
  return R >= 0;
}

int TDataSet::CompareBookmarks(TBookmark A, TBookmark B) const {
  int RA = A && A->Owner == this ? FindRowByKey(A->Key, A->Hint) : -1;
  int RB = B && B->Owner == this ? FindRowByKey(B->Key, B->Hint) : -1;
  return RA < RB ? -1 : (RA > RB ? 1 : 0);
}

void TDataSet::GotoBookmark(TBookmark Bookmark) {
  if (!Bookmark) return;
  CheckBrowseMode();
  int R = Bookmark->Owner == this ? FindRowByKey(Bookmark->Key, Bookmark->Hint) : -1;
  if (R < 0) DatabaseError(SRecordNotFound);
  Bookmark->Hint = R;
  DoEvent(FBeforeScroll);
  SetCurrent(R);
  FBof = FEof = false;
  Resync();
  DoEvent(FAfterScroll);
}

// ---- fields

TField* TDataSet::GetField(int Index) const {
  if (Index < 0 || Index >= GetFieldCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FFields[static_cast<size_t>(Index)];
}

TField* TDataSet::FindField(const std::string& FieldName) const {
  for (TField* F : FFields)
    if (SameText(F->GetFieldName(), FieldName)) return F;
  return nullptr;
}

TField* TDataSet::FieldByName(const std::string& FieldName) const {
  TField* F = FindField(FieldName);
  if (!F) DatabaseError("Field '" + FieldName + "' not found");
  return F;
}

void TDataSet::GetFieldNames(TStrings* List) {
  assert(List && "GetFieldNames needs a list");
  List->BeginUpdate();
  List->Clear();
  if (!FFields.empty()) {
    for (TField* F : FFields) List->Add(F->GetFieldName());
  } else {
    if (FState == dsInactive) InternalInitFieldDefs();
    for (int I = 0; I < FFieldDefs.Count(); ++I) List->Add(FFieldDefs[I]->GetName());
  }
  List->EndUpdate();
}

const TFieldData& TDataSet::ActiveFieldData(const TField* Field) const {
  if (FState == dsInactive) DatabaseError(SDataSetClosed);
  const auto I = static_cast<size_t>(Field->FIndex);
  if (FState == dsEdit || FState == dsInsert) return FEditBuffer[I];
  if (FCurrent < 0) return NullData;
  return FData[static_cast<size_t>(FCurrent) * FStride + I];
}

void TDataSet::SetFieldData(TField* Field, TFieldData Value) {
  CheckActive();
  if (!IsEditState(FState)) DatabaseError(SNotEditing);
  if (Field->GetReadOnly()) DatabaseError("Field '" + Field->GetDisplayName() + "' cannot be modified");
  const auto I = static_cast<size_t>(Field->FIndex);
  if (Field->FOnValidate) {
    // The handler sees the new value through the field; raising restores the old one.
    TFieldData Old = std::move(FEditBuffer[I]);
    FEditBuffer[I] = std::move(Value);
    try {
      Field->FOnValidate(Field);
    } catch (...) {
      if (IsEditState(FState) && I < FEditBuffer.size()) FEditBuffer[I] = std::move(Old);
      throw;
    }
    if (!IsEditState(FState)) return;  // the handler left the edit state itself
  } else {
    FEditBuffer[I] = std::move(Value);
  }
  FEditChanged[I] = true;
  FModified = true;
  DataEvent(deFieldChange, Field);
  if (Field->FOnChange) Field->FOnChange(Field);
}

// ---- editing

void TDataSet::Edit() {
  if (IsEditState(FState)) return;
  if (RowCount() == 0) {
    Insert();
    return;
  }
  CheckBrowseMode();
  CheckCanModify();
  DoEvent(FBeforeEdit);
  const size_t Base = static_cast<size_t>(FCurrent) * FStride;
  FEditBuffer.assign(FData.begin() + static_cast<std::ptrdiff_t>(Base),
                     FData.begin() + static_cast<std::ptrdiff_t>(Base + FStride));
  FEditChanged.assign(FStride, false);
  SetState(dsEdit);
  DataEvent(deRecordChange);
  DoEvent(FAfterEdit);
}

void TDataSet::BeginInsertAppend(bool AppendMode) {
  CheckBrowseMode();
  CheckCanModify();
  DoEvent(FBeforeInsert);
  DoEvent(FBeforeScroll);
  FInsertPos = AppendMode ? RowCount() : std::max(FCurrent, 0);
  FInsertBof = FBof;
  FInsertEof = FEof;
  FEditBuffer.assign(FStride, TFieldData());
  FEditChanged.assign(FStride, false);
  FBof = FEof = false;
  SetState(dsInsert);
  try {
    DoEvent(FOnNewRecord);
  } catch (...) {
    FEditBuffer.clear();
    FInsertPos = -1;
    FBof = FInsertBof;
    FEof = FInsertEof;
    SetState(dsBrowse);
    Resync();
    throw;
  }
  FModified = false;
  // Entering insert state announces the state change, then the new (blank) record.
  Resync();
  DoEvent(FAfterInsert);
  DoEvent(FAfterScroll);
}

void TDataSet::Insert() { BeginInsertAppend(false); }
void TDataSet::Append() { BeginInsertAppend(true); }

void TDataSet::UpdateRecord() {
  CheckActive();
  if (!IsEditState(FState)) DatabaseError(SNotEditing);
  DataEvent(deUpdateRecord);
}

void TDataSet::CheckRequiredFields() {
  for (TField* F : FFields) {
    if (!F->GetRequired() || F->GetReadOnly()) continue;
    if (!std::holds_alternative<std::monostate>(FEditBuffer[static_cast<size_t>(F->FIndex)])) continue;
    F->FocusControl();
    DatabaseError("Field '" + F->GetDisplayName() + "' must have a value");
  }
}

void TDataSet::StoreRecord() {
  // The storage works on a copy: when it refuses, the edit buffer is untouched.
  std::vector<TFieldData> Values = FEditBuffer;
  const bool Inserting = FState == dsInsert;
  int64_t Id = Inserting ? 0 : FRowIds[static_cast<size_t>(FCurrent)];
  InternalPost(Inserting ? TPostKind::pkInsert : TPostKind::pkUpdate, Values, FEditChanged, Id);
  if (!Inserting) {
    std::move(Values.begin(), Values.end(), FData.begin() + static_cast<std::ptrdiff_t>(FCurrent * FStride));
    FRowIds[static_cast<size_t>(FCurrent)] = Id;
    return;
  }
  const auto Pos = static_cast<size_t>(FInsertPos);
  FData.insert(FData.begin() + static_cast<std::ptrdiff_t>(Pos * FStride), std::make_move_iterator(Values.begin()),
               std::make_move_iterator(Values.end()));
  FRowIds.insert(FRowIds.begin() + static_cast<std::ptrdiff_t>(Pos), Id);
  FKeys.insert(FKeys.begin() + static_cast<std::ptrdiff_t>(Pos), FNextKey++);
  FCurrent = FInsertPos;
}

void TDataSet::InternalPost(TPostKind, std::vector<TFieldData>&, const std::vector<bool>&, int64_t&) {}
void TDataSet::InternalDelete(int64_t) {}

void TDataSet::Post() {
  UpdateRecord();
  if (!IsEditState(FState)) return;  // a link handler ended the edit itself
  DataEvent(deCheckBrowseMode);
  DoEvent(FBeforePost);
  CheckRequiredFields();
  StoreRecord();
  FEditBuffer.clear();
  FEditChanged.clear();
  FInsertPos = -1;
  FBof = FEof = false;
  SetState(dsBrowse);
  Resync();
  DoEvent(FAfterPost);
}

void TDataSet::Cancel() {
  if (!IsEditState(FState)) return;
  DataEvent(deCheckBrowseMode);
  DoEvent(FBeforeCancel);
  if (FState == dsInsert) {
    FBof = FInsertBof;
    FEof = FInsertEof;
  }
  FEditBuffer.clear();
  FEditChanged.clear();
  FInsertPos = -1;
  SetState(dsBrowse);
  Resync();
  DoEvent(FAfterCancel);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert) {
    Cancel();
    return;
  }
  if (RowCount() == 0) DatabaseError(SDataSetEmpty);
  CheckCanModify();
  DataEvent(deCheckBrowseMode);
  DoEvent(FBeforeDelete);
  DoEvent(FBeforeScroll);
  const auto Row = static_cast<size_t>(FCurrent);
  InternalDelete(FRowIds[Row]);
  FData.erase(FData.begin() + static_cast<std::ptrdiff_t>(Row * FStride),
              FData.begin() + static_cast<std::ptrdiff_t>((Row + 1) * FStride));
  FRowIds.erase(FRowIds.begin() + static_cast<std::ptrdiff_t>(Row));
  FKeys.erase(FKeys.begin() + static_cast<std::ptrdiff_t>(Row));
  FEditBuffer.clear();
  FEditChanged.clear();
  if (FCurrent >= RowCount()) FCurrent = RowCount() - 1;
  FBof = FEof = RowCount() == 0;
  SetState(dsBrowse);
  Resync();
  DoEvent(FAfterDelete);
  DoEvent(FAfterScroll);
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  if (!IsEditState(FState)) return;
  UpdateRecord();
  if (FModified)
    Post();
  else
    Cancel();
}

void TDataSet::AppendRecord(const std::vector<Variant>& Values) {
  Append();
  try {
    for (size_t I = 0; I < Values.size() && I < FFields.size(); ++I) FFields[I]->SetAsVariant(Values[I]);
  } catch (...) {
    Cancel();
    throw;
  }
  Post();
}

void TDataSet::InsertRecord(const std::vector<Variant>& Values) {
  Insert();
  try {
    for (size_t I = 0; I < Values.size() && I < FFields.size(); ++I) FFields[I]->SetAsVariant(Values[I]);
  } catch (...) {
    Cancel();
    throw;
  }
  Post();
}

// ---------------------------------------------------------------- TDataSource

VCL_REGISTER_CLASS(TDataSource, TComponent) {
  b.Property("AutoEdit", &TDataSource::GetAutoEdit, &TDataSource::SetAutoEdit).Default(TDataSource::DefaultAutoEdit);
  b.Property("DataSet", &TDataSource::GetDataSet, &TDataSource::SetDataSet);
  b.Property("Enabled", &TDataSource::GetEnabled, &TDataSource::SetEnabled).Default(TDataSource::DefaultEnabled);
  b.Event("OnDataChange", &TDataSource::GetOnDataChange, &TDataSource::SetOnDataChange);
  b.Event("OnStateChange", &TDataSource::GetOnStateChange, &TDataSource::SetOnStateChange);
  b.Event("OnUpdateData", &TDataSource::GetOnUpdateData, &TDataSource::SetOnUpdateData);
}

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  Destroying();
  FOnStateChange = nullptr;
  FOnDataChange = nullptr;
  FOnUpdateData = nullptr;
  SetDataSet(nullptr);
  while (!FDataLinks.empty()) RemoveDataLink(FDataLinks.back());
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet) return;
  if (FDataSet) {
    FDataSet->RemoveFreeNotification(this);
    FDataSet->RemoveDataSource(this);
  }
  if (Value) {
    Value->AddDataSource(this);
    Value->FreeNotification(this);
  }
}

void TDataSource::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateState();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && FDataSet && AComponent == FDataSet) SetDataSet(nullptr);
}

void TDataSource::Edit() {
  if (FAutoEdit && FState == dsBrowse && FDataSet) FDataSet->Edit();
}

void TDataSource::UpdateState() { SetState(FEnabled && FDataSet ? FDataSet->GetState() : dsInactive); }

void TDataSource::SetState(TDataSetState Value) {
  if (FState == Value) return;
  const TDataSetState Prior = FState;
  FState = Value;
  NotifyDataLinks(deUpdateState, nullptr, 0);
  if (IsDestroying()) return;
  if (FOnStateChange) FOnStateChange(this);
  if (Prior == dsInactive && FOnDataChange) FOnDataChange(this, nullptr);
}

void TDataSource::NotifyDataLinks(TDataEvent Event, TField* Field, int Distance) {
  Broadcast(FDataLinks, Event, [&](TDataLink* L) { L->DataEvent(Event, Field, Distance); });
}

void TDataSource::DataEvent(TDataEvent Event, TField* Field, int Distance) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (FState == dsInactive) return;
  NotifyDataLinks(Event, Field, Distance);
  switch (Event) {
    case deFieldChange:
      if (FOnDataChange) FOnDataChange(this, Field);
      break;
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (FOnDataChange) FOnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      if (FOnUpdateData) FOnUpdateData(this);
      break;
    default:
      break;
  }
}

void TDataSource::AddDataLink(TDataLink* Link) {
  FDataLinks.push_back(Link);
  Link->SetDataSourceDirect(this);
  Link->UpdateState();
}

void TDataSource::RemoveDataLink(TDataLink* Link) {
  auto It = std::find(FDataLinks.begin(), FDataLinks.end(), Link);
  if (It == FDataLinks.end()) return;
  FDataLinks.erase(It);
  Link->SetDataSourceDirect(nullptr);
  Link->UpdateState();
}

// ---------------------------------------------------------------- TDataLink

TDataLink::~TDataLink() { Detach(); }

void TDataLink::Detach() {
  // With the flags already down, leaving the source reports nothing.
  FActive = false;
  FEditing = false;
  FDataSourceFixed = false;
  SetDataSource(nullptr);
}

TDataSet* TDataLink::GetDataSet() const { return FDataSource ? FDataSource->GetDataSet() : nullptr; }

void TDataLink::SetDataSource(TDataSource* Value) {
  if (FDataSource == Value) return;
  if (FDataSourceFixed) DatabaseError(SDataSourceChange);
  if (FDataSource) FDataSource->RemoveDataLink(this);
  if (Value) Value->AddDataLink(this);
}

void TDataLink::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  UpdateState();
}

void TDataLink::UpdateState() {
  SetActive(FDataSource && FDataSource->GetState() != dsInactive);
  SetEditing(FDataSource && IsEditState(FDataSource->GetState()) && !FReadOnly);
}

void TDataLink::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  ActiveChanged();
}

void TDataLink::SetEditing(bool Value) {
  if (FEditing == Value) return;
  FEditing = Value;
  EditingChanged();
}

bool TDataLink::Edit() {
  if (!FReadOnly && FDataSource) FDataSource->Edit();
  return GetEditing();
}

void TDataLink::UpdateRecord() {
  FUpdating = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } Guard{FUpdating};
  UpdateData();
}

bool TDataLink::ExecuteAction(TBasicAction* Action) {
  if (!Action || !Action->HandlesTarget(FDataSource)) return false;
  Action->ExecuteTarget(FDataSource);
  return true;
}

bool TDataLink::UpdateAction(TBasicAction* Action) {
  if (!Action || !Action->HandlesTarget(FDataSource)) return false;
  Action->UpdateTarget(FDataSource);
  return true;
}

void TDataLink::DataEvent(TDataEvent Event, TField* Field, int Distance) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (!FActive) return;
  switch (Event) {
    case deFieldChange:
    case deRecordChange:
      if (!FUpdating) RecordChanged(Field);
      break;
    case deDataSetChange:
      DataSetChanged();
      break;
    case deDataSetScroll:
      DataSetScrolled(Distance);
      break;
    case deLayoutChange:
      LayoutChanged();
      break;
    case deUpdateRecord:
      UpdateRecord();
      break;
    case deCheckBrowseMode:
      CheckBrowseMode();
      break;
    case deFocusControl:
      FocusControl(Field);
      break;
    case deUpdateState:
      break;
  }
}

// ---------------------------------------------------------------- TFieldDataLink

TFieldDataLink::~TFieldDataLink() {
  // Nothing may reach the owner (usually being destroyed) from here on.
  FOnDataChange = nullptr;
  FOnEditingChange = nullptr;
  FOnUpdateData = nullptr;
  FOnActiveChange = nullptr;
  FField = nullptr;
  FEditing = false;
  Detach();
}

void TFieldDataLink::SetFieldName(const std::string& Value) {
  if (FFieldName == Value) return;
  FFieldName = Value;
  UpdateField();
}

void TFieldDataLink::UpdateField() {
  if (GetActive() && !FFieldName.empty()) {
    FField = nullptr;
    SetField(GetDataSource()->GetDataSet()->FieldByName(FFieldName));
    return;
  }
  SetField(nullptr);
}

void TFieldDataLink::SetField(TField* Value) {
  if (FField == Value) return;
  FField = Value;
  EditingChanged();
  RecordChanged(nullptr);
}

bool TFieldDataLink::GetCanModify() const { return !GetReadOnly() && FField && FField->GetCanModify(); }

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (FOnActiveChange) FOnActiveChange(this);
}

void TFieldDataLink::EditingChanged() { SetEditingFlag(TDataLink::GetEditing() && GetCanModify()); }

void TFieldDataLink::SetEditingFlag(bool Value) {
  if (FEditing == Value) return;
  FEditing = Value;
  FModified = false;
  if (FOnEditingChange) FOnEditingChange(this);
}

bool TFieldDataLink::Edit() {
  if (GetCanModify()) TDataLink::Edit();
  return FEditing;
}

void TFieldDataLink::RecordChanged(TField* Field) {
  if (Field && Field != FField) return;
  if (FOnDataChange) FOnDataChange(this);
  FModified = false;
}

void TFieldDataLink::UpdateData() {
  if (!FModified) return;
  if (FField && FOnUpdateData) FOnUpdateData(this);
  FModified = false;
}

void TFieldDataLink::LayoutChanged() {
  UpdateField();
  // A read-only change of the dataset can change whether the link may edit.
  EditingChanged();
}

void TFieldDataLink::FocusControl(TField* Field) {
  if (!Field || Field != FField || !FControl) return;
  if (FocusHandler()) FocusHandler()(FControl);
}

}  // namespace vcl
