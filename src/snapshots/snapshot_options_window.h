#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <memory>

#include "render/display_settings.h"
#include "snapshots/snapshot_renderer.h"
#include "snapshots/snapshot_settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace vistrel {

class BatchProgress;
class BrowserProfile;
class BrowserView;
class ColourBox;
class PageList;
class Prompter;
class UpDownButtons;
struct ProgramSettings;

// What the caller asks for: the current file, or the selection of the active page.
struct SnapshotRequest {
  QString FileName;
  bool Batch = false;  // more than one file selected
  int SourcePage = 0;
  int SelCount = 0;
  int ItemCount = 0;
};

// The services the snapshot window works with; all outlive it.
struct SnapshotServices {
  ProgramSettings& program;  // stored snapshot fields and SNAPSHOTPATH, changed in place
  Prompter& prompter;
  BrowserProfile& profile;
  BrowserDisplaySettings display;  // of the shared browser, for pages loaded off screen
  BatchProgress& progress;
};

// The snapshot options window: base size, scale, shadow, border, colours and cropping, a
// preview, saving, copying to the clipboard and batch export. Built for one opening and
// shown modally. page is the active page's list (batch mode; may be null otherwise).
// viewerBrowser, when given, is the viewer's live browser pane: the snapshot then shows
// that pane as it is, lent to the renderer for each shot and given back.
class SnapshotOptionsWindow : public QDialog {
  Q_OBJECT

 public:
  SnapshotOptionsWindow(const SnapshotServices& services, const PageList* page,
                        const SnapshotRequest& request, BrowserView* viewerBrowser = nullptr,
                        QWidget* parent = nullptr);
  ~SnapshotOptionsWindow() override;

  void BPreviewClick();
  void BsaveClick();
  void BBatchClick();
  void BClipClick();

  const SnapshotSettings& settings() const { return settings_; }
  const QImage& imgSave() const { return imgSave_; }
  // The page load wait of each shot (engine default when not set).
  void SetRenderTimeout(int milliseconds) { renderer_.SetTimeout(milliseconds); }
  // Below this many kilobytes of free space saving stops.
  void SetMinimumKb(int kilobytes) { minimumKb_ = kilobytes; }

  QLabel* statusLine() const { return panelTreeTop_; }
  QRadioButton* customSize() const { return rbCustom_; }
  QRadioButton* browserSize() const { return rbBrowser_; }
  QLineEdit* widthEntry() const { return eWidth_; }
  QLineEdit* heightEntry() const { return eHeight_; }
  QLineEdit* viewSizeEntry() const { return eViewWidth_; }
  QLineEdit* scaleEntry() const { return eScale_; }
  QLineEdit* shadeEntry() const { return eShade_; }
  QLineEdit* borderEntry() const { return eBorder_; }
  UpDownButtons* widthButtons() const { return udWidth_; }
  UpDownButtons* heightButtons() const { return udHeight_; }
  UpDownButtons* scaleButtons() const { return udScale_; }
  UpDownButtons* shadeButtons() const { return udShade_; }
  UpDownButtons* borderButtons() const { return udBorder_; }
  ColourBox* backgroundColour() const { return rzColBG_; }
  ColourBox* shadowColour() const { return rzColBShade_; }
  ColourBox* borderColour() const { return rzColBorder_; }
  QCheckBox* cropVertical() const { return cbCropVerti_; }
  QCheckBox* cropHorizontal() const { return cbCropHori_; }
  QPushButton* previewButton() const { return bPreview_; }
  QPushButton* saveButton() const { return bSave_; }
  QPushButton* batchButton() const { return bBatch_; }
  QPushButton* clipButton() const { return bClip_; }

 public Q_SLOTS:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void FormShow();
  void RBCustomClick();
  bool CheckInput();
  QSize RenderSizeNow() const;
  bool Shot(const QString& fileName);
  void ShowImgSave();
  void SetStatus(const QString& text);

  ProgramSettings& program_;
  Prompter& prompter_;
  BatchProgress& progress_;
  const PageList* page_;
  QPointer<BrowserView> viewerBrowser_;
  SnapshotRenderer renderer_;
  SnapshotSettings settings_;
  QImage imgSave_;
  int filterIndex_ = 1;  // of the save dialog: 1 JPG, 2 BMP
  int minimumKb_;
  bool shown_ = false;

  QLabel* panelTreeTop_ = nullptr;
  QRadioButton* rbCustom_ = nullptr;
  QRadioButton* rbBrowser_ = nullptr;
  QLineEdit* eWidth_ = nullptr;
  QLineEdit* eHeight_ = nullptr;
  QLineEdit* eViewWidth_ = nullptr;
  QLineEdit* eScale_ = nullptr;
  QLineEdit* eShade_ = nullptr;
  QLineEdit* eBorder_ = nullptr;
  UpDownButtons* udWidth_ = nullptr;
  UpDownButtons* udHeight_ = nullptr;
  UpDownButtons* udScale_ = nullptr;
  UpDownButtons* udShade_ = nullptr;
  UpDownButtons* udBorder_ = nullptr;
  ColourBox* rzColBG_ = nullptr;
  ColourBox* rzColBShade_ = nullptr;
  ColourBox* rzColBorder_ = nullptr;
  QCheckBox* cbCropVerti_ = nullptr;
  QCheckBox* cbCropHori_ = nullptr;
  QScrollArea* scrollBox1_ = nullptr;
  QLabel* imgLabel_ = nullptr;
  QPushButton* bPreview_ = nullptr;
  QPushButton* bSave_ = nullptr;
  QPushButton* bBatch_ = nullptr;
  QPushButton* bClip_ = nullptr;
};

}  // namespace vistrel
