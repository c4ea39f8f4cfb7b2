// What the display's files share: the state of the one connection to the
// desktop, and the steps one of them takes on behalf of another. Not for use
// outside window_display*.cpp.
#pragma once

#include <SDL.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/soft/window/window_object.h"

namespace soft::display {

// The process's connection to the desktop. Everything but the start lock,
// the thread id and the present requests belongs to the display thread.
struct DisplayState {
  std::mutex start_mutex;  // lets one thread open the desktop, once
  std::atomic<DWORD> thread{0};

  // Other threads never call into SDL, not even to wake the display thread:
  // they leave their requests here and signal an event counter that the
  // display thread waits on together with the desktop's connection.
  std::mutex request_mutex;  // guards present_requests
  std::vector<HWND> present_requests;
  int wake_fd = -1;
  int desktop_fd = -1;  // the X connection; -1 where the desktop has none to offer

  // The frame the window manager drew around the last window: the best
  // guess for the next one until its own frame is known.
  RECT frame_guess{};
  // A failure to show a picture is told once, not twenty times a second.
  bool present_failure_told = false;
  // The X windows this process made, destroyed ones included: errors about
  // them are expected once another client has destroyed one.
  std::vector<unsigned long> own_x_windows;
  std::vector<unsigned long> gone_x_windows;  // destroyed by another client
  // The server refused a drawing context for a window already gone: the
  // refusals of its later uses are expected.
  bool unmade_contexts = false;
  // For screens of colour-map indices: the index that shows each grey.
  std::array<std::uint8_t, 256> grey_pixels{};
  bool greys_allocated = false;
};

DisplayState& State();

inline SDL_Window* Native(const Window& window) { return static_cast<SDL_Window*>(window.native); }

void Post(Window& window, UINT message, WPARAM wparam, LPARAM lparam);
LPARAM PackPoint(int x, int y);

// Geometry (window_display_geometry.cpp).
void Sync(Window& window);
void SyncAll();
void SetMinimised(Window& window, bool minimised);

// Events (window_display_events.cpp).
void Handle(const SDL_Event& event);

// Presentation (window_display_present.cpp).
// Makes sure the desktop can take the window's pixels; says why not when
// it cannot.
bool PrepareSurface(Window& window);
void PresentRequested();
bool HasPresentRequests();

// Desktop failure and the writing on standard error that tells of it.
void Tell(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace soft::display
