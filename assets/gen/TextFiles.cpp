#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Generators.h"

// The string table is kept as text: one "id<TAB>text" line per string, UTF-8.
std::vector<assets::PackFile> MakeTextFiles(const std::string& sourceDir) {
  const std::string path = sourceDir + "/text/strings.txt";
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::stringstream text;
  text << in.rdbuf();
  const std::string s = text.str();
  return {assets::PackFile{"strings.txt", std::vector<std::uint8_t>(s.begin(), s.end())}};
}
