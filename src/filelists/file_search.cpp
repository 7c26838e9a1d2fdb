#include "filelists/file_search.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFile>
#include <set>
#include <utility>
#include <vector>

#include "app/core/pattern_match.h"
#include "app/core/program_folder.h"
#include "app/core/text_paths.h"
#include "filelists/list_entry.h"

namespace vistrel {

namespace {

struct RawEntry {
  QByteArray name;
  bool isDir = false;
};

// Reads the whole folder first so no directory handle stays open while descending: deep
// trees would otherwise run out of file descriptors.
bool ReadFolder(const QByteArray& folder, std::vector<RawEntry>* entries,
                std::pair<dev_t, ino_t>* identity) {
  DIR* dir = opendir(folder.constData());
  if (!dir) return false;
  struct stat own {};
  if (identity && fstat(dirfd(dir), &own) == 0) *identity = {own.st_dev, own.st_ino};
  while (const dirent* d = readdir(dir)) {
    const char* name = d->d_name;
    if (name[0] == '.') continue;  // hidden, and "." / ".."
    RawEntry entry;
    entry.name = QByteArray(name);
    if (d->d_type == DT_DIR) {
      entry.isDir = true;
    } else if (d->d_type == DT_UNKNOWN) {
      struct stat st {};
      const QByteArray full = folder + entry.name;
      entry.isDir = lstat(full.constData(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    entries->push_back(std::move(entry));
  }
  closedir(dir);
  return true;
}

// The name as the rest of the program will spell it, or "" when that spelling would not
// reach the same file (bytes that are not valid in the file-name encoding).
QString DecodedName(const QByteArray& raw) {
  QString name = QFile::decodeName(raw);
  return QFile::encodeName(name) == raw ? name : QString();
}

DirectoryEntry EntryOf(const QByteArray& fullPath, const QString& name) {
  DirectoryEntry entry;
  entry.name = name;
  struct stat st {};
  if (stat(fullPath.constData(), &st) != 0 && lstat(fullPath.constData(), &st) != 0) return entry;
  entry.isDir = S_ISDIR(st.st_mode);
  entry.size = entry.isDir ? 0 : qint64(st.st_size);
  entry.stampNs = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return entry;
}

bool IsVtiFolder(const QByteArray& name) {
  return name.toLower().contains("_vti_cnf");
}

class TreeWalk {
 public:
  TreeWalk(const SearchRequest& request, QStringList& target)
      : request_(request), target_(target) {
    timer_.start();
  }

  void Walk(const QString& folder, const QByteArray& rawFolder) {
    std::vector<RawEntry> entries;
    std::pair<dev_t, ino_t> identity{0, 0};
    if (!ReadFolder(rawFolder, &entries, &identity)) return;
    if (!visited_.insert(identity).second) return;
    const bool mayDescend = request_.includeThumbnailFolder || request_.thumbFolder.isEmpty() ||
                            !IsInThumbFolder(folder, request_.thumbFolder);
    for (const RawEntry& raw : entries) {
      Breathe();
      if (raw.isDir && mayDescend && !IsVtiFolder(raw.name)) {
        const QString name = DecodedName(raw.name);
        if (name.isEmpty() || (request_.asListEntries && !FitsInListEntry(name))) {
          ++outcome_.leftOut;
          continue;
        }
        Walk(folder + name + QLatin1Char('/'), rawFolder + raw.name + '/');
        continue;
      }
      AddIfMatching(folder, rawFolder, raw.name);
    }
  }

  void AddIfMatching(const QString& folder, const QByteArray& rawFolder, const QByteArray& raw) {
    const QString name = QFile::decodeName(raw);
    if (!MatchesPatternList(name, request_.patternList)) return;
    if (QFile::encodeName(name) != raw ||
        (request_.asListEntries && !FitsInListEntry(name))) {
      ++outcome_.leftOut;
      return;
    }
    if (request_.asListEntries)
      target_.append(MakeListEntry(folder, EntryOf(rawFolder + raw, name)));
    else
      target_.append(folder + name);
  }

  SearchOutcome outcome() const { return outcome_; }

 private:
  void Breathe() {
    if (request_.processEvents && timer_.elapsed() >= 20) {
      request_.processEvents();
      timer_.restart();
    }
  }

  const SearchRequest& request_;
  QStringList& target_;
  QElapsedTimer timer_;
  std::set<std::pair<dev_t, ino_t>> visited_;
  SearchOutcome outcome_;
};

}  // namespace

SearchOutcome SearchFolderTree(const SearchRequest& request, QStringList& target) {
  TreeWalk walk(request, target);
  const QString folder = IncludeTrailingSeparator(request.folder);
  if (request.asListEntries && !FitsInListEntry(folder)) return SearchOutcome{1};
  walk.Walk(folder, QFile::encodeName(folder));
  return walk.outcome();
}

SearchOutcome SearchFolder(QStringList& target, const QString& folder, const QString& patternList) {
  SearchRequest request;
  request.folder = IncludeTrailingSeparator(folder);
  request.patternList = patternList;
  TreeWalk walk(request, target);
  if (!FitsInListEntry(request.folder)) return SearchOutcome{1};
  const QByteArray rawFolder = QFile::encodeName(request.folder);
  std::vector<RawEntry> entries;
  if (!ReadFolder(rawFolder, &entries, nullptr)) return {};
  for (const RawEntry& raw : entries) walk.AddIfMatching(request.folder, rawFolder, raw.name);
  return walk.outcome();
}

}  // namespace vistrel
