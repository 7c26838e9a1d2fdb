#include "formatter/tag_table.h"

namespace vistrel {

namespace {

bool IsNameCharacter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '<' ||
         u == '/';
}

bool IsHeadingCloser(QStringView name) {
  return name.size() == 5 && name.startsWith(u"</H") && name.at(3) >= QLatin1Char('1') &&
         name.at(3) <= QLatin1Char('6') && name.at(4) == QLatin1Char('>');
}

}  // namespace

TTagInfo DefaultTagInfo() { return TTagInfo(); }

void TagNameInto(QStringView text, QString* name) {
  name->resize(0);
  // Compared by hand: this runs twice for every tag of a page.
  if (text.size() >= 4 && text[0] == u'<' && text[1] == u'!' && text[2] == u'-' &&
      text[3] == u'-') {
    name->append(text.size() >= 5 && text[4] == u'~' ? u"<!--~" : u"<!--");
    return;
  }
  qsizetype length = 0;
  while (length < text.size() && IsNameCharacter(text.at(length))) ++length;
  const bool closed = length < text.size();
  name->resize(length + (closed ? 1 : 0));
  QChar* w = name->data();
  for (qsizetype i = 0; i < length; ++i) {
    const char16_t u = text.at(i).unicode();
    w[i] = u >= 'a' && u <= 'z' ? QChar(u - 32) : QChar(u);
  }
  if (closed) w[length] = QLatin1Char('>');
}

QString TagName(QStringView text) {
  QString name;
  TagNameInto(text, &name);
  return name;
}

const TTagInfo& TagTable::slot(int position) const {
  if (position < 1 || position > count()) return default_;
  return slots_[static_cast<size_t>(position - 1)];
}

bool TagTable::Append(TTagInfo info) {
  if (count() >= kSlots) return false;
  info.tablePosition = count() + 1;
  slots_.push_back(std::move(info));
  return true;
}

int TagTable::MatchName(QStringView name, int* direction) const {
  for (const TTagInfo& info : slots_) {
    if (info.TagOpen.startsWith(name)) {
      *direction = 1;
      return info.tablePosition;
    }
    if (info.TagClose.startsWith(name)) {
      *direction = -1;
      return info.tablePosition;
    }
  }
  // An unknown tag takes its direction from the text; the name keeps the text's "/".
  *direction = (name.size() > 1 && name.at(1) == QLatin1Char('/')) ? -1 : 1;
  return 0;
}

TagTable::Lookup TagTable::LookupTag(QStringView tagText) const {
  Lookup result;
  result.record = slot(MatchName(TagName(tagText), &result.direction));
  return result;
}

int TagTable::FindInlineName(QStringView name) const {
  const bool heading = IsHeadingCloser(name);
  for (const TTagInfo& info : slots_) {
    if (!info.TreatAsText) continue;
    if (info.TagOpen == name || info.TagClose == name ||
        (heading && info.TagClose == QLatin1String("</H>")))
      return info.tablePosition;
  }
  return 0;
}

int TagTable::FindInlineTag(QStringView tagText) const { return FindInlineName(TagName(tagText)); }

}  // namespace vistrel
