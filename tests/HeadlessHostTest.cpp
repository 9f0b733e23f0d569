#include <gtest/gtest.h>

#include <vector>

#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

struct Recorder : host::WindowEvents {
  std::vector<std::string> log;
  void OnKeyDown(int code, int) override { log.push_back("down " + std::to_string(code)); }
};

struct HeadlessHostTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  host::WindowSpec spec = [] {
    host::WindowSpec s;
    s.name = "W", s.width = 10, s.height = 10;
    return s;
  }();
};

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

// The timeline's steps and checksums show in the scenarios that watch one; a timeline
// longer than any of them keeps its newest steps.
TEST_F(HeadlessHostTest, TheTimelineKeepsTheNewestStepsWhenItIsFull) {
  host.RecordTimeline();
  for (std::size_t i = 0; i < host::HeadlessHost::kTimelineLimit + 5; ++i) host.Sleep(1);
  std::size_t dropped = 0;
  const std::vector<host::TimelineStep> steps = host.TakeTimeline(&dropped);
  EXPECT_EQ(steps.size(), host::HeadlessHost::kTimelineLimit);
  EXPECT_EQ(dropped, 5u);
  EXPECT_EQ(steps.front().atMs, 5);
  EXPECT_EQ(steps.front().window, "") << "no window was open";
}

}  // namespace
