#include "render/url_policy.h"

#include <QString>
#include <QUrl>

namespace vistrel {

bool IsLocalUrl(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("file")) {
    // file://server/share would reach the network through a mounted share name.
    const QString host = url.host();
    return host.isEmpty() || host == QLatin1String("localhost");
  }
  return scheme == QLatin1String("data") || scheme == QLatin1String("about") ||
         scheme == QLatin1String("blob") || scheme == QLatin1String("qrc");
}

}  // namespace vistrel
