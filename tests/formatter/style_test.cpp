#include "formatter/style.h"

#include <gtest/gtest.h>

#include "formatter/tag_counters.h"
#include "formatter_fixture.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::StyleFrom;

TEST(StyleFiles, MissingFolderGivesTheDefaultsAndAnEmptyTable) {
  const Style style = LoadStyleFolder(QStringLiteral("/nonexistent/vistrel/style/"));
  EXPECT_EQ(style.options.LineSize, 80);
  EXPECT_EQ(style.options.Spacing, 4);
  EXPECT_FALSE(style.options.DoDisableComments);
  EXPECT_EQ(style.options.BreakExcluder, QStringLiteral("\""));
  EXPECT_EQ(style.options.TagCase, 1);
  EXPECT_EQ(style.tags.count(), 0);
  const TagTable::Lookup found = style.tags.LookupTag(QStringLiteral("<TABLE>"));
  EXPECT_EQ(found.record.tablePosition, 0);
  EXPECT_EQ(found.record.CommentSymbol, QStringLiteral("*"));
  EXPECT_EQ(found.record.CommentLength, 40);
  EXPECT_TRUE(found.record.Cindent);
}

TEST(StyleFiles, ProgramStyleIsThumbsBelowTheStylesFolder) {
  testing::TempFolder program;
  program.Write(QStringLiteral("STYLES/THUMBS/options.ini"), "[options]\nlinesize=33\n");
  const Style style = LoadStyle(program.path());
  EXPECT_EQ(style.name, QStringLiteral("THUMBS"));
  EXPECT_EQ(style.options.LineSize, 33);
}

TEST(StyleFiles, OptionValuesReadAsHexOrFallBackToTheDefault) {
  EXPECT_EQ(StyleFrom("[OPTIONS]\nLineSize=0x50\n", {}).options.LineSize, 80);
  EXPECT_EQ(StyleFrom("[OPTIONS]\nLineSize=0x1F\n", {}).options.LineSize, 31);
  EXPECT_EQ(StyleFrom("[OPTIONS]\nLineSize=abc\nSpacing=\n", {}).options.LineSize, 80);
  EXPECT_EQ(StyleFrom("[OPTIONS]\nLineSize=abc\nSpacing=\n", {}).options.Spacing, 4);
  const Style style =
      StyleFrom("[options]\ndodisablecomments=7\nBreakExcluder=<>\ntagcase=2\n", {});
  EXPECT_TRUE(style.options.DoDisableComments);
  EXPECT_EQ(style.options.BreakExcluder, QStringLiteral("<>"));
  EXPECT_EQ(style.options.TagCase, 2);
}

TEST(StyleFiles, TagSectionsKeepFileOrderCutLongValuesAndRaiseBlockLineBreaks) {
  const Style style = StyleFrom({},
                                "[Block]\nTagOpen=<DIV>\nTreatAsText=0\nCRLFLeading=0\n"
                                "[Inline]\nTagOpen=<B>\nTreatAsText=1\nCRLFLeading=0\n"
                                "[Long]\nTagOpen=<ABCDEFGHIJKLMNOPQRSTUVWXY>\n"
                                "StartComment=123456789012345678901234567890XYZ\nCommentSymbol=-=\n"
                                "[Given]\nCRLFLeading=3\nCRLFFollowed=-1\n");
  ASSERT_EQ(style.tags.count(), 4);
  const TTagInfo& block = style.tags.slot(1);
  EXPECT_EQ(block.name, QStringLiteral("Block"));
  EXPECT_EQ(block.tablePosition, 1);
  EXPECT_EQ(block.CRLFLeading, 1);
  EXPECT_EQ(block.CRLFFollowed, 1);
  EXPECT_EQ(block.CommentSymbol, QString());  // a loaded section has no fill by default
  const TTagInfo& inlineTag = style.tags.slot(2);
  EXPECT_EQ(inlineTag.CRLFLeading, 0);
  EXPECT_EQ(inlineTag.CRLFFollowed, 0);
  const TTagInfo& cut = style.tags.slot(3);
  EXPECT_EQ(cut.TagOpen, QStringLiteral("<ABCDEFGHIJKLMNOPQRS"));
  EXPECT_EQ(cut.StartComment, QStringLiteral("123456789012345678901234567890"));
  EXPECT_EQ(cut.CommentSymbol, QStringLiteral("-"));
  EXPECT_EQ(style.tags.slot(4).CRLFLeading, 3);
  EXPECT_EQ(style.tags.slot(4).CRLFFollowed, -1);
  EXPECT_EQ(style.tags.slot(5).tablePosition, 0);  // beyond the count: the default record
}

TEST(StyleFiles, OnlyTheFirstHundredSectionsLoad) {
  QByteArray tags;
  for (int i = 1; i <= 120; ++i)
    tags += "[T" + QByteArray::number(i) + "]\nTagOpen=<T" + QByteArray::number(i) + ">\n";
  const Style style = StyleFrom({}, tags);
  EXPECT_EQ(style.tags.count(), 100);
  EXPECT_EQ(style.tags.LookupTag(QStringLiteral("<T100>")).record.tablePosition, 100);
  EXPECT_EQ(style.tags.LookupTag(QStringLiteral("<T101>")).record.tablePosition, 0);
}

TEST(TagNames, NormalisedNamesStopAtTheFirstOtherCharacter) {
  EXPECT_EQ(TagName(u"<td width=10>"), QStringLiteral("<TD>"));
  EXPECT_EQ(TagName(u"</Td >"), QStringLiteral("</TD>"));
  EXPECT_EQ(TagName(u"<br/>"), QStringLiteral("<BR/>"));
  EXPECT_EQ(TagName(u"<!DOCTYPE html>"), QStringLiteral("<>"));
  EXPECT_EQ(TagName(u"<p"), QStringLiteral("<P"));
  EXPECT_EQ(TagName(u"<!-- x -->"), QStringLiteral("<!--"));
  EXPECT_EQ(TagName(u"<!--~ x ~-->"), QStringLiteral("<!--~"));
  EXPECT_EQ(TagName(u"<h\u00e4>"), QStringLiteral("<H>"));  // only ASCII letters belong to a name
}

TEST(TagLookup, FirstSlotWinsAndOpenIsTriedBeforeCloseOfTheSameSlot) {
  const Style style = StyleFrom({},
                                "[a]\nTagOpen=<X>\nTagClose=</Y>\n"
                                "[b]\nTagOpen=</Y>\nTagClose=</Z>\n"
                                "[lower]\nTagOpen=<table>\n");
  TagTable::Lookup found = style.tags.LookupTag(QStringLiteral("</y>"));
  EXPECT_EQ(found.direction, -1);  // the closer of the earlier slot, not the opener of the later
  EXPECT_EQ(found.record.tablePosition, 1);
  found = style.tags.LookupTag(QStringLiteral("</z class=q>"));
  EXPECT_EQ(found.direction, -1);
  EXPECT_EQ(found.record.tablePosition, 2);
  // Names are upper case, so a lower-case TagOpen never matches.
  EXPECT_EQ(style.tags.LookupTag(QStringLiteral("<table>")).record.tablePosition, 0);
  // A cut-off name matches any field that begins with it.
  EXPECT_EQ(style.tags.LookupTag(QStringLiteral("<x")).record.tablePosition, 1);
  // Unknown tags take their direction from the text.
  EXPECT_EQ(style.tags.LookupTag(QStringLiteral("</unknown>")).direction, -1);
  EXPECT_EQ(style.tags.LookupTag(QStringLiteral("<unknown>")).direction, 1);
}

TEST(TagLookup, InlineLookupNeedsExactNamesOfInlineSlotsWithHeadingClosers) {
  const Style style = StyleFrom({},
                                "[block]\nTagOpen=<B>\n"
                                "[bold]\nTagOpen=<B>\nTagClose=</B>\nTreatAsText=1\n"
                                "[head]\nTagOpen=<H1>\nTagClose=</H>\nTreatAsText=1\n");
  EXPECT_EQ(style.tags.FindInlineTag(u"<b class=x>"), 2);  // the block slot is skipped
  EXPECT_EQ(style.tags.FindInlineTag(u"</b>"), 2);
  EXPECT_EQ(style.tags.FindInlineTag(u"<br>"), 0);  // no prefix matching here
  EXPECT_EQ(style.tags.FindInlineTag(u"</h4>"), 3);
  EXPECT_EQ(style.tags.FindInlineTag(u"</h7>"), 0);
  EXPECT_EQ(style.tags.FindInlineTag(u"</h>"), 3);
}

TEST(TagCounters, NestedElementsCloseTheNewestNumberFirst) {
  const Style style = StyleFrom({}, "[t]\nTagOpen=<TABLE>\nEnableCounter=1\n[u]\nTagOpen=<UL>\n");
  TagCounters counters(style.tags);
  TTagInfo table = style.tags.slot(1);
  TTagInfo list = style.tags.slot(2);
  TTagInfo unknown = DefaultTagInfo();
  EXPECT_EQ(counters.NextStartNumber(table), QStringLiteral("1"));
  EXPECT_EQ(counters.NextStartNumber(table), QStringLiteral("2"));
  EXPECT_EQ(counters.PopEndNumber(table), QStringLiteral("2"));
  EXPECT_EQ(counters.NextStartNumber(table), QStringLiteral("3"));
  EXPECT_EQ(counters.PopEndNumber(table), QStringLiteral("3"));
  EXPECT_EQ(counters.PopEndNumber(table), QStringLiteral("1"));
  EXPECT_EQ(counters.PopEndNumber(table), QString());  // nothing open any more
  EXPECT_EQ(counters.NextStartNumber(list), QString());
  EXPECT_EQ(counters.NextStartNumber(unknown), QString());
  counters.ResetCounters();
  EXPECT_EQ(counters.PopEndNumber(table), QString());
  EXPECT_EQ(counters.NextStartNumber(table), QStringLiteral("1"));
}

}  // namespace
}  // namespace vistrel
