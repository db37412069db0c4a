#pragma once
// TGraphic: anything that can draw itself on a canvas and load from bytes,
// a stream or a file.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/streams.hpp"
#include "framework/types.hpp"
#include "framework/win32/canvas.hpp"

namespace kiv {

class TGraphic {
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  virtual ~TGraphic() = default;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int) {}
  virtual void SetHeight(int) {}
  virtual bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  // Draws the graphic into r, stretched to it.
  virtual void Draw(TCanvas* canvas, const TRect& r) = 0;
  virtual void LoadFromBytes(const uint8_t* data, size_t size) = 0;
  virtual std::vector<uint8_t> SaveToBytes() const;
  virtual void LoadFromFile(const std::string& file_name);
  virtual void LoadFromFile(const std::wstring& file_name);
  void SaveToFile(const std::string& file_name) const;
  // The rest of the stream from its position (at most kMaxWholeFileSize).
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  // Makes this graphic a copy of another of the same kind; throws otherwise.
  virtual void Assign(const TGraphic& source);
  // A new graphic of the same class, empty.
  virtual std::unique_ptr<TGraphic> NewEmpty() const = 0;

  // Fired when the graphic's picture changes; an animated graphic fires it for
  // every frame so that whoever shows it repaints.
  std::function<void(TGraphic*)> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }

 private:
  bool transparent_ = false;
};

}  // namespace kiv
