// The component model: persistent objects, components with ownership and
// removal notification, and string lists.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"

namespace vcl {

class TComponent;

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum class TOperation { opInsert, opRemove };

enum class TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateItem>;
using enum TComponentStateItem;

class TPersistent : public TObject {
public:
  VCL_CLASS(TPersistent)
  /// Copies Source into this object; the default raises EConvertError
  /// "Cannot assign a <Source class> to a <this class>".
  virtual void Assign(const TPersistent* Source);

protected:
  /// Called by Assign on the source when the destination does not know it.
  virtual void AssignTo(TPersistent* Dest) const;
};

class TComponent : public TPersistent {
public:
  VCL_CLASS(TComponent)
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* GetOwner() const { return FOwner; }
  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int Index) const;
  const std::vector<TComponent*>& Components() const { return FComponents; }
  int GetComponentIndex() const;
  /// Case-insensitive search among the owned components; nullptr when absent.
  TComponent* FindComponent(const std::string& AName) const;

  const std::string& GetName() const { return FName; }
  /// Raises EComponentError for an invalid identifier or a name already used by a sibling.
  virtual void SetName(const std::string& NewName);
  Integer GetTag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }

  TComponentState GetComponentState() const { return FComponentState; }
  bool IsLoading() const { return FComponentState.Contains(csLoading); }
  bool IsDesigning() const { return FComponentState.Contains(csDesigning); }
  bool IsDestroying() const { return FComponentState.Contains(csDestroying); }
  /// Marks this component and everything it owns as being designed (used by the designer host).
  void SetDesigning(bool Value, bool SetChildren = true);
  /// Streaming marks and clears the loading state around reading a form.
  void SetLoading(bool Value);

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  /// AComponent will be told through Notification(this, opRemove) when this component goes.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Streaming hooks: a control's parent is its parent component; a container lists
  // the components it writes nested inside itself (a form: everything it owns that
  // has no other parent; a windowed control: its child controls owned by Root).
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* /*Value*/) {}
  virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const;

  /// Called once after the component and its form have been read.
  virtual void Loaded();
  virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
  /// Sets csDestroying and tells free-notification subscribers; derived destructors that
  /// must run while the derived part still exists call it first (it runs once).
  void Destroying();

private:
  void ValidateRename(const std::string& NewName) const;
  void ValidateRenameFor(const TComponent* NewOwner) const;

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::string FName;
  Integer FTag = 0;
  TComponentState FComponentState;
  bool FNotifiedRemoval = false;
};

/// An action that controls can execute and update (the data-aware controls pass
/// unhandled actions on to their data link).
class TBasicAction : public TComponent {
public:
  VCL_CLASS(TBasicAction)
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  virtual bool HandlesTarget(TObject* /*Target*/) { return false; }
  virtual void ExecuteTarget(TObject* /*Target*/) {}
  virtual void UpdateTarget(TObject* /*Target*/) {}
  /// Fires OnExecute; True when a handler ran.
  virtual bool Execute();
  virtual bool Update();
  TNotifyEvent GetOnExecute() const { return FOnExecute; }
  void SetOnExecute(TNotifyEvent Value) { FOnExecute = std::move(Value); }
  TNotifyEvent GetOnUpdate() const { return FOnUpdate; }
  void SetOnUpdate(TNotifyEvent Value) { FOnUpdate = std::move(Value); }

private:
  TNotifyEvent FOnExecute, FOnUpdate;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

/// A list of strings with an optional object per item.
class TStrings : public TPersistent {
public:
  VCL_CLASS(TStrings)
  ~TStrings() override = default;

  virtual int Count() const = 0;
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S) = 0;
  virtual TObject* GetObject(int Index) const = 0;
  virtual void PutObject(int Index, TObject* AObject) = 0;
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;

  std::string operator[](int Index) const { return Get(Index); }
  std::string Strings(int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  virtual int Add(const std::string& S);
  int AddObject(const std::string& S, TObject* AObject);
  void AddStrings(const TStrings& Other);
  void Append(const std::string& S) { Add(S); }
  /// Case-insensitive unless the list says otherwise; -1 when absent.
  virtual int IndexOf(const std::string& S) const;
  int IndexOfObject(const TObject* AObject) const;
  int IndexOfName(const std::string& Name) const;
  std::string Values(const std::string& Name) const;
  void SetValue(const std::string& Name, const std::string& Value);
  void Move(int CurIndex, int NewIndex);
  void Exchange(int Index1, int Index2);

  /// Items joined by LineBreak (with a trailing one); setting splits on "\n" and "\r\n".
  std::string GetText() const;
  void SetText(const std::string& Value);
  std::string GetCommaText() const;
  void SetCommaText(const std::string& Value);
  std::vector<std::string> ToVector() const;

  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }

  void Assign(const TPersistent* Source) override;
  bool Equals(const TStrings& Other) const;

  std::string LineBreak = "\n";

protected:
  virtual void SetUpdateState(bool /*Updating*/) {}
  int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
  VCL_CLASS(TStringList)
  TStringList() = default;
  explicit TStringList(std::initializer_list<std::string> Items);
  TStringList(const TStringList& Other);
  TStringList& operator=(const TStringList& Other);

  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  int Add(const std::string& S) override;
  int IndexOf(const std::string& S) const override;

  /// Binary search of a sorted list; Index receives the insertion point when not found.
  bool Find(const std::string& S, int& Index) const;
  void Sort();
  void CustomSort(const std::function<int(const TStringList&, int, int)>& Compare);

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  TNotifyEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = std::move(Value); }

protected:
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();
  int CompareStrings(const std::string& A, const std::string& B) const;

private:
  struct Item {
    std::string S;
    TObject* Obj = nullptr;
  };
  void CheckIndex(int Index) const;
  std::vector<Item> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = TDuplicates::dupIgnore;
  TNotifyEvent FOnChange, FOnChanging;
};

}  // namespace vcl

VCL_ENUM_NAMES(vcl::TComponentStateItem, "csLoading", "csReading", "csWriting", "csDestroying", "csDesigning",
               "csUpdating");
VCL_ENUM_NAMES(vcl::TDuplicates, "dupIgnore", "dupAccept", "dupError");
