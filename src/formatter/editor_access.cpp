#include "formatter/editor_access.h"

#include <algorithm>

namespace vistrel {

PlainTextEditor::PlainTextEditor(QString text)
    : text_(std::move(text)), start_(0), length_(text_.size()) {}

PlainTextEditor::PlainTextEditor(QString text, qsizetype selectionStart, qsizetype selectionLength)
    : text_(std::move(text)) {
  start_ = std::clamp<qsizetype>(selectionStart, 0, text_.size());
  length_ = std::clamp<qsizetype>(selectionLength, 0, text_.size() - start_);
}

QString PlainTextEditor::SelectedText() const {
  return start_ == 0 && length_ == text_.size() ? text_ : text_.mid(start_, length_);
}

qsizetype PlainTextEditor::LineOfPosition(qsizetype position) const {
  return QStringView(text_)
      .left(std::clamp<qsizetype>(position, 0, text_.size()))
      .count(QLatin1Char('\n'));
}

QString PlainTextEditor::LineText(qsizetype line) const {
  qsizetype start = 0;
  for (qsizetype i = 0; i < line; ++i) {
    start = text_.indexOf(QLatin1Char('\n'), start);
    if (start < 0) return {};
    ++start;
  }
  qsizetype end = text_.indexOf(QLatin1Char('\n'), start);
  if (end < 0) end = text_.size();
  return text_.mid(start, end - start);
}

}  // namespace vistrel
