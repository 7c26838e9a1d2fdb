#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace vistrel {

// "Verification Report": the "Not Found:" and "Updated:" lines of the last verification.
class VerificationReportWindow : public QDialog {
  Q_OBJECT
 public:
  explicit VerificationReportWindow(QWidget* parent = nullptr);
  void SetLines(const QStringList& lines);
  QString text() const;

 private:
  QPlainTextEdit* text_;
};

}  // namespace vistrel
