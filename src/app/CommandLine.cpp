#include "app/CommandLine.h"

namespace app {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    }
    if (arg == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    }
    if (arg == "--window") {
      line.windowed = true;
      continue;
    }
    if (arg == "--record" || arg.starts_with("--record=")) {
      if (arg != "--record")
        line.recordPath = arg.substr(9);
      else if (i + 1 < args.size())
        line.recordPath = args[++i];
      if (line.recordPath.empty()) {
        line.action = CommandLine::Action::Error;
        line.error = "option '--record' needs a FILE";
        return line;
      }
      continue;
    }
    line.action = CommandLine::Action::Error;
    line.error =
        (arg.starts_with("-") ? "unknown option " : "unexpected argument ") + ("'" + arg + "'");
    return line;
  }
  return line;
}

std::string UsageText(const std::string& programName) {
  return "Usage: " + programName +
         " [OPTION]\n"
         "An arcade space shooter: hold the line against waves of Zorbs.\n"
         "\n"
         "      --window       play in a resizable window instead of covering the screen\n"
         "      --record FILE  write the game down in FILE when it ends, as a scenario\n"
         "                     that skirmora-script replays exactly\n"
         "  -h, --help         show this help and exit\n"
         "      --version      show the version and the licences and exit\n"
         "\n"
         "The hall of fame and the joystick buttons are kept in\n"
         "$XDG_CONFIG_HOME/skirmora/settings.reg (~/.config/skirmora/settings.reg).\n";
}

}  // namespace app
