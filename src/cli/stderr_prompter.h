#pragma once

#include "core/prompter.h"

namespace vistrel::cli {

// Messages go to standard error; the commands ask nothing (questions answer No, dialogs are
// cancelled), since a script cannot answer them.
class StderrPrompter : public Prompter {
 public:
  void Information(const QString& text) override;
  void Error(const QString& text) override;
  int Question(const QString& text, QuestionButtons buttons) override;
  void Beep() override {}
  QStringList OpenFiles(const FileDialogRequest&) override { return {}; }
  QString SaveFile(const FileDialogRequest&) override { return {}; }
  QString Folder(const FileDialogRequest&) override { return {}; }
};

}  // namespace vistrel::cli
