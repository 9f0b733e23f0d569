#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "TempFolder.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "shell/Program.h"
#include "shell/ScreenSettings.h"
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
  // Loads into `state`, keeping the table as loaded for the save.
  void Load() {
    shell::LoadSettings(state, store);
    loaded = shell::HallOfFameOf(state);
  }
  void Save() { EXPECT_EQ(shell::SaveSettings(state, store, loaded), std::nullopt); }

  shell::HallOfFame loaded = shell::HallOfFameOf(game::GameState{});
};

// The hall of fame as a list of "NAM=score" texts, the way it is stored.
std::vector<std::string> Table(const shell::HallOfFame& table) {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < 10; ++i)
    entries.push_back(table.names[i] + "=" + std::to_string(table.scores[i]));
  return entries;
}

std::vector<std::string> Stored(host::RegistryStore& store) {
  game::GameState state;
  shell::LoadSettings(state, store);
  return Table(shell::HallOfFameOf(state));
}

void SetTable(game::GameState& state,
              const std::vector<std::pair<std::int32_t, std::string>>& entries) {
  for (std::size_t i = 0; i < 10; ++i) {
    state.HighScores[i] = i < entries.size() ? entries[i].first : 0;
    state.HighScoreNames[i] = i < entries.size() ? entries[i].second : "   ";
  }
}

std::vector<std::string> Padded(std::vector<std::string> entries) {
  entries.resize(10, "   =0");
  return entries;
}

TEST_F(SettingsTest, WithNobodyElseSavingTheTableIsSavedExactlyAsItIs) {
  Put("High Score 1", "LOW=10");
  Put("High Score 2", "TOP=900");
  Load();
  SetTable(state, {{50, "NEW"}, {10, "LOW"}, {900, "TOP"}, {20, "LOW"}});
  Save();
  EXPECT_EQ(Stored(store), Padded({"NEW=50", "LOW=10", "TOP=900", "LOW=20"}));
}

TEST_F(SettingsTest, WhenAnotherInstanceSavedMeanwhileThisRunsNewEntriesAreFiledIntoItsTable) {
  Put("High Score 1", "ACE=900");
  Put("High Score 2", "BOB=500");
  Put("High Score 3", "CAT=300");
  Load();
  // This run: XYZ 700 and a second ACE 500 (ranked below the equal BOB 500); CAT fell off
  // the end of the table only here.
  SetTable(state, {{900, "ACE"}, {700, "XYZ"}, {500, "BOB"}, {500, "ACE"}, {300, "CAT"}});
  state.FireButton = 7;
  // Meanwhile the other instance stored its own new entry, QQQ 800.
  Put("High Score 2", "QQQ=800");
  Put("High Score 3", "BOB=500");
  Put("High Score 4", "CAT=300");
  Save();
  EXPECT_EQ(Stored(store),
            Padded({"ACE=900", "QQQ=800", "XYZ=700", "BOB=500", "ACE=500", "CAT=300"}));
  EXPECT_EQ(store.GetValue(key, "Fire button"), RegValue::Dword(7)) << "the buttons are this run's";
}

TEST(SettingsFile, TwoInstancesQuittingAtOnceBothKeepTheirNewScores) {
  TempFolder folder;
  const std::string path = folder / "settings.reg";
  const std::string key = shell::Program::kRegistryKey;
  // Each instance's game: a new score, filed below the first lower one. (When the other
  // instance is quick, it may already be in what was loaded here.)
  const auto quitter = [&](const std::string& who, std::int32_t score) {
    return [&, who, score](const std::function<void()>& awaitStart) {
      host::FileRegistryStore store(path);
      game::GameState state;
      shell::LoadSettings(state, store);
      const shell::HallOfFame loaded = shell::HallOfFameOf(state);
      std::size_t p = 0;
      while (state.HighScores[p] >= score) ++p;
      std::shift_right(state.HighScores.begin() + p, state.HighScores.end(), 1);
      std::shift_right(state.HighScoreNames.begin() + p, state.HighScoreNames.end(), 1);
      state.HighScores[p] = score;
      state.HighScoreNames[p] = who;
      awaitStart();
      return shell::SaveSettings(state, store, loaded) ? 1 : 0;
    };
  };
  for (int round = 0; round < 25; ++round) {
    {
      host::FileRegistryStore store(path);
      store.SetValue(key, "High Score 1", RegValue::String("OLD=1000"));
      for (int i = 2; i <= 10; ++i)
        store.SetValue(key, "High Score " + std::to_string(i), RegValue::String("   =0"));
    }
    EXPECT_EQ(RunInChildren({quitter("ONE", 600), quitter("TWO", 700)}), (std::vector<int>{0, 0}));
    host::FileRegistryStore store(path);
    ASSERT_EQ(Stored(store), Padded({"OLD=1000", "TWO=700", "ONE=600"})) << "round " << round;
  }
}

// The memory for the game screen's window runs out while it opens.
class HostWithoutMemoryForTheGameScreen : public host::HeadlessHost {
 public:
  using HeadlessHost::HeadlessHost;
  std::unique_ptr<host::Window> CreateWindow(const host::WindowSpec& spec,
                                             host::WindowEvents& events) override {
    if (spec.name == "MainForm") throw std::bad_alloc();
    return HeadlessHost::CreateWindow(spec, events);
  }
};

// A save that cannot run to its end.
class StoreFailingInTheSave : public host::FileRegistryStore {
 public:
  using FileRegistryStore::FileRegistryStore;
  std::optional<std::string> Batch(const std::function<void()>& changes) override {
    return FileRegistryStore::Batch([&] {
      changes();
      throw std::bad_alloc();
    });
  }
};

// Anything thrown out of the event loop ends the program as a quit request would: the
// session's entries are saved, one line says why, the status is 1. When the save itself is
// what failed, nothing more is tried and the stored file stays as it was.
TEST(ProgramEnd, AfterAFaultTheSessionIsSavedWhereTheSaveCanStillRun) {
  TempFolder folder;
  const std::string path = folder / "settings.reg";
  const std::string key = shell::Program::kRegistryKey;
  const std::string stored =
      "[" + key + "]\n\"Greeted\"=dword:ffffffff\n\"High Score 1\"=\"OLD=500\"\n";
  std::string beforeTheFault;
  const auto run = [&](std::unique_ptr<host::RegistryStore> store, bool inTheSave) {
    WriteFileBytes(path, stored);
    HostWithoutMemoryForTheGameScreen host(std::move(store));
    host.SetCdPresent(true);
    shell::Program program(host);
    program.Main();
    beforeTheFault = ReadFileBytes(path);
    program.Game().state.HighScores[1] = 300;  // filed by a game of this session
    program.Game().state.HighScoreNames[1] = "NEW";
    ::testing::internal::CaptureStderr();
    int status = 0;
    try {
      inTheSave ? program.QuitProgram() : program.PlayGame();
    } catch (const std::bad_alloc& fault) {
      status = program.EndAfterFault(&fault);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "skirmora: the game cannot go on (out of memory); it ends as if asked to quit\n");
    return status;
  };

  EXPECT_EQ(run(std::make_unique<host::FileRegistryStore>(path), false), 1);
  EXPECT_EQ(host::FileRegistryStore(path).GetValue(key, "High Score 2"),
            RegValue::String("NEW=300"));

  EXPECT_EQ(run(std::make_unique<StoreFailingInTheSave>(path), true), 1);
  EXPECT_EQ(ReadFileBytes(path), beforeTheFault);
}

// A hand-edited size that is no size gives no size at all (the window then fits the screen);
// that the choice and its size are remembered is windowed-game-test's.
TEST_F(SettingsTest, AHandEditedWindowSizeThatIsNoSizeIsIgnored) {
  shell::StoreScreenChoice(store, {true, 1000, 800});
  store.SetValue(key, "Window width", RegValue::Dword(-5));
  EXPECT_EQ(shell::LoadScreenChoice(store), (host::ScreenChoice{true, 0, 0}));
}

}  // namespace
