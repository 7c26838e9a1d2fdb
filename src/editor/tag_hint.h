#pragma once

#include <QString>
#include <QStringList>

namespace vistrel {

// The lookup key for the tag in a span found around the caret: "<TABLE ...>" and "</table>"
// both give "<TABLE>" / "<table>" (the case is ignored when looking up).
QString TagHintKey(const QString& spanText);

// The hint of the first line of the tag syntax list that begins with the key (any case): the
// part after its first ":" (the whole line without one), trimmed, at most 1000 characters.
// Empty when no line begins with the key.
QString FindTagHint(const QStringList& tagSyntaxList, const QString& key);

// Whether a hint can be inserted into the source as a template.
inline bool IsTemplateHint(const QString& hint) { return hint.startsWith(u'<'); }

}  // namespace vistrel
