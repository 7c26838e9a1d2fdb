#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace vistrel::safety {

// One of the program's real file writers, driven with content that depends on a generation
// number so a test can tell the old file from the new one.
struct SaveWriter {
  QString name;
  // Where the writer puts its file when its folder is `folder` (with trailing "/").
  std::function<QString(const QString& folder)> target;
  // Builds the content (slow parts here) and returns the call that writes it; the call
  // gives false and the message the program shows (empty when it shows none).
  std::function<std::function<bool(QString* message)>(const QString& folder, int generation,
                                                      const QString& scratch)>
      prepare;
  bool reportsFailure = true;    // shows a message when the write fails
  bool namesSystemError = true;  // the message carries the system's reason
};

const std::vector<SaveWriter>& SaveWriters();
const SaveWriter* FindSaveWriter(const QString& name);

}  // namespace vistrel::safety
