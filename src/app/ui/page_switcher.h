#pragma once

#include <QStackedWidget>
#include <QTabBar>
#include <QWidget>
#include <functional>

namespace vistrel {

// Flat tab buttons over a stack of pages, with a veto before the active page changes
// (QTabWidget offers no such hook).
class PageSwitcher : public QWidget {
  Q_OBJECT
 public:
  explicit PageSwitcher(QWidget* parent = nullptr);
  void AddPage(QWidget* page, const QString& caption);
  void SetPage(int index, QWidget* page);  // replaces a page, keeping its tab
  int CurrentIndex() const { return tabs_->currentIndex(); }
  // Asks the veto first; returns whether the page is now the active one.
  bool RequestPage(int index);
  void SetCaption(int index, const QString& caption) { tabs_->setTabText(index, caption); }
  QString Caption(int index) const { return tabs_->tabText(index); }
  QTabBar* tabBar() const { return tabs_; }
  QWidget* Page(int index) const { return stack_->widget(index); }

  // Called with (from, to) before a change; false keeps the current page.
  std::function<bool(int, int)> MayChange;

 Q_SIGNALS:
  void PageChanged(int index);

 private:
  void OnTabChanged(int index);
  QTabBar* tabs_;
  QStackedWidget* stack_;
  int shown_ = -1;
  bool reverting_ = false;
};

}  // namespace vistrel
