#pragma once

#include <QString>
#include <vector>

#include "formatter/tag_table.h"

namespace vistrel {

// The numbering of generated comments, one counter per table slot, kept by one run so that
// the shared style stays read only. Start and end comments of nested elements of one tag
// carry matching numbers: the newest open number is closed first.
class TagCounters {
 public:
  explicit TagCounters(const TagTable& table);

  void ResetCounters();
  // "" when the record's slot does not count; else the next number, remembered as open.
  QString NextStartNumber(const TTagInfo& record);
  // "" when the slot does not count or has no open number; else the newest open number.
  QString PopEndNumber(const TTagInfo& record);

 private:
  bool Counts(const TTagInfo& record) const;

  const TagTable& table_;
  std::vector<int> counter_;
  std::vector<std::vector<int>> open_;
};

}  // namespace vistrel
