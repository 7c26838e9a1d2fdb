#include "core/disk_name.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>

#include "core/text_file.h"
#include "hostile_tree.h"

namespace vistrel {
namespace {

TEST(DiskName, EveryByteStringComesBackExactly) {
  QRandomGenerator random(17);  // fixed seed: the same strings every run
  for (int round = 0; round < 2000; ++round) {
    QByteArray bytes(random.bounded(1, 24), '\0');
    for (char& c : bytes) c = static_cast<char>(random.bounded(1, 256));
    ASSERT_EQ(NameToDisk(NameFromDisk(bytes)), bytes) << bytes.toHex().constData();
  }
  // Sequences a lax decoder would accept but that are not UTF-8.
  for (const char* invalid : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\xF8"}) {
    const QByteArray bytes(invalid);
    EXPECT_TRUE(HasRawBytes(NameFromDisk(bytes))) << bytes.toHex().constData();
    EXPECT_EQ(NameToDisk(NameFromDisk(bytes)), bytes);
  }
}

TEST(DiskName, Utf8NamesDecodeAsTextAndOtherBytesStayApart) {
  EXPECT_EQ(NameFromDisk("caf\xC3\xA9 \xF0\x9F\x98\x80.html"), QString::fromUtf8("café 😀.html"));
  EXPECT_FALSE(HasRawBytes(NameFromDisk("caf\xC3\xA9.html")));
  const QString latin1 = NameFromDisk("caf\xE9.html");
  EXPECT_TRUE(HasRawBytes(latin1));
  EXPECT_NE(latin1, QString::fromUtf8("café.html"));
  EXPECT_EQ(NameToDisk(QString::fromUtf8("café.html")), QByteArray("caf\xC3\xA9.html"));
}

TEST(DiskName, PrintableFormShowsRawBytesAndControlCharacters) {
  EXPECT_EQ(PrintableName(NameFromDisk("caf\xE9\t\n\x01.html")),
            QStringLiteral("caf\\xE9\\t\\n\\x01.html"));
  EXPECT_EQ(PrintableName(QString::fromUtf8("café.html")), QString::fromUtf8("café.html"));
}

TEST(DiskName, FileUrlNamesTheSameBytes) {
  const QUrl url = FileUrl(NameFromDisk("/tmp/a b/caf\xE9#?%.html"));
  EXPECT_EQ(url.scheme(), QStringLiteral("file"));
  EXPECT_EQ(QByteArray::fromPercentEncoding(url.toEncoded(QUrl::RemoveScheme)),
            QByteArray("///tmp/a b/caf\xE9#?%.html"));
  EXPECT_EQ(url.fragment(), QString());
  EXPECT_EQ(url.query(), QString());
}

// Every regular page of a hostile tree reads back, and nothing that is not a regular file is
// ever opened for reading: a FIFO without a writer or /dev/zero would never end.
TEST(DiskName, ReadsEveryPageAndRefusesWhatIsNotARegularFile) {
  const testing::HostileTree tree;
  for (const auto& page : tree.pages() + tree.unlistable()) {
    QByteArray bytes;
    QString error;
    ASSERT_TRUE(ReadWholeFile(page.path, &bytes, &error)) << error.toStdString();
    EXPECT_EQ(bytes, page.bytes);
    EXPECT_EQ(KindOf(page.path), FileKind::kRegular);
  }
  for (const QString& path : tree.notPages()) {
    QByteArray bytes;
    QString error;
    EXPECT_FALSE(ReadWholeFile(path, &bytes, &error)) << path.toStdString();
    EXPECT_TRUE(error.contains(PrintableName(path))) << error.toStdString();
    EXPECT_NE(KindOf(path), FileKind::kRegular);
  }
  QString error;
  EXPECT_EQ(OpenRegularForReading(tree.folder() + QStringLiteral("fifo.html"), &error), -1);
  EXPECT_TRUE(error.endsWith(QStringLiteral("is not a regular file"))) << error.toStdString();
  EXPECT_EQ(KindOf(tree.folder()), FileKind::kDirectory);
  EXPECT_EQ(OpenRegularForReading(tree.folder(), &error), -1);
}

TEST(DiskName, SavesUnderANameThatIsNotUtf8) {
  const testing::HostileTree tree;
  const QString latin1 = tree.folder() + NameFromDisk("caf\xE9.html");
  QString error;
  ASSERT_TRUE(WriteFileAtomically(latin1, "new", &error)) << error.toStdString();
  QByteArray bytes;
  ASSERT_TRUE(ReadWholeFile(latin1, &bytes));
  EXPECT_EQ(bytes, "new");
  // The UTF-8 spelling of the same word is another file, untouched.
  ASSERT_TRUE(ReadWholeFile(tree.folder() + QString::fromUtf8("café.html"), &bytes));
  EXPECT_TRUE(bytes.contains("utf-8"));
}

}  // namespace
}  // namespace vistrel
