// The classes of the themed controls that form streams can name.
#include "controls/kiv_controls_unit_win32.hpp"

#include "controls/kiv_button_win32.hpp"
#include "controls/kiv_check_win32.hpp"
#include "controls/kiv_effect_controls_win32.hpp"
#include "controls/kiv_header_panel_win32.hpp"
#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "controls/kiv_rich_edit_win32.hpp"
#include "controls/kiv_status_bar_win32.hpp"

namespace kiv {

void RegisterKivControls() {
  StartControlsUnit();
  RegisterClasses({&TKivControl::StaticClass(), &TKivGraphicControl::StaticClass(),
                   &TKivButton::StaticClass(), &TKivFontOptions::StaticClass(),
                   &TKivCheckControl::StaticClass(), &TKivCheckBox::StaticClass(),
                   &TKivRadioButton::StaticClass(), &TKivEffectButton::StaticClass(),
                   &TKivEffectCheckBox::StaticClass(), &TKivEffectRadioButton::StaticClass(),
                   &TKivStatusBar::StaticClass(), &TKivHeaderPanel::StaticClass(),
                   &TKivScrollBar::StaticClass(), &TKivRichEdit::StaticClass()});
}

}  // namespace kiv
