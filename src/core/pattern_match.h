#pragma once

#include <QString>

namespace vistrel {

// The file-type test shared by the folder view, searches, the command line and dropped
// files: the name's extension, cut to the dot and three letters and upper-cased, must occur
// in the upper-cased pattern list with its stars removed (so "*.htm" takes ".html" too).
bool MatchesPatternList(const QString& fileName, const QString& patternList);

}  // namespace vistrel
