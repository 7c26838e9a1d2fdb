#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QMultiHash>
#include <QSet>
#include <QTimer>
#include <memory>
#include <vector>

namespace vistrel {

class FolderWatch;

// The folders of the disk as a tree below one top row, "/" unless told, read lazily: a folder's
// subfolders are read when it is expanded or asked for by path, never its files' status. Names are
// kept as the program spells them (NameFromDisk) and shown printable. Folders read are watched, so
// folders made or removed there, by this program or another, show up or go away.
class FolderTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  explicit FolderTreeModel(const QString& top = QStringLiteral("/"), QObject* parent = nullptr);
  ~FolderTreeModel() override;

  // The row of folder ("/a/b", with or without a trailing "/"), reading the folders on the way;
  // a folder on the way that is not known yet is looked for on disk again. Invalid when the
  // folder is not there, hidden or outside the top row.
  QModelIndex IndexOf(const QString& folder);
  // The folder of a row with one trailing "/".
  QString PathOf(const QModelIndex& index) const;
  // Reads the subfolders of a folder already read again, keeping the rows that are still there.
  void Reread(const QModelIndex& index);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  struct Node {
    QString name;  // the whole path, with its trailing "/", for the top row
    Node* parent = nullptr;
    int row = 0;
    bool read = false;
    int watch = -1;
    std::vector<std::unique_ptr<Node>> children;
  };

  Node* NodeOf(const QModelIndex& index) const;
  QModelIndex IndexOfNode(Node* node) const;
  QString PathOfNode(const Node* node) const;
  void Read(Node* node);
  static void Renumber(Node* node);  // the rows kept in the nodes, after rows came or went
  Node* ChildNamed(Node* node, const QString& name);
  void Forget(Node* node);  // gives back the watches of node and everything below it
  void OnFolderChanged(int watch);
  void RereadChanged();

  Node top_;  // above the "/" row
  FolderWatch* watch_;
  QMultiHash<int, Node*> watched_;
  QSet<Node*> changed_;
  QTimer changeDelay_;
  bool reading_ = false;  // rows are being added or removed
  // Hidden folders asked for by path (a site below ~/.local, say): shown, as on the way there.
  QSet<QString> shownHidden_;
  QIcon folderIcon_;
  QIcon driveIcon_;
};

}  // namespace vistrel
