// A game played headless with the recording on, then replayed from what was recorded.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/script/Recording.h"
#include "app/script/Runner.h"

namespace {

// The runner's output without what depends on the virtual clock alone: the time, and which
// sounds are still playing.
std::string WithoutClock(const std::string& out) {
  static const std::regex clock(R"("time":[0-9]+|"playing":(true|false))");
  return std::regex_replace(out, clock, "");
}

struct RunResult {
  int status = 0;
  std::string out;
};

RunResult RunScenario(const std::string& scenario, const std::string& recordTo = "",
                      script::Accept accept = script::Accept::AllCommands) {
  std::istringstream in(scenario);
  std::ostringstream out;
  script::Runner runner(in, out, "/nowhere", "skirmora", accept);
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

  // Every line the recorder wrote (joysticks, mouse, focus, answers ...) is one a recording
  // from anybody may hold.
  const std::string recording = ReadFileBytes(folder / "game.scn");
  std::istringstream recorded(recording);
  const script::CheckedRecording checked = script::ReadRecording(recorded);
  EXPECT_TRUE(checked.accepted) << "line " << checked.line << ": " << checked.problem;

  // Replayed, it ends the same and is recorded again line for line.
  const RunResult replayed =
      RunScenario(recording + end + (folder / "replayed.bmp") + "\n", folder / "again.scn");
  ASSERT_EQ(replayed.status, 0) << replayed.out;
  EXPECT_EQ(WithoutClock(replayed.out), WithoutClock(played.out));
  EXPECT_EQ(ReadFileBytes(folder / "replayed.bmp"), ReadFileBytes(folder / "played.bmp"));
  EXPECT_EQ(ReadFileBytes(folder / "again.scn"), recording);
}

TEST(Replay, InputIsRecordedInTheWordsThatGaveIt) {
  // Keys with modifiers or without a name, text, blanks and control characters, the mouse's
  // buttons and modifiers, a close request: each recorded as the line that gave it.
  const std::string input =
      "down F11 +SHIFT +CTRL\nup VK189\ntype é\nchar 32\nchar 27\n"
      "mouse move 3 4 left right +ALT\nmouse dblclick 5 6 middle\ndown ESC\nclose MenuForm\n";
  TempFolder folder;
  ASSERT_EQ(
      RunScenario("answer OK\nanswer OK\nanswer No\nstart\n" + input, folder / "game.scn").status,
      0);
  const std::string recorded = ReadFileBytes(folder / "game.scn");
  EXPECT_NE(recorded.find("\nstart\n" + input), std::string::npos) << recorded;
}

TEST(Replay, AnswersStateSetByCommandsAndQuitRequestsAreReplayedWhereTheyCame) {
  TempFolder folder;
  // A button typed into an input box, a popup menu's item chosen and the menu dismissed, a
  // score set outright, then a quit request while the box of the quit is open.
  const std::string game =
      "registry " + (folder / "settings.reg") +
      "\nanswer OK\nanswer OK\nanswer Yes\nstart\nmenu 3\nmenu 1\nanswer 7\n"
      "click 20 192\nclick 150 275\npress ESC\nanswer 2\nclick 5 5\nclick 5 5\n"
      "menu 2\npress F2\nframes 20\nset Score 4000\nframes 5\n"
      "quit-request dialog\npress ESC\n";
  const RunResult played = RunScenario(game, folder / "game.scn");
  ASSERT_EQ(played.status, 0);
  const std::string recorded = ReadFileBytes(folder / "game.scn");
  const RunResult replayed = RunScenario(recorded, folder / "again.scn");
  EXPECT_EQ(ReadFileBytes(folder / "again.scn"), recorded);
  EXPECT_EQ(WithoutClock(replayed.out), WithoutClock(played.out));
  EXPECT_NE(played.out.find("{\"event\":\"quit-request\",\"during\":\"Quit?\"}"),
            std::string::npos);
  // The interrupted game's score was filed without initials.
  EXPECT_NE(ReadFileBytes(folder / "settings.reg").find("=4000\""), std::string::npos);
}

// What a watcher is told, in order: pauses and dialogs as they come, "until" for a stretch
// of time moving on.
struct NotingWatcher final : script::Watcher {
  host::HeadlessHost* run = nullptr;
  std::vector<std::string> told;
  void Started(host::HeadlessHost& host) override { run = &host; }
  void Created(host::HeadlessWindow&) override {}
  void Destroyed(host::HeadlessWindow&) override {}
  void Until(std::int64_t ms) override {
    EXPECT_GE(ms, run->NowMs());
    if (told.empty() || told.back() != "until") told.push_back("until");
  }
  void Presented() override {}
  void Answering(std::int64_t readMs) override {
    // Shown on top of the others.
    told.push_back("answering " + run->Windows().back()->Name() + " " + std::to_string(readMs));
  }
  void Hold(std::int64_t ms) override { told.push_back("hold " + std::to_string(ms)); }
};

TEST(Replay, AWatchedReplayIsToldEachPauseWhereItFallsAndEndsTheSame) {
  // An idle line before an answer is how long its box was read; before anything else, the
  // time the player took before it.
  const std::string game =
      "idle 2500\nanswer OK\nanswer OK\nanswer No\nstart\nidle 700\nmenu 1\npress F2\n"
      "ticks 30\npress F3\nidle 1200\nanswer OK\nidle 300\npress ESC\n";
  const RunResult unwatched = RunScenario(game, "", script::Accept::Recording);
  std::istringstream in(game);
  std::ostringstream out;
  NotingWatcher watcher;
  script::Runner runner(in, out, "/nowhere", "skirmora");
  runner.WatchWith(watcher, "skirmora");
  EXPECT_EQ(runner.Run(), 0);
  EXPECT_EQ(out.str(), unwatched.out);
  EXPECT_EQ(watcher.told,
            (std::vector<std::string>{"answering MessageBox 2500", "answering MessageBox 0",
                                      "answering MessageBox 0", "hold 700", "until", "hold 300",
                                      "answering MessageBox 1200", "until"}));
}

TEST(Replay, ARecordingThatHoldsMoreThanInputIsRefusedAndOneThatCannotBeWrittenFails) {
  TempFolder folder;
  // A start on a fresh account, whose greetings print as soon as a replay runs.
  const std::string game = "answer OK\nanswer OK\nanswer No\nstart\nticks 2\n";
  const RunResult shared = RunScenario(game, "", script::Accept::Recording);
  ASSERT_EQ(shared.status, 0);
  ASSERT_NE(shared.out.find("Welcome, newcomer!"), std::string::npos) << shared.out;

  // The player's settings, a file of theirs, a link to it and a named pipe, as pictures.
  const std::string settings = folder / "settings.reg", notes = folder / "notes.txt";
  const std::string link = folder / "link.bmp", pipe = folder / "pipe.bmp";
  const std::string hallOfFame =
      "[HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora]\n\"High Score 1\"=\"ACE=900\"\n";
  WriteFileBytes(settings, hallOfFame);
  WriteFileBytes(notes, "my notes\n");
  ASSERT_EQ(::symlink(notes.c_str(), link.c_str()), 0);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::vector<std::string> files = folder.Contents();
  // A recording that cannot be written fails the run and leaves nothing behind.
  EXPECT_EQ(RunScenario(game, folder / "missing/game.scn").status, 1);
  EXPECT_EQ(folder.Contents(), files);

  using script::Accept;
  struct Case {
    Accept accept;
    std::string line;
    std::string message;
  };
  const std::string testOnly = "is for test scenarios (skirmora-script --all-commands)";
  const Case cases[] = {
      {Accept::Recording, "registry " + settings, "\"registry\" " + testOnly},
      {Accept::Recording, "screenshot " + pipe, "\"screenshot\" " + testOnly},
      {Accept::Recording, "set Score 50000", "\"set\" " + testOnly},
      {Accept::Recording, "rm -rf ~", "unknown command \"rm\""},
      {Accept::Recording, "ticks", "usage: ticks N"},
      // Past a day of play together with the frames the game has already.
      {Accept::Recording, "ticks " + std::to_string(script::kRecordingFrames - 1),
       "at most 24 hours of play"},
      // With every command asked for, the runner's pictures still never follow a link nor
      // wait for a pipe's reader.
      {Accept::AllCommands, "screenshot " + link, "is a symbolic link"},
      {Accept::AllCommands, "screenshot " + pipe, "is a named pipe"},
  };
  const int line = static_cast<int>(std::count(game.begin(), game.end(), '\n')) + 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ::testing::internal::CaptureStderr();
    const RunResult run = RunScenario(game + c.line + "\n", "", c.accept);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(err.rfind("skirmora-script: line " + std::to_string(line) + ": ", 0), 0u) << err;
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    if (c.accept == Accept::Recording) {
      EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(folder.Contents(), files);
    EXPECT_EQ(ReadFileBytes(settings), hallOfFame);
    EXPECT_EQ(ReadFileBytes(notes), "my notes\n");
  }
}

}  // namespace
