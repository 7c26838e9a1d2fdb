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

namespace {

// Formatting runs while the source is cut into tokens, piece by piece: the token stream of a
// large page is never held whole.
QString RunFormat(const EditorAccess& editor, const Style& style, LineFormatter::Sink sink,
                  const RunHooks& hooks) {
  QString source = editor.SelectedText();
  if (source.contains(QLatin1Char('\r')))
    source.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  RunPacer pacer(hooks);
  LineFormatter formatter(style, BaseIndentOf(editor), pacer);
  formatter.Begin(std::move(sink), source.size() + source.size() / 4);
  Tokeniser(source, style, pacer).Tokenise([&](const TokenStream& tokens) {
    formatter.AddTokens(tokens);
  });
  return formatter.Finish();
}

}  // namespace

QString FormatSelection(const EditorAccess& editor, const Style& style, const RunHooks& hooks) {
  return RunFormat(editor, style, {}, hooks);
}

void FormatSelectionTo(const EditorAccess& editor, const Style& style,
                       const std::function<void(QStringView)>& sink, const RunHooks& hooks) {
  RunFormat(editor, style, sink, hooks);
}

}  // namespace vistrel
