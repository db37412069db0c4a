#pragma once
// The component model: class information with published properties, the class
// registry, persistent objects, components with owners and notifications, sets
// and events.
//
// Declaring a class
// -----------------
// Every class that takes part in streaming or in the registry names itself and
// its base with KIV_CLASS inside the class body and describes its published
// properties once, in its .cpp file, with KIV_IMPLEMENT_CLASS. Properties are
// inherited down the class tree; a class that declares a property with the name
// of an inherited one replaces it (for example with another default).
//
//   // header
//   enum TkivRotation { qrNone, qrRotate90, qrRotate180, qrRotate270 };
//   class TkivAnimationRec : public TComponent {
//     KIV_CLASS(TkivAnimationRec, TComponent)
//    public:
//     explicit TkivAnimationRec(TComponent* owner);
//     int Time() const { return time_; }
//     void SetTime(int value);
//     TkivRotation Rotation() const { return rotation_; }
//     void SetRotation(TkivRotation value);
//     TFont* Font() const { return font_.get(); }   // nested persistent object
//     void SetFont(TFont* value) { font_->Assign(value); }
//     TNotifyEvent OnChange;
//     void Changed(TObject* sender);                   // a method streams can name
//     ...
//   };
//
//   // .cpp (inside namespace kiv)
//   KIV_IMPLEMENT_CLASS(TkivAnimationRec, c) {
//     c.Integer("Time", &TkivAnimationRec::Time, &TkivAnimationRec::SetTime).Default(400);
//     c.Enum("Rotation", &TkivAnimationRec::Rotation, &TkivAnimationRec::SetRotation,
//            {"qrNone", "qrRotate90", "qrRotate180", "qrRotate270"}).Default(qrNone);
//     c.Object("Font", &TkivAnimationRec::Font, &TkivAnimationRec::SetFont);
//     c.Event("OnChange", &TkivAnimationRec::OnChange);
//     c.Method("Changed", &TkivAnimationRec::Changed);
//   }
//   // at start-up of the unit, for streams that name the class:
//   RegisterClass(TkivAnimationRec::StaticClass());
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
//
// Ownership
// ---------
// Components are created with `new TFoo(owner)`. An owner destroys the
// components it owns, last first, in its destructor; deleting an owned
// component removes it from its owner (with notifications). A component with
// no owner belongs to whoever created it (std::unique_ptr is fine). A class
// whose Notification override must still run while its own children go away
// calls DestroyComponents() at the start of its destructor, since C++ has
// already unwound the derived part when ~TComponent runs.
#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/exceptions.hpp"

// <windows.h> maps RegisterClass to RegisterClassA/W; Win32 code calls
// RegisterClassW by its full name so that the class registry keeps its name.
#ifdef RegisterClass
#undef RegisterClass
#endif

namespace kiv {

class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
class TFiler;
class TClassInfo;

// ---- sets ----

// A set of enumeration values with ordinals 0..63, as the framework's set types.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr uint64_t Bits() const { return bits_; }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  friend constexpr bool operator==(TSet, TSet) = default;

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }
  uint64_t bits_ = 0;
};

template <class T>
struct IsTSet : std::false_type {};
template <class E>
struct IsTSet<TSet<E>> : std::true_type {};

// ---- events ----

// An event property: a handler and the object it belongs to. When set from a
// stream, MethodName holds the name of the root component's method.
template <class Sig>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
 public:
  using Function = std::function<R(A...)>;
  Function Handler;
  TObject* Data = nullptr;
  std::string MethodName;

  explicit operator bool() const { return static_cast<bool>(Handler); }
  R operator()(A... args) const { return Handler(std::forward<A>(args)...); }
  template <class C>
  void Bind(C* object, R (C::*method)(A...), std::string name = {}) {
    Handler = [object, method](A... args) -> R {
      return (object->*method)(std::forward<A>(args)...);
    };
    Data = object;
    MethodName = std::move(name);
  }
  void Clear() {
    Handler = nullptr;
    Data = nullptr;
    MethodName.clear();
  }
};

using TNotifyEvent = TEvent<void(TObject* sender)>;

// ---- class information ----

// An integer value with a stream identifier (colours, character sets).
struct TIdentMapEntry {
  int32_t Value;
  const char* Name;
};

// The colour identifiers (clBlack ... clMenuBar), defined with the colours.
std::span<const TIdentMapEntry> ColorIdentMap();

enum class TPropKind {
  Integer,
  Boolean,
  Enumeration,
  Set,
  Float,
  String,
  WideString,
  Object,
  Component,
  Event
};

// One published property. The accessors work on any instance of the declaring
// class or of a class derived from it.
struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  std::vector<std::string> Names;          // Enumeration / Set / Boolean identifiers
  std::span<const TIdentMapEntry> Idents;  // Integer identifiers
  int64_t Min = std::numeric_limits<int64_t>::min();
  int64_t Max = std::numeric_limits<int64_t>::max();
  bool HasDefault = false;
  int64_t Default = 0;
  bool Stored = true;
  std::function<bool(const TPersistent&)> IsStoredFn;
  // Declared class of an Object / Component value; looked up lazily, since a
  // class may refer to itself.
  const TClassInfo& (*ValueClassOf)() = nullptr;
  const TClassInfo* ValueClass() const { return ValueClassOf ? &ValueClassOf() : nullptr; }

  std::function<int64_t(const TPersistent&)> GetOrd;
  std::function<void(TPersistent&, int64_t)> SetOrd;
  std::function<long double(const TPersistent&)> GetFloat;
  std::function<void(TPersistent&, long double)> SetFloat;
  std::function<std::string(const TPersistent&)> GetString;
  std::function<void(TPersistent&, const std::string&)> SetString;
  std::function<std::u16string(const TPersistent&)> GetWide;
  std::function<void(TPersistent&, const std::u16string&)> SetWide;
  std::function<TPersistent*(const TPersistent&)> GetObj;
  std::function<void(TPersistent&, TPersistent*)> SetObj;  // throws on a wrong class
  std::function<std::string(const TPersistent&)> GetMethodName;
  // Binds the event to root's method of that name ("" clears); false when the
  // root has no such method or its signature differs.
  std::function<bool(TPersistent&, TPersistent* root, const std::string&)> SetMethod;

  bool Writable() const;
  bool IsStored(const TPersistent& instance) const;
  // True when the stream writer may leave the value out.
  bool IsDefaultValue(const TPersistent& instance) const;
  // Identifier of an enumeration/set ordinal, or of an integer in Idents.
  const char* IdentOf(int64_t value) const;
  bool ValueOfIdent(std::string_view ident, int64_t& value) const;
};

// A method a stream can name for an event (the root component's methods).
struct TMethodEntry {
  std::string Name;
  std::function<std::any(TObject*)> Bind;  // yields std::function<Sig> bound to the object
};

using TClass = const TClassInfo*;

class TClassInfo {
 public:
  struct Factory {
    TComponent* (*component)(TComponent* owner) = nullptr;
    TCollectionItem* (*item)(TCollection* collection) = nullptr;
    TPersistent* (*plain)() = nullptr;
  };

  TClassInfo(const char* name, const TClassInfo* parent, Factory factory,
             const std::function<void(TClassInfo&)>& describe);
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& ancestor) const;

  // All published properties, inherited ones first, in declaration order.
  const std::vector<std::shared_ptr<const TPropInfo>>& Properties() const { return props_; }
  const TPropInfo* FindProperty(std::string_view name) const;   // case-insensitive
  const TMethodEntry* FindMethod(std::string_view name) const;  // searches ancestors

  // The virtual constructors. Each raises EInvalidOperation when the class
  // has no constructor of that kind (abstract classes have none).
  bool IsComponentClass() const { return factory_.component != nullptr; }
  TComponent* CreateComponent(TComponent* owner) const;
  TCollectionItem* CreateItem(TCollection* collection) const;
  TPersistent* CreateInstance() const;

  // Used by TClassBuilder while the class is described.
  TPropInfo& AddProperty(const char* name, TPropKind kind);
  void AddMethod(TMethodEntry entry);

 private:
  std::string name_;
  const TClassInfo* parent_;
  Factory factory_;
  std::vector<std::shared_ptr<const TPropInfo>> props_;
  std::vector<std::shared_ptr<TPropInfo>> own_;
  std::vector<TMethodEntry> methods_;
};

// The class registry used by the component stream reader.
void RegisterClass(const TClassInfo& cls);  // EFilerError if another class has the name
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
void UnRegisterClass(const TClassInfo& cls);
TClass GetClass(std::string_view name);   // nullptr when not registered
TClass FindClass(std::string_view name);  // EClassNotFound "Class X not found"

// ---- the root of the class tree ----

class TObject {
 public:
  virtual ~TObject() = default;
  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType().Name(); }
  bool InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }
  template <class C>
  bool Is() const {
    return InheritsFrom(C::StaticClass());
  }
};

#define KIV_CLASS(Self, Base)                           \
 public:                                                \
  using Inherited = Base;                               \
  static const ::kiv::TClassInfo& StaticClass();        \
  const ::kiv::TClassInfo& ClassType() const override { \
    return Self::StaticClass();                         \
  }

// Defines Self::StaticClass() and opens the body that describes Self's
// published properties through the builder named `builder`. Use inside the
// namespace of the class.
#define KIV_IMPLEMENT_CLASS(Self, builder)                                                     \
  static void KivDescribe_##Self(::kiv::TClassBuilder<Self>& builder);                         \
  const ::kiv::TClassInfo& Self::StaticClass() {                                               \
    static const ::kiv::TClassInfo info(#Self, &Self::Inherited::StaticClass(),                \
                                        ::kiv::MakeFactory<Self>(), [](::kiv::TClassInfo& i) { \
                                          ::kiv::TClassBuilder<Self> b(i);                     \
                                          KivDescribe_##Self(b);                               \
                                        });                                                    \
    return info;                                                                               \
  }                                                                                            \
  static void KivDescribe_##Self([[maybe_unused]] ::kiv::TClassBuilder<Self>& builder)

// ---- persistent objects ----

// An object that can be assigned and streamed. Assign(source) asks the source
// to AssignTo this object; when neither side knows the other, the framework's
// assignment error is raised: EInvalidCast "Cannot assign a <source class> to
// a <destination class>" ("nil" for no source).
class TPersistent : public TObject {
  KIV_CLASS(TPersistent, TObject)
 public:
  virtual void Assign(const TPersistent* source);
  // Declares binary or custom properties to the stream filer.
  virtual void DefineProperties(TFiler& filer) {}
  virtual TPersistent* GetOwner() const { return nullptr; }
  virtual std::string GetNamePath() const { return ClassName(); }

 protected:
  virtual void AssignTo(TPersistent* dest) const;
  [[noreturn]] void AssignError(const TPersistent* source) const;
  friend class TPersistentAccess;
};

// ---- components ----

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csFreeNotification
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

bool IsValidIdent(std::string_view ident);

class TComponent : public TPersistent {
  KIV_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  TPersistent* GetOwner() const override;
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;  // EListError out of bounds
  int ComponentIndex() const;               // index in the owner's list, -1 without owner
  TComponent* FindComponent(std::string_view name) const;  // case-insensitive, nullptr if none

  // Moves a component into (out of) this component's ownership, with
  // opInsert (opRemove) notifications to this component and all it owns.
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Destroys every owned component, last first.
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  const std::string& Name() const { return name_; }
  // Valid identifier (or empty), unique among the owner's components
  // (case-insensitive); otherwise EComponentError.
  virtual void SetName(const std::string& new_name);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value) { tag_ = value; }

  TComponentState ComponentState() const { return state_; }
  void SetDesigning(bool value, bool include_children = true);

  // Registers both ways that this and component want to hear of each other's
  // destruction (needed between components with different owners).
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Called once the whole stream has been read; clears csLoading.
  virtual void Loaded();
  // Told about insertions into and removals from this component's ownership
  // and about destruction of components it asked FreeNotification for. The
  // base passes every notification on to the owned components.
  virtual void Notification(TComponent* component, TOperation operation);

  // Stream hooks for trees of components. GetChildren lists the components
  // to write beneath this one (base: the components it owns that have no
  // parent component); the reader calls SetParentComponent on each child
  // with the component it was read under; HasParent/GetParentComponent
  // describe that relation (a control's parent window).
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* parent) {}

  // Reading state, set and cleared by the stream reader.
  void SetState(TComponentStateItem item, bool on) {
    if (on)
      state_.Include(item);
    else
      state_.Exclude(item);
  }

 protected:
  virtual void ValidateRename(TComponent* component, const std::string& cur_name,
                              const std::string& new_name);

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> free_notifies_;
  std::string name_;
  int32_t tag_ = 0;
  TComponentState state_;
};

// ---- builders ----

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
