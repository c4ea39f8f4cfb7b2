// The "Application Error" text of an exception that reaches the top.
#include <gtest/gtest.h>

#include <stdexcept>

#include "raster/exceptions.h"
#include "shell/error_box.h"
#include "shell/thread.h"

namespace {

struct Parts {
  std::string class_name, module, message;
};

// "Exception <class> in module <module> at <address>.\r\n<message>\r\n"
bool Split(const std::string& text, Parts& parts) {
  const std::string start = "Exception ";
  const auto in_module = text.find(" in module ");
  const auto at = text.find(" at ", in_module == std::string::npos ? 0 : in_module);
  const auto line = text.find(".\r\n", at == std::string::npos ? 0 : at);
  if (text.rfind(start, 0) != 0 || in_module == std::string::npos || at == std::string::npos ||
      line == std::string::npos || text.size() < line + 5 || text.substr(text.size() - 2) != "\r\n") {
    return false;
  }
  parts.class_name = text.substr(start.size(), in_module - start.size());
  parts.module = text.substr(in_module + 11, at - in_module - 11);
  parts.message = text.substr(line + 3, text.size() - 2 - line - 3);
  return true;
}

TEST(ApplicationErrorText, NamesClassModuleAndAddressAndEndsTheMessageWithAFullStop) {
  const std::string text = ApplicationErrorText(EThread("Thread Error: No memory (8)", nullptr));
  Parts parts;
  ASSERT_TRUE(Split(text, parts)) << text;
  EXPECT_EQ(parts.class_name, "EThread");
  EXPECT_EQ(parts.module, "error_box_test");
  EXPECT_EQ(parts.message, "Thread Error: No memory (8).");
}

TEST(ApplicationErrorText, AddsNoSecondFullStop) {
  const std::string text = ApplicationErrorText(Exception("Out of memory."));
  Parts parts;
  ASSERT_TRUE(Split(text, parts)) << text;
  EXPECT_EQ(parts.class_name, "Exception");
  EXPECT_EQ(parts.message, "Out of memory.");
}

TEST(ApplicationErrorText, GivesTheAddressWhereAThreadErrorWasRaised) {
  int marker = 0;
  const std::string text = ApplicationErrorText(EThread("x", &marker));
  char expected[32];
  std::snprintf(expected, sizeof expected, " at %p.", static_cast<const void*>(&marker));
  EXPECT_NE(text.find(expected), std::string::npos) << text;
}

TEST(ApplicationErrorText, EmptyMessageStillGetsItsFullStop) {
  const std::string text = ApplicationErrorText(std::runtime_error(""));
  EXPECT_EQ(text.substr(text.size() - 3), ".\r\n");
  EXPECT_NE(text.find("Exception std::runtime_error in module"), std::string::npos) << text;
}

}  // namespace
