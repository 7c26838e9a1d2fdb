#pragma once

#include <QImage>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "render/display_settings.h"

class QMenu;
class QVariant;
class QWebEngineView;

namespace vistrel {

class BrowserPage;
class BrowserProfile;
struct BridgeMessage;

// An HTML view of local files: the only widget of the program that shows rendered pages.
// It may be moved between windows at any time without reloading its page.
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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnLoadStarted();
  void OnLoadFinished(bool ok);
  void OnLinkNavigation(const QUrl& url, bool* cancel);
  void OnBridgeMessage(const BridgeMessage& message);
  void CheckHistory();
  void WatchRenderer();
  void ApplyDisplaySettings();

  BrowserPage* page_ = nullptr;
  QWebEngineView* view_ = nullptr;
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
