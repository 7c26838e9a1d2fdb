// view_soak FOLDER COUNT: Make Thumbs in the Thumbnail View over FOLDER/p0.html ...
// p<COUNT-1>.html, all selected, on the offscreen platform, with the resident memory of the
// whole process tree (this program and the engine's processes) after every 100 pages, and
// how many pages got a thumbnail and how many were named as failed.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "core/batch_progress.h"
#include "core/headless.h"
#include "listed_folder.h"
#include "process_tree.h"
#include "core/program_folder.h"
#include "core/prompter.h"
#include "core/shell_host.h"
#include "render/browser_profile.h"
#include "settings/program_settings.h"
#include "thumbnails/offscreen_capture.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_store.h"
#include "thumbnails/thumbnail_page.h"

namespace {

using namespace vistrel;

// Resident kB of a process and everything below it.
long TreeRssKb(qint64 root) {
  long total = 0;
  for (const qint64 pid : bench::ProcessTree(root)) {
    for (const QByteArray& line : bench::ProcFile(pid, "status").split('\n'))
      if (line.startsWith("VmRSS:")) total += line.mid(6).trimmed().split(' ').first().toLong();
  }
  return total;
}

// The batch summary is where failed pages are named.
class Summary : public Prompter {
 public:
  void Information(const QString& text) override { texts << text; }
  void Error(const QString& text) override { texts << text; }
  int Question(const QString&, QuestionButtons) override { return 0; }
  void Beep() override {}
  QStringList OpenFiles(const FileDialogRequest&) override { return {}; }
  QString SaveFile(const FileDialogRequest&) override { return {}; }
  QString Folder(const FileDialogRequest&) override { return {}; }
  QStringList texts;
};

// Counts the pages as the progress window would, sampling memory every 100.
class Sampling : public BatchProgress {
 public:
  void Begin(int) override {}
  void SetText(const QString&) override {}
  void Step() override {
    if (++done_ % 100 == 0) {
      const long kb = TreeRssKb(QCoreApplication::applicationPid());
      samples.push_back(kb);
      std::printf("after %5d pages: %8ld kB resident\n", done_, kb);
      std::fflush(stdout);
    }
  }
  bool AbortRequested() override { return false; }
  void End() override {}
  std::vector<long> samples;

 private:
  int done_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: view_soak FOLDER COUNT\n", stderr);
    return 2;
  }
  PrepareHeadlessEnvironment(true);
  QApplication app(argc, argv);
  const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
  const int count = std::atoi(argv[2]);
  QStringList names;
  for (int i = 0; i < count; ++i) names << QStringLiteral("p%1.html").arg(i);
  QTemporaryDir home;
  const WorkingFolders folders = WorkingFolders::For(home.path() + QLatin1Char('/'));
  ProgramSettings settings;
  settings.RenderTimeout = 5;
  Summary prompter;
  Sampling progress;
  BrowserProfile profile;
  ThumbCache cache(200);
  OffscreenCapture capture(profile);
  ThumbStore store(folders.thumbs, cache, capture.AsPageCapture());
  bench::ListedFolder shell(folder, names);
  ThumbnailPage page(settings, prompter, folders, progress, store, shell);
  page.SetBaseIndex(3);
  page.SyncThumbCount();
  page.resize(800, 600);
  page.show();
  page.SelectAll();
  page.MakeOrClearSelection(page, true);

  int made = 0;
  for (const QString& name : names) made += QFile::exists(store.ThumbOf(folder + name));
  const QString told = prompter.texts.join(QLatin1Char('\n'));
  int named = 0;
  for (const QString& name : names) {
    if (!QFile::exists(store.ThumbOf(folder + name)) &&
        told.contains(folder + name + QLatin1Char(':')))
      ++named;
  }
  std::printf("%d pages: %d thumbnails, %d named as failed, %d unaccounted\n", count, made, named,
              count - made - named);
  if (progress.samples.size() >= 2) {
    const double first = progress.samples.front();
    const double last = progress.samples.back();
    std::printf("resident memory after page 100: %.0f kB, after page %d: %.0f kB (%.1f %%)\n",
                first, int(progress.samples.size()) * 100, last, (last - first) * 100 / first);
  }
  return 0;
}
