// Times the tree search on a real folder: prints the hits and the best of several runs.
// usage: filelists_search_bench FOLDER [MASK] [RUNS]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "filelists/file_search.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [MASK] [RUNS]\n", argv[0]);
    return 2;
  }
  vistrel::SearchRequest request;
  request.folder = args.at(1);
  request.patternList = args.size() > 2 ? args.at(2) : QStringLiteral("*.htm");
  request.asListEntries = true;
  request.processEvents = [] { QCoreApplication::processEvents(); };
  const int runs = args.size() > 3 ? args.at(3).toInt() : 3;
  double best = 1e30;
  qsizetype hits = 0;
  for (int i = 0; i < runs; ++i) {
    QStringList target;
    QElapsedTimer timer;
    timer.start();
    vistrel::SearchFolderTree(request, target);
    best = std::min(best, timer.nsecsElapsed() / 1e9);
    hits = target.size();
  }
  std::printf("%lld %.3f\n", static_cast<long long>(hits), best);
  return 0;
}
