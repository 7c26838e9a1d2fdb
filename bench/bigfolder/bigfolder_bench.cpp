// A folder of many thousand pages, each with a thumbnail: how long the window is blocked by
// listing it in the Folder View, opening the Thumbnail View and scrolling the grid from top
// to bottom, and the peak memory. Opening the folder counts until the folder tree has read it
// and shows it current. Every figure is the longest single stretch the event loop could not
// run, since that is what the user sees as a frozen window.
// usage: bigfolder_bench FOLDER   (run_bench.sh makes the folder)
#include <fcntl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QScrollBar>
#include <QTreeView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/ui/folder_panel.h"
#include "app/ui/folder_tree_model.h"
#include "app/ui/folder_view_page.h"
#include "app/ui/preview_controller.h"
#include "app/ui/main_window.h"
#include "program_windows.h"
#include "app/ui/page_switcher.h"
#include "app/ui/qt_prompter.h"
#include "app/ui/status_text.h"
#include "app/viewer/viewer_window.h"
#include "core/disk_name.h"
#include "core/headless.h"
#include "core/page_list.h"
#include "core/text_paths.h"
#include "render/browser_profile.h"
#include "snapshots/jpeg_codec.h"
#include "thumbnails/thumb_naming.h"
#include "thumbnails/thumbnail_list_view.h"
#include "thumbnails/thumbnail_page.h"

namespace {

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

double Milliseconds(const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return timer.nsecsElapsed() / 1e6;
}

// CPU time of the calling thread: steadier than wall time on a busy machine.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Lets queued work (delayed layouts, paints) run, and reports the longest single pass.
double SettleMs() {
  double longest = 0;
  for (int i = 0; i < 5; ++i)
    longest = std::max(longest, Milliseconds([] { QCoreApplication::processEvents(); }));
  return longest;
}

// Whether the tree shows folder current with its subfolders read.
bool TreeHolds(const vistrel::FolderPanel& panel, const QString& folder) {
  const QTreeView* tree = panel.folderTree();
  const auto* model = qobject_cast<const vistrel::FolderTreeModel*>(tree->model());
  const QModelIndex current = tree->currentIndex();
  return model && current.isValid() && model->PathOf(current) == folder &&
         !model->canFetchMore(current);
}

// Runs the event loop until the tree holds folder (at most 10 s) and then lets it settle;
// returns the longest single pass.
double WaitForTree(const vistrel::FolderPanel& panel, const QString& folder) {
  double longest = 0;
  QElapsedTimer waited;
  waited.start();
  while (!TreeHolds(panel, folder)) {
    if (waited.elapsed() > 10000) {
      std::fputs("the folder tree did not show the folder within 10 s\n", stderr);
      break;
    }
    longest = std::max(longest, Milliseconds([] { QCoreApplication::processEvents(); }));
    usleep(1000);
  }
  return std::max(longest, SettleMs());
}

void WriteThumbnails(const QString& thumbs, const QString& folder, const QStringList& names) {
  QImage picture(vistrel::kThumbWidth, vistrel::kThumbHeight, QImage::Format_RGB888);
  picture.fill(QColor(40, 120, 200));
  QByteArray jpeg;
  vistrel::EncodeJpeg(picture, vistrel::kThumbnailJpeg, &jpeg);
  const QString first = vistrel::ThumbPath(thumbs, folder, names.value(0));
  vistrel::MakeFolders(vistrel::FolderOfPath(first));
  // Plain writes: a synced write per thumbnail would make the setup take minutes.
  for (const QString& name : names) {
    QFile out(
        QString::fromLocal8Bit(vistrel::NameToDisk(vistrel::ThumbPath(thumbs, folder, name))));
    if (out.open(QIODevice::WriteOnly)) out.write(jpeg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: bigfolder_bench FOLDER\n", stderr);
    return 2;
  }
  vistrel::PrepareHeadlessEnvironment(true);
  QApplication app(argc, argv);
  const QString folder = vistrel::IncludeTrailingSeparator(vistrel::NameFromDisk(argv[1]));
  QTemporaryDir home;
  vistrel::bench::ProgramWindows program(home.path() + QStringLiteral("/prog"));
  vistrel::MainWindow& window = program.window();
  const vistrel::WorkingFolders& folders = program.folders();
  SettleMs();
  window.state().StartingUp = false;  // as after the first activation
  const double baseRss = PeakRssMb();

  vistrel::FolderViewPage* view = window.folderViewPage();
  // BENCH_PARTS=1: the folder tree, the list and the rest timed one by one.
  if (qEnvironmentVariableIsSet("BENCH_PARTS")) {
    const double cpu = ThreadCpuMs();
    const double wall = Milliseconds([&] { window.folderPanel()->SetFolder(folder); });
    std::fprintf(stderr, "tree: %.0f ms (%.0f ms CPU)\n", wall, ThreadCpuMs() - cpu);
    for (int i = 0; i < 20; ++i) {
      std::fprintf(stderr, "tree settle: %.0f ms\n", SettleMs());
      usleep(300000);
    }
    std::fprintf(stderr, "show: %.0f ms\n",
                 Milliseconds([&] { view->ShowFolder(folder, window.state().CurrentMask); }));
    std::fprintf(stderr, "status: %.0f ms\n", Milliseconds([&] { window.RefreshStatus(); }));
    std::fprintf(stderr, "sync: %.0f ms\n",
                 Milliseconds([&] { window.thumbnailPage()->SyncThumbCount(); }));
    std::fprintf(stderr, "preview: %.0f ms\n",
                 Milliseconds([&] { window.preview().RefreshNow(false); }));
    std::fprintf(stderr, "settle: %.0f ms\n", SettleMs());
  }
  double listing = 0;
  const double listingCpu = ThreadCpuMs();
  listing = Milliseconds([&] { window.JumpToFileAndFolder(folder + QStringLiteral("x")); });
  listing = std::max(listing, WaitForTree(*window.folderPanel(), folder));
  std::fprintf(stderr, "opening the folder took %.0f ms CPU in all\n", ThreadCpuMs() - listingCpu);
  const int count = view->ItemCount();
  std::fprintf(stderr, "listed %d in %.0f ms; writing thumbnails\n", count, listing);
  WriteThumbnails(folders.thumbs, view->Folder(), view->Names());
  const double relist =
      Milliseconds([&] { view->ShowFolder(view->Folder(), window.state().CurrentMask); });
  SettleMs();

  double opening = Milliseconds([&] { window.pages()->RequestPage(vistrel::kThumbnailViewPage); });
  opening = std::max(opening, SettleMs());
  vistrel::ThumbnailListView* grid = window.thumbnailPage()->listView();
  opening = std::max(opening, Milliseconds([&] { grid->viewport()->repaint(); }));

  std::fprintf(stderr, "thumbnail view open in %.0f ms; scrolling\n", opening);
  QScrollBar* bar = grid->verticalScrollBar();
  double longestStep = 0;
  double total = 0;
  int steps = 0;
  // Page by page, but at most 400 steps evenly spread over a very long grid.
  const int stride = std::max(bar->pageStep(), bar->maximum() / 400);
  while (bar->value() < bar->maximum()) {
    const double step = Milliseconds([&] {
      bar->setValue(bar->value() + std::max(1, stride));
      grid->viewport()->repaint();
      QCoreApplication::processEvents();
    });
    longestStep = std::max(longestStep, step);
    total += step;
    ++steps;
  }
  const double jumpBack = Milliseconds([&] {
    bar->setValue(0);
    grid->viewport()->repaint();
  });

  std::printf("entries listed:                 %d\n", count);
  std::printf("open folder in Folder View:     %.0f ms (longest blocked stretch)\n", listing);
  std::printf("list it again:                  %.0f ms\n", relist);
  std::printf("open Thumbnail View:            %.0f ms (longest blocked stretch)\n", opening);
  std::printf("scroll to the end:              %d steps, longest %.1f ms, mean %.1f ms\n", steps,
              longestStep, steps ? total / steps : 0.0);
  std::printf("jump back to the top:           %.1f ms\n", jumpBack);
  std::printf("peak RSS:                       %.0f MB (%.0f MB before the folder)\n", PeakRssMb(),
              baseRss);
  const double worst = std::max({listing, relist, opening, longestStep, jumpBack});
  std::printf("longest freeze:                 %.0f ms (goal: under 500 ms)\n", worst);
  return 0;
}
