#include "platform/soft/graphics/byte_fill.h"

#include <algorithm>
#include <cstring>

#include "platform/soft/graphics/pixel_convert.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define NOSIGNAL_X86 1
#endif

namespace soft {
namespace {

void FillPlain(std::uint8_t* bytes, std::uint8_t value, std::size_t size) { std::memset(bytes, value, size); }

#ifdef NOSIGNAL_X86

// Streaming stores need 16-byte aligned addresses: the bytes before the
// first such address and after the last are set plainly.
__attribute__((target("sse2"))) void FillSse2Stream(std::uint8_t* bytes, std::uint8_t value, std::size_t size) {
  const std::size_t head = std::min(size, static_cast<std::size_t>((16 - reinterpret_cast<std::uintptr_t>(bytes) % 16) % 16));
  std::memset(bytes, value, head);
  bytes += head, size -= head;
  const __m128i fill = _mm_set1_epi8(static_cast<char>(value));
  for (; size >= 16; bytes += 16, size -= 16) _mm_stream_si128(reinterpret_cast<__m128i*>(bytes), fill);
  std::memset(bytes, value, size);
  // The streamed stores are ordered before whatever reads the bytes next.
  _mm_sfence();
}

#endif

}  // namespace

ByteFill ByteFillWith(ByteFillKernel kernel) {
  switch (kernel) {
    case ByteFillKernel::Plain: return FillPlain;
#ifdef NOSIGNAL_X86
    case ByteFillKernel::Sse2Stream: return __builtin_cpu_init(), __builtin_cpu_supports("sse2") ? FillSse2Stream : nullptr;
#endif
    default: return nullptr;
  }
}

void FillBytes(std::uint8_t* bytes, std::uint8_t value, std::size_t size) {
  static const ByteFill past_cache = [] {
    const ByteFill stream = ByteFillWith(ByteFillKernel::Sse2Stream);
    return stream != nullptr ? stream : FillPlain;
  }();
  (size > static_cast<std::size_t>(kPastCacheBytes) ? past_cache : FillPlain)(bytes, value, size);
}

}  // namespace soft
