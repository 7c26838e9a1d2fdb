#pragma once

#include <QString>
#include <functional>

namespace vistrel {

// Knows whether a render (a batch, a snapshot) is under way. Such work lets the event loop
// run while it waits for pages, so a click handled meanwhile could start a second render
// inside the first; the commands that render ask here first and are refused while one runs.
class RenderGuard {
 public:
  // The one guard of the program, shared by the windows and the render work.
  static RenderGuard& Shared();

  // Marks a render as running for as long as it lives; holds nest, the outermost names it.
  class Hold {
   public:
    Hold(RenderGuard& guard, const QString& what);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    RenderGuard& guard_;
  };

  bool Busy() const { return depth_ > 0; }
  // What runs now ("Make Thumbs"), empty when nothing does.
  QString Running() const { return Busy() ? what_ : QString(); }

  // Where refusals are told (the main window's hint line); none by default.
  void SetReporter(std::function<void(const QString&)> reporter) {
    reporter_ = std::move(reporter);
  }

  // True, after telling the reporter why, when a render runs and action must not start now.
  bool Refuse(const QString& action);
  // The text a refusal shows.
  static QString RefusalText(const QString& action, const QString& running);

 private:
  int depth_ = 0;
  QString what_;
  std::function<void(const QString&)> reporter_;
};

}  // namespace vistrel
