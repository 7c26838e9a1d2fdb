#pragma once

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "temp_folder.h"
#include "writer_process.h"

namespace vistrel::safety {

// A target written once with the old content (generation 1) in target/, and the new
// content (generation 2) written undisturbed in fresh/ to compare against.
class WriterTest : public ::testing::TestWithParam<QString> {
 protected:
  void SetUp() override {
    writer_ = FindSaveWriter(GetParam());
    ASSERT_NE(writer_, nullptr);
    folder_ = root_.MakeDir(QStringLiteral("target"));
    scratch_ = root_.MakeDir(QStringLiteral("scratch"));
    target_ = writer_->target(folder_);
    ASSERT_EQ(RunWriter(*writer_, folder_, 1, scratch_).exitCode, 0);
    old_ = ReadAll(target_);
    const QString fresh = root_.MakeDir(QStringLiteral("fresh"));
    QProcess process;
    ASSERT_TRUE(StartWriter(process, *writer_, fresh, 2, scratch_));
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(FinishWriter(process).exitCode, 0);
    writeMicroseconds_ = timer.nsecsElapsed() / 1000;
    new_ = ReadAll(writer_->target(fresh));
    ASSERT_FALSE(old_.isEmpty());
    ASSERT_FALSE(new_.isEmpty());
    ASSERT_NE(old_, new_);
  }

  const SaveWriter* writer_ = nullptr;
  testing::TempFolder root_;
  QString folder_, scratch_, target_;
  QByteArray old_, new_;
  qint64 writeMicroseconds_ = 0;  // how long the undisturbed write took, from "ready"
};

#define VISTREL_FOR_EVERY_WRITER(suite)                                                           \
  INSTANTIATE_TEST_SUITE_P(Writers, suite,                                                        \
                           ::testing::Values(QStringLiteral("text"), QStringLiteral("editor"),    \
                                             QStringLiteral("settings"), QStringLiteral("list"),  \
                                             QStringLiteral("thumbnail"),                         \
                                             QStringLiteral("snapshot"), QStringLiteral("copy")), \
                           [](const auto& info) { return info.param.toStdString(); })

}  // namespace vistrel::safety
