#pragma once

#include <QString>

#include "core/batch_progress.h"

namespace vistrel {

class PageList;
class Prompter;
struct ProgramSettings;

// Removes one file for good (never to the Trash); a file that cannot be removed stays,
// silently. Turns DoRecycleBin off when there was a file to remove.
bool DeleteFilePermanently(const QString& path, ProgramSettings& settings);

// Copies in blocks and gives the target the source's modification time. The target is
// replaced only once the whole copy is written, and a read-only target is left alone, so a
// failed copy never destroys what was there. False when nothing or not all was written.
bool CopyFileKeepDate(const QString& source, const QString& target);

// What the page a command ran on must do afterwards.
struct DeleteOutcome {
  bool confirmed = false;
  int deleted = 0;
  int lastDeletedIndex = -1;
  bool anyInShownFolder = false;  // a deleted file lay in the folder the folder view shows
};

struct CopyOutcome {
  bool confirmed = false;
  int copied = 0;
  QString singleTarget;  // a one-file copy's target
  bool singleTargetInShownFolder = false;
};

extern const char* const kCannotCopyToItself;
extern const char* const kCopyDialogCaption;

// Deletes the selected items of page after the CAUTION question.
DeleteOutcome DeleteSelectedFiles(const PageList& page, const QString& shownFolder,
                                  ProgramSettings& settings, Prompter& prompter);

// One selected file: through the save dialog. Several: to a chosen folder (COPYPATH), with a
// question per existing target, on the progress window.
CopyOutcome CopySelectedFiles(const PageList& page, const QString& shownFolder,
                              ProgramSettings& settings, Prompter& prompter,
                              BatchProgress& progress);

}  // namespace vistrel
