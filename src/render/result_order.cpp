#include "render/result_order.h"

#include <algorithm>

namespace vistrel {

namespace {
constexpr int kMaxWindow = 64;  // bits in readyBits_
}

ResultOrder::ResultOrder(int total, int window)
    : end_(std::max(0, total)), window_(std::clamp(window, 1, kMaxWindow)) {}

int ResultOrder::NextToStart() const {
  if (started_ >= end_ || started_ >= given_ + window_) return -1;
  return started_;
}

void ResultOrder::EndAt(int index) { end_ = std::clamp(index, given_, end_); }

void ResultOrder::Ready(int index) {
  const int offset = index - given_;
  if (offset < 0 || offset >= window_) return;
  readyBits_ |= 1ULL << offset;
}

int ResultOrder::NextToGive() const { return (given_ < end_ && (readyBits_ & 1ULL)) ? given_ : -1; }

void ResultOrder::Given() {
  ++given_;
  readyBits_ >>= 1;
}

}  // namespace vistrel
