#pragma once
// GDI objects and the canvas: pens, brushes and fonts made into platform
// handles on demand, and TCanvas drawing with them on a device context.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/colors.hpp"
#include "framework/font.hpp"
#include "framework/types.hpp"

namespace kiv {

class TCanvas;

// The colour of a framework colour value on this display: system colours
// (negative values, 0x80000000 | index) resolve through the platform; clNone
// and clDefault have no colour and give black.
COLORREF ColorToRef(TColor color);

// ---------------------------------------------------------------------------
// Pen and brush: values with a change notification and a platform handle made
// on demand; the canvas that selects one lets go of it before it is freed.

// A new platform font for a framework font's values; the caller owns it.
HFONT CreateFontHandle(const TFont& font);

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmXor };
enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

// Shared by TPen and TBrush: owns the platform handle, frees it on change.
class TGraphicsObject {
 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  virtual ~TGraphicsObject() { FreeHandle(); }
  std::function<void()> OnChange;
  HGDIOBJ Handle();  // made on first use
  bool HandleAllocated() const { return handle_ != nullptr; }

 protected:
  virtual HGDIOBJ MakeHandle() const = 0;
  // Tells the holder (which deselects the old handle first), then frees it.
  void Changed();
  void FreeHandle();

 private:
  HGDIOBJ handle_ = nullptr;
};

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  int Width() const { return width_; }
  void SetWidth(int value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode value);
  void Assign(const TPen& other);

 protected:
  HGDIOBJ MakeHandle() const override;

 private:
  TColor color_ = 0;  // clBlack
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value);
  void Assign(const TBrush& other);

 protected:
  HGDIOBJ MakeHandle() const override;

 private:
  TColor color_ = 0xFFFFFF;  // clWhite
  TBrushStyle style_ = bsSolid;
};

// ---------------------------------------------------------------------------
// TCanvas: drawing on a device context with the canvas's own font, pen and
// brush, selected into the context before each operation that uses them.

class TGraphic;

class TCanvas {
 public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context, made on demand by CreateHandle when none is set.
  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont* Font() { return &font_; }
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  TPoint PenPos() const { return pen_pos_; }
  void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }

  // Paint code holding the canvas across a nested paint keeps it from being
  // taken away (a locked control canvas keeps its device context).
  void Lock() { ++lock_count_; }
  void Unlock() { --lock_count_; }
  int LockCount() const { return lock_count_; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(const TRect& r);
  void RoundRect(const TRect& r, int rx, int ry);
  void Ellipse(const TRect& r);
  void FillRect(const TRect& r);   // with Brush, no outline
  void FrameRect(const TRect& r);  // one-pixel outline with Brush's colour
  void Polygon(const std::vector<TPoint>& points);
  void Polyline(const std::vector<TPoint>& points);
  void TextOut(int x, int y, const std::wstring& text);
  void TextRect(const TRect& r, int x, int y, const std::wstring& text);  // clipped to r
  TSize TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
  void DrawFocusRect(const TRect& r);
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
  DWORD CopyMode = SRCCOPY;

  std::function<void()> OnChange;

 protected:
  virtual void CreateHandle() {}
  // Releases what was selected (stock objects back in) before the context goes.
  void DeselectHandles();

 private:
  enum : uint8_t { kFontValid = 1, kPenValid = 2, kBrushValid = 4 };
  void RequireState(uint8_t state);
  HDC dc_ = nullptr;
  uint8_t state_ = 0;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  HFONT font_handle_ = nullptr;
  TPoint pen_pos_;
  int lock_count_ = 0;
};

}  // namespace kiv
