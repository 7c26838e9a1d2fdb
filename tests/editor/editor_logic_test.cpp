#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <vector>

#include "editor/colour_store.h"
#include "editor/source_file.h"
#include "editor/tag_hint.h"
#include "editor/tag_span.h"
#include "editor/typing_rules.h"

namespace vistrel {
namespace {

const ColourScheme kScheme;

CaretContext Around(char16_t before, int beforeColour, char16_t after, int afterColour) {
  return {{before, beforeColour}, {after, afterColour}};
}

TEST(TypedColour, CommentWinsOverEveryCharacterRule) {
  const int c = kScheme.CommentCol;
  EXPECT_EQ(ChooseTypedColour(u'<', Around(u'a', c, u'b', c), kScheme), c);
  EXPECT_EQ(ChooseTypedColour(u'x', Around(u'<', c, u'>', c), kScheme), c);
}

TEST(TypedColour, ModeColoursAreComparedAsValues) {
  ColourScheme mode2;
  ASSERT_TRUE(SetColourMode(2, &mode2));
  // Text, quoted and comment colours are all silver: two silver neighbours count as a comment.
  EXPECT_EQ(ChooseTypedColour(u'<', Around(u'a', kSilver, u'b', kSilver), mode2), kSilver);
  EXPECT_EQ(ChooseTypedColour(u'<', Around(u'a', kSilver, u'b', mode2.TagCol), mode2),
            mode2.TagCol);
  ColourScheme unchanged = mode2;
  EXPECT_FALSE(SetColourMode(5, &unchanged));
  EXPECT_EQ(unchanged.TagCol, mode2.TagCol);
  EXPECT_EQ(unchanged.TextCol, kSilver);
}

TagSpan FindIn(const QString& text, qsizetype position, int* slices = nullptr) {
  return FindTagAround(
      text.size(),
      [&](qsizetype from, qsizetype length) {
        if (slices) ++*slices;
        return text.mid(from, length);
      },
      position);
}

TEST(FindTagAround, SpansFromTheLastOpenerToTheNextCloser) {
  EXPECT_FALSE(FindIn(QStringLiteral("<a>"), 0).Found);
  const TagSpan inside = FindIn(QStringLiteral("x<a href>y"), 3);
  ASSERT_TRUE(inside.Found);
  EXPECT_EQ(inside.Start, 1);
  EXPECT_EQ(inside.End, 9);
  EXPECT_EQ(inside.Length, 8);
  EXPECT_EQ(inside.Text, QStringLiteral("<a href>"));
  // Between two tags the span runs from the first "<" to the second ">".
  EXPECT_EQ(FindIn(QStringLiteral("<b>text<i>"), 5).Text, QStringLiteral("<b>text<i>"));
  // A "<" right before the position counts; a ">" right at it counts.
  EXPECT_EQ(FindIn(QStringLiteral("<>"), 1).Text, QStringLiteral("<>"));
  EXPECT_FALSE(FindIn(QStringLiteral("abc>"), 2).Found);
  EXPECT_FALSE(FindIn(QStringLiteral("<abc"), 2).Found);
}

TEST(FindTagAround, WalksBackInSmallWindowsUpToTheLimit) {
  const QString far = QStringLiteral("<a") + QString(300, u'x') + u'>';
  int slices = 0;
  const TagSpan span = FindIn(far, 250, &slices);
  ASSERT_TRUE(span.Found);
  EXPECT_EQ(span.Start, 0);
  EXPECT_EQ(span.End, far.size());
  int nearSlices = 0;
  const QString nearText = QString(5000, u'y') + QStringLiteral("<a b>");
  EXPECT_TRUE(FindIn(nearText, 5002, &nearSlices).Found);
  EXPECT_LE(nearSlices, 3);  // one window back, one forward, the span itself

  const QString tooFar = u'<' + QString(1000001, u'x') + u'>';
  EXPECT_FALSE(FindIn(tooFar, tooFar.size() - 1).Found);
  EXPECT_TRUE(FindIn(tooFar, 1000000).Found);
}

TEST(TagHint, KeyFromStartAndEndTagsAndLookupIgnoringCase) {
  EXPECT_EQ(TagHintKey(QStringLiteral("<TABLE border=1>text<i>")), QStringLiteral("<TABLE>"));
  EXPECT_EQ(TagHintKey(QStringLiteral("</table>")), QStringLiteral("<table>"));
  EXPECT_EQ(TagHintKey(QStringLiteral("<br/>")), QStringLiteral("<br/>"));
  const QStringList list = {QStringLiteral("<TABLEX>: wrong"),
                            QStringLiteral("TABLE: not a tag line"),
                            QStringLiteral("<TABLE>:  <TABLE BORDER=n>  "),
                            QStringLiteral("<table>: second"), QStringLiteral("<HR> no colon")};
  EXPECT_EQ(FindTagHint(list, QStringLiteral("<table>")), QStringLiteral("<TABLE BORDER=n>"));
  EXPECT_EQ(FindTagHint(list, QStringLiteral("<hr>")), QStringLiteral("<HR> no colon"));
  EXPECT_EQ(FindTagHint(list, QStringLiteral("<p>")), QString());
  EXPECT_EQ(
      FindTagHint({QStringLiteral("<A>:") + QString(2000, u'x')}, QStringLiteral("<a>")).size(),
      1000);
}

TEST(ColourStore, MatchesAPlainArrayThroughRandomEdits) {
  ColourStore store;
  std::vector<int> model;
  QRandomGenerator random(99);
  for (int step = 0; step < 3000; ++step) {
    const int op = random.bounded(3);
    const qsizetype pos = random.bounded(int(model.size()) + 1);
    const int colour = random.bounded(5) * 1000;
    if (op == 0) {
      const int count = random.bounded(step % 50 == 0 ? 70000 : 30);
      store.Insert(pos, count, colour);
      model.insert(model.begin() + pos, size_t(count), colour);
    } else if (op == 1) {
      const qsizetype count =
          std::min<qsizetype>(random.bounded(40000), qsizetype(model.size()) - pos);
      store.Remove(pos, count);
      model.erase(model.begin() + pos, model.begin() + pos + count);
    } else {
      const qsizetype count =
          std::min<qsizetype>(random.bounded(20000), qsizetype(model.size()) - pos);
      store.Fill(pos, count, colour);
      std::fill_n(model.begin() + pos, count, colour);
    }
    ASSERT_EQ(store.size(), qsizetype(model.size()));
  }
  for (qsizetype i = 0; i < qsizetype(model.size()); i += 97) {
    ASSERT_EQ(store.At(i, -1), model[size_t(i)]);
  }
  qsizetype covered = 0;
  store.ForEachRun(0, store.size(), [&](qsizetype from, qsizetype length, int colour) {
    EXPECT_EQ(from, covered);
    for (qsizetype i = from; i < from + length; ++i) {
      ASSERT_EQ(model[size_t(i)], colour);
    }
    if (from + length < qsizetype(model.size())) {
      EXPECT_NE(model[size_t(from + length)], colour);
    }
    covered += length;
  });
  EXPECT_EQ(covered, store.size());
  EXPECT_EQ(store.At(store.size(), -7), -7);
}

TEST(SourceFile, UnchangedTextSavesTheBytesAsRead) {
  const QByteArray samples[] = {"<p>caf\xc3\xa9</p>\n",
                                "<p>caf\xe9</p>\r\n<br>\r\n",
                                "a\r\nb\nc\rd\r\n",
                                "\r\r\n\n",
                                QByteArray("bin\0ary\xff\xfe\x80<", 12),
                                "\xef\xbb\xbf<html>\r\n",
                                "\xef\xbb\xbf\xef\xbb\xbfx\n",
                                ""};
  for (const QByteArray& bytes : samples) {
    const SourceFile file = DecodeSourceFile(bytes);
    EXPECT_FALSE(file.text.contains(u'\r'));
    EXPECT_FALSE(file.text.contains(u'\n'));
    EXPECT_EQ(EncodeSourceFile(file.text, file), bytes) << bytes.toHex().constData();
  }
}

TEST(SourceFile, EditedTextKeepsEncodingAndLineBreaks) {
  const SourceFile latin1 = DecodeSourceFile("caf\xe9\r\nx");
  EXPECT_EQ(latin1.encoding, TextEncoding::kLatin1);
  QString edited = latin1.text + QStringLiteral("y");
  EXPECT_EQ(EncodeSourceFile(edited, latin1), QByteArray("caf\xe9\r\nxy"));
  // A character Latin-1 cannot hold turns the file into UTF-8 instead of a "?".
  edited += QChar(0x20AC);
  EXPECT_EQ(EncodeSourceFile(edited, latin1), QByteArray("caf\xc3\xa9\r\nxy\xe2\x82\xac"));
  const SourceFile bom = DecodeSourceFile("\xef\xbb\xbf<p>\n");
  EXPECT_EQ(EncodeSourceFile(bom.text + u'x', bom), QByteArray("\xef\xbb\xbf<p>\nx"));
  const SourceFile twoBoms = DecodeSourceFile("\xef\xbb\xbf\xef\xbb\xbf<p>");
  EXPECT_EQ(EncodeSourceFile(twoBoms.text + u'x', twoBoms),
            QByteArray("\xef\xbb\xbf\xef\xbb\xbf<p>x"));
  const SourceFile mixed = DecodeSourceFile("a\rb\r\nc");
  EXPECT_EQ(EncodeSourceFile(mixed.text + u'!', mixed), QByteArray("a\rb\rc!"));
}

}  // namespace
}  // namespace vistrel
