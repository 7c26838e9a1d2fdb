// vistrel-cli resample IN OUT WIDTH HEIGHT: the snapshot filter on any picture file.
#include "core/vistrel_error.h"
#include "cli/cli_command.h"
#include "cli/command_options.h"
#include "cli/helper_program.h"
#include "snapshots/image_files.h"
#include "snapshots/resample.h"

namespace vistrel::cli {

namespace {

const char kUsage[] =
    "Usage: vistrel-cli resample IN OUT WIDTH HEIGHT\n"
    "Scales the picture IN to WIDTH x HEIGHT pixels with the Lanczos3 filter and writes OUT.\n"
    "The file types follow the extensions: .bmp (24-bit), .png, .jpg (quality 75).\n";

// Large enough for any page capture, small enough to refuse a typing slip.
constexpr int kMaximumSide = 30000;

bool ReadSide(const QString& text, int* value) {
  bool ok = false;
  *value = text.toInt(&ok, 10);
  return ok && *value >= 1 && *value <= kMaximumSide;
}

}  // namespace

int RunResample(const QStringList& args) {
  CommandOptions options("resample", kUsage);
  if (const int code = options.Parse(args); code != CommandOptions::kRun) return code;
  auto UsageError = [&options](const QString& text) { return options.UsageError(text); };
  const QStringList positional = options.Positional();
  if (positional.size() != 4) return UsageError(QStringLiteral("expected IN OUT WIDTH HEIGHT"));
  const QString& in = positional.at(0);
  const QString& out = positional.at(1);
  int width = 0, height = 0;
  if (!ReadSide(positional.at(2), &width))
    return UsageError(positional.at(2) + QStringLiteral(" is not a valid width (1-30000)"));
  if (!ReadSide(positional.at(3), &height))
    return UsageError(positional.at(3) + QStringLiteral(" is not a valid height (1-30000)"));
  for (const QString& path : {in, out}) {
    if (ImageFileKindOf(path) == ImageFileKind::kUnknown)
      return UsageError(path + QStringLiteral(": use a .bmp, .png or .jpg file"));
  }
  StartGuiApplication();

  QString error;
  const QImage source = ReadImageFile(in, &error);
  if (source.isNull()) {
    Err() << "vistrel-cli resample: " << error << "\n";
    return kExitFailure;
  }
  try {
    const QImage scaled = ResampleBitmap(source, QSize(width, height));
    if (!WriteImageFile(out, scaled, &error)) {
      Err() << "vistrel-cli resample: " << error << "\n";
      return kExitFailure;
    }
  } catch (const VistrelError& failure) {
    Err() << "vistrel-cli resample: " << failure.message() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace vistrel::cli
