#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QVariant>
#include <memory>

#include "render/browser_profile.h"
#include "temp_folder.h"

#include <ostream>

namespace vistrel {
class BrowserView;
}

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace vistrel::testing {

// One engine profile for all browser tests, as in the program; each test gets its own
// folder of pages.
class RenderTest : public ::testing::Test {
 public:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

 protected:
  static BrowserProfile& Profile() { return *profile_; }

  // Loads the file and waits until it is loaded and painted.
  static void LoadAndWait(BrowserView& view, const QString& file);
  // Runs a script in the page and waits for its result.
  static QVariant Evaluate(BrowserView& view, const QString& code);
  // Clicks with the mouse on the middle of the element of that id, as a user would.
  static void ClickElement(BrowserView& view, const QString& id);

  TempFolder folder_;

 private:
  static std::unique_ptr<BrowserProfile> profile_;
};

// A page with nothing but a background colour.
QByteArray ColouredPage(const char* colour);

inline QColor PixelAt(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

}  // namespace vistrel::testing
