#pragma once

#include <QString>
#include <functional>

#include "formatter/editor_access.h"
#include "formatter/run_hooks.h"
#include "formatter/style.h"

namespace vistrel {

// Formats the editor's selection by the style and returns the text, every line ended by
// CR LF; the editor itself is not changed. Lines keep the indentation of the editor line the
// selection starts in (its leading blanks, the base indent). Each call is a run of its own.
QString FormatSelection(const EditorAccess& editor, const Style& style, const RunHooks& hooks = {});
// The same output handed to sink in pieces of whole lines as it is made, so that formatting a
// large selection never holds the whole result.
void FormatSelectionTo(const EditorAccess& editor, const Style& style,
                       const std::function<void(QStringView)>& sink, const RunHooks& hooks = {});

// The leading spaces and tabs of the editor line holding the first selected character.
QString BaseIndentOf(const EditorAccess& editor);

}  // namespace vistrel
