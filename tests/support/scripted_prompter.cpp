#include "scripted_prompter.h"

#include <gtest/gtest.h>

namespace vistrel::testing {

ScriptedPrompter::~ScriptedPrompter() {
  for (const Shown& s : shown_)
    ADD_FAILURE() << "message shown but never checked: " << s.text.toStdString();
  EXPECT_TRUE(AllAnswersUsed()) << "scripted answers left over: an expected dialog never appeared";
}

std::vector<ScriptedPrompter::Shown> ScriptedPrompter::TakeShown() {
  std::vector<Shown> taken;
  taken.swap(shown_);
  return taken;
}

QStringList ScriptedPrompter::TakeTexts() {
  QStringList texts;
  for (const Shown& s : TakeShown()) texts << s.text;
  return texts;
}

bool ScriptedPrompter::AllAnswersUsed() const {
  return questionAnswers_.empty() && openAnswers_.empty() && saveAnswers_.empty() &&
         folderAnswers_.empty();
}

void ScriptedPrompter::Information(const QString& text) {
  shown_.push_back({Kind::kInformation, text});
}
void ScriptedPrompter::Error(const QString& text) { shown_.push_back({Kind::kError, text}); }

int ScriptedPrompter::Question(const QString& text, QuestionButtons buttons) {
  shown_.push_back({Kind::kQuestion, text});
  if (questionAnswers_.empty()) {
    ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return buttons == QuestionButtons::kYesNoCancel ? kAnswerCancel : kAnswerNo;
  }
  const int answer = questionAnswers_.front();
  questionAnswers_.pop_front();
  return answer;
}

template <typename T>
static T Next(std::deque<T>& queue, const QString& what) {
  if (queue.empty()) {
    ADD_FAILURE() << "unexpected dialog: " << what.toStdString();
    return T();
  }
  T value = queue.front();
  queue.pop_front();
  return value;
}

QStringList ScriptedPrompter::OpenFiles(const FileDialogRequest& request) {
  shown_.push_back({Kind::kOpenFiles, request.caption});
  return Next(openAnswers_, request.caption);
}

QString ScriptedPrompter::SaveFile(const FileDialogRequest& request) {
  shown_.push_back({Kind::kSaveFile, request.caption});
  return Next(saveAnswers_, request.caption);
}

QString ScriptedPrompter::Folder(const FileDialogRequest& request) {
  shown_.push_back({Kind::kFolder, request.caption});
  return Next(folderAnswers_, request.caption);
}

}  // namespace vistrel::testing
