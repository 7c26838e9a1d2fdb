#pragma once

#include <QString>

namespace vistrel {

// Every thumbnail image and the Thumbnail Corner picture have this size.
constexpr int kThumbWidth = 130;
constexpr int kThumbHeight = 100;

// The one subfolder of the thumbnail folder that holds the thumbnails of a page folder:
// trailing "/" removed, every "/" made "=", the root "=", then one "/".
// "/home/web/site/" gives "=home=web=site/".
QString FolderKey(const QString& folder);

// thumbFolder + FolderKey(folder) + the file's name without its folder + ".jpg".
QString ThumbPath(const QString& thumbFolder, const QString& folder, const QString& file);

// The same for a full path: its own folder and name.
QString ThumbPathOf(const QString& thumbFolder, const QString& file);

// Turns a thumbnail's full path back into its page's path: the thumbnail folder removed
// (any letter case), "=" made "/", "//" made "/", the ".jpg" dropped. A page whose folder
// holds "=" does not come back (its "=" turns into "/").
QString PageOfThumb(const QString& thumbFolder, const QString& thumb);

}  // namespace vistrel
