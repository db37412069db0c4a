#include "app/viewer_form_win32.hpp"

#include <windows.h>

#include <vector>

#include "app/viewer_names.hpp"
#include "app/viewer_roles_win32.hpp"
#include "controls/kiv_controls_unit_win32.hpp"
#include "framework/exceptions.hpp"
#include "framework/text_convert.hpp"

namespace kiv {
namespace {

// A plain file (not a folder) of that name exists, relative to the working
// directory when the name has no folder.
bool FileExists(const std::wstring& name) {
  DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The value as text; a number's digits and signs are ASCII, which the
// single-byte form keeps.
std::string ReadSetting(const std::wstring& ini_path, const wchar_t* section, const wchar_t* key) {
  wchar_t value[256] = {};
  GetPrivateProfileStringW(section, key, L"", value, 256, ini_path.c_str());
  return ToNarrow(value);
}

}  // namespace

std::wstring ProgramFilePath() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) throw Exception("Cannot read the program's file name");
    if (n < path.size()) return std::wstring(path.data(), n);
    if (path.size() >= 32768) throw Exception("The program's file name is too long");
    path.resize(path.size() * 2);
  }
}

// The themed controls' classes are known before the definition is read.
TForm1::TForm1(TComponent* owner) : TForm(owner) {
  RegisterKivControls();
}

TForm1::~TForm1() = default;

void TForm1::BindComponents() {
  Image1 = dynamic_cast<TImage*>(FindComponent("Image1"));
  KivRichEdit1 = dynamic_cast<TKivRichEdit*>(FindComponent("KivRichEdit1"));
  KivHeaderPanel1 = dynamic_cast<TKivHeaderPanel*>(FindComponent("KivHeaderPanel1"));
  KivEffectButton1 = dynamic_cast<TKivEffectButton*>(FindComponent("KivEffectButton1"));
  if (!Image1 || !KivRichEdit1 || !KivHeaderPanel1 || !KivEffectButton1)
    throw EReadError("The main window's definition lacks one of its controls");
  caption_box_ = std::make_unique<TRichEditCaptionBox>(KivRichEdit1);
  // The Close button's kind closes the window on a click.
  bottom_panel_ = std::make_unique<THeaderPanelBottom>(KivHeaderPanel1);
}

void RunViewerStartUp(TCustomForm& form, TImage& image, TCaptionBoxRole& caption_box,
                      TBottomPanelRole& bottom_panel) {
  // 1. Names from the program file.
  // Wide names throughout, so that any name the file system holds works.
  const std::wstring program = ProgramFilePath();
  const std::wstring base_name = ViewerBaseName(program);
  const std::wstring settings_path = ViewerSettingsPath(program);

  // 2. The caption height fixed by the settings file, 0 when there is none.
  const int text_box_height =
      ParseTextBoxHeight(ReadSetting(settings_path, L"Settings", L"TextBoxHeight"));

  // 3. The title.
  form.SetCaption(base_name);

  // 4. The picture, by bare name in the working directory.
  std::wstring picture = base_name + L".jpg";
  if (!FileExists(picture)) picture = base_name + L".gif";
  if (!FileExists(picture)) picture = base_name + L".bmp";

  // 5. No picture: say so and end.
  if (!FileExists(picture)) {
    Application()->MessageBox(PictureNotFoundMessage(base_name), Application()->Title(), MB_OK);
    Application()->Terminate();
    return;
  }

  // 6. The picture at its natural size, top left.
  image.Picture()->LoadFromFile(picture);
  const int w = image.Width();
  const int h = image.Height();
  image.SetLeft(0);
  image.SetTop(0);

  // 7. The caption: rich text first, then plain text centred.
  caption_box.Clear();
  if (FileExists(base_name + L".rtf")) {
    caption_box.LoadFromFile(base_name + L".rtf");
  } else if (FileExists(base_name + L".txt")) {
    caption_box.SetCentred();
    caption_box.LoadFromFile(base_name + L".txt");
  }

  // 8. Lines counted at the box's design width, plus one.
  const int line_count = caption_box.LineCount() + 1;
  // An empty box has nothing to scroll. The platform's control counts an
  // empty line all the same, and would show a bar in a box lower than that.
  if (line_count == 1) caption_box.SetVerticalScrollBar(false);

  // 9-10. The box's height, then its place below the picture.
  const int caption_height =
      CaptionBoxHeight(text_box_height, caption_box.FontHeight(), line_count);
  caption_box.SetHeight(caption_height);
  caption_box.SetTop(h);
  caption_box.SetLeft(0);
  caption_box.SetWidth(w);

  // 11. Below the caption box in the stack of bottom-aligned controls.
  bottom_panel.SetTop(caption_box.Top() + h + caption_height);

  // 12. Picture, caption box and panel exactly.
  form.SetClientSize(w, h + caption_height + bottom_panel.Height());

  // 13.
  caption_box.SetReadOnly(true);
}

void TForm1::FormCreate(TObject*) {
  RunViewerStartUp(*this, *Image1, *caption_box_, *bottom_panel_);
}

KIV_IMPLEMENT_CLASS(TForm1, c) {
  c.Method("FormCreate", &TForm1::FormCreate);
}

}  // namespace kiv
