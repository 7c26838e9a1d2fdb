#pragma once

#include <QStringView>
#include <string>
#include <vector>

#include "formatter/tag_table.h"

namespace vistrel {

// A tag name as TagNameInto makes it, built in place for names short enough to remember:
// looking a tag up this way allocates nothing.
struct ShortTagName {
  static constexpr int kCapacity = 32;
  char16_t chars[kCapacity];
  int size = 0;
  quint32 hash = 0;

  QStringView view() const { return QStringView(chars, size); }
  // False when the name is longer than kCapacity; the caller then uses TagNameInto.
  bool Read(QStringView text) {
    const QChar* d = text.data();
    const qsizetype n = text.size();
    size = 0;
    if (n >= 4 && d[0] == u'<' && d[1] == u'!' && d[2] == u'-' && d[3] == u'-') {
      Append(u'<'), Append(u'!'), Append(u'-'), Append(u'-');
      if (n >= 5 && d[4] == u'~') Append(u'~');
      return true;
    }
    qsizetype i = 0;
    for (; i < n; ++i) {
      char16_t u = d[i].unicode();
      if (u >= 'a' && u <= 'z')
        u = static_cast<char16_t>(u - 32);
      else if (!((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '<' || u == '/'))
        break;
      if (size == kCapacity) return false;
      Append(u);
    }
    if (i < n) {
      if (size == kCapacity) return false;
      Append(u'>');
    }
    return true;
  }

 private:
  void Append(char16_t u) {
    chars[size++] = u;
    hash = (size == 1 ? 0 : hash * 31) + u;
  }
};

// Remembers a value per short tag name in an open table; at most kMaxNames names, so a
// hostile page of endless different names cannot grow it.
template <typename Value>
class NameCache {
 public:
  static constexpr int kMaxNames = 1024;

  // The remembered value, or null.
  const Value* Find(const ShortTagName& name) const {
    for (size_t i = name.hash & kMask;; i = (i + 1) & kMask) {
      const Entry& e = entries_[i];
      if (e.offset < 0) return nullptr;
      if (e.hash == name.hash && e.size == name.size && Same(names_.data() + e.offset, name))
        return &e.value;
    }
  }
  void Insert(const ShortTagName& name, const Value& value) {
    if (count_ >= kMaxNames) return;
    size_t i = name.hash & kMask;
    while (entries_[i].offset >= 0) i = (i + 1) & kMask;
    entries_[i] = {name.hash, static_cast<int>(names_.size()), name.size, value};
    names_.append(name.chars, static_cast<size_t>(name.size));
    ++count_;
  }

 private:
  // Names are a few characters long: a plain loop beats a call to memcmp.
  static bool Same(const char16_t* stored, const ShortTagName& name) {
    for (int i = 0; i < name.size; ++i)
      if (stored[i] != name.chars[i]) return false;
    return true;
  }

  static constexpr size_t kSlots = 2 * kMaxNames;
  static constexpr size_t kMask = kSlots - 1;
  struct Entry {
    quint32 hash = 0;
    int offset = -1;  // into names_; -1 for a free slot
    int size = 0;
    Value value{};
  };
  std::vector<Entry> entries_ = std::vector<Entry>(kSlots);
  std::u16string names_;
  int count_ = 0;
};

}  // namespace vistrel
