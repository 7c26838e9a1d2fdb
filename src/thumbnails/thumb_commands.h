#pragma once

#include <QString>
#include <functional>

namespace vistrel {

class BatchProgress;
class PageList;
class Prompter;
class ThumbStore;

// Free space a thumbnail needs on the thumbnail volume, in units of 1000 bytes.
constexpr int kThumbMinimumKb = 2000;

struct SelectionCommandHooks {
  // The main window's ShowThumbCorner(CurrentFile()).
  std::function<void()> showThumbCorner;
  // Set only when the list worked on is the thumbnail grid: item index is redrawn.
  std::function<void(int index)> redrawItem;
};

// Makes (make) or clears the thumbnails of the selected items of list, the active page's
// list: a message when nothing is selected, the current file alone for one item, else a
// batch with the progress window that a full disk or the stop button ends (at once, also in
// the middle of a page). timeoutMs: how long one page may take to render (0: the store
// capture's own).
void MakeOrClearSelection(ThumbStore& store, Prompter& prompter, BatchProgress& progress,
                          const PageList& list, bool make, const SelectionCommandHooks& hooks,
                          int timeoutMs = 0);

}  // namespace vistrel
