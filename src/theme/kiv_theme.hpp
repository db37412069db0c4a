#pragma once
// TkivTheme: the object through which every themed control paints. It is the
// library's built-in theme and the base of the file themes, which override its
// operations one by one. It owns six sections (colours, system colours, fonts,
// drawing, metrics, options) and declares the operation set of
// theme/theme_operations.hpp as virtual operations in slot order.
//
// The built-in answers: every Supports... query is false (a control never
// picks the built-in theme by itself), the ...IsTransparent queries answer as
// the operation list gives, the content rectangles and the window geometry are
// computed here; the paint operations draw on a device context.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "framework/classes.hpp"
#include "framework/font.hpp"
#include "framework/types.hpp"
#include "theme/theme_operations.hpp"
#include "theme/theme_records.hpp"
#include "theme/theme_sections.hpp"

// <windows.h> maps DrawText to DrawTextA/W; the theme's operation keeps its
// name in every unit, whatever was included before.
#ifdef DrawText
#undef DrawText
#endif

namespace kiv {

class TCanvas;
class TStream;

// A platform region handle (HRGN on Windows); none means a rectangular window.
using TkivRegion = void*;

// What a theme can do beyond drawing.
struct TkivThemeConfig {
  bool ToolBarLayout = false;
  bool CanSave = false;       // the theme can be written to a stream
  bool FileBased = false;     // the theme is read from a file
  std::string FileFilter;     // filter text of a file-open dialog
  std::string FileExtension;  // default extension, without the dot
};

// One slot of the operation set: its family and its name.
struct TkivThemeOperation {
  const char* Family;
  const char* Name;
};

// The operation set in slot order (152 after the three that TPersistent
// brings), from the same list that declares the operations.
std::span<const TkivThemeOperation> ThemeOperations();

class TkivTheme : public TPersistent {
  KIV_CLASS(TkivTheme, TPersistent)
 public:
  // Name "Default theme"; the sections are made in the order colours, system
  // colours, fonts, metrics, drawing, options; then the built-in LoadDefaults.
  // (A file theme whose default loaders differ runs its own LoadDefaults in
  // its constructor: a base constructor reaches only the base's operations.)
  TkivTheme();
  // Frees the sections in the order options, metrics, drawing, fonts, system
  // colours, colours.
  ~TkivTheme() override;
  TkivTheme(const TkivTheme&) = delete;
  TkivTheme& operator=(const TkivTheme&) = delete;

  TkivThemeColors* Colors() const { return colors_.get(); }
  TkivThemeFonts* Fonts() const { return fonts_.get(); }
  TkivThemeSysColors* SysColors() const { return sys_colors_.get(); }
  TkivThemeDrawing* Drawing() const { return drawing_.get(); }
  TkivThemeMetrics* Metrics() const { return metrics_.get(); }
  TkivThemeOptions* Options() const { return options_.get(); }

  // Shifts applied when defaults are (re)loaded; changing them recolours
  // nothing by itself.
  int32_t Hue() const { return hue_; }
  void SetHue(int32_t value) { hue_ = value; }
  int32_t Brightness() const { return brightness_; }
  void SetBrightness(int32_t value) { brightness_ = value; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value) { name_ = value; }
  const std::string& FileName() const { return file_name_; }
  void SetFileName(const std::string& value) { file_name_ = value; }

  // From another theme: Name and the colour, system-colour, font and options
  // sections (not drawing, metrics, Hue, Brightness or FileName). From
  // anything else the framework's assignment error, with nothing changed.
  void Assign(const TPersistent* source) override;

  // The operation set, in slot order.
#define KIV_DECLARE_CTOR(family, name)
#define KIV_DECLARE_OP(family, name, result, params) virtual result name params;
#define KIV_DECLARE_SUPPORTS(family, name) \
  virtual bool name(uint8_t kind, const std::string& object);
#define KIV_DECLARE_QUERY(family, name, answer) \
  virtual bool name(uint8_t kind, const std::string& object);
#define KIV_DECLARE_RECT(family, name, Source) \
  virtual TRect name(uint8_t kind, const Source& source, const std::string& object);
#define KIV_DECLARE_PAINT(family, name, Record) \
  virtual void name(uint8_t kind, TCanvas& canvas, const std::string& object, const Record& info);
#define KIV_DECLARE_TEXT(family, name, Record)                                \
  virtual void name(uint8_t kind, TCanvas& canvas, const std::string& object, \
                    const TkivTextInfo& text, const Record& info);
#define KIV_DECLARE_GLYPH(family, name, Record)                               \
  virtual void name(uint8_t kind, TCanvas& canvas, const std::string& object, \
                    const TkivGlyphInfo& glyph, const Record& info);
  KIV_THEME_OPERATIONS(KIV_DECLARE_CTOR, KIV_DECLARE_OP, KIV_DECLARE_SUPPORTS, KIV_DECLARE_QUERY,
                       KIV_DECLARE_RECT, KIV_DECLARE_PAINT, KIV_DECLARE_TEXT, KIV_DECLARE_GLYPH)
#undef KIV_DECLARE_CTOR
#undef KIV_DECLARE_OP
#undef KIV_DECLARE_SUPPORTS
#undef KIV_DECLARE_QUERY
#undef KIV_DECLARE_RECT
#undef KIV_DECLARE_PAINT
#undef KIV_DECLARE_TEXT
#undef KIV_DECLARE_GLYPH

 private:
  std::unique_ptr<TkivThemeColors> colors_;
  std::unique_ptr<TkivThemeFonts> fonts_;
  int32_t hue_ = 0;
  int32_t brightness_ = 0;
  std::string name_;
  std::string file_name_;
  std::unique_ptr<TkivThemeSysColors> sys_colors_;
  std::unique_ptr<TkivThemeDrawing> drawing_;
  std::unique_ptr<TkivThemeMetrics> metrics_;
  std::unique_ptr<TkivThemeOptions> options_;
};

}  // namespace kiv
