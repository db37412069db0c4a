// TKivSkinFile: window frames. The frame object paints the borders and the
// title bar without its buttons or client; a copy of it placed over the
// window rectangle answers where the client, the caption and each title-bar
// button are and what a point hits; a second copy paints the buttons.
#include <algorithm>

#include "graphics/kiv_utils.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_paint.hpp"
#include "themefiles/skin_theme.hpp"

namespace kiv {

namespace {

// The title-bar button of each window-button index.
constexpr TLqAction kButtonActions[] = {sbaSysMenu,  sbaClose,   sbaHelp,   sbaMinimize, sbaRestore,
                                        sbaMaximize, sbaRestore, sbaRollUp, sbaRollDown, sbaTray};
// The hit code of each window-button index.
constexpr int32_t kButtonHits[] = {kHitSysMenu,  kHitClose,    kHitHelp, kHitMinimize, kHitMinimize,
                                   kHitMaximize, kHitMaximize, kHitRoll, kHitRoll,     kHitTray};

TLqSkinObject* DescendantOfKind(TLqSkinObject* object, TLqKind kind) {
  if (object == nullptr) return nullptr;
  for (int i = 0; i < object->ChildCount(); ++i)
    if (TLqSkinObject* c = object->Child(i))
      if (TLqSkinObject* found = c->FindKind(kind)) return found;
  return nullptr;
}

// The window state the buttons tell: rolled up while the roll-down button
// shows, maximized while the restore-from-maximized one does, minimized
// while the restore-from-minimized one does.
uint8_t WindowState(uint16_t buttons) {
  if (buttons & (1u << kWindowButtonRollDown)) return kLqStateRolledUp;
  if (buttons & (1u << kWindowButtonRestoreMax)) return kLqStateMaximized;
  if (buttons & (1u << kWindowButtonRestoreMin)) return kLqStateMinimized;
  return kLqStateNormal;
}

int32_t HitOfKind(TLqKind kind) {
  switch (kind) {
    case skCaption:
    case skTitle:
      return kHitCaption;
    case skLeft:
      return kHitLeft;
    case skTop:
      return kHitTop;
    case skRight:
      return kHitRight;
    case skBottom:
      return kHitBottom;
    case skTopLeft:
      return kHitTopLeft;
    case skTopRight:
      return kHitTopRight;
    case skBottomLeft:
      return kHitBottomLeft;
    case skBottomRight:
      return kHitBottomRight;
    default:
      return -1;  // not a part of the frame: ask the object's parent
  }
}

void SetButtonState(TLqSkinObject* button, uint8_t state) {
  if (auto* a = dynamic_cast<TLqSystemButton*>(button)) a->SetButtonState(state);
  if (auto* b = dynamic_cast<TLqSysButtonSkinObject*>(button)) b->SetButtonState(state);
}

// Every object of the tree visible: placement moves only visible objects, so
// the copies are placed with all of them before the flags hide some.
void ShowAll(TLqSkinObject* object) {
  object->SetVisible(true);
  for (int i = 0; i < object->ChildCount(); ++i)
    if (TLqSkinObject* c = object->Child(i)) ShowAll(c);
}

bool Contains(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

}  // namespace

TLqSkinObject* TKivSkinFile::FrameFor(uint8_t kind, const std::string& object) const {
  if (TLqSkinObject* named = NamedObject(object)) return named;
  if (kind == 0 || kind == 1) return defaults_[srForm];
  if (kind == 6) return defaults_[srToolWindow];
  return nullptr;
}

const TKivSkinFrameParts* TKivSkinFile::FramePartsFor(uint8_t kind,
                                                      const std::string& object) const {
  TLqSkinObject* frame = FrameFor(kind, object);
  if (frame == nullptr) return nullptr;
  if (frame == defaults_[srForm]) return &frames_[0];
  if (frame == defaults_[srToolWindow]) return &frames_[1];
  return nullptr;
}

TLqSkinObject* TKivSkinFile::PlacedGeometry(uint8_t kind, const TkivWindowInfo& info,
                                            const std::string& object) const {
  const TKivSkinFrameParts* parts = FramePartsFor(kind, object);
  TLqSkinObject* g = parts ? parts->Geometry.get() : FrameFor(kind, object);
  if (g == nullptr) return nullptr;
  ShowAll(g);
  if (parts) g->SetBounds(parts->Design);
  g->SetBounds(info.Rect);
  g->SetActive(info.Active);
  g->SetState(WindowState(info.Buttons));
  g->SetWindowFlags(info.Buttons);
  return g;
}

bool TKivSkinFile::SupportsWindow(uint8_t kind, const std::string& object) {
  return FrameFor(kind, object) != nullptr;
}

TLqRegion TKivSkinFile::WindowRegionRects(uint8_t kind, const TRect& rect,
                                          const std::string& object) {
  TkivWindowInfo info;
  info.Rect = Bounds(0, 0, rect.Width(), rect.Height());
  info.Active = true;
  info.Buttons = 1u << kWindowButtonClose;
  TLqSkinObject* g = PlacedGeometry(kind, info, object);
  return g ? g->TreeRegion() : TLqRegion{};
}

TkivRegion TKivSkinFile::WindowRegion(uint8_t kind, const TRect& rect, const std::string& object) {
  const TLqRegion rects = WindowRegionRects(kind, rect, object);
  // A region that is the whole window is no region at all.
  if (rects.empty() || (rects.size() == 1 && rects[0] == Bounds(0, 0, rect.Width(), rect.Height())))
    return nullptr;
  return SkinMakeRegion(rects);
}

TRect TKivSkinFile::WindowContentRect(uint8_t kind, const TRect& source,
                                      const std::string& object) {
  TkivWindowInfo info;
  info.Rect = source;
  const TLqSkinObject* client = DescendantOfKind(PlacedGeometry(kind, info, object), skClient);
  return client ? client->BoundsRect() : TkivTheme::WindowContentRect(kind, source, object);
}

TRect TKivSkinFile::WindowCaptionRect(uint8_t kind, const TkivWindowInfo& source,
                                      const std::string& object) {
  const TLqSkinObject* title = DescendantOfKind(PlacedGeometry(kind, source, object), skTitle);
  return title ? title->BoundsRect() : TkivTheme::WindowCaptionRect(kind, source, object);
}

TRect TKivSkinFile::WindowButtonRect(uint8_t kind, const TkivWindowInfo& info, int32_t button,
                                     const std::string& object) {
  TLqSkinObject* g = PlacedGeometry(kind, info, object);
  if (g == nullptr) return TkivTheme::WindowButtonRect(kind, info, button, object);
  if (button < 0 || button >= int32_t(std::size(kButtonActions))) return TRect{};
  const TLqSkinObject* b = g->FindAction(kButtonActions[button]);
  if (b == nullptr || !b->Visible() || !b->HasArea()) return TRect{};
  return b->BoundsRect();
}

int32_t TKivSkinFile::WindowHitTest(uint8_t kind, const TkivWindowInfo& info,
                                    const std::string& object, const TPoint& point) {
  if (kind != 0 && kind != 1 && kind != 2 && kind != 6) return kHitNone;
  TLqSkinObject* g = PlacedGeometry(kind, info, object);
  if (g == nullptr) return TkivTheme::WindowHitTest(kind, info, object, point);
  for (size_t i = 0; i < std::size(kButtonActions); ++i) {
    const TLqSkinObject* b = g->FindAction(kButtonActions[i]);
    if (b && b->Visible() && b->HasArea() && Contains(b->BoundsRect(), point))
      return kButtonHits[i];
  }
  for (TLqSkinObject* o = g->ObjectAt(point); o != nullptr && o != g;
       o = dynamic_cast<TLqSkinObject*>(o->Owner())) {
    if (o->Kind() == skClient) return kHitNone;
    if (const int32_t hit = HitOfKind(o->Kind()); hit >= 0) return hit;
  }
  return kHitNone;
}

void TKivSkinFile::PaintWindowFrame(uint8_t kind, TkivDC dc, const std::string& object,
                                    const TkivWindowInfo& info) {
  TLqSkinObject* frame = FrameFor(kind, object);
  if (frame == nullptr) return;
  ShowAll(frame);
  if (const TKivSkinFrameParts* parts = FramePartsFor(kind, object))
    frame->SetBounds(parts->Design);
  frame->SetBounds(info.Rect);
  frame->SetActive(info.Active);
  frame->SetState(WindowState(info.Buttons));
  frame->SetWindowFlags(info.Buttons);
  // The title-bar buttons are painted on their own (PaintWindowButton).
  for (int a = sbaClose; a <= sbaSysMenu; ++a)
    if (TLqSkinObject* b = frame->FindAction(static_cast<TLqAction>(a))) b->SetVisible(false);
  frame->Draw(dc, TRect{});
}

void TKivSkinFile::PaintWindowClient(uint8_t kind, TkivDC dc, const std::string& object,
                                     const TRect& info) {
  const TKivSkinFrameParts* parts = FramePartsFor(kind, object);
  TLqSkinObject* client =
      parts ? parts->Client.get() : DescendantOfKind(FrameFor(kind, object), skClient);
  if (client == nullptr) return;
  client->SetState(kLqStateNormal);
  client->SetBounds(info);
  client->Draw(dc, TRect{});
}

void TKivSkinFile::PaintWindowCaption(uint8_t kind, TkivDC dc, const std::string& object,
                                      const TRect& rect, const TkivWindowInfo& info) {
  TLqSkinObject* g = PlacedGeometry(kind, info, object);
  TLqSkinObject* title = DescendantOfKind(g, skTitle);
  if (title == nullptr) return;
  const int32_t margin = title->TextMarginRight();
  if (title->TextMarginRightStretch()) {
    // The text ends where the leftmost visible title-bar button begins.
    int32_t leftmost = title->BoundsRect().Right;
    for (int a = sbaClose; a <= sbaSysMenu; ++a) {
      const TLqSkinObject* b = g->FindAction(static_cast<TLqAction>(a));
      if (b && b->Visible() && b->HasArea() && a != sbaSysMenu && b->Left() < leftmost &&
          b->Left() > title->Left())
        leftmost = b->Left();
    }
    title->SetTextMarginRight(std::max(margin, title->BoundsRect().Right - leftmost));
  }
  title->SetText(info.Caption);
  title->SetBounds(rect);
  title->Draw(dc, TRect{});
  title->SetText(std::u16string());
  title->SetTextMarginRight(margin);
}

void TKivSkinFile::PaintWindowButton(uint8_t kind, TkivDC dc, const std::string& object,
                                     const TkivWindowButtonInfo& info) {
  if (info.Rect.IsEmpty() || info.Button >= std::size(kButtonActions)) return;
  const TKivSkinFrameParts* parts = FramePartsFor(kind, object);
  TLqSkinObject* frame = parts ? parts->Buttons.get() : FrameFor(kind, object);
  TLqSkinObject* button = frame ? frame->FindAction(kButtonActions[info.Button]) : nullptr;
  if (button == nullptr) {
    // A system menu without its own button shows the window's icon.
    if (info.Button == kWindowButtonSysMenu && info.Bitmap && !info.Bitmap->IsEmpty()) {
      const TRect at =
          CenterRect(Bounds(0, 0, info.Bitmap->Width(), info.Bitmap->Height()), info.Rect);
      info.Bitmap->Draw(dc, at.Left, at.Top);
    }
    return;
  }
  button->SetVisible(true);
  SetButtonState(button, info.State == 1 ? 1 : info.State == 2 ? 2 : 0);
  button->SetBounds(info.Rect);
  button->Draw(dc, TRect{});
}

void TKivSkinFile::PaintWindowGrip(uint8_t kind, TkivDC dc, const std::string& object,
                                   const TkivGripInfo& info) {
  PaintWindowClient(kind, dc, object, info.Rect);
  if (!info.Sizeable) return;
  TLqSkinObject* gripper = nullptr;
  for (int i = 0; defaults_[srStatusBar] && i < defaults_[srStatusBar]->ChildCount(); ++i)
    if (TLqSkinObject* c = defaults_[srStatusBar]->Child(i))
      if ((gripper = c->FindChild("Gripper"))) break;
  if (gripper == nullptr || !gripper->HasArea()) return;
  const int32_t w = gripper->Width(), h = gripper->Height();
  gripper->SetState(kLqStateNormal);
  gripper->SetBounds(Bounds(info.Rect.Right - w, info.Rect.Bottom - h, w, h));
  gripper->Draw(dc, TRect{});
}

}  // namespace kiv
