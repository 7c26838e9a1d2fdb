#include "editor/display_breaks.h"

#include <algorithm>

namespace vistrel {

qsizetype DisplayBreaks::ToText(qsizetype documentPos) const {
  const auto before = std::lower_bound(breaks_.begin(), breaks_.end(), documentPos);
  return documentPos - (before - breaks_.begin());
}

qsizetype DisplayBreaks::ToDocument(qsizetype textPos) const {
  // Break k sits at text position breaks_[k] - k; count those strictly before textPos.
  qsizetype low = 0, high = size();
  while (low < high) {
    const qsizetype mid = (low + high) / 2;
    if (breaks_[mid] - mid < textPos)
      low = mid + 1;
    else
      high = mid;
  }
  return textPos + low;
}

qsizetype DisplayBreaks::CharToDocument(qsizetype textPos) const {
  qsizetype low = 0, high = size();
  while (low < high) {
    const qsizetype mid = (low + high) / 2;
    if (breaks_[mid] - mid <= textPos)
      low = mid + 1;
    else
      high = mid;
  }
  return textPos + low;
}

bool DisplayBreaks::IsBreak(qsizetype documentPos) const {
  return std::binary_search(breaks_.begin(), breaks_.end(), documentPos);
}

qsizetype DisplayBreaks::CountIn(qsizetype from, qsizetype to) const {
  if (to <= from) return 0;
  return std::lower_bound(breaks_.begin(), breaks_.end(), to) -
         std::lower_bound(breaks_.begin(), breaks_.end(), from);
}

void DisplayBreaks::Change(qsizetype position, qsizetype removed, qsizetype added,
                           const std::vector<qsizetype>& addedBreaks) {
  auto first = std::lower_bound(breaks_.begin(), breaks_.end(), position);
  auto last = std::lower_bound(first, breaks_.end(), position + removed);
  for (auto it = last; it != breaks_.end(); ++it) *it += added - removed;
  first = breaks_.erase(first, last);
  breaks_.insert(first, addedBreaks.begin(), addedBreaks.end());
}

QString DisplayBreaks::Strip(QStringView documentText, qsizetype documentFrom) const {
  const qsizetype end = documentFrom + documentText.size();
  auto it = std::lower_bound(breaks_.begin(), breaks_.end(), documentFrom);
  if (it == breaks_.end() || *it >= end) return documentText.toString();
  QString text;
  text.reserve(documentText.size());
  qsizetype from = documentFrom;
  for (; it != breaks_.end() && *it < end; ++it) {
    text += documentText.mid(from - documentFrom, *it - from);
    from = *it + 1;
  }
  text += documentText.mid(from - documentFrom);
  return text;
}

std::vector<qsizetype> PieceCuts(QStringView line) {
  std::vector<qsizetype> cuts;
  if (line.size() <= DisplayBreaks::kMaxPiece) return cuts;
  constexpr qsizetype kPiece = DisplayBreaks::kPiece;
  qsizetype start = 0;
  while (line.size() - start > kPiece) {
    qsizetype cut = start + kPiece;
    for (qsizetype at = cut; at > start + kPiece / 2; --at) {
      const QChar c = line[at - 1];
      if (c == u'>' || c == u' ' || c == u'\t') {
        cut = at;
        break;
      }
    }
    if (line[cut - 1].isHighSurrogate()) --cut;
    cuts.push_back(cut);
    start = cut;
  }
  return cuts;
}

}  // namespace vistrel
