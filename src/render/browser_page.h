#pragma once

#include <QWebEnginePage>

#include "render/page_bridge.h"

namespace vistrel {

// The engine page behind a BrowserView: hands link navigations to the view so it can cancel
// them, turns the bridge's console lines into messages, and opens links aimed at other
// windows in this page (the program has one browser per window).
class BrowserPage : public QWebEnginePage {
  Q_OBJECT

 public:
  BrowserPage(QWebEngineProfile* profile, QObject* parent);

  const QString& BridgeTag() const { return tag_; }

 Q_SIGNALS:
  void LinkNavigation(const QUrl& url, bool* cancel);
  void BridgeMessageArrived(const vistrel::BridgeMessage& message);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int lineNumber, const QString& sourceId) override;

 private:
  void OnNewWindowRequested(QWebEngineNewWindowRequest& request);

  QString tag_;
  QUrl clickedUrl_;  // the link the user clicked last, until its navigation comes
};

// What the user is told when a page's render process has ended.
QString RenderProcessEndText(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode);

}  // namespace vistrel
