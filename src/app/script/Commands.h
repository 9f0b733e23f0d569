#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// The runner's language: one command a line, its name and then its words. This is the one
// list of them; the runner, the recorder and `skirmora-script --help` all go by it.
enum class Command {
  Seed,
  Rnd,
  Cd,
  Registry,
  Program,
  Settings,
  SettingsNotice,
  Answer,
  Start,
  Menu,
  Down,
  Up,
  Press,
  Type,
  Char,
  Click,
  DblClick,
  Mouse,
  Close,
  Focus,
  QuitRequest,
  Joystick,
  Frames,
  Ticks,
  Idle,
  Wait,
  Set,
  Add,
  Clear,
  Check,
  Dump,
  Timeline,
  Screenshot,
  Quit,  // the last
};

inline constexpr std::size_t kAnyWords = static_cast<std::size_t>(-1);

struct CommandInfo {
  Command command;
  const char* name;
  const char* words;               // as the help shows them
  const char* help;                // one line
  std::size_t minWords, maxWords;  // after the name
  // A recording of a game may hold it: what the game learns from outside at start-up, its
  // input, and frame counts. Nothing such a command does reaches a file.
  bool inRecording;
  // It changes the program's state directly, not through input, so that a run recorded
  // with --record keeps the line as written.
  bool keptAsWritten;
};

// The command of that name, or null.
const CommandInfo* FindCommand(std::string_view name);
const CommandInfo& Info(Command command);

// The command of a line split into words (the first is its name), when there are as many
// words as it takes; a scenario error otherwise.
const CommandInfo& CommandOf(const std::vector<std::string>& words);

// "usage: NAME WORDS", for the error of a command written wrong.
std::string Usage(Command command);

// A line of the language: the command's name, then its words.
std::string Line(Command command, std::string_view words = {});

// Every command with its words and help, marking those a recording may hold, and the key
// names, as `skirmora-script --help` prints them.
std::string CommandHelp();

}  // namespace script
