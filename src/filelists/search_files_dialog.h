#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

namespace vistrel {

// "Search Files": what will be searched and where, and the two options, which keep their
// state from one opening to the next during a run.
class SearchFilesDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SearchFilesDialog(QWidget* parent = nullptr);

  void Prepare(const QString& mask, const QString& folder);
  QString information() const;
  bool includeSubfolders() const;
  bool addToCurrentList() const;
  void SetIncludeSubfolders(bool on);
  void SetAddToCurrentList(bool on);

 private:
  QCheckBox* subfolders_;
  QCheckBox* addToList_;
  QLabel* informationLabel_;
  QString information_;
};

}  // namespace vistrel
