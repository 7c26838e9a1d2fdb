#pragma once

#include <QApplication>

namespace vistrel {

class Prompter;

// The application object with the program's general error handler: an error that escapes an
// event handler is shown in a message box and the program carries on.
class VistrelApplication : public QApplication {
 public:
  VistrelApplication(int& argc, char** argv);
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }
  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the message of an escaped error; returns the text shown.
  QString ReportError(const std::exception& error);

 private:
  Prompter* prompter_ = nullptr;
};

}  // namespace vistrel
