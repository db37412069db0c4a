// The framework demo: a window built from its definition in the resources.
// The picture is drawn at start-up, the text box gets a short rich-text
// document, and the button (or Enter, Escape's absence aside, or Alt+C)
// closes the window and ends the program.
#include <windows.h>

#include "framework/streams.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/stdctrls.hpp"

namespace kiv {

class TDemoForm : public TForm {
  KIV_CLASS(TDemoForm, TForm)
 public:
  using TForm::TForm;

  void FormCreate(TObject*) {
    auto* image = dynamic_cast<TImage*>(FindComponent("Image1"));
    auto* edit = dynamic_cast<TRichEdit*>(FindComponent("RichEdit1"));
    // A small picture: colour bands with a framed circle.
    TBitmap* bmp = image->Picture()->Bitmap();
    bmp->SetPixelFormat(pf32bit);
    bmp->SetSize(200, 100);
    TCanvas* c = bmp->Canvas();
    const TColor bands[] = {0x4080F0, 0x40C0F0, 0x60D060, 0xE0A040, 0xC05080};
    for (int i = 0; i < 5; ++i) {
      c->Brush()->SetColor(bands[i]);
      c->FillRect(Rect(i * 40, 0, i * 40 + 40, 100));
    }
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetWidth(3);
    c->Brush()->SetColor(0x303030);
    c->Ellipse(Rect(70, 20, 130, 80));
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clWhite);
    c->Font()->SetHeight(-13);
    c->Font()->SetStyle({fsBold});
    c->TextOut(82, 42, L"kiv");
    bmp->Modified();
    TStringStream doc(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green40\\blue40;}"
        "\\pard\\qc\\f0\\fs20 A form read from its {\\b text definition}\\par "
        "with a {\\cf1 panel}, a button, this {\\i rich-edit} box and an image.\\par}");
    edit->Lines()->LoadFromStream(doc);
  }

  void CloseClick(TObject*) { Close(); }
};

KIV_IMPLEMENT_CLASS(TDemoForm, c) {
  c.Method("FormCreate", &TDemoForm::FormCreate);
  c.Method("CloseClick", &TDemoForm::CloseClick);
}

}  // namespace kiv

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return kiv::RunMainForm<kiv::TDemoForm>(); }
