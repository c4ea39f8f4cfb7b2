// TThread: the body runs only once the object is complete, an exception
// that escapes it is kept and ends the thread quietly, and a thread that
// cannot be made is reported as EThread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

#include "platform/soft/thread_test_hooks.h"
#include "shell/thread.h"

namespace {

using namespace std::chrono_literals;

// Its constructor takes a while after TThread's has made the platform
// thread; the body must still see the finished object.
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
  }

 private:
  int ready_ = 0;
};

class Throwing : public TThread {
 public:
  explicit Throwing(bool suspended) : TThread(suspended) {}
  std::atomic<bool> started{false};

 protected:
  void Execute() override {
    started = true;
    throw std::runtime_error("drawing failed");
  }
};

class Looping : public TThread {
 public:
  Looping() : TThread(false) {}
  std::atomic<int> rounds{0};

 protected:
  void Execute() override {
    while (!Terminated()) {
      ++rounds;
      Sleep(5);
    }
  }
};

template <class T>
bool FinishesWithin(T& thread, std::chrono::milliseconds time) {
  const auto deadline = std::chrono::steady_clock::now() + time;
  while (!thread.Finished() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(1ms);
  }
  return thread.Finished();
}

TEST(ThreadClass, BodyStartsOnlyAfterTheWholeObjectIsBuilt) {
  auto thread = StartThread<SlowToBuild>();
  EXPECT_EQ(thread->WaitFor(), 0u);
  EXPECT_EQ(thread->seen, 42);
  EXPECT_NE(thread->body_thread, GetCurrentThreadId());
  EXPECT_EQ(thread->body_thread, thread->ThreadId());
}

TEST(ThreadClass, ExceptionInTheBodyIsKeptAndEndsTheThreadWithCodeZero) {
  auto thread = StartThread<Throwing>(false);
  ASSERT_TRUE(FinishesWithin(*thread, 2000ms));
  EXPECT_EQ(thread->WaitFor(), 0u);
  ASSERT_NE(thread->FatalException(), nullptr);
  try {
    std::rethrow_exception(thread->FatalException());
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "drawing failed");
  }
}

TEST(ThreadClass, CreatedSuspendedRunsNothingUntilResumed) {
  auto thread = StartThread<Throwing>(true);
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(thread->started);
  EXPECT_FALSE(thread->Finished());
  thread->Resume();
  ASSERT_TRUE(FinishesWithin(*thread, 2000ms));
  EXPECT_TRUE(thread->started);
}

TEST(ThreadClass, NeverResumedThreadIsEndedByItsDestructorWithoutRunning) {
  auto thread = StartThread<Throwing>(true);
  auto destroyed = std::async(std::launch::async, [&] { thread.reset(); });
  EXPECT_EQ(destroyed.wait_for(2s), std::future_status::ready);
}

TEST(ThreadClass, TerminateIsSeenByTheBodyAndWaitForJoins) {
  auto thread = StartThread<Looping>();
  std::this_thread::sleep_for(30ms);
  thread->Terminate();
  EXPECT_EQ(thread->WaitFor(), 0u);
  EXPECT_TRUE(thread->Finished());
  EXPECT_GT(thread->rounds, 0);
  EXPECT_EQ(thread->FatalException(), nullptr);
}

TEST(ThreadClass, FailureToCreateThePlatformThreadRaisesEThread) {
  soft::SetThreadCreationFails(true);
  try {
    StartThread<Looping>();
    ADD_FAILURE() << "no exception";
  } catch (const EThread& error) {
    EXPECT_EQ(error.Message().rfind("Thread creation error: ", 0), 0u) << error.Message();
    EXPECT_GT(error.Message().size(), std::string("Thread creation error: ").size());
    EXPECT_NE(error.Address(), nullptr);
  }
  soft::SetThreadCreationFails(false);
}

}  // namespace
