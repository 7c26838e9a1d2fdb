#include "app/ui/window_commands.h"

#include <QDesktopServices>
#include <QUrl>

#include "app/ui/about_window.h"
#include "app/ui/browser_settings_dialog.h"
#include "app/ui/help_window.h"
#include "render/browser_view.h"
#include "settings/general_options_dialog.h"
#include "thumbnails/offscreen_capture.h"

namespace vistrel {

WindowCommands::WindowCommands(ProgramSettings& settings, Prompter& prompter,
                               const QString& helpPage, QWidget& owner)
    : settings_(settings), prompter_(prompter), helpPage_(helpPage), owner_(owner) {}

void WindowCommands::SetBrowser(BrowserProfile& profile, BrowserView& browser,
                                OffscreenCapture* capture) {
  profile_ = &profile;
  browser_ = &browser;
  capture_ = capture;
}

HelpWindow* WindowCommands::OpenHelp() {
  auto* help = new HelpWindow(*profile_, &owner_);
  help->show();
  help->ShowPage(helpPage_);  // a missing page is reported; the window stays, empty
  return help;
}

void WindowCommands::OpenAbout() {
  auto* about = new AboutWindow(&owner_);
  about->exec();
}

void WindowCommands::OpenHomepage() {
  QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomepage)));
}

void WindowCommands::OpenBrowserSettings() {
  BrowserSettingsDialog dialog(*profile_, *browser_, &owner_);
  // Thumbnails made from now on use the browser's new values.
  if (dialog.exec() == QDialog::Accepted && capture_)
    capture_->SetDisplaySettings(browser_->DisplaySettings());
}

void WindowCommands::OpenGeneralOptions() {
  GeneralOptionsDialog dialog(settings_, prompter_, &owner_);
  if (dialog.exec() != QDialog::Accepted) return;
  Q_EMIT OptionsChanged();
}

}  // namespace vistrel
