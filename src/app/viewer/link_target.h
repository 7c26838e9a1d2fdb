#pragma once

#include <QString>

namespace vistrel {

// The URL without its fragment: the first "#" and up to 1000 characters after it.
QString WithoutFragment(const QString& url);

// The local file a clicked link leads to: the folder of the document holding the link,
// joined with the link (relative, or a file: URL); "" for a jump inside the page.
QString LinkedFile(const QString& documentFile, const QString& url);

// "URL: " + url, with "    (Target: " + target + ")" when there is a target; "" for none.
QString HoverText(const QString& target, const QString& url);

}  // namespace vistrel
