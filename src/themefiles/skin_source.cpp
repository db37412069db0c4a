// TLqSkinSource: the skin in memory, its loading and saving through the
// filters, copying, look-ups and colour adjustments.
#include "themefiles/skin_source.hpp"

#include <algorithm>

#include "framework/streams.hpp"
#include "framework/text_convert.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "themefiles/skin_filters.hpp"
#include "themefiles/skin_platform.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TLqSkinSource, c) {
  using T = TLqSkinSource;
  c.String("SkinName", &T::SkinName, &T::SetSkinName);
  c.String("SkinVersion", &T::SkinVersion, &T::SetSkinVersion);
  c.String("Author", &T::Author, &T::SetAuthor);
  c.String("AuthorEMail", &T::AuthorEMail, &T::SetAuthorEMail);
  c.String("AuthorURL", &T::AuthorURL, &T::SetAuthorURL);
}

TLqSkinSource::TLqSkinSource(TComponent* owner)
    : TComponent(owner),
      bitmaps_(std::make_unique<TkivBitmapList>()),
      colors_(std::make_unique<TkivThemeColors>()),
      sys_colors_(std::make_unique<TkivThemeSysColors>()),
      fonts_(std::make_unique<TkivThemeFonts>()) {}

TLqSkinSource::~TLqSkinSource() {
  Clear();
}

void TLqSkinSource::Clear() {
  // Objects first: their links point into the bitmaps.
  objects_.clear();
  bitmaps_->Clear();
}

TLqSkinObject* TLqSkinSource::FindObject(const std::string& name) const {
  for (const auto& o : objects_)
    if (SameText(o->Name(), name)) return o.get();
  return nullptr;
}

TLqSkinObject* TLqSkinSource::Objects(int index) const {
  if (index < 0 || index >= ObjectCount()) return nullptr;
  return objects_[static_cast<size_t>(index)].get();
}

void TLqSkinSource::AddObject(TLqSkinObject* object) {
  if (!object) return;
  objects_.emplace_back(object);
  object->SetBitmapList(bitmaps_.get());
}

void TLqSkinSource::ChangeHue(int32_t amount) {
  for (int i = 0; i < bitmaps_->Count(); ++i) bitmaps_->GetBitmap(i)->ChangeHue(amount);
  for (auto& o : objects_) o->ChangeHue(amount);
}

void TLqSkinSource::ChangeBrightness(int32_t amount) {
  const auto d = static_cast<int16_t>(std::clamp<int32_t>(amount, INT16_MIN, INT16_MAX));
  for (int i = 0; i < bitmaps_->Count(); ++i) bitmaps_->GetBitmap(i)->ChangeBrightness(d);
  for (auto& o : objects_) o->ChangeBrightness(amount);
}

void TLqSkinSource::Assign(const TPersistent* source) {
  const auto* src = dynamic_cast<const TLqSkinSource*>(source);
  if (!src) {
    TComponent::Assign(source);
    return;
  }
  if (src == this) return;
  Clear();
  skin_name_ = src->skin_name_;
  skin_version_ = src->skin_version_;
  author_ = src->author_;
  author_email_ = src->author_email_;
  author_url_ = src->author_url_;
  for (int i = 0; i < src->bitmaps_->Count(); ++i) {
    auto copy = std::make_unique<TkivBitmap>();
    copy->Assign(src->bitmaps_->GetBitmap(i));
    bitmaps_->Add(copy.release());
  }
  for (const auto& o : src->objects_) {
    TLqSkinObject* clone = o->Clone(nullptr);
    if (!clone) continue;
    AddObject(clone);
    clone->AfterLoad();
  }
  colors_->Assign(src->colors_.get());
  sys_colors_->Assign(src->sys_colors_.get());
  fonts_->Assign(src->fonts_.get());
}

void TLqSkinSource::UnmaskClients() {
  for (auto& o : objects_)
    if (TLqSkinObject* client = o->FindKind(skClient)) client->SetMasked(false);
}

// ---- loading and saving

void TLqSkinSource::LoadFromStream(TStream& stream) {
  auto filter = CreateSkinFilter(FindSkinFilterByStream(stream));
  if (!filter) return;
  filter->SetSource(this);
  filter->ReadFromStream(stream);
  UnmaskClients();
}

void TLqSkinSource::SaveToStream(TStream& stream) {
  auto filter = CreateSkinFilter(DefaultSkinFilter());
  if (!filter) return;
  filter->SetSource(this);
  filter->WriteToStream(stream);
}

void TLqSkinSource::LoadFromFile(const std::string& file_name) {
  auto filter = CreateSkinFilter(FindSkinFilterByFileName(file_name));
  if (!filter) return;
  std::unique_ptr<TFileStream> file;
  auto open = [&](const std::string& name) {
    try {
      file = std::make_unique<TFileStream>(name, fmOpenRead | fmShareDenyNone);
    } catch (const EFOpenError&) {
    }
  };
  open(file_name);
  // A name without a drive is looked for once more beside the program.
  if (!file && !(file_name.size() > 1 && file_name[1] == ':')) open(ProgramFolder() + file_name);
  if (!file) return;
  filter->SetSource(this);
  filter->ReadFromStream(*file);
  UnmaskClients();
}

void TLqSkinSource::SaveToFile(const std::string& file_name) {
  TLqSkinFilterClass cls = FindSkinFilterByFileName(file_name);
  auto filter = CreateSkinFilter(cls ? cls : DefaultSkinFilter());
  if (!filter) return;
  filter->SetSource(this);
  // Written whole before the file is made: a skin the filter refuses leaves
  // no file behind.
  TMemoryStream data;
  filter->WriteToStream(data);
  TFileStream file(file_name, fmCreate);
  file.WriteBuffer(data.Memory(), data.Size());
}

}  // namespace kiv
