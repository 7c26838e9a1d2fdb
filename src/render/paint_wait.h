#pragma once

#include <functional>

namespace vistrel {

class BrowserView;

// Runs the event loop until the view shows its page completely: loaded (when awaitLoad),
// pictures decoded, and a frame drawn after that has reached the view's pixels. start runs
// once everything is listening (it may start the load, and may throw). Returns false when
// timeoutMs ended the wait first; what is painted by then is what the view shows.
bool WaitUntilPainted(BrowserView& view, bool awaitLoad, int timeoutMs,
                      const std::function<void()>& start);

}  // namespace vistrel
