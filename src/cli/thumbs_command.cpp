// vistrel-cli thumbs [--base N] FILE...: the Thumbnail View's Make Thumbs without a window.

#include "core/disk_name.h"
#include "core/program_folder.h"
#include "core/prompter.h"
#include "cli/cli_command.h"
#include "cli/command_options.h"
#include "cli/progress_line.h"
#include "cli/helper_program.h"
#include "cli/stderr_prompter.h"
#include "render/browser_profile.h"
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
    "Usage: vistrel-cli thumbs [--base N] [--quiet] [--verbose] FILE...\n"
    "Makes the 130x100 thumbnail of each page or picture FILE in the program folder's\n"
    "thumbnail store, as the Thumbnail View's Make Thumbs does, and prints each thumbnail's\n"
    "path. Exit status 1 when any thumbnail could not be made.\n"
    "\n"
    "  --base N   browser size to render at: 0 160x120, 1 320x240, 2 480x360, 3 640x480,\n"
    "             4 800x600, 5 1024x768, 6 1600x1200 (default: THUMB_BASEIDX of prg.ini)\n"
    "  --quiet    no progress line (shown only when standard error is a terminal)\n"
    "  --verbose  let the browser engine print its own diagnostics\n";

}  // namespace

int RunThumbs(const QStringList& args) {
  CommandOptions options("thumbs", kUsage);
  options.Add(QStringLiteral("base"), QStringLiteral("N"));
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
  ThumbCache cache(settings.CACHE_MAX);
  ThumbStore store(folders.thumbs, cache, capture.AsPageCapture());
  store.SetRenderSize(BaseSizeOf(base));
  bool allMade = true;
  ProgressLine progress(options.Has(QStringLiteral("quiet")));
  for (int i = 0; i < files.size(); ++i) {
    const QString& file = files.at(i);
    const QString page = AbsolutePath(file);
    progress.Show(i, int(files.size()), file);
    if (!EnoughDiskSpace(folders.thumbs, kThumbMinimumKb, prompter)) return kExitFailure;
    const bool made = store.MakeThumb(page);
    progress.Clear();
    if (made) {
      Out() << store.ThumbOf(page) << "\n";
      Out().flush();
    } else {
      Err() << "vistrel-cli thumbs: no thumbnail made for " << file << "\n";
      Err().flush();
      allMade = false;
    }
  }
  Out().flush();
  return allMade ? kExitOk : kExitFailure;
}

}  // namespace vistrel::cli
