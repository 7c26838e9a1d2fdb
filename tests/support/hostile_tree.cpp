#include "hostile_tree.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

#include "core/disk_name.h"

namespace vistrel::testing {

namespace {

void WriteBytes(const QByteArray& path, const QByteArray& bytes) {
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
    throw std::runtime_error("cannot write " + path.toStdString());
  ::close(fd);
}

QByteArray PageText(const char* title) {
  return QByteArrayLiteral("<html><head><title>") + title +
         QByteArrayLiteral("</title></head><body><p>") + title + "</p></body></html>\n";
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

}  // namespace

HostileTree::~HostileTree() {
  ::nftw(NameToDisk(dir_.path()).constData(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

QString HostileTree::AddPage(const QByteArray& relative, const QByteArray& bytes) {
  WriteBytes(QByteArray(NameToDisk(folder_) + relative), bytes);
  return folder_ + NameFromDisk(relative);
}

HostileTree::HostileTree() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
  dir_.setAutoRemove(false);
  folder_ = dir_.path() + QLatin1Char('/');
  const QByteArray root = NameToDisk(folder_);
  if (::mkdir(QByteArray(root + "sub").constData(), 0755) != 0)
    throw std::runtime_error("cannot make sub folder");

  const auto add = [this](const QByteArray& relative, const QByteArray& bytes) {
    pages_.append({AddPage(relative, bytes), bytes});
  };
  add("plain.html", PageText("plain"));
  add("caf\xE9.html", PageText("latin-1"));                  // Latin-1 e acute
  add("sub/\x93quoted\x94.html", PageText("windows-1252"));  // 1252 curly quotes
  add("caf\xC3\xA9.html", PageText("utf-8"));                // the same word in UTF-8: another file
  add("what?.html", PageText("question"));
  add("[brackets].html", PageText("brackets"));
  add("back\\slash.html", PageText("backslash"));
  add("\"quoted\".html", PageText("quotes"));
  add("-leading-dash.html", PageText("dash"));
  add("tab\there.html", PageText("tab"));
  add("sub/empty.html", QByteArray());
  add("sub/binary.html", QByteArray("\x00\x01\x02\xFF\xFE<html>\x00\x89PNG\r\n\x1A\n", 21));

  const auto unlistable = [this](const QByteArray& relative, const QByteArray& bytes) {
    unlistable_.append({AddPage(relative, bytes), bytes});
  };
  unlistable("star*name.html", PageText("star"));
  unlistable("line\nbreak.html", PageText("line break"));

  if (::mkfifo(QByteArray(root + "fifo.html").constData(), 0644) != 0)
    throw std::runtime_error("cannot make FIFO");
  notPages_.append(folder_ + QStringLiteral("fifo.html"));
  const auto link = [&](const char* target, const char* name) {
    if (::symlink(target, QByteArray(root + name).constData()) != 0)
      throw std::runtime_error(std::string("cannot link ") + name);
    notPages_.append(folder_ + QString::fromLatin1(name));
  };
  link("/dev/zero", "zero.html");
  link("no-such-file.html", "dangling.html");
  link("loop.html", "loop.html");
  if (::symlink("..", QByteArray(root + "sub/up").constData()) != 0)
    throw std::runtime_error("cannot link folder loop");
}

}  // namespace vistrel::testing
