#include "app/ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QDir>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/ui/command_line.h"
#include "app/ui/file_commands.h"
#include "app/ui/filter_choices.h"
#include "app/ui/folder_panel.h"
#include "app/ui/folder_view_page.h"
#include "app/ui/page_switcher.h"
#include "app/ui/popup_menu.h"
#include "app/ui/preview_controller.h"
#include "app/ui/progress_window.h"
#include "app/ui/status_text.h"
#include "app/ui/tooltip_switch.h"
#include "app/ui/window_commands.h"
#include "app/viewer/viewer_window.h"
#include "core/disk_name.h"
#include "core/page_list.h"
#include "core/prompter.h"
#include "core/render_guard.h"
#include "core/text_file.h"
#include "core/text_paths.h"
#include "editor/source_editor.h"
#include "filelists/file_lists_page.h"
#include "formatter/style.h"
#include "render/browser_view.h"
#include "thumbnails/offscreen_capture.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_store.h"
#include "thumbnails/thumbnail_page.h"

namespace vistrel {

namespace {
const char* const kWelcomeHint = "Welcome to Vistrel - Please open a HTML file folder ...";
const char* const kFolderViewHint = "Folder View - Instant browser and source code view";
const char* const kThumbViewHint = "Thumbnail View - Create thumbnail previews of your webpages";
const char* const kFileListsHint =
    "File Lists - Search for files - Create and store custom file lists - Sort lists in different "
    "ways";

QSize PrimaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize(1024, 768);
}
}  // namespace

MainWindow::MainWindow(const WorkingFolders& folders, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), folders_(folders), prompter_(prompter) {
  state_.StartingUp = true;
  setWindowTitle(QString::fromLatin1(kTitle));
  PrepareWorkingFolders(folders_);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s == Qt::ApplicationActive) preview_->CheckChangedFile();
  });

  ini_ = IniProfile::Load(folders_.iniFile);
  settings_ = LoadProgramSettings(ini_, PrimaryScreenSize(), folders_.program);
  BuildLayout();
  resize(settings_.Width, settings_.Height);
  move(settings_.Left, settings_.Top);
  folderView_->SetShowFileIcons(settings_.DoShowFileIcons);
}

MainWindow::~MainWindow() {
  RenderGuard::Shared().SetReporter({});
  QString error;
  if (!SaveSettingsNow(&error)) {
    // The old file stays intact; the program still ends.
    qWarning("%s", qUtf8Printable(error));
    if (!closingBySignal_) prompter_.Error(error);
  }
}

bool MainWindow::SaveSettingsNow(QString* error) {
  QString view = folderPanel_->Folder().isEmpty() ? settings_.VIEW_PATH : folderPanel_->Folder();
  if (IsInThumbFolder(view, folders_.thumbs)) view = folders_.program;
  // Position of the frame (what move() takes back), size of the client area (what resize()
  // takes back): mixing the two would shift the window by its frame on every run.
  const bool normal = !isMaximized() && !isFullScreen();
  const QRect client = normal ? geometry() : normalGeometry();
  const QPoint place = normal ? pos() : normalGeometry().topLeft();
  settings_.Top = place.y();
  settings_.Left = place.x();
  settings_.Width = client.width();
  settings_.Height = client.height();
  SaveProgramSettings(settings_, view, ini_);
  return ini_.Save(error);
}

void MainWindow::BuildLayout() {
  menu_ = std::make_unique<MainMenu>(menuBar());
  windowCommands_ =
      std::make_unique<WindowCommands>(settings_, prompter_, folders_.helpPage, *this);
  connect(windowCommands_.get(), &WindowCommands::OptionsChanged, this, &MainWindow::ApplyOptions);
  connect(menu_->closeProgram, &QAction::triggered, this, &QWidget::close);
  menu_->generalOptions->setEnabled(true);
  connect(menu_->generalOptions, &QAction::triggered, windowCommands_.get(),
          &WindowCommands::OpenGeneralOptions);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  hint_ = new QLabel(central);
  hint_->setObjectName(QStringLiteral("LabelHint"));
  hint_->setAlignment(Qt::AlignCenter);
  hint_->setFixedHeight(16);
  // A long path in the hint line must not widen the window.
  hint_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  hint_->setStyleSheet(QStringLiteral("QLabel { background: rgb(224,224,232); }"));
  RenderGuard::Shared().SetReporter([this](const QString& text) { SetHint(text); });
  progress_ = new QProgressBar(central);
  progress_->setObjectName(QStringLiteral("ProgressActFile"));
  progress_->setFixedHeight(11);
  progress_->setTextVisible(false);
  progress_->setValue(0);

  folderPanel_ = new FolderPanel(settings_.DoOpenOnSingleClick, central);
  folderPanel_->setObjectName(QStringLiteral("PanelDateiManager"));
  pages_ = new PageSwitcher(central);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  folderView_ = new FolderViewPage(pages_);
  pages_->AddPage(folderView_, QString::fromLatin1(kPageNames[kFolderViewPage]));
  // The Thumbnail View renders pages: it takes this place once the browser is attached.
  pages_->AddPage(new QWidget(pages_), QString::fromLatin1(kPageNames[kThumbnailViewPage]));
  fileLists_ = new FileListsPage(settings_, prompter_, folders_, *this, pages_);
  pages_->AddPage(fileLists_, QString::fromLatin1(kPageNames[kFileListsPage]));
  progressWindow_ = std::make_unique<ProgressWindow>(state_.AbortRequested);
  progressWindow_->SetBatchOwner(this);
  preview_ =
      std::make_unique<PreviewController>(*folderPanel_, *folderView_, state_, prompter_, *this);
  fileCommands_ = std::make_unique<FileCommands>(
      FileCommandParts{settings_, prompter_, state_, *folderPanel_, *folderView_, *fileLists_,
                       *progressWindow_, *preview_},
      *this, *this);

  work_ = new QSplitter(Qt::Horizontal, central);
  QSplitter* work = work_;
  work->setHandleWidth(7);
  work->setStyleSheet(QStringLiteral("QSplitter::handle { background: rgb(255,128,0); }"));
  work->addWidget(folderPanel_);
  work->addWidget(pages_);
  work->setStretchFactor(1, 1);
  work->setSizes({163, 550});

  auto* footer = new QWidget(central);
  footer->setFixedHeight(18);
  auto* footerLayout = new QHBoxLayout(footer);
  footerLayout->setContentsMargins(2, 0, 2, 0);
  footerLayout->addStretch(1);
  auto* footerPicture = new QLabel(footer);
  footerPicture->setPixmap(QApplication::windowIcon().pixmap(16, 16));
  footerLayout->addWidget(footerPicture);

  layout->addWidget(hint_);
  layout->addWidget(progress_);
  layout->addWidget(work, 1);
  layout->addWidget(footer);
  setCentralWidget(central);
  BuildPageConnections();
}

void MainWindow::BuildPageConnections() {
  FileCommands* commands = fileCommands_.get();
  PreviewController* preview = preview_.get();
  connect(fileLists_, &FileListsPage::SelectionChanged, this, &MainWindow::RefreshStatus);
  connect(fileLists_, &FileListsPage::OpenFileRequested, this,
          [commands] { commands->OpenCurrentInViewer(); });
  connect(fileLists_, &FileListsPage::ThumbCornerRequested, this, &MainWindow::ShowThumbCorner);
  pages_->MayChange = [this](int from, int to) { return MayLeavePage(from, to); };
  connect(pages_, &PageSwitcher::PageChanged, this, &MainWindow::OnPageChanged);
  connect(folderPanel_, &FolderPanel::FolderChanged, this, &MainWindow::OnFolderChanged);
  connect(folderPanel_, &FolderPanel::PatternsChanged, this, &MainWindow::OnPatternsChanged);
  connect(folderView_, &FolderViewPage::UserMoved, this, &MainWindow::OnFileListMoved);
  connect(folderView_, &FolderViewPage::ActivatedItem, this,
          [commands] { commands->OpenCurrentInViewer(); });
  connect(folderView_, &FolderViewPage::DeleteRequested, this,
          [commands] { commands->DeleteSelection(); });
  connect(folderView_, &FolderViewPage::ToggleChanged, this, [preview] { preview->ApplyToggle(); });
  connect(folderView_->saveButton(), &QPushButton::clicked, this, [this] { SaveEditorFile(); });
}

void MainWindow::AttachViewer(ViewerWindow* viewer, BrowserProfile& profile) {
  viewer_ = viewer;
  preview_->SetViewer(viewer);
  fileCommands_->SetBrowser(profile, *viewer->browser());
  WindowCommands* commands = windowCommands_.get();
  for (QAction* action : {menu_->browserSettings, menu_->showHelp, menu_->homepage, menu_->about})
    action->setEnabled(true);
  connect(menu_->browserSettings, &QAction::triggered, commands,
          &WindowCommands::OpenBrowserSettings);
  connect(menu_->showHelp, &QAction::triggered, commands, &WindowCommands::OpenHelp);
  connect(menu_->about, &QAction::triggered, commands, &WindowCommands::OpenAbout);
  connect(menu_->homepage, &QAction::triggered, commands, &WindowCommands::OpenHomepage);
  BuildThumbnailPage(profile);
  windowCommands_->SetBrowser(profile, *viewer->browser(), capture_.get());
  menu_->createSnapshots->setEnabled(true);
  connect(menu_->createSnapshots, &QAction::triggered, this,
          [this] { fileCommands_->CreateSnapshots(); });
  connect(folderView_->saveAsButton(), &QPushButton::clicked, this, [this] {
    if (state_.EditorFile.isEmpty())
      prompter_.Beep();
    else
      viewer_->SaveEditorFileAs(state_.EditorFile);
  });
  preview_->SetControls(viewer_->browser(), viewer_->editor());
}

void MainWindow::BuildThumbnailPage(BrowserProfile& profile) {
  thumbCache_ = std::make_unique<ThumbCache>(settings_.CACHE_MAX);
  capture_ = std::make_unique<OffscreenCapture>(profile);
  capture_->SetDisplaySettings(viewer_->browser()->DisplaySettings());
  capture_->SetTimeout(RenderTimeoutMs(settings_));
  thumbStore_ =
      std::make_unique<ThumbStore>(folders_.thumbs, *thumbCache_, capture_->AsPageCapture());
  thumbs_ = new ThumbnailPage(settings_, prompter_, folders_, *progressWindow_, *thumbStore_, *this,
                              pages_);
  preview_->SetThumbFolder(folders_.thumbs);
  connect(thumbs_, &ThumbnailPage::RenderTimeoutChanged, this,
          [this](int milliseconds) { capture_->SetTimeout(milliseconds); });
  fileCommands_->SetThumbnails(thumbs_);
  pages_->SetPage(kThumbnailViewPage, thumbs_);
  FileCommands* commands = fileCommands_.get();
  connect(thumbs_, &ThumbnailPage::OpenFileRequested, this,
          [commands] { commands->OpenCurrentInViewer(); });
  connect(thumbs_, &ThumbnailPage::DeleteRequested, this,
          [commands] { commands->DeleteSelection(); });
  for (QAction* action : {menu_->removeOrphanedThumbs, menu_->removeAllThumbs})
    action->setEnabled(true);
  connect(menu_->removeOrphanedThumbs, &QAction::triggered, this,
          [this] { thumbs_->RemoveThumbs(false); });
  connect(menu_->removeAllThumbs, &QAction::triggered, this,
          [this] { thumbs_->RemoveThumbs(true); });
  folderPanel_->thumbnailCorner()->installEventFilter(this);
}

void MainWindow::BuildPopupMenu() {
  popup_ = fileCommands_->BuildPopupMenu();
  AttachPopup(folderView_->fileList());
  fileLists_->SetPopupMenu(popup_);
  if (thumbs_) thumbs_->SetPopupMenu(popup_);
  AttachPopup(folderPanel_->thumbnailCorner());
}

void MainWindow::AttachPopup(QWidget* widget) {
  widget->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(widget, &QWidget::customContextMenuRequested, this,
          [this, widget](const QPoint& at) { popup_->popup(widget->mapToGlobal(at)); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == folderPanel_->thumbnailCorner() && event->type() == QEvent::MouseButtonDblClick) {
    fileCommands_->MakeOrClearThumbs(true);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    FirstShow();
  }
}

void MainWindow::FirstShow() {
  setWindowTitle(QString::fromLatin1(kTitle));
  state_.StartFile = ReadCommandLine(commandLine_);
  if (QFile::exists(folders_.tagHintFile)) {
    QByteArray bytes;
    if (ReadWholeFile(folders_.tagHintFile, &bytes))
      tagHints_ = DecodeText(bytes).text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")),
                                               Qt::SkipEmptyParts);
  }
  // The style folder THUMBS is loaded whatever the settings name; that name is kept.
  if (viewer_) viewer_->SetStyle(LoadStyle(folders_.program));
  settings_.StyleName = kStyleName;
  BuildPopupMenu();
  if (viewer_) {
    viewer_->SetContextMenu(popup_);
    viewer_->SetTagSyntaxList(tagHints_);
  }
  setAcceptDrops(true);
  folderPanel_->SetFilterChoices(ParseFilterText(settings_.ALLOWED_EXTENSIONS));
  folderPanel_->SetFolder(settings_.VIEW_PATH);
  OnFolderChanged(folderPanel_->Folder());
  preview_->ApplyToggle();
  if (thumbs_) thumbs_->SetBaseIndex(settings_.THUMB_BASEIDX);
  pages_->RequestPage(kThumbnailViewPage);
  pages_->RequestPage(kFolderViewPage);
  ApplyHints();
  PlaceOnScreen();
  // Without a window manager nobody activates the window, and start-up would never end.
  QTimer::singleShot(0, this, [this] {
    work_->setSizes({163, qMax(0, work_->width() - 163 - work_->handleWidth())});
    raise();
    activateWindow();
    if (state_.StartingUp && QGuiApplication::platformName() != QLatin1String("offscreen") &&
        !QApplication::activeWindow())
      OnActivated();
  });
}

void MainWindow::PlaceOnScreen() {
  // Centred on the screen that holds the saved position (the primary one when that position
  // lies off every screen), at the saved size cut to fit that screen.
  const QScreen* screen = QGuiApplication::screenAt(QPoint(settings_.Left, settings_.Top));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect room = screen->availableGeometry();
  const QSize frameExtra = frameGeometry().size() - geometry().size();
  resize(qMin(width(), room.width() - frameExtra.width()),
         qMin(height(), room.height() - frameExtra.height()));
  QRect frame = frameGeometry();
  frame.moveCenter(room.center());
  move(frame.topLeft());  // move() places the frame, as frameGeometry() measures it
}

bool MainWindow::event(QEvent* e) {
  const bool handled = QMainWindow::event(e);
  if (e->type() == QEvent::WindowActivate) OnActivated();
  return handled;
}

void MainWindow::OnActivated() {
  state_.StartingUp = false;
  JumpToFileAndFolder(state_.StartFile);
  if (viewer_) viewer_->SetButtonState();
  RefreshStatus();
  SetHint(QString::fromLatin1(kWelcomeHint));
}

void MainWindow::ApplyHints() {
  if (!tooltips_) {
    tooltips_ = new TooltipSwitch(this);
    qApp->installEventFilter(tooltips_);
  }
  tooltips_->SetEnabled(settings_.DoShowHints);
}

void MainWindow::ApplyOptions() {
  popup_->SetLaunchCaptions(QStringLiteral("Launch with: "));
  ApplyHints();
  folderView_->SetShowFileIcons(settings_.DoShowFileIcons);
  folderPanel_->SetOpenOnSingleClick(settings_.DoOpenOnSingleClick);
}

bool MainWindow::HintsShown() const { return tooltips_ && tooltips_->IsEnabled(); }

PageList* MainWindow::PageListOf(int page) const {
  return dynamic_cast<PageList*>(pages_->Page(page));
}

PageList* MainWindow::CurrentPageList() const { return PageListOf(pages_->CurrentIndex()); }

QString MainWindow::CurrentFile() const {
  const PageList* list = CurrentPageList();
  return list ? list->CurrentFile() : QString();
}

SelectionInfo MainWindow::CurrentSelection() const {
  SelectionInfo info;
  info.page = pages_->CurrentIndex();
  if (const PageList* list = PageListOf(info.page)) {
    info.selected = list->SelectedCount();
    info.total = list->ItemCount();
  }
  return info;
}

QString MainWindow::HintText() const { return hint_->text(); }
void MainWindow::SetHint(const QString& text) { hint_->setText(text); }

void MainWindow::RefreshStatus() {
  if (state_.StartingUp) return;
  const SelectionInfo info = CurrentSelection();
  menu_->extras->setEnabled(info.selected >= 1);
  menu_->extras->menuAction()->setEnabled(info.selected >= 1);
  SetHint(CurrentFile());
  for (int page = 0; page < 3; ++page)
    pages_->SetCaption(page, TabCaption(page, page == info.page, info.selected, info.total));
}

int MainWindow::AskSaveChanges() {
  if (!EditorHoldsChanges()) return kAnswerNone;
  const int answer = prompter_.Question(QStringLiteral("Save changes in: ") + state_.EditorFile,
                                        QuestionButtons::kYesNoCancel);
  if (answer == kAnswerYes) {
    SaveEditorFile();
    // A save that failed (its message was shown) must not let the text be replaced.
    if (EditorHoldsChanges()) return kAnswerCancel;
  } else if (answer == kAnswerNo) {
    DropEditorChanges();
  }
  return answer;
}

bool MainWindow::EditorHoldsChanges() const {
  return folderView_->saveButton()->isEnabled() && !state_.EditorFile.isEmpty();
}

void MainWindow::DropEditorChanges() {
  // The text no longer stands for the file: the next preview loads the file afresh, and no
  // later change asks about the same edits again.
  state_.EditorFile.clear();
  state_.EditorFileStamp = 0;
  if (viewer_)
    viewer_->SetREToNotModified();
  else
    folderView_->saveButton()->setEnabled(false);
}

void MainWindow::KeepEditorEntry() {
  if (!state_.EditorFile.isEmpty() &&
      FolderOfPath(AbsolutePath(state_.EditorFile)) ==
          IncludeTrailingSeparator(AbsolutePath(folderView_->Folder())))
    folderView_->SelectName(NameOfPath(state_.EditorFile));
  RefreshStatus();
  if (viewer_) viewer_->SetButtonState();
}

void MainWindow::JumpToFileAndFolder(const QString& file) {
  if (file.isEmpty()) return;
  const QString absolute = AbsolutePath(file);
  const QString folder = FolderOfPath(absolute);
  if (KindOf(folder) != FileKind::kDirectory) return;
  // Already there (the start file after a dialog closed): nothing changes, nothing to ask.
  if (pages_->CurrentIndex() == kFolderViewPage && !state_.EditorFile.isEmpty() &&
      CurrentFile() == absolute && state_.EditorFile == CurrentFile())
    return;
  const int answer = AskSaveChanges();
  if (answer == kAnswerCancel) return;
  if (answer == kAnswerNo) {
    preview_->Clear();
    RefreshStatus();
  }
  pages_->RequestPage(kFolderViewPage);
  folderPanel_->SetFolder(folder.size() > 1 ? folder.chopped(1) : folder);
  OnFolderChanged(folderPanel_->Folder());
  if (KindOf(absolute) != FileKind::kMissing && folderView_->SelectName(NameOfPath(absolute)) &&
      folderView_->fileList()->isVisible())
    folderView_->fileList()->setFocus();
  // The file selected is the file previewed.
  RefreshStatus();
  RefreshPreview(false);
  if (viewer_) viewer_->SetButtonState();
}

bool MainWindow::MayLeavePage(int from, int to) {
  if (state_.StartingUp) return true;
  // Entering the Folder View loads its current file afresh over the editor's text.
  if (from != kFolderViewPage && to != kFolderViewPage) return true;
  return AskSaveChanges() != kAnswerCancel;
}

void MainWindow::OnPageChanged(int page) {
  SetHint(QString());
  folderPanel_->ClearCornerPicture();
  switch (page) {
    case kFolderViewPage:
      state_.EditorFile.clear();
      state_.EditorFileStamp = 0;
      RefreshPreview(false);
      SetHint(QString::fromLatin1(kFolderViewHint));
      break;
    case kThumbnailViewPage:
      if (thumbs_) {
        thumbs_->SetTitle(PrintableName(folderPanel_->Folder()));
        thumbs_->EnterPage();
      }
      SetHint(QString::fromLatin1(kThumbViewHint));
      break;
    case kFileListsPage:
      fileLists_->UpdateListButtons();
      ShowThumbCorner(CurrentFile());
      SetHint(QString::fromLatin1(kFileListsHint));
      break;
  }
  RefreshStatus();
}

void MainWindow::SyncThumbCount() {
  if (thumbs_) thumbs_->SyncThumbCount();
}

void MainWindow::OnFolderChanged(const QString& folder) {
  if (!state_.StartingUp && AskSaveChanges() == kAnswerCancel) {
    folderPanel_->SetFolder(folderView_->Folder());  // the old folder stays current
    return;
  }
  folderView_->ShowFolder(folder, state_.CurrentMask);
  if (!folderView_->ListError().isEmpty()) SetHint(folderView_->ListError());
  if (thumbs_) thumbs_->SetTitle(PrintableName(folderView_->Folder()));
  if (IsInThumbFolder(folder, folders_.thumbs)) {
    prompter_.Information(
        QStringLiteral("Sorry, access denied. This is your thumbnail folder.\r\n"
                       "Please choose another folder ..."));
    pages_->setEnabled(false);
    return;
  }
  pages_->setEnabled(true);
  if (state_.StartingUp) return;
  SyncThumbCount();
  preview_->Clear();
  RefreshStatus();
}

void MainWindow::OnPatternsChanged(const QString& patterns) {
  if (!state_.StartingUp && AskSaveChanges() == kAnswerCancel) {
    folderPanel_->KeepPatterns(state_.CurrentMask);  // the old filter stays current
    return;
  }
  state_.CurrentMask = patterns;
  if (!folderPanel_->Folder().isEmpty()) folderView_->ShowFolder(folderPanel_->Folder(), patterns);
  if (state_.StartingUp) return;
  SyncThumbCount();
  preview_->Clear();
  RefreshStatus();
}

void MainWindow::OnFileListMoved() {
  if (state_.StartingUp) return;
  // Asked when the current entry changes, not on every click; a cancel keeps the old entry.
  if (CurrentFile() != state_.EditorFile && AskSaveChanges() == kAnswerCancel) {
    KeepEditorEntry();
    return;
  }
  RefreshStatus();
  RefreshPreview(false);
  if (viewer_) viewer_->SetButtonState();
}

void MainWindow::CloseOrderly() {
  closingBySignal_ = true;
  // A batch polls this between files; it stops and lets the event loop end.
  state_.AbortRequested = true;
  close();
  // The window may be hidden already (closed while a batch ran): end the program anyway.
  Q_EMIT Closed();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A termination signal cannot wait for an answer; the settings are still written.
  if (!closingBySignal_ && AskSaveChanges() == kAnswerCancel) {
    event->ignore();
    return;
  }
  state_.AbortRequested = true;
  event->accept();
  Q_EMIT Closed();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files << PathOfFileUrl(url);
  event->acceptProposedAction();
  fileCommands_->HandleDroppedFiles(files);
}

}  // namespace vistrel
