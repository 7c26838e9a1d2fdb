#pragma once

#include <QString>
#include <QStringView>
#include <functional>

namespace vistrel {

class Prompter;

struct SearchOptions {
  bool matchCase = false;
  bool wholeWord = false;
  bool replaceAll = false;  // the Replace All button rather than Replace
};

// Position of the first match of `what` at or after `from` in `text`, or -1.
qsizetype FindInText(QStringView text, QStringView what, qsizetype from,
                     const SearchOptions& options);

// The editor as the search sees it: text, selection, replacing the selection.
class SearchTarget {
 public:
  virtual ~SearchTarget() = default;
  virtual QString SearchText() const = 0;
  virtual qsizetype SelectionStart() const = 0;
  virtual qsizetype SelectionLength() const = 0;
  virtual void Select(qsizetype start, qsizetype length) = 0;
  virtual void ReplaceSelection(const QString& text) = 0;
  // Replaces every (position, length) of the current text in one step of the undo history.
  virtual void ReplaceRanges(const std::vector<std::pair<qsizetype, qsizetype>>& ranges,
                             const QString& replacement) = 0;
  virtual void FocusIfUsable() = 0;
};

// The "abc" not found. / Replace done messages, exactly as shown.
QString NotFoundMessage(const QString& findText);
QString ReplaceDoneMessage(const QString& findText, int count);

// One Find Next, Replace or Replace All: searches forward from just after the selection (the
// start of the text without one); the direction choice plays no part. `modified` is called
// after any replacement.
void FindAndReplace(SearchTarget& target, const QString& findText, const QString& replaceText,
                    bool doReplace, const SearchOptions& options, Prompter& prompter,
                    const std::function<void()>& modified);

// Replaces every match from `first` on, each search continuing after the previous
// replacement, and reports the count. Returns the count.
int ReplaceAllFrom(SearchTarget& target, const QString& findText, const QString& replaceText,
                   const SearchOptions& options, qsizetype first, Prompter& prompter);

}  // namespace vistrel
