#include "platform/soft/window/window_surface.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>

namespace soft::display {
namespace {

// Which buffer lives in which window's memory, and at what address: the
// display makes new memory for a window that was resized, even when it is
// resized back before the next presentation.
struct Lent {
  std::weak_ptr<ClientBuffer> buffer;
  void* pixels = nullptr;
  int pitch = 0;
};

std::map<SDL_Window*, Lent>& LentSurfaces() {
  static auto* lent = new std::map<SDL_Window*, Lent>;  // display thread only; lives to the end
  return *lent;
}

// The buffer's layout (blue, green, red, unused; top row first), its size,
// and memory that may be written without locking.
bool Fits(const SDL_Surface& surface, const ClientBuffer& buffer) {
  return surface.format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(&surface) &&
         surface.w == buffer.Width() && surface.h == buffer.Height() && surface.pixels != nullptr;
}

Presented CopyInto(SDL_Surface& surface, const Surface& pixels, SurfaceCopy copy) {
  const int columns = std::min(pixels.width, surface.w);
  const int rows = std::min(pixels.height, surface.h);
  if (columns <= 0 || rows <= 0) return Presented::NothingToShow;
  if (SDL_MUSTLOCK(&surface) && SDL_LockSurface(&surface) != 0) return Presented::NothingToShow;
  const bool copied = copy(pixels.bits, pixels.stride, columns, rows, &surface);
  if (SDL_MUSTLOCK(&surface)) SDL_UnlockSurface(&surface);
  return copied ? Presented::Shown : Presented::CopyFailed;
}

}  // namespace

bool SurfaceSizeFits(int width, int height) {
  if (width < 0 || height < 0) return false;
  return std::int64_t{width} * 4 * height <= std::numeric_limits<int>::max();
}

Presented PresentClientBuffer(SDL_Window* native, const std::shared_ptr<ClientBuffer>& buffer, SurfaceCopy copy) {
  buffer->TakePresentRequest();
  Lent& lent = LentSurfaces()[native];
  std::shared_ptr<ClientBuffer> holder = lent.buffer.lock();
  if (holder != nullptr && holder != buffer) holder->Abandon();
  if (holder != buffer) lent = Lent{};
  // Locked from here: SDL_GetWindowSurface may free the memory the buffer
  // lives in, and the update reads it.
  return buffer->WhileLocked([&] {
    // A window of another size gets new memory: take the picture out first.
    int width = 0, height = 0;
    SDL_GetWindowSize(native, &width, &height);
    if (holder == buffer && (width != buffer->Width() || height != buffer->Height())) {
      buffer->MoveOutLocked(true);
      lent = Lent{};
    }
    // The window's memory was lent at a size that fitted, so none is lent now.
    if (!SurfaceSizeFits(width, height)) return Presented::NothingToShow;
    SDL_Surface* surface = SDL_GetWindowSurface(native);
    const bool same = surface != nullptr && surface->pixels == lent.pixels && surface->pitch == lent.pitch &&
                      Fits(*surface, *buffer);
    if (lent.pixels != nullptr && !same) {
      buffer->MoveOutLocked(false);  // the picture went with the old memory; the next frame brings it back
      lent = Lent{};
    }
    if (surface == nullptr) return Presented::NoSurface;
    if (lent.pixels == nullptr && Fits(*surface, *buffer)) {
      buffer->MoveIntoLocked(static_cast<std::uint8_t*>(surface->pixels), surface->pitch);
      lent = Lent{buffer, surface->pixels, surface->pitch};
    }
    if (lent.pixels == nullptr) {
      const Presented copied = CopyInto(*surface, buffer->PixelsLocked(), copy);
      if (copied != Presented::Shown) return copied;
    }
    return SDL_UpdateWindowSurface(native) == 0 ? Presented::Shown : Presented::UpdateFailed;
  });
}

void ForgetWindowSurface(SDL_Window* native) {
  auto& surfaces = LentSurfaces();
  const auto found = surfaces.find(native);
  if (found == surfaces.end()) return;
  if (const std::shared_ptr<ClientBuffer> buffer = found->second.buffer.lock()) buffer->Abandon();
  surfaces.erase(found);
}

void ForgetAllWindowSurfaces() {
  while (!LentSurfaces().empty()) ForgetWindowSurface(LentSurfaces().begin()->first);
}

}  // namespace soft::display
