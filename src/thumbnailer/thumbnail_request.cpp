#include "thumbnailer/thumbnail_request.h"

#include <QCommandLineParser>
#include <QUrl>

#include "core/disk_name.h"

namespace vistrel {

namespace {

// Larger thumbnails than this are no thumbnails; the renderer's page is smaller anyway.
constexpr int kMaximumSize = 4096;

}  // namespace

QString LocalPathOfInput(const QString& input) {
  if (input.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
    QUrl url(input, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile() || !url.query().isEmpty()) return {};
    // file://localhost/p is this machine; file://server/p is another one's share.
    if (!url.host().isEmpty() && url.host() != QLatin1String("localhost")) return {};
    url.setHost(QString());
    return PathOfFileUrl(url);
  }
  // "http://...", "smb://...": a scheme of letters before "://" is an address, not a path.
  const qsizetype colon = input.indexOf(QLatin1String("://"));
  if (colon > 0 && QUrl(input).scheme().size() == colon) return {};
  return input;
}

QSize FitInSquare(QSize source, int limit) {
  if (source.isEmpty() || limit < 1) return {};
  QSize fitted = source.scaled(QSize(limit, limit), Qt::KeepAspectRatio);
  fitted = fitted.boundedTo(source);
  return fitted.expandedTo(QSize(1, 1));
}

bool ReadThumbnailRequest(const QStringList& args, ThumbnailRequest* request, QString* error) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOption(QCommandLineOption({QStringLiteral("s"), QStringLiteral("size")}, QString(),
                                      QStringLiteral("SIZE")));
  parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
  parser.addOption(QCommandLineOption(QStringLiteral("version")));
  parser.addOption(QCommandLineOption(QStringLiteral("verbose")));
  const bool parsed = parser.parse(QStringList{QStringLiteral("vistrel-thumbnailer")} + args);
  request->help = parser.isSet(QStringLiteral("help"));
  request->version = parser.isSet(QStringLiteral("version"));
  request->verbose = parser.isSet(QStringLiteral("verbose"));
  if (request->help || request->version) return true;
  if (!parsed) {
    *error = parser.errorText();
    return false;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 2) {
    *error = QStringLiteral("expected INPUT and OUTPUT");
    return false;
  }
  bool ok = false;
  request->size = parser.value(QStringLiteral("s")).toInt(&ok, 10);
  if (!parser.isSet(QStringLiteral("s")) || !ok || request->size < 1 ||
      request->size > kMaximumSize) {
    *error = QStringLiteral("-s needs a size of 1 to ") + QString::number(kMaximumSize);
    return false;
  }
  request->input = LocalPathOfInput(positional.at(0));
  if (request->input.isEmpty()) {
    *error = positional.at(0) + QStringLiteral(": only local files are read");
    return false;
  }
  request->output = positional.at(1);
  return true;
}

}  // namespace vistrel
