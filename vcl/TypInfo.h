// Run-time type information for published properties.
//
// Every class that publishes properties declares VCL_CLASS(...) in its public
// section and registers its published properties once, in declaration order,
// in its .cpp with VCL_REGISTER_CLASS(Class, Parent) { b.Property(...); }.
// Streaming, the form designer and generic code read and write properties by
// name through TClassInfo / GetPropInfo / GetPropValue / SetPropValue.
#pragma once

#include <cassert>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "vcl/System.h"

namespace vcl {

class TObject;
class TComponent;
class TClassInfo;

enum class TTypeKind {
  tkBoolean,
  tkInteger,      ///< any ordinal integer width; see MinValue/MaxValue
  tkEnumeration,  ///< EnumNames holds the value names by ordinal
  tkSet,          ///< bit mask over the ordinals of EnumNames
  tkFloat,
  tkString,
  tkClass,        ///< a component reference or an owned sub-object (OwnedObject)
  tkMethod,       ///< an event; the value is True when a handler is assigned
};

/// A property value in generic form. Ordinals, enumerations and set masks travel as int64_t.
using TPropValue = std::variant<std::monostate, bool, int64_t, long double, std::string, TObject*>;

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = TTypeKind::tkInteger;
  std::string TypeName;  ///< "Boolean", "Integer", "Byte", "TAlignment", "TColor", "TDataSource", ...
  int64_t MinValue = 0;
  int64_t MaxValue = 0;
  std::vector<std::string> EnumNames;   ///< enumeration and set element names by ordinal
  const TClassInfo* ClassType = nullptr;  ///< tkClass: the declared class
  bool OwnedObject = false;  ///< tkClass: a sub-object owned by the instance (TFont, TStrings), streamed inline
  std::function<TPropValue(const TObject*)> Getter;
  std::function<void(TObject*, const TPropValue&)> Setter;  ///< empty: read-only
  std::optional<TPropValue> Default;                       ///< empty: no declared default
  std::function<bool(const TObject*)> StoredFn;            ///< empty: always stored

  bool IsReadOnly() const { return !Setter; }
  bool IsStored(const TObject* Obj) const { return !StoredFn || StoredFn(Obj); }
  /// The value equals the declared default (never true without one).
  bool IsDefault(const TObject* Obj) const;
};

class TClassInfo {
public:
  using TFactory = std::function<TComponent*(TComponent* Owner)>;
  using TRegistrar = void (*)(TClassInfo&);

  TClassInfo(std::string Name, const TClassInfo* Parent, TRegistrar Registrar)
      : Name(std::move(Name)), Parent(Parent), Registrar(Registrar) {}

  const std::string Name;
  const TClassInfo* const Parent;
  TFactory Factory;  ///< empty for abstract classes

  bool InheritsFrom(const TClassInfo& Other) const;
  /// Properties introduced or redeclared by this class, in declaration order.
  const std::vector<TPropInfo>& OwnProperties() const;
  /// All published properties, inherited first; a redeclared property keeps its ancestor's place.
  std::vector<const TPropInfo*> Properties() const;
  /// Case-insensitive look-up; nullptr when the class publishes no such property.
  const TPropInfo* FindProperty(const std::string& PropName) const;

  // Used by the registration macros only.
  TPropInfo& AddProperty(TPropInfo Info);

private:
  TRegistrar Registrar;
  mutable bool Built = false;
  mutable std::vector<TPropInfo> Own;
};

/// The class registry used to create components by class name while reading forms.
void RegisterClass(const TClassInfo& Info);
const TClassInfo* FindClass(const std::string& Name);  ///< nullptr when unknown
std::vector<const TClassInfo*> RegisteredClasses();

class TObject {
public:
  virtual ~TObject() = default;
  static TClassInfo& StaticClassInfo();
  virtual const TClassInfo* ClassInfo() const { return &StaticClassInfo(); }
  std::string ClassName() const { return ClassInfo()->Name; }
  bool InheritsFrom(const TClassInfo& Info) const { return ClassInfo()->InheritsFrom(Info); }
};

// Generic property access by name; unknown names raise EPropertyError.
const TPropInfo* GetPropInfo(const TObject* Obj, const std::string& Name);  ///< nullptr when absent
TPropValue GetPropValue(const TObject* Obj, const std::string& Name);
void SetPropValue(TObject* Obj, const std::string& Name, const TPropValue& Value);
int64_t GetOrdProp(const TObject* Obj, const std::string& Name);
void SetOrdProp(TObject* Obj, const std::string& Name, int64_t Value);
std::string GetStrProp(const TObject* Obj, const std::string& Name);
void SetStrProp(TObject* Obj, const std::string& Name, const std::string& Value);
long double GetFloatProp(const TObject* Obj, const std::string& Name);
void SetFloatProp(TObject* Obj, const std::string& Name, long double Value);
TObject* GetObjectProp(const TObject* Obj, const std::string& Name);
void SetObjectProp(TObject* Obj, const std::string& Name, TObject* Value);
std::string GetEnumProp(const TObject* Obj, const std::string& Name);  ///< the value's name
void SetEnumProp(TObject* Obj, const std::string& Name, const std::string& Value);
std::string GetEnumName(const TPropInfo& Info, int64_t Ordinal);
int64_t GetEnumValue(const TPropInfo& Info, const std::string& Name);  ///< -1 when unknown
/// Renders any property value as text (enum names, "True"/"False", set "[a,b]", component names).
std::string PropValueToString(const TPropInfo& Info, const TPropValue& Value);

/// Names of an enumeration's values, by ordinal. Declare with VCL_ENUM_NAMES.
template <class E>
struct TEnumInfo;

#define VCL_ENUM_NAMES(Enum, ...)                                   \
  template <>                                                       \
  struct vcl::TEnumInfo<Enum> {                                     \
    static constexpr const char* TypeName = #Enum;                  \
    static std::vector<std::string> Names() { return {__VA_ARGS__}; } \
  }

namespace detail {

template <class T>
struct IsTSet : std::false_type {};
template <class E>
struct IsTSet<TSet<E>> : std::true_type { using Element = E; };

template <class V>
std::string IntTypeName() {
  if constexpr (std::is_same_v<V, uint8_t>) return "Byte";
  else if constexpr (std::is_same_v<V, int8_t>) return "ShortInt";
  else if constexpr (std::is_same_v<V, uint16_t>) return "Word";
  else if constexpr (std::is_same_v<V, int16_t>) return "SmallInt";
  else if constexpr (std::is_same_v<V, uint32_t>) return "Cardinal";
  else if constexpr (std::is_same_v<V, int64_t>) return "Int64";
  else return "Integer";
}

/// Describes the type V on a property record.
template <class V>
void Describe(TPropInfo& P) {
  if constexpr (std::is_same_v<V, bool>) {
    P.Kind = TTypeKind::tkBoolean;
    P.TypeName = "Boolean";
  } else if constexpr (std::is_enum_v<V>) {
    P.Kind = TTypeKind::tkEnumeration;
    P.TypeName = TEnumInfo<V>::TypeName;
    P.EnumNames = TEnumInfo<V>::Names();
    P.MinValue = 0;
    P.MaxValue = static_cast<int64_t>(P.EnumNames.size()) - 1;
  } else if constexpr (IsTSet<V>::value) {
    using E = typename IsTSet<V>::Element;
    P.Kind = TTypeKind::tkSet;
    P.TypeName = std::string("set of ") + TEnumInfo<E>::TypeName;
    P.EnumNames = TEnumInfo<E>::Names();
  } else if constexpr (std::is_integral_v<V>) {
    P.Kind = TTypeKind::tkInteger;
    P.TypeName = IntTypeName<V>();
    P.MinValue = static_cast<int64_t>(std::numeric_limits<V>::min());
    P.MaxValue = std::numeric_limits<V>::max() > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())
                     ? std::numeric_limits<int64_t>::max()
                     : static_cast<int64_t>(std::numeric_limits<V>::max());
  } else if constexpr (std::is_floating_point_v<V>) {
    P.Kind = TTypeKind::tkFloat;
    P.TypeName = std::is_same_v<V, double> ? "Double" : (std::is_same_v<V, float> ? "Single" : "Extended");
  } else if constexpr (std::is_same_v<V, Currency>) {
    P.Kind = TTypeKind::tkFloat;
    P.TypeName = "Currency";
  } else if constexpr (std::is_same_v<V, std::string>) {
    P.Kind = TTypeKind::tkString;
    P.TypeName = "string";
  } else if constexpr (std::is_pointer_v<V>) {
    using C = std::remove_cv_t<std::remove_pointer_t<V>>;
    P.Kind = TTypeKind::tkClass;
    P.ClassType = &C::StaticClassInfo();
    P.TypeName = P.ClassType->Name;
    P.OwnedObject = !std::is_base_of_v<TComponent, C>;
  } else {
    static_assert(sizeof(V) == 0, "unsupported published property type");
  }
}

template <class V>
TPropValue ToProp(const V& Value) {
  if constexpr (std::is_same_v<V, bool>) return Value;
  else if constexpr (std::is_enum_v<V>) return static_cast<int64_t>(Value);
  else if constexpr (IsTSet<V>::value) return static_cast<int64_t>(Value.ToMask());
  else if constexpr (std::is_integral_v<V>) return static_cast<int64_t>(Value);
  else if constexpr (std::is_floating_point_v<V>) return static_cast<long double>(Value);
  else if constexpr (std::is_same_v<V, Currency>) return Value.ToExtended();
  else if constexpr (std::is_same_v<V, std::string>) return Value;
  // A string literal given as a default (.Default("Arial")) is a string, not a pointer.
  else if constexpr (std::is_convertible_v<const V&, std::string>) return std::string(Value);
  else if constexpr (std::is_pointer_v<V>)
    return static_cast<TObject*>(const_cast<std::remove_cv_t<std::remove_pointer_t<V>>*>(Value));
  else static_assert(sizeof(V) == 0, "unsupported property value type");
}

/// Converts a generic value to V; throws EPropertyError on a kind mismatch.
[[noreturn]] void ThrowPropKind(const std::string& Expected);
int64_t PropToInt(const TPropValue& V);
long double PropToFloat(const TPropValue& V);

template <class V>
V FromProp(const TPropValue& P) {
  if constexpr (std::is_same_v<V, bool>) {
    if (auto B = std::get_if<bool>(&P)) return *B;
    return PropToInt(P) != 0;
  } else if constexpr (std::is_enum_v<V>) {
    return static_cast<V>(PropToInt(P));
  } else if constexpr (IsTSet<V>::value) {
    return V::FromMask(static_cast<uint64_t>(PropToInt(P)));
  } else if constexpr (std::is_integral_v<V>) {
    return static_cast<V>(PropToInt(P));
  } else if constexpr (std::is_floating_point_v<V>) {
    return static_cast<V>(PropToFloat(P));
  } else if constexpr (std::is_same_v<V, Currency>) {
    return Currency::FromExtended(PropToFloat(P));
  } else if constexpr (std::is_same_v<V, std::string>) {
    if (auto S = std::get_if<std::string>(&P)) return *S;
    ThrowPropKind("string");
  } else if constexpr (std::is_pointer_v<V>) {
    using C = std::remove_cv_t<std::remove_pointer_t<V>>;
    if (std::holds_alternative<std::monostate>(P)) return nullptr;
    auto O = std::get_if<TObject*>(&P);
    if (!O) ThrowPropKind("object");
    if (*O == nullptr) return nullptr;
    auto C2 = dynamic_cast<C*>(*O);
    if (!C2) ThrowPropKind(C::StaticClassInfo().Name);
    return C2;
  }
}

template <class T, class G>
using GetterResult = std::remove_cvref_t<std::invoke_result_t<G, const T&>>;

}  // namespace detail

/// Fluent editing of one registered property.
class TPropBuilder {
public:
  explicit TPropBuilder(TPropInfo& P, std::function<TPropValue(const TPropValue&)> Convert)
      : P(P), Convert(std::move(Convert)) {}
  /// The declared streaming default (use the same named constant as the constructor).
  template <class V>
  TPropBuilder& Default(const V& Value) {
    P.Default = Convert(detail::ToProp(Value));
    return *this;
  }
  TPropBuilder& Stored(bool Always) {
    if (Always) P.StoredFn = nullptr;
    else P.StoredFn = [](const TObject*) { return false; };
    return *this;
  }
  template <class T>
  TPropBuilder& Stored(bool (T::*Pred)() const) {
    P.StoredFn = [Pred](const TObject* O) { return (static_cast<const T*>(O)->*Pred)(); };
    return *this;
  }
  /// Overrides the reported type name (for example "TColor" on an Integer property).
  TPropBuilder& Type(std::string Name) {
    P.TypeName = std::move(Name);
    return *this;
  }

private:
  TPropInfo& P;
  std::function<TPropValue(const TPropValue&)> Convert;
};

template <class T>
class TClassBuilder {
public:
  explicit TClassBuilder(TClassInfo& Info) : Info(Info) {}

  /// A published property with getter and setter (any member function callable as
  /// (obj.*Get)() and (obj.*Set)(value)). Pass nullptr as setter for a read-only property.
  template <class G, class S>
  TPropBuilder Property(const std::string& Name, G Get, S Set) {
    using V = detail::GetterResult<T, G>;
    TPropInfo P;
    P.Name = Name;
    detail::Describe<V>(P);
    P.Getter = [Get](const TObject* O) { return detail::ToProp<V>((static_cast<const T*>(O)->*Get)()); };
    if constexpr (!std::is_null_pointer_v<S>) {
      P.Setter = [Set](TObject* O, const TPropValue& Value) {
        (static_cast<T*>(O)->*Set)(detail::FromProp<V>(Value));
      };
    }
    TPropInfo& Stored = Info.AddProperty(std::move(P));
    return TPropBuilder(Stored, [](const TPropValue& X) { return detail::ToProp<V>(detail::FromProp<V>(X)); });
  }

  /// A published event. Get returns the handler (a std::function); the generic value is "assigned".
  template <class G, class S>
  TPropBuilder Event(const std::string& Name, G Get, S Set) {
    using V = detail::GetterResult<T, G>;
    TPropInfo P;
    P.Name = Name;
    P.Kind = TTypeKind::tkMethod;
    P.TypeName = "event";
    P.Getter = [Get](const TObject* O) { return TPropValue(static_cast<bool>((static_cast<const T*>(O)->*Get)())); };
    P.Setter = [Set](TObject* O, const TPropValue& Value) {
      // Only clearing a handler is possible generically.
      if (auto B = std::get_if<bool>(&Value); B && !*B) (static_cast<T*>(O)->*Set)(V{});
    };
    TPropInfo& Stored = Info.AddProperty(std::move(P));
    return TPropBuilder(Stored, [](const TPropValue& X) { return X; });
  }

private:
  TClassInfo& Info;
};

namespace detail {
template <class T>
void SetFactory(TClassInfo& Info) {
  if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*> &&
                !std::is_abstract_v<T>)
    Info.Factory = [](TComponent* Owner) -> TComponent* { return new T(Owner); };
}
}  // namespace detail

}  // namespace vcl

/// Put in the public section of a class that has published properties or is streamed.
#define VCL_CLASS(Cls)                                                         \
  static vcl::TClassInfo& StaticClassInfo();                                   \
  const vcl::TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }

/// Defines Cls::StaticClassInfo, registers the class by name, and opens the body
/// that registers its published properties on the builder `b`.
#define VCL_REGISTER_CLASS(Cls, ParentCls)                                                         \
  static void vcl_props_##Cls(vcl::TClassBuilder<Cls>& b);                                         \
  vcl::TClassInfo& Cls::StaticClassInfo() {                                                        \
    static vcl::TClassInfo* Info = [] {                                                            \
      auto* I = new vcl::TClassInfo(#Cls, &ParentCls::StaticClassInfo(), [](vcl::TClassInfo& CI) { \
        vcl::TClassBuilder<Cls> B(CI);                                                             \
        vcl_props_##Cls(B);                                                                        \
      });                                                                                          \
      vcl::detail::SetFactory<Cls>(*I);                                                            \
      return I;                                                                                    \
    }();                                                                                           \
    return *Info;                                                                                  \
  }                                                                                                \
  [[maybe_unused]] static const bool vcl_registered_##Cls =                                        \
      (vcl::RegisterClass(Cls::StaticClassInfo()), true);                                          \
  static void vcl_props_##Cls([[maybe_unused]] vcl::TClassBuilder<Cls>& b)
