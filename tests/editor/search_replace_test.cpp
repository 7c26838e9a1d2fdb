#include "editor/search_replace.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "editor/search_replace_dialog.h"
#include "editor/source_editor.h"
#include "scripted_prompter.h"

namespace vistrel {
namespace {

class SearchReplaceTest : public ::testing::Test {
 protected:
  SearchReplaceTest() : editor(settings), dialog(editor, settings, prompter) {}

  void Load(const QString& text) { editor.LoadSource(DecodeSourceFile(text.toUtf8())); }
  void Run(const QString& find, const QString& replace, bool doReplace,
           SearchOptions options = {}) {
    FindAndReplace(editor, find, replace, doReplace, options, prompter, [this] { ++modified; });
  }

  ProgramSettings settings;
  testing::ScriptedPrompter prompter;
  SourceEditor editor;
  SearchReplaceDialog dialog;
  int modified = 0;
};

TEST_F(SearchReplaceTest, FindStartsAfterTheSelectionOrAtTheTop) {
  Load(QStringLiteral("ab ab ab"));
  editor.Select(7, 0);  // a caret without selection does not matter
  Run(QStringLiteral("ab"), {}, false);
  EXPECT_EQ(editor.SelectionStart(), 0);
  EXPECT_EQ(editor.SelectionLength(), 2);
  Run(QStringLiteral("ab"), {}, false);
  EXPECT_EQ(editor.SelectionStart(), 3);
  Run(QStringLiteral("ab"), {}, false);
  Run(QStringLiteral("ab"), {}, false);
  EXPECT_EQ(prompter.TakeTexts(), QStringList{QStringLiteral("\"ab\" not found.")});
  EXPECT_EQ(editor.SelectionStart(), 6);
  EXPECT_EQ(modified, 0);
}

TEST_F(SearchReplaceTest, ReplaceTakesTheNextOccurrenceEachTime) {
  Load(QStringLiteral("x x x"));
  Run(QStringLiteral("x"), QStringLiteral("yy"), false);
  Run(QStringLiteral("x"), QStringLiteral("yy"), true);  // after the found one
  EXPECT_EQ(editor.EditorText(), QStringLiteral("x yy x"));
  EXPECT_EQ(editor.textCursor().selectedText(), QStringLiteral("yy"));
  Run(QStringLiteral("x"), QStringLiteral("yy"), true);
  EXPECT_EQ(editor.EditorText(), QStringLiteral("x yy yy"));
  Run(QStringLiteral("x"), QStringLiteral("yy"), true);
  EXPECT_EQ(prompter.TakeTexts(), QStringList{QStringLiteral("\"x\" not found.")});
  EXPECT_EQ(editor.EditorText(), QStringLiteral("x yy yy"));
  EXPECT_EQ(modified, 2);
}

TEST_F(SearchReplaceTest, ReplaceAllCountsAndIsOneUndoStep) {
  Load(QStringLiteral("aaaa"));
  Run(QStringLiteral("a"), QStringLiteral("bb"), true, {false, false, true});
  EXPECT_EQ(editor.EditorText(), QStringLiteral("bbbbbbbb"));
  EXPECT_EQ(prompter.TakeTexts(), QStringList{QStringLiteral("\"a\", Replace done: 4 times")});
  EXPECT_EQ(modified, 1);
  editor.undo();
  EXPECT_EQ(editor.EditorText(), QStringLiteral("aaaa"));

  Load(QStringLiteral("a-a-a-a"));
  editor.Select(2, 1);
  Run(QStringLiteral("a"), QString(), true, {false, false, true});
  EXPECT_EQ(editor.EditorText(), QStringLiteral("a-a--"));
  EXPECT_EQ(prompter.TakeTexts(), QStringList{QStringLiteral("\"a\", Replace done: 2 times")});
}

TEST_F(SearchReplaceTest, WholeWordAndMatchCase) {
  Load(QStringLiteral("print in <TABLE><table>"));
  Run(QStringLiteral("in"), {}, false, {false, true, false});
  EXPECT_EQ(editor.SelectionStart(), 6);
  Load(QStringLiteral("print <TABLE><table>"));
  Run(QStringLiteral("table"), {}, false, {true, false, false});
  EXPECT_EQ(editor.SelectionStart(), 14);
  Run(QStringLiteral("in"), {}, false, {false, true, false});
  EXPECT_EQ(prompter.TakeTexts(), QStringList{QStringLiteral("\"in\" not found.")});
  // A replacement ending in a letter makes the next match part of a word.
  EXPECT_EQ(FindInText(u"in", u"in", 0, {false, true, false}), 0);
  Load(QStringLiteral("in in"));
  Run(QStringLiteral("in"), QStringLiteral("out"), true, {false, true, true});
  EXPECT_EQ(editor.EditorText(), QStringLiteral("out out"));
  prompter.TakeTexts();
}

TEST_F(SearchReplaceTest, DialogRemembersTextsAndIgnoresDirection) {
  settings.LastSearch = QStringLiteral("b");
  settings.LastReplace = QStringLiteral("c");
  Load(QStringLiteral("abab"));
  dialog.StartSearchReplace();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.isModal());
  EXPECT_EQ(dialog.findEdit()->text(), QStringLiteral("b"));
  EXPECT_EQ(dialog.replaceEdit()->text(), QStringLiteral("c"));
  dialog.upButton()->setChecked(true);
  editor.Select(2, 1);
  dialog.findNextButton()->click();
  EXPECT_EQ(editor.SelectionStart(), 3);
  dialog.findEdit()->setText(QStringLiteral("a"));
  dialog.replaceEdit()->setText(QStringLiteral("x"));
  QSignalSpy edited(&editor, &SourceEditor::UserEdited);
  editor.Select(0, 0);
  dialog.replaceAllButton()->click();
  EXPECT_EQ(editor.EditorText(), QStringLiteral("xbxb"));
  EXPECT_EQ(prompter.TakeTexts(), QStringList{QStringLiteral("\"a\", Replace done: 2 times")});
  EXPECT_EQ(edited.count(), 1);
  EXPECT_EQ(settings.LastSearch, QStringLiteral("a"));
  EXPECT_EQ(settings.LastReplace, QStringLiteral("x"));
  dialog.close();
}

}  // namespace
}  // namespace vistrel
