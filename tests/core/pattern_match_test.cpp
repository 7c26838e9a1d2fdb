#include "core/pattern_match.h"

#include <gtest/gtest.h>

#include "settings/program_settings.h"

namespace vistrel {
namespace {

bool Match(const char* name, const char* patterns) {
  return MatchesPatternList(QString::fromLatin1(name), QString::fromLatin1(patterns));
}

TEST(MatchesPatternList, ExtensionIsCutToThreeLettersAndCaseIgnored) {
  EXPECT_TRUE(Match("a.html", "*.htm"));
  EXPECT_TRUE(Match("a.htm", "*.htm"));
  EXPECT_TRUE(Match("A.HTM", "*.htm"));
  EXPECT_TRUE(Match("/x/y/page.shtml", "*.sht"));
  EXPECT_FALSE(Match("a.jpeg", "*.jpg"));
}

TEST(MatchesPatternList, ShortExtensionsMatchTheBeginningOfAListedOne) {
  EXPECT_TRUE(Match("a.h", "*.htm"));
  EXPECT_FALSE(Match("a.tm", "*.htm"));
  EXPECT_TRUE(Match("a.jp", "*.jpg"));
}

TEST(MatchesPatternList, NamesWithoutExtensionOrEndingInADotNeverMatch) {
  EXPECT_FALSE(Match("README", "*.htm"));
  EXPECT_FALSE(Match("page.", "*.htm;*."));
  EXPECT_FALSE(Match("page..", "*.htm;*.."));
  EXPECT_FALSE(Match("/site.v2/README", "*.v2"));  // the dot belongs to a folder
}

TEST(MatchesPatternList, BuiltInListTakesLongColdFusionNames) {
  const QString all = QString::fromLatin1(kBuiltInFilterList).section(QLatin1Char('|'), 1, 1);
  EXPECT_TRUE(MatchesPatternList(QStringLiteral("x.cfml"), all));
  EXPECT_TRUE(MatchesPatternList(QStringLiteral("x.GIF"), all));
  EXPECT_FALSE(MatchesPatternList(QStringLiteral("x.txt"), all));
}

}  // namespace
}  // namespace vistrel
