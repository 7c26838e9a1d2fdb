#include "cli/stderr_prompter.h"

#include "cli/cli_command.h"

namespace vistrel::cli {

void StderrPrompter::Information(const QString& text) { Err() << text << "\n"; }
void StderrPrompter::Error(const QString& text) { Err() << text << "\n"; }

int StderrPrompter::Question(const QString& text, QuestionButtons) {
  Err() << text << "\n";
  return kAnswerNo;
}

}  // namespace vistrel::cli
