#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/SoundCues.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

struct SoundCuesTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  host::HeadlessAudio& audio = host.Audio();
  host::WindowEvents events;
  std::unique_ptr<host::Window> window = host.CreateWindow(host::WindowSpec{}, events);
  game::SoundCues cues{host};
};

// Which cues load, in what order, how they loop and fade is seen in sound-cues.scn and
// music.scn; here are the paths a game cannot take.
TEST_F(SoundCuesTest, AnUnknownCueIsSilentAndASecondLoadRefusesEachCueAlone) {
  cues.PlaySound("SBeep");
  EXPECT_FALSE(audio.DeviceOpen()) << "nothing is loaded before the game window opens";
  cues.LoadSounds(*window);
  EXPECT_TRUE(cues.IsLoaded("SWIN"));
  EXPECT_FALSE(cues.IsLoaded("SNothing"));
  cues.PlaySound("SNothing");
  EXPECT_TRUE(audio.Played().empty());

  const std::vector<std::string> loaded = cues.LoadedCues();
  testing::internal::CaptureStderr();
  cues.LoadSounds(*window);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("skirmora: a sound is already loaded under the key \"SMusic\"; that sound "
                      "stays silent\n"),
            std::string::npos)
      << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 20);
  EXPECT_EQ(cues.LoadedCues(), loaded);
  cues.PlaySound("SSpecial");
  EXPECT_TRUE(cues.Cue("SSpecial")->Playing());
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

}  // namespace
