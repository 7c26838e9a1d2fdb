#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

#include "core/program_folder.h"
#include "core/text_file.h"
#include "cli/cli_command.h"
#include "cli/command_options.h"
#include "cli/format_input.h"
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

// Encodes the formatted pieces into one reused buffer and writes each with write(2): no
// stream buffering, no copy of the whole result.
class StandardOutputWriter {
 public:
  explicit StandardOutputWriter(TextEncoding encoding)
      // Stateful, though the pieces are whole lines and never split a surrogate pair.
      : encoder_(encoding == TextEncoding::kLatin1 ? QStringEncoder::Latin1
                                                   : QStringEncoder::Utf8) {}

  void Write(QStringView piece) {
    if (!ok_) return;
    const qsizetype space = encoder_.requiredSpace(piece.size());
    if (bytes_.size() < space) bytes_.resize(space);
    const char* end = encoder_.appendToBuffer(bytes_.data(), piece);
    const char* at = bytes_.constData();
    while (at < end) {
      const ssize_t n = ::write(STDOUT_FILENO, at, static_cast<size_t>(end - at));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        ok_ = false;
        return;
      }
      at += n;
    }
  }
  bool ok() const { return ok_; }

 private:
  QStringEncoder encoder_;
  QByteArray bytes_;
  bool ok_ = true;
};

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
  DecodedText decoded;
  if (!ReadFormatInput(file, &decoded)) return kExitFailure;

  const Style style = LoadStyleFolder(styleFolder.isEmpty() ? DefaultStyleFolder() : styleFolder);
  // Valid UTF-8 is formatted as characters; anything else byte for byte (as Latin-1), so
  // bytes that are not UTF-8 come out as they went in.
  Out().flush();
  std::fflush(stdout);
  StandardOutputWriter writer(decoded.encoding);
  FormatSelectionTo(PlainTextEditor(std::move(decoded.text)), style,
                    [&writer](QStringView piece) { writer.Write(piece); });
  if (!writer.ok()) {
    Err() << "vistrel-cli format: cannot write standard output\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace vistrel::cli
