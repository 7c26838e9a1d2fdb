#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vistrel {

class Prompter;
class SourceEditor;
struct ProgramSettings;

// The non-modal find-and-replace dialog of the source editor. It offers the last search and
// replacement texts and stores them back after every Find Next, Replace and Replace All.
class SearchReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  SearchReplaceDialog(SourceEditor& editor, ProgramSettings& settings, Prompter& prompter,
                      QWidget* parent = nullptr);

  // Fills in the last texts and shows the dialog beside the editor's window.
  void StartSearchReplace();

  QLineEdit* findEdit() const { return findEdit_; }
  QLineEdit* replaceEdit() const { return replaceEdit_; }
  QCheckBox* matchCaseBox() const { return matchCase_; }
  QCheckBox* wholeWordBox() const { return wholeWord_; }
  QRadioButton* upButton() const { return up_; }
  QPushButton* findNextButton() const { return findNext_; }
  QPushButton* replaceButton() const { return replace_; }
  QPushButton* replaceAllButton() const { return replaceAll_; }

 private:
  void ReplaceDialog1Find();
  void ReplaceDialog1Replace(bool all);

  SourceEditor& editor_;
  ProgramSettings& settings_;
  Prompter& prompter_;
  QLineEdit* findEdit_;
  QLineEdit* replaceEdit_;
  QCheckBox* matchCase_;
  QCheckBox* wholeWord_;
  QRadioButton* up_;
  QRadioButton* down_;
  QPushButton* findNext_;
  QPushButton* replace_;
  QPushButton* replaceAll_;
};

}  // namespace vistrel
