#pragma once

#include <QListView>

namespace vistrel {

// The icon grid of the thumbnail page. Before painting it announces the range of items about
// to be shown, so their pictures are decoded before any is drawn; keys and mouse releases
// are handed to the page.
class ThumbnailDelegate;
class ThumbnailModel;

class ThumbnailListView : public QListView {
  Q_OBJECT
 public:
  static constexpr int kFontPoints = 8;

  explicit ThumbnailListView(QWidget* parent = nullptr);

  // The grid's look and behaviour over model and delegate; cache hints go to the model.
  void Attach(ThumbnailModel* model, ThumbnailDelegate* delegate);

  // First and last row whose cells meet the viewport; false when none does.
  bool VisibleRange(int* first, int* last) const;

 Q_SIGNALS:
  void CacheHintRequested(int first, int last);
  void EnterPressed();
  void DeletePressed();
  void KeyReleased(bool selectAllFirst);
  void MouseReleased();
  void FocusChanged(bool in);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace vistrel
