// A game played headless with the recording on, then replayed from what was recorded.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "TempFolder.h"
#include "app/script/Runner.h"

namespace {

// The runner's output without what depends on the virtual clock alone: the time, and which
// sounds have played to their end.
std::string WithoutClock(const std::string& out) {
  std::string text = out;
  for (const std::string key : {"\"time\":", "\"sounds\":"}) {
    for (std::size_t at; (at = text.find(key)) != std::string::npos;) {
      std::size_t end = at + key.size();
      int depth = 0;
      do {
        if (text[end] == '{') ++depth;
        if (text[end] == '}') --depth;
        ++end;
      } while (depth > 0 || (text[end] != ',' && text[end] != '}'));
      if (text[end] == ',') ++end;
      text.erase(at, end - at);
    }
  }
  return text;
}

struct RunResult {
  int status = 0;
  std::string out;
};

RunResult RunScenario(const std::string& scenario, const std::string& recordTo = "") {
  std::istringstream in(scenario);
  std::ostringstream out;
  script::Runner runner(in, out, "/nowhere", "skirmora");
  if (!recordTo.empty()) runner.RecordTo(recordTo);
  RunResult run;
  run.status = runner.Run();
  run.out = out.str();
  return run;
}

TEST(Replay, ARecordedGameEndsTheSameWhenReplayed) {
  TempFolder folder;
  WriteFileBytes(folder / "settings.reg",
                 "[HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora]\n"
                 "\"Greeted\"=dword:ffffffff\n\"High Score 1\"=\"ACE=90\"\n");
  // The hall of fame from a settings file, a joystick that steers and fires, the keyboard,
  // the mouse, the focus leaving, a quit with initials typed and corrected.
  const std::string game = "registry " + (folder / "settings.reg") +
                           "\n"
                           "answer No\nseed 42\njoystick plug Pad 4\nstart\n"
                           "mouse move 20 140\nmenu 1\npress F2\nframes 90\n"
                           "joystick axis 0 32768\nframes 10\njoystick axis 32768 32768\n"
                           "joystick button 1 down\nframes 150\njoystick button 1 up\n"
                           "focus lost\nfocus back\npress F3\nframes 40\n"
                           "answer OK\npress ESC\ntype ZK\npress BACK\ntype Q\npress ENTER\n";
  const std::string end = "dump\nscreenshot ";
  const RunResult played =
      RunScenario(game + end + (folder / "played.bmp") + "\n", folder / "game.scn");
  ASSERT_EQ(played.status, 0) << played.out;
  // The game must have got somewhere for the comparison to mean anything.
  ASSERT_NE(played.out.find("\"HighScoreNames\":[\"ZQ \",\"ACE\""), std::string::npos)
      << played.out;

  const RunResult replayed =
      RunScenario(ReadFileBytes(folder / "game.scn") + end + (folder / "replayed.bmp") + "\n");
  ASSERT_EQ(replayed.status, 0) << replayed.out;
  EXPECT_EQ(WithoutClock(replayed.out), WithoutClock(played.out));
  EXPECT_EQ(ReadFileBytes(folder / "replayed.bmp"), ReadFileBytes(folder / "played.bmp"));
}

TEST(Replay, StateSetByCommandsAndQuitRequestsAreReplayedWhereTheyCame) {
  TempFolder folder;
  // A score set outright, an Exit from the popup menu dismissed once, then a quit request
  // while the box of the quit is open.
  const std::string game =
      "registry " + (folder / "settings.reg") +
      "\nanswer OK\nanswer OK\nanswer Yes\nstart\nclick 5 5\nmenu 2\npress F2\nframes 20\n"
      "set Score 4000\nframes 5\nquit-request dialog\npress ESC\n";
  const RunResult played = RunScenario(game, folder / "game.scn");
  ASSERT_EQ(played.status, 0);
  const std::string recorded = ReadFileBytes(folder / "game.scn");
  EXPECT_NE(recorded.find("set Score 4000\n"), std::string::npos) << recorded;
  EXPECT_NE(recorded.find("answer 0\n"), std::string::npos) << recorded;
  EXPECT_NE(recorded.find("quit-request dialog\ndown ESC\n"), std::string::npos) << recorded;
  const RunResult replayed = RunScenario(recorded);
  EXPECT_EQ(WithoutClock(replayed.out), WithoutClock(played.out));
  EXPECT_NE(played.out.find("{\"event\":\"quit-request\",\"during\":\"Quit?\"}"),
            std::string::npos);
  // The interrupted game's score was filed without initials.
  EXPECT_NE(ReadFileBytes(folder / "settings.reg").find("=4000\""), std::string::npos);
}

TEST(Replay, ARecordingThatCannotBeWrittenFailsTheRun) {
  TempFolder folder;
  const RunResult run = RunScenario("answer OK\nanswer OK\nstart\n", folder / "missing/game.scn");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(folder.Contents().empty());
}

}  // namespace
