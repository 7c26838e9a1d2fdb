#pragma once

#include <QTextBlock>
#include <deque>

class QTextDocument;

namespace vistrel {

// The control throws a line's shaped glyphs away after each layout and each paint, so every
// repaint shapes every visible line again: the larger part of a keystroke's cost on a page of
// long lines. The blocks shown keep their glyphs; beyond `capacity` blocks, those shown
// longest ago give theirs back, which bounds the memory on a page of many pieces.
class LayoutCache {
 public:
  explicit LayoutCache(int capacity) : capacity_(capacity) {}

  // Keeps the glyphs of the `count` blocks from `first` on, which are about to be painted.
  void Show(QTextDocument* document, const QTextBlock& first, int count);
  // For a new document, whose blocks have never been shown.
  void Clear() { shown_.clear(); }
  int size() const { return static_cast<int>(shown_.size()); }

 private:
  // Block numbers, oldest first. Edits that add or remove blocks above one shift its number;
  // a wrong guess only frees a block that is painted again later, or none.
  std::deque<int> shown_;
  int capacity_;
};

}  // namespace vistrel
