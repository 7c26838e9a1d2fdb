#pragma once

#include <QCoreApplication>
#include <QString>

namespace vistrel {

// What the pages ask of the program's main window: the folder and filter it shows, its
// file list, its status texts and its thin progress bar. Pages receive it by constructor.
class ShellHost {
 public:
  virtual ~ShellHost() = default;
  // The folder the folder view shows, with a trailing "/".
  virtual QString ShownFolder() const = 0;
  // The pattern list of the filter choice.
  virtual QString CurrentMask() const = 0;
  // The entries of the folder view's file list.
  virtual int FolderEntryCount() const = 0;
  virtual QString FolderEntryName(int index) const = 0;
  // The current file of the active page.
  virtual QString CurrentFile() const = 0;
  virtual void ShowThumbCorner(const QString& file) = 0;
  virtual void RefreshStatus() = 0;
  virtual bool StartingUp() const = 0;
  // The thin progress bar, 0..10.
  virtual void SetProgress(int value) = 0;
  // Lets events through during a long walk.
  virtual void ProcessEvents() { QCoreApplication::processEvents(); }
};

}  // namespace vistrel
