#include "app/script/Runner.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <sstream>

#include "app/script/Json.h"
#include "app/script/KeyNames.h"
#include "host/ImageFile.h"
#include "host/Keys.h"
#include "host/RegistryFile.h"
#include "host/text/Utf8.h"
#include "shell/Form.h"
#include "shell/TextFields.h"
#include "shell/TextMenu.h"

namespace script {
namespace {

std::vector<std::string> Split(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// The text after the first word, as written (for answers and typed text).
std::string Rest(const std::string& line) {
  const std::size_t start = line.find_first_not_of(" \t");
  const std::size_t gap = line.find_first_of(" \t", start);
  if (gap == std::string::npos) return {};
  const std::size_t text = line.find_first_not_of(" \t", gap);
  return text == std::string::npos ? std::string() : line.substr(text);
}

std::int64_t Number(const std::string& word, const char* what) {
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0' || errno == ERANGE)
    throw ScenarioError(std::string("expected a number for ") + what + ", got \"" + word + "\"");
  return v;
}

std::int64_t Count(const std::string& word, const char* what) {
  const std::int64_t n = Number(word, what);
  if (n < 0) throw ScenarioError(std::string("expected 0 or more for ") + what + ", got " + word);
  return n;
}

// Virtual time ends here, far beyond any game, so that the timers and sleeps running at
// the end of a long wait still have room on the clock.
constexpr std::int64_t kClockEnd = std::numeric_limits<std::int64_t>::max() / 2;

void Expect(const std::vector<std::string>& words, std::size_t min, std::size_t max, const char* usage) {
  if (words.size() < min || words.size() > max) throw ScenarioError(std::string("usage: ") + usage);
}

}  // namespace

Runner::Runner(std::istream& scenario, std::ostream& out, std::string programFolder,
               std::string programFile)
    : scenario_(scenario), out_(out), programFolder_(std::move(programFolder)),
      programFile_(std::move(programFile)) {}

Runner::~Runner() = default;

host::HeadlessHost& Runner::Host() {
  if (!host_) throw ScenarioError("this command needs the program started first (start)");
  return *host_;
}

shell::Program& Runner::Program() {
  Host();
  return *program_;
}

int Runner::Run() {
  try {
    while (RunNextCommand()) {
    }
    return 0;
  } catch (const host::ProgramExit& exit) {
    return exit.status;
  } catch (const ScenarioError& e) {
    std::cerr << "skirmora-script: line " << line_ << ": " << e.what() << "\n";
    return 2;
  } catch (const std::invalid_argument& e) {
    std::cerr << "skirmora-script: line " << line_ << ": " << e.what() << "\n";
    return 2;
  }
}

bool Runner::RunNextCommand() {
  std::string line;
  while (std::getline(scenario_, line)) {
    ++line_;
    std::vector<std::string> words = Split(line);
    if (words.empty() || words[0][0] == '#') continue;
    Execute(words, Rest(line));
    return true;
  }
  return false;
}

void Runner::Execute(const std::vector<std::string>& words, const std::string& rest) {
  const std::string& command = words[0];
  if (command == "seed" || command == "rnd" || command == "cd" || command == "registry" ||
      command == "program" || command == "answer") {
    ExecuteSetup(command, words, rest);
  } else if (command == "start") {
    Expect(words, 1, 1, "start");
    Start();
  } else if (command == "menu") {
    Expect(words, 2, 2, "menu N");
    MenuItem(static_cast<int>(Number(words[1], "the item")));
  } else if (command == "down" || command == "up" || command == "press") {
    Key(command, words);
  } else if (command == "type") {
    for (std::size_t at = 0; at < rest.size();) Host().PostChar(host::NextCodePoint(rest, at));
  } else if (command == "click" || command == "dblclick") {
    Expect(words, 3, 4, "click X Y [right]");
    const int x = static_cast<int>(Number(words[1], "X")), y = static_cast<int>(Number(words[2], "Y"));
    int button = host::kLeftButton;
    if (words.size() == 4) {
      if (words[3] != "right") throw ScenarioError("usage: click X Y [right]");
      button = host::kRightButton;
    }
    using Kind = host::HeadlessHost::MouseKind;
    Host().PostMouse(Kind::Move, x, y, 0, 0);
    Host().PostMouse(Kind::Down, x, y, button, 0);
    Host().PostMouse(Kind::Up, x, y, button, 0);
    if (command == "dblclick") {
      Host().PostMouse(Kind::DoubleClick, x, y, button, 0);
      Host().PostMouse(Kind::Up, x, y, button, 0);
    }
  } else if (command == "focus") {
    Expect(words, 2, 2, "focus lost|back");
    if (words[1] != "lost" && words[1] != "back") throw ScenarioError("usage: focus lost|back");
    Host().PostFocus(words[1] == "back");
  } else if (command == "joystick") {
    Joystick(words);
  } else if (command == "frames") {
    Expect(words, 2, 2, "frames N");
    AdvanceTime(Count(words[1], "the frame count"), 50);
  } else if (command == "ticks") {
    Expect(words, 2, 2, "ticks N");
    RunTicks(Count(words[1], "the tick count"));
  } else if (command == "wait") {
    Expect(words, 2, 2, "wait MS");
    AdvanceTime(Count(words[1], "the milliseconds"), 1);
  } else if (command == "set") {
    Expect(words, 3, 3, "set NAME VALUE");
    Set(words[1], words[2]);
  } else if (command == "add") {
    Add(words);
  } else if (command == "clear") {
    Expect(words, 2, 2, "clear LIST");
    Clear(words[1]);
  } else if (command == "check") {
    Expect(words, 1, 1, "check");
    Check();
  } else if (command == "dump") {
    Dump(std::vector<std::string>(words.begin() + 1, words.end()));
  } else if (command == "timeline") {
    Timeline(words);
  } else if (command == "screenshot") {
    Expect(words, 2, 2, "screenshot FILE");
    Screenshot(words[1]);
  } else if (command == "quit") {
    Expect(words, 1, 1, "quit");
    Program().QuitProgram();
  } else if (command == "quit-request") {
    if (words.size() > 2 || (words.size() == 2 && words[1] != "dialog"))
      throw ScenarioError("usage: quit-request [dialog]");
    // Before start the program waits for nothing but its dialogs.
    if (!host_) {
      answers_.push_back(std::nullopt);
    } else if (words.size() == 2) {
      host_->QueueQuitRequest();
    } else {
      const host::Window* front = host_->FrontWindow();
      host_->RequestQuit(front ? front->Name() : "");
    }
  } else {
    throw ScenarioError("unknown command \"" + command + "\"");
  }
}

void Runner::AdvanceTime(std::int64_t count, std::int64_t msEach) {
  CheckClockRoom(count, msEach);
  Host().AdvanceTime(count * msEach);
}

void Runner::CheckClockRoom(std::int64_t count, std::int64_t msEach) {
  if (count > (kClockEnd - Host().NowMs()) / msEach)
    throw ScenarioError("that would take the virtual clock past its end at " +
                        std::to_string(kClockEnd) + " ms");
}

void Runner::RunTicks(std::int64_t count) {
  CheckClockRoom(count, 50);
  game::MainForm* form = Program().GameWindow();
  if (!form) return;
  // Time moves a millisecond at a time, so that a tick that sleeps (a glide, a wave show)
  // still counts as one and no later tick is skipped. The count ends early when the game
  // stops ticking (paused, over, or its window closed).
  const std::uint64_t until = form->FramesRun() + static_cast<std::uint64_t>(count);
  while (form->FramesRun() < until && form->GameTimer().Enabled()) {
    if (Host().NowMs() >= kClockEnd) throw ScenarioError("the virtual clock ran out");
    Host().AdvanceTime(1);
  }
}

void Runner::ExecuteSetup(const std::string& command, const std::vector<std::string>& words,
                          const std::string& rest) {
  if (command == "seed") {
    Expect(words, 2, 2, "seed N");
    seed_ = static_cast<std::uint32_t>(Number(words[1], "the seed"));
    if (program_) program_->Game().random.Seed(*seed_);
  } else if (command == "rnd") {
    if (words.size() < 2) throw ScenarioError("usage: rnd V1 [V2 ...] | off");
    forced_.clear();
    if (words[1] != "off") {
      for (std::size_t i = 1; i < words.size(); ++i) {
        char* end = nullptr;
        const float v = std::strtof(words[i].c_str(), &end);
        if (*end != '\0' || !(v >= 0.0f && v < 1.0f))
          throw ScenarioError("random values lie in [0, 1), got \"" + words[i] + "\"");
        forced_.push_back(v);
      }
    }
    if (program_) program_->Game().random.Force(forced_);
  } else if (command == "cd") {
    Expect(words, 2, 2, "cd present|absent");
    if (words[1] != "present" && words[1] != "absent") throw ScenarioError("usage: cd present|absent");
    cdPresent_ = words[1] == "present";
    if (host_) host_->SetCdPresent(cdPresent_);
  } else if (command == "registry" || command == "program") {
    Expect(words, 2, 2, command == "registry" ? "registry FILE" : "program PATH");
    if (host_) throw ScenarioError(command + " must come before start");
    if (command == "registry") {
      registryFile_ = words[1];
    } else {
      const std::size_t slash = words[1].rfind('/');
      programFolder_ = slash == std::string::npos ? "." : words[1].substr(0, slash);
      programFile_ = words[1].substr(slash == std::string::npos ? 0 : slash + 1);
    }
  } else if (command == "answer") {
    if (rest.empty()) throw ScenarioError("usage: answer WORD|TEXT");
    if (host_) {
      host_->QueueAnswer(rest);
    } else {
      answers_.push_back(rest);
    }
  }
}

void Runner::Start() {
  if (host_) throw ScenarioError("the program is already started");
  std::unique_ptr<host::RegistryStore> store;
  if (registryFile_.empty()) {
    store = std::make_unique<host::MemoryRegistryStore>();
  } else {
    store = std::make_unique<host::FileRegistryStore>(registryFile_);
  }
  host_ = std::make_unique<host::HeadlessHost>(std::move(store));
  host_->SetCdPresent(cdPresent_);
  host_->SetProgramPath(programFolder_, programFile_);
  host_->SetClockSeed(seed_.value_or(0));
  for (const std::optional<std::string>& a : answers_) {
    if (a) {
      host_->QueueAnswer(*a);
    } else {
      host_->QueueQuitRequest();
    }
  }
  host_->SetRecorder([this](const host::HeadlessRecord& r) { Record(r); });
  host_->SetInputSource([this] {
    if (!RunNextCommand()) throw host::ProgramExit{0};
  });
  program_ = std::make_unique<shell::Program>(*host_);
  program_->Game().random.Force(forced_);
  program_->Main();
  host_->RunMainLoop();
}

void Runner::Key(const std::string& command, const std::vector<std::string>& words) {
  if (words.size() < 2) throw ScenarioError("usage: " + command + " KEY [+SHIFT|+CTRL|+ALT ...]");
  const auto code = KeyCodeByName(words[1]);
  if (!code) throw ScenarioError("unknown key \"" + words[1] + "\"");
  int shift = 0;
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "+SHIFT") shift |= host::kShiftMask;
    else if (words[i] == "+CTRL") shift |= host::kCtrlMask;
    else if (words[i] == "+ALT") shift |= host::kAltMask;
    else throw ScenarioError("unknown modifier \"" + words[i] + "\"");
  }
  if (command != "up") {
    Host().PostKeyDown(*code, shift);
    // These keys also type a character, as they do on the desktop.
    if (*code == host::vk::Return || *code == host::vk::Escape || *code == host::vk::Back)
      Host().PostChar(static_cast<char32_t>(*code));
  }
  if (command != "down") Host().PostKeyUp(*code, shift);
}

void Runner::Joystick(const std::vector<std::string>& words) {
  constexpr const char* kUsage =
      "joystick plug NAME BUTTONS | axis X Y | button N down|up | unplug";
  if (words.size() < 2) throw ScenarioError(std::string("usage: ") + kUsage);
  host::HeadlessJoysticks& joysticks = Host().ScriptedJoysticks();
  const std::string& what = words[1];
  if (what == "plug") {
    if (words.size() < 4) throw ScenarioError("usage: joystick plug NAME BUTTONS");
    std::string name = words[2];
    for (std::size_t i = 3; i + 1 < words.size(); ++i) name += " " + words[i];
    const std::int64_t buttons = Number(words.back(), "the button count");
    if (buttons < 0 || buttons > 128) throw ScenarioError("a joystick has 0 to 128 buttons");
    joysticks.Plug(name, static_cast<int>(buttons));
    return;
  }
  // The other commands work the device plugged in last.
  const auto device = joysticks.Newest();
  if (!device) throw ScenarioError("no joystick is plugged in");
  if (what == "unplug") {
    Expect(words, 2, 2, "joystick unplug");
    joysticks.Unplug(*device);
  } else if (what == "axis") {
    Expect(words, 4, 4, "joystick axis X Y");
    const std::int64_t x = Number(words[2], "X"), y = Number(words[3], "Y");
    if (x < host::kAxisMin || x > host::kAxisMax || y < host::kAxisMin || y > host::kAxisMax)
      throw ScenarioError("axis readings run from 0 to 65535 (32768 at rest)");
    joysticks.SetAxes(*device, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
  } else if (what == "button") {
    Expect(words, 4, 4, "joystick button N down|up");
    if (words[3] != "down" && words[3] != "up") throw ScenarioError("usage: joystick button N down|up");
    const std::int64_t n = Number(words[2], "the button");
    if (n < 1 || n > 128 || !joysticks.SetButton(*device, static_cast<int>(n), words[3] == "down"))
      throw ScenarioError("the joystick has no button " + words[2]);
  } else {
    throw ScenarioError(std::string("usage: ") + kUsage);
  }
}

void Runner::MenuItem(int n) {
  auto* front = static_cast<host::HeadlessWindow*>(Host().FrontWindow());
  shell::TextMenu* menu = nullptr;
  if (auto* form = front ? dynamic_cast<shell::Form*>(&front->Events()) : nullptr) {
    for (shell::Control* c : form->Controls())
      if (!menu) menu = dynamic_cast<shell::TextMenu*>(c);
  }
  if (!menu) throw ScenarioError("the window in front has no text menu");
  const int items = (shell::CountOccurrences(menu->MenuItems(), "|") + 1) / 2;
  if (n < 1 || n > items) throw ScenarioError("the menu has items 1 to " + std::to_string(items));
  const int h = menu->RowHeight();
  const int x = menu->Left + 20, y = menu->Top + (n - 1) * h + h / 2;
  using Kind = host::HeadlessHost::MouseKind;
  Host().PostMouse(Kind::Move, x, y, 0, 0);
  Host().PostMouse(Kind::Down, x, y, host::kLeftButton, 0);
  Host().PostMouse(Kind::Up, x, y, host::kLeftButton, 0);
}

void Runner::Screenshot(const std::string& file) {
  host::Window* front = Host().FrontWindow();
  if (!front) throw ScenarioError("no window is open");
  if (!host::WriteFileBytes(file, host::EncodeBmp(front->Canvas())))
    throw ScenarioError("cannot write " + file);
}

void Runner::Timeline(const std::vector<std::string>& words) {
  Host().RecordTimeline();
  Host().SetTimelineTagger([this] { return AtTimelineStep(); });
  if (words.size() >= 2 && words[1] == "watch") {
    std::vector<std::string> names(words.begin() + 2, words.end());
    StateEntries(names);  // refuses unknown names now rather than at the next sleep
    watched_ = std::move(names);
    return;
  }
  if (words.size() >= 2 && words[1] == "screenshot") {
    Expect(words, 4, 4, "timeline screenshot STEPS FILE");
    stepsToScreenshot_ = Count(words[2], "the step count");
    if (stepsToScreenshot_ < 1) throw ScenarioError("the step count is 1 or more");
    timelineScreenshot_ = words[3];
    return;
  }
  Expect(words, 1, 1, "timeline | timeline watch [NAME ...] | timeline screenshot STEPS FILE");
  std::size_t dropped = 0;
  const std::vector<host::TimelineStep> steps = Host().TakeTimeline(&dropped);
  if (dropped > 0) out_ << "{\"event\":\"timeline\",\"dropped\":" << dropped << "}\n";
  for (const host::TimelineStep& step : steps) {
    const bool sleep = step.kind == host::TimelineStep::Kind::Sleep;
    char checksum[17];
    std::snprintf(checksum, sizeof checksum, "%016llx",
                  static_cast<unsigned long long>(step.checksum));
    out_ << "{\"event\":\"" << (sleep ? "sleep" : "present") << "\",\"time\":" << step.atMs;
    if (sleep) out_ << ",\"ms\":" << step.ms;
    out_ << ",\"window\":" << (step.window.empty() ? "null" : JsonString(step.window))
         << ",\"checksum\":\"" << checksum << "\"" << step.tag << "}\n";
  }
  out_.flush();
}

std::string Runner::AtTimelineStep() {
  // The picture is taken as the step begins: what a sleep leaves on the screen, or what a
  // present shows.
  if (stepsToScreenshot_ > 0 && --stepsToScreenshot_ == 0) Screenshot(timelineScreenshot_);
  return watched_.empty() ? std::string() : StateEntries(watched_);
}

void Runner::Record(const host::HeadlessRecord& r) {
  out_ << "{\"event\":" << JsonString(r.event);
  if (r.event == "open") {
    out_ << ",\"target\":" << JsonString(r.text) << "}\n";
    return;
  }
  if (r.event == "quit-request") {
    out_ << ",\"during\":" << JsonString(r.title) << "}\n";
    out_.flush();
    return;
  }
  out_ << ",\"title\":" << JsonString(r.title) << ",\"text\":" << JsonString(r.text);
  if (!r.items.empty()) {
    out_ << ",\"items\":[";
    for (std::size_t i = 0; i < r.items.size(); ++i) out_ << (i ? "," : "") << JsonString(r.items[i]);
    out_ << "]";
  }
  out_ << ",\"answer\":" << JsonString(r.answer) << "}\n";
  out_.flush();
}

}  // namespace script
