#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace vistrel {

class Prompter;

// Which rows a save writes.
enum class ListSaveMode { kAll = 1, kSelected = 2, kUnselected = 3 };

// "Save File List (*.lst)": a message, the list name (at most 20 characters) and the rows to
// save. Save accepts only a name that makes a valid path in the list folder.
class ListNameDialog : public QDialog {
  Q_OBJECT
 public:
  ListNameDialog(const QString& listFolder, Prompter& prompter, QWidget* parent = nullptr);

  // Before each showing: the message, the proposed name, "Save all entries" chosen.
  void Prepare(const QString& message, const QString& proposedName);
  void SetReportButtonVisible(bool visible);

  void SetName(const QString& name);
  QString name() const;
  void SetMode(ListSaveMode mode);
  ListSaveMode mode() const;
  QString message() const;
  // The path chosen by the last successful Save.
  QString path() const { return path_; }

  // What the Save button does: closes with Accepted when the name gives a valid path.
  void TrySave();

  QPushButton* reportButton() const { return reportButton_; }

 Q_SIGNALS:
  void ReportRequested();

 private:
  QString listFolder_;
  Prompter& prompter_;
  QString path_;
  QTextEdit* message_;
  QPushButton* reportButton_;
  QLineEdit* name_;
  QRadioButton* all_;
  QRadioButton* selected_;
  QRadioButton* unselected_;
};

}  // namespace vistrel
