#include "shell/user_text.h"

#include <cstdio>

#include "platform/win32.h"

namespace {

constexpr const char* kProgramName = "nosignal";

}  // namespace

#ifdef _WIN32

void ShowText(const std::string& text) { MessageBoxA(nullptr, text.c_str(), kProgramName, MB_OK); }

void TellRefusal(const std::string& line) {
  MessageBoxA(nullptr, line.c_str(), kProgramName, MB_OK | MB_ICONSTOP);
}

#else

void ShowText(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);
}

void TellRefusal(const std::string& line) {
  std::fprintf(stderr, "%s: %s\n", kProgramName, line.c_str());
  std::fflush(stderr);
}

#endif
