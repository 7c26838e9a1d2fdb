#include "app/ui/help_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "render/browser_view.h"

namespace vistrel {

HelpWindow::HelpWindow(BrowserProfile& profile, QWidget* parent) : QWidget(parent, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Vistrel - Help"));
  setGeometry(190, 80, 778, 535);
  browser_ = new BrowserView(profile, /*historyDepth=*/0, this);
  BrowserDisplaySettings display = browser_->DisplaySettings();
  display.Background = 16777215;
  display.FontName = QStringLiteral("Times New Roman");
  browser_->SetDisplaySettings(display);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  qApp->installEventFilter(this);
}

void HelpWindow::ShowPage(const QString& helpPage) { browser_->LoadFile(helpPage); }

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this) {
      close();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vistrel
