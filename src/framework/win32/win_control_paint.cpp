// TWinControl's children: the list, hit tests, broadcasts, and painting them.
#include "framework/win32/win_control.hpp"

#include <windowsx.h>
#include <algorithm>
#include "framework/win32/controls_internal.hpp"
#include "framework/win32/form.hpp"

namespace kiv {

using controls_detail::IsWin;

void TWinControl::InsertControl(TControl* c) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<uintptr_t>(c), 1);
  controls_.push_back(c);
  c->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    tab_list_.push_back(w);
    if (handle_) w->CreateHandle();
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<uintptr_t>(c), 1);
}

void TWinControl::RemoveControl(TControl* c) {
  if (c->parent_ != this) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<uintptr_t>(c), 0);
  c->Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    TCustomForm* form = GetParentForm(this);
    if (form) {
      // The focus and the active control must not point into a removed branch.
      for (TWinControl* f = form->focused_control_; f; f = f->Parent())
        if (f == w) {
          form->focused_control_ = nullptr;
          break;
        }
      for (TWinControl* f = form->active_control_; f; f = f->Parent())
        if (f == w) {
          form->active_control_ = nullptr;
          break;
        }
    }
    tab_list_.erase(std::remove(tab_list_.begin(), tab_list_.end(), w), tab_list_.end());
    if (!ComponentState().Contains(csDestroying) && w->handle_) w->DestroyHandle();
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  c->parent_ = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<uintptr_t>(c), 0);
  if (c->align_ != alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allow_disabled, bool allow_win_controls) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!allow_win_controls && IsWin(c)) continue;
    if (!c->Visible() || (!c->Enabled() && !allow_disabled)) continue;
    TRect b = c->BoundsRect();
    if (p.X < b.Left || p.Y < b.Top || p.X >= b.Right || p.Y >= b.Bottom) continue;
    if (c->Perform(CM_HITTEST, 0, MAKELPARAM(p.X - b.Left, p.Y - b.Top)) == 0) continue;
    return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& m) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->WndProc(m);
    if (m.Result != 0) return;
  }
}

void TWinControl::NotifyControls(uint32_t msg) {
  TMessage m{msg, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(controls_)) c->WndProc(m);
}

void TWinControl::PaintWindow(HDC dc) {
  if (native_) {
    TMessage m{WM_PAINT, reinterpret_cast<uintptr_t>(dc), 0, 0};
    DefaultHandler(m);
  }
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  bool started = first == nullptr;
  for (TControl* c : controls_) {
    if (!started) {
      started = c == first;
      if (!started) continue;
    }
    if (IsWin(c) || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
    RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    if (!RectVisible(dc, &r)) continue;
    int saved = SaveDC(dc);
    POINT org;
    GetWindowOrgEx(dc, &org);
    SetWindowOrgEx(dc, org.x - c->Left(), org.y - c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::PaintHandler(TMessage& m) {
  bool has_graphic_children =
      std::any_of(controls_.begin(), controls_.end(), [](TControl* c) { return !IsWin(c); });
  if (native_ && !has_graphic_children && !(control_state_ & csCustomPaint)) {
    DefaultHandler(m);
    return;
  }
  PAINTSTRUCT ps{};
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (!dc) dc = BeginPaint(handle_, &ps);
  try {
    if (double_buffered_ && !m.WParam) {
      // Everything into a bitmap first, then one copy to the window.
      RECT r;
      ::GetClientRect(handle_, &r);
      HDC mem = CreateCompatibleDC(dc);
      HBITMAP bmp =
          CreateCompatibleBitmap(dc, std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 1));
      HGDIOBJ old = SelectObject(mem, bmp);
      try {
        TMessage erase{WM_ERASEBKGND, reinterpret_cast<uintptr_t>(mem), 0, 0};
        WMEraseBkgnd(erase);
        int saved = SaveDC(mem);
        PaintWindow(mem);
        RestoreDC(mem, saved);
        PaintControls(mem, nullptr);
        BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
      } catch (...) {
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        throw;
      }
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
    } else {
      int saved = SaveDC(dc);
      PaintWindow(dc);
      RestoreDC(dc, saved);
      PaintControls(dc, nullptr);
    }
  } catch (...) {
    if (!m.WParam) EndPaint(handle_, &ps);
    throw;
  }
  if (!m.WParam) EndPaint(handle_, &ps);
}

void TWinControl::WMPaint(TMessage& m) {
  PaintHandler(m);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  if (native_) {
    DefaultHandler(m);
    return;
  }
  if (!(ControlStyle() & csOpaque)) {
    RECT r;
    ::GetClientRect(handle_, &r);
    ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, BrushHandle());
  }
  m.Result = 1;
}

}  // namespace kiv
