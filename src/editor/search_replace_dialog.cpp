#include "editor/search_replace_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/search_replace.h"
#include "editor/source_editor.h"
#include "settings/program_settings.h"

namespace vistrel {

SearchReplaceDialog::SearchReplaceDialog(SourceEditor& editor, ProgramSettings& settings,
                                         Prompter& prompter, QWidget* parent)
    : QDialog(parent), editor_(editor), settings_(settings), prompter_(prompter) {
  setWindowTitle(tr("Replace"));
  setModal(false);
  findEdit_ = new QLineEdit(this);
  replaceEdit_ = new QLineEdit(this);
  matchCase_ = new QCheckBox(tr("Match &case"), this);
  wholeWord_ = new QCheckBox(tr("Match &whole word only"), this);
  // Shown as the platform's dialog shows it; the search always runs forward.
  auto* direction = new QGroupBox(tr("Direction"), this);
  up_ = new QRadioButton(tr("&Up"), direction);
  down_ = new QRadioButton(tr("&Down"), direction);
  down_->setChecked(true);
  auto* directionLayout = new QHBoxLayout(direction);
  directionLayout->addWidget(up_);
  directionLayout->addWidget(down_);

  findNext_ = new QPushButton(tr("&Find Next"), this);
  findNext_->setDefault(true);
  replace_ = new QPushButton(tr("&Replace"), this);
  replaceAll_ = new QPushButton(tr("Replace &All"), this);
  auto* cancel = new QPushButton(tr("Cancel"), this);

  auto* fields = new QFormLayout;
  fields->addRow(tr("Fi&nd what:"), findEdit_);
  fields->addRow(tr("Re&place with:"), replaceEdit_);
  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addWidget(matchCase_);
  left->addWidget(wholeWord_);
  left->addWidget(direction);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {findNext_, replace_, replaceAll_, cancel}) buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(buttons);

  connect(findNext_, &QPushButton::clicked, this, &SearchReplaceDialog::ReplaceDialog1Find);
  connect(replace_, &QPushButton::clicked, this, [this] { ReplaceDialog1Replace(false); });
  connect(replaceAll_, &QPushButton::clicked, this, [this] { ReplaceDialog1Replace(true); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

void SearchReplaceDialog::StartSearchReplace() {
  findEdit_->setText(settings_.LastSearch);
  replaceEdit_->setText(settings_.LastReplace);
  show();
  raise();
  activateWindow();
}

void SearchReplaceDialog::ReplaceDialog1Find() {
  SearchOptions options{matchCase_->isChecked(), wholeWord_->isChecked(), false};
  FindAndReplace(editor_, findEdit_->text(), replaceEdit_->text(), false, options, prompter_, {});
  settings_.LastSearch = findEdit_->text();
  settings_.LastReplace = replaceEdit_->text();
}

void SearchReplaceDialog::ReplaceDialog1Replace(bool all) {
  SearchOptions options{matchCase_->isChecked(), wholeWord_->isChecked(), all};
  FindAndReplace(editor_, findEdit_->text(), replaceEdit_->text(), true, options, prompter_,
                 [this] { editor_.NotifyUserEdit(); });
  settings_.LastSearch = findEdit_->text();
  settings_.LastReplace = replaceEdit_->text();
}

}  // namespace vistrel
