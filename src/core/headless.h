#pragma once

namespace vistrel {

// Sets the environment the browser engine needs before the application object exists:
// software rendering and no GPU on the offscreen platform, no sandbox when running as root.
// forceOffscreen selects the offscreen platform unless another one was asked for.
void PrepareHeadlessEnvironment(bool forceOffscreen);

// Keeps the browser engine's start-up chatter (its settings block, the sandbox and graphics
// notes, Chromium's own log) off standard error; every other message still passes. Call
// before the application object exists.
void SilenceEngineDiagnostics();

}  // namespace vistrel
