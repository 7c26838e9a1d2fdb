#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace vistrel {

class BrowserProfile;
class BrowserView;
class HelpWindow;
class OffscreenCapture;
class Prompter;
struct ProgramSettings;

// The "&Help" and "&Options" commands: help, about and homepage, the browser display options
// and the General Options. Their windows sit on owner, the main window.
class WindowCommands : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kHomepage = "https://vistrel.org/";

  WindowCommands(ProgramSettings& settings, Prompter& prompter, const QString& helpPage,
                 QWidget& owner);

  // The shared browser and the capture thumbnails are made with, once they exist; the help
  // and browser commands need them.
  void SetBrowser(BrowserProfile& profile, BrowserView& browser, OffscreenCapture* capture);

  HelpWindow* OpenHelp();
  void OpenAbout();
  void OpenHomepage();
  void OpenBrowserSettings();
  // Edits the settings; on OK tells the window to apply the switches at once.
  void OpenGeneralOptions();

 Q_SIGNALS:
  // The General Options were confirmed: hints, icons and colouring may have changed.
  void OptionsChanged();

 private:
  ProgramSettings& settings_;
  Prompter& prompter_;
  QString helpPage_;
  QWidget& owner_;
  BrowserProfile* profile_ = nullptr;
  BrowserView* browser_ = nullptr;
  OffscreenCapture* capture_ = nullptr;
};

}  // namespace vistrel
