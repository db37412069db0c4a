#pragma once
// GIF's variable-length LZW codes for frames whose minimum code size giflib
// does not take (9 to 11: pixel values wider than a byte, codes still at most
// 12 bits). The pixel data is a chain of sub-blocks (a length byte, then that
// many bytes; length 0 ends the chain) holding codes least significant bit
// first.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kiv {

// The largest minimum code size whose codes fit in GIF's 12 bits.
inline constexpr int kGifMaxMinCodeSize = 11;

class TGifLzwReader {
 public:
  // `data` (`size` bytes) starts at the first sub-block, just after the
  // minimum code size, which must be 1 to kGifMaxMinCodeSize.
  TGifLzwReader(int min_code_size, const uint8_t* data, size_t size);

  // The next `count` pixel values. False when the data ends or is damaged
  // first; Error() then says how.
  bool ReadPixels(uint16_t* out, size_t count);
  // Passes over what is left of the chain, up to and including its final
  // zero-length block. False when the data ends before that block.
  bool SkipRest();
  // Bytes of `data` used so far.
  size_t Consumed() const { return pos_; }
  const std::string& Error() const { return error_; }

 private:
  bool NextCode(int& code);
  bool Fail(const char* why);
  void Reset();

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  size_t block_left_ = 0;  // bytes left in the current sub-block
  bool chain_ended_ = false;
  uint32_t bits_ = 0;  // bit buffer
  int bit_count_ = 0;
  const int min_code_size_;
  const int clear_, end_;
  int next_ = 0, width_ = 0, prev_ = -1;
  std::array<uint16_t, 4096> prefix_{};
  std::array<uint16_t, 4096> suffix_{};
  std::array<uint16_t, 4096> first_{};  // first pixel of each code's string
  std::array<uint16_t, 4096> stack_{};  // a string's pixels, last first
  int pending_ = 0;
  std::string error_;
};

}  // namespace kiv
