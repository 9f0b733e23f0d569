#include <gtest/gtest.h>

#include "assets/Assets.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "platform/ThornJoystick.h"

namespace {

struct ThornJoystickTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  host::HeadlessJoysticks& sticks = host.ScriptedJoysticks();
  platform::ThornJoystick control{host, assets::Picture("JoystickFace")};
  std::vector<std::string> events;

  ThornJoystickTest() {
    control.ButtonDown = [this](std::int16_t b) { events.push_back("down " + std::to_string(b)); };
    control.ButtonUp = [this](std::int16_t b) { events.push_back("up " + std::to_string(b)); };
    control.Update = [this](std::int16_t x, std::int16_t y, bool b1, bool b2, bool b3, bool b4) {
      events.push_back("update " + std::to_string(x) + " " + std::to_string(y) + " " +
                       std::to_string(b1) + std::to_string(b2) + std::to_string(b3) +
                       std::to_string(b4));
    };
  }
  std::string Direction() {
    std::int16_t x, y, b1, b2, b3, b4;
    control.GetState(x, y, b1, b2, b3, b4);
    return std::to_string(x) + " " + std::to_string(y);
  }
  // One poll with the stick at (x, y).
  std::string At(std::int64_t pad, std::int32_t x, std::int32_t y) {
    sticks.SetAxes(pad, x, y);
    host.AdvanceTime(platform::ThornJoystick::kPollMs);
    return Direction();
  }
};

TEST_F(ThornJoystickTest, WithoutAJoystickItIsAbsentForGoodAndSilent) {
  EXPECT_TRUE(control.IsJoystick()) << "until it starts, as in the designer";
  control.Start();
  EXPECT_FALSE(control.IsJoystick());
  sticks.Plug("Late", 4);
  host.AdvanceTime(1000);
  EXPECT_TRUE(events.empty()) << "no retry";
  EXPECT_FALSE(control.IsJoystick());
}

TEST_F(ThornJoystickTest, ItPollsEvery25MsFromStartUpAndAFifthEitherSideCountsAsCentred) {
  const auto pad = sticks.Plug("Pad", 4);
  host.AdvanceTime(100);
  EXPECT_TRUE(events.empty()) << "the timer waits for start-up";
  control.Start();  // centre 32768: the band is 26214.4 to 39321.6
  EXPECT_TRUE(control.IsJoystick());
  host.AdvanceTime(100);
  EXPECT_EQ(events, std::vector<std::string>(4, "update 0 0 0000"));
  EXPECT_EQ(At(pad, 26214, 32768), "-1 0");
  EXPECT_EQ(At(pad, 26215, 32768), "0 0");
  EXPECT_EQ(At(pad, 39321, 32768), "0 0");
  EXPECT_EQ(At(pad, 39322, 32768), "1 0");
  // Pushed forward the stick reads less, which counts as up.
  EXPECT_EQ(At(pad, 32768, 26214), "0 1");
  EXPECT_EQ(At(pad, 32768, 39322), "0 -1");
}

TEST_F(ThornJoystickTest, AStickHeldAtStartUpSkewsTheCentre) {
  const auto pad = sticks.Plug("Pad", 4);
  sticks.SetAxes(pad, 50000, 32768);
  control.Start();
  EXPECT_EQ(At(pad, 60000, 32768), "0 0") << "not above 1.2 x 50000";
  EXPECT_EQ(At(pad, 60001, 32768), "1 0");
  EXPECT_EQ(At(pad, 32768, 32768), "-1 0") << "at rest it now reads as left";
}

// An unplugged joystick is skipped, its last state readable, until it comes back.
TEST_F(ThornJoystickTest, ButtonEventsComeInButtonOrderBeforeOneUpdateEachPollWhilePlugged) {
  const auto pad = sticks.Plug("Pad", 8);
  control.Start();
  sticks.SetButton(pad, 3, true);
  sticks.SetButton(pad, 1, true);
  sticks.SetButton(pad, 5, true);  // past the four it reports
  host.AdvanceTime(25);
  EXPECT_EQ(events, (std::vector<std::string>{"down 1", "down 3", "update 0 0 1010"}));
  std::int16_t x, y, b1, b2, b3, b4;
  control.GetState(x, y, b1, b2, b3, b4);
  EXPECT_EQ((std::vector<int>{b1, b2, b3, b4}), (std::vector<int>{-1, 0, -1, 0}));

  events.clear();
  sticks.SetButton(pad, 1, false);
  sticks.SetButton(pad, 4, true);
  host.AdvanceTime(25);
  EXPECT_EQ(events, (std::vector<std::string>{"up 1", "down 4", "update 0 0 0011"}));

  events.clear();
  sticks.SetButton(pad, 2, true);  // a press shorter than a poll is never seen
  sticks.SetButton(pad, 2, false);
  EXPECT_EQ(At(pad, 0, 32768), "-1 0");
  EXPECT_EQ(events, std::vector<std::string>{"update -1 0 0011"});

  sticks.Unplug(pad);
  events.clear();
  host.AdvanceTime(100);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(Direction(), "-1 0");
  EXPECT_TRUE(control.IsJoystick());
  sticks.Plug("Pad", 4);
  host.AdvanceTime(25);
  EXPECT_EQ(events, (std::vector<std::string>{"up 3", "up 4", "update 0 0 0000"}));
}

TEST_F(ThornJoystickTest, ItShowsItsPictureInA32PixelSquare) {
  host::Surface window(64, 64, host::kBlack);
  control.Left = 10;
  control.Top = 20;
  control.Paint(window);
  const host::Surface& face = assets::Picture("JoystickFace");
  host::Surface want(64, 64, host::kBlack);
  want.Blit(10, 20, 32, 32, face, 0, 0);
  EXPECT_TRUE(window == want);
  EXPECT_FALSE(window == host::Surface(64, 64, host::kBlack)) << "the picture is not blank";
}

}  // namespace
