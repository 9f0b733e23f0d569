#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "HeadlessEvents.h"
#include "app/record/RecordingHost.h"
#include "app/record/ScenarioLog.h"
#include "host/Keys.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

// The scenario's lines, without its comment.
std::vector<std::string> Lines(const record::ScenarioLog& log) {
  std::istringstream in(log.Text());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("#", 0) != 0) lines.push_back(line);
  return lines;
}

using Lines_ = std::vector<std::string>;

TEST(ScenarioLog, EachLineSitsWhereTheRunnerWillReadIt) {
  record::ScenarioLog log;
  std::int64_t now = 0;
  log.SetClock([&now] { return now; });
  log.SetUp("seed 5");
  now = 2500;                  // read for 2.5 s
  log.Answer("answer OK", 0);  // a greeting during start-up
  now += 99;                   // too short a pause to be told
  log.Event("down F2");
  log.Tick();
  now += 50;
  log.Tick();
  now += 1000;  // the game paused, a second before Esc
  log.Event("down ESC");
  log.Answer("answer OK", now);  // two boxes the key opened, in their order, the second
  now += 400;                    // one read a while
  log.Answer("answer Cancel", now - 400);
  log.Tick();  // a frame that opens a box while it runs
  log.BeforeLastEvent("answer Yes");
  log.Event("type A");               // typed into a window the frame opened
  log.BeforeLastEvent("answer No");  // a box the frame opens after that window closed
  log.SetUp("cd absent");
  log.Tick();
  EXPECT_EQ(Lines(log),
            (Lines_{"seed 5", "cd absent", "idle 2500", "answer OK", "start", "down F2", "ticks 2",
                    "answer OK", "idle 400", "answer Cancel", "idle 1000", "down ESC", "answer Yes",
                    "ticks 1", "answer No", "type A", "ticks 1"}));
}

// A window that opens a box when Esc goes down, as the game window does.
struct AskingWindow : host::WindowEvents {
  host::Host& host;
  std::vector<std::string> seen;
  explicit AskingWindow(host::Host& h) : host(h) {}
  void OnKeyDown(int code, int) override {
    seen.push_back("down " + std::to_string(code));
    if (code == host::vk::Escape)
      host.MessageBox("Quit?", "Sure?", host::MsgIcon::Question, host::MsgButtons::OkCancel);
  }
  void OnChar(char32_t ch) override { seen.push_back("char " + std::to_string(ch)); }
  void OnMouseMove(const host::MouseEvent& e) override {
    seen.push_back("move " + std::to_string(e.x));
  }
  void OnCloseRequest() override { seen.push_back("close"); }
};

struct RecordingHostTest : ::testing::Test {
  host::HeadlessHost inner{std::make_unique<host::MemoryRegistryStore>()};
  record::ScenarioLog log;
  std::unique_ptr<record::RecordingHost> recorder;

  void SetUp() override {
    inner.Registry().SetValue("HKEY_CURRENT_USER\\Software\\Game", "High Score 1",
                              host::RegValue::String("ACE=900"));
    recorder = std::make_unique<record::RecordingHost>(inner, log);
  }
  void Deliver() { testing_events::DeliverPending(inner); }
  std::vector<std::string> Body() {
    std::vector<std::string> lines = Lines(log);
    auto start = std::find(lines.begin(), lines.end(), "start");
    return {start + 1, lines.end()};
  }
};

TEST_F(RecordingHostTest, InputReachesTheProgramAndIsWrittenInTheRunnersWords) {
  AskingWindow program(*recorder);
  host::WindowSpec spec;
  spec.name = "MainForm";
  spec.width = spec.height = 10;
  auto window = recorder->CreateWindow(spec, program);
  window->Show();
  inner.QueueAnswer("Cancel");
  // Esc with the character it types, which the runner's key types by itself.
  inner.PostKeyDown(host::vk::Escape, 0);
  inner.PostChar(27);
  inner.PostKeyDown(host::vk::Function(11), host::kShiftMask | host::kCtrlMask);
  inner.PostKeyUp(189, 0);
  inner.PostChar(U'é');
  inner.PostChar(U' ');
  inner.PostChar(27);  // an Esc character on its own is typed
  inner.PostMouse(host::HeadlessHost::MouseKind::Move, 3, 4, host::kLeftButton | host::kRightButton,
                  host::kAltMask);
  inner.PostMouse(host::HeadlessHost::MouseKind::DoubleClick, 5, 6, host::kMiddleButton, 0);
  inner.PostClose(static_cast<host::HeadlessWindow*>(window.get()));
  Deliver();
  EXPECT_EQ(program.seen, (Lines_{"down 27", "char 27", "down 122", "char 233", "char 32",
                                  "char 27", "move 3", "close"}));
  EXPECT_EQ(Body(), (Lines_{"answer Cancel", "down ESC", "down F11 +SHIFT +CTRL", "up VK189",
                            "type é", "char 32", "char 27", "mouse move 3 4 left right +ALT",
                            "mouse dblclick 5 6 middle", "close MainForm"}));
}

TEST_F(RecordingHostTest, StartUpFactsFramesFocusAndQuitRequestsAreWritten) {
  inner.SetClockSeed(77);
  inner.SetProgramPath("/opt/game", "skirmora");
  EXPECT_EQ(recorder->ClockSeed(), 77u);
  EXPECT_FALSE(recorder->CdAudioOpens());
  EXPECT_EQ(recorder->ProgramFolder(), "/opt/game");
  inner.QueueAnswer("Yes");
  EXPECT_EQ(
      recorder->MessageBox("Playing a CD...", "", host::MsgIcon::Question, host::MsgButtons::YesNo),
      host::MsgResult::Yes);

  int ticks = 0;
  auto timer = recorder->CreateTimer(50, [&ticks] { ++ticks; });
  timer->SetEnabled(true);
  inner.AdvanceTime(170);
  bool focus = true;
  recorder->SetFocusHandler([&focus](bool has) { focus = has; });
  inner.PostFocus(false);
  Deliver();
  inner.AdvanceTime(50);
  int quits = 0;
  recorder->SetQuitRequestHandler([&quits] { ++quits; });
  inner.RequestQuit("MainForm");
  // During a box the request takes the place of the box's answer.
  recorder->SetQuitRequestHandler([] { throw host::ProgramExit{0}; });
  inner.QueueQuitRequest();
  EXPECT_THROW(recorder->InputBox("Which button?", "Button assignment", ""), host::ProgramExit);
  inner.QueueAnswer("About...");
  AskingWindow owner(*recorder);
  auto menu = recorder->CreateWindow({}, owner);
  EXPECT_EQ(recorder->PopupMenu(*menu, 0, 0, {"E&xit", "-", "&About..."}, false), 2);
  EXPECT_EQ(recorder->PopupMenu(*menu, 0, 0, {"E&xit"}, false), -1);

  EXPECT_EQ(ticks, 4);
  EXPECT_FALSE(focus);
  EXPECT_EQ(quits, 1);
  EXPECT_EQ(Lines(log),
            (Lines_{"settings [HKEY_CURRENT_USER\\Software\\Game]",
                    "settings \"High Score 1\"=\"ACE=900\"", "seed 77", "cd absent",
                    "program /opt/game/skirmora", "answer Yes", "start", "ticks 3", "focus lost",
                    "ticks 1", "quit-request dialog", "answer 3", "answer 0", "quit-request"}));
}

// Reads the stick whenever it changes, as the game's joystick service does.
struct StickReader : host::JoystickListener {
  std::unique_ptr<host::OpenJoystick> device;
  std::vector<std::int32_t> xs;
  void OnJoystickChange(host::JoystickChange change, std::int64_t id) override {
    if (change == host::JoystickChange::Input && device && device->Id() == id)
      xs.push_back(device->Read()->x);
  }
};

TEST_F(RecordingHostTest, JoysticksAreWrittenAsTheRunnerWouldPlugAndMoveThem) {
  host::HeadlessJoysticks& machine = inner.ScriptedJoysticks();
  const std::int64_t first = machine.Plug("Pad One", 4);
  machine.SetAxes(first, 100, 32768);  // held off centre before anybody looks
  Deliver();
  const std::int64_t second = machine.Plug("Wheel", 2);
  Deliver();
  host::JoystickDevices& devices = recorder->Joysticks();
  StickReader reader;
  ASSERT_EQ(devices.Attached().size(), 2u);
  reader.device = devices.Open(first);
  devices.AddListener(reader);
  EXPECT_EQ(reader.device->Read()->x, 100);  // the centre, read at once
  machine.SetAxes(first, 500, 32768);
  machine.SetButton(second, 2, true);  // unread: the device is not open
  machine.Unplug(second);
  Deliver();
  devices.RemoveListener(reader);
  machine.SetAxes(first, 900, 32768);  // nobody listens: nothing is read, nothing written
  Deliver();
  EXPECT_EQ(reader.xs, (std::vector<std::int32_t>{500}));
  // Looked at before any input, the devices are there from the start.
  EXPECT_EQ(Lines(log), (Lines_{"settings [HKEY_CURRENT_USER\\Software\\Game]",
                                "settings \"High Score 1\"=\"ACE=900\"", "joystick plug Pad One 4",
                                "joystick plug Wheel 2", "joystick 1 axis 100 32768", "start",
                                "joystick 1 axis 500 32768", "joystick unplug"}));
  machine.Unplug(first);
  EXPECT_EQ(reader.device->Read(), std::nullopt) << "a device pulled out reads nothing";
}

}  // namespace
