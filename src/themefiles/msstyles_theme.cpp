// TKivThemeMsStyles: loading a visual-styles library or the packaged form,
// saving, applying the INI text, and the colours and fonts from the style.
#include "themefiles/msstyles_theme.hpp"

#include <cstring>

#include "framework/exceptions.hpp"
#include "framework/file_bytes.hpp"
#include "framework/streams.hpp"
#include "framework/text_convert.hpp"
#include "framework/zlib_streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_color.hpp"
#include "graphics/kiv_utils.hpp"
#include "theme/theme_font_text.hpp"
#include "theme/theme_manager.hpp"
#include "theme/theme_tables.hpp"
#include "themefiles/msstyles_module.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivThemeMsStyles, c) {}

namespace {

// The packaged form's zlib content is read whole before it is parsed, so every
// string and count is checked against what it really holds; at most this much.
constexpr int64_t kMaxPackageBytes = int64_t{1} << 30;

bool EndsWithIgnoringCase(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() &&
         SameText(std::string_view(text).substr(text.size() - tail.size()), tail);
}

// The file name without folders and extension.
std::string BaseName(const std::string& file_name) {
  const size_t slash = file_name.find_last_of("\\/:");
  std::string base = slash == std::string::npos ? file_name : file_name.substr(slash + 1);
  const size_t dot = base.rfind('.');
  return dot == std::string::npos ? base : base.substr(0, dot);
}

TFontStyles Styles(const TmsuxFontValue& f) {
  TFontStyles s;
  if (f.Bold) s.Include(fsBold);
  if (f.Italic) s.Include(fsItalic);
  if (f.Underline) s.Include(fsUnderline);
  if (f.StrikeOut) s.Include(fsStrikeOut);
  return s;
}

void SetFont(TFont& font, const TmsuxFontValue& value, TColor color) {
  SetFontValues(font, value.Name, value.Size, color, Styles(value));
}

}  // namespace

TKivThemeMsStyles::TKivThemeMsStyles()
    : menu_font_(std::make_unique<TFont>()),
      status_font_(std::make_unique<TFont>()),
      message_font_(std::make_unique<TFont>()) {
  SetName("Microsoft msstyles");
}

TKivThemeMsStyles::~TKivThemeMsStyles() = default;

bool TKivThemeMsStyles::StreamHoldsPackage(TStream& stream) {
  char head[kMsStylesSignatureSize] = {};
  const int64_t start = stream.Position();
  const int64_t got = stream.Read(head, kMsStylesSignatureSize);
  stream.SetPosition(start);
  return got == int64_t(kMsStylesSignatureSize) &&
         std::memcmp(head, kMsStylesSignature, kMsStylesSignatureSize) == 0;
}

// A module: "MZ", and at the offset its header gives at 0x3C, "PE\0\0".
bool TKivThemeMsStyles::StreamHoldsModule(TStream& stream) {
  const int64_t start = stream.Position();
  uint8_t dos[0x40] = {};
  bool module = false;
  if (stream.Read(dos, sizeof dos) == int64_t(sizeof dos) && dos[0] == 'M' && dos[1] == 'Z') {
    const uint32_t pe = uint32_t(dos[0x3C]) | uint32_t(dos[0x3D]) << 8 | uint32_t(dos[0x3E]) << 16 |
                        uint32_t(dos[0x3F]) << 24;
    char sig[4] = {};
    if (int64_t(pe) <= stream.Size() - 4) {
      stream.SetPosition(start + pe);
      module = stream.Read(sig, 4) == 4 && std::memcmp(sig, "PE\0\0", 4) == 0;
    }
  }
  stream.SetPosition(start);
  return module;
}

bool TKivThemeMsStyles::ClassCanLoadFromStream(TStream& stream) {
  return StreamHoldsPackage(stream) || StreamHoldsModule(stream);
}

std::string TKivThemeMsStyles::GetThemeType() {
  return "Microsoft msstyles";
}

TkivThemeConfig TKivThemeMsStyles::GetConfig() {
  TkivThemeConfig config;
  config.CanSave = true;
  config.FileBased = true;
  config.FileFilter =
      GetThemeType() + " (*.msstyles)|*.msstyles|" + "Kivstyle themes (*.theme)|*.theme";
  config.FileExtension = "msstyles";
  return config;
}

bool TKivThemeMsStyles::LoadFromStream(TStream& stream) {
  if (StreamHoldsPackage(stream)) {
    stream.Seek(kMsStylesSignatureSize, soCurrent);
    ReadPackage(stream);
    return true;
  }
  if (!StreamHoldsModule(stream)) return false;
  // The rest of the stream is the module; a file stream names the theme.
  const int64_t size = stream.Size() - stream.Position();
  if (size <= 0 || uint64_t(size) > kMaxWholeFileSize) return false;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  stream.ReadBuffer(bytes.data(), size);
  const auto* file = dynamic_cast<const TFileStream*>(&stream);
  if (!LoadFromLibrary(std::move(bytes), file != nullptr ? BaseName(file->FileName()) : Name()))
    return false;
  if (file != nullptr) SetFileName(file->FileName());
  return true;
}

void TKivThemeMsStyles::ReadPackage(TStream& stream) {
  TMemoryStream content;
  {
    TDecompressionStream inflate(stream);
    char buffer[65536];
    for (int64_t n; (n = inflate.Read(buffer, sizeof buffer)) > 0;) {
      if (content.Size() + n > kMaxPackageBytes) throw EReadError("Stream read error");
      content.WriteBuffer(buffer, n);
    }
  }
  content.SetPosition(0);
  // Everything is read into new objects first: a package that fails half way
  // leaves the theme as it was.
  const std::string name = ReadString(content);
  std::string ini_text = ReadString(content);
  const uint32_t count = ReadU32(content);
  // A bitmap record takes at least 18 bytes (name length, width, height,
  // name length again, two flags).
  if (count > uint64_t(content.Size() - content.Position()) / 18)
    throw EReadError("Stream read error");
  TkivBitmapList bitmaps;
  for (uint32_t i = 0; i < count; ++i) {
    auto bitmap = std::make_unique<TkivBitmap>();
    bitmap->LoadFromStream(content);
    bitmap->SetName(ReadString(content));
    bitmap->SetTransparent(ReadU8(content) != 0);
    bitmap->SetAlphaBlend(ReadU8(content) != 0);
    bitmaps.Add(bitmap.release());
  }
  SetName(name);
  ini_text_ = std::move(ini_text);
  bitmaps_.Clear();
  for (int32_t i = 0; i < bitmaps.Count(); ++i) bitmaps_.Add(bitmaps.GetBitmap(i));
  bitmaps.TList::Clear();  // the surfaces now belong to the theme's list
  color_names_.clear(), size_names_.clear(), ini_names_.clear();
  Apply();
}

bool TKivThemeMsStyles::SaveToStream(TStream& stream) {
  stream.WriteBuffer(kMsStylesSignature, kMsStylesSignatureSize);
  WritePackage(stream);
  return true;
}

void TKivThemeMsStyles::WritePackage(TStream& stream) {
  TCompressionStream deflate(kZlibFastest, stream);
  WriteString(deflate, Name());
  WriteString(deflate, ini_text_);
  WriteU32(deflate, static_cast<uint32_t>(bitmaps_.Count()));
  for (int32_t i = 0; i < bitmaps_.Count(); ++i) {
    const TkivBitmap* b = bitmaps_.GetBitmap(i);
    b->SaveToStream(deflate);
    WriteString(deflate, b->Name());
    WriteU8(deflate, b->Transparent() ? 1 : 0);
    WriteU8(deflate, b->AlphaBlend() ? 1 : 0);
  }
  deflate.Finish();
}

bool TKivThemeMsStyles::LoadFromFile(const std::string& file_name) {
  if (EndsWithIgnoringCase(file_name, ".theme")) {
    std::unique_ptr<TFileStream> file;
    try {
      file = std::make_unique<TFileStream>(file_name, fmOpenRead | fmShareDenyWrite);
    } catch (const EFOpenError&) {
      return false;
    }
    if (!LoadFromStream(*file)) return false;
    SetFileName(file_name);
    return true;
  }
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadFileBytes(file_name);
  } catch (const EStreamError&) {
    return false;
  }
  if (!LoadFromLibrary(std::move(bytes), BaseName(file_name))) return false;
  SetFileName(file_name);
  return true;
}

bool TKivThemeMsStyles::LoadFromLibrary(std::vector<uint8_t> bytes, const std::string& theme_name) {
  TmsuxStyleLibrary library;
  try {
    if (!library.Load(std::move(bytes))) return false;
  } catch (const EReadError&) {
    return false;
  }
  SetName(theme_name);
  color_names_ = library.ColorNames;
  size_names_ = library.SizeNames;
  ini_names_ = library.IniNames;
  ini_text_ = library.IniText;
  bitmaps_.Clear();
  library_ = &library;
  try {
    Apply();
  } catch (...) {
    library_ = nullptr;
    throw;
  }
  library_ = nullptr;
  return true;
}

bool TKivThemeMsStyles::SaveToFile(const std::string& file_name) {
  if (!EndsWithIgnoringCase(file_name, ".theme")) return false;
  TFileStream file(file_name, fmCreate);
  return SaveToStream(file);
}

void TKivThemeMsStyles::Assign(const TPersistent* source) {
  TkivTheme::Assign(source);
  auto* other = dynamic_cast<const TKivThemeMsStyles*>(source);
  if (other == nullptr) return;
  TMemoryStream package;
  const_cast<TKivThemeMsStyles*>(other)->SaveToStream(package);
  package.SetPosition(0);
  LoadFromStream(package);
}

void TKivThemeMsStyles::Apply() {
  ini_.SetText(ini_text_);
  parts_.Build(ini_, &bitmaps_, [this](TkivBitmap& surface, const std::string& name) {
    if (library_ != nullptr) library_->ReadBitmap(surface, name);
  });
  LoadDefaults();
}

bool TKivThemeMsStyles::Loaded() const {
  return parts_.Built() && bitmaps_.Count() > 0 && parts_.Existing("Button.Pushbutton") != nullptr;
}

void TKivThemeMsStyles::LoadDefaultColors() {
  TkivTheme::LoadDefaultColors();
  if (!Loaded()) return;
  // A section without a hint keeps the theme's own colour.
  const TColor hint = parts_.Part("Button.Pushbutton")->FillColorHint;
  if (hint != clNone) Colors()->SetColor(tcButtonNormal, hint);
  const TColor list = parts_.Part("listview")->FillColor;
  if (list != clNone)
    for (TkivThemeColor c : {tcList, tcTree, tcGrid, tcBarDock}) Colors()->SetColor(c, list);
}

void TKivThemeMsStyles::AdjustSystemColors() {
  if (Loaded()) {
    const std::pair<TColor, const char*> keys[] = {{clWindow, "Window"},
                                                   {clBtnFace, "BtnFace"},
                                                   {clHighlight, "Highlight"},
                                                   {clBtnShadow, "BtnShadow"},
                                                   {clHighlightText, "HighlightText"}};
    for (const auto& [constant, key] : keys)
      SysColors()->SetSysColor(constant, ReadStyleSysColor(ini_, key));
    const char* menu_keys[] = {"Menu", "MenuBar", "MenuHilight"};
    for (size_t i = 0; i < 3; ++i) {
      TkivPixel p = ColorToPixel(ReadStyleSysColor(ini_, menu_keys[i]), 255);
      if (Hue() != 0) p = RotateHue(p, Hue());
      if (Brightness() != 0) p = Brighten(p, static_cast<int16_t>(Brightness()));
      menu_colors_[i] = PixelToColor(p);
    }
  }
  TkivTheme::AdjustSystemColors();
}

void TKivThemeMsStyles::LoadDefaultFonts() {
  TkivTheme::LoadDefaultFonts();
  if (!Loaded()) return;
  TkivThemeFonts& fonts = *Fonts();
  const TmsuxFontValue caption = ReadStyleFont(ini_, "CaptionFont", "Tahoma,10");
  SetFont(*fonts.FontByIndex(tfCaptionTextNormal), caption,
          ParseStyleColor(ini_.ReadString("SysMetrics", "CaptionText", "255 255 255")));
  SetFont(*fonts.FontByIndex(tfCaptionTextInactive), caption,
          ParseStyleColor(ini_.ReadString("SysMetrics", "InactiveCaptionText", "255 255 255")));
  SetFont(*menu_font_, ReadStyleFont(ini_, "MenuFont", "Tahoma, 8"), 0);
  SetFont(*status_font_, ReadStyleFont(ini_, "StatusFont", "Tahoma, 8"), 0);
  const TmsuxFontValue message = ReadStyleFont(ini_, "MsgBoxFont", "Tahoma, 8");
  SetFont(*message_font_, message, 0);
  const TColor highlight_text = ReadStyleSysColor(ini_, "HighlightText");
  for (TkivThemeFont f : {tfMenuItemTextSelected, tfMenuItemTextHot, tfPopupMenuItemTextSelected,
                          tfPopupMenuItemTextHot})
    fonts.FontByIndex(f)->SetColor(highlight_text);
  const TColor text = parts_.Part("Button.Pushbutton")->TextColor;
  for (TkivThemeFont f : {tfButtonTextNormal, tfButtonTextPressed, tfButtonTextHot,
                          tfButtonTextFocused, tfButtonTextDisabled})
    SetFont(*fonts.FontByIndex(f), message, text);
  fonts.FontByIndex(tfButtonTextDisabled)
      ->SetColor(parts_.Part("Button.Pushbutton(Disabled)")->TextColor);
}

void RegisterMsStylesTheme() {
  for (const TkivThemeClass& c : ThemeManager().ThemeClasses())
    if (c.Class == &TKivThemeMsStyles::StaticClass()) return;
  RegisterThemeClass<TKivThemeMsStyles>();
}

}  // namespace kiv
