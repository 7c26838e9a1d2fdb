#include "render/browser_profile.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include "render/url_policy.h"

namespace vistrel {

class LocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  explicit LocalOnlyInterceptor(BrowserProfile* owner) : owner_(owner) {}

  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (IsLocalUrl(info.requestUrl())) return;
    info.block(true);
    // May run off the user-interface thread; the owner is told through its event queue.
    const QUrl url = info.requestUrl();
    QMetaObject::invokeMethod(
        owner_, [owner = owner_, url] { Q_EMIT owner->RequestRefused(url); }, Qt::QueuedConnection);
  }

 private:
  BrowserProfile* owner_;
};

BrowserProfile::BrowserProfile(QObject* parent)
    : QObject(parent), interceptor_(std::make_unique<LocalOnlyInterceptor>(this)) {
  profile_ = new QWebEngineProfile(this);  // no storage name: off the record
  profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
  profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
  profile_->setSpellCheckEnabled(false);
  profile_->setUrlRequestInterceptor(interceptor_.get());
  QWebEngineSettings* settings = profile_->settings();
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
  settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
  settings->setAttribute(QWebEngineSettings::ScrollAnimatorEnabled, false);
  settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, true);
  // No window shows a page's icon; fetching and decoding it is two more loads a page.
  settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
  connect(this, &BrowserProfile::RequestRefused, this, &BrowserProfile::OnRefused);
}

BrowserProfile::~BrowserProfile() {
  profile_->setUrlRequestInterceptor(nullptr);
  delete profile_;
}

void BrowserProfile::OnRefused(const QUrl&) { ++refusedCount_; }

}  // namespace vistrel
