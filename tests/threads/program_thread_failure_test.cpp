// When the animation thread cannot be started, the exception reaches the
// top of the main thread: the "Application Error" box, then exit code 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/platform_probe.h"
#include "shell/program.h"
#include "window_fixture.h"

namespace {

TEST(ProgramThreadFailure, ShowsTheApplicationErrorBoxAndExitsWithOne) {
  window_fixture::UseDummyDisplay();
  std::vector<std::string> boxes;
  probe::SetMessageBoxSink([&](const std::string& text, const std::string& caption, UINT type) {
    boxes.push_back(caption + "|" + std::to_string(type) + "|" + text);
  });
  probe::SetThreadCreationFails(true);
  EXPECT_EQ(RunProgram(), 1);
  probe::SetThreadCreationFails(false);
  probe::SetMessageBoxSink(nullptr);

  ASSERT_EQ(boxes.size(), 1u);
  // Where it was raised, and the platform's own words for what went wrong.
  const std::string head = "Application Error|" + std::to_string(MB_ICONSTOP | MB_TASKMODAL) +
                           "|Exception EThread in module " + probe::ProgramFileName() + " at ";
  EXPECT_EQ(boxes[0].rfind(head, 0), 0u) << boxes[0];
  const auto reason = boxes[0].find(".\r\nThread creation error: ");
  ASSERT_NE(reason, std::string::npos) << boxes[0];
  EXPECT_GT(boxes[0].size(), reason + 30) << "no reason given: " << boxes[0];
}

}  // namespace
