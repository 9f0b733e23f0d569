#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/SoundCues.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

const std::vector<std::string> kLoadingOrder = {
    "SMusic",     "SHit",      "SBeep",    "SError",   "SShieldsOn", "SShieldsOff", "SShieldsHit",
    "SBombFound", "SBombUsed", "SBlaster", "SPlasma",  "SPulse",     "SPhoton",     "SLaser",
    "SMoney",     "SUpgrade",  "SExplode", "SWarning", "SWin",       "SSpecial"};

struct SoundCuesTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  host::HeadlessAudio& audio = host.Audio();
  host::WindowEvents events;
  std::unique_ptr<host::Window> window = host.CreateWindow(host::WindowSpec{}, events);
  game::SoundCues cues{host};
};

TEST_F(SoundCuesTest, TheGameWindowLoadsEveryCueInOrderWithItsOwnSound) {
  cues.PlaySound("SBeep");
  EXPECT_FALSE(audio.DeviceOpen()) << "nothing is loaded before the game window opens";
  cues.LoadSounds(*window);
  EXPECT_EQ(cues.LoadedCues(), kLoadingOrder);
  ASSERT_EQ(audio.Sounds().size(), 20u);
  EXPECT_EQ(audio.Find("SMusic")->LengthMs(), 30000);
  EXPECT_EQ(audio.Find("SBlaster")->Format().samplesPerSec, 8000u);
  EXPECT_TRUE(cues.IsLoaded("SWIN"));
  EXPECT_FALSE(cues.IsLoaded("SNothing"));
  cues.PlaySound("SNothing");
  EXPECT_TRUE(audio.Played().empty());

  testing::internal::CaptureStderr();
  cues.LoadSounds(*window);  // every cue again: each refused as a duplicate and only that cue
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("skirmora: a sound is already loaded under the key \"SMusic\"; that sound "
                      "stays silent\n"),
            std::string::npos)
      << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 20);
  EXPECT_EQ(cues.LoadedCues(), kLoadingOrder);
  cues.PlaySound("SSpecial");
  EXPECT_TRUE(cues.Cue("SSpecial")->Playing());
}

TEST_F(SoundCuesTest, CuesPlayOnceOrLoopTakeAVolumeAndAreMuted) {
  cues.LoadSounds(*window);
  cues.SetVolume("SMusic", -10000);
  cues.PlayLooping("SMusic");
  cues.PlaySound("SBlaster");
  host.AdvanceTime(250);
  EXPECT_TRUE(cues.Cue("SMusic")->Looping());
  EXPECT_EQ(cues.Cue("SMusic")->Volume(), -10000);
  EXPECT_FALSE(cues.Cue("SBlaster")->Playing()) << "a 0.2 s shot is over after 250 ms";
  cues.StopSound("SMusic");
  EXPECT_FALSE(cues.Cue("SMusic")->Playing());
  ASSERT_EQ(audio.Played().size(), 2u);
  EXPECT_TRUE(audio.Played()[0].looping);
  EXPECT_FALSE(audio.Played()[1].looping);

  // Muting silences without stopping.
  cues.PlayLooping("SMusic");
  cues.SetMuted(true);
  EXPECT_TRUE(audio.Muted());
  host.AdvanceTime(1000);
  cues.PlaySound("SHit");
  EXPECT_TRUE(cues.Cue("SMusic")->Playing());
  EXPECT_TRUE(audio.Played().back().muted);
  cues.SetMuted(false);
  EXPECT_FALSE(audio.Muted());
}

TEST_F(SoundCuesTest, ReleasingTheManagerForgetsEveryCueUntilTheNextLoad) {
  cues.LoadSounds(*window);
  cues.PlayLooping("SMusic");
  cues.ReleaseSoundManager();
  EXPECT_TRUE(cues.LoadedCues().empty());
  EXPECT_TRUE(audio.Sounds().empty());
  EXPECT_FALSE(audio.DeviceOpen());
  cues.PlaySound("SBeep");  // a manager made by this use has no window: silent
  EXPECT_FALSE(audio.DeviceOpen());
  EXPECT_EQ(audio.Played().size(), 1u);

  cues.ReleaseSoundManager();
  cues.LoadSounds(*window);
  EXPECT_EQ(cues.LoadedCues().size(), 20u);
}

TEST_F(SoundCuesTest, WithoutASoundDeviceTheGamePlaysOnInSilence) {
  audio.SetDevicePresent(false);
  cues.LoadSounds(*window);
  cues.SetVolume("SMusic", -10000);
  cues.PlayLooping("SMusic");
  cues.PlaySound("SBeep");
  cues.StopSound("SMusic");
  EXPECT_TRUE(cues.LoadedCues().empty());
  EXPECT_FALSE(cues.IsLoaded("SMusic"));
  EXPECT_TRUE(audio.Played().empty());
}

}  // namespace
