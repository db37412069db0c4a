#pragma once
// TLqSkinSource: a skin in memory. It owns the named bitmaps, the top-level
// skin objects and the colour, system-colour and font tables, and loads and
// saves them through the skin filters (themefiles/skin_filters.hpp).
#include <memory>
#include <string>
#include <vector>

#include "framework/classes.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "theme/theme_sections.hpp"
#include "themefiles/skin_object.hpp"

namespace kiv {

class TStream;

class TLqSkinSource : public TComponent {
  KIV_CLASS(TLqSkinSource, TComponent)
 public:
  explicit TLqSkinSource(TComponent* owner = nullptr);
  ~TLqSkinSource() override;

  const std::string& SkinName() const { return skin_name_; }
  void SetSkinName(const std::string& v) { skin_name_ = v; }
  const std::string& SkinVersion() const { return skin_version_; }
  void SetSkinVersion(const std::string& v) { skin_version_ = v; }
  const std::string& Author() const { return author_; }
  void SetAuthor(const std::string& v) { author_ = v; }
  const std::string& AuthorEMail() const { return author_email_; }
  void SetAuthorEMail(const std::string& v) { author_email_ = v; }
  const std::string& AuthorURL() const { return author_url_; }
  void SetAuthorURL(const std::string& v) { author_url_ = v; }

  // From a stream: the filter whose signature the stream starts with, else
  // the default filter. To a stream: the default filter.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream);
  // From a file: the filter of the file's extension; a name that matches no
  // filter, or no file (also beside the program), loads nothing. To a file:
  // the extension's filter, else the default one.
  virtual void LoadFromFile(const std::string& file_name);
  virtual void SaveToFile(const std::string& file_name);

  // Empties the bitmap list and destroys every top-level object.
  void Clear();

  // First top-level object named so, ignoring case; nil for none.
  TLqSkinObject* FindObject(const std::string& name) const;
  int ObjectCount() const { return static_cast<int>(objects_.size()); }
  TLqSkinObject* Objects(int index) const;  // nil out of range
  // Takes the object (created without owner) into the list, gives its tree
  // the bitmap list.
  void AddObject(TLqSkinObject* object);

  TkivBitmapList* Bitmaps() const { return bitmaps_.get(); }
  TkivThemeColors* Colors() const { return colors_.get(); }
  TkivThemeSysColors* SysColors() const { return sys_colors_.get(); }
  TkivThemeFonts* Fonts() const { return fonts_.get(); }

  // Every bitmap, then every object tree.
  void ChangeHue(int32_t amount);
  void ChangeBrightness(int32_t amount);

  // From another source: the strings, copies of the bitmaps, clones of the
  // object trees (linked to this source's bitmaps) and the tables.
  void Assign(const TPersistent* source) override;

  // Fills the colour and font tables from the named objects, for files that
  // carry no tables.
  void DeriveTables();
  // Clears Masked on the first skClient object of each top-level tree (after
  // every load: a window's client area is never cut out).
  void UnmaskClients();

 private:
  std::string skin_name_ = "Kivstyle Theme";
  std::string skin_version_ = "3.5";
  std::string author_ = "KivView";
  std::string author_email_;
  std::string author_url_;
  std::vector<std::unique_ptr<TLqSkinObject>> objects_;
  std::unique_ptr<TkivBitmapList> bitmaps_;
  std::unique_ptr<TkivThemeColors> colors_;
  std::unique_ptr<TkivThemeSysColors> sys_colors_;
  std::unique_ptr<TkivThemeFonts> fonts_;
};

}  // namespace kiv
