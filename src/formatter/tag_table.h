#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace vistrel {

// How one tag is laid out and commented: one section of the style's tag file.
struct TTagInfo {
  QString name;  // the section name; kept, never matched
  bool TreatAsText = false;
  QString TagOpen;
  QString TagClose;
  int isSelfIndent = 0;
  int isContentIndent = 0;
  int CRLFLeading = 0;
  int CRLFFollowed = 0;
  bool DoGenerateSComment = false;
  bool DoGenerateEComment = false;
  QString StartComment;
  QString EndComment;
  int CommentLength = 40;
  QString CommentSymbol = QStringLiteral("*");
  bool Cindent = true;
  bool EnableCounter = false;
  int tablePosition = 0;  // 1-based slot in the table; 0 for the default record
};

// What a lookup yields for a tag no section describes.
TTagInfo DefaultTagInfo();

// The normalised name of the tag at the start of text: "<!--~", "<!--", or the letters,
// digits, "<" and "/" up to the first other character (letters upper-cased) plus ">".
QString TagName(QStringView text);
// The same into a reused buffer, for the hot loops.
void TagNameInto(QStringView text, QString* name);

// The style's tag sections in file order: at most 100, the slots beyond hold the default
// record. Read only while formatting; the comment counters live in each run.
class TagTable {
 public:
  static constexpr int kSlots = 100;

  struct Lookup {
    int direction = 1;  // +1 opening, -1 closing
    TTagInfo record;
  };

  int count() const { return static_cast<int>(slots_.size()); }
  // position is 1-based; positions beyond the count give the default record.
  const TTagInfo& slot(int position) const;
  // Stores the record in the next free slot and numbers it; false when the table is full.
  bool Append(TTagInfo info);

  // The formatter's rule: the first slot whose TagOpen, then TagClose, begins with the name.
  Lookup LookupTag(QStringView tagText) const;
  // The same match by an already normalised name: the slot (0 for none) and its direction.
  int MatchName(QStringView name, int* direction) const;
  // The tokeniser's rule: the first inline slot whose TagOpen or TagClose equals the name
  // ("</H>" standing for "</H1>" to "</H6>"); 1-based, or 0.
  int FindInlineTag(QStringView tagText) const;
  int FindInlineName(QStringView name) const;

 private:
  std::vector<TTagInfo> slots_;
  TTagInfo default_ = DefaultTagInfo();
};

}  // namespace vistrel
