#include "snapshots/snapshot_save.h"

#include <QFileInfo>

#include "core/prompter.h"
#include "core/text_file.h"
#include "core/text_paths.h"
#include "snapshots/disk_space.h"
#include "snapshots/image_files.h"
#include "snapshots/jpeg_codec.h"

namespace vistrel {

namespace {

const char kInvalidFileName[] = "Invalid file name: ";
const char kFileExists[] = "File exists: ";
const char kOverwrite[] = "\r\n\r\nOverwrite ?";
const char kConverting[] = "Converting snapshot to 24bit, please wait ...";
const char kSavedAs[] = "Saved as:";

void Show(const StatusLine& status, const QString& text) {
  if (status) status(text);
}

}  // namespace

bool SaveSnapshot(const QString& fileName, SnapshotFormat format, bool askOverwrite,
                  QImage& imgSave, Prompter& prompter, const StatusLine& status, int minimumKb) {
  if (fileName.isEmpty()) {
    prompter.Information(QLatin1String(kInvalidFileName));
    return false;
  }
  if (!EnoughDiskSpace(QFileInfo(fileName).absolutePath(), minimumKb, prompter)) return false;
  if (askOverwrite && FileExistsAny(fileName)) {
    const int answer =
        prompter.Question(QLatin1String(kFileExists) + fileName + QLatin1String(kOverwrite),
                          QuestionButtons::kYesNoCancel);
    if (answer == kAnswerCancel) return false;
    if (answer != kAnswerYes) return true;
  }

  if (imgSave.format() != QImage::Format_RGB888) {
    Show(status, QLatin1String(kConverting));
    imgSave = imgSave.convertToFormat(QImage::Format_RGB888);
  }
  Show(status, QStringLiteral(" "));

  QByteArray bytes;
  QString error;
  bool encoded = true;
  if (format == SnapshotFormat::kBmp)
    bytes = EncodeBmp24(imgSave);
  else
    encoded = EncodeJpeg(imgSave, kSnapshotJpeg, &bytes, &error);
  if (encoded && bytes.isEmpty()) {
    encoded = false;
    error = QStringLiteral("No snapshot image to save");
  }
  // A failed write is reported and ends a batch: the next files would meet the same fault.
  if (!encoded || !WriteFileAtomically(fileName, bytes, &error)) {
    prompter.Error(error);
    return false;
  }
  Show(status, QLatin1String(kSavedAs) + fileName);
  return true;
}

}  // namespace vistrel
