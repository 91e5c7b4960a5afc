#include "vcl/TypInfo.h"

#include <cmath>
#include <map>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"

namespace vcl {

namespace {
std::map<std::string, const TClassInfo*>& Registry() {
  static std::map<std::string, const TClassInfo*> R;
  return R;
}
std::string Upper(const std::string& S) { return UpperCase(S); }
}  // namespace

Currency Currency::FromExtended(long double V) {
  long double Scaled = V * Scale;
  if (!std::isfinite(Scaled) || std::fabs(Scaled) >= 9.2233720368547758e18L)
    throw EConvertError("Currency value out of range");
  return Currency{std::llroundl(Scaled)};
}

bool TPropInfo::IsDefault(const TObject* Obj) const {
  if (!Default || !Getter) return false;
  return Getter(Obj) == *Default;
}

bool TClassInfo::InheritsFrom(const TClassInfo& Other) const {
  for (const TClassInfo* C = this; C; C = C->Parent)
    if (C == &Other) return true;
  return false;
}

const std::vector<TPropInfo>& TClassInfo::OwnProperties() const {
  if (!Built) {
    Built = true;
    if (Registrar) Registrar(const_cast<TClassInfo&>(*this));
  }
  return Own;
}

TPropInfo& TClassInfo::AddProperty(TPropInfo Info) {
  for (auto& P : Own)
    assert(!SameText(P.Name, Info.Name) && "property registered twice in one class");
  Own.push_back(std::move(Info));
  return Own.back();
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TPropInfo*> Result = Parent ? Parent->Properties() : std::vector<const TPropInfo*>{};
  for (const TPropInfo& P : OwnProperties()) {
    bool Replaced = false;
    for (auto& R : Result)
      if (SameText(R->Name, P.Name)) {
        R = &P;
        Replaced = true;
        break;
      }
    if (!Replaced) Result.push_back(&P);
  }
  return Result;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& PropName) const {
  for (const TClassInfo* C = this; C; C = C->Parent)
    for (const TPropInfo& P : C->OwnProperties())
      if (SameText(P.Name, PropName)) return &P;
  return nullptr;
}

void RegisterClass(const TClassInfo& Info) { Registry()[Upper(Info.Name)] = &Info; }

const TClassInfo* FindClass(const std::string& Name) {
  auto It = Registry().find(Upper(Name));
  return It == Registry().end() ? nullptr : It->second;
}

std::vector<const TClassInfo*> RegisteredClasses() {
  std::vector<const TClassInfo*> R;
  for (auto& [K, V] : Registry()) R.push_back(V);
  return R;
}

TClassInfo& TObject::StaticClassInfo() {
  static TClassInfo Info("TObject", nullptr, nullptr);
  return Info;
}

namespace detail {
void ThrowPropKind(const std::string& Expected) { throw EPropertyError("Invalid property value: " + Expected + " expected"); }

int64_t PropToInt(const TPropValue& V) {
  if (auto I = std::get_if<int64_t>(&V)) return *I;
  if (auto B = std::get_if<bool>(&V)) return *B ? 1 : 0;
  if (auto F = std::get_if<long double>(&V)) return static_cast<int64_t>(*F);
  ThrowPropKind("ordinal");
}

long double PropToFloat(const TPropValue& V) {
  if (auto F = std::get_if<long double>(&V)) return *F;
  if (auto I = std::get_if<int64_t>(&V)) return static_cast<long double>(*I);
  ThrowPropKind("float");
}
}  // namespace detail

const TPropInfo* GetPropInfo(const TObject* Obj, const std::string& Name) {
  if (!Obj) return nullptr;
  return Obj->ClassInfo()->FindProperty(Name);
}

static const TPropInfo& NeedProp(const TObject* Obj, const std::string& Name) {
  const TPropInfo* P = GetPropInfo(Obj, Name);
  if (!P) throw EPropertyError("Unknown property: '" + Name + "'");
  return *P;
}

TPropValue GetPropValue(const TObject* Obj, const std::string& Name) { return NeedProp(Obj, Name).Getter(Obj); }

void SetPropValue(TObject* Obj, const std::string& Name, const TPropValue& Value) {
  const TPropInfo& P = NeedProp(Obj, Name);
  if (P.IsReadOnly()) throw EPropertyError("Property " + P.Name + " is read-only");
  P.Setter(Obj, Value);
}

int64_t GetOrdProp(const TObject* Obj, const std::string& Name) { return detail::PropToInt(GetPropValue(Obj, Name)); }
void SetOrdProp(TObject* Obj, const std::string& Name, int64_t Value) {
  const TPropInfo& P = NeedProp(Obj, Name);
  if (P.Kind == TTypeKind::tkBoolean) SetPropValue(Obj, Name, Value != 0);
  else SetPropValue(Obj, Name, Value);
}
std::string GetStrProp(const TObject* Obj, const std::string& Name) {
  TPropValue V = GetPropValue(Obj, Name);
  if (auto S = std::get_if<std::string>(&V)) return *S;
  detail::ThrowPropKind("string");
}
void SetStrProp(TObject* Obj, const std::string& Name, const std::string& Value) { SetPropValue(Obj, Name, Value); }
long double GetFloatProp(const TObject* Obj, const std::string& Name) {
  return detail::PropToFloat(GetPropValue(Obj, Name));
}
void SetFloatProp(TObject* Obj, const std::string& Name, long double Value) { SetPropValue(Obj, Name, Value); }
TObject* GetObjectProp(const TObject* Obj, const std::string& Name) {
  TPropValue V = GetPropValue(Obj, Name);
  if (auto O = std::get_if<TObject*>(&V)) return *O;
  return nullptr;
}
void SetObjectProp(TObject* Obj, const std::string& Name, TObject* Value) { SetPropValue(Obj, Name, Value); }

std::string GetEnumName(const TPropInfo& Info, int64_t Ordinal) {
  if (Ordinal < 0 || Ordinal >= static_cast<int64_t>(Info.EnumNames.size())) return IntToStr(Ordinal);
  return Info.EnumNames[static_cast<size_t>(Ordinal)];
}

int64_t GetEnumValue(const TPropInfo& Info, const std::string& Name) {
  for (size_t I = 0; I < Info.EnumNames.size(); ++I)
    if (SameText(Info.EnumNames[I], Name)) return static_cast<int64_t>(I);
  return -1;
}

std::string GetEnumProp(const TObject* Obj, const std::string& Name) {
  const TPropInfo& P = NeedProp(Obj, Name);
  return GetEnumName(P, detail::PropToInt(P.Getter(Obj)));
}

void SetEnumProp(TObject* Obj, const std::string& Name, const std::string& Value) {
  const TPropInfo& P = NeedProp(Obj, Name);
  int64_t V = GetEnumValue(P, Value);
  if (V < 0) throw EPropertyError("Invalid property value: '" + Value + "'");
  SetPropValue(Obj, Name, V);
}

std::string PropValueToString(const TPropInfo& Info, const TPropValue& Value) {
  switch (Info.Kind) {
    case TTypeKind::tkBoolean:
    case TTypeKind::tkMethod:
      return detail::PropToInt(Value) ? "True" : "False";
    case TTypeKind::tkEnumeration:
      return GetEnumName(Info, detail::PropToInt(Value));
    case TTypeKind::tkSet: {
      uint64_t Mask = static_cast<uint64_t>(detail::PropToInt(Value));
      std::string S = "[";
      for (size_t I = 0; I < Info.EnumNames.size() && I < 64; ++I)
        if (Mask & (uint64_t{1} << I)) {
          if (S.size() > 1) S += ",";
          S += Info.EnumNames[I];
        }
      return S + "]";
    }
    case TTypeKind::tkInteger:
      return IntToStr(detail::PropToInt(Value));
    case TTypeKind::tkFloat:
      return FloatToStr(detail::PropToFloat(Value));
    case TTypeKind::tkString:
      if (auto S = std::get_if<std::string>(&Value)) return *S;
      return "";
    case TTypeKind::tkClass: {
      auto O = std::get_if<TObject*>(&Value);
      if (!O || !*O) return "nil";
      if (auto C = dynamic_cast<TComponent*>(*O)) return C->GetName();
      return "(" + (*O)->ClassName() + ")";
    }
  }
  return "";
}

}  // namespace vcl
