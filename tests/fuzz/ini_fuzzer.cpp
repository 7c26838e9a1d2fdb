// Any bytes as an INI file (prg.ini or a style file): the profile layer keeps every line it
// does not touch, a written value reads back, the text survives a round trip, and the
// settings reader takes any content.
#include "core/text_file.h"
#include "fuzz_target.h"
#include "settings/ini_profile.h"
#include "settings/program_settings.h"

using namespace vistrel;

VISTREL_FUZZ_ENTRY(ini)(const uint8_t* data, size_t size) {
  const QString text =
      DecodeText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)))
          .text;
  IniProfile profile = IniProfile::FromText(text);
  FUZZ_CHECK(IniProfile::FromText(profile.ToText()).ToText() == profile.ToText());

  const ProgramSettings settings =
      LoadProgramSettings(profile, QSize(1280, 1024), QStringLiteral("/nonexistent/vistrel/"));
  FUZZ_CHECK(settings.BackupExt.size() <= 5);

  // The keys of the first sections read back what they hold after a round trip (a bounded
  // number: each lookup scans the file).
  const IniProfile again = IniProfile::FromText(profile.ToText());
  int checked = 0;
  for (const QString& section : profile.SectionNames()) {
    for (const QString& key : profile.KeyNames(section)) {
      FUZZ_CHECK(again.ReadString(section, key, QStringLiteral("\1")) ==
                 profile.ReadString(section, key, QStringLiteral("\1")));
      if (++checked == 64) break;
    }
    if (checked == 64) break;
  }

  // A value written under a name taken from the input reads back as written.
  const QStringList sections = profile.SectionNames();
  const QString section = sections.isEmpty() ? QStringLiteral("S") : sections.first();
  const QString value = text.left(40);
  profile.WriteString(section, QStringLiteral("FuzzKey"), value);
  QString expected = value;
  expected.replace(QLatin1String("\r\n"), QLatin1String(" "))
      .replace(QLatin1Char('\r'), QLatin1Char(' '))
      .replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (section.trimmed() == section && !section.contains(QLatin1Char(']')))
    FUZZ_CHECK(IniProfile::FromText(profile.ToText())
                   .ReadString(section, QStringLiteral("FuzzKey"), QStringLiteral("\1"))
                   .trimmed() == expected.trimmed());

  // Saving the settings into whatever was there keeps the file readable.
  SaveProgramSettings(settings, QStringLiteral("/nonexistent/"), profile);
  const ProgramSettings reread = LoadProgramSettings(
      IniProfile::FromText(profile.ToText()), QSize(1280, 1024), QStringLiteral("/nonexistent/"));
  FUZZ_CHECK(reread.BackupExt == settings.BackupExt);
  return 0;
}
