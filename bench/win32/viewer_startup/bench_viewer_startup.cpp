// The viewer's start-up to its first paint: the window read from its
// definition, the start-up sequence (picture, caption, layout), shown and
// painted whole, then freed. The themed window (the library's rich edit,
// header panel and effect button) against the same picture window with the
// framework's plain rich edit, panel and button, on the same picture and
// caption in the working directory.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/viewer_form_win32.hpp"
#include "app/viewer_names.hpp"
#include "app/viewer_roles_win32.hpp"
#include "framework/class_builder.hpp"
#include "framework/text_convert.hpp"
#include "timing.hpp"

namespace kiv {

// The picture window as it was before the themed controls took the roles.
class TPlainViewerForm : public TForm {
  KIV_CLASS(TPlainViewerForm, TForm)
 public:
  explicit TPlainViewerForm(TComponent* owner) : TForm(owner) {}
  void FormCreate(TObject*) { RunViewerStartUp(*this, *image_, *caption_box_, *panel_role_); }

 protected:
  void BindComponents() override {
    image_ = dynamic_cast<TImage*>(FindComponent("Image1"));
    caption_box_ = std::make_unique<TRichEditCaptionBox>(
        dynamic_cast<TRichEdit*>(FindComponent("KivRichEdit1")));
    panel_role_ =
        std::make_unique<TPanelBottom>(dynamic_cast<TPanel*>(FindComponent("KivHeaderPanel1")));
  }

 private:
  class TPanelBottom : public TBottomPanelRole {
   public:
    explicit TPanelBottom(TPanel* panel) : panel_(panel) {}
    int Height() override { return panel_->Height(); }
    void SetTop(int value) override { panel_->SetTop(value); }

   private:
    TPanel* panel_;
  };
  TImage* image_ = nullptr;
  std::unique_ptr<TCaptionBoxRole> caption_box_;
  std::unique_ptr<TBottomPanelRole> panel_role_;
};

KIV_IMPLEMENT_CLASS(TPlainViewerForm, c) {
  c.Method("FormCreate", &TPlainViewerForm::FormCreate);
}

}  // namespace kiv

namespace {

namespace fs = std::filesystem;

// A 24-bit bottom-up BMP of a diagonal gradient.
void WriteBmp(const std::string& path, int w, int h) {
  const int stride = (w * 3 + 3) & ~3;
  std::vector<uint8_t> file(54 + size_t(stride) * h);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, uint32_t(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  file[26] = 1;
  file[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &file[54 + size_t(y) * stride + size_t(x) * 3];
      p[0] = uint8_t(x * 255 / w);
      p[1] = uint8_t(y * 255 / h);
      p[2] = uint8_t((x + y) * 127 / (w + h));
    }
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

template <class Form>
void StartAndPaint() {
  Form* form = nullptr;
  kiv::Application()->CreateForm(&form);
  form->Show();
  UpdateWindow(form->Handle());
  GdiFlush();
  delete form;
}

}  // namespace

int main(int argc, char** argv) {
  kivbench::TTimingRun run(kivbench::ParseTimingOptions(argc, argv));
  kiv::RegisterClasses({&kiv::TForm1::StaticClass(), &kiv::TPlainViewerForm::StaticClass()});
  const std::string base = kiv::ToNarrow(kiv::ViewerBaseName(kiv::ProgramFilePath()));
  const fs::path dir =
      fs::temp_directory_path() / ("kivview_bench_" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(dir);
  fs::current_path(dir);
  WriteBmp(base + ".bmp", 320, 240);
  std::ofstream(base + ".txt") << "A harbour at dusk\nboats coming in\none by one\n";
  run.Add(
      "start-up to first paint, 320x240 BMP, 3-line caption", "plain controls",
      [] { StartAndPaint<kiv::TPlainViewerForm>(); }, /*baseline=*/true);
  run.Add("start-up to first paint, 320x240 BMP, 3-line caption", "themed window",
          [] { StartAndPaint<kiv::TForm1>(); });
  run.Run();
  run.Print(stdout);
  std::error_code ec;
  fs::current_path(dir.parent_path());
  fs::remove_all(dir, ec);
  return 0;
}
