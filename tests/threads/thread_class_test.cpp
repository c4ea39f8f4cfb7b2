// TThread: when its body runs and is joined, and what becomes of an
// exception that escapes it.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "shell/thread.h"
#include "wait.h"

namespace {

std::atomic<bool> body_used_a_member_being_destroyed{false};

// A member that notices whether the body still uses it while it is being
// destroyed: it waits until either the body has seen it going or the
// thread has finished.
class Witness {
 public:
  explicit Witness(const TThread& owner) : owner_(owner) {}
  ~Witness() {
    going_ = true;
    WaitUntil([&] { return seen_going_.load() || owner_.Finished(); });
    if (seen_going_) body_used_a_member_being_destroyed = true;
  }
  void Use() {
    if (going_) seen_going_ = true;
  }

 private:
  const TThread& owner_;
  std::atomic<bool> going_{false};
  std::atomic<bool> seen_going_{false};
};

// Its constructor goes on for a while after TThread's has made the platform
// thread; the body must still see the finished object. It then uses its
// members until asked to stop.
class UsesItsMembers : public TThread {
 public:
  UsesItsMembers() : TThread(false) {
    for (int i = 0; i < 10000; ++i) std::this_thread::yield();
    ready_ = 42;
  }
  std::atomic<int> seen{-1};
  std::atomic<DWORD> body_thread{0};

 protected:
  void Execute() override {
    seen = ready_;
    body_thread = GetCurrentThreadId();
    while (!Terminated()) {
      witness_.Use();
      std::this_thread::yield();
    }
  }

 private:
  int ready_ = 0;
  Witness witness_{*this};
};

TEST(ThreadClass, BodyRunsOnTheWholeObjectAndIsJoinedBeforeItsMembersGo) {
  auto thread = StartThread<UsesItsMembers>();
  ASSERT_TRUE(WaitUntil([&] { return thread->seen != -1; }));
  EXPECT_EQ(thread->seen, 42);
  EXPECT_NE(thread->body_thread, GetCurrentThreadId());
  EXPECT_EQ(thread->body_thread, thread->ThreadId());
  EXPECT_FALSE(thread->Finished());
  thread.reset();
  EXPECT_FALSE(body_used_a_member_being_destroyed);
}

std::atomic<int> throwing_bodies{0};

class Throwing : public TThread {
 public:
  Throwing() : TThread(true) {}

 protected:
  void Execute() override {
    ++throwing_bodies;
    throw std::runtime_error("drawing failed");
  }
};

TEST(ThreadClass, SuspendedThreadRunsOnlyOnceResumedAndItsExceptionIsKept) {
  auto never_resumed = StartThread<Throwing>();
  auto thread = StartThread<Throwing>();
  thread->Resume();
  EXPECT_EQ(thread->WaitFor(), 0u);
  never_resumed.reset();  // must neither run its body nor hang
  EXPECT_EQ(throwing_bodies, 1);
  EXPECT_TRUE(thread->Finished());
  ASSERT_NE(thread->FatalException(), nullptr);
  try {
    std::rethrow_exception(thread->FatalException());
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "drawing failed");
  }
}

}  // namespace
