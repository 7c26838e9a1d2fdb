#pragma once

namespace vistrel {

// The text of the error a render started while another one runs gets.
extern const char kRenderRunning[];

// True while an off-screen render (one page or a batch) runs its own event loop: a second
// one started from that loop would load pages into views the first is still waiting on.
bool OffscreenRenderRunning();

// Marks a render as running for its lifetime; throws VistrelError(kRenderRunning) when one
// already is.
class OffscreenRenderScope {
 public:
  OffscreenRenderScope();
  ~OffscreenRenderScope();
  OffscreenRenderScope(const OffscreenRenderScope&) = delete;
  OffscreenRenderScope& operator=(const OffscreenRenderScope&) = delete;
};

}  // namespace vistrel
