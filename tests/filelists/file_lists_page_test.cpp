#include "filelists/file_lists_page.h"

#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QSignalSpy>
#include <QTest>

#include "filelists/file_operations.h"
#include "filelists/list_file.h"
#include "filelists/list_report_model.h"
#include "filelists/search_files_dialog.h"
#include "filelists/verification_report_window.h"
#include "page_fixture.h"

namespace vistrel {
namespace {

using testing::PageFixture;

class FileListsPageTest : public PageFixture {
 protected:
  // Runs Search with the two options; the save question that follows is cancelled.
  void SearchExpectingSaveDialog(bool subfolders, bool addToList, QString* saveMessage = nullptr) {
    ExpectSearchDialog(subfolders, addToList);
    Expect<ListNameDialog>([saveMessage](ListNameDialog& d) {
      if (saveMessage) *saveMessage = d.message();
      return int(QDialog::Rejected);
    });
    page().Search();
  }
  void ExpectSearchDialog(bool subfolders, bool addToList) {
    Expect<SearchFilesDialog>([subfolders, addToList](SearchFilesDialog& d) {
      d.SetIncludeSubfolders(subfolders);
      d.SetAddToCurrentList(addToList);
      return int(QDialog::Accepted);
    });
  }
  // Saves the rows through the list-name dialog under name, in mode.
  void ExpectSave(const QString& name, ListSaveMode mode = ListSaveMode::kAll) {
    Expect<ListNameDialog>([name, mode](ListNameDialog& d) {
      d.SetName(name);
      d.SetMode(mode);
      d.TrySave();
      return d.result();
    });
  }
  void SelectSavedLists(const QStringList& names) {
    QListWidget* box = page().savedLists();
    box->clearSelection();
    for (const QString& name : names) {
      const auto items = box->findItems(name, Qt::MatchExactly);
      ASSERT_EQ(items.size(), 1) << name.toStdString();
      items.first()->setSelected(true);
    }
  }
  QStringList Column(int column) {
    QStringList cells;
    for (const ListRow& row : page().model().rows()) cells.append(row[column]);
    return cells;
  }
  void SelectRows(std::initializer_list<int> rows) {
    page().reportView()->clearSelection();
    for (int r : rows)
      page().reportView()->selectionModel()->select(
          page().model().index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
};

TEST_F(FileListsPageTest, SearchReplacesTheRowsAndARepeatedSearchAddsNothingNew) {
  home_.Write(QStringLiteral("site/b.htm"), "bb");
  home_.Write(QStringLiteral("site/sub/a.html"), "a");
  home_.Write(QStringLiteral("site/sub/deeper/c.htm"), "c");
  home_.Write(QStringLiteral("site/skip.txt"));
  QAbstractItemModelTester tester(&page().model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  settings_.DoValidate = true;

  QString message;
  Expect<SearchFilesDialog>([this](SearchFilesDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Search Files"));
    EXPECT_EQ(d.information(), QStringLiteral("\r\nSearch for:\r\n*.htm\r\nin folder:\r\n\"") +
                                   site_ + QStringLiteral("\""));
    EXPECT_TRUE(d.includeSubfolders());
    EXPECT_TRUE(d.addToCurrentList());
    d.SetAddToCurrentList(false);
    return int(QDialog::Accepted);
  });
  Expect<ListNameDialog>([&message](ListNameDialog& d) {
    message = d.message();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Save File List (*.lst)"));
    EXPECT_EQ(d.name(), QStringLiteral("(newlist1).lst"));
    EXPECT_EQ(d.mode(), ListSaveMode::kAll);
    EXPECT_FALSE(d.reportButton()->isVisibleTo(&d));
    return int(QDialog::Rejected);
  });
  page().Search();
  EXPECT_EQ(message, QStringLiteral("\r\nSearch finished.\r\n3 unique entries in list.\r\n"
                                    "3 new entries added.\r\nSave results?")
                         .remove(QLatin1Char('\r')));
  EXPECT_FALSE(settings_.DoValidate);
  // Shown in the order of the sort column (Folder, ascending), not the walk's.
  EXPECT_EQ(Column(kFieldFolder), QStringList({site_, site_ + QStringLiteral("sub/"),
                                               site_ + QStringLiteral("sub/deeper/")}));
  EXPECT_EQ(page().title(), QStringLiteral(" Files found in \"") + site_ + QStringLiteral("\":"));
  EXPECT_TRUE(page().button(QStringLiteral("Save List"))->isEnabled());
  EXPECT_FALSE(page().listSaved());
  EXPECT_GT(progress_.size(), 2u);
  EXPECT_EQ(progress_.back(), 0);

  // The options keep their state; adding the same tree again brings nothing new.
  Expect<SearchFilesDialog>([](SearchFilesDialog& d) {
    EXPECT_FALSE(d.addToCurrentList());
    d.SetAddToCurrentList(true);
    return int(QDialog::Accepted);
  });
  page().Search();
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("No new entries to add ...\r\n\r\n") + site_});
  EXPECT_EQ(page().ItemCount(), 3);

  // One more file: added to the rows that are there.
  home_.Write(QStringLiteral("site/d.htm"));
  SearchExpectingSaveDialog(true, true, &message);
  EXPECT_EQ(message, QStringLiteral("\nSearch finished.\n4 unique entries in list.\n"
                                    "1 new entries added.\nSave results?"));
  EXPECT_EQ(page().ItemCount(), 4);
}

TEST_F(FileListsPageTest, DateColumnFitsADateAndATime) {
  const QTableView* view = page().reportView();
  EXPECT_GE(view->columnWidth(kFieldDate) - 12,
            view->fontMetrics().horizontalAdvance(QStringLiteral("2026-12-07  18:45")));
}

TEST_F(FileListsPageTest, SearchWithoutHitsOrWithoutSubfoldersAndCancel) {
  home_.Write(QStringLiteral("site/sub/a.htm"));
  ExpectSearchDialog(false, false);
  page().Search();
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("No matching files found in folder:\r\n\r\n") + site_});
  EXPECT_EQ(page().ItemCount(), 0);

  Expect<SearchFilesDialog>([](SearchFilesDialog&) { return int(QDialog::Rejected); });
  page().Search();
  EXPECT_EQ(page().ItemCount(), 0);
  EXPECT_FALSE(page().button(QStringLiteral("Save List"))->isEnabled());
  EXPECT_FALSE(page().button(QStringLiteral("Select All"))->isEnabled());
}

TEST_F(FileListsPageTest, NamesAListCannotHoldAreLeftOutWithANotice) {
  home_.Write(QStringLiteral("site/ok.htm"));
  home_.Write(QStringLiteral("site/bad*star.htm"));
  home_.Write(QStringLiteral("site/bad\nbreak.htm"));
  SearchExpectingSaveDialog(true, false);
  const QStringList texts = prompter_.TakeTexts();
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts.first().startsWith(QStringLiteral(
      "2 file name(s) left out: a list entry cannot hold \"*\" or a line break:\r\n")));
  EXPECT_TRUE(texts.first().contains(site_ + QStringLiteral("bad*star.htm")));
  EXPECT_TRUE(texts.first().contains(site_ + QStringLiteral("bad\\nbreak.htm")));
  EXPECT_EQ(page().ItemCount(), 1);
}

TEST_F(FileListsPageTest, SavingFollowsTheNameRulesAndTheChosenRows) {
  home_.Write(QStringLiteral("site/a.htm"));
  home_.Write(QStringLiteral("site/b.htm"));
  SearchExpectingSaveDialog(true, false);

  // A slash is refused after the extension was added; the dialog stays open.
  Expect<ListNameDialog>([this](ListNameDialog& d) {
    d.SetName(QStringLiteral("a/b"));
    d.TrySave();
    EXPECT_EQ(prompter_.TakeTexts(), QStringList{QStringLiteral("Invalid Filename: a/b.lst")});
    EXPECT_EQ(d.result(), int(QDialog::Rejected));
    d.SetName(QStringLiteral(" my list. "));
    d.TrySave();
    return d.result();
  });
  page().SaveList();
  const QString saved = folders_.lists + QStringLiteral("my list.lst");
  EXPECT_EQ(page().currentListFile(), saved);
  EXPECT_TRUE(page().listSaved());
  EXPECT_FALSE(page().button(QStringLiteral("Save List"))->isEnabled());
  EXPECT_EQ(page().title(), QStringLiteral(" Files found in \"my list.lst\":"));
  EXPECT_EQ(page().savedLists()->count(), 1);
  QStringList lines;
  QString error;
  ASSERT_TRUE(ReadListFile(saved, &lines, &error));
  EXPECT_EQ(lines.size(), 2);
  EXPECT_TRUE(QFile(saved).open(QIODevice::ReadOnly));

  // The current list's name is proposed; "my.lst" keeps its own extension; selected rows only.
  SelectRows({1});
  Expect<ListNameDialog>([this](ListNameDialog& d) {
    EXPECT_EQ(d.name(), QStringLiteral("my list.lst"));
    EXPECT_EQ(d.message(), QStringLiteral("\nSave current list to folder:\n\n") + folders_.lists);
    d.SetName(QStringLiteral("my.lst"));
    d.SetMode(ListSaveMode::kSelected);
    d.TrySave();
    return d.result();
  });
  page().SaveList();
  ASSERT_TRUE(ReadListFile(folders_.lists + QStringLiteral("my.lst"), &lines, &error));
  EXPECT_EQ(lines, QStringList{JoinListRow(page().model().row(1))});

  // Nothing selected: "selected entries only" writes nothing.
  page().reportView()->clearSelection();
  ExpectSave(QStringLiteral("none"), ListSaveMode::kSelected);
  page().SaveList();
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{QStringLiteral("Nothing to save!")});
  EXPECT_FALSE(QFile::exists(folders_.lists + QStringLiteral("none.lst")));

  // Taking rows out makes the list unsaved again.
  SelectRows({0});
  page().TakeOutSelected();
  EXPECT_EQ(page().ItemCount(), 1);
  EXPECT_TRUE(page().button(QStringLiteral("Save List"))->isEnabled());
  page().reportView()->clearSelection();
  page().TakeOutSelected();
  EXPECT_EQ(page().ItemCount(), 1);
}

TEST_F(FileListsPageTest, WithAHundredNumberedListsTheLastIsProposedAndReplaced) {
  home_.Write(QStringLiteral("site/a.htm"));
  for (int k = 1; k <= 100; ++k)
    home_.Write(QStringLiteral("FILELISTS/(newlist%1).lst").arg(k), "old\r\n");
  ExpectSearchDialog(true, false);
  Expect<ListNameDialog>([](ListNameDialog& d) {
    EXPECT_EQ(d.name(), QStringLiteral("(newlist100).lst"));
    d.TrySave();
    return d.result();
  });
  page().Search();
  QStringList lines;
  QString error;
  ASSERT_TRUE(ReadListFile(folders_.lists + QStringLiteral("(newlist100).lst"), &lines, &error));
  EXPECT_EQ(FullPathOfEntry(lines.value(0)), site_ + QStringLiteral("a.htm"));

  page().model().SetRows({});
  page().SaveList();
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{QStringLiteral("Nothing to save!")});
}

TEST_F(FileListsPageTest, LoadingVerifiesAgainstTheDisk) {
  const QString gone = home_.Write(QStringLiteral("site/a.htm"), "a");
  const QString edited = home_.Write(QStringLiteral("site/b.htm"), "b");
  home_.Write(QStringLiteral("site/c.htm"), "c");
  SearchExpectingSaveDialog(true, false);
  ExpectSave(QStringLiteral("three"));
  page().SaveList();

  // Unchanged: no message and no dialog at all.
  SelectSavedLists({QStringLiteral("three.lst")});
  page().LoadListFile();
  EXPECT_EQ(page().ItemCount(), 3);
  EXPECT_TRUE(page().listSaved());
  EXPECT_EQ(page().title(), QStringLiteral(" Files found in \"three.lst\":"));

  ASSERT_TRUE(QFile::remove(gone));
  home_.Write(QStringLiteral("site/b.htm"), "edited");
  QString report;
  Expect<ListNameDialog>([this, &report](ListNameDialog& d) {
    EXPECT_EQ(d.message(),
              QStringLiteral("Loaded list contains 3 entries.\n\n1 orphaned file entries "
                             "removed from list\n1 file entries updated\n\nSave updated "
                             "list before continue?"));
    EXPECT_TRUE(d.reportButton()->isVisibleTo(&d));
    Expect<VerificationReportWindow>([&report](VerificationReportWindow& w) {
      EXPECT_EQ(w.windowTitle(), QStringLiteral("Verification Report"));
      report = w.text();
      return int(QDialog::Accepted);
    });
    d.reportButton()->click();
    return int(QDialog::Rejected);
  });
  SelectSavedLists({QStringLiteral("three.lst")});
  page().LoadListFile();
  EXPECT_EQ(report,
            QStringLiteral("Not Found:  ") + gone + QStringLiteral("\nUpdated:  ") + edited);
  EXPECT_FALSE(page().nameDialog().reportButton()->isVisibleTo(&page().nameDialog()));
  EXPECT_EQ(page().ItemCount(), 2);
  EXPECT_FALSE(page().listSaved());
  EXPECT_EQ(page().currentListFile(), folders_.lists + QStringLiteral("three.lst"));

  // Every file gone.
  QFile::remove(edited);
  QFile::remove(site_ + QStringLiteral("c.htm"));
  SelectSavedLists({QStringLiteral("three.lst")});
  page().LoadListFile();
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("No more valid entries left in this list!")});
  EXPECT_EQ(page().ItemCount(), 0);
}

TEST_F(FileListsPageTest, LoadingGarbageAndUnreadableListsNeitherCrashesNorKeepsJunk) {
  QByteArray garbage("no stars here\r\n\r\n***\rjust*two\n");
  garbage += QByteArray(1 << 20, 'x');
  garbage += "\xff\xfe\r\n";
  home_.Write(QStringLiteral("FILELISTS/junk.lst"), garbage);
  page().RereadSavedLists();
  SelectSavedLists({QStringLiteral("junk.lst")});
  page().LoadListFile();
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("No more valid entries left in this list!")});
  EXPECT_EQ(page().ItemCount(), 0);

  QFile::remove(folders_.lists + QStringLiteral("junk.lst"));
  page().LoadListFile();
  const QStringList texts = prompter_.TakeTexts();
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts[0].contains(QStringLiteral("junk.lst")));
}

TEST_F(FileListsPageTest, MergingAsksShowsTheLabelAndKeepsOneEntryPerFile) {
  const QString shared = site_ + QStringLiteral("*s*.htm*1000*2001-01-01  10:00");
  const QString sharedLater = site_ + QStringLiteral("*s*.htm*999*2001-01-01  10:00");
  const QString onlyA = site_ + QStringLiteral("*a*.htm*1*2001-01-01  10:00");
  QString error;
  ASSERT_TRUE(WriteListFile(folders_.lists + QStringLiteral("a.lst"),
                            {sharedLater, onlyA, QString()}, &error));
  ASSERT_TRUE(WriteListFile(folders_.lists + QStringLiteral("b.lst"), {shared}, &error));
  page().RereadSavedLists();
  SelectSavedLists({QStringLiteral("a.lst"), QStringLiteral("b.lst")});
  EXPECT_TRUE(page().button(QStringLiteral("Merge"))->isEnabled());
  EXPECT_FALSE(page().button(QStringLiteral("Load List"))->isEnabled());

  prompter_.AnswerQuestion(kAnswerNo);
  page().MergeListFiles();
  const QString question = QStringLiteral(
      "Merge following list files?:\r\n  a.lst\r\n  b.lst\r\n\r\n"
      "(Note: Duplicates will be detected)");
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{question});
  EXPECT_EQ(page().ItemCount(), 0);

  prompter_.AnswerQuestion(kAnswerYes);
  Expect<ListNameDialog>([](ListNameDialog& d) {
    EXPECT_EQ(d.message(), QStringLiteral("\nFilelists merged ..."));
    return int(QDialog::Rejected);
  });
  page().MergeListFiles();
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{question});
  EXPECT_EQ(page().title(), QStringLiteral(" Files found in \" a.lst + b.lst \":"));
  QStringList rows;
  for (const ListRow& row : page().model().rows()) rows.append(JoinListRow(row));
  rows.sort();
  EXPECT_EQ(rows, QStringList({onlyA, shared}));
  EXPECT_TRUE(page().currentListFile().isEmpty());
  EXPECT_FALSE(page().listSaved());
}

TEST_F(FileListsPageTest, DeletingTheCurrentListFileEmptiesTheReport) {
  home_.Write(QStringLiteral("site/a.htm"));
  SearchExpectingSaveDialog(true, false);
  ExpectSave(QStringLiteral("cur"));
  page().SaveList();
  const QString path = folders_.lists + QStringLiteral("cur.lst");

  page().savedLists()->clearSelection();
  page().DeleteListFile();
  EXPECT_EQ(prompter_.beeps(), 1);

  SelectSavedLists({QStringLiteral("cur.lst")});
  const QString question =
      QStringLiteral("Delete List File \"") + path + QStringLiteral("\" from disk?");
  prompter_.AnswerQuestion(kAnswerCancel);
  page().DeleteListFile();
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{question});
  EXPECT_TRUE(QFile::exists(path));

  prompter_.AnswerQuestion(kAnswerYes);
  page().DeleteListFile();
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{question});
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(page().ItemCount(), 0);
  EXPECT_TRUE(page().currentListFile().isEmpty());
  EXPECT_TRUE(page().listSaved());
  EXPECT_EQ(page().title(), QStringLiteral("Open a file list, or click \"Search Files\" ..."));
  EXPECT_EQ(page().savedLists()->count(), 0);
}

TEST_F(FileListsPageTest, SizeSortsSmartlyOnlyAfterAClickAndTheOrderSurvivesARestart) {
  EXPECT_EQ(page().model().sortColumn(), kFieldFolder);
  EXPECT_TRUE(page().model().ascending());
  QAbstractItemModelTester tester(&page().model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  const auto fill = [this] {
    page().workList() = QStringList{site_ + QStringLiteral("*b*.htm*1000*2001-01-02  10:00"),
                                    site_ + QStringLiteral("*B*.htm*999*2001-01-01  10:00"),
                                    site_ + QStringLiteral("*a*.htm*20*2001-01-03  10:00")};
    page().FillReportList(true);
  };
  fill();
  SelectRows({0});
  const QString selectedPath = page().CurrentFile();
  page().SortByColumnClick(kFieldSize);
  EXPECT_EQ(Column(kFieldSize), QStringList({"20", "999", "1000"}));
  EXPECT_EQ(page().CurrentFile(), selectedPath);  // the selection moved with its row
  page().SortByColumnClick(kFieldSize);
  EXPECT_EQ(Column(kFieldSize), QStringList({"1000", "999", "20"}));
  page().SortByColumnClick(kFieldSize);
  page().SortByColumnClick(kFieldDate);
  EXPECT_EQ(Column(kFieldSize), QStringList({"999", "1000", "20"}));
  page().SortByColumnClick(kFieldSize);

  page().reportView()->setColumnWidth(kFieldExt, 77);
  RestartPage();
  EXPECT_EQ(page().model().sortColumn(), kFieldSize);
  EXPECT_EQ(page().reportView()->columnWidth(kFieldExt), 77);
  fill();
  EXPECT_EQ(Column(kFieldSize), QStringList({"1000", "20", "999"}));  // as text until a click
  // Locale order with case significant: the letters first, then lower before upper case.
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  page().SortByColumnClick(kFieldFilename);
  QLocale::setDefault(before);
  EXPECT_EQ(Column(kFieldFilename), QStringList({"a", "b", "B"}));

  QSettings store(QStringLiteral("Vistrel"));
  page().SaveColumnState();
  EXPECT_EQ(store.value(QStringLiteral("Sort/SortCol")).toInt(), kFieldFilename);
  EXPECT_TRUE(store.value(QStringLiteral("Sort/Ascending")).toBool());
  EXPECT_EQ(store.value(QStringLiteral("Columns/Sizes")).toString().split(QLatin1Char(',')).size(),
            5);
}

TEST_F(FileListsPageTest, StartPagesAreRedAndSizesRightAligned) {
  page().workList() = QStringList{site_ + QStringLiteral("*Index*.htm*1*d"),
                                  site_ + QStringLiteral("*other*.htm*2*d")};
  page().FillReportList(true);
  const ListReportModel& model = page().model();
  EXPECT_EQ(model.data(model.index(0, kFieldFilename), Qt::ForegroundRole).value<QColor>(),
            QColor(255, 0, 0));
  EXPECT_EQ(model.data(model.index(0, kFieldFolder), Qt::ForegroundRole).value<QColor>(),
            QColor(0, 0, 0));
  EXPECT_EQ(model.data(model.index(1, kFieldFilename), Qt::ForegroundRole).value<QColor>(),
            QColor(0, 0, 0));
  EXPECT_TRUE(model.data(model.index(0, kFieldSize), Qt::TextAlignmentRole).toInt() &
              Qt::AlignRight);
  for (const char* name : {"INDEX", "default", "Start", "welcome"})
    EXPECT_TRUE(ListReportModel::IsStartPageName(QString::fromLatin1(name)));
  EXPECT_FALSE(ListReportModel::IsStartPageName(QStringLiteral("index2")));
}

TEST_F(FileListsPageTest, KeysSelectAllTakeOutAndOpen) {
  page().workList() =
      QStringList{site_ + QStringLiteral("*a*.htm*1*d"), site_ + QStringLiteral("*b*.htm*2*d"),
                  site_ + QStringLiteral("*c*.htm*3*d")};
  page().FillReportList(true);
  page().UpdateListButtons();
  QTableView* view = page().reportView();
  QTest::keyClick(view, Qt::Key_A);
  EXPECT_LT(page().SelectedCount(), 3);
  QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(page().SelectedCount(), 3);

  QSignalSpy open(&page(), &FileListsPage::OpenFileRequested);
  SelectRows({1});
  EXPECT_EQ(page().CurrentFile(), site_ + QStringLiteral("b.htm"));
  EXPECT_EQ(page().FileOfItem(1, true), site_ + QStringLiteral("b.htm"));
  EXPECT_TRUE(page().FileOfItem(0, true).isEmpty());
  EXPECT_EQ(page().FileOfItem(0, false), site_ + QStringLiteral("a.htm"));
  EXPECT_TRUE(page().FileOfItem(3, false).isEmpty());
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(open.count(), 1);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(page().ItemCount(), 2);
  EXPECT_TRUE(page().button(QStringLiteral("Save List"))->isEnabled());
}

TEST_F(FileListsPageTest, SavedListsBoxColoursItsTitleAndLoadsOnEnter) {
  home_.Write(QStringLiteral("site/a.htm"));
  home_.Write(QStringLiteral("FILELISTS/one.lst"),
              (site_ + QStringLiteral("*a*.htm*0*x\r\n")).toUtf8());
  page().RereadSavedLists();
  QListWidget* box = page().savedLists();
  QFocusEvent in(QEvent::FocusIn);
  QCoreApplication::sendEvent(box, &in);
  EXPECT_TRUE(page().savedListsTitleHighlighted());
  SelectSavedLists({QStringLiteral("one.lst")});
  EXPECT_TRUE(page().button(QStringLiteral("Load List"))->isEnabled());
  EXPECT_TRUE(page().button(QStringLiteral("Delete"))->isEnabled());

  // The stored date is wrong, so loading updates the row and asks to save.
  Expect<ListNameDialog>([](ListNameDialog&) { return int(QDialog::Rejected); });
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(page().ItemCount(), 1);

  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(box, &out);
  EXPECT_FALSE(page().savedListsTitleHighlighted());
  EXPECT_FALSE(page().button(QStringLiteral("Load List"))->isEnabled());
}

TEST_F(FileListsPageTest, AddTakesChosenFilesOnceAndSkipsHiddenOnes) {
  const QString a = home_.Write(QStringLiteral("site/a.htm"));
  const QString hidden = home_.Write(QStringLiteral("site/.h.htm"));
  prompter_.AnswerOpenFiles({a, hidden});
  Expect<ListNameDialog>([](ListNameDialog& d) {
    EXPECT_EQ(d.message(), QStringLiteral("\n1 new entries added.\nSave results?"));
    return int(QDialog::Rejected);
  });
  page().Add();
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{QStringLiteral("Add files to list")});
  EXPECT_EQ(page().ItemCount(), 1);
  EXPECT_TRUE(page().currentListFile().isEmpty());

  prompter_.AnswerOpenFiles({a});
  page().Add();
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList({QStringLiteral("Add files to list"),
                         QStringLiteral("No new entries to add ...\r\n\r\n") + site_}));
}

TEST_F(FileListsPageTest, DeletingAndCopyingSelectedRowsWorkOnTheirFiles) {
  const QString a = home_.Write(QStringLiteral("site/a.htm"), "A");
  home_.Write(QStringLiteral("site/b.htm"), "B");
  home_.Write(QStringLiteral("site/c.htm"), "C");
  SearchExpectingSaveDialog(true, false);
  ExpectSave(QStringLiteral("x"));
  page().SaveList();

  // Copy two rows to another folder.
  SelectRows({0, 2});
  const QString dest = home_.MakeDir(QStringLiteral("dest"));
  struct NoProgress : BatchProgress {
    void Begin(int) override {}
    void SetText(const QString&) override {}
    void Step() override {}
    bool AbortRequested() override { return false; }
    void End() override {}
  } progress;
  prompter_.AnswerFolder(dest);
  prompter_.AnswerQuestion(kAnswerYes);
  EXPECT_EQ(CopySelectedFiles(page(), site_, settings_, prompter_, progress).copied, 2);
  EXPECT_EQ(prompter_.TakeTexts().size(), 2);
  EXPECT_EQ(home_.Read(QStringLiteral("dest/c.htm")), QByteArray("C"));

  SelectRows({0});
  prompter_.AnswerQuestion(kAnswerYes);
  const DeleteOutcome outcome = DeleteSelectedFiles(page(), site_, settings_, prompter_);
  page().AfterFilesDeleted(outcome);
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{
                QStringLiteral("CAUTION:\r\n--- File(s) will not be moved to Trash! ---\r\n\r\n\r\n"
                               "Delete file \"") +
                a + QStringLiteral("\" permanently from disk?\r\n\r\n")});
  EXPECT_FALSE(QFile::exists(a));
  EXPECT_TRUE(outcome.anyInShownFolder);
  EXPECT_EQ(page().ItemCount(), 2);
  EXPECT_FALSE(page().listSaved());
  EXPECT_TRUE(page().button(QStringLiteral("Save List"))->isEnabled());
}

}  // namespace
}  // namespace vistrel
