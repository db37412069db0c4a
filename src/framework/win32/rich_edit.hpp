#pragma once
// TRichEdit: the platform's rich-text edit control, and its lines.
#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "framework/streams.hpp"
#include "framework/win32/form.hpp"
#include "framework/win32/win_control.hpp"

namespace kiv {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
inline constexpr std::array<std::string_view, 4> kScrollStyleNames{"ssNone", "ssHorizontal",
                                                                   "ssVertical", "ssBoth"};
static_assert(kScrollStyleNames.size() == ssBoth + 1);

class TRichEdit;

// The lines of a rich edit, as far as loading and counting go.
class TRichEditStrings {
 public:
  explicit TRichEditStrings(TRichEdit* edit) : edit_(edit) {}
  // Lines as the control lays them out; a final empty line is not counted.
  int Count() const;
  std::wstring Get(int index) const;
  // Streams the file in as rich text; when that fails, again as plain text;
  // when both fail, EOutOfResources "Failed to Load Stream".
  void LoadFromFile(const std::string& file_name);
  void LoadFromFile(const std::wstring& file_name);
  void LoadFromStream(TStream& stream);
  void Clear();

 private:
  TRichEdit* edit_;
};

// The platform's rich-text edit control.
class TRichEdit : public TWinControl {
  KIV_CLASS(TRichEdit, TWinControl)
 public:
  explicit TRichEdit(TComponent* owner);
  ~TRichEdit() override;
  TRichEditStrings* Lines() { return &lines_; }
  void Clear();
  // Paragraph alignment of the whole text, and of plain text loaded later.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TAlignment ParagraphAlignment(int line);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value);
  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle value);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle value);
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool value) { want_tabs_ = value; }
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool value) { want_returns_ = value; }
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);

 protected:
  friend class TRichEditStrings;
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& m) override;
  void ApplyAlignment();

 private:
  TRichEditStrings lines_;
  std::string saved_rtf_;  // the content while the window is remade
  TAlignment alignment_ = taLeftJustify;
  bool read_only_ = false;
  TScrollStyle scroll_bars_ = ssNone;
  TBorderStyle border_style_ = bsSingle;
  bool want_tabs_ = false, want_returns_ = true, word_wrap_ = true;
};

}  // namespace kiv
