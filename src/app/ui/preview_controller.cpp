#include "app/ui/preview_controller.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "app/ui/folder_panel.h"
#include "app/ui/folder_view_page.h"
#include "app/ui/status_text.h"
#include "app/ui/window_link.h"
#include "app/viewer/viewer_window.h"
#include "core/disk_name.h"
#include "core/main_window_state.h"
#include "core/program_folder.h"
#include "core/prompter.h"
#include "core/render_guard.h"
#include "core/text_file.h"
#include "core/vistrel_error.h"
#include "render/browser_view.h"
#include "snapshots/jpeg_codec.h"
#include "thumbnails/thumb_naming.h"

namespace vistrel {

namespace {
const char kPreviewAction[] = "Preview";
}  // namespace

PreviewController::PreviewController(FolderPanel& panel, FolderViewPage& folderView,
                                     MainWindowState& state, Prompter& prompter, WindowLink& window)
    : panel_(panel), folderView_(folderView), state_(state), prompter_(prompter), window_(window) {}

void PreviewController::RefreshNow(bool force) {
  if (!viewer_) return;
  const QString file = window_.CurrentFile();
  if (file.isEmpty()) {
    ClearNow();
    return;
  }
  RenderGuard& guard = RenderGuard::Shared();
  if (!force && file == state_.EditorFile) {
    // Shown already, unless its renderer was lost or it never finished: then it comes back.
    if (!guard.Busy()) viewer_->browser()->Revive();
    return;
  }
  if (guard.Refuse(QLatin1String(kPreviewAction))) return;
  ShowThumbCorner(file);
  viewer_->LoadPreview(file);
}

void PreviewController::ClearNow() {
  panel_.ClearCornerPicture();
  if (viewer_) viewer_->ClearPreview();
}

void PreviewController::Refresh(bool force) {
  if (viewer_) RefreshNow(force);
}

void PreviewController::Clear() {
  if (viewer_) ClearNow();
}

void PreviewController::ShowThumbCorner(const QString& file) {
  if (file.isEmpty()) {  // nothing selected, or several: no picture, the caption
    panel_.ClearCornerPicture();
    panel_.thumbnailCorner()->repaint();
    return;
  }
  const QString thumb = ThumbOfPage(file);
  QPixmap picture;
  if (!thumb.isEmpty() && KindOf(thumb) == FileKind::kRegular) {
    // Read by bytes: QPixmap::load would pass the name through the locale's encoding.
    QByteArray bytes;
    QString error;
    if (!ReadWholeFile(thumb, &bytes, &error)) throw VistrelError(error);
    const QImage decoded = DecodeJpeg(bytes);
    if (decoded.isNull())
      throw VistrelError(QStringLiteral("JPEG error: cannot decode ") + PrintableName(thumb));
    picture = QPixmap::fromImage(decoded);
  }
  panel_.ShowCornerPicture(picture);
  panel_.thumbnailCorner()->repaint();
}

void PreviewController::SetControls(QWidget* browser, QWidget* editor) {
  browser_ = browser;
  editor_ = editor;
  ApplyToggle();
}

void PreviewController::ReturnControls() {
  // The viewer window takes the controls back into its own pages when it is shown.
  folderView_.ReleasePreview();
}

void PreviewController::PlaceControl(const QString& control, const QString& place) {
  ReturnControls();
  QWidget* widget = control == QLatin1String("Browser") ? browser_.data() : editor_.data();
  if (widget && place == QLatin1String("MainWindow")) folderView_.PlacePreview(widget);
}

void PreviewController::ApplyToggle() {
  if (folderView_.browserButton()->isChecked()) {
    PlaceControl(QStringLiteral("Browser"), QStringLiteral("MainWindow"));
  } else {
    PlaceControl(QStringLiteral("Editor"), QStringLiteral("MainWindow"));
    if (editor_ && editor_->isVisible()) editor_->setFocus();
  }
}

void PreviewController::CheckChangedFile() {
  if (state_.StartingUp) return;
  const QString file = window_.CurrentFile();
  if (window_.ActivePage() != kFolderViewPage || file.isEmpty() || file != state_.EditorFile ||
      state_.EditorFileStamp == 0)
    return;
  const qint64 stamp = FileStamp(file);
  if (stamp == 0 || stamp == state_.EditorFileStamp) return;
  state_.EditorFileStamp = stamp;
  if (prompter_.Question(ChangedFileQuestion(file), QuestionButtons::kYesNo) != kAnswerYes) return;
  // Reloading replaces the editor's text; unsaved edits are asked about first.
  if (window_.AskSaveChanges() == kAnswerCancel) return;
  window_.RefreshPreview(true);
}

QString PreviewController::ThumbOfPage(const QString& page) const {
  return thumbFolder_.isEmpty() ? QString() : ThumbPathOf(thumbFolder_, page);
}

}  // namespace vistrel
