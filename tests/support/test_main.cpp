// Test entry point: one QApplication on the offscreen platform, and a temporary program
// folder so no test ever touches the real home folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "core/headless.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  vistrel::PrepareHeadlessEnvironment(true);  // the browser engine reads these at start
  QTemporaryDir home;
  qputenv("VISTREL_HOME", home.path().toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/xdg")).toLocal8Bit());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
