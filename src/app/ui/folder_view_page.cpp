#include "app/ui/folder_view_page.h"

#include <QButtonGroup>
#include <QFileIconProvider>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeDatabase>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <functional>

#include "app/ui/folder_listing.h"
#include "app/ui/title_bar.h"
#include "core/disk_name.h"
#include "core/text_paths.h"

namespace vistrel {

namespace {

// The file list reports a release after it has handled it: a click inside a multi-selection
// narrows the selection only on release, and the status and preview must see the result.
class FileList : public QListWidget {
 public:
  FileList(std::function<void()> released, QWidget* parent)
      : QListWidget(parent), released_(std::move(released)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QListWidget::mouseReleaseEvent(event);
    released_();
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    QListWidget::keyReleaseEvent(event);
    released_();
  }

 private:
  std::function<void()> released_;
};

const char* const kListHint = "[Right Mouse Button] = PopUp , [DEL] = Delete File";
const char* const kPreviewCaption = "Editor and Bowser view disabled";

// The icon of a file type, found by the name's extension alone: looking into every file of a
// large folder (or at a name the locale cannot spell) would stall the listing.
QIcon TypeIcon(const QString& name) {
  static QHash<QString, QIcon> known;
  const qsizetype dot = name.lastIndexOf(u'.');
  const QString tail = dot < 0 ? QString() : name.mid(dot).toLower();
  const auto found = known.constFind(tail);
  if (found != known.constEnd()) return *found;
  static const QMimeDatabase types;
  static const QFileIconProvider provider;
  const QMimeType type =
      types.mimeTypeForFile(QStringLiteral("x") + tail, QMimeDatabase::MatchExtension);
  QIcon icon = QIcon::fromTheme(type.iconName());
  if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
  if (icon.isNull()) icon = provider.icon(QAbstractFileIconProvider::File);
  known.insert(tail, icon);
  return icon;
}
}  // namespace

FolderViewPage::FolderViewPage(QWidget* parent) : QWidget(parent) {
  title_ = new TitleBar(QString(), this);
  title_->setObjectName(QStringLiteral("LabelFiles"));

  list_ = new FileList([this] { Q_EMIT UserMoved(); }, this);
  list_->setObjectName(QStringLiteral("LBFile"));
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setToolTip(QString::fromLatin1(kListHint));
  list_->setUniformItemSizes(true);
  list_->installEventFilter(this);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Q_EMIT ActivatedItem(); });

  previewArea_ = new QWidget(this);
  previewCaption_ = new QLabel(QString::fromLatin1(kPreviewCaption), previewArea_);
  previewCaption_->setAlignment(Qt::AlignCenter);
  previewStack_ = new QStackedLayout(previewArea_);
  previewStack_->addWidget(previewCaption_);

  browserButton_ = new QPushButton(QStringLiteral("Browser"), this);
  browserButton_->setToolTip(QStringLiteral("Show Browser View"));
  editorButton_ = new QPushButton(QStringLiteral("Editor"), this);
  editorButton_->setToolTip(QStringLiteral("Show Editor"));
  for (QPushButton* b : {browserButton_, editorButton_}) b->setCheckable(true);
  auto* toggle = new QButtonGroup(this);
  toggle->setExclusive(true);
  toggle->addButton(browserButton_);
  toggle->addButton(editorButton_);
  browserButton_->setChecked(true);
  connect(toggle, &QButtonGroup::buttonClicked, this, [this] { Q_EMIT ToggleChanged(); });
  saveAsButton_ = new QPushButton(QStringLiteral("Save As"), this);
  saveAsButton_->setToolTip(QStringLiteral("Save a copy of the current editor file"));
  saveButton_ = new QPushButton(QStringLiteral("Save"), this);
  saveButton_->setToolTip(QStringLiteral("[CTRL-S]: Save current editor file"));
  saveButton_->setEnabled(false);

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(2, 2, 2, 2);
  bar->addWidget(browserButton_);
  bar->addWidget(editorButton_);
  bar->addStretch(1);
  bar->addWidget(saveAsButton_);
  bar->addWidget(saveButton_);
  auto* previewPanel = new QWidget(this);
  auto* previewLayout = new QVBoxLayout(previewPanel);
  previewLayout->setContentsMargins(0, 0, 0, 0);
  previewLayout->setSpacing(0);
  previewLayout->addWidget(previewArea_, 1);
  previewLayout->addLayout(bar);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setHandleWidth(7);
  splitter->addWidget(list_);
  splitter->addWidget(previewPanel);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({149, 600});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(title_);
  layout->addWidget(splitter, 1);
  title_->WatchFocusOf(this);
}

void FolderViewPage::ShowFolder(const QString& folder, const QString& patterns) {
  folder_ = IncludeTrailingSeparator(folder);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  title_->setText(PrintableName(folder_));
  list_->clear();
  names_ = ListFolderFiles(folder_, patterns, &listError_);
  // All rows in one insertion, and the icons set without a change signal per row: row by row,
  // a folder of many thousand files kept the window frozen for seconds.
  QStringList shown;
  shown.reserve(names_.size());
  for (const QString& name : names_) shown << PrintableName(name);
  list_->addItems(shown);
  if (showIcons_) SetIcons(true);
  if (list_->count() > 0) list_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

QString FolderViewPage::NameAt(int index) const {
  return index >= 0 && index < names_.size() && index < list_->count() ? names_.at(index)
                                                                       : QString();
}

void FolderViewPage::SetShowFileIcons(bool on) {
  if (showIcons_ == on) return;
  showIcons_ = on;
  SetIcons(on);
}

void FolderViewPage::SetIcons(bool on) {
  {
    const QSignalBlocker quiet(list_->model());
    for (int i = 0; i < list_->count(); ++i)
      list_->item(i)->setIcon(on ? TypeIcon(NameAt(i)) : QIcon());
  }
  list_->viewport()->update();
}

bool FolderViewPage::SelectName(const QString& name) {
  for (int i = 0; i < list_->count(); ++i) {
    if (NameAt(i).compare(name, Qt::CaseInsensitive) == 0) {
      list_->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
      return true;
    }
  }
  return false;
}

int FolderViewPage::ItemCount() const { return list_->count(); }
int FolderViewPage::SelectedCount() const {
  return static_cast<int>(list_->selectedItems().size());
}

bool FolderViewPage::IsSelected(int index) const {
  const QListWidgetItem* item = list_->item(index);
  return item && item->isSelected();
}

QString FolderViewPage::FileOfItem(int index, bool onlySelected) const {
  const QListWidgetItem* item = list_->item(index);
  if (!item || (onlySelected && !item->isSelected())) return {};
  return folder_ + NameAt(index);
}

QString FolderViewPage::CurrentFile() const {
  if (SelectedCount() >= 2 || !list_->currentItem()) return {};
  return folder_ + NameAt(list_->currentRow());
}

void FolderViewPage::PlacePreview(QWidget* control) {
  if (placed_ == control) return;
  ReleasePreview();
  placed_ = control;
  previewStack_->addWidget(control);
  previewStack_->setCurrentWidget(control);
  control->show();
}

void FolderViewPage::ReleasePreview() {
  if (!placed_) return;
  previewStack_->removeWidget(placed_);
  placed_ = nullptr;
  previewStack_->setCurrentWidget(previewCaption_);
}

bool FolderViewPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      Q_EMIT ActivatedItem();
      return true;
    }
    if (key->key() == Qt::Key_Delete) {
      Q_EMIT DeleteRequested();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vistrel
