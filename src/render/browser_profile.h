#pragma once

#include <QObject>
#include <QUrl>
#include <memory>

class QWebEngineProfile;

namespace vistrel {

class LocalOnlyInterceptor;

// The one browser profile of the program: off the record (nothing written to disk, no disk
// cache) and local only (every network request is refused). Create it once, before any
// BrowserView, and keep it until the last BrowserView is gone.
class BrowserProfile : public QObject {
  Q_OBJECT

 public:
  explicit BrowserProfile(QObject* parent = nullptr);
  ~BrowserProfile() override;

  QWebEngineProfile* Profile() const { return profile_; }
  int RefusedRequestCount() const { return refusedCount_; }

 Q_SIGNALS:
  void RequestRefused(const QUrl& url);

 private:
  void OnRefused(const QUrl& url);

  std::unique_ptr<LocalOnlyInterceptor> interceptor_;
  QWebEngineProfile* profile_ = nullptr;
  int refusedCount_ = 0;
};

}  // namespace vistrel
