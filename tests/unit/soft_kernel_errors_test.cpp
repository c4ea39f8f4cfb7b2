// The last error of each thread and the system's texts for error codes.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/win32.h"

namespace {

std::string Text(DWORD code) {
  char buffer[256] = "unchanged";
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                      0x0400, buffer, sizeof(buffer), nullptr);
  return length == 0 ? std::string() : std::string(buffer, length);
}

TEST(LastError, BelongsToEachThread) {
  SetLastError(ERROR_OUTOFMEMORY);
  DWORD seen_elsewhere = 1;
  std::thread([&] {
    seen_elsewhere = GetLastError();
    SetLastError(ERROR_INVALID_HANDLE);
  }).join();
  EXPECT_EQ(seen_elsewhere, ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), ERROR_OUTOFMEMORY);
}

TEST(ErrorText, IsTheSystemsWordingWithItsLineEnd) {
  EXPECT_EQ(Text(ERROR_NOT_ENOUGH_MEMORY),
            "Not enough memory resources are available to process this command.\r\n");
  EXPECT_EQ(Text(ERROR_OUTOFMEMORY),
            "Not enough memory resources are available to complete this operation.\r\n");
  for (DWORD code : {ERROR_SUCCESS, ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER, ERROR_INVALID_WINDOW_HANDLE,
                     ERROR_CANNOT_FIND_WND_CLASS, ERROR_CLASS_ALREADY_EXISTS, ERROR_NOT_ENOUGH_RESOURCES}) {
    const std::string text = Text(code);
    ASSERT_GE(text.size(), 3u) << code;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << code;
  }
}

TEST(ErrorText, FailsForUnknownCodesAndSmallBuffers) {
  EXPECT_EQ(Text(123456), "");
  EXPECT_NE(GetLastError(), ERROR_SUCCESS);
  char small[10];
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_NOT_ENOUGH_MEMORY, 0, small, sizeof(small),
                           nullptr),
            0u);
  EXPECT_EQ(FormatMessageA(0, nullptr, ERROR_NOT_ENOUGH_MEMORY, 0, small, sizeof(small), nullptr), 0u);
}

}  // namespace
