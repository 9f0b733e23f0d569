#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "HeadlessEvents.h"
#include "app/record/RecordingHost.h"
#include "app/record/ScenarioLog.h"
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

// Reads the stick whenever it changes, as the game's joystick service does.
struct StickReader : host::JoystickListener {
  std::unique_ptr<host::OpenJoystick> device;
  std::vector<std::int32_t> xs;
  void OnJoystickChange(host::JoystickChange change, std::int64_t id) override {
    if (change == host::JoystickChange::Input && device && device->Id() == id)
      xs.push_back(device->Read()->x);
  }
};

TEST(RecordingHost, JoysticksAreWrittenAsTheRunnerWouldPlugAndMoveThem) {
  host::HeadlessHost inner{std::make_unique<host::MemoryRegistryStore>()};
  record::ScenarioLog log;
  record::RecordingHost recorder(inner, log);
  const auto Deliver = [&inner] { testing_events::DeliverPending(inner); };
  host::HeadlessJoysticks& machine = inner.ScriptedJoysticks();
  const std::int64_t first = machine.Plug("Pad One", 4);
  machine.SetAxes(first, 100, 32768);  // held off centre before anybody looks
  Deliver();
  const std::int64_t second = machine.Plug("Wheel", 2);
  Deliver();
  host::JoystickDevices& devices = recorder.Joysticks();
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
  EXPECT_EQ(Lines(log),
            (Lines_{"joystick plug Pad One 4", "joystick plug Wheel 2", "joystick 1 axis 100 32768",
                    "start", "joystick 1 axis 500 32768", "joystick unplug"}));
  machine.Unplug(first);
  EXPECT_EQ(reader.device->Read(), std::nullopt) << "a device pulled out reads nothing";
}

}  // namespace
