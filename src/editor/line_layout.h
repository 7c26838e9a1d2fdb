#pragma once

#include <QPlainTextDocumentLayout>

namespace vistrel {

// The control repaints its whole view when a change's removed and added lengths together
// reach past the block it starts in. A line whose colours change is marked dirty over its
// full length, which counts twice, so every keystroke and every recoloured line repainted a
// screen of long pieces. After a change that adds or removes no block, all it touched lies
// in [from, from + added): within one block, only that line is laid out and painted again.
class LineLayout : public QPlainTextDocumentLayout {
 public:
  explicit LineLayout(QTextDocument* document);

 protected:
  void documentChanged(int from, int removed, int added) override;

 private:
  int blocks_;
};

}  // namespace vistrel
