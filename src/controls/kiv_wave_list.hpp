#pragma once
// Waves for the effect controls: a collection of waves held by a wave-list
// component, the process-wide sound settings that can route every control to
// one shared list, and the play operations the controls call.
#include <cstdint>
#include <memory>
#include <string>

#include "controls/kiv_extra_wave.hpp"
#include "framework/collections.hpp"

namespace kiv {

class TKivExtraWaveList;

class TKivExtraWaveCollectionItem : public TCollectionItem {
  KIV_CLASS(TKivExtraWaveCollectionItem, TCollectionItem)
 public:
  // Owns a new wave with Options [ewoAsync].
  explicit TKivExtraWaveCollectionItem(TCollection* collection);
  ~TKivExtraWaveCollectionItem() override;

  TKivExtraWave* Wave() const { return wave_.get(); }
  // Copies value into the item's own wave; fires OnChange when value is
  // another wave than the item's.
  void SetWave(TKivExtraWave* value);
  // The wave's options.
  TKivExtraWaveOptions Options() const { return wave_->Options(); }
  void SetOptions(TKivExtraWaveOptions value) { wave_->SetOptions(value); }
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value) { tag_ = value; }

  // The wave's name.
  std::string DisplayName() const override { return wave_->Name(); }
  // From another item: Tag and the wave.
  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

 private:
  std::unique_ptr<TKivExtraWave> wave_;
  int32_t tag_ = 0;
};

class TKivExtraWaveCollection : public TCollection {
  KIV_CLASS(TKivExtraWaveCollection, TCollection)
 public:
  explicit TKivExtraWaveCollection(TKivExtraWaveList* owner);

  TKivExtraWaveCollectionItem* Add();
  TKivExtraWaveCollectionItem* Items(int index) const;  // EListError out of bounds
  TKivExtraWaveList* WaveList() const { return list_; }

 private:
  TKivExtraWaveList* list_;
};

class TKivExtraWaveList : public TComponent {
  KIV_CLASS(TKivExtraWaveList, TComponent)
 public:
  // The first list created becomes GlobalWaveList.
  explicit TKivExtraWaveList(TComponent* owner);
  // Clears GlobalWaveList when this list is it.
  ~TKivExtraWaveList() override;

  TKivExtraWaveCollection* Waves() const { return waves_.get(); }
  void SetWaves(TKivExtraWaveCollection* value) { waves_->Assign(value); }

  // Informational, not stored; writing it does nothing.
  std::string Extra_Version() const { return "2.0.6"; }
  void SetExtra_Version(const std::string&) {}

 private:
  std::unique_ptr<TKivExtraWaveCollection> waves_;
};

// ---- process-wide sound settings ----

// The control kinds of SoundingControls.
inline constexpr uint8_t kSoundingPushButton = 0;
inline constexpr uint8_t kSoundingCheckBox = 2;  // check boxes and radio buttons
using TKivSoundingControls = TSet<uint8_t>;      // elements 0..7

// Controls play the global waves instead of their own.
extern bool UseGlobalSounds;
// Waves of GlobalWaveList for clicks, entering and leaving (-1: none).
extern int GlobalClickIndex;
extern int GlobalEnterIndex;
extern int GlobalLeaveIndex;
// The first wave list created; none again once that list is destroyed.
extern TKivExtraWaveList* GlobalWaveList;
// Control kinds that play enter and click sounds through the global settings.
extern TKivSoundingControls SoundingControls;

// Puts the settings above back to their start values.
void ResetGlobalSounds();

enum TKivExtraSoundOption : uint8_t { esoIgnoreGlobalOptions };
inline constexpr std::array<std::string_view, 1> kExtraSoundOptionNames{"esoIgnoreGlobalOptions"};
static_assert(kExtraSoundOptionNames.size() == esoIgnoreGlobalOptions + 1);
// A control with esoIgnoreGlobalOptions never uses the global settings.
using TKivExtraSoundOptions = TSet<TKivExtraSoundOption>;

// ---- playing ----

// Plays item index of list's Waves. Nothing for index -1 or no list; an index
// outside the collection and every other error are ignored.
void PlayListWave(TKivExtraWaveList* list, int index);
// With use_global and UseGlobalSounds: the global wave of the event in
// GlobalWaveList; otherwise item index of list. Errors are ignored.
void PlayEnterWave(TKivExtraWaveList* list, int index, bool use_global);
void PlayLeaveWave(TKivExtraWaveList* list, int index, bool use_global);
void PlayClickWave(TKivExtraWaveList* list, int index, bool use_global);

// A control's stored wave index against its list: count - 1 at most when the
// list holds waves and value is not negative, otherwise -1.
int ClampWaveIndex(const TKivExtraWaveList* list, int value);

}  // namespace kiv
