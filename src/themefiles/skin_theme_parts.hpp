#pragma once
// What the skin-file theme's drawings share: finding an object's parts and
// painting an object in a state. Used only inside the theme's own files.
#include <initializer_list>

#include "themefiles/skin_enums.hpp"
#include "themefiles/skin_object.hpp"

namespace kiv::skin_parts {

// The first descendant of that name (ignoring case), not the object itself.
inline TLqSkinObject* Part(TLqSkinObject* object, const char* name) {
  if (object == nullptr) return nullptr;
  for (int i = 0; i < object->ChildCount(); ++i)
    if (TLqSkinObject* c = object->Child(i))
      if (TLqSkinObject* found = c->FindChild(name)) return found;
  return nullptr;
}

// The part, or the object itself when it has none of that name.
inline TLqSkinObject* PartOrSelf(TLqSkinObject* object, const char* name) {
  TLqSkinObject* part = Part(object, name);
  return part ? part : object;
}

// The first part the object has of the names given.
inline TLqSkinObject* FirstPart(TLqSkinObject* object, std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (TLqSkinObject* part = Part(object, name)) return part;
  return nullptr;
}

// Sets the state on the object's tree, places it and lets it paint.
inline void PaintObject(TkivDC dc, TLqSkinObject* object, const TRect& rect, uint8_t state) {
  if (object == nullptr) return;
  object->SetState(state);
  object->SetBounds(rect);
  object->Draw(dc, TRect{});
}

// Hot, selected (shown as focused) and disabled items: tabs, list items,
// menu items.
inline uint8_t SkinItemState(uint8_t state) {
  switch (state) {
    case 1:
      return kLqStateHot;
    case 2:
    case 4:
      return kLqStateFocused;
    case 3:
      return kLqStateDisabled;
    default:
      return kLqStateNormal;
  }
}

inline bool MaskedOf(TLqSkinObject* object) {
  return object != nullptr && object->Masked();
}

}  // namespace kiv::skin_parts
