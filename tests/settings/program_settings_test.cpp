#include "settings/program_settings.h"

#include <gtest/gtest.h>

#include <QFile>

#include "settings/ini_profile.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::TempFolder;

const QSize kScreen(1920, 1080);

ProgramSettings LoadFrom(const char* text, const QString& program = QStringLiteral("/prog/")) {
  return LoadProgramSettings(IniProfile::FromText(QString::fromLatin1(text)), kScreen, program);
}

TEST(LoadProgramSettings, FirstStartGivesEveryDefault) {
  TempFolder dir;
  const ProgramSettings s = LoadFrom("", dir.path());
  EXPECT_EQ(s.ALLOWED_EXTENSIONS, QString::fromLatin1(kBuiltInFilterList));
  EXPECT_EQ(s.ALLOWED_EXTENSIONS.size(), 251);
  EXPECT_EQ(s.Width, 1536);
  EXPECT_EQ(s.Height, 864);
  EXPECT_EQ(s.VIEW_PATH, dir.path());
  EXPECT_EQ(s.SNAPSHOTPATH, dir.path() + QStringLiteral("SNAPSHOTS/"));
  EXPECT_EQ(s.Colours.CommentCol, 8421376);
  EXPECT_EQ(s.BorderCol, 8388608);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(s.Applications[i].Location, QStringLiteral("(none)"));
    EXPECT_EQ(s.Applications[i].Descript,
              QStringLiteral("External Application ") + QString::number(i + 1));
    EXPECT_FALSE(s.Applications[i].Present);
  }
}

TEST(LoadProgramSettings, ValuesAreReadWithTheirRules) {
  const ProgramSettings s = LoadFrom(
      "[OPTIONS]\nALLOWED_EXTENSIONS= \t "
      "\nBackupExt=abcdefgh\nDoShowHints=5\nDoOpenOnSingleClick=yes\n"
      "[THUMBS]\nTHUMB_BASEIDX=0x10\nScale=0x10\nBGCol=0x10\n[COLORS]\nTagCol=255\n");
  EXPECT_EQ(s.ALLOWED_EXTENSIONS, QString::fromLatin1(kBuiltInFilterList));
  EXPECT_EQ(s.BackupExt, QStringLiteral("abcde"));
  EXPECT_TRUE(s.DoShowHints);
  EXPECT_TRUE(s.DoOpenOnSingleClick);
  EXPECT_EQ(s.THUMB_BASEIDX, 16);
  EXPECT_EQ(s.Scale, 16);
  EXPECT_EQ(s.BGCol, 16);
  EXPECT_EQ(s.Colours.TagCol, 255);
}

TEST(LoadProgramSettings, ViewPathThatIsNoFolderBecomesTheProgramFolder) {
  TempFolder dir;
  const ProgramSettings s = LoadFrom("[PATHS]\nVIEW_PATH=/no/such/folder/\n", dir.path());
  EXPECT_EQ(s.VIEW_PATH, dir.path());
}

TEST(LoadProgramSettings, PresentOnlyForExistingExecutables) {
  TempFolder dir;
  const QString tool = dir.Write(QStringLiteral("tool"), "#!/bin/sh\n");
  QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QString text = QStringLiteral("[EDITOR1]\nLocation=") + tool +
                       QStringLiteral("\n[EDITOR2]\nLocation=") + dir.path() +
                       QStringLiteral("\n[EDITOR3]\nLocation=/no/such\n");
  const ProgramSettings s = LoadProgramSettings(IniProfile::FromText(text), kScreen, dir.path());
  EXPECT_TRUE(s.Applications[0].Present);
  EXPECT_FALSE(s.Applications[1].Present);  // a folder is no program
  EXPECT_FALSE(s.Applications[2].Present);
}

TEST(SaveProgramSettings, FreshFileHasTheExactSectionAndKeyOrder) {
  TempFolder dir;
  IniProfile ini = IniProfile::Load(dir.path() + QStringLiteral("prg.ini"));
  const ProgramSettings s = LoadProgramSettings(ini, kScreen, dir.path());
  SaveProgramSettings(s, dir.path(), ini);
  ASSERT_TRUE(ini.Save());
  const IniProfile written = IniProfile::Load(dir.path() + QStringLiteral("prg.ini"));
  EXPECT_EQ(written.SectionNames().join(QLatin1Char(',')),
            QStringLiteral("OPTIONS,POSITION_MAIN,COLORS,THUMBS,PATHS,EDITOR1,EDITOR2,EDITOR3,"
                           "EDITOR4,EDITOR5,EDITOR6"));
  EXPECT_EQ(
      written.KeyNames(QStringLiteral("OPTIONS")).join(QLatin1Char(',')),
      QStringLiteral(
          "StyleName,PopUpStyleName,BackupExt,DoCreateBackUps,DoValidate,LastSearch,LastReplace,"
          "ALLOWED_EXTENSIONS,DoShowFileIcons,DoRecycleBin,DoShowHints,DoOpenOnSingleClick,CACHE_"
          "MAX"));
  EXPECT_EQ(written.KeyNames(QStringLiteral("THUMBS")).join(QLatin1Char(',')),
            QStringLiteral("THUMB_BASEIDX,CustomWidth,CustomHeight,Scale,Shade,Border,BGCol,"
                           "ShadeCol,BorderCol,CropHori,CropVerti,RenderTimeout"));
  EXPECT_EQ(written.KeyNames(QStringLiteral("PATHS")).join(QLatin1Char(',')),
            QStringLiteral("VIEW_PATH,SNAPSHOTPATH,COPYPATH"));
  EXPECT_EQ(written.KeyNames(QStringLiteral("EDITOR6")).join(QLatin1Char(',')),
            QStringLiteral("Location,Param,Descript"));
  EXPECT_EQ(written.ReadString(QStringLiteral("EDITOR6"), QStringLiteral("Descript"), {}),
            QStringLiteral("External Application 6"));
  EXPECT_EQ(written.ReadString(QStringLiteral("POSITION_MAIN"), QStringLiteral("Width"), {}),
            QStringLiteral("1536"));
}

TEST(SaveProgramSettings, StandardColoursAndNormalisedValuesAreWrittenBack) {
  IniProfile ini =
      IniProfile::FromText(QStringLiteral("[OPTIONS]\nDoShowHints=5\nBackupExt=abcdefgh\nUserKey="
                                          "kept\n[COLORS]\nTagCol=255\n[MINE]\nx=1\n"));
  ProgramSettings s = LoadProgramSettings(ini, kScreen, QStringLiteral("/prog/"));
  EXPECT_EQ(s.Colours.TagCol, 255);
  SaveProgramSettings(s, QStringLiteral("/view/"), ini);
  EXPECT_EQ(ini.ReadString(QStringLiteral("OPTIONS"), QStringLiteral("DoShowHints"), {}),
            QStringLiteral("1"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("OPTIONS"), QStringLiteral("BackupExt"), {}),
            QStringLiteral("abcde"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("COLORS"), QStringLiteral("TagCol"), {}),
            QStringLiteral("16711680"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("OPTIONS"), QStringLiteral("UserKey"), {}),
            QStringLiteral("kept"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("MINE"), QStringLiteral("x"), {}), QStringLiteral("1"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("PATHS"), QStringLiteral("VIEW_PATH"), {}),
            QStringLiteral("/view/"));
  EXPECT_EQ(ini.SectionNames().first(), QStringLiteral("OPTIONS"));
}

TEST(RenderTimeout, FiveSecondsUnlessTheFileSaysOtherwise) {
  EXPECT_EQ(LoadFrom("").RenderTimeout, 5);
  EXPECT_EQ(RenderTimeoutMs(LoadFrom("")), 5000);
  EXPECT_EQ(LoadFrom("[THUMBS]\nRenderTimeout=12\n").RenderTimeout, 12);
  EXPECT_EQ(LoadFrom("[THUMBS]\nRenderTimeout=soon\n").RenderTimeout, 5);
  // A page is never given up on at once, nor waited for without end.
  EXPECT_EQ(RenderTimeoutMs(LoadFrom("[THUMBS]\nRenderTimeout=0\n")), 1000);
  EXPECT_EQ(RenderTimeoutMs(LoadFrom("[THUMBS]\nRenderTimeout=-7\n")), 1000);
  EXPECT_EQ(RenderTimeoutMs(LoadFrom("[THUMBS]\nRenderTimeout=2147483647\n")), 3600 * 1000);
}

TEST(RenderTimeout, FileOfAnOlderRunGainsTheKeyAtTheEndOfItsSection) {
  const QString older = QStringLiteral(
      "; kept\n[THUMBS]\nTHUMB_BASEIDX=2\nCropVerti=1\n\n[PATHS]\nVIEW_PATH=/view/\n");
  IniProfile ini = IniProfile::FromText(older);
  ProgramSettings s = LoadProgramSettings(ini, kScreen, QStringLiteral("/prog/"));
  s.RenderTimeout = 9;
  SaveProgramSettings(s, QStringLiteral("/view/"), ini);
  const QStringList thumbs = ini.KeyNames(QStringLiteral("THUMBS"));
  EXPECT_EQ(thumbs.last(), QStringLiteral("RenderTimeout"));
  EXPECT_EQ(thumbs.first(), QStringLiteral("THUMB_BASEIDX"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("THUMBS"), QStringLiteral("RenderTimeout"), {}),
            QStringLiteral("9"));
  // Appended inside THUMBS, before the section that followed it.
  const QString text = ini.ToText();
  EXPECT_LT(text.indexOf(QStringLiteral("RenderTimeout=9")),
            text.indexOf(QStringLiteral("[PATHS]")));
  EXPECT_TRUE(text.startsWith(QStringLiteral("; kept")));
}

}  // namespace
}  // namespace vistrel
