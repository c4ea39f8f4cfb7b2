#include "shell/launcher.h"

#include <cstdlib>
#include <string_view>
#include <vector>

#include "shell/command_line.h"
#include "shell/program.h"
#include "shell/user_text.h"

namespace {

constexpr int kBadArgument = 2;

}  // namespace

int RunCommandLine(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const Launch launch = ParseCommandLine(arguments, std::getenv("XSCREENSAVER_WINDOW"));
  switch (launch.mode) {
    case LaunchMode::Help:
      ShowText(HelpText("nosignal"));
      return 0;
    case LaunchMode::Version:
      ShowText(VersionText());
      return 0;
    case LaunchMode::Refused:
      TellRefusal(launch.error + " (see --help)");
      return kBadArgument;
    default:
      return RunProgram(launch);
  }
}
