#pragma once
// The component model: class information with published properties, the class
// registry, persistent objects, components with owners and notifications. Sets
// (set.hpp), events (event.hpp) and the builder that describes a class's
// published properties (class_builder.hpp) come with it.
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
//   inline constexpr std::array<std::string_view, 4> kRotationNames{
//       "qrNone", "qrRotate90", "qrRotate180", "qrRotate270"};
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
//            kRotationNames).Default(qrNone);
//     c.Object("Font", &TkivAnimationRec::Font, &TkivAnimationRec::SetFont);
//     c.Event("OnChange", &TkivAnimationRec::OnChange);
//     c.Method("Changed", &TkivAnimationRec::Changed);
//   }
//   // at start-up of the unit, for streams that name the class:
//   RegisterClass(TkivAnimationRec::StaticClass());
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

#include "framework/event.hpp"
#include "framework/exceptions.hpp"
#include "framework/set.hpp"

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

}  // namespace kiv

// Every file that describes a class with KIV_IMPLEMENT_CLASS needs the builder.
#include "framework/class_builder.hpp"
