#include "render/browser_view.h"

#include <QChildEvent>
#include <QColor>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>
#include <csignal>

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
const char kPingScript[] = "0";
const char kStuckPage[] = " did not answer; its render process was stopped";

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
    : QWidget(parent), profile_(profile), historyDepth_(std::max(0, historyDepth)) {
  view_ = new QWebEngineView(this);
  view_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  setFocusProxy(view_);
  watchdog_ = new QTimer(this);
  watchdog_->setSingleShot(true);
  watchdog_->setInterval(kAnswerMs);
  connect(watchdog_, &QTimer::timeout, this, &BrowserView::OnWatchdog);

  page_ = NewPage();
  engineFontName_ = page_->settings()->fontFamily(QWebEngineSettings::StandardFont);
  view_->setPage(page_);
  ApplyDisplaySettings();
  connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    if (contextMenu_) contextMenu_->popup(view_->mapToGlobal(position));
  });
}

BrowserPage* BrowserView::NewPage() {
  auto* page = new BrowserPage(profile_.Profile(), view_);
  page->settings()->setFontFamily(QWebEngineSettings::FixedFont, QLatin1String(kFixedFontName));
  ReplaceScript(page->scripts(),
                DocumentScript(QLatin1String(kBridgeScriptName), BridgeScript(page->BridgeTag())));
  connect(page, &QWebEnginePage::loadStarted, this, &BrowserView::OnLoadStarted);
  connect(page, &QWebEnginePage::loadFinished, this, &BrowserView::OnLoadFinished);
  connect(page, &QWebEnginePage::urlChanged, this, &BrowserView::CheckHistory);
  connect(page, &BrowserPage::LinkNavigation, this, &BrowserView::OnLinkNavigation);
  connect(page, &BrowserPage::BridgeMessageArrived, this, &BrowserView::OnBridgeMessage);
  connect(page, &QWebEnginePage::renderProcessTerminated, this,
          [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
            OnRenderProcessTerminated(status, exitCode);
          });
  return page;
}

BrowserView::~BrowserView() {
  // The page answers the scripts still pending as it goes; it must go while this view is
  // whole, since those answers look at it. Its other signals are no news any more.
  page_->disconnect(this);
  view_->disconnect(this);
  view_->removeEventFilter(this);
  delete view_;
  view_ = nullptr;
  page_ = nullptr;
}

void BrowserView::LoadFile(const QString& fileName) {
  if (KindOf(fileName) != FileKind::kRegular)
    throw VistrelError(QLatin1String(kCantLocateFile) + PrintableName(fileName));
  Ask({Request::Kind::kLoad, FileUrl(AbsolutePath(fileName))});
}

void BrowserView::Clear() { Ask({Request::Kind::kClear, {}}); }

void BrowserView::Reload() { Ask({Request::Kind::kReload, page_->url()}); }

qint64 BrowserView::RenderProcessPid() const { return page_->renderProcessPid(); }

void BrowserView::Revive() {
  if (rendererLost_ || busy_) Reload();
}

void BrowserView::Ask(const Request& request, bool perform) {
  asked_ = request;
  // The renderer should answer a trivial script at once, even while the page loads; one that
  // cannot is running a script that never ends. A page that never had a renderer, or lost
  // it, gets a new one with this load.
  if (everLoaded_ && !rendererLost_) {
    if (answered_) askedOf_ = PathOfFileUrl(page_->url());
    answered_ = false;
    const int serial = ++pingSerial_;
    const QPointer<BrowserView> self(this);
    page_->runJavaScript(QLatin1String(kPingScript), QWebEngineScript::ApplicationWorld,
                         [self, serial](const QVariant&) {
                           if (self && serial == self->pingSerial_) self->answered_ = true;
                         });
    watchdog_->start();
  }
  if (!perform) return;
  rendererLost_ = false;
  Perform(request, false);
}

void BrowserView::Perform(const Request& request, bool freshPage) {
  switch (request.kind) {
    case Request::Kind::kLoad:
      page_->load(request.url);
      break;
    case Request::Kind::kReload:
      // A fresh page has nothing to reload; it loads what the old one showed.
      if (!freshPage)
        page_->triggerAction(QWebEnginePage::Reload);
      else if (request.url.isValid() && request.url.scheme() != QLatin1String("data"))
        page_->load(request.url);
      break;
    case Request::Kind::kClear:
      page_->setHtml(QString());
      break;
    case Request::Kind::kNone:
      break;
  }
}

void BrowserView::OnWatchdog() {
  if (!answered_) {
    ReplaceStuckPage();
    return;
  }
  // The page answered but its load is still under way: a script may start spinning later
  // in the load, so it is asked again until the load ends.
  if (busy_ && !rendererLost_) Ask(asked_, false);
}

void BrowserView::ReplaceStuckPage() {
  BrowserPage* stuck = page_;
  const QString stuckFile = askedOf_;
  const qint64 pid = stuck->renderProcessPid();
  disconnect(stuck, nullptr, this, nullptr);
  page_ = NewPage();
  ApplyDisplaySettings();
  view_->setPage(page_);
  delete stuck;
  // The spinning process would keep a core busy until the program ends, and a new page of
  // the same site could be placed into it.
  if (pid > 0 && pid != QCoreApplication::applicationPid())
    ::kill(static_cast<pid_t>(pid), SIGKILL);
  answered_ = true;
  everLoaded_ = false;
  clickResolved_.clear();
  if (busy_) {
    busy_ = false;
    Q_EMIT BusyChanged(false);
  }
  Perform(asked_, true);
  CheckHistory();
  const QString name = stuckFile.isEmpty() ? QStringLiteral("The page") : PrintableName(stuckFile);
  Q_EMIT RendererLost(name + QLatin1String(kStuckPage));
}

void BrowserView::OnRenderProcessTerminated(int status, int exitCode) {
  watchdog_->stop();
  answered_ = true;
  rendererLost_ = true;
  if (busy_) {
    busy_ = false;
    Q_EMIT BusyChanged(false);
  }
  Q_EMIT RendererLost(RenderProcessEndText(
      static_cast<QWebEnginePage::RenderProcessTerminationStatus>(status), exitCode));
}

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

void BrowserView::Redraw() {
  WatchRenderer();
  for (QQuickWidget* drawer : view_->findChildren<QQuickWidget*>()) drawer->quickWindow()->update();
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
  answered_ = true;
  everLoaded_ = true;
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
  answered_ = true;
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
