#pragma once

#include <QDialog>

#include "snapshots/snapshot_settings.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vistrel {

class Prompter;
struct ProgramSettings;

// "Batch export options": where the snapshots of a batch go and as what kind of file.
// "Start" stores the folder as the snapshot folder, the render timeout in the settings, and
// accepts.
class SnapshotBatchDialog : public QDialog {
  Q_OBJECT

 public:
  SnapshotBatchDialog(ProgramSettings& program, Prompter& prompter, int selCount,
                      QWidget* parent = nullptr);

  QString Ext() const { return ext_; }
  SnapshotFormat Format() const { return format_; }

  QLineEdit* location() const { return eLoc1_; }
  QPushButton* chooseButton() const { return bEditor1_; }
  QComboBox* fileType() const { return filterComboBox1_; }
  QSpinBox* timeoutBox() const { return timeout_; }
  QPushButton* startButton() const { return bOK_; }
  QPushButton* cancelButton() const { return bCancel_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BEditor1Click();
  void BOKClick();
  void FilterComboBox1Change();
  void SetCheckBoxes();
  void UpdateStart();

  ProgramSettings& program_;
  Prompter& prompter_;
  int selCount_;
  QString ext_ = QStringLiteral(".jpg");
  SnapshotFormat format_ = SnapshotFormat::kJpeg;
  QLineEdit* eLoc1_;
  QPushButton* bEditor1_;
  QComboBox* filterComboBox1_;
  QSpinBox* timeout_;
  QPushButton* bOK_;
  QPushButton* bCancel_;
};

}  // namespace vistrel
