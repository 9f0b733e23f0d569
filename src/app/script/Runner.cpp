#include "app/script/Runner.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <utility>

#include "app/script/Json.h"
#include "app/script/Recording.h"
#include "app/script/Words.h"
#include "host/FileOps.h"
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

// Virtual time ends here, far beyond any game, so that the timers and sleeps running at
// the end of a long wait still have room on the clock.
constexpr std::int64_t kClockEnd = std::numeric_limits<std::int64_t>::max() / 2;

}  // namespace

Runner::Runner(std::istream& scenario, std::ostream& out, std::string programFolder,
               std::string programFile, Accept accept)
    : scenario_(&scenario),
      out_(out),
      accept_(accept),
      programFolder_(std::move(programFolder)),
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

void Runner::Complain(const std::string& text) const {
  std::fprintf(stderr, "%s: %s\n", programName_.c_str(), text.c_str());
}

int Runner::Run() {
  if (accept_ == Accept::Recording) {
    // All of it is checked before any of it runs: a refused line changes nothing.
    CheckedRecording checked = ReadRecording(*scenario_);
    if (!checked.accepted) {
      Complain(Refusal(checked));
      return 2;
    }
    checked_.str(std::move(checked.text));
    scenario_ = &checked_;
  }
  int status = 0;
  try {
    while (RunNextCommand()) {
    }
  } catch (const host::ProgramExit& exit) {
    status = exit.status;
  } catch (const ScenarioError& e) {
    Complain("line " + std::to_string(line_) + ": " + e.what());
    status = 2;
  } catch (const std::invalid_argument& e) {
    Complain("line " + std::to_string(line_) + ": " + e.what());
    status = 2;
  } catch (const std::exception& fault) {
    if (!program_) throw;
    status = program_->EndAfterFault(&fault);
  }
  if (!WriteRecording() && status == 0) status = 1;
  if (!FinishMixdown() && status == 0) status = 1;
  return status;
}

bool Runner::FinishMixdown() {
  if (!mixdown_ || mixdown_->Flush()) return true;
  Complain("the mixdown was not written to " + mixdownPath_);
  return false;
}

bool Runner::WriteRecording() {
  if (recordPath_.empty()) return true;
  const record::ScenarioLog nothingRecorded;
  return (log_ ? *log_ : nothingRecorded).SaveTo(recordPath_, programName_.c_str());
}

void Runner::RecordCommand(const std::string& line) {
  // Before start these are set-up the recording takes from the host (the clock's seed) or
  // from Start (forced random numbers), or scenario errors.
  if (log_) log_->Event(line);
}

bool Runner::RunNextCommand() {
  std::string line;
  while (std::getline(*scenario_, line)) {
    ++line_;
    std::vector<std::string> words = Split(line);
    if (words.empty() || words[0][0] == '#') continue;
    const CommandInfo& info = CommandOf(words);
    if (info.keptAsWritten) RecordCommand(line);
    // The pause before an answer is how long its dialog stays open.
    if (info.command != Command::Answer) HoldIdle();
    Execute(info.command, words, Rest(line));
    return true;
  }
  return false;
}

void Runner::HoldIdle() {
  // Before start nothing is on the screen yet to be watched.
  if (watcher_ && host_ && idleMs_ > 0) watcher_->Hold(idleMs_);
  idleMs_ = 0;
}

void Runner::Execute(Command command, const std::vector<std::string>& words,
                     const std::string& rest) {
  switch (command) {
    case Command::Seed:
    case Command::Rnd:
    case Command::Cd:
    case Command::Registry:
    case Command::Program:
    case Command::Settings:
    case Command::SettingsNotice:
    case Command::Answer:
      ExecuteSetup(command, words, rest);
      break;
    case Command::Start:
      Start();
      break;
    case Command::Menu:
      MenuItem(static_cast<int>(Number(words[1], "the item")));
      break;
    case Command::Down:
    case Command::Up:
    case Command::Press:
      Key(command, words);
      break;
    case Command::Type:
      for (std::size_t at = 0; at < rest.size();) Host().PostChar(host::NextCodePoint(rest, at));
      break;
    case Command::Char:
      Char(words);
      break;
    case Command::Mouse:
      Mouse(words);
      break;
    case Command::Close:
      Close(words);
      break;
    case Command::Click:
    case Command::DblClick:
      Click(command, words);
      break;
    case Command::Focus:
      if (words[1] != "lost" && words[1] != "back") throw ScenarioError(Usage(command));
      Host().PostFocus(words[1] == "back");
      break;
    case Command::Joystick:
      // Before start, the devices are attached when the program starts.
      if (host_) {
        Joystick(words);
      } else {
        joysticksAtStart_.push_back(words);
      }
      break;
    case Command::Frames:
      AdvanceTime(Count(words[1], "the frame count"), 50);
      break;
    case Command::Ticks:
      RunTicks(Count(words[1], "the tick count"));
      break;
    case Command::Idle:
      idleMs_ = Count(words[1], "the milliseconds");
      break;
    case Command::Wait:
      AdvanceTime(Count(words[1], "the milliseconds"), 1);
      break;
    case Command::Set:
      Set(words[1], words[2]);
      break;
    case Command::Add:
      Add(words);
      break;
    case Command::Clear:
      Clear(words[1]);
      break;
    case Command::Check:
      Check();
      break;
    case Command::Dump:
      Dump(std::vector<std::string>(words.begin() + 1, words.end()));
      break;
    case Command::Timeline:
      Timeline(words);
      break;
    case Command::Screenshot:
      Screenshot(words[1]);
      break;
    case Command::Quit:
      Program().QuitProgram();
      break;
    case Command::QuitRequest:
      QuitRequest(words);
      break;
  }
}

void Runner::Click(Command command, const std::vector<std::string>& words) {
  const int x = static_cast<int>(Number(words[1], "X")),
            y = static_cast<int>(Number(words[2], "Y"));
  int button = host::kLeftButton;
  if (words.size() == 4) {
    if (words[3] != "right") throw ScenarioError(Usage(command));
    button = host::kRightButton;
  }
  using Kind = host::HeadlessHost::MouseKind;
  Host().PostMouse(Kind::Move, x, y, 0, 0);
  Host().PostMouse(Kind::Down, x, y, button, 0);
  Host().PostMouse(Kind::Up, x, y, button, 0);
  if (command == Command::DblClick) {
    Host().PostMouse(Kind::DoubleClick, x, y, button, 0);
    Host().PostMouse(Kind::Up, x, y, button, 0);
  }
}

void Runner::QuitRequest(const std::vector<std::string>& words) {
  if (words.size() == 2 && words[1] != "dialog") throw ScenarioError(Usage(Command::QuitRequest));
  // Before start the program waits for nothing but its dialogs.
  if (!host_) {
    answers_.push_back({});
  } else if (words.size() == 2) {
    host_->QueueQuitRequest();
  } else {
    const host::Window* front = host_->FrontWindow();
    host_->RequestQuit(front ? front->Name() : "");
  }
}

void Runner::AdvanceTime(std::int64_t count, std::int64_t msEach) {
  CheckClockRoom(count, msEach);
  Host().AdvanceTime(count * msEach);
  // The ticks on the way have been watched as they came; the rest of the time passes too.
  if (watcher_) watcher_->Until(Host().NowMs());
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
  // Time moves on to the next tick due (at least a millisecond), one tick at a time, so that
  // a tick that sleeps (a glide, a wave show) still counts as one and no later tick is
  // skipped. The count ends early when the game stops ticking (paused, over, or its window
  // closed).
  const std::uint64_t until = form->FramesRun() + static_cast<std::uint64_t>(count);
  while (form->FramesRun() < until && form->GameTimer().Enabled()) {
    const std::int64_t now = Host().NowMs();
    if (now >= kClockEnd) throw ScenarioError("the virtual clock ran out");
    const std::int64_t due = Host().NextTimerDue().value_or(now + 1);
    Host().AdvanceTime(std::clamp<std::int64_t>(due - now, 1, kClockEnd - now));
  }
}

void Runner::ExecuteSetup(Command command, const std::vector<std::string>& words,
                          const std::string& rest) {
  switch (command) {
    case Command::Seed:
      seed_ = static_cast<std::uint32_t>(Number(words[1], "the seed"));
      if (program_) program_->Game().random.Seed(*seed_);
      break;
    case Command::Rnd:
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
      break;
    case Command::Cd:
      if (words[1] != "present" && words[1] != "absent") throw ScenarioError(Usage(command));
      cdPresent_ = words[1] == "present";
      if (host_) host_->SetCdPresent(cdPresent_);
      break;
    case Command::Answer:
      if (host_) {
        host_->QueueAnswer(rest, idleMs_);
      } else {
        answers_.push_back({rest, idleMs_});
      }
      idleMs_ = 0;
      break;
    default:
      if (host_) throw ScenarioError(words[0] + " must come before start");
      if (command == Command::Registry) {
        registryFile_ = words[1];
      } else if (command == Command::Program) {
        // The whole rest of the line: a folder may have blanks in its name.
        const std::size_t slash = rest.rfind('/');
        programFolder_ = slash == std::string::npos ? "." : rest.substr(0, slash);
        programFile_ = rest.substr(slash == std::string::npos ? 0 : slash + 1);
      } else if (command == Command::Settings) {
        settingsLines_.push_back(rest);
      } else {
        settingsNotices_.push_back(rest);
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

// A replay learns nothing from the files of the machine it runs on: of them, only the
// program's own file is there, as it was where the game was recorded.
class SealedHost final : public host::HeadlessHost {
 public:
  using HeadlessHost::HeadlessHost;
  bool FileExists(const std::string& path) override {
    return path == ProgramFolder() + "/" + ProgramFileName();
  }
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
  host_ = accept_ == Accept::Recording ? std::make_unique<SealedHost>(MakeStore())
                                       : std::make_unique<host::HeadlessHost>(MakeStore());
  host_->SetCdPresent(cdPresent_);
  host_->SetProgramPath(programFolder_, programFile_);
  host_->SetClockSeed(seed_.value_or(0));
  for (const Answer& a : answers_) {
    if (a.text) {
      host_->QueueAnswer(*a.text, a.readMs);
    } else {
      host_->QueueQuitRequest();
    }
  }
  if (watcher_) {
    host_->SetWatcher(watcher_);
    watcher_->Started(*host_);
  }
  for (const std::vector<std::string>& words : joysticksAtStart_) Joystick(words);
  if (!mixdownPath_.empty()) {
    mixdownFile_.open(mixdownPath_, std::ios::binary | std::ios::trunc);
    if (!mixdownFile_) throw ScenarioError("cannot write the mixdown to " + mixdownPath_);
    mixdown_ =
        std::make_unique<host::MixdownAudio>([this] { return host_->NowMs(); }, mixdownFile_);
    host_->Audio().PlayThrough(mixdown_.get());
  }
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
  auto* form =
      front ? dynamic_cast<shell::Form*>(&record::RecordingHost::ProgramEvents(front->Events()))
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
  const std::vector<std::uint8_t> bmp = host::EncodeBmp(front->Canvas());
  if (const auto problem = host::fileops::WritePlainFile(
          file, std::string_view(reinterpret_cast<const char*>(bmp.data()), bmp.size())))
    throw ScenarioError("no screenshot: " + *problem);
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
    Expect(words, 4, 4, Command::Timeline);
    stepsToScreenshot_ = Count(words[2], "the step count");
    if (stepsToScreenshot_ < 1) throw ScenarioError("the step count is 1 or more");
    timelineScreenshot_ = words[3];
    return;
  }
  Expect(words, 1, 1, Command::Timeline);
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
    for (std::size_t i = 0; i < r.items.size(); ++i)
      out_ << (i ? "," : "") << JsonString(r.items[i]);
    out_ << "]";
  }
  out_ << ",\"answer\":" << JsonString(r.answer) << "}\n";
  out_.flush();
}

}  // namespace script
