#pragma once

#include <QPointer>
#include <QWidget>

#include "core/prompter.h"

namespace vistrel {

// The real dialogs: QMessageBox for messages and questions, QFileDialog for files.
class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Information(const QString& text) override;
  void Error(const QString& text) override;
  int Question(const QString& text, QuestionButtons buttons) override;
  void Beep() override;
  QStringList OpenFiles(const FileDialogRequest& request) override;
  QString SaveFile(const FileDialogRequest& request) override;
  QString Folder(const FileDialogRequest& request) override;

 private:
  QWidget* Parent() const;
  QPointer<QWidget> parent_;
};

}  // namespace vistrel
