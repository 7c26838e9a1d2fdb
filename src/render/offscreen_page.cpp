#include "render/offscreen_page.h"

#include <QLayout>
#include <QVBoxLayout>
#include <QWidget>

#include "render/browser_view.h"
#include "render/paint_wait.h"
#include "render/view_place.h"

namespace vistrel {

OffscreenPage::OffscreenPage(BrowserProfile& profile, QSize renderSize)
    : profile_(profile), renderSize_(renderSize), window_(std::make_unique<QWidget>()) {
  // Shown as far as the toolkit and the engine are concerned (so the page is laid out and
  // drawn), but never on any screen.
  window_->setAttribute(Qt::WA_DontShowOnScreen);
  window_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  auto* layout = new QVBoxLayout(window_.get());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  CreateOwnView();
  window_->resize(renderSize_);
  window_->show();
}

OffscreenPage::~OffscreenPage() { ReturnView(); }

void OffscreenPage::CreateOwnView() {
  delete own_;
  own_ = new BrowserView(profile_, 0, window_.get());
  window_->layout()->addWidget(own_);
  if (lent_) own_->hide();
}

void OffscreenPage::SetRenderSize(QSize size) {
  renderSize_ = size;
  window_->resize(size);
  window_->layout()->activate();
}

bool OffscreenPage::LoadHTMLFile(const QString& fileName) {
  if (pendingFreshView_) {
    pendingFreshView_ = false;
    CreateOwnView();
  }
  if (own_->DisplaySettings() != display_) own_->SetDisplaySettings(display_);
  const bool painted =
      WaitUntilPainted(*own_, true, timeoutMs_, [this, &fileName] { own_->LoadFile(fileName); });
  if (!painted) {
    // A page that hangs may keep its renderer busy; the next load gets a fresh view. The
    // capture of this one stays available until then.
    pendingFreshView_ = true;
  }
  return painted;
}

QImage OffscreenPage::Capture() const {
  QImage image = View().Capture();
  if (image.size() != renderSize_) image = image.copy(QRect(QPoint(0, 0), renderSize_));
  return image;
}

bool OffscreenPage::LendView(BrowserView& view) {
  ReturnView();
  lentPlace_ = std::make_unique<ViewPlace>(&view);
  lent_ = &view;
  own_->hide();
  window_->layout()->addWidget(lent_);
  lent_->show();
  window_->layout()->activate();
  return WaitUntilPainted(*lent_, false, timeoutMs_, {});
}

void OffscreenPage::ReturnView() {
  if (!lent_) return;
  window_->layout()->removeWidget(lent_);
  lentPlace_->Restore();
  lentPlace_.reset();
  lent_ = nullptr;
  own_->show();
}

BrowserView& OffscreenPage::View() const { return lent_ ? *lent_ : *own_; }

}  // namespace vistrel
