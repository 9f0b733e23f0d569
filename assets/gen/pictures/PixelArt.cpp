#include "pictures/PixelArt.h"

#include <fstream>
#include <map>
#include <stdexcept>
#include <vector>

namespace art {

namespace {

[[noreturn]] void Fail(const std::string& path, int line, const std::string& what) {
  throw std::runtime_error(path + ":" + std::to_string(line) + ": " + what);
}

host::Color ParseHex(const std::string& path, int line, const std::string& hex) {
  if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    Fail(path, line, "colour must be six hex digits RRGGBB, not \"" + hex + "\"");
  return static_cast<host::Color>(std::stoul(hex, nullptr, 16));
}

}  // namespace

host::Surface ReadPixelArt(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::map<char, host::Color> legend;
  std::vector<std::string> rows;
  bool inRows = false;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.rfind("//", 0) == 0) continue;
    if (!inRows) {
      if (text.empty()) continue;
      if (text == "---") {
        if (legend.empty()) Fail(path, line, "no legend before \"---\"");
        inRows = true;
      } else if (text.size() >= 5 && text.substr(1, 3) == " = ") {
        legend[text[0]] = ParseHex(path, line, text.substr(4));
      } else {
        Fail(path, line, "expected a legend line \"C = RRGGBB\" or \"---\"");
      }
      continue;
    }
    if (!rows.empty() && text.size() != rows[0].size()) Fail(path, line, "ragged row");
    for (char c : text)
      if (!legend.contains(c)) Fail(path, line, std::string("character '") + c + "' not in legend");
    rows.push_back(text);
  }
  if (rows.empty() || rows[0].empty()) throw std::runtime_error(path + ": no pixel rows");
  host::Surface image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) image.SetPixel(x, y, legend[rows[y][x]]);
  return image;
}

}  // namespace art
