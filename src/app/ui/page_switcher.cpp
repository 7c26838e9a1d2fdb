#include "app/ui/page_switcher.h"

#include <QVBoxLayout>

namespace vistrel {

PageSwitcher::PageSwitcher(QWidget* parent) : QWidget(parent) {
  tabs_ = new QTabBar(this);
  tabs_->setDocumentMode(true);
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);
  stack_ = new QStackedWidget(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tabs_);
  layout->addWidget(stack_, 1);
  connect(tabs_, &QTabBar::currentChanged, this, &PageSwitcher::OnTabChanged);
}

void PageSwitcher::AddPage(QWidget* page, const QString& caption) {
  stack_->addWidget(page);
  reverting_ = true;  // the first tab becomes current without asking anyone
  tabs_->addTab(caption);
  reverting_ = false;
  if (shown_ < 0) shown_ = 0;
}

void PageSwitcher::SetPage(int index, QWidget* page) {
  QWidget* old = stack_->widget(index);
  stack_->insertWidget(index, page);
  stack_->removeWidget(old);
  old->deleteLater();
  stack_->setCurrentIndex(shown_);
}

bool PageSwitcher::RequestPage(int index) {
  if (index != tabs_->currentIndex()) tabs_->setCurrentIndex(index);
  return tabs_->currentIndex() == index;
}

void PageSwitcher::OnTabChanged(int index) {
  if (reverting_ || index == shown_) return;
  if (MayChange && !MayChange(shown_, index)) {
    reverting_ = true;
    tabs_->setCurrentIndex(shown_);
    reverting_ = false;
    return;
  }
  shown_ = index;
  stack_->setCurrentIndex(index);
  Q_EMIT PageChanged(index);
}

}  // namespace vistrel
