#pragma once

#include <QObject>

class QWidget;

namespace vistrel {

// Lets a window see Escape before its controls do and close on it: a browser pane would
// otherwise take the key for itself. Owned by (and watching) the window.
class EscapeCloses : public QObject {
 public:
  explicit EscapeCloses(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
};

}  // namespace vistrel
