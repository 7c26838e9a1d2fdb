#include "thumbnails/thumbnail_list_view.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "thumbnails/thumbnail_delegate.h"
#include "thumbnails/thumbnail_model.h"

namespace vistrel {

ThumbnailListView::ThumbnailListView(QWidget* parent) : QListView(parent) {}

void ThumbnailListView::Attach(ThumbnailModel* model, ThumbnailDelegate* delegate) {
  setViewMode(QListView::IconMode);
  setMovement(QListView::Static);
  setResizeMode(QListView::Adjust);
  setWrapping(true);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSpacing(2);
  QFont small = font();
  small.setPointSize(kFontPoints);
  setFont(small);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, ThumbnailDelegate::kGrey);
  colours.setColor(QPalette::Text, ThumbnailDelegate::kFontColour);
  setPalette(colours);
  setAutoFillBackground(true);
  setModel(model);
  setItemDelegate(delegate);
  setGridSize(ThumbnailDelegate::CellSize(small) + QSize(4, 4));
  connect(this, &ThumbnailListView::CacheHintRequested, model, &ThumbnailModel::CacheHint);
}

bool ThumbnailListView::VisibleRange(int* first, int* last) const {
  const int rows = model() ? model()->rowCount(rootIndex()) : 0;
  if (rows == 0) return false;
  const QRect area = viewport()->rect();
  auto rectOf = [this](int row) { return visualRect(model()->index(row, 0, rootIndex())); };
  // Rows are laid out line by line, so both ends can be found by bisection.
  int low = 0, high = rows;
  while (low < high) {
    const int middle = (low + high) / 2;
    if (rectOf(middle).bottom() < area.top())
      low = middle + 1;
    else
      high = middle;
  }
  *first = low;
  high = rows;
  while (low < high) {
    const int middle = (low + high) / 2;
    if (rectOf(middle).top() <= area.bottom())
      low = middle + 1;
    else
      high = middle;
  }
  *last = low - 1;
  return *first <= *last;
}

void ThumbnailListView::paintEvent(QPaintEvent* event) {
  int first = 0, last = 0;
  if (VisibleRange(&first, &last)) Q_EMIT CacheHintRequested(first, last);
  QListView::paintEvent(event);
}

void ThumbnailListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Q_EMIT EnterPressed();
    return;
  }
  if (event->key() == Qt::Key_Delete) {
    Q_EMIT DeletePressed();
    return;
  }
  QListView::keyPressEvent(event);
}

void ThumbnailListView::keyReleaseEvent(QKeyEvent* event) {
  QListView::keyReleaseEvent(event);
  const bool onlyCtrl = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
  Q_EMIT KeyReleased(onlyCtrl && event->key() == Qt::Key_A);
}

void ThumbnailListView::mouseReleaseEvent(QMouseEvent* event) {
  QListView::mouseReleaseEvent(event);
  Q_EMIT MouseReleased();
}

void ThumbnailListView::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  Q_EMIT FocusChanged(true);
}

void ThumbnailListView::focusOutEvent(QFocusEvent* event) {
  QListView::focusOutEvent(event);
  Q_EMIT FocusChanged(false);
}

}  // namespace vistrel
