#include "render/view_place.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QSplitter>
#include <QStackedLayout>

namespace vistrel {

ViewPlace::ViewPlace(QWidget* widget)
    : widget_(widget),
      parent_(widget->parentWidget()),
      geometry_(widget->geometry()),
      visible_(!widget->isHidden()) {
  if (auto* splitter = qobject_cast<QSplitter*>(parent_.data())) {
    index_ = splitter->indexOf(widget);
    return;
  }
  QLayout* layout = parent_ ? parent_->layout() : nullptr;
  if (!layout) return;
  index_ = layout->indexOf(widget);
  if (index_ < 0) return;
  if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
    stretch_ = box->stretch(index_);
    alignment_ = box->itemAt(index_)->alignment();
  } else if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
    grid->getItemPosition(index_, &row_, &column_, &rowSpan_, &columnSpan_);
    alignment_ = grid->itemAt(index_)->alignment();
  }
}

void ViewPlace::Restore() const {
  if (!widget_ || !parent_) return;
  if (auto* splitter = qobject_cast<QSplitter*>(parent_.data())) {
    splitter->insertWidget(index_, widget_);
  } else {
    widget_->setParent(parent_);
    QLayout* layout = parent_->layout();
    if (layout && index_ >= 0) {
      if (auto* box = qobject_cast<QBoxLayout*>(layout))
        box->insertWidget(index_, widget_, stretch_, alignment_);
      else if (auto* grid = qobject_cast<QGridLayout*>(layout))
        grid->addWidget(widget_, row_, column_, rowSpan_, columnSpan_, alignment_);
      else if (auto* stack = qobject_cast<QStackedLayout*>(layout))
        stack->insertWidget(index_, widget_);
      else
        layout->addWidget(widget_);
    } else {
      widget_->setGeometry(geometry_);
    }
  }
  widget_->setVisible(visible_);
}

}  // namespace vistrel
