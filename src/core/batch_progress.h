#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace vistrel {

class PageList;

// The progress window as batch commands see it.
class BatchProgress {
 public:
  virtual ~BatchProgress() = default;
  // Bar 0..maximum, window shown, the window the batch runs from disabled.
  virtual void Begin(int maximum) = 0;
  virtual void SetText(const QString& text) = 0;  // and repaint at once
  virtual void Step() = 0;
  // Runs the message loop once; true when the user asked to stop.
  virtual bool AbortRequested() = 0;
  // Enables the window again and closes the progress window.
  virtual void End() = 0;
};

// Walks the selected items of a page with the progress window: "(n of m): path" before each
// item, a step and one turn of the message loop after it. work returns false to end the batch
// at once (a refused overwrite, a full disk). The window is given back in every case, also
// when work throws. Returns how many items were handed to work.
int RunSelectedBatch(const PageList& page, BatchProgress& progress,
                     const std::function<bool(int index, const QString& path)>& work);

// The selected items of a page with their paths, in the order of the page.
struct SelectedItems {
  std::vector<int> indexes;
  QStringList paths;
};
SelectedItems SelectedItemsOf(const PageList& page);

// The progress of a batch whose work runs ahead of its results (several items in flight,
// results in order): the window shows "(n of m): path" of the item waited for, steps as each
// item is done, and is given back when this goes.
class OrderedBatchProgress {
 public:
  OrderedBatchProgress(BatchProgress& progress, const QStringList& paths);
  ~OrderedBatchProgress();
  OrderedBatchProgress(const OrderedBatchProgress&) = delete;
  OrderedBatchProgress& operator=(const OrderedBatchProgress&) = delete;

  // Item n (from 0) is done: a step, one turn of the message loop, and the next item's text
  // unless the user asked to stop.
  void Done(int n);
  // Runs the message loop once; true once the user asked to stop.
  bool AbortRequested();

 private:
  void ShowItem(int n);

  BatchProgress& progress_;
  const QStringList& paths_;
  bool stopped_ = false;
};

}  // namespace vistrel
