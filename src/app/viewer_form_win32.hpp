#pragma once
// The viewer's main window: the picture, the themed caption box below it and
// the themed bottom panel with the Close button (whose face fades between its
// normal and hot looks), read from the window definition in the program's
// resources; FormCreate lays them out for the picture and caption named after
// the program.
#include <memory>
#include <string>

#include "app/viewer_roles.hpp"
#include "controls/kiv_effect_controls_win32.hpp"
#include "controls/kiv_header_panel_win32.hpp"
#include "controls/kiv_rich_edit_win32.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/stdctrls.hpp"

namespace kiv {

class TForm1 : public TForm {
  KIV_CLASS(TForm1, TForm)
 public:
  explicit TForm1(TComponent* owner);
  ~TForm1() override;

  TImage* Image1 = nullptr;
  TKivRichEdit* KivRichEdit1 = nullptr;
  TKivHeaderPanel* KivHeaderPanel1 = nullptr;
  TKivEffectButton* KivEffectButton1 = nullptr;

  // The start-up sequence.
  void FormCreate(TObject* sender);

 protected:
  void BindComponents() override;

 private:
  std::unique_ptr<TCaptionBoxRole> caption_box_;
  std::unique_ptr<TBottomPanelRole> bottom_panel_;
};

// The start-up sequence on a window with a picture, a caption box and a
// bottom panel, whatever controls fill the roles.
void RunViewerStartUp(TCustomForm& form, TImage& image, TCaptionBoxRole& caption_box,
                      TBottomPanelRole& bottom_panel);

// The program file's full path, whatever characters it holds.
std::wstring ProgramFilePath();

}  // namespace kiv
