#pragma once

#include <QDialog>

class QTextEdit;

namespace vistrel {

// "About -  Vistrel v1.0a ": what the program is, its version, and the libraries it uses.
// Modal; Escape closes it.
class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* parent = nullptr);
  QString Text() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  QTextEdit* text_;
};

}  // namespace vistrel
