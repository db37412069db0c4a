#pragma once
// The roles the start-up sequence works through. The window fills them with
// whatever controls it has (today the framework's rich edit and panel; the
// library's themed ones later) without the sequence changing.
#include <string>

namespace kiv {

// The read-only box below the picture that shows the caption text.
class TCaptionBoxRole {
 public:
  virtual ~TCaptionBoxRole() = default;
  virtual void Clear() = 0;
  // Rich text when the content is rich text, plain text otherwise; throws
  // when the file cannot be read or loaded.
  virtual void LoadFromFile(const std::wstring& file_name) = 0;
  // Paragraphs centred (for plain text loaded afterwards as well).
  virtual void SetCentred() = 0;
  // Lines as the box lays them out at its current width, a final empty line
  // not counted.
  virtual int LineCount() = 0;
  // The font's height: negative for a character height in pixels.
  virtual int FontHeight() = 0;
  virtual int Top() = 0;
  virtual void SetHeight(int value) = 0;
  virtual void SetTop(int value) = 0;
  virtual void SetLeft(int value) = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetReadOnly(bool value) = 0;
  // Whether the box may show a vertical scroll bar (it does when its text
  // does not fit).
  virtual void SetVerticalScrollBar(bool value) = 0;
};

// The strip at the bottom of the window that holds the Close button.
class TBottomPanelRole {
 public:
  virtual ~TBottomPanelRole() = default;
  virtual int Height() = 0;
  virtual void SetTop(int value) = 0;
};

}  // namespace kiv
