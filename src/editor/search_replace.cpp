#include "editor/search_replace.h"

#include "core/prompter.h"

namespace vistrel {

namespace {

bool IsWordCharacter(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

}  // namespace

qsizetype FindInText(QStringView text, QStringView what, qsizetype from,
                     const SearchOptions& options) {
  if (what.isEmpty() || from < 0) return -1;
  const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (qsizetype at = text.indexOf(what, from, cs); at >= 0; at = text.indexOf(what, at + 1, cs)) {
    if (!options.wholeWord) return at;
    const qsizetype end = at + what.size();
    const bool startsWord = at == 0 || !IsWordCharacter(text[at - 1]);
    const bool endsWord = end >= text.size() || !IsWordCharacter(text[end]);
    if (startsWord && endsWord) return at;
  }
  return -1;
}

QString NotFoundMessage(const QString& findText) {
  return QStringLiteral("\"") + findText + QStringLiteral("\" not found.");
}

QString ReplaceDoneMessage(const QString& findText, int count) {
  return QStringLiteral("\"") + findText + QStringLiteral("\", Replace done: ") +
         QString::number(count) + QStringLiteral(" times");
}

void FindAndReplace(SearchTarget& target, const QString& findText, const QString& replaceText,
                    bool doReplace, const SearchOptions& options, Prompter& prompter,
                    const std::function<void()>& modified) {
  const qsizetype selection = target.SelectionLength();
  const qsizetype start = selection > 0 ? target.SelectionStart() + selection : 0;
  const qsizetype found = FindInText(target.SearchText(), findText, start, options);
  if (found < 0) {
    prompter.Information(NotFoundMessage(findText));
    return;
  }
  target.FocusIfUsable();
  target.Select(found, findText.size());
  if (!doReplace) return;
  if (options.replaceAll) {
    ReplaceAllFrom(target, findText, replaceText, options, found, prompter);
  } else {
    target.ReplaceSelection(replaceText);
    target.Select(found, replaceText.size());
  }
  if (modified) modified();
}

int ReplaceAllFrom(SearchTarget& target, const QString& findText, const QString& replaceText,
                   const SearchOptions& options, qsizetype first, Prompter& prompter) {
  // Each search continues in the original text after the previous match, which is what the
  // text after the inserted replacement is; only the character before a match can differ
  // (it may be the replacement's last one), which matters for whole words. The editor then
  // takes all replacements in one step.
  const QString text = target.SearchText();
  const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  std::vector<std::pair<qsizetype, qsizetype>> ranges;
  qsizetype pos = first;
  QChar beforePos = pos > 0 && pos <= text.size() ? text[pos - 1] : QChar();
  while (!findText.isEmpty() && pos >= 0 && pos <= text.size()) {
    qsizetype at = text.indexOf(findText, pos, cs);
    while (at >= 0 && options.wholeWord) {
      const QChar before = at == pos ? beforePos : text[at - 1];
      const qsizetype end = at + findText.size();
      const bool startsWord = before.isNull() || !IsWordCharacter(before);
      const bool endsWord = end >= text.size() || !IsWordCharacter(text[end]);
      if (startsWord && endsWord) break;
      at = text.indexOf(findText, at + 1, cs);
    }
    if (at < 0) break;
    ranges.emplace_back(at, findText.size());
    if (!replaceText.isEmpty())
      beforePos = replaceText.back();
    else if (at != pos)
      beforePos = text[at - 1];
    pos = at + findText.size();
  }
  if (!ranges.empty()) target.ReplaceRanges(ranges, replaceText);
  const int count = static_cast<int>(ranges.size());
  prompter.Information(ReplaceDoneMessage(findText, count));
  return count;
}

}  // namespace vistrel
