#include "app/viewer/escape_closes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vistrel {

EscapeCloses::EscapeCloses(QWidget* window) : QObject(window), window_(window) {
  qApp->installEventFilter(this);
}

bool EscapeCloses::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress ||
      static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape || !window_->isVisible())
    return false;
  // Only keys meant for this window; a dialog opened over it keeps its own Escape. The
  // browser's page takes keys in objects that are no widgets, so the active window counts.
  auto* widget = qobject_cast<QWidget*>(watched);
  const bool ours =
      widget ? widget->window() == window_
             : QApplication::activeWindow() == window_ && !QApplication::activePopupWidget();
  if (!ours) return false;
  window_->close();
  return true;
}

}  // namespace vistrel
