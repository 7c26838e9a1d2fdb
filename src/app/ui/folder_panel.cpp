#include "app/ui/folder_panel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QLabel>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/ui/folder_tree_model.h"
#include "app/ui/title_bar.h"
#include "core/text_paths.h"

namespace vistrel {

namespace {
const char* const kFilterHint = "Determine which files types should be filtered";
const char* const kCornerCaption = "--- Thumbnail Corner ---";
const char* const kCornerHint = "Double click here to create/update thumbnail(s)";
}  // namespace

FolderPanel::FolderPanel(bool openOnSingleClick, QWidget* parent)
    : QWidget(parent), openOnSingleClick_(openOnSingleClick) {
  title_ = new TitleBar(QStringLiteral("Folder Selection"), this);
  driveBox_ = new QComboBox(this);
  driveBox_->setObjectName(QStringLiteral("CBDrive"));
  model_ = new FolderTreeModel(QStringLiteral("/"), this);
  tree_ = new QTreeView(this);
  tree_->setObjectName(QStringLiteral("LBDir"));
  tree_->setModel(model_);
  tree_->setUniformRowHeights(true);  // a folder of thousands of subfolders lays out at once
  tree_->header()->hide();
  // Deep folders keep their whole names: the column grows and the tree scrolls sideways.
  tree_->header()->setStretchLastSection(false);
  tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  tree_->setIndentation(12);
  tree_->setExpandsOnDoubleClick(false);
  filterTitle_ = new TitleBar(QStringLiteral(" Filter: "), this);
  filterBox_ = new QComboBox(this);
  filterBox_->setObjectName(QStringLiteral("CBFilter"));
  filterBox_->setToolTip(QString::fromLatin1(kFilterHint));
  filterBox_->setFocusPolicy(Qt::ClickFocus);
  corner_ = new QLabel(QString::fromLatin1(kCornerCaption), this);
  corner_->setObjectName(QStringLiteral("PanelActThumb"));
  corner_->setAlignment(Qt::AlignCenter);
  corner_->setFixedHeight(110);
  corner_->setFrameShape(QFrame::StyledPanel);
  corner_->setToolTip(QString::fromLatin1(kCornerHint));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  // The boxes take the panel's width; long volume names or choices must not widen the panel.
  for (QComboBox* box : {driveBox_, filterBox_}) {
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(8);
  }
  layout->addWidget(title_);
  layout->addWidget(driveBox_);
  layout->addWidget(tree_, 1);
  layout->addWidget(filterTitle_);
  layout->addWidget(filterBox_);
  layout->addWidget(corner_);
  title_->WatchFocusOf(this);

  FillDrives();
  connect(driveBox_, qOverload<int>(&QComboBox::activated), this, &FolderPanel::OnDriveChosen);
  connect(tree_, &QTreeView::clicked, this,
          [this](const QModelIndex& i) { OnTreeActivated(i, false); });
  connect(tree_, &QTreeView::doubleClicked, this,
          [this](const QModelIndex& i) { OnTreeActivated(i, true); });
  // Not QTreeView::activated: some styles raise it on a single click, which must only select
  // the folder while single-click opening is off. Enter opens it like a double click.
  tree_->installEventFilter(this);
  connect(filterBox_, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &FolderPanel::OnFilterChosen);
}

bool FolderPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tree_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && tree_->currentIndex().isValid()) {
      OnTreeActivated(tree_->currentIndex(), true);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FolderPanel::ShowRow(const QModelIndex& index, QAbstractItemView::ScrollHint hint) {
  tree_->scrollTo(index, hint);
  // Sideways, the row's name starts at the left edge (with its parent's arrow in view), not
  // wherever the longest name of the tree would put it.
  QScrollBar* sideways = tree_->horizontalScrollBar();
  sideways->setValue(sideways->value() + tree_->visualRect(index).left() -
                     2 * tree_->indentation());
}

void FolderPanel::FillDrives() {
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = IncludeTrailingSeparator(volume.rootPath());
    const QString name = volume.displayName();
    driveBox_->addItem(
        name == volume.rootPath() ? root : root + QStringLiteral("  [") + name + QLatin1Char(']'),
        root);
  }
}

void FolderPanel::OnDriveChosen(int index) {
  const QString root = driveBox_->itemData(index).toString();
  if (!root.isEmpty()) SetFolder(root);
  Q_EMIT FolderChanged(folder_);
}

void FolderPanel::OnTreeActivated(const QModelIndex& index, bool doubleClick) {
  if (!doubleClick && !openOnSingleClick_) return;
  const QString path = model_->PathOf(index);
  if (path == folder_) return;
  SetFolder(path);
  Q_EMIT FolderChanged(folder_);
}

void FolderPanel::SetFolder(const QString& folder) {
  folder_ = IncludeTrailingSeparator(folder);
  // Opening a folder again is when the user expects the tree to catch up with the disk.
  const QModelIndex index = model_->IndexOf(folder_);
  if (index.isValid()) {
    model_->Reread(index);
    tree_->setCurrentIndex(index);
    tree_->expand(index);
    ShowRow(index, QAbstractItemView::EnsureVisible);
    // Before the panel is first shown the tree has no size to scroll in: again once it has.
    if (!tree_->isVisible())
      QTimer::singleShot(0, this, [this, index = QPersistentModelIndex(index)] {
        if (index.isValid() && tree_->currentIndex() == index)
          ShowRow(index, QAbstractItemView::PositionAtCenter);
      });
  }
  // The drive box follows the volume that holds the folder.
  const QString root = IncludeTrailingSeparator(QStorageInfo(folder_).rootPath());
  const int drive = driveBox_->findData(root);
  if (drive >= 0) driveBox_->setCurrentIndex(drive);
}

void FolderPanel::SetFilterChoices(const QVector<FilterChoice>& choices) {
  filterBox_->blockSignals(true);
  filterBox_->clear();
  for (const FilterChoice& choice : choices)
    filterBox_->addItem(choice.description, choice.patterns);
  filterBox_->blockSignals(false);
  filterBox_->setCurrentIndex(choices.isEmpty() ? -1 : 0);
  OnFilterChosen(filterBox_->currentIndex());
}

QString FolderPanel::CurrentPatterns() const { return filterBox_->currentData().toString(); }

void FolderPanel::KeepPatterns(const QString& patterns) {
  const int index = filterBox_->findData(patterns);
  if (index >= 0) {
    const QSignalBlocker quiet(filterBox_);
    filterBox_->setCurrentIndex(index);
  }
  ShowPatterns(patterns);
}

void FolderPanel::ShowPatterns(const QString& patterns) {
  filterTitle_->setText(QStringLiteral(" Filter: ") + patterns);
  filterTitle_->setToolTip(patterns);
}

void FolderPanel::OnFilterChosen(int) {
  const QString patterns = CurrentPatterns();
  ShowPatterns(patterns);
  Q_EMIT PatternsChanged(patterns);
}

void FolderPanel::ShowCornerPicture(const QPixmap& picture) {
  if (picture.isNull()) return ClearCornerPicture();
  corner_->setPixmap(picture);
}

void FolderPanel::ClearCornerPicture() {
  corner_->clear();
  corner_->setText(QString::fromLatin1(kCornerCaption));
}

bool FolderPanel::CornerHasPicture() const { return !corner_->pixmap().isNull(); }

}  // namespace vistrel
