#include "app/ui/progress_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace vistrel {

namespace {
const char kBatchName[] = "a batch";
}  // namespace

ProgressWindow::ProgressWindow(bool& abortRequested)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
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

ProgressWindow::~ProgressWindow() = default;

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

void ProgressWindow::StayAbove() {
  // A modal window open at the start (the viewer, the snapshot window) would block input to
  // any window that is not its own, so the progress window belongs to it then.
  QWidget* anchor = QApplication::activeModalWidget();
  if (!anchor && owner_) anchor = owner_->window();
  if (!anchor || anchor == this) return;
  winId();  // the native window must exist to name its parent
  if (QWindow* own = windowHandle()) own->setTransientParent(anchor->windowHandle());
}

void ProgressWindow::Begin(int maximum) {
  InitProgBar(maximum);
  if (!hold_)
    hold_ = std::make_unique<RenderGuard::Hold>(RenderGuard::Shared(), QLatin1String(kBatchName));
  StayAbove();
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
  hold_.reset();
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
