#pragma once
// TDibSection: owns one DIB section (a GDI bitmap whose pixel rows the program
// addresses directly) and, once asked for, a memory device context with the
// section selected into it. Both go when the owner goes.
#include <windows.h>

namespace kiv {

class TDibSection {
 public:
  enum TRowOrder { roBottomUp, roTopDown };

  TDibSection() = default;
  // A section of any layout CreateDIBSection takes (palette, bit fields).
  // Throws EOutOfResources when the platform refuses.
  explicit TDibSection(const BITMAPINFO& info);
  // A 32-bit section without palette, rows in the given order.
  TDibSection(int width, int height, TRowOrder order);
  // Takes over a section and context made earlier and given up by Release.
  TDibSection(HBITMAP bitmap, HDC dc);
  TDibSection(const TDibSection&) = delete;
  TDibSection& operator=(const TDibSection&) = delete;
  TDibSection(TDibSection&& other) noexcept;
  TDibSection& operator=(TDibSection&& other) noexcept;
  ~TDibSection() { Reset(); }

  explicit operator bool() const { return bitmap_ != nullptr; }
  HBITMAP Handle() const { return bitmap_; }
  void* Bits() const { return bits_; }
  // The memory context holding the section, made on first use.
  HDC DC();
  // Frees the context and the section.
  void Reset();
  // Gives the section and the context (if made) up to the caller.
  void Release();

 private:
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_object_ = nullptr;
};

}  // namespace kiv
