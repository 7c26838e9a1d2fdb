#include "app/ui/browser_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/viewer/escape_closes.h"
#include "app/ui/named_colour_box.h"
#include "render/browser_view.h"

namespace vistrel {

namespace {
const char* const kSamplePage =
    "<center><h1>Heading</h1></center><ul>Some normal text.<li><a href=NoWhere>HotSpot Item</a>"
    "<li><b>Bold Text</b><li><i>Italicized Text</i><li><code>Code Text</code></ul> <hr>";
}  // namespace

BrowserSettingsDialog::BrowserSettingsDialog(BrowserProfile& profile, BrowserView& shared,
                                             QWidget* parent)
    : QDialog(parent),
      shared_(shared),
      samplePage_(QDir::tempPath() + QStringLiteral("/vistrel-sample-XXXXXX.htm")) {
  setWindowTitle(QStringLiteral("Browser Settings"));
  setModal(true);

  sample_ = new BrowserView(profile, /*historyDepth=*/0, this);
  sample_->setFixedSize(193, 193);
  images_ = new QCheckBox(QStringLiteral("Show Images"), this);
  fontList_ = new QListWidget(this);
  new EscapeCloses(this);  // also while the sample page has the keys
  QStringList families = QFontDatabase::families();
  // The browser's own font is listed even when the platform only substitutes it, so the
  // dialog opens on it and OK keeps it (rather than switching to no font or "System").
  const QString browserFont = shared_.DisplaySettings().FontName;
  if (!browserFont.isEmpty() && !families.contains(browserFont, Qt::CaseInsensitive))
    families << browserFont;
  families.sort(Qt::CaseInsensitive);
  fontList_->addItems(families);
  fontSize_ = new QSpinBox(this);
  fontSize_->setRange(6, 24);
  fontSize_->setValue(12);
  background_ = new NamedColourBox(this);
  linkColour_ = new NamedColourBox(this);
  fontColour_ = new NamedColourBox(this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Default Font"), fontList_);
  form->addRow(QStringLiteral("Font &Size"), fontSize_);
  form->addRow(QStringLiteral("&Background"), background_);
  form->addRow(QStringLiteral("&Link Color"), linkColour_);
  form->addRow(QStringLiteral("&Font Color"), fontColour_);
  auto* left = new QVBoxLayout;
  left->addWidget(sample_);
  left->addWidget(images_);
  left->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(form, 1);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("O&K"), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  QPushButton* reset = buttons->addButton(QStringLiteral("&Reset"), QDialogButtonBox::ResetRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(reset, &QPushButton::clicked, this, &BrowserSettingsDialog::Reset);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);

  connect(fontList_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { SetFontName(item->text()); });
  connect(fontSize_, qOverload<int>(&QSpinBox::valueChanged), this,
          &BrowserSettingsDialog::SetFontSize);
  connect(background_, &NamedColourBox::ColourChosen, this, &BrowserSettingsDialog::SetBackground);
  connect(linkColour_, &NamedColourBox::ColourChosen, this, &BrowserSettingsDialog::SetLinkColor);
  connect(fontColour_, &NamedColourBox::ColourChosen, this, &BrowserSettingsDialog::SetFontColor);
  connect(images_, &QCheckBox::toggled, this, &BrowserSettingsDialog::SetShowImages);

  // The sample view is a browser of files; give it its page as one.
  if (samplePage_.open()) {
    samplePage_.write(kSamplePage);
    samplePage_.flush();
  }
  const BrowserDisplaySettings current = shared_.DisplaySettings();
  values_ = current;
  SetFontName(current.FontName);
  SetFontColor(current.FontColor);
  SetFontSize(current.FontSize);
  SetLinkColor(current.LinkColor);
  SetBackground(current.Background);
  SetShowImages(current.ShowImages);
  sample_->LoadFile(samplePage_.fileName());
}

void BrowserSettingsDialog::ApplyToSample() {
  BrowserDisplaySettings shown = values_;
  shown.ShowImages = false;  // the sample never shows pictures
  sample_->SetDisplaySettings(shown);
  sample_->Reload();
}

void BrowserSettingsDialog::SetFontName(const QString& name) {
  QList<QListWidgetItem*> found = fontList_->findItems(name, Qt::MatchFixedString);
  if (found.isEmpty()) found = fontList_->findItems(QStringLiteral("System"), Qt::MatchFixedString);
  fontList_->setCurrentItem(found.isEmpty() ? nullptr : found.first());
  if (found.isEmpty()) fontList_->clearSelection();
  values_.FontName = name;
  ApplyToSample();
}

void BrowserSettingsDialog::SetFontSize(int size) {
  values_.FontSize = size;
  if (fontSize_->value() != size) fontSize_->setValue(size);
  ApplyToSample();
}

void BrowserSettingsDialog::SetFontColor(int value) {
  values_.FontColor = value;
  ApplyToSample();
}

void BrowserSettingsDialog::SetLinkColor(int value) {
  values_.LinkColor = value;
  ApplyToSample();
}

void BrowserSettingsDialog::SetBackground(int value) {
  values_.Background = value;
  ApplyToSample();
}

void BrowserSettingsDialog::SetShowImages(bool on) {
  values_.ShowImages = on;
  if (images_->isChecked() != on) images_->setChecked(on);
}

QString BrowserSettingsDialog::SelectedFontName() const {
  const QList<QListWidgetItem*> selected = fontList_->selectedItems();
  return selected.isEmpty() ? QString() : selected.first()->text();
}

BrowserDisplaySettings BrowserSettingsDialog::Values() const {
  BrowserDisplaySettings values = values_;
  values.FontName = SelectedFontName();
  return values;
}

void BrowserSettingsDialog::showEvent(QShowEvent* event) {
  resetValues_ = Values();
  fontColour_->SetColour(values_.FontColor);
  linkColour_->SetColour(values_.LinkColor);
  background_->SetColour(values_.Background);
  QDialog::showEvent(event);
}

void BrowserSettingsDialog::Reset() {
  SetFontName(resetValues_.FontName);
  SetFontSize(resetValues_.FontSize);
  SetFontColor(resetValues_.FontColor);
  SetLinkColor(resetValues_.LinkColor);
  SetBackground(resetValues_.Background);
  SetShowImages(resetValues_.ShowImages);
  fontColour_->SetColour(resetValues_.FontColor);
  linkColour_->SetColour(resetValues_.LinkColor);
  background_->SetColour(resetValues_.Background);
}

void BrowserSettingsDialog::accept() {
  shared_.SetDisplaySettings(Values());
  shared_.Reload();
  QDialog::accept();
}

}  // namespace vistrel
