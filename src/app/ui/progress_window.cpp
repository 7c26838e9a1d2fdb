#include "app/ui/progress_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vistrel {

ProgressWindow::ProgressWindow(bool& abortRequested, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      abortRequested_(abortRequested) {
  setWindowTitle(QStringLiteral("Vistrel Progress"));
  setModal(false);
  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("ProgBar"));
  bar_->setTextVisible(false);
  button_ = new QPushButton(QStringLiteral("<Esc> - Stop"), this);
  button_->setObjectName(QStringLiteral("Button1"));
  button_->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->addWidget(button_, 0, Qt::AlignHCenter);
  setFixedSize(420, 87);
  connect(button_, &QPushButton::clicked, this, &ProgressWindow::Stop);
}

void ProgressWindow::InitProgBar(int maximum) {
  bar_->setRange(0, qMax(0, maximum));
  bar_->setValue(0);
}

void ProgressWindow::showEvent(QShowEvent* event) {
  label_->clear();
  abortRequested_ = false;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
}

void ProgressWindow::Begin(int maximum) {
  InitProgBar(maximum);
  show();
  // Shown windows reset the flag; a window shown already keeps an earlier stop otherwise.
  abortRequested_ = false;
  if (owner_) owner_->setEnabled(false);
  raise();
}

void ProgressWindow::SetText(const QString& text) {
  label_->setText(text);
  label_->repaint();
  bar_->repaint();
}

void ProgressWindow::Step() { bar_->setValue(qMin(bar_->maximum(), bar_->value() + 1)); }

bool ProgressWindow::AbortRequested() {
  QApplication::processEvents();
  return abortRequested_;
}

void ProgressWindow::End() {
  if (owner_) owner_->setEnabled(true);
  hide();
}

void ProgressWindow::Stop() {
  abortRequested_ = true;
  hide();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  // Enter and Esc act on release, as the stop button would; keep the dialog from closing early.
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ProgressWindow::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    Stop();
    return;
  }
  QDialog::keyReleaseEvent(event);
}

void ProgressWindow::reject() { Stop(); }

}  // namespace vistrel
