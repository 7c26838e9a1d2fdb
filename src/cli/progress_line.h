#pragma once

#include <QElapsedTimer>
#include <QString>

namespace vistrel::cli {

// One line of progress on standard error, redrawn in place: count, total (when known), rate
// and the current file. Shown only when standard error is a terminal, so scripts and logs
// that capture it stay clean.
class ProgressLine {
 public:
  // quiet: never shown, even on a terminal.
  explicit ProgressLine(bool quiet);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // total 0 for an unknown total. Redraws at most ten times a second.
  void Show(int count, int total, const QString& current);
  // Wipes the line, so that messages and results start on a clean line.
  void Clear();

 private:
  bool shown_ = false;
  bool active_;
  QElapsedTimer clock_;
  qint64 lastDrawMs_ = -1000;
};

// The text of a progress line, cut to width columns (the file name loses its beginning).
QString ProgressText(int count, int total, double perSecond, const QString& current, int width);

}  // namespace vistrel::cli
