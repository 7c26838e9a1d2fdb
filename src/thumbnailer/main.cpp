// vistrel-thumbnailer: thumbnails of HTML pages for the desktop's file manager, rendered the
// way the Thumbnail View renders them.
#include <QApplication>
#include <QFileInfo>
#include <QDateTime>
#include <QImageWriter>
#include <QUrl>
#include <cstdio>

#include "core/disk_name.h"
#include "core/headless.h"
#include "core/program_folder.h"
#include "core/vistrel_error.h"
#include "render/browser_profile.h"
#include "settings/ini_profile.h"
#include "settings/program_settings.h"
#include "snapshots/resample.h"
#include "thumbnailer/thumbnail_request.h"
#include "thumbnails/base_size.h"
#include "thumbnails/offscreen_capture.h"

namespace {

const char kUsage[] =
    "Usage: vistrel-thumbnailer -s SIZE INPUT OUTPUT\n"
    "Renders the local page INPUT (a path or a file:// URI) off screen as the Thumbnail View\n"
    "does and writes it to OUTPUT as a PNG of at most SIZE x SIZE pixels. Web addresses in\n"
    "the page are not fetched. Exit status 1 on failure, 2 on bad usage.\n"
    "\n"
    "  --verbose  let the browser engine print its own diagnostics\n";

int Fail(const QString& text) {
  std::fprintf(stderr, "vistrel-thumbnailer: %s\n", qUtf8Printable(text));
  return 1;
}

// The base size the user chose for thumbnails, read without creating anything: a file
// manager runs this for every page it shows.
QSize RenderSize() {
  const vistrel::WorkingFolders folders = vistrel::WorkingFolders::For(
      vistrel::ResolveProgramFolder(QCoreApplication::applicationDirPath()));
  vistrel::ProgramSettings settings;
  if (QFileInfo(folders.iniFile).isFile())
    settings = vistrel::LoadProgramSettings(vistrel::IniProfile::Load(folders.iniFile),
                                            QSize(1024, 768), folders.program);
  const QSize size = vistrel::BaseSizeOf(settings.THUMB_BASEIDX);
  return size.isValid() ? size : vistrel::BaseSizeOf(vistrel::ProgramSettings().THUMB_BASEIDX);
}

int MakeThumbnail(const vistrel::ThumbnailRequest& request) {
  const QFileInfo input(request.input);
  if (!input.isFile()) return Fail(request.input + QStringLiteral(": no such file"));
  QImage page;
  try {
    vistrel::BrowserProfile profile;
    vistrel::OffscreenCapture capture(profile);
    page = capture.Capture(input.absoluteFilePath(), RenderSize());
  } catch (const vistrel::VistrelError& error) {
    return Fail(error.message());
  }
  if (page.isNull()) return Fail(request.input + QStringLiteral(": nothing rendered"));
  QImage thumbnail;
  try {
    thumbnail = vistrel::ResampleBitmap(page, vistrel::FitInSquare(page.size(), request.size));
  } catch (const vistrel::VistrelError& error) {
    return Fail(error.message());
  }
  thumbnail.setText(QStringLiteral("Thumb::URI"),
                    QUrl::fromLocalFile(input.absoluteFilePath()).toString(QUrl::FullyEncoded));
  thumbnail.setText(QStringLiteral("Thumb::MTime"),
                    QString::number(input.lastModified().toSecsSinceEpoch()));
  QImageWriter writer(request.output, "png");
  if (!writer.write(thumbnail))
    return Fail(request.output + QStringLiteral(": ") + writer.errorString());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << vistrel::NameFromDisk(argv[i]);
  vistrel::ThumbnailRequest request;
  QString error;
  if (!vistrel::ReadThumbnailRequest(args, &request, &error)) {
    std::fprintf(stderr, "vistrel-thumbnailer: %s\n%s", qUtf8Printable(error), kUsage);
    return 2;
  }
  if (request.help || request.version) {
    std::fputs(request.help ? kUsage : "vistrel-thumbnailer " VISTREL_VERSION "\n", stdout);
    return 0;
  }
  vistrel::PrepareHeadlessEnvironment(/*forceOffscreen=*/true);
  if (!request.verbose) vistrel::SilenceEngineDiagnostics();
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  return MakeThumbnail(request);
}
