// The skin object classes and skin filters known to the reader, registered
// when the unit starts.
#include "themefiles/skin_registry.hpp"

#include <algorithm>

#include "themefiles/skin_filters.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {

namespace {

std::vector<TClass>& ObjectClasses() {
  static std::vector<TClass> classes;
  return classes;
}

std::vector<TLqSkinFilterClass>& FilterClasses() {
  static std::vector<TLqSkinFilterClass> classes;
  return classes;
}

TLqSkinFilterClass& DefaultFilter() {
  static TLqSkinFilterClass cls = &TLqSkinFilterCompressed::StaticClass();
  return cls;
}

TClass FindExact(const std::string& name) {
  for (TClass c : ObjectClasses())
    if (c->Name() == name) return c;
  return nullptr;
}

struct SkinStartup {
  SkinStartup() {
    for (const TClassInfo* c :
         {&TLqSkinObject::StaticClass(), &TLqActiveObject::StaticClass(),
          &TLqBitmapObject::StaticClass(), &TLqActiveBitmap::StaticClass(),
          &TLqSystemButton::StaticClass(), &TLqButtonObject::StaticClass(),
          &TLqTextObject::StaticClass(), &TLqLinkSkinObject::StaticClass(),
          &TLqBitmapSkinObject::StaticClass(), &TLqFormBitmapSkinObject::StaticClass(),
          &TLqSysButtonSkinObject::StaticClass(), &TLqActiveSkinObject::StaticClass(),
          &TLqColorButtonObject::StaticClass(), &TLqBitmapBoxObject::StaticClass(),
          &TLqActiveBitmapBoxObject::StaticClass(), &TLqButtonBitmapBoxObject::StaticClass(),
          &TLqRollPanelObject::StaticClass()})
      RegisterSkinObjectClass(*c);
    RegisterClasses({&TLqSkinSource::StaticClass()});
    for (const TClassInfo* c :
         {&TLqSkinFilterUncompressed::StaticClass(), &TLqSkinFilterCompressed::StaticClass(),
          &TLqSkinFilterUltraCompressed::StaticClass(),
          &TLqSkinFilterMaxCompression::StaticClass()})
      RegisterSkinFilter(c);
    DefaultFilter() = &TLqSkinFilterCompressed::StaticClass();
  }
} g_skin_startup;

}  // namespace

const std::vector<TClass>& SkinObjectClasses() {
  return ObjectClasses();
}

void RegisterSkinObjectClass(const TClassInfo& cls) {
  if (FindExact(cls.Name())) return;
  ObjectClasses().push_back(&cls);
  if (!GetClass(cls.Name())) RegisterClasses({&cls});
}

TClass FindSkinObjectClass(const std::string& name) {
  if (TClass c = FindExact(name)) return c;
  if (name.size() <= 3) return nullptr;
  std::string renamed = name;
  renamed[1] = 'L';
  renamed[2] = 'q';
  return FindExact(renamed);
}

const std::vector<TLqSkinFilterClass>& SkinFilters() {
  return FilterClasses();
}

void RegisterSkinFilter(TLqSkinFilterClass cls) {
  auto& list = FilterClasses();
  if (cls && std::find(list.begin(), list.end(), cls) == list.end()) list.push_back(cls);
}

void UnregisterSkinFilter(TLqSkinFilterClass cls) {
  auto& list = FilterClasses();
  list.erase(std::remove(list.begin(), list.end(), cls), list.end());
}

TLqSkinFilterClass DefaultSkinFilter() {
  return DefaultFilter();
}

void SetDefaultSkinFilter(TLqSkinFilterClass cls) {
  if (cls) DefaultFilter() = cls;
}

}  // namespace kiv
