#include "formatter/tag_counters.h"

namespace vistrel {

TagCounters::TagCounters(const TagTable& table) : table_(table) { ResetCounters(); }

void TagCounters::ResetCounters() {
  counter_.assign(static_cast<size_t>(table_.count()) + 1, 0);
  open_.assign(static_cast<size_t>(table_.count()) + 1, {});
}

bool TagCounters::Counts(const TTagInfo& record) const {
  return record.tablePosition > 0 && record.tablePosition <= table_.count() &&
         table_.slot(record.tablePosition).EnableCounter;
}

QString TagCounters::NextStartNumber(const TTagInfo& record) {
  if (!Counts(record)) return {};
  const size_t slot = static_cast<size_t>(record.tablePosition);
  const int number = ++counter_[slot];
  open_[slot].push_back(number);
  return QString::number(number);
}

QString TagCounters::PopEndNumber(const TTagInfo& record) {
  if (!Counts(record)) return {};
  std::vector<int>& open = open_[static_cast<size_t>(record.tablePosition)];
  if (open.empty()) return {};
  const int number = open.back();
  open.pop_back();
  return QString::number(number);
}

}  // namespace vistrel
