#pragma once
// The controls gallery's pages. A page is a titled section of the gallery's
// one window that shows a control family in each of its states; it lives in
// a file of its own and registers itself when the program starts:
//
//   static const kiv::gallery::TPageRegistrar kButtons(
//       20, L"Push buttons", [](kiv::TWinControl* section) { ...; return height; });
//
// The builder places the page's controls on the section's body (a themed
// control below the title; coordinates start at its top-left) and returns
// the height they need. Pages appear by their order number, lowest first.
#include <functional>
#include <string>
#include <vector>

#include "framework/win32/win_control.hpp"

namespace kiv::gallery {

// Returns the height the page's controls take inside the section.
using TPageBuilder = std::function<int(TWinControl* section)>;

struct TPage {
  int Order;
  std::wstring Title;
  TPageBuilder Build;
};

std::vector<TPage>& Pages();

struct TPageRegistrar {
  TPageRegistrar(int order, std::wstring title, TPageBuilder build) {
    // The list is made on first use, so registrars in any file may run first.
    Pages().push_back({order, std::move(title), std::move(build)});
  }
};

// What pages use to show a state: the framework's own notifications, so the
// control draws it the way it does when the user causes it.
void ShowHot(TControl* control);
void ShowFocused(TWinControl* control);  // the focus look, without taking the focus
void ShowPressed(TWinControl* control);  // held space bar
// A small label to the left of a row of samples.
void AddRowLabel(TWinControl* section, int left, int top, const std::wstring& text);

}  // namespace kiv::gallery
