#include "editor/coloured_rtf.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "editor/colour_scanner.h"

namespace vistrel {
namespace {

const QByteArray kPrefix =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS SansSerif;}"
    "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fmodern Courier New;}}\r\n"
    "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green0\\blue0;"
    "\\red0\\green128\\blue128;}\r\n\\deflang1033\\pard\\plain\\f2\\fs18\\cf0 ";

QByteArray Body(const QString& text, TextEncoding encoding = TextEncoding::kLatin1) {
  const QByteArray rtf = BuildColouredRtf(text, ColourScheme(), encoding);
  if (!rtf.startsWith(kPrefix)) return "<bad prefix> " + rtf;
  return rtf.mid(kPrefix.size());
}

TEST(ColouredRtf, TextTagAndQuotedValueSwitchColours) {
  EXPECT_EQ(Body(QStringLiteral("a<b c=\"d\">e")), "\\cf0 a\\cf1 <b c=\\cf2 \"d\"\\cf1 >\\cf0 e}");
  EXPECT_EQ(Body(QStringLiteral("<a><b>")), "\\cf1 <a>\\cf1 <b>}");
  EXPECT_EQ(Body(QStringLiteral("<a \"x\"\"y\">")),
            "\\cf1 <a \\cf2 \"x\"\\cf1 \\cf2 \"y\"\\cf1 >}");
}

TEST(ColouredRtf, EmptyTextGivesNothingAndPlainTextOneRun) {
  EXPECT_TRUE(BuildColouredRtf(QString(), ColourScheme()).isEmpty());
  EXPECT_EQ(Body(QStringLiteral("say \"hi\" 'x'")), "\\cf0 say \"hi\" 'x'}");
}

TEST(ColouredRtf, EscapesBracesAndBackslashesEverywhere) {
  EXPECT_EQ(Body(QStringLiteral("x\\{y}")), "\\cf0 x\\\\\\{y\\}}");
  EXPECT_EQ(Body(QStringLiteral("<a \"{\\}\"><!--}-->")),
            "\\cf1 <a \\cf2 \"\\{\\\\\\}\"\\cf1 >\\cf3 <!--\\}-->\\cf0 }");
}

TEST(ColouredRtf, EveryLineBreakStyleIsOneParagraph) {
  EXPECT_EQ(Body(QStringLiteral("a\r\nb\rc\nd\n\re")),
            "\\cf0 a\r\n\\par b\r\n\\par c\r\n\\par d\r\n\\par \r\n\\par e}");
  EXPECT_EQ(Body(QStringLiteral("<a\r\nb=\"1\r\n2\">")),
            "\\cf1 <a\r\n\\par b=\\cf2 \"1\r\n\\par 2\"\\cf1 >}");
}

TEST(ColouredRtf, CommentsIncludingTheShortestAndUnclosedOnes) {
  EXPECT_EQ(Body(QStringLiteral("<!-- <b> -->x")), "\\cf3 <!-- <b> -->\\cf0 \\cf0 x}");
  EXPECT_EQ(Body(QStringLiteral("<!-->x")), "\\cf3 <!-->\\cf0 \\cf0 x}");
  EXPECT_EQ(Body(QStringLiteral("<!-- open <a>")), "\\cf3 <!-- open <a>\\cf0 }");
  EXPECT_EQ(Body(QStringLiteral("<!-x>")), "\\cf1 <!-x>}");
  EXPECT_EQ(Body(QStringLiteral("<!DOCTYPE html>")), "\\cf1 <!DOCTYPE html>}");
  EXPECT_EQ(Body(QStringLiteral("<!--")), "\\cf3 <!--\\cf0 }");
}

TEST(ColouredRtf, UnclosedTagsAndQuotesEndAtTheNextMarkup) {
  EXPECT_EQ(Body(QStringLiteral("<a<b>")), "\\cf1 <a\\cf1 <b>}");
  EXPECT_EQ(Body(QStringLiteral("<a text")), "\\cf1 <a text}");
  EXPECT_EQ(Body(QStringLiteral("<a \"x<b>")), "\\cf1 <a \\cf2 \"x\\cf1 \\cf1 <b>}");
  EXPECT_EQ(Body(QStringLiteral("<a \"x>y")), "\\cf1 <a \\cf2 \"x\\cf1 >\\cf0 y}");
  EXPECT_EQ(Body(QStringLiteral("<a \"x")), "\\cf1 <a \\cf2 \"x\\cf1 }");
  EXPECT_EQ(Body(QStringLiteral("<")), "\\cf1 <}");
}

TEST(ColouredRtf, HighCharactersAreTheirBytesInTheChosenEncoding) {
  const QString text = QString::fromUtf8("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");  // é € 😀
  EXPECT_EQ(Body(text, TextEncoding::kUtf8), "\\cf0 \xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80}");
  EXPECT_EQ(Body(text, TextEncoding::kLatin1), "\\cf0 \xe9\\u8364?\\u-10179?\\u-8704?}");
  EXPECT_EQ(Body(QString(QChar(0)) + u'\t'), QByteArray("\\cf0 \0\t}", 8));
}

TEST(ColouredRtf, ColourTableFollowsTheScheme) {
  ColourScheme scheme{0x010203, 0xC0C0C0, 0xFFFFFF, 0x00007F};
  const QByteArray rtf = BuildColouredRtf(u"x", scheme);
  EXPECT_TRUE(
      rtf.contains("{\\colortbl\\red3\\green2\\blue1;\\red192\\green192\\blue192;"
                   "\\red255\\green255\\blue255;\\red127\\green0\\blue0;}"))
      << rtf.constData();
}

// Random markup-heavy text: the runs tile the text exactly, and the RTF body with its
// control words removed gives the text back, so nothing is lost or duplicated.
TEST(ColouredRtf, RandomTextIsCoveredAndRecoverable) {
  const char16_t alphabet[] = u"<>!-\"'ab \r\n\\{}\x00e9";
  QRandomGenerator random(1234);
  for (int round = 0; round < 2000; ++round) {
    QString text;
    const int length = random.bounded(40);
    for (int i = 0; i < length; ++i)
      text += QChar(alphabet[random.bounded(int(std::size(alphabet)) - 1)]);
    qsizetype next = 0;
    for (const ColourRun& run : ScanColourRuns(text)) {
      ASSERT_EQ(run.start, next) << text.toStdString();
      ASSERT_GT(run.length, 0);
      next += run.length;
    }
    ASSERT_EQ(next, text.size());

    QByteArray body = Body(text);
    if (text.isEmpty()) continue;
    ASSERT_TRUE(body.endsWith('}'));
    body.chop(1);
    QByteArray plain;
    for (qsizetype i = 0; i < body.size(); ++i) {
      if (body[i] == '\\' && i + 1 < body.size() && QByteArray("\\{}").contains(body[i + 1])) {
        plain += body[++i];
      } else if (body.mid(i, 5) == "\\par " ||
                 (body.mid(i, 3).startsWith("\\cf") && body.size() > i + 4)) {
        i += 4;
      } else if (body[i] != '\r' && body[i] != '\n') {
        plain += body[i];
      }
    }
    QString expected = text;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).remove(u'\r').remove(u'\n');
    ASSERT_EQ(QString::fromLatin1(plain), expected) << text.toStdString();
  }
}

}  // namespace
}  // namespace vistrel
