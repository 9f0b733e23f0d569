// The SDL back end's joysticks keep the contract the headless ones (which every scenario and
// the joystick services' tests use) keep: what a device is called and how many buttons it
// has, raw readings on one scale, and every change told on the UI thread. Tried with SDL's
// virtual joysticks and its off-screen video driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "assets/Assets.h"
#include "host/JoystickDevices.h"
#include "host/RegistryFile.h"
#include "host/sdl/SdlHost.h"
#include "host/sdl/VirtualJoystick.h"

namespace {

struct Log : host::JoystickListener {
  std::vector<std::pair<host::JoystickChange, std::int64_t>> changes;
  void OnJoystickChange(host::JoystickChange change, std::int64_t id) override {
    changes.emplace_back(change, id);
  }
  bool Saw(host::JoystickChange change) const {
    for (const auto& c : changes)
      if (c.first == change) return true;
    return false;
  }
};

// Plugs virtual devices in and lets the host's event loop run until something has happened.
class SdlJoysticks : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    host_ = host::MakeSdlHost(std::make_unique<host::MemoryRegistryStore>(),
                              {assets::Picture("Icon32"), assets::Cursor("Hand")});
    if (!host_) GTEST_SKIP() << "SDL's off-screen video driver is not available";
    host::WindowSpec spec;
    spec.name = "Pump";
    spec.width = spec.height = 8;
    window_ = host_->CreateWindow(spec, events_);
    devices_ = &host_->Joysticks();
    devices_->AddListener(log_);
  }
  void TearDown() override {
    if (devices_) devices_->RemoveListener(log_);
    window_.reset();
    pads_.clear();
  }
  host::sdl::VirtualJoystick& Plug(const std::string& name, int buttons) {
    pads_.push_back(std::make_unique<host::sdl::VirtualJoystick>(name, buttons));
    EXPECT_TRUE(pads_.back()->Attached());
    return *pads_.back();
  }
  // Runs the event loop until `done` holds. Not a timed wait: the deadline only keeps a
  // broken back end from hanging the suite.
  void RunUntil(const std::function<bool()>& done) {
    const std::int64_t giveUp = host_->NowMs() + 5000;
    auto check = host_->CreateTimer(1, [&] {
      if (done() || host_->NowMs() > giveUp) window_->Hide();
    });
    check->SetEnabled(true);
    host_->RunModal(*window_);
  }

  host::WindowEvents events_;
  std::unique_ptr<host::Host> host_;
  std::unique_ptr<host::Window> window_;
  std::vector<std::unique_ptr<host::sdl::VirtualJoystick>> pads_;
  host::JoystickDevices* devices_ = nullptr;
  Log log_;
};

TEST_F(SdlJoysticks, ADeviceIsListedReadsOnOneScaleTellsItsChangesAndThatItIsGone) {
  host::sdl::VirtualJoystick& pad = Plug("Test Pad", 6);
  RunUntil([&] { return log_.Saw(host::JoystickChange::Added); });
  ASSERT_EQ(log_.changes.size(), 1u);
  const auto list = devices_->Attached();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].name, "Test Pad");
  EXPECT_EQ(list[0].buttons, 6);
  const std::int64_t id = list[0].id;
  EXPECT_EQ(log_.changes[0], std::pair(host::JoystickChange::Added, id));
  Plug("Second", 2);
  RunUntil([&] { return log_.changes.size() >= 2; });
  ASSERT_EQ(devices_->Attached().size(), 2u);
  EXPECT_NE(devices_->Attached()[1].id, id);

  auto open = devices_->Open(id);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->Read(), (host::JoystickState{host::kAxisRest, host::kAxisRest, 0u}));
  // Current even before anybody is told.
  pad.SetAxes(1000, 64000);
  pad.SetButton(4, true);
  EXPECT_EQ(open->Read(), (host::JoystickState{1000, 64000, 0b1000u}));

  log_.changes.clear();
  pad.SetAxes(host::kAxisMax, host::kAxisMin);
  pad.SetButton(1, true);
  pad.SetButton(6, true);
  RunUntil([&] { return log_.Saw(host::JoystickChange::Input); });
  EXPECT_EQ(open->Read(), (host::JoystickState{host::kAxisMax, host::kAxisMin, 0b101001u}));
  for (const auto& change : log_.changes)
    EXPECT_EQ(change, std::pair(host::JoystickChange::Input, id));

  pad.Unplug();
  RunUntil([&] { return log_.Saw(host::JoystickChange::Removed); });
  EXPECT_EQ(log_.changes.back(), std::pair(host::JoystickChange::Removed, id));
  EXPECT_EQ(open->Read(), std::nullopt);
  EXPECT_EQ(devices_->Open(id), nullptr);
  EXPECT_EQ(devices_->Attached().size(), 1u);
}

// A pad's D-pad steers as the stick pushed all the way, but only while the stick rests.
TEST_F(SdlJoysticks, TheDPadReadsAsTheStickAtFullDeflectionWhileTheStickRests) {
  host::sdl::VirtualJoystick& pad = Plug("Pad", 4);
  auto open = devices_->Open(devices_->Attached().at(0).id);
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
      {0, 1, kRest, 10000, kRest, 10000},
      {0, 0, 40000, 20000, 40000, 20000},  // the D-pad let go: the stick as it is
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
