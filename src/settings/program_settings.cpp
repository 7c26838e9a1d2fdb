#include "settings/program_settings.h"

#include <QFileInfo>

#include "core/text_paths.h"
#include "settings/ini_profile.h"

namespace vistrel {

const char* const kBuiltInFilterList =
    "All HTML file types + Pictures|*.htm;*.jpg;*.gif;*.asp;*.sht;*.dht;*.cfm;*.jht|"
    "All HTML file types|*.htm;*.asp;*.sht;*.dht;*.cfm;*.jht|HTM(L) only|*.htm|"
    "JPG and GIF only|*.jpg;*.gif|ASP only|*.asp|SSI only|*.sht|DHTML only|*.dht|"
    "Cold Fusion only|*.cfm";

namespace {

const QString kOptions = QStringLiteral("OPTIONS");
const QString kPosition = QStringLiteral("POSITION_MAIN");
const QString kColors = QStringLiteral("COLORS");
const QString kPaths = QStringLiteral("PATHS");
const QString kThumbs = QStringLiteral("THUMBS");
const char kRenderTimeout[] = "RenderTimeout";
constexpr qint64 kShortestTimeoutMs = 1000;
constexpr qint64 kLongestTimeoutMs = 3600 * 1000;

QString EditorSection(int index) { return QStringLiteral("EDITOR") + QString::number(index + 1); }

// Keys are read and written through one table of field bindings, so the two orders cannot
// drift apart where they are the same.
struct IntKey {
  const char* section;
  const char* key;
  int ProgramSettings::*field;
};
struct BoolKey {
  const char* section;
  const char* key;
  bool ProgramSettings::*field;
};

const IntKey kSnapshotKeys[] = {
    {"THUMBS", "CustomWidth", &ProgramSettings::CustomWidth},
    {"THUMBS", "CustomHeight", &ProgramSettings::CustomHeight},
    {"THUMBS", "Scale", &ProgramSettings::Scale},
    {"THUMBS", "Shade", &ProgramSettings::Shade},
    {"THUMBS", "Border", &ProgramSettings::Border},
    {"THUMBS", "BGCol", &ProgramSettings::BGCol},
    {"THUMBS", "ShadeCol", &ProgramSettings::ShadeCol},
    {"THUMBS", "BorderCol", &ProgramSettings::BorderCol},
};
const BoolKey kCropKeys[] = {
    {"THUMBS", "CropHori", &ProgramSettings::CropHori},
    {"THUMBS", "CropVerti", &ProgramSettings::CropVerti},
};
const BoolKey kSwitchKeys[] = {
    {"OPTIONS", "DoShowFileIcons", &ProgramSettings::DoShowFileIcons},
    {"OPTIONS", "DoRecycleBin", &ProgramSettings::DoRecycleBin},
    {"OPTIONS", "DoShowHints", &ProgramSettings::DoShowHints},
    {"OPTIONS", "DoOpenOnSingleClick", &ProgramSettings::DoOpenOnSingleClick},
};

QString S(const char* text) { return QString::fromLatin1(text); }

}  // namespace

bool IsApplicationPresent(const ExternalApplication& application) {
  const QFileInfo info(application.Location);
  return info.isFile() && info.isExecutable();
}

int RenderTimeoutMs(const ProgramSettings& settings) {
  const qint64 ms = qint64(settings.RenderTimeout) * 1000;
  return static_cast<int>(qBound(kShortestTimeoutMs, ms, kLongestTimeoutMs));
}

void UpdatePresent(ProgramSettings& settings) {
  for (ExternalApplication& app : settings.Applications) app.Present = IsApplicationPresent(app);
}

ProgramSettings LoadProgramSettings(const IniProfile& ini, QSize screen,
                                    const QString& programFolder) {
  ProgramSettings s;
  s.ALLOWED_EXTENSIONS = ini.ReadString(kOptions, QStringLiteral("ALLOWED_EXTENSIONS"), {});
  if (IsBlank(s.ALLOWED_EXTENSIONS)) s.ALLOWED_EXTENSIONS = S(kBuiltInFilterList);
  s.StyleName = ini.ReadString(kOptions, QStringLiteral("StyleName"), s.StyleName);
  s.PopUpStyleName = ini.ReadString(kOptions, QStringLiteral("PopUpStyleName"), s.PopUpStyleName);
  s.BackupExt = ini.ReadString(kOptions, QStringLiteral("BackupExt"), s.BackupExt).left(5);
  s.DoCreateBackUps = ini.ReadBool(kOptions, QStringLiteral("DoCreateBackUps"), s.DoCreateBackUps);
  s.DoValidate = ini.ReadBool(kOptions, QStringLiteral("DoValidate"), s.DoValidate);
  s.LastSearch = ini.ReadString(kOptions, QStringLiteral("LastSearch"), {});
  s.LastReplace = ini.ReadString(kOptions, QStringLiteral("LastReplace"), {});

  s.Top = ini.ReadInteger(kPosition, QStringLiteral("Top"), s.Top);
  s.Left = ini.ReadInteger(kPosition, QStringLiteral("Left"), s.Left);
  s.Width = ini.ReadInteger(kPosition, QStringLiteral("Width"), screen.width() * 8 / 10);
  s.Height = ini.ReadInteger(kPosition, QStringLiteral("Height"), screen.height() * 8 / 10);

  ColourScheme& c = s.Colours;
  c.TextCol = ini.ReadInteger(kColors, QStringLiteral("TextCol"), c.TextCol);
  c.TagCol = ini.ReadInteger(kColors, QStringLiteral("TagCol"), c.TagCol);
  c.QuotedCol = ini.ReadInteger(kColors, QStringLiteral("QuotedCol"), c.QuotedCol);
  c.CommentCol = ini.ReadInteger(kColors, QStringLiteral("CommentCol"), c.CommentCol);
  s.DoColorTags = ini.ReadBool(kColors, QStringLiteral("DoColorTags"), s.DoColorTags);

  s.VIEW_PATH = ini.ReadString(kPaths, QStringLiteral("VIEW_PATH"), programFolder);
  s.SNAPSHOTPATH = ini.ReadString(kPaths, QStringLiteral("SNAPSHOTPATH"),
                                  programFolder + QStringLiteral("SNAPSHOTS/"));
  s.COPYPATH = ini.ReadString(kPaths, QStringLiteral("COPYPATH"), programFolder);

  s.THUMB_BASEIDX = ini.ReadInteger(kThumbs, QStringLiteral("THUMB_BASEIDX"), s.THUMB_BASEIDX);
  for (const IntKey& k : kSnapshotKeys)
    s.*k.field = ini.ReadInteger(S(k.section), S(k.key), s.*k.field);
  for (const BoolKey& k : kCropKeys) s.*k.field = ini.ReadBool(S(k.section), S(k.key), s.*k.field);

  for (int i = 0; i < 6; ++i) {
    ExternalApplication& app = s.Applications[i];
    const QString section = EditorSection(i);
    app.Location = ini.ReadString(section, QStringLiteral("Location"), app.Location);
    app.Param = ini.ReadString(section, QStringLiteral("Param"), {});
    app.Descript = ini.ReadString(section, QStringLiteral("Descript"),
                                  QStringLiteral("External Application ") + QString::number(i + 1));
  }

  for (const BoolKey& k : kSwitchKeys)
    s.*k.field = ini.ReadBool(S(k.section), S(k.key), s.*k.field);
  s.CACHE_MAX = ini.ReadInteger(kOptions, QStringLiteral("CACHE_MAX"), s.CACHE_MAX);
  s.RenderTimeout = ini.ReadInteger(kThumbs, QLatin1String(kRenderTimeout), s.RenderTimeout);

  UpdatePresent(s);
  if (!QFileInfo(s.VIEW_PATH).isDir()) s.VIEW_PATH = programFolder;
  return s;
}

void SaveProgramSettings(const ProgramSettings& s, const QString& viewFolder, IniProfile& ini) {
  ini.WriteString(kOptions, QStringLiteral("StyleName"), s.StyleName);
  ini.WriteString(kOptions, QStringLiteral("PopUpStyleName"), s.PopUpStyleName);
  ini.WriteString(kOptions, QStringLiteral("BackupExt"), s.BackupExt.left(5));
  ini.WriteBool(kOptions, QStringLiteral("DoCreateBackUps"), s.DoCreateBackUps);
  ini.WriteBool(kOptions, QStringLiteral("DoValidate"), s.DoValidate);
  ini.WriteString(kOptions, QStringLiteral("LastSearch"), s.LastSearch);
  ini.WriteString(kOptions, QStringLiteral("LastReplace"), s.LastReplace);

  ini.WriteInteger(kPosition, QStringLiteral("Top"), s.Top);
  ini.WriteInteger(kPosition, QStringLiteral("Left"), s.Left);
  ini.WriteInteger(kPosition, QStringLiteral("Width"), s.Width);
  ini.WriteInteger(kPosition, QStringLiteral("Height"), s.Height);

  // Hand-edited colours last one run only: the standard scheme is always written back.
  const ColourScheme standard;
  ini.WriteInteger(kColors, QStringLiteral("TextCol"), standard.TextCol);
  ini.WriteInteger(kColors, QStringLiteral("TagCol"), standard.TagCol);
  ini.WriteInteger(kColors, QStringLiteral("QuotedCol"), standard.QuotedCol);
  ini.WriteInteger(kColors, QStringLiteral("CommentCol"), standard.CommentCol);
  ini.WriteBool(kColors, QStringLiteral("DoColorTags"), s.DoColorTags);

  ini.WriteInteger(kThumbs, QStringLiteral("THUMB_BASEIDX"), s.THUMB_BASEIDX);
  for (const IntKey& k : kSnapshotKeys) ini.WriteInteger(S(k.section), S(k.key), s.*k.field);
  for (const BoolKey& k : kCropKeys) ini.WriteBool(S(k.section), S(k.key), s.*k.field);

  ini.WriteString(kPaths, QStringLiteral("VIEW_PATH"), viewFolder);
  ini.WriteString(kPaths, QStringLiteral("SNAPSHOTPATH"), s.SNAPSHOTPATH);
  ini.WriteString(kPaths, QStringLiteral("COPYPATH"), s.COPYPATH);

  ini.WriteString(kOptions, QStringLiteral("ALLOWED_EXTENSIONS"), s.ALLOWED_EXTENSIONS);

  for (int i = 0; i < 6; ++i) {
    const ExternalApplication& app = s.Applications[i];
    const QString section = EditorSection(i);
    ini.WriteString(section, QStringLiteral("Location"), app.Location);
    ini.WriteString(section, QStringLiteral("Param"), app.Param);
    ini.WriteString(section, QStringLiteral("Descript"), app.Descript);
  }

  for (const BoolKey& k : kSwitchKeys) ini.WriteBool(S(k.section), S(k.key), s.*k.field);
  ini.WriteInteger(kOptions, QStringLiteral("CACHE_MAX"), s.CACHE_MAX);
  // Written last, so a file of older runs gains it at the end of its section.
  ini.WriteInteger(kThumbs, QLatin1String(kRenderTimeout), s.RenderTimeout);
}

}  // namespace vistrel
