#include "render/browser_view.h"

#include <QChildEvent>
#include <QColor>
#include <QMenu>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>

#include "core/disk_name.h"
#include "core/vistrel_error.h"
#include "render/browser_page.h"
#include "render/browser_profile.h"
#include "render/page_bridge.h"

namespace vistrel {

namespace {

const char kCantLocateFile[] = "Can't locate file: ";
const char kBridgeScriptName[] = "vistrel-bridge";
const char kStyleScriptName[] = "vistrel-defaults";
const char kFixedFontName[] = "Courier New";

QWebEngineScript DocumentScript(const QString& name, const QString& source) {
  QWebEngineScript script;
  script.setName(name);
  script.setSourceCode(source);
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(true);
  return script;
}

void ReplaceScript(QWebEngineScriptCollection& scripts, const QWebEngineScript& script) {
  for (const QWebEngineScript& old : scripts.find(script.name())) scripts.remove(old);
  scripts.insert(script);
}

QColor ColourOf(int value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace

BrowserView::BrowserView(BrowserProfile& profile, int historyDepth, QWidget* parent)
    : QWidget(parent), historyDepth_(std::max(0, historyDepth)) {
  view_ = new QWebEngineView(this);
  page_ = new BrowserPage(profile.Profile(), view_);
  view_->setPage(page_);
  view_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  setFocusProxy(view_);

  QWebEngineSettings* settings = page_->settings();
  engineFontName_ = settings->fontFamily(QWebEngineSettings::StandardFont);
  settings->setFontFamily(QWebEngineSettings::FixedFont, QLatin1String(kFixedFontName));
  ReplaceScript(page_->scripts(),
                DocumentScript(QLatin1String(kBridgeScriptName), BridgeScript(page_->BridgeTag())));
  ApplyDisplaySettings();

  connect(page_, &QWebEnginePage::loadStarted, this, &BrowserView::OnLoadStarted);
  connect(page_, &QWebEnginePage::loadFinished, this, &BrowserView::OnLoadFinished);
  connect(page_, &QWebEnginePage::urlChanged, this, &BrowserView::CheckHistory);
  connect(page_, &BrowserPage::LinkNavigation, this, &BrowserView::OnLinkNavigation);
  connect(page_, &BrowserPage::BridgeMessageArrived, this, &BrowserView::OnBridgeMessage);
  connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    if (contextMenu_) contextMenu_->popup(view_->mapToGlobal(position));
  });
}

BrowserView::~BrowserView() = default;

void BrowserView::LoadFile(const QString& fileName) {
  if (KindOf(fileName) != FileKind::kRegular)
    throw VistrelError(QLatin1String(kCantLocateFile) + PrintableName(fileName));
  page_->load(FileUrl(AbsolutePath(fileName)));
}

void BrowserView::Clear() { page_->setHtml(QString()); }

void BrowserView::Reload() { page_->triggerAction(QWebEnginePage::Reload); }

QUrl BrowserView::Url() const { return page_->url(); }

QString BrowserView::CurrentFile() const {
  const QUrl url = page_->url();
  return PathOfFileUrl(url);
}

bool BrowserView::CanGoBack() const {
  const QWebEngineHistory* history = page_->history();
  const int oldestKept = std::max(0, history->count() - historyDepth_);
  return historyDepth_ > 0 && history->canGoBack() && history->currentItemIndex() > oldestKept;
}

bool BrowserView::CanGoForward() const {
  return historyDepth_ > 0 && page_->history()->canGoForward();
}

void BrowserView::GoBack() {
  if (CanGoBack()) page_->history()->back();
}

void BrowserView::GoForward() {
  if (CanGoForward()) page_->history()->forward();
}

void BrowserView::ClearHistory() {
  page_->history()->clear();
  CheckHistory();
}

void BrowserView::SelectAll() { page_->triggerAction(QWebEnginePage::SelectAll); }

void BrowserView::Copy() { page_->triggerAction(QWebEnginePage::Copy); }

QString BrowserView::SelectedText() const { return page_->selectedText(); }

QString BrowserView::ClickedLinkFrameFile() const { return PathOfFileUrl(clickFrame_); }

void BrowserView::SetDisplaySettings(const BrowserDisplaySettings& settings) {
  display_ = settings;
  ApplyDisplaySettings();
}

void BrowserView::ApplyDisplaySettings() {
  QWebEngineSettings* settings = page_->settings();
  settings->setFontFamily(QWebEngineSettings::StandardFont,
                          display_.FontName.isEmpty() ? engineFontName_ : display_.FontName);
  settings->setFontSize(QWebEngineSettings::DefaultFontSize, PixelsOfPoints(display_.FontSize));
  settings->setAttribute(QWebEngineSettings::AutoLoadImages, display_.ShowImages);
  // The canvas colour shows wherever the page paints no background of its own.
  page_->setBackgroundColor(ColourOf(display_.Background));
  const QString script = StyleSheetScript(DefaultsStyleSheet(display_));
  ReplaceScript(page_->scripts(), DocumentScript(QLatin1String(kStyleScriptName), script));
  page_->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

void BrowserView::SetContextMenu(QMenu* menu) {
  contextMenu_ = menu;
  view_->setContextMenuPolicy(menu ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
}

QImage BrowserView::Capture() const {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  view_->render(&image);
  return image;
}

void BrowserView::RunJavaScript(const QString& code,
                                const std::function<void(const QVariant&)>& done) {
  if (done)
    page_->runJavaScript(code, QWebEngineScript::MainWorld, done);
  else
    page_->runJavaScript(code, QWebEngineScript::MainWorld);
}

void BrowserView::RequestPaintReport(int id) {
  WatchRenderer();
  page_->runJavaScript(PaintRequestScript(id), QWebEngineScript::ApplicationWorld);
}

bool BrowserView::eventFilter(QObject* watched, QEvent* event) {
  // The engine replaces the widget that draws the page when a page needs a new renderer.
  if (watched == view_ && event->type() == QEvent::ChildPolished) WatchRenderer();
  return QWidget::eventFilter(watched, event);
}

void BrowserView::WatchRenderer() {
  for (QQuickWidget* drawer : view_->findChildren<QQuickWidget*>()) {
    // Queued, so whoever listens sees the finished picture.
    connect(drawer->quickWindow(), &QQuickWindow::afterRendering, this, &BrowserView::FrameRendered,
            static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::UniqueConnection));
  }
}

void BrowserView::OnLoadStarted() {
  WatchRenderer();
  if (!busy_) {
    busy_ = true;
    Q_EMIT BusyChanged(true);
  }
}

void BrowserView::OnLoadFinished(bool ok) {
  WatchRenderer();
  if (historyDepth_ == 0) page_->history()->clear();
  CheckHistory();
  if (busy_) {
    busy_ = false;
    Q_EMIT BusyChanged(false);
  }
  Q_EMIT LoadFinished(ok);
}

void BrowserView::OnLinkNavigation(const QUrl& url, bool* cancel) {
  // The click report of the bridge names the target and the address as written; a
  // navigation it does not describe still reaches the handler with its full address.
  const bool described = clickResolved_.isValid() && clickResolved_ == url;
  const QString target = described ? clickTarget_ : QString();
  const QString written = described ? clickUrl_ : url.toString();
  clickResolved_.clear();
  Q_EMIT LinkClicked(target, written, cancel);
}

void BrowserView::OnBridgeMessage(const BridgeMessage& message) {
  switch (message.kind) {
    case BridgeMessage::Kind::kHover:
      Q_EMIT LinkHovered(message.target, message.url);
      break;
    case BridgeMessage::Kind::kClick:
      clickTarget_ = message.target;
      clickUrl_ = message.url;
      clickResolved_ = QUrl(message.resolved);
      clickFrame_ = QUrl(message.frame);
      break;
    case BridgeMessage::Kind::kJump: {
      // Already under way inside the page; reported for the record, it cannot be cancelled.
      clickFrame_ = QUrl(message.frame);
      bool ignored = false;
      Q_EMIT LinkClicked(message.target, message.url, &ignored);
      break;
    }
    case BridgeMessage::Kind::kPainted:
      Q_EMIT PaintReported(message.id, false);
      break;
    case BridgeMessage::Kind::kSettled:
      Q_EMIT PaintReported(message.id, true);
      break;
  }
}

void BrowserView::CheckHistory() {
  const QWebEngineHistory* history = page_->history();
  const HistoryState now{CanGoBack(), CanGoForward(), history->currentItemIndex(),
                         history->count()};
  if (now != history_) {
    history_ = now;
    Q_EMIT HistoryChanged();
  }
}

}  // namespace vistrel
