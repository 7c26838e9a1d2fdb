#include "app/ui/tooltip_switch.h"

#include <QEvent>
#include <QWidget>

namespace vistrel {

TooltipSwitch::TooltipSwitch(QObject* parent) : QObject(parent) {}

bool TooltipSwitch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return false;
  if (!enabled_) return true;
  if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->toolTipDuration() < 0)
    widget->setToolTipDuration(5000);
  return false;
}

}  // namespace vistrel
