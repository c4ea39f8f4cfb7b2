// How failures reach the user: the box each failed start shows, its exit
// code, and the text of the "Application Error" box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "raster/exceptions.h"
#include "shell/error_box.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/thread.h"
#include "support/platform_probe.h"

namespace {

#ifdef _WIN32
const std::string kModule = "program_test.exe";
#else
const std::string kModule = "program_test";
#endif

// Runs the program with message boxes caught as "caption|type|text".
std::vector<std::string> BoxesOfARun(int expected_exit_code) {
  probe::UseTestDisplay();
  std::vector<std::string> boxes;
  probe::SetMessageBoxSink([&](const std::string& text, const std::string& caption, UINT type) {
    boxes.push_back(caption + "|" + std::to_string(type) + "|" + text);
  });
  EXPECT_EQ(RunProgram(), expected_exit_code);  // a failed start is a failure, not 0
  probe::SetMessageBoxSink(nullptr);
  return boxes;
}

// Runs first: the class is still free.
TEST(Program, ShowsTheApplicationErrorBoxWhenTheAnimationThreadCannotStart) {
  probe::SetThreadCreationFails(true);
  const std::vector<std::string> boxes = BoxesOfARun(1);
  probe::SetThreadCreationFails(false);
  ASSERT_EQ(boxes.size(), 1u);
  // Where it was raised, and the platform's own words for what went wrong.
  EXPECT_THAT(boxes[0], testing::StartsWith("Application Error|" + std::to_string(MB_ICONSTOP | MB_TASKMODAL) +
                                            "|Exception EThread in module " + kModule + " at "));
  const auto reason = boxes[0].find(".\r\nThread creation error: ");
  ASSERT_NE(reason, std::string::npos) << boxes[0];
  EXPECT_GT(boxes[0].size(), reason + 30) << "no reason given: " << boxes[0];
}

TEST(Program, RefusesToStartWhenItsClassCannotBeRegistered) {
  RegisterMainClass();  // taken already, here or by the start above, as by an earlier program
  EXPECT_EQ(BoxesOfARun(1), std::vector<std::string>{"Error|" + std::to_string(MB_OK) + "|Помилка регістрациї вікна"});
}

int marker = 0;

struct ErrorCase {
  const char* name;
  std::string text, class_name, message;
  const void* address;  // only a thread error knows where it was raised; null for the rest
};

void PrintTo(const ErrorCase& tested, std::ostream* out) { *out << tested.name; }

class ApplicationErrorTextTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ApplicationErrorTextTest, NamesClassModuleAndAddressAndEndsTheMessageWithOneFullStop) {
  const ErrorCase& c = GetParam();
  char address[32];
  std::snprintf(address, sizeof address, "%p", c.address);
  EXPECT_EQ(c.text,
            "Exception " + c.class_name + " in module " + kModule + " at " + address + ".\r\n" + c.message + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ApplicationErrorTextTest,
    ::testing::Values(ErrorCase{"ThreadError", ApplicationErrorText(EThread("Thread Error: No memory (8)", &marker)),
                                "EThread", "Thread Error: No memory (8).", &marker},
                      ErrorCase{"MessageWithItsFullStop", ApplicationErrorText(Exception("Out of memory.")),
                                "Exception", "Out of memory.", nullptr},
                      ErrorCase{"NoMessage", ApplicationErrorText(std::runtime_error("")), "std::runtime_error", ".",
                                nullptr}),
    [](const ::testing::TestParamInfo<ErrorCase>& tested) { return std::string(tested.param.name); });

}  // namespace
