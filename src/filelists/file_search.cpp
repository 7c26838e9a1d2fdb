#include "filelists/file_search.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstring>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "core/disk_name.h"
#include "core/text_paths.h"
#include "filelists/folder_reader.h"
#include "filelists/list_entry.h"

namespace vistrel {

namespace {

constexpr int kBreathMs = 20;

// Folders are read by several threads, each taking the next folder waiting; what each read
// is kept in the tree of FolderRead nodes, so the result is put together afterwards in the
// order one depth-first reader would have produced.
class ParallelWalk {
 public:
  ParallelWalk(const WalkRules& rules, const SearchRequest& request)
      : rules_(rules), request_(request) {}

  void Run(FolderRead& root) {
    waiting_.push_back(&root);
    const unsigned cores = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < cores; ++i) threads.emplace_back([this] { Work(); });
    std::unique_lock<std::mutex> lock(mutex_);
    while (busy_ > 0 || !waiting_.empty()) {
      finished_.wait_for(lock, std::chrono::milliseconds(kBreathMs));
      if ((request_.processEvents || request_.progress) && (busy_ > 0 || !waiting_.empty())) {
        const qsizetype hits = hits_;
        const QString folder = lastFolder_;
        lock.unlock();
        Breathe(hits, folder);
        lock.lock();
      }
    }
    lock.unlock();
    for (std::thread& thread : threads) thread.join();
  }

  qsizetype Hits() const { return hits_; }

 private:
  void Work() {
    FolderReader reader(rules_);
    const auto claim = [this](dev_t device, ino_t inode) {
      std::lock_guard<std::mutex> lock(mutex_);
      return seen_.insert({device, inode}).second;
    };
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      if (waiting_.empty()) {
        if (busy_ == 0) break;
        changed_.wait(lock);
        continue;
      }
      // The newest first: the walk stays deep, like the one reader it stands for.
      FolderRead* node = waiting_.back();
      waiting_.pop_back();
      ++busy_;
      lock.unlock();
      reader.Read(*node, claim);
      lock.lock();
      for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
        waiting_.push_back(it->get());
      hits_ += node->hits;
      lastFolder_ = node->folder;
      --busy_;
      if (!node->children.empty()) changed_.notify_all();
      if (busy_ == 0 && waiting_.empty()) {
        changed_.notify_all();
        finished_.notify_all();
      }
    }
  }

  void Breathe(qsizetype hits, const QString& folder) {
    if (request_.progress) request_.progress(hits, folder);
    if (request_.processEvents) request_.processEvents();
  }

  const WalkRules& rules_;
  const SearchRequest& request_;
  std::mutex mutex_;
  std::condition_variable changed_;   // folders to read, or the end
  std::condition_variable finished_;  // the end, for the thread that waits for it
  std::vector<FolderRead*> waiting_;
  int busy_ = 0;
  std::set<std::pair<dev_t, ino_t>> seen_;
  qsizetype hits_ = 0;
  QString lastFolder_;
};

constexpr qsizetype kBlock = 256 << 10;

// Hits and names left out in depth-first order: take(node, from, to) gets each run of lines
// between marks. Each node is freed once taken.
template <typename Take>
void Collect(FolderRead& node, const Take& take, SearchOutcome& outcome) {
  qsizetype from = 0;
  for (FolderRead::Mark& mark : node.marks) {
    take(node, from, mark.at);
    from = mark.at;
    if (mark.kind == FolderRead::Mark::kLeftOut) {
      outcome.leftOut.append(std::move(mark.text));
    } else {
      Collect(*node.children[mark.child], take, outcome);
      node.children[mark.child].reset();
    }
  }
  take(node, from, node.lines.size());
}

bool IsAscii(QByteArrayView bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

template <typename Line>
void ForEachLine(const FolderRead& node, qsizetype from, qsizetype to, const Line& line) {
  const char* data = node.lines.constData();
  while (from < to) {
    const auto* end = static_cast<const char*>(std::memchr(data + from, '\0', size_t(to - from)));
    const qsizetype stop = end - data;
    line(QByteArrayView(data + from, stop - from));
    from = stop + 1;
  }
}

void CollectStrings(FolderRead& root, qsizetype hits, QStringList& target, SearchOutcome& outcome) {
  target.reserve(target.size() + hits);
  Collect(
      root,
      [&target](const FolderRead& node, qsizetype from, qsizetype to) {
        ForEachLine(node, from, to, [&](QByteArrayView line) {
          // On the waiting user interface's thread: one string per hit, no more.
          QString text;
          text.reserve(node.folder.size() + line.size());
          text += node.folder;
          if (IsAscii(line))
            text += QLatin1StringView(line.data(), line.size());
          else
            text += NameFromDisk(line);
          target.append(std::move(text));
        });
      },
      outcome);
}

void CollectBlocks(FolderRead& root, const LineBlocks& sink, SearchOutcome& outcome) {
  QByteArray block;
  block.reserve(kBlock + 4096);
  Collect(
      root,
      [&](const FolderRead& node, qsizetype from, qsizetype to) {
        ForEachLine(node, from, to, [&](QByteArrayView line) {
          block.append(node.raw);
          block.append(line);
          block += '\n';
          if (block.size() >= kBlock) {
            sink(block);
            block.resize(0);  // keeps its room: a fresh block costs page faults
          }
        });
      },
      outcome);
  if (!block.isEmpty()) sink(block);
}

bool StartFolder(const QString& folder, bool asListEntries, FolderRead& root,
                 SearchOutcome& outcome) {
  // No folder is no folder: with its separator added it would be "/", the whole disk.
  if (folder.isEmpty()) return false;
  root.folder = IncludeTrailingSeparator(folder);
  root.raw = NameToDisk(root.folder);
  if (asListEntries && !FitsInListEntry(root.folder)) {
    outcome.leftOut.append(PrintableName(root.folder));
    return false;
  }
  return true;
}

// The walk below request.folder, put together by collect(root, hits, outcome).
template <typename CollectInto>
SearchOutcome WalkTree(const SearchRequest& request, const CollectInto& collect) {
  SearchOutcome outcome;
  FolderRead root;
  if (!StartFolder(request.folder, request.asListEntries, root, outcome)) return outcome;
  WalkRules rules;
  rules.patternList = request.patternList;
  rules.asListEntries = request.asListEntries;
  rules.includeThumbnailFolder = request.includeThumbnailFolder;
  rules.thumbFolder = request.thumbFolder;
  ParallelWalk walk(rules, request);
  walk.Run(root);
  collect(root, walk.Hits(), outcome);
  return outcome;
}

template <typename CollectInto>
SearchOutcome WalkOneFolder(const QString& folder, const QString& patternList,
                            const CollectInto& collect) {
  SearchOutcome outcome;
  FolderRead root;
  if (!StartFolder(folder, true, root, outcome)) return outcome;
  WalkRules rules;
  rules.patternList = patternList;
  rules.enterFolders = false;
  FolderReader reader(rules);
  reader.Read(root, [](dev_t, ino_t) { return true; });
  collect(root, root.hits, outcome);
  return outcome;
}

}  // namespace

SearchOutcome SearchFolderTree(const SearchRequest& request, QStringList& target) {
  return WalkTree(request, [&target](FolderRead& root, qsizetype hits, SearchOutcome& outcome) {
    CollectStrings(root, hits, target, outcome);
  });
}

SearchOutcome SearchFolderTreeLines(const SearchRequest& request, const LineBlocks& sink) {
  return WalkTree(request, [&sink](FolderRead& root, qsizetype, SearchOutcome& outcome) {
    CollectBlocks(root, sink, outcome);
  });
}

SearchOutcome SearchFolder(QStringList& target, const QString& folder, const QString& patternList) {
  return WalkOneFolder(folder, patternList,
                       [&target](FolderRead& root, qsizetype hits, SearchOutcome& outcome) {
                         CollectStrings(root, hits, target, outcome);
                       });
}

SearchOutcome SearchFolderLines(const LineBlocks& sink, const QString& folder,
                                const QString& patternList) {
  return WalkOneFolder(folder, patternList,
                       [&sink](FolderRead& root, qsizetype, SearchOutcome& outcome) {
                         CollectBlocks(root, sink, outcome);
                       });
}

}  // namespace vistrel
