#pragma once

#include <QStringList>

#include "core/shell_host.h"

namespace vistrel::bench {

// The Thumbnail View's items: a folder and its names, as the Folder View would list them.
class ListedFolder : public ShellHost {
 public:
  ListedFolder(const QString& folder, const QStringList& names) : folder_(folder), names_(names) {}
  QString ShownFolder() const override { return folder_; }
  QString CurrentMask() const override { return {}; }
  int FolderEntryCount() const override { return int(names_.size()); }
  QString FolderEntryName(int index) const override { return names_.at(index); }
  QString CurrentFile() const override { return {}; }
  void ShowThumbCorner(const QString&) override {}
  void RefreshStatus() override {}
  bool StartingUp() const override { return false; }
  void SetProgress(int) override {}

 private:
  QString folder_;
  const QStringList& names_;
};

}  // namespace vistrel::bench
