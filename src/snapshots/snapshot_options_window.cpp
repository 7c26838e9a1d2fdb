#include "snapshots/snapshot_options_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/page_list.h"
#include "core/prompter.h"
#include "core/text_paths.h"
#include "core/vistrel_error.h"
#include "render/browser_view.h"
#include "settings/program_settings.h"
#include "snapshots/colour_box.h"
#include "snapshots/snapshot_batch_dialog.h"
#include "snapshots/snapshot_compose.h"
#include "snapshots/snapshot_export.h"
#include "snapshots/up_down_buttons.h"

namespace vistrel {

namespace {

const char kBaseSizeHeading[] = " Snapshot Base Size";
const char kCustomSize[] = "Custom browser size";
const char kWidthLabel[] = "Width:";
const char kHeightLabel[] = "Heigth:";
const char kBrowserSize[] = "Current browser size";
const char kOutputHeading[] = " Output Size";
const char kPercentLabel[] = "Percent (%):";
const char kShadowHeading[] = " Shadow && Border";
const char kBackgroundLabel[] = "Background Color:";
const char kShadowColourLabel[] = "Shadow Color:";
const char kBorderColourLabel[] = "Border Color:";
const char kShadowWidthLabel[] = "Shadow Width:";
const char kBorderWidthLabel[] = "Border Width:";
const char kCropVerti[] = "Crop vert. Scrollbar";
const char kCropHori[] = "Crop horiz. Scrollbar";
const char kInitialStatus[] = "Snapshot - Set your preferences then click 'Preview'";
const char kPreview[] = "Preview";
const char kPreviewHint[] = "Make and show snapshot";
const char kSave[] = "Save";
const char kSaveHint[] = "Save snapshot as JPG or BMP file";
const char kBatch[] = "Batch Export";
const char kClip[] = "Copy to clipboard";
const char kClipHint[] = "Copy snapshot to clipboard";
const char kSaveFilter[] = "JPG File (True Color) (*.jpg);;BMP File (True Color) (*.bmp)";
const char kBatchCaption[] = "Snapshot Options for ";
const char kBatchCaptionEnd[] = " files";
const char kSingleCaption[] = "Snapshot Options - (File: ";
const char kPreviewDone[] = "Preview file (1 of ";
const char kSnapshotDone[] = "Snapshot done: (Source: ";
const char kBatchDone[] = "Snapshots done ...";

constexpr int kInitialWidth = 665;
constexpr int kInitialHeight = 477;

// The wait cursor for as long as a step runs, however it ends.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The window is disabled while a batch runs from it and enabled again however it ends.
class DisabledWhile {
 public:
  explicit DisabledWhile(QWidget* window) : window_(window) { window_->setEnabled(false); }
  ~DisabledWhile() { window_->setEnabled(true); }
  DisabledWhile(const DisabledWhile&) = delete;
  DisabledWhile& operator=(const DisabledWhile&) = delete;

 private:
  QWidget* window_;
};

QString SizeText(int width, int height) {
  return QString::number(width) + QLatin1Char('x') + QString::number(height);
}

QLineEdit* Entry(const char* name, int maxLength, bool readOnly, QWidget* parent) {
  auto* entry = new QLineEdit(parent);
  entry->setObjectName(QLatin1String(name));
  entry->setMaxLength(maxLength);
  entry->setReadOnly(readOnly);
  entry->setFixedWidth(60);
  return entry;
}

QPushButton* Button(const char* name, const char* text, const char* hint, QWidget* parent) {
  auto* button = new QPushButton(QLatin1String(text), parent);
  button->setObjectName(QLatin1String(name));
  button->setToolTip(QLatin1String(hint));
  button->setAutoDefault(false);
  return button;
}

QLabel* Label(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(QLatin1String(text), parent);
  if (name) label->setObjectName(QLatin1String(name));
  return label;
}

// Arrows beside an entry, in the entry's own box.
UpDownButtons* Spin(const char* name, QLineEdit* entry, int minimum, int maximum, int step) {
  auto* buttons = new UpDownButtons(entry, minimum, maximum, step, entry->parentWidget());
  buttons->setObjectName(QLatin1String(name));
  return buttons;
}

void AddSpinRow(QGridLayout* grid, int row, QLabel* label, QLineEdit* entry,
                UpDownButtons* buttons) {
  grid->addWidget(label, row, 0);
  grid->addWidget(entry, row, 1);
  grid->addWidget(buttons, row, 2);
}

ColourBox* Colour(const char* name, QWidget* parent) {
  auto* box = new ColourBox(parent);
  box->setObjectName(QLatin1String(name));
  return box;
}

// The save dialog does not say which filter was chosen; a typed ".bmp" or ".jpg" names it,
// anything else keeps the one in use.
int FilterIndexOfName(const QString& name, int current) {
  const QString suffix = QFileInfo(name).suffix().toLower();
  if (suffix == QLatin1String("bmp")) return 2;
  if (suffix == QLatin1String("jpg")) return 1;
  return current;
}

QString ExtOfFilterIndex(int index) {
  return index == 2 ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
}

}  // namespace

SnapshotOptionsWindow::SnapshotOptionsWindow(const SnapshotServices& services, const PageList* page,
                                             const SnapshotRequest& request,
                                             BrowserView* viewerBrowser, QWidget* parent)
    : QDialog(parent),
      program_(services.program),
      prompter_(services.prompter),
      progress_(services.progress),
      page_(page),
      viewerBrowser_(viewerBrowser),
      renderer_(services.profile, services.display),
      minimumKb_(kSnapshotMinimumKb) {
  LoadStoredSnapshotFields(program_, settings_);
  settings_.FileName = request.FileName;
  settings_.Batch = request.Batch && page_ && !viewerBrowser;
  settings_.SourcePage = request.SourcePage;
  settings_.SelCount = request.SelCount;
  settings_.ItemCount = request.ItemCount;
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  resize(kInitialWidth, kInitialHeight);
  BuildControls();
}

SnapshotOptionsWindow::~SnapshotOptionsWindow() = default;

void SnapshotOptionsWindow::BuildControls() {
  auto* left = new QWidget;
  auto* leftLayout = new QVBoxLayout(left);

  auto* baseBox = new QGroupBox(QLatin1String(kBaseSizeHeading), left);
  auto* baseGrid = new QGridLayout(baseBox);
  rbCustom_ = new QRadioButton(QLatin1String(kCustomSize), baseBox);
  rbCustom_->setObjectName(QStringLiteral("RBCustom"));
  eWidth_ = Entry("EWidth", 4, false, baseBox);
  udWidth_ = Spin("UDWidth", eWidth_, 50, 2000, 50);
  eHeight_ = Entry("EHeight", 4, false, baseBox);
  udHeight_ = Spin("UDHeight", eHeight_, 50, 3000, 50);
  udWidth_->SetPosition(800);
  udHeight_->SetPosition(600);
  rbBrowser_ = new QRadioButton(QLatin1String(kBrowserSize), baseBox);
  rbBrowser_->setObjectName(QStringLiteral("RBBrowser"));
  eViewWidth_ = Entry("EViewWidth", 32767, true, baseBox);
  eViewWidth_->setFixedWidth(110);
  baseGrid->addWidget(rbCustom_, 0, 0, 1, 3);
  AddSpinRow(baseGrid, 1, Label("Label1", kWidthLabel, baseBox), eWidth_, udWidth_);
  AddSpinRow(baseGrid, 2, Label("Label2", kHeightLabel, baseBox), eHeight_, udHeight_);
  baseGrid->addWidget(rbBrowser_, 3, 0, 1, 3);
  baseGrid->addWidget(eViewWidth_, 4, 1, 1, 2);

  auto* outBox = new QGroupBox(QLatin1String(kOutputHeading), left);
  auto* outGrid = new QGridLayout(outBox);
  eScale_ = Entry("EScale", 3, false, outBox);
  udScale_ = Spin("UDScale", eScale_, 5, 100, 5);
  udScale_->SetPosition(100);
  AddSpinRow(outGrid, 0, Label("Label5", kPercentLabel, outBox), eScale_, udScale_);

  auto* frameBox = new QGroupBox(QLatin1String(kShadowHeading), left);
  auto* frameGrid = new QGridLayout(frameBox);
  rzColBG_ = Colour("RzColBG", frameBox);
  rzColBShade_ = Colour("RzColBShade", frameBox);
  rzColBorder_ = Colour("RzColBorder", frameBox);
  eShade_ = Entry("EShade", 2, true, frameBox);
  udShade_ = Spin("UDShade", eShade_, 0, 30, 1);
  eBorder_ = Entry("EBorder", 2, true, frameBox);
  udBorder_ = Spin("UDBorder", eBorder_, 0, 30, 1);
  cbCropVerti_ = new QCheckBox(QLatin1String(kCropVerti), frameBox);
  cbCropVerti_->setObjectName(QStringLiteral("CBCropVerti"));
  cbCropHori_ = new QCheckBox(QLatin1String(kCropHori), frameBox);
  cbCropHori_->setObjectName(QStringLiteral("CBCropHori"));
  frameGrid->addWidget(Label(nullptr, kBackgroundLabel, frameBox), 0, 0, 1, 3);
  frameGrid->addWidget(rzColBG_, 1, 0, 1, 3);
  frameGrid->addWidget(Label(nullptr, kShadowColourLabel, frameBox), 2, 0, 1, 3);
  frameGrid->addWidget(rzColBShade_, 3, 0, 1, 3);
  frameGrid->addWidget(Label(nullptr, kBorderColourLabel, frameBox), 4, 0, 1, 3);
  frameGrid->addWidget(rzColBorder_, 5, 0, 1, 3);
  AddSpinRow(frameGrid, 6, Label("Label6", kShadowWidthLabel, frameBox), eShade_, udShade_);
  AddSpinRow(frameGrid, 7, Label("Label4", kBorderWidthLabel, frameBox), eBorder_, udBorder_);
  frameGrid->addWidget(cbCropVerti_, 8, 0, 1, 3);
  frameGrid->addWidget(cbCropHori_, 9, 0, 1, 3);

  leftLayout->addWidget(baseBox);
  leftLayout->addWidget(outBox);
  leftLayout->addWidget(frameBox);
  leftLayout->addStretch();

  auto* right = new QWidget;
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  panelTreeTop_ = new QLabel(QLatin1String(kInitialStatus), right);
  panelTreeTop_->setObjectName(QStringLiteral("PanelTreeTop"));
  panelTreeTop_->setAutoFillBackground(true);
  panelTreeTop_->setStyleSheet(
      QStringLiteral("QLabel { background: #008080; color: white; padding: 3px; }"));
  scrollBox1_ = new QScrollArea(right);
  scrollBox1_->setObjectName(QStringLiteral("ScrollBox1"));
  QPalette hatch = scrollBox1_->palette();
  hatch.setBrush(QPalette::Window, QBrush(Qt::gray, Qt::DiagCrossPattern));
  scrollBox1_->setPalette(hatch);
  scrollBox1_->setBackgroundRole(QPalette::Window);
  imgLabel_ = new QLabel;
  imgLabel_->setObjectName(QStringLiteral("ImgSave"));
  scrollBox1_->setWidget(imgLabel_);
  auto* buttonBar = new QWidget(right);
  buttonBar->setObjectName(QStringLiteral("PanelBut"));
  auto* buttons = new QHBoxLayout(buttonBar);
  bPreview_ = Button("BPreview", kPreview, kPreviewHint, buttonBar);
  bSave_ = Button("BSave", kSave, kSaveHint, buttonBar);
  bBatch_ = Button("BBatch", kBatch, kSaveHint, buttonBar);
  bClip_ = Button("BClip", kClip, kClipHint, buttonBar);
  for (QPushButton* button : {bPreview_, bSave_, bBatch_, bClip_}) buttons->addWidget(button);
  buttons->addStretch();
  rightLayout->addWidget(panelTreeTop_);
  rightLayout->addWidget(scrollBox1_, 1);
  rightLayout->addWidget(buttonBar);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(left);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  connect(rbCustom_, &QRadioButton::toggled, this, &SnapshotOptionsWindow::RBCustomClick);
  connect(bPreview_, &QPushButton::clicked, this, &SnapshotOptionsWindow::BPreviewClick);
  connect(bSave_, &QPushButton::clicked, this, &SnapshotOptionsWindow::BsaveClick);
  connect(bBatch_, &QPushButton::clicked, this, &SnapshotOptionsWindow::BBatchClick);
  connect(bClip_, &QPushButton::clicked, this, &SnapshotOptionsWindow::BClipClick);
}

void SnapshotOptionsWindow::showEvent(QShowEvent* event) {
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
  QDialog::showEvent(event);
}

void SnapshotOptionsWindow::FormShow() {
  if (windowState() == Qt::WindowNoState && parentWidget()) {
    const QRect main = parentWidget()->window()->geometry();
    setGeometry(main.left() + 14, main.top() + 25, main.width() - 28, main.height() - 30);
  }
  const bool fromViewer = !viewerBrowser_.isNull();
  rbCustom_->setChecked(!fromViewer);
  rbBrowser_->setEnabled(fromViewer);
  eViewWidth_->clear();
  if (fromViewer) {
    rbBrowser_->setChecked(true);
    settings_.BrowserWidth = viewerBrowser_->width();
    settings_.BrowserHeight = viewerBrowser_->height();
    eViewWidth_->setText(QLatin1Char('(') +
                         SizeText(settings_.BrowserWidth, settings_.BrowserHeight) +
                         QLatin1Char(')'));
  }
  udWidth_->SetPosition(settings_.CustomWidth);
  udHeight_->SetPosition(settings_.CustomHeight);
  rzColBG_->SetValue(settings_.BGCol);
  rzColBShade_->SetValue(settings_.ShadeCol);
  rzColBorder_->SetValue(settings_.BorderCol);
  udScale_->SetPosition(settings_.Scale);
  udShade_->SetPosition(settings_.Shade);
  udBorder_->SetPosition(settings_.Border);
  cbCropHori_->setChecked(settings_.CropHori);
  cbCropVerti_->setChecked(settings_.CropVerti);
  bSave_->setEnabled(false);
  bBatch_->setEnabled(settings_.Batch);
  if (settings_.Batch)
    setWindowTitle(QLatin1String(kBatchCaption) + QString::number(settings_.SelCount) +
                   QLatin1String(kBatchCaptionEnd));
  else
    setWindowTitle(QLatin1String(kSingleCaption) + settings_.FileName + QLatin1Char(')'));
  RBCustomClick();
  if (CheckInput()) {
    imgSave_ = PaintSaveImg(settings_, nullptr);
    ShowImgSave();
  }
}

void SnapshotOptionsWindow::RBCustomClick() {
  eWidth_->setEnabled(rbCustom_->isChecked());
  eHeight_->setEnabled(rbCustom_->isChecked());
}

bool SnapshotOptionsWindow::CheckInput() {
  SnapshotInput input;
  input.custom = rbCustom_->isChecked();
  input.width = eWidth_->text();
  input.height = eHeight_->text();
  input.scale = eScale_->text();
  input.shade = eShade_->text();
  input.border = eBorder_->text();
  input.cropVerti = cbCropVerti_->isChecked();
  input.cropHori = cbCropHori_->isChecked();
  input.bgCol = rzColBG_->Value();
  input.shadeCol = rzColBShade_->Value();
  input.borderCol = rzColBorder_->Value();
  const bool ok = TestInput(input, settings_, prompter_);
  // What was accepted before a refused entry stays, in the program settings too.
  StoreSnapshotFields(settings_, program_);
  return ok;
}

QSize SnapshotOptionsWindow::RenderSizeNow() const {
  return RenderSize(settings_, rbCustom_->isChecked());
}

void SnapshotOptionsWindow::SetStatus(const QString& text) {
  panelTreeTop_->setText(text);
  panelTreeTop_->repaint();
}

void SnapshotOptionsWindow::ShowImgSave() {
  imgLabel_->setPixmap(QPixmap::fromImage(imgSave_));
  imgLabel_->adjustSize();
}

bool SnapshotOptionsWindow::Shot(const QString& fileName) {
  WaitCursor wait;
  try {
    renderer_.DoTheShot(
        fileName, settings_, RenderSizeNow(), &imgSave_,
        [this](const QString& text) { SetStatus(text); }, viewerBrowser_.data());
  } catch (const VistrelError& error) {
    prompter_.Error(error.message());
    return false;
  }
  ShowImgSave();
  return true;
}

void SnapshotOptionsWindow::BPreviewClick() {
  if (!CheckInput()) return;
  const QSize render = RenderSizeNow();
  const QString source = SizeText(render.width(), render.height());
  const QString output = SizeText(settings_.OutWidth, settings_.OutHeight);
  if (settings_.Batch) {
    settings_.FileName.clear();
    for (int i = 0; i < settings_.ItemCount && settings_.FileName.isEmpty(); ++i)
      settings_.FileName = page_->FileOfItem(i, true);
    if (!Shot(settings_.FileName)) return;
    SetStatus(QLatin1String(kPreviewDone) + QString::number(settings_.SelCount) +
              QStringLiteral("): (Source: ") + source + QStringLiteral(",  Output: ") + output +
              QLatin1Char(')'));
  } else {
    if (!Shot(settings_.FileName)) return;
    bSave_->setEnabled(true);
    SetStatus(QLatin1String(kSnapshotDone) + source + QStringLiteral(",  Snapshot: ") + output +
              QStringLiteral(" = ") + QString::number(settings_.Scale) + QStringLiteral("%)"));
  }
}

void SnapshotOptionsWindow::BsaveClick() {
  FileDialogRequest request;
  request.folder = program_.SNAPSHOTPATH;
  // The dialog opens where snapshots go; the folder may not exist before the first one.
  QDir().mkpath(request.folder);
  request.fileName = SnapshotFileName(settings_.FileName, ExtOfFilterIndex(filterIndex_));
  request.filter = QLatin1String(kSaveFilter);
  const QString chosen = prompter_.SaveFile(request);
  if (chosen.isEmpty()) return;
  filterIndex_ = FilterIndexOfName(chosen, filterIndex_);
  settings_.Format = filterIndex_ == 2 ? SnapshotFormat::kBmp : SnapshotFormat::kJpeg;
  const QFileInfo chosenInfo(chosen);
  const QString target = BuildTargetPath(chosenInfo.absolutePath(), chosenInfo.fileName(),
                                         ExtOfFilterIndex(filterIndex_), prompter_);
  WaitCursor wait;
  SaveSnapshot(
      target, settings_.Format, false, imgSave_, prompter_,
      [this](const QString& text) { SetStatus(text); }, minimumKb_);
  // A refused name keeps the folder the user had.
  if (!target.isEmpty())
    program_.SNAPSHOTPATH = IncludeTrailingSeparator(QFileInfo(target).absolutePath());
}

void SnapshotOptionsWindow::BBatchClick() {
  if (!CheckInput()) return;
  imgSave_ = PaintSaveImg(settings_, nullptr);
  ShowImgSave();
  {
    SnapshotBatchDialog dialog(program_, prompter_, settings_.SelCount, this);
    if (dialog.exec() != QDialog::Accepted) return;
    settings_.Ext = dialog.Ext();
    settings_.Format = dialog.Format();
  }
  // The dialog may have changed the time each page is given.
  renderer_.SetTimeout(RenderTimeoutMs(program_));
  repaint();
  const QString folder = IncludeTrailingSeparator(program_.SNAPSHOTPATH);
  QDir().mkpath(folder);

  SnapshotBatch batch;
  batch.folder = folder;
  batch.ext = settings_.Ext;
  batch.format = settings_.Format;
  batch.renderSize = RenderSizeNow();
  batch.minimumKb = minimumKb_;
  {
    DisabledWhile disabled(this);
    try {
      if (page_)
        ExportSnapshots(*page_, progress_, renderer_, settings_, batch, imgSave_, prompter_,
                        [this](const QString& text) { SetStatus(text); });
    } catch (const VistrelError& error) {
      prompter_.Error(error.message());
    }
  }
  ShowImgSave();
  SetStatus(QLatin1String(kBatchDone));
}

void SnapshotOptionsWindow::BClipClick() {
  WaitCursor wait;
  if (imgSave_.format() != QImage::Format_RGB888)
    imgSave_ = imgSave_.convertToFormat(QImage::Format_RGB888);
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  if (!imgSave_.isNull()) clipboard->setImage(imgSave_);
}

void SnapshotOptionsWindow::done(int result) {
  settings_.Batch = false;
  imgSave_ = QImage();
  imgLabel_->clear();
  QDialog::done(result);
}

}  // namespace vistrel
