// When the animation thread cannot be started, the exception reaches the
// top of the main thread: the "Application Error" box, then exit code 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/soft/thread_test_hooks.h"
#include "platform/soft/window_test_hooks.h"
#include "shell/program.h"
#include "window_fixture.h"

namespace {

TEST(ProgramThreadFailure, ShowsTheApplicationErrorBoxAndExitsWithOne) {
  window_fixture::UseDummyDisplay();
  std::vector<std::string> texts;
  std::vector<std::string> captions;
  std::vector<UINT> types;
  soft::SetMessageBoxSink([&](const std::string& text, const std::string& caption, UINT type) {
    texts.push_back(text);
    captions.push_back(caption);
    types.push_back(type);
  });
  soft::SetThreadCreationFails(true);
  EXPECT_EQ(RunProgram(), 1);
  soft::SetThreadCreationFails(false);
  soft::SetMessageBoxSink(nullptr);

  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(captions[0], "Application Error");
  EXPECT_EQ(types[0], MB_ICONSTOP | MB_TASKMODAL);
  const std::string& text = texts[0];
  EXPECT_EQ(text.rfind("Exception EThread in module program_thread_failure_test at 0x", 0), 0u) << text;
  EXPECT_NE(text.find(".\r\nThread creation error: "), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - 3), ".\r\n");
  EXPECT_EQ(text.find("..\r\n"), std::string::npos) << text;
}

}  // namespace
