#include "app/ui/placeholder_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/ui/title_bar.h"

namespace vistrel {

PlaceholderPage::PlaceholderPage(const QString& title, const QString& notice, QWidget* parent)
    : QWidget(parent) {
  title_ = new TitleBar(title, this);
  auto* label = new QLabel(notice, this);
  label->setAlignment(Qt::AlignCenter);
  label->setEnabled(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(title_);
  layout->addWidget(label, 1);
  title_->WatchFocusOf(this);
}

}  // namespace vistrel
