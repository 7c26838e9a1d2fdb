#pragma once

#include <QString>

namespace vistrel {

enum PageIndex { kFolderViewPage = 0, kThumbnailViewPage = 1, kFileListsPage = 2 };

extern const char* const kPageNames[3];

// "Folder View  (3 of 12 files selected)" for the active page, the bare name otherwise.
QString TabCaption(int page, bool active, int selected, int total);

// The question asked when another program changed the file in the editor.
QString ChangedFileQuestion(const QString& file);

}  // namespace vistrel
