// The SDL back end's joysticks keep the contract the headless ones (which every scenario and
// the joystick services' tests use) keep, tried with SDL's virtual joysticks.
#include <gtest/gtest.h>

#include "HostBackEnds.h"
#include "host/JoystickDevices.h"
#include "host/sdl/VirtualJoystick.h"

namespace {

struct Log : host::JoystickListener {
  std::vector<std::pair<host::JoystickChange, std::int64_t>> changes;
  void OnJoystickChange(host::JoystickChange change, std::int64_t id) override {
    changes.emplace_back(change, id);
  }
};

// Plugs virtual devices in and lets the host's event loop run, in virtual time.
struct SdlJoysticks : ::testing::Test {
  host_testing::SdlBackEnd backEnd;
  host::JoystickDevices& devices = backEnd.Host().Joysticks();
  Log log;
  host::WindowEvents events;
  std::unique_ptr<host::Window> window =
      backEnd.Host().CreateWindow(host_testing::SmallWindow("Pump"), events);
  std::vector<std::unique_ptr<host::sdl::VirtualJoystick>> pads;

  SdlJoysticks() { devices.AddListener(log); }
  ~SdlJoysticks() override { devices.RemoveListener(log); }
  host::sdl::VirtualJoystick& Plug(const std::string& name, int buttons) {
    pads.push_back(std::make_unique<host::sdl::VirtualJoystick>(name, buttons));
    EXPECT_TRUE(pads.back()->Attached());
    return *pads.back();
  }
  void Pump() {
    backEnd.Steps({[&] { backEnd.Advance(50); }, [&] { window->Hide(); }});
    backEnd.Host().RunModal(*window);
  }
};

TEST_F(SdlJoysticks, ADeviceIsListedReadsOnOneScaleAndTellsThatItCameAndWent) {
  host::sdl::VirtualJoystick& pad = Plug("Test Pad", 6);
  Pump();
  ASSERT_EQ(log.changes.size(), 1u);
  const auto list = devices.Attached();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].name, "Test Pad");
  EXPECT_EQ(list[0].buttons, 6);
  const std::int64_t id = list[0].id;
  EXPECT_EQ(log.changes[0], std::pair(host::JoystickChange::Added, id));
  Plug("Second", 2);
  Pump();
  ASSERT_EQ(devices.Attached().size(), 2u);
  EXPECT_NE(devices.Attached()[1].id, id);

  auto open = devices.Open(id);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->Read(), (host::JoystickState{host::kAxisRest, host::kAxisRest, 0u}));
  // Current even before anybody is told.
  pad.SetAxes(1000, 64000);
  pad.SetButton(4, true);
  EXPECT_EQ(open->Read(), (host::JoystickState{1000, 64000, 0b1000u}));

  // (Changes told on the UI thread steer and fire the game in the real-window joystick run.)
  pad.Unplug();
  Pump();
  EXPECT_EQ(log.changes.back(), std::pair(host::JoystickChange::Removed, id));
  EXPECT_EQ(open->Read(), std::nullopt);
  EXPECT_EQ(devices.Open(id), nullptr);
  EXPECT_EQ(devices.Attached().size(), 1u);
}

// A pad's D-pad steers as the stick pushed all the way, but only while the stick rests.
TEST_F(SdlJoysticks, TheDPadReadsAsTheStickAtFullDeflectionWhileTheStickRests) {
  host::sdl::VirtualJoystick& pad = Plug("Pad", 4);
  auto open = devices.Open(devices.Attached().at(0).id);
  ASSERT_NE(open, nullptr);
  constexpr std::int32_t kMin = host::kAxisMin, kMax = host::kAxisMax, kRest = host::kAxisRest;
  const struct {
    int hatX, hatY;
    std::int32_t stickX, stickY, x, y;
  } cases[] = {
      {0, -1, kRest, kRest, kRest, kMin},                // up
      {1, 1, kRest, kRest, kMax, kMax},                  // down and right at once
      {-1, 0, kRest + 3000, kRest - 3000, kMin, kRest},  // a stick trembling near the middle
      {-1, 0, kMax, kRest, kMax, kRest},                 // the stick pushed wins
      {0, 0, 40000, 20000, 40000, 20000},                // the D-pad let go: the stick as it is
  };
  for (const auto& c : cases) {
    pad.SetAxes(c.stickX, c.stickY);
    pad.SetHat(c.hatX, c.hatY);
    const auto state = open->Read();
    ASSERT_TRUE(state.has_value());
    EXPECT_EQ(state->x, c.x) << c.hatX << "," << c.hatY;
    EXPECT_EQ(state->y, c.y) << c.hatX << "," << c.hatY;
  }
}

}  // namespace
