// kivskin: makes a skin from a text description, tells what a skin file
// holds, converts it between the container variants, and checks that
// reading, writing and reading again agree.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/filer.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "render.hpp"
#include "skin_description.hpp"
#include "themefiles/skin_filters.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_source.hpp"

namespace {

const char kHelp[] =
    "Usage: kivskin dump FILE\n"
    "       kivskin convert IN OUT\n"
    "       kivskin roundtrip FILE\n"
    "       kivskin make DESCRIPTION OUT\n"
    "       kivskin make-sample OUT\n"
    "       kivskin render FILE --control KIND --state STATE OUT.png\n"
    "\n"
    "dump       prints the variant (found from the file's first bytes), the five\n"
    "           strings, one line per bitmap (name, size, flags) and every\n"
    "           top-level object in the component stream's text form.\n"
    "convert    reads IN (any variant) and writes OUT in the variant of OUT's\n"
    "           extension: uskn, qskn, xskn or mskn.\n"
    "roundtrip  reads FILE, writes it in the same variant, reads that again and\n"
    "           compares strings, bitmaps, objects and tables; prints\n"
    "           \"roundtrip: same\" or the first difference.\n"
    "make       reads a skin description (objects, their classes, placement and\n"
    "           properties, and the BMP or PNG pictures they use; the format is\n"
    "           described in tools/kivskin/skin_description.hpp) and writes the\n"
    "           skin to OUT in the variant of OUT's extension. A mistake in the\n"
    "           description is reported as \"error: FILE:LINE: what is wrong\".\n"
    "make-sample writes a small skin (two bitmaps, a button tree) to OUT.\n"
    "render     draws one control from the skin FILE with the skin-file theme\n"
    "           into OUT.png: KIND is button, check, radio, scrollbar,\n"
    "           hscrollbar, window, caption (the header panel), edit, memo,\n"
    "           header or statusbar; STATE is normal, hot, pressed, disabled,\n"
    "           focused or default, for check and radio also checked, unchecked\n"
    "           or mixed, for window also inactive (comma-separated:\n"
    "           \"checked,hot\"). Windows build only.\n"
    "\n"
    "Errors print \"error: MESSAGE\" and exit with status 1; wrong usage exits\n"
    "with status 2.\n";

struct Loaded {
  kiv::TLqSkinSource source;
  kiv::TLqSkinFilterClass variant = nullptr;
};

void Load(const std::string& file, Loaded& into) {
  kiv::TFileStream in(file, kiv::fmOpenRead | kiv::fmShareDenyNone);
  into.variant = kiv::FindSkinFilterByStream(in);
  auto filter = kiv::CreateSkinFilter(into.variant);
  filter->SetSource(&into.source);
  filter->ReadFromStream(in);
  into.source.UnmaskClients();
}

std::string ObjectText(kiv::TLqSkinObject* object) {
  kiv::TMemoryStream binary;
  binary.WriteComponent(object);
  binary.SetPosition(0);
  kiv::TStringStream text;
  kiv::ObjectBinaryToText(binary, text);
  return text.DataString();
}

std::string Tables(kiv::TLqSkinSource& s) {
  kiv::TStringStream out;
  s.Colors()->SaveToStream(out);
  s.SysColors()->SaveToStream(out);
  s.Fonts()->SaveToStream(out);
  return out.DataString();
}

int Dump(const std::string& file) {
  Loaded skin;
  Load(file, skin);
  kiv::TLqSkinSource& s = skin.source;
  std::printf("variant: %s (%s)\n", kiv::SkinFilterDescription(skin.variant).c_str(),
              kiv::SkinFilterExtension(skin.variant).c_str());
  std::printf("name: %s\nversion: %s\nauthor: %s\ne-mail: %s\nurl: %s\n", s.SkinName().c_str(),
              s.SkinVersion().c_str(), s.Author().c_str(), s.AuthorEMail().c_str(),
              s.AuthorURL().c_str());
  std::printf("bitmaps: %d\n", s.Bitmaps()->Count());
  for (int i = 0; i < s.Bitmaps()->Count(); ++i) {
    const kiv::TkivBitmap* b = s.Bitmaps()->GetBitmap(i);
    std::printf("bitmap %d: %s %d x %d%s%s\n", i + 1, b->Name().c_str(), b->Width(), b->Height(),
                b->Transparent() ? " transparent" : "", b->AlphaBlend() ? " alpha" : "");
  }
  std::printf("objects: %d\n", s.ObjectCount());
  for (int i = 0; i < s.ObjectCount(); ++i) std::fputs(ObjectText(s.Objects(i)).c_str(), stdout);
  return 0;
}

// The filter of OUT's extension, or nil after telling the user.
kiv::TLqSkinFilterClass TargetVariant(const std::string& out) {
  kiv::TLqSkinFilterClass target = kiv::FindSkinFilterByFileName(out);
  if (!target)
    std::fprintf(stderr, "kivskin: %s has none of the extensions uskn, qskn, xskn, mskn\n",
                 out.c_str());
  return target;
}

int Make(const std::string& description, const std::string& out) {
  kiv::TLqSkinFilterClass target = TargetVariant(out);
  if (!target) return 2;
  kiv::TLqSkinSource source;
  kiv::LoadSkinDescription(description, source);
  auto writer = kiv::CreateSkinFilter(target);
  writer->SetSource(&source);
  kiv::TFileStream file(out, kiv::fmCreate);
  writer->WriteToStream(file);
  std::printf("wrote: %s (%s), %d bitmaps, %d objects\n", out.c_str(),
              kiv::SkinFilterDescription(target).c_str(), source.Bitmaps()->Count(),
              source.ObjectCount());
  return 0;
}

int Convert(const std::string& in, const std::string& out) {
  kiv::TLqSkinFilterClass target = TargetVariant(out);
  if (!target) return 2;
  Loaded skin;
  Load(in, skin);
  skin.source.SaveToFile(out);
  std::printf("wrote: %s (%s)\n", out.c_str(), kiv::SkinFilterDescription(target).c_str());
  return 0;
}

// The first difference between two sources, or "".
std::string Difference(kiv::TLqSkinSource& a, kiv::TLqSkinSource& b) {
  if (a.SkinName() != b.SkinName() || a.SkinVersion() != b.SkinVersion() ||
      a.Author() != b.Author() || a.AuthorEMail() != b.AuthorEMail() ||
      a.AuthorURL() != b.AuthorURL())
    return "strings";
  if (a.Bitmaps()->Count() != b.Bitmaps()->Count()) return "bitmap count";
  for (int i = 0; i < a.Bitmaps()->Count(); ++i) {
    const kiv::TkivBitmap* x = a.Bitmaps()->GetBitmap(i);
    const kiv::TkivBitmap* y = b.Bitmaps()->GetBitmap(i);
    if (x->Name() != y->Name() || x->Width() != y->Width() || x->Height() != y->Height() ||
        x->Transparent() != y->Transparent() || x->AlphaBlend() != y->AlphaBlend() ||
        (!x->IsEmpty() &&
         std::memcmp(x->Bits(), y->Bits(),
                     size_t(x->Width()) * x->Height() * sizeof(kiv::TkivPixel)) != 0))
      return "bitmap " + std::to_string(i + 1) + " (" + x->Name() + ")";
  }
  if (a.ObjectCount() != b.ObjectCount()) return "object count";
  for (int i = 0; i < a.ObjectCount(); ++i)
    if (ObjectText(a.Objects(i)) != ObjectText(b.Objects(i)))
      return "object " + std::to_string(i + 1) + " (" + a.Objects(i)->Name() + ")";
  if (Tables(a) != Tables(b)) return "tables";
  return "";
}

int RoundTrip(const std::string& file) {
  Loaded first;
  Load(file, first);
  auto writer = kiv::CreateSkinFilter(first.variant);
  writer->SetSource(&first.source);
  kiv::TMemoryStream bytes;
  writer->WriteToStream(bytes);
  bytes.SetPosition(0);
  kiv::TLqSkinSource second;
  auto reader = kiv::CreateSkinFilter(first.variant);
  reader->SetSource(&second);
  reader->ReadFromStream(bytes);
  second.UnmaskClients();
  const std::string diff = Difference(first.source, second);
  if (diff.empty()) {
    std::printf("roundtrip: same\n");
    return 0;
  }
  std::printf("roundtrip: differs in %s\n", diff.c_str());
  return 1;
}

int MakeSample(const std::string& out) {
  kiv::TLqSkinSource s;
  s.SetSkinName("Sample");
  auto* frame = new kiv::TkivBitmap;
  frame->SetName("Frame");
  frame->SetSize(3, 2);
  const kiv::TkivPixel px[] = {0xFF336699, 0xFF7F007F, 0xFF336699,
                               0xFF112233, 0xFF445566, 0x80FFFFFF};
  std::memcpy(frame->Bits(), px, sizeof px);
  s.Bitmaps()->Add(frame);
  auto* button = new kiv::TLqButtonObject(nullptr);
  button->SetName("Button");
  button->SetBounds(kiv::Rect(0, 0, 75, 25));
  button->SetMarginLeft(1);
  button->SetMarginRight(1);
  button->Bitmap()->SetName("Frame");
  button->Bitmap()->SetRect(kiv::Rect(0, 0, 3, 2));
  auto* text = new kiv::TLqTextObject(button);
  text->SetName("Text");
  text->SetAlign(kiv::saClient);
  text->SetTextAlign(kiv::taCenter);
  s.AddObject(button);
  button->AfterLoad();
  s.SaveToFile(out);
  std::printf("wrote: %s\n", out.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string cmd = argc > 1 ? argv[1] : "";
  try {
    if (cmd == "dump" && argc == 3) return Dump(argv[2]);
    if (cmd == "convert" && argc == 4) return Convert(argv[2], argv[3]);
    if (cmd == "roundtrip" && argc == 3) return RoundTrip(argv[2]);
    if (cmd == "make" && argc == 4) return Make(argv[2], argv[3]);
    if (cmd == "render" && argc == 8) {
      std::string kind, state, out;
      for (int i = 3; i < 8; ++i) {
        const std::string a = argv[i];
        if (a == "--control" && i + 1 < 8)
          kind = argv[++i];
        else if (a == "--state" && i + 1 < 8)
          state = argv[++i];
        else
          out = a;
      }
      if (!kind.empty() && !state.empty() && !out.empty())
        return kiv::RenderSkinControl(argv[2], kind, state, out);
    }
    if (cmd == "make-sample" && argc == 3) return MakeSample(argv[2]);
    if (cmd == "--help" || cmd == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
  } catch (const std::exception& e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }
  std::fputs(kHelp, stderr);
  return 2;
}
