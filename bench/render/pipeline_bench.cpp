// Thumbnails of many pages as Make Thumbs makes them, measured two ways:
//  1. one page at a time, each stage timed: load (to the engine's load finished), paint
//     wait (to the frame that shows the finished page), capture, Lanczos3, JPEG, write;
//  2. through the render pipeline with 1 and with N pages in flight: pages per second, the
//     time to the first thumbnail, and the CPU seconds of this process and of the engine's
//     helper processes (render, GPU) per page.
//   pipeline_bench [--width W] [--height H] [--pages N] FILE...
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "core/headless.h"
#include "bench_options.h"
#include "process_tree.h"
#include "core/text_file.h"
#include "render/browser_profile.h"
#include "render/browser_view.h"
#include "render/offscreen_page.h"
#include "render/render_pipeline.h"
#include "snapshots/jpeg_codec.h"
#include "snapshots/resample.h"

namespace {

using namespace vistrel;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// CPU seconds (user + system) of a process and everything below it.
double TreeCpuSeconds(pid_t root) {
  const double tick = double(sysconf(_SC_CLK_TCK));
  double total = 0;
  for (const qint64 pid : bench::ProcessTree(root)) {
    const QByteArray line = bench::ProcFile(pid, "stat");
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 12) total += (fields[11].toDouble() + fields[12].toDouble()) / tick;
  }
  return total;
}

double OwnCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Stages(BrowserProfile& profile, const QStringList& files, QSize size, const QString& out) {
  OffscreenPage page(profile, size);
  page.LoadHTMLFile(files.first());  // engine start-up is not part of a page's time
  std::vector<double> load, paint, capture, resample, encode, write;
  for (const QString& file : files) {
    QElapsedTimer clock;
    double loaded = -1;
    clock.start();
    QObject context;
    QObject::connect(&page.View(), &BrowserView::LoadFinished, &context,
                     [&] { loaded = clock.nsecsElapsed() / 1e6; });
    page.Load(file);
    const double painted = clock.nsecsElapsed() / 1e6;
    load.push_back(loaded < 0 ? painted : loaded);
    paint.push_back(painted - load.back());
    clock.restart();
    const QImage image = page.Capture();
    capture.push_back(clock.nsecsElapsed() / 1e6);
    clock.restart();
    const QImage thumb = ResampleBitmap(image, QSize(130, 100));
    resample.push_back(clock.nsecsElapsed() / 1e6);
    clock.restart();
    QByteArray jpeg;
    EncodeJpeg(thumb, kThumbnailJpeg, &jpeg);
    encode.push_back(clock.nsecsElapsed() / 1e6);
    clock.restart();
    WriteFileAtomically(out + QStringLiteral("/stage.jpg"), jpeg);
    write.push_back(clock.nsecsElapsed() / 1e6);
  }
  std::printf(
      "one at a time, median ms per page: load %.1f, paint wait %.1f, capture %.1f, "
      "Lanczos3 %.1f, JPEG %.1f, write %.1f\n",
      Median(load), Median(paint), Median(capture), Median(resample), Median(encode),
      Median(write));
}

void Pipeline(BrowserProfile& profile, const QStringList& files, QSize size, int pages) {
  RenderPipeline pipeline(profile);
  PipelineOptions options;
  options.renderSize = size;
  options.pages = pages;
  pipeline.SetOptions(options);
  pipeline.Run({files.first()}, {});  // start-up, as above
  const double ownBefore = OwnCpuSeconds();
  const double treeBefore = TreeCpuSeconds(getpid());
  QElapsedTimer clock;
  clock.start();
  double first = -1;
  int made = 0;
  PipelineHooks hooks;
  hooks.finish = [](int, const QString&, const QImage& capture) {
    FinishedPage page;
    page.image = ResampleBitmap(capture, QSize(130, 100));
    EncodeJpeg(page.image, kThumbnailJpeg, &page.data);
    return page;
  };
  hooks.deliver = [&](int, const PageResult& result) {
    if (first < 0) first = clock.nsecsElapsed() / 1e6;
    made += !result.image.isNull();
    return true;
  };
  pipeline.Run(files, hooks);
  const double seconds = clock.nsecsElapsed() / 1e9;
  const double own = OwnCpuSeconds() - ownBefore;
  const double tree = TreeCpuSeconds(getpid()) - treeBefore;
  const double n = double(files.size());
  std::printf(
      "pipeline, %d page(s) in flight: %d of %d made in %.2f s, %.3f s per page, %.2f pages/s; "
      "first after %.0f ms; CPU per page %.3f s here + %.3f s in the engine's processes\n",
      pages, made, int(files.size()), seconds, seconds / n, n / seconds, first, own / n,
      (tree - own) / n);
}

}  // namespace

int main(int argc, char** argv) {
  PrepareHeadlessEnvironment(true);
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  const int width = bench::TakeIntOption(args, QStringLiteral("--width"), 640);
  const int height = bench::TakeIntOption(args, QStringLiteral("--height"), 480);
  const int pages = bench::TakeIntOption(args, QStringLiteral("--pages"), DefaultPagesInFlight());
  const QStringList files = args;
  if (files.isEmpty() || width < 10 || height < 10 || pages < 1) {
    std::fprintf(stderr, "usage: pipeline_bench [--width W] [--height H] [--pages N] FILE...\n");
    return 2;
  }
  QTemporaryDir out;
  BrowserProfile profile;
  const QSize size(width, height);
  std::printf("%d pages at %dx%d\n", int(files.size()), width, height);
  Stages(profile, files, size, out.path());
  Pipeline(profile, files, size, 1);
  if (pages > 1) Pipeline(profile, files, size, pages);
  return 0;
}
