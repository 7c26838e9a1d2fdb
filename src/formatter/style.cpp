#include "formatter/style.h"

#include "core/text_paths.h"
#include "settings/ini_profile.h"

namespace vistrel {

namespace {

const QString kOptionsSection = QStringLiteral("OPTIONS");

// Fields have fixed widths; a longer value keeps its first characters (whole code points).
QString CutToWidth(const QString& value, int width) {
  int count = 0;
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value.at(i).isLowSurrogate()) continue;
    if (count == width) return value.left(i);
    ++count;
  }
  return value;
}

// Blanks around "=" are not part of a value.
QString ReadText(const IniProfile& ini, const QString& section, const QString& key, int width) {
  return CutToWidth(ini.ReadString(section, key, {}).trimmed(), width);
}

TTagInfo ReadTagSection(const IniProfile& ini, const QString& section) {
  TTagInfo info;
  auto integer = [&](const char* key, int fallback) {
    return ini.ReadInteger(section, QLatin1String(key), fallback);
  };
  auto boolean = [&](const char* key, bool fallback) {
    return ini.ReadBool(section, QLatin1String(key), fallback);
  };
  info.name = CutToWidth(section, 20);
  info.TagOpen = ReadText(ini, section, QStringLiteral("TagOpen"), 20);
  info.TagClose = ReadText(ini, section, QStringLiteral("TagClose"), 20);
  info.isSelfIndent = integer("isSelfIndent", 0);
  info.isContentIndent = integer("isContentIndent", 0);
  info.CRLFLeading = integer("CRLFLeading", 0);
  info.CRLFFollowed = integer("CRLFFollowed", 0);
  info.DoGenerateSComment = boolean("DoGenerateSComment", false);
  info.DoGenerateEComment = boolean("DoGenerateEComment", false);
  info.StartComment = ReadText(ini, section, QStringLiteral("StartComment"), 30);
  info.EndComment = ReadText(ini, section, QStringLiteral("EndComment"), 30);
  info.CommentLength = integer("CommentLength", 40);
  // Unlike the default record, a section without a symbol has no fill character.
  info.CommentSymbol = ReadText(ini, section, QStringLiteral("CommentSymbol"), 1);
  info.TreatAsText = boolean("TreatAsText", false);
  info.EnableCounter = boolean("EnableCounter", false);
  info.Cindent = boolean("Cindent", true);
  // Block tags always start and end their own line.
  if (!info.TreatAsText) {
    if (info.CRLFLeading == 0) info.CRLFLeading = 1;
    if (info.CRLFFollowed == 0) info.CRLFFollowed = 1;
  }
  return info;
}

}  // namespace

FormatOptions LoadOptionsFile(const QString& folder) {
  const IniProfile ini = IniProfile::Load(IncludeTrailingSeparator(folder) + kOptionsFileName);
  FormatOptions options;
  options.LineSize = ini.ReadInteger(kOptionsSection, QStringLiteral("LineSize"), options.LineSize);
  options.Spacing = ini.ReadInteger(kOptionsSection, QStringLiteral("Spacing"), options.Spacing);
  options.DoDisableComments =
      ini.ReadBool(kOptionsSection, QStringLiteral("DoDisableComments"), options.DoDisableComments);
  if (ini.HasKey(kOptionsSection, QStringLiteral("BreakExcluder")))
    options.BreakExcluder =
        ini.ReadString(kOptionsSection, QStringLiteral("BreakExcluder"), {}).trimmed();
  options.TagCase = ini.ReadInteger(kOptionsSection, QStringLiteral("TagCase"), options.TagCase);
  return options;
}

TagTable LoadTagFile(const QString& folder) {
  const IniProfile ini = IniProfile::Load(IncludeTrailingSeparator(folder) + kTagFileName);
  TagTable table;
  for (const QString& section : ini.SectionNames()) {
    if (!table.Append(ReadTagSection(ini, section))) break;
  }
  return table;
}

Style LoadStyleFolder(const QString& folder) {
  Style style;
  style.options = LoadOptionsFile(folder);
  style.tags = LoadTagFile(folder);
  return style;
}

Style LoadStyle(const QString& programFolder) {
  Style style = LoadStyleFolder(IncludeTrailingSeparator(programFolder) +
                                QStringLiteral("STYLES/") + kStyleName + QLatin1Char('/'));
  style.name = kStyleName;
  return style;
}

}  // namespace vistrel
