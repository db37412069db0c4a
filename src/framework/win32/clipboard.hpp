#pragma once
// The system clipboard, as far as pictures and text go.
#include <string>

#include "framework/win32/bitmap.hpp"

namespace kiv {

class TClipboard {
 public:
  void Assign(TBitmap* bitmap);  // puts a copy of the bitmap as CF_BITMAP
  bool HasBitmap() const;
  void GetBitmap(TBitmap* into);  // reads CF_BITMAP; throws when there is none
  void SetAsText(const std::wstring& text);
  std::wstring AsText() const;
};
TClipboard* Clipboard();

}  // namespace kiv
