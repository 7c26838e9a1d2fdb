#pragma once

class QUrl;

namespace vistrel {

// Whether a request stays on this machine: files, inline data and the engine's own blank
// and blob documents. Everything else (http, https, ftp, ws, ...) is network and refused.
bool IsLocalUrl(const QUrl& url);

}  // namespace vistrel
