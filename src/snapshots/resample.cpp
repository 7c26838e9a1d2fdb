#include "snapshots/resample.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>

#include "app/core/vistrel_error.h"

namespace vistrel {

namespace {

// Four float lanes; the compiler maps them to SSE/AVX registers (or NEON elsewhere).
typedef float Lanes4 __attribute__((vector_size(16)));
typedef float Lanes8 __attribute__((vector_size(32)));
typedef std::uint8_t Bytes4 __attribute__((vector_size(4)));
typedef std::uint8_t Bytes8 __attribute__((vector_size(8)));
typedef std::int32_t Ints8 __attribute__((vector_size(32)));

constexpr double kPi = 3.14159265358979323846;

// sin(pi x), exactly 0 at the integers.
double SinPi(double x) {
  if (x == std::floor(x)) return 0.0;
  return std::sin(kPi * x);
}

double Sinc(double x) {
  if (x == 0.0) return 1.0;
  return SinPi(x) / (kPi * x);
}

// Clamp to 0..255, then to the nearest integer.
inline std::uint8_t ToByte(float value) {
  if (value >= 255.0f) return 255;
  if (value <= 0.0f) return 0;
  return static_cast<std::uint8_t>(value + 0.5f);
}

// How a source scan line is laid out in memory, and where red, green and blue sit.
struct PixelLayout {
  int bytesPerPixel = 3;
  int red = 0, green = 1, blue = 2;
};

// Below this many multiply-adds a pass is not worth a second thread.
constexpr double kThreadWork = 2.0e6;

// Runs work(begin, end) over 0..count, split across two threads when it is large enough.
template <typename Work>
void RunSplit(int count, double workUnits, Work work) {
  if (count < 2 || workUnits < kThreadWork || std::thread::hardware_concurrency() < 2) {
    work(0, count);
    return;
  }
  const int middle = count / 2;
  std::thread second([&] { work(middle, count); });
  work(0, middle);
  second.join();
}

// Rows pass: every source row in [begin, end) into the intermediate rows (RGB888).
void ScaleRows(const QImage& source, const PixelLayout& layout, const Contributors& plan,
               std::uint8_t* intermediate, qsizetype intermediateStride, int begin, int end) {
  const int width = source.width();
  std::vector<Lanes4> line(static_cast<size_t>(width));
  const int* sources = plan.sources.data();
  const float* weights = plan.weights.data();
  for (int y = begin; y < end; ++y) {
    const std::uint8_t* in = source.constScanLine(y);
    if (layout.bytesPerPixel == 4) {
      for (int x = 0; x < width; ++x) {
        Bytes4 bytes;
        std::memcpy(&bytes, in + 4 * x, 4);
        line[x] = __builtin_convertvector(bytes, Lanes4);
      }
    } else {
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = in + 3 * x;
        line[x] = Lanes4{float(p[0]), float(p[1]), float(p[2]), 0.0f};
      }
    }
    std::uint8_t* out = intermediate + y * intermediateStride;
    for (const Contributors::Entry& entry : plan.entries) {
      Lanes4 sum = {0.0f, 0.0f, 0.0f, 0.0f};
      const int* index = sources + entry.first;
      const float* weight = weights + entry.first;
      for (int k = 0; k < entry.count; ++k) sum += line[index[k]] * weight[k];
      out[0] = ToByte(sum[layout.red]);
      out[1] = ToByte(sum[layout.green]);
      out[2] = ToByte(sum[layout.blue]);
      out += 3;
    }
  }
}

// Columns pass: destination rows [begin, end) from the intermediate rows, eight channel
// values at a time along the row.
void ScaleColumns(const std::uint8_t* intermediate, qsizetype intermediateStride,
                  int rowBytes, const Contributors& plan, QImage* destination, int begin,
                  int end) {
  const int blocks = rowBytes / 8;
  std::vector<Lanes8> sums(static_cast<size_t>(blocks) + 1);
  std::vector<float> tail(8);
  const Lanes8 zero = {};
  const Lanes8 low = {0, 0, 0, 0, 0, 0, 0, 0};
  const Lanes8 high = {255, 255, 255, 255, 255, 255, 255, 255};
  const Lanes8 half = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
  for (int y = begin; y < end; ++y) {
    std::fill(sums.begin(), sums.end(), zero);
    std::fill(tail.begin(), tail.end(), 0.0f);
    const Contributors::Entry& entry = plan.entries[y];
    for (int k = 0; k < entry.count; ++k) {
      const std::uint8_t* row = intermediate + plan.sources[entry.first + k] * intermediateStride;
      const float w = plan.weights[entry.first + k];
      for (int b = 0; b < blocks; ++b) {
        Bytes8 bytes;
        std::memcpy(&bytes, row + 8 * b, 8);
        sums[b] += __builtin_convertvector(bytes, Lanes8) * w;
      }
      for (int i = 8 * blocks; i < rowBytes; ++i) tail[i - 8 * blocks] += row[i] * w;
    }
    std::uint8_t* out = destination->scanLine(y);
    for (int b = 0; b < blocks; ++b) {
      // Clamp, then +0.5 and truncate: rounding to nearest for the values 0..255.
      Lanes8 v = sums[b];
      v = v < low ? low : v;
      v = v > high ? high : v;
      const Ints8 rounded = __builtin_convertvector(v + half, Ints8);
      for (int i = 0; i < 8; ++i) out[8 * b + i] = static_cast<std::uint8_t>(rounded[i]);
    }
    for (int i = 8 * blocks; i < rowBytes; ++i) out[i] = ToByte(tail[i - 8 * blocks]);
  }
}

// Reads the source directly when its bytes are already red, green, blue (and a fourth
// byte that is ignored); anything else is converted to 24 bits first.
QImage DirectSource(const QImage& source, PixelLayout* layout) {
  switch (source.format()) {
    case QImage::Format_RGB888:
      *layout = PixelLayout{3, 0, 1, 2};
      return source;
    case QImage::Format_BGR888:
      *layout = PixelLayout{3, 2, 1, 0};
      return source;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      // 0xAARRGGBB in native order.
      *layout = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PixelLayout{4, 2, 1, 0} : PixelLayout{4, 1, 2, 3};
      return source;
    case QImage::Format_RGBX8888:
    case QImage::Format_RGBA8888:
      *layout = PixelLayout{4, 0, 1, 2};
      return source;
    default:
      *layout = PixelLayout{3, 0, 1, 2};
      return source.convertToFormat(QImage::Format_RGB888);
  }
}

}  // namespace

double Lanczos3(double x) {
  if (std::fabs(x) >= kLanczos3Support) return 0.0;
  return Sinc(x) * Sinc(x / kLanczos3Support);
}

int MirrorIndex(int index, int size) {
  if (size <= 1) return 0;
  // The two reflections together repeat every 2 * size - 1 indices; fold far ones first.
  const int period = 2 * size - 1;
  if (index < -period || index >= period) index %= period;
  while (index < 0 || index >= size) {
    if (index < 0) index = -index;
    if (index >= size) index = 2 * size - index - 1;
  }
  return index;
}

Contributors ComputeContributors(int sourceSize, int destinationSize) {
  Contributors plan;
  if (sourceSize < 1 || destinationSize < 1) return plan;
  // A one-pixel destination would make (dst - 1) / (src - 1) zero and every centre
  // undefined; it takes the same rule as a one-pixel source.
  const double scale = (sourceSize == 1 || destinationSize == 1)
                           ? double(destinationSize) / sourceSize
                           : double(destinationSize - 1) / (sourceSize - 1);
  const bool shrinking = scale < 1.0;
  const double reach = shrinking ? kLanczos3Support / scale : kLanczos3Support;
  plan.entries.resize(static_cast<size_t>(destinationSize));
  for (int i = 0; i < destinationSize; ++i) {
    const double centre = i / scale;
    const int from = static_cast<int>(std::floor(centre - reach));
    const int to = static_cast<int>(std::ceil(centre + reach));
    Contributors::Entry& entry = plan.entries[i];
    entry.first = static_cast<int>(plan.sources.size());
    for (int j = from; j <= to; ++j) {
      const double weight =
          shrinking ? Lanczos3((centre - j) * scale) * scale : Lanczos3(centre - j);
      if (weight == 0.0) continue;
      plan.sources.push_back(MirrorIndex(j, sourceSize));
      plan.weights.push_back(static_cast<float>(weight));
    }
    entry.count = static_cast<int>(plan.sources.size()) - entry.first;
  }
  return plan;
}

QImage ResampleBitmap(const QImage& source, const QSize& size) {
  if (source.width() < 1 || source.height() < 1)
    throw VistrelError(QStringLiteral("Source bitmap too small"));
  if (size.width() < 1 || size.height() < 1) return QImage();

  const int srcW = source.width(), srcH = source.height();
  const int dstW = size.width(), dstH = size.height();
  if (srcW == dstW && srcH == dstH) return source.convertToFormat(QImage::Format_RGB888);

  PixelLayout layout;
  const QImage direct = DirectSource(source, &layout);

  // The intermediate image: destination width, source height.
  QImage intermediate;
  if (srcW == dstW) {
    intermediate = direct.convertToFormat(QImage::Format_RGB888);
  } else {
    intermediate = QImage(dstW, srcH, QImage::Format_RGB888);
    if (intermediate.isNull()) throw VistrelError(QStringLiteral("Out of memory"));
    const Contributors rows = ComputeContributors(srcW, dstW);
    std::uint8_t* bits = intermediate.bits();
    const qsizetype stride = intermediate.bytesPerLine();
    RunSplit(srcH, double(srcH) * double(rows.weights.size()), [&](int begin, int end) {
      ScaleRows(direct, layout, rows, bits, stride, begin, end);
    });
  }
  if (srcH == dstH) return intermediate;

  QImage destination(dstW, dstH, QImage::Format_RGB888);
  if (destination.isNull()) throw VistrelError(QStringLiteral("Out of memory"));
  const Contributors columns = ComputeContributors(srcH, dstH);
  const std::uint8_t* bits = intermediate.constBits();
  const qsizetype stride = intermediate.bytesPerLine();
  RunSplit(dstH, double(dstW) * 3.0 * double(columns.weights.size()), [&](int begin, int end) {
    ScaleColumns(bits, stride, dstW * 3, columns, &destination, begin, end);
  });
  return destination;
}

}  // namespace vistrel
