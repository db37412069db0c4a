#pragma once
// The builder through which KIV_IMPLEMENT_CLASS describes a class's published
// properties, and the factory that lets the class registry create instances.
//
// Builders: Integer, Boolean, Enum, Set, Float, String, WideString, Color
// (stored by identifier such as clBtnFace when it has one), IdentInteger
// (integer with an identifier table, as font character sets), Object (nested
// persistent or collection, written as Font.Name / <item ... end>), Component
// (reference by name, resolved after loading), Event (stored by method name,
// resolved through the root component's Method table). Getters and setters are
// member functions or any callable taking the object; a nullptr setter makes
// the property read-only (not stored, except nested objects, which are read
// through their getter). Each builder returns a handle with Default(v),
// NoDefault(), Stored(bool) and Stored(&T::IsXStored).
//
// Rules the stream writer applies: an ordinal equal to its declared default, an
// empty string, a float of 0, a nil reference and an event without a method
// name (set by the reader, or by Bind with a name) are not written; an
// ordinal without a declared default is always written.

#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "framework/classes.hpp"

namespace kiv {

template <class T>
TClassInfo::Factory MakeFactory() {
  TClassInfo::Factory f;
  if constexpr (!std::is_abstract_v<T>) {
    if constexpr (std::is_constructible_v<T, TComponent*>)
      f.component = [](TComponent* owner) -> TComponent* { return new T(owner); };
    else if constexpr (std::is_constructible_v<T, TCollection*>)
      f.item = [](TCollection* c) -> TCollectionItem* { return new T(c); };
    else if constexpr (std::is_default_constructible_v<T>)
      f.plain = []() -> TPersistent* { return new T(); };
  }
  return f;
}

template <class T>
class TClassBuilder {
 public:
  explicit TClassBuilder(TClassInfo& info) : info_(info) {}

  class PropHandle {
   public:
    explicit PropHandle(TPropInfo& p) : p_(p) {}
    template <class V>
    PropHandle& Default(V value) {
      p_.HasDefault = true;
      if constexpr (IsTSet<V>::value)
        p_.Default = static_cast<int64_t>(value.Bits());
      else
        p_.Default = static_cast<int64_t>(value);
      return *this;
    }
    PropHandle& NoDefault() {
      p_.HasDefault = false;
      return *this;
    }
    PropHandle& Stored(bool stored) {
      p_.Stored = stored;
      return *this;
    }
    PropHandle& Stored(bool (T::*is_stored)() const) {
      p_.IsStoredFn = [is_stored](const TPersistent& o) {
        return (static_cast<const T&>(o).*is_stored)();
      };
      return *this;
    }

   private:
    TPropInfo& p_;
  };

  template <class G, class S>
  PropHandle Integer(const char* name, G get, S set) {
    using V = Value<G>;
    static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool>,
                  "Integer needs an integral getter");
    TPropInfo& p = Ordinal<V>(name, TPropKind::Integer, get, set);
    p.Min = static_cast<int64_t>(std::numeric_limits<V>::min());
    p.Max =
        std::numeric_limits<V>::max() > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())
            ? std::numeric_limits<int64_t>::max()
            : static_cast<int64_t>(std::numeric_limits<V>::max());
    return PropHandle(p);
  }

  template <class G, class S>
  PropHandle IdentInteger(const char* name, G get, S set, std::span<const TIdentMapEntry> idents) {
    PropHandle h = Integer(name, get, set);
    last_->Idents = idents;
    return h;
  }

  // A TColor, stored by its identifier (clBtnFace) when it has one.
  template <class G, class S>
  PropHandle Color(const char* name, G get, S set) {
    return IdentInteger(name, get, set, ColorIdentMap());
  }

  template <class G, class S>
  PropHandle Boolean(const char* name, G get, S set) {
    static_assert(std::is_same_v<Value<G>, bool>, "Boolean needs a bool getter");
    TPropInfo& p = Ordinal<bool>(name, TPropKind::Boolean, get, set);
    p.Names = {"False", "True"};
    return PropHandle(p);
  }

  // An enumeration's names come from the table beside it (kAlignNames after
  // TAlign); the value is the name's index.
  template <class G, class S>
  PropHandle Enum(const char* name, G get, S set, std::span<const std::string_view> names) {
    using V = Value<G>;
    static_assert(std::is_enum_v<V>, "Enum needs an enumeration getter");
    TPropInfo& p = Ordinal<V>(name, TPropKind::Enumeration, get, set);
    p.Names.assign(names.begin(), names.end());
    p.Min = 0;
    p.Max = static_cast<int64_t>(names.size()) - 1;
    return PropHandle(p);
  }

  // A set's element names come from the table beside its enumeration.
  template <class G, class S>
  PropHandle Set(const char* name, G get, S set, std::span<const std::string_view> names) {
    using V = Value<G>;
    static_assert(IsTSet<V>::value, "Set needs a TSet getter");
    TPropInfo& p = Add(name, TPropKind::Set);
    p.Names.assign(names.begin(), names.end());
    p.HasDefault = true;  // sets default to the empty set
    p.GetOrd = [get](const TPersistent& o) {
      return static_cast<int64_t>(std::invoke(get, static_cast<const T&>(o)).Bits());
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetOrd = [set](TPersistent& o, int64_t v) {
        std::invoke(set, static_cast<T&>(o), V::FromBits(static_cast<uint64_t>(v)));
      };
    return PropHandle(p);
  }

  template <class G, class S>
  PropHandle Float(const char* name, G get, S set) {
    using V = Value<G>;
    static_assert(std::is_floating_point_v<V>, "Float needs a floating-point getter");
    TPropInfo& p = Add(name, TPropKind::Float);
    p.GetFloat = [get](const TPersistent& o) {
      return static_cast<long double>(std::invoke(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetFloat = [set](TPersistent& o, long double v) {
        std::invoke(set, static_cast<T&>(o), static_cast<V>(v));
      };
    return PropHandle(p);
  }

  template <class G, class S>
  PropHandle String(const char* name, G get, S set) {
    TPropInfo& p = Add(name, TPropKind::String);
    p.GetString = [get](const TPersistent& o) {
      return std::string(std::invoke(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetString = [set](TPersistent& o, const std::string& v) {
        std::invoke(set, static_cast<T&>(o), v);
      };
    return PropHandle(p);
  }

  template <class G, class S>
  PropHandle WideString(const char* name, G get, S set) {
    TPropInfo& p = Add(name, TPropKind::WideString);
    p.GetWide = [get](const TPersistent& o) {
      return std::u16string(std::invoke(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetWide = [set](TPersistent& o, const std::u16string& v) {
        std::invoke(set, static_cast<T&>(o), v);
      };
    return PropHandle(p);
  }

  // A nested persistent object (or a collection) owned by the instance.
  template <class G, class S = std::nullptr_t>
  PropHandle Object(const char* name, G get, S set = nullptr) {
    using P = std::remove_pointer_t<Value<G>>;
    static_assert(std::is_base_of_v<TPersistent, P>,
                  "Object needs a getter returning a TPersistent pointer");
    TPropInfo& p = Add(name, TPropKind::Object);
    p.ValueClassOf = &P::StaticClass;
    p.GetObj = [get](const TPersistent& o) -> TPersistent* {
      return std::invoke(get, static_cast<const T&>(o));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetObj = [set](TPersistent& o, TPersistent* v) {
        std::invoke(set, static_cast<T&>(o), Cast<P>(v));
      };
    return PropHandle(p);
  }

  // A reference to another component, stored by name.
  template <class G, class S>
  PropHandle Component(const char* name, G get, S set) {
    using P = std::remove_pointer_t<Value<G>>;
    static_assert(std::is_base_of_v<TComponent, P>,
                  "Component needs a getter returning a TComponent pointer");
    TPropInfo& p = Add(name, TPropKind::Component);
    p.ValueClassOf = &P::StaticClass;
    p.GetObj = [get](const TPersistent& o) -> TPersistent* {
      return std::invoke(get, static_cast<const T&>(o));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetObj = [set](TPersistent& o, TPersistent* v) {
        std::invoke(set, static_cast<T&>(o), Cast<P>(v));
      };
    return PropHandle(p);
  }

  template <class Sig>
  PropHandle Event(const char* name, TEvent<Sig> T::*member) {
    TPropInfo& p = Add(name, TPropKind::Event);
    p.GetMethodName = [member](const TPersistent& o) {
      const TEvent<Sig>& e = static_cast<const T&>(o).*member;
      return e ? e.MethodName : std::string();
    };
    p.SetMethod = [member](TPersistent& o, TPersistent* root, const std::string& method) {
      TEvent<Sig>& e = static_cast<T&>(o).*member;
      if (method.empty()) {
        e.Clear();
        return true;
      }
      const TMethodEntry* m = root ? root->ClassType().FindMethod(method) : nullptr;
      if (!m) return false;
      std::any bound = m->Bind(root);
      auto* fn = std::any_cast<typename TEvent<Sig>::Function>(&bound);
      if (!fn) return false;
      e.Handler = std::move(*fn);
      e.Data = root;
      e.MethodName = m->Name;
      return true;
    };
    return PropHandle(p);
  }

  // A method of this class that streams may name for events.
  template <class R, class... A>
  void Method(const char* name, R (T::*method)(A...)) {
    info_.AddMethod(TMethodEntry{name, [method](TObject* obj) {
                                   T* self = static_cast<T*>(obj);
                                   return std::any(
                                       std::function<R(A...)>([self, method](A... args) -> R {
                                         return (self->*method)(std::forward<A>(args)...);
                                       }));
                                 }});
  }

 private:
  template <class G>
  using Value = std::remove_cvref_t<std::invoke_result_t<G, const T&>>;

  template <class P>
  static P* Cast(TPersistent* v) {
    if (!v) return nullptr;
    P* p = dynamic_cast<P*>(v);
    if (!p) throw EReadError("Invalid property value");
    return p;
  }

  TPropInfo& Add(const char* name, TPropKind kind) {
    last_ = &info_.AddProperty(name, kind);
    return *last_;
  }

  template <class V, class G, class S>
  TPropInfo& Ordinal(const char* name, TPropKind kind, G get, S set) {
    TPropInfo& p = Add(name, kind);
    p.GetOrd = [get](const TPersistent& o) {
      return static_cast<int64_t>(std::invoke(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetOrd = [set](TPersistent& o, int64_t v) {
        std::invoke(set, static_cast<T&>(o), static_cast<V>(v));
      };
    return p;
  }

  TClassInfo& info_;
  TPropInfo* last_ = nullptr;
};

}  // namespace kiv
