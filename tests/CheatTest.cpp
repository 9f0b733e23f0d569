// The cheat is heard and shown at once, whatever the sound setting.
#include "CombatTesting.h"
#include "game/Cheat.h"

namespace {

using CheatTest = combat_testing::CombatTest;

TEST_F(CheatTest, IsHeardEvenWithReducedSoundAndRedrawsTheStatusBar) {
  s.ReducedSound = true;
  MarkStatusBar();
  game::Cheat(*form);
  EXPECT_TRUE(s.Cheated);
  EXPECT_EQ(Played("SError"), 1);
  EXPECT_TRUE(StatusBarRedrawn());
}

}  // namespace
