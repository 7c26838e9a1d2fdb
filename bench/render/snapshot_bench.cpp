// Snapshots of many pages in one process, as a batch makes them: one off-screen page loads
// each file, waits until it is painted, captures it, and the snapshot (scale 100 %, no
// shade, no border) is written as JPEG. Prints one line per page and a summary.
//   snapshot_bench [--width W] [--height H] [--out DIR] [--repeat N] FILE...
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_options.h"
#include "core/headless.h"
#include "core/vistrel_error.h"
#include "render/browser_profile.h"
#include "snapshots/snapshot_renderer.h"
#include "snapshots/image_files.h"
#include "snapshots/snapshot_compose.h"
#include "snapshots/snapshot_settings.h"

namespace {

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  vistrel::PrepareHeadlessEnvironment(true);
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QTextStream out(stdout);

  const int width = vistrel::bench::TakeIntOption(args, QStringLiteral("--width"), 640);
  const int height = vistrel::bench::TakeIntOption(args, QStringLiteral("--height"), 480);
  const int repeat = vistrel::bench::TakeIntOption(args, QStringLiteral("--repeat"), 1);
  const QString outFolder = vistrel::bench::TakeOption(args, QStringLiteral("--out"));
  const QStringList files = args;
  if (files.isEmpty() || width < 10 || height < 10 || repeat < 1) {
    std::fprintf(
        stderr,
        "usage: snapshot_bench [--width W] [--height H] [--out DIR] [--repeat N] FILE...\n");
    return 2;
  }

  vistrel::SnapshotSettings settings;
  settings.CustomWidth = width;
  settings.CustomHeight = height;
  settings.Scale = 100;
  settings.Shade = 0;
  settings.Border = 0;
  settings.ScaledWidth = settings.OutWidth = width;
  settings.ScaledHeight = settings.OutHeight = height;
  settings.RectBack = settings.RectPage = settings.RectShade =
      vistrel::EdgeRect{0, 0, width, height};

  QElapsedTimer total;
  total.start();
  vistrel::BrowserProfile profile;
  vistrel::SnapshotRenderer renderer(profile, vistrel::BrowserDisplaySettings());
  const double startupMs = total.nsecsElapsed() / 1e6;
  std::vector<double> times;
  int timeouts = 0, failures = 0, written = 0;
  QElapsedTimer batch;
  batch.start();
  for (int round = 0; round < repeat; ++round) {
    for (const QString& file : files) {
      QElapsedTimer one;
      one.start();
      try {
        QImage snapshot;
        const auto result = renderer.DoTheShot(file, settings, QSize(width, height), &snapshot);
        if (result == vistrel::SnapshotRenderer::Result::kTimedOut) ++timeouts;
        if (result == vistrel::SnapshotRenderer::Result::kNoFile)
          throw vistrel::VistrelError(QStringLiteral("Can't locate file: ") + file);
        const QString target = outFolder.isEmpty() ? QString()
                                                   : outFolder + QLatin1Char('/') +
                                                         QFileInfo(file).completeBaseName() +
                                                         QStringLiteral("_%1.jpg").arg(written);
        QString error;
        if (!target.isEmpty() && !vistrel::WriteImageFile(target, snapshot, &error)) {
          ++failures;
          out << "failed " << error << "\n";
        } else {
          ++written;
        }
      } catch (const vistrel::VistrelError& error) {
        ++failures;
        out << "failed " << error.message() << "\n";
      }
      times.push_back(one.nsecsElapsed() / 1e6);
      out << QString::asprintf("%8.1f ms  ", times.back()) << file << "\n";
    }
  }
  const double batchSeconds = batch.nsecsElapsed() / 1e9;
  const double allSeconds = total.nsecsElapsed() / 1e9;
  out << QString::asprintf(
      "pages %d at %dx%d: %.2f snapshots/s in the loop (median %.1f ms per page), "
      "%.2f snapshots/s with engine start-up (%.0f ms); timeouts %d, failures %d\n",
      static_cast<int>(times.size()), width, height, times.size() / batchSeconds, Median(times),
      times.size() / allSeconds, startupMs, timeouts, failures);
  return failures ? 1 : 0;
}
