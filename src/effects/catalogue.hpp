#pragma once
// The catalogue of named transition effects: every effect procedure with its
// kind and display name ("[ FADE ] - Fade"), lookup by name, and the list of
// names offered to users (the two special names first).
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "effects/masks.hpp"
#include "framework/exceptions.hpp"

namespace kiv {

class TkivBitmap;
class TkivAnimationRec;

// How a frame of the effect is composed.
enum TkivProcKind : uint8_t { pkFade = 0, pkSlide = 1, pkManual = 2 };

// One cell of a displacement effect: which cell of the new picture to show
// here, and how opaque (255 copies, 0 leaves the cell alone).
struct TkivCellRec {
  uint8_t Opacity;
  int16_t SourceCol;
  int16_t SourceRow;
};

using TkivCellProc = void (*)(TkivCellRec* cells, int width, int height, uint8_t progress);
using TkivManualProc = void (*)(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                                uint8_t progress);
using TkivEffectProc = std::variant<std::monostate, TkivMaskProc, TkivCellProc, TkivManualProc>;

class EProcItemError : public Exception {
 public:
  using Exception::Exception;
};

// A faster composition of a built-in effect that the frame composition may
// use instead of running the procedure; both give the same frames.
enum TkivFastPath : uint8_t {
  fpNone = 0,
  fpUniformMask,    // the mask holds one value everywhere ("Fade")
  fpInterlaceRows,  // each grid row is one run shifted by whole cells ("Interlace")
  fpSlide,          // the new picture slides over the old one ("Slide")
  fpPush,           // ... and pushes the old one out ("Push")
};

struct TkivProcItem {
  TkivProcKind Kind = pkFade;
  TkivEffectProc Proc;
  std::string Name;  // prefix + bare name
  TkivFastPath Fast = fpNone;
};

class TkivProcList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TkivProcItem* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  TkivProcItem* Add(std::unique_ptr<TkivProcItem> item);
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TkivProcItem>> items_;
};

inline constexpr const char* kRandomEffectName = "[ RANDOM ] - Random selection";
inline constexpr const char* kBitmapEffectName = "[ BITMAP ] - Bitmap Animation";

// The display-name prefix of a kind ("[ FADE ] - ").
const char* EffectKindPrefix(TkivProcKind kind);

// The process-wide catalogue; the 58 built-in effects are registered on first use.
TkivProcList& EffectList();

// Adds an effect; raises EProcItemError when the procedure is already listed.
void RegisterEffect(const std::string& name, TkivProcKind kind, TkivEffectProc proc);

// By display name, then by bare name, ignoring letter case; nullptr when absent.
TkivProcItem* FindEffect(const std::string& name);

// The names offered for the Effect property: the two special names, then
// every registered display name in registration order.
const std::vector<std::string>& EffectNames();

// A registered effect chosen uniformly at random (nullptr when none).
TkivProcItem* RandomEffect();

}  // namespace kiv
