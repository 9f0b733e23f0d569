#include "app/CommandLine.h"

#include <optional>

namespace app {
namespace {

// The FILE of `--option FILE` or `--option=FILE` when args[i] is that option (i moves past
// it); nothing otherwise, or with an Error in `line` when the FILE is missing.
std::optional<std::string> FileOption(const std::vector<std::string>& args, std::size_t& i,
                                      const std::string& option, CommandLine& line) {
  const std::string& arg = args[i];
  std::string file;
  if (arg.starts_with(option + "=")) {
    file = arg.substr(option.size() + 1);
  } else if (arg != option) {
    return std::nullopt;
  } else if (i + 1 < args.size()) {
    file = args[++i];
  }
  if (file.empty()) {
    line.action = CommandLine::Action::Error;
    line.error = "option '" + option + "' needs a FILE";
    return std::nullopt;
  }
  return file;
}

}  // namespace

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
    if (const auto file = FileOption(args, i, "--record", line)) {
      line.recordPath = *file;
      continue;
    }
    if (const auto file = FileOption(args, i, "--replay", line)) {
      line.replayPath = *file;
      continue;
    }
    if (line.action == CommandLine::Action::Error) return line;
    line.action = CommandLine::Action::Error;
    line.error =
        (arg.starts_with("-") ? "unknown option " : "unexpected argument ") + ("'" + arg + "'");
    return line;
  }
  if (!line.recordPath.empty() && !line.replayPath.empty()) {
    line.action = CommandLine::Action::Error;
    line.error = "a recording cannot be watched and recorded at once";
  }
  return line;
}

std::string UsageText(const std::string& programName) {
  return "Usage: " + programName +
         " [OPTION]\n"
         "An arcade space shooter: hold the line against waves of Zorbs.\n"
         "\n"
         "      --window       play in a resizable window instead of covering the screen\n"
         "      --record FILE  write the game down in FILE when it ends, to be watched\n"
         "                     with --replay (or replayed headless by skirmora-script)\n"
         "      --replay FILE  watch a game recorded with --record, in real time: Esc ends\n"
         "                     it, P pauses it; the settings file is not touched\n"
         "  -h, --help         show this help and exit\n"
         "      --version      show the version and the licences and exit\n"
         "\n"
         "The hall of fame and the joystick buttons are kept in\n"
         "$XDG_CONFIG_HOME/skirmora/settings.reg (~/.config/skirmora/settings.reg).\n";
}

}  // namespace app
