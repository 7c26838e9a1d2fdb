#include "settings/general_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/prompter.h"
#include "settings/program_settings.h"

namespace vistrel {

GeneralOptionsDialog::GeneralOptionsDialog(ProgramSettings& settings, Prompter& prompter,
                                           QWidget* parent)
    : QDialog(parent), settings_(settings), prompter_(prompter) {
  setWindowTitle(QStringLiteral("General Options"));
  setModal(true);

  auto* apps = new QGroupBox(QStringLiteral("External Applications Configuration: "), this);
  auto* grid = new QGridLayout(apps);
  grid->addWidget(new QLabel(QStringLiteral("Program Location:"), apps), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Parameters:"), apps), 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("Description:"), apps), 0, 4);
  for (int k = 0; k < 6; ++k) {
    Row& row = rows_[k];
    const ExternalApplication& app = settings_.Applications[k];
    row.location = new QLineEdit(app.Location, apps);
    row.location->setMinimumWidth(220);
    row.param = new QLineEdit(app.Param, apps);
    row.descript = new QLineEdit(app.Descript, apps);
    // Wide enough for the default "External Application N"; a longer one shows its start.
    row.descript->setMinimumWidth(
        row.descript->fontMetrics().horizontalAdvance(QStringLiteral("External Application 6")) +
        16);
    row.descript->setCursorPosition(0);
    auto* choose = new QPushButton(QStringLiteral("..."), apps);
    QFont bold = choose->font();
    bold.setBold(true);
    choose->setFont(bold);
    choose->setFixedWidth(28);
    connect(choose, &QPushButton::clicked, this, [this, k] { ChooseLocation(k); });
    grid->addWidget(new QLabel(QStringLiteral("Application") + QString::number(k + 1), apps), k + 1,
                    0);
    grid->addWidget(row.location, k + 1, 1);
    grid->addWidget(choose, k + 1, 2);
    grid->addWidget(row.param, k + 1, 3);
    grid->addWidget(row.descript, k + 1, 4);
  }

  auto* other = new QGroupBox(QStringLiteral("Other Options: "), this);
  auto* boxes = new QVBoxLayout(other);
  colorTags_ = new QCheckBox(QStringLiteral("Enable editor syntax coloring"), other);
  hints_ = new QCheckBox(QStringLiteral("Show Hints"), other);
  singleClick_ = new QCheckBox(QStringLiteral("Change folder on single click"), other);
  fileIcons_ = new QCheckBox(QStringLiteral("Show file icons in folder view"), other);
  colorTags_->setChecked(settings_.DoColorTags);
  hints_->setChecked(settings_.DoShowHints);
  singleClick_->setChecked(settings_.DoOpenOnSingleClick);
  fileIcons_->setChecked(settings_.DoShowFileIcons);
  for (QCheckBox* box : {colorTags_, hints_, singleClick_, fileIcons_}) boxes->addWidget(box);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(apps);
  layout->addWidget(other);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void GeneralOptionsDialog::ChooseLocation(int row) {
  FileDialogRequest request;
  request.caption = QStringLiteral("Application") + QString::number(row + 1);
  request.folder = QFileInfo(rows_[row].location->text()).absolutePath();
  request.filter = QStringLiteral("Application (*)");
  const QStringList files = prompter_.OpenFiles(request);
  if (!files.isEmpty()) rows_[row].location->setText(files.first());
}

void GeneralOptionsDialog::accept() {
  for (int k = 0; k < 6; ++k) {
    ExternalApplication& app = settings_.Applications[k];
    app.Location = rows_[k].location->text();
    app.Param = rows_[k].param->text();
    app.Descript = rows_[k].descript->text();
  }
  UpdatePresent(settings_);
  settings_.DoColorTags = colorTags_->isChecked();
  settings_.DoShowHints = hints_->isChecked();
  settings_.DoOpenOnSingleClick = singleClick_->isChecked();
  settings_.DoShowFileIcons = fileIcons_->isChecked();
  QDialog::accept();
}

}  // namespace vistrel
