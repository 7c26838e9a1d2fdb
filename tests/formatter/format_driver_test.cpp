#include "formatter/format_driver.h"

#include <gtest/gtest.h>

#include "formatter/line_formatter.h"
#include "formatter_fixture.h"

namespace vistrel {
namespace {

using testing::FormattedLines;
using testing::StyleFrom;
using namespace Qt::StringLiterals;

const QByteArray kCommentedTags =
    "[div]\nTagOpen=<DIV>\nTagClose=</"
    "DIV>\nisContentIndent=1\nDoGenerateSComment=1\nDoGenerateEComment=1\n"
    "StartComment=Div\nEndComment=/Div\nCommentSymbol=*\nEnableCounter=1\n"
    "[p]\nTagOpen=<P>\nTagClose=</P>\nCRLFLeading=2\n"
    "[td]\nTagOpen=<TD>\nTagClose=</TD>\nDoGenerateSComment=1\nCommentSymbol=-\nCommentLength=12\n";

TEST(FormatDriver, BaseIndentPrefixesIndentedLinesButNotBlocksOrEmptyLines) {
  const Style style = StyleFrom({}, kCommentedTags);
  const QString text = u"  <div><p>text</p>\n<pre>a\n b</pre><td><img></td></div>"_s;
  EXPECT_EQ(FormatSelection(PlainTextEditor(text), style),
            u"  <!--~************* Div1 *************~-->\r\n"
            "  <DIV>\r\n"
            "\r\n"
            "      <P>\r\n"
            "      text\r\n"
            "      </P>\r\n"
            "<pre>a\r\n"
            " b</pre>\r\n"
            "      <!--~--~-->\r\n"
            "      <TD><IMG></TD>\r\n"
            "  </DIV>\r\n"
            "  <!--~************ /Div1 ************~-->\r\n"_s);
}

TEST(FormatDriver, BaseIndentComesFromTheLineWhereTheSelectionStarts) {
  const Style style = StyleFrom({}, {});
  const QString text = u"<html>\n\t <body>\n<p>x"_s;
  const PlainTextEditor fromSecondLine(text, text.indexOf(u"<body>"_s), 100);
  EXPECT_EQ(BaseIndentOf(fromSecondLine), u"\t "_s);
  EXPECT_EQ(FormatSelection(fromSecondLine, style), u"\t <BODY>\r\n\t <P>\r\n\t x\r\n"_s);
  EXPECT_EQ(BaseIndentOf(PlainTextEditor(u"x\n  y"_s)), QString());
}

TEST(FormatDriver, LineEndsOfTheSourceDoNotMatterAndEveryLineEndsWithCrLf) {
  const Style style = StyleFrom({}, kCommentedTags);
  const QString lf = u"<div>\n<pre>a\n\nb</pre>\nsome text\n</div>\n"_s;
  QString crlf = lf;
  crlf.replace(u"\n"_s, u"\r\n"_s);
  const QString result = FormatSelection(PlainTextEditor(lf), style);
  EXPECT_EQ(FormatSelection(PlainTextEditor(crlf), style), result);
  EXPECT_TRUE(result.endsWith(u"~-->\r\n"_s));
  EXPECT_FALSE(result.contains(u"\r\r"_s));
  EXPECT_EQ(result.count(u"\r\n"_s), result.count(u'\n'));
  // A CR without its LF is a character of the text.
  EXPECT_EQ(FormattedLines(style, u"a\rb"_s), QStringList{u"a\rb"_s});
}

TEST(FormatDriver, EmptyOrBlankSelectionsGiveAnEmptyResult) {
  const Style style = StyleFrom({}, kCommentedTags);
  EXPECT_EQ(FormatSelection(PlainTextEditor(QString()), style), QString());
  EXPECT_EQ(FormatSelection(PlainTextEditor(u" \r\n\t\n"_s), style), QString());
  EXPECT_EQ(FormatSelection(PlainTextEditor(u"<p>abc</p>"_s, 3, 0), style), QString());
}

TEST(FormatDriver, ReformattingReplacesGeneratedCommentsAndRestartsTheirNumbers) {
  const Style style = StyleFrom("[OPTIONS]\nLineSize=20\n", kCommentedTags);
  const QString source =
      u"<div><div>Some words that are long enough to be broken </div></div><div><!-- mine --></div>"_s;
  // The text ends in a blank, as it does when formatted again, so it breaks the same way.
  const QString once = FormatSelection(PlainTextEditor(source), style);
  EXPECT_EQ(once.count(u"<!--~"_s), 6);
  EXPECT_TRUE(once.contains(u" Div3 "_s));
  const QString twice = FormatSelection(PlainTextEditor(once), style);
  EXPECT_EQ(twice, once);
  // Every run starts its own counters, so runs never see each other's state.
  EXPECT_EQ(FormatSelection(PlainTextEditor(source), style), once);
}

TEST(FormatDriver, AFormattedTextCanChangeWhenFormattedAgain) {
  // Text that met a tag first meets a line end the second time: the blank it brings counts.
  const Style style = StyleFrom("[OPTIONS]\nLineSize=20\n", {});
  const QString once = FormatSelection(
      PlainTextEditor(u"<p>The quick brown fox jumps over the lazy dog</p>"_s), style);
  EXPECT_EQ(once, u"<P>\r\nThe quick brown fox\r\njumps over the lazy dog\r\n</P>\r\n"_s);
  EXPECT_EQ(FormatSelection(PlainTextEditor(once), style),
            u"<P>\r\nThe quick brown fox\r\njumps over the lazy\r\ndog\r\n</P>\r\n"_s);
  // A name behind a blank keeps its case until the blank is gone.
  const QString tag = FormatSelection(PlainTextEditor(u"< b c>"_s), style);
  EXPECT_EQ(tag, u"<b c>\r\n"_s);
  EXPECT_EQ(FormatSelection(PlainTextEditor(tag), style), u"<B c>\r\n"_s);
}

TEST(FormatDriver, ProgressRunsOverTheSourceAndEndsAtZero) {
  const Style style = StyleFrom({}, {});
  QString source;
  for (int i = 0; i < 500; ++i) source += u"<p>paragraph text</p>\n"_s;
  std::vector<std::pair<qint64, qint64>> reports;
  RunHooks hooks;
  hooks.progress = [&](qint64 range, qint64 position) { reports.emplace_back(range, position); };
  FormatSelection(PlainTextEditor(source), style, hooks);
  ASSERT_GT(reports.size(), 10u);
  for (const auto& report : reports) {
    EXPECT_EQ(report.first, source.size());
    EXPECT_LE(report.second, source.size());
  }
  EXPECT_EQ(reports.back().second, 0);
  EXPECT_TRUE(std::any_of(reports.begin(), reports.end(),
                          [&](const auto& r) { return r.second == source.size(); }));
  // Formatting runs along with the cutting into tokens: one pass forward, then 0.
  for (size_t i = 1; i + 1 < reports.size(); ++i)
    EXPECT_GE(reports[i].second, reports[i - 1].second) << "report " << i;
}

TEST(FormatDriver, TheUserInterfaceBreathesAtMostEveryTwentyMilliseconds) {
  const Style style = StyleFrom({}, kCommentedTags);
  QString source;
  for (int i = 0; i < 15000; ++i) source += u"<div><p>a few words <b>of</b> text</p></div>\n"_s;
  // A clock that moves one millisecond each time it is read.
  qint64 now = 0;
  std::vector<qint64> calls;
  RunHooks hooks;
  hooks.clockMs = [&] { return ++now; };
  hooks.breathe = [&] { calls.push_back(now); };
  const QString result = FormatSelection(PlainTextEditor(source), style, hooks);
  EXPECT_FALSE(result.isEmpty());
  ASSERT_GT(calls.size(), 10u);
  for (size_t i = 1; i < calls.size(); ++i)
    EXPECT_GE(calls[i] - calls[i - 1], RunPacer::kBreatheIntervalMs) << "call " << i;
}

TEST(FormatDriverHostileInput, NestingAndBaseIndentCannotMultiplyTheOutput) {
  const Style style = StyleFrom("[OPTIONS]\nSpacing=8\n", kCommentedTags);
  QString nested = QString(5000, u' ');
  for (int i = 0; i < 5000; ++i) nested += u"<div>"_s;
  const QString result = FormatSelection(PlainTextEditor(nested), style);
  qsizetype widest = 0;
  for (const QString& line : result.split(u"\r\n"_s)) widest = std::max(widest, line.size());
  EXPECT_LE(widest, 2 * LineFormatter::kMaxIndentColumns + 64);
  EXPECT_TRUE(result.contains(QString(LineFormatter::kMaxIndentColumns / 8, u'\t') + u"<DIV>"_s));
}

TEST(FormatDriverHostileInput, OddCharactersAndCutOffInputFormatWithoutLoss) {
  const Style style = StyleFrom({}, kCommentedTags);
  const QString lone = QString(QChar(0xD800)) + u"x"_s;
  const QString odd = u"a\u0000b<p\u0000>"_s + lone + u"</p"_s;
  EXPECT_EQ(FormattedLines(style, odd),
            QStringList({u"a\u0000b"_s, u""_s, u"<P\u0000>"_s, lone, u"</P>"_s}));
  EXPECT_EQ(FormattedLines(style, u"<"_s), QStringList{u"<>"_s});
  EXPECT_EQ(FormattedLines(style, u"<td"_s), QStringList({u"<!--~--~-->"_s, u"<TD>"_s}));
}

}  // namespace
}  // namespace vistrel
