#include "thumbnails/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace vistrel {

BusyCursor::BusyCursor() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    set_ = true;
  }
}

BusyCursor::~BusyCursor() {
  if (set_) QGuiApplication::restoreOverrideCursor();
}

}  // namespace vistrel
