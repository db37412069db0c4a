#include "framework/collections.hpp"

#include <algorithm>

namespace kiv {

// ---- TList ----

void TList::Check(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
}

void* TList::Items(int index) const {
  Check(index);
  return items_[index];
}

void TList::SetItems(int index, void* item) {
  Check(index);
  items_[index] = item;
}

int TList::Add(void* item) {
  items_.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) ListIndexError(index);
  items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index) {
  Check(index);
  items_.erase(items_.begin() + index);
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  return Remove(item) >= 0 ? item : nullptr;
}

void TList::Exchange(int index1, int index2) {
  Check(index1);
  Check(index2);
  std::swap(items_[index1], items_[index2]);
}

void TList::Move(int current_index, int new_index) {
  if (current_index == new_index) return;
  Check(current_index);
  Check(new_index);
  void* item = items_[current_index];
  items_.erase(items_.begin() + current_index);
  items_.insert(items_.begin() + new_index, item);
}

void TList::Pack() {
  items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
}

KIV_IMPLEMENT_CLASS(TCollectionItem, c) {}
KIV_IMPLEMENT_CLASS(TCollection, c) {}

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* collection) {
  SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* value) {
  if (value == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (value) value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int value) {
  int cur = Index();
  if (cur < 0 || value == cur) return;
  auto& items = collection_->items_;
  value = std::clamp(value, 0, static_cast<int>(items.size()) - 1);
  items.erase(items.begin() + cur);
  items.insert(items.begin() + value, this);
  Changed(true);
}

TPersistent* TCollectionItem::GetOwner() const {
  return collection_;
}

std::string TCollectionItem::GetNamePath() const {
  if (!collection_) return ClassName();
  return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool all_items) {
  if (collection_ && collection_->update_count_ == 0)
    collection_->Update(all_items ? nullptr : this);
}

// ---- TCollection ----

TCollection::TCollection(const TClassInfo& item_class, TPersistent* owner)
    : item_class_(item_class), owner_(owner) {}

TCollection::~TCollection() {
  update_count_ = 1;  // no Update calls while tearing down
  Clear();
}

TCollectionItem* TCollection::Add() {
  return item_class_.CreateItem(this);
}

TCollectionItem* TCollection::Insert(int index) {
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index) {
  TCollectionItem* item = Items(index);
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) {
    TCollectionItem* item = items_.back();
    Notify(item, cnDeleting);
    items_.pop_back();
    item->collection_ = nullptr;
    delete item;
  }
  EndUpdate();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count())
    ListIndexError(index);
  return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::Assign(const TPersistent* source) {
  const TCollection* other = dynamic_cast<const TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TCollection::GetNamePath() const {
  if (!owner_) return ClassName();
  return owner_->GetNamePath() + "." + ClassName();
}

void TCollection::EndUpdate() {
  if (update_count_ > 0 && --update_count_ == 0) Changed();
}

void TCollection::Changed() {
  if (update_count_ == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = next_id_++;
  Notify(item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  Notify(item, cnExtracting);
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed();
}

}  // namespace kiv
