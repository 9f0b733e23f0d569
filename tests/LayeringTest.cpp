// Only the SDL back end may see SDL: everything else has to run unchanged on the headless
// back end, so an SDL include anywhere else is a broken layer, not a style question.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = SKIRMORA_SOURCE_DIR;

bool IncludesSdl(const std::string& line) {
  static const std::regex include(R"(^\s*#\s*include\s*[<"]SDL)");
  return std::regex_search(line, include);
}

struct Scan {
  int filesRead = 0;
  std::vector<std::string> offenders;  // "path:line: text"
};

// Reads every file under the given folders of the source tree, except the SDL back end.
Scan ScanForSdlIncludes(const std::vector<std::string>& folders) {
  const fs::path allowed = kSource / "src" / "host" / "sdl";
  Scan scan;
  for (const std::string& folder : folders) {
    for (auto it = fs::recursive_directory_iterator(kSource / folder);
         it != fs::recursive_directory_iterator(); ++it) {
      if (it->is_directory() && it->path() == allowed) {
        it.disable_recursion_pending();
        continue;
      }
      if (!it->is_regular_file()) continue;
      std::ifstream in(it->path());
      ++scan.filesRead;
      std::string line;
      for (int number = 1; std::getline(in, line); ++number)
        if (IncludesSdl(line))
          scan.offenders.push_back(fs::relative(it->path(), kSource).string() + ":" +
                                   std::to_string(number) + ": " + line);
    }
  }
  return scan;
}

TEST(Layering, RecognisesEveryFormOfAnSdlInclude) {
  for (const char* line : {"#include <SDL2/SDL.h>", "#include \"SDL.h\"",
                           "  #  include <SDL_mixer.h>", "#include<SDL2/SDL_ttf.h>"})
    EXPECT_TRUE(IncludesSdl(line)) << line;
  for (const char* line :
       {"#include \"host/Surface.h\"", "// #include <SDL2/SDL.h>", "#include <vector>  // not SDL",
        "const char* kSdl = \"#include <SDL\";"})
    EXPECT_FALSE(IncludesSdl(line)) << line;
}

TEST(Layering, NoSdlIncludeOutsideTheSdlBackEnd) {
  const Scan scan = ScanForSdlIncludes({"src", "tests", "bench"});
  EXPECT_GT(scan.filesRead, 10) << "the source tree was not found at " << kSource;
  std::string report;
  for (const std::string& offender : scan.offenders) report += "\n  " + offender;
  EXPECT_TRUE(scan.offenders.empty()) << "SDL is included outside src/host/sdl:" << report;
}

}  // namespace
