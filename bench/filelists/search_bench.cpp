// Times the tree search on a real folder: prints the hits, the best of several runs and the
// longest time the user interface went without a breath (the window's longest freeze during
// the walk, putting the result together included), in seconds.
// usage: filelists_search_bench FOLDER [MASK] [RUNS]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

#include "filelists/file_search.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [MASK] [RUNS]\n", argv[0]);
    return 2;
  }
  QElapsedTimer sinceBreath;
  qint64 longestGap = 0;
  vistrel::SearchRequest request;
  request.folder = args.at(1);
  request.patternList = args.size() > 2 ? args.at(2) : QStringLiteral("*.htm");
  request.asListEntries = true;
  request.processEvents = [&] {
    longestGap = std::max(longestGap, sinceBreath.nsecsElapsed());
    QCoreApplication::processEvents();
    sinceBreath.restart();
  };
  const int runs = args.size() > 3 ? args.at(3).toInt() : 3;
  double best = 1e30;
  qsizetype hits = 0;
  for (int i = 0; i < runs; ++i) {
    QStringList target;
    QElapsedTimer timer;
    timer.start();
    sinceBreath.start();
    vistrel::SearchFolderTree(request, target);
    longestGap = std::max(longestGap, sinceBreath.nsecsElapsed());
    best = std::min(best, timer.nsecsElapsed() / 1e9);
    hits = target.size();
  }
  std::printf("%lld %.3f %.3f\n", static_cast<long long>(hits), best, longestGap / 1e9);
  return 0;
}
