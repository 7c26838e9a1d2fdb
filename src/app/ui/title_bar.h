#pragma once

#include <QLabel>
#include <QPointer>

namespace vistrel {

// A grey bar with white bold text that turns teal while the region it heads holds the focus.
class TitleBar : public QLabel {
  Q_OBJECT
 public:
  explicit TitleBar(const QString& text, QWidget* parent = nullptr);
  void WatchFocusOf(QWidget* region);
  bool IsHighlighted() const { return highlighted_; }

 private:
  void OnFocusChanged(QWidget* old, QWidget* now);
  void SetHighlighted(bool on);
  QPointer<QWidget> region_;
  bool highlighted_ = false;
};

}  // namespace vistrel
