#pragma once

#include <QString>

namespace vistrel {

// What the main window asks of the list on each of its pages (Folder View file list,
// thumbnail grid, File Lists report), so status texts and batch commands work the same way
// on every page without the pages knowing the main window.
class PageList {
 public:
  virtual ~PageList() = default;
  virtual int ItemCount() const = 0;
  virtual int SelectedCount() const = 0;
  virtual bool IsSelected(int index) const = 0;
  // Full path of item index; "" when index is beyond the list or, with onlySelected, the item
  // is not selected.
  virtual QString FileOfItem(int index, bool onlySelected) const = 0;
  // The one file the user works on, "" when there is none.
  virtual QString CurrentFile() const = 0;
};

}  // namespace vistrel
