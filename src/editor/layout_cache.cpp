#include "editor/layout_cache.h"

#include <QTextDocument>
#include <QTextLayout>

namespace vistrel {

void LayoutCache::Show(QTextDocument* document, const QTextBlock& first, int count) {
  if (!first.isValid()) return;
  const int from = first.blockNumber();
  QTextBlock block = first;
  for (int i = 0; i < count && block.isValid(); ++i, block = block.next()) {
    if (block.layout()->cacheEnabled()) continue;
    block.layout()->setCacheEnabled(true);
    shown_.push_back(from + i);
  }
  while (static_cast<int>(shown_.size()) > capacity_) {
    const int number = shown_.front();
    shown_.pop_front();
    if (number >= from && number < from + count) {
      shown_.push_back(number);  // still on screen
      continue;
    }
    const QTextBlock old = document->findBlockByNumber(number);
    if (!old.isValid() || !old.layout()->cacheEnabled()) continue;
    old.layout()->setCacheEnabled(false);
    // Laying it out again is what frees its glyphs.
    document->markContentsDirty(old.position(), old.length());
  }
}

}  // namespace vistrel
