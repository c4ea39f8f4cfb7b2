// The last error of each thread and the system's texts for error codes.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/win32.h"

namespace {

// The buffer is exactly `size` bytes, so that a write past it is caught.
std::string Text(DWORD code, DWORD size = 256) {
  std::vector<char> buffer(size);
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                      0x0400, buffer.data(), size, nullptr);
  return std::string(buffer.data(), length);
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

TEST(ErrorText, IsALineOfTheSystemsWordingOrNothingForUnknownCodesAndSmallBuffers) {
  for (DWORD code : {ERROR_SUCCESS, ERROR_INVALID_WINDOW_HANDLE, ERROR_CANNOT_FIND_WND_CLASS,
                     ERROR_CLASS_ALREADY_EXISTS, ERROR_NO_SYSTEM_RESOURCES, ERROR_OUTOFMEMORY}) {
    const std::string text = Text(code);
    ASSERT_GE(text.size(), 3u) << code;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << code;
  }
  EXPECT_EQ(Text(123456), "");
  EXPECT_NE(GetLastError(), ERROR_SUCCESS);
  EXPECT_EQ(Text(ERROR_NOT_ENOUGH_MEMORY, 10), "");
}

}  // namespace
