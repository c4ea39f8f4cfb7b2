// Fills a run of equal bytes (a grey box over whole rows of a 3-byte
// picture), past the processor's cache where the run is larger than it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace soft {

// The ways of filling: Plain is memset, the definition; Sse2Stream writes
// past the cache with stores that do not first read the lines they write.
enum class ByteFillKernel { Plain, Sse2Stream };
using ByteFill = void (*)(std::uint8_t* bytes, std::uint8_t value, std::size_t size);
// nullptr when this build or processor cannot run the kernel.
ByteFill ByteFillWith(ByteFillKernel kernel);

// memset for runs that stay in the cache; for runs of more than
// kPastCacheBytes, the fastest kernel that writes past it.
void FillBytes(std::uint8_t* bytes, std::uint8_t value, std::size_t size);

}  // namespace soft
