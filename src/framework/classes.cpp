#include "framework/classes.hpp"
#include "framework/text_convert.hpp"

#include <algorithm>
#include <cctype>

namespace kiv {

namespace {

std::vector<const TClassInfo*>& Registry() {
  static std::vector<const TClassInfo*> classes;
  return classes;
}

}  // namespace

// ---- TPropInfo ----

bool TPropInfo::Writable() const {
  switch (Kind) {
    case TPropKind::Float:
      return static_cast<bool>(SetFloat);
    case TPropKind::String:
      return static_cast<bool>(SetString);
    case TPropKind::WideString:
      return static_cast<bool>(SetWide);
    case TPropKind::Object:
      return static_cast<bool>(GetObj);
    case TPropKind::Component:
      return static_cast<bool>(SetObj);
    case TPropKind::Event:
      return static_cast<bool>(SetMethod);
    default:
      return static_cast<bool>(SetOrd);
  }
}

bool TPropInfo::IsStored(const TPersistent& instance) const {
  return Stored && Writable() && (!IsStoredFn || IsStoredFn(instance));
}

bool TPropInfo::IsDefaultValue(const TPersistent& instance) const {
  switch (Kind) {
    case TPropKind::Integer:
    case TPropKind::Boolean:
    case TPropKind::Enumeration:
    case TPropKind::Set:
      return HasDefault && GetOrd(instance) == Default;
    case TPropKind::Float:
      return GetFloat(instance) == 0;
    case TPropKind::String:
      return GetString(instance).empty();
    case TPropKind::WideString:
      return GetWide(instance).empty();
    case TPropKind::Object:
      return GetObj(instance) == nullptr;
    case TPropKind::Component:
      return GetObj(instance) == nullptr;
    case TPropKind::Event:
      return GetMethodName(instance).empty();
  }
  return false;
}

const char* TPropInfo::IdentOf(int64_t value) const {
  if (Kind == TPropKind::Integer) {
    for (const TIdentMapEntry& e : Idents)
      if (e.Value == value) return e.Name;
    return nullptr;
  }
  if (value >= 0 && static_cast<uint64_t>(value) < Names.size())
    return Names[static_cast<size_t>(value)].c_str();
  return nullptr;
}

bool TPropInfo::ValueOfIdent(std::string_view ident, int64_t& value) const {
  if (Kind == TPropKind::Integer) {
    for (const TIdentMapEntry& e : Idents)
      if (SameText(e.Name, ident)) {
        value = e.Value;
        return true;
      }
    return false;
  }
  for (size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], ident)) {
      value = static_cast<int64_t>(i);
      return true;
    }
  return false;
}

// ---- TClassInfo ----

TClassInfo::TClassInfo(const char* name, const TClassInfo* parent, Factory factory,
                       const std::function<void(TClassInfo&)>& describe)
    : name_(name), parent_(parent), factory_(factory) {
  if (parent_) props_ = parent_->props_;
  if (describe) describe(*this);
  for (auto& own : own_) {
    auto same = std::find_if(props_.begin(), props_.end(),
                             [&](const auto& p) { return SameText(p->Name, own->Name); });
    if (same != props_.end())
      *same = own;
    else
      props_.push_back(own);
  }
  own_.clear();
}

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c == &ancestor) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  for (const auto& p : props_)
    if (SameText(p->Name, name)) return p.get();
  return nullptr;
}

const TMethodEntry* TClassInfo::FindMethod(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const TMethodEntry& m : c->methods_)
      if (SameText(m.Name, name)) return &m;
  return nullptr;
}

TComponent* TClassInfo::CreateComponent(TComponent* owner) const {
  if (!factory_.component) throw EInvalidOperation("Cannot create an instance of " + name_);
  return factory_.component(owner);
}

TCollectionItem* TClassInfo::CreateItem(TCollection* collection) const {
  if (!factory_.item) throw EInvalidOperation("Cannot create an instance of " + name_);
  return factory_.item(collection);
}

TPersistent* TClassInfo::CreateInstance() const {
  if (!factory_.plain) throw EInvalidOperation("Cannot create an instance of " + name_);
  return factory_.plain();
}

TPropInfo& TClassInfo::AddProperty(const char* name, TPropKind kind) {
  auto p = std::make_shared<TPropInfo>();
  p->Name = name;
  p->Kind = kind;
  own_.push_back(p);
  return *p;
}

void TClassInfo::AddMethod(TMethodEntry entry) {
  methods_.push_back(std::move(entry));
}

// ---- registry ----

void RegisterClass(const TClassInfo& cls) {
  if (TClass existing = GetClass(cls.Name())) {
    if (existing == &cls) return;
    throw EFilerError("A class named " + cls.Name() + " already exists");
  }
  Registry().push_back(&cls);
}

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
  for (const TClassInfo* c : classes) RegisterClass(*c);
}

void UnRegisterClass(const TClassInfo& cls) {
  auto& r = Registry();
  r.erase(std::remove(r.begin(), r.end(), &cls), r.end());
}

TClass GetClass(std::string_view name) {
  for (const TClassInfo* c : Registry())
    if (c->Name() == name) return c;
  return nullptr;
}

TClass FindClass(std::string_view name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound("Class " + std::string(name) + " not found");
  return c;
}

// ---- TObject, TPersistent ----

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info("TObject", nullptr, {}, {});
  return info;
}

KIV_IMPLEMENT_CLASS(TPersistent, c) {}

void TPersistent::Assign(const TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const {
  dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) const {
  std::string source_name = source ? source->ClassName() : "nil";
  throw EInvalidCast("Cannot assign a " + source_name + " to a " + ClassName());
}

// ---- TComponent ----

KIV_IMPLEMENT_CLASS(TComponent, c) {
  c.String("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
  c.Integer("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

bool IsValidIdent(std::string_view ident) {
  if (ident.empty()) return false;
  auto alpha = [](char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_';
  };
  if (!alpha(ident[0])) return false;
  for (char ch : ident)
    if (!alpha(ch) && !(ch >= '0' && ch <= '9')) return false;
  return true;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!free_notifies_.empty()) {
    TComponent* other = free_notifies_.back();
    free_notifies_.pop_back();
    auto& theirs = other->free_notifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TPersistent* TComponent::GetOwner() const {
  return owner_;
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) ListIndexError(index);
  return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (FindComponent(component->name_))
    throw EComponentError("A component named " + component->name_ + " already exists");
  if (component->owner_) component->owner_->RemoveComponent(component);
  Insert(component);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  // A component appears once; searched from the end, since destruction
  // removes the last one first (n components then go in linear time).
  auto it = std::find(components_.rbegin(), components_.rend(), component);
  if (it != components_.rend()) components_.erase(std::next(it).base());
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::SetName(const std::string& new_name) {
  if (name_ == new_name) return;
  if (!new_name.empty() && !IsValidIdent(new_name))
    throw EComponentError("'" + new_name + "' is not a valid component name");
  if (owner_)
    owner_->ValidateRename(this, name_, new_name);
  else
    ValidateRename(nullptr, name_, new_name);
  name_ = new_name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& cur_name,
                                const std::string& new_name) {
  if (component && !SameText(cur_name, new_name) && component->owner_ == this &&
      FindComponent(new_name))
    throw EComponentError("A component named " + new_name + " already exists");
}

void TComponent::SetDesigning(bool value, bool include_children) {
  SetState(csDesigning, value);
  if (include_children)
    for (TComponent* c : components_) c->SetDesigning(value, true);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (!owner_ || component->owner_ != owner_) {
    if (std::find(free_notifies_.begin(), free_notifies_.end(), component) ==
        free_notifies_.end()) {
      free_notifies_.push_back(component);
      component->FreeNotification(this);
    }
  }
  state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), component),
                       free_notifies_.end());
  auto& theirs = component->free_notifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Loaded() {
  state_.Exclude(csLoading);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Handlers may remove components, so walk by index and re-check the bound.
  for (size_t i = components_.size(); i-- > 0;) {
    if (i >= components_.size()) continue;
    components_[i]->Notification(component, operation);
  }
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  if (root != this) return;
  for (TComponent* c : std::vector<TComponent*>(components_))
    if (!c->HasParent()) proc(c);
}

}  // namespace kiv
