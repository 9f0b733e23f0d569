// skirmora-script [--record FILE] [--mixdown FILE] [SCENARIO]: the whole game on the headless
// back end, driven by a scenario read from the file or, without one, from standard input.
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/script/Runner.h"
#include "host/text/Utf8.h"

int main(int argc, char** argv) {
  const char* const usage = "usage: skirmora-script [--record FILE] [--mixdown FILE] [SCENARIO]\n";
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string recordPath, mixdownPath;
  while (!args.empty() && (args[0] == "--record" || args[0] == "--mixdown")) {
    if (args.size() < 2) {
      std::cerr << usage;
      return 2;
    }
    (args[0] == "--record" ? recordPath : mixdownPath) = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.size() > 1) {
    std::cerr << usage;
    return 2;
  }
  std::ifstream file;
  if (args.size() == 1) {
    file.open(args[0]);
    if (!file) {
      std::cerr << "skirmora-script: cannot read " << args[0] << "\n";
      return 2;
    }
  }
  // The program believes it runs from the folder of this runner, as the game would.
  std::string self = "/proc/self/exe";
  char path[4096];
  const ssize_t n = ::readlink(self.c_str(), path, sizeof path - 1);
  std::string exe = n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string(argv[0]);
  const std::size_t slash = exe.rfind('/');
  script::Runner runner(args.size() == 1 ? static_cast<std::istream&>(file) : std::cin, std::cout,
                        slash == std::string::npos ? "." : exe.substr(0, slash),
                        exe.substr(slash == std::string::npos ? 0 : slash + 1));
  if (!recordPath.empty()) runner.RecordTo(recordPath);
  if (!mixdownPath.empty()) runner.MixDownTo(mixdownPath);
  return runner.Run();
}
