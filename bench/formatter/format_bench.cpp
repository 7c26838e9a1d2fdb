// formatter_bench FILE [STYLE_DIR] [RUNS]: formats FILE in process RUNS times (default 5) and
// prints "bytes best_seconds MB/s output_bytes best_cpu_seconds cpu_MB/s" for the best run by
// the wall clock and by the process's CPU time (the fairer figure on a shared machine).
// Without STYLE_DIR it uses the shipped default style.
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <ctime>

#include "core/text_file.h"
#include "formatter/format_driver.h"

namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: formatter_bench FILE [STYLE_DIR] [RUNS]\n");
    return 2;
  }
  QByteArray bytes;
  QString error;
  if (!vistrel::ReadWholeFile(QString::fromLocal8Bit(argv[1]), &bytes, &error)) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
  }
  const QString styleDir = argc > 2 && argv[2][0] ? QString::fromLocal8Bit(argv[2])
                                                  : QStringLiteral(":/defaults/STYLES/THUMBS/");
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  const vistrel::Style style = vistrel::LoadStyleFolder(styleDir);
  double best = 1e30;
  double bestCpu = 1e30;
  qsizetype outputSize = 0;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = CpuSeconds();
    const vistrel::DecodedText decoded = vistrel::DecodeText(bytes);
    // As the command line does: the output encoded piece by piece as it is made.
    outputSize = 0;
    vistrel::FormatSelectionTo(
        vistrel::PlainTextEditor(decoded.text), style, [&](QStringView piece) {
          outputSize += vistrel::EncodeText(piece.toString(), decoded.encoding).size();
        });
    best = std::min(best, timer.nsecsElapsed() / 1e9);
    bestCpu = std::min(bestCpu, CpuSeconds() - cpuStart);
  }
  std::printf("%lld %.4f %.1f %lld %.4f %.1f\n", static_cast<long long>(bytes.size()), best,
              bytes.size() / best / 1e6, static_cast<long long>(outputSize), bestCpu,
              bytes.size() / bestCpu / 1e6);
  return 0;
}
