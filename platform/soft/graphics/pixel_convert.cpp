#include "platform/soft/graphics/pixel_convert.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define NOSIGNAL_X86 1
#endif

namespace soft {
namespace {

void ExpandPlain(std::uint8_t* dest, const std::uint8_t* source, std::int64_t count) {
  for (std::int64_t i = 0; i < count; ++i, dest += 4, source += 3) {
    dest[0] = source[0];
    dest[1] = source[1];
    dest[2] = source[2];
    dest[3] = 0;
  }
}

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
  ExpandPlain(dest, source, count - done);
}

// 8 pixels a step: 24 bytes (of a 32-byte load) in, 32 out. The load reads 8
// bytes past the pixels it uses, so the last steps are left to the plain copy.
// With kStream the stores go past the cache (for pictures larger than it,
// where a plain store would first read the line it writes); they need
// 32-byte aligned destinations, so the first pixels up to such an address
// are copied plainly.
template <bool kStream>
__attribute__((target("avx2"))) void ExpandAvx2(std::uint8_t* dest, const std::uint8_t* source,
                                                 std::int64_t count) {
  if (kStream) {
    const auto misaligned = reinterpret_cast<std::uintptr_t>(dest) % 32;
    // A 4-byte pixel that straddles the boundary never reaches it.
    if (misaligned % 4 != 0) return ExpandAvx2<false>(dest, source, count);
    std::int64_t head = std::min<std::int64_t>(count, static_cast<std::int64_t>((32 - misaligned) % 32 / 4));
    if (head == 4) {
      // Rows 16 bytes past a 32-byte boundary (a block from the C library's
      // allocator): half a step, streamed too, as plain stores would share
      // its line with streamed ones (see below).
      const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
      const __m128i in = _mm_maskload_epi32(reinterpret_cast<const int*>(source), _mm_setr_epi32(-1, -1, -1, 0));
      _mm_stream_si128(reinterpret_cast<__m128i*>(dest), _mm_shuffle_epi8(in, spread));
      dest += 16, source += 12, count -= 4, head = 0;
    }
    ExpandPlain(dest, source, head);
    dest += 4 * head, source += 3 * head, count -= head;
  }
  const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5);
  const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                          0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const auto put = [&](__m256i in) __attribute__((target("avx2"))) {
    const __m256i out = _mm256_shuffle_epi8(_mm256_permutevar8x32_epi32(in, lanes), spread);
    if (kStream) {
      _mm256_stream_si256(reinterpret_cast<__m256i*>(dest), out);
    } else {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest), out);
    }
  };
  std::int64_t done = 0;
  for (; done + 11 <= count; done += 8, source += 24, dest += 32) {
    // A window's memory comes in small pages, and streamed stores wait for
    // each page's address translation: touching one line four pages ahead
    // has it ready in time. (A touch past the end is harmless.)
    if (kStream && reinterpret_cast<std::uintptr_t>(dest) % 4096 == 0) {
      _mm_prefetch(reinterpret_cast<const char*>(dest) + 4 * 4096, _MM_HINT_T0);
    }
    put(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(source)));
  }
  // A plain store into a line that streamed stores also write costs as much
  // as a line read from memory: the last whole step, which ends most rows,
  // reads just its own 24 bytes and is streamed like the others.
  if (kStream && done + 8 <= count) {
    const __m256i own_bytes = _mm256_setr_epi32(-1, -1, -1, -1, -1, -1, 0, 0);
    put(_mm256_maskload_epi32(reinterpret_cast<const int*>(source), own_bytes));
    done += 8, source += 24, dest += 32;
  }
  ExpandPlain(dest, source, count - done);
}


#endif

}  // namespace

ExpandPixelsFill ExpandPixelsWith(ExpandKernel kernel) {
  switch (kernel) {
    case ExpandKernel::Plain: return ExpandPlain;
#ifdef NOSIGNAL_X86
    case ExpandKernel::Ssse3: return __builtin_cpu_init(), __builtin_cpu_supports("ssse3") ? ExpandSsse3 : nullptr;
    case ExpandKernel::Avx2: return __builtin_cpu_init(), __builtin_cpu_supports("avx2") ? ExpandAvx2<false> : nullptr;
    case ExpandKernel::Avx2Stream:
      return __builtin_cpu_init(), __builtin_cpu_supports("avx2") ? ExpandAvx2<true> : nullptr;
#endif
    default: return nullptr;
  }
}

namespace {

ExpandPixelsFill FastestExpand(std::initializer_list<ExpandKernel> kernels) {
  for (ExpandKernel kernel : kernels) {
    if (ExpandPixelsFill fill = ExpandPixelsWith(kernel)) return fill;
  }
  return ExpandPlain;
}

}  // namespace

#ifdef NOSIGNAL_X86
__attribute__((target("sse"))) void OrderStreamedStores() { _mm_sfence(); }
#else
void OrderStreamedStores() {}
#endif

void ConvertPixels(std::uint8_t* dest, int dest_bpp, const std::uint8_t* source, int source_bpp,
                   std::int64_t count, Caching caching) {
  if (dest_bpp == source_bpp) {
    std::memcpy(dest, source, static_cast<std::size_t>(count * dest_bpp));
    return;
  }
  if (dest_bpp == 4) {
    static const ExpandPixelsFill expand = FastestExpand({ExpandKernel::Avx2, ExpandKernel::Ssse3});
    static const ExpandPixelsFill expand_past_cache =
        FastestExpand({ExpandKernel::Avx2Stream, ExpandKernel::Avx2, ExpandKernel::Ssse3});
    (caching == Caching::PastCache ? expand_past_cache : expand)(dest, source, count);
    return;
  }
  for (std::int64_t i = 0; i < count; ++i, dest += dest_bpp, source += source_bpp) {
    dest[0] = source[0];
    dest[1] = source[1];
    dest[2] = source[2];
  }
}

}  // namespace soft
