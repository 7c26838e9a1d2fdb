#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vistrel {

// Up and down arrows beside an entry: they step the number in the entry within a range and
// show it there. The entry stays free text, so what the user types is checked where it is
// used, not silently replaced.
class UpDownButtons : public QWidget {
  Q_OBJECT

 public:
  UpDownButtons(QLineEdit* buddy, int minimum, int maximum, int step, QWidget* parent = nullptr);

  int Position() const;  // the entry's number held in the range; the minimum for none
  void SetPosition(int value);
  void StepBy(int steps);

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 private:
  QLineEdit* buddy_;
  int minimum_;
  int maximum_;
  int step_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace vistrel
