#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

#include "core/page_list.h"
#include "core/program_folder.h"
#include "filelists/list_name_dialog.h"

class QDialog;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTableView;

namespace vistrel {

class ListReportModel;
class Prompter;
class SearchFilesDialog;
class ShellHost;
class VerificationReportWindow;
struct DeleteOutcome;
struct ProgramSettings;

// The "File Lists" page: a sortable report of list entries with its buttons, and the box of
// saved lists in the list folder with Load, Delete and Merge.
class FileListsPage : public QWidget, public PageList {
  Q_OBJECT
 public:
  // Runs a modal dialog and returns its result; tests replace it to fill the dialog in.
  using ModalRunner = std::function<int(QDialog&)>;

  FileListsPage(ProgramSettings& settings, Prompter& prompter, const WorkingFolders& folders,
                ShellHost& host, QWidget* parent = nullptr);
  // Writes the column widths and sort state to the per-user store.
  ~FileListsPage() override;

  // PageList
  int ItemCount() const override;
  int SelectedCount() const override;
  bool IsSelected(int index) const override;
  QString FileOfItem(int index, bool onlySelected) const override;
  QString CurrentFile() const override;

  // Commands of the buttons and keys.
  void Search();
  void Add();
  void SelectAll();
  void TakeOutSelected();
  void SaveList();
  void LoadListFile();
  void VerifyReportList();
  void MergeListFiles();
  void DeleteListFile();
  void SortByColumnClick(int column);

  // After DeleteSelectedFiles ran on this page: the deleted rows go, the list is unsaved.
  // Re-reading the folder view when outcome.anyInShownFolder is the main window's part.
  void AfterFilesDeleted(const DeleteOutcome& outcome);

  void AskAndSaveList(const QString& message);
  void SaveListFile(const QString& path, ListSaveMode mode);
  void FillReportList(bool clearFirst);
  QStringList CollectRows(ListSaveMode mode) const;
  void ShowFoundCount(const QString& text);
  void RereadSavedLists();
  void UpdateListButtons();
  void UpdateSavedListButtons();
  void SaveColumnState() const;

  void SetPopupMenu(QMenu* menu);
  void SetModalRunner(ModalRunner runner) { runModal_ = std::move(runner); }

  QStringList& workList() { return workList_; }
  const QString& currentListFile() const { return currentListFile_; }
  bool listSaved() const { return listSaved_; }
  QString title() const;
  bool savedListsTitleHighlighted() const { return savedTitleHighlighted_; }

  ListReportModel& model() const { return *model_; }
  QTableView* reportView() const { return view_; }
  QListWidget* savedLists() const { return savedLists_; }
  QPushButton* button(const QString& caption) const;
  ListNameDialog& nameDialog() const { return *nameDialog_; }
  SearchFilesDialog& searchDialog() const { return *searchDialog_; }
  VerificationReportWindow& reportWindow() const { return *reportWindow_; }

 Q_SIGNALS:
  // The selection or the rows changed: the main window refreshes its status texts.
  void SelectionChanged();
  // Enter or a double click in the report list: the main window opens CurrentFile().
  void OpenFileRequested();
  // A key or mouse button was released over the report list.
  void ThumbCornerRequested(const QString& file);
  void TitleChanged(const QString& title);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  // A search lets events through; list commands wait until it has finished.
  bool RefusedWhileSearching();
  void RestoreColumnState();
  void SetTitle(const QString& text);
  void SetSavedTitleHighlighted(bool on);
  void ShowReport();
  void Progress(int value);
  void GiveReportFocus();
  QString ListFolder() const { return folders_.lists; }
  QStringList SelectedSavedLists() const;
  int RowsOfMode(ListSaveMode mode) const;

  ProgramSettings& settings_;
  Prompter& prompter_;
  WorkingFolders folders_;
  ShellHost& host_;
  ModalRunner runModal_;

  QStringList workList_;
  QString currentListFile_;
  bool listSaved_ = true;
  bool searching_ = false;
  bool savedTitleHighlighted_ = false;

  ListReportModel* model_;
  QLabel* title_;
  QTableView* view_;
  QLabel* savedTitle_;
  QListWidget* savedLists_;
  QPushButton* searchButton_;
  QPushButton* addButton_;
  QPushButton* selectAllButton_;
  QPushButton* takeOutButton_;
  QPushButton* saveButton_;
  QPushButton* loadButton_;
  QPushButton* deleteButton_;
  QPushButton* mergeButton_;
  ListNameDialog* nameDialog_;
  SearchFilesDialog* searchDialog_;
  VerificationReportWindow* reportWindow_;
};

}  // namespace vistrel
