#include <gtest/gtest.h>

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "editor/layout_cache.h"

namespace vistrel {
namespace {

int CachedBlocks(const QTextDocument& document) {
  int cached = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    cached += block.layout()->cacheEnabled() ? 1 : 0;
  return cached;
}

bool AllCached(const QTextDocument& document, int first, int count) {
  QTextBlock block = document.findBlockByNumber(first);
  for (int i = 0; i < count && block.isValid(); ++i, block = block.next())
    if (!block.layout()->cacheEnabled()) return false;
  return true;
}

TEST(LayoutCacheTest, ScrollingKeepsTheShownBlocksAndNoMoreThanTheCapacity) {
  QTextDocument document;
  document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
  QStringList lines;
  for (int i = 0; i < 1000; ++i) lines << QStringLiteral("<p>line %1</p>").arg(i);
  document.setPlainText(lines.join(u'\n'));
  LayoutCache cache(100);
  for (int first = 0; first < 1000; first += 7) {
    cache.Show(&document, document.findBlockByNumber(first), 40);
    ASSERT_TRUE(AllCached(document, first, 40)) << first;
    ASSERT_LE(CachedBlocks(document), 100) << first;
  }
  // Back up over blocks given back: they are kept again.
  cache.Show(&document, document.findBlockByNumber(10), 40);
  EXPECT_TRUE(AllCached(document, 10, 40));
  EXPECT_LE(cache.size(), 100);

  // Blocks removed above shift the numbers held; the bound on what is held stays.
  QTextCursor cursor(&document);
  cursor.setPosition(document.findBlockByNumber(500).position(), QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  for (int first = 0; first < 500; first += 13) {
    cache.Show(&document, document.findBlockByNumber(first), 40);
    ASSERT_TRUE(AllCached(document, first, 40)) << first;
  }
  EXPECT_LE(cache.size(), 100);

  // A new text: numbers past its end are passed over.
  document.setPlainText(QStringLiteral("one\ntwo"));
  cache.Show(&document, document.begin(), 40);
  EXPECT_TRUE(AllCached(document, 0, 2));
}

}  // namespace
}  // namespace vistrel
