// skirmora-script [--all-commands] [--record FILE] [--mixdown FILE] [FILE]: the whole game on
// the headless back end, driven by a recording or scenario read from the file or, without one,
// from standard input.
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/script/Commands.h"
#include "app/script/Recording.h"
#include "app/script/Runner.h"
#include "app/script/Words.h"

namespace {

constexpr const char* kUsage =
    "Usage: skirmora-script [--all-commands] [--record FILE] [--mixdown FILE] [FILE]\n";

std::string HelpText() {
  const auto paragraph = [](const std::string& text) {
    return script::Wrapped(text, 0, script::kHelpWidth) + "\n\n";
  };
  return std::string(kUsage) +
         paragraph(
             "Replays a game recorded with 'skirmora --record FILE', or runs one of the "
             "project's test scenarios, on a back end without a display or sound, and prints "
             "the dialogs and what else the game shows outside as JSON lines. Without FILE the "
             "lines come from standard input.") +
         paragraph(
             "A recording from anybody is safe to replay: it may hold only the commands "
             "marked \"*\" below, at most 24 hours of play (" +
             std::to_string(script::kRecordingFrames) + " frames) and " +
             std::to_string(script::kRecordingBytes / 1'000'000) +
             " MB. Anything else is refused before anything runs. A replay reads no file "
             "but FILE, and starts from the settings the recording holds, in memory: the "
             "player's own settings are never read or written.") +
         "      --all-commands  accept every command: the test scenarios' too, which write\n"
         "                      pictures, use settings files, and set and print the game's state\n"
         "      --record FILE   also write the run down in FILE, as 'skirmora --record' does\n"
         "      --mixdown FILE  also write the game's sound to FILE as the real mixer makes it\n"
         "                      (raw 16-bit stereo at 44.1 kHz, on the virtual clock)\n"
         "  -h, --help          show this help and exit\n\n" +
         paragraph(
             "Exit status: 0 when the program ended, 1 when the recording asked for with "
             "--record could not be written, 2 for a line refused or wrong (the message "
             "names it) or a command line not understood.") +
         script::CommandHelp();
}

int Misuse(const std::string& problem) {
  std::cerr << "skirmora-script: " << problem << " (try 'skirmora-script --help')\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string recordPath, mixdownPath, scenarioPath;
  bool haveScenario = false;
  script::Accept accept = script::Accept::Recording;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << HelpText();
      return 0;
    }
    if (arg == "--all-commands") {
      accept = script::Accept::AllCommands;
    } else if (arg == "--record" || arg == "--mixdown") {
      if (i + 1 == args.size()) return Misuse("option '" + arg + "' needs a FILE");
      (arg == "--record" ? recordPath : mixdownPath) = args[++i];
    } else if (arg.starts_with("-")) {
      return Misuse("unknown option '" + arg + "'");
    } else if (haveScenario) {
      return Misuse("one FILE at most, not also '" + arg + "'");
    } else {
      scenarioPath = arg;
      haveScenario = true;
    }
  }
  std::ifstream file;
  if (haveScenario) {
    file.open(scenarioPath);
    if (!file) {
      std::cerr << "skirmora-script: cannot read " << scenarioPath << "\n";
      return 2;
    }
  }
  // The program believes it runs from the folder of this runner, as the game would.
  std::string self = "/proc/self/exe";
  char path[4096];
  const ssize_t n = ::readlink(self.c_str(), path, sizeof path - 1);
  std::string exe = n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string(argv[0]);
  const std::size_t slash = exe.rfind('/');
  script::Runner runner(haveScenario ? static_cast<std::istream&>(file) : std::cin, std::cout,
                        slash == std::string::npos ? "." : exe.substr(0, slash),
                        exe.substr(slash == std::string::npos ? 0 : slash + 1), accept);
  if (!recordPath.empty()) runner.RecordTo(recordPath);
  if (!mixdownPath.empty()) runner.MixDownTo(mixdownPath);
  return runner.Run();
}
