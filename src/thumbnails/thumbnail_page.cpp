#include "thumbnails/thumbnail_page.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/prompter.h"
#include "core/render_guard.h"
#include "core/shell_host.h"
#include "core/text_paths.h"
#include "settings/program_settings.h"
#include "thumbnails/base_size.h"
#include "thumbnails/busy_cursor.h"
#include "thumbnails/thumb_commands.h"
#include "thumbnails/thumbnail_delegate.h"
#include "thumbnails/thumbnail_list_view.h"
#include "thumbnails/thumbnail_model.h"

namespace vistrel {

const char* const ThumbnailPage::kListHint = "[Right Mouse Button] = PopUp , [DEL] = Delete File";

namespace {
const char* const kBaseHint = "Choose browser size for thumbnail creation";
const char* const kMakeCaption = "Make Thumbs";
const char* const kMakeHint = "Create or update selected thumbnail(s)";
const char* const kClearCaption = "ClearThumbs";
const char* const kClearHint = "Clear selected thumbnail(s)";
const char* const kSelectAllCaption = "Select All";
const char* const kSelectAllHint = "[CTRL-A ] = Select all";
const char* const kTimeoutHint =
    "Seconds to wait for a page before its thumbnail is taken as it is";
const char* const kTimeoutSuffix = " s";
constexpr int kLongestTimeout = 3600;
const char* const kTitleStyle = "QLabel { background: %1; color: white; font-weight: bold; }";
}  // namespace

ThumbnailPage::ThumbnailPage(ProgramSettings& settings, Prompter& prompter,
                             const WorkingFolders& folders, BatchProgress& progress,
                             ThumbStore& store, ShellHost& host, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      prompter_(prompter),
      folders_(folders),
      progress_(progress),
      store_(store),
      host_(host) {
  model_ = new ThumbnailModel(host_, store_.ThumbFolder(), store_.Cache(), this);
  delegate_ = new ThumbnailDelegate(store_.Cache(), this);
  BuildLayout();
}

ThumbnailPage::~ThumbnailPage() = default;

bool ThumbnailPage::StartingUp() const { return host_.StartingUp(); }

void ThumbnailPage::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("LabelThumbs"));
  title_->setContentsMargins(4, 2, 4, 2);
  SetTitleFocus(false);
  layout->addWidget(title_);

  view_ = new ThumbnailListView(this);
  view_->setObjectName(QStringLiteral("LVThumbs"));
  view_->Attach(model_, delegate_);
  view_->setToolTip(QLatin1String(kListHint));
  layout->addWidget(view_, 1);

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(2, 2, 2, 2);
  baseBox_ = new QComboBox(this);
  baseBox_->setObjectName(QStringLiteral("CBSnapBase"));
  for (int i = 0; i < kBaseSizeCount; ++i) baseBox_->addItem(BaseSizeCaption(i));
  baseBox_->setToolTip(QLatin1String(kBaseHint));
  baseBox_->setCurrentIndex(-1);
  makeButton_ = new QPushButton(QLatin1String(kMakeCaption), this);
  makeButton_->setToolTip(QLatin1String(kMakeHint));
  clearButton_ = new QPushButton(QLatin1String(kClearCaption), this);
  clearButton_->setToolTip(QLatin1String(kClearHint));
  selectAllButton_ = new QPushButton(QLatin1String(kSelectAllCaption), this);
  selectAllButton_->setToolTip(QLatin1String(kSelectAllHint));
  timeoutBox_ = new QSpinBox(this);
  timeoutBox_->setObjectName(QStringLiteral("SERenderTimeout"));
  timeoutBox_->setRange(1, kLongestTimeout);
  timeoutBox_->setSuffix(QLatin1String(kTimeoutSuffix));
  timeoutBox_->setToolTip(QLatin1String(kTimeoutHint));
  ShowRenderTimeout();
  bar->addWidget(baseBox_);
  bar->addWidget(timeoutBox_);
  bar->addWidget(makeButton_);
  bar->addWidget(clearButton_);
  bar->addStretch(1);
  bar->addWidget(selectAllButton_);
  layout->addLayout(bar);

  connect(view_, &ThumbnailListView::EnterPressed, this, &ThumbnailPage::OpenFileRequested);
  connect(view_, &QAbstractItemView::doubleClicked, this, &ThumbnailPage::OpenFileRequested);
  connect(view_, &ThumbnailListView::DeletePressed, this, &ThumbnailPage::DeleteRequested);
  connect(view_, &ThumbnailListView::KeyReleased, this, &ThumbnailPage::AfterUserMove);
  connect(view_, &ThumbnailListView::MouseReleased, this, [this] { AfterUserMove(false); });
  connect(view_, &ThumbnailListView::FocusChanged, this, &ThumbnailPage::SetTitleFocus);
  connect(baseBox_, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &ThumbnailPage::ApplyBaseSize);
  connect(timeoutBox_, qOverload<int>(&QSpinBox::valueChanged), this,
          &ThumbnailPage::OnTimeoutEdited);
  connect(makeButton_, &QPushButton::clicked, this, [this] { MakeOrClearSelection(*this, true); });
  connect(clearButton_, &QPushButton::clicked, this,
          [this] { MakeOrClearSelection(*this, false); });
  connect(selectAllButton_, &QPushButton::clicked, this, &ThumbnailPage::SelectAll);
}

void ThumbnailPage::SetTitle(const QString& text) { title_->setText(text); }

void ThumbnailPage::SetTitleFocus(bool focused) {
  title_->setStyleSheet(QString::fromLatin1(kTitleStyle)
                            .arg(focused ? QStringLiteral("#008080") : QStringLiteral("#808080")));
}

int ThumbnailPage::ItemCount() const { return model_->rowCount(); }

int ThumbnailPage::SelectedCount() const {
  return static_cast<int>(view_->selectionModel()->selectedRows().size());
}

bool ThumbnailPage::IsSelected(int index) const {
  if (index < 0 || index >= model_->rowCount()) return false;
  return view_->selectionModel()->isRowSelected(index, QModelIndex());
}

QString ThumbnailPage::FileOfItem(int index, bool onlySelected) const {
  const QString name = model_->EntryName(index);
  if (name.isEmpty() || (onlySelected && !IsSelected(index))) return {};
  return IncludeTrailingSeparator(model_->Folder()) + name;
}

QString ThumbnailPage::CurrentFile() const {
  const QModelIndexList rows = view_->selectionModel()->selectedRows();
  if (rows.size() != 1) return {};
  return FileOfItem(rows.first().row(), false);
}

void ThumbnailPage::SyncThumbCount() {
  if (StartingUp()) return;
  model_->SetItemCount(model_->EntryCount());
}

void ThumbnailPage::EnterPage() {
  SyncThumbCount();
  if (SelectedCount() == 0 && ItemCount() > 0) {
    const QModelIndex first = model_->index(0, 0);
    view_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
  }
  if (view_->isEnabled() && view_->isVisible()) view_->setFocus();
  host_.ShowThumbCorner(CurrentFile());
}

void ThumbnailPage::SetBaseIndex(int index) {
  {
    const QSignalBlocker block(baseBox_);
    baseBox_->setCurrentIndex(index >= 0 && index < kBaseSizeCount ? index : -1);
  }
  ApplyBaseSize();
}

void ThumbnailPage::ApplyBaseSize() {
  const int index = baseBox_->currentIndex();
  settings_.THUMB_BASEIDX = index;
  const QSize size = BaseSizeOf(index);
  if (size.isValid()) store_.SetRenderSize(size);
}

void ThumbnailPage::ShowRenderTimeout() {
  const QSignalBlocker block(timeoutBox_);
  timeoutBox_->setValue(RenderTimeoutMs(settings_) / 1000);
}

void ThumbnailPage::OnTimeoutEdited(int seconds) {
  settings_.RenderTimeout = seconds;
  Q_EMIT RenderTimeoutChanged(RenderTimeoutMs(settings_));
}

void ThumbnailPage::MakeOrClearSelection(const PageList& list, bool make) {
  // A batch lets the event loop run; one started from inside it would share its window.
  const QString action = QLatin1String(make ? kMakeCaption : kClearCaption);
  if (RenderGuard::Shared().Refuse(action)) return;
  const RenderGuard::Hold running(RenderGuard::Shared(), action);
  BusyCursor busy;
  SelectionCommandHooks commandHooks;
  commandHooks.showThumbCorner = [this] { host_.ShowThumbCorner(host_.CurrentFile()); };
  if (&list == static_cast<const PageList*>(this))
    commandHooks.redrawItem = [this](int index) { RedrawItem(index); };
  vistrel::MakeOrClearSelection(store_, prompter_, progress_, list, make, commandHooks);
}

void ThumbnailPage::RedrawItem(int index) {
  const QModelIndex item = model_->index(index, 0);
  if (!item.isValid()) return;
  // A new thumbnail is decoded now, so the redrawn item shows it at once.
  model_->CacheHint(index, index);
  view_->update(item);
}

void ThumbnailPage::SelectAll() {
  {
    BusyCursor busy;
    view_->selectAll();
  }
  host_.RefreshStatus();
}

RemoveThumbsResult ThumbnailPage::RemoveThumbs(bool all) {
  settings_.DoValidate = false;
  RemoveThumbsResult result;
  {
    BusyCursor busy;
    result = store_.RemoveThumbs(all, [] { QCoreApplication::processEvents(); });
  }
  prompter_.Information(result.message);
  return result;
}

void ThumbnailPage::AfterUserMove(bool selectAllFirst) {
  if (selectAllFirst) SelectAll();
  host_.RefreshStatus();
  host_.ShowThumbCorner(CurrentFile());
}

void ThumbnailPage::SetPopupMenu(QMenu* menu) {
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, menu,
          [this, menu](const QPoint& at) { menu->popup(view_->viewport()->mapToGlobal(at)); });
}

}  // namespace vistrel
