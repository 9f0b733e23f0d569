// The runner's input commands: keys, mouse, typed characters, closing windows, joysticks.
#include "app/script/KeyNames.h"
#include "app/script/Runner.h"
#include "app/script/Words.h"
#include "host/Keys.h"

namespace script {
namespace {

// Reads +SHIFT, +CTRL and +ALT from `from` on; other words are left to `other`, which says
// whether it took them.
template <typename Other>
int Modifiers(const std::vector<std::string>& words, std::size_t from, Other other) {
  int shift = 0;
  for (std::size_t i = from; i < words.size(); ++i) {
    if (const auto bit = ModifierByName(words[i]))
      shift |= *bit;
    else if (!other(words[i]))
      throw ScenarioError("unknown modifier \"" + words[i] + "\"");
  }
  return shift;
}

}  // namespace

void Runner::Key(Command command, const std::vector<std::string>& words) {
  const auto code = KeyCodeByName(words[1]);
  if (!code) throw ScenarioError("unknown key \"" + words[1] + "\"");
  const int shift = Modifiers(words, 2, [](const std::string&) { return false; });
  if (command != Command::Up) {
    Host().PostKeyDown(*code, shift);
    // These keys also type a character, as they do on the desktop.
    if (*code == host::vk::Return || *code == host::vk::Escape || *code == host::vk::Back)
      Host().PostChar(static_cast<char32_t>(*code));
  }
  if (command != Command::Down) Host().PostKeyUp(*code, shift);
}

void Runner::Mouse(const std::vector<std::string>& words) {
  using Kind = host::HeadlessHost::MouseKind;
  Kind kind;
  if (words[1] == "down")
    kind = Kind::Down;
  else if (words[1] == "up")
    kind = Kind::Up;
  else if (words[1] == "move")
    kind = Kind::Move;
  else if (words[1] == "dblclick")
    kind = Kind::DoubleClick;
  else
    throw ScenarioError(Usage(Command::Mouse));
  const int x = static_cast<int>(Number(words[2], "X")),
            y = static_cast<int>(Number(words[3], "Y"));
  int buttons = 0;
  const int shift = Modifiers(words, 4, [&buttons](const std::string& word) {
    const auto bit = ButtonByName(word);
    buttons |= bit.value_or(0);
    return bit.has_value();
  });
  // A press or release is of the left button unless another is named; a move names the
  // buttons held, if any.
  if (buttons == 0 && kind != Kind::Move) buttons = host::kLeftButton;
  Host().PostMouse(kind, x, y, buttons, shift);
}

void Runner::Char(const std::vector<std::string>& words) {
  const std::int64_t ch = Number(words[1], "the character");
  if (ch < 1 || ch > 0x10FFFF) throw ScenarioError("characters are 1 to 1114111");
  Host().PostChar(static_cast<char32_t>(ch));
}

void Runner::Close(const std::vector<std::string>& words) {
  host::HeadlessWindow* window = nullptr;
  if (words.size() == 1) {
    window = static_cast<host::HeadlessWindow*>(Host().FrontWindow());
  } else {
    for (host::HeadlessWindow* w : Host().Windows())
      if (w->Visible() && w->Name() == words[1]) window = w;
  }
  if (!window)
    throw ScenarioError("no window " + (words.size() == 2 ? words[1] + " " : "") + "is open");
  Host().PostClose(window);
}

void Runner::Joystick(std::vector<std::string> words) {
  host::HeadlessJoysticks& joysticks = Host().ScriptedJoysticks();
  if (words[1] == "plug") {
    Expect(words, 4, kAnyWords, Command::Joystick);
    std::string name = words[2];
    for (std::size_t i = 3; i + 1 < words.size(); ++i) name += " " + words[i];
    const std::int64_t buttons = Number(words.back(), "the button count");
    if (buttons < 0 || buttons > 128) throw ScenarioError("a joystick has 0 to 128 buttons");
    joysticks.Plug(name, static_cast<int>(buttons));
    return;
  }
  // The other commands work device N of those attached (from 1, oldest first), or else the
  // one plugged in last.
  std::optional<std::int64_t> device = joysticks.Newest();
  if (words[1].find_first_not_of("0123456789") == std::string::npos) {
    const std::vector<host::JoystickInfo> attached = joysticks.Attached();
    const std::int64_t n = Number(words[1], "the joystick");
    if (n < 1 || n > static_cast<std::int64_t>(attached.size()))
      throw ScenarioError("no joystick " + words[1] + " is plugged in");
    device = attached[static_cast<std::size_t>(n - 1)].id;
    words.erase(words.begin() + 1);
    Expect(words, 2, kAnyWords, Command::Joystick);
  }
  if (!device) throw ScenarioError("no joystick is plugged in");
  const std::string& what = words[1];
  if (what == "unplug") {
    Expect(words, 2, 2, Command::Joystick);
    joysticks.Unplug(*device);
  } else if (what == "axis") {
    Expect(words, 4, 4, Command::Joystick);
    const std::int64_t x = Number(words[2], "X"), y = Number(words[3], "Y");
    if (x < host::kAxisMin || x > host::kAxisMax || y < host::kAxisMin || y > host::kAxisMax)
      throw ScenarioError("axis readings run from 0 to 65535 (32768 at rest)");
    joysticks.SetAxes(*device, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
  } else if (what == "button") {
    Expect(words, 4, 4, Command::Joystick);
    if (words[3] != "down" && words[3] != "up") throw ScenarioError(Usage(Command::Joystick));
    const std::int64_t n = Number(words[2], "the button");
    if (n < 1 || n > 128 || !joysticks.SetButton(*device, static_cast<int>(n), words[3] == "down"))
      throw ScenarioError("the joystick has no button " + words[2]);
  } else {
    throw ScenarioError(Usage(Command::Joystick));
  }
}

}  // namespace script
