// Fills the File Lists report with many rows and sorts it by each column, through the model
// and a table view as the page uses them.
// usage: filelists_report_bench [ROWS]
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <cstdio>

#include "filelists/list_report_model.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  std::vector<vistrel::ListRow> rows;
  rows.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    const int x = int((i * 2654435761u) % 1000003u);
    rows.push_back({QStringLiteral("/srv/www/site%1/section%2/").arg(x % 97).arg(x % 13),
                    QStringLiteral("page_%1").arg(x),
                    i % 3 ? QStringLiteral(".html") : QStringLiteral(".htm"),
                    QString::number(x * 7 % 200000),
                    QStringLiteral("20%1-%2-%3  %4:%5")
                        .arg(10 + x % 15)
                        .arg(1 + x % 12, 2, 10, QLatin1Char('0'))
                        .arg(1 + x % 28, 2, 10, QLatin1Char('0'))
                        .arg(x % 24, 2, 10, QLatin1Char('0'))
                        .arg(x % 60, 2, 10, QLatin1Char('0'))});
  }
  vistrel::ListReportModel model;
  QTableView view;
  view.setModel(&model);
  view.resize(900, 600);
  view.show();
  QElapsedTimer timer;
  timer.start();
  model.SetRows(rows);
  QCoreApplication::processEvents();
  std::printf("fill %d rows: %lld ms\n", count, static_cast<long long>(timer.elapsed()));
  const char* names[] = {"Folder", "Filename", "Ext", "Size", "Date"};
  for (int column = 0; column < vistrel::kFieldCount; ++column) {
    const auto mode = column == vistrel::kFieldSize ? vistrel::ListCompareMode::kSmart
                                                    : vistrel::ListCompareMode::kText;
    timer.restart();
    model.SortBy(column, true, mode);
    QCoreApplication::processEvents();
    std::printf("sort by %s: %lld ms\n", names[column], static_cast<long long>(timer.elapsed()));
  }
  return 0;
}
