// The shared paint buffer, the parent-background painters and
// PaintParentBackground, and the unit's start-up that registers them.
#include <algorithm>
#include <memory>
#include <vector>

#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_controls_unit_win32.hpp"
#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "framework/win32/canvas.hpp"
#include "framework/win32/form.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_winapi_win32.hpp"

namespace kiv {

namespace {

struct TPainterEntry {
  const TClassInfo* Class;
  TKivBackgroundPainter Painter;
};

std::unique_ptr<std::vector<TPainterEntry>>& Painters() {
  static std::unique_ptr<std::vector<TPainterEntry>> painters;
  return painters;
}

TSize& SharedSize() {
  static TSize size;
  return size;
}

int Depth(const TClassInfo* c) {
  int d = 0;
  for (; c; c = c->Parent()) ++d;
  return d;
}

// The painter of the most derived registered class the parent belongs to.
const TKivBackgroundPainter* FindPainter(const TControl& parent) {
  const auto& list = Painters();
  if (!list) return nullptr;
  const TPainterEntry* best = nullptr;
  for (const TPainterEntry& e : *list)
    if (parent.InheritsFrom(*e.Class) && (!best || Depth(e.Class) > Depth(best->Class))) best = &e;
  return best ? &best->Painter : nullptr;
}

}  // namespace

void StartControlsUnit() {
  static bool started = false;
  if (started) return;
  started = true;
  SharedSize() = TSize{GetSystemMetrics(SM_CXSCREEN) + 500, GetSystemMetrics(SM_CYSCREEN) + 500};
  // A themed parent paints its frame and client into the context it is
  // given when the erase request carries a non-zero long parameter.
  RegisterBackgroundPainter(
      TKivControl::StaticClass(), [](TCanvas& canvas, const TKivBackgroundInfo& info) {
        info.Parent->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(canvas.Handle()), 1);
      });
  RegisterBackgroundPainter(TCustomForm::StaticClass(),
                            [](TCanvas& canvas, const TKivBackgroundInfo& info) {
                              canvas.Brush()->SetStyle(bsSolid);
                              canvas.Brush()->SetColor(info.Parent->Color());
                              canvas.FillRect(info.Rect);
                            });
  // An in-place scroll bar covers a native one: there is nothing of it to
  // show behind a transparent neighbour.
  RegisterBackgroundPainter(TKivInplaceScrollBar::StaticClass(),
                            [](TCanvas&, const TKivBackgroundInfo&) {});
}

TkivBitmap& SharedBuffer() {
  StartControlsUnit();
  static TkivBitmap* buffer = new TkivBitmap();
  return *buffer;
}

TSize SharedBufferSize() {
  StartControlsUnit();
  return SharedSize();
}

bool VisualStylesActive() {
  return Platform().VisualStylesActive;
}

void RegisterBackgroundPainter(const TClassInfo& parent_class, TKivBackgroundPainter painter) {
  auto& list = Painters();
  if (!list) list = std::make_unique<std::vector<TPainterEntry>>();
  list->push_back({&parent_class, std::move(painter)});
}

void FreeBackgroundPainters() {
  Painters().reset();
}

void PaintParentBackground(TControl* control, HDC dc) {
  if (!control || !dc) return;
  TWinControl* parent = control->Parent();
  if (!parent || control->Width() <= 0 || control->Height() <= 0) return;
  if (control->ControlState() & csPaintCopy) return;
  const int saved = SaveDC(dc);
  POINT origin;
  GetWindowOrgEx(dc, &origin);
  // The parent draws in its own coordinates; moving the origin by the
  // control's place lands that drawing behind the control.
  SetWindowOrgEx(dc, origin.x + control->Left(), origin.y + control->Top(), nullptr);
  const uint32_t state = control->ControlState();
  control->SetControlState(state | csPaintCopy);
  try {
    if (const TKivBackgroundPainter* painter = FindPainter(*parent)) {
      const TKivBackgroundInfo info{control->BoundsRect(), control->BoundsRect(), control, parent};
      TCanvas canvas;
      canvas.SetHandle(dc);
      (*painter)(canvas, info);
      canvas.SetHandle(nullptr);
    } else {
      // No painter: the parent erases and paints itself into the context
      // (its windowless children skip the control being copied).
      parent->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(dc), 0);
      parent->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(dc), 0);
    }
  } catch (...) {
    control->SetControlState(state);
    RestoreDC(dc, saved);
    throw;
  }
  control->SetControlState(state);
  RestoreDC(dc, saved);
}

}  // namespace kiv
