#include "app/ui/about_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtGlobal>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <jpeglib.h>

namespace vistrel {

namespace {
QString AboutText() {
  return QStringLiteral(
             "Vistrel v1.0a\n\n"
             "Thumbnail viewer, file manager and source editor\n"
             "for web sites kept as folders of HTML files.\n\n"
             "Folder View - instant browser and coloured source\n"
             "Thumbnail View - pictures of your pages, kept on disk\n"
             "File Lists - search, store, verify and merge lists of files\n\n"
             "Built with:\n"
             "Qt ") +
         QString::fromLatin1(qVersion()) +
         QStringLiteral(
             " (LGPL v3) - widgets, dialogs, files\n"
             "Qt WebEngine (LGPL v3, with Chromium under BSD-style licences) - page rendering\n"
             "libjpeg-turbo (IJG and BSD licences), JPEG library version ") +
         QString::number(JPEG_LIB_VERSION) +
         QStringLiteral(
             " - thumbnails and snapshots\n\n"
             "This software is based in part on the work of the Independent JPEG Group.\n");
}
}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(true);
  setWindowTitle(QStringLiteral("About -  Vistrel v1.0a "));
  text_ = new QTextEdit(this);
  text_->setReadOnly(true);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setPlainText(AboutText());
  for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    format.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(format);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  resize(541, 441);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

QString AboutWindow::Text() const { return text_->toPlainText(); }

void AboutWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;  // closes on release
  QDialog::keyPressEvent(event);
}

void AboutWindow::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    accept();
    return;
  }
  QDialog::keyReleaseEvent(event);
}

}  // namespace vistrel
