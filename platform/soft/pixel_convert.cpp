#include "platform/soft/pixel_convert.h"

#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define NOSIGNAL_X86 1
#endif

namespace soft {
namespace {

#ifdef NOSIGNAL_X86

// 16 pixels a step: 48 bytes in, 64 out, each group of three bytes shuffled
// into four with a zero.
__attribute__((target("ssse3"))) void ExpandSsse3(std::uint8_t* dest, const std::uint8_t* source,
                                                   std::int64_t count) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  std::int64_t done = 0;
  for (; done + 16 <= count; done += 16, source += 48, dest += 64) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 32));
    auto* out = reinterpret_cast<__m128i*>(dest);
    _mm_storeu_si128(out, _mm_shuffle_epi8(a, spread));
    _mm_storeu_si128(out + 1, _mm_shuffle_epi8(_mm_alignr_epi8(b, a, 12), spread));
    _mm_storeu_si128(out + 2, _mm_shuffle_epi8(_mm_alignr_epi8(c, b, 8), spread));
    _mm_storeu_si128(out + 3, _mm_shuffle_epi8(_mm_srli_si128(c, 4), spread));
  }
  ExpandPixelsPlain(dest, source, count - done);
}

ExpandPixelsFill ChooseVector() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("ssse3") ? ExpandSsse3 : nullptr;
}

#else

ExpandPixelsFill ChooseVector() { return nullptr; }

#endif

}  // namespace

void ExpandPixelsPlain(std::uint8_t* dest, const std::uint8_t* source, std::int64_t count) {
  for (std::int64_t i = 0; i < count; ++i, dest += 4, source += 3) {
    dest[0] = source[0];
    dest[1] = source[1];
    dest[2] = source[2];
    dest[3] = 0;
  }
}

ExpandPixelsFill VectorExpandPixels() {
  static const ExpandPixelsFill chosen = ChooseVector();
  return chosen;
}

void ConvertPixels(std::uint8_t* dest, int dest_bpp, const std::uint8_t* source, int source_bpp,
                   std::int64_t count) {
  if (dest_bpp == source_bpp) {
    std::memcpy(dest, source, static_cast<std::size_t>(count * dest_bpp));
    return;
  }
  if (dest_bpp == 4) {
    static const ExpandPixelsFill expand = VectorExpandPixels() ? VectorExpandPixels() : ExpandPixelsPlain;
    expand(dest, source, count);
    return;
  }
  for (std::int64_t i = 0; i < count; ++i, dest += dest_bpp, source += source_bpp) {
    dest[0] = source[0];
    dest[1] = source[1];
    dest[2] = source[2];
  }
}

}  // namespace soft
