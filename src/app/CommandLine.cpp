#include "app/CommandLine.h"

namespace app {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    }
    if (arg == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    }
    line.action = CommandLine::Action::Error;
    line.error = (arg.starts_with("-") ? "unknown option " : "unexpected argument ") + ("'" + arg + "'");
    return line;
  }
  return line;
}

std::string UsageText(const std::string& programName) {
  return "Usage: " + programName +
         " [OPTION]\n"
         "An arcade space shooter: hold the line against waves of Zorbs.\n"
         "\n"
         "  -h, --help     show this help and exit\n"
         "      --version  show the version and exit\n"
         "\n"
         "The hall of fame and the joystick buttons are kept in\n"
         "$XDG_CONFIG_HOME/skirmora/settings.reg (~/.config/skirmora/settings.reg).\n";
}

}  // namespace app
