// TKivStatusBar: construction, properties, the panels' layout and their
// hosted controls, notifications, the size grip's place and the mouse.
#include "controls/kiv_status_bar_win32.hpp"

#include <windowsx.h>

#include <vector>

#include "framework/class_builder.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/form.hpp"
#include "graphics/kiv_utils.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivStatusBar, c) {
  c.Object("Panels", &TKivStatusBar::Panels, &TKivStatusBar::SetPanels);
  c.Component("Images", &TKivStatusBar::Images, &TKivStatusBar::SetImages);
  c.Boolean("SizeGrip", &TKivStatusBar::SizeGrip, &TKivStatusBar::SetSizeGrip).Default(true);
  c.String("ThemeObject", &TKivStatusBar::ThemeObject, &TKivStatusBar::SetThemeObject);
  c.Set("BevelSides", &TKivControl::BevelSides, &TKivControl::SetBevelSides, kKivBevelSideNames)
      .Default(kKivAllBevelSides);
  c.Enum("BevelInner", &TKivControl::BevelInner, &TKivControl::SetBevelInner, kKivBevelCutNames)
      .Default(qbvSpace);
  c.Enum("BevelOuter", &TKivControl::BevelOuter, &TKivControl::SetBevelOuter, kKivBevelCutNames)
      .Default(qbvRaised);
  c.Enum("BevelKind", &TKivControl::BevelKind, &TKivControl::SetBevelKind, kKivBevelKindNames)
      .Default(qbkNone);
  c.Integer("BevelWidth", &TKivControl::BevelWidth, &TKivControl::SetBevelWidth).Default(0);
  c.Integer("BorderWidth", &TKivControl::BorderWidth, &TKivControl::SetBorderWidth).Default(2);
  c.Enum("Performance", &TKivControl::Performance, &TKivControl::SetPerformance,
         kKivPerformanceNames)
      .Default(qspDoubleBuffer);
  c.Event("OnPanelClick", &TKivStatusBar::OnPanelClick);
  c.Event("OnPanelDblClick", &TKivStatusBar::OnPanelDblClick);
  c.Event("OnDrawPanel", &TKivStatusBar::OnDrawPanel);
  c.Event("OnCreatePanelClass", &TKivStatusBar::OnCreatePanelClass);
}

// Align (none) and Height (22, always written) keep the base's declarations:
// the values a new bar starts with are the ones a form file leaves out.
TKivStatusBar::TKivStatusBar(TComponent* owner)
    : TKivControl(owner), panels_(std::make_unique<TKivStatusPanels>(this)) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
  SetBevelSides(kKivAllBevelSides);
  SetBevelInner(qbvSpace);
  SetBevelOuter(qbvRaised);
  SetBevelWidth(0);
  SetBorderWidth(2);
  SetPerformance(qspDoubleBuffer);
  // The frame is the bevels and border rings, never the edit field's.
  SetUseSystemFrame(false);
  SetBounds(Left(), Top(), Width(), 22);
  AddThemeClient(this);
}

TKivStatusBar::~TKivStatusBar() {
  RemoveThemeClient(this);
  down_panel_ = nullptr;
  panels_.reset();
}

bool TKivStatusBar::ThemeMode() {
  return ThemeSupportsStatusBar(0, theme_object_, nullptr);
}

void TKivStatusBar::SetImages(TImageList* value) {
  if (value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = value;
  if (images_) images_->FreeNotification(this);
  Invalidate();
}

void TKivStatusBar::SetSizeGrip(bool value) {
  if (Change(size_grip_, value)) Invalidate();
}

void TKivStatusBar::SetThemeObject(const std::string& value) {
  if (!Change(theme_object_, value)) return;
  LayoutPanels();
  Invalidate();
}

TKivStatusPanel* TKivStatusBar::CreatePanel() {
  const TClassInfo* panel_class = &TKivStatusPanel::StaticClass();
  if (OnCreatePanelClass) OnCreatePanelClass(this, panel_class);
  if (!panel_class || !panel_class->InheritsFrom(TKivStatusPanel::StaticClass()))
    throw EInvalidCast("Invalid class typecast");
  return static_cast<TKivStatusPanel*>(panel_class->CreateItem(panels_.get()));
}

// ---- layout ----

TRect TKivStatusBar::ContentRect() {
  if (ThemeMode())
    return CurrentTheme()->StatusBarContentRect(0, TRect{0, 0, PaintWidth(), PaintHeight()},
                                                theme_object_);
  return GetInnerRect();
}

void TKivStatusBar::LayoutPanels() {
  if (laying_out_ || !panels_ || panels_->constructing_ || ComponentState().Contains(csLoading) ||
      ComponentState().Contains(csDestroying))
    return;
  laying_out_ = true;
  try {
    const int count = panels_->Count();
    std::vector<TKivStatusPanelSizing> sizing;
    sizing.reserve(count);
    for (int i = 0; i < count; ++i) sizing.push_back(panels_->Items(i)->Sizing());
    const std::vector<TKivStatusPanelPlace> places = LayoutStatusPanels(sizing, ContentRect());
    for (int i = 0; i < count; ++i) panels_->Items(i)->place_ = places[i];
    // A hosted control covers its panel's content and is shown exactly when
    // the panel is (placing one may change the panels: walk by index).
    for (int i = 0; i < panels_->Count(); ++i) {
      TKivStatusPanel* panel = panels_->Items(i);
      TControl* control = panel->Control();
      if (!control) continue;
      const TRect r = GetPanelContentRect(panel);
      control->SetBounds(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
      control->SetVisible(panel->Shown());
    }
  } catch (...) {
    laying_out_ = false;
    throw;
  }
  laying_out_ = false;
}

TRect TKivStatusBar::GetPanelRect(int index) {
  return StatusPanelRect(panels_->Items(index)->place_, ContentRect());
}

TRect TKivStatusBar::GetPanelContentRect(TKivStatusPanel* panel) {
  return StatusPanelContentRect(StatusPanelRect(panel->place_, ContentRect()), panel->Framed());
}

TRect TKivStatusBar::GetSizeGripRect() {
  return StatusSizeGripRect(ContentRect());
}

TKivStatusPanel* TKivStatusBar::PanelAt(TPoint p) {
  std::vector<TKivStatusPanelPlace> places;
  places.reserve(panels_->Count());
  for (int i = 0; i < panels_->Count(); ++i) places.push_back(panels_->Items(i)->place_);
  const int index = StatusPanelAt(places, ContentRect(), p);
  return index < 0 ? nullptr : panels_->Items(index);
}

TKivStatusPanel* TKivStatusBar::HostOf(const TControl* control) const {
  if (!control || !panels_) return nullptr;
  for (int i = 0; i < panels_->Count(); ++i)
    if (panels_->Items(i)->Control() == control) return panels_->Items(i);
  return nullptr;
}

void TKivStatusBar::PanelChanged(bool layout) {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  if (layout) LayoutPanels();
  Invalidate();
}

void TKivStatusBar::PanelRemoved(TKivStatusPanel* panel) {
  if (down_panel_ == panel) down_panel_ = nullptr;
}

void TKivStatusBar::FrameChanged() {
  LayoutPanels();
}

void TKivStatusBar::SetBounds(int left, int top, int width, int height) {
  TKivControl::SetBounds(left, top, width, height);
  LayoutPanels();
  Invalidate();
}

void TKivStatusBar::AlignControls(TControl* control, TRect& rect) {
  TKivControl::AlignControls(control, rect);
  if (panels_ && (panels_->Count() > 0 || control)) LayoutPanels();
}

void TKivStatusBar::Loaded() {
  TKivControl::Loaded();
  LayoutPanels();
  BringToFront();
}

// ---- notifications ----

// A control put on the bar at run time gets a panel of its own; one taken
// off (or freed) takes its panel along. While the bar is read from a stream
// the panels come from the stream; while it is destroyed, only the
// reference goes.
void TKivStatusBar::CMControlChange(TMessage& m) {
  TKivControl::CMControlChange(m);
  auto* control = reinterpret_cast<TControl*>(m.WParam);
  const bool inserting = m.LParam != 0;
  if (hosting_ || !control || !panels_) return;
  const bool quiet =
      ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying);
  TKivStatusPanel* host = HostOf(control);
  if (inserting) {
    if (quiet || host) return;
    hosting_ = true;
    try {
      CreatePanel()->SetControl(control);
    } catch (...) {
      hosting_ = false;
      throw;
    }
    hosting_ = false;
  } else if (host) {
    if (quiet)
      host->control_ = nullptr;
    else
      delete host;
  }
}

void TKivStatusBar::Notification(TComponent* component, TOperation operation) {
  TKivControl::Notification(component, operation);
  if (operation != opRemove || !component) return;
  if (component == images_) images_ = nullptr;
  if (!panels_) return;
  for (int i = 0; i < panels_->Count(); ++i) {
    TKivStatusPanel* panel = panels_->Items(i);
    if (panel->control_ != component) continue;
    panel->control_ = nullptr;
    PanelChanged(true);
  }
}

void TKivStatusBar::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case KIV_THEME_MESSAGE:
      if (m.WParam == kThemeCodeApply || m.WParam == kThemeCodeApplied ||
          m.WParam == kThemeCodeRemoved)
        LayoutPanels();
      if (m.WParam == kThemeCodeApply || m.WParam == kThemeCodeApplied ||
          m.WParam == kThemeCodeRemoved || m.WParam == kThemeCodeSystemChanged)
        Invalidate();
      return;
    case CM_SYSCOLORCHANGE:
    case WM_SYSCOLORCHANGE:
      Invalidate();
      break;
    default:
      break;
  }
  TKivControl::Dispatch(m);
}

void TKivStatusBar::CMFontChanged(TMessage& m) {
  TKivControl::CMFontChanged(m);
  Invalidate();
}

// ---- size grip and mouse ----

bool TKivStatusBar::SizeGripShown() {
  if (!size_grip_ || !Parent()) return false;
  TCustomForm* form = GetParentForm(this);
  if (!form || !form->HandleAllocated()) return false;
  HWND window = form->Handle();
  if (IsIconic(window) || IsZoomed(window)) return false;
  RECT client;
  ::GetClientRect(window, &client);
  POINT form_corner{client.right, client.bottom};
  ::ClientToScreen(window, &form_corner);
  const TPoint bar_corner = Parent()->ClientToScreen(Point(Left() + Width(), Top() + Height()));
  return bar_corner.X == form_corner.x && bar_corner.Y == form_corner.y;
}

TCursor TKivStatusBar::CursorAt(TPoint p) {
  if (SizeGripShown() && PointInRect(GetSizeGripRect(), p)) return crSizeNWSE;
  return Cursor();
}

// The sizing cursor shows over the grip without touching the published
// Cursor, which stays what the form set.
void TKivStatusBar::WMSetCursor(TMessage& m) {
  if (HandleAllocated() && reinterpret_cast<HWND>(m.WParam) == Handle() &&
      LOWORD(m.LParam) == HTCLIENT) {
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(Handle(), &p);
    if (CursorAt(Point(p.x, p.y)) == crSizeNWSE) {
      ::SetCursor(Screen()->Cursors(crSizeNWSE));
      m.Result = 1;
      return;
    }
  }
  TKivControl::WMSetCursor(m);
}

void TKivStatusBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TKivControl::MouseDown(button, shift, x, y);
  if (button == mbLeft && Enabled()) down_panel_ = PanelAt(Point(x, y));
}

void TKivStatusBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TKivControl::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  TKivStatusPanel* pressed = down_panel_;
  down_panel_ = nullptr;
  if (pressed && PanelAt(Point(x, y)) == pressed) PanelClick(pressed);
}

// The panel where the double click happened (the message's point: the
// pointer may have moved on since).
void TKivStatusBar::WMLButtonDblClk(TMessage& m) {
  TKivControl::WMLButtonDblClk(m);
  if (TKivStatusPanel* panel = PanelAt(Point(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam))))
    PanelDblClick(panel);
}

void TKivStatusBar::PanelClick(TKivStatusPanel* panel) {
  if (OnPanelClick) OnPanelClick(this, panel);
}

void TKivStatusBar::PanelDblClick(TKivStatusPanel* panel) {
  if (OnPanelDblClick) OnPanelDblClick(this, panel);
}

void TKivStatusBar::DrawPanelEvent(TKivStatusPanel* panel, const TRect& rect) {
  if (OnDrawPanel) OnDrawPanel(this, panel, rect);
}

}  // namespace kiv
