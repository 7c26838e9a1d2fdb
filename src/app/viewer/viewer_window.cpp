#include "app/viewer/viewer_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/disk_name.h"
#include "core/main_window_state.h"
#include "core/program_folder.h"
#include "core/prompter.h"
#include "core/text_paths.h"
#include "core/vistrel_error.h"
#include "app/viewer/editor_access_adapter.h"
#include "app/viewer/escape_closes.h"
#include "app/viewer/link_target.h"
#include "app/viewer/viewer_host.h"
#include "editor/colour_buttons.h"
#include "editor/search_replace_dialog.h"
#include "editor/source_editor.h"
#include "editor/tag_hint.h"
#include "formatter/format_driver.h"
#include "formatter/style.h"
#include "render/browser_view.h"
#include "settings/program_settings.h"

namespace vistrel {

namespace {
const char* const kPictureNotice = "\r\n  Sorry, pictures cannot be displayed in editor ...";
const char* const kEditorHint = "[CTRL-Z] = UnDo ,  [CTRL-S] = Save ,  [CTRL-F] = Search/Replace";

bool IsPicture(const QString& file) {
  const QString name = NameOfPath(file);
  const qsizetype dot = name.lastIndexOf(u'.');
  const QString ext = dot < 0 ? QString() : name.mid(dot + 1).toUpper();
  return ext == QLatin1String("JPG") || ext == QLatin1String("GIF");
}

QPushButton* Button(const char* caption, const char* hint, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setToolTip(QString::fromLatin1(hint));
  button->setAutoDefault(false);
  return button;
}

QWidget* GreyBar(int height, QWidget* parent) {
  auto* bar = new QWidget(parent);
  bar->setFixedHeight(height);
  bar->setAutoFillBackground(true);
  bar->setStyleSheet(QStringLiteral("background: rgb(128,128,128);"));
  return bar;
}

// The buttons of a page's bar, left to right; the caller adds the rest of the row.
QHBoxLayout* BarRow(QWidget* bar, std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 1, 2, 1);
  for (QPushButton* b : buttons) {
    b->setStyleSheet(QStringLiteral("background: palette(button);"));
    row->addWidget(b);
  }
  return row;
}

// A page made of its bar on top; the pane is added below when the window takes it back.
void StackBarOnPage(QWidget* page, QWidget* bar) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
}
}  // namespace

ViewerWindow::ViewerWindow(ProgramSettings& settings, MainWindowState& state, Prompter& prompter,
                           BrowserProfile& profile, ViewerHost& host, QWidget* parent)
    : QDialog(parent), settings_(settings), state_(state), prompter_(prompter), host_(host) {
  setModal(true);
  resize(696, 483);
  browser_ = new BrowserView(profile, kHistoryDepth);
  editor_ = new SourceEditor(settings_);
  editor_->setToolTip(QString::fromLatin1(kEditorHint));
  search_ = new SearchReplaceDialog(*editor_, settings_, prompter_, this);

  pages_ = new QTabWidget(this);
  pages_->addTab(BuildBrowserPage(), QStringLiteral("  Internal Browser  "));
  pages_->addTab(BuildEditorPage(), QStringLiteral("  Internal Editor  "));
  QFont bold = pages_->tabBar()->font();
  bold.setBold(true);
  pages_->tabBar()->setFont(bold);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pages_);
  TakeBackPanes();

  connect(browser_, &BrowserView::HistoryChanged, this, &ViewerWindow::OnHistoryChanged);
  connect(browser_, &BrowserView::LoadFinished, this, [this] {
    if (!startsHistory_) return;
    startsHistory_ = false;
    browser_->ClearHistory();
  });
  connect(browser_, &BrowserView::LinkClicked, this, &ViewerWindow::OnLinkClicked);
  connect(browser_, &BrowserView::LinkHovered, this, &ViewerWindow::OnLinkHovered);
  connect(browser_, &BrowserView::BusyChanged, this,
          [this](bool busy) { state_.BrowserBusy = busy; });
  // A lost page leaves the pane empty; the hint lines say why.
  connect(browser_, &BrowserView::RendererLost, this, [this](const QString& message) {
    hintBox_->setText(message);
    host_.SetHint(message);
  });
  // Ctrl+A and Ctrl+C act on the page wherever the browser pane sits.
  auto* selectAll = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), browser_, nullptr, nullptr,
                                  Qt::WidgetWithChildrenShortcut);
  connect(selectAll, &QShortcut::activated, browser_, &BrowserView::SelectAll);
  auto* copy = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_C), browser_, nullptr, nullptr,
                             Qt::WidgetWithChildrenShortcut);
  connect(copy, &QShortcut::activated, browser_, &BrowserView::Copy);
  connect(editor_, &SourceEditor::UserEdited, this, &ViewerWindow::SetREToModified);
  connect(editor_, &SourceEditor::SaveRequested, this, [this] {
    if (saveButton_->isEnabled()) BSaveClick();
  });
  connect(editor_, &SourceEditor::SearchReplaceRequested, this, &ViewerWindow::StartSearchReplace);
  connect(editor_, &SourceEditor::TagTemplateRequested, this,
          &ViewerWindow::CopyFromEditToRichEdit);
  connect(editor_, &QPlainTextEdit::selectionChanged, this, &ViewerWindow::ShowTagHint);
  connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, &ViewerWindow::ShowTagHint);
  OnHistoryChanged();
  new EscapeCloses(this);  // also from inside the page, where the browser takes the key
}

ViewerWindow::~ViewerWindow() {
  // The panes may sit in the main window's preview area; they belong to this window.
  delete browser_;
  delete editor_;
}

QWidget* ViewerWindow::BuildBrowserPage() {
  browserPage_ = new QWidget(this);
  QWidget* bar = GreyBar(29, browserPage_);
  backButton_ = Button("<<", "Back in History", bar);
  forwardButton_ = Button(">>", "Forward in History", bar);
  reloadButton_ = Button("Reload", "Reload initial file", bar);
  snapButton_ = Button("Snap View", "Create snapshot of the currently displayed content", bar);
  urlLabel_ = new QLabel(QStringLiteral("URL"), bar);
  urlLabel_->setStyleSheet(QStringLiteral("color: white;"));
  BarRow(bar, {backButton_, forwardButton_, reloadButton_, snapButton_})->addWidget(urlLabel_, 1);
  connect(backButton_, &QPushButton::clicked, browser_, &BrowserView::GoBack);
  connect(forwardButton_, &QPushButton::clicked, browser_, &BrowserView::GoForward);
  connect(reloadButton_, &QPushButton::clicked, this, &ViewerWindow::BReloadClick);
  connect(snapButton_, &QPushButton::clicked, this, [this] { host_.SnapViewerPage(); });
  StackBarOnPage(browserPage_, bar);
  return browserPage_;
}

QWidget* ViewerWindow::BuildEditorPage() {
  editorPage_ = new QWidget(this);
  QWidget* bar = GreyBar(32, editorPage_);
  saveButton_ = Button("Save", "[CTRL-S] = Save current file", bar);
  formatButton_ = Button("Format", "Format HTML source code", bar);
  colourButtons_ = new ColourButtons(*editor_, bar);
  auto* syntax = new QLabel(QStringLiteral("  Tag Syntax:"), bar);
  syntax->setStyleSheet(QStringLiteral("color: white;"));
  hintBox_ = new QLineEdit(QStringLiteral(" "), bar);
  hintBox_->setReadOnly(true);
  hintBox_->setStyleSheet(QStringLiteral("background: white;"));
  QHBoxLayout* row = BarRow(bar, {saveButton_, formatButton_});
  row->addWidget(colourButtons_);
  row->addWidget(syntax);
  row->addWidget(hintBox_, 1);
  connect(saveButton_, &QPushButton::clicked, this, &ViewerWindow::BSaveClick);
  connect(formatButton_, &QPushButton::clicked, this, &ViewerWindow::BFormatClick);
  StackBarOnPage(editorPage_, bar);
  return editorPage_;
}

void ViewerWindow::TakeBackPanes() {
  for (auto [pane, page] :
       {std::pair<QWidget*, QWidget*>{browser_, browserPage_}, {editor_, editorPage_}}) {
    if (pane->parentWidget() == page) continue;
    page->layout()->addWidget(pane);
    static_cast<QVBoxLayout*>(page->layout())->setStretch(1, 1);
    pane->show();
  }
}

void ViewerWindow::LoadPreview(const QString& file) {
  if (file.isEmpty()) return;
  hintBox_->clear();  // the hint belonged to the file shown before
  browser_->ClearHistory();
  // The engine keeps the page shown before as the entry behind the new one; the history of
  // a file starts with the file, so it is cleared again once the file is in.
  startsHistory_ = true;
  // A FIFO or device named like a page would block the reader or never end.
  const FileKind kind = KindOf(file);
  if (kind == FileKind::kOther || kind == FileKind::kDirectory)
    throw VistrelError(PrintableName(file) + QStringLiteral(" is not a regular file"));
  browser_->LoadFile(file);  // a missing file throws here; the editor keeps its text
  const QString tooLarge = IsPicture(file) ? QString() : SourceEditor::TooLargeNotice(file);
  if (!tooLarge.isEmpty()) {
    state_.EditorFile.clear();  // nothing to save: the text was never loaded
    state_.EditorFileStamp = FileStamp(file);
    editor_->ShowNotice(tooLarge);
  } else if (!IsPicture(file)) {
    state_.EditorFile = file;
    state_.EditorFileStamp = FileStamp(file);
    QString error;
    if (!editor_->LoadIntoEditor(file, &error)) throw VistrelError(error);
  } else {
    state_.EditorFile.clear();
    state_.EditorFileStamp = FileStamp(file);
    editor_->setPlainText(QString::fromLatin1(kPictureNotice));
    editor_->setEnabled(false);
  }
  SetREToNotModified();
}

void ViewerWindow::ClearPreview() {
  hintBox_->clear();
  editor_->setPlainText(QString());
  browser_->Clear();
  state_.EditorFile.clear();
  state_.EditorFileStamp = 0;
  SetREToNotModified();
}

bool ViewerWindow::FileOpen() const {
  return editor_->isEnabled() && !host_.CurrentFile().isEmpty();
}

void ViewerWindow::SetCaption() {
  const QString shown = PrintableName(state_.EditorFile);
  setWindowTitle(editor_->IsModified() ? shown + QString::fromLatin1(kUnsaved) : shown);
}

void ViewerWindow::SetREToModified() {
  editor_->SetModifiedFlag(true);
  SetCaption();
  SetButtonState();
}

void ViewerWindow::SetREToNotModified() {
  editor_->SetModifiedFlag(false);
  SetCaption();
  SetButtonState();
}

void ViewerWindow::SetButtonState() {
  const bool open = FileOpen();
  const bool modified = open && editor_->IsModified();
  saveButton_->setEnabled(modified);
  formatButton_->setEnabled(open);
  host_.SetPreviewSaveButtons(modified, open);
}

void ViewerWindow::BSaveClick() {
  if (state_.EditorFile.isEmpty()) {
    prompter_.Beep();
    return;
  }
  SaveEditorFile(state_.EditorFile);
}

bool ViewerWindow::SaveEditorFile(const QString& fileName) {
  if (!editor_->WriteToFile(fileName, prompter_)) return false;  // the message was shown
  state_.EditorFileStamp = FileStamp(fileName);
  browser_->LoadFile(fileName);
  SetREToNotModified();
  return true;
}

void ViewerWindow::SaveEditorFileAs(const QString& fileName) {
  FileDialogRequest request;
  request.caption = QStringLiteral("Save As");
  const QString absolute = AbsolutePath(fileName);
  request.folder = IncludeTrailingSeparator(FolderOfPath(absolute));
  request.fileName = NameOfPath(absolute);
  const QString chosen = AbsolutePath(prompter_.SaveFile(request));
  if (chosen.isEmpty()) return;
  const QString target = BuildTargetPath(FolderOfPath(chosen), NameOfPath(chosen), QString(),
                                         prompter_, NameRule::kOnDisk);
  if (target.isEmpty()) return;
  if (!SaveEditorFile(target)) return;
  if (IncludeTrailingSeparator(FolderOfPath(AbsolutePath(target))) ==
      IncludeTrailingSeparator(host_.ShownFolder()))
    host_.RereadFolderAndSelect(NameOfPath(target));
}

void ViewerWindow::SetStyle(const Style& style) { style_ = std::make_unique<Style>(style); }

void ViewerWindow::SetContextMenu(QMenu* menu) {
  browser_->SetContextMenu(menu);
  editor_->setContextMenuPolicy(menu ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
  disconnect(editor_, &QWidget::customContextMenuRequested, this, nullptr);
  if (menu)
    connect(editor_, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& at) { menu->popup(editor_->mapToGlobal(at)); });
}

void ViewerWindow::BFormatClick() {
  // The run lets events through, so a second click could start a run over the first.
  if (formatting_ || host_.CurrentFile().isEmpty() || !style_) return;
  struct RunGuard {
    ViewerWindow* w;
    explicit RunGuard(ViewerWindow* window) : w(window) {
      w->formatting_ = true;
      QApplication::setOverrideCursor(Qt::WaitCursor);
      w->editor_->setUpdatesEnabled(false);
    }
    ~RunGuard() {
      w->editor_->setUpdatesEnabled(true);
      QApplication::restoreOverrideCursor();
      w->formatting_ = false;
    }
  } guard(this);
  editor_->selectAll();
  RunHooks hooks;
  hooks.breathe = [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
  hooks.progress = [this](qint64 range, qint64 position) {
    host_.ShowRunProgress(range, position);
  };
  const QString result = FormatSelection(SourceEditorAccess(*editor_), *style_, hooks);
  if (settings_.DoColorTags) {
    editor_->StreamColouredText(result, false);
  } else {
    // Plain text in the text colour, not in the colour of the first character replaced.
    editor_->InsertTemplate(result);
    QTextCursor start = editor_->textCursor();
    start.setPosition(0);
    editor_->setTextCursor(start);
  }
  SetREToModified();
}

void ViewerWindow::BReloadClick() {
  if (state_.EditorFile.isEmpty()) return;
  browser_->Clear();
  browser_->LoadFile(state_.EditorFile);
}

void ViewerWindow::OnHistoryChanged() {
  forwardButton_->setEnabled(browser_->CanGoForward());
  backButton_->setEnabled(browser_->CanGoBack());
}

void ViewerWindow::OnLinkClicked(const QString&, const QString& url, bool* cancel) {
  host_.SetHint(url);
  const QString file = LinkedFile(browser_->ClickedLinkFrameFile(), url);
  if (file.isEmpty()) return;  // a jump inside the page
  host_.SetHint(file);
  if (KindOf(file) != FileKind::kRegular) {
    prompter_.Beep();
    *cancel = true;
  }
}

void ViewerWindow::OnLinkHovered(const QString& target, const QString& url) {
  urlLabel_->setText(HoverText(target, url));
  host_.SetHint(urlLabel_->text());
}

void ViewerWindow::ShowTagHint() {
  if (tagSyntax_.isEmpty()) return;
  const TagSpan span = editor_->FindTagAround(editor_->SelectionStart());
  if (!span.Found) return;
  hintBox_->setText(FindTagHint(tagSyntax_, TagHintKey(span.Text)));
  hintBox_->setCursorPosition(0);  // a long hint shows its beginning
}

void ViewerWindow::CopyFromEditToRichEdit() {
  const QString hint = hintBox_->text();
  if (hint.isEmpty() || pages_->currentWidget() != editorPage_ || !IsTemplateHint(hint)) return;
  if (!hintBox_->hasSelectedText()) hintBox_->selectAll();
  editor_->InsertTemplate(hintBox_->selectedText());
  editor_->setFocus();
  SetREToModified();
}

void ViewerWindow::StartSearchReplace() { search_->StartSearchReplace(); }

void ViewerWindow::showEvent(QShowEvent* event) {
  if (windowState() == Qt::WindowNoState) {
    const QRect main = host_.MainGeometry();
    setGeometry(main.left() + 14, main.top() + 25, main.width() - 28, main.height() - 30);
  }
  urlLabel_->clear();
  OnHistoryChanged();
  host_.ReturnPreviewControls();
  TakeBackPanes();
  SetCaption();
  SetButtonState();
  QDialog::showEvent(event);
}

void ViewerWindow::reject() { close(); }

void ViewerWindow::closeEvent(QCloseEvent* event) {
  // From the thumbnail or list page the panes do not go back to a preview, so ask now; a
  // cancel keeps the window open with the edits.
  if ((host_.ActivePage() == 1 || host_.ActivePage() == 2) &&
      host_.AskSaveChanges() == kAnswerCancel) {
    event->ignore();
    return;
  }
  QDialog::reject();
  event->accept();
}

}  // namespace vistrel
