// Time from selecting a page in the Folder View to the page painted in the preview and its
// source coloured in the editor, for a generated page of about 200 KB.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/headless.h"
#include "app/ui/folder_view_page.h"
#include "app/ui/main_window.h"
#include "program_windows.h"
#include "app/ui/qt_prompter.h"
#include "app/viewer/viewer_window.h"
#include "editor/source_editor.h"
#include "render/browser_profile.h"
#include "render/browser_view.h"
#include "render/paint_wait.h"

namespace {

QByteArray MakePage(int targetBytes, int variant) {
  QByteArray page = "<html><head><title>Bench page</title></head><body>\n";
  int row = 0;
  while (page.size() < targetBytes) {
    page += "<!-- row " + QByteArray::number(row) +
            " -->\n<table border=\"1\" class=\"t\"><tr><td align=\"left\">cell " +
            QByteArray::number(row) + "</td><td><a href=\"p" + QByteArray::number(row % 7) +
            ".htm\">link</a> <b>bold</b> text &amp; more text in variant " +
            QByteArray::number(variant) +
            "</td></tr></table>\n<p class=\"x\">Lorem ipsum dolor sit amet, consectetur adipiscing "
            "elit.</p>\n";
    ++row;
  }
  return page + "</body></html>\n";
}

}  // namespace

int main(int argc, char** argv) {
  vistrel::PrepareHeadlessEnvironment(true);
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  QTemporaryDir home;
  for (int i = 0; i < runs; ++i) {
    QFile file(home.path() + QStringLiteral("/site/page%1.htm").arg(i, 2, 10, QLatin1Char('0')));
    QDir().mkpath(home.path() + QStringLiteral("/site"));
    if (file.open(QIODevice::WriteOnly)) file.write(MakePage(200 * 1024, i));
  }
  vistrel::bench::ProgramWindows program(home.path() + QStringLiteral("/prog"));
  vistrel::MainWindow& window = program.window();
  vistrel::ViewerWindow& viewer = program.viewer();
  window.state().StartingUp = false;  // as after the first activation
  window.JumpToFileAndFolder(home.path() + QStringLiteral("/site/page00.htm"));
  QListWidget* list = window.folderViewPage()->fileList();

  std::vector<double> times;
  std::vector<double> editorTimes;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    vistrel::WaitUntilPainted(*viewer.browser(), true, 30000, [&] {
      list->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
      window.OnFileListMoved();
      editorTimes.push_back(timer.nsecsElapsed() / 1e6);  // source loaded and coloured
    });
    times.push_back(timer.nsecsElapsed() / 1e6);
    if (viewer.editor()->toPlainText().size() < 200000) std::fprintf(stderr, "editor not filled\n");
  }
  std::sort(times.begin(), times.end());
  std::sort(editorTimes.begin(), editorTimes.end());
  std::printf(
      "preview of a 200 KB page: painted and coloured median %.1f ms (best %.1f, worst %.1f); "
      "source coloured alone median %.1f ms (%d runs)\n",
      times[times.size() / 2], times.front(), times.back(), editorTimes[editorTimes.size() / 2],
      runs);
  return 0;
}
