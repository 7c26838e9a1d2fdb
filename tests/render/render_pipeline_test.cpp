#include <csignal>
#include <unistd.h>

#include "core/vistrel_error.h"
#include "render/offscreen_page.h"
#include "render/offscreen_scope.h"
#include "render/render_pipeline.h"
#include "render/result_order.h"
#include "render_fixture.h"

namespace vistrel::testing {
namespace {

// A page whose script never ends before anything is drawn.
const char kNeverPage[] = "<body style=\"background:#00f\"><script>for(;;){}</script>";

struct Delivered {
  std::vector<int> indexes;
  std::vector<PageResult> results;
  int startedBeforeFirst = 0;  // files started before the first result came out
};

class RenderPipelineTest : public RenderTest {
 protected:
  PipelineOptions Options(int pages, int timeoutMs) {
    PipelineOptions options;
    options.renderSize = QSize(160, 120);
    options.pages = pages;
    options.timeoutMs = timeoutMs;
    return options;
  }

  // Runs files, keeping every delivered result (the capture itself is the result image).
  Delivered Run(RenderPipeline& pipeline, const QStringList& files, PipelineHooks hooks = {}) {
    Delivered delivered;
    hooks.admit = [&delivered, admit = hooks.admit](int index, const QString& file) {
      if (delivered.results.empty()) ++delivered.startedBeforeFirst;
      return !admit || admit(index, file);
    };
    hooks.finish = [](int, const QString&, const QImage& capture) {
      return FinishedPage{capture, {}};
    };
    hooks.deliver = [&](int index, const PageResult& result) {
      delivered.indexes.push_back(index);
      delivered.results.push_back(result);
      return true;
    };
    const int given = pipeline.Run(files, hooks);
    EXPECT_EQ(given, int(delivered.results.size()));
    return delivered;
  }

  QString Coloured(const char* name, const char* colour) {
    return folder_.Write(QLatin1String(name), ColouredPage(colour));
  }
};

TEST(ResultOrder, GivesResultsOutInOrderAndStartsAtMostAWindowAhead) {
  ResultOrder order(5, 2);
  EXPECT_EQ(order.NextToStart(), 0);
  order.Started();
  order.Started();
  EXPECT_EQ(order.NextToStart(), -1) << "two started and none given: the window is full";
  order.Ready(1);
  EXPECT_EQ(order.NextToGive(), -1) << "item 1 must wait for item 0";
  order.Ready(0);
  EXPECT_EQ(order.NextToGive(), 0);
  order.Given();
  EXPECT_EQ(order.NextToGive(), 1);
  order.Given();
  EXPECT_EQ(order.NextToGive(), -1);
  EXPECT_EQ(order.NextToStart(), 2);
  order.Started();
  order.EndAt(3);
  EXPECT_EQ(order.NextToStart(), -1) << "nothing starts past the end";
  order.Ready(2);
  order.Given();
  EXPECT_TRUE(order.AllGiven());
  EXPECT_EQ(order.GivenCount(), 3);
}

TEST_F(RenderPipelineTest, ResultsComeInTheOrderOfTheFilesWithTheirOwnPixels) {
  RenderPipeline pipeline(Profile());
  pipeline.SetOptions(Options(3, 15000));
  QStringList files;
  std::vector<QColor> colours;
  const char* names[] = {"#ff0000", "#00ff00", "#0000ff", "#ffff00", "#00ffff", "#ff00ff"};
  for (int i = 0; i < 6; ++i) {
    files << folder_.Write(QStringLiteral("p%1.htm").arg(i), ColouredPage(names[i]));
    colours.emplace_back(QLatin1String(names[i]));
  }
  files.insert(2, folder_.path() + QStringLiteral("gone.htm"));
  colours.insert(colours.begin() + 2, QColor());
  const Delivered delivered = Run(pipeline, files);
  ASSERT_EQ(delivered.results.size(), size_t(files.size()));
  for (int i = 0; i < files.size(); ++i) {
    const PageResult& result = delivered.results[size_t(i)];
    EXPECT_EQ(delivered.indexes[size_t(i)], i);
    EXPECT_EQ(result.file, files.at(i));
    if (i == 2) {
      EXPECT_TRUE(result.image.isNull());
      EXPECT_EQ(result.error, QStringLiteral("Can't locate file: ") + files.at(i));
      continue;
    }
    EXPECT_EQ(result.paint, PaintOutcome::kPainted) << i;
    ASSERT_EQ(result.image.size(), QSize(160, 120)) << i;
    EXPECT_EQ(PixelAt(result.image, 150, 110), colours[size_t(i)]) << i;
  }
  // The pages are kept for the next batch, never more than asked for.
  EXPECT_EQ(pipeline.RenderProcessIds().size(), size_t(3));
}

TEST_F(RenderPipelineTest, APageThatPaintedNothingNeverGetsAnotherPagesPixels) {
  RenderPipeline pipeline(Profile());
  // One page: the endless page is loaded into the very view that shows the first one.
  pipeline.SetOptions(Options(1, 1500));
  const QStringList files{Coloured("ok1.htm", "#ff0000"),
                          folder_.Write(QStringLiteral("never.htm"), kNeverPage),
                          Coloured("ok2.htm", "#00ff00")};
  const Delivered delivered = Run(pipeline, files);
  ASSERT_EQ(delivered.results.size(), size_t(3));
  EXPECT_EQ(PixelAt(delivered.results[0].image, 80, 60), QColor(255, 0, 0));
  const PageResult& never = delivered.results[1];
  EXPECT_EQ(never.paint, PaintOutcome::kNothingPainted);
  EXPECT_TRUE(never.image.isNull()) << "the first page's pixels were taken for it";
  EXPECT_FALSE(never.error.isEmpty());
  EXPECT_EQ(delivered.results[2].paint, PaintOutcome::kPainted);
  EXPECT_EQ(PixelAt(delivered.results[2].image, 80, 60), QColor(0, 255, 0));
}

TEST_F(RenderPipelineTest, APageThatTimesOutIsTakenAsPaintedAndHoldsOnlyItsSlot) {
  // Three frames after it starts, its script loops for ever: it has drawn by then.
  const QString hangs = folder_.Write(
      QStringLiteral("hangs.htm"),
      "<body style='margin:0;background:#00ff00'><p>x</p><script>"
      "requestAnimationFrame(() => requestAnimationFrame(() => requestAnimationFrame(() => {"
      "for(;;){}})));</script>");
  RenderPipeline pipeline(Profile());
  pipeline.SetOptions(Options(2, 2000));
  QStringList files{hangs};
  for (int i = 0; i < 4; ++i)
    files << folder_.Write(QStringLiteral("ok%1.htm").arg(i), ColouredPage("#0000ff"));
  const Delivered delivered = Run(pipeline, files);
  ASSERT_EQ(delivered.results.size(), size_t(5));
  // Whether the page answered before its script took over depends on the engine's frames; a
  // page that did not answer is captured as painted, and while it waited for its timeout the
  // other slot went on with the next ones, as far as the results waiting for it may pile up.
  EXPECT_EQ(PixelAt(delivered.results[0].image, 150, 110), QColor(0, 255, 0));
  if (delivered.results[0].paint == PaintOutcome::kTimedOut)
    EXPECT_EQ(delivered.startedBeforeFirst, 4);
  else
    EXPECT_EQ(delivered.results[0].paint, PaintOutcome::kPainted);
  for (size_t i = 1; i < 5; ++i) {
    EXPECT_EQ(delivered.results[i].paint, PaintOutcome::kPainted) << i;
    EXPECT_EQ(PixelAt(delivered.results[i].image, 150, 110), QColor(0, 0, 255)) << i;
  }
}

TEST_F(RenderPipelineTest, StopEndsTheBatchInTheMiddleOfAPage) {
  RenderPipeline pipeline(Profile());
  // Far longer than the test may take: only the stop can end this page.
  pipeline.SetOptions(Options(1, 600000));
  const QStringList files{folder_.Write(QStringLiteral("never.htm"), kNeverPage),
                          Coloured("ok.htm", "#ff0000")};
  int asked = 0;
  PipelineHooks hooks;
  hooks.stopAsked = [&] { return ++asked >= 3; };
  const Delivered delivered = Run(pipeline, files, hooks);
  EXPECT_TRUE(delivered.results.empty());
  EXPECT_GE(asked, 3);
  EXPECT_FALSE(OffscreenRenderRunning());

  // The pipeline is fit for the next batch, with the hung renderer gone.
  pipeline.SetOptions(Options(1, 15000));
  const Delivered next = Run(pipeline, {files.at(1)});
  ASSERT_EQ(next.results.size(), size_t(1));
  EXPECT_EQ(PixelAt(next.results[0].image, 80, 60), QColor(255, 0, 0));
}

TEST_F(RenderPipelineTest, ARenderProcessKilledMidBatchIsReportedAndTheNextPageRendersAnew) {
  RenderPipeline pipeline(Profile());
  pipeline.SetOptions(Options(1, 600000));
  const QStringList files{folder_.Write(QStringLiteral("never.htm"), kNeverPage),
                          Coloured("ok1.htm", "#ff0000"), Coloured("ok2.htm", "#0000ff")};
  qint64 killed = 0;
  PipelineHooks hooks;
  // Asked while the endless page loads: the place to kill its renderer from outside.
  hooks.stopAsked = [&] {
    const qint64 pid = pipeline.RenderProcessIds().at(0);
    if (killed == 0 && pid > 0) {
      killed = pid;
      ::kill(pid_t(pid), SIGKILL);
    }
    return false;
  };
  const Delivered delivered = Run(pipeline, files, hooks);
  ASSERT_NE(killed, 0);
  ASSERT_EQ(delivered.results.size(), size_t(3));
  EXPECT_EQ(delivered.results[0].paint, PaintOutcome::kRendererEnded);
  EXPECT_TRUE(delivered.results[0].image.isNull());
  EXPECT_FALSE(delivered.results[0].error.isEmpty());
  EXPECT_EQ(PixelAt(delivered.results[1].image, 80, 60), QColor(255, 0, 0));
  EXPECT_EQ(PixelAt(delivered.results[2].image, 80, 60), QColor(0, 0, 255));
  EXPECT_NE(pipeline.RenderProcessIds().at(0), killed);
}

TEST_F(RenderPipelineTest, ASecondRenderStartedFromARunningOneIsRefused) {
  RenderPipeline pipeline(Profile());
  pipeline.SetOptions(Options(2, 15000));
  OffscreenPage single(Profile(), QSize(100, 80));
  const QString page = Coloured("a.htm", "#ff0000");
  int refusals = 0;
  PipelineHooks hooks;
  hooks.admit = [&](int, const QString&) {
    EXPECT_TRUE(OffscreenRenderRunning());
    try {
      pipeline.Run({page}, {});
    } catch (const VistrelError& error) {
      EXPECT_EQ(error.message(), QLatin1String(kRenderRunning));
      ++refusals;
    }
    try {
      single.Load(page);
    } catch (const VistrelError&) {
      ++refusals;
    }
    return true;
  };
  const Delivered delivered = Run(pipeline, {page, page}, hooks);
  EXPECT_EQ(refusals, 4);
  EXPECT_EQ(delivered.results.size(), size_t(2));
  EXPECT_FALSE(OffscreenRenderRunning());
  EXPECT_EQ(single.Load(page), PaintOutcome::kPainted) << "the guard is given back";
}

}  // namespace
}  // namespace vistrel::testing
