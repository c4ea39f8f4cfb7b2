// Memory for pictures: bitmap sections and window client areas. Each block
// is mapped from the system on its own, so that freeing it gives it back at
// once and the program's size follows the window's. A frame's section is
// made and freed every frame at the same size: the last freed block of
// that kind is kept and handed out again, which spares the system clearing
// fresh pages every frame. Contents of a new block are unspecified.
#pragma once

#include <cstddef>
#include <cstdint>

namespace soft {

class PixelMemory {
 public:
  enum class Reuse { Keep, Return };

  PixelMemory() = default;
  // An empty block when the system has no memory left.
  static PixelMemory Allocate(std::size_t bytes, Reuse reuse);
  ~PixelMemory();
  PixelMemory(PixelMemory&& other) noexcept;
  PixelMemory& operator=(PixelMemory&& other) noexcept;
  PixelMemory(const PixelMemory&) = delete;
  PixelMemory& operator=(const PixelMemory&) = delete;

  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool empty() const { return data_ == nullptr; }

 private:
  PixelMemory(std::uint8_t* data, std::size_t size, std::size_t mapped, Reuse reuse)
      : data_(data), size_(size), mapped_(mapped), reuse_(reuse) {}
  void Free();

  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mapped_ = 0;  // the whole pages behind it
  Reuse reuse_ = Reuse::Return;
};

}  // namespace soft
