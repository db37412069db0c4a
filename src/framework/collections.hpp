#pragma once
// Lists and collections. TList is the framework's plain ordered list of
// pointers (it owns nothing); a collection is an owned, ordered list of items
// of one item class, streamed as the framework streams collections
// (<item ... end> in the text form).
#include <string>
#include <vector>

#include "framework/classes.hpp"

namespace kiv {

class TList {
 public:
  TList() = default;
  TList(const TList&) = default;
  TList& operator=(const TList&) = default;
  // Lists that own their items free them in their own Clear.
  virtual ~TList() = default;
  int Count() const { return static_cast<int>(items_.size()); }
  void* Items(int index) const;  // EListError out of bounds
  void SetItems(int index, void* item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  int Add(void* item);
  void Insert(int index, void* item);  // index may be Count
  void Delete(int index);
  int Remove(void* item);  // index the item had, -1 when absent
  void* Extract(void* item);  // removes and returns it, nullptr when absent
  int IndexOf(const void* item) const;
  void Exchange(int index1, int index2);
  void Move(int current_index, int new_index);
  // Drops every nil entry.
  void Pack();
  virtual void Clear() { items_.clear(); }

 private:
  void Check(int index) const;
  std::vector<void*> items_;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  KIV_CLASS(TCollectionItem, TPersistent)
 public:
  // Adds the item to the collection (which then owns it); with none, the
  // item stands alone.
  explicit TCollectionItem(TCollection* collection);
  // Removes the item from its collection.
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return collection_; }
  void SetCollection(TCollection* value);
  int ID() const { return id_; }
  int Index() const;
  void SetIndex(int value);
  // The item's name for lists and editors; the class name unless overridden.
  virtual std::string DisplayName() const { return ClassName(); }
  virtual void SetDisplayName(const std::string&) { Changed(false); }
  TPersistent* GetOwner() const override;
  std::string GetNamePath() const override;

 protected:
  // Tells the collection that this item (or, with all_items, the whole
  // collection) changed.
  void Changed(bool all_items);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

class TCollection : public TPersistent {
  KIV_CLASS(TCollection, TPersistent)
 public:
  // item_class must derive from TCollectionItem and have a (TCollection*)
  // constructor; owner is what GetOwner reports (the component holding it).
  explicit TCollection(const TClassInfo& item_class, TPersistent* owner = nullptr);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);  // destroys the item
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;  // EListError out of bounds
  TCollectionItem* FindItemID(int id) const;
  const TClassInfo& ItemClass() const { return item_class_; }

  // From another collection: clears this one and adds a copy of each item
  // (through the items' Assign).
  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override { return owner_; }
  std::string GetNamePath() const override;

  void BeginUpdate() { ++update_count_; }
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

 protected:
  // Called after changes (item nullptr: the whole collection), not while
  // updates are held by BeginUpdate.
  virtual void Update(TCollectionItem* item) {}
  virtual void Notify(TCollectionItem* item, TCollectionNotification action) {}
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  const TClassInfo& item_class_;
  TPersistent* owner_;
  std::vector<TCollectionItem*> items_;
  int next_id_ = 0;
  int update_count_ = 0;
};

}  // namespace kiv
