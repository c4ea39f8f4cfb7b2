#include "shell/error_box.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "platform/win32.h"
#include "shell/thread.h"

namespace {

std::string ClassName(const std::exception& error) {
  const char* mangled = typeid(error).name();
  int status = 0;
  const std::unique_ptr<char, decltype(&std::free)> name(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  return status == 0 && name != nullptr ? name.get() : mangled;
}

std::string ModuleName() {
  char path[1024] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string full(path);
  const auto slash = full.find_last_of("/\\");
  return slash == std::string::npos ? full : full.substr(slash + 1);
}

const void* Address(const std::exception& error) {
  const auto* thread_error = dynamic_cast<const EThread*>(&error);
  return thread_error != nullptr ? thread_error->Address() : nullptr;
}

}  // namespace

std::string ApplicationErrorText(const std::exception& error) {
  const std::string message = error.what();
  const char* stop = !message.empty() && message.back() == '.' ? "" : ".";
  const std::string name = ClassName(error);
  const std::string module = ModuleName();
  const int length = std::snprintf(nullptr, 0, "Exception %s in module %s at %p.\r\n%s%s\r\n",
                                   name.c_str(), module.c_str(), Address(error),
                                   message.c_str(), stop);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "Exception %s in module %s at %p.\r\n%s%s\r\n",
                name.c_str(), module.c_str(), Address(error), message.c_str(), stop);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void ShowApplicationError(const std::exception& error) {
  MessageBoxA(nullptr, ApplicationErrorText(error).c_str(), "Application Error",
              MB_ICONSTOP | MB_TASKMODAL);
}
