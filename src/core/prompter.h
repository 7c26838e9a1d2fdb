#pragma once

#include <QString>
#include <QStringList>

namespace vistrel {

// Answers as the message boxes number them; 0 means no question was asked.
enum PromptAnswer {
  kAnswerNone = 0,
  kAnswerOk = 1,
  kAnswerCancel = 2,
  kAnswerYes = 6,
  kAnswerNo = 7
};

enum class QuestionButtons { kYesNo, kYesNoCancel };

struct FileDialogRequest {
  QString caption;
  QString folder;    // where the dialog starts
  QString fileName;  // proposed name (save dialogs)
  QString filter;    // "Description (*.a *.b);;..." in Qt's form
  bool multiple = false;
};

// Every message box, beep and file dialog goes through here, so that the logic can be
// driven by a scripted prompter in tests and by real dialogs in the program.
class Prompter {
 public:
  virtual ~Prompter() = default;

  virtual void Information(const QString& text) = 0;
  virtual void Error(const QString& text) = 0;
  // Returns kAnswerYes, kAnswerNo or (with kYesNoCancel) kAnswerCancel.
  virtual int Question(const QString& text, QuestionButtons buttons) = 0;
  virtual void Beep() = 0;

  // Empty results mean the user cancelled.
  virtual QStringList OpenFiles(const FileDialogRequest& request) = 0;
  virtual QString SaveFile(const FileDialogRequest& request) = 0;
  virtual QString Folder(const FileDialogRequest& request) = 0;
};

}  // namespace vistrel
