#include <sys/stat.h>

#include <QTextBlock>
#include <QTextDocument>

#include "core/disk_name.h"
#include "core/prompter.h"
#include "editor/piece_document.h"
#include "editor/source_editor.h"

// Reading and writing files, and whole lines for the formatter.
namespace vistrel {

namespace {
const char* const kSavingErrorStart = "File saving error in:\r\n";
const char* const kSavingErrorEnd = "\r\nPlease check diskspace and writing permissions...";
}  // namespace

QString SourceEditor::TooLargeNotice(const QString& fileName) {
  struct stat status {};
  if (KindOf(fileName, &status) != FileKind::kRegular || status.st_size <= kMaxFileBytes)
    return QString();
  return QStringLiteral(
             "%1 is %2 MB, too large for the editor (at most %3 MB). The preview "
             "shows it.")
      .arg(PrintableName(fileName))
      .arg(status.st_size / 1e6, 0, 'f', 1)
      .arg(kMaxFileBytes / 1e6, 0, 'f', 1);
}

void SourceEditor::ShowNotice(const QString& notice) {
  setPlainText(notice);
  setEnabled(false);
  file_ = SourceFile();
}

bool SourceEditor::LoadIntoEditor(const QString& fileName, QString* error) {
  QByteArray bytes;
  if (!ReadWholeFile(fileName, &bytes, error)) return false;
  LoadSource(DecodeSourceFile(bytes));
  return true;
}

QByteArray SourceEditor::BytesForSaving() const { return EncodeSourceFile(EditorText(), file_); }

bool SourceEditor::WriteToFile(const QString& fileName, Prompter& prompter) {
  if (WriteFileAtomically(fileName, BytesForSaving())) return true;
  prompter.Information(QString::fromLatin1(kSavingErrorStart) + fileName +
                       QString::fromLatin1(kSavingErrorEnd));
  return false;
}

qsizetype SourceEditor::LineOfPosition(qsizetype position) const {
  const QTextBlock block =
      document()->findBlock(static_cast<int>(breaks_.ToDocument(std::max<qsizetype>(0, position))));
  return block.blockNumber() - breaks_.CountIn(0, block.position());
}

QString SourceEditor::LineText(qsizetype line) const {
  QTextBlock block = document()->begin();
  for (qsizetype found = 0; block.isValid(); block = block.next()) {
    if (!ContinuesLine(block) && found++ == line) break;
  }
  QString text;
  for (; block.isValid(); block = block.next()) {
    text += block.text();
    if (!block.next().isValid() || !ContinuesLine(block.next())) break;
  }
  return text;
}

}  // namespace vistrel
