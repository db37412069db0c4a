// The viewer's main window made inside the test program from the viewer's own
// definition, where its controls can be inspected directly: after a caption
// that fails to load, the picture is in place while the rest keeps the design.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/viewer_form_win32.hpp"
#include "app/viewer_names.hpp"
#include "support/picture_writers.hpp"

namespace kiv {
namespace {

namespace fs = std::filesystem;

TEST(ViewerForm, ACaptionErrorLeavesThePictureInPlaceAndTheRestAsDesigned) {
  RegisterClass(TForm1::StaticClass());
  // This program's base name names the files, looked for in the working directory.
  const std::string base = ToNarrow(ViewerBaseName(ProgramFilePath()));
  const fs::path dir =
      fs::temp_directory_path() / ("kivview_form_" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(dir);
  const fs::path old_dir = fs::current_path();
  fs::current_path(dir);
  kivtest::WriteBytes(base + ".bmp",
                      kivtest::MakeBmp24(160, 30, kivtest::RgbPixels(160 * 30, 0x3366CC)));
  kivtest::WriteText(base + ".txt", "held open elsewhere");
  HANDLE lock =
      CreateFileA((base + ".txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  std::vector<std::string> errors;
  Application()->OnException = [&](TObject*, const std::exception& e) {
    errors.push_back(e.what());
  };
  TForm1* form = nullptr;
  Application()->CreateForm(&form);
  Application()->OnException = nullptr;
  CloseHandle(lock);

  ASSERT_NE(form, nullptr);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find(base + ".txt"), std::string::npos) << errors[0];
  EXPECT_EQ(ToNarrow(form->Caption()), base);
  EXPECT_EQ(form->Image1->BoundsRect(), Bounds(0, 0, 160, 30));
  EXPECT_EQ(form->Image1->Picture()->Width(), 160);
  EXPECT_EQ(form->ClientWidth(), 277);
  EXPECT_EQ(form->ClientHeight(), 434);
  EXPECT_EQ(form->KivRichEdit1->BoundsRect(), Bounds(0, 352, 277, 43));
  EXPECT_EQ(form->KivHeaderPanel1->BoundsRect(), Bounds(0, 395, 277, 39));
  EXPECT_EQ(form->KivEffectButton1->BoundsRect(), Bounds(93, 5, 75, 25));
  delete form;
  fs::current_path(old_dir);
  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace
}  // namespace kiv
