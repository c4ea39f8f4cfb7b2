// Device-independent sections: plain memory laid out as on Windows, 3 bytes
// per pixel (blue, green, red), rows padded to 4 bytes, bottom-up unless the
// header's height is negative.
#include <cstdint>
#include <limits>

#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/graphics/objects.h"
#include "platform/soft/kernel/fail_with.h"

namespace {

// A 32-bit program could never address a larger section.
constexpr std::int64_t kLargestSection = std::numeric_limits<std::int32_t>::max();

bool Supported(const BITMAPINFO* info, UINT usage, HANDLE section) {
  if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) return false;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biPlanes == 1 && header.biBitCount == 24 &&
         header.biCompression == BI_RGB && header.biWidth > 0 && header.biHeight != 0;
}

std::int64_t StrideOf(std::int64_t width) { return ((width * 24 + 31) & ~std::int64_t{31}) / 8; }

HBITMAP Refuse(void** bits, DWORD error) {
  if (bits != nullptr) *bits = nullptr;
  return soft::FailWith<HBITMAP>(error, nullptr);
}

void Describe(soft::BitmapObject& bitmap, const BITMAPINFOHEADER& header, int height, int stride) {
  // A positive height is a bottom-up section: its top row is the last in memory.
  const bool bottom_up = header.biHeight > 0 && height > 0;
  std::uint8_t* const top = bitmap.memory.data() + (bottom_up ? std::ptrdiff_t{height - 1} * stride : 0);
  bitmap.surface = {top, header.biWidth, height, bottom_up ? -stride : stride, 3};
  DIBSECTION& section = bitmap.section;
  section.dsBm = {0, header.biWidth, height, stride, 1, 24, bitmap.memory.data()};
  section.dsBmih = header;
  section.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
  section.dsBmih.biSizeImage = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
}

}  // namespace

// Only 24-bit BI_RGB sections in process memory are made; anything else, and
// any section too large, is refused with a clean nullptr.
HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (!Supported(info, usage, section)) return Refuse(bits, ERROR_INVALID_PARAMETER);
  const BITMAPINFOHEADER& header = info->bmiHeader;
  const std::int64_t height = header.biHeight < 0 ? -std::int64_t{header.biHeight} : header.biHeight;
  const std::int64_t stride = StrideOf(header.biWidth);
  if (stride > kLargestSection / height) return Refuse(bits, ERROR_NOT_ENOUGH_MEMORY);

  auto bitmap = std::make_unique<soft::BitmapObject>();
  const auto size = static_cast<std::size_t>(stride * height);
  // New pixels are unspecified, as on Windows: whoever makes a section
  // fills it at once, so clearing it first would be a wasted pass.
  bitmap->memory = soft::PixelMemory::Allocate(size, soft::PixelMemory::Reuse::Keep);
  if (bitmap->memory.empty()) return Refuse(bits, ERROR_NOT_ENOUGH_MEMORY);
  Describe(*bitmap, header, static_cast<int>(height), static_cast<int>(stride));
  void* base = bitmap->memory.data();
  const HANDLE handle = soft::Insert(std::move(bitmap));
  if (handle == nullptr) return Refuse(bits, GetLastError());  // the table is full
  if (bits != nullptr) *bits = base;
  return static_cast<HBITMAP>(handle);
}
