#include "editor/colour_scanner.h"

namespace vistrel {

namespace {

// The tag starting at text[start] == '<'; returns the position after it.
qsizetype ScanTag(QStringView text, qsizetype start, std::vector<ColourRun>& runs) {
  const qsizetype n = text.size();
  qsizetype runStart = start;
  bool opens = true;
  auto flushTag = [&](qsizetype end) {
    if (end > runStart) runs.push_back({runStart, end - runStart, ColourClass::kTag, opens});
    opens = false;
  };
  qsizetype k = start + 1;
  while (k < n) {
    const QChar c = text[k];
    if (c == u'>') {
      flushTag(k + 1);
      return k + 1;
    }
    if (c == u'<') break;  // an unclosed tag ends where the next one begins
    if (c != u'"') {
      ++k;
      continue;
    }
    flushTag(k);
    qsizetype m = k + 1;
    while (m < n && text[m] != u'"' && text[m] != u'<' && text[m] != u'>') ++m;
    const qsizetype end = (m < n && text[m] == u'"') ? m + 1 : m;
    runs.push_back({k, end - k, ColourClass::kQuoted, false});
    k = end;
    runStart = k;
  }
  flushTag(k);
  return k;
}

}  // namespace

std::vector<ColourRun> ScanColourRuns(QStringView text) {
  std::vector<ColourRun> runs;
  runs.reserve(static_cast<size_t>(text.size() / 16 + 4));
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n) {
    if (text[i] != u'<') {
      qsizetype j = text.indexOf(u'<', i);
      if (j < 0) j = n;
      runs.push_back({i, j - i, ColourClass::kText, false});
      i = j;
    } else if (i + 3 < n && text[i + 1] == u'!' && text[i + 2] == u'-' && text[i + 3] == u'-') {
      // The end may overlap the opener's "--", so "<!-->" is a whole comment.
      const qsizetype close = text.indexOf(u"-->", i + 1);
      const qsizetype end = close < 0 ? n : close + 3;
      runs.push_back({i, end - i, ColourClass::kComment, close >= 0});
      i = end;
    } else {
      i = ScanTag(text, i, runs);
    }
  }
  return runs;
}

}  // namespace vistrel
