#pragma once

#include <QString>

namespace vistrel {

// What the formatting driver needs of an editor: the source editor widget implements it over
// its document, the command line over a plain text. Positions and line numbers are 0-based.
class EditorAccess {
 public:
  virtual ~EditorAccess() = default;
  virtual QString SelectedText() const = 0;
  virtual qsizetype SelectionStart() const = 0;
  virtual qsizetype LineOfPosition(qsizetype position) const = 0;
  virtual QString LineText(qsizetype line) const = 0;
};

// A plain text with a selection (by default all of it); lines end at LF.
class PlainTextEditor : public EditorAccess {
 public:
  explicit PlainTextEditor(QString text);
  PlainTextEditor(QString text, qsizetype selectionStart, qsizetype selectionLength);

  QString SelectedText() const override;
  qsizetype SelectionStart() const override { return start_; }
  qsizetype LineOfPosition(qsizetype position) const override;
  QString LineText(qsizetype line) const override;

 private:
  QString text_;
  qsizetype start_ = 0;
  qsizetype length_ = 0;
};

}  // namespace vistrel
