#pragma once

#include <QDialog>
#include <QTemporaryFile>

#include "render/display_settings.h"

class QCheckBox;
class QListWidget;
class QSpinBox;

namespace vistrel {

class BrowserProfile;
class BrowserView;
class NamedColourBox;

// "Browser Settings": font, size, colours and images of the shared browser for this run,
// shown at once on a sample page. Nothing is stored.
class BrowserSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens with the shared browser's values; OK gives them to it and reloads its page.
  BrowserSettingsDialog(BrowserProfile& profile, BrowserView& shared, QWidget* parent = nullptr);

  void SetFontName(const QString& name);
  void SetFontSize(int size);
  void SetFontColor(int value);
  void SetLinkColor(int value);
  void SetBackground(int value);
  void SetShowImages(bool on);
  QString SelectedFontName() const;
  // The values as OK would apply them.
  BrowserDisplaySettings Values() const;
  void Reset();

  BrowserView* sample() const { return sample_; }
  QListWidget* fontList() const { return fontList_; }
  QSpinBox* fontSizeEdit() const { return fontSize_; }
  NamedColourBox* backgroundBox() const { return background_; }
  NamedColourBox* linkColourBox() const { return linkColour_; }
  NamedColourBox* fontColourBox() const { return fontColour_; }
  QCheckBox* imagesBox() const { return images_; }

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyToSample();

  BrowserView& shared_;
  BrowserView* sample_;
  QListWidget* fontList_;
  QSpinBox* fontSize_;
  NamedColourBox* background_;
  NamedColourBox* linkColour_;
  NamedColourBox* fontColour_;
  QCheckBox* images_;
  BrowserDisplaySettings values_;
  BrowserDisplaySettings resetValues_;
  QTemporaryFile samplePage_;
};

}  // namespace vistrel
