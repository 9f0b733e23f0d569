#include <gtest/gtest.h>

#include "host/RegistryFile.h"
#include "shell/Program.h"
#include "shell/Settings.h"

namespace {

using host::RegValue;

struct SettingsTest : ::testing::Test {
  host::MemoryRegistryStore store;
  game::GameState state;
  const std::string key = shell::Program::kRegistryKey;

  void Put(const std::string& name, const std::string& text) {
    store.CreateKey(key);
    store.SetValue(key, name, RegValue::String(text));
  }
  std::optional<RegValue> Get(const std::string& name) { return store.GetValue(key, name); }
  // Loads into `state`, keeping the table as loaded for the save.
  void Load() {
    shell::LoadSettings(state, store);
    loaded = shell::HallOfFameOf(state);
  }
  void Save() { EXPECT_EQ(shell::SaveSettings(state, store, loaded), std::nullopt); }

  shell::HallOfFame loaded = shell::HallOfFameOf(game::GameState{});
};

TEST_F(SettingsTest, AnEmptyKeyLoadsDefaultsAndSavesThemBack) {
  state.HighScores[4] = 77;
  state.HighScoreNames[4] = "OLD";
  Load();
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(state.HighScores[i], 0);
    EXPECT_EQ(state.HighScoreNames[i], "   ");
  }
  EXPECT_EQ(state.FireButton, 1);
  EXPECT_EQ(state.ShieldsButton, 3);
  EXPECT_EQ(state.BombButton, 2);
  EXPECT_EQ(state.NextWeaponButton, 4);
  Save();
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(Get("High Score " + std::to_string(i)), RegValue::String("   =0"));
  EXPECT_EQ(Get("Fire button"), RegValue::Dword(1));
  EXPECT_EQ(Get("Shields button"), RegValue::Dword(3));
  EXPECT_EQ(Get("Bomb button"), RegValue::Dword(2));
  EXPECT_EQ(Get("Next Weapon button"), RegValue::Dword(4));
}

TEST_F(SettingsTest, EntriesAreUpperCasedAndTrimmedBeforeSplitting) {
  Put("High Score 1", "abc=12500");
  Put("High Score 2", " AB=500");
  Put("High Score 3", "JO =730");
  Put("High Score 4", "ABC=-40");
  Put("High Score 5", "   ");
  Load();
  EXPECT_EQ(state.HighScoreNames[0], "ABC");
  EXPECT_EQ(state.HighScores[0], 12500);
  EXPECT_EQ(state.HighScoreNames[1], "AB ") << "leading blanks are lost";
  EXPECT_EQ(state.HighScores[1], 500);
  EXPECT_EQ(state.HighScoreNames[2], "JO ");
  EXPECT_EQ(state.HighScores[3], -40);
  EXPECT_EQ(state.HighScoreNames[4], "   ");
  Save();
  EXPECT_EQ(Get("High Score 3"), RegValue::String("JO =730"));
  EXPECT_EQ(Get("High Score 4"), RegValue::String("ABC=-40"));
}

TEST_F(SettingsTest, AScorePartThatIsNoDecimal32BitIntegerGivesAnEmptyEntry) {
  const char* bad[] = {"ABC=12x", "ABC=", "ABC", "ABC=99999999999", "ABC= 12", "ABC=1.5", "=="};
  for (const char* value : bad) {
    Put("High Score 1", value);
    state.HighScores[0] = 1;
    Load();
    EXPECT_EQ(state.HighScores[0], 0) << value;
    EXPECT_EQ(state.HighScoreNames[0], "   ") << value;
  }
  Put("High Score 1", "ABC=2147483647");
  Load();
  EXPECT_EQ(state.HighScores[0], 2147483647);
}

TEST_F(SettingsTest, AStoredZeroButtonLoadsItsDefaultOthersAsStored) {
  store.CreateKey(key);
  store.SetValue(key, "Bomb button", RegValue::Dword(0));
  store.SetValue(key, "Fire button", RegValue::Dword(-2));
  store.SetValue(key, "Shields button", RegValue::Dword(12));
  Load();
  EXPECT_EQ(state.BombButton, 2);
  EXPECT_EQ(state.FireButton, -2);
  EXPECT_EQ(state.ShieldsButton, 12);
}

TEST_F(SettingsTest, AHandEditedTableIsTakenAsItIs) {
  Put("High Score 1", "LOW=10");
  Put("High Score 2", "TOP=900");
  Load();
  EXPECT_EQ(state.HighScores[0], 10);
  EXPECT_EQ(state.HighScores[1], 900);
}

TEST_F(SettingsTest, UnicodeInitialsSurviveARoundTrip) {
  state.HighScoreNames[0] = "ÅÉ ";
  state.HighScores[0] = 5;
  Save();
  game::GameState loaded;
  shell::LoadSettings(loaded, store);
  EXPECT_EQ(loaded.HighScoreNames[0], "ÅÉ ");
  EXPECT_EQ(loaded.HighScores[0], 5);
}

}  // namespace
