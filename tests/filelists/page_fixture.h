#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

#include "core/program_folder.h"
#include "filelists/file_lists_page.h"
#include "fake_shell.h"
#include "scripted_prompter.h"
#include "settings/program_settings.h"
#include "temp_folder.h"

namespace vistrel::testing {

// A File Lists page on a temporary program folder and per-user store, with its modal
// dialogs driven by scripted steps in the order they are expected to open.
class PageFixture : public ::testing::Test {
 protected:
  PageFixture() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, store_.path());
    folders_ = WorkingFolders::For(home_.path());
    PrepareWorkingFolders(folders_);
    site_ = home_.MakeDir(QStringLiteral("site"));
  }
  ~PageFixture() override {
    page_.reset();
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " expected dialog(s) never opened";
  }

  FileListsPage& page() {
    if (!page_) MakePage();
    return *page_;
  }
  void MakePage() {
    shell_.folder = site_;
    shell_.mask = mask_;
    page_ = std::make_unique<FileListsPage>(settings_, prompter_, folders_, shell_);
    page_->SetModalRunner([this](QDialog& dialog) {
      if (steps_.empty()) {
        ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
        return int(QDialog::Rejected);
      }
      auto step = std::move(steps_.front());
      steps_.pop_front();
      return step(dialog);
    });
  }
  void RestartPage() {
    page_.reset();
    MakePage();
  }

  // Queues a step for the next modal dialog, which must be of type D.
  template <typename D>
  void Expect(std::function<int(D&)> step) {
    steps_.push_back([step](QDialog& dialog) {
      auto* typed = dynamic_cast<D*>(&dialog);
      if (!typed) {
        ADD_FAILURE() << "another dialog opened: " << dialog.windowTitle().toStdString();
        return int(QDialog::Rejected);
      }
      return step(*typed);
    });
  }

  QTemporaryDir store_;
  TempFolder home_;
  WorkingFolders folders_;
  QString site_;
  QString mask_ = QStringLiteral("*.htm");
  ProgramSettings settings_;
  ScriptedPrompter prompter_;
  FakeShell shell_;
  std::vector<int>& progress_ = shell_.progress;
  std::deque<std::function<int(QDialog&)>> steps_;
  std::unique_ptr<FileListsPage> page_;
};

}  // namespace vistrel::testing
