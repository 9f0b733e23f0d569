#include <gtest/gtest.h>

#include "HeadlessEvents.h"
#include "host/RegistryFile.h"
#include "platform/BCDirectInput.h"

namespace {

using testing_events::DeliverPending;

// Stands where the game window stands: every notification goes back to the service.
struct Receiver : platform::DirectXEvent {
  platform::BCDirectInput* service = nullptr;
  int calls = 0;
  void DirectXEvent_DXCallback(std::int32_t eventid) override {
    ++calls;
    service->DirectXEvent_DXCallback(eventid);
  }
};

struct BCDirectInputTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  host::HeadlessJoysticks& sticks = host.ScriptedJoysticks();
  Receiver receiver;

  std::unique_ptr<platform::BCDirectInput> MakeService() {
    auto service = std::make_unique<platform::BCDirectInput>(host.Joysticks(), receiver);
    receiver.service = service.get();
    return service;
  }
  // Which buttons 1 to 12 the service reports held, as a string of 0s and 1s.
  static std::string Held(const platform::BCDirectInput& service) {
    std::array<bool, 13> b{};
    if (!service.GetButtonState(b)) return "none";
    std::string s;
    for (int n = 1; n <= 12; ++n) s += b[n] ? '1' : '0';
    return s;
  }
};

TEST_F(BCDirectInputTest, TheAutomaticChoiceTakesTheMostButtonsAndANumberPastTheListIsRefused) {
  // Each holds a different button, so that the buttons read tell which one is open.
  const auto a = sticks.Plug("Two", 2), b = sticks.Plug("Four", 4);
  const auto c = sticks.Plug("Also four", 4);
  sticks.SetButton(a, 1, true);
  sticks.SetButton(b, 2, true);
  sticks.SetButton(c, 3, true);
  auto service = MakeService();
  ASSERT_TRUE(service->SelectJoystick());
  EXPECT_EQ(Held(*service), "010000000000") << "the most buttons, the first among equals";
  ASSERT_TRUE(service->SelectJoystick(1)) << "the game's call looks at no button counts";
  EXPECT_EQ(Held(*service), "100000000000");

  EXPECT_FALSE(service->SelectJoystick(4)) << "a number past the list";
  EXPECT_EQ(Held(*service), "100000000000") << "the open joystick stays open";
  service->DeselectJoystick();
  EXPECT_FALSE(service->SelectJoystick(4));
  EXPECT_EQ(Held(*service), "none") << "nothing was opened";
}

TEST_F(BCDirectInputTest, AListFoundOnceIsKeptUntilANewServiceAndAnEmptyListSelectsNothing) {
  auto empty = MakeService();
  EXPECT_FALSE(empty->SelectJoystick(1));
  EXPECT_EQ(Held(*empty), "none");
  std::vector<std::string> names{"kept"};
  empty->GetJoystickInfo(names);
  EXPECT_EQ(names, std::vector<std::string>{"kept"});

  empty.reset();
  sticks.Plug("First", 2);
  auto early = MakeService();
  sticks.Plug("Second", 6);
  DeliverPending(host);
  early->GetJoystickInfo(names);
  EXPECT_EQ(names, std::vector<std::string>{"First"});
  early->SelectJoystick();
  EXPECT_EQ(Held(*early), "000000000000");
  EXPECT_FALSE(early->SelectJoystick(2)) << "the second one is not in its list";

  early.reset();
  auto later = MakeService();
  later->GetJoystickInfo(names);
  EXPECT_EQ(names, (std::vector<std::string>{"First", "Second"}));
}

TEST_F(BCDirectInputTest, TheStickReadsInPercentWithADeadZoneAndSaturation) {
  const auto pad = sticks.Plug("Pad", 4);
  auto service = MakeService();
  ASSERT_TRUE(service->SelectJoystick(1));
  auto read = [&](std::int32_t x, std::int32_t y) {
    sticks.SetAxes(pad, x, y);
    DeliverPending(host);
    return std::pair{service->JoystickX, service->JoystickY};
  };
  using P = std::pair<std::int32_t, std::int32_t>;
  EXPECT_EQ(read(32768, 32768), P(0, 0));
  // The inner tenth of the travel on either side reads as the centre.
  EXPECT_EQ(read(32768 + 3276, 32768 - 3276), P(0, 0));
  EXPECT_EQ(read(32768 + 3400, 32768 - 3400), P(0, 0)) << "just past the dead zone: under 1 %";
  EXPECT_EQ(read(32768 + 3800, 32768 - 3800), P(1, -1));
  // The outer tenth reads as the end; percentages of the centre, truncated.
  EXPECT_EQ(read(65535, 0), P(99, -100));
  EXPECT_EQ(read(32768 + 29500, 32768 - 29500), P(99, -100));
  EXPECT_EQ(receiver.calls, 6) << "each change went through the receiver";

  // The centre is taken at selection wherever the stick is: held hard left it reads 0, and
  // that axis can then never be worked out. (A centre off the middle: the unplugging test.)
  sticks.SetAxes(pad, 0, 32768);
  ASSERT_TRUE(service->SelectJoystick(1));
  EXPECT_EQ(read(65535, 65535), P(99, 99)) << "x stays as it was";
}

TEST_F(BCDirectInputTest, OnlyButtonsOneToTwelveAreReportedAndOnlyAfterTheNotification) {
  const auto pad = sticks.Plug("Big", 16);
  auto service = MakeService();
  ASSERT_TRUE(service->SelectJoystick(1));
  for (int b = 13; b <= 16; ++b) sticks.SetButton(pad, b, true);
  sticks.SetButton(pad, 12, true);
  sticks.SetButton(pad, 7, true);
  EXPECT_EQ(Held(*service), "000000000000") << "nothing is read before the change arrives";
  DeliverPending(host);
  EXPECT_EQ(Held(*service), "000000100001");

  std::array<bool, 13> buttons{};
  buttons.fill(true);
  service->DeselectJoystick();
  EXPECT_FALSE(service->GetButtonState(buttons));
  EXPECT_TRUE(buttons[1]) << "left alone";
  const int calls = receiver.calls;
  sticks.SetButton(pad, 1, true);
  DeliverPending(host);
  EXPECT_EQ(receiver.calls, calls) << "a closed device tells nobody";
}

// What the game does when the joystick is pulled out (let go of everything, pause) shows in
// joystick-unplugged.scn.
TEST_F(BCDirectInputTest, ALostJoystickIsToldOnceAndTheSameOneOrElseTheFirstTakesItsPlace) {
  const auto other = sticks.Plug("Other", 2), pad = sticks.Plug("Pad", 4);
  auto service = MakeService();
  int lost = 0;
  service->DeviceLost = [&] { ++lost; };
  ASSERT_TRUE(service->SelectJoystick(2));
  sticks.Unplug(pad);
  DeliverPending(host);
  EXPECT_EQ(lost, 1);
  sticks.SetButton(other, 1, true);
  DeliverPending(host);
  EXPECT_EQ(Held(*service), "000000000000") << "nothing is opened until a device arrives";

  // Plugged in again, held to the right: a fresh centre is taken there.
  const auto again = sticks.Plug("Pad", 4);
  sticks.SetAxes(again, 65535, 32768);
  DeliverPending(host);
  sticks.SetAxes(again, 32768, 32768);
  sticks.SetButton(again, 2, true);
  DeliverPending(host);
  EXPECT_EQ(service->JoystickX, -49);
  EXPECT_EQ(Held(*service), "010000000000");
  EXPECT_EQ(lost, 1);
  sticks.Plug("New", 12);  // a device arriving while one is open changes nothing
  DeliverPending(host);
  EXPECT_EQ(Held(*service), "010000000000");

  sticks.Unplug(again);
  sticks.Plug("Wheel", 8);
  DeliverPending(host);
  EXPECT_EQ(lost, 2);
  EXPECT_EQ(Held(*service), "100000000000") << "the first one attached: Other, button 1 held";
  std::vector<std::string> names;
  service->GetJoystickInfo(names);
  EXPECT_EQ(names, (std::vector<std::string>{"Other", "New", "Wheel"}));
}

}  // namespace
