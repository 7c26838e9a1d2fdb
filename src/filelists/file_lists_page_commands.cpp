// The File Lists page's buttons: search, add, take out, save, load with verification, merge
// and deletion of list files. What they compute lives in list_commands.
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QTableView>

#include "core/prompter.h"
#include "core/shell_host.h"
#include "filelists/file_lists_page.h"
#include "filelists/file_operations.h"
#include "filelists/list_commands.h"
#include "filelists/list_file.h"
#include "filelists/list_report_model.h"
#include "filelists/list_verify.h"
#include "filelists/search_files_dialog.h"
#include "settings/program_settings.h"

namespace vistrel {

namespace {

const char* const kNothingToSave = "Nothing to save!";
const char* const kNoMatchingFiles = "No matching files found in folder:\r\n\r\n";
const char* const kNoNewEntries = "No new entries to add ...\r\n\r\n";
const char* const kNewListPattern = "(newlist*).lst";
const int kNewListLimit = 100;
const char* const kAddCaption = "Add files to list";

// Hourglass pointer and no redrawing of the list while a command changes many rows.
class BusyList {
 public:
  explicit BusyList(QWidget* list) : list_(list) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    list_->setUpdatesEnabled(false);
  }
  ~BusyList() {
    list_->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
  }

 private:
  QWidget* list_;
};

}  // namespace

QStringList FileListsPage::CollectRows(ListSaveMode mode) const {
  QStringList lines;
  const int rows = ItemCount();
  lines.reserve(rows);
  for (int i = 0; i < rows; ++i) {
    if (mode == ListSaveMode::kSelected && !IsSelected(i)) continue;
    if (mode == ListSaveMode::kUnselected && IsSelected(i)) continue;
    lines.append(JoinListRow(model_->row(i)));
  }
  return lines;
}

int FileListsPage::RowsOfMode(ListSaveMode mode) const {
  switch (mode) {
    case ListSaveMode::kSelected:
      return SelectedCount();
    case ListSaveMode::kUnselected:
      return ItemCount() - SelectedCount();
    case ListSaveMode::kAll:
      break;
  }
  return ItemCount();
}

void FileListsPage::FillReportList(bool clearFirst) {
  BusyList busy(view_);
  std::vector<ListRow> rows;
  if (!clearFirst) rows = model_->rows();
  rows.reserve(rows.size() + size_t(workList_.size()));
  Progress(0);
  const qsizetype step = (workList_.size() + 1) / 10 + 1;
  int bar = 0;
  for (qsizetype i = 0; i < workList_.size(); ++i) {
    rows.push_back(SplitListEntry(workList_.at(i)));
    if (i % step == 0) Progress(++bar);
  }
  model_->SetRows(std::move(rows));
  Progress(0);
  Q_EMIT SelectionChanged();
}

bool FileListsPage::RefusedWhileSearching() {
  if (!searching_) return false;
  prompter_.Beep();
  return true;
}

void FileListsPage::Search() {
  if (RefusedWhileSearching()) return;  // never two walks at once
  const QString folder = host_.ShownFolder();
  const QString mask = host_.CurrentMask();
  searchDialog_->Prepare(mask, folder);
  if (runModal_(*searchDialog_) != QDialog::Accepted) return;
  const bool addToList = searchDialog_->addToCurrentList();

  // The walk lets events through, so it fills a list of its own: a command started
  // meanwhile must not see or change a half-built result.
  ListSearch search;
  search.folder = folder;
  search.patternList = mask;
  search.includeSubfolders = searchDialog_->includeSubfolders();
  search.thumbFolder = folders_.thumbs;
  search.processEvents = [this] { host_.ProcessEvents(); };
  ListSearchResult found;
  {
    searching_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    settings_.DoValidate = false;
    found = SearchIntoList(search, addToList ? CollectRows(ListSaveMode::kAll) : QStringList(),
                           addToList);
    QApplication::restoreOverrideCursor();
    searching_ = false;
  }
  const qsizetype before = found.before;
  workList_ = std::move(found.lines);
  if (!found.leftOut.isEmpty()) prompter_.Information(LeftOutMessage(found.leftOut));

  const qsizetype count = workList_.size();
  const qsizetype added = count - before;
  if (count == 0) {
    prompter_.Information(QString::fromLatin1(kNoMatchingFiles) + folder);
  } else if (added == 0 && addToList) {
    prompter_.Information(QString::fromLatin1(kNoNewEntries) + folder);
  } else {
    if (!addToList) currentListFile_.clear();
    listSaved_ = false;
    FillReportList(true);
    ShowFoundCount(folder);
    AskAndSaveList(SearchFinishedMessage(count, added));
  }
  GiveReportFocus();
  UpdateListButtons();
}

void FileListsPage::Add() {
  if (RefusedWhileSearching()) return;
  const QString shown = host_.ShownFolder();
  FileDialogRequest request;
  request.caption = QString::fromLatin1(kAddCaption);
  request.folder = shown;
  request.filter = DialogFilter(settings_.ALLOWED_EXTENSIONS);
  request.multiple = true;
  const QStringList chosen = prompter_.OpenFiles(request);
  if (chosen.isEmpty()) return;

  QApplication::setOverrideCursor(Qt::WaitCursor);
  workList_ = CollectRows(ListSaveMode::kAll);
  const qsizetype before = workList_.size();
  const QStringList leftOut = AddFilesToList(chosen, workList_);
  QApplication::restoreOverrideCursor();
  if (!leftOut.isEmpty()) prompter_.Information(LeftOutMessage(leftOut));

  const qsizetype added = workList_.size() - before;
  if (added != 0) {
    listSaved_ = false;
    FillReportList(true);
    ShowFoundCount(shown);
    AskAndSaveList(QStringLiteral("\r\n") + QString::number(added) +
                   QStringLiteral(" new entries added.\r\nSave results?"));
  } else {
    prompter_.Information(QString::fromLatin1(kNoNewEntries) + shown);
  }
  GiveReportFocus();
  UpdateListButtons();
}

void FileListsPage::SelectAll() {
  if (RefusedWhileSearching()) return;
  {
    BusyList busy(view_);
    view_->selectAll();
  }
  Q_EMIT SelectionChanged();
}

void FileListsPage::TakeOutSelected() {
  if (RefusedWhileSearching()) return;
  {
    BusyList busy(view_);
    std::vector<bool> remove(size_t(ItemCount()), false);
    bool any = false;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows()) {
      remove[size_t(index.row())] = true;
      any = true;
    }
    if (any) {
      model_->RemoveRows(remove);
      listSaved_ = false;
    }
  }
  Q_EMIT SelectionChanged();
  UpdateListButtons();
}

void FileListsPage::AfterFilesDeleted(const DeleteOutcome& outcome) {
  if (!outcome.confirmed) return;
  TakeOutSelected();
  listSaved_ = false;
  UpdateListButtons();
}

void FileListsPage::SaveList() {
  if (RefusedWhileSearching()) return;
  AskAndSaveList(QStringLiteral("\r\nSave current list to folder:\r\n\r\n") + ListFolder());
}

void FileListsPage::AskAndSaveList(const QString& message) {
  if (ItemCount() < 1) {
    prompter_.Information(QString::fromLatin1(kNothingToSave));
    return;
  }
  const QString proposed =
      currentListFile_.isEmpty()
          ? NextFreeListName(ListFolder(), QString::fromLatin1(kNewListPattern), kNewListLimit)
          : currentListFile_;
  nameDialog_->Prepare(message, QFileInfo(proposed).fileName());
  if (runModal_(*nameDialog_) == QDialog::Accepted) {
    const ListSaveMode mode = nameDialog_->mode();
    if (RowsOfMode(mode) < 1)
      prompter_.Information(QString::fromLatin1(kNothingToSave));
    else
      SaveListFile(nameDialog_->path(), mode);
  }
  RereadSavedLists();
}

void FileListsPage::SaveListFile(const QString& path, ListSaveMode mode) {
  workList_ = CollectRows(mode);
  QString error;
  if (!WriteListFile(path, workList_, &error)) {
    prompter_.Error(error);
    return;
  }
  ShowFoundCount(QFileInfo(path).fileName());
  currentListFile_ = path;
  listSaved_ = true;
  UpdateListButtons();
}

void FileListsPage::LoadListFile() {
  if (RefusedWhileSearching()) return;
  const QStringList selected = SelectedSavedLists();
  if (selected.size() != 1) return;
  const QString path = ListFolder() + selected.first();
  QStringList lines;
  QString error;
  if (!ReadListFile(path, &lines, &error)) {
    prompter_.Error(error);
    return;
  }
  currentListFile_ = path;
  listSaved_ = true;
  workList_ = lines;
  FillReportList(true);
  ShowFoundCount(selected.first());
  VerifyReportList();
  GiveReportFocus();
  UpdateListButtons();
}

void FileListsPage::VerifyReportList() {
  const int total = ItemCount();
  if (total < 1) return;
  VerifyOutcome outcome;
  {
    BusyList busy(view_);
    Progress(0);
    std::vector<ListRow> rows = model_->rows();
    int bar = 0;
    outcome = VerifyRows(rows, [this, &bar] { Progress(++bar); });
    workList_ = outcome.report;
    if (outcome.notFound > 0 || outcome.updated > 0) model_->SetRows(std::move(rows));
    Progress(0);
  }
  Q_EMIT SelectionChanged();
  if (!outcome.unreadable.isEmpty()) prompter_.Information(UnreadableMessage(outcome));
  if (total > outcome.notFound) {
    if (outcome.updated == 0 && outcome.notFound == 0) return;
    listSaved_ = false;
    nameDialog_->SetReportButtonVisible(true);
    AskAndSaveList(VerifyQuestion(outcome));
    nameDialog_->SetReportButtonVisible(false);
  }
  if (ItemCount() == 0) prompter_.Information(QString::fromLatin1(kNoValidEntriesLeft));
}

void FileListsPage::MergeListFiles() {
  if (RefusedWhileSearching()) return;
  const QStringList selected = SelectedSavedLists();
  if (selected.size() < 2) return;
  QString names;
  for (const QString& name : selected) names += QStringLiteral("\r\n  ") + name;
  if (prompter_.Question(QStringLiteral("Merge following list files?:") + names +
                             QStringLiteral("\r\n\r\n(Note: Duplicates will be detected)"),
                         QuestionButtons::kYesNo) != kAnswerYes)
    return;

  SetTitle(QStringLiteral(" Loading Lists ..."));
  QStringList merged;
  QString error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool read = ReadMergedLists(ListFolder(), selected, &merged, &error);
  QApplication::restoreOverrideCursor();
  if (!read) {
    prompter_.Error(error);
    return;
  }
  SetTitle(QStringLiteral(" Generate merged list ..."));
  workList_ = merged;
  FillReportList(true);
  currentListFile_.clear();
  listSaved_ = false;
  ShowFoundCount(MergeLabel(selected));
  GiveReportFocus();
  AskAndSaveList(QStringLiteral("\r\nFilelists merged ..."));
  UpdateListButtons();
}

void FileListsPage::DeleteListFile() {
  if (RefusedWhileSearching()) return;
  const QStringList selected = SelectedSavedLists();
  if (selected.size() != 1) {
    prompter_.Beep();
    return;
  }
  const QString path = ListFolder() + selected.first();
  if (prompter_.Question(
          QStringLiteral("Delete List File \"") + path + QStringLiteral("\" from disk?"),
          QuestionButtons::kYesNoCancel) != kAnswerYes)
    return;
  DeleteFilePermanently(path, settings_);
  if (path == currentListFile_) {
    model_->SetRows({});
    currentListFile_.clear();
    listSaved_ = true;
    SetTitle(QStringLiteral("Open a file list, or click \"Search Files\" ..."));
    Q_EMIT SelectionChanged();
  }
  RereadSavedLists();
  UpdateListButtons();
}

}  // namespace vistrel
