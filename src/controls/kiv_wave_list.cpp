#include "controls/kiv_wave_list.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivExtraWaveCollectionItem, c) {
  c.Object("Wave", &TKivExtraWaveCollectionItem::Wave, &TKivExtraWaveCollectionItem::SetWave);
  c.Set("Options", &TKivExtraWaveCollectionItem::Options, &TKivExtraWaveCollectionItem::SetOptions,
        kExtraWaveOptionNames)
      .Default(TKivExtraWaveOptions{ewoAsync});
  c.Integer("Tag", &TKivExtraWaveCollectionItem::Tag, &TKivExtraWaveCollectionItem::SetTag)
      .Default(0);
}

KIV_IMPLEMENT_CLASS(TKivExtraWaveCollection, c) {}

KIV_IMPLEMENT_CLASS(TKivExtraWaveList, c) {
  c.Object("Waves", &TKivExtraWaveList::Waves, &TKivExtraWaveList::SetWaves);
  c.String("Extra_Version", &TKivExtraWaveList::Extra_Version, &TKivExtraWaveList::SetExtra_Version)
      .Stored(false);
}

bool UseGlobalSounds = false;
int GlobalClickIndex = -1;
int GlobalEnterIndex = -1;
int GlobalLeaveIndex = -1;
TKivExtraWaveList* GlobalWaveList = nullptr;
TKivSoundingControls SoundingControls{0, 2, 3, 4};

void ResetGlobalSounds() {
  UseGlobalSounds = false;
  GlobalClickIndex = GlobalEnterIndex = GlobalLeaveIndex = -1;
  GlobalWaveList = nullptr;
  SoundingControls = TKivSoundingControls{0, 2, 3, 4};
}

namespace {
// The unit's start-up: the settings at their start values, the list class
// known to streams.
struct WaveListStartup {
  WaveListStartup() {
    ResetGlobalSounds();
    RegisterClasses({&TKivExtraWaveList::StaticClass()});  // RegisterClass is a Win32 macro
  }
} g_wave_list_startup;
}  // namespace

// ---- item ----

TKivExtraWaveCollectionItem::TKivExtraWaveCollectionItem(TCollection* collection)
    : TCollectionItem(collection), wave_(std::make_unique<TKivExtraWave>()) {
  wave_->SetOptions({ewoAsync});
}

TKivExtraWaveCollectionItem::~TKivExtraWaveCollectionItem() = default;

void TKivExtraWaveCollectionItem::SetWave(TKivExtraWave* value) {
  if (value == wave_.get()) return;
  wave_->Assign(value);
  if (OnChange) OnChange(this);
}

void TKivExtraWaveCollectionItem::Assign(const TPersistent* source) {
  if (source == nullptr || !source->Is<TKivExtraWaveCollectionItem>()) {
    TCollectionItem::Assign(source);
    return;
  }
  const auto& from = static_cast<const TKivExtraWaveCollectionItem&>(*source);
  if (&from == this) return;
  tag_ = from.tag_;
  SetWave(from.wave_.get());
}

// ---- collection and list ----

TKivExtraWaveCollection::TKivExtraWaveCollection(TKivExtraWaveList* owner)
    : TCollection(TKivExtraWaveCollectionItem::StaticClass(), owner), list_(owner) {}

TKivExtraWaveCollectionItem* TKivExtraWaveCollection::Add() {
  return static_cast<TKivExtraWaveCollectionItem*>(TCollection::Add());
}

TKivExtraWaveCollectionItem* TKivExtraWaveCollection::Items(int index) const {
  return static_cast<TKivExtraWaveCollectionItem*>(TCollection::Items(index));
}

TKivExtraWaveList::TKivExtraWaveList(TComponent* owner)
    : TComponent(owner), waves_(std::make_unique<TKivExtraWaveCollection>(this)) {
  if (GlobalWaveList == nullptr) GlobalWaveList = this;
}

TKivExtraWaveList::~TKivExtraWaveList() {
  if (GlobalWaveList == this) GlobalWaveList = nullptr;
}

// ---- playing ----

void PlayListWave(TKivExtraWaveList* list, int index) {
  if (index == -1 || list == nullptr) return;
  try {
    TKivExtraWaveCollection* waves = list->Waves();
    if (index < 0 || index >= waves->Count()) return;
    if (TKivExtraWave* wave = waves->Items(index)->Wave()) wave->Play();
  } catch (...) {
    // Playing never reports anything.
  }
}

namespace {
void PlayEventWave(TKivExtraWaveList* list, int index, bool use_global, int global_index) {
  if (use_global && UseGlobalSounds)
    PlayListWave(GlobalWaveList, global_index);
  else
    PlayListWave(list, index);
}
}  // namespace

void PlayEnterWave(TKivExtraWaveList* list, int index, bool use_global) {
  PlayEventWave(list, index, use_global, GlobalEnterIndex);
}
void PlayLeaveWave(TKivExtraWaveList* list, int index, bool use_global) {
  PlayEventWave(list, index, use_global, GlobalLeaveIndex);
}
void PlayClickWave(TKivExtraWaveList* list, int index, bool use_global) {
  PlayEventWave(list, index, use_global, GlobalClickIndex);
}

int ClampWaveIndex(const TKivExtraWaveList* list, int value) {
  const int count = list != nullptr ? list->Waves()->Count() : 0;
  if (count == 0 || value < 0) return -1;
  return value >= count - 1 ? count - 1 : value;
}

}  // namespace kiv
