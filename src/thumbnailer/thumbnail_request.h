#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace vistrel {

// What a file manager asks of vistrel-thumbnailer: "-s SIZE INPUT OUTPUT".
struct ThumbnailRequest {
  int size = 0;
  QString input;   // a local path, whatever form it was given in
  QString output;  // where the PNG goes
  bool help = false;
  bool version = false;
  bool verbose = false;  // let the browser engine print its own diagnostics
};

// The local path of a thumbnailer INPUT: a plain path, or a file:// URI with its
// percent-escapes decoded. Empty for any other kind of address: only local files are read.
QString LocalPathOfInput(const QString& input);

// The size of a picture of size source scaled to fit a box of limit x limit, keeping its
// shape; never larger than source and never empty.
QSize FitInSquare(QSize source, int limit);

// Reads the arguments after the program name; on a mistake returns false with a message.
// With --help or --version nothing else is checked.
bool ReadThumbnailRequest(const QStringList& args, ThumbnailRequest* request, QString* error);

}  // namespace vistrel
