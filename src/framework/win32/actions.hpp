#pragma once
// Actions with their lists, and image lists.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "framework/classes.hpp"
#include "framework/win32/graphics.hpp"

namespace kiv {

class TControl;
class TActionList;

// How an image list draws its images: dsTransparent leaves the pixels its
// mask marks untouched whatever the list's background; the others are the
// list's ordinary looks (focused and selected blend in the highlight colour).
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
inline constexpr std::array<std::string_view, 4> kDrawingStyleNames{"dsFocus", "dsSelected",
                                                                    "dsNormal", "dsTransparent"};
static_assert(kDrawingStyleNames.size() == dsTransparent + 1);

// A set of images of one size. A masked list (the default) keeps a mask with
// every image and draws transparently where the mask says.
class TImageList : public TComponent {
  KIV_CLASS(TImageList, TComponent)
 public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);  // clears the list
  bool Masked() const { return masked_; }
  void SetMasked(bool value);  // clears the list when it changes
  TDrawingStyle DrawingStyle() const { return drawing_style_; }
  void SetDrawingStyle(TDrawingStyle value) { drawing_style_ = value; }
  int Count() const;
  // Adds the images of a strip (as many as fit its width); the mask marks
  // transparent pixels white. Returns the index of the first one.
  int Add(TBitmap* image, TBitmap* mask);
  // Adds, taking pixels of mask_color as transparent.
  int AddMasked(TBitmap* image, TColor mask_color);
  void Clear();
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  HIMAGELIST Handle();

 private:
  void Recreate();
  int width_ = 16, height_ = 16;
  bool masked_ = true;
  TDrawingStyle drawing_style_ = dsNormal;
  HIMAGELIST list_ = nullptr;
};

// A command shared by the controls that show it: caption, enabled state,
// image and the handler run when any of them is clicked.
class TAction : public TComponent {
  KIV_CLASS(TAction, TComponent)
 public:
  explicit TAction(TComponent* owner);
  ~TAction() override;

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& value);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int value);
  TActionList* ActionList() const { return list_; }
  void SetActionList(TActionList* list);

  // Runs OnExecute (when enabled); true when a handler ran.
  bool Execute();
  bool Executing() const { return executing_; }
  TNotifyEvent OnExecute;

  void RegisterClient(TControl* client);
  void UnregisterClient(TControl* client);
  int ClientCount() const { return static_cast<int>(clients_.size()); }

 private:
  void Changed();
  std::wstring caption_, hint_;
  bool enabled_ = true, visible_ = true;
  int image_index_ = -1;
  bool executing_ = false;
  TActionList* list_ = nullptr;
  std::vector<TControl*> clients_;
};

class TActionList : public TComponent {
  KIV_CLASS(TActionList, TComponent)
 public:
  explicit TActionList(TComponent* owner) : TComponent(owner) {}
  ~TActionList() override;
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* value) { images_ = value; }
  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TAction* Actions(int i) const { return actions_[i]; }
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TAction;
  TImageList* images_ = nullptr;
  std::vector<TAction*> actions_;
};

}  // namespace kiv
