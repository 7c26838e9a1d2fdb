#include "editor/display_breaks.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

// Document "ab|cd|ef" with display breaks at 2 and 5 holds the text "abcdef".
DisplayBreaks TwoBreaks() {
  DisplayBreaks breaks;
  breaks.Change(0, 0, 8, {2, 5});
  return breaks;
}

TEST(DisplayBreaksTest, PositionsMapBothWaysAroundTheBreaks) {
  const DisplayBreaks breaks = TwoBreaks();
  const qsizetype toText[] = {0, 1, 2, 2, 3, 4, 4, 5, 6};
  for (qsizetype doc = 0; doc <= 8; ++doc) EXPECT_EQ(breaks.ToText(doc), toText[doc]) << doc;
  // A text position at a break: before it for ranges, its character after it.
  EXPECT_EQ(breaks.ToDocument(2), 2);
  EXPECT_EQ(breaks.CharToDocument(2), 3);
  EXPECT_EQ(breaks.ToDocument(4), 5);
  EXPECT_EQ(breaks.CharToDocument(4), 6);
  for (qsizetype text = 0; text <= 6; ++text) {
    EXPECT_EQ(breaks.ToText(breaks.ToDocument(text)), text);
    EXPECT_EQ(breaks.ToText(breaks.CharToDocument(text)), text);
  }
  EXPECT_TRUE(breaks.IsBreak(5));
  EXPECT_FALSE(breaks.IsBreak(4));
  EXPECT_EQ(breaks.CountIn(0, 8), 2);
  EXPECT_EQ(breaks.CountIn(3, 5), 0);
  EXPECT_EQ(breaks.CountIn(3, 6), 1);
  EXPECT_EQ(breaks.Strip(u"ab\u2029cd\u2029ef"), QStringLiteral("abcdef"));
  EXPECT_EQ(breaks.Strip(u"d\u2029e", 4), QStringLiteral("de"));
}

TEST(DisplayBreaksTest, EditsDropRemovedBreaksAndMoveLaterOnes) {
  DisplayBreaks breaks = TwoBreaks();
  breaks.Change(0, 0, 3, {});  // three characters typed at the start
  EXPECT_EQ(breaks.positions(), (std::vector<qsizetype>{5, 8}));
  breaks.Change(4, 3, 0, {});  // a deletion across the first break
  EXPECT_EQ(breaks.positions(), (std::vector<qsizetype>{5}));
  breaks.Change(5, 0, 4, {7});  // text with a break of its own, right at the old one
  EXPECT_EQ(breaks.positions(), (std::vector<qsizetype>{7, 9}));
  breaks.Clear();
  EXPECT_TRUE(breaks.empty());
  EXPECT_EQ(breaks.ToDocument(5), 5);
}

TEST(DisplayBreaksTest, LongLinesAreCutIntoPiecesAtSafePlaces) {
  EXPECT_TRUE(PieceCuts(QString(DisplayBreaks::kMaxPiece, u'x')).empty());

  QString markup;
  while (markup.size() < 50000) markup += QStringLiteral("<td class=\"c\">cell</td>");
  qsizetype from = 0;
  for (const qsizetype cut : PieceCuts(markup)) {
    EXPECT_GT(cut - from, DisplayBreaks::kPiece / 2);
    EXPECT_LE(cut - from, DisplayBreaks::kPiece);
    EXPECT_TRUE(markup[cut - 1] == u'>' || markup[cut - 1] == u' ') << cut;
    from = cut;
  }
  EXPECT_LE(markup.size() - from, DisplayBreaks::kPiece);

  // Without a safe place the cut falls at the limit, but never inside a surrogate pair.
  QString pairs;
  while (pairs.size() < 3 * DisplayBreaks::kPiece) pairs += QString::fromUcs4(U"\U0001F600");
  pairs.prepend(u'x');
  for (const qsizetype cut : PieceCuts(pairs)) EXPECT_FALSE(pairs[cut].isLowSurrogate()) << cut;
}

}  // namespace
}  // namespace vistrel
