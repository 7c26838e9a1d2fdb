#include "editor/colour_store.h"

#include <algorithm>

namespace vistrel {

namespace {
constexpr qsizetype kChunkTarget = 16 * 1024;
}

ColourStore::ColourStore() { Clear(); }

void ColourStore::Clear() {
  chunks_.assign(1, Chunk());
  size_ = 0;
  hintChunk_ = 0;
  hintStart_ = 0;
}

unsigned char ColourStore::PaletteIndex(int colour) {
  const auto found = std::find(palette_.begin(), palette_.end(), colour);
  if (found != palette_.end()) return static_cast<unsigned char>(found - palette_.begin());
  // Only the few colours of the schemes ever reach here; the oldest unused slot would be
  // the place to recycle should that ever change.
  if (palette_.size() == 256)
    palette_.back() = colour;
  else
    palette_.push_back(colour);
  return static_cast<unsigned char>(std::find(palette_.begin(), palette_.end(), colour) -
                                    palette_.begin());
}

std::pair<size_t, qsizetype> ColourStore::Locate(qsizetype pos) const {
  size_t c = 0;
  qsizetype start = 0;
  if (hintChunk_ < chunks_.size() && pos >= hintStart_) {
    c = hintChunk_;
    start = hintStart_;
  }
  for (; c < chunks_.size(); ++c) {
    const qsizetype len = static_cast<qsizetype>(chunks_[c].size());
    if (pos - start < len || c + 1 == chunks_.size()) break;
    start += len;
  }
  hintChunk_ = c;
  hintStart_ = start;
  return {c, pos - start};
}

void ColourStore::SplitIfLarge(size_t chunk) {
  Chunk& big = chunks_[chunk];
  if (static_cast<qsizetype>(big.size()) <= 2 * kChunkTarget) return;
  std::vector<Chunk> pieces;
  for (size_t from = 0; from < big.size(); from += static_cast<size_t>(kChunkTarget))
    pieces.emplace_back(big.begin() + static_cast<std::ptrdiff_t>(from),
                        big.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(
                                          big.size(), from + static_cast<size_t>(kChunkTarget))));
  chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk));
  chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk),
                 std::make_move_iterator(pieces.begin()), std::make_move_iterator(pieces.end()));
}

void ColourStore::Insert(qsizetype pos, qsizetype count, int colour) {
  if (count <= 0) return;
  pos = std::clamp<qsizetype>(pos, 0, size_);
  const unsigned char index = PaletteIndex(colour);
  const auto [c, offset] = Locate(pos);
  Chunk& chunk = chunks_[c];
  chunk.insert(chunk.begin() + static_cast<std::ptrdiff_t>(offset), static_cast<size_t>(count),
               index);
  size_ += count;
  SplitIfLarge(c);
  hintChunk_ = 0;
  hintStart_ = 0;
}

void ColourStore::Remove(qsizetype pos, qsizetype count) {
  pos = std::clamp<qsizetype>(pos, 0, size_);
  count = std::min(count, size_ - pos);
  while (count > 0) {
    const auto [c, offset] = Locate(pos);
    Chunk& chunk = chunks_[c];
    const qsizetype take =
        std::min<qsizetype>(count, static_cast<qsizetype>(chunk.size()) - offset);
    chunk.erase(chunk.begin() + static_cast<std::ptrdiff_t>(offset),
                chunk.begin() + static_cast<std::ptrdiff_t>(offset + take));
    if (chunk.empty() && chunks_.size() > 1)
      chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(c));
    size_ -= take;
    count -= take;
    hintChunk_ = 0;
    hintStart_ = 0;
  }
}

void ColourStore::Fill(qsizetype pos, qsizetype count, int colour) {
  if (pos < 0) {
    count += pos;
    pos = 0;
  }
  count = std::min(count, size_ - pos);
  if (count <= 0) return;
  const unsigned char index = PaletteIndex(colour);
  auto [c, offset] = Locate(pos);
  while (count > 0 && c < chunks_.size()) {
    Chunk& chunk = chunks_[c];
    const qsizetype take =
        std::min<qsizetype>(count, static_cast<qsizetype>(chunk.size()) - offset);
    std::fill_n(chunk.begin() + static_cast<std::ptrdiff_t>(offset), take, index);
    count -= take;
    ++c;
    offset = 0;
  }
}

int ColourStore::At(qsizetype pos, int fallback) const {
  if (pos < 0 || pos >= size_) return fallback;
  const auto [c, offset] = Locate(pos);
  return palette_[chunks_[c][static_cast<size_t>(offset)]];
}

void ColourStore::ForEachRun(qsizetype from, qsizetype to,
                             const std::function<void(qsizetype, qsizetype, int)>& visit) const {
  from = std::max<qsizetype>(from, 0);
  to = std::min(to, size_);
  if (from >= to) return;
  auto [c, offset] = Locate(from);
  qsizetype pos = from;
  qsizetype runStart = from;
  int runIndex = -1;
  while (pos < to && c < chunks_.size()) {
    const Chunk& chunk = chunks_[c];
    for (; offset < static_cast<qsizetype>(chunk.size()) && pos < to; ++offset, ++pos) {
      const int index = chunk[static_cast<size_t>(offset)];
      if (index != runIndex) {
        if (runIndex >= 0) visit(runStart, pos - runStart, palette_[static_cast<size_t>(runIndex)]);
        runStart = pos;
        runIndex = index;
      }
    }
    ++c;
    offset = 0;
  }
  if (runIndex >= 0) visit(runStart, pos - runStart, palette_[static_cast<size_t>(runIndex)]);
}

}  // namespace vistrel
