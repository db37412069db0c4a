#include "framework/picture/gif_lzw.hpp"

namespace kiv {

namespace {
constexpr int kMaxCodes = 4096;  // 12-bit codes
}

TGifLzwReader::TGifLzwReader(int min_code_size, const uint8_t* data, size_t size)
    : data_(data),
      size_(size),
      min_code_size_(min_code_size),
      clear_(1 << min_code_size),
      end_((1 << min_code_size) + 1) {
  Reset();
}

void TGifLzwReader::Reset() {
  next_ = end_ + 1;
  width_ = min_code_size_ + 1;
  prev_ = -1;
}

bool TGifLzwReader::Fail(const char* why) {
  if (error_.empty()) error_ = why;
  return false;
}

bool TGifLzwReader::NextCode(int& code) {
  while (bit_count_ < width_) {
    if (block_left_ == 0) {
      if (chain_ended_) return Fail("the codes end before the frame's last pixel");
      if (pos_ >= size_) return Fail("the data ends too early");
      block_left_ = data_[pos_++];
      if (block_left_ == 0) {
        chain_ended_ = true;
        return Fail("the codes end before the frame's last pixel");
      }
    }
    if (pos_ >= size_) return Fail("the data ends too early");
    bits_ |= uint32_t(data_[pos_++]) << bit_count_;
    bit_count_ += 8;
    --block_left_;
  }
  code = int(bits_ & ((1u << width_) - 1));
  bits_ >>= width_;
  bit_count_ -= width_;
  return true;
}

bool TGifLzwReader::ReadPixels(uint16_t* out, size_t count) {
  size_t done = 0;
  while (done < count) {
    if (pending_ > 0) {
      out[done++] = stack_[size_t(--pending_)];
      continue;
    }
    int code = 0;
    if (!NextCode(code)) return false;
    if (code == clear_) {
      Reset();
      continue;
    }
    if (code == end_) return Fail("the end code comes before the frame's last pixel");
    if (prev_ < 0) {
      // After a clear code only single pixels have codes.
      if (code > clear_) return Fail("a code refers to a string not yet defined");
      stack_[size_t(pending_++)] = uint16_t(code);
      prev_ = code;
      continue;
    }
    const int in_code = code;
    if (code > next_ || (code == next_ && next_ >= kMaxCodes))
      return Fail("a code refers to a string not yet defined");
    if (code == next_) {
      // The string being defined: the previous one plus its own first pixel.
      stack_[size_t(pending_++)] = prev_ < clear_ ? uint16_t(prev_) : first_[size_t(prev_)];
      code = prev_;
    }
    while (code > end_) {
      stack_[size_t(pending_++)] = suffix_[size_t(code)];
      code = prefix_[size_t(code)];
    }
    stack_[size_t(pending_++)] = uint16_t(code);
    const uint16_t first = uint16_t(code);
    if (next_ < kMaxCodes) {
      prefix_[size_t(next_)] = uint16_t(prev_);
      suffix_[size_t(next_)] = first;
      first_[size_t(next_)] = prev_ < clear_ ? uint16_t(prev_) : first_[size_t(prev_)];
      ++next_;
      if (next_ == (1 << width_) && width_ < 12) ++width_;
    }
    prev_ = in_code;
  }
  return true;
}

bool TGifLzwReader::SkipRest() {
  while (!chain_ended_) {
    pos_ += block_left_;
    block_left_ = 0;
    if (pos_ >= size_) {
      pos_ = size_;
      return Fail("the data ends too early");
    }
    const size_t length = data_[pos_++];
    if (length == 0) chain_ended_ = true;
    block_left_ = length;
  }
  return true;
}

}  // namespace kiv
