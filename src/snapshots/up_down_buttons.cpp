#include "snapshots/up_down_buttons.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace vistrel {

UpDownButtons::UpDownButtons(QLineEdit* buddy, int minimum, int maximum, int step, QWidget* parent)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum), step_(step) {
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setFixedSize(18, 11);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  connect(up_, &QToolButton::clicked, this, [this] { StepBy(1); });
  connect(down_, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

int UpDownButtons::Position() const {
  bool ok = false;
  const int value = buddy_->text().toInt(&ok, 10);
  return ok ? qBound(minimum_, value, maximum_) : minimum_;
}

void UpDownButtons::SetPosition(int value) {
  buddy_->setText(QString::number(qBound(minimum_, value, maximum_)));
}

void UpDownButtons::StepBy(int steps) { SetPosition(Position() + steps * step_); }

}  // namespace vistrel
