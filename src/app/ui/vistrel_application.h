#pragma once

#include <QApplication>

namespace vistrel {

class Prompter;

// The application object with the program's general error handler: an error that escapes an
// event handler is shown in a message box and the program carries on.
class VistrelApplication : public QApplication {
 public:
  VistrelApplication(int& argc, char** argv);
  // The program's arguments after Qt took its own, each kept byte for byte (NameFromDisk):
  // arguments() would pass them through the locale and lose names that are not UTF-8.
  const QStringList& DiskArguments() const { return diskArguments_; }
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }
  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the message of an escaped error; returns the text shown.
  QString ReportError(const std::exception& error);

 private:
  Prompter* prompter_ = nullptr;
  QStringList diskArguments_;
};

}  // namespace vistrel
