#include "app/ui/title_bar.h"

#include <QApplication>

namespace vistrel {

namespace {
const char* const kGrey =
    "QLabel { background: rgb(128,128,128); color: white; font-weight: bold; padding: 1px 4px; }";
const char* const kTeal =
    "QLabel { background: rgb(0,128,128); color: white; font-weight: bold; padding: 1px 4px; }";
}  // namespace

TitleBar::TitleBar(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setStyleSheet(QString::fromLatin1(kGrey));
  setAutoFillBackground(true);
  // A long caption (a deep folder, a long pattern list) is cut rather than widening the panel.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void TitleBar::WatchFocusOf(QWidget* region) {
  region_ = region;
  connect(qApp, &QApplication::focusChanged, this, &TitleBar::OnFocusChanged);
}

void TitleBar::OnFocusChanged(QWidget*, QWidget* now) {
  SetHighlighted(region_ && now && (now == region_ || region_->isAncestorOf(now)));
}

void TitleBar::SetHighlighted(bool on) {
  if (on == highlighted_) return;
  highlighted_ = on;
  setStyleSheet(QString::fromLatin1(on ? kTeal : kGrey));
}

}  // namespace vistrel
