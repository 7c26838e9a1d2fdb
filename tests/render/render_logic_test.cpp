#include <gtest/gtest.h>

#include <QUrl>

#include "render/display_settings.h"
#include "render/page_bridge.h"
#include "render/url_policy.h"

namespace vistrel {
namespace {

TEST(UrlPolicy, OnlyRequestsThatStayOnThisMachinePass) {
  EXPECT_TRUE(IsLocalUrl(QUrl(QStringLiteral("file:///home/web/index.htm"))));
  EXPECT_TRUE(IsLocalUrl(QUrl(QStringLiteral("file://localhost/home/web/index.htm"))));
  EXPECT_TRUE(IsLocalUrl(QUrl(QStringLiteral("data:text/html,<p>x</p>"))));
  EXPECT_TRUE(IsLocalUrl(QUrl(QStringLiteral("about:blank"))));
  EXPECT_TRUE(IsLocalUrl(QUrl(QStringLiteral("FILE:///x.htm"))));

  EXPECT_FALSE(IsLocalUrl(QUrl(QStringLiteral("http://example.com/"))));
  EXPECT_FALSE(IsLocalUrl(QUrl(QStringLiteral("https://127.0.0.1/x.png"))));
  EXPECT_FALSE(IsLocalUrl(QUrl(QStringLiteral("ftp://host/file"))));
  EXPECT_FALSE(IsLocalUrl(QUrl(QStringLiteral("ws://host/socket"))));
  // A file URL with a host name is a network share.
  EXPECT_FALSE(IsLocalUrl(QUrl(QStringLiteral("file://server/share/page.htm"))));
}

TEST(DisplaySettings, ColoursAreStoredBlueGreenRed) {
  EXPECT_EQ(CssColour(0x0000FF), QStringLiteral("#ff0000"));
  EXPECT_EQ(CssColour(0xFF0000), QStringLiteral("#0000ff"));
  EXPECT_EQ(CssColour(0x123456), QStringLiteral("#563412"));
  const BrowserDisplaySettings defaults;
  EXPECT_EQ(CssColour(defaults.LinkColor), QStringLiteral("#0000ff"));
  EXPECT_EQ(CssColour(defaults.Background), QStringLiteral("#ffffff"));
}

TEST(DisplaySettings, PointSizesBecomeCssPixels) {
  EXPECT_EQ(PixelsOfPoints(12), 16);
  EXPECT_EQ(PixelsOfPoints(6), 8);
  EXPECT_EQ(PixelsOfPoints(24), 32);
  EXPECT_EQ(PixelsOfPoints(10), 13);
}

TEST(PageBridge, ReadsOnlyLinesWithItsOwnTag) {
  const QString tag = NewBridgeTag();
  EXPECT_NE(tag, NewBridgeTag());

  const auto hover = ParseBridgeMessage(
      tag + QStringLiteral(R"({"kind":"hover","target":"main","url":"a b.htm"})"), tag);
  ASSERT_TRUE(hover);
  EXPECT_EQ(hover->kind, BridgeMessage::Kind::kHover);
  EXPECT_EQ(hover->target, QStringLiteral("main"));
  EXPECT_EQ(hover->url, QStringLiteral("a b.htm"));

  const auto painted =
      ParseBridgeMessage(tag + QStringLiteral(R"({"kind":"settled","id":42})"), tag);
  ASSERT_TRUE(painted);
  EXPECT_EQ(painted->kind, BridgeMessage::Kind::kSettled);
  EXPECT_EQ(painted->id, 42);

  // The page's own console output, a forged tag and broken lines are not messages.
  EXPECT_FALSE(ParseBridgeMessage(QStringLiteral("hello"), tag));
  EXPECT_FALSE(ParseBridgeMessage(NewBridgeTag() + QStringLiteral(R"({"kind":"hover"})"), tag));
  EXPECT_FALSE(ParseBridgeMessage(tag + QStringLiteral("{not json"), tag));
  EXPECT_FALSE(ParseBridgeMessage(tag + QStringLiteral(R"({"kind":"other"})"), tag));
  EXPECT_FALSE(ParseBridgeMessage(QStringLiteral(R"({"kind":"hover"})"), QString()));
}

TEST(PageBridge, ScriptsCarryTextAsStringLiterals) {
  // A tag or style text with quotes must not break out of its string literal.
  const QString script = StyleSheetScript(QStringLiteral("a { font-family: \"x\" }</script>'"));
  EXPECT_TRUE(script.contains(QStringLiteral(R"("a { font-family: \"x\" }</script>'")")));
  EXPECT_TRUE(BridgeScript(QStringLiteral("t\"ag")).contains(QStringLiteral(R"("t\"ag")")));
}

}  // namespace
}  // namespace vistrel
