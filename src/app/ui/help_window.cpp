#include "app/ui/help_window.h"

#include <QVBoxLayout>

#include "app/viewer/escape_closes.h"
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
  new EscapeCloses(this);
}

void HelpWindow::ShowPage(const QString& helpPage) { browser_->LoadFile(helpPage); }

}  // namespace vistrel
