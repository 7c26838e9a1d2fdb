#include "snapshot_window_fixture.h"

#include <QLabel>
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

}  // namespace vistrel::testing
