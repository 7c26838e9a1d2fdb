// vistrel-cli snapshot [options] FILE -o OUT: a page rendered off screen, scaled and framed.
#include <QFileInfo>

#include "core/vistrel_error.h"
#include "cli/cli_command.h"
#include "render/browser_profile.h"
#include "cli/stderr_prompter.h"
#include "snapshots/snapshot_renderer.h"
#include "snapshots/snapshot_save.h"
#include "snapshots/snapshot_settings.h"

namespace vistrel::cli {

namespace {

const char kUsage[] =
    "Usage: vistrel-cli snapshot [options] FILE -o OUT.(jpg|bmp)\n"
    "Renders the local page FILE off screen and writes its snapshot: JPEG (quality 75) or\n"
    "24-bit BMP by the extension of OUT. Web addresses in the page are not fetched.\n"
    "Options:\n"
    "  --width W, --height H   size the page is laid out at (10-2000 x 10-3000; 800 x 600)\n"
    "  --scale P               scaling factor in percent (5-100; 100)\n"
    "  --shade S               shadow width in pixels (0-30; 10)\n"
    "  --border B              frame width in pixels (0-30; 1)\n"
    "  --crop-h, --crop-v      cut the horizontal / vertical scroll-bar strip (16 pixels)\n"
    "  --bg C, --shade-col C, --border-col C\n"
    "                          colours as #rrggbb or a stored colour value (0x00BBGGRR);\n"
    "                          white, grey and navy\n"
    "  --timeout SECONDS       give up waiting for the page and take what is painted (15)\n";

int UsageError(const QString& text) {
  Err() << "vistrel-cli snapshot: " << text << "\n" << kUsage;
  return kExitUsage;
}

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
  if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
    Out() << kUsage;
    return kExitOk;
  }
  SnapshotSettings settings;
  SnapshotInput input;
  input.width = QString::number(settings.CustomWidth);
  input.height = QString::number(settings.CustomHeight);
  input.scale = QString::number(settings.Scale);
  input.shade = QString::number(settings.Shade);
  input.border = QString::number(settings.Border);
  QString file, out, timeoutText = QStringLiteral("15");
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args.at(i);
    const bool hasValue = i + 1 < args.size();
    auto value = [&]() { return args.at(++i); };
    if (arg == QLatin1String("--crop-h")) {
      input.cropHori = true;
    } else if (arg == QLatin1String("--crop-v")) {
      input.cropVerti = true;
    } else if (arg.startsWith(QLatin1String("-")) && arg.size() > 1 && !hasValue) {
      return UsageError(arg + QStringLiteral(" needs a value"));
    } else if (arg == QLatin1String("--width")) {
      input.width = value();
    } else if (arg == QLatin1String("--height")) {
      input.height = value();
    } else if (arg == QLatin1String("--scale")) {
      input.scale = value();
    } else if (arg == QLatin1String("--shade")) {
      input.shade = value();
    } else if (arg == QLatin1String("--border")) {
      input.border = value();
    } else if (arg == QLatin1String("--timeout")) {
      timeoutText = value();
    } else if (arg == QLatin1String("-o")) {
      out = value();
    } else if (arg == QLatin1String("--bg") || arg == QLatin1String("--shade-col") ||
               arg == QLatin1String("--border-col")) {
      const QString text = value();
      int colour = 0;
      if (!ReadColour(text, &colour))
        return UsageError(text + QStringLiteral(" is not a colour (#rrggbb or 0x00BBGGRR)"));
      (arg == QLatin1String("--bg")          ? input.bgCol
       : arg == QLatin1String("--shade-col") ? input.shadeCol
                                             : input.borderCol) = colour;
    } else if (arg.startsWith(QLatin1String("--"))) {
      return UsageError(QStringLiteral("unknown option ") + arg);
    } else if (file.isEmpty()) {
      file = arg;
    } else {
      return UsageError(QStringLiteral("only one FILE, please"));
    }
  }
  if (file.isEmpty() || out.isEmpty()) return UsageError(QStringLiteral("expected FILE -o OUT"));
  const QString suffix = QFileInfo(out).suffix().toLower();
  SnapshotFormat format = SnapshotFormat::kJpeg;
  if (suffix == QLatin1String("bmp"))
    format = SnapshotFormat::kBmp;
  else if (suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg"))
    return UsageError(out + QStringLiteral(": use a .jpg or .bmp file"));
  bool timeoutOk = false;
  const double timeoutSeconds = timeoutText.toDouble(&timeoutOk);
  if (!timeoutOk || timeoutSeconds <= 0 || timeoutSeconds > 3600)
    return UsageError(timeoutText + QStringLiteral(" is not a timeout in seconds"));

  StderrPrompter prompter;
  if (!TestInput(input, settings, prompter)) return kExitFailure;

  try {
    BrowserProfile profile;
    SnapshotRenderer renderer(profile, BrowserDisplaySettings());
    renderer.SetTimeout(static_cast<int>(timeoutSeconds * 1000));
    QImage snapshot;
    switch (renderer.DoTheShot(file, settings, RenderSize(settings, true), &snapshot)) {
      case SnapshotRenderer::Result::kNoFile:
        return Failure(QStringLiteral("Can't locate file: ") + file);
      case SnapshotRenderer::Result::kTimedOut:
        Err() << "vistrel-cli snapshot: " << file
              << " did not finish loading; taking what is painted\n";
        break;
      case SnapshotRenderer::Result::kRendered:
        break;
    }
    if (!SaveSnapshot(out, format, false, snapshot, prompter, {}))
      return Failure(QStringLiteral("nothing written to ") + out);
  } catch (const VistrelError& error) {
    return Failure(error.message());
  }
  return kExitOk;
}

}  // namespace vistrel::cli
