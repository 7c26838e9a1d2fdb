#include "formatter/tokeniser.h"

#include <gtest/gtest.h>

#include "formatter_fixture.h"

namespace vistrel {
namespace {

using testing::L;
using testing::StyleFrom;
using testing::TokensOf;
using namespace Qt::StringLiterals;

const QByteArray kInlineTags =
    "[bold]\nTagOpen=<B>\nTagClose=</B>\nTreatAsText=1\n"
    "[heading]\nTagOpen=<H1>\nTagClose=</H>\nTreatAsText=1\nCRLFLeading=1\nCRLFFollowed=1\n";

TEST(TokeniserText, LineBreaksAndBlanksOfTheSourceCollapse) {
  const Style style = StyleFrom({}, {});
  EXPECT_EQ(TokensOf(style, u"<p>Hello\n   world</p>"_s), L({u"<P>", u"Hello world", u"</P>"}));
  EXPECT_EQ(TokensOf(style, u"<p>  \n\t <p>"_s), L({u"<P> ", u"<P>"}));  // blanks alone: no line
  EXPECT_EQ(TokensOf(style, u"\n\n  a\tb \n"_s), L({u"a b "}));
  EXPECT_EQ(TokensOf(style, u"<br>x"_s), L({u"<BR>", u"x"}));
  EXPECT_EQ(TokensOf(style, u""_s), QStringList());
}

TEST(TokeniserTags, OrdinaryTagsAreNormalisedAndKeepOneSpaceUnlessListed) {
  const Style style = StyleFrom({}, {});
  EXPECT_EQ(TokensOf(style, u"<img src=a.gif> x"_s), L({u"<IMG src=a.gif> ", u"x"}));
  EXPECT_EQ(TokensOf(style, u"</p> x"_s), L({u"</P>", u"x"}));
  EXPECT_EQ(TokensOf(style, u"<td> x </td>"_s), L({u"<TD>", u"x ", u"</TD>"}));
  EXPECT_EQ(TokensOf(style, u"< td  width=3 >"_s),
            L({u"<td width=3>"}));  // the name starts after the blank
  EXPECT_EQ(TokensOf(style, u"<<a\n\thref=\"X\">>"_s), L({u"<A href=\"X\">", u">"}));
  // A "<" in text starts a tag that reaches to the next ">", or to the end.
  EXPECT_EQ(TokensOf(style, u"a < b > c"_s), L({u"a ", u"<b> ", u"c"}));
  EXPECT_EQ(TokensOf(style, u"x <p"_s), L({u"x ", u"<P>"}));
  EXPECT_EQ(TokensOf(style, u"<"_s), L({u"<>"}));
}

TEST(TokeniserTags, TagCaseChangesOnlyTheName) {
  EXPECT_EQ(
      TokensOf(StyleFrom("[OPTIONS]\nTagCase=2\n", {}), u"<DIV\u00c4\u00d6\u00dc CLASS=\u00c4>"_s),
      L({u"<div\u00e4\u00f6\u00fc CLASS=\u00c4>"}));
  EXPECT_EQ(TokensOf(StyleFrom("[OPTIONS]\nTagCase=1\n", {}), u"<div\u00e4 class=x>"_s),
            L({u"<DIV\u00e4 class=x>"}));
  EXPECT_EQ(TokensOf(StyleFrom("[OPTIONS]\nTagCase=3\n", {}), u"<dIv class=x>"_s),
            L({u"<dIv class=x>"}));
}

TEST(TokeniserInline, InlineTagsStayInTheTextUnlessTheyAskForTheirOwnLine) {
  const Style style = StyleFrom({}, kInlineTags);
  EXPECT_EQ(TokensOf(style, u"<b>bold</b> text"_s), L({u"<B>bold</B> text"}));
  EXPECT_EQ(TokensOf(style, u"a <b>b</b>\n<br>c"_s), L({u"a <B>b</B> ", u"<BR>", u"c"}));
  EXPECT_EQ(TokensOf(style, u"text <h1>Title</h1> more"_s),
            L({u"text ", u"<H1>Title</H1>", u"more"}));
}

TEST(TokeniserBlocks, VerbatimBlocksAreStoredUnchangedAndNumberedInOneSeries) {
  const Style style = StyleFrom({}, {});
  EXPECT_EQ(TokensOf(style, u"<pre>  a\n\tb</pre>"_s),
            L({u"[<PRE>:1]", u"| <pre>  a", u"| \tb</pre>"}));
  EXPECT_EQ(TokensOf(style, u"<p><!-- a\n \n--><Script>x<y</SCRIPT >z"_s),
            L({u"<P>", u"[<!--:1]", u"| <!-- a", u"| ", u"| -->", u"[<SCRIPT>:2]",
               u"| <Script>x<y</SCRIPT >", u"z"}));
  // Without its closer a block reaches to the end of the source.
  EXPECT_EQ(TokensOf(style, u"<style>a{}\nb{}\n"_s),
            L({u"[<STYLE>:1]", u"| <style>a{}", u"| b{}"}));
  EXPECT_EQ(TokensOf(style, u"<textarea>\n</textarea"_s),
            L({u"[<TEXTAREA>:1]", u"| <textarea>", u"| </textarea"}));
}

TEST(TokeniserBlocks, GeneratedCommentsVanishButAuthorsCommentsStay) {
  const Style style = StyleFrom({}, {});
  EXPECT_EQ(TokensOf(style, u"a<!--~ Table ~-->b"_s), L({u"a", u"b"}));
  EXPECT_EQ(TokensOf(style, u"<p>\n  <!--~*** Table1 ***~-->\n<p>"_s), L({u"<P> ", u"<P>"}));
  // An author's comment that merely starts like a generated one is kept whole, and so is
  // everything after it.
  EXPECT_EQ(TokensOf(style, u"<!--~ note --><p>keep</p><!--~~-->"_s),
            L({u"[<!--:1]", u"| <!--~ note -->", u"<P>", u"keep", u"</P>"}));
  EXPECT_EQ(TokensOf(style, u"<!--~ open\n<p>"_s), L({u"[<!--:1]", u"| <!--~ open", u"| <p>"}));
}

TEST(TokeniserCells, OnlyCellsWithNothingButTagsAreKeptAsOneLine) {
  const Style style = StyleFrom({}, {});
  EXPECT_EQ(TokensOf(style, u"<td><img src=x.gif>\n\t<br></td>"_s),
            L({u"<TD>", u"<IMG src=x.gif> ", u"<BR>", u"</TD>"}));
  EXPECT_EQ(TokensOf(style, u"<td>\n <img src=x.gif><br></td >x"_s),
            L({u"[<TD>:1]", u"| <TD> <IMG src=x.gif><BR></TD >", u"x"}));
  EXPECT_EQ(TokensOf(style, u"<tr><td><a\thref=x><img></a></td></tr>"_s),
            L({u"<TR>", u"[<TD>:1]", u"| <TD><A href=x><IMG></A></TD>", u"</TR>"}));
  // The nearest closing cell tag ends the search, so an outer cell of a nested table holds text.
  EXPECT_EQ(
      TokensOf(style, u"<td><table><tr><td>x</td></tr></table></td>"_s),
      L({u"<TD>", u"<TABLE>", u"<TR>", u"<TD>", u"x", u"</TD>", u"</TR>", u"</TABLE>", u"</TD>"}));
}

TEST(TokeniserCells, CellScansStayLinearWhenClosersNeverCome) {
  // Thousands of cells without a closer must neither rescan the rest nor lose text.
  QString source;
  for (int i = 0; i < 20000; ++i) source += u"<td><b>"_s;
  source += u"x"_s;
  const QStringList tokens = TokensOf(StyleFrom({}, {}), source);
  ASSERT_EQ(tokens.size(), 40001);
  EXPECT_EQ(tokens.last(), u"x"_s);
  QString tagsOnly;
  for (int i = 0; i < 20000; ++i) tagsOnly += u"<td><img>"_s;
  const QStringList cells = TokensOf(StyleFrom({}, {}), tagsOnly);
  ASSERT_EQ(cells.size(), 2);  // one cell reaching to the end, since "</TD" never comes
  EXPECT_EQ(cells.at(0), u"[<TD>:1]"_s);
  EXPECT_EQ(cells.at(1).size(), tagsOnly.size() + 2);
}

}  // namespace
}  // namespace vistrel
