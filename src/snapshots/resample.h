#pragma once

#include <QImage>
#include <QSize>
#include <vector>

namespace vistrel {

// Index of the Lanczos3 entry in the resampling filter table; the only filter offered.
constexpr int kLanczos3Filter = 5;
constexpr double kLanczos3Support = 3.0;

// The Lanczos3 kernel: sinc(x) * sinc(x / 3) inside |x| < 3, else 0. Exactly 0 at the
// non-zero integers, so an unscaled axis is an exact copy.
double Lanczos3(double x);

// Which source pixels make one destination pixel along one axis, and with what weights.
// Indices are already mirrored into the source; weights of exactly 0 are left out.
struct Contributors {
  struct Entry {
    int first = 0;  // into sources/weights
    int count = 0;
  };
  std::vector<Entry> entries;  // one per destination index
  std::vector<int> sources;
  std::vector<int> positions;  // the same taps before mirroring, ascending per entry
  std::vector<float> weights;
};

// The contributors of every destination index for one axis. Scale (dst - 1) / (src - 1),
// or dst / src when either size is 1; centre i / scale; the reach and weights widen by
// 1 / scale when shrinking; weights are not normalised.
Contributors ComputeContributors(int sourceSize, int destinationSize);

// Maps any index into 0..size-1 by reflecting it at the edges (j < 0 -> -j,
// j >= size -> 2 * size - j - 1), repeated until it lands inside, so narrow sources
// never read outside the image.
int MirrorIndex(int index, int size);

// Scales source to size with the Lanczos3 filter: rows into an intermediate image of the
// destination width, then its columns into the destination. Each channel is clamped to
// 0..255 and rounded after each pass. The result is 24 bits per pixel (RGB888); an axis
// whose size does not change is copied exactly. Throws VistrelError("Source bitmap too
// small") for an empty source; an empty size gives a null image.
QImage ResampleBitmap(const QImage& source, const QSize& size);

}  // namespace vistrel
