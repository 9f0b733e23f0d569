#include "app/script/KeyNames.h"

#include <map>

#include "host/Keys.h"

namespace script {

std::optional<int> KeyCodeByName(const std::string& name) {
  using namespace host::vk;
  static const std::map<std::string, int> named{
      {"LEFT", Left},     {"RIGHT", Right},   {"UP", Up},          {"DOWN", Down},
      {"INSERT", Insert}, {"DELETE", Delete}, {"SPACE", Space},    {"ENTER", Return},
      {"ESC", Escape},    {"ADD", Add},       {"DECIMAL", Decimal}, {"SUBTRACT", Subtract},
      {"MULTIPLY", Multiply}, {"DIVIDE", Divide}, {"LWIN", LWin}, {"RWIN", RWin},
      {"CTRL", Control},  {"ALT", Menu},      {"SHIFT", Shift},    {"BACK", Back},
      {"TAB", Tab},       {"HOME", Home},     {"END", End},        {"PAGEUP", Prior},
      {"PAGEDOWN", Next}, {"CLEAR", Clear}};
  if (auto it = named.find(name); it != named.end()) return it->second;
  if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
    return name[0];
  if (name.size() == 7 && name.rfind("NUMPAD", 0) == 0 && name[6] >= '0' && name[6] <= '9')
    return Numpad(name[6] - '0');
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F' &&
      name.find_first_not_of("0123456789", 1) == std::string::npos) {
    const int n = std::stoi(name.substr(1));
    if (n >= 1 && n <= 12) return Function(n);
  }
  return std::nullopt;
}

}  // namespace script
