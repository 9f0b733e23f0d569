#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Generators.h"

namespace {

assets::PackFile Copy(const std::string& sourceDir, const std::string& name) {
  const std::string path = sourceDir + "/text/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::stringstream text;
  text << in.rdbuf();
  const std::string s = text.str();
  return {name, std::vector<std::uint8_t>(s.begin(), s.end())};
}

}  // namespace

// The string table (one "id<TAB>text" line per string) and the version information (one
// "Field=value" line per field) are kept as UTF-8 text and carried as they are.
std::vector<assets::PackFile> MakeTextFiles(const std::string& sourceDir) {
  return {Copy(sourceDir, "strings.txt"), Copy(sourceDir, "version.txt")};
}
