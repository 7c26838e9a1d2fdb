#include "editor/source_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "editor/colour_scanner.h"
#include "editor/line_layout.h"
#include "editor/coloured_rtf.h"
#include "editor/piece_document.h"

namespace vistrel {

namespace {

const char* const kEditorHint = "[CTRL-Z] = UnDo ,  [CTRL-S] = Save ,  [CTRL-F] = Search/Replace";

int ColourOf(ColourClass colour, const ColourScheme& scheme) {
  switch (colour) {
    case ColourClass::kTag:
      return scheme.TagCol;
    case ColourClass::kQuoted:
      return scheme.QuotedCol;
    case ColourClass::kComment:
      return scheme.CommentCol;
    case ColourClass::kText:
      break;
  }
  return scheme.TextCol;
}

// Text from outside (clipboard, templates, formatter) with its line breaks as the control
// stores them, so positions agree with the control's.
QString ToEditorLineBreaks(const QString& text) { return DecodeSourceFile(text.toUtf8()).text; }

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

SourceEditor::SourceEditor(ProgramSettings& settings, QWidget* parent)
    : QPlainTextEdit(parent), settings_(settings) {
  auto* text = new QTextDocument(this);
  text->setDocumentLayout(new LineLayout(text));
  setDocument(text);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPixelSize(12);
  // Source text needs no ligatures or kerning; skipping the shaper makes laying out a long
  // line about a third cheaper.
  font.setStyleStrategy(QFont::PreferNoShaping);
  setFont(font);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(false);
  setToolTip(QString::fromLatin1(kEditorHint));
  setEnabled(false);  // until a file is opened
  connect(document(), &QTextDocument::contentsChange, this, &SourceEditor::OnContentsChange);
}

qsizetype SourceEditor::TextLength() const {
  return document()->characterCount() - 1 - breaks_.size();
}

QString SourceEditor::EditorText() const { return breaks_.Strip(document()->toRawText()); }

// Read from the document's character store: a text cursor places itself by laying out its
// line, which for a line of megabytes costs seconds on every call.
QString SourceEditor::Slice(qsizetype from, qsizetype length) const {
  const QTextDocument* doc = document();
  const qsizetype end = std::clamp<qsizetype>(from + length, 0, TextLength());
  from = std::clamp<qsizetype>(from, 0, end);
  const qsizetype docFrom = breaks_.CharToDocument(from);
  const qsizetype docEnd = breaks_.ToDocument(end);
  QString text(std::max<qsizetype>(0, docEnd - docFrom), Qt::Uninitialized);
  QChar* out = text.data();
  for (qsizetype pos = docFrom; pos < docEnd; ++pos)
    *out++ = doc->characterAt(static_cast<int>(pos));
  return breaks_.Strip(text, docFrom);
}

int SourceEditor::ColourAt(qsizetype pos) const {
  return colours_.At(pos, settings_.Colours.TextCol);
}

int SourceEditor::ReportedColour(qsizetype pos) const {
  const qsizetype size = colours_.size();
  if (size == 0) return settings_.Colours.TextCol;
  return ColourAt(std::clamp<qsizetype>(pos - 1, 0, size - 1));
}

bool SourceEditor::IsModified() const { return document()->isModified(); }
void SourceEditor::SetModifiedFlag(bool modified) { document()->setModified(modified); }

// ---- whole-text colouring -------------------------------------------------------------

void SourceEditor::LoadSource(const SourceFile& file) {
  setUpdatesEnabled(false);
  file_ = file;
  selfEdit_ = true;
  setPlainText(QString());
  shaped_.Clear();
  LoadPieces(document(), file.text, breaks_);
  document()->setModified(false);
  selfEdit_ = false;
  colours_.Clear();
  colours_.Insert(0, TextLength(), settings_.Colours.TextCol);
  if (settings_.DoColorTags) {
    WaitCursor wait;
    ApplyRuns(file.text, 0, file.text.size(), /*keepOpenComment=*/false);
  }
  if (file_.original.isEmpty()) file_.text.clear();  // only needed to recognise an unchanged text
  ColoursChanged(0, TextLength());
  moveCursor(QTextCursor::Start);
  setEnabled(true);
  setUpdatesEnabled(true);
}

void SourceEditor::ColourWholeStore() {
  WaitCursor wait;
  const QString text = EditorText();
  ApplyRuns(text, 0, text.size(), /*keepOpenComment=*/false);
}

void SourceEditor::ApplyRuns(const QString& text, qsizetype start, qsizetype length,
                             bool keepOpenComment) {
  const ColourScheme& scheme = settings_.Colours;
  for (const ColourRun& run : ScanColourRuns(QStringView(text).left(length))) {
    // While typing, a comment whose end lies outside the span keeps the colours it has.
    if (keepOpenComment && run.colour == ColourClass::kComment && !run.flag) break;
    colours_.Fill(start + run.start, run.length, ColourOf(run.colour, scheme));
  }
  ColoursChanged(start, start + length);
}

void SourceEditor::StreamColouredText(const QString& text, bool replaceAll) {
  if (text.isEmpty()) return;
  const bool wasModified = IsModified();
  const QString inserted = ToEditorLineBreaks(text);
  const qsizetype caret = replaceAll ? 0 : SelectionStart();
  if (replaceAll && inserted == EditorText()) {
    ColourWholeStore();  // a repaint: text, caret and scroll position stay as they are
    return;
  }
  const qsizetype start = replaceAll ? 0 : SelectionStart();
  ReplaceRangeKeepingColour(start, replaceAll ? TextLength() : SelectionLength(), inserted);
  ApplyRuns(inserted, start, inserted.size(), false);
  Select(replaceAll ? SelectionStart() : caret, 0);
  SetModifiedFlag(wasModified);
}

void SourceEditor::PasteColoured() {
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return;
  StreamColouredText(text, false);
  FocusIfUsable();
}

void SourceEditor::RecolourAll() {
  if (!settings_.DoColorTags) return;
  // The text does not change, so caret, selection and scroll position stay where they are.
  ColourWholeStore();
  FocusIfUsable();
}

void SourceEditor::ApplyColourMode(int mode) {
  if (!SetColourMode(mode, &settings_.Colours)) return;
  RecolourAll();
}

void SourceEditor::InsertTemplate(const QString& text) {
  if (text.isEmpty()) return;
  const qsizetype start = SelectionStart();
  const QString inserted = ToEditorLineBreaks(text);
  if (settings_.DoColorTags) {
    StreamColouredText(text, false);
  } else {
    ReplaceRangeKeepingColour(start, SelectionLength(), inserted);
    colours_.Fill(start, inserted.size(), settings_.Colours.TextCol);
    ColoursChanged(start, start + inserted.size());
  }
  Select(start, inserted.size());
  FocusIfUsable();
  Q_EMIT UserEdited();
}

// ---- recolouring around the caret ---------------------------------------------------------

TagSpan SourceEditor::FindTagAround(qsizetype position) const {
  return vistrel::FindTagAround(
      TextLength(), [this](qsizetype from, qsizetype length) { return Slice(from, length); },
      position);
}

void SourceEditor::RecolourRange(const QString& text, qsizetype start, qsizetype length) {
  if (length <= 0 || text.isEmpty()) return;
  length = std::min<qsizetype>(length, text.size());
  ApplyRuns(text, start, length, /*keepOpenComment=*/true);
  if (isVisible()) setFocus();
}

void SourceEditor::RememberCaretContext() {
  const qsizetype p = SelectionStart();
  const qsizetype length = TextLength();
  auto charAt = [&](qsizetype pos) -> char16_t {
    if (pos < 0 || pos >= length) return 0;
    const QChar c = document()->characterAt(static_cast<int>(breaks_.CharToDocument(pos)));
    return c == QChar::ParagraphSeparator ? u'\n' : c.unicode();
  };
  context_.Before = {charAt(p - 1), ReportedColour(p)};
  context_.After = {charAt(p), ReportedColour(p + 1)};
}

void SourceEditor::RecolourTagAtCaret() {
  const TagSpan span = FindTagAround(SelectionStart());
  if (span.Found) RecolourRange(span.Text, span.Start, span.Length);
}

void SourceEditor::RecolourAroundChange(qsizetype from, qsizetype to) {
  const TagSpan before = FindTagAround(from);
  const TagSpan after = FindTagAround(to);
  const qsizetype start = before.Found ? std::min(before.Start, from) : from;
  const qsizetype end = after.Found ? std::max(after.End, to) : to;
  if (end > start) ApplyRuns(Slice(start, end - start), start, end - start, true);
}

// ---- keeping colours in step with the text --------------------------------------------------

void SourceEditor::OnContentsChange(int position, int removed, int added) {
  ++textChanges_;
  if (selfEdit_) return;  // our own edits keep breaks and colours themselves
  const qsizetype at = breaks_.ToText(position);
  const qsizetype textRemoved = removed - breaks_.CountIn(position, position + removed);
  breaks_.Change(position, removed, added, MarkedBreaks(document(), position, position + added));
  const qsizetype textAdded = added - breaks_.CountIn(position, position + added);
  if (changeSource_ != ChangeSource::kExternal && added > 0) {
    cutFrom_ = cutFrom_ < 0 ? position : std::min<qsizetype>(cutFrom_, position);
    cutTo_ = std::max<qsizetype>(cutTo_, position + added);
  }
  int colour = settings_.Colours.TextCol;
  if (typingColour_ >= 0)
    colour = typingColour_;
  else if (changeSource_ == ChangeSource::kPlainPaste)
    colour = settings_.Colours.TextCol;
  else if (textRemoved > 0)
    colour = ColourAt(at);
  else if (at > 0)
    colour = ColourAt(at - 1);
  else
    colour = ColourAt(0);
  colours_.Remove(at, textRemoved);
  colours_.Insert(at, textAdded, colour);
  // The control may count its final paragraph mark in a change; keep the store exactly as
  // long as the text.
  const qsizetype length = TextLength();
  if (colours_.size() > length) colours_.Remove(length, colours_.size() - length);
  if (colours_.size() < length) colours_.Insert(colours_.size(), length - colours_.size(), colour);
  if (changeSource_ == ChangeSource::kExternal && (added > 0 || removed > 0)) {
    // Undo, redo and drops bring back or take away text whose old colours are gone: colour
    // the tags around the change by the rules.
    RecolourAroundChange(at, std::min<qsizetype>(at + textAdded, length));
    Q_EMIT UserEdited();
  }
  // The changed lines get their formats now, before the control lays them out again, so a
  // keystroke costs one layout of its line rather than two.
  QTextBlock block = document()->findBlock(position);
  const QTextBlock last = document()->findBlock(position + added);
  for (int count = 0; block.isValid() && count < 64; ++count) {
    ApplyBlockFormats(block);
    if (block == last) break;
    block = block.next();
  }
}

void SourceEditor::ReplaceRangeKeepingColour(qsizetype start, qsizetype length,
                                             const QString& text) {
  const int colour = length > 0 ? ColourAt(start) : ReportedColour(start);
  const qsizetype docStart = breaks_.ToDocument(start);
  const qsizetype docEnd = breaks_.ToDocument(start + length);
  QTextCursor cursor(document());
  const bool outerEdit = selfEdit_;
  selfEdit_ = true;
  cursor.beginEditBlock();
  cursor.setPosition(static_cast<int>(docStart));
  cursor.setPosition(static_cast<int>(docEnd), QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  breaks_.Change(docStart, docEnd - docStart, 0, {});
  InsertLines(cursor, text, breaks_);
  CutLongBlocks(document(), docStart, cursor.position(), breaks_, /*joinPrevious=*/false);
  cursor.endEditBlock();
  selfEdit_ = outerEdit;
  colours_.Remove(start, length);
  colours_.Insert(start, text.size(), colour);
  ColoursChanged(start, start + text.size());
}

// ---- keyboard ---------------------------------------------------------------------------

void SourceEditor::keyPressEvent(QKeyEvent* event) {
  const KeyDecision decision = DecideKeyDown(event->key(), event->modifiers());
  pendingKey_ = decision.pendingKey;
  switch (decision.command) {
    case EditorCommand::kColourMode:
      Q_EMIT ColourModeRequested(decision.mode);
      break;
    case EditorCommand::kSearchReplace:
      Q_EMIT SearchReplaceRequested();
      break;
    case EditorCommand::kTagTemplate:
      Q_EMIT TagTemplateRequested();
      break;
    case EditorCommand::kSave:
      Q_EMIT SaveRequested();
      break;
    case EditorCommand::kNone:
      break;
  }
  if (decision.swallow) {
    pendingKey_ = kPendingNone;
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    pendingKey_ = kPendingNone;
    event->ignore();  // the window closes
    return;
  }
  if (pendingKey_ == kPendingPaste && settings_.DoColorTags) {
    PasteColoured();
    RememberCaretContext();
    Q_EMIT UserEdited();
    pendingKey_ = kPendingNone;
    event->accept();
    return;
  }
  if (pendingKey_ > kPendingHandled) {
    RememberCaretContext();
    Q_EMIT UserEdited();
  }

  // The character step: only for keys that put a character into the text.
  const QString typed = event->text();
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool insertsCharacter =
      enter || (!typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == u'\t') &&
                !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)));
  bool typing = false;
  if (pendingKey_ == kPendingNone && insertsCharacter && !isReadOnly()) {
    const char16_t c = enter ? u'\r' : typed.at(0).unicode();
    RememberCaretContext();
    Q_EMIT UserEdited();
    const int colour = ChooseTypedColour(c, context_, settings_.Colours);
    if (!textCursor().hasSelection()) typingColour_ = colour;
    if (IsTriggerCharacter(c)) pendingKey_ = c;
    typing = true;
  }

  if (typing || pendingKey_ == kPendingBackspace || pendingKey_ == kPendingDelete ||
      pendingKey_ == kPendingCut)
    changeSource_ = ChangeSource::kTyping;
  else if (pendingKey_ == kPendingPaste)
    changeSource_ = ChangeSource::kPlainPaste;
  const int changesBefore = textChanges_;
  PassKeyToControl(event);
  changeSource_ = ChangeSource::kExternal;
  CutGrownPieces();
  typingColour_ = -1;

  // The text-changed step.
  if (textChanges_ != changesBefore && pendingKey_ != kPendingNone) {
    const bool recolour = ShouldRecolourAfterChange(pendingKey_, context_);
    pendingKey_ = kPendingNone;
    if (recolour) RecolourTagAtCaret();
  }
  pendingKey_ = kPendingNone;
}

void SourceEditor::PassKeyToControl(QKeyEvent* event) {
  QTextCursor cursor = textCursor();
  const qsizetype doc = cursor.position();
  const qsizetype at = breaks_.ToText(doc);
  const bool plain = !cursor.hasSelection() && !(event->modifiers() & ~Qt::KeypadModifier);
  const int key = event->key();
  // Backspace and Delete next to a display break take the character beyond it.
  const bool backAtBreak = key == Qt::Key_Backspace && breaks_.IsBreak(doc - 1) && at > 0;
  const bool deleteAtBreak = key == Qt::Key_Delete && breaks_.IsBreak(doc) && at < TextLength();
  if (plain && (backAtBreak || deleteAtBreak)) {
    // A surrogate pair goes whole, as the control would take it.
    qsizetype from = backAtBreak ? at - 1 : at, to = from + 1;
    const QString around = Slice(from - 1, 3);
    if (backAtBreak && from > 0 && around[1].isLowSurrogate() && around[0].isHighSurrogate())
      --from;
    if (!backAtBreak && to < TextLength() && QChar(around.back()).isLowSurrogate() &&
        around[from > 0 ? 1 : 0].isHighSurrogate())
      ++to;
    QTextCursor edit(document());
    edit.setPosition(static_cast<int>(breaks_.CharToDocument(from)));
    edit.setPosition(static_cast<int>(breaks_.ToDocument(to)), QTextCursor::KeepAnchor);
    edit.removeSelectedText();
    event->accept();
    return;
  }
  // A line break typed in a continuation piece starts a real line, not another piece.
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
      !(event->modifiers() & Qt::ShiftModifier) && ContinuesLine(cursor.block())) {
    cursor.insertBlock(QTextBlockFormat());
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
  // A step onto the far side of a display break is no step in the text: take one more.
  const qsizetype moved = textCursor().position();
  if ((key == Qt::Key_Left || key == Qt::Key_Right) && moved != doc && breaks_.ToText(moved) == at)
    QPlainTextEdit::keyPressEvent(event);
}

void SourceEditor::CutGrownPieces() {
  if (cutFrom_ < 0) return;
  const qsizetype from = cutFrom_, to = cutTo_;
  cutFrom_ = cutTo_ = -1;
  const bool outerEdit = selfEdit_;
  selfEdit_ = true;
  // Joined to the keystroke's undo step, so undo never meets a piece it did not make.
  const bool cut = CutLongBlocks(document(), from, to, breaks_, /*joinPrevious=*/true);
  selfEdit_ = outerEdit;
  if (cut) ColoursChanged(breaks_.ToText(from), breaks_.ToText(to));
}

void SourceEditor::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) return;
  const QString text = ToEditorLineBreaks(source->text());
  const qsizetype start = SelectionStart();
  ReplaceRangeKeepingColour(start, SelectionLength(), text);
  if (changeSource_ == ChangeSource::kPlainPaste) {
    colours_.Fill(start, text.size(), settings_.Colours.TextCol);
    ColoursChanged(start, start + text.size());
  } else {
    // Drops bring text whose colours are unknown: colour the tags around it by the rules.
    RecolourAroundChange(start, start + text.size());
    Q_EMIT UserEdited();
  }
  Select(start + text.size(), 0);
  ensureCursorVisible();
}

// The control would remove dragged text inside an edit step whose change it reports only at
// the end, after the insertion has been placed by display breaks that had not yet followed
// the removal: a move within the editor is done here as one undo step.
void SourceEditor::dropEvent(QDropEvent* event) {
  const QMimeData* data = event->mimeData();
  if (isReadOnly() || !data || !data->hasText()) {
    QPlainTextEdit::dropEvent(event);
    return;
  }
  qsizetype at = breaks_.ToText(cursorForPosition(event->position().toPoint()).position());
  const qsizetype from = SelectionStart(), length = SelectionLength();
  const bool move = event->source() == this && event->dropAction() == Qt::MoveAction;
  if (move && at >= from && at <= from + length) {
    event->ignore();  // dropped onto itself
    return;
  }
  QTextCursor step(document());
  const bool outerEdit = selfEdit_;
  step.beginEditBlock();
  if (move) {
    ReplaceRangeKeepingColour(from, length, QString());
    if (at > from) at -= length;
  }
  Select(at, 0);
  insertFromMimeData(data);
  selfEdit_ = true;
  step.endEditBlock();
  selfEdit_ = outerEdit;
  event->acceptProposedAction();
}

// ---- copying ----------------------------------------------------------------------------

QMimeData* SourceEditor::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  const QString text = SelectedText();
  data->setText(text);
  if (!text.isEmpty())
    data->setData(QStringLiteral("text/rtf"), BuildColouredRtf(text, settings_.Colours));
  return data;
}

// ---- search target -----------------------------------------------------------------------

qsizetype SourceEditor::SelectionStart() const {
  return breaks_.ToText(textCursor().selectionStart());
}

qsizetype SourceEditor::SelectionLength() const {
  return breaks_.ToText(textCursor().selectionEnd()) - SelectionStart();
}

QString SourceEditor::SelectedText() const {
  return WithLineBreaks(Slice(SelectionStart(), SelectionLength()), QStringLiteral("\n"));
}

void SourceEditor::Select(qsizetype start, qsizetype length) {
  const qsizetype end = std::clamp<qsizetype>(start + length, 0, TextLength());
  start = std::clamp<qsizetype>(start, 0, TextLength());
  QTextCursor cursor = textCursor();
  // A caret at a display break goes to the start of the next piece, where typing lands.
  cursor.setPosition(
      static_cast<int>(length == 0 ? breaks_.CharToDocument(start) : breaks_.ToDocument(start)));
  cursor.setPosition(static_cast<int>(breaks_.ToDocument(end)), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

void SourceEditor::ReplaceSelection(const QString& text) {
  // Replaced text is not recoloured: it takes the colour of what it replaces.
  ReplaceRangeKeepingColour(SelectionStart(), SelectionLength(), text);
}

void SourceEditor::ReplaceRanges(const std::vector<std::pair<qsizetype, qsizetype>>& ranges,
                                 const QString& replacement) {
  if (ranges.empty()) return;
  QTextCursor block(document());
  // One undo step for all of them; the control reports the whole block as one change when
  // it ends, which the colours have already followed.
  selfEdit_ = true;
  block.beginEditBlock();
  for (auto it = ranges.rbegin(); it != ranges.rend(); ++it)
    ReplaceRangeKeepingColour(it->first, it->second, replacement);
  block.endEditBlock();
  selfEdit_ = false;
  qsizetype end = ranges.back().first + replacement.size();
  for (size_t i = 0; i + 1 < ranges.size(); ++i) end += replacement.size() - ranges[i].second;
  Select(end, 0);
}

void SourceEditor::FocusIfUsable() {
  if (isVisible() && isEnabled()) setFocus();
}

}  // namespace vistrel
