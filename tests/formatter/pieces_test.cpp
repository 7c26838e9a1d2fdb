// Formatting in pieces (token lines handed over as they are made, output handed over in
// pieces) and the shortcuts of the hot loops must give exactly what a whole run gives.
#include <gtest/gtest.h>

#include "formatter/format_driver.h"
#include "formatter/line_formatter.h"
#include "formatter/name_cache.h"
#include "formatter/tokeniser.h"
#include "formatter_fixture.h"

namespace vistrel {
namespace {

using testing::FormattedLines;
using testing::L;
using testing::StyleFrom;
using testing::TokensOf;
using namespace Qt::StringLiterals;

const QByteArray kTags =
    "[div]\nTagOpen=<DIV>\nTagClose=</DIV>\nisContentIndent=1\nDoGenerateSComment=1\n"
    "DoGenerateEComment=1\nStartComment=Div\nEndComment=/Div\nEnableCounter=1\n"
    "[b]\nTagOpen=<B>\nTagClose=</B>\nTreatAsText=1\n"
    "[td]\nTagOpen=<TD>\nTagClose=</TD>\nDoGenerateSComment=1\nCommentLength=12\n";

// The run without pieces: the whole token stream, then the whole output.
QString WholeRun(const Style& style, const QString& source) {
  RunHooks hooks;
  RunPacer pacer(hooks);
  const TokenStream tokens = Tokeniser(source, style, pacer).Tokenise();
  return LineFormatter(style, QString(), pacer).FormatLines(tokens);
}

TEST(FormatInPieces, PiecesAreWholeLinesThatJoinToTheWholeRunsOutput) {
  const Style style = StyleFrom("[OPTIONS]\nLineSize=40\n", kTags);
  // Counted comments, blocks, tags-only cells, inline tags and surrogate pairs, many times
  // over, so that both the token stream and the output are handed over many times.
  QString source;
  for (int i = 0; i < 3000; ++i)
    source +=
        u"<div><p>Words \U0001F600 and <b>more words</b> to break, \"quoted words\" "
        u"too.</p><pre>  kept\n as is</pre><table><tr><td><i></i></td>"
        u"<td>text</td></tr></table><!-- note --></div>\n"_s;
  const QString whole = WholeRun(style, source);
  ASSERT_GT(whole.size(), 500000);
  EXPECT_EQ(FormatSelection(PlainTextEditor(source), style), whole);

  QString joined;
  int pieces = 0;
  bool wholeLines = true;
  FormatSelectionTo(PlainTextEditor(source), style, [&](QStringView piece) {
    ++pieces;
    wholeLines = wholeLines && piece.endsWith(u"\r\n");
    joined += piece;
  });
  EXPECT_GT(pieces, 10);
  EXPECT_TRUE(wholeLines);
  EXPECT_EQ(joined, whole);
  // The numbers of the last element show that the counters ran on over every piece.
  EXPECT_TRUE(whole.contains(u"Div3000 "_s));
}

TEST(FormatInPieces, AnEmptySourceHandsOverNothing) {
  const Style style = StyleFrom({}, kTags);
  int pieces = 0;
  FormatSelectionTo(PlainTextEditor(u"  \n "_s), style, [&](QStringView) { ++pieces; });
  EXPECT_EQ(pieces, 0);
}

TEST(ShortTagNames, ReadInPlaceAsTheNormalisedNameOrRefusedWhenTooLong) {
  const QString name31 = u"<"_s + QString(30, u'a');
  for (const QString& text : QStringList{
           u"<td width=1>"_s, u"</Td >"_s, u"<br/>"_s, u"<p"_s, u"<"_s, u"<!DOCTYPE html>"_s,
           u"<!-- x -->"_s, u"<!--~ x ~-->"_s, u"<h1>"_s, u"<\u00E4>"_s, name31 + u">"_s,
           name31 + u"a"_s, name31 + u"a>"_s, name31 + u"aa>"_s}) {
    ShortTagName name;
    const QString expected = TagName(text);
    if (name.Read(text)) {
      EXPECT_EQ(name.view().toString(), expected) << text.toStdString();
    } else {
      EXPECT_GT(expected.size(), ShortTagName::kCapacity) << text.toStdString();
    }
  }
}

TEST(ShortTagNames, LongAndUnrememberedNamesAreStillLookedUp) {
  const Style style = StyleFrom({}, kTags);
  // A name too long to remember is unknown like any other: it keeps the level it found.
  const QString longName = u"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ"_s;
  EXPECT_EQ(
      FormattedLines(style, u"<div><"_s + longName + u">x</"_s + longName + u"></div>"_s),
      QStringList({u"<!--~ Div1 ~-->"_s, u"<DIV>"_s, u"    <"_s + longName + u">"_s, u"    x"_s,
                   u"    </"_s + longName + u">"_s, u"</DIV>"_s, u"<!--~ /Div1 ~-->"_s}));
  // More different names than the tables remember: later names are found all the same.
  QString source;
  for (int i = 0; i < NameCache<int>::kMaxNames + 100; ++i)
    source += u"<x"_s + QString::number(i) + u">"_s;
  source += u"<div>a <b>b</b></div>"_s;
  const QStringList tokens = TokensOf(style, source);
  EXPECT_EQ(tokens.mid(tokens.size() - 3), L({u"<DIV>", u"a <B>b</B>", u"</DIV>"}));
  const QStringList lines = FormattedLines(style, source);
  EXPECT_EQ(lines.mid(lines.size() - 5),
            L({u"<!--~ Div1 ~-->", u"<DIV>", u"    a <B>b</B>", u"</DIV>", u"<!--~ /Div1 ~-->"}));
}

TEST(FastLoops, LineBreakingCountsCodePointsAndGuardsAcrossLongRuns) {
  const Style style = StyleFrom("[OPTIONS]\nLineSize=10\n", {});
  // Four pairs count four: the cut falls after "aa"; counted as units it would fall before.
  EXPECT_EQ(FormattedLines(style, u"\U0001F600\U0001F600\U0001F600\U0001F600 aa bb cc"_s),
            L({u"\U0001F600\U0001F600\U0001F600\U0001F600 aa", u"bb cc"}));
  // Quotes guard blanks however long the quoted run; tabs and CRs are no breaking blanks.
  EXPECT_EQ(FormattedLines(style, u"x=\"a b c d e f g h i j k\" y zzzzzzzzz w"_s),
            L({u"x=\"a b c d e f g h i j k\"", u"y", u"zzzzzzzzz w"}));
  const Style tags = StyleFrom("[OPTIONS]\nLineSize=10\nBreakExcluder=<>\n", {});
  EXPECT_EQ(FormattedLines(tags, u"ab <b c d e f g h i j> \"k l\" mmmmmmmmm n"_s),
            L({u"ab", u"<B c d e f g h i j>", u"\"k l\"", u"mmmmmmmmm n"}));
}

TEST(FastLoops, TextAndTagsCollapseBlanksAcrossLongRuns) {
  const Style style = StyleFrom({}, kTags);
  EXPECT_EQ(TokensOf(style,
                     u"\n  averylongwordwithoutblanks \t\n\r another<b   class=\"x  y\"\n>"
                     u"z</b>"_s),
            L({u"averylongwordwithoutblanks \r another<B class=\"x y\">z</B>"}));
}

}  // namespace
}  // namespace vistrel
