#include <gtest/gtest.h>

#include "thumb_fixture.h"
#include "thumbnails/thumb_cache.h"

namespace vistrel {
namespace {

using testing::NearColour;
using testing::TempFolder;
using testing::WriteThumbJpeg;

class ThumbCacheTest : public ::testing::Test {
 protected:
  QString Thumb(const QString& name, const QColor& colour) {
    return WriteThumbJpeg(folder_, QStringLiteral("=web/") + name, colour);
  }
  TempFolder folder_;
};

TEST_F(ThumbCacheTest, EntriesCarryTheSequenceNumberPathAndSlot) {
  ThumbCache cache(200);
  const QString a = Thumb(QStringLiteral("a.htm.jpg"), Qt::red);
  const QString b = Thumb(QStringLiteral("b.htm.jpg"), Qt::blue);
  cache.CacheLoad(a);
  cache.CacheLoad(b);
  cache.CacheLoad(a);  // already there: nothing happens
  EXPECT_EQ(cache.Index(), QStringList({QStringLiteral("T0000001") + a + QStringLiteral("*0"),
                                        QStringLiteral("T0000002") + b + QStringLiteral("*1")}));
  EXPECT_EQ(cache.SequenceNumber(), 2);
  EXPECT_EQ(cache.CacheLookup(a), 0);
  EXPECT_EQ(cache.CacheLookup(b), 1);
  EXPECT_TRUE(NearColour(cache.Image(1).pixel(10, 10), Qt::blue));
  EXPECT_EQ(cache.Image(1).size(), QSize(130, 100));
  // The letter case of the path counts, and a longer path with the same start is another one.
  EXPECT_EQ(cache.CacheLookup(a.toUpper()), -1);
  EXPECT_EQ(cache.CacheLookup(a.chopped(4)), -1);
}

TEST_F(ThumbCacheTest, AFullCacheReusesTheSlotOfTheOldestEntry) {
  ThumbCache cache(2);
  const QString thumbs[] = {
      Thumb(QStringLiteral("1.htm.jpg"), Qt::red), Thumb(QStringLiteral("2.htm.jpg"), Qt::green),
      Thumb(QStringLiteral("3.htm.jpg"), Qt::blue), Thumb(QStringLiteral("4.htm.jpg"), Qt::yellow)};
  for (const QString& thumb : thumbs) cache.CacheLoad(thumb);
  EXPECT_EQ(cache.ImageCount(), 3);
  EXPECT_EQ(cache.CacheLookup(thumbs[0]), -1);
  EXPECT_EQ(cache.CacheLookup(thumbs[3]), 0);
  EXPECT_TRUE(NearColour(cache.Image(0).pixel(5, 5), Qt::yellow));
  EXPECT_EQ(cache.Index().size(), 3);
  // The next load gives up the slot of the next oldest.
  cache.CacheLoad(thumbs[0]);
  EXPECT_EQ(cache.CacheLookup(thumbs[1]), -1);
  EXPECT_EQ(cache.CacheLookup(thumbs[0]), 1);
  EXPECT_EQ(cache.ImageCount(), 3);
}

TEST_F(ThumbCacheTest, AnInvalidatedEntryIsNotFoundAndGivesUpItsSlotFirst) {
  ThumbCache cache(2);
  const QString a = Thumb(QStringLiteral("a.htm.jpg"), Qt::red);
  const QString b = Thumb(QStringLiteral("b.htm.jpg"), Qt::green);
  const QString c = Thumb(QStringLiteral("c.htm.jpg"), Qt::blue);
  cache.CacheLoad(a);
  cache.CacheLoad(b);
  cache.CacheLoad(c);
  cache.CacheInvalidate(b);
  EXPECT_EQ(cache.CacheLookup(b), -1);
  EXPECT_EQ(cache.Index().first(), QStringLiteral("D0000002") + b + QStringLiteral("*1"));
  // Made again and drawn: a new entry with a new number, in the invalidated entry's slot
  // although a is older.
  cache.CacheLoad(b);
  EXPECT_EQ(cache.CacheLookup(b), 1);
  EXPECT_EQ(cache.CacheLookup(a), 0);
  EXPECT_TRUE(cache.Index().contains(QStringLiteral("T0000004") + b + QStringLiteral("*1")));
  EXPECT_FALSE(cache.Index().first().startsWith(QLatin1Char('D')));
}

TEST_F(ThumbCacheTest, InvalidatedThenReloadedWithRoomLeftTakesANewSlot) {
  ThumbCache cache(200);
  const QString a = Thumb(QStringLiteral("a.htm.jpg"), Qt::red);
  cache.CacheLoad(a);
  cache.CacheInvalidate(a);
  cache.CacheLoad(a);
  EXPECT_EQ(cache.CacheLookup(a), 1);
  EXPECT_EQ(cache.Index(), QStringList({QStringLiteral("D0000001") + a + QStringLiteral("*0"),
                                        QStringLiteral("T0000002") + a + QStringLiteral("*1")}));
}

TEST_F(ThumbCacheTest, PathsWithAsterisksKeepTheirSlot) {
  ThumbCache cache(1);
  const QString starred = Thumb(QStringLiteral("a*b*.htm.jpg"), Qt::red);
  const QString plain = Thumb(QStringLiteral("c.htm.jpg"), Qt::green);
  const QString third = Thumb(QStringLiteral("d.htm.jpg"), Qt::blue);
  cache.CacheLoad(plain);
  cache.CacheLoad(starred);
  EXPECT_EQ(cache.CacheLookup(starred), 1);
  cache.CacheInvalidate(starred);
  cache.CacheLoad(third);  // full: the invalidated starred entry's slot is reused
  EXPECT_EQ(cache.CacheLookup(third), 1);
  EXPECT_EQ(cache.CacheLookup(plain), 0);
  EXPECT_TRUE(NearColour(cache.Image(1).pixel(5, 5), Qt::blue));
}

TEST_F(ThumbCacheTest, UnreadableFilesAddNothing) {
  ThumbCache cache(200);
  const QString broken = folder_.Write(QStringLiteral("=web/x.htm.jpg"), "not a jpeg");
  cache.CacheLoad(broken);
  cache.CacheLoad(folder_.path() + QStringLiteral("missing.jpg"));
  EXPECT_EQ(cache.ImageCount(), 0);
  EXPECT_TRUE(cache.Index().isEmpty());
  EXPECT_EQ(cache.CacheLookup(broken), -1);
  EXPECT_TRUE(cache.Image(-1).isNull());
}

}  // namespace
}  // namespace vistrel
