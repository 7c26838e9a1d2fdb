#include "app/ui/folder_tree_model.h"

#include <QFileIconProvider>
#include <QScopedValueRollback>
#include <QSet>

#include "app/ui/folder_watch.h"
#include "app/ui/subfolder_listing.h"
#include "core/disk_name.h"
#include "core/text_paths.h"

namespace vistrel {

namespace {
// Folders made one after another (a copy's target with its parents) are read again once.
constexpr int kChangeDelayMs = 50;
}  // namespace

FolderTreeModel::FolderTreeModel(const QString& top, QObject* parent)
    : QAbstractItemModel(parent), watch_(new FolderWatch(this)) {
  auto root = std::make_unique<Node>();
  root->name = IncludeTrailingSeparator(top);
  root->parent = &top_;
  top_.children.push_back(std::move(root));
  top_.read = true;
  const QFileIconProvider icons;
  folderIcon_ = icons.icon(QFileIconProvider::Folder);
  driveIcon_ = icons.icon(QFileIconProvider::Drive);
  changeDelay_.setSingleShot(true);
  changeDelay_.setInterval(kChangeDelayMs);
  connect(&changeDelay_, &QTimer::timeout, this, &FolderTreeModel::RereadChanged);
  connect(watch_, &FolderWatch::Changed, this, &FolderTreeModel::OnFolderChanged);
}

FolderTreeModel::~FolderTreeModel() = default;

FolderTreeModel::Node* FolderTreeModel::NodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<Node*>(index.internalPointer()) : const_cast<Node*>(&top_);
}

QModelIndex FolderTreeModel::IndexOfNode(Node* node) const {
  return node == &top_ ? QModelIndex() : createIndex(node->row, 0, node);
}

QString FolderTreeModel::PathOfNode(const Node* node) const {
  if (node == &top_) return QString();
  if (node->parent == &top_) return node->name;
  return PathOfNode(node->parent) + node->name + QLatin1Char('/');
}

QString FolderTreeModel::PathOf(const QModelIndex& index) const {
  return PathOfNode(NodeOf(index));
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const Node* node = NodeOf(parent);
  if (column != 0 || row < 0 || size_t(row) >= node->children.size()) return {};
  return createIndex(row, 0, node->children[size_t(row)].get());
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  return IndexOfNode(NodeOf(child)->parent);
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return int(NodeOf(parent)->children.size());
}

int FolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const {
  const Node* node = NodeOf(parent);
  // A folder not read yet may have subfolders; reading it tells.
  return node->read ? !node->children.empty() : true;
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Node* node = NodeOf(index);
  switch (role) {
    case Qt::DisplayRole:
      return PrintableName(node->name);
    case Qt::DecorationRole:
      return node->parent == &top_ ? driveIcon_ : folderIcon_;
    default:
      return {};
  }
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const {
  return !NodeOf(parent)->read;
}

void FolderTreeModel::fetchMore(const QModelIndex& parent) {
  Node* node = NodeOf(parent);
  if (node->read) return;
  if (!reading_) return Read(node);
  // Asked from a handler of rows this model is adding: rows may not change inside that
  // change, so the folder is read as soon as it is over.
  QMetaObject::invokeMethod(
      this,
      [this, later = QPersistentModelIndex(parent)] {
        if (later.isValid() && !NodeOf(later)->read) Read(NodeOf(later));
      },
      Qt::QueuedConnection);
}

void FolderTreeModel::Read(Node* node) {
  const QString path = PathOfNode(node);
  // Watched first, so that a folder made while it is read is not missed.
  if (node->watch < 0) {
    node->watch = watch_->Watch(path);
    if (node->watch >= 0) watched_.insert(node->watch, node);
  }
  QStringList names = ReadSubfolders(path);
  bool hiddenKept = false;
  for (const QString& folder : std::as_const(shownHidden_)) {
    if (FolderOfPath(folder.chopped(1)) != path) continue;
    if (KindOf(folder) != FileKind::kDirectory) continue;
    names << NameOfPath(folder.chopped(1));
    hiddenKept = true;
  }
  if (hiddenKept) SortFolderNames(names);
  const QModelIndex parent = IndexOfNode(node);
  node->read = true;
  const QScopedValueRollback<bool> busy(reading_, true);
  // Rows gone from the disk leave; those still there keep their rows below them.
  QSet<QString> present(names.begin(), names.end());
  for (int row = int(node->children.size()) - 1; row >= 0; --row) {
    if (present.contains(node->children[size_t(row)]->name)) continue;
    beginRemoveRows(parent, row, row);
    Forget(node->children[size_t(row)].get());
    node->children.erase(node->children.begin() + row);
    Renumber(node);
    endRemoveRows();
  }
  // Both lists are in the same order, so new names go in where the merge meets them.
  size_t at = 0;
  for (qsizetype i = 0; i < names.size();) {
    if (at < node->children.size() && node->children[at]->name == names[i]) {
      ++at;
      ++i;
      continue;
    }
    qsizetype end = i + 1;
    while (end < names.size() &&
           !(at < node->children.size() && node->children[at]->name == names[end]))
      ++end;
    beginInsertRows(parent, int(at), int(at + size_t(end - i)) - 1);
    for (qsizetype n = i; n < end; ++n) {
      auto child = std::make_unique<Node>();
      child->name = names[n];
      child->parent = node;
      node->children.insert(node->children.begin() + qsizetype(at), std::move(child));
      ++at;
    }
    Renumber(node);
    endInsertRows();
    i = end;
  }
}

void FolderTreeModel::Renumber(Node* node) {
  for (size_t row = 0; row < node->children.size(); ++row) node->children[row]->row = int(row);
}

void FolderTreeModel::Reread(const QModelIndex& index) {
  Node* node = NodeOf(index);
  if (node->read) Read(node);
}

FolderTreeModel::Node* FolderTreeModel::ChildNamed(Node* node, const QString& name) {
  for (const auto& child : node->children)
    if (child->name == name) return child.get();
  return nullptr;
}

QModelIndex FolderTreeModel::IndexOf(const QString& folder) {
  Node* node = top_.children.front().get();
  const QString& top = node->name;
  if (!IncludeTrailingSeparator(folder).startsWith(top)) return {};
  const QStringList names = folder.mid(top.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (const QString& name : names) {
    if (name == QLatin1String(".")) continue;
    const bool fresh = !node->read;
    if (fresh) Read(node);
    Node* child = ChildNamed(node, name);
    if (!child && name.startsWith(QLatin1Char('.')) &&
        KindOf(PathOfNode(node) + name) == FileKind::kDirectory) {
      shownHidden_.insert(PathOfNode(node) + name + QLatin1Char('/'));
      Read(node);
      child = ChildNamed(node, name);
    } else if (!child && !fresh) {
      Read(node);  // made since the folder was read
      child = ChildNamed(node, name);
    }
    if (!child) return {};
    node = child;
  }
  return IndexOfNode(node);
}

void FolderTreeModel::Forget(Node* node) {
  for (const auto& child : node->children) Forget(child.get());
  changed_.remove(node);
  if (node->watch < 0) return;
  watched_.remove(node->watch, node);
  watch_->Forget(node->watch);
  node->watch = -1;
}

void FolderTreeModel::OnFolderChanged(int watch) {
  if (watch < 0) {
    for (Node* node : std::as_const(watched_)) changed_.insert(node);
  } else {
    for (auto it = watched_.constFind(watch); it != watched_.constEnd() && it.key() == watch; ++it)
      changed_.insert(it.value());
  }
  if (!changed_.isEmpty()) changeDelay_.start();
}

void FolderTreeModel::RereadChanged() {
  // Reading one folder may remove another from the set (a folder removed with its parent's
  // rows), so take them one at a time.
  while (!changed_.isEmpty()) {
    Node* node = *changed_.begin();
    changed_.erase(changed_.begin());
    if (node->read) Read(node);
  }
}

}  // namespace vistrel
