#include "formatter/line_formatter.h"

#include <gtest/gtest.h>

#include "formatter_fixture.h"

namespace vistrel {
namespace {

using testing::FormattedLines;
using testing::L;
using testing::StyleFrom;
using namespace Qt::StringLiterals;

TEST(FormatterExample, TableWithCountedStartCommentAndUndescribedCells) {
  const Style style =
      StyleFrom("[OPTIONS]\nSpacing=4\nLineSize=80\n",
                "[table]\nTagOpen=<TABLE>\nTagClose=</TABLE>\nisContentIndent=1\n"
                "DoGenerateSComment=1\nStartComment=Table\nCommentSymbol=*\nEnableCounter=1\n"
                "[row]\nTagOpen=<TR>\nTagClose=</TR>\nisContentIndent=1\n");
  EXPECT_EQ(FormattedLines(style, u"<table><tr><td>A</td></tr></table>"_s),
            L({u"<!--~************ Table1 ************~-->", u"<TABLE>", u"    <TR>", u"\t<TD>",
               u"\tA", u"\t</TD>", u"    </TR>", u"</TABLE>"}));
}

TEST(FormatterIndent, LevelsBecomeTabsPerEightColumnsThenSpaces) {
  const QByteArray tags = "[div]\nTagOpen=<DIV>\nTagClose=</DIV>\nisContentIndent=1\n";
  EXPECT_EQ(FormattedLines(StyleFrom("[OPTIONS]\nSpacing=3\n", tags), u"<div><div><div><p>"_s),
            L({u"<DIV>", u"   <DIV>", u"      <DIV>", u"\t <P>"}));
  EXPECT_EQ(FormattedLines(StyleFrom("[OPTIONS]\nSpacing=4\n", tags), u"<div><div><div>x"_s),
            L({u"<DIV>", u"    <DIV>", u"\t<DIV>", u"\t    x"}));
}

TEST(FormatterIndent, SelfIndentCoversTheTagLinesAndStrayClosersCannotGoBelowZero) {
  const Style style = StyleFrom({},
                                "[s]\nTagOpen=<S>\nTagClose=</S>\nisSelfIndent=1\n"
                                "[div]\nTagOpen=<DIV>\nTagClose=</DIV>\nisContentIndent=2\n");
  EXPECT_EQ(FormattedLines(style, u"<s>x</s>y"_s), L({u"    <S>", u"    x", u"    </S>", u"y"}));
  EXPECT_EQ(FormattedLines(style, u"</div></s><p>"_s), L({u"</DIV>", u"</S>", u"<P>"}));
  // A decrease larger than the level is skipped, not clipped.
  EXPECT_EQ(FormattedLines(style, u"<s></div>x"_s), L({u"    <S>", u"    </DIV>", u"    x"}));
}

TEST(FormatterEmptyLines, LeadingAndFollowedAskForOneLineFewer) {
  const Style style =
      StyleFrom({},
                "[div]\nTagOpen=<DIV>\nTagClose=</DIV>\nCRLFLeading=3\nCRLFFollowed=2\n"
                "[p]\nTagOpen=<P>\nTagClose=</P>\nCRLFLeading=1\n");
  EXPECT_EQ(FormattedLines(style, u"x<div>y</div>z<p>w</p>"_s),
            L({u"x", u"", u"", u"<DIV>", u"y", u"</DIV>", u"", u"z", u"<P>", u"w", u"</P>"}));
}

TEST(FormatterBreaking, CutsOnlyAtBlanksBeyondTheLineSize) {
  const Style style = StyleFrom("[OPTIONS]\nLineSize=20\n", {});
  EXPECT_EQ(FormattedLines(style, u"The quick brown fox jumps over the lazy dog"_s),
            L({u"The quick brown fox", u"jumps over the lazy dog"}));
  const QString word(200, u'w');
  EXPECT_EQ(FormattedLines(style, word), QStringList{word});
  EXPECT_EQ(FormattedLines(style, u"a "_s + word + u" b"_s), L({u"a"}) << word << u"b"_s);
  // The blank that ends a text before a tag counts, though it is not written.
  EXPECT_EQ(FormattedLines(style, u"The quick brown fox jumps over the lazy dog <p>"_s),
            L({u"The quick brown fox", u"jumps over the lazy", u"dog", u"<P>"}));
  EXPECT_EQ(FormattedLines(StyleFrom("[OPTIONS]\nLineSize=8\n", {}), u"aaaa bbb <p>aaaa bbb"_s),
            L({u"aaaa", u"bbb", u"<P>", u"aaaa bbb"}));
  // Characters, not UTF-16 units, are counted.
  const QString face = QString::fromUtf16(u"\U0001F600");
  const QString twenty = face.repeated(10) + u" "_s + face.repeated(9);
  EXPECT_EQ(FormattedLines(style, twenty), QStringList{twenty});
}

TEST(FormatterBreaking, TheExcluderProtectsQuotesOrTheInsidesOfTags) {
  const QByteArray tags = "[a]\nTagOpen=<A>\nTagClose=</A>\nTreatAsText=1\n";
  const QString line = u"go <A HREF=a b c d e f>link</A> now"_s;
  EXPECT_EQ(FormattedLines(StyleFrom("[OPTIONS]\nLineSize=10\nBreakExcluder=<>\n", tags), line),
            L({u"go", u"<A HREF=a b c d e f>link</A>", u"now"}));
  EXPECT_EQ(FormattedLines(StyleFrom("[OPTIONS]\nLineSize=10\n", tags), line),
            L({u"go <A", u"HREF=a b", u"c d e", u"f>link</A>", u"now"}));
  const QString quoted = u"aaaa \"b b b b b b b b b b\" cc dd"_s;
  EXPECT_EQ(FormattedLines(StyleFrom("[OPTIONS]\nLineSize=10\nBreakExcluder=\"\n", {}), quoted),
            L({u"aaaa", u"\"b b b b b b b b b b\"", u"cc dd"}));
  EXPECT_EQ(FormattedLines(StyleFrom("[OPTIONS]\nLineSize=10\nBreakExcluder=<>\n", {}), quoted),
            L({u"aaaa \"b b", u"b b b b b", u"b b b\" cc dd"}));
}

TEST(FormatterComments, PaddingNumberingAndPlacement) {
  const Style style =
      StyleFrom({},
                "[table]\nTagOpen=<TABLE>\nTagClose=</TABLE>\nDoGenerateSComment=1\n"
                "DoGenerateEComment=1\nStartComment=Table\nEndComment=End\nCommentSymbol=*\n"
                "EnableCounter=1\nisContentIndent=1\n"
                "[hr]\nTagOpen=<HR>\nDoGenerateSComment=1\nCommentSymbol=#\nCindent=0\n"
                "CommentLength=9\n[ul]\nTagOpen=<UL>\nDoGenerateSComment=1\n");
  EXPECT_EQ(
      FormattedLines(style, u"<table><table><hr></table></table><table></table>"_s),
      L({u"<!--~************ Table1 ************~-->", u"<TABLE>",
         u"    <!--~************ Table2 ************~-->", u"    <TABLE>", u"<!--~~-->", u"\t<HR>",
         u"    </TABLE>", u"    <!--~************* End2 *************~-->", u"</TABLE>",
         u"<!--~************* End1 *************~-->", u"<!--~************ Table3 ************~-->",
         u"<TABLE>", u"</TABLE>", u"<!--~************* End3 *************~-->"}));
  // No text: the fills alone; the number is not shown but still takes its room.
  const Style plain =
      StyleFrom({}, "[t]\nTagOpen=<T>\nDoGenerateSComment=1\nCommentSymbol=*\nEnableCounter=1\n");
  EXPECT_EQ(FormattedLines(plain, u"<t>"_s),
            QStringList({u"<!--~"_s + QString(28, u'*') + u"~-->"_s, u"<T>"_s}));
  // A symbol-less section with the default length and an empty text.
  EXPECT_EQ(FormattedLines(style, u"<ul>"_s), L({u"<!--~~-->", u"<UL>"}));
}

TEST(FormatterComments, DisabledCommentsWriteNothing) {
  const Style style = StyleFrom("[OPTIONS]\nDoDisableComments=1\n",
                                "[t]\nTagOpen=<TABLE>\nTagClose=</TABLE>\nDoGenerateSComment=1\n"
                                "DoGenerateEComment=1\nStartComment=T\nEndComment=E\n");
  EXPECT_EQ(FormattedLines(style, u"<table></table>"_s), L({u"<TABLE>", u"</TABLE>"}));
}

TEST(FormatterInline, InlineTagsGetCommentsAndLinesOnlyWhenTheyBreakTheText) {
  const Style style =
      StyleFrom({},
                "[h1]\nTagOpen=<H1>\nTagClose=</H1>\nTreatAsText=1\nCRLFLeading=1\n"
                "CRLFFollowed=2\nDoGenerateSComment=1\nDoGenerateEComment=1\n"
                "StartComment=H\nEndComment=/H\n"
                "[b]\nTagOpen=<B>\nTagClose=</B>\nTreatAsText=1\nDoGenerateSComment=1\n"
                "DoGenerateEComment=1\nStartComment=B\n");
  EXPECT_EQ(FormattedLines(style, u"a <h1>T</h1> b <b>c</b> d"_s),
            L({u"a", u"<!--~ H ~-->", u"<H1>T</H1>", u"<!--~ /H ~-->", u"", u"b <B>c</B> d"}));
  EXPECT_EQ(FormattedLines(style, u"<b>c</b>"_s), L({u"<B>c</B>"}));
}

TEST(FormatterBlocks, VerbatimBlocksKeepTheirLinesAtTheLeftMarginLessTrailingBlanks) {
  const Style style = StyleFrom({}, "[div]\nTagOpen=<DIV>\nTagClose=</DIV>\nisContentIndent=1\n");
  EXPECT_EQ(
      FormattedLines(style, u"<div>\n   <pre>  a  \n\t b \t\n### c</pre>\n<!-- x -->  \n</div>"_s),
      L({u"<DIV>", u"<pre>  a", u"\t b \t", u"### c</pre>", u"<!-- x -->", u"</DIV>"}));
  EXPECT_EQ(FormattedLines(style, u"<script>a;  \n \n  b;   </script><style> \n</style>"_s),
            L({u"<script>a;", u"", u"  b;   </script>", u"<style>", u"</style>"}));
  // Text that merely looks like a marker is text.
  EXPECT_EQ(FormattedLines(style, u"<div>### notes\n###</div>"_s),
            L({u"<DIV>", u"    ### notes ###", u"</DIV>"}));
}

TEST(FormatterBlocks, TagsOnlyCellsAreIndentedAndCommentedLikeTheirTag) {
  const Style style =
      StyleFrom({},
                "[tr]\nTagOpen=<TR>\nTagClose=</TR>\nisContentIndent=1\n"
                "[td]\nTagOpen=<TD>\nTagClose=</TD>\nisSelfIndent=1\nisContentIndent=5\n"
                "DoGenerateSComment=1\nStartComment=Cell\nCommentSymbol=-\nCommentLength=20\n"
                "CRLFFollowed=2\n");
  EXPECT_EQ(FormattedLines(style, u"<tr><td><img></td></tr>"_s),
            L({u"<TR>", u"\t<!--~--- Cell ---~-->", u"\t<TD><IMG></TD>", u"", u"</TR>"}));
}

}  // namespace
}  // namespace vistrel
