#include "core/render_guard.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace vistrel {
namespace {

TEST(RenderGuard, RefusesOnlyWhileHeldAndNamesTheOutermostWork) {
  RenderGuard guard;
  QStringList told;
  guard.SetReporter([&](const QString& text) { told << text; });
  EXPECT_FALSE(guard.Refuse(QStringLiteral("Preview")));
  EXPECT_TRUE(told.isEmpty());
  {
    const RenderGuard::Hold outer(guard, QStringLiteral("Make Thumbs"));
    {
      const RenderGuard::Hold inner(guard, QStringLiteral("a batch"));
      EXPECT_EQ(guard.Running(), QStringLiteral("Make Thumbs"));
    }
    // The inner end must not free the guard while the outer work still runs.
    EXPECT_TRUE(guard.Busy());
    EXPECT_TRUE(guard.Refuse(QStringLiteral("Preview")));
  }
  EXPECT_FALSE(guard.Busy());
  EXPECT_EQ(guard.Running(), QString());
  EXPECT_FALSE(guard.Refuse(QStringLiteral("Preview")));
  EXPECT_EQ(told, QStringList{QStringLiteral("Preview not started: Make Thumbs is still running "
                                             "(Esc in the progress window stops it)")});
}

TEST(RenderGuard, HoldIsGivenBackWhenTheWorkFails) {
  RenderGuard guard;
  try {
    const RenderGuard::Hold hold(guard, QStringLiteral("Make Thumbs"));
    throw 1;
  } catch (int) {
  }
  EXPECT_FALSE(guard.Busy());
}

}  // namespace
}  // namespace vistrel
