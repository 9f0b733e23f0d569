#include <gtest/gtest.h>

#include <optional>

#include "host/headless/HeadlessDisplayModes.h"
#include "platform/BCResolution.h"

namespace {

using Mode = host::DisplayMode;

struct BCResolutionTest : ::testing::Test {
  host::HeadlessDisplayModes display;
  std::optional<platform::BCResolution> switcher;

  void Screen(std::vector<Mode> modes, Mode current) {
    switcher.reset();
    display.Script(std::move(modes), current);
    switcher.emplace(display);
  }
  Mode Now() { return *display.CurrentMode(); }
};

TEST_F(BCResolutionTest, WithoutADepthTheDepthStaysAndAnUnknownModeFailsAtOnce) {
  Screen({{640, 480, 16}, {640, 480, 32}, {1280, 1024, 32}}, {1280, 1024, 32});
  EXPECT_TRUE(switcher->SetScreenResolution(640, 480));
  EXPECT_EQ(Now(), (Mode{640, 480, 32}));
  EXPECT_EQ(display.Requests(), (std::vector<Mode>{{640, 480, 0}}));

  Screen({{640, 480, 32}, {1280, 1024, 32}}, {1280, 1024, 32});
  EXPECT_FALSE(switcher->SetScreenResolution(640, 480, 16));
  EXPECT_EQ(Now(), (Mode{1280, 1024, 32}));
  EXPECT_EQ(display.Requests().size(), 1u) << "no second attempt";
}

TEST_F(BCResolutionTest, ThirtyTwoBitsAreTriedAsTwentyFourFirst) {
  Screen({{640, 480, 24}, {640, 480, 32}, {1280, 1024, 32}}, {1280, 1024, 32});
  EXPECT_TRUE(switcher->SetScreenResolution(640, 480, 32));
  EXPECT_EQ(Now(), (Mode{640, 480, 24}));

  Screen({{640, 480, 32}, {1280, 1024, 24}}, {1280, 1024, 24});
  EXPECT_TRUE(switcher->SetScreenResolution(640, 480, 24)) << "24 falls back to 32";
  EXPECT_EQ(Now(), (Mode{640, 480, 32}));
  EXPECT_EQ(display.Requests(), (std::vector<Mode>{{640, 480, 24}, {640, 480, 32}}));
}

TEST_F(BCResolutionTest, DestructionRestoresTheModeFoundAtCreationOnlyIfItWasUsed) {
  Screen({{640, 480, 16}, {1280, 1024, 32}}, {1280, 1024, 32});
  switcher.reset();
  EXPECT_TRUE(display.Requests().empty());

  Screen({{640, 480, 16}, {800, 600, 16}, {1280, 1024, 32}}, {1280, 1024, 32});
  EXPECT_TRUE(switcher->SetScreenResolution(640, 480, 16));
  EXPECT_TRUE(switcher->SetScreenResolution(800, 600, 16));
  switcher.reset();
  EXPECT_EQ(Now(), (Mode{1280, 1024, 32}));
  // The 32-bit desktop comes back through the same 24-then-32 rule.
  EXPECT_EQ(display.Requests().back(), (Mode{1280, 1024, 32}));
  EXPECT_EQ(display.Requests()[2], (Mode{1280, 1024, 24}));

  // A failed switch is undone all the same.
  Screen({{1280, 1024, 32}}, {1280, 1024, 32});
  EXPECT_FALSE(switcher->SetScreenResolution(640, 480, 16));
  switcher.reset();
  EXPECT_EQ(display.Requests().size(), 3u);
  EXPECT_EQ(Now(), (Mode{1280, 1024, 32}));
}

}  // namespace
