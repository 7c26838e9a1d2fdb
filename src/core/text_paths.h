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

// Which names a new file may take. kPortable: none holding "\", "/", "..", "?", "*" or ":"
// (names the user makes up, such as a list's). kOnDisk: any name this file system takes, so a
// page named "a?b.htm" can be copied or saved under its own name; only "/", "." and ".." and
// the empty name are refused.
enum class NameRule { kPortable, kOnDisk };

// False (after a beep and "Invalid Filename: " + name) when the name breaks the rule.
bool IsValidFileName(const QString& name, Prompter& prompter, NameRule rule = NameRule::kPortable);

// Full path for saving or copying, or "" when the name is not valid (the message was shown).
QString BuildTargetPath(const QString& folder, const QString& name, const QString& extension,
                        Prompter& prompter, NameRule rule = NameRule::kPortable);

}  // namespace vistrel
