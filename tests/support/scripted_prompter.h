#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "core/prompter.h"

namespace vistrel::testing {

// Records every message, answers questions and dialogs from queues, and fails the running
// test when a dialog appears that the test did not script or a message nobody looked at.
class ScriptedPrompter : public Prompter {
 public:
  enum class Kind { kInformation, kError, kQuestion, kOpenFiles, kSaveFile, kFolder };
  struct Shown {
    Kind kind;
    QString text;
  };

  ~ScriptedPrompter() override;

  // Queues the answers in the order the dialogs will appear.
  void AnswerQuestion(int answer) { questionAnswers_.push_back(answer); }
  void AnswerOpenFiles(const QStringList& files) { openAnswers_.push_back(files); }
  void AnswerSaveFile(const QString& file) { saveAnswers_.push_back(file); }
  void AnswerFolder(const QString& folder) { folderAnswers_.push_back(folder); }

  // Hands the texts shown so far to the test and forgets them.
  std::vector<Shown> TakeShown();
  QStringList TakeTexts();
  int beeps() const { return beeps_; }
  bool AllAnswersUsed() const;

  void Information(const QString& text) override;
  void Error(const QString& text) override;
  int Question(const QString& text, QuestionButtons buttons) override;
  void Beep() override { ++beeps_; }
  QStringList OpenFiles(const FileDialogRequest& request) override;
  QString SaveFile(const FileDialogRequest& request) override;
  QString Folder(const FileDialogRequest& request) override;

 private:
  std::vector<Shown> shown_;
  std::deque<int> questionAnswers_;
  std::deque<QStringList> openAnswers_;
  std::deque<QString> saveAnswers_;
  std::deque<QString> folderAnswers_;
  int beeps_ = 0;
};

}  // namespace vistrel::testing
