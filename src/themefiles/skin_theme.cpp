// TKivSkinFile: loading and saving skins, applying them (the working copy,
// the default objects, colours and fonts), and the state tables.
#include "themefiles/skin_theme.hpp"

#include <cstring>

#include "framework/streams.hpp"
#include "framework/text_convert.hpp"
#include "theme/theme_manager.hpp"
#include "themefiles/skin_filters.hpp"
#include "themefiles/skin_objects.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivSkinFile, c) {}

namespace {

#define KIV_SKIN_ROLE_NAME(role, name) name,
constexpr const char* kRoleNames[] = {KIV_SKIN_DEFAULT_OBJECTS(KIV_SKIN_ROLE_NAME)};
#undef KIV_SKIN_ROLE_NAME
static_assert(std::size(kRoleNames) == srCount);

// The first descendant (not the object itself) of a kind.
TLqSkinObject* DescendantOfKind(TLqSkinObject* object, TLqKind kind) {
  for (int i = 0; i < object->ChildCount(); ++i)
    if (TLqSkinObject* c = object->Child(i))
      if (TLqSkinObject* found = c->FindKind(kind)) return found;
  return nullptr;
}

// A copy of an object tree linked to a source's bitmaps.
std::unique_ptr<TLqSkinObject> LinkedClone(const TLqSkinObject& object, TLqSkinSource& source) {
  std::unique_ptr<TLqSkinObject> copy(object.Clone(nullptr));
  if (copy) {
    copy->SetBitmapList(source.Bitmaps());
    copy->AfterLoad();
  }
  return copy;
}

// The default filter for one operation of the theme, put back afterwards:
// the theme's choice of format does not leak into every other skin source
// of the program.
class ScopedDefaultFilter {
 public:
  explicit ScopedDefaultFilter(TLqSkinFilterClass cls) : saved_(DefaultSkinFilter()) {
    SetDefaultSkinFilter(cls);
  }
  ~ScopedDefaultFilter() { SetDefaultSkinFilter(saved_); }
  ScopedDefaultFilter(const ScopedDefaultFilter&) = delete;
  ScopedDefaultFilter& operator=(const ScopedDefaultFilter&) = delete;

 private:
  TLqSkinFilterClass saved_;
};

}  // namespace

const char* SkinRoleName(TKivSkinRole role) {
  return role < srCount ? kRoleNames[role] : "";
}

uint8_t SkinButtonState(uint8_t state) {
  switch (state) {
    case 2:
    case 8:
      return kLqStatePressed;
    case 3:
      return kLqStateDisabled;
    case 4:
    case 6:
      return kLqStateFocused;
    case 1:
    case 5:
    case 7:
      return kLqStateHot;
    default:
      return kLqStateNormal;
  }
}

uint8_t SkinScrollState(uint8_t state) {
  switch (state) {
    case 1:
      return kLqStatePressed;
    case 2:
      return kLqStateHot;
    case 3:
      return kLqStateDisabled;
    default:
      return kLqStateNormal;
  }
}

uint8_t SkinPanelButtonState(uint8_t state) {
  switch (state) {
    case 1:
      return kLqStateHot;
    case 2:
      return kLqStatePressed;
    case 3:
      return kLqStateDisabled;
    default:
      return kLqStateNormal;
  }
}

uint8_t SkinEditFrameState(uint8_t state) {
  return state == 3 ? kLqStateDisabled : kLqStateNormal;
}

TKivSkinFile::TKivSkinFile()
    : loaded_(std::make_unique<TLqSkinSource>()), working_(std::make_unique<TLqSkinSource>()) {
  SetName("Lacquer 3 theme");
}

TKivSkinFile::~TKivSkinFile() {
  // The copies kept for the frames first, then both sources.
  for (TKivSkinFrameParts& f : frames_) f = TKivSkinFrameParts{};
  defaults_.fill(nullptr);
  working_.reset();
  loaded_.reset();
}

bool TKivSkinFile::ClassCanLoadFromStream(TStream& stream) {
  char head[5] = {};
  const int64_t start = stream.Position();
  const int64_t got = stream.Read(head, sizeof head);
  stream.SetPosition(start);
  if (got >= 4 && std::memcmp(head, "QSLZ", 4) == 0) return true;
  if (got < 5) return false;
  for (TLqSkinFilterClass cls : SkinFilters()) {
    const std::unique_ptr<TLqSkinFilter> filter = CreateSkinFilter(cls);
    if (filter && std::memcmp(filter->Signature().data(), head, 5) == 0) return true;
  }
  return false;
}

TkivThemeConfig TKivSkinFile::GetConfig() {
  TkivThemeConfig config;
  config.CanSave = true;
  config.FileBased = true;
  config.FileFilter = SkinFileDialogFilter();
  config.FileExtension = "mskn";
  return config;
}

bool TKivSkinFile::LoadFromStream(TStream& stream) {
  const ScopedDefaultFilter filter(&TLqSkinFilterCompressed::StaticClass());
  loaded_->Clear();
  loaded_->LoadFromStream(stream);
  if (loaded_->ObjectCount() == 0) return false;
  Apply();
  return true;
}

bool TKivSkinFile::SaveToStream(TStream& stream) {
  const ScopedDefaultFilter filter(&TLqSkinFilterMaxCompression::StaticClass());
  loaded_->Fonts()->Assign(Fonts());
  loaded_->Colors()->Assign(Colors());
  loaded_->SaveToStream(stream);
  return true;
}

bool TKivSkinFile::LoadFromFile(const std::string& file_name) {
  loaded_->Clear();
  loaded_->LoadFromFile(file_name);
  if (loaded_->ObjectCount() == 0) return false;
  SetFileName(file_name);
  Apply();
  return true;
}

bool TKivSkinFile::SaveToFile(const std::string& file_name) {
  loaded_->Fonts()->Assign(Fonts());
  loaded_->Colors()->Assign(Colors());
  loaded_->SaveToFile(file_name);
  return true;
}

void TKivSkinFile::Assign(const TPersistent* source) {
  TkivTheme::Assign(source);
  const auto* other = dynamic_cast<const TKivSkinFile*>(source);
  if (other == nullptr || other == this) return;
  loaded_->Assign(other->loaded_.get());
  Apply();
}

void TKivSkinFile::Apply() {
  // The old default objects point into the working copy about to go.
  for (TKivSkinFrameParts& f : frames_) f = TKivSkinFrameParts{};
  defaults_.fill(nullptr);
  working_->Assign(loaded_.get());
  if (Hue() != 0) working_->ChangeHue(Hue());
  if (Brightness() != 0) working_->ChangeBrightness(Brightness());
  BuildDefaults();
  applied_ = true;
  SetName(working_->SkinName());
  LoadDefaults();
}

void TKivSkinFile::BuildDefaults() {
  for (size_t r = 0; r < srCount; ++r) defaults_[r] = working_->FindObject(kRoleNames[r]);
  BuildFrame(defaults_[srForm], frames_[0]);
  BuildFrame(defaults_[srToolWindow], frames_[1]);
}

void TKivSkinFile::BuildFrame(TLqSkinObject* frame, TKivSkinFrameParts& parts) {
  if (frame == nullptr) return;
  if (TLqSkinObject* client = DescendantOfKind(frame, skClient)) {
    parts.Client = LinkedClone(*client, *working_);
    // An empty client in its place (in the same parent, so that the frame's
    // layout is unchanged): painting the frame leaves the client area alone.
    TComponent* parent = client->Owner();
    const TLqAlign align = client->Align();
    const TRect bounds = client->BoundsRect();
    const std::string name = client->Name();
    delete client;
    auto* empty = new TLqSkinObject(parent);
    empty->SetColor(clNone);
    empty->SetKind(skClient);
    empty->SetAlign(align);
    empty->SetBounds(bounds);
    empty->SetName(name);
    empty->SetBitmapList(working_->Bitmaps());
  }
  parts.Design = frame->BoundsRect();
  parts.Geometry = LinkedClone(*frame, *working_);
  parts.Buttons = LinkedClone(*frame, *working_);
}

TLqSkinObject* TKivSkinFile::NamedObject(const std::string& object) const {
  if (object == "default") return nullptr;
  return working_->FindObject(object);
}

TLqSkinObject* TKivSkinFile::ObjectFor(const std::string& object, TKivSkinRole role) const {
  if (TLqSkinObject* named = NamedObject(object)) return named;
  return role < srCount ? defaults_[role] : nullptr;
}

void TKivSkinFile::LoadDefaultColors() {
  if (!applied_) {
    TkivTheme::LoadDefaultColors();
    return;
  }
  Colors()->Assign(working_->Colors());
  SysColors()->Assign(working_->SysColors());
  Colors()->ShiftHue(Hue());
  Colors()->ShiftBrightness(Brightness());
}

void TKivSkinFile::LoadDefaultFonts() {
  if (!applied_) {
    TkivTheme::LoadDefaultFonts();
    return;
  }
  Fonts()->Assign(working_->Fonts());
  Fonts()->ShiftHue(Hue());
  Fonts()->ShiftBrightness(Brightness());
}

void RegisterSkinFileTheme() {
  for (const TkivThemeClass& c : ThemeManager().ThemeClasses())
    if (c.Class == &TKivSkinFile::StaticClass()) return;
  RegisterThemeClass<TKivSkinFile>();
}

}  // namespace kiv
