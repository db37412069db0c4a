// The viewer's start-up to its first paint: the window read from its
// definition, the start-up sequence (picture, caption, layout), shown and
// painted whole, then freed. The themed window (the library's rich edit,
// header panel and effect button) against the same picture window with the
// framework's plain rich edit, panel and button, on the same picture and
// caption in the working directory.
#include <windows.h>

#include <cstdio>

#include "app/viewer_folder_win32.hpp"
#include "app/viewer_form_win32.hpp"
#include "app/viewer_roles_win32.hpp"
#include "framework/class_builder.hpp"
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
  const kiv::TViewerFolder folder("bench");
  // A diagonal gradient: blue grows to the right, green upwards.
  folder.WritePicture(320, 240, [](int x, int y) {
    const int up = 239 - y;  // rows counted from the bottom
    return uint32_t((x + up) * 127 / 560) << 16 | uint32_t(up * 255 / 240) << 8 |
           uint32_t(x * 255 / 320);
  });
  folder.WriteCaption("A harbour at dusk\nboats coming in\none by one\n");
  run.Add(
      "start-up to first paint, 320x240 BMP, 3-line caption", "plain controls",
      [] { StartAndPaint<kiv::TPlainViewerForm>(); }, /*baseline=*/true);
  run.Add("start-up to first paint, 320x240 BMP, 3-line caption", "themed window",
          [] { StartAndPaint<kiv::TForm1>(); });
  run.Run();
  run.Print(stdout);
  return 0;
}
