// Times the verification of a list of every "*.htm" file below a folder against a plain
// stat() loop over the same paths.
// usage: filelists_verify_bench FOLDER [RUNS]
#include <sys/stat.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "core/disk_name.h"
#include "filelists/file_search.h"
#include "filelists/list_verify.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [RUNS]\n", argv[0]);
    return 2;
  }
  vistrel::SearchRequest request;
  request.folder = args.at(1);
  request.patternList = QStringLiteral("*.htm");
  QStringList entries;
  vistrel::SearchFolderTree(request, entries);
  std::vector<vistrel::ListRow> rows;
  std::vector<QByteArray> paths;
  for (const QString& e : entries) {
    rows.push_back(vistrel::SplitListEntry(e));
    paths.push_back(vistrel::NameToDisk(vistrel::FullPathOfRow(rows.back())));
  }
  const int runs = args.size() > 2 ? args.at(2).toInt() : 3;
  double bestVerify = 1e30, bestStat = 1e30;
  int found = 0;
  for (int i = 0; i < runs; ++i) {
    std::vector<vistrel::ListRow> copy = rows;
    QElapsedTimer timer;
    timer.start();
    const vistrel::VerifyOutcome outcome = vistrel::VerifyRows(copy);
    bestVerify = std::min(bestVerify, timer.nsecsElapsed() / 1e9);
    if (outcome.notFound + outcome.updated != 0) std::fprintf(stderr, "unexpected changes\n");

    timer.restart();
    found = 0;
    for (const QByteArray& p : paths) {
      struct stat st {};
      if (stat(p.constData(), &st) == 0) ++found;
    }
    bestStat = std::min(bestStat, timer.nsecsElapsed() / 1e9);
  }
  std::printf("%zu %.3f %.3f\n", rows.size(), bestVerify, bestStat);
  return found == int(rows.size()) ? 0 : 1;
}
