// vistrel-cli snapshot [options] FILE -o OUT: a page rendered off screen, scaled and framed;
// with -o FOLDER/ any number of pages, as the batch dialog does.
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <utility>

#include "core/disk_name.h"
#include "core/vistrel_error.h"
#include "cli/cli_command.h"
#include "cli/command_options.h"
#include "cli/progress_line.h"
#include "cli/helper_program.h"
#include "render/browser_profile.h"
#include "cli/stderr_prompter.h"
#include "snapshots/snapshot_export.h"
#include "snapshots/snapshot_renderer.h"
#include "snapshots/snapshot_save.h"
#include "snapshots/snapshot_settings.h"

namespace vistrel::cli {

namespace {

const char kUsage[] =
    "Usage: vistrel-cli snapshot [options] FILE -o OUT.(jpg|bmp)\n"
    "       vistrel-cli snapshot [options] [--bmp] FILE... -o FOLDER/\n"
    "Renders the local page FILE off screen and writes its snapshot: JPEG (quality 75) or\n"
    "24-bit BMP by the extension of OUT. Web addresses in the page are not fetched.\n"
    "When OUT is an existing folder, each FILE's snapshot goes there as snap_NAME_EXT.jpg\n"
    "(.bmp with --bmp), replacing one of that name.\n"
    "Options:\n"
    "  --width W, --height H   size the page is laid out at (10-2000 x 10-3000; 800 x 600)\n"
    "  --scale P               scaling factor in percent (5-100; 100)\n"
    "  --shade S               shadow width in pixels (0-30; 10)\n"
    "  --border B              frame width in pixels (0-30; 1)\n"
    "  --crop-h, --crop-v      cut the horizontal / vertical scroll-bar strip (16 pixels)\n"
    "  --bg C, --shade-col C, --border-col C\n"
    "                          colours as #rrggbb or a stored colour value (0x00BBGGRR);\n"
    "                          white, grey and navy\n"
    "  --timeout SECONDS       give up waiting for the page and take what is painted (5);\n"
    "                          a page that painted nothing of its own by then gets no file\n"
    "  --quiet                 no progress line (shown only when standard error is a\n"
    "                          terminal and there are several files)\n"
    "  --verbose               let the browser engine print its own diagnostics\n";

int Failure(const QString& text) {
  Err() << "vistrel-cli snapshot: " << text << "\n";
  return kExitFailure;
}

// "#rrggbb" in the usual order, or a colour value as the settings file stores it.
bool ReadColour(const QString& text, int* value) {
  bool ok = false;
  if (text.startsWith(QLatin1Char('#')) && text.size() == 7) {
    const int rgb = text.mid(1).toInt(&ok, 16);
    *value = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    return ok;
  }
  *value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toInt(&ok, 16)
                                                                     : text.toInt(&ok, 10);
  return ok && *value >= 0 && *value <= 0xFFFFFF;
}

}  // namespace

int RunSnapshot(const QStringList& args) {
  CommandOptions options("snapshot", kUsage);
  for (const char* name : {"width", "height", "scale", "shade", "border", "bg", "shade-col",
                           "border-col", "timeout", "o"})
    options.Add(QLatin1String(name), QStringLiteral("VALUE"));
  options.Add(QStringLiteral("crop-h"));
  options.Add(QStringLiteral("crop-v"));
  options.Add(QStringLiteral("bmp"));
  options.AddQuiet();
  options.AddVerbose();
  if (const int code = options.Parse(args); code != CommandOptions::kRun) return code;
  auto UsageError = [&options](const QString& text) { return options.UsageError(text); };

  SnapshotSettings settings;
  SnapshotInput input;
  auto valueOr = [&options](const char* name, int fallback) {
    return options.Has(QLatin1String(name)) ? options.Value(QLatin1String(name))
                                            : QString::number(fallback);
  };
  input.width = valueOr("width", settings.CustomWidth);
  input.height = valueOr("height", settings.CustomHeight);
  input.scale = valueOr("scale", settings.Scale);
  input.shade = valueOr("shade", settings.Shade);
  input.border = valueOr("border", settings.Border);
  input.cropHori = options.Has(QStringLiteral("crop-h"));
  input.cropVerti = options.Has(QStringLiteral("crop-v"));
  const std::pair<const char*, int SnapshotInput::*> colours[] = {
      {"bg", &SnapshotInput::bgCol},
      {"shade-col", &SnapshotInput::shadeCol},
      {"border-col", &SnapshotInput::borderCol}};
  for (const auto& [name, member] : colours) {
    if (!options.Has(QLatin1String(name))) continue;
    const QString text = options.Value(QLatin1String(name));
    if (!ReadColour(text, &(input.*member)))
      return UsageError(text + QStringLiteral(" is not a colour (#rrggbb or 0x00BBGGRR)"));
  }
  const QString timeoutText = options.Has(QStringLiteral("timeout"))
                                  ? options.Value(QStringLiteral("timeout"))
                                  : QStringLiteral("5");
  const QString out = options.Value(QStringLiteral("o"));
  const QStringList files = options.Positional();
  if (files.isEmpty() || out.isEmpty()) return UsageError(QStringLiteral("expected FILE -o OUT"));
  // Each page with the file its snapshot goes to.
  QList<std::pair<QString, QString>> jobs;
  SnapshotFormat format = SnapshotFormat::kJpeg;
  if (QFileInfo(out).isDir()) {
    if (options.Has(QStringLiteral("bmp"))) format = SnapshotFormat::kBmp;
    const QString ext =
        format == SnapshotFormat::kBmp ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
    for (const QString& file : files)
      jobs.append({file, QDir(out).filePath(SnapshotFileName(file, ext))});
  } else {
    if (files.size() > 1) return UsageError(out + QStringLiteral(" is not a folder"));
    if (options.Has(QStringLiteral("bmp")))
      return UsageError(QStringLiteral("--bmp is for a FOLDER; name OUT .bmp instead"));
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix == QLatin1String("bmp"))
      format = SnapshotFormat::kBmp;
    else if (suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg"))
      return UsageError(out + QStringLiteral(": use a .jpg or .bmp file"));
    jobs.append({files.front(), out});
  }
  bool timeoutOk = false;
  const double timeoutSeconds = timeoutText.toDouble(&timeoutOk);
  if (!timeoutOk || timeoutSeconds <= 0 || timeoutSeconds > 3600)
    return UsageError(timeoutText + QStringLiteral(" is not a timeout in seconds"));

  StartRenderApplication(options.Has(QStringLiteral("verbose")));
  StderrPrompter prompter;
  if (!TestInput(input, settings, prompter)) return kExitFailure;

  bool allWritten = true;
  try {
    BrowserProfile profile;
    SnapshotRenderer renderer(profile, BrowserDisplaySettings());
    renderer.SetTimeout(static_cast<int>(timeoutSeconds * 1000));
    ProgressLine progress(options.Has(QStringLiteral("quiet")) || jobs.size() < 2);
    QStringList pages;
    for (const auto& job : jobs) pages.append(job.first);
    bool saveFailed = false;
    progress.Show(0, int(jobs.size()), pages.front());
    renderer.ShootMany(pages, settings, RenderSize(settings, true),
                       [&](int index, const SnapshotShot& shot) {
                         progress.Clear();
                         const QString& target = jobs.at(index).second;
                         if (shot.image.isNull()) {
                           Failure(shot.problem);
                           allWritten = false;
                         } else {
                           if (shot.timedOut)
                             Err() << "vistrel-cli snapshot: " << PrintableName(shot.file)
                                   << " did not finish loading; taking what is painted\n";
                           QImage snapshot = shot.image;
                           if (!SaveSnapshot(target, format, false, snapshot, prompter, {})) {
                             Failure(QStringLiteral("nothing written to ") + target);
                             saveFailed = true;
                             return false;
                           }
                         }
                         if (index + 1 < jobs.size())
                           progress.Show(index + 1, int(jobs.size()), pages.at(index + 1));
                         return true;
                       });
    progress.Clear();
    if (saveFailed) return kExitFailure;
  } catch (const VistrelError& error) {
    return Failure(error.message());
  }
  return allWritten ? kExitOk : kExitFailure;
}

}  // namespace vistrel::cli
