#include "render/offscreen_page.h"

#include <QEventLoop>
#include <QLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWidget>

#include "render/browser_view.h"
#include "render/offscreen_scope.h"
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

OffscreenPage::~OffscreenPage() {
  watch_.reset();  // no outcome is reported for a page that goes
  ReturnView();
}

void OffscreenPage::CreateOwnView() {
  watch_.reset();
  delete own_;
  own_ = new BrowserView(profile_, 0, window_.get());
  window_->layout()->addWidget(own_);
  if (lent_) own_->hide();
  watch_ = std::make_unique<PaintWatch>(*own_);
  WatchRenderer();
}

void OffscreenPage::WatchRenderer() {
  // The engine page sits inside the view; its renderer may die (killed, crashed, out of
  // memory) in the middle of a load, which would otherwise only end at the timeout.
  auto* engine = own_->findChild<QWebEnginePage*>();
  if (!engine) return;
  QObject::connect(engine, &QWebEnginePage::renderProcessTerminated, watch_.get(),
                   [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                     if (status == QWebEnginePage::NormalTerminationStatus) return;
                     pendingFreshView_ = true;
                     lastShowsOwn_ = false;
                     watch_->RendererEnded();
                   });
}

void OffscreenPage::SetRenderSize(QSize size) {
  renderSize_ = size;
  window_->resize(size);
  window_->layout()->activate();
}

bool OffscreenPage::Loading() const { return watch_->Running(); }

void OffscreenPage::StartLoad(const QString& fileName, PaintWatch::Done done) {
  if (pendingFreshView_) {
    pendingFreshView_ = false;
    CreateOwnView();
  }
  if (own_->DisplaySettings() != display_) own_->SetDisplaySettings(display_);
  lastShowsOwn_ = false;
  watch_->Start(
      true, timeoutMs_, [this, &fileName] { own_->LoadFile(fileName); },
      [this, done = std::move(done)](PaintOutcome outcome) {
        lastShowsOwn_ = ShowsOwnPixels(outcome);
        if (outcome != PaintOutcome::kPainted) {
          // A page that hangs may keep its renderer busy; the next load gets a
          // fresh view. The capture of this one stays available until then.
          pendingFreshView_ = true;
        }
        done(outcome);
      });
}

void OffscreenPage::StopLoad() { watch_->Stop(); }

void OffscreenPage::ReleaseHungRenderer() {
  if (!pendingFreshView_ || Loading()) return;
  pendingFreshView_ = false;
  CreateOwnView();
}

PaintOutcome OffscreenPage::Load(const QString& fileName, const std::function<bool()>& stopAsked) {
  OffscreenRenderScope scope;
  QEventLoop loop;
  PaintOutcome result = PaintOutcome::kStopped;
  bool done = false;
  StartLoad(fileName, [&](PaintOutcome outcome) {
    result = outcome;
    done = true;
    loop.quit();
  });
  QTimer poll;
  if (stopAsked) {
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (stopAsked()) StopLoad();
    });
    poll.start(kStopPollMs);
  }
  if (!done) loop.exec();
  return result;
}

bool OffscreenPage::LoadHTMLFile(const QString& fileName) {
  return Load(fileName) == PaintOutcome::kPainted;
}

QImage OffscreenPage::Capture() const {
  if (!lent_ && !lastShowsOwn_) return QImage();
  QImage image = View().Capture();
  if (image.size() != renderSize_) image = image.copy(QRect(QPoint(0, 0), renderSize_));
  return image;
}

bool OffscreenPage::LendView(BrowserView& view) {
  OffscreenRenderScope scope;
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

qint64 OffscreenPage::RenderProcessId() const {
  const auto* engine = own_->findChild<QWebEnginePage*>();
  return engine ? engine->renderProcessPid() : 0;
}

}  // namespace vistrel
