#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

namespace vistrel {

// Where a widget sits in its window (parent, place in the parent's layout or splitter,
// geometry, visibility), so that it can be lent to another window and put back exactly.
class ViewPlace {
 public:
  explicit ViewPlace(QWidget* widget);
  // Puts the widget back; does nothing when the old parent is gone.
  void Restore() const;

 private:
  QPointer<QWidget> widget_;
  QPointer<QWidget> parent_;
  QRect geometry_;
  bool visible_ = false;
  int index_ = -1;
  int stretch_ = 0;
  int row_ = 0, column_ = 0, rowSpan_ = 1, columnSpan_ = 1;
  Qt::Alignment alignment_;
};

}  // namespace vistrel
