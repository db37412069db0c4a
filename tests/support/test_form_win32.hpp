#pragma once
// A form as the painting tests want it: no border or caption, placed exactly
// where its bounds say, so that client and window coordinates agree.
#include "framework/win32/forms.hpp"

namespace kivtest {

inline void MakeBareForm(kiv::TCustomForm& form, int left, int top, int width, int height) {
  form.SetBorderStyle(kiv::bsNone);
  form.SetPosition(kiv::poDesigned);
  form.SetBounds(left, top, width, height);
}

}  // namespace kivtest
