#include "filelists/folder_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <thread>

#include "core/disk_name.h"
#include "core/pattern_match.h"
#include "core/program_folder.h"
#include "filelists/list_entry.h"
#include "filelists/native_entry.h"

namespace vistrel {

namespace {

// Hits in one folder from which their status is read on two threads.
constexpr size_t kSharedFolder = 1024;

bool IsVtiFolder(const char* name) {
  for (const char* at = name; *at; ++at) {
    if (::strncasecmp(at, "_vti_cnf", 8) == 0) return true;
  }
  return false;
}

bool IsFolder(int dirFd, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_UNKNOWN) return false;  // a link is never a folder to enter
  struct stat status {};
  return ::fstatat(dirFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISDIR(status.st_mode);
}

struct Status {
  qint64 size = 0;
  qint64 stampNs = 0;
};

// Follows a link to report what it points at; a dangling one or a loop reports itself.
Status StatusOf(int dirFd, const char* name) {
  struct stat status {};
  if (::fstatat(dirFd, name, &status, 0) != 0) ::fstatat(dirFd, name, &status, AT_SYMLINK_NOFOLLOW);
  const DirectoryEntry entry = EntryFromStatus(status, QString());
  return {entry.size, entry.stampNs};
}

}  // namespace

bool FolderReader::Matches(const char* name, size_t length) {
  const char* dot = static_cast<const char*>(::memrchr(name, '.', length));
  if (!dot) return false;
  const QByteArrayView tail(dot, qsizetype(name + length - dot));
  // Names of one folder mostly share their extension: the last answer first.
  if (tail == lastExtension_) return lastFits_;
  lastExtension_ = tail.toByteArray();
  const auto known = extensions_.constFind(lastExtension_);
  if (known != extensions_.constEnd()) {
    lastFits_ = *known;
  } else {
    lastFits_ = MatchesPatternList(NameFromDisk(tail), rules_.patternList);
    extensions_.insert(lastExtension_, lastFits_);
  }
  return lastFits_;
}

void FolderReader::Read(FolderRead& node, const std::function<bool(dev_t, ino_t)>& claim) {
  DIR* dir = ::opendir(node.raw.constData());
  if (!dir) return;  // gone or unreadable: contributes nothing
  const int fd = ::dirfd(dir);
  struct stat own {};
  if (::fstat(fd, &own) != 0 || !claim(own.st_dev, own.st_ino)) {
    ::closedir(dir);
    return;
  }
  const bool mayDescend =
      rules_.enterFolders && (rules_.includeThumbnailFolder || rules_.thumbFolder.isEmpty() ||
                              !IsInThumbFolder(node.folder, rules_.thumbFolder));
  // The hits' names, each ended by a NUL for the status calls; a mark's "at" counts the hits
  // before it until the lines are built.
  QByteArray names;
  std::vector<qsizetype> starts;
  while (const dirent* entry = ::readdir(dir)) {
    const char* name = entry->d_name;
    if (name[0] == '.') continue;  // hidden, and "." / ".."
    const bool entered = mayDescend && IsFolder(fd, entry) && !IsVtiFolder(name);
    const size_t length = std::strlen(name);
    if (!entered && !Matches(name, length)) continue;
    const QByteArrayView bytes(name, qsizetype(length));
    FolderRead::Mark mark;
    mark.at = qsizetype(starts.size());
    if (rules_.asListEntries && !FitsInListEntry(bytes)) {
      mark.kind = FolderRead::Mark::kLeftOut;
      mark.text = PrintableName(QString(node.folder + NameFromDisk(bytes)));
    } else if (entered) {
      auto child = std::make_unique<FolderRead>();
      child->folder = node.folder + NameFromDisk(bytes) + QLatin1Char('/');
      child->raw = node.raw + bytes + '/';
      mark.child = node.children.size();
      node.children.push_back(std::move(child));
    } else {
      starts.push_back(names.size());
      names.append(name, qsizetype(length) + 1);
      continue;
    }
    node.marks.push_back(std::move(mark));
  }
  const size_t hits = starts.size();
  const auto nameOf = [&](size_t i) {
    const qsizetype end = i + 1 < hits ? starts[i + 1] : names.size();
    return QByteArrayView(names.constData() + starts[i], end - starts[i] - 1);
  };
  std::vector<Status> status;
  if (rules_.asListEntries) {
    status.resize(hits);
    const auto fill = [&](size_t from, size_t to) {
      for (size_t i = from; i < to; ++i) status[i] = StatusOf(fd, names.constData() + starts[i]);
    };
    // Reading the status is most of the cost of a hit: a large folder shares it with a
    // second thread, as the walk shares folders.
    if (hits >= kSharedFolder) {
      std::thread helper(fill, hits / 2, hits);
      fill(0, hits / 2);
      helper.join();
    } else {
      fill(0, hits);
    }
  }
  ::closedir(dir);
  node.lines.reserve(names.size() + qsizetype(hits) * (rules_.asListEntries ? 32 : 0));
  auto mark = node.marks.begin();
  for (size_t i = 0; i < hits; ++i) {
    for (; mark != node.marks.end() && mark->at == qsizetype(i); ++mark)
      mark->at = node.lines.size();
    if (rules_.asListEntries)
      AppendListFields(node.lines, nameOf(i), status[i].size, status[i].stampNs);
    else
      node.lines.append(nameOf(i));
    node.lines += '\0';  // a path may hold a line break, never a NUL
  }
  for (; mark != node.marks.end(); ++mark) mark->at = node.lines.size();
  node.hits = qsizetype(hits);
}

}  // namespace vistrel
