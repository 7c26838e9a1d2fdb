#include "filelists/verification_report_window.h"

#include "core/disk_name.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vistrel {

VerificationReportWindow::VerificationReportWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Verification Report"));
  setModal(true);
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  text_->setFont(font);

  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setDefault(true);
  // Enter and Escape both close: the default button takes Enter, QDialog takes Escape.
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addLayout(buttons);
  resize(560, 360);
}

void VerificationReportWindow::SetLines(const QStringList& lines) {
  // Names that are not UTF-8 or hold a tab are shown escaped, never as broken characters.
  QStringList shown;
  shown.reserve(lines.size());
  for (const QString& line : lines) shown.append(PrintableName(line));
  text_->setPlainText(shown.join(QLatin1Char('\n')));
}

QString VerificationReportWindow::text() const { return text_->toPlainText(); }

}  // namespace vistrel
