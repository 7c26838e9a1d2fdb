#include "core/text_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <csignal>
#include <sys/resource.h>

#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::TempFolder;

TEST(DecodeText, ValidUtf8StaysUtf8AndOtherBytesAreLatin1) {
  const DecodedText utf8 = DecodeText(QByteArray("Gr\xc3\xbc\xc3\x9f\x65"));
  EXPECT_EQ(utf8.encoding, TextEncoding::kUtf8);
  EXPECT_EQ(utf8.text, QString::fromUtf8("Grüße"));

  const QByteArray latin1(
      "Gr\xfc\xdf"
      "e\r\nx");
  const DecodedText decoded = DecodeText(latin1);
  EXPECT_EQ(decoded.encoding, TextEncoding::kLatin1);
  EXPECT_EQ(decoded.lineBreak, LineBreak::kCrLf);
  EXPECT_EQ(EncodeText(decoded.text, decoded.encoding), latin1);
}

TEST(DecodeText, FirstLineBreakDecidesTheStyle) {
  EXPECT_EQ(DecodeText("a\nb\r\n").lineBreak, LineBreak::kLf);
  EXPECT_EQ(DecodeText("a\rb\n").lineBreak, LineBreak::kCr);
  EXPECT_EQ(DecodeText("a\r\nb\n").lineBreak, LineBreak::kCrLf);
  EXPECT_EQ(DecodeText("abc").lineBreak, LineBreak::kLf);
}

TEST(WriteFileAtomically, ReplacesContentAndKeepsPermissions) {
  TempFolder dir;
  const QString path = dir.Write(QStringLiteral("f.txt"), "old");
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(dir.Read(QStringLiteral("f.txt")), QByteArray("new"));
  EXPECT_TRUE(QFileInfo(path).permissions() & QFile::ExeOwner);
}

TEST(WriteFileAtomically, FailureLeavesTheOldFileIntactAndNamesIt) {
  TempFolder dir;
  const QString path = dir.Write(QStringLiteral("f.txt"), "old");
  // A file-size limit makes the write fail half way, even for root.
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_IGN);
  struct rlimit tiny = saved;
  tiny.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &tiny);
  QString error;
  const bool written = WriteFileAtomically(path, QByteArray(4096, 'n'), &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(written);
  EXPECT_TRUE(error.contains(path));
  EXPECT_EQ(dir.Read(QStringLiteral("f.txt")), QByteArray("old"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "temporary file left behind";
}

TEST(WriteFileAtomically, MissingFolderFails) {
  TempFolder dir;
  QString error;
  EXPECT_FALSE(WriteFileAtomically(dir.path() + QStringLiteral("no/such/f.txt"), "x", &error));
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace vistrel
