#include "render/page_bridge.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace vistrel {

namespace {

QString JsonString(const QString& text) {
  // A one-element array is the easy way to get a JSON string literal.
  const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(array.mid(1, array.size() - 2));
}

const char kBridgeSource[] = R"JS(
(function() {
  if (window.__vistrelBridge) return;
  window.__vistrelBridge = true;
  const tag = %1;
  const send = (data) => console.log(tag + JSON.stringify(data));
  const linkOf = (node) => {
    const element = node && node.nodeType === 1 ? node : (node ? node.parentElement : null);
    return element ? element.closest('a[href], area[href]') : null;
  };
  let covered = null;
  const cover = (link) => {
    if (link === covered) return;
    covered = link;
    send({kind: 'hover', target: link ? link.target : '', url: link ? link.getAttribute('href') : '',
          resolved: link ? link.href : ''});
  };
  document.addEventListener('mouseover', (event) => cover(linkOf(event.target)), true);
  document.addEventListener('mouseout', (event) => { if (!event.relatedTarget) cover(null); }, true);
  document.addEventListener('click', (event) => {
    const link = linkOf(event.target);
    if (!link) return;
    // A jump inside the document never asks the engine for a navigation.
    const here = location.href.split('#')[0];
    const jump = link.href.split('#')[0] === here && link.href.includes('#') &&
                 (!link.target || link.target === '_self');
    send({kind: jump ? 'jump' : 'click', target: link.target, url: link.getAttribute('href'),
          resolved: link.href, frame: location.href});
  }, true);
  const frames = (count, done) => count ? requestAnimationFrame(() => frames(count - 1, done)) : done();
  // Tells that this document has drawn frames of its own (a page whose script never ends
  // from the start never does).
  if (window === window.top) frames(2, () => send({kind: 'painted', id: 0}));
  window.__vistrelPaintRequest = (id) => {
    // Pictures still missing after the load (not shown, or never arriving) are not waited for.
    const ready = Array.from(document.images)
        .filter((image) => image.complete && image.naturalWidth > 0)
        .map((image) => image.decode().catch(() => null));
    if (document.fonts) ready.push(document.fonts.ready.catch(() => null));
    Promise.all(ready).then(() => frames(2, () => {
      send({kind: 'painted', id: id});
      frames(2, () => send({kind: 'settled', id: id}));
    }));
  };
})();
)JS";

const char kStyleSource[] = R"JS(
(function(css) {
  try {
    if (!window.__vistrelSheet) {
      window.__vistrelSheet = new CSSStyleSheet();
      document.adoptedStyleSheets = [window.__vistrelSheet].concat(document.adoptedStyleSheets);
    }
    window.__vistrelSheet.replaceSync(css);
  } catch (error) {}
})(%1);
)JS";

}  // namespace

QString NewBridgeTag() {
  return QStringLiteral("vistrel-") + QUuid::createUuid().toString(QUuid::Id128) + QLatin1Char(':');
}

QString BridgeScript(const QString& tag) {
  return QString::fromLatin1(kBridgeSource).arg(JsonString(tag));
}

QString PaintRequestScript(int id) {
  return QStringLiteral("window.__vistrelPaintRequest && window.__vistrelPaintRequest(%1);")
      .arg(id);
}

QString StyleSheetScript(const QString& css) {
  return QString::fromLatin1(kStyleSource).arg(JsonString(css));
}

std::optional<BridgeMessage> ParseBridgeMessage(const QString& line, const QString& tag) {
  if (tag.isEmpty() || !line.startsWith(tag)) return std::nullopt;
  const QJsonDocument document = QJsonDocument::fromJson(line.mid(tag.size()).toUtf8());
  if (!document.isObject()) return std::nullopt;
  const QJsonObject object = document.object();
  const QString kind = object.value(QLatin1String("kind")).toString();
  BridgeMessage message;
  if (kind == QLatin1String("hover")) {
    message.kind = BridgeMessage::Kind::kHover;
  } else if (kind == QLatin1String("click")) {
    message.kind = BridgeMessage::Kind::kClick;
  } else if (kind == QLatin1String("jump")) {
    message.kind = BridgeMessage::Kind::kJump;
  } else if (kind == QLatin1String("painted")) {
    message.kind = BridgeMessage::Kind::kPainted;
  } else if (kind == QLatin1String("settled")) {
    message.kind = BridgeMessage::Kind::kSettled;
  } else {
    return std::nullopt;
  }
  message.target = object.value(QLatin1String("target")).toString();
  message.url = object.value(QLatin1String("url")).toString();
  message.resolved = object.value(QLatin1String("resolved")).toString();
  message.frame = object.value(QLatin1String("frame")).toString();
  message.id = object.value(QLatin1String("id")).toInt();
  return message;
}

}  // namespace vistrel
