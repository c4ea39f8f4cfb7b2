// The whole program on the dummy display: it runs until its window is
// closed and exits with 0; a second start in the same process cannot
// register its class and says so in its own box, exiting with 1.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/caption_schedule.h"
#include "core/frame_size.h"
#include "platform/soft/window_test_hooks.h"
#include "shell/program.h"
#include "window_fixture.h"

namespace {

using namespace std::chrono_literals;

struct Box {
  std::string text;
  std::string caption;
  UINT type;
};

TEST(Program, RunsUntilClosedThenRefusesASecondRegistration) {
  window_fixture::UseDummyDisplay();
  std::vector<Box> boxes;
  soft::SetMessageBoxSink([&](const std::string& text, const std::string& caption, UINT type) {
    boxes.push_back(Box{text, caption, type});
  });
  std::atomic<bool> saw_full_size{false};
  std::thread user([&] {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline &&
           !(FrameWidth.load() == 1024 && FrameHeight.load() == 768)) {
      std::this_thread::sleep_for(5ms);
    }
    saw_full_size = FrameWidth.load() == 1024;
    std::this_thread::sleep_for(300ms);  // a few frames
    soft::CloseAllWindows();
  });
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(RunProgram(), 0);
  user.join();
  EXPECT_TRUE(saw_full_size);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
  EXPECT_TRUE(boxes.empty());

  EXPECT_EQ(RunProgram(), 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Помилка регістрациї вікна");
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].type, MB_OK);
  soft::SetMessageBoxSink(nullptr);
}

}  // namespace
