#pragma once
#include <string>
#include <vector>

namespace app {

// What the game's command line asks for. Only the Linux conventions: nothing here changes
// what the game does, which lives in the settings file; a recording only watches it.
struct CommandLine {
  enum class Action { Play, Help, Version, Error };
  Action action = Action::Play;
  bool windowed = false;   // --window: the game screen in a resizable desktop window
  std::string error;       // Action::Error: one line saying what was not understood
  std::string recordPath;  // Action::Play: where to write the game down, if anywhere
  std::string replayPath;  // Action::Play: the recording to watch instead of playing
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text --help prints.
std::string UsageText(const std::string& programName);

}  // namespace app
