#include "framework/win32/actions.hpp"

#include <algorithm>

#include "framework/exceptions.hpp"
#include "framework/win32/controls.hpp"

namespace kiv {

// ---------------------------------------------------------------------------
// TImageList

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
  if (list_) ImageList_Destroy(list_);
}

HIMAGELIST TImageList::Handle() {
  if (!list_) {
    list_ = ImageList_Create(width_, height_, ILC_COLOR32 | (masked_ ? ILC_MASK : 0), 4, 4);
    if (!list_) throw EOutOfResources("Out of system resources");
  }
  return list_;
}

void TImageList::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) throw EInvalidOperation("Invalid image size");
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  Recreate();
}

void TImageList::SetMasked(bool value) {
  if (value == masked_) return;
  masked_ = value;
  Recreate();
}

// The platform list is made again, empty, with the new size or mask on next use.
void TImageList::Recreate() {
  if (list_) ImageList_Destroy(list_);
  list_ = nullptr;
}

int TImageList::Count() const {
  return list_ ? ImageList_GetImageCount(list_) : 0;
}

// Image lists want device-dependent-compatible bitmaps of their own; give
// them copies so the caller's bitmaps stay untouched.
static HBITMAP CopyForList(TBitmap* bmp) {
  return static_cast<HBITMAP>(CopyImage(bmp->Handle(), IMAGE_BITMAP, 0, 0, 0));
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) throw EInvalidOperation("Invalid image");
  HBITMAP img = CopyForList(image);
  HBITMAP msk = mask && !mask->Empty() ? CopyForList(mask) : nullptr;
  int index = ImageList_Add(Handle(), img, msk);
  DeleteObject(img);
  if (msk) DeleteObject(msk);
  if (index < 0) throw EInvalidOperation("Failed to add an image");
  return index;
}

int TImageList::AddMasked(TBitmap* image, TColor mask_color) {
  if (!image || image->Empty()) throw EInvalidOperation("Invalid image");
  HBITMAP img = CopyForList(image);
  int index = ImageList_AddMasked(Handle(), img, ColorToRef(mask_color));
  DeleteObject(img);
  if (index < 0) throw EInvalidOperation("Failed to add an image");
  return index;
}

void TImageList::Clear() {
  if (list_) ImageList_Remove(list_, -1);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  if (!list_ || index < 0 || index >= Count()) return;
  static constexpr UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  const UINT style = kStyles[drawing_style_];
  ImageList_DrawEx(list_, index, canvas->Handle(), x, y, 0, 0, CLR_NONE, CLR_NONE,
                   enabled ? style : (style | ILD_BLEND50));
}

// ---------------------------------------------------------------------------
// TAction

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
  for (TControl* c : std::vector<TControl*>(clients_)) c->SetAction(nullptr);
  SetActionList(nullptr);
}

void TAction::Changed() {
  for (TControl* c : std::vector<TControl*>(clients_)) c->ActionChange(this, false);
}

void TAction::SetCaption(const std::wstring& value) {
  if (value == caption_) return;
  caption_ = value;
  Changed();
}
void TAction::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Changed();
}
void TAction::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed();
}
void TAction::SetHint(const std::wstring& value) {
  if (value == hint_) return;
  hint_ = value;
  Changed();
}
void TAction::SetImageIndex(int value) {
  if (value == image_index_) return;
  image_index_ = value;
  Changed();
}

void TAction::SetActionList(TActionList* list) {
  if (list == list_) return;
  if (list_) {
    auto& v = list_->actions_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  list_ = list;
  if (list_) list_->actions_.push_back(this);
}

bool TAction::Execute() {
  if (!enabled_ || !OnExecute || executing_) return false;
  executing_ = true;
  try {
    OnExecute(this);
  } catch (...) {
    executing_ = false;
    throw;
  }
  executing_ = false;
  return true;
}

void TAction::RegisterClient(TControl* client) {
  if (std::find(clients_.begin(), clients_.end(), client) == clients_.end())
    clients_.push_back(client);
}

void TAction::UnregisterClient(TControl* client) {
  clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

TActionList::~TActionList() {
  for (TAction* a : std::vector<TAction*>(actions_)) a->SetActionList(nullptr);
}

void TActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}

}  // namespace kiv
