#pragma once

#include <QString>
#include <functional>

#include "formatter/name_cache.h"
#include "formatter/run_hooks.h"
#include "formatter/style.h"
#include "formatter/token_stream.h"

namespace vistrel {

// The first pass of a formatting run: cuts the source (LF line ends) into token lines, each
// ordinary tag on a line of its own and running text with its inline tags on one line, and
// takes verbatim blocks out into the block store. Generated comments of an earlier run are
// dropped. One object per run; it looks at every character a bounded number of times.
class Tokeniser {
 public:
  using Consumer = std::function<void(const TokenStream&)>;

  Tokeniser(const QString& source, const Style& style, RunPacer& pacer);
  TokenStream Tokenise();
  // The same lines handed over in pieces as they are made, each piece forgotten once handed
  // over, so a run over a large source holds only a piece of the stream at a time.
  void Tokenise(const Consumer& consume);

 private:
  // What the tokeniser needs to know about a tag name; cached per name.
  struct NameInfo {
    int inlineSlot = 0;
    int opener = -1;  // index into the verbatim openers, -1 for none
    bool noSpaceAfter = false;
  };
  // A forward search whose last answer is reused while it is still ahead.
  struct SearchMemo {
    qsizetype from = -1;
    qsizetype found = -1;
  };

  void Run(const Consumer* consume);
  void HandOver(const Consumer& consume);
  NameInfo InfoOfTag(QStringView tagText);
  NameInfo InfoOfName(QStringView name) const;
  qsizetype TagEnd(qsizetype p) const;
  qsizetype FindCloser(int opener, qsizetype from);
  qsizetype BlockEnd(int opener, qsizetype from);
  bool IsTagsOnlyCell(qsizetype p, qsizetype cellEnd);
  bool TakeSpaceAfter(const NameInfo& info, qsizetype* next) const;

  void FlushText();
  void EndTokenLine(qsizetype start);
  qsizetype HandleOrdinaryTag(qsizetype p, qsizetype end, const NameInfo& info);
  qsizetype HandleInlineTag(qsizetype p, qsizetype end, const NameInfo& info);
  qsizetype HandleVerbatimBlock(qsizetype p, int opener);
  qsizetype HandleTableCell(qsizetype p, qsizetype cellEnd);
  void AddBlock(const QString& opener, QStringView text, bool collapse);

  const QString& source_;
  const Style& style_;
  RunPacer& pacer_;
  TokenStream out_;
  QString buffer_;
  QString name_;
  int runNumber_ = 0;
  ShortTagName shortName_;
  NameCache<NameInfo> names_;
  SearchMemo closerMemo_[7];
  qsizetype cellScanStart_ = -1;  // the last scan for text in a cell: where it started
  qsizetype cellTextAt_ = -1;     // and the first character outside a tag it met
};

}  // namespace vistrel
