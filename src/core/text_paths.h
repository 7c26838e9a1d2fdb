#pragma once

#include <QString>

namespace vistrel {

class Prompter;

// Removes every "/" at the end of path and appends exactly one; "" gives "/".
QString IncludeTrailingSeparator(const QString& path);

// True for empty text or text made only of CR, LF, space and tab.
bool IsBlank(const QString& text);

struct DirectoryEntry {
  QString name;
  qint64 size = 0;
  qint64 stampNs = 0;  // last modification, nanoseconds since the epoch
  bool isDir = false;
  bool isHidden = false;
};

// True when any kind of entry (file, folder, hidden, dangling link) exists at path.
bool FileExistsAny(const QString& path, DirectoryEntry* entry = nullptr);

// False (after a beep and "Invalid Filename: " + name) when the name holds "\", "/", "..",
// "?", "*" or ":".
bool IsValidFileName(const QString& name, Prompter& prompter);

// Full path for saving or copying, or "" when the name is not valid (the message was shown).
QString BuildTargetPath(const QString& folder, const QString& name, const QString& extension,
                        Prompter& prompter);

}  // namespace vistrel
