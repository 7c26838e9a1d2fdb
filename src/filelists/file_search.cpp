#include "filelists/file_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <set>
#include <utility>
#include <vector>

#include "core/pattern_match.h"
#include "core/program_folder.h"
#include "core/text_paths.h"
#include "filelists/list_entry.h"
#include "filelists/native_entry.h"

namespace vistrel {

namespace {

struct RawEntry {
  QByteArray name;
  bool isDir = false;
  bool hasStatus = false;
  DirectoryEntry status;  // size and time, for the entries that will be listed
};

// Whether a name fits the pattern list, remembered per extension: the test depends on
// nothing else, and most names of a tree share a handful of extensions.
class PatternCache {
 public:
  explicit PatternCache(const QString& patternList) : patternList_(patternList) {}
  bool Matches(const QByteArray& rawName) {
    const qsizetype dot = rawName.lastIndexOf('.');
    if (dot < 0) return false;
    const QByteArray tail = rawName.mid(dot);
    const auto known = known_.constFind(tail);
    if (known != known_.constEnd()) return *known;
    const bool fits = MatchesPatternList(QFile::decodeName(tail), patternList_);
    known_.insert(tail, fits);
    return fits;
  }

 private:
  QString patternList_;
  QHash<QByteArray, bool> known_;
};

// Reads the whole folder, and the status of the entries that will be listed, before anything
// is descended into: no directory handle stays open during the descent (deep trees would run
// out of them), and status is read relative to the open folder instead of by full path.
// wantStatus tells which entries will be listed.
template <typename WantStatus>
bool ReadFolder(const QByteArray& folder, std::vector<RawEntry>* entries,
                std::pair<dev_t, ino_t>* identity, WantStatus wantStatus) {
  DIR* dir = opendir(folder.constData());
  if (!dir) return false;
  const int fd = dirfd(dir);
  struct stat own {};
  if (identity && fstat(fd, &own) == 0) *identity = {own.st_dev, own.st_ino};
  while (const dirent* d = readdir(dir)) {
    const char* name = d->d_name;
    if (name[0] == '.') continue;  // hidden, and "." / ".."
    RawEntry entry;
    entry.name = QByteArray(name);
    if (d->d_type == DT_DIR) {
      entry.isDir = true;
    } else if (d->d_type == DT_UNKNOWN) {
      struct stat st {};
      entry.isDir = fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
    }
    if (wantStatus(entry)) {
      // Follow a link to report what it points at; a dangling one reports itself.
      struct stat st {};
      entry.hasStatus =
          fstatat(fd, name, &st, 0) == 0 || fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0;
      if (entry.hasStatus) entry.status = EntryFromStatus(st, QString());
    }
    entries->push_back(std::move(entry));
  }
  closedir(dir);
  return true;
}

// The name as the rest of the program will spell it, or "" when that spelling would not
// reach the same file (bytes that are not valid in the file-name encoding).
QString DecodedName(const QByteArray& raw) {
  bool ascii = true;
  for (char c : raw) ascii = ascii && (static_cast<unsigned char>(c) < 0x80);
  if (ascii) return QString::fromLatin1(raw);  // always the same bytes again
  QString name = QFile::decodeName(raw);
  return QFile::encodeName(name) == raw ? name : QString();
}

DirectoryEntry EntryOf(const RawEntry& raw, const QString& name) {
  DirectoryEntry entry = raw.status;
  entry.name = name;
  return entry;
}

bool IsVtiFolder(const QByteArray& name) { return name.toLower().contains("_vti_cnf"); }

class TreeWalk {
 public:
  TreeWalk(const SearchRequest& request, QStringList& target)
      : request_(request), target_(target), patterns_(request.patternList) {
    timer_.start();
  }

  void Walk(const QString& folder, const QByteArray& rawFolder) {
    const bool mayDescend = request_.includeThumbnailFolder || request_.thumbFolder.isEmpty() ||
                            !IsInThumbFolder(folder, request_.thumbFolder);
    const auto entered = [mayDescend](const RawEntry& e) {
      return e.isDir && mayDescend && !IsVtiFolder(e.name);
    };
    std::vector<RawEntry> entries;
    entries.reserve(64);
    std::pair<dev_t, ino_t> identity{0, 0};
    const bool statHits = request_.asListEntries;
    if (!ReadFolder(rawFolder, &entries, &identity, [&](const RawEntry& e) {
          return statHits && !entered(e) && patterns_.Matches(e.name);
        }))
      return;
    if (!visited_.insert(identity).second) return;
    for (const RawEntry& raw : entries) {
      Breathe();
      if (entered(raw)) {
        const QString name = DecodedName(raw.name);
        if (name.isEmpty() || (request_.asListEntries && !FitsInListEntry(name))) {
          ++outcome_.leftOut;
          continue;
        }
        Walk(folder + name + QLatin1Char('/'), rawFolder + raw.name + '/');
        continue;
      }
      AddIfMatching(folder, raw);
    }
  }

  // The entries of one folder, none entered.
  void ListFolder(const QString& folder) {
    std::vector<RawEntry> entries;
    if (!ReadFolder(QFile::encodeName(folder), &entries, nullptr,
                    [this](const RawEntry& e) { return patterns_.Matches(e.name); }))
      return;
    for (const RawEntry& raw : entries) AddIfMatching(folder, raw);
  }

  SearchOutcome outcome() const { return outcome_; }

 private:
  void AddIfMatching(const QString& folder, const RawEntry& raw) {
    if (!patterns_.Matches(raw.name)) return;
    const QString name = DecodedName(raw.name);
    if (name.isEmpty() || (request_.asListEntries && !FitsInListEntry(name))) {
      ++outcome_.leftOut;
      return;
    }
    if (request_.asListEntries)
      target_.append(MakeListEntry(folder, EntryOf(raw, name)));
    else
      target_.append(folder + name);
  }

  void Breathe() {
    if (request_.processEvents && timer_.elapsed() >= 20) {
      request_.processEvents();
      timer_.restart();
    }
  }

  const SearchRequest& request_;
  QStringList& target_;
  PatternCache patterns_;
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
  if (!FitsInListEntry(request.folder)) return SearchOutcome{1};
  TreeWalk walk(request, target);
  walk.ListFolder(request.folder);
  return walk.outcome();
}

}  // namespace vistrel
