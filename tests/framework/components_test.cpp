// Ownership, names, notifications, the class registry and assignment.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/classes.hpp"
#include "framework/collections.hpp"

namespace kiv {
namespace {

// Records every notification it receives and keeps a reference that must be
// cleared when the referenced component goes away.
class TWatcher : public TComponent {
  KIV_CLASS(TWatcher, TComponent)
 public:
  using TComponent::TComponent;
  ~TWatcher() override { DestroyComponents(); }
  struct Event {
    TComponent* component;
    TOperation operation;
  };
  std::vector<Event> events;
  TComponent* target = nullptr;
  bool removed_was_destroying = false;
  void Watch(TComponent* c) {
    target = c;
    if (c) c->FreeNotification(this);
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    events.push_back({c, op});
    if (op == opRemove && c == target) {
      target = nullptr;
      removed_was_destroying = c->ComponentState().Contains(csDestroying);
    }
  }
  int Count(TComponent* c, TOperation op) const {
    int n = 0;
    for (const Event& e : events) n += e.component == c && e.operation == op;
    return n;
  }
};
KIV_IMPLEMENT_CLASS(TWatcher, c) {}

class TAbstractThing : public TComponent {
  KIV_CLASS(TAbstractThing, TComponent)
 public:
  using TComponent::TComponent;
  virtual void Pure() = 0;
};
KIV_IMPLEMENT_CLASS(TAbstractThing, c) {}

TEST(Component, OwnerDestroysWhatItOwnsAndDeletingAnOwnedOneUnlinksIt) {
  auto root = std::make_unique<TWatcher>(nullptr);
  auto* a = new TWatcher(root.get());
  auto* b = new TComponent(root.get());
  new TComponent(a);  // grandchild, destroyed through a
  ASSERT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(root->Components(1), b);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(root->Count(a, opInsert), 1);
  EXPECT_EQ(a->Count(b, opInsert), 1) << "owned components hear about their siblings";

  delete b;
  EXPECT_EQ(root->ComponentCount(), 1);
  EXPECT_EQ(root->Count(b, opRemove), 1);
  EXPECT_EQ(a->Count(b, opRemove), 1);
  EXPECT_THROW(root->Components(1), EListError);
  root.reset();  // ASan reports a leak or a double delete here
}

TEST(Component, InsertAndRemoveMoveOwnership) {
  TWatcher first(nullptr), second(nullptr);
  auto* c = new TComponent(&first);
  second.InsertComponent(c);
  EXPECT_EQ(c->Owner(), &second);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(first.Count(c, opRemove), 1);
  EXPECT_EQ(second.Count(c, opInsert), 1);
  second.RemoveComponent(c);
  EXPECT_EQ(c->Owner(), nullptr);
  delete c;
}

TEST(Component, FreeNotificationClearsReferencesAcrossOwners) {
  TWatcher form1(nullptr), form2(nullptr);
  auto* watcher = new TWatcher(&form1);
  auto* target = new TComponent(&form2);
  watcher->Watch(target);
  delete target;
  EXPECT_EQ(watcher->target, nullptr);
  EXPECT_EQ(watcher->Count(target, opRemove), 1);

  // The other way round: the watcher dies first; the target must forget it,
  // otherwise its own destruction would notify a deleted object (ASan).
  auto* target2 = new TComponent(&form2);
  watcher->Watch(target2);
  delete watcher;
  delete target2;

  // Removing the free notification stops the message.
  auto* w = new TWatcher(&form1);
  auto* t = new TComponent(&form2);
  w->Watch(t);
  t->RemoveFreeNotification(w);
  w->target = nullptr;
  delete t;
  EXPECT_EQ(w->Count(t, opRemove), 0);
}

TEST(Component, OwnerDestructionNotifiesOutsideWatchers) {
  TWatcher outside(nullptr);
  auto form = std::make_unique<TComponent>(nullptr);
  auto* button = new TComponent(form.get());
  outside.Watch(button);
  form.reset();
  EXPECT_EQ(outside.target, nullptr);
  EXPECT_EQ(outside.Count(button, opRemove), 1);
  EXPECT_TRUE(outside.removed_was_destroying);
}

TEST(Component, NamesAreIdentifiersUniqueAmongTheOwnersComponents) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Button1");
  EXPECT_EQ(owner.FindComponent("BUTTON1"), a);
  struct Case {
    const char* name;
    const char* message;
  };
  for (const Case& t : {Case{"button1", "A component named button1 already exists"},
                        Case{"1abc", "'1abc' is not a valid component name"},
                        Case{"a b", "'a b' is not a valid component name"}}) {
    try {
      b->SetName(t.name);
      ADD_FAILURE() << t.name;
    } catch (const EComponentError& e) {
      EXPECT_STREQ(e.what(), t.message);
    }
  }
  EXPECT_EQ(b->Name(), "");
  a->SetName("BUTTON1");  // a case change of its own name is allowed
  EXPECT_EQ(a->Name(), "BUTTON1");
  b->SetName("_b2");
  a->SetName("");
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  // Inserting a component whose name is taken fails and leaves it where it was.
  TComponent other(nullptr);
  auto* dup = new TComponent(&other);
  dup->SetName("_B2");
  EXPECT_THROW(owner.InsertComponent(dup), EComponentError);
  EXPECT_EQ(dup->Owner(), &other);
}

TEST(Component, StateAndLoaded) {
  TComponent c(nullptr);
  new TComponent(&c);
  c.SetState(csLoading, true);
  c.SetDesigning(true);
  EXPECT_TRUE(c.Components(0)->ComponentState().Contains(csDesigning));
  c.Loaded();
  EXPECT_FALSE(c.ComponentState().Contains(csLoading));
  EXPECT_TRUE(c.ComponentState().Contains(csDesigning));
}

TEST(ClassRegistry, FindsCreatesAndChecksInheritance) {
  RegisterClass(TWatcher::StaticClass());
  RegisterClass(TWatcher::StaticClass());  // the same class again is fine
  EXPECT_EQ(GetClass("TWatcher"), &TWatcher::StaticClass());
  EXPECT_EQ(GetClass("TNoSuch"), nullptr);
  try {
    FindClass("TFoo");
    ADD_FAILURE();
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TFoo not found");
  }
  TComponent owner(nullptr);
  TComponent* made = FindClass("TWatcher")->CreateComponent(&owner);
  EXPECT_EQ(made->ClassName(), "TWatcher");
  EXPECT_EQ(made->Owner(), &owner);
  EXPECT_TRUE(made->InheritsFrom(TComponent::StaticClass()));
  EXPECT_TRUE(made->Is<TPersistent>());
  EXPECT_FALSE(owner.Is<TWatcher>());
  EXPECT_THROW(TAbstractThing::StaticClass().CreateComponent(nullptr), EInvalidOperation);
  UnRegisterClass(TWatcher::StaticClass());
  EXPECT_EQ(GetClass("TWatcher"), nullptr);
}

TEST(Persistent, UnsupportedAssignmentNamesBothClasses) {
  TPersistent p;
  TComponent c(nullptr);
  struct Case {
    TPersistent* dest;
    const TPersistent* source;
    const char* message;
  };
  for (const Case& t : {Case{&p, &c, "Cannot assign a TComponent to a TPersistent"},
                        Case{&c, nullptr, "Cannot assign a nil to a TComponent"}}) {
    try {
      t.dest->Assign(t.source);
      ADD_FAILURE() << t.message;
    } catch (const EInvalidCast& e) {
      EXPECT_STREQ(e.what(), t.message);
    }
  }
}

TEST(Set, OperationsFollowTheOrdinals) {
  enum E { a, b, c };
  TSet<E> s{a, c};
  EXPECT_EQ(s.Bits(), 5u);
  EXPECT_TRUE(s.Contains(c));
  EXPECT_EQ((s - TSet<E>{a}).Bits(), 4u);
  EXPECT_EQ((s + TSet<E>{b}), (TSet<E>{a, b, c}));
  EXPECT_EQ((s * TSet<E>{b, c}).Bits(), 4u);
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

TEST(List, KeepsOrderAndRefusesIndexesOutOfBounds) {
  int a = 1, b = 2, c = 3;
  TList list;
  EXPECT_EQ(list.Add(&a), 0);
  EXPECT_EQ(list.Add(&b), 1);
  list.Insert(0, &c);  // c a b
  list.Move(0, 2);     // a b c
  EXPECT_EQ(list.Items(0), &a);
  EXPECT_EQ(list.Last(), &c);
  list.Exchange(0, 1);  // b a c
  EXPECT_EQ(list.IndexOf(&a), 1);
  EXPECT_EQ(list.Remove(&a), 1);
  EXPECT_EQ(list.Remove(&a), -1);
  EXPECT_EQ(list.Extract(&b), &b);
  list.Add(nullptr);
  list.Pack();
  EXPECT_EQ(list.Count(), 1);
  try {
    list.Items(1);
    FAIL() << "no error for index 1 of 1";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (1)");
  }
  EXPECT_THROW(list.Insert(3, &a), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
}

}  // namespace
}  // namespace kiv
