// The "Application Error" text of an exception that reaches the top: class,
// module, the address where a thread error was raised, and the message with
// exactly one full stop.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "raster/exceptions.h"
#include "shell/error_box.h"
#include "shell/thread.h"
#include "support/platform_probe.h"

namespace {

std::string Address(const void* address) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", address);
  return text;
}

int marker = 0;

struct ErrorCase {
  const char* name;
  std::string text, class_name, message;
  const void* address;  // only a thread error knows where it was raised
};

void PrintTo(const ErrorCase& tested, std::ostream* out) { *out << tested.name; }

class ApplicationErrorTextTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ApplicationErrorTextTest, NamesClassModuleAndAddressAndEndsTheMessageWithOneFullStop) {
  const ErrorCase& c = GetParam();
  const std::string head = "Exception " + c.class_name + " in module " + probe::ProgramFileName() + " at ";
  const std::string tail = ".\r\n" + c.message + "\r\n";
  EXPECT_EQ(c.text.rfind(head, 0), 0u) << c.text;
  ASSERT_GE(c.text.size(), head.size() + tail.size()) << c.text;
  EXPECT_EQ(c.text.substr(c.text.size() - tail.size()), tail);
  if (c.address != nullptr) {
    EXPECT_EQ(c.text, head + Address(c.address) + tail);
  }
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
