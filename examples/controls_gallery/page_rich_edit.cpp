// The rich edit's page: its frame in each state, a caption longer than the
// box with the library's scroll bar over the native one, and a box without a
// border.
#include "controls/kiv_rich_edit_win32.hpp"
#include "framework/streams.hpp"
#include "gallery_page.hpp"

#include <string>

namespace kiv::gallery {
namespace {

// A centred line that fits the box.
std::string Short(const std::string& text) {
  return "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16\\qc " + text + "\\par}";
}

const char kLongText[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red0\\green0\\blue160;}\\f0\\fs16"
    "\\qc{\\b Harbour at dusk}\\par"
    "\\ql The boats come in one by one as the light goes.\\par"
    "{\\i Nets are hung to dry} on the rails of the pier,\\par"
    "{\\cf1 gulls} circle over the fish market,\\par"
    "and the last ferry leaves at half past eight.\\par"
    "The lamps along the quay come on at nine.\\par"
    "By ten the water is black and still.\\par}";

TKivRichEdit* Add(TWinControl* section, int left, int top, int width, int height,
                  const std::string& rtf) {
  auto* e = new TKivRichEdit(section->Owner());
  e->SetBounds(left, top, width, height);
  e->SetScrollBars(ssVertical);
  e->SetReadOnly(true);
  e->SetParent(section);
  TStringStream text{rtf};
  e->Lines()->LoadFromStream(text);
  return e;
}

int Build(TWinControl* s) {
  AddRowLabel(s, 8, 10, L"States");
  int x = 80;
  const int step = 126;
  Add(s, x, 4, 118, 36, Short("Normal"));
  ShowHot(Add(s, x += step, 4, 118, 36, Short("Hot")));
  Add(s, x += step, 4, 118, 36, Short("Disabled"))->SetEnabled(false);
  AddRowLabel(s, 8, 56, L"Scrolling");
  Add(s, 80, 50, 244, 60, kLongText);
  AddRowLabel(s, 340, 56, L"No border");
  Add(s, 410, 50, 118, 36, Short("Without a border"))->SetBorderStyle(bsNone);
  return 120;
}

const TPageRegistrar kPage(50, L"Rich edit (TKivRichEdit)", Build);

}  // namespace
}  // namespace kiv::gallery
