#include "core/batch_progress.h"

#include "core/page_list.h"

namespace vistrel {

namespace {
// Gives the window back however the loop ends.
class BatchGuard {
 public:
  explicit BatchGuard(BatchProgress& progress) : progress_(progress) {}
  ~BatchGuard() { progress_.End(); }
  BatchGuard(const BatchGuard&) = delete;
  BatchGuard& operator=(const BatchGuard&) = delete;

 private:
  BatchProgress& progress_;
};
}  // namespace

int RunSelectedBatch(const PageList& page, BatchProgress& progress,
                     const std::function<bool(int index, const QString& path)>& work) {
  const int selected = page.SelectedCount();
  const int total = page.ItemCount();
  progress.Begin(selected);
  BatchGuard guard(progress);
  int n = 1;
  for (int index = 0; index < total; ++index) {
    const QString path = page.FileOfItem(index, true);
    if (path.isEmpty()) continue;
    progress.SetText(QLatin1Char('(') + QString::number(n) + QStringLiteral(" of ") +
                     QString::number(selected) + QStringLiteral("): ") + path);
    if (!work(index, path)) return n;
    ++n;
    progress.Step();
    if (progress.AbortRequested()) break;
  }
  return n - 1;
}

}  // namespace vistrel
