#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/shell_host.h"

namespace vistrel::testing {

// A main window as the pages see it: a folder with a list of names, and records of what the
// pages asked it to show.
class FakeShell : public ShellHost {
 public:
  QString folder;
  QString mask;
  QStringList names;
  std::function<QString()> currentFile;
  QStringList corner;  // files shown in the Thumbnail Corner, in order
  int statusRefreshes = 0;
  std::vector<int> progress;  // values of the thin progress bar, in order

  QString ShownFolder() const override { return folder; }
  QString CurrentMask() const override { return mask; }
  int FolderEntryCount() const override { return int(names.size()); }
  QString FolderEntryName(int index) const override { return names.at(index); }
  QString CurrentFile() const override { return currentFile ? currentFile() : QString(); }
  void ShowThumbCorner(const QString& file) override { corner << file; }
  void RefreshStatus() override { ++statusRefreshes; }
  bool StartingUp() const override { return false; }
  void SetProgress(int value) override { progress.push_back(value); }
  void ProcessEvents() override {}
};

}  // namespace vistrel::testing
