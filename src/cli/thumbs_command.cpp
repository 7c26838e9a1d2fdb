// vistrel-cli thumbs [--base N] [--timeout S] FILE...: the Thumbnail View's Make Thumbs
// without a window.

#include "core/disk_name.h"
#include "core/program_folder.h"
#include "core/prompter.h"
#include "cli/cli_command.h"
#include "cli/command_options.h"
#include "cli/progress_line.h"
#include "cli/helper_program.h"
#include "cli/stderr_prompter.h"
#include "render/browser_profile.h"
#include "render/offscreen_page.h"
#include "settings/ini_profile.h"
#include "settings/program_settings.h"
#include "snapshots/disk_space.h"
#include "thumbnails/base_size.h"
#include "thumbnails/offscreen_capture.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_commands.h"
#include "thumbnails/thumb_store.h"

namespace vistrel::cli {

namespace {

const char kUsage[] =
    "Usage: vistrel-cli thumbs [--base N] [--timeout S] [--pages N] [--quiet] [--verbose]\n"
    "                          FILE...\n"
    "Makes the 130x100 thumbnail of each page or picture FILE in the program folder's\n"
    "thumbnail store, as the Thumbnail View's Make Thumbs does, and prints each thumbnail's\n"
    "path. A page still loading after the timeout is taken as painted and named at the end;\n"
    "a page that painted nothing of its own by then gets no thumbnail. Exit status 1 when\n"
    "any thumbnail could not be made.\n"
    "\n"
    "  --base N     browser size to render at: 0 160x120, 1 320x240, 2 480x360, 3 640x480,\n"
    "               4 800x600, 5 1024x768, 6 1600x1200 (default: THUMB_BASEIDX of prg.ini)\n"
    "  --timeout S  seconds a page may take to render (default 5)\n"
    "  --pages N    pages rendered at once (default: one per core plus one)\n"
    "  --quiet      no progress line (shown only when standard error is a terminal)\n"
    "  --verbose    let the browser engine print its own diagnostics\n";

// "a, b and c" of the pages named in the summary.
QString NameList(const QStringList& names) {
  if (names.size() < 2) return names.join(QString());
  return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
         names.back();
}

}  // namespace

int RunThumbs(const QStringList& args) {
  CommandOptions options("thumbs", kUsage);
  options.Add(QStringLiteral("base"), QStringLiteral("N"));
  options.Add(QStringLiteral("timeout"), QStringLiteral("S"));
  options.Add(QStringLiteral("pages"), QStringLiteral("N"));
  options.AddQuiet();
  options.AddVerbose();
  if (const int code = options.Parse(args); code != CommandOptions::kRun) return code;
  const QString baseText = options.Value(QStringLiteral("base"));
  const QStringList files = options.Positional();
  if (files.isEmpty()) return options.UsageError(QStringLiteral("expected at least one FILE"));
  int base = -1;
  if (!baseText.isEmpty()) {
    bool ok = false;
    base = baseText.toInt(&ok, 10);
    if (!ok || !BaseSizeOf(base).isValid())
      return options.UsageError(baseText + QStringLiteral(" is not a base size (0-6)"));
  }
  int timeoutMs = OffscreenPage::kDefaultTimeoutMs;
  if (options.Has(QStringLiteral("timeout"))) {
    const QString text = options.Value(QStringLiteral("timeout"));
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 3600)
      return options.UsageError(text + QStringLiteral(" is not a timeout in seconds"));
    timeoutMs = static_cast<int>(seconds * 1000);
  }
  int pages = 0;
  if (options.Has(QStringLiteral("pages"))) {
    const QString text = options.Value(QStringLiteral("pages"));
    bool ok = false;
    pages = text.toInt(&ok, 10);
    if (!ok || pages < 1 || pages > 32)
      return options.UsageError(text + QStringLiteral(" is not a number of pages (1-32)"));
  }
  StartRenderApplication(options.Has(QStringLiteral("verbose")));

  const WorkingFolders folders = WorkingFolders::For(ResolveProgramFolder(CliFolder()));
  PrepareWorkingFolders(folders, DefaultResourceFolder(CliFolder()));
  const ProgramSettings settings =
      LoadProgramSettings(IniProfile::Load(folders.iniFile), QSize(1024, 768), folders.program);
  if (base < 0) base = settings.THUMB_BASEIDX;
  if (!BaseSizeOf(base).isValid()) {
    Err() << "vistrel-cli thumbs: THUMB_BASEIDX " << base
          << " in prg.ini names no base size; use --base N\n";
    return kExitFailure;
  }

  StderrPrompter prompter;
  BrowserProfile profile;
  OffscreenCapture capture(profile);
  capture.SetTimeout(timeoutMs);
  capture.SetPagesInFlight(pages);
  ThumbCache cache(settings.CACHE_MAX);
  ThumbStore store(folders.thumbs, cache, capture.AsPageCapture());
  store.SetRenderSize(BaseSizeOf(base));
  QStringList pagesToMake;
  for (const QString& file : files) pagesToMake.append(AbsolutePath(file));
  QStringList timedOut, failed;
  bool diskFull = false;
  ProgressLine progress(options.Has(QStringLiteral("quiet")));
  progress.Show(0, int(files.size()), files.front());
  ThumbBatchHooks hooks;
  hooks.admit = [&](int, const QString&) {
    diskFull = !EnoughDiskSpace(folders.thumbs, kThumbMinimumKb, prompter);
    return !diskFull;
  };
  hooks.done = [&](int index, const QString& page, const ThumbOutcome& outcome) {
    const QString& file = files.at(index);
    progress.Clear();
    if (outcome.made) {
      Out() << store.ThumbOf(page) << "\n";
      Out().flush();
      if (outcome.timedOut) timedOut.append(PrintableName(file));
    } else {
      Err() << "vistrel-cli thumbs: no thumbnail made for " << PrintableName(file);
      if (!outcome.problem.isEmpty()) Err() << ": " << outcome.problem;
      Err() << "\n";
      Err().flush();
      failed.append(PrintableName(file));
    }
    if (index + 1 < files.size()) progress.Show(index + 1, int(files.size()), files.at(index + 1));
    return true;
  };
  store.MakeThumbs(pagesToMake, hooks);
  progress.Clear();
  if (diskFull) return kExitFailure;
  if (!timedOut.isEmpty())
    Err() << "vistrel-cli thumbs: taken as painted when the timeout came: " << NameList(timedOut)
          << "\n";
  if (!failed.isEmpty())
    Err() << "vistrel-cli thumbs: no thumbnail for " << NameList(failed) << "\n";
  Out().flush();
  return failed.isEmpty() ? kExitOk : kExitFailure;
}

}  // namespace vistrel::cli
