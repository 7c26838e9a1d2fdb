#include "filelists/list_name_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/text_paths.h"

namespace vistrel {

namespace {

const char* const kCaption = "Save File List (*.lst)";
const char* const kReportButton = "Show updated and removed entries";
const char* const kNameLabel = "List Filename:";
const char* const kSaveAll = "Save all entries";
const char* const kSaveSelected = "Save selected entries only";
const char* const kSaveUnselected = "Save unselected entries only";
const int kMaxNameLength = 20;

}  // namespace

ListNameDialog::ListNameDialog(const QString& listFolder, Prompter& prompter, QWidget* parent)
    : QDialog(parent), listFolder_(listFolder), prompter_(prompter) {
  setWindowTitle(QString::fromLatin1(kCaption));
  setModal(true);

  message_ = new QTextEdit(this);
  message_->setReadOnly(true);
  message_->setFrameShape(QFrame::Box);
  message_->setStyleSheet(QStringLiteral("QTextEdit { color: rgb(0,0,255); background: white; }"));
  message_->setFixedHeight(110);

  reportButton_ = new QPushButton(QString::fromLatin1(kReportButton), this);
  reportButton_->setAutoDefault(false);
  reportButton_->hide();
  connect(reportButton_, &QPushButton::clicked, this, &ListNameDialog::ReportRequested);

  auto* label = new QLabel(QString::fromLatin1(kNameLabel), this);
  name_ = new QLineEdit(this);
  name_->setMaxLength(kMaxNameLength);
  label->setBuddy(name_);

  all_ = new QRadioButton(QString::fromLatin1(kSaveAll), this);
  selected_ = new QRadioButton(QString::fromLatin1(kSaveSelected), this);
  unselected_ = new QRadioButton(QString::fromLatin1(kSaveUnselected), this);
  all_->setChecked(true);

  auto* save = new QPushButton(QStringLiteral("Save"), this);
  save->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setAutoDefault(false);
  connect(save, &QPushButton::clicked, this, &ListNameDialog::TrySave);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(reportButton_);
  layout->addWidget(label);
  layout->addWidget(name_);
  layout->addWidget(all_);
  layout->addWidget(selected_);
  layout->addWidget(unselected_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ListNameDialog::Prepare(const QString& message, const QString& proposedName) {
  message_->setPlainText(message);
  QTextCursor cursor(message_->document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.mergeBlockFormat(centred);
  name_->setText(proposedName);
  all_->setChecked(true);
  path_.clear();
}

void ListNameDialog::SetReportButtonVisible(bool visible) { reportButton_->setVisible(visible); }
void ListNameDialog::SetName(const QString& name) { name_->setText(name); }
QString ListNameDialog::name() const { return name_->text(); }
QString ListNameDialog::message() const { return message_->toPlainText(); }

void ListNameDialog::SetMode(ListSaveMode mode) {
  (mode == ListSaveMode::kSelected     ? selected_
   : mode == ListSaveMode::kUnselected ? unselected_
                                       : all_)
      ->setChecked(true);
}

ListSaveMode ListNameDialog::mode() const {
  if (selected_->isChecked()) return ListSaveMode::kSelected;
  if (unselected_->isChecked()) return ListSaveMode::kUnselected;
  return ListSaveMode::kAll;
}

void ListNameDialog::TrySave() {
  const QString path =
      BuildTargetPath(listFolder_, name_->text(), QStringLiteral(".lst"), prompter_);
  if (path.isEmpty()) return;
  path_ = path;
  accept();
}

}  // namespace vistrel
