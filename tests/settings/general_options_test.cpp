#include "settings/general_options_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>

#include "scripted_prompter.h"
#include "settings/program_settings.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::ScriptedPrompter;
using testing::TempFolder;

ProgramSettings Defaults() {
  ProgramSettings s;
  for (int k = 0; k < 6; ++k)
    s.Applications[k].Descript = QStringLiteral("External Application ") + QString::number(k + 1);
  return s;
}

TEST(GeneralOptionsDialog, ShowsTheSettingsAndCancelChangesNothing) {
  ProgramSettings settings = Defaults();
  settings.DoShowHints = false;
  ScriptedPrompter prompter;
  GeneralOptionsDialog dialog(settings, prompter);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("General Options"));
  EXPECT_EQ(dialog.locationField(0)->text(), QStringLiteral("(none)"));
  EXPECT_EQ(dialog.descriptField(5)->text(), QStringLiteral("External Application 6"));
  dialog.show();
  for (int k = 0; k < 6; ++k) {  // the whole description in view
    const QLineEdit* field = dialog.descriptField(k);
    EXPECT_GE(field->width() - 8, field->fontMetrics().horizontalAdvance(field->text())) << k;
  }
  EXPECT_FALSE(dialog.hintsBox()->isChecked());
  EXPECT_TRUE(dialog.colorTagsBox()->isChecked());

  for (int k = 0; k < 6; ++k) {
    dialog.locationField(k)->setText(QStringLiteral("/bin/true"));
    dialog.paramField(k)->setText(QStringLiteral("-x"));
    dialog.descriptField(k)->setText(QStringLiteral("changed"));
  }
  for (QCheckBox* box :
       {dialog.colorTagsBox(), dialog.hintsBox(), dialog.singleClickBox(), dialog.fileIconsBox()})
    box->toggle();
  dialog.reject();
  EXPECT_EQ(settings.Applications[0].Location, QStringLiteral("(none)"));
  EXPECT_EQ(settings.Applications[3].Param, QString());
  EXPECT_EQ(settings.Applications[5].Descript, QStringLiteral("External Application 6"));
  EXPECT_FALSE(settings.DoShowHints);
  EXPECT_TRUE(settings.DoColorTags);
}

TEST(GeneralOptionsDialog, OkTakesFieldsAsTypedAndWorksOutPresent) {
  TempFolder dir;
  const QString tool = dir.Write(QStringLiteral("tool"), "#!/bin/sh\n");
  QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ProgramSettings settings = Defaults();
  ScriptedPrompter prompter;
  {
    GeneralOptionsDialog dialog(settings, prompter);
    dialog.locationField(0)->setText(tool);
    dialog.locationField(1)->setText(dir.path() + QStringLiteral("missing"));
    dialog.paramField(0)->setText(QStringLiteral(" -r "));
    dialog.singleClickBox()->setChecked(false);
    dialog.accept();
  }
  EXPECT_TRUE(settings.Applications[0].Present);
  EXPECT_EQ(settings.Applications[0].Param, QStringLiteral(" -r "));  // no trimming
  EXPECT_FALSE(settings.Applications[1].Present);
  EXPECT_EQ(settings.Applications[1].Location, dir.path() + QStringLiteral("missing"));
  EXPECT_FALSE(settings.DoOpenOnSingleClick);

  // Setting the program back gives Present again at the next OK.
  GeneralOptionsDialog again(settings, prompter);
  again.locationField(1)->setText(tool);
  again.accept();
  EXPECT_TRUE(settings.Applications[1].Present);
}

TEST(GeneralOptionsDialog, ChooserFillsTheRowAndCancelLeavesIt) {
  ProgramSettings settings = Defaults();
  ScriptedPrompter prompter;
  GeneralOptionsDialog dialog(settings, prompter);
  prompter.AnswerOpenFiles({QStringLiteral("/usr/bin/env")});
  dialog.ChooseLocation(2);
  EXPECT_EQ(dialog.locationField(2)->text(), QStringLiteral("/usr/bin/env"));
  prompter.AnswerOpenFiles({});
  dialog.ChooseLocation(2);
  EXPECT_EQ(dialog.locationField(2)->text(), QStringLiteral("/usr/bin/env"));
  EXPECT_EQ(prompter.TakeTexts(),
            (QStringList{QStringLiteral("Application3"), QStringLiteral("Application3")}));
}

}  // namespace
}  // namespace vistrel
