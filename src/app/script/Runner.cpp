#include "app/script/Runner.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <sstream>
#include <utility>

#include "app/script/Json.h"
#include "app/script/Words.h"
#include "host/ImageFile.h"
#include "host/Keys.h"
#include "host/RegistryFile.h"
#include "host/RegistryText.h"
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

std::int64_t Count(const std::string& word, const char* what) {
  const std::int64_t n = Number(word, what);
  if (n < 0) throw ScenarioError(std::string("expected 0 or more for ") + what + ", got " + word);
  return n;
}

// Virtual time ends here, far beyond any game, so that the timers and sleeps running at
// the end of a long wait still have room on the clock.
constexpr std::int64_t kClockEnd = std::numeric_limits<std::int64_t>::max() / 2;

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
  int status = 0;
  try {
    while (RunNextCommand()) {
    }
  } catch (const host::ProgramExit& exit) {
    status = exit.status;
  } catch (const ScenarioError& e) {
    std::cerr << "skirmora-script: line " << line_ << ": " << e.what() << "\n";
    status = 2;
  } catch (const std::invalid_argument& e) {
    std::cerr << "skirmora-script: line " << line_ << ": " << e.what() << "\n";
    status = 2;
  } catch (const std::exception& fault) {
    if (!program_) throw;
    status = program_->EndAfterFault(&fault);
  }
  if (!WriteRecording() && status == 0) status = 1;
  return status;
}

bool Runner::WriteRecording() {
  if (recordPath_.empty()) return true;
  const record::ScenarioLog nothingRecorded;
  return (log_ ? *log_ : nothingRecorded).SaveTo(recordPath_, "skirmora-script");
}

void Runner::RecordCommand(const std::string& line) {
  // Before start these are set-up the recording takes from the host, or scenario errors.
  if (log_) log_->Event(line);
}

bool Runner::RunNextCommand() {
  std::string line;
  while (std::getline(scenario_, line)) {
    ++line_;
    std::vector<std::string> words = Split(line);
    if (words.empty() || words[0][0] == '#') continue;
    const std::string& command = words[0];
    // The clock's seed is in the recording already; the rest changes the state directly.
    if (command == "set" || command == "add" || command == "clear" || command == "rnd" ||
        command == "quit" || (command == "seed" && host_))
      RecordCommand(line);
    Execute(words, Rest(line));
    return true;
  }
  return false;
}

void Runner::Execute(const std::vector<std::string>& words, const std::string& rest) {
  const std::string& command = words[0];
  if (command == "seed" || command == "rnd" || command == "cd" || command == "registry" ||
      command == "program" || command == "answer" || command == "settings" ||
      command == "settings-notice") {
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
  } else if (command == "char") {
    Char(words);
  } else if (command == "mouse") {
    Mouse(words);
  } else if (command == "close") {
    Close(words);
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
    // Before start, the devices are attached when the program starts.
    if (host_) {
      Joystick(words);
    } else {
      joysticksAtStart_.push_back(words);
    }
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
    rndLine_.clear();
    for (const std::string& w : words) rndLine_ += (rndLine_.empty() ? "" : " ") + w;
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
  } else if (command == "registry" || command == "program" || command == "settings" ||
             command == "settings-notice") {
    if (host_) throw ScenarioError(command + " must come before start");
    if (command == "registry") {
      Expect(words, 2, 2, "registry FILE");
      registryFile_ = words[1];
    } else if (command == "program") {
      // The whole rest of the line: a folder may have blanks in its name.
      if (rest.empty()) throw ScenarioError("usage: program PATH");
      const std::size_t slash = rest.rfind('/');
      programFolder_ = slash == std::string::npos ? "." : rest.substr(0, slash);
      programFile_ = rest.substr(slash == std::string::npos ? 0 : slash + 1);
    } else if (command == "settings") {
      if (rest.empty()) throw ScenarioError("usage: settings LINE");
      settingsLines_.push_back(rest);
    } else {
      if (rest.empty()) throw ScenarioError("usage: settings-notice TEXT");
      settingsNotices_.push_back(rest);
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

namespace {

// A store that starts with what the scenario's settings lines hold, and the troubles its
// opening met.
class ScriptedStore final : public host::MemoryRegistryStore {
 public:
  ScriptedStore(const host::RegistryTree& tree, std::vector<std::string> notices)
      : notices_(std::move(notices)) {
    Tree() = tree;
  }
  std::vector<std::string> TakeNotices() override { return std::exchange(notices_, {}); }

 private:
  std::vector<std::string> notices_;
};

}  // namespace

std::unique_ptr<host::RegistryStore> Runner::MakeStore() {
  const bool scripted = !settingsLines_.empty() || !settingsNotices_.empty();
  if (scripted && !registryFile_.empty())
    throw ScenarioError("a scenario starts from a registry file or from settings lines, not both");
  if (!registryFile_.empty()) return std::make_unique<host::FileRegistryStore>(registryFile_);
  if (!scripted) return std::make_unique<host::MemoryRegistryStore>();
  std::string text;
  for (const std::string& line : settingsLines_) text += line + "\n";
  host::RegistryParseResult parsed = host::ParseRegistryText(text);
  if (parsed.badLines > 0)
    throw ScenarioError("settings line " + std::to_string(parsed.firstBadLine) +
                        " cannot be read: " + parsed.firstProblem);
  return std::make_unique<ScriptedStore>(parsed.tree, settingsNotices_);
}

void Runner::Start() {
  if (host_) throw ScenarioError("the program is already started");
  host_ = std::make_unique<host::HeadlessHost>(MakeStore());
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
  for (const std::vector<std::string>& words : joysticksAtStart_) Joystick(words);
  host_->SetRecorder([this](const host::HeadlessRecord& r) { Record(r); });
  host_->SetInputSource([this] {
    if (!RunNextCommand()) throw host::ProgramExit{0};
  });
  host::Host* programHost = host_.get();
  if (!recordPath_.empty()) {
    log_ = std::make_unique<record::ScenarioLog>();
    recorder_ = std::make_unique<record::RecordingHost>(*host_, *log_);
    programHost = recorder_.get();
    // Forced random values are no input of the program's, but they steer it all the same.
    if (!forced_.empty()) log_->SetUp(rndLine_);
  }
  program_ = std::make_unique<shell::Program>(*programHost);
  program_->Game().random.Force(forced_);
  program_->Main();
  host_->RunMainLoop();
}

void Runner::MenuItem(int n) {
  auto* front = static_cast<host::HeadlessWindow*>(Host().FrontWindow());
  shell::TextMenu* menu = nullptr;
  auto* form = front ? dynamic_cast<shell::Form*>(
                          &record::RecordingHost::ProgramEvents(front->Events()))
                    : nullptr;
  if (form) {
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
