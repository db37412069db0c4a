// Tab order, focus, and the keyboard: keys, characters, dialog keys.
#include "framework/win32/win_control.hpp"

#include <algorithm>
#include "framework/exceptions.hpp"
#include "framework/win32/form.hpp"

namespace kiv {

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& v = Parent()->tab_list_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!Parent() || value < 0) return;
  auto& v = Parent()->tab_list_;
  auto it = std::find(v.begin(), v.end(), this);
  if (it == v.end()) return;
  v.erase(it);
  // While a form is being read, the order is taken as read and sorted once
  // all siblings exist (the later ones carry higher numbers).
  if (Loading()) {
    desired_tab_order_ = value;
    size_t j = 0;
    while (j < v.size() && v[j]->desired_tab_order_ < value) ++j;
    v.insert(v.begin() + j, this);
    return;
  }
  size_t pos = std::min<size_t>(value, v.size());
  v.insert(v.begin() + pos, this);
  for (size_t i = 0; i < v.size(); ++i) v[i]->desired_tab_order_ = static_cast<int>(i);
}

void TWinControl::SetTabStop(bool value) {
  if (value == tab_stop_) return;
  tab_stop_ = value;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (TWinControl* c = this; c && c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() {
  return handle_ && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && !form->Showing()) {
    form->SetActiveControl(this);
    return;
  }
  if (!CanFocus() && form != this)
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* c : tab_list_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool go_forward,
                                          bool check_tab_stop, bool check_parent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), current);
  int start =
      found == list.end() ? (go_forward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    if (go_forward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[i];
    if (c != current && c->CanFocus() && (!check_tab_stop || c->TabStop()) &&
        (!check_parent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool go_forward, bool check_tab_stop) {
  if (TWinControl* c = FindNextControl(current, go_forward, check_tab_stop, !check_tab_stop))
    c->SetFocus();
}

void TWinControl::WMSetFocus(TMessage& m) {
  DefaultHandler(m);
  if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& m) {
  DefaultHandler(m);
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

// Key messages go to KeyDown or KeyUp, which may change the key or swallow
// it (0); what is left goes on to the window's own procedure.
void TWinControl::KeyMessage(TMessage& m, void (TWinControl::*handler)(uint16_t&, TShiftState)) {
  auto key = static_cast<uint16_t>(m.WParam);
  (this->*handler)(key, KeyboardShiftState());
  if (key == 0) return;
  m.WParam = key;
  DefaultHandler(m);
}

void TWinControl::WMKeyDown(TMessage& m) {
  KeyMessage(m, &TWinControl::KeyDown);
}

void TWinControl::WMKeyUp(TMessage& m) {
  KeyMessage(m, &TWinControl::KeyUp);
}

void TWinControl::WMChar(TMessage& m) {
  auto ch = static_cast<wchar_t>(m.WParam);
  KeyPress(ch);
  if (ch == 0) return;
  m.WParam = ch;
  DefaultHandler(m);
}

// A navigation key the focused control does not claim is offered to its form
// as a dialog key (Tab moves the focus, Enter and Escape reach the buttons).
void TWinControl::CNKeyDown(TMessage& m) {
  m.Result = 1;
  auto key = static_cast<uint16_t>(m.WParam);
  uint32_t mask = 0;
  switch (key) {
    case VK_TAB:
      mask = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      mask = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
      mask = DLGC_WANTALLKEYS;
      break;
  }
  if (mask && Perform(CM_WANTSPECIALKEY, key) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
    if (TCustomForm* form = GetParentForm(this))
      if (form->Perform(CM_DIALOGKEY, key, m.LParam) != 0) return;
  }
  m.Result = 0;
}

// A character the focused control does not take is offered to its form as a
// possible accelerator; with Alt held (a system character) always.
void TWinControl::CNChar(TMessage& m) {
  m.Result = 1;
  bool offer = m.Msg == CN_SYSCHAR || (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0;
  if (offer) {
    if (TCustomForm* form = GetParentForm(this))
      if (form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
  }
  m.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& m) {
  Broadcast(m);
}
void TWinControl::CMDialogChar(TMessage& m) {
  Broadcast(m);
}
void TWinControl::CMFocusChanged(TMessage& m) {
  Broadcast(m);
}
void TWinControl::CMEnter(TMessage& m) {
  DoEnter();
}
void TWinControl::CMExit(TMessage& m) {
  DoExit();
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

}  // namespace kiv
