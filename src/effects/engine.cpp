#include "effects/engine.hpp"

#include <array>
#include <bit>
#include <exception>

#include "framework/numeric.hpp"

namespace kiv {

namespace {

std::array<TkivAnimationSlot, kAnimationSlotCount>& Slots() {
  static std::array<TkivAnimationSlot, kAnimationSlotCount> slots;
  return slots;
}

std::unique_ptr<TkivEngineTimer>& TimerStorage() {
  static std::unique_ptr<TkivEngineTimer> timer;
  return timer;
}

// The slots' Active flags, also kept packed here: a timer event looks only
// at these, not at 201 slot records (which together overflow the first-level
// cache, so that scanning them cost as much as composing a button's frame).
constexpr int kRunningWords = (kAnimationSlotCount + 63) / 64;
std::array<uint64_t, kRunningWords>& Running() {
  static std::array<uint64_t, kRunningWords> running{};
  return running;
}

void SetActive(int index, bool on) {
  Slots()[index].Active = on;
  const uint64_t bit = uint64_t{1} << (index % 64);
  uint64_t& word = Running()[index / 64];
  word = on ? word | bit : word & ~bit;
}

bool AnySlotActive() {
  for (uint64_t word : Running())
    if (word) return true;
  return false;
}

void UpdateTimer() {
  AnimationTimer().SetEnabled(AnySlotActive());
}

bool ValidIndex(int index) {
  return index >= 0 && index < kAnimationSlotCount;
}

bool HasPixels(const TkivBitmap* s) {
  return s != nullptr && !s->IsEmpty() && int64_t{s->Width()} * s->Height() != 0;
}

TkivFrameGrid GridOf(TkivAnimationSlot& s) {
  TkivFrameGrid g;
  g.Cols = s.Cols;
  g.Rows = s.Rows;
  g.Mask = s.Mask.empty() ? nullptr : s.Mask.data();
  g.Mask2 = s.Mask2.empty() ? nullptr : s.Mask2.data();
  g.Cells = s.Cells.empty() ? nullptr : s.Cells.data();
  return g;
}

// Clears Busy however the step is left.
struct BusyGuard {
  TkivAnimationSlot& slot;
  ~BusyGuard() { slot.Busy = false; }
};

// The unit's start-up: the 58 effects registered, the 201 slots cleared
// (they start zeroed) and the disabled 20 ms timer made, before the program
// runs. A timer that cannot be made now is made on first use.
struct EffectsStartup {
  EffectsStartup() {
    EffectList();
    EffectNames();
    for (TkivAnimationSlot& s : Slots()) s = TkivAnimationSlot{};
    RegisterClasses({&TkivAnimationRec::StaticClass()});  // RegisterClass is a Win32 macro here
    try {
      AnimationTimer();
    } catch (const std::exception&) {
    }
  }
} g_effects_startup;

}  // namespace

void TkivManualTimer::ProcessMessages() {
  if (enabled_) AnimationTick();
}

TkivAnimationSlot& AnimationSlot(int index) {
  return Slots().at(static_cast<size_t>(index));
}

TkivEngineTimer& AnimationTimer() {
  auto& t = TimerStorage();
  if (!t) t = CreatePlatformTimer();
  return *t;
}

void SetAnimationTimer(std::unique_ptr<TkivEngineTimer> timer) {
  auto& t = TimerStorage();
  const bool was = t && t->Enabled();
  if (t) t->SetEnabled(false);
  t = std::move(timer);
  if (t) t->SetEnabled(was);
}

int ReserveAnimationSlot() {
  auto& slots = Slots();
  for (int i = 0; i < kAnimationSlotCount; ++i)
    if (!slots[i].Active && !slots[i].Reserved) {
      slots[i].Reserved = true;
      return i;
    }
  return -1;
}

void ReleaseAnimationSlot(int index) {
  if (ValidIndex(index)) Slots()[index].Reserved = false;
}

int StartAnimation(TkivFrameCanvas* canvas, int x, int y, int index, const TkivAnimationRec& rec,
                   TkivBitmap* target, const TkivBitmap* source) {
  auto& slots = Slots();
  if (index == -1) {
    for (int i = 0; i < kAnimationSlotCount && index == -1; ++i)
      if (!slots[i].Active && !slots[i].Reserved) index = i;
    if (index == -1) return -1;
  }
  if (!ValidIndex(index)) return -1;
  TkivAnimationSlot& s = slots[index];
  // A slot still running is stopped first, so its buffers are not lost.
  StopAnimation(index);
  s.Rec = &rec;
  s.Target = target;
  s.Source = source;
  if (!HasPixels(target) || !HasPixels(source)) return index;

  const std::string& effect = rec.Effect();
  const bool bitmap = effect == kBitmapEffectName;
  TkivProcItem* item = nullptr;
  if (effect == kRandomEffectName)
    item = RandomEffect();
  else
    item = FindEffect(effect);
  if (!bitmap && (item == nullptr || item->Proc.index() == 0)) return index;

  s.Work = std::make_unique<TkivBitmap>();
  s.Work->SetSize(source->Width(), source->Height());
  s.Cols = GridExtent(source->Width(), rec.Resolution(), rec.TileCount());
  s.Rows = GridExtent(source->Height(), rec.Resolution(), rec.TileCount());
  s.Item = bitmap ? nullptr : item;
  s.BitmapAnimation = bitmap;
  s.Scratch.TargetKeysHidden = false;
  const size_t cells = static_cast<size_t>(s.Cols) * static_cast<size_t>(s.Rows);
  s.MaskSize = 0;
  s.Mask.clear();
  s.Mask2.clear();
  s.Cells.clear();
  if (bitmap) {
    s.MaskSize = cells;
    s.Mask.assign(cells, 0);
    s.Mask2.assign(cells, 0);
    PrepareBitmapPattern(rec, GridOf(s));
  } else if (item->Kind == pkFade) {
    s.MaskSize = cells;
    s.Mask.assign(cells, 0);
    if (rec.Rotation() != qrNone) s.Mask2.assign(cells, 0);
  } else if (item->Kind == pkSlide) {
    s.Cells.assign(cells, TkivCellRec{});
  }
  s.Elapsed = 0.01f;
  SetActive(index, true);
  s.Busy = false;
  s.Canvas = canvas;
  s.X = x;
  s.Y = y;
  UpdateTimer();
  return index;
}

void StopAnimation(int index) {
  if (!ValidIndex(index)) return;
  TkivAnimationSlot& s = Slots()[index];
  if (!s.Target || !s.Source || !s.Work || !s.Active) return;
  s.Mask = {};
  s.Mask2 = {};
  s.Cells = {};
  s.MaskSize = 0;
  s.Work.reset();
  SetActive(index, false);
  UpdateTimer();
}

bool IsAnimating(int index) {
  return ValidIndex(index) && Slots()[index].Active;
}

void PlayAnimation(TkivFrameCanvas* canvas, int x, int y, const TkivAnimationRec& rec,
                   TkivBitmap* target, const TkivBitmap* source) {
  const int index = StartAnimation(canvas, x, y, -1, rec, target, source);
  while (IsAnimating(index)) AnimationTimer().ProcessMessages();
}

uint8_t AnimationProgress(float elapsed, int time) {
  const int64_t p = Round(static_cast<long double>(elapsed) / time * 100);
  return static_cast<uint8_t>(p > 100 ? 100 : p < 0 ? 0 : p);
}

void ComposeFrame(TkivAnimationSlot& s, uint8_t p) {
  ComposeEffectFrame(s.BitmapAnimation ? nullptr : s.Item, *s.Source, *s.Work, *s.Target, *s.Rec,
                     GridOf(s), p, s.Scratch);
}

void StepAnimation(int index) {
  TkivAnimationSlot& s = Slots()[index];
  if (!s.Target || !s.Source || !s.Work || !s.Active) return;
  s.Elapsed += kAnimationInterval;
  if (s.Busy) return;
  s.Busy = true;
  const BusyGuard guard{s};
  const uint8_t p = AnimationProgress(s.Elapsed, s.Rec->Time());
  ComposeFrame(s, p);
  if (s.Canvas) s.Canvas->DrawFrame(*s.Work, s.X, s.Y);
  if (p == 100) StopAnimation(index);
}

void TkivMultiObject::AnimationTick(TObject*) {
  kiv::AnimationTick();
}

void AnimationTick() {
  // The fixed 20 ms per event is the animations' time base; the time spent
  // producing frames does not advance them (so every animation shows about
  // Time / 20 frames however slow the machine).
  // Only the active slots are stepped (a step does nothing on the others),
  // in index order; a slot started by a step further down is stepped too.
  const auto& running = Running();
  for (int w = 0; w < kRunningWords; ++w) {
    uint64_t left = running[w];
    while (left) {
      const int bit = std::countr_zero(left);
      StepAnimation(w * 64 + bit);
      left = bit == 63 ? 0 : running[w] & (~uint64_t{0} << (bit + 1));
    }
  }
}

TkivTimer::TkivTimer() {
  using clock = std::chrono::steady_clock;
  const int64_t a = clock::now().time_since_epoch().count();
  const int64_t b = clock::now().time_since_epoch().count();
  Overhead = b - a;
  Frequency = clock::period::den / clock::period::num;
}

void TkivTimer::Start() {
  StartCount = std::chrono::steady_clock::now().time_since_epoch().count();
}

float TkivTimer::ElapsedSeconds() {
  StopCount = std::chrono::steady_clock::now().time_since_epoch().count();
  return static_cast<float>(static_cast<double>(StopCount - StartCount - Overhead) / Frequency);
}

}  // namespace kiv
