#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <array>

namespace vistrel {

class IniProfile;

// The file-type choices offered when the settings file has none.
extern const char* const kBuiltInFilterList;

struct ExternalApplication {
  QString Location = QStringLiteral("(none)");
  QString Param;
  QString Descript;
  bool Present = false;  // not stored: Location names an existing executable
};

// Colours are 0x00BBGGRR, as stored in the settings file.
struct ColourScheme {
  int TextCol = 0;
  int TagCol = 16711680;
  int QuotedCol = 255;
  int CommentCol = 8421376;
};

struct ProgramSettings {
  // OPTIONS
  QString ALLOWED_EXTENSIONS;
  QString StyleName = QStringLiteral("THUMBS");
  QString PopUpStyleName = QStringLiteral("_default");
  QString BackupExt = QStringLiteral(".pbak");
  bool DoCreateBackUps = true;
  bool DoValidate = false;
  QString LastSearch;
  QString LastReplace;
  bool DoShowFileIcons = true;
  bool DoRecycleBin = true;
  bool DoShowHints = true;
  bool DoOpenOnSingleClick = true;
  int CACHE_MAX = 200;
  // POSITION_MAIN
  int Top = 50;
  int Left = 50;
  int Width = 0;
  int Height = 0;
  // COLORS
  ColourScheme Colours;
  bool DoColorTags = true;
  // PATHS
  QString VIEW_PATH;
  QString SNAPSHOTPATH;
  QString COPYPATH;
  // THUMBS
  int THUMB_BASEIDX = 3;
  int CustomWidth = 800;
  int CustomHeight = 600;
  int Scale = 100;
  int Shade = 10;
  int Border = 1;
  int BGCol = 16777215;
  int ShadeCol = 8421504;
  int BorderCol = 8388608;
  bool CropHori = false;
  bool CropVerti = false;
  // Seconds a page may take before the renderer gives up on it and takes what it painted.
  int RenderTimeout = 5;
  // EDITOR1..EDITOR6
  std::array<ExternalApplication, 6> Applications;
};

// The render timeout in milliseconds, at least one second whatever the file holds.
int RenderTimeoutMs(const ProgramSettings& settings);

// Whether Location names an existing executable file.
bool IsApplicationPresent(const ExternalApplication& application);
void UpdatePresent(ProgramSettings& settings);

// Reads every key in the file's reading order with its default; a missing file or key is no
// error. screen gives the default window size (8/10 of it); programFolder the default paths.
ProgramSettings LoadProgramSettings(const IniProfile& profile, QSize screen,
                                    const QString& programFolder);

// Writes every key in the order that gives a fresh file its section and key order. The
// colour scheme is written as the standard one; viewFolder is the folder to remember.
void SaveProgramSettings(const ProgramSettings& settings, const QString& viewFolder,
                         IniProfile& profile);

}  // namespace vistrel
