#include "filelists/file_search.h"

#include <QElapsedTimer>
#include <algorithm>
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
      hits_ += qsizetype(node->items.size() - node->children.size());
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

// Hits and names left out in depth-first order; each node is freed once taken.
void Collect(FolderRead& node, QStringList& target, SearchOutcome& outcome) {
  for (FolderRead::Item& item : node.items) {
    switch (item.kind) {
      case FolderRead::Item::kHit:
        target.append(std::move(item.text));
        break;
      case FolderRead::Item::kLeftOut:
        outcome.leftOut.append(std::move(item.text));
        break;
      case FolderRead::Item::kChild:
        Collect(*node.children[item.child], target, outcome);
        node.children[item.child].reset();
        break;
    }
  }
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

}  // namespace

SearchOutcome SearchFolderTree(const SearchRequest& request, QStringList& target) {
  SearchOutcome outcome;
  FolderRead root;
  if (!StartFolder(request.folder, request.asListEntries, root, outcome)) return outcome;
  WalkRules rules;
  rules.patternList = request.patternList;
  rules.asListEntries = request.asListEntries;
  rules.includeThumbnailFolder = request.includeThumbnailFolder;
  rules.thumbFolder = request.thumbFolder;
  ParallelWalk(rules, request).Run(root);
  Collect(root, target, outcome);
  return outcome;
}

SearchOutcome SearchFolder(QStringList& target, const QString& folder, const QString& patternList) {
  SearchOutcome outcome;
  FolderRead root;
  if (!StartFolder(folder, true, root, outcome)) return outcome;
  WalkRules rules;
  rules.patternList = patternList;
  rules.enterFolders = false;
  FolderReader reader(rules);
  std::set<std::pair<dev_t, ino_t>> seen;
  reader.Read(root, [&seen](dev_t device, ino_t inode) {
    return seen.insert({device, inode}).second;
  });
  Collect(root, target, outcome);
  return outcome;
}

}  // namespace vistrel
