#pragma once

#include <QRect>
#include <QString>

#include "core/shell_host.h"

class QMenu;

namespace vistrel {

// What the viewer window asks of the main window, which lends it the current file and gets
// the panes back.
class ViewerHost : public ShellHost {
 public:
  virtual int AskSaveChanges() = 0;
  virtual void ReturnPreviewControls() = 0;
  virtual int ActivePage() const = 0;
  virtual void SetHint(const QString& text) = 0;
  // The preview bar's "Save" and "Save As" buttons.
  virtual void SetPreviewSaveButtons(bool save, bool saveAs) = 0;
  // Re-reads the folder view's list and selects the entry named name (any case).
  virtual void RereadFolderAndSelect(const QString& name) = 0;
  virtual QRect MainGeometry() const = 0;
  virtual QMenu* FilePopupMenu() const = 0;
  // "Snap View": the snapshot options window on the viewer's page.
  virtual void SnapViewerPage() = 0;
  // A long run in the editor (Format) shows its progress on the main window's bar.
  virtual void ShowRunProgress(qint64 range, qint64 position) = 0;
};

}  // namespace vistrel
