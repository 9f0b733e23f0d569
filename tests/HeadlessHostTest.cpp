#include <gtest/gtest.h>

#include <vector>

#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

struct Recorder : host::WindowEvents {
  std::vector<std::string> log;
  void OnPaint() override { log.push_back("paint"); }
  void OnKeyDown(int code, int) override { log.push_back("down " + std::to_string(code)); }
  void OnKeyUp(int code, int) override { log.push_back("up " + std::to_string(code)); }
  void OnChar(char32_t ch) override { log.push_back("char " + std::to_string(ch)); }
};

struct HeadlessHostTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  host::WindowSpec spec = [] {
    host::WindowSpec s;
    s.name = "W", s.width = 10, s.height = 10;
    return s;
  }();
};

TEST_F(HeadlessHostTest, TimersTickInVirtualTimeAndStopWhenDisabled) {
  int ticks = 0;
  auto timer = host.CreateTimer(50, [&] { ++ticks; });
  host.AdvanceTime(500);
  EXPECT_EQ(ticks, 0) << "timers start disabled";
  timer->SetEnabled(true);
  host.AdvanceTime(500);
  EXPECT_EQ(ticks, 10);
  EXPECT_EQ(host.NowMs(), 1000);
  timer->SetEnabled(false);
  host.AdvanceTime(500);
  EXPECT_EQ(ticks, 10);
}

TEST_F(HeadlessHostTest, ASleepInsideATickDelaysTheNextTickWithoutABurst) {
  std::vector<std::int64_t> at;
  auto timer = host.CreateTimer(50, [&] {
    at.push_back(host.NowMs());
    if (at.size() == 1) host.Sleep(1000);
  });
  timer->SetEnabled(true);
  host.AdvanceTime(1200);
  EXPECT_EQ(at, (std::vector<std::int64_t>{50, 1100, 1150, 1200}));
}

TEST_F(HeadlessHostTest, ATickThatDestroysItsTimerIsSafe) {
  std::unique_ptr<host::Timer> timer;
  int ticks = 0;
  timer = host.CreateTimer(10, [&] {
    ++ticks;
    timer.reset();
  });
  timer->SetEnabled(true);
  host.AdvanceTime(100);
  EXPECT_EQ(ticks, 1);
}

TEST_F(HeadlessHostTest, ModalLoopsGiveInputToTheInnermostWindowOnly) {
  Recorder outer, inner;
  auto w1 = host.CreateWindow(spec, outer);
  auto w2 = host.CreateWindow(spec, inner);
  w1->Show();
  int step = 0;
  host.SetInputSource([&] {
    switch (step++) {
      case 0:
        host.PostKeyDown(65, 0);
        break;
      default:
        w2->Hide();  // closes the modal window
    }
  });
  host.RunModal(*w2);
  EXPECT_EQ(inner.log, (std::vector<std::string>{"paint", "down 65"}));
  EXPECT_EQ(host.FrontWindow(), w1.get());
}

TEST_F(HeadlessHostTest, DialogsTakeQueuedAnswersAndReportThem) {
  std::vector<host::HeadlessRecord> records;
  host.SetRecorder([&](const host::HeadlessRecord& r) { records.push_back(r); });
  host.QueueAnswer("cancel");
  EXPECT_EQ(host.MessageBox("T", "text", host::MsgIcon::Question, host::MsgButtons::OkCancel),
            host::MsgResult::Cancel);
  EXPECT_EQ(host.MessageBox("T", "text", host::MsgIcon::Question, host::MsgButtons::YesNo),
            host::MsgResult::Yes)
      << "unanswered: the default button";
  host.QueueAnswer("Yes");
  EXPECT_THROW(host.MessageBox("T", "text", host::MsgIcon::None, host::MsgButtons::Ok),
               std::invalid_argument);
  host.QueueAnswer("7");
  EXPECT_EQ(host.InputBox("Which?", "Button assignment", ""), "7");
  host.QueueAnswer("Cancel");
  EXPECT_EQ(host.InputBox("Which?", "Button assignment", ""), std::nullopt);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].answer, "Cancel");
  EXPECT_EQ(records[1].answer, "Yes");
  EXPECT_EQ(records[2].answer, "7");
}

TEST_F(HeadlessHostTest, DestroyingAWindowDropsItsPendingEvents) {
  Recorder r;
  auto w = host.CreateWindow(spec, r);
  w->Show();
  host.PostKeyDown(65, 0);
  w.reset();
  int asked = 0;
  host.SetInputSource([&] {
    ++asked;
    throw host::ProgramExit{0};
  });
  EXPECT_THROW(host.RunMainLoop(), host::ProgramExit);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(r.log.empty());
}

}  // namespace
