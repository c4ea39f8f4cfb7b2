// TThread: when its body runs and is joined, and what becomes of an
// exception that escapes it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "shell/thread.h"
#include "wait.h"

namespace {

std::atomic<bool> body_finished_when_members_went{false};

// A member that notes whether the body had finished by the time it went.
struct Witness {
  const TThread& owner;
  ~Witness() { body_finished_when_members_went = owner.Finished(); }
};

// Its constructor goes on for a while after TThread's has made the platform
// thread; the body must still see the finished object. It then runs until
// asked to stop, which must come before its members go.
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
    body_thread = GetCurrentThreadId();
    seen = ready_;  // the test waits for this, so last
    while (!Terminated()) std::this_thread::yield();
  }

 private:
  int ready_ = 0;
  Witness witness_{*this};
};

TEST(ThreadClass, BodyRunsOnTheWholeObjectAndIsJoinedBeforeItsMembersGo) {
  auto thread = StartThread<UsesItsMembers>();
  ASSERT_TRUE(WaitUntil([&] { return thread->seen != -1; }));
  EXPECT_EQ(thread->seen, 42);
  EXPECT_EQ(thread->body_thread, thread->ThreadId());
  EXPECT_FALSE(thread->Finished());
  thread.reset();
  EXPECT_TRUE(body_finished_when_members_went);
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
  thread->WaitFor();
  never_resumed.reset();  // must neither run its body nor hang
  EXPECT_EQ(throwing_bodies, 1);
  ASSERT_NE(thread->FatalException(), nullptr);
  EXPECT_THAT([&] { std::rethrow_exception(thread->FatalException()); },
              testing::ThrowsMessage<std::runtime_error>("drawing failed"));
}

// Made without StartThread and started: nothing joins the body before the
// subclass's members go, so the process stops, in release builds too.
class RunsUntilStopped : public TThread {
 public:
  RunsUntilStopped() : TThread(false) {}

 protected:
  void Execute() override {
    while (!Terminated()) std::this_thread::yield();
  }
};

TEST(ThreadClassDeathTest, DestroyingARunningThreadNotMadeByStartThreadStopsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        RunsUntilStopped thread;
        thread.Resume();
      },
      "must be made by StartThread");
}

}  // namespace
