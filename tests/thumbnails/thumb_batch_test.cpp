#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "render/browser_profile.h"
#include "snapshots/image_files.h"
#include "thumb_fixture.h"
#include "thumbnails/offscreen_capture.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_store.h"

namespace vistrel {
namespace {

using testing::NearColour;
using testing::TempFolder;

const char kNeverPage[] = "<body style=\"background:#00f\"><script>for(;;){}</script>";

QByteArray Coloured(const char* colour) {
  return QByteArray("<html><body style='margin:0;background:") + colour + "'></body></html>";
}

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Done {
  QList<int> order;
  QList<ThumbOutcome> outcomes;
};

ThumbBatchHooks Recording(Done& done) {
  ThumbBatchHooks hooks;
  hooks.done = [&done](int index, const QString&, const ThumbOutcome& outcome) {
    done.order << index;
    done.outcomes << outcome;
    return true;
  };
  return hooks;
}

// Pages of the kinds a site has: text, tables, pictures, colours.
QStringList VariedPages(TempFolder& pages) {
  QStringList files;
  files << pages.Write(QStringLiteral("text.htm"),
                       "<html><body><h1>Heading</h1><p>Some <b>bold</b> and <i>italic</i> "
                       "words that wrap over more than one line of the page.</p></body></html>");
  files << pages.Write(QStringLiteral("table.htm"),
                       "<table border=1><tr><th>a</th><th>b</th></tr>"
                       "<tr><td>1</td><td style='background:#c00'>2</td></tr></table>");
  files << pages.Write(QStringLiteral("picture.htm"),
                       "<svg width=200 height=120><circle cx=60 cy=60 r=50 fill=green />"
                       "<rect x=120 y=10 width=70 height=100 fill=navy /></svg>");
  files << pages.Write(QStringLiteral("orange.htm"), Coloured("#ff8000"));
  files << pages.Write(QStringLiteral("sub/list.htm"),
                       "<ul><li>one</li><li>two</li><li>three</li></ul>");
  return files;
}

class ThumbBatchTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() { profile_ = std::make_unique<BrowserProfile>(); }
  static void TearDownTestSuite() { profile_.reset(); }

 protected:
  static std::unique_ptr<BrowserProfile> profile_;
  TempFolder pages_;
  TempFolder home_;
  ThumbCache cache_{200};
};
std::unique_ptr<BrowserProfile> ThumbBatchTest::profile_;

TEST_F(ThumbBatchTest, ThumbnailsMadeSideBySideAreByteIdenticalToThoseMadeOneAtATime) {
  const QStringList files = VariedPages(pages_);
  OffscreenCapture single(*profile_);
  ThumbStore one(home_.path() + QStringLiteral("ONE/"), cache_, single.AsPageCapture());
  one.SetRenderSize(QSize(320, 240));
  for (const QString& file : files) ASSERT_TRUE(one.MakeThumb(file)) << file.toStdString();

  OffscreenCapture parallel(*profile_);
  parallel.SetPagesInFlight(3);
  ThumbStore many(home_.path() + QStringLiteral("MANY/"), cache_, parallel.AsPageCapture());
  many.SetRenderSize(QSize(320, 240));
  Done done;
  EXPECT_EQ(many.MakeThumbs(files, Recording(done)), files.size());
  EXPECT_EQ(done.order, (QList<int>{0, 1, 2, 3, 4}));
  for (int i = 0; i < files.size(); ++i) {
    EXPECT_TRUE(done.outcomes[i].made) << i;
    const QByteArray expected = Bytes(one.ThumbOf(files.at(i)));
    ASSERT_FALSE(expected.isEmpty()) << i;
    EXPECT_EQ(Bytes(many.ThumbOf(files.at(i))), expected) << files.at(i).toStdString();
  }
}

TEST_F(ThumbBatchTest, APageThatPaintedNothingGetsNoThumbnailAndTheOthersTheirOwn) {
  OffscreenCapture capture(*profile_);
  capture.SetTimeout(1500);
  capture.SetPagesInFlight(1);  // the endless page comes into the view that showed ok1
  ThumbStore store(home_.path() + QStringLiteral("THUMBS/"), cache_, capture.AsPageCapture());
  store.SetRenderSize(QSize(160, 120));
  const QStringList files{pages_.Write(QStringLiteral("ok1.htm"), Coloured("#ff0000")),
                          pages_.Write(QStringLiteral("never.htm"), kNeverPage),
                          pages_.Write(QStringLiteral("ok2.htm"), Coloured("#00ff00")),
                          pages_.path() + QStringLiteral("gone.htm")};
  Done done;
  EXPECT_EQ(store.MakeThumbs(files, Recording(done)), 4);
  ASSERT_EQ(done.outcomes.size(), 4);
  EXPECT_TRUE(done.outcomes[0].made);
  EXPECT_FALSE(done.outcomes[1].made);
  EXPECT_FALSE(done.outcomes[1].problem.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(store.ThumbOf(files.at(1))));
  EXPECT_TRUE(done.outcomes[2].made);
  EXPECT_FALSE(done.outcomes[3].made);
  EXPECT_TRUE(done.outcomes[3].problem.isEmpty()) << "a missing file is skipped silently";
  EXPECT_TRUE(NearColour(ReadImageFile(store.ThumbOf(files.at(0))).pixel(65, 50), Qt::red));
  EXPECT_TRUE(NearColour(ReadImageFile(store.ThumbOf(files.at(2))).pixel(65, 50), Qt::green));
}

TEST(ThumbBatchOneByOne, ACaptureWithoutBatchesMakesThemInTurnAndARefusalEndsThere) {
  TempFolder pages, home;
  ThumbCache cache(20);
  QStringList captured;
  ThumbStore store(home.path(), cache, [&captured](const QString& file, QSize size) {
    captured << file;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    return image;
  });
  store.SetRenderSize(QSize(200, 150));
  QStringList files;
  for (int i = 0; i < 4; ++i) files << pages.Write(QStringLiteral("p%1.htm").arg(i), "x");
  Done done;
  ThumbBatchHooks hooks = Recording(done);
  hooks.admit = [](int index, const QString&) { return index < 3; };
  EXPECT_EQ(store.MakeThumbs(files, hooks), 3);
  EXPECT_EQ(done.order, (QList<int>{0, 1, 2}));
  EXPECT_EQ(captured, files.mid(0, 3));
  EXPECT_TRUE(NearColour(ReadImageFile(store.ThumbOf(files.at(2))).pixel(0, 0), Qt::yellow));
  EXPECT_FALSE(QFileInfo::exists(store.ThumbOf(files.at(3))));
}

}  // namespace
}  // namespace vistrel
