#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace vistrel {

// The control lays out a line whole on every edit, so a line of megabytes is held as pieces
// of a few KB joined by display-only line breaks. This maps between positions in the control's
// document (which counts those breaks) and positions in the text (which does not).
class DisplayBreaks {
 public:
  // A piece is cut when it grows past kMaxPiece; loading and re-cutting aim at kPiece.
  static constexpr qsizetype kPiece = 1024;
  static constexpr qsizetype kMaxPiece = 2 * kPiece;

  void Clear() { breaks_.clear(); }
  bool empty() const { return breaks_.empty(); }
  qsizetype size() const { return static_cast<qsizetype>(breaks_.size()); }
  // Document positions of the display breaks, ascending.
  const std::vector<qsizetype>& positions() const { return breaks_; }

  qsizetype ToText(qsizetype documentPos) const;
  // The earliest document position for a text position: before a display break that sits
  // there, so a range ending at it stays inside its piece.
  qsizetype ToDocument(qsizetype textPos) const;
  // The document position holding the character at textPos.
  qsizetype CharToDocument(qsizetype textPos) const;
  bool IsBreak(qsizetype documentPos) const;
  // Display breaks in the document range [from, to).
  qsizetype CountIn(qsizetype from, qsizetype to) const;

  // Follows a document edit at `position` that removed `removed` characters and added
  // `added`; `addedBreaks` are the display breaks inside the added characters.
  void Change(qsizetype position, qsizetype removed, qsizetype added,
              const std::vector<qsizetype>& addedBreaks);
  // The text of the document characters from documentFrom on, display breaks left out.
  QString Strip(QStringView documentText, qsizetype documentFrom = 0) const;

 private:
  std::vector<qsizetype> breaks_;
};

// Where to cut a line so no piece is longer than kPiece: offsets of the characters that start
// a new piece, preferring just after a '>' or a blank in the second half of a piece and never
// inside a surrogate pair. Empty for lines up to kMaxPiece.
std::vector<qsizetype> PieceCuts(QStringView line);

}  // namespace vistrel
