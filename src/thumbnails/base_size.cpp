#include "thumbnails/base_size.h"

namespace vistrel {

namespace {
constexpr int kSizes[kBaseSizeCount][2] = {{160, 120}, {320, 240},  {480, 360},  {640, 480},
                                           {800, 600}, {1024, 768}, {1600, 1200}};
}  // namespace

QSize BaseSizeOf(int index) {
  if (index < 0 || index >= kBaseSizeCount) return {};
  return QSize(kSizes[index][0], kSizes[index][1]);
}

QString BaseSizeCaption(int index) {
  const QSize size = BaseSizeOf(index);
  if (!size.isValid()) return {};
  return QStringLiteral("Thumbs Base: %1x%2").arg(size.width()).arg(size.height());
}

}  // namespace vistrel
