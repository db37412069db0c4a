// TRichEdit and TRichEditStrings.
#include "framework/win32/rich_edit.hpp"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

#include "framework/exceptions.hpp"

namespace kiv {

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

// Lines as laid out are the distinct heights at which the control's lines
// start. The control's own count counts every cell of a table as a line, and
// the marks that start and end each table row as more (Wine's control reports
// 9 lines for two rows of two cells and a line of text): cells of one row
// share a height, and empty lines inside a table (row marks, empty cells) are
// left out. A final empty line is not counted.
int TRichEditStrings::Count() const {
  HWND h = edit_->Handle();
  const auto count = static_cast<int>(SendMessageW(h, EM_GETLINECOUNT, 0, 0));
  CHARRANGE saved{};
  SendMessageW(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  std::set<LONG> tops;
  for (int i = 0; i < count; ++i) {
    const LRESULT start = SendMessageW(h, EM_LINEINDEX, i, 0);
    if (start < 0) break;
    if (SendMessageW(h, EM_LINELENGTH, start, 0) == 0) {
      if (i == count - 1) break;
      CHARRANGE at{static_cast<LONG>(start), static_cast<LONG>(start)};
      SendMessageW(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
      PARAFORMAT2 pf{};
      pf.cbSize = sizeof(pf);
      SendMessageW(h, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
      if (pf.wEffects & PFE_TABLE) continue;
    }
    POINTL top{};
    SendMessageW(h, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&top), start);
    tops.insert(top.y);
  }
  SendMessageW(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  return static_cast<int>(tops.size());
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

void TRichEditStrings::LoadFromFile(const std::wstring& file_name) {
  TFileStream stream(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

}  // namespace kiv
