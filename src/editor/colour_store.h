#pragma once

#include <QtGlobal>
#include <functional>
#include <vector>

namespace vistrel {

// One colour value (0x00BBGGRR) per character of a document, kept apart from the text so
// that colouring never enters the editor's undo history or touches its modified flag.
// Characters hold a small palette index; the store is chunked so that an edit in the middle
// of a large document moves at most one chunk.
class ColourStore {
 public:
  ColourStore();

  qsizetype size() const { return size_; }
  void Clear();
  void Insert(qsizetype pos, qsizetype count, int colour);
  void Remove(qsizetype pos, qsizetype count);
  // Sets [pos, pos + count) to colour; the range is clipped to the store.
  void Fill(qsizetype pos, qsizetype count, int colour);
  // The colour at pos; `fallback` outside the store.
  int At(qsizetype pos, int fallback) const;
  // Calls visit(start, length, colour) for each run of equal colour in [from, to).
  void ForEachRun(qsizetype from, qsizetype to,
                  const std::function<void(qsizetype, qsizetype, int)>& visit) const;

 private:
  using Chunk = std::vector<unsigned char>;
  unsigned char PaletteIndex(int colour);
  // Chunk holding pos and the offset inside it; pos == size_ gives the end of the last chunk.
  std::pair<size_t, qsizetype> Locate(qsizetype pos) const;
  void SplitIfLarge(size_t chunk);

  std::vector<Chunk> chunks_;
  std::vector<int> palette_;
  qsizetype size_ = 0;
  // The chunk found last and its start, so that runs filled in order find theirs at once.
  // Reset whenever chunk sizes change.
  mutable size_t hintChunk_ = 0;
  mutable qsizetype hintStart_ = 0;
};

}  // namespace vistrel
