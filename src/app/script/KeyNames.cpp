#include "app/script/KeyNames.h"

#include <map>
#include <utility>

#include "app/script/Words.h"
#include "host/Keys.h"
#include "host/Window.h"

namespace script {
namespace {

const std::map<std::string, int>& NamedKeys() {
  using namespace host::vk;
  static const std::map<std::string, int> named{
      {"LEFT", Left},         {"RIGHT", Right},       {"UP", Up},           {"DOWN", Down},
      {"INSERT", Insert},     {"DELETE", Delete},     {"SPACE", Space},     {"ENTER", Return},
      {"ESC", Escape},        {"ADD", Add},           {"DECIMAL", Decimal}, {"SUBTRACT", Subtract},
      {"MULTIPLY", Multiply}, {"DIVIDE", Divide},     {"LWIN", LWin},       {"RWIN", RWin},
      {"CTRL", Control},      {"ALT", Menu},          {"SHIFT", Shift},     {"BACK", Back},
      {"TAB", Tab},           {"HOME", Home},         {"END", End},         {"PAGEUP", Prior},
      {"PAGEDOWN", Next},     {"CLEAR", Clear},       {"PAUSE", Pause},     {"CAPSLOCK", Capital},
      {"NUMLOCK", NumLock},   {"SCROLLLOCK", Scroll}, {"APPS", Apps}};
  return named;
}

using Word = std::pair<const char*, int>;
constexpr Word kModifiers[] = {
    {"+SHIFT", host::kShiftMask}, {"+CTRL", host::kCtrlMask}, {"+ALT", host::kAltMask}};
constexpr Word kButtons[] = {
    {"left", host::kLeftButton}, {"right", host::kRightButton}, {"middle", host::kMiddleButton}};

template <std::size_t N>
std::optional<int> BitOf(const Word (&words)[N], const std::string& word) {
  for (const auto& [name, bit] : words)
    if (word == name) return bit;
  return std::nullopt;
}

template <std::size_t N>
std::string WordsOf(const Word (&words)[N], int bits) {
  std::string text;
  for (const auto& [name, bit] : words)
    if (bits & bit) (text += ' ') += name;
  return text;
}

std::optional<int> Digits(const std::string& text, std::size_t from, std::size_t maxDigits) {
  if (text.size() <= from || text.size() - from > maxDigits ||
      text.find_first_not_of("0123456789", from) != std::string::npos)
    return std::nullopt;
  return std::stoi(text.substr(from));
}

}  // namespace

std::optional<int> KeyCodeByName(const std::string& name) {
  using namespace host::vk;
  if (auto it = NamedKeys().find(name); it != NamedKeys().end()) return it->second;
  if (name.size() == 1 &&
      ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
    return name[0];
  if (name.size() == 7 && name.rfind("NUMPAD", 0) == 0 && name[6] >= '0' && name[6] <= '9')
    return Numpad(name[6] - '0');
  if (!name.empty() && name[0] == 'F') {
    const auto n = Digits(name, 1, 2);
    if (n && *n >= 1 && *n <= 24) return Function(*n);
  }
  if (name.rfind("VK", 0) == 0) {
    const auto n = Digits(name, 2, 3);
    if (n && *n >= 1 && *n <= 255) return *n;
  }
  return std::nullopt;
}

std::string KeyName(int code) {
  using namespace host::vk;
  for (const auto& [name, named] : NamedKeys())
    if (named == code) return name;
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
    return std::string(1, static_cast<char>(code));
  if (code >= Numpad0 && code <= Numpad(9)) return "NUMPAD" + std::to_string(code - Numpad0);
  if (code >= Function(1) && code <= Function(24)) return "F" + std::to_string(code - F1 + 1);
  return "VK" + std::to_string(code);
}

std::optional<int> ModifierByName(const std::string& word) {
  return BitOf(kModifiers, word);
}
std::optional<int> ButtonByName(const std::string& word) {
  return BitOf(kButtons, word);
}
std::string ModifierWords(int shift) {
  return WordsOf(kModifiers, shift);
}
std::string ButtonWords(int buttons) {
  return WordsOf(kButtons, buttons);
}

std::string KeyNameHelp() {
  std::string text = "Keys: A to Z, 0 to 9, F1 to F24, NUMPAD0 to NUMPAD9,";
  for (const auto& [name, code] : NamedKeys()) (text += ' ') += name;
  text += ", and VKn for any other virtual-key code n from 1 to 255. Modifiers:" +
          WordsOf(kModifiers, ~0) + ". Mouse buttons:" + WordsOf(kButtons, ~0) + ".";
  return Wrapped(text, 0, kHelpWidth) + "\n";
}

}  // namespace script
