// thumbs_bench [PAGES] [GRID_ITEMS]: makes PAGES thumbnails at 640x480 through one reused
// off-screen page and through a new page per thumbnail, then opens a grid of GRID_ITEMS
// thumbnails with CACHE_MAX 200 and scrolls through all of it, reporting times and
// resident memory.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "core/headless.h"
#include "listed_folder.h"
#include "core/shell_host.h"
#include "render/browser_profile.h"
#include "render/offscreen_page.h"
#include "thumbnails/offscreen_capture.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_naming.h"
#include "thumbnails/thumb_store.h"
#include "thumbnails/thumbnail_delegate.h"
#include "thumbnails/thumbnail_list_view.h"
#include "thumbnails/thumbnail_model.h"

namespace {

using vistrel::bench::ListedFolder;

using namespace vistrel;

long ResidentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  }
  return -1;
}

QByteArray SamplePage(int i) {
  QByteArray html =
      "<html><head><title>Page " + QByteArray::number(i) + "</title></head><body bgcolor='#" +
      QByteArray::number(0x203040 + i * 0x010203, 16).right(6) + "' text='white'><h1>Page " +
      QByteArray::number(i) + "</h1><table border=1 width='90%'>";
  for (int row = 0; row < 8; ++row)
    html +=
        "<tr><td>cell " + QByteArray::number(row) + "</td><td><a href='x.htm'>link</a></td></tr>";
  html += "</table>";
  for (int p = 0; p < 6; ++p)
    html +=
        "<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor "
        "incididunt ut labore et dolore magna aliqua.</p>";
  return html + "</body></html>";
}

double MakeAll(ThumbStore& store, const QStringList& pages) {
  QElapsedTimer timer;
  timer.start();
  int made = 0;
  for (const QString& page : pages) made += store.MakeThumb(page);
  const double seconds = timer.nsecsElapsed() / 1e9;
  if (made != pages.size()) std::fprintf(stderr, "only %d of %d made\n", made, int(pages.size()));
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  PrepareHeadlessEnvironment(true);
  QApplication app(argc, argv);
  const int pageCount = qMax(1, argc > 1 ? std::atoi(argv[1]) : 100);
  const int gridItems = argc > 2 ? std::atoi(argv[2]) : 10000;
  QTemporaryDir work;
  const QString root = work.path() + QLatin1Char('/');
  const QString thumbs = root + QStringLiteral("THUMBS/");
  QDir().mkpath(root + QStringLiteral("pages"));
  QStringList pages;
  for (int i = 0; i < pageCount; ++i) {
    const QString path = root + QStringLiteral("pages/p%1.htm").arg(i, 4, 10, QLatin1Char('0'));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(SamplePage(i));
    pages << path;
  }

  BrowserProfile profile;
  ThumbCache cache(200);
  {
    OffscreenCapture capture(profile);
    ThumbStore store(thumbs, cache, capture.AsPageCapture());
    store.SetRenderSize(QSize(640, 480));
    store.MakeThumb(pages.first());  // engine start-up is not part of the rate
    const double reused = MakeAll(store, pages);
    std::printf(
        "make %d thumbnails at 640x480, one page reused: %.2f s (%.3f s per page, %.1f per s)\n",
        pageCount, reused, reused / pageCount, pageCount / reused);
  }
  {
    // Make Thumbs as clicked for the first time in a session: the engine runs already (the
    // preview shows a page), the batch's own pages are made now.
    OffscreenCapture capture(profile);
    ThumbStore store(thumbs, cache, capture.AsPageCapture());
    store.SetRenderSize(QSize(640, 480));
    QElapsedTimer timer;
    double first = -1;
    ThumbBatchHooks hooks;
    hooks.done = [&](int, const QString&, const ThumbOutcome&) {
      if (first < 0) first = timer.nsecsElapsed() / 1e6;
      return true;
    };
    timer.start();
    const int made = store.MakeThumbs(pages, hooks);
    const double all = timer.nsecsElapsed() / 1e9;
    std::printf(
        "make %d thumbnails at 640x480 as a batch: first after %.0f ms, all %.2f s (%.3f s per "
        "page, %.1f per s)\n",
        made, first, all, all / pageCount, pageCount / all);
  }
  {
    // A new off-screen page for every thumbnail, as a window per capture would be.
    ThumbStore store(thumbs, cache, [&profile](const QString& file, QSize size) {
      OffscreenPage page(profile, size);
      page.LoadHTMLFile(file);
      return page.Capture();
    });
    store.SetRenderSize(QSize(640, 480));
    const double fresh = MakeAll(store, pages);
    std::printf(
        "make %d thumbnails at 640x480, new page each: %.2f s (%.3f s per page, %.1f per s)\n",
        pageCount, fresh, fresh / pageCount, pageCount / fresh);
  }

  // THUMBS_SCREENSHOT=file.png: a picture of the grid over the pages just made.
  if (!qEnvironmentVariableIsEmpty("THUMBS_SCREENSHOT")) {
    QStringList shown;
    for (const QString& page : pages) shown << page.mid(page.lastIndexOf(QLatin1Char('/')) + 1);
    shown << QStringLiteral("missing.htm") << QStringLiteral("logo.gif");
    const QString folder = root + QStringLiteral("pages/");
    const ListedFolder source(folder, shown);
    ThumbnailModel model(source, thumbs, cache);
    ThumbnailDelegate delegate(cache);
    ThumbnailListView view;
    view.Attach(&model, &delegate);
    view.resize(640, 420);
    model.SetItemCount(shown.size());
    view.show();
    view.selectionModel()->select(model.index(1, 0), QItemSelectionModel::Select);
    view.selectionModel()->select(model.index(2, 0), QItemSelectionModel::Select);
    QApplication::processEvents();
    view.grab().save(qEnvironmentVariable("THUMBS_SCREENSHOT"));
  }

  // The grid: every entry has a thumbnail on disk.
  QFile sample(ThumbPathOf(thumbs, pages.first()));
  sample.open(QIODevice::ReadOnly);
  const QByteArray jpeg = sample.readAll();
  const QString gridFolder = root + QStringLiteral("grid/");
  QDir().mkpath(thumbs + FolderKey(gridFolder));
  QStringList names;
  for (int i = 0; i < gridItems; ++i) {
    names << QStringLiteral("page%1.htm").arg(i, 5, 10, QLatin1Char('0'));
    QFile thumb(ThumbPath(thumbs, gridFolder, names.last()));
    thumb.open(QIODevice::WriteOnly);
    thumb.write(jpeg);
  }
  const long before = ResidentKb();
  ThumbCache gridCache(200);
  const ListedFolder source(gridFolder, names);
  ThumbnailModel model(source, thumbs, gridCache);
  ThumbnailDelegate delegate(gridCache);
  ThumbnailListView view;
  view.Attach(&model, &delegate);
  view.resize(800, 600);
  view.show();
  QElapsedTimer timer;
  timer.start();
  model.SetItemCount(gridItems);
  QApplication::processEvents();  // the view lays its items out after the reset
  view.viewport()->repaint();
  const double open = timer.nsecsElapsed() / 1e6;
  QScrollBar* bar = view.verticalScrollBar();
  int frames = 0;
  timer.restart();
  for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
    bar->setValue(value);
    view.viewport()->repaint();
    ++frames;
  }
  const double scroll = timer.nsecsElapsed() / 1e6;
  std::printf(
      "grid of %d items: open and first paint %.1f ms; %d page scrolls in %.0f ms "
      "(%.2f ms per page, decoding included); cache images %d\n",
      gridItems, open, frames, scroll, scroll / frames, gridCache.ImageCount());
  std::printf("resident memory: %ld kB before the grid, %ld kB after scrolling through it\n",
              before, ResidentKb());
  return 0;
}
