#include "settings/ini_profile.h"

#include <QRegularExpression>

namespace vistrel {

namespace {

// "[name]" → name; anything else → null string.
QString SectionOf(const QString& line) {
  const QString t = line.trimmed();
  if (!t.startsWith(QLatin1Char('['))) return {};
  const qsizetype close = t.indexOf(QLatin1Char(']'));
  if (close < 0) return {};
  return t.mid(1, close - 1).trimmed();
}

// "name=value" → name; a comment or a line without "=" or name → null string.
QString KeyOf(const QString& line) {
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  if (eq < 0 || line.trimmed().startsWith(QLatin1Char(';'))) return {};
  QString key = line.left(eq).trimmed();
  return key.isEmpty() ? QString() : key;
}

}  // namespace

IniProfile IniProfile::Load(const QString& path) {
  QByteArray bytes;
  if (!ReadWholeFile(path, &bytes)) return FromText({}, path);
  const DecodedText decoded = DecodeText(bytes);
  IniProfile profile = FromText(decoded.text, path);
  profile.encoding_ = decoded.encoding;
  profile.lineBreak_ = decoded.lineBreak;
  return profile;
}

IniProfile IniProfile::FromText(const QString& text, const QString& path) {
  IniProfile profile;
  profile.path_ = path;
  if (text.isEmpty()) return profile;
  static const QRegularExpression kBreaks(QStringLiteral("\r\n|\r|\n"));
  QStringList lines = text.split(kBreaks);
  profile.endsWithBreak_ = lines.last().isEmpty();
  if (profile.endsWithBreak_) lines.removeLast();
  profile.lines_.assign(lines.begin(), lines.end());
  profile.Outline();
  return profile;
}

IniProfile::Name IniProfile::Name::Of(const QString& text) {
  Name name{text, text, true};
  for (QChar& c : name.lower) {
    if (c.unicode() >= 0x80) {
      name.lower.clear();
      name.ascii = false;
      break;
    }
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 0x20);
  }
  return name;
}

bool IniProfile::Name::Matches(const Name& other) const {
  // Between ASCII names the case folding is that of A-Z; other characters may fold onto
  // ASCII ones (the Kelvin sign onto "k"), so any other pair is compared in full.
  if (ascii && other.ascii) return lower == other.lower;
  return text.compare(other.text, Qt::CaseInsensitive) == 0;
}

void IniProfile::Outline() {
  headers_.clear();
  headerNames_.clear();
  keyNames_.assign(lines_.size(), Name());
  for (size_t i = 0; i < lines_.size(); ++i) {
    const QString name = SectionOf(lines_[i]);
    if (name.isNull()) {
      if (QString key = KeyOf(lines_[i]); !key.isNull()) keyNames_[i] = Name::Of(key);
    } else {
      headers_.push_back(static_cast<int>(i));
      headerNames_.push_back(Name::Of(name));
    }
  }
}

IniProfile::Range IniProfile::FindSection(const QString& section) const {
  const Name wanted = Name::Of(section);
  for (size_t k = 0; k < headers_.size(); ++k) {
    if (!headerNames_[k].Matches(wanted)) continue;
    const int end = k + 1 < headers_.size() ? headers_[k + 1] : static_cast<int>(lines_.size());
    return {headers_[k], end};
  }
  return {-1, static_cast<int>(lines_.size())};
}

int IniProfile::FindKey(const Range& range, const QString& key) const {
  if (range.header < 0) return -1;
  const Name wanted = Name::Of(key);
  for (int i = range.header + 1; i < range.end; ++i) {
    const Name& name = keyNames_[static_cast<size_t>(i)];
    if (!name.text.isNull() && name.Matches(wanted)) return i;
  }
  return -1;
}

bool IniProfile::HasKey(const QString& section, const QString& key) const {
  return FindKey(FindSection(section), key) >= 0;
}

QString IniProfile::ValueAt(int line) const {
  const QString& text = lines_[static_cast<size_t>(line)];
  return text.mid(text.indexOf(QLatin1Char('=')) + 1).left(kMaxValueLength);
}

QString IniProfile::ReadString(const QString& section, const QString& key,
                               const QString& fallback) const {
  const int line = FindKey(FindSection(section), key);
  return line < 0 ? fallback : ValueAt(line);
}

bool IniProfile::ParseInteger(const QString& text, int* value) {
  const QString t = text.trimmed();
  bool ok = false;
  if (t.size() > 2 && (t.startsWith(QLatin1String("0x")) || t.startsWith(QLatin1String("0X")))) {
    const uint hex = t.mid(2).toUInt(&ok, 16);
    if (ok) *value = static_cast<int>(hex);
    return ok;
  }
  const int dec = t.toInt(&ok, 10);
  if (ok) *value = dec;
  return ok;
}

int IniProfile::ReadInteger(const QString& section, const QString& key, int fallback) const {
  const int line = FindKey(FindSection(section), key);
  int value = fallback;
  return line >= 0 && ParseInteger(ValueAt(line), &value) ? value : fallback;
}

bool IniProfile::ReadBool(const QString& section, const QString& key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniProfile::WriteString(const QString& section, const QString& key, const QString& value) {
  QString clean = value;
  clean.replace(QLatin1String("\r\n"), QLatin1String(" "));
  clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
  clean.replace(QLatin1Char('\n'), QLatin1Char(' '));

  Range range = FindSection(section);
  if (range.header < 0) {
    lines_.push_back(QLatin1Char('[') + section + QLatin1Char(']'));
    lines_.push_back(key + QLatin1Char('=') + clean);
    Outline();
    return;
  }
  const int line = FindKey(range, key);
  if (line >= 0) {
    lines_[line] = keyNames_[static_cast<size_t>(line)].text + QLatin1Char('=') + clean;
    // A value with "]" can turn a key whose name opens with "[" into a section header.
    if (!SectionOf(lines_[line]).isNull()) Outline();
    return;
  }
  // After the section's last non-blank line, so blank separators stay between sections.
  int insertAt = range.end;
  while (insertAt > range.header + 1 && lines_[insertAt - 1].trimmed().isEmpty()) --insertAt;
  lines_.insert(lines_.begin() + insertAt, key + QLatin1Char('=') + clean);
  Outline();
}

void IniProfile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

void IniProfile::WriteBool(const QString& section, const QString& key, bool value) {
  WriteInteger(section, key, value ? 1 : 0);
}

QStringList IniProfile::SectionNames() const {
  QStringList names;
  for (size_t k = 0; k < headerNames_.size(); ++k) {
    const Name& name = headerNames_[k];
    bool seen = false;
    for (size_t j = 0; j < k && !seen; ++j) seen = headerNames_[j].Matches(name);
    if (!seen) names << name.text;
  }
  return names;
}

QStringList IniProfile::KeyNames(const QString& section) const {
  QStringList names;
  const Range range = FindSection(section);
  if (range.header < 0) return names;
  for (int i = range.header + 1; i < range.end; ++i)
    if (const QString& name = keyNames_[static_cast<size_t>(i)].text; !name.isNull()) names << name;
  return names;
}

QString IniProfile::ToText() const {
  const QString brk = LineBreakText(lineBreak_);
  QString text;
  for (size_t i = 0; i < lines_.size(); ++i) {
    text += lines_[i];
    if (i + 1 < lines_.size() || endsWithBreak_) text += brk;
  }
  return text;
}

bool IniProfile::Save(QString* error) const {
  return WriteFileAtomically(path_, EncodeText(ToText(), encoding_), error);
}

}  // namespace vistrel
