#include "thumbnails/thumb_commands.h"

#include "core/batch_progress.h"
#include "core/disk_name.h"
#include "core/page_list.h"
#include "core/prompter.h"
#include "snapshots/disk_space.h"
#include "thumbnails/thumb_store.h"

namespace vistrel {

namespace {
const char* const kCannotCreate = "Cannot create thumbnail.";
const char* const kCannotClear = "Cannot clear thumbnail.";
const char* const kNoSelection = "No file(s) selected ...";
const char* const kTimedOutHead = "Taken as painted when the timeout came:";
const char* const kFailedHead = "No thumbnail made for:";
constexpr int kNamesShown = 10;

// Up to kNamesShown lines under head, and how many more there are.
QString NamedLines(const char* head, const QStringList& lines) {
  QString text = QLatin1String(head);
  for (int i = 0; i < lines.size() && i < kNamesShown; ++i)
    text += QStringLiteral("\r\n") + lines.at(i);
  if (lines.size() > kNamesShown)
    text += QStringLiteral("\r\n... and %1 more").arg(lines.size() - kNamesShown);
  return text;
}

// The pages of a batch that timed out or got no thumbnail, told once it has ended.
class BatchSummary {
 public:
  void Note(const QString& file, const ThumbOutcome& outcome) {
    if (outcome.made && outcome.timedOut) timedOut_ << PrintableName(file);
    if (!outcome.made && !outcome.problem.isEmpty())
      failed_ << PrintableName(file) + QStringLiteral(": ") + outcome.problem;
  }
  void Tell(Prompter& prompter) const {
    QStringList parts;
    if (!timedOut_.isEmpty()) parts << NamedLines(kTimedOutHead, timedOut_);
    if (!failed_.isEmpty()) parts << NamedLines(kFailedHead, failed_);
    if (!parts.isEmpty()) prompter.Information(parts.join(QStringLiteral("\r\n\r\n")));
  }

 private:
  QStringList timedOut_;
  QStringList failed_;
};

// Does one file; false when the disk is too full to go on.
bool MakeOrClearOne(ThumbStore& store, Prompter& prompter, const QString& file, bool make) {
  if (!make) {
    store.ClearThumb(file);
    return true;
  }
  if (KindOf(file) == FileKind::kOther) {
    prompter.Information(PrintableName(file) + QStringLiteral(" is not a regular file"));
    return true;
  }
  if (!EnoughDiskSpace(store.ThumbFolder(), kThumbMinimumKb, prompter)) return false;
  store.MakeThumb(file);
  return true;
}
}  // namespace

void MakeOrClearSelection(ThumbStore& store, Prompter& prompter, BatchProgress& progress,
                          const PageList& list, bool make, const SelectionCommandHooks& hooks,
                          int timeoutMs) {
  const int selected = list.SelectedCount();
  if (selected < 1) {
    prompter.Information(QLatin1String(make ? kCannotCreate : kCannotClear) +
                         QStringLiteral("\r\n") + QLatin1String(kNoSelection));
    return;
  }
  if (selected == 1) {
    const QString file = list.CurrentFile();
    if (!file.isEmpty()) MakeOrClearOne(store, prompter, file, make);
    if (hooks.showThumbCorner) hooks.showThumbCorner();
    if (hooks.redrawItem) {
      for (int i = 0; i < list.ItemCount(); ++i) {
        if (list.IsSelected(i)) {
          hooks.redrawItem(i);
          break;
        }
      }
    }
    return;
  }
  if (!make) {
    RunSelectedBatch(list, progress, [&](int index, const QString& file) {
      MakeOrClearOne(store, prompter, file, false);
      if (hooks.redrawItem) hooks.redrawItem(index);
      return true;
    });
    return;
  }
  // Several pages render at once; each item is redrawn and counted in the order of the list
  // as soon as it and those before it are done.
  BatchSummary summary;
  {  // the progress window is given back before the summary is told
    const SelectedItems items = SelectedItemsOf(list);
    OrderedBatchProgress shown(progress, items.paths);
    ThumbBatchHooks batch;
    batch.admit = [&](int, const QString&) {
      return EnoughDiskSpace(store.ThumbFolder(), kThumbMinimumKb, prompter);
    };
    batch.done = [&](int n, const QString& file, const ThumbOutcome& outcome) {
      summary.Note(file, outcome);
      if (hooks.redrawItem) hooks.redrawItem(items.indexes[size_t(n)]);
      shown.Done(n);
      return true;
    };
    batch.stopAsked = [&shown] { return shown.AbortRequested(); };
    store.MakeThumbs(items.paths, batch, timeoutMs);
  }
  summary.Tell(prompter);
}

}  // namespace vistrel
