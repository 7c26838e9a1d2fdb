#pragma once

#include <QByteArray>
#include <QStringView>

#include "core/text_file.h"
#include "settings/program_settings.h"

namespace vistrel {

// The coloured source as a small RTF document: Courier New 9 pt, a colour table of the
// four scheme colours (text 0, tag 1, quoted 2, comment 3) and a \cf switch per colour run.
// "\", "{" and "}" are escaped; CR LF, a lone CR and a lone LF each become one \par.
// Characters above 127 are written as their bytes in `encoding`; with Latin-1, characters
// beyond it (which have no byte there) are written as \uN? escapes. Empty text gives an
// empty result.
QByteArray BuildColouredRtf(QStringView text, const ColourScheme& scheme,
                            TextEncoding encoding = TextEncoding::kLatin1);

}  // namespace vistrel
