// The layers only look down: app > shell > game > platform > host, with the assets beside
// the game. Only the SDL back end may see SDL (and only two of its files Xlib):
// everything else has to run unchanged on the headless back end, so a wrong include is a
// broken layer, not a style question.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = SKIRMORA_SOURCE_DIR;

bool IncludesSdl(const std::string& line) {
  static const std::regex include(R"(^\s*#\s*include\s*[<"]SDL)");
  return std::regex_search(line, include);
}

// Xlib, directly or through SDL's window-system information: only the handler of the
// display's errors and the painter of a window's surround may talk to X itself; everything
// else goes through SDL, which also speaks Wayland.
bool IncludesXlib(const std::string& line) {
  static const std::regex include(R"(^\s*#\s*include\s*[<"](X11/|SDL_syswm))");
  return std::regex_search(line, include);
}

// The top folder of a project include ("game" for #include "game/Flow.h"), or "".
std::string IncludedLayer(const std::string& line) {
  static const std::regex include(R"(^\s*#\s*include\s*"([a-z]+)/)");
  std::smatch m;
  return std::regex_search(line, m, include) ? m[1].str() : std::string();
}

// What each folder of src/ may include of the project's own folders.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"host", {"host"}},
    {"platform", {"platform", "host"}},
    {"assets", {"assets", "host"}},
    {"game", {"game", "platform", "assets", "host"}},
    {"shell", {"shell", "game", "platform", "assets", "host"}},
    {"app", {"app", "shell", "game", "platform", "assets", "host"}},
};

// "path:line: text" on a line of its own for each include of `file` that breaks the layers.
std::string Offences(const fs::path& file) {
  const std::string relative = fs::relative(file, kSource).string();
  const bool inSrc = relative.starts_with("src/");
  // (The bare window measures SDL itself.)
  const bool sdlAllowed =
      relative.starts_with("src/host/sdl/") || relative == "bench/floor/BareWindow.cpp";
  const bool xlibAllowed =
      relative == "src/host/sdl/DisplayErrors.cpp" || relative == "src/host/sdl/ServerSurround.cpp";
  const std::string layer = inSrc ? relative.substr(4, relative.find('/', 4) - 4) : "";
  std::ifstream in(file);
  std::string line, found;
  for (int number = 1; std::getline(in, line); ++number) {
    bool wrong = (IncludesSdl(line) && !sdlAllowed) || (IncludesXlib(line) && !xlibAllowed);
    const std::string included = IncludedLayer(line);
    if (inSrc && !included.empty()) {
      auto rule = kMayInclude.find(layer);
      wrong = wrong || rule == kMayInclude.end() || !rule->second.contains(included);
    }
    if (wrong) found += "\n  " + relative + ":" + std::to_string(number) + ": " + line;
  }
  return found;
}

TEST(Layering, EveryIncludeLooksDownAndSdlAndXlibStayInTheirFiles) {
  // The scan must see what it is looking for, or it would pass whatever the tree holds.
  ASSERT_TRUE(IncludesSdl("  #  include <SDL_mixer.h>") && IncludesSdl("#include\"SDL.h\""));
  ASSERT_FALSE(IncludesSdl("// #include <SDL2/SDL.h>"));
  ASSERT_TRUE(IncludesXlib("#include <SDL_syswm.h>"));
  ASSERT_EQ(IncludedLayer("  # include \"game/Flow.h\"  // why"), "game");
  int filesRead = 0;
  std::string offences;
  for (const char* folder : {"src", "tests", "bench"}) {
    for (const auto& entry : fs::recursive_directory_iterator(kSource / folder)) {
      if (!entry.is_regular_file()) continue;
      ++filesRead;
      offences += Offences(entry.path());
    }
  }
  EXPECT_GT(filesRead, 10) << "the source tree was not found at " << kSource;
  EXPECT_EQ(offences, "") << "includes that break the layers";
}

// Each entry of docs/NOT-BUGS.md ends by naming the files where its behaviour is decided,
// and each of those marks it with a "Deliberate:" comment, so that nobody mends it by mistake.
TEST(Layering, EveryDeliberateOddityIsMarkedWhereItLives) {
  std::ifstream notBugs(kSource / "docs/NOT-BUGS.md");
  std::vector<std::string> lastLines;  // of each entry
  for (std::string line; std::getline(notBugs, line);) {
    if (line.starts_with("- ")) {
      lastLines.push_back(line);
    } else if (line.starts_with("  ") && !lastLines.empty()) {
      lastLines.back() = line;
    }
  }
  EXPECT_GT(lastLines.size(), 40u) << "docs/NOT-BUGS.md was not found or lost its entries";
  static const std::regex named(R"(\((src/[^()]+)\)$)");
  for (const std::string& last : lastLines) {
    std::smatch m;
    if (!std::regex_search(last, m, named)) {
      ADD_FAILURE() << "an entry names no file: " << last;
      continue;
    }
    std::istringstream files(m[1].str());
    for (std::string file; std::getline(files >> std::ws, file, ',');) {
      std::ifstream source(kSource / file);
      const std::string code{std::istreambuf_iterator<char>(source), {}};
      EXPECT_NE(code.find("Deliberate:"), std::string::npos)
          << file << " is missing or marks nothing; the entry ends: " << last;
    }
  }
}

}  // namespace
