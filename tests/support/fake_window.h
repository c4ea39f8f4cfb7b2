// A window for tests that draw into one: GetDC, ReleaseDC and everything
// drawn through them work as on the program's window, and the test can read
// the client pixels back.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/win32.h"

class FakeWindow {
 public:
  FakeWindow(int client_width, int client_height);
  ~FakeWindow();
  FakeWindow(const FakeWindow&) = delete;
  FakeWindow& operator=(const FakeWindow&) = delete;

  HWND handle() const { return handle_; }
  // The blue byte of a client pixel (frames are grey, so one byte tells).
  int Pixel(int x, int y) const;
  // Sets every byte of the client area.
  void Fill(std::uint8_t value);
  bool AllPixelsAre(std::uint8_t value) const;
  // Forgets the window, as destroying it would.
  void Destroy();

 private:
  class Target;
  class Window;
  std::shared_ptr<Target> target_;
  HWND handle_ = nullptr;
};
