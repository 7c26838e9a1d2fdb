#pragma once

#include <QImage>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "render/display_settings.h"

class QMenu;
class QTimer;
class QVariant;
class QWebEngineView;

namespace vistrel {

class BrowserPage;
class BrowserProfile;
struct BridgeMessage;

// An HTML view of local files: the only widget of the program that shows rendered pages.
// It may be moved between windows at any time without reloading its page. A page whose
// render process stops answering (a script that never ends) is replaced by a fresh page when
// the next load is asked for, so the view never stays stuck on it.
class BrowserView : public QWidget {
  Q_OBJECT

 public:
  // historyDepth: how many pages back and forward may reach; 0 keeps no history at all.
  BrowserView(BrowserProfile& profile, int historyDepth, QWidget* parent = nullptr);
  ~BrowserView() override;

  // Throws VistrelError "Can't locate file: " + path when there is no such file.
  void LoadFile(const QString& fileName);
  void Clear();
  void Reload();
  QUrl Url() const;
  // The local file shown in the main frame, empty for none.
  QString CurrentFile() const;
  bool IsBusy() const { return busy_; }
  // The render process of the page ended (killed, crashed, out of memory) and nothing was
  // loaded since; the view shows no page until the next load.
  bool HasLostRenderer() const { return rendererLost_; }
  // The process that renders the page now; 0 while there is none.
  qint64 RenderProcessPid() const;
  // Shows the current page again when its renderer is gone or its load never finished.
  void Revive();
  // How long a page may leave a load request unanswered before it counts as stuck.
  static constexpr int kAnswerMs = 400;

  int HistoryDepth() const { return historyDepth_; }
  bool CanGoBack() const;
  bool CanGoForward() const;
  void GoBack();
  void GoForward();
  void ClearHistory();

  void SelectAll();
  void Copy();
  QString SelectedText() const;

  // The file of the document (frame) that held the link clicked last; empty before any click
  // or when that document is no local file.
  QString ClickedLinkFrameFile() const;

  BrowserDisplaySettings DisplaySettings() const { return display_; }
  // Applies at once where the engine allows it; a page shows every change after Reload().
  void SetDisplaySettings(const BrowserDisplaySettings& settings);

  // Right clicks open this menu instead of the engine's own; nullptr restores the engine's.
  void SetContextMenu(QMenu* menu);

  // Exactly width() x height() pixels of what the view shows now.
  QImage Capture() const;

  // Runs a script in the main frame's document; the callback gets its result.
  void RunJavaScript(const QString& code, const std::function<void(const QVariant&)>& done = {});

  // Asks the page to report (PaintReported) when what it shows now is drawn; see PaintWait.
  void RequestPaintReport(int id);
  // Draws the view's picture again from what the engine has delivered (FrameRendered follows).
  void Redraw();

 Q_SIGNALS:
  void HistoryChanged();
  // url is the link's address as written in the page; set *cancel to stay on the page. A
  // jump within the page (a fragment of the same document) is reported as it happens and
  // cannot be cancelled.
  void LinkClicked(const QString& target, const QString& url, bool* cancel);
  // Both empty when the pointer leaves a link.
  void LinkHovered(const QString& target, const QString& url);
  void BusyChanged(bool busy);
  void LoadFinished(bool ok);
  // The view's pixels were drawn anew.
  void FrameRendered();
  void PaintReported(int id, bool settled);
  // The page was lost: its render process ended, or it stopped answering and was replaced.
  // message says so in words for the user.
  void RendererLost(const QString& message);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What a load request asks for, kept so a fresh page can be asked the same.
  struct Request {
    enum class Kind { kNone, kLoad, kClear, kReload } kind = Kind::kNone;
    QUrl url;
  };
  BrowserPage* NewPage();
  // Asks the page for request (perform false: only checks that the page still answers).
  void Ask(const Request& request, bool perform = true);
  void Perform(const Request& request, bool freshPage);
  void OnWatchdog();
  void ReplaceStuckPage();
  void OnRenderProcessTerminated(int status, int exitCode);
  void OnLoadStarted();
  void OnLoadFinished(bool ok);
  void OnLinkNavigation(const QUrl& url, bool* cancel);
  void OnBridgeMessage(const BridgeMessage& message);
  void CheckHistory();
  void WatchRenderer();
  void ApplyDisplaySettings();

  BrowserProfile& profile_;
  BrowserPage* page_ = nullptr;
  QWebEngineView* view_ = nullptr;
  QTimer* watchdog_ = nullptr;
  Request asked_;            // the last load request
  QString askedOf_;          // the file shown when the page was last asked to answer
  int pingSerial_ = 0;       // which answer counts: only the one to the last request
  bool answered_ = true;     // the page showed signs of life since the last request
  bool everLoaded_ = false;  // a page without a renderer yet cannot answer
  bool rendererLost_ = false;
  int historyDepth_ = 0;
  bool busy_ = false;
  BrowserDisplaySettings display_;
  QString engineFontName_;
  QString clickTarget_;
  QString clickUrl_;
  QUrl clickResolved_;
  QUrl clickFrame_;
  QMenu* contextMenu_ = nullptr;
  struct HistoryState {
    bool back = false, forward = false;
    int index = -1, count = 0;
    bool operator!=(const HistoryState& o) const {
      return back != o.back || forward != o.forward || index != o.index || count != o.count;
    }
  } history_;
};

}  // namespace vistrel
