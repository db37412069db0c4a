#pragma once
// Bitmap links name one rectangle of a surface and record which of its nine
// parts (corners, edges, centre, for given margins) hold transparent pixels.
// Bitmap lists own the surfaces of one theme and hand out links by name.
#include <string>
#include <vector>

#include "framework/classes.hpp"
#include "framework/collections.hpp"
#include "framework/types.hpp"

namespace kiv {

class TkivBitmap;

// Published: Name, Left, Top, Right, Bottom (stored straight into the
// rectangle, no checks).
class TkivBitmapLink : public TPersistent {
  KIV_CLASS(TkivBitmapLink, TPersistent)

 public:
  TkivBitmapLink() = default;

  // From another link: the surface reference, rectangle, name and flags.
  void Assign(const TPersistent* source) override;

  TkivBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TkivBitmap* value) { bitmap_ = value; }
  const std::string& Name() const { return name_; }
  void SetName(std::string value) { name_ = std::move(value); }
  int32_t Left() const { return rect_.Left; }
  int32_t Top() const { return rect_.Top; }
  int32_t Right() const { return rect_.Right; }
  int32_t Bottom() const { return rect_.Bottom; }
  void SetLeft(int32_t v) { rect_.Left = v; }
  void SetTop(int32_t v) { rect_.Top = v; }
  void SetRight(int32_t v) { rect_.Right = v; }
  void SetBottom(int32_t v) { rect_.Bottom = v; }
  TRect Rect() const { return rect_; }
  void SetRect(TRect value) { rect_ = value; }

  bool HasMaskedBorder() const { return masked_border_; }
  bool HasMaskedAngles() const { return masked_angles_; }
  bool HasMaskedBody() const { return masked_body_; }

  // A surface and a rectangle of positive area.
  bool IsValid() const;
  // Margins read as left, top, right and bottom widths.
  void Analyse(TRect margins);
  void Analyse() { Analyse(TRect{}); }

 private:
  TkivBitmap* bitmap_ = nullptr;
  TRect rect_;
  std::string name_;
  bool masked_border_ = false;
  bool masked_angles_ = false;
  bool masked_body_ = false;
};

// A framework list of surfaces that owns them: Clear and destruction free
// every surface before the list is emptied.
class TkivBitmapList : public TList {
 public:
  TkivBitmapList() = default;
  ~TkivBitmapList() override { Clear(); }
  TkivBitmapList(const TkivBitmapList&) = delete;
  TkivBitmapList& operator=(const TkivBitmapList&) = delete;

  int32_t Add(TkivBitmap* bitmap) { return TList::Add(bitmap); }  // takes ownership
  void Clear() override;

  // Nil outside 0..Count-1.
  TkivBitmap* GetBitmap(int32_t index) const;
  // First surface whose Name equals name ignoring letter case, or nil.
  TkivBitmap* FindBitmap(const std::string& name) const;
  // A new link to rect of that surface (the caller owns it), or nil.
  TkivBitmapLink* CreateLink(const std::string& name, TRect rect) const;
};

}  // namespace kiv
