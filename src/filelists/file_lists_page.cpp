#include "filelists/file_lists_page.h"

#include "core/shell_host.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "filelists/list_report_model.h"
#include "filelists/search_files_dialog.h"
#include "filelists/verification_report_window.h"

namespace vistrel {

namespace {

const char* const kInitialTitle = "Open a file list, or click 'Search' or 'Add' to create a list";
const char* const kReportHint =
    "[Right Mouse Button] = PopUp, [Shift-Click] [Ctrl-Click] = Select/unselect";
const char* const kTitleStyle =
    "QLabel { background: rgb(%1,%2,%3); color: white; font-weight: bold; padding: 2px; }";

// Per-user store of the report list's columns and order.
const char* const kStoreOrganisation = "Vistrel";
const char* const kColumnSizesKey = "Columns/Sizes";
const char* const kAscendingKey = "Sort/Ascending";
const char* const kSortColumnKey = "Sort/SortCol";

const int kDefaultWidths[kFieldCount] = {270, 160, 60, 80, 130};

QString TitleStyle(int red, int green, int blue) {
  return QString::fromLatin1(kTitleStyle).arg(red).arg(green).arg(blue);
}

// Typing a letter must not select rows (only Ctrl+A selects them all).
class ReportView : public QTableView {
 public:
  using QTableView::QTableView;
  void keyboardSearch(const QString&) override {}
};

QPushButton* MakeButton(const char* caption, const char* hint, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setToolTip(QString::fromLatin1(hint));
  button->setAutoDefault(false);
  return button;
}

// Buttons left to right at their natural widths, wrapping onto a further row when the column
// is too narrow for them all, so a narrow window never clips a caption.
class WrappingRow : public QLayout {
 public:
  WrappingRow() {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(4);
  }
  ~WrappingRow() override {
    while (QLayoutItem* item = takeAt(0)) delete item;
  }
  void addItem(QLayoutItem* item) override { items_.append(item); }
  int count() const override { return static_cast<int>(items_.size()); }
  QLayoutItem* itemAt(int index) const override { return items_.value(index); }
  QLayoutItem* takeAt(int index) override {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
  }
  Qt::Orientations expandingDirections() const override { return {}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override { return Arrange(QRect(0, 0, width, 0), false); }
  void setGeometry(const QRect& rect) override {
    QLayout::setGeometry(rect);
    Arrange(rect, true);
  }
  QSize sizeHint() const override {  // all on one row
    int width = 0;
    int height = 0;
    for (const QLayoutItem* item : items_) {
      width += item->sizeHint().width() + spacing();
      height = std::max(height, item->sizeHint().height());
    }
    return {std::max(0, width - spacing()), height};
  }
  QSize minimumSize() const override {  // one button a row
    QSize size;
    for (const QLayoutItem* item : items_) size = size.expandedTo(item->sizeHint());
    return size;
  }

 private:
  // Places the items (when asked) and gives the height they take at the width of rect.
  int Arrange(const QRect& rect, bool place) const {
    int x = rect.x();
    int y = rect.y();
    int rowHeight = 0;
    for (QLayoutItem* item : items_) {
      const QSize size = item->sizeHint();
      if (x > rect.x() && x + size.width() > rect.x() + rect.width()) {
        x = rect.x();
        y += rowHeight + spacing();
        rowHeight = 0;
      }
      if (place) item->setGeometry(QRect(QPoint(x, y), size));
      x += size.width() + spacing();
      rowHeight = std::max(rowHeight, size.height());
    }
    return y + rowHeight - rect.y();
  }

  QList<QLayoutItem*> items_;
};

}  // namespace

FileListsPage::FileListsPage(ProgramSettings& settings, Prompter& prompter,
                             const WorkingFolders& folders, ShellHost& host, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      prompter_(prompter),
      folders_(folders),
      host_(host),
      runModal_([](QDialog& dialog) { return dialog.exec(); }) {
  model_ = new ListReportModel(this);
  nameDialog_ = new ListNameDialog(folders_.lists, prompter_, this);
  searchDialog_ = new SearchFilesDialog(this);
  reportWindow_ = new VerificationReportWindow(nameDialog_);
  connect(nameDialog_, &ListNameDialog::ReportRequested, this, &FileListsPage::ShowReport);
  BuildLayout();
  RestoreColumnState();
  RereadSavedLists();
  UpdateListButtons();
  UpdateSavedListButtons();
}

FileListsPage::~FileListsPage() { SaveColumnState(); }

void FileListsPage::BuildLayout() {
  title_ = new QLabel(QString::fromLatin1(kInitialTitle), this);
  title_->setStyleSheet(TitleStyle(128, 128, 128));

  view_ = new ReportView(this);
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setToolTip(QString::fromLatin1(kReportHint));
  view_->setWordWrap(false);
  view_->setShowGrid(false);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
  view_->setStyleSheet(QStringLiteral("QTableView { background: white; color: black; }"));
  QHeaderView* header = view_->horizontalHeader();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  for (int c = 0; c < kFieldCount; ++c) view_->setColumnWidth(c, kDefaultWidths[c]);
  // The date column fits its widest text, "yyyy-mm-dd  hh:mm", in the font in use.
  const int dateWidth =
      view_->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00  00:00")) + 24;
  view_->setColumnWidth(kFieldDate, qMax(kDefaultWidths[kFieldDate], dateWidth));
  connect(header, &QHeaderView::sectionClicked, this, &FileListsPage::SortByColumnClick);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &FileListsPage::SelectionChanged);
  connect(view_, &QAbstractItemView::doubleClicked, this, &FileListsPage::OpenFileRequested);
  view_->installEventFilter(this);
  view_->viewport()->installEventFilter(this);

  searchButton_ = MakeButton("Search", "Search files in current folder", this);
  addButton_ = MakeButton("Add", "Manually add files to list", this);
  selectAllButton_ = MakeButton("Select All", "[CTRL-A ] = Select all entries", this);
  takeOutButton_ = MakeButton("Take out", "[DEL] = Take out selected entries from list", this);
  saveButton_ = MakeButton("Save List", "Save list to disk", this);
  connect(searchButton_, &QPushButton::clicked, this, &FileListsPage::Search);
  connect(addButton_, &QPushButton::clicked, this, &FileListsPage::Add);
  connect(selectAllButton_, &QPushButton::clicked, this, &FileListsPage::SelectAll);
  connect(takeOutButton_, &QPushButton::clicked, this, &FileListsPage::TakeOutSelected);
  connect(saveButton_, &QPushButton::clicked, this, &FileListsPage::SaveList);
  auto* listButtons = new WrappingRow;
  for (QPushButton* b : {searchButton_, addButton_, selectAllButton_, takeOutButton_, saveButton_})
    listButtons->addWidget(b);

  auto* left = new QWidget(this);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->setSpacing(2);
  leftLayout->addWidget(title_);
  leftLayout->addWidget(view_, 1);
  leftLayout->addLayout(listButtons);

  savedTitle_ = new QLabel(QStringLiteral("Saved Lists"), this);
  savedTitle_->setStyleSheet(TitleStyle(128, 128, 128));
  savedLists_ = new QListWidget(this);
  savedLists_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  savedLists_->installEventFilter(this);
  connect(savedLists_, &QListWidget::itemSelectionChanged, this,
          &FileListsPage::UpdateSavedListButtons);
  connect(savedLists_, &QListWidget::itemDoubleClicked, this, [this] { LoadListFile(); });
  loadButton_ = MakeButton("Load List", "Load and verify selected list", this);
  deleteButton_ = MakeButton("Delete", "Delete selected file list", this);
  mergeButton_ = MakeButton("Merge", "Merge selected lists", this);
  // These must not take the focus from the box: leaving the box disables them.
  for (QPushButton* b : {loadButton_, deleteButton_, mergeButton_}) b->setFocusPolicy(Qt::NoFocus);
  connect(loadButton_, &QPushButton::clicked, this, &FileListsPage::LoadListFile);
  connect(deleteButton_, &QPushButton::clicked, this, &FileListsPage::DeleteListFile);
  connect(mergeButton_, &QPushButton::clicked, this, &FileListsPage::MergeListFiles);
  auto* savedButtons = new WrappingRow;
  savedButtons->addWidget(loadButton_);
  savedButtons->addWidget(deleteButton_);
  savedButtons->addWidget(mergeButton_);

  auto* right = new QWidget(this);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->setSpacing(2);
  rightLayout->addWidget(savedTitle_);
  rightLayout->addWidget(savedLists_, 1);
  rightLayout->addLayout(savedButtons);

  // The page shrinks with the window (an 800 x 600 screen): long titles are cut and the
  // button rows wrap rather than the window pushed past the screen.
  for (QLabel* title : {title_, savedTitle_})
    title->setSizePolicy(QSizePolicy::Ignored, title->sizePolicy().verticalPolicy());
  for (QWidget* column : {left, right}) column->setMinimumWidth(80);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(left);
  splitter->addWidget(right);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);
}

QPushButton* FileListsPage::button(const QString& caption) const {
  for (QPushButton* b : {searchButton_, addButton_, selectAllButton_, takeOutButton_, saveButton_,
                         loadButton_, deleteButton_, mergeButton_})
    if (b->text() == caption) return b;
  return nullptr;
}

void FileListsPage::SetPopupMenu(QMenu* menu) {
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, menu,
          [this, menu](const QPoint& at) { menu->popup(view_->viewport()->mapToGlobal(at)); });
}

// --- what the main window asks of the list

int FileListsPage::ItemCount() const { return model_->rowCount(); }

int FileListsPage::SelectedCount() const {
  return int(view_->selectionModel()->selectedRows().size());
}

bool FileListsPage::IsSelected(int index) const {
  return index >= 0 && index < ItemCount() &&
         view_->selectionModel()->isRowSelected(index, QModelIndex());
}

QString FileListsPage::FileOfItem(int index, bool onlySelected) const {
  if (index < 0 || index >= ItemCount() || (onlySelected && !IsSelected(index))) return {};
  return FullPathOfRow(model_->row(index));
}

QString FileListsPage::CurrentFile() const {
  const QModelIndexList selected = view_->selectionModel()->selectedRows();
  if (selected.size() != 1) return {};
  return FullPathOfRow(model_->row(selected.first().row()));
}

// --- events

bool FileListsPage::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == view_ && type == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    bool handled = false;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      Q_EMIT OpenFileRequested();
      handled = true;
    } else if (key->key() == Qt::Key_Delete) {
      if (takeOutButton_->isEnabled()) TakeOutSelected();
      handled = true;
    } else if (key->matches(QKeySequence::SelectAll)) {
      handled = true;  // Select All runs when the key is released
    }
    if (handled) {
      UpdateListButtons();
      Q_EMIT SelectionChanged();
      return true;
    }
    return false;
  }
  if (watched == view_ && type == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_A && key->modifiers() == Qt::ControlModifier) SelectAll();
    UpdateListButtons();
    Q_EMIT ThumbCornerRequested(CurrentFile());
    return false;
  }
  if (watched == view_->viewport() && type == QEvent::MouseButtonRelease) {
    Q_EMIT SelectionChanged();
    Q_EMIT ThumbCornerRequested(CurrentFile());
    return false;
  }
  if (watched == savedLists_) {
    if (type == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        LoadListFile();
        return true;
      }
      if (key == Qt::Key_Delete) {
        DeleteListFile();
        return true;
      }
    } else if (type == QEvent::FocusIn) {
      SetSavedTitleHighlighted(true);
      UpdateSavedListButtons();
    } else if (type == QEvent::FocusOut) {
      SetSavedTitleHighlighted(false);
      for (QPushButton* b : {loadButton_, deleteButton_, mergeButton_}) b->setEnabled(false);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FileListsPage::SetSavedTitleHighlighted(bool on) {
  savedTitleHighlighted_ = on;
  savedTitle_->setStyleSheet(on ? TitleStyle(0, 128, 128) : TitleStyle(128, 128, 128));
}

// --- buttons and title

void FileListsPage::UpdateListButtons() {
  const bool hasRows = ItemCount() > 0;
  selectAllButton_->setEnabled(hasRows);
  takeOutButton_->setEnabled(hasRows);
  saveButton_->setEnabled(hasRows && !listSaved_);
}

void FileListsPage::UpdateSavedListButtons() {
  const int selected = int(savedLists_->selectedItems().size());
  loadButton_->setEnabled(selected == 1);
  deleteButton_->setEnabled(selected == 1);
  mergeButton_->setEnabled(selected > 1);
}

void FileListsPage::SetTitle(const QString& text) {
  title_->setText(text);
  title_->repaint();
  Q_EMIT TitleChanged(text);
}

QString FileListsPage::title() const { return title_->text(); }

void FileListsPage::ShowFoundCount(const QString& text) {
  SetTitle(QStringLiteral(" Files found in \"") + text + QStringLiteral("\":"));
}

void FileListsPage::RereadSavedLists() {
  savedLists_->clear();
  const QStringList names =
      QDir(ListFolder())
          .entryList({QStringLiteral("*.lst")}, QDir::Files | QDir::Hidden, QDir::Name);
  savedLists_->addItems(names);
  UpdateSavedListButtons();
}

QStringList FileListsPage::SelectedSavedLists() const {
  QStringList names;
  for (int i = 0; i < savedLists_->count(); ++i)
    if (savedLists_->item(i)->isSelected()) names.append(savedLists_->item(i)->text());
  return names;
}

// --- sorting and the per-user store

void FileListsPage::SortByColumnClick(int column) {
  if (RefusedWhileSearching()) return;
  const bool ascending = column == model_->sortColumn() ? !model_->ascending() : true;
  const ListCompareMode mode =
      column == kFieldSize ? ListCompareMode::kSmart : ListCompareMode::kText;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  model_->SortBy(column, ascending, mode);
  QApplication::restoreOverrideCursor();
  view_->horizontalHeader()->setSortIndicator(column,
                                              ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void FileListsPage::RestoreColumnState() {
  const QSettings store(QString::fromLatin1(kStoreOrganisation));
  const QStringList widths =
      store.value(QString::fromLatin1(kColumnSizesKey)).toString().split(QLatin1Char(','));
  if (widths.size() == kFieldCount) {
    for (int c = 0; c < kFieldCount; ++c) {
      bool ok = false;
      const int width = widths[c].trimmed().toInt(&ok);
      if (ok && width > 0) view_->setColumnWidth(c, width);
    }
  }
  const bool ascending = store.value(QString::fromLatin1(kAscendingKey), true).toBool();
  const int column = store.value(QString::fromLatin1(kSortColumnKey), 0).toInt();
  // The smart comparison comes only with a click on "Size", never from the store.
  model_->SetSortState(column, ascending, ListCompareMode::kText);
  view_->horizontalHeader()->setSortIndicator(model_->sortColumn(),
                                              ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void FileListsPage::SaveColumnState() const {
  QSettings store(QString::fromLatin1(kStoreOrganisation));
  QStringList widths;
  for (int c = 0; c < kFieldCount; ++c) widths.append(QString::number(view_->columnWidth(c)));
  store.setValue(QString::fromLatin1(kColumnSizesKey), widths.join(QLatin1Char(',')));
  store.setValue(QString::fromLatin1(kAscendingKey), model_->ascending());
  store.setValue(QString::fromLatin1(kSortColumnKey), model_->sortColumn());
}

void FileListsPage::ShowReport() {
  reportWindow_->SetLines(workList_);
  runModal_(*reportWindow_);
}

void FileListsPage::Progress(int value) { host_.SetProgress(value); }

void FileListsPage::GiveReportFocus() {
  if (view_->isVisible() && view_->isEnabled()) view_->setFocus();
}

}  // namespace vistrel
