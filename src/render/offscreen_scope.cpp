#include "render/offscreen_scope.h"

#include <QString>

#include "core/vistrel_error.h"

namespace vistrel {

const char kRenderRunning[] = "Another page is being rendered; try again when it is done.";

namespace {
bool running = false;  // GUI thread only
}  // namespace

bool OffscreenRenderRunning() { return running; }

OffscreenRenderScope::OffscreenRenderScope() {
  if (running) throw VistrelError(QLatin1String(kRenderRunning));
  running = true;
}

OffscreenRenderScope::~OffscreenRenderScope() { running = false; }

}  // namespace vistrel
