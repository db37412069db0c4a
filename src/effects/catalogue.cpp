#include "effects/catalogue.hpp"

#include <chrono>
#include <mutex>

#include "effects/composition.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

namespace {

// The display name without its category prefix: the text after the first
// "-" and the blank that follows it.
std::string BareName(const std::string& display) {
  const size_t dash = display.find('-');
  if (dash == std::string::npos) return display;
  size_t start = dash + 1;
  if (start < display.size() && display[start] == ' ') ++start;
  return display.substr(start);
}

bool SameProc(const TkivEffectProc& a, const TkivEffectProc& b) {
  return a.index() == b.index() && a.index() != 0 && a == b;
}

std::unique_ptr<TkivProcList>& ListStorage() {
  static std::unique_ptr<TkivProcList> list;
  return list;
}

void AddEffect(TkivProcList& list, const std::string& name, TkivProcKind kind, TkivEffectProc proc,
               TkivFastPath fast = fpNone) {
  for (int i = 0; i < list.Count(); ++i)
    if (SameProc(list.Items(i)->Proc, proc))
      throw EProcItemError("Effect procedute " + name + " already exists in list");
  auto item = std::make_unique<TkivProcItem>();
  item->Kind = kind;
  item->Proc = proc;
  item->Name = std::string(EffectKindPrefix(kind)) + name;
  item->Fast = fast;
  list.Add(std::move(item));
}

void RegisterBuiltIns(TkivProcList& list) {
  for (const TkivMaskEffect& e : kMaskEffects)
    AddEffect(list, e.name, pkFade, e.proc, e.uniform ? fpUniformMask : fpNone);
  AddEffect(list, "Interlace", pkSlide, TkivCellProc{InterlaceEffect}, fpInterlaceRows);
  AddEffect(list, "Corner", pkSlide, TkivCellProc{CornerEffect});
  AddEffect(list, "Slide", pkManual, TkivManualProc{SlideEffect}, fpSlide);
  AddEffect(list, "Push", pkManual, TkivManualProc{PushEffect}, fpPush);
}

TkivRandom& ChoiceRandom() {
  // Seeded from the clock once; the mask generators keep their own sequence.
  static TkivRandom rnd{
      static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count() ^
                            std::chrono::system_clock::now().time_since_epoch().count())};
  return rnd;
}

}  // namespace

TkivProcItem* TkivProcList::Add(std::unique_ptr<TkivProcItem> item) {
  items_.push_back(std::move(item));
  return items_.back().get();
}

const char* EffectKindPrefix(TkivProcKind kind) {
  switch (kind) {
    case pkSlide:
      return "[ SLIDE ] - ";
    case pkManual:
      return "[ MANUAL ] - ";
    default:
      return "[ FADE ] - ";
  }
}

TkivProcList& EffectList() {
  auto& list = ListStorage();
  if (!list) {
    list = std::make_unique<TkivProcList>();
    RegisterBuiltIns(*list);
  }
  return *list;
}

void RegisterEffect(const std::string& name, TkivProcKind kind, TkivEffectProc proc) {
  AddEffect(EffectList(), name, kind, proc);
}

TkivProcItem* FindEffect(const std::string& name) {
  const TkivProcList& list = EffectList();
  for (int i = 0; i < list.Count(); ++i)
    if (SameText(list.Items(i)->Name, name)) return list.Items(i);
  for (int i = 0; i < list.Count(); ++i)
    if (SameText(BareName(list.Items(i)->Name), name)) return list.Items(i);
  return nullptr;
}

const std::vector<std::string>& EffectNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n{kRandomEffectName, kBitmapEffectName};
    const TkivProcList& list = EffectList();
    for (int i = 0; i < list.Count(); ++i) n.push_back(list.Items(i)->Name);
    return n;
  }();
  return names;
}

TkivProcItem* RandomEffect() {
  const TkivProcList& list = EffectList();
  if (list.Count() == 0) return nullptr;
  const auto index = ChoiceRandom().Next(static_cast<uint32_t>(list.Count()));
  return FindEffect(list.Items(static_cast<int>(index))->Name);
}

}  // namespace kiv
