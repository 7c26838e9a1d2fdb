#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QPaintEvent>
#include <QTest>
#include <QTextBlock>
#include <fcntl.h>
#include <unistd.h>

#include "core/disk_name.h"
#include "editor/search_replace.h"
#include "editor/source_editor.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

// A page of markup on one line, about `size` bytes.
QByteArray OneLinePage(qsizetype size) {
  QByteArray page = "<html><body>";
  for (int row = 0; page.size() < size; ++row)
    page += "<tr class=\"r" + QByteArray::number(row) + "\"><td>cell " + QByteArray::number(row) +
            "</td><!-- c --></tr>";
  return page + "</body></html>";
}

class LongLineTest : public ::testing::Test {
 protected:
  LongLineTest() : editor(settings) {
    editor.resize(500, 300);
    editor.show();
    editor.setFocus();
  }

  void Load(const QByteArray& bytes) { editor.LoadSource(DecodeSourceFile(bytes)); }
  // The document position where the n-th continuation piece starts.
  int PieceStart(int n) const {
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next())
      if (block.blockFormat().hasProperty(QTextFormat::UserProperty + 1) && n-- == 0)
        return block.position();
    ADD_FAILURE() << "no such piece";
    return 0;
  }
  // The text position of a document position in a page of one line, where every block
  // boundary is a display break.
  int TextAt(int pos) const { return pos - editor.document()->findBlock(pos).blockNumber(); }
  void DocumentCaret(int pos) {
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(pos);
    editor.setTextCursor(cursor);
  }
  // The viewport's line holding document position pos, as a point in the viewport.
  QPoint LineAt(int pos) {
    QTextCursor cursor(editor.document());
    cursor.setPosition(pos);
    return editor.cursorRect(cursor).center();
  }
  // Every line on screen shows the colours the editor holds for its characters.
  void ExpectShownColoursMatch() {
    editor.repaint();
    const int shown = editor.viewport()->height() / editor.fontMetrics().lineSpacing();
    QTextBlock block = editor.document()->findBlock(editor.cursorForPosition({0, 0}).position());
    for (int i = 0; i < shown && block.isValid(); ++i, block = block.next()) {
      const int start = TextAt(block.position());
      int covered = 0;
      for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        const QColor colour = range.format.foreground().color();
        for (int k = range.start; k < range.start + range.length; ++k) {
          const int expected = editor.ColourAt(start + k);
          ASSERT_EQ(colour.red() | colour.green() << 8 | colour.blue() << 16, expected)
              << "line " << block.blockNumber() << " character " << k;
        }
        covered += range.length;
      }
      EXPECT_EQ(covered, block.length() - 1) << "line " << block.blockNumber();
    }
  }
  int LongestBlock() const {
    int longest = 0;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next())
      longest = std::max(longest, block.length() - 1);
    return longest;
  }

  ProgramSettings settings;
  SourceEditor editor;
};

TEST_F(LongLineTest, PagesSaveBackByteForByteHoweverTheirLinesAreHeld) {
  testing::TempFolder dir;
  QByteArray latin1 = "<p>caf\xe9</p>\r\n" + OneLinePage(20000) + "\xe9\r\n<br>";
  const QByteArray samples[] = {
      OneLinePage(1000000), "<p>one</p>\r\n" + OneLinePage(30000) + "\r\n<p>two</p>\r\n", latin1,
      "a\n" + OneLinePage(9000) + "\n\nb\r" + OneLinePage(50000) + "\n" + OneLinePage(4000) + "\n"};
  int index = 0;
  for (const QByteArray& bytes : samples) {
    const QString in = dir.Write(QStringLiteral("in%1.htm").arg(index), bytes);
    ASSERT_TRUE(editor.LoadIntoEditor(in));
    EXPECT_LE(LongestBlock(), DisplayBreaks::kMaxPiece);
    EXPECT_GT(editor.document()->blockCount(), 3);
    EXPECT_EQ(editor.TextLength(), editor.EditorText().size());
    testing::ScriptedPrompter prompter;
    const QString out = dir.path() + QStringLiteral("out%1.htm").arg(index++);
    ASSERT_TRUE(editor.WriteToFile(out, prompter));
    EXPECT_TRUE(dir.Read(QFileInfo(out).fileName()) == bytes) << index;
    // A change and its undo: the text the file was made from comes back.
    DocumentCaret(PieceStart(0));
    QTest::keyClick(&editor, Qt::Key_X);
    EXPECT_NE(editor.BytesForSaving(), bytes);
    editor.undo();
    EXPECT_TRUE(editor.BytesForSaving() == bytes) << index;
  }
}

TEST_F(LongLineTest, SearchAndReplaceSeeOneLineAcrossDisplayBreaks) {
  const QByteArray page = OneLinePage(20000);
  Load(page);
  const QString text = QString::fromLatin1(page);
  ASSERT_FALSE(editor.EditorText().contains(QChar::ParagraphSeparator));
  // A word that a display break cuts in the control's document.
  const qsizetype textAt = TextAt(PieceStart(1));
  const QString spanning = text.mid(textAt - 3, 7);
  EXPECT_EQ(FindInText(editor.SearchText(), spanning, textAt - 10, {}), textAt - 3);

  testing::ScriptedPrompter prompter;
  editor.Select(textAt - 11, 1);  // the search starts after the selection
  FindAndReplace(editor, spanning, QStringLiteral("#"), /*doReplace=*/false, {}, prompter, {});
  EXPECT_EQ(editor.SelectionStart(), textAt - 3);
  EXPECT_EQ(editor.SelectionLength(), 7);
  EXPECT_EQ(editor.SelectedText(), spanning);
  editor.ReplaceSelection(QStringLiteral("#"));
  QString expected = text;
  expected.replace(textAt - 3, 7, QStringLiteral("#"));
  EXPECT_EQ(editor.EditorText(), expected);
  EXPECT_EQ(editor.BytesForSaving(), expected.toLatin1());

  // Replace All over every cell changes text on both sides of every break.
  Load(page);
  const int count =
      ReplaceAllFrom(editor, QStringLiteral("</td>"), QStringLiteral("</TD>"), {}, 0, prompter);
  EXPECT_EQ(count, text.count(QStringLiteral("</td>")));
  EXPECT_EQ(prompter.TakeTexts(), QStringList{ReplaceDoneMessage(QStringLiteral("</td>"), count)});
  EXPECT_EQ(editor.EditorText(), QString(text).replace(QStringLiteral("</td>"), "</TD>"));
  editor.undo();
  EXPECT_TRUE(editor.BytesForSaving() == page);
}

TEST_F(LongLineTest, KeysAtADisplayBreakActOnTheTextAroundIt) {
  const QByteArray page = OneLinePage(20000);
  Load(page);
  const QString text = QString::fromLatin1(page);
  const int piece = PieceStart(0);
  const qsizetype at = TextAt(piece);

  // Backspace at a piece's start takes the character before the break.
  DocumentCaret(piece);
  QTest::keyClick(&editor, Qt::Key_Backspace);
  EXPECT_EQ(editor.EditorText(), QString(text).remove(at - 1, 1));
  editor.undo();
  // Delete at a piece's end takes the character after it.
  DocumentCaret(piece - 1);
  QTest::keyClick(&editor, Qt::Key_Delete);
  EXPECT_EQ(editor.EditorText(), QString(text).remove(at, 1));
  editor.undo();
  EXPECT_EQ(editor.EditorText(), text);

  // Enter inside a continuation piece makes a real line break; undo takes it back.
  DocumentCaret(piece + 5);
  QTest::keyClick(&editor, Qt::Key_Return);
  EXPECT_EQ(editor.EditorText(), QString(text).insert(at + 5, QChar::ParagraphSeparator));
  editor.undo();
  EXPECT_EQ(editor.EditorText(), text);

  // Text dropped into a continuation piece lands at its text position.
  QMimeData dropped;
  dropped.setText(QStringLiteral("<i>"));
  DocumentCaret(piece + 3);
  const QPoint point = editor.cursorRect().center();
  DocumentCaret(0);
  QDragEnterEvent enter(point, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor.viewport(), &enter);
  QDropEvent drop(point, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor.viewport(), &drop);
  EXPECT_EQ(editor.EditorText().indexOf(QStringLiteral("<i>")), at + 3);
  EXPECT_EQ(editor.ColourAt(at + 4), settings.Colours.TagCol);
  editor.undo();
  EXPECT_EQ(editor.EditorText(), text);

  // Right steps over a break in one press.
  DocumentCaret(piece - 1);
  QTest::keyClick(&editor, Qt::Key_Right);
  EXPECT_EQ(editor.SelectionStart(), at + 1);

  // Deleting a selection across a break, then undo and redo, keep the text exact.
  editor.Select(at - 4, 8);
  QTest::keyClick(&editor, Qt::Key_Delete);
  EXPECT_EQ(editor.EditorText(), QString(text).remove(at - 4, 8));
  editor.undo();
  EXPECT_EQ(editor.EditorText(), text);
  editor.redo();
  EXPECT_EQ(editor.EditorText(), QString(text).remove(at - 4, 8));
  editor.undo();
  EXPECT_TRUE(editor.BytesForSaving() == page);
}

TEST_F(LongLineTest, BackspaceAndDeleteAtABreakTakeWholeSurrogatePairs) {
  QString line = QStringLiteral("x");
  while (line.size() < 3 * DisplayBreaks::kPiece) line += QString::fromUcs4(U"\U0001F600");
  Load(line.toUtf8());
  const int piece = PieceStart(0);
  const qsizetype at = TextAt(piece);
  ASSERT_TRUE(line[at - 1].isLowSurrogate());
  DocumentCaret(piece);
  QTest::keyClick(&editor, Qt::Key_Backspace);
  EXPECT_EQ(editor.EditorText(), QString(line).remove(at - 2, 2));
  editor.undo();
  DocumentCaret(piece - 1);
  QTest::keyClick(&editor, Qt::Key_Delete);
  EXPECT_EQ(editor.EditorText(), QString(line).remove(at, 2));
}

TEST_F(LongLineTest, PiecesThatGrowAreCutAgainAndColouredToTheEnd) {
  Load(OneLinePage(20000));
  const QString text = editor.EditorText();
  const qsizetype at = TextAt(PieceStart(0));
  DocumentCaret(PieceStart(0) + 1);
  // One key event can carry many characters, as an input method sends them.
  const QString typed(DisplayBreaks::kMaxPiece + 10, u'a');
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, typed);
  QApplication::sendEvent(&editor, &key);
  EXPECT_LE(LongestBlock(), DisplayBreaks::kMaxPiece);
  EXPECT_EQ(editor.EditorText(), QString(text).insert(at + 1, typed));

  // A pasted line of many pieces is cut too; copying gives it back without breaks.
  QString line;
  while (line.size() < 30000) line += QStringLiteral("<b>x</b> ");
  QApplication::clipboard()->setText(line);
  editor.Select(0, editor.TextLength());
  editor.paste();
  EXPECT_EQ(editor.EditorText(), line);
  EXPECT_LE(LongestBlock(), DisplayBreaks::kMaxPiece);
  editor.Select(0, editor.TextLength());
  editor.copy();
  EXPECT_EQ(QApplication::clipboard()->text(), line);

  // The whole line is coloured, its last tag too.
  editor.RecolourAll();
  EXPECT_EQ(editor.ColourAt(line.size() - 3), settings.Colours.TagCol);
  EXPECT_EQ(editor.ColourAt(line.size() - 6), settings.Colours.TextCol);
}

// Paint events the viewport receives, joined.
class PaintedRegion : public QObject {
 public:
  explicit PaintedRegion(QWidget* viewport) { viewport->installEventFilter(this); }
  QRegion region;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

TEST_F(LongLineTest, LinesRecolouredByAKeyAreRepaintedAndNoOthers) {
  // A quote typed near the start of a tag spanning two pieces colours both; the pieces
  // after the tag keep their colours.
  Load("<a title=" + QByteArray(2000, 'q') + "\">" + QByteArray(4000, 'z'));
  ASSERT_GT(editor.document()->blockCount(), 4);
  QApplication::processEvents();
  DocumentCaret(9);
  QApplication::processEvents();
  PaintedRegion painted(editor.viewport());
  QTest::keyClick(&editor, '"');
  QApplication::processEvents();
  // The typed piece is repainted by the control; the next one, recoloured, by the editor.
  ASSERT_EQ(editor.ColourAt(TextAt(PieceStart(0) + 5)), settings.Colours.QuotedCol);
  EXPECT_TRUE(painted.region.contains(LineAt(PieceStart(0) + 2)));
  const int lastPiece = editor.document()->lastBlock().position();
  EXPECT_FALSE(painted.region.contains(LineAt(lastPiece + 2)));
  ExpectShownColoursMatch();

  // Pieces cut again after typing show their own colours, as do lines new to the screen.
  DocumentCaret(PieceStart(0) + 3);
  const QString typed = QStringLiteral("<b>x</b>").repeated(DisplayBreaks::kMaxPiece / 8 + 4);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Less, Qt::NoModifier, typed);
  QApplication::sendEvent(&editor, &key);
  EXPECT_LE(LongestBlock(), DisplayBreaks::kMaxPiece);
  editor.RecolourTagAtCaret();
  ExpectShownColoursMatch();
  editor.undo();
  ExpectShownColoursMatch();
  editor.moveCursor(QTextCursor::End);
  ExpectShownColoursMatch();
}

TEST_F(LongLineTest, FormatterAndTagHintsReadWholeLines) {
  const QByteArray page = "<p>first</p>\n" + OneLinePage(20000) + "\n<p>last</p>";
  Load(page);
  const QStringList lines = QString::fromLatin1(page).split(u'\n');
  const SourceEditor& access = editor;  // what the formatter reads through
  const qsizetype last = lines[0].size() + lines[1].size() + 2;
  EXPECT_EQ(access.LineOfPosition(last + 2), 2);
  EXPECT_EQ(access.LineText(2), lines[2]);
  EXPECT_EQ(access.LineText(access.LineOfPosition(last - 10)), lines[1]);
  editor.Select(last - 20, 25);
  EXPECT_EQ(access.SelectionStart(), last - 20);
  EXPECT_EQ(access.SelectedText(), QString::fromLatin1(page).mid(last - 20, 25));
  const TagSpan span = editor.FindTagAround(last - 3);
  EXPECT_EQ(span.Text, QStringLiteral("</html>"));
}

TEST_F(LongLineTest, FilesTooLargeForTheEditorAreNamedWithTheirSize) {
  testing::TempFolder dir;
  const QString small = dir.Write(QStringLiteral("small.htm"), "<p>");
  EXPECT_TRUE(SourceEditor::TooLargeNotice(small).isEmpty());
  const QString large = dir.Write(QString::fromUtf8("caf\xc3\xa9.htm"));
  const int fd = ::open(NameToDisk(large).constData(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, 100 * 1000 * 1000), 0);
  ::close(fd);
  const QString notice = SourceEditor::TooLargeNotice(large);
  EXPECT_TRUE(notice.contains(PrintableName(large))) << notice.toStdString();
  EXPECT_TRUE(notice.contains(QStringLiteral("100.0 MB"))) << notice.toStdString();
  editor.ShowNotice(notice);
  EXPECT_FALSE(editor.isEnabled());
  EXPECT_EQ(editor.EditorText(), notice);
}

}  // namespace
}  // namespace vistrel
