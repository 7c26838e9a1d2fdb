#include "settings/ini_profile.h"

#include <sys/resource.h>

#include <csignal>

#include <QDir>
#include <gtest/gtest.h>

#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::TempFolder;

IniProfile Ini(const char* text) { return IniProfile::FromText(QString::fromLatin1(text)); }
const QString kS = QStringLiteral("S");

TEST(IniProfileRead, NamesMatchWithoutCaseAndValueIsTheRestOfTheLine) {
  const IniProfile ini = Ini("[Options]\nStyle Name = a = b \n[other]\nx=1\n");
  EXPECT_EQ(ini.ReadString(QStringLiteral("OPTIONS"), QStringLiteral("style name"), {}),
            QStringLiteral(" a = b "));
  EXPECT_EQ(ini.ReadString(QStringLiteral("options"), QStringLiteral("x"), QStringLiteral("d")),
            QStringLiteral("d"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("nosuch"), QStringLiteral("x"), QStringLiteral("d")),
            QStringLiteral("d"));
}

// Names beyond ASCII fold as Qt folds them, also onto ASCII ones: the Kelvin sign is a "k".
TEST(IniProfileRead, NamesBeyondAsciiMatchWithoutCaseToo) {
  const IniProfile ini =
      IniProfile::FromText(QStringLiteral("[\u00C4rger]\n\u212Aey=1\n[Kelvin]\nkey=2\n"));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("\u00E4RGER"), QStringLiteral("key"), 0), 1);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("\u212Aelvin"), QStringLiteral("\u212AEY"), 0), 2);
  EXPECT_FALSE(ini.HasKey(QStringLiteral("arger"), QStringLiteral("key")));
  EXPECT_EQ(ini.SectionNames().size(), 2);
}

TEST(IniProfileRead, LongValuesAreCutTo2047Characters) {
  const QString text =
      QStringLiteral("[S]\nk=") + QString(5000, QLatin1Char('v')) + QStringLiteral("\n");
  const IniProfile ini = IniProfile::FromText(text);
  EXPECT_EQ(ini.ReadString(kS, QStringLiteral("k"), {}).size(), 2047);
}

TEST(IniProfileRead, IntegersAreDecimalOrHexAndAnythingElseGivesTheDefault) {
  const IniProfile ini =
      Ini("[S]\nd=42\nneg=-1\nhex=0x10\nupper=0XFF0000\nbare=0x\nword=yes\n"
          "mixed=12abc\nspace= 7 \nbig=0xFFFFFFFF\n");
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("d"), 0), 42);
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("neg"), 0), -1);
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("hex"), 0), 16);
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("upper"), 0), 16711680);
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("bare"), 9), 9);
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("word"), 9), 9);
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("mixed"), 9), 9);
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("space"), 0), 7);
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("big"), 0), -1);
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("missing"), 5), 5);
}

TEST(IniProfileRead, BooleansAreIntegersOtherThanZero) {
  const IniProfile ini = Ini("[S]\nfive=5\nzero=0\nyes=yes\n");
  EXPECT_TRUE(ini.ReadBool(kS, QStringLiteral("five"), false));
  EXPECT_FALSE(ini.ReadBool(kS, QStringLiteral("zero"), true));
  EXPECT_TRUE(ini.ReadBool(kS, QStringLiteral("yes"), true));
  EXPECT_FALSE(ini.ReadBool(kS, QStringLiteral("yes"), false));
}

TEST(IniProfileWrite, ReplacesInPlaceAppendsKeysToTheirSectionAndSectionsToTheEnd) {
  IniProfile ini = Ini("; comment\n[A]\nkeep=1\nK=old\n\n[B]\nb=1\ngarbage line\n");
  ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("new"));
  ini.WriteInteger(QStringLiteral("A"), QStringLiteral("added"), 3);
  ini.WriteBool(QStringLiteral("C"), QStringLiteral("flag"), true);
  EXPECT_EQ(ini.ToText(), QStringLiteral("; comment\n[A]\nkeep=1\nK=new\nadded=3\n\n[B]\nb=1\n"
                                         "garbage line\n[C]\nflag=1\n"));
  EXPECT_EQ(ini.SectionNames(),
            (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
  EXPECT_EQ(ini.KeyNames(QStringLiteral("a")),
            (QStringList{QStringLiteral("keep"), QStringLiteral("K"), QStringLiteral("added")}));
}

TEST(IniProfileWrite, DuplicateSectionsReadAndWriteTheFirst) {
  IniProfile ini = Ini("[S]\nk=1\n[S]\nk=2\n");
  EXPECT_EQ(ini.ReadInteger(kS, QStringLiteral("k"), 0), 1);
  ini.WriteInteger(kS, QStringLiteral("k"), 5);
  EXPECT_EQ(ini.ToText(), QStringLiteral("[S]\nk=5\n[S]\nk=2\n"));
}

// Lookups go through a parsed outline of the lines, which every write must keep true.
TEST(IniProfileWrite, ReadsAfterWritesSeeTheLinesAsTheyAreNow) {
  IniProfile ini = Ini("[A]\na=1\n;b=commented\n[B]\nb=2\n[C]\nc=3\n[ab\n");
  ini.WriteInteger(QStringLiteral("A"), QStringLiteral("new"), 7);  // B and C move down
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("b"), QStringLiteral("B"), 0), 2);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("c"), QStringLiteral("c"), 0), 3);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("A"), QStringLiteral("new"), 0), 7);
  EXPECT_FALSE(ini.HasKey(QStringLiteral("A"), QStringLiteral(";b")));
  EXPECT_FALSE(ini.HasKey(QStringLiteral("A"), QStringLiteral("b")));
  ini.WriteInteger(QStringLiteral("D"), QStringLiteral("d"), 4);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("d"), QStringLiteral("D"), 0), 4);
  EXPECT_EQ(ini.KeyNames(QStringLiteral("C")), QStringList{QStringLiteral("c")});

  // A value with "]" turns the key "[x" into the header of a section "x=1".
  IniProfile header = Ini("[S]\n[x=0\nk=1\n");
  header.WriteString(kS, QStringLiteral("[x"), QStringLiteral("1]"));
  EXPECT_FALSE(header.HasKey(kS, QStringLiteral("k")));
  EXPECT_EQ(header.ReadInteger(QStringLiteral("[x=1"), QStringLiteral("k"), 0), 0);
  EXPECT_EQ(header.ReadInteger(QStringLiteral("x=1"), QStringLiteral("k"), 0), 1);
  EXPECT_EQ(header.SectionNames(), (QStringList{kS, QStringLiteral("x=1")}));
}

TEST(IniProfileWrite, LineBreaksInValuesCannotSplitTheFile) {
  IniProfile ini;
  ini.WriteString(kS, QStringLiteral("LastSearch"), QStringLiteral("a\r\nb\nc"));
  EXPECT_EQ(ini.ReadString(kS, QStringLiteral("LastSearch"), {}), QStringLiteral("a b c"));
  EXPECT_EQ(ini.KeyNames(kS).size(), 1);
}

TEST(IniProfileFile, RoundTripKeepsBinaryBytesCrLfAndUnknownLines) {
  TempFolder dir;
  const QByteArray original("\xff\xfe junk\x01\r\n[S]\r\nk=1\r\nunknown=\xe9t\xe9\r\n");
  const QString path = dir.Write(QStringLiteral("x.ini"), original);
  IniProfile ini = IniProfile::Load(path);
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(dir.Read(QStringLiteral("x.ini")), original);
  ini.WriteInteger(kS, QStringLiteral("k"), 2);
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(dir.Read(QStringLiteral("x.ini")),
            QByteArray("\xff\xfe junk\x01\r\n[S]\r\nk=2\r\nunknown=\xe9t\xe9\r\n"));
}

TEST(IniProfileFile, MissingFileIsAnEmptyProfileThatSavesWhereItWasAsked) {
  TempFolder dir;
  IniProfile ini = IniProfile::Load(dir.path() + QStringLiteral("new.ini"));
  EXPECT_TRUE(ini.SectionNames().isEmpty());
  ini.WriteString(kS, QStringLiteral("k"), QStringLiteral("v"));
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(dir.Read(QStringLiteral("new.ini")), QByteArray("[S]\nk=v\n"));
}

// A file size limit makes the writing of the new text fail half way, as a full disk would.
TEST(IniProfileFile, FailedSaveKeepsTheOldFile) {
  TempFolder dir;
  const QString path = dir.Write(QStringLiteral("x.ini"), "[S]\nk=1\n");
  IniProfile ini = IniProfile::Load(path);
  ini.WriteString(kS, QStringLiteral("k"), QString(100000, QLatin1Char('v')));
  struct rlimit before {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  struct rlimit small = before;
  small.rlim_cur = 4096;
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  QString error;
  const bool saved = ini.Save(&error);
  ::setrlimit(RLIMIT_FSIZE, &before);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved);
  EXPECT_TRUE(error.contains(path)) << error.toStdString();
  EXPECT_EQ(dir.Read(QStringLiteral("x.ini")), QByteArray("[S]\nk=1\n"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.ini")});
}

}  // namespace
}  // namespace vistrel
