#include "app/ui/qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
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

namespace {

// Each line of a message (a path, a count of the verification) stays one line, as far as the
// screen allows: the box would otherwise wrap it anywhere past a fixed width.
int ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
            QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, parent);
  const QFontMetrics metrics(box.font());
  int widest = 0;
  for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
    widest = qMax(widest, metrics.horizontalAdvance(line));
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int room = screen ? screen->availableGeometry().width() - 120 : 800;
  box.setStyleSheet(
      QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(qMin(widest + 8, room)));
  return box.exec();
}

}  // namespace

void QtPrompter::Information(const QString& text) {
  ShowBox(Parent(), QMessageBox::Information, text, QMessageBox::Ok);
}

void QtPrompter::Error(const QString& text) {
  ShowBox(Parent(), QMessageBox::Critical, text, QMessageBox::Ok);
}

int QtPrompter::Question(const QString& text, QuestionButtons buttons) {
  const bool withCancel = buttons == QuestionButtons::kYesNoCancel;
  const int answer = ShowBox(Parent(), QMessageBox::Question, text,
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
