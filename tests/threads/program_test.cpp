// A start that cannot register the window class says so in its own box and
// fails with exit code 1, without a window or an animation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/platform_probe.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "window_fixture.h"

namespace {

TEST(Program, RefusesToStartWhenItsClassCannotBeRegistered) {
  window_fixture::UseDummyDisplay();
  ASSERT_TRUE(RegisterMainClass());  // taken already, as by an earlier start
  std::vector<std::string> boxes;
  probe::SetMessageBoxSink([&](const std::string& text, const std::string& caption, UINT type) {
    boxes.push_back(text + "|" + caption + "|" + std::to_string(type));
  });
  EXPECT_EQ(RunProgram(), 1);  // a failed start is a failure, not 0
  probe::SetMessageBoxSink(nullptr);
  EXPECT_EQ(boxes, std::vector<std::string>{"Помилка регістрациї вікна|Error|" + std::to_string(MB_OK)});
  EXPECT_EQ(probe::CountLive().windows, 0);
}

}  // namespace
