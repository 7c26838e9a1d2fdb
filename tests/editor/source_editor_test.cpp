#include "editor/source_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "editor/colour_buttons.h"
#include "editor/coloured_rtf.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

class SourceEditorTest : public ::testing::Test {
 protected:
  SourceEditorTest() : editor(settings), buttons(editor) {
    editor.resize(500, 300);
    editor.show();
    editor.setFocus();
  }

  void Load(const QString& text) { editor.LoadSource(DecodeSourceFile(text.toUtf8())); }
  void Caret(int pos) {
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(pos);
    editor.setTextCursor(cursor);
  }
  int Colour(int pos) const { return editor.ColourAt(pos); }

  ProgramSettings settings;
  SourceEditor editor;
  ColourButtons buttons;
  const int text = ColourScheme().TextCol, tag = ColourScheme().TagCol;
  const int quoted = ColourScheme().QuotedCol, comment = ColourScheme().CommentCol;
};

TEST_F(SourceEditorTest, LoadingColoursEveryKindAndLeavesADocumentWithoutHistory) {
  Load(QStringLiteral("x<a href=\"u\">y<!-- c -->"));
  EXPECT_TRUE(editor.isEnabled());
  EXPECT_EQ(editor.textCursor().position(), 0);
  EXPECT_EQ(Colour(0), text);
  EXPECT_EQ(Colour(1), tag);
  EXPECT_EQ(Colour(9), quoted);
  EXPECT_EQ(Colour(12), tag);
  EXPECT_EQ(Colour(13), text);
  EXPECT_EQ(Colour(15), comment);
  EXPECT_FALSE(editor.IsModified());
  EXPECT_FALSE(editor.document()->isUndoAvailable());

  settings.DoColorTags = false;
  Load(QStringLiteral("<a>"));
  EXPECT_EQ(Colour(1), text);
}

TEST_F(SourceEditorTest, RecolouringNeitherModifiesNorEntersTheUndoHistory) {
  Load(QStringLiteral("<p>") + QStringLiteral("line<b>\n").repeated(200));
  Caret(700);
  editor.verticalScrollBar()->setValue(50);
  editor.ApplyColourMode(2);
  EXPECT_EQ(Colour(0), tag);
  EXPECT_EQ(Colour(3), kSilver);
  editor.ApplyColourMode(1);
  editor.StreamColouredText(editor.EditorText(), true);
  EXPECT_FALSE(editor.IsModified());
  EXPECT_FALSE(editor.document()->isUndoAvailable());
  EXPECT_EQ(editor.textCursor().position(), 700);
  EXPECT_EQ(editor.verticalScrollBar()->value(), 50);
}

TEST_F(SourceEditorTest, TypedLettersTakeTheColourOfWhereTheyLand) {
  QSignalSpy edited(&editor, &SourceEditor::UserEdited);
  Load(QStringLiteral("<!-- ab --><b>c"));
  Caret(6);
  QTest::keyClick(&editor, Qt::Key_X);
  EXPECT_EQ(Colour(6), comment);
  Caret(15);  // after ">"
  QTest::keyClick(&editor, Qt::Key_Y);
  EXPECT_EQ(Colour(15), text);
  Caret(14);  // before ">"
  QTest::keyClick(&editor, Qt::Key_Z);
  EXPECT_EQ(Colour(14), tag);
  EXPECT_EQ(editor.EditorText(), QStringLiteral("<!-- axb --><bz>yc"));
  EXPECT_GE(edited.count(), 3);
  EXPECT_TRUE(editor.IsModified());
}

// "1" marks a character in the tag colour, "0" one in the text colour.
TEST_F(SourceEditorTest, AWordTypedAfterATagIsTextWhateverFollowsIt) {
  struct Case {
    const char* doc;
    int caret;
    const char* typed;
    const char* colours;
  };
  const Case cases[] = {
      {"<p>\n</p>", 3, "EDITONE", "111000000001111"},
      {"<p></p>", 3, "EDITONE", "11100000001111"},
      {"<b>x</b>", 3, "EDITONE", "111000000001111"},
      {"<html>\n<body>\n", 6, "EDITONE", "111111000000001111110"},
      // A dash is drawn as a tag until the span around it is coloured again.
      {"<p></p>", 3, "EDIT-ONE", "111000000001111"},
  };
  for (const Case& c : cases) {
    Load(QString::fromLatin1(c.doc));
    Caret(c.caret);
    // As a keyboard sends capitals: Shift down, the letter with Shift, Shift up.
    for (const char key : std::string(c.typed)) {
      QTest::keyPress(&editor, Qt::Key_Shift);
      QTest::keyClick(&editor, key, Qt::ShiftModifier);
      QTest::keyRelease(&editor, Qt::Key_Shift, Qt::ShiftModifier);
    }
    ASSERT_TRUE(editor.EditorText().contains(QLatin1String(c.typed)));
    std::string colours;
    for (int i = 0; i < editor.EditorText().size(); ++i) colours += Colour(i) == tag ? '1' : '0';
    EXPECT_EQ(colours, c.colours) << c.doc << " + " << c.typed;
  }
}

TEST_F(SourceEditorTest, TypingAClosingBracketRecoloursTheSpanAroundTheCaret) {
  Load(QStringLiteral("<b text <i>"));
  EXPECT_EQ(Colour(4), tag);
  Caret(2);
  QTest::keyClick(&editor, '>');
  EXPECT_EQ(editor.EditorText(), QStringLiteral("<b> text <i>"));
  EXPECT_EQ(Colour(2), tag);
  EXPECT_EQ(Colour(4), text);
  EXPECT_EQ(Colour(9), tag);
  EXPECT_EQ(editor.pendingKey(), kPendingNone);
}

TEST_F(SourceEditorTest, DeletingABracketRecoloursButDeletingALetterDoesNot) {
  settings.DoColorTags = false;  // everything starts in the text colour
  Load(QStringLiteral("<b>text<i>more"));
  Caret(4);
  QTest::keyClick(&editor, Qt::Key_Delete);  // the "e"
  EXPECT_EQ(Colour(0), text);
  Caret(3);
  QTest::keyClick(&editor, Qt::Key_Backspace);  // the ">"
  EXPECT_EQ(editor.EditorText(), QStringLiteral("<btxt<i>more"));
  EXPECT_EQ(Colour(0), tag);
  EXPECT_EQ(Colour(3), tag);  // "txt" is inside the unclosed tag now
  EXPECT_EQ(Colour(6), tag);
  EXPECT_EQ(Colour(9), text);  // outside the span: left as it was

  Load(QStringLiteral("<a>b<c>"));
  Caret(2);
  QTest::keyClick(&editor, Qt::Key_Delete);
  EXPECT_EQ(editor.EditorText(), QStringLiteral("<ab<c>"));
  EXPECT_EQ(Colour(2), tag);
}

TEST_F(SourceEditorTest, ColourModeKeysRepaintAndTypingUsesTheModeColours) {
  Load(QStringLiteral("text <b>bold</b>"));
  Caret(2);
  QTest::keyClick(&editor, Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(editor.EditorText(), QStringLiteral("text <b>bold</b>"));
  EXPECT_EQ(Colour(0), kSilver);
  EXPECT_EQ(Colour(5), ColourScheme().TagCol);
  QTest::keyClick(&editor, Qt::Key_Q);
  EXPECT_EQ(Colour(2), kSilver);
  Caret(9);
  QTest::keyClick(&editor, '<');
  EXPECT_EQ(Colour(9), settings.Colours.TagCol);
  EXPECT_FALSE(editor.document()->isUndoAvailable() && editor.EditorText().contains(u'2'));
}

TEST_F(SourceEditorTest, ColourKeysPressOnlyEnabledButtons) {
  Load(QStringLiteral("a<b>"));
  buttons.button(3)->setEnabled(false);
  QTest::keyClick(&editor, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(settings.Colours.TagCol, tag);
  buttons.button(4)->click();
  EXPECT_EQ(settings.Colours.TagCol, kSilver);
  EXPECT_EQ(Colour(0), 0);
  EXPECT_EQ(buttons.button(2)->toolTip(), QStringLiteral("[CTRL-2] Emphasize Tags"));
  EXPECT_EQ(editor.EditorText(), QStringLiteral("a<b>"));
}

TEST_F(SourceEditorTest, WithColouringOffTypingStillRecolours) {
  settings.DoColorTags = false;
  Load(QStringLiteral("<b text <i>"));
  EXPECT_EQ(Colour(0), text);
  Caret(2);
  QTest::keyClick(&editor, '>');
  EXPECT_EQ(Colour(0), tag);
  EXPECT_EQ(Colour(10), tag);
  editor.RecolourAll();  // does nothing with colouring off
  EXPECT_EQ(Colour(4), text);
}

TEST_F(SourceEditorTest, UndoTakesBackTheUsersEditNotTheRecolouring) {
  Load(QStringLiteral("<b text <i>"));
  Caret(2);
  QTest::keyClick(&editor, '>');
  QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor.EditorText(), QStringLiteral("<b text <i>"));
  EXPECT_EQ(Colour(4), tag);
  EXPECT_FALSE(editor.document()->isUndoAvailable());
  QTest::keyClick(&editor, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(editor.EditorText(), QStringLiteral("<b> text <i>"));
  EXPECT_EQ(Colour(4), text);
}

TEST_F(SourceEditorTest, ShortcutsReachTheOwnerWithoutTyping) {
  QSignalSpy save(&editor, &SourceEditor::SaveRequested);
  QSignalSpy search(&editor, &SourceEditor::SearchReplaceRequested);
  QSignalSpy hint(&editor, &SourceEditor::TagTemplateRequested);
  Load(QStringLiteral("abc"));
  QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(&editor, Qt::Key_F, Qt::ControlModifier);
  QTest::keyClick(&editor, Qt::Key_R, Qt::ControlModifier);
  QTest::keyClick(&editor, Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_EQ(save.count(), 1);
  EXPECT_EQ(search.count(), 2);
  EXPECT_EQ(hint.count(), 1);
  EXPECT_EQ(editor.EditorText(), QStringLiteral("abc"));
  EXPECT_FALSE(editor.IsModified());
}

TEST_F(SourceEditorTest, PasteIsColouredAndCopyCarriesColouredRtf) {
  Load(QStringLiteral("ab"));
  QApplication::clipboard()->setText(QStringLiteral("<i \"q\">x\r\ny"));
  Caret(1);
  QSignalSpy edited(&editor, &SourceEditor::UserEdited);
  QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
  const QString expected =
      QStringLiteral("a<i \"q\">x") + QChar::ParagraphSeparator + QStringLiteral("yb");
  EXPECT_EQ(editor.EditorText(), expected);
  EXPECT_EQ(editor.textCursor().position(), 1);  // at the start of the inserted text
  EXPECT_EQ(Colour(1), tag);
  EXPECT_EQ(Colour(4), quoted);
  EXPECT_EQ(Colour(9), text);
  EXPECT_GE(edited.count(), 1);

  editor.selectAll();
  editor.copy();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), QStringLiteral("a<i \"q\">x\nyb"));
  EXPECT_EQ(data->data(QStringLiteral("text/rtf")),
            BuildColouredRtf(QStringLiteral("a<i \"q\">x\nyb"), settings.Colours));

  settings.DoColorTags = false;
  QApplication::clipboard()->setText(QStringLiteral("<u>"));
  Caret(0);
  QTest::keyClick(&editor, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_TRUE(editor.EditorText().startsWith(QStringLiteral("<u>a")));
  EXPECT_EQ(Colour(1), text);
}

TEST_F(SourceEditorTest, TemplatesAreInsertedSelected) {
  QSignalSpy edited(&editor, &SourceEditor::UserEdited);
  Load(QStringLiteral("ab"));
  Caret(1);
  editor.InsertTemplate(QStringLiteral("<img src=\"\">"));
  EXPECT_EQ(editor.EditorText(), QStringLiteral("a<img src=\"\">b"));
  EXPECT_EQ(editor.textCursor().selectedText(), QStringLiteral("<img src=\"\">"));
  EXPECT_EQ(Colour(10), quoted);
  EXPECT_EQ(edited.count(), 1);
}

TEST_F(SourceEditorTest, FilesSaveBackByteForByte) {
  testing::TempFolder dir;
  const QByteArray samples[] = {"<p>caf\xc3\xa9 \xe2\x82\xac</p>\n", "<p>caf\xe9</p>\r\n<br>\r\n",
                                "a\r\nb\nc\rd", QByteArray("<b>\0\xff\xfe</b>\x01", 12),
                                "<!-- never closed\n<p>\n"};
  int index = 0;
  for (const QByteArray& bytes : samples) {
    const QString in = dir.Write(QStringLiteral("in%1.htm").arg(index), bytes);
    ASSERT_TRUE(editor.LoadIntoEditor(in));
    testing::ScriptedPrompter prompter;
    const QString out = dir.path() + QStringLiteral("out%1.htm").arg(index++);
    ASSERT_TRUE(editor.WriteToFile(out, prompter));
    EXPECT_EQ(dir.Read(QFileInfo(out).fileName()), bytes) << bytes.toHex().constData();
  }
  // An edited CR LF Latin-1 file keeps both.
  editor.LoadIntoEditor(dir.Write(QStringLiteral("l.htm"), "<p>\xe9\r\n</p>"));
  Caret(3);
  QTest::keyClick(&editor, Qt::Key_X);
  QTest::keyClick(&editor, Qt::Key_Return);
  EXPECT_EQ(editor.BytesForSaving(), QByteArray("<p>x\r\n\xe9\r\n</p>"));
  QString error;
  EXPECT_FALSE(editor.LoadIntoEditor(dir.path() + QStringLiteral("missing.htm"), &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST_F(SourceEditorTest, AFailedSaveSaysSoAndLeavesTheFileAlone) {
  testing::TempFolder dir;
  Load(QStringLiteral("<p>"));
  testing::ScriptedPrompter prompter;
  const QString target = dir.path() + QStringLiteral("no/such/folder/x.htm");
  EXPECT_FALSE(editor.WriteToFile(target, prompter));
  EXPECT_EQ(prompter.TakeTexts(),
            QStringList{QStringLiteral("File saving error in:\r\n") + target +
                        QStringLiteral("\r\nPlease check diskspace and writing permissions...")});
}

TEST_F(SourceEditorTest, FindTagAroundReadsTheControlsText) {
  Load(QStringLiteral("<a>\n") + QString(400, u'x') + QStringLiteral("<b>"));
  EXPECT_FALSE(editor.FindTagAround(0).Found);
  const TagSpan span = editor.FindTagAround(200);
  ASSERT_TRUE(span.Found);
  EXPECT_EQ(span.Start, 0);
  EXPECT_EQ(span.End, 407);
  // Line breaks read as the control keeps them, so positions stay the control's.
  EXPECT_EQ(span.Text, QStringLiteral("<a>") + QChar(QChar::ParagraphSeparator) +
                           QString(400, u'x') + QStringLiteral("<b>"));
  EXPECT_EQ(editor.FindTagAround(405).Text, QStringLiteral("<b>"));
}

}  // namespace
}  // namespace vistrel

namespace vistrel {
namespace {

int BluePixels(const QImage& image, int top, int bottom) {
  int count = 0;
  for (int y = top; y < bottom && y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.blue() > 150 && c.red() < 90 && c.green() < 90) ++count;
    }
  return count;
}

TEST_F(SourceEditorTest, ColoursReachTheScreen) {
  Load(QStringLiteral("<table><tr><td>\nplain words here\n"));
  const int line = editor.fontMetrics().lineSpacing();
  QImage shown = editor.viewport()->grab().toImage();
  EXPECT_GT(BluePixels(shown, 0, line), 10);
  EXPECT_EQ(BluePixels(shown, line + 2, 2 * line), 0);
  editor.ApplyColourMode(3);  // tags silver now
  shown = editor.viewport()->grab().toImage();
  EXPECT_EQ(BluePixels(shown, 0, line), 0);
}

}  // namespace
}  // namespace vistrel
