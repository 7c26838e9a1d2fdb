#pragma once

#include <QPointer>
#include <QWidget>

#include "core/prompter.h"

namespace vistrel {

// A name typed without extension in a save dialog gets the extension of the filter chosen
// there ("JPG File (*.jpg)" or "BMP File (*.bmp)"), so the filter decides the file's type.
QString WithFilterExtension(const QString& file, const QString& chosenFilter);

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
