#include "app/ui/qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace vistrel {

QString WithFilterExtension(const QString& file, const QString& chosenFilter) {
  if (file.isEmpty() || !QFileInfo(file).suffix().isEmpty()) return file;
  static const QRegularExpression firstPattern(QStringLiteral("\\(\\*(\\.[^*?;) ]+)"));
  const QRegularExpressionMatch match = firstPattern.match(chosenFilter);
  return match.hasMatch() ? file + match.captured(1) : file;
}

QWidget* QtPrompter::Parent() const {
  return parent_ ? parent_.data() : QApplication::activeWindow();
}

void QtPrompter::Information(const QString& text) {
  QMessageBox::information(Parent(), QApplication::applicationDisplayName(), text);
}

void QtPrompter::Error(const QString& text) {
  QMessageBox::critical(Parent(), QApplication::applicationDisplayName(), text);
}

int QtPrompter::Question(const QString& text, QuestionButtons buttons) {
  const bool withCancel = buttons == QuestionButtons::kYesNoCancel;
  const auto answer =
      QMessageBox::question(Parent(), QApplication::applicationDisplayName(), text,
                            withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                       : QMessageBox::Yes | QMessageBox::No);
  if (answer == QMessageBox::Yes) return kAnswerYes;
  if (answer == QMessageBox::No) return kAnswerNo;
  // Closing the box with Escape counts as the most careful answer offered.
  return withCancel ? kAnswerCancel : kAnswerNo;
}

void QtPrompter::Beep() { QApplication::beep(); }

QStringList QtPrompter::OpenFiles(const FileDialogRequest& r) {
  if (r.multiple) return QFileDialog::getOpenFileNames(Parent(), r.caption, r.folder, r.filter);
  const QString file = QFileDialog::getOpenFileName(Parent(), r.caption, r.folder, r.filter);
  return file.isEmpty() ? QStringList() : QStringList{file};
}

QString QtPrompter::SaveFile(const FileDialogRequest& r) {
  const QString start = r.fileName.isEmpty() ? r.folder : r.folder + r.fileName;
  QString chosenFilter;
  const QString file =
      QFileDialog::getSaveFileName(Parent(), r.caption, start, r.filter, &chosenFilter);
  return WithFilterExtension(file, chosenFilter);
}

QString QtPrompter::Folder(const FileDialogRequest& r) {
  return QFileDialog::getExistingDirectory(Parent(), r.caption, r.folder);
}

}  // namespace vistrel
