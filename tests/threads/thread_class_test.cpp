// TThread: the body runs only once the object is complete and sees
// Terminate; a suspended thread runs nothing until resumed; an exception
// that escapes the body is kept and ends the thread quietly.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "shell/thread.h"

namespace {

using namespace std::chrono_literals;

// Its constructor takes a while after TThread's has made the platform
// thread; the body must still see the finished object. It then runs until
// asked to stop.
class SlowToBuild : public TThread {
 public:
  SlowToBuild() : TThread(false) {
    std::this_thread::sleep_for(100ms);
    ready_ = 42;
  }
  std::atomic<int> seen{-1};
  std::atomic<DWORD> body_thread{0};

 protected:
  void Execute() override {
    seen = ready_;
    body_thread = GetCurrentThreadId();
    while (!Terminated()) Sleep(5);
  }

 private:
  int ready_ = 0;
};

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

TEST(ThreadClass, BodyStartsOnlyAfterTheWholeObjectIsBuiltAndSeesTerminate) {
  auto thread = StartThread<SlowToBuild>();
  std::this_thread::sleep_for(30ms);
  EXPECT_FALSE(thread->Finished());
  thread->Terminate();
  EXPECT_EQ(thread->WaitFor(), 0u);
  EXPECT_EQ(thread->seen, 42);
  EXPECT_NE(thread->body_thread, GetCurrentThreadId());
  EXPECT_EQ(thread->body_thread, thread->ThreadId());
  EXPECT_EQ(thread->FatalException(), nullptr);
}

TEST(ThreadClass, SuspendedThreadRunsOnlyOnceResumedAndItsExceptionIsKept) {
  auto never_resumed = StartThread<Throwing>();
  auto thread = StartThread<Throwing>();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(throwing_bodies, 0);
  never_resumed.reset();  // must neither run its body nor hang
  thread->Resume();
  EXPECT_EQ(thread->WaitFor(), 0u);
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
