#pragma once

#include <QWidget>

#include "core/page_list.h"

namespace vistrel {

class TitleBar;

// A page whose content is not part of this build yet: a title bar and an empty list.
class PlaceholderPage : public QWidget, public PageList {
  Q_OBJECT
 public:
  PlaceholderPage(const QString& title, const QString& notice, QWidget* parent = nullptr);
  TitleBar* titleBar() const { return title_; }

  int ItemCount() const override { return 0; }
  int SelectedCount() const override { return 0; }
  bool IsSelected(int) const override { return false; }
  QString FileOfItem(int, bool) const override { return {}; }
  QString CurrentFile() const override { return {}; }

 private:
  TitleBar* title_;
};

}  // namespace vistrel
