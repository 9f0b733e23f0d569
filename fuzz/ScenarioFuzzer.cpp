// The headless runner reads scenarios that people write and recordings of games that anybody
// may share. Whatever a scenario says, the runner must run it or stop with a scenario error,
// never read or write outside a buffer, and the game under it must keep its state sound; the
// check of a recording must take any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "app/script/Recording.h"
#include "app/script/Runner.h"

namespace {

// Commands that reach the file system, and counts that would only make one input slow: the
// fuzzer leaves those out (every other command is fair game).
bool Allowed(const std::string& line) {
  std::istringstream in(line);
  std::string command, count;
  in >> command >> count;
  if (command == "registry" || command == "screenshot" || command == "record") return false;
  if (command == "timeline" && count == "screenshot") return false;
  if (command == "frames" || command == "ticks" || command == "wait")
    return count.size() <= 3 && count.find_first_not_of("0123456789") == std::string::npos;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The check a shared recording passes before it runs takes any bytes.
  std::istringstream recording(text);
  const script::CheckedRecording checked = script::ReadRecording(recording);
  if (checked.accepted != (checked.line == 0 && checked.problem.empty())) std::abort();
  std::istringstream lines(text);
  std::string scenario;
  for (std::string line; std::getline(lines, line);) {
    if (!Allowed(line)) return -1;  // not worth keeping in the corpus
    scenario += line + "\n";
  }
  // After the scenario's own lines the state is checked once more as the runner sees it.
  scenario += "check\n";
  std::istringstream in(scenario);
  std::ostringstream out;
  script::Runner runner(in, out, "/nonexistent", "skirmora-script", script::Accept::AllCommands);
  const int status = runner.Run();
  if (status != 0 && status != 2) std::abort();
  return 0;
}
