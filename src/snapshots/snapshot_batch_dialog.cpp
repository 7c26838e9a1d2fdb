#include "snapshots/snapshot_batch_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include "core/prompter.h"
#include "core/text_paths.h"
#include "settings/program_settings.h"

namespace vistrel {

namespace {

const char kCaption[] = "Batch export options";
const char kLocationLabel[] = "Output folder for snapshots:";
const char kFormatLabel[] = "Output file format:";
const char kJpgEntry[] = "Create JPG files";
const char kJpgPattern[] = "*.JPG";
const char kBmpEntry[] = "Create BMP files";
const char kBmpPattern[] = "*.BMP";
const char kTimeoutLabel[] = "Seconds to wait for each page:";
const char kTimeoutSuffix[] = " s";
constexpr int kLongestTimeout = 3600;

}  // namespace

SnapshotBatchDialog::SnapshotBatchDialog(ProgramSettings& program, Prompter& prompter, int selCount,
                                         QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter), selCount_(selCount) {
  setWindowTitle(QLatin1String(kCaption));
  setAttribute(Qt::WA_DeleteOnClose, false);  // the caller reads the choice after it closes
  auto* label1 = new QLabel(QLatin1String(kLocationLabel), this);
  label1->setObjectName(QStringLiteral("Label1"));
  eLoc1_ = new QLineEdit(this);
  eLoc1_->setObjectName(QStringLiteral("ELoc1"));
  eLoc1_->setReadOnly(true);
  eLoc1_->setMinimumWidth(300);
  bEditor1_ = new QPushButton(QStringLiteral("..."), this);
  bEditor1_->setObjectName(QStringLiteral("BEditor1"));
  bEditor1_->setAutoDefault(false);
  auto* label2 = new QLabel(QLatin1String(kFormatLabel), this);
  label2->setObjectName(QStringLiteral("Label2"));
  filterComboBox1_ = new QComboBox(this);
  filterComboBox1_->setObjectName(QStringLiteral("FilterComboBox1"));
  filterComboBox1_->addItem(QLatin1String(kJpgEntry), QLatin1String(kJpgPattern));
  filterComboBox1_->addItem(QLatin1String(kBmpEntry), QLatin1String(kBmpPattern));
  auto* label3 = new QLabel(QLatin1String(kTimeoutLabel), this);
  label3->setObjectName(QStringLiteral("Label3"));
  timeout_ = new QSpinBox(this);
  timeout_->setObjectName(QStringLiteral("SERenderTimeout"));
  timeout_->setRange(1, kLongestTimeout);
  timeout_->setSuffix(QLatin1String(kTimeoutSuffix));
  bOK_ = new QPushButton(QStringLiteral("Start"), this);
  bOK_->setObjectName(QStringLiteral("BOK"));
  bOK_->setDefault(true);
  bCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  bCancel_->setObjectName(QStringLiteral("BCancel"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(label1, 0, 0, 1, 2);
  grid->addWidget(eLoc1_, 1, 0);
  grid->addWidget(bEditor1_, 1, 1);
  grid->addWidget(label2, 2, 0, 1, 2);
  grid->addWidget(filterComboBox1_, 3, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(bOK_);
  buttons->addWidget(bCancel_);
  grid->addWidget(label3, 4, 0);
  grid->addWidget(timeout_, 4, 1);
  grid->addLayout(buttons, 5, 0, 1, 2);

  connect(bEditor1_, &QPushButton::clicked, this, &SnapshotBatchDialog::BEditor1Click);
  connect(bOK_, &QPushButton::clicked, this, &SnapshotBatchDialog::BOKClick);
  connect(bCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(filterComboBox1_, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &SnapshotBatchDialog::FilterComboBox1Change);
  connect(eLoc1_, &QLineEdit::textChanged, this, &SnapshotBatchDialog::UpdateStart);
}

void SnapshotBatchDialog::showEvent(QShowEvent* event) {
  setWindowTitle(QStringLiteral("Export ") + QString::number(selCount_) +
                 QStringLiteral(" snapshots"));
  eLoc1_->setText(program_.SNAPSHOTPATH);
  timeout_->setValue(RenderTimeoutMs(program_) / 1000);
  UpdateStart();
  FilterComboBox1Change();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
}

void SnapshotBatchDialog::UpdateStart() { bOK_->setEnabled(!IsBlank(eLoc1_->text())); }

void SnapshotBatchDialog::BEditor1Click() {
  FileDialogRequest request;
  request.caption = QLatin1String(kLocationLabel);
  request.folder = program_.SNAPSHOTPATH;
  const QString chosen = prompter_.Folder(request);
  eLoc1_->setText(IncludeTrailingSeparator(chosen.isEmpty() ? program_.SNAPSHOTPATH : chosen));
}

void SnapshotBatchDialog::FilterComboBox1Change() {
  ext_ = filterComboBox1_->currentData().toString().toLower().remove(QLatin1Char('*'));
  SetCheckBoxes();
}

void SnapshotBatchDialog::SetCheckBoxes() {
  format_ = ext_ == QLatin1String(".jpg") ? SnapshotFormat::kJpeg : SnapshotFormat::kBmp;
}

void SnapshotBatchDialog::BOKClick() {
  program_.SNAPSHOTPATH = eLoc1_->text();
  program_.RenderTimeout = timeout_->value();
  accept();
}

}  // namespace vistrel
