// The caption box and bottom panel roles over the window's controls.
#include "app/viewer_roles_win32.hpp"

namespace kiv {

void TRichEditCaptionBox::Clear() {
  edit_->Clear();
}

void TRichEditCaptionBox::LoadFromFile(const std::wstring& file_name) {
  edit_->Lines()->LoadFromFile(file_name);
}

void TRichEditCaptionBox::SetCentred() {
  edit_->SetAlignment(taCenter);
}

int TRichEditCaptionBox::LineCount() {
  return edit_->Lines()->Count();
}

int TRichEditCaptionBox::FontHeight() {
  return edit_->Font()->Height();
}

int TRichEditCaptionBox::Top() {
  return edit_->Top();
}

void TRichEditCaptionBox::SetHeight(int value) {
  edit_->SetHeight(value);
}

void TRichEditCaptionBox::SetTop(int value) {
  edit_->SetTop(value);
}

void TRichEditCaptionBox::SetLeft(int value) {
  edit_->SetLeft(value);
}

void TRichEditCaptionBox::SetWidth(int value) {
  edit_->SetWidth(value);
}

void TRichEditCaptionBox::SetReadOnly(bool value) {
  edit_->SetReadOnly(value);
}

void TRichEditCaptionBox::SetVerticalScrollBar(bool value) {
  edit_->SetScrollBars(value ? ssVertical : ssNone);
}

int THeaderPanelBottom::Height() {
  return panel_->Height();
}

void THeaderPanelBottom::SetTop(int value) {
  panel_->SetTop(value);
}

}  // namespace kiv
