#pragma once

#include <QString>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vistrel {

// The end of the run of "plain" code units from `from` on: a unit u is plain when
// char16_t(u - low) < count. The formatter's loops pass such runs in bulk and look only at
// the few units that matter (blanks, quotes, brackets, surrogates); eight at a time where
// the processor allows.
inline qsizetype PlainRunEnd(const char16_t* d, qsizetype from, qsizetype size, char16_t low,
                             char16_t count) {
  qsizetype i = from;
#if defined(__SSE2__)
  const __m128i lowVector = _mm_set1_epi16(static_cast<short>(low));
  const __m128i lastPlain = _mm_set1_epi16(static_cast<short>(count - 1));
  const __m128i zero = _mm_setzero_si128();
  for (; i + 8 <= size; i += 8) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    // Plain lanes are those whose offset from low does not exceed count - 1.
    const __m128i over = _mm_subs_epu16(_mm_sub_epi16(units, lowVector), lastPlain);
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(over, zero)) ^ 0xFFFF;
    if (mask != 0) return i + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
  }
#endif
  while (i < size && static_cast<char16_t>(d[i] - low) < count) ++i;
  return i;
}

// The first position of unit in text from `from` on, or text.size(): an inline search for
// the short distances between brackets.
inline qsizetype FindUnit(const QString& text, qsizetype from, char16_t unit) {
  return PlainRunEnd(reinterpret_cast<const char16_t*>(text.constData()), from, text.size(),
                     static_cast<char16_t>(unit + 1), 0xFFFF);
}

}  // namespace vistrel
