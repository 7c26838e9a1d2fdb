#include "formatter/format_driver.h"

#include "formatter/line_formatter.h"
#include "formatter/tokeniser.h"

namespace vistrel {

QString BaseIndentOf(const EditorAccess& editor) {
  const QString line = editor.LineText(editor.LineOfPosition(editor.SelectionStart()));
  qsizetype blanks = 0;
  while (blanks < line.size() &&
         (line.at(blanks) == QLatin1Char(' ') || line.at(blanks) == QLatin1Char('\t')))
    ++blanks;
  return line.left(blanks);
}

QString FormatSelection(const EditorAccess& editor, const Style& style, const RunHooks& hooks) {
  QString source = editor.SelectedText();
  if (source.contains(QLatin1Char('\r')))
    source.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  RunPacer pacer(hooks);
  TokenStream tokens = Tokeniser(source, style, pacer).Tokenise();
  source = QString();
  return LineFormatter(style, BaseIndentOf(editor), pacer).FormatLines(tokens);
}

}  // namespace vistrel
