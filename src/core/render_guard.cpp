#include "core/render_guard.h"

namespace vistrel {

RenderGuard& RenderGuard::Shared() {
  static RenderGuard guard;
  return guard;
}

RenderGuard::Hold::Hold(RenderGuard& guard, const QString& what) : guard_(guard) {
  // The outermost hold names the work: a batch inside Make Thumbs is still Make Thumbs.
  if (guard_.depth_++ == 0) guard_.what_ = what;
}

RenderGuard::Hold::~Hold() {
  if (--guard_.depth_ == 0) guard_.what_.clear();
}

bool RenderGuard::Refuse(const QString& action) {
  if (!Busy()) return false;
  if (reporter_) reporter_(RefusalText(action, what_));
  return true;
}

QString RenderGuard::RefusalText(const QString& action, const QString& running) {
  return action + QStringLiteral(" not started: ") + running +
         QStringLiteral(" is still running (Esc in the progress window stops it)");
}

}  // namespace vistrel
