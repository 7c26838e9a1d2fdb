// Each folder below golden/ is one case: input.htm, the style (options.ini and tag.ini, or
// the shipped default style for folders named "default-..."), and expected.htm. On a
// mismatch the actual output is written beside the expected one as actual.htm. Formatting
// the output again gives it back unchanged, unless the case holds a file "unstable" that says
// why it does not (the second run is then checked by the driver's tests).
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "core/text_file.h"
#include "formatter/format_driver.h"

namespace vistrel {
namespace {

const QString kGoldenDir = QStringLiteral(VISTREL_FORMATTER_GOLDEN_DIR);
const QString kShippedStyle = QStringLiteral(":/defaults/STYLES/THUMBS/");

std::vector<std::string> GoldenCases() {
  std::vector<std::string> cases;
  for (const QString& name :
       QDir(kGoldenDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    cases.push_back(name.toStdString());
  return cases;
}

QByteArray FormatBytes(const QByteArray& input, const Style& style) {
  const DecodedText decoded = DecodeText(input);
  return EncodeText(FormatSelection(PlainTextEditor(decoded.text), style), decoded.encoding);
}

class GoldenFormat : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenFormat, OutputMatchesTheExpectedBytesAndIsStable) {
  const QString name = QString::fromStdString(GetParam());
  const QString folder = kGoldenDir + QLatin1Char('/') + name + QLatin1Char('/');
  QByteArray input;
  QByteArray expected;
  ASSERT_TRUE(ReadWholeFile(folder + QStringLiteral("input.htm"), &input));
  ReadWholeFile(folder + QStringLiteral("expected.htm"), &expected);  // a new case has none yet
  const Style style =
      LoadStyleFolder(name.startsWith(QLatin1String("default-")) ? kShippedStyle : folder);
  const QByteArray actual = FormatBytes(input, style);
  const QString actualPath = folder + QStringLiteral("actual.htm");
  if (actual != expected) {
    WriteFileAtomically(actualPath, actual);
    FAIL() << "output differs from expected.htm; see " << actualPath.toStdString();
  }
  QFile::remove(actualPath);
  if (!QFile::exists(folder + QStringLiteral("unstable"))) {
    EXPECT_EQ(FormatBytes(actual, style), actual);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenFormat, ::testing::ValuesIn(GoldenCases()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string id = info.param;
                           for (char& c : id)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return id;
                         });

}  // namespace
}  // namespace vistrel
