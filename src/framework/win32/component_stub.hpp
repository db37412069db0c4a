#pragma once
// Stand-in for the framework core (component model, colours, font) until the
// core branch is merged; it mirrors the core's names and signatures for the
// subset the Win32 controls use, so that merging means deleting this file.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/types.hpp"

namespace kiv {

class TObject {
 public:
  virtual ~TObject() = default;
};

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr uint64_t Bits() const { return bits_; }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  friend constexpr bool operator==(TSet, TSet) = default;

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }
  uint64_t bits_ = 0;
};

template <class Sig>
class TEvent;
template <class R, class... A>
class TEvent<R(A...)> {
 public:
  using Function = std::function<R(A...)>;
  Function Handler;
  TObject* Data = nullptr;
  std::string MethodName;
  TEvent() = default;
  template <class F, class = std::enable_if_t<std::is_constructible_v<Function, F>>>
  TEvent(F f) : Handler(std::move(f)) {}  // NOLINT: assign a lambda directly in tests
  explicit operator bool() const { return static_cast<bool>(Handler); }
  R operator()(A... args) const { return Handler(std::forward<A>(args)...); }
  void Clear() { Handler = nullptr; }
};

using TNotifyEvent = TEvent<void(TObject* sender)>;

class TPersistent : public TObject {};

enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning,
                           csFreeNotification };
using TComponentState = TSet<TComponentStateItem>;
enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
  }
  ~TComponent() override {
    state_.Include(csDestroying);
    DestroyComponents();
    if (owner_) {
      auto& v = owner_->components_;
      v.erase(std::remove(v.begin(), v.end(), this), v.end());
      owner_->Notification(this, opRemove);
    }
  }
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  void DestroyComponents() {
    while (!components_.empty()) delete components_.back();
  }
  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int i) const { return components_[i]; }
  TComponent* FindComponent(std::string_view name) const {
    for (TComponent* c : components_)
      if (c->name_ == name) return c;
    return nullptr;
  }
  TComponentState ComponentState() const { return state_; }
  void SetState(TComponentStateItem item, bool on) {
    if (on)
      state_.Include(item);
    else
      state_.Exclude(item);
  }
  virtual void Loaded() { state_.Exclude(csLoading); }
  virtual void Notification(TComponent* component, TOperation operation) {
    for (TComponent* c : components_) c->Notification(component, operation);
  }
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* parent) {}

 private:
  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  TComponentState state_;
};

// Colours.
constexpr TColor kSysColorBase = static_cast<TColor>(0xFF000000u);
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clLime = 0x00FF00,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clYellow = 0x00FFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clWindow = kSysColorBase | 5;
constexpr TColor clWindowText = kSysColorBase | 8;
constexpr TColor clBtnFace = kSysColorBase | 15;
constexpr TColor clBtnShadow = kSysColorBase | 16;
constexpr TColor clBtnText = kSysColorBase | 18;
constexpr TColor clBtnHighlight = kSysColorBase | 20;
constexpr TColor cl3DDkShadow = kSysColorBase | 21;
TColor ColorToRGB(TColor color);

// Font.
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
using TFontCharset = uint8_t;
constexpr TFontCharset kDefaultCharset = 1;

class TFont : public TPersistent {
 public:
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { if (v != name_) { name_ = v; Changed(); } }
  int32_t Height() const { return height_; }
  void SetHeight(int32_t v) { if (v != height_) { height_ = v; Changed(); } }
  int32_t Size() const;
  void SetSize(int32_t v);
  TColor Color() const { return color_; }
  void SetColor(TColor v) { if (v != color_) { color_ = v; Changed(); } }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v) { if (!(v == style_)) { style_ = v; Changed(); } }
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset v) { if (v != charset_) { charset_ = v; Changed(); } }
  int PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int v) { pixels_per_inch_ = v > 0 ? v : 96; }
  void Assign(const TPersistent* source) {
    auto* f = dynamic_cast<const TFont*>(source);
    if (!f) return;
    if (f->name_ == name_ && f->height_ == height_ && f->color_ == color_ && f->style_ == style_ &&
        f->charset_ == charset_)
      return;
    name_ = f->name_;
    height_ = f->height_;
    color_ = f->color_;
    style_ = f->style_;
    charset_ = f->charset_;
    Changed();
  }
  TNotifyEvent OnChange;
  const std::shared_ptr<void>& PlatformHandle() const { return handle_; }
  void SetPlatformHandle(std::shared_ptr<void> handle) { handle_ = std::move(handle); }

 protected:
  virtual void Changed() {
    handle_.reset();
    if (OnChange) OnChange(this);
  }

 private:
  std::string name_ = "MS Sans Serif";
  int32_t height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_;
  TFontCharset charset_ = kDefaultCharset;
  int pixels_per_inch_ = 96;
  std::shared_ptr<void> handle_;
};

}  // namespace kiv
