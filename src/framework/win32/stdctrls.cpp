#include "framework/win32/stdctrls.hpp"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/exceptions.hpp"

namespace kiv {

// ---------------------------------------------------------------------------
// TButton

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(csSetCaption | csDoubleClicks);
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SubclassName = L"BUTTON";
  p.Style |= (active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::Dispatch(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    CNCommand(m);
    return;
  }
  TWinControl::Dispatch(m);
}

void TButton::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) Click();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this); form && modal_result_ != mrNone)
    form->SetModalResult(modal_result_);
  TWinControl::Click();
}

void TButton::SetButtonStyle(bool as_default) {
  if (as_default == active_) return;
  active_ = as_default;
  if (HandleAllocated())
    SendMessageW(Handle(), BM_SETSTYLE, as_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1);
}

void TButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  if (TCustomForm* form = GetParentForm(this); form && HandleAllocated())
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(form->ActiveControl()));
}

// The focus moved to the control in LParam: a button that takes the focus is
// the one Enter clicks; otherwise the default button is.
void TButton::CMFocusChanged(TMessage& m) {
  auto* focused = reinterpret_cast<TControl*>(m.LParam);
  bool as_default = dynamic_cast<TButton*>(focused) ? focused == this : default_;
  SetButtonStyle(as_default);
  TWinControl::CMFocusChanged(m);
}

void TButton::CMDialogKey(TMessage& m) {
  TShiftState shift = KeyboardShiftState();
  bool plain = !(shift & (ssShift | ssCtrl | ssAlt));
  if (plain && ((m.WParam == VK_RETURN && active_) || (m.WParam == VK_ESCAPE && cancel_)) &&
      CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TWinControl::CMDialogKey(m);
}

void TButton::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<wchar_t>(m.WParam), Caption()) && CanFocus()) {
    SetFocus();
    Click();
    m.Result = 1;
    return;
  }
  TWinControl::CMDialogChar(m);
}

// ---------------------------------------------------------------------------
// TPanel

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption |
                  csDoubleClicks | csOpaque);
  SetBounds(0, 0, 185, 41);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TPanel::FrameChanged() {
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut v) {
  if (v == bevel_inner_) return;
  bevel_inner_ = v;
  FrameChanged();
}
void TPanel::SetBevelOuter(TBevelCut v) {
  if (v == bevel_outer_) return;
  bevel_outer_ = v;
  FrameChanged();
}
void TPanel::SetBevelWidth(int v) {
  if (v == bevel_width_ || v < 1) return;
  bevel_width_ = v;
  FrameChanged();
}
void TPanel::SetBorderWidth(int v) {
  if (v == border_width_ || v < 0) return;
  border_width_ = v;
  FrameChanged();
}
void TPanel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TPanel::AdjustClientRect(TRect& r) {
  int inset = border_width_;
  if (bevel_outer_ != bvNone) inset += bevel_width_;
  if (bevel_inner_ != bvNone) inset += bevel_width_;
  r.Left += inset;
  r.Top += inset;
  r.Right -= inset;
  r.Bottom -= inset;
}

namespace {
// One-pixel-wide 3-D frame, top-left in one colour and bottom-right in the
// other, repeated width times inward.
void Frame3D(TCanvas* canvas, TRect& r, TColor top_left, TColor bottom_right, int width) {
  TPen* pen = canvas->Pen();
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
  for (int i = 0; i < width; ++i) {
    --r.Right;
    --r.Bottom;
    pen->SetColor(top_left);
    canvas->Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
    pen->SetColor(bottom_right);
    canvas->Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}});
    ++r.Left;
    ++r.Top;
  }
}
void BevelColors(TBevelCut cut, TColor& tl, TColor& br) {
  tl = cut == bvLowered ? clBtnShadow : cut == bvRaised ? clBtnHighlight : clBtnFace;
  br = cut == bvLowered ? clBtnHighlight : cut == bvRaised ? clBtnShadow : clBtnFace;
}
}  // namespace

void TPanel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  TColor tl, br;
  if (bevel_outer_ != bvNone) {
    BevelColors(bevel_outer_, tl, br);
    Frame3D(canvas, r, tl, br, bevel_width_);
  }
  Frame3D(canvas, r, Color(), Color(), border_width_);
  if (bevel_inner_ != bvNone) {
    BevelColors(bevel_inner_, tl, br);
    Frame3D(canvas, r, tl, br, bevel_width_);
  }
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  std::wstring text = Caption();
  if (!text.empty()) {
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    UINT fmt = DT_SINGLELINE | DT_VCENTER |
               (alignment_ == taCenter         ? DT_CENTER
                : alignment_ == taRightJustify ? DT_RIGHT
                                               : DT_LEFT);
    HDC dc = canvas->Handle();
    canvas->TextExtent(L"");  // selects the font
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, fmt);
  }
  TCustomControl::Paint();
}

// ---------------------------------------------------------------------------
// TTimer

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = AllocateHWnd([this](TMessage& m) {
    if (m.Msg == WM_TIMER) {
      if (enabled_ && OnTimer) OnTimer(this);
      m.Result = 0;
    }
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  KillTimer(window_, 1);
  DeallocateHWnd(window_);
}

void TTimer::UpdateTimer() {
  KillTimer(window_, 1);
  if (enabled_ && interval_ > 0)
    if (!SetTimer(window_, 1, interval_, nullptr))
      throw EOutOfResources("Not enough timers available");
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  OnTimer = std::move(handler);
  UpdateTimer();
}

// ---------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetControlStyle(ControlStyle() | csReplicatable);
  SetBounds(0, 0, 105, 105);
  picture_->OnChange = [this](TPicture*) { PictureChanged(); };
}

TImage::~TImage() {
  picture_->OnChange = nullptr;
}

void TImage::PictureChanged() {
  TGraphic* g = picture_->Graphic();
  if (auto_size_ && g && g->Width() > 0 && g->Height() > 0)
    SetBounds(Left(), Top(), g->Width(), g->Height());
  // Opaque when the picture covers the whole control.
  uint32_t style = ControlStyle() & ~csOpaque;
  if (g && !g->Empty() && !transparent_ && !g->Transparent()) {
    TRect d = DestRect();
    if (d.Left <= 0 && d.Top <= 0 && d.Right >= Width() && d.Bottom >= Height()) style |= csOpaque;
  }
  SetControlStyle(style);
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  if (value == auto_size_) return;
  auto_size_ = value;
  PictureChanged();
}
void TImage::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  PictureChanged();
}
void TImage::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  PictureChanged();
}
void TImage::SetProportional(bool value) {
  if (value == proportional_) return;
  proportional_ = value;
  PictureChanged();
}
void TImage::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  if (picture_->Graphic()) picture_->Graphic()->SetTransparent(value);
  PictureChanged();
}

TRect TImage::DestRect() {
  int pw = picture_->Width(), ph = picture_->Height();
  int cw = Width(), ch = Height();
  int w = pw, h = ph;
  if (stretch_ || (proportional_ && (pw > cw || ph > ch))) {
    if (proportional_ && pw > 0 && ph > 0) {
      // Largest size of the picture's shape that fits.
      if (static_cast<int64_t>(cw) * ph <= static_cast<int64_t>(ch) * pw) {
        w = cw;
        h = static_cast<int>(static_cast<int64_t>(ph) * cw / pw);
      } else {
        h = ch;
        w = static_cast<int>(static_cast<int64_t>(pw) * ch / ph);
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Rect(0, 0, w, h);
  if (center_) {
    int dx = (cw - w) / 2, dy = (ch - h) / 2;
    r = Rect(dx, dy, dx + w, dy + h);
  }
  return r;
}

void TImage::Paint() {
  TGraphic* g = picture_->Graphic();
  if (!g || g->Empty()) return;
  if (transparent_ != g->Transparent()) g->SetTransparent(transparent_ || g->Transparent());
  Canvas()->StretchDraw(DestRect(), g);
}

// ---------------------------------------------------------------------------
// TRichEdit

namespace {
DWORD CALLBACK StreamOutToString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done);
DWORD CALLBACK StreamInFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done);
}  // namespace

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner), lines_(this) {
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TRichEdit::~TRichEdit() = default;

void TRichEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SubclassName = L"RichEdit20W";
  p.Style |= ES_MULTILINE | ES_NOHIDESEL | ES_SAVESEL;
  if (read_only_) p.Style |= ES_READONLY;
  if (!word_wrap_) p.Style |= ES_AUTOHSCROLL;
  if (scroll_bars_ == ssVertical || scroll_bars_ == ssBoth) p.Style |= WS_VSCROLL | ES_AUTOVSCROLL;
  if (scroll_bars_ == ssHorizontal || scroll_bars_ == ssBoth) p.Style |= WS_HSCROLL;
  if (border_style_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TRichEdit::CreateHandleDone() {
  HWND h = Handle();
  SendMessageW(h, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRef(Color())));
  SendMessageW(h, EM_SETEVENTMASK, 0, ENM_CHANGE);
  SendMessageW(h, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
  if (!word_wrap_) SendMessageW(h, EM_SETTARGETDEVICE, 0, 1);
  if (!saved_rtf_.empty()) {
    std::pair<const std::string*, size_t> cookie{&saved_rtf_, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, StreamInFromString};
    SendMessageW(h, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    saved_rtf_.clear();
  } else if (alignment_ != taLeftJustify) {
    ApplyAlignment();
  }
}

namespace {
DWORD CALLBACK StreamOutToString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), size);
  *done = size;
  return 0;
}
DWORD CALLBACK StreamInFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* s = reinterpret_cast<std::pair<const std::string*, size_t>*>(cookie);
  size_t n = std::min<size_t>(std::max<LONG>(size, 0), s->first->size() - s->second);
  std::memcpy(buffer, s->first->data() + s->second, n);
  s->second += n;
  *done = static_cast<LONG>(n);
  return 0;
}
}  // namespace

// A new window (scroll bars, border) keeps the formatted content.
void TRichEdit::DestroyWnd() {
  saved_rtf_.clear();
  if (HandleAllocated() && GetWindowTextLengthW(Handle()) > 0) {
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&saved_rtf_), 0, StreamOutToString};
    SendMessageW(Handle(), EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
  }
  TWinControl::DestroyWnd();
  if (!saved_rtf_.empty()) text_.clear();
}

void TRichEdit::Dispatch(TMessage& m) {
  if (m.Msg == WM_GETDLGCODE) {
    // Tab and (optionally) Enter stay with the form's navigation.
    DefaultHandler(m);
    m.Result |= DLGC_WANTCHARS | DLGC_WANTARROWS;
    if (want_tabs_)
      m.Result |= DLGC_WANTTAB;
    else
      m.Result &= ~DLGC_WANTTAB;
    if (!want_returns_) m.Result &= ~DLGC_WANTALLKEYS;
    return;
  }
  if (m.Msg == CM_COLORCHANGED && HandleAllocated()) {
    SendMessageW(Handle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRef(Color())));
  }
  TWinControl::Dispatch(m);
}

void TRichEdit::Clear() {
  if (HandleAllocated()) SetWindowTextW(Handle(), L"");
  text_.clear();
}

void TRichEdit::ApplyAlignment() {
  if (!HandleAllocated()) return;
  HWND h = Handle();
  CHARRANGE saved{};
  SendMessageW(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  CHARRANGE all{0, -1};
  SendMessageW(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  PARAFORMAT2 pf{};
  pf.cbSize = sizeof(pf);
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = alignment_ == taCenter         ? PFA_CENTER
                  : alignment_ == taRightJustify ? PFA_RIGHT
                                                 : PFA_LEFT;
  SendMessageW(h, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  SendMessageW(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
}

void TRichEdit::SetAlignment(TAlignment value) {
  alignment_ = value;
  ApplyAlignment();
}

TAlignment TRichEdit::ParagraphAlignment(int line) {
  HWND h = Handle();
  LRESULT start = SendMessageW(h, EM_LINEINDEX, line, 0);
  if (start < 0) throw EListError("List index out of bounds (" + std::to_string(line) + ")");
  CHARRANGE saved{};
  SendMessageW(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  CHARRANGE at{static_cast<LONG>(start), static_cast<LONG>(start)};
  SendMessageW(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
  PARAFORMAT2 pf{};
  pf.cbSize = sizeof(pf);
  SendMessageW(h, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  SendMessageW(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  return pf.wAlignment == PFA_CENTER  ? taCenter
         : pf.wAlignment == PFA_RIGHT ? taRightJustify
                                      : taLeftJustify;
}

void TRichEdit::SetReadOnly(bool value) {
  read_only_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, value ? 1 : 0, 0);
}

void TRichEdit::SetScrollBars(TScrollStyle value) {
  if (value == scroll_bars_) return;
  scroll_bars_ = value;
  RecreateWnd();
}

void TRichEdit::SetBorderStyle(TBorderStyle value) {
  if (value != bsNone) value = bsSingle;
  if (value == border_style_) return;
  border_style_ = value;
  RecreateWnd();
}

void TRichEdit::SetWordWrap(bool value) {
  if (value == word_wrap_) return;
  word_wrap_ = value;
  RecreateWnd();
}

namespace {
// Feeds the control from a framework stream; a failing read ends the load
// with an error instead of unwinding through the control.
DWORD CALLBACK StreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* stream = reinterpret_cast<TStream*>(cookie);
  *done = 0;
  try {
    *done = static_cast<LONG>(stream->Read(buffer, std::max<LONG>(size, 0)));
  } catch (...) {
    return 1;
  }
  return 0;
}
}  // namespace

int TRichEditStrings::Count() const {
  HWND h = edit_->Handle();
  auto count = static_cast<int>(SendMessageW(h, EM_GETLINECOUNT, 0, 0));
  if (count > 0) {
    LRESULT start = SendMessageW(h, EM_LINEINDEX, count - 1, 0);
    if (SendMessageW(h, EM_LINELENGTH, start, 0) == 0) --count;
  }
  return count;
}

std::wstring TRichEditStrings::Get(int index) const {
  HWND h = edit_->Handle();
  if (index < 0 || index >= static_cast<int>(SendMessageW(h, EM_GETLINECOUNT, 0, 0)))
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  LRESULT start = SendMessageW(h, EM_LINEINDEX, index, 0);
  auto length = static_cast<size_t>(SendMessageW(h, EM_LINELENGTH, start, 0));
  std::wstring s(std::max<size_t>(length, 1) + 1, L'\0');
  *reinterpret_cast<WORD*>(s.data()) = static_cast<WORD>(std::min<size_t>(s.size(), 0xFFFF));
  auto n =
      static_cast<size_t>(SendMessageW(h, EM_GETLINE, index, reinterpret_cast<LPARAM>(s.data())));
  s.resize(std::min(n, length));
  while (!s.empty() && (s.back() == L'\r' || s.back() == L'\n')) s.pop_back();
  return s;
}

void TRichEditStrings::Clear() {
  edit_->Clear();
}

void TRichEditStrings::LoadFromStream(TStream& stream) {
  HWND h = edit_->Handle();
  int64_t start = stream.Position();
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&stream), 0, StreamInCallback};
  SendMessageW(h, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
  if (es.dwError == 0) return;
  // Not rich text: the same bytes again as plain text, in the box's alignment.
  try {
    stream.SetPosition(start);
  } catch (const std::exception&) {
    throw EOutOfResources("Failed to Load Stream");
  }
  es.dwError = 0;
  SendMessageW(h, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
  if (es.dwError != 0) throw EOutOfResources("Failed to Load Stream");
  if (edit_->alignment_ != taLeftJustify) edit_->ApplyAlignment();
}

void TRichEditStrings::LoadFromFile(const std::string& file_name) {
  TFileStream stream(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

}  // namespace kiv
