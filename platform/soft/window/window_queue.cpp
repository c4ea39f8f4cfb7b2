#include "platform/soft/window/window_queue.h"

#include <algorithm>
#include <chrono>

#include "platform/soft/window/window_display.h"
#include "platform/soft/window/window_object.h"

namespace soft {
namespace {

bool Matches(const MSG& message, HWND window, UINT first, UINT last) {
  if (window != nullptr && message.hwnd != window) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

}  // namespace

std::shared_ptr<MessageQueue> MessageQueue::ForCurrentThread() {
  thread_local const auto queue = std::make_shared<MessageQueue>(GetCurrentThreadId());
  return queue;
}

void MessageQueue::Post(const MSG& message) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(message);
  }
  Wake();
}

void MessageQueue::PostQuit(int exit_code) {
  std::lock_guard lock(mutex_);
  quit_code_ = exit_code;
}

bool MessageQueue::TakePosted(MSG& message, HWND window, UINT first, UINT last) {
  std::lock_guard lock(mutex_);
  const auto found = std::find_if(posted_.begin(), posted_.end(), [&](const MSG& candidate) {
    return Matches(candidate, window, first, last);
  });
  if (found == posted_.end()) return false;
  message = *found;
  posted_.erase(found);
  return true;
}

bool MessageQueue::TakeQuit(MSG& message) {
  std::lock_guard lock(mutex_);
  if (!quit_code_) return false;
  message = MSG{};
  message.message = WM_QUIT;
  message.wParam = static_cast<WPARAM>(*quit_code_);
  quit_code_.reset();
  return true;
}

bool MessageQueue::SendPaint(Window& window) {
  const auto request = std::make_shared<SentPaint>(SentPaint{&window});
  {
    std::lock_guard lock(mutex_);
    // Checked under the lock that Abandon takes, so a window destroyed from
    // now on always finds this request.
    if (window.Destroyed()) return false;
    sent_.push_back(request);
  }
  Wake();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return request->done || request->window == nullptr; });
  return request->done;
}

void MessageQueue::HandleSentPaints() {
  {
    std::lock_guard lock(mutex_);
    if (sent_.empty()) return;
    in_progress_.swap(sent_);
  }
  for (std::size_t i = 0;; ++i) {
    Window* window;
    {
      std::lock_guard lock(mutex_);
      if (i >= in_progress_.size()) break;
      window = in_progress_[i]->window;
    }
    if (window != nullptr && !window->Destroyed() && window->NeedsPaint()) {
      window->Call(WM_PAINT, 0, 0);
    }
  }
  {
    std::lock_guard lock(mutex_);
    for (const auto& request : in_progress_) request->done = request->window != nullptr;
    in_progress_.clear();
  }
  changed_.notify_all();
}

void MessageQueue::Abandon(Window& window) {
  {
    std::lock_guard lock(mutex_);
    for (auto* requests : {&sent_, &in_progress_}) {
      for (const auto& request : *requests) {
        if (request->window == &window) request->window = nullptr;
      }
    }
  }
  changed_.notify_all();
}

void MessageQueue::Wait() {
  if (display::IsDisplayThread()) {
    display::WaitForEvents();
    return;
  }
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return woken_; });
  woken_ = false;
}

void MessageQueue::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  changed_.notify_all();
  // The display thread looks at its queue again before it waits, so only
  // other threads need to interrupt its wait for window events.
  if (display::IsDisplayThreadId(owner_thread_) && !display::IsDisplayThread()) display::Wake();
}

}  // namespace soft
