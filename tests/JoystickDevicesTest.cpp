// Both back ends' joysticks keep the same contract: what a device is called and how many
// buttons it has, raw readings on one scale, and every change told on the UI thread.
// The SDL back end is tried with SDL's virtual joysticks and its off-screen video driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "HeadlessEvents.h"
#include "assets/Assets.h"
#include "host/JoystickDevices.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "host/sdl/SdlHost.h"
#include "host/sdl/VirtualJoystick.h"

namespace {

// Plugs devices in and lets the host's event loop run until something has happened.
class Rig {
 public:
  virtual ~Rig() = default;
  virtual host::Host& Host() = 0;
  virtual void Plug(const std::string& name, int buttons) = 0;  // becomes device 0, 1, ...
  virtual void SetAxes(int device, std::int32_t x, std::int32_t y) = 0;
  virtual void SetButton(int device, int button, bool down) = 0;
  virtual void Unplug(int device) = 0;
  // Runs the event loop until `done` holds (or the back end has nothing more to tell).
  virtual void RunUntil(const std::function<bool()>& done) = 0;
};

class HeadlessRig : public Rig {
 public:
  host::Host& Host() override { return host_; }
  void Plug(const std::string& name, int buttons) override {
    ids_.push_back(host_.ScriptedJoysticks().Plug(name, buttons));
  }
  void SetAxes(int d, std::int32_t x, std::int32_t y) override {
    host_.ScriptedJoysticks().SetAxes(ids_[d], x, y);
  }
  void SetButton(int d, int b, bool down) override {
    host_.ScriptedJoysticks().SetButton(ids_[d], b, down);
  }
  void Unplug(int d) override { host_.ScriptedJoysticks().Unplug(ids_[d]); }
  void RunUntil(const std::function<bool()>&) override { testing_events::DeliverPending(host_); }

 private:
  host::HeadlessHost host_{std::make_unique<host::MemoryRegistryStore>()};
  std::vector<std::int64_t> ids_;
};

class SdlRig : public Rig {
 public:
  SdlRig() {
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    host_ = host::MakeSdlHost(std::make_unique<host::MemoryRegistryStore>(),
                              {assets::Picture("Icon32"), assets::Cursor("Hand")});
    if (!host_) return;
    host::WindowSpec spec;
    spec.name = "Pump";
    spec.width = spec.height = 8;
    window_ = host_->CreateWindow(spec, events_);
  }
  ~SdlRig() override {
    window_.reset();
    devices_.clear();
  }
  bool Ready() const { return host_ != nullptr; }
  host::Host& Host() override { return *host_; }
  void Plug(const std::string& name, int buttons) override {
    devices_.push_back(std::make_unique<host::sdl::VirtualJoystick>(name, buttons));
    ASSERT_TRUE(devices_.back()->Attached());
  }
  void SetAxes(int d, std::int32_t x, std::int32_t y) override { devices_[d]->SetAxes(x, y); }
  void SetButton(int d, int b, bool down) override { devices_[d]->SetButton(b, down); }
  void Unplug(int d) override { devices_[d]->Unplug(); }
  host::sdl::VirtualJoystick& Device(int d) { return *devices_[d]; }
  void RunUntil(const std::function<bool()>& done) override {
    // Not a timed wait: the loop ends as soon as `done` holds; the deadline only keeps a
    // broken back end from hanging the suite.
    const std::int64_t giveUp = host_->NowMs() + 5000;
    auto check = host_->CreateTimer(1, [&] {
      if (done() || host_->NowMs() > giveUp) window_->Hide();
    });
    check->SetEnabled(true);
    host_->RunModal(*window_);
  }

 private:
  host::WindowEvents events_;
  std::unique_ptr<host::Host> host_;
  std::unique_ptr<host::Window> window_;
  std::vector<std::unique_ptr<host::sdl::VirtualJoystick>> devices_;
};

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

class JoystickDevicesContract : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (std::string(GetParam()) == "headless") {
      rig_ = std::make_unique<HeadlessRig>();
    } else {
      auto sdl = std::make_unique<SdlRig>();
      if (!sdl->Ready()) GTEST_SKIP() << "SDL's off-screen video driver is not available";
      rig_ = std::move(sdl);
    }
    devices_ = &rig_->Host().Joysticks();
    devices_->AddListener(log_);
  }
  void TearDown() override {
    if (devices_) devices_->RemoveListener(log_);
  }

  std::unique_ptr<Rig> rig_;
  host::JoystickDevices* devices_ = nullptr;
  Log log_;
};

TEST_P(JoystickDevicesContract, ADevicePluggedInIsListedAndReadsAtRest) {
  rig_->Plug("Test Pad", 6);
  rig_->RunUntil([&] { return log_.Saw(host::JoystickChange::Added); });
  ASSERT_EQ(log_.changes.size(), 1u);
  EXPECT_EQ(log_.changes[0].first, host::JoystickChange::Added);
  const auto list = devices_->Attached();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].name, "Test Pad");
  EXPECT_EQ(list[0].buttons, 6);
  EXPECT_EQ(list[0].id, log_.changes[0].second);

  rig_->Plug("Second", 2);
  rig_->RunUntil([&] { return log_.changes.size() >= 2; });
  const auto two = devices_->Attached();
  ASSERT_EQ(two.size(), 2u);
  EXPECT_NE(two[0].id, two[1].id);

  auto open = devices_->Open(list[0].id);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->Id(), list[0].id);
  const auto state = open->Read();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->x, host::kAxisRest);
  EXPECT_EQ(state->y, host::kAxisRest);
  EXPECT_EQ(state->buttons, 0u);
}

TEST_P(JoystickDevicesContract, AnOpenDeviceTellsItsChangesOnOneScaleAndThatItIsGone) {
  rig_->Plug("Test Pad", 6);
  rig_->RunUntil([&] { return log_.Saw(host::JoystickChange::Added); });
  const std::int64_t id = log_.changes.at(0).second;
  auto open = devices_->Open(id);
  ASSERT_NE(open, nullptr);
  log_.changes.clear();

  rig_->SetAxes(0, host::kAxisMax, host::kAxisMin);
  rig_->SetButton(0, 1, true);
  rig_->SetButton(0, 6, true);
  rig_->RunUntil([&] { return log_.Saw(host::JoystickChange::Input); });
  const auto state = open->Read();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->x, host::kAxisMax);
  EXPECT_EQ(state->y, host::kAxisMin);
  EXPECT_EQ(state->buttons, 0b100001u);
  ASSERT_FALSE(log_.changes.empty());
  for (const auto& [change, which] : log_.changes) {
    EXPECT_EQ(change, host::JoystickChange::Input);
    EXPECT_EQ(which, id);
  }

  rig_->Unplug(0);
  rig_->RunUntil([&] { return log_.Saw(host::JoystickChange::Removed); });
  ASSERT_TRUE(log_.Saw(host::JoystickChange::Removed));
  EXPECT_EQ(log_.changes.back(), std::pair(host::JoystickChange::Removed, id));
  EXPECT_EQ(open->Read(), std::nullopt);
  EXPECT_EQ(devices_->Open(id), nullptr);
  EXPECT_TRUE(devices_->Attached().empty());
}

TEST_P(JoystickDevicesContract, AReadingIsCurrentEvenWhenNobodyListens) {
  devices_->RemoveListener(log_);
  rig_->Plug("Test Pad", 4);
  const auto list = devices_->Attached();
  ASSERT_EQ(list.size(), 1u);
  auto open = devices_->Open(list[0].id);
  ASSERT_NE(open, nullptr);
  rig_->SetAxes(0, 1000, 64000);
  rig_->SetButton(0, 4, true);
  const auto state = open->Read();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->x, 1000);
  EXPECT_EQ(state->y, 64000);
  EXPECT_EQ(state->buttons, 0b1000u);
}

// A pad's D-pad steers as the stick pushed all the way, but only while the stick rests.
TEST(SdlJoysticks, TheDPadReadsAsTheStickAtFullDeflectionWhileTheStickRests) {
  SdlRig rig;
  if (!rig.Ready()) GTEST_SKIP() << "SDL's off-screen video driver is not available";
  rig.Plug("Pad", 4);
  const auto list = rig.Host().Joysticks().Attached();
  ASSERT_EQ(list.size(), 1u);
  auto open = rig.Host().Joysticks().Open(list[0].id);
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
    rig.Device(0).SetAxes(c.stickX, c.stickY);
    rig.Device(0).SetHat(c.hatX, c.hatY);
    const auto state = open->Read();
    ASSERT_TRUE(state.has_value());
    EXPECT_EQ(state->x, c.x) << c.hatX << "," << c.hatY;
    EXPECT_EQ(state->y, c.y) << c.hatX << "," << c.hatY;
  }
}

INSTANTIATE_TEST_SUITE_P(BackEnds, JoystickDevicesContract, ::testing::Values("headless", "sdl"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
