// A top-level window of the software platform: what the program asked for
// (class, title, styles), where it is on the screen, what needs painting and
// the pixels of its client area. Safe to query from any thread; only the
// window's own thread changes it.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/soft/graphics/window_seams.h"
#include "platform/soft/window/window_client_buffer.h"

namespace soft {

class MessageQueue;

struct WindowClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
};

// Where the window is, in screen coordinates. The frame is what the window
// manager draws around the client area.
struct Geometry {
  RECT client{};
  RECT frame{};  // border widths: left, top, right, bottom
  bool minimised = false;
  bool visible = false;

  RECT Outer() const;
  int ClientWidth() const { return client.right - client.left; }
  int ClientHeight() const { return client.bottom - client.top; }
};

// A minimised window has the platform's minimised form: a small bar far off
// the screen.
constexpr LONG kMinimisedPosition = -32000;
constexpr LONG kMinimisedWidth = 160;
constexpr LONG kMinimisedHeight = 24;

class Window final : public WindowBase {
 public:
  Window(WindowClass window_class, std::string title, DWORD style, DWORD ex_style,
         std::shared_ptr<MessageQueue> queue);

  std::shared_ptr<DeviceTarget> ClientTarget() override;

  HWND Handle() const { return handle_; }
  void SetHandle(HWND handle) { handle_ = handle; }
  const WindowClass& Class() const { return class_; }
  const std::string& Title() const { return title_; }
  DWORD Style() const;
  DWORD ExStyle() const { return ex_style_; }
  DWORD OwnerThread() const { return owner_thread_; }
  MessageQueue& Queue() const { return *queue_; }
  bool OnOwnerThread() const;

  // Calls the window procedure (the default one when the class has none).
  LRESULT Call(UINT message, WPARAM wparam, LPARAM lparam);

  Geometry CurrentGeometry() const;
  // Takes the window's new place. A new client size gets a new buffer
  // holding the old picture and invalidates what the class asks for.
  // Returns true when the client size changed.
  bool SetGeometry(Geometry geometry);
  // The window's state as far as the program is concerned: shown or not,
  // minimised or not. A window that becomes visible needs painting.
  void SetShowState(bool visible, bool minimised);
  std::shared_ptr<ClientBuffer> Buffer() const;

  // The update region, kept as its bounding rectangle in client coordinates.
  // Hidden windows collect none.
  void Invalidate(const RECT* area, bool erase);
  bool NeedsPaint() const;
  // Empties the update region and says what it was.
  RECT TakeUpdate(bool* erase);
  // What the paint in progress may touch; the whole client area otherwise.
  RECT PaintArea() const;
  void SetPaintArea(std::optional<RECT> area);

  bool Destroyed() const { return destroyed_.load(); }
  // The window is gone: its pixels are dropped and later contexts draw nowhere.
  void MarkDestroyed();
  bool BeginDestroying() { return !destroying_.exchange(true); }

  // Display thread only.
  void* native = nullptr;                 // the display's window
  bool foreign = false;                   // the display's window belongs to another client
  unsigned native_id = 0;
  std::optional<SIZE> pending_outer;      // outer size to honour once the frame is known
  SIZE requested_client{0, 0};            // the client size last asked of the display

 private:
  void InvalidateLocked(RECT area, bool erase);

  const WindowClass class_;
  const std::string title_;
  const DWORD style_;
  const DWORD ex_style_;
  const DWORD owner_thread_;
  const std::shared_ptr<MessageQueue> queue_;
  HWND handle_ = nullptr;

  mutable std::mutex mutex_;
  Geometry geometry_;
  std::shared_ptr<ClientBuffer> buffer_;
  std::optional<RECT> update_;
  bool update_erase_ = false;
  std::optional<RECT> paint_area_;
  std::atomic<bool> destroyed_{false};
  std::atomic<bool> destroying_{false};
};

// The platform's window behind a handle, or nullptr for anything else
// (a stale handle, a GDI object, a window of some other kind).
Window* LookUpWindow(HWND handle);

// The window behind a handle while it is not destroyed; otherwise nullptr,
// with the last error ERROR_INVALID_WINDOW_HANDLE.
Window* LiveWindow(HWND handle);

}  // namespace soft
