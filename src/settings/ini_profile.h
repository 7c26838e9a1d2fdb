#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "core/text_file.h"

namespace vistrel {

// An INI file with the semantics of the classic private-profile functions: section and key
// names match without regard to case; a value is the text after "=" to the end of the line;
// writing replaces a value in place, appends a new key at the end of its section and a new
// section at the end of the file; every other line is kept exactly as it was.
class IniProfile {
 public:
  static constexpr int kMaxValueLength = 2047;

  IniProfile() = default;
  // A missing or unreadable file gives an empty profile bound to path; never an error.
  static IniProfile Load(const QString& path);
  static IniProfile FromText(const QString& text, const QString& path = {});

  const QString& path() const { return path_; }

  bool HasKey(const QString& section, const QString& key) const;
  QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
  // Decimal, or hexadecimal after "0x"/"0X" when longer than two characters; anything else
  // gives the fallback.
  int ReadInteger(const QString& section, const QString& key, int fallback) const;
  bool ReadBool(const QString& section, const QString& key, bool fallback) const;

  // Line breaks inside a value would split it into stray lines, so they become spaces.
  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);
  void WriteBool(const QString& section, const QString& key, bool value);

  // Section names in file order (first occurrence of duplicates only).
  QStringList SectionNames() const;
  // Key names of the first section of that name, in file order.
  QStringList KeyNames(const QString& section) const;

  QString ToText() const;
  // Atomic: the old file stays intact when writing fails.
  bool Save(QString* error = nullptr) const;

  static bool ParseInteger(const QString& text, int* value);

 private:
  // A section or key name, with its ASCII lower case for quick comparing.
  struct Name {
    QString text;   // null: the line holds no key
    QString lower;  // valid when ascii
    bool ascii = false;
    static Name Of(const QString& text);
    // Equal as QString::compare finds them without regard to case.
    bool Matches(const Name& other) const;
  };
  struct Range {
    int header = -1;
    int end = 0;
  };  // lines (header, end) belong to the section
  Range FindSection(const QString& section) const;
  int FindKey(const Range& range, const QString& key) const;
  // The value of a key line: the text after its first "=", cut to kMaxValueLength.
  QString ValueAt(int line) const;
  // Parses the lines once for the lookups; again whenever a line is added.
  void Outline();

  QString path_;
  std::vector<QString> lines_;
  // The section headers' line numbers and names, and each line's key name (null when the
  // line holds no key).
  std::vector<int> headers_;
  std::vector<Name> headerNames_;
  std::vector<Name> keyNames_;
  TextEncoding encoding_ = TextEncoding::kUtf8;
  LineBreak lineBreak_ = LineBreak::kLf;
  bool endsWithBreak_ = true;
};

}  // namespace vistrel
