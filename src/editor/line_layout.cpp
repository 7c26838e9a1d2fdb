#include "editor/line_layout.h"

#include <QTextDocument>
#include <algorithm>

namespace vistrel {

LineLayout::LineLayout(QTextDocument* document)
    : QPlainTextDocumentLayout(document), blocks_(document->blockCount()) {}

void LineLayout::documentChanged(int from, int removed, int added) {
  const int blocks = document()->blockCount();
  if (blocks == blocks_) {
    removed = 0;
    added = std::max(added, 1);  // a removal: the block that closed over it
  }
  blocks_ = blocks;
  QPlainTextDocumentLayout::documentChanged(from, removed, added);
}

}  // namespace vistrel
