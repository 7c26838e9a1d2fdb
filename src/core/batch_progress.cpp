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

QString ItemText(int n, int total, const QString& path) {
  return QLatin1Char('(') + QString::number(n) + QStringLiteral(" of ") + QString::number(total) +
         QStringLiteral("): ") + path;
}
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
    progress.SetText(ItemText(n, selected, path));
    if (!work(index, path)) return n;
    ++n;
    progress.Step();
    if (progress.AbortRequested()) break;
  }
  return n - 1;
}

SelectedItems SelectedItemsOf(const PageList& page) {
  SelectedItems items;
  for (int index = 0; index < page.ItemCount(); ++index) {
    const QString path = page.FileOfItem(index, true);
    if (path.isEmpty()) continue;
    items.indexes.push_back(index);
    items.paths.append(path);
  }
  return items;
}

OrderedBatchProgress::OrderedBatchProgress(BatchProgress& progress, const QStringList& paths)
    : progress_(progress), paths_(paths) {
  progress_.Begin(int(paths_.size()));
  ShowItem(0);
}

OrderedBatchProgress::~OrderedBatchProgress() { progress_.End(); }

void OrderedBatchProgress::ShowItem(int n) {
  if (n < paths_.size()) progress_.SetText(ItemText(n + 1, int(paths_.size()), paths_.at(n)));
}

void OrderedBatchProgress::Done(int n) {
  progress_.Step();
  // As a batch of one item at a time: once stopped, no further item is announced.
  stopped_ = stopped_ || progress_.AbortRequested();
  if (!stopped_) ShowItem(n + 1);
}

bool OrderedBatchProgress::AbortRequested() {
  stopped_ = stopped_ || progress_.AbortRequested();
  return stopped_;
}

}  // namespace vistrel
