#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <utility>

#include "cli_env.h"
#include "core/disk_name.h"
#include "core/text_file.h"
#include "filelists/list_entry.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::CliRun;
using testing::RunCli;
using testing::TempFolder;

QList<QJsonObject> JsonLines(const QByteArray& out) {
  QList<QJsonObject> objects;
  for (const QByteArray& line : out.split('\n')) {
    if (line.isEmpty()) continue;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.data();
    objects.append(document.object());
  }
  return objects;
}

// A site of a few files and the searches over it.
class CliJson : public ::testing::Test {
 protected:
  void WriteSite(const QList<std::pair<QString, QByteArray>>& files) {
    for (const auto& [name, bytes] : files) site_.Write(name, bytes);
  }
  CliRun Search(const QStringList& options = {}) {
    return RunCli(QStringList{QStringLiteral("search")} + options + QStringList{site_.path()},
                  home_.path());
  }
  TempFolder home_, site_;
};

TEST_F(CliJson, SearchGivesOneObjectPerEntryAndLeavesThePlainOutputAlone) {
  WriteSite({{QStringLiteral("index.htm"), "12345"},
             {QStringLiteral("sub/Seite ü.htm"), "123"},
             {QStringLiteral("notes.txt"), "x"}});
  const CliRun plain = Search();
  const CliRun json = Search({QStringLiteral("--json")});
  ASSERT_EQ(plain.exitCode, 0);
  ASSERT_EQ(json.exitCode, 0);
  const QStringList entries =
      QString::fromUtf8(plain.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(entries.size(), 2);
  for (const QString& entry : entries)
    EXPECT_EQ(entry.count(QLatin1Char('*')), 4) << entry.toStdString();

  const QList<QJsonObject> objects = JsonLines(json.out);
  ASSERT_EQ(objects.size(), entries.size());
  for (int i = 0; i < objects.size(); ++i) {
    const ListRow row = SplitListEntry(entries.at(i));
    EXPECT_EQ(objects[i].value(QStringLiteral("path")).toString(), FullPathOfRow(row));
    EXPECT_EQ(objects[i].value(QStringLiteral("size")).toInteger(), row[kFieldSize].toLongLong());
    EXPECT_EQ(objects[i].value(QStringLiteral("state")).toString(), QStringLiteral("found"));
    EXPECT_EQ(objects[i].value(QStringLiteral("time")).toString(),
              row[kFieldDate].simplified().replace(QLatin1Char(' '), QLatin1Char('T')));
  }
  EXPECT_TRUE(objects[0].value(QStringLiteral("path")).toString().endsWith(QStringLiteral(".htm")));
}

TEST_F(CliJson, VerifyTellsTheStateOfEveryEntry) {
  WriteSite({{QStringLiteral("same.htm"), "same"},
             {QStringLiteral("grown.htm"), "small"},
             {QStringLiteral("gone.htm"), "gone"}});
  const CliRun search = Search();
  ASSERT_EQ(search.exitCode, 0);
  const QString list = site_.Write(QStringLiteral("site.lst"), search.out);
  site_.Write(QStringLiteral("grown.htm"), "much larger now");
  QFile::remove(site_.path() + QStringLiteral("gone.htm"));

  const CliRun plain = RunCli({QStringLiteral("verify"), list}, home_.path());
  EXPECT_TRUE(plain.out.endsWith("3 entries, 1 not found, 1 updated\n")) << plain.out.data();
  const CliRun json =
      RunCli({QStringLiteral("verify"), QStringLiteral("--json"), list}, home_.path());
  ASSERT_EQ(json.exitCode, 0) << json.err.data();
  QMap<QString, QJsonObject> byName;
  for (const QJsonObject& object : JsonLines(json.out))
    byName.insert(object.value(QStringLiteral("path")).toString().section(QLatin1Char('/'), -1),
                  object);
  ASSERT_EQ(byName.size(), 3);
  EXPECT_EQ(byName[QStringLiteral("same.htm")].value(QStringLiteral("state")).toString(),
            QStringLiteral("ok"));
  EXPECT_EQ(byName[QStringLiteral("grown.htm")].value(QStringLiteral("state")).toString(),
            QStringLiteral("updated"));
  EXPECT_EQ(byName[QStringLiteral("grown.htm")].value(QStringLiteral("size")).toInteger(), 15);
  EXPECT_EQ(byName[QStringLiteral("gone.htm")].value(QStringLiteral("state")).toString(),
            QStringLiteral("not found"));
  EXPECT_EQ(byName[QStringLiteral("gone.htm")].value(QStringLiteral("size")).toInteger(), 4);
  // Without --update the list stays as it was.
  EXPECT_EQ(site_.Read(QStringLiteral("site.lst")), search.out);
}

TEST_F(CliJson, ANameThatIsNotUtf8CarriesItsBytesSoAScriptCanReachIt) {
  const QByteArray latin1 = NameToDisk(site_.path()) + "caf\xE9.htm";
  ASSERT_TRUE(WriteFileAtomically(NameFromDisk(latin1), "latin-1"));
  WriteSite({{QStringLiteral("Seite \u00FC.htm"), "utf-8"}});
  const CliRun plain = Search();
  ASSERT_EQ(plain.exitCode, 0) << plain.err.data();
  const QString list = site_.Write(QStringLiteral("site.lst"), plain.out);
  const CliRun search = Search({QStringLiteral("--json")});
  const CliRun verify =
      RunCli({QStringLiteral("verify"), QStringLiteral("--json"), list}, home_.path());
  ASSERT_EQ(verify.exitCode, 0) << verify.err.data();

  for (const CliRun* run : {&search, &verify}) {
    const QList<QJsonObject> objects = JsonLines(run->out);
    ASSERT_EQ(objects.size(), 2) << run->out.data();
    int withBytes = 0;
    for (const QJsonObject& object : objects) {
      const QString path = object.value(QStringLiteral("path")).toString();
      if (path.endsWith(QStringLiteral("Seite \u00FC.htm"))) {
        EXPECT_FALSE(object.contains(QStringLiteral("path_bytes"))) << path.toStdString();
        continue;
      }
      ++withBytes;
      EXPECT_EQ(
          QByteArray::fromBase64(object.value(QStringLiteral("path_bytes")).toString().toLatin1(),
                                 QByteArray::AbortOnBase64DecodingErrors),
          latin1);
      EXPECT_EQ(object.value(QStringLiteral("state")).toString(),
                run == &search ? QStringLiteral("found") : QStringLiteral("ok"));
    }
    EXPECT_EQ(withBytes, 1);
  }
}

}  // namespace
}  // namespace vistrel
