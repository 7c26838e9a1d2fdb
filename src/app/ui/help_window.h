#pragma once

#include <QWidget>

namespace vistrel {

class BrowserProfile;
class BrowserView;

// "Vistrel - Help": the help pages in a browser of their own. Not modal; several may be open;
// Escape closes one and closing frees it.
class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  HelpWindow(BrowserProfile& profile, QWidget* parent = nullptr);
  // Loads the help page; a missing page throws, leaving the window open and empty.
  void ShowPage(const QString& helpPage);
  BrowserView* browser() const { return browser_; }

 private:
  BrowserView* browser_;
};

}  // namespace vistrel
