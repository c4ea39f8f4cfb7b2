// A thread's message queue: posted messages, the quit request, and the
// paints that other threads wait for (their UpdateWindow), which are handled
// inside GetMessageA and never come out of it as messages.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/win32.h"

namespace soft {

class Window;

class MessageQueue {
 public:
  explicit MessageQueue(DWORD owner_thread) : owner_thread_(owner_thread) {}

  // The calling thread's queue, made on first use.
  static std::shared_ptr<MessageQueue> ForCurrentThread();

  DWORD OwnerThread() const { return owner_thread_; }

  void Post(const MSG& message);  // any thread
  void PostQuit(int exit_code);   // the owner only
  bool TakePosted(MSG& message, HWND window, UINT first, UINT last);
  bool TakeQuit(MSG& message);

  // Another thread asks the owner to paint `window` and waits until it has,
  // or until the window is destroyed. False when it gave up.
  bool SendPaint(Window& window);
  // The owner paints what other threads are waiting for.
  void HandleSentPaints();
  // The window is gone: nobody waits for its paint any more.
  void Abandon(Window& window);

  // The owner waits until something may have arrived for it.
  void Wait();
  void Wake();  // any thread

 private:
  struct SentPaint {
    Window* window;
    bool done = false;
  };

  const DWORD owner_thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<MSG> posted_;
  std::optional<int> quit_code_;
  std::vector<std::shared_ptr<SentPaint>> sent_;
  std::vector<std::shared_ptr<SentPaint>> in_progress_;
  bool woken_ = false;
};

}  // namespace soft
