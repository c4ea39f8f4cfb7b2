#include "platform/soft/window/window_object.h"

#include <algorithm>

#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/graphics/window_seams.h"
#include "platform/soft/window/window_queue.h"

namespace soft {
namespace {

RECT Union(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT Intersection(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

RECT Geometry::Outer() const {
  if (minimised) {
    return RECT{kMinimisedPosition, kMinimisedPosition, kMinimisedPosition + kMinimisedWidth,
                kMinimisedPosition + kMinimisedHeight};
  }
  return RECT{client.left - frame.left, client.top - frame.top, client.right + frame.right,
              client.bottom + frame.bottom};
}

Window::Window(WindowClass window_class, std::string title, DWORD style, DWORD ex_style,
               std::shared_ptr<MessageQueue> queue)
    : class_(std::move(window_class)),
      title_(std::move(title)),
      style_(style & ~(WS_VISIBLE | WS_MINIMIZE)),
      ex_style_(ex_style),
      owner_thread_(GetCurrentThreadId()),
      queue_(std::move(queue)),
      buffer_(std::make_shared<ClientBuffer>(nullptr, 0, 0)) {}

std::shared_ptr<DeviceTarget> Window::ClientTarget() { return Buffer(); }

DWORD Window::Style() const {
  std::lock_guard lock(mutex_);
  return style_ | (geometry_.visible ? WS_VISIBLE : 0) | (geometry_.minimised ? WS_MINIMIZE : 0);
}

bool Window::OnOwnerThread() const { return GetCurrentThreadId() == owner_thread_; }

LRESULT Window::Call(UINT message, WPARAM wparam, LPARAM lparam) {
  const WNDPROC procedure = class_.procedure != nullptr ? class_.procedure : DefWindowProcA;
  return procedure(handle_, message, wparam, lparam);
}

Geometry Window::CurrentGeometry() const {
  std::lock_guard lock(mutex_);
  return geometry_;
}

bool Window::SetGeometry(Geometry geometry) {
  std::shared_ptr<ClientBuffer> old_buffer;
  std::shared_ptr<ClientBuffer> new_buffer;
  {
    std::lock_guard lock(mutex_);
    // Shown and minimised are the program's business (SetShowState).
    geometry.visible = geometry_.visible;
    geometry.minimised = geometry_.minimised;
    const int old_width = geometry_.ClientWidth();
    const int old_height = geometry_.ClientHeight();
    geometry_ = geometry;
    const int width = geometry.ClientWidth();
    const int height = geometry.ClientHeight();
    if (destroyed_ || (width == old_width && height == old_height)) return false;
    old_buffer = buffer_;
    new_buffer = std::make_shared<ClientBuffer>(handle_, width, height);
    buffer_ = new_buffer;
    const bool redraw_all = ((class_.style & CS_HREDRAW) != 0 && width != old_width) ||
                            ((class_.style & CS_VREDRAW) != 0 && height != old_height);
    if (redraw_all) {
      InvalidateLocked(RECT{0, 0, width, height}, true);
    } else {
      // Only what the larger size uncovers.
      if (width > old_width) InvalidateLocked(RECT{old_width, 0, width, height}, true);
      if (height > old_height) InvalidateLocked(RECT{0, old_height, width, height}, true);
    }
  }
  new_buffer->CopyFrom(*old_buffer);
  return true;
}

void Window::SetShowState(bool visible, bool minimised) {
  bool appeared;
  {
    std::lock_guard lock(mutex_);
    appeared = visible && (!geometry_.visible || (geometry_.minimised && !minimised));
    geometry_.visible = visible;
    geometry_.minimised = minimised;
    if (!visible) update_.reset();
    if (appeared) InvalidateLocked(RECT{0, 0, geometry_.ClientWidth(), geometry_.ClientHeight()}, true);
  }
  if (appeared) queue_->Wake();
}

std::shared_ptr<ClientBuffer> Window::Buffer() const {
  std::lock_guard lock(mutex_);
  return buffer_;
}

void Window::Invalidate(const RECT* area, bool erase) {
  {
    std::lock_guard lock(mutex_);
    const RECT client{0, 0, geometry_.ClientWidth(), geometry_.ClientHeight()};
    InvalidateLocked(area != nullptr ? Intersection(*area, client) : client, erase);
  }
  queue_->Wake();
}

void Window::InvalidateLocked(RECT area, bool erase) {
  if (!geometry_.visible || destroyed_ || IsEmpty(area)) return;
  update_ = update_ ? Union(*update_, area) : area;
  update_erase_ = update_erase_ || erase;
}

bool Window::NeedsPaint() const {
  std::lock_guard lock(mutex_);
  return update_.has_value();
}

RECT Window::TakeUpdate(bool* erase) {
  std::lock_guard lock(mutex_);
  const RECT update = update_.value_or(RECT{0, 0, 0, 0});
  if (erase != nullptr) *erase = update_erase_;
  update_.reset();
  update_erase_ = false;
  return update;
}

RECT Window::PaintArea() const {
  std::lock_guard lock(mutex_);
  return paint_area_.value_or(RECT{0, 0, geometry_.ClientWidth(), geometry_.ClientHeight()});
}

void Window::SetPaintArea(std::optional<RECT> area) {
  std::lock_guard lock(mutex_);
  paint_area_ = area;
}

void Window::MarkDestroyed() {
  {
    std::lock_guard lock(mutex_);
    destroyed_ = true;
    update_.reset();
    buffer_ = std::make_shared<ClientBuffer>(nullptr, 0, 0);
  }
  queue_->Abandon(*this);
}

Window* LookUpWindow(HWND handle) {
  return dynamic_cast<Window*>(Find(handle).get());
}

Window* LiveWindow(HWND handle) {
  Window* window = LookUpWindow(handle);
  if (window != nullptr && !window->Destroyed()) return window;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return nullptr;
}

}  // namespace soft
