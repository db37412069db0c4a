#pragma once
// The start-up sequence's roles filled by the window's controls: the caption
// box by the rich edit (the library's themed one is a rich edit too), the
// bottom panel by the library's header panel.
#include "app/viewer_roles.hpp"
#include "controls/kiv_header_panel_win32.hpp"
#include "framework/win32/rich_edit.hpp"

namespace kiv {

class TRichEditCaptionBox : public TCaptionBoxRole {
 public:
  explicit TRichEditCaptionBox(TRichEdit* edit) : edit_(edit) {}
  void Clear() override;
  void LoadFromFile(const std::wstring& file_name) override;
  void SetCentred() override;
  int LineCount() override;
  int FontHeight() override;
  int Top() override;
  void SetHeight(int value) override;
  void SetTop(int value) override;
  void SetLeft(int value) override;
  void SetWidth(int value) override;
  void SetReadOnly(bool value) override;
  void SetVerticalScrollBar(bool value) override;

 private:
  TRichEdit* edit_;
};

class THeaderPanelBottom : public TBottomPanelRole {
 public:
  explicit THeaderPanelBottom(TKivHeaderPanel* panel) : panel_(panel) {}
  int Height() override;
  void SetTop(int value) override;

 private:
  TKivHeaderPanel* panel_;
};

}  // namespace kiv
