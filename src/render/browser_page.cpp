#include "render/browser_page.h"

#include <QWebEngineNewWindowRequest>

namespace vistrel {

namespace {
const char kEnded[] = "The page's render process ended";
const char kFailed[] = "The page's render process failed with exit code ";
const char kCrashed[] = "The page's render process crashed";
const char kKilled[] = "The page's render process was killed (out of memory or stopped)";
const char kAgain[] = " - click a file to show it again";
}  // namespace

QString RenderProcessEndText(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
  QString what;
  switch (status) {
    case QWebEnginePage::NormalTerminationStatus:
      what = QLatin1String(kEnded);
      break;
    case QWebEnginePage::AbnormalTerminationStatus:
      what = QLatin1String(kFailed) + QString::number(exitCode);
      break;
    case QWebEnginePage::CrashedTerminationStatus:
      what = QLatin1String(kCrashed);
      break;
    case QWebEnginePage::KilledTerminationStatus:
      what = QLatin1String(kKilled);
      break;
  }
  return what + QLatin1String(kAgain);
}

BrowserPage::BrowserPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent), tag_(NewBridgeTag()) {
  connect(this, &QWebEnginePage::newWindowRequested, this, &BrowserPage::OnNewWindowRequested);
}

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool) {
  // The engine calls a link followed inside a frame "other"; the bridge's click report
  // tells it apart from a script's navigation.
  const bool reportedClick = clickedUrl_.isValid() && clickedUrl_ == url;
  clickedUrl_.clear();
  if (type != NavigationTypeLinkClicked && !reportedClick) return true;
  bool cancel = false;
  Q_EMIT LinkNavigation(url, &cancel);
  return !cancel;
}

void BrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message,
                                           int, const QString&) {
  const std::optional<BridgeMessage> parsed = ParseBridgeMessage(message, tag_);
  if (!parsed) return;
  if (parsed->kind == BridgeMessage::Kind::kClick) clickedUrl_ = QUrl(parsed->resolved);
  Q_EMIT BridgeMessageArrived(*parsed);
}

void BrowserPage::OnNewWindowRequested(QWebEngineNewWindowRequest& request) {
  // Only a link the user followed; scripts opening windows get nothing.
  if (!request.isUserInitiated()) return;
  bool cancel = false;
  const QUrl url = request.requestedUrl();
  Q_EMIT LinkNavigation(url, &cancel);
  // The engine is still busy with the request; the load starts once it is done.
  if (!cancel)
    QMetaObject::invokeMethod(
        this, [this, url] { load(url); }, Qt::QueuedConnection);
}

}  // namespace vistrel
