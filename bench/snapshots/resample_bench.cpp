// Times ResampleBitmap in process: median milliseconds per call for each IN WxH pair.
//   resample_bench --make-inputs FOLDER      writes page-like test pictures big.png, small.png
//   resample_bench [--runs N] FILE WxH [FILE WxH ...]
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <utility>
#include <vector>

#include "core/headless.h"
#include "snapshots/image_files.h"
#include "snapshots/resample.h"

namespace {

// Something like a rendered page: white ground, text-like dark strokes, coloured blocks
// and a photo-like gradient, so the filter meets both flat areas and sharp edges.
QImage PageLike(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  std::mt19937 random(42);
  const int unit = width / 100;
  painter.fillRect(0, 0, width, 8 * unit, QColor(30, 60, 140));
  for (int y = 0; y < height; ++y)
    for (int x = width * 6 / 10; x < width * 9 / 10 && y > height / 5 && y < height / 2; ++x)
      image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
  for (int line = 12 * unit; line < height - 2 * unit; line += 2 * unit) {
    for (int x = 5 * unit; x < width * 55 / 100;) {
      const int word = int(random() % (6 * unit)) + unit;
      painter.fillRect(x, line, word, unit, QColor(20, 20, 20));
      x += word + unit;
    }
  }
  painter.fillRect(width * 6 / 10, height * 6 / 10, width / 4, height / 4, QColor(200, 40, 40));
  return image;
}

double CpuMs() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Median wall-clock and CPU (all threads) milliseconds per call.
std::pair<double, double> MedianMs(const QImage& source, QSize size, int runs) {
  std::vector<double> wall, cpu;
  for (int run = 0; run < runs; ++run) {
    const double cpuStart = CpuMs();
    const auto start = std::chrono::steady_clock::now();
    const QImage out = vistrel::ResampleBitmap(source, size);
    const auto end = std::chrono::steady_clock::now();
    if (out.size() != size) return {-1, -1};
    wall.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    cpu.push_back(CpuMs() - cpuStart);
  }
  return {Median(wall), Median(cpu)};
}

}  // namespace

int main(int argc, char** argv) {
  vistrel::PrepareHeadlessEnvironment(/*forceOffscreen=*/true);
  QGuiApplication app(argc, argv);
  QStringList args = QGuiApplication::arguments().mid(1);
  QTextStream out(stdout);
  if (args.size() == 2 && args[0] == QLatin1String("--make-inputs")) {
    const QString folder = args[1] + QLatin1Char('/');
    const bool ok =
        vistrel::WriteImageFile(folder + QStringLiteral("big.png"), PageLike(1600, 1200)) &&
        vistrel::WriteImageFile(folder + QStringLiteral("small.png"), PageLike(800, 600));
    return ok ? 0 : 1;
  }
  int runs = 31;
  if (args.size() >= 2 && args[0] == QLatin1String("--runs")) {
    runs = args[1].toInt();
    args = args.mid(2);
  }
  if (args.isEmpty() || args.size() % 2 != 0 || runs < 1) {
    std::fprintf(stderr,
                 "usage: resample_bench [--make-inputs FOLDER | [--runs N] FILE WxH ...]\n");
    return 2;
  }
  for (int i = 0; i < args.size(); i += 2) {
    QString error;
    const QImage source = vistrel::ReadImageFile(args[i], &error);
    const QStringList wh = args[i + 1].split(QLatin1Char('x'));
    if (source.isNull() || wh.size() != 2) {
      std::fprintf(stderr, "cannot use %s %s\n", qPrintable(args[i]), qPrintable(args[i + 1]));
      return 1;
    }
    // Start from a capture's format, as the snapshot and thumbnail makers do.
    const QImage capture = source.convertToFormat(QImage::Format_RGB32);
    const QSize size(wh[0].toInt(), wh[1].toInt());
    MedianMs(capture, size, 3);  // warm up
    const std::pair<double, double> ms = MedianMs(capture, size, runs);
    out << source.width() << "x" << source.height() << "->" << size.width() << "x" << size.height()
        << " " << QString::number(ms.first, 'f', 2) << " cpu " << QString::number(ms.second, 'f', 2)
        << "\n";
  }
  return 0;
}
