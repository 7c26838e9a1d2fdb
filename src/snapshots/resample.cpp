#include "snapshots/resample.h"

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>

#include "core/vistrel_error.h"

namespace vistrel {

namespace {

// Four float lanes, one pixel; the compiler maps them to SSE/AVX (or NEON) registers.
typedef float Lanes4 __attribute__((vector_size(16)));
typedef std::int32_t Ints4 __attribute__((vector_size(16)));
typedef std::uint8_t Bytes4 __attribute__((vector_size(4)));

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

// Clamp to 0..255, then to the nearest integer (+0.5 and truncate, exact in that range).
inline Lanes4 RoundToByteRange(Lanes4 value) {
  const Lanes4 low = {0.0f, 0.0f, 0.0f, 0.0f};
  const Lanes4 high = {255.0f, 255.0f, 255.0f, 255.0f};
  const Lanes4 half = {0.5f, 0.5f, 0.5f, 0.5f};
  value = value < low ? low : value;
  value = value > high ? high : value;
  return __builtin_convertvector(__builtin_convertvector(value + half, Ints4), Lanes4);
}

// Rows of an image that both threads write to. Taken once, before the threads start:
// QImage::scanLine() detaches and counts, which is not safe from two threads at once.
struct RowsOut {
  std::uint8_t* bits = nullptr;
  qsizetype stride = 0;
  explicit RowsOut(QImage& image) : bits(image.bits()), stride(image.bytesPerLine()) {}
  std::uint8_t* row(int y) const { return bits + y * stride; }
};

// Where red, green and blue sit in a source pixel of 3 or 4 bytes (the fourth is ignored).
struct PixelLayout {
  int bytesPerPixel = 3;
  int red = 0, green = 1, blue = 2;
};

// Below this many multiply-adds a pass is not worth a second thread.
constexpr double kThreadWork = 1.0e6;

// Runs work(begin, end) over 0..count, split across two threads when it is large enough.
template <typename Work>
void RunSplit(int count, double workUnits, Work work) {
  if (count < 2 || workUnits < kThreadWork || std::thread::hardware_concurrency() < 2) {
    work(0, count);
    return;
  }
  const int middle = count / 2;
  std::thread second;
  try {
    second = std::thread([&] { work(middle, count); });
  } catch (const std::system_error&) {
    work(0, count);  // no thread to be had: do it all here
    return;
  }
  work(0, middle);
  second.join();
}

// The rows pass reads each destination pixel's taps as one run of neighbouring pixels of
// a scan line widened by mirrored pixels on both sides, with each weight in all lanes, so
// the sums need no index lookups.
struct RowSpans {
  int padBefore = 0;
  int padAfter = 0;
  std::vector<int> start;  // first tap, counted in the widened line
  std::vector<int> count;
  std::vector<int> firstWeight;  // into weights
  std::vector<Lanes4> weights;   // each weight in all four lanes; 0 for skipped taps
};

RowSpans MakeRowSpans(const Contributors& plan, int sourceSize) {
  RowSpans spans;
  const size_t entries = plan.entries.size();
  spans.start.resize(entries);
  spans.count.resize(entries);
  spans.firstWeight.resize(entries);
  for (const Contributors::Entry& entry : plan.entries) {
    if (entry.count == 0) continue;
    spans.padBefore = std::max(spans.padBefore, -plan.positions[entry.first]);
    spans.padAfter =
        std::max(spans.padAfter, plan.positions[entry.first + entry.count - 1] - (sourceSize - 1));
  }
  for (size_t i = 0; i < entries; ++i) {
    const Contributors::Entry& entry = plan.entries[i];
    spans.firstWeight[i] = static_cast<int>(spans.weights.size());
    if (entry.count == 0) continue;
    const int from = plan.positions[entry.first];
    const int to = plan.positions[entry.first + entry.count - 1];
    spans.start[i] = from + spans.padBefore;
    spans.count[i] = to - from + 1;
    spans.weights.resize(spans.weights.size() + size_t(spans.count[i]), Lanes4{0, 0, 0, 0});
    Lanes4* weights = spans.weights.data() + spans.firstWeight[i];
    for (int k = 0; k < entry.count; ++k) {
      const float w = plan.weights[entry.first + k];
      weights[plan.positions[entry.first + k] - from] = Lanes4{w, w, w, w};
    }
  }
  return spans;
}

// One source scan line as float lanes in the source's byte order, widened by the mirrored
// pixels the spans reach.
inline void LoadLine(const std::uint8_t* in, int width, int bytesPerPixel, const RowSpans& spans,
                     Lanes4* widened) {
  Lanes4* line = widened + spans.padBefore;
  if (bytesPerPixel == 4) {
    float* out = reinterpret_cast<float*>(line);
    for (int i = 0; i < 4 * width; ++i) out[i] = in[i];
  } else {
    for (int x = 0; x < width; ++x, in += 3)
      line[x] = Lanes4{float(in[0]), float(in[1]), float(in[2]), 0.0f};
  }
  for (int j = -spans.padBefore; j < 0; ++j) line[j] = line[MirrorIndex(j, width)];
  for (int j = width; j < width + spans.padAfter; ++j) line[j] = line[MirrorIndex(j, width)];
}

// The weighted sum of one destination pixel's taps. Four running sums keep the adds from
// waiting on each other.
inline Lanes4 SumTaps(const Lanes4* pixel, const Lanes4* weight, int count) {
  const Lanes4 zero = {0.0f, 0.0f, 0.0f, 0.0f};
  Lanes4 sum0 = zero, sum1 = zero, sum2 = zero, sum3 = zero;
  int k = 0;
  for (; k + 4 <= count; k += 4) {
    sum0 += pixel[k] * weight[k];
    sum1 += pixel[k + 1] * weight[k + 1];
    sum2 += pixel[k + 2] * weight[k + 2];
    sum3 += pixel[k + 3] * weight[k + 3];
  }
  for (; k < count; ++k) sum0 += pixel[k] * weight[k];
  return (sum0 + sum1) + (sum2 + sum3);
}

// One source row into one intermediate row with the given sums.
template <typename Sum>
inline void ScaleRow(Sum sum, const std::uint8_t* in, int width, const PixelLayout& layout,
                     const RowSpans& spans, Lanes4* line, std::uint8_t* out) {
  LoadLine(in, width, layout.bytesPerPixel, spans, line);
  // Locals, because the byte stores below could alias anything the compiler would reload.
  const int entries = static_cast<int>(spans.start.size());
  const int* start = spans.start.data();
  const int* count = spans.count.data();
  const int* firstWeight = spans.firstWeight.data();
  const Lanes4* weights = spans.weights.data();
  const int red = layout.red, green = layout.green, blue = layout.blue;
  for (int i = 0; i < entries; ++i, out += 3) {
    const Lanes4 value = RoundToByteRange(sum(line + start[i], weights + firstWeight[i], count[i]));
    out[0] = static_cast<std::uint8_t>(value[red]);
    out[1] = static_cast<std::uint8_t>(value[green]);
    out[2] = static_cast<std::uint8_t>(value[blue]);
  }
}

void ScaleRowPlain(const std::uint8_t* in, int width, const PixelLayout& layout,
                   const RowSpans& spans, Lanes4* line, std::uint8_t* out) {
  ScaleRow(SumTaps, in, width, layout, spans, line, out);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define VISTREL_AVX2_ROWS 1
// The same sums with eight-lane registers, two pixels per step, where the processor has AVX2.
__attribute__((target("avx2"))) inline Lanes4 SumTapsAvx2(const Lanes4* pixel, const Lanes4* weight,
                                                          int count) {
  typedef float Lanes8 __attribute__((vector_size(32)));
  Lanes8 sum0 = {}, sum1 = {};
  int k = 0;
  for (; k + 4 <= count; k += 4) {
    Lanes8 p0, w0, p1, w1;
    std::memcpy(&p0, pixel + k, sizeof p0);
    std::memcpy(&w0, weight + k, sizeof w0);
    std::memcpy(&p1, pixel + k + 2, sizeof p1);
    std::memcpy(&w1, weight + k + 2, sizeof w1);
    sum0 += p0 * w0;
    sum1 += p1 * w1;
  }
  const Lanes8 both = sum0 + sum1;
  Lanes4 sum =
      Lanes4{both[0], both[1], both[2], both[3]} + Lanes4{both[4], both[5], both[6], both[7]};
  for (; k < count; ++k) sum += pixel[k] * weight[k];
  return sum;
}

__attribute__((target("avx2"))) void ScaleRowAvx2(const std::uint8_t* in, int width,
                                                  const PixelLayout& layout, const RowSpans& spans,
                                                  Lanes4* line, std::uint8_t* out) {
  ScaleRow(SumTapsAvx2, in, width, layout, spans, line, out);
}
#endif

using RowScaler = void (*)(const std::uint8_t*, int, const PixelLayout&, const RowSpans&, Lanes4*,
                           std::uint8_t*);

// VISTREL_RESAMPLE_PLAIN=1 keeps to the portable sums in both passes (to compare them).
RowScaler ChooseRowScaler() {
#ifdef VISTREL_AVX2_ROWS
  if (__builtin_cpu_supports("avx2") && qEnvironmentVariableIntValue("VISTREL_RESAMPLE_PLAIN") != 1)
    return ScaleRowAvx2;
#endif
  return ScaleRowPlain;
}

// Rows pass: source rows [begin, end) into the intermediate image (RGB888, destination
// width).
void ScaleRows(const QImage& source, const PixelLayout& layout, const RowSpans& spans,
               RowScaler scaleRow, const RowsOut& intermediate, int begin, int end) {
  const int width = source.width();
  std::vector<Lanes4> line(size_t(spans.padBefore) + size_t(width) + size_t(spans.padAfter));
  for (int y = begin; y < end; ++y)
    scaleRow(source.constScanLine(y), width, layout, spans, line.data(), intermediate.row(y));
}

// One weighted intermediate row added to the running sums of a destination row.
inline void AddRow(const std::uint8_t* row, float weight, int values, float* sum) {
  for (int i = 0; i < values; ++i) sum[i] += weight * float(row[i]);
}

void AddRowPlain(const std::uint8_t* row, float weight, int values, float* sum) {
  AddRow(row, weight, values, sum);
}

#ifdef VISTREL_AVX2_ROWS
__attribute__((target("avx2"))) void AddRowAvx2(const std::uint8_t* row, float weight, int values,
                                                float* sum) {
  AddRow(row, weight, values, sum);
}
#endif

using RowAdder = void (*)(const std::uint8_t*, float, int, float*);

RowAdder ChooseRowAdder() {
#ifdef VISTREL_AVX2_ROWS
  if (ChooseRowScaler() == ScaleRowAvx2) return AddRowAvx2;
#endif
  return AddRowPlain;
}

// Columns pass: destination rows [begin, end) from the intermediate rows.
void ScaleColumns(const QImage& intermediate, const Contributors& plan, RowAdder addRow,
                  const RowsOut& destination, int begin, int end) {
  const int values = intermediate.width() * 3;
  std::vector<float> sums(static_cast<size_t>(values));
  float* sum = sums.data();
  for (int y = begin; y < end; ++y) {
    std::fill(sums.begin(), sums.end(), 0.0f);
    const Contributors::Entry& entry = plan.entries[y];
    for (int k = 0; k < entry.count; ++k)
      addRow(intermediate.constScanLine(plan.sources[entry.first + k]),
             plan.weights[entry.first + k], values, sum);
    std::uint8_t* out = destination.row(y);
    int i = 0;
    for (; i + 4 <= values; i += 4) {
      Lanes4 four;
      std::memcpy(&four, sum + i, sizeof four);
      const Bytes4 bytes = __builtin_convertvector(RoundToByteRange(four), Bytes4);
      std::memcpy(out + i, &bytes, sizeof bytes);
    }
    for (; i < values; ++i) {
      const float v = std::min(std::max(sum[i], 0.0f), 255.0f);
      // v is never negative here, and half up is the rounding the stored pictures were made with.
      // NOLINTNEXTLINE(bugprone-incorrect-roundings)
      out[i] = static_cast<std::uint8_t>(static_cast<int>(v + 0.5f));
    }
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
      plan.positions.push_back(j);
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

  // The intermediate image: destination width, source height.
  QImage intermediate;
  if (srcW == dstW) {
    intermediate = source.convertToFormat(QImage::Format_RGB888);
  } else {
    PixelLayout layout;
    const QImage direct = DirectSource(source, &layout);
    intermediate = QImage(dstW, srcH, QImage::Format_RGB888);
    if (intermediate.isNull()) throw VistrelError(QStringLiteral("Out of memory"));
    const RowSpans rows = MakeRowSpans(ComputeContributors(srcW, dstW), srcW);
    const RowScaler scaleRow = ChooseRowScaler();
    const RowsOut out(intermediate);
    RunSplit(srcH, double(srcH) * double(rows.weights.size()), [&](int begin, int end) {
      ScaleRows(direct, layout, rows, scaleRow, out, begin, end);
    });
  }
  if (srcH == dstH) return intermediate;

  QImage destination(dstW, dstH, QImage::Format_RGB888);
  if (destination.isNull()) throw VistrelError(QStringLiteral("Out of memory"));
  const Contributors columns = ComputeContributors(srcH, dstH);
  const RowsOut out(destination);
  const RowAdder addRow = ChooseRowAdder();
  RunSplit(dstH, 3.0 * dstW * double(columns.weights.size()), [&](int begin, int end) {
    ScaleColumns(intermediate, columns, addRow, out, begin, end);
  });
  return destination;
}

}  // namespace vistrel
