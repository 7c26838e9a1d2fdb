#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>

#include <cstdio>

#include "core/program_folder.h"
#include "core/text_file.h"
#include "cli/cli_command.h"
#include "cli/command_options.h"
#include "formatter/format_driver.h"
#include "formatter/style.h"

namespace vistrel::cli {

namespace {

const char kFormatHelp[] =
    "Usage: vistrel-cli format [--style DIR] [FILE]\n"
    "\n"
    "Formats FILE (or standard input when FILE is missing or \"-\") as the viewer's Format\n"
    "button does and writes the result to standard output, every line ended by CR LF.\n"
    "The lines keep the leading blanks of the first line as their base indent.\n"
    "\n"
    "  --style DIR   a style folder with options.ini and tag.ini (either may be missing);\n"
    "                by default the program folder's STYLES/THUMBS/\n";

// The program folder's style; a program folder that was never set up formats with the
// style it would be given at first start.
QString DefaultStyleFolder() {
  const QString exeFolder = CliFolder();
  QString folder =
      WorkingFolders::For(ResolveProgramFolder(exeFolder)).styles + kStyleName + QLatin1Char('/');
  if (QFileInfo(folder).isDir()) return folder;
  return DefaultResourceFolder(exeFolder) + QStringLiteral("STYLES/") + kStyleName +
         QLatin1Char('/');
}

// Encodes and writes in pieces, so a large result is never held twice.
bool WriteStandardOutput(const QString& text, TextEncoding encoding) {
  Out().flush();
  // Stateful: a surrogate pair split between two pieces is encoded whole.
  QStringEncoder encoder(encoding == TextEncoding::kLatin1 ? QStringEncoder::Latin1
                                                           : QStringEncoder::Utf8);
  constexpr qsizetype kPiece = 1 << 20;
  bool ok = true;
  for (qsizetype at = 0; at < text.size() && ok; at += kPiece) {
    const QByteArray bytes = encoder.encode(QStringView(text).mid(at, kPiece));
    ok = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) ==
         static_cast<size_t>(bytes.size());
  }
  return std::fflush(stdout) == 0 && ok;
}

}  // namespace

int RunFormat(const QStringList& args) {
  CommandOptions options("format", kFormatHelp);
  options.Add(QStringLiteral("style"), QStringLiteral("DIR"));
  if (const int code = options.Parse(args); code != CommandOptions::kRun) return code;
  const QStringList files = options.Positional();
  if (files.size() > 1)
    return options.UsageError(QStringLiteral("unexpected argument '") + files.at(1) +
                              QLatin1Char('\''));
  const QString file = files.value(0);
  const QString styleFolder = options.Value(QStringLiteral("style"));
  StartCoreApplication();
  if (!styleFolder.isEmpty() && !QFileInfo(styleFolder).isDir()) {
    Err() << "vistrel-cli format: style folder not found: " << styleFolder << "\n";
    return kExitFailure;
  }
  QByteArray bytes;
  if (!ReadInput(file, &bytes)) return kExitFailure;

  const Style style = LoadStyleFolder(styleFolder.isEmpty() ? DefaultStyleFolder() : styleFolder);
  // Valid UTF-8 is formatted as characters; anything else byte for byte (as Latin-1), so
  // bytes that are not UTF-8 come out as they went in.
  DecodedText decoded = DecodeText(bytes);
  bytes.clear();
  const QString result = FormatSelection(PlainTextEditor(std::move(decoded.text)), style);
  if (!WriteStandardOutput(result, decoded.encoding)) {
    Err() << "vistrel-cli format: cannot write standard output\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace vistrel::cli
