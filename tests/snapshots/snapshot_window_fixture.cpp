#include "snapshot_window_fixture.h"

#include <QLabel>
#include <QSignalSpy>
#include <algorithm>

namespace vistrel::testing {

std::unique_ptr<BrowserProfile> SnapshotWindowTest::profile_;

bool ListedPages::IsSelected(int index) const {
  return std::find(selected_.begin(), selected_.end(), index) != selected_.end();
}

QString ListedPages::FileOfItem(int index, bool onlySelected) const {
  if (index < 0 || index >= files_.size() || (onlySelected && !IsSelected(index))) return {};
  return files_.at(index);
}

void WatchedProgress::SetText(const QString& text) {
  window_.SetText(text);
  texts << window_.textLine()->text();
}

void WatchedProgress::Step() {
  window_.Step();
  ++steps_;
  if (afterStep) afterStep(steps_);
}

QString SnapshotWindowTest::ColouredPage(const QString& name, const char* colour) {
  return folder_.Write(name, QByteArray("<html><head><style>html, body { margin: 0; background: ") +
                                 colour + "; }</style></head><body><p>page</p></body></html>");
}

std::unique_ptr<ShownPane> SnapshotWindowTest::ShowPane(QSize size, const QString& page) {
  auto pane = std::make_unique<ShownPane>();
  pane->layout = new QVBoxLayout(&pane->host);
  pane->layout->setContentsMargins(0, 0, 0, 0);
  pane->view = new BrowserView(Profile(), 10);
  pane->layout->addWidget(pane->view);
  pane->host.resize(size);
  pane->host.show();
  QSignalSpy loaded(pane->view, &BrowserView::LoadFinished);
  pane->view->LoadFile(page);
  EXPECT_TRUE(loaded.wait(15000)) << page.toStdString();
  return pane;
}

}  // namespace vistrel::testing
