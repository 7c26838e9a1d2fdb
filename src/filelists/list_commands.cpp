#include "filelists/list_commands.h"

#include <algorithm>

#include "core/disk_name.h"
#include "core/text_paths.h"
#include "filelists/list_entry.h"
#include "filelists/list_file.h"
#include "filelists/native_entry.h"

namespace vistrel {

namespace {

const char kNamesLeftOut[] =
    " file name(s) left out: a list entry cannot hold \"*\" or a line break:";

}  // namespace

QString LeftOutMessage(const QStringList& leftOut) {
  constexpr qsizetype kShown = 10;
  QString message = QString::number(leftOut.size()) + QString::fromLatin1(kNamesLeftOut);
  for (qsizetype i = 0; i < std::min(kShown, leftOut.size()); ++i)
    message += QStringLiteral("\r\n") + leftOut.at(i);
  if (leftOut.size() > kShown) message += QStringLiteral("\r\n...");
  return message;
}

QString DialogFilter(const QString& filterText) {
  const QStringList parts = filterText.split(QLatin1Char('|'));
  QStringList choices;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    choices.append(parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return choices.join(QStringLiteral(";;"));
}

ListSearchResult SearchIntoList(const ListSearch& search, QStringList existing, bool addToList) {
  ListSearchResult result;
  result.lines = std::move(existing);
  result.before = result.lines.size();
  SearchOutcome outcome;
  if (search.includeSubfolders) {
    SearchRequest request;
    request.folder = search.folder;
    request.patternList = search.patternList;
    request.asListEntries = true;
    request.includeThumbnailFolder = false;
    request.thumbFolder = search.thumbFolder;
    request.processEvents = search.processEvents;
    outcome = SearchFolderTree(request, result.lines);
  } else {
    outcome = SearchFolder(result.lines, search.folder, search.patternList);
  }
  if (addToList) RemoveDuplicateEntries(result.lines);
  result.leftOut = outcome.leftOut;
  return result;
}

QString SearchFinishedMessage(qsizetype count, qsizetype added) {
  QString message = QStringLiteral("\r\nSearch finished.\r\n") + QString::number(count) +
                    QStringLiteral(" unique entries in list.\r\n");
  if (added > 0) message += QString::number(added) + QStringLiteral(" new entries added.\r\n");
  return message + QStringLiteral("Save results?");
}

QStringList AddFilesToList(const QStringList& chosen, QStringList& lines) {
  QStringList leftOut;
  if (chosen.isEmpty()) return leftOut;
  const QString folder = FolderOfPath(chosen.first());
  for (const QString& file : chosen) {
    DirectoryEntry entry;
    if (LookUpEntry(file, &entry) != EntryLookup::kFound || entry.isHidden) continue;
    if (!FitsInListEntry(folder) || !FitsInListEntry(entry.name)) {
      leftOut.append(PrintableName(file));
      continue;
    }
    lines.append(MakeListEntry(folder, entry));
  }
  RemoveDuplicateEntries(lines);
  return leftOut;
}

bool ReadMergedLists(const QString& folder, const QStringList& names, QStringList* merged,
                     QString* error) {
  merged->clear();
  for (const QString& name : names) {
    QStringList lines;
    if (!ReadListFile(folder + name, &lines, error)) return false;
    *merged += lines;
  }
  RemoveDuplicateEntries(*merged);
  return true;
}

}  // namespace vistrel
