// The frame loop and the keys of the game window, driven directly on the headless back end.
#include "CombatTesting.h"
#include "SurfaceTesting.h"
#include "assets/Assets.h"
#include "game/Flow.h"
#include "game/Frame.h"
#include "game/FrameSteps.h"
#include "game/MainForm.h"
#include "host/Keys.h"

namespace {

// A game started as F2 starts it, every random draw 0.5.
struct FrameTest : combat_testing::CombatTest {
  FrameTest() {
    s.GameRunning = false;
    game::StartGame(*form);
    // An enemy far off keeps the group from counting as beaten.
    s.Enemies.Add().Y = 60;
    Draws({0.5f});
    ForgetHeard();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) game::RunFrame(*form);
  }
};

// The poses without the shields show in laser.beam.bmp and laser.moved.bmp.
TEST_F(FrameTest, AMovingShipShowsItsPoseAndLeavesNothingOfItsOldSquare) {
  using testing_surfaces::Crop;
  constexpr host::Color kMark = host::Rgb(1, 2, 3);
  s.ShieldsHeld = true;
  for (const auto& [mx, my] : {std::pair{1, 1}, {-1, 1}, {1, -1}, {-1, -1}, {0, 1}, {-1, 0}}) {
    form->screen.canvas.FillRect(s.ShipX, s.ShipY, s.ShipX + 64, s.ShipY + 64, kMark);
    s.MoveX = static_cast<std::int16_t>(mx), s.MoveY = static_cast<std::int16_t>(my);
    Frames(1);
    EXPECT_TRUE(testing_surfaces::PixelsOf(Screen(), kMark).empty()) << mx << "," << my;
    EXPECT_EQ(Crop(Screen(), s.ShipX, s.ShipY, 65, 65),
              Crop(assets::Picture("ShipsPic"), 65 * (3 - 2 * mx), 0, 65, 65))
        << "the pose, " << mx << "," << my;
  }
}

TEST_F(FrameTest, RechargeRestoresEnergyThenHullAndWaitsWhileBothAreFull) {
  s.RechargeTime = 250;
  s.Energy = 99;
  s.Hull = 99;
  Frames(2);
  EXPECT_EQ(s.Energy, 100) << "one point every second frame";
  EXPECT_EQ(s.Hull, 99);
  Frames(2);
  EXPECT_EQ(s.Hull, 100);
  const std::int32_t held = s.RechargeTime;
  Frames(10);
  EXPECT_GE(s.RechargeTime, held - 1) << "a full ship keeps the effect for later";
  s.Energy = 50;
  s.RechargeTime = 3;
  Frames(1);
  EXPECT_EQ(s.RechargeTime, 2);
  Frames(1);
  EXPECT_EQ(s.Energy, 51);
  EXPECT_EQ(s.RechargeTime, 0) << "the last point ends the effect";
}

TEST_F(FrameTest, PowerUpsFallFromTheSkyOnlyWhileEnemiesAreLeft) {
  s.PowerUps.Clear();
  // Draws: the sky's chance, the type, x, the drift.
  Draws({0.0069f, 0.5f, 0.99999994f, 0.99999994f});
  game::DropPowerUpFromSky(game);
  ASSERT_EQ(s.PowerUps.Count(), 1);
  EXPECT_EQ(s.PowerUps[1], (game::Projectile{1, 0, 619, 50, 1, 3, 0, 0, 0}));
  Draws({0.0f, 0.5f, 0.0f, 0.0f});
  game::DropPowerUpFromSky(game);
  ASSERT_EQ(s.PowerUps.Count(), 2);
  EXPECT_EQ(s.PowerUps[2], (game::Projectile{1, 0, 0, 50, -1, 3, 0, 0, 0}));
  Draws({0.007f});
  game::DropPowerUpFromSky(game);
  EXPECT_EQ(s.PowerUps.Count(), 2) << "0.007 is not below 0.007";
  s.Enemies.Clear();
  Draws({0.0f, 0.75f});
  game::DropPowerUpFromSky(game);
  EXPECT_EQ(s.PowerUps.Count(), 2) << "nothing falls on a beaten group";
  EXPECT_EQ(game.random.Next(), 0.75f) << "the chance is drawn all the same, once";
}

TEST_F(FrameTest, TheSquadronComesFromWaveSixOnOutsideRookieMode) {
  s.Enemies.Clear();
  s.Wave = 5;
  Draws({0.0f, 0.75f});
  game::SendReinforcements(game);
  EXPECT_EQ(s.Enemies.Count(), 0);
  EXPECT_EQ(game.random.Next(), 0.75f) << "the chance is drawn all the same, once";
  s.Wave = 7;
  Draws({0.0019f});
  game::SendReinforcements(game);
  ASSERT_EQ(s.Enemies.Count(), 10) << "wave 7 has a 0.2 % chance a frame";
  for (std::int32_t i = 1; i <= 10; ++i)
    EXPECT_EQ(s.Enemies[i], (game::Projectile{0, 0, 58 * i - 8, 150, 0, 4, 0, 10, 0})) << i;
  Draws({0.002f});
  game::SendReinforcements(game);
  EXPECT_EQ(s.Enemies.Count(), 10);
  s.RookieMode = true;
  Draws({0.0f});
  game::SendReinforcements(game);
  EXPECT_EQ(s.Enemies.Count(), 10);
}

// The timing (a second of warning, then the blast) and the game's end are laser.scn's.
TEST_F(FrameTest, ADestroyedShipExplodesOverItsCentreWithoutAWarningInReducedSound) {
  s.Hull = 0;
  s.ShipX = 100;
  s.ShipY = 400;
  s.ReducedSound = true;
  Frames(1);
  EXPECT_EQ(s.BombX, 124);
  EXPECT_EQ(s.BombY, 424);
  EXPECT_EQ(Heard(), std::vector<std::string>{"SExplode"});
}

TEST_F(FrameTest, EveryEffectSoundsWithFullSound) {
  s.ShieldsHeld = s.FireHeld = s.BombHeld = true;
  Frames(1);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"SShieldsOn", "SBlaster", "SBombFound"}));
  ForgetHeard();
  s.FireHeld = s.ShieldsHeld = false;
  s.WeaponLevel = 2;
  s.NextWeaponHeld = true;
  s.BombY = s.ShipY - 137;
  Frames(5);
  EXPECT_EQ(Heard(),
            (std::vector<std::string>{"SShieldsOff", "SBeep", "SBombUsed", "SBeep", "SBeep"}))
      << "the switch beeps every second frame; a bomb high enough goes off at once";
}

TEST_F(FrameTest, TheDirectXCallbackReachesAJoystickServiceEvenAfterItWasReleased) {
  form->Joystick.reset();
  form->DirectXEvent_DXCallback(7);
  EXPECT_NE(form->Joystick, nullptr);
}

// That the pause outlasts the focus's return is pause-keys.scn's.
TEST_F(FrameTest, FocusLossMutesTheSoundUntilItComesBackOrTheWindowCloses) {
  host.SetInputSource([] { throw host::ProgramExit{0}; });
  host.PostFocus(false);
  EXPECT_THROW(host.RunMainLoop(), host::ProgramExit);
  EXPECT_TRUE(s.Paused);
  EXPECT_FALSE(form->GameTimer().Enabled());
  EXPECT_TRUE(host.Audio().Muted()) << "silent while another program has the focus";
  host.PostFocus(true);
  EXPECT_THROW(host.RunMainLoop(), host::ProgramExit);
  EXPECT_FALSE(host.Audio().Muted());
  host.PostFocus(false);
  EXPECT_THROW(host.RunMainLoop(), host::ProgramExit);
  form->Unload();
  EXPECT_FALSE(host.Audio().Muted()) << "a closed game window leaves no sound muted";
  s.Paused = false;
  host.PostFocus(false);
  EXPECT_THROW(host.RunMainLoop(), host::ProgramExit);
  EXPECT_FALSE(s.Paused) << "an unloaded window no longer listens";
}

}  // namespace
