#include "platform/soft/graphics/pixel_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <mutex>
#include <utility>

namespace soft {
namespace {

constexpr std::size_t kLargePictureBytes = std::size_t{8} << 20;

std::size_t PageSize() {
  static const auto size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

// The one block kept for the next picture of the same size.
struct Kept {
  std::mutex mutex;  // guards block and mapped
  void* block = nullptr;
  std::size_t mapped = 0;
};

Kept& KeptBlock() {
  static Kept* kept = new Kept;  // never destroyed: frames may end after exit starts
  return *kept;
}

void* TakeKept(std::size_t mapped) {
  Kept& kept = KeptBlock();
  std::lock_guard lock(kept.mutex);
  if (kept.block == nullptr || kept.mapped != mapped) return nullptr;
  return std::exchange(kept.block, nullptr);
}

// Keeps `block` in place of whatever was kept; that one goes back to the system.
void Keep(void* block, std::size_t mapped) {
  Kept& kept = KeptBlock();
  void* old = nullptr;
  std::size_t old_mapped = 0;
  {
    std::lock_guard lock(kept.mutex);
    old = std::exchange(kept.block, block);
    old_mapped = std::exchange(kept.mapped, mapped);
  }
  if (old != nullptr) munmap(old, old_mapped);
}

}  // namespace

PixelMemory PixelMemory::Allocate(std::size_t bytes, Reuse reuse) {
  if (bytes == 0) return {};
  const std::size_t page = PageSize();
  if (bytes > SIZE_MAX - page) return {};
  const std::size_t mapped = (bytes + page - 1) / page * page;
  void* block = reuse == Reuse::Keep ? TakeKept(mapped) : nullptr;
  if (block == nullptr) {
    block = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) return {};
    // A picture of screen size is written and read whole every frame: in
    // large pages, far fewer address translations miss. Only a hint.
    if (mapped >= kLargePictureBytes) madvise(block, mapped, MADV_HUGEPAGE);
  }
  return PixelMemory(static_cast<std::uint8_t*>(block), bytes, mapped, reuse);
}

PixelMemory::~PixelMemory() { Free(); }

PixelMemory::PixelMemory(PixelMemory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)),
      reuse_(other.reuse_) {}

PixelMemory& PixelMemory::operator=(PixelMemory&& other) noexcept {
  if (this != &other) {
    Free();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mapped_ = std::exchange(other.mapped_, 0);
    reuse_ = other.reuse_;
  }
  return *this;
}

void PixelMemory::Free() {
  if (data_ == nullptr) return;
  if (reuse_ == Reuse::Keep) {
    Keep(data_, mapped_);
  } else {
    munmap(data_, mapped_);
  }
  data_ = nullptr;
  size_ = 0;
  mapped_ = 0;
}

}  // namespace soft
