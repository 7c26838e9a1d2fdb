#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;

namespace vistrel {

class Prompter;
struct ProgramSettings;

// "General Options": the six external applications and four switches. Edits the settings
// record only on OK; Cancel or closing leaves it untouched.
class GeneralOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  GeneralOptionsDialog(ProgramSettings& settings, Prompter& prompter, QWidget* parent = nullptr);

  QLineEdit* locationField(int row) const { return rows_[row].location; }
  QLineEdit* paramField(int row) const { return rows_[row].param; }
  QLineEdit* descriptField(int row) const { return rows_[row].descript; }
  QCheckBox* colorTagsBox() const { return colorTags_; }
  QCheckBox* hintsBox() const { return hints_; }
  QCheckBox* singleClickBox() const { return singleClick_; }
  QCheckBox* fileIconsBox() const { return fileIcons_; }
  void ChooseLocation(int row);  // the "..." button of a row

  void accept() override;

 private:
  struct Row {
    QLineEdit* location = nullptr;
    QLineEdit* param = nullptr;
    QLineEdit* descript = nullptr;
  };
  ProgramSettings& settings_;
  Prompter& prompter_;
  std::array<Row, 6> rows_;
  QCheckBox* colorTags_;
  QCheckBox* hints_;
  QCheckBox* singleClick_;
  QCheckBox* fileIcons_;
};

}  // namespace vistrel
