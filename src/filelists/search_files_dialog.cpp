#include "filelists/search_files_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vistrel {

SearchFilesDialog::SearchFilesDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Search Files"));
  setModal(true);
  auto* group = new QGroupBox(QStringLiteral("Search options"), this);
  subfolders_ = new QCheckBox(QStringLiteral("Include all subfolders"), group);
  addToList_ = new QCheckBox(QStringLiteral("Add to current list"), group);
  subfolders_->setChecked(true);
  addToList_->setChecked(true);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(subfolders_);
  groupLayout->addWidget(addToList_);

  informationLabel_ = new QLabel(this);
  informationLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  informationLabel_->setWordWrap(true);
  informationLabel_->setMinimumWidth(320);

  auto* start = new QPushButton(QStringLiteral("Start "), this);
  start->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setAutoDefault(false);
  connect(start, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(start);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(informationLabel_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SearchFilesDialog::Prepare(const QString& mask, const QString& folder) {
  information_ = QStringLiteral("\r\nSearch for:\r\n") + mask +
                 QStringLiteral("\r\nin folder:\r\n\"") + folder + QLatin1Char('"');
  // A label would show the CR of each CR LF; it gets plain line feeds.
  QString shown = information_;
  shown.remove(QLatin1Char('\r'));
  informationLabel_->setText(shown);
}

QString SearchFilesDialog::information() const { return information_; }
bool SearchFilesDialog::includeSubfolders() const { return subfolders_->isChecked(); }
bool SearchFilesDialog::addToCurrentList() const { return addToList_->isChecked(); }
void SearchFilesDialog::SetIncludeSubfolders(bool on) { subfolders_->setChecked(on); }
void SearchFilesDialog::SetAddToCurrentList(bool on) { addToList_->setChecked(on); }

}  // namespace vistrel
