#pragma once

#include <QString>

namespace vistrel {

// Every thumbnail image and the Thumbnail Corner picture have this size.
constexpr int kThumbWidth = 130;
constexpr int kThumbHeight = 100;

// The one subfolder of the thumbnail folder that holds the thumbnails of a page folder:
// trailing "/" removed, every "/" made "=", the root "=", then one "/".
// "/home/web/site/" gives "=home=web=site/". A folder holding "=" (which that key could not
// tell from "/") gets a key of its own: "==", then the folder with "%" as "%25", "=" as "%3D"
// and "/" as "=". Different folders never share a key.
QString FolderKey(const QString& folder);

// thumbFolder + FolderKey(folder) + the file's name without its folder + ".jpg".
QString ThumbPath(const QString& thumbFolder, const QString& folder, const QString& file);

// The same for a full path: its own folder and name.
QString ThumbPathOf(const QString& thumbFolder, const QString& file);

// Turns a thumbnail's full path back into its page's path: the thumbnail folder removed
// (any letter case), the folder key turned back into the folder, the ".jpg" dropped. Every
// path ThumbPathOf gives comes back exactly.
QString PageOfThumb(const QString& thumbFolder, const QString& thumb);

}  // namespace vistrel
