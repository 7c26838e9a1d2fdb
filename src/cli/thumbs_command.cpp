// vistrel-cli thumbs [--base N] FILE...: the Thumbnail View's Make Thumbs without a window.
#include <QCoreApplication>
#include <QFileInfo>

#include "core/program_folder.h"
#include "core/prompter.h"
#include "cli/cli_command.h"
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
    "Usage: vistrel-cli thumbs [--base N] FILE...\n"
    "Makes the 130x100 thumbnail of each page or picture FILE in the program folder's\n"
    "thumbnail store, as the Thumbnail View's Make Thumbs does, and prints each thumbnail's\n"
    "path. Exit status 1 when any thumbnail could not be made.\n"
    "\n"
    "  --base N   browser size to render at: 0 160x120, 1 320x240, 2 480x360, 3 640x480,\n"
    "             4 800x600, 5 1024x768, 6 1600x1200 (default: THUMB_BASEIDX of prg.ini)\n";

int UsageError(const QString& text) {
  Err() << "vistrel-cli thumbs: " << text << "\n" << kUsage;
  return kExitUsage;
}

}  // namespace

int RunThumbs(const QStringList& args) {
  if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
    Out() << kUsage;
    return kExitOk;
  }
  QString baseText;
  QStringList files;
  for (int i = 0; i < args.size(); ++i) {
    if (args.at(i) == QLatin1String("--base")) {
      if (++i == args.size()) return UsageError(QStringLiteral("--base needs a number"));
      baseText = args.at(i);
    } else if (args.at(i).startsWith(QLatin1String("--"))) {
      return UsageError(QStringLiteral("unknown option ") + args.at(i));
    } else {
      files << args.at(i);
    }
  }
  if (files.isEmpty()) return UsageError(QStringLiteral("expected at least one FILE"));

  const WorkingFolders folders =
      WorkingFolders::For(ResolveProgramFolder(QCoreApplication::applicationDirPath()));
  PrepareWorkingFolders(folders);
  const ProgramSettings settings =
      LoadProgramSettings(IniProfile::Load(folders.iniFile), QSize(1024, 768), folders.program);
  int base = settings.THUMB_BASEIDX;
  if (!baseText.isEmpty()) {
    bool ok = false;
    base = baseText.toInt(&ok, 10);
    if (!ok || !BaseSizeOf(base).isValid())
      return UsageError(baseText + QStringLiteral(" is not a base size (0-6)"));
  }
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
  for (const QString& file : files) {
    const QString page = QFileInfo(file).absoluteFilePath();
    if (!EnoughDiskSpace(folders.thumbs, kThumbMinimumKb, prompter)) return kExitFailure;
    if (store.MakeThumb(page)) {
      Out() << store.ThumbOf(page) << "\n";
    } else {
      Err() << "vistrel-cli thumbs: no thumbnail made for " << file << "\n";
      allMade = false;
    }
  }
  Out().flush();
  return allMade ? kExitOk : kExitFailure;
}

}  // namespace vistrel::cli
