#include "app/script/Commands.h"

#include <algorithm>
#include <iterator>

#include "app/script/KeyNames.h"
#include "app/script/Words.h"

namespace script {
namespace {

using C = Command;
constexpr std::size_t kAny = kAnyWords;
constexpr bool kRecording = true, kTestOnly = false;
constexpr bool kKept = true, kInput = false;

// In the order of the enum, which is the order the help lists them in: set-up before
// `start`, input, time, then what only test scenarios use.
constexpr CommandInfo kCommands[] = {
    {C::Seed, "seed", "N",
     "the seed the clock gives the random numbers (after start: reseeds them)", 1, 1, kRecording,
     kKept},
    {C::Rnd, "rnd", "V1 [V2 ...] | off",
     "the random numbers the game draws next, each in [0, 1), over and over; off ends that", 1,
     kAny, kTestOnly, kKept},
    {C::Cd, "cd", "present|absent", "whether an audio CD seems to be playing at start-up", 1, 1,
     kRecording, kInput},
    {C::Registry, "registry", "FILE",
     "start from this settings file and save into it, instead of a store in memory", 1, 1,
     kTestOnly, kInput},
    {C::Program, "program", "PATH", "where the game believes it runs from", 1, kAny, kRecording,
     kInput},
    {C::Settings, "settings", "LINE",
     "a line of the settings file's text form: the store starts with what these lines hold", 1,
     kAny, kRecording, kInput},
    {C::SettingsNotice, "settings-notice", "TEXT",
     "a trouble the settings store met when it was opened, told at start-up", 1, kAny, kRecording,
     kInput},
    {C::Answer, "answer", "WORD|TEXT",
     "the next dialog's button, input text or popup item (by caption, or number from 1; 0 "
     "dismisses a popup; keep-open leaves it open for the lines that follow)",
     1, kAny, kRecording, kInput},
    {C::Start, "start", "", "starts the program; the lines above come before it", 0, 0, kRecording,
     kInput},
    {C::Menu, "menu", "N", "clicks item N of the text menu of the window in front", 1, 1,
     kRecording, kInput},
    {C::Down, "down", "KEY [+SHIFT|+CTRL|+ALT ...]", "a key goes down", 1, kAny, kRecording,
     kInput},
    {C::Up, "up", "KEY [+SHIFT|+CTRL|+ALT ...]", "a key comes up", 1, kAny, kRecording, kInput},
    {C::Press, "press", "KEY [+SHIFT|+CTRL|+ALT ...]",
     "a key goes down and up (Enter, Esc and Backspace type their character too)", 1, kAny,
     kRecording, kInput},
    {C::Type, "type", "TEXT", "types the text", 1, kAny, kRecording, kInput},
    {C::Char, "char", "N", "types one character by its code point (blanks, control characters)", 1,
     1, kRecording, kInput},
    {C::Click, "click", "X Y [right]", "a left (or right) click at X, Y of the window in front", 2,
     3, kRecording, kInput},
    {C::DblClick, "dblclick", "X Y [right]", "a double click there", 2, 3, kRecording, kInput},
    {C::Mouse, "mouse", "down|up|move|dblclick X Y [left|right|middle ...] [+SHIFT|+CTRL|+ALT ...]",
     "one mouse event; a move names the buttons held", 3, kAny, kRecording, kInput},
    {C::Close, "close", "[WINDOW]",
     "the window manager's close button on the window in front, or on the one named", 0, 1,
     kRecording, kInput},
    {C::Focus, "focus", "lost|back", "the keyboard focus leaves the program, or comes back", 1, 1,
     kRecording, kInput},
    {C::QuitRequest, "quit-request", "[dialog]",
     "a request to end from outside (a signal, the session ending): now, or with dialog in line "
     "with the answers, taken by the dialog in that place",
     0, 1, kRecording, kInput},
    {C::Joystick, "joystick",
     "plug NAME BUTTONS | [N] axis X Y | [N] button B down|up | [N] unplug",
     "a joystick plugged in (before start: attached when the program starts), its stick (0 to "
     "65535, 32768 at rest), its buttons, unplugged; N counts the attached ones from 1, else "
     "the newest",
     1, kAny, kRecording, kInput},
    {C::Frames, "frames", "N",
     "advances virtual time by N x 50 ms (a frame that sleeps swallows those behind it)", 1, 1,
     kRecording, kInput},
    {C::Ticks, "ticks", "N",
     "runs exactly N ticks of the game's frame timer, however long each takes, or until it "
     "stops",
     1, 1, kRecording, kInput},
    {C::Idle, "idle", "MS",
     "the player took MS ms before the next line (before an answer: read its dialog that "
     "long); skirmora --replay waits as long, up to 5 s, the runner goes straight on",
     1, 1, kRecording, kInput},
    {C::Wait, "wait", "MS", "advances virtual time by MS milliseconds", 1, 1, kTestOnly, kInput},
    {C::Set, "set", "NAME VALUE", "sets a state variable, within its range", 2, 2, kTestOnly,
     kKept},
    {C::Add, "add", "LIST F1 .. F9", "appends a record to Shots, Debris, Enemies or PowerUps", 10,
     10, kTestOnly, kKept},
    {C::Clear, "clear", "LIST", "empties one of those lists", 1, 1, kTestOnly, kKept},
    {C::Check, "check", "",
     "stops when a value is out of its range or a list's storage differs from its count", 0, 0,
     kTestOnly, kInput},
    {C::Dump, "dump", "[NAME ...]", "prints the state, or those entries of it, as a JSON line", 0,
     kAny, kTestOnly, kInput},
    {C::Timeline, "timeline", "| timeline watch [NAME ...] | timeline screenshot STEPS FILE",
     "prints the sleeps and presents since the last timeline; records state entries with each "
     "step; writes the window in front as it is STEPS steps later",
     0, kAny, kTestOnly, kInput},
    {C::Screenshot, "screenshot", "FILE", "writes the window in front as a 24-bit BMP", 1, 1,
     kTestOnly, kInput},
    {C::Quit, "quit", "", "ends the program as its Exit item does", 0, 0, kTestOnly, kKept},
};

constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < std::size(kCommands); ++i)
    if (static_cast<std::size_t>(kCommands[i].command) != i) return false;
  return std::size(kCommands) == static_cast<std::size_t>(Command::Quit) + 1;
}
static_assert(InEnumOrder(), "Info() finds a command at its place in the enum");

}  // namespace

const CommandInfo* FindCommand(std::string_view name) {
  const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                               [name](const CommandInfo& c) { return c.name == name; });
  return it == std::end(kCommands) ? nullptr : it;
}

const CommandInfo& Info(Command command) {
  return kCommands[static_cast<std::size_t>(command)];
}

const CommandInfo& CommandOf(const std::vector<std::string>& words) {
  const CommandInfo* info = FindCommand(words.at(0));
  if (!info) throw ScenarioError("unknown command \"" + words[0] + "\"");
  const std::size_t n = words.size() - 1;
  if (n < info->minWords || n > info->maxWords) throw ScenarioError(Usage(info->command));
  return *info;
}

std::string Usage(Command command) {
  const CommandInfo& info = Info(command);
  return "usage: " + Line(command, info.words);
}

std::string Line(Command command, std::string_view words) {
  std::string line = Info(command).name;
  if (!words.empty()) (line += ' ') += words;
  return line;
}

std::string CommandHelp() {
  std::string text =
      "Commands, one a line (\"#\" starts a comment). A recording may hold only those marked "
      "\"*\";\nthe others need --all-commands.\n\n";
  constexpr std::size_t kColumn = 30;
  for (const CommandInfo& c : kCommands) {
    std::string entry = (c.inRecording ? "* " : "  ") + Line(c.command, c.words);
    entry += entry.size() < kColumn ? std::string(kColumn - entry.size(), ' ')
                                    : "\n" + std::string(kColumn, ' ');
    text += entry + Wrapped(c.help, kColumn, kHelpWidth) + "\n";
  }
  return text + "\n" + KeyNameHelp();
}

}  // namespace script
