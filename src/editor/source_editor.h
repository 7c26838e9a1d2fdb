#pragma once

#include <QHash>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>

#include "editor/colour_store.h"
#include "editor/display_breaks.h"
#include "editor/layout_cache.h"
#include "editor/search_replace.h"
#include "editor/source_file.h"
#include "editor/tag_span.h"
#include "editor/typing_rules.h"
#include "settings/program_settings.h"

namespace vistrel {

class Prompter;

// The HTML source editor: a plain-text control whose characters carry one of the four scheme
// colours. Whole texts are coloured by the scanner; while typing, characters get a colour from
// their neighbours and only the tag around the caret is recoloured after a trigger character.
// Colours live beside the document (see ColourStore) and are painted as layout formats, so
// they never enter the undo history and never change the modified flag.
class SourceEditor : public QPlainTextEdit, public SearchTarget {
  Q_OBJECT

 public:
  // The settings hold the colour scheme, DoColorTags and the last search texts; they must
  // outlive the editor.
  explicit SourceEditor(ProgramSettings& settings, QWidget* parent = nullptr);

  ProgramSettings& settings() { return settings_; }

  // Reads the file (UTF-8 when valid, else Latin-1), shows it coloured when DoColorTags is
  // on and puts the caret at 0. False with *error when the file cannot be read.
  bool LoadIntoEditor(const QString& fileName, QString* error = nullptr);
  // Files larger than this are not loaded: the control needs several times their size in
  // memory and many seconds to take them in.
  static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
  // Why fileName cannot be edited (too large), naming it and its size; empty when it can.
  static QString TooLargeNotice(const QString& fileName);
  // Shows a notice instead of a file, disabled, with nothing to save.
  void ShowNotice(const QString& notice);
  // The same for text already in memory; the text is saved as `file` says.
  void LoadSource(const SourceFile& file);
  // Puts text in coloured, replacing everything or the selection; the caret goes back to the
  // selection start and the modified flag stays as it was. Empty text does nothing.
  void StreamColouredText(const QString& text, bool replaceAll);
  // Replaces the selection by the clipboard text, coloured; nothing without clipboard text.
  void PasteColoured();
  // Recolours everything (DoColorTags on only), keeping caret and scroll position.
  void RecolourAll();
  // SetColourMode then RecolourAll, as the colour buttons do.
  void ApplyColourMode(int mode);
  TagSpan FindTagAround(qsizetype position) const;
  // Recolours the characters from start on, which hold text, within length.
  void RecolourRange(const QString& text, qsizetype start, qsizetype length);
  void RememberCaretContext();
  void RecolourTagAtCaret();
  // Inserts a tag template: coloured when DoColorTags is on, selected afterwards.
  void InsertTemplate(const QString& text);

  // The colour of the character at pos, and the colour new input at pos would get.
  int ColourAt(qsizetype pos) const;
  int ReportedColour(qsizetype pos) const;
  const CaretContext& caretContext() const { return context_; }
  int pendingKey() const { return pendingKey_; }

  // The text with one U+2029 per line break. Every position the editor takes or gives is a
  // position in this text; display breaks are the control's business only.
  QString EditorText() const;
  qsizetype TextLength() const;
  // The selection with line feeds; the line number holding a position, and a line's text.
  QString SelectedText() const;
  qsizetype LineOfPosition(qsizetype position) const;
  QString LineText(qsizetype line) const;
  const SourceFile& sourceFile() const { return file_; }
  // What saving writes: the loaded bytes when unchanged, else the text in the file's
  // encoding and line-break style.
  QByteArray BytesForSaving() const;
  // Writes the text to the file (atomically); on failure shows the saving error message.
  bool WriteToFile(const QString& fileName, Prompter& prompter);
  bool IsModified() const;
  void SetModifiedFlag(bool modified);
  // For the editor's own commands that change the text (search and replace).
  void NotifyUserEdit() { Q_EMIT UserEdited(); }

  // SearchTarget
  QString SearchText() const override { return EditorText(); }
  qsizetype SelectionStart() const override;
  qsizetype SelectionLength() const override;
  void Select(qsizetype start, qsizetype length) override;
  void ReplaceSelection(const QString& text) override;
  void ReplaceRanges(const std::vector<std::pair<qsizetype, qsizetype>>& ranges,
                     const QString& replacement) override;
  void FocusIfUsable() override;

 Q_SIGNALS:
  // The user changed the text: the owner marks the document modified.
  void UserEdited();
  // Ctrl+1..Ctrl+4, Ctrl+S, Ctrl+F/Ctrl+R and Shift+F1, for the owner's buttons and dialogs.
  void ColourModeRequested(int mode);
  void SaveRequested();
  void SearchReplaceRequested();
  void TagTemplateRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;
  void insertFromMimeData(const QMimeData* source) override;
  void dropEvent(QDropEvent* event) override;

 private:
  enum class ChangeSource { kExternal, kTyping, kPlainPaste };
  // Blocks whose shaped glyphs are kept: a few screens' worth.
  static constexpr int kShapedBlocks = 256;

  void OnContentsChange(int position, int removed, int added);
  void ColourWholeStore();
  void ApplyRuns(const QString& text, qsizetype start, qsizetype length, bool keepOpenComment);
  void RecolourAroundChange(qsizetype from, qsizetype to);
  void ReplaceRangeKeepingColour(qsizetype start, qsizetype length, const QString& text);
  // Marks the lines holding [from, to] for new formats; the whole text bumps the generation.
  void ColoursChanged(qsizetype from, qsizetype to);
  void ApplyBlockFormats(QTextBlock block);
  // Lines the viewport shows, with one partly shown at each end.
  int VisibleLines() const;
  QString Slice(qsizetype from, qsizetype length) const;
  // The control's own key handling, kept from deleting or splitting at display breaks.
  void PassKeyToControl(QKeyEvent* event);
  // Cuts pieces that typing or pasting made longer than a piece may be.
  void CutGrownPieces();
  QTextCharFormat FormatFor(int colour);

  ProgramSettings& settings_;
  ColourStore colours_;
  DisplayBreaks breaks_;
  LayoutCache shaped_{kShapedBlocks};
  qsizetype cutFrom_ = -1, cutTo_ = -1;  // document range grown by typing, to cut
  SourceFile file_;
  CaretContext context_;
  int pendingKey_ = kPendingNone;
  int typingColour_ = -1;  // set by the typing rules for the next inserted character
  ChangeSource changeSource_ = ChangeSource::kExternal;
  bool selfEdit_ = false;  // our own edits keep the colour store themselves
  int textChanges_ = 0;
  int generation_ = 0;  // a line's user state: the generation its formats are for, -1 stale
  QHash<int, QTextCharFormat> formats_;
};

}  // namespace vistrel
