// skirmora-script [SCENARIO]: the whole game on the headless back end, driven by a scenario
// read from the file or, without one, from standard input.
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <string>

#include "app/script/Runner.h"
#include "host/text/Utf8.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: skirmora-script [SCENARIO]\n";
    return 2;
  }
  std::ifstream file;
  if (argc == 2) {
    file.open(argv[1]);
    if (!file) {
      std::cerr << "skirmora-script: cannot read " << argv[1] << "\n";
      return 2;
    }
  }
  // The program believes it runs from the folder of this runner, as the game would.
  std::string self = "/proc/self/exe";
  char path[4096];
  const ssize_t n = ::readlink(self.c_str(), path, sizeof path - 1);
  std::string exe = n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string(argv[0]);
  const std::size_t slash = exe.rfind('/');
  script::Runner runner(argc == 2 ? static_cast<std::istream&>(file) : std::cin, std::cout,
                        slash == std::string::npos ? "." : exe.substr(0, slash),
                        exe.substr(slash == std::string::npos ? 0 : slash + 1));
  return runner.Run();
}
