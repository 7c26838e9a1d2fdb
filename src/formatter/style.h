#pragma once

#include <QString>

#include "formatter/tag_table.h"

namespace vistrel {

// The global layout options of a style.
struct FormatOptions {
  int LineSize = 80;
  int Spacing = 4;
  bool DoDisableComments = false;
  QString BreakExcluder = QStringLiteral("\"");
  int TagCase = 1;  // 1 upper, 2 lower, anything else as written
};

// A loaded style: read once, then shared read-only by every formatting run.
struct Style {
  QString name;
  FormatOptions options;
  TagTable tags;
};

inline const QString kStyleName = QStringLiteral("THUMBS");
inline const QString kOptionsFileName = QStringLiteral("options.ini");
inline const QString kTagFileName = QStringLiteral("tag.ini");

// Missing folders, files and keys are never errors: each missing value takes its default.
FormatOptions LoadOptionsFile(const QString& folder);
TagTable LoadTagFile(const QString& folder);
// Both files of a style folder.
Style LoadStyleFolder(const QString& folder);
// The program's style, STYLES/THUMBS/ below the program folder, named "THUMBS".
Style LoadStyle(const QString& programFolder);

}  // namespace vistrel
