// What the program relies on from any back end, run against both: timers, sleeps and modal
// loops behave the same on the desktop and in the headless runner; then the headless back
// end's own duties. (Input to the innermost of nested modal windows shows in the
// button-assignment scenario and the info windows' real-window test; the headless dialogs'
// answers in every scenario's record, and a word that names no button in answer-refused.scn.)
#include <gtest/gtest.h>

#include "HeadlessEvents.h"
#include "HostBackEnds.h"

namespace {

using host_testing::Recorder;
using host_testing::SmallWindow;

template <typename B>
struct HostContract : ::testing::Test {
  B backEnd;
  host::Host& host = backEnd.Host();
  Recorder events;
  std::unique_ptr<host::Window> window = host.CreateWindow(SmallWindow("Main"), events);

  // Runs the window modally through the steps; the last step closes it.
  void Run(std::vector<std::function<void()>> steps) {
    steps.push_back([this] { window->Hide(); });
    backEnd.Steps(std::move(steps));
    host.RunModal(*window);
  }
};

using BackEnds = ::testing::Types<host_testing::HeadlessBackEnd, host_testing::SdlBackEnd>;
struct BackEndNames {
  template <typename T>
  static std::string GetName(int) {
    return std::is_same_v<T, host_testing::SdlBackEnd> ? "Sdl" : "Headless";
  }
};
TYPED_TEST_SUITE(HostContract, BackEnds, BackEndNames);

TYPED_TEST(HostContract, TicksKeepTheirRhythmOnlyWhileSwitchedOnALateOneComingOnce) {
  std::vector<std::int64_t> at;
  std::unique_ptr<host::Timer> timer, once;
  int onceTicks = 0;
  once = this->host.CreateTimer(10, [&] {
    ++onceTicks;
    once.reset();  // a tick may destroy its own timer
  });
  timer = this->host.CreateTimer(50, [&] {
    at.push_back(this->host.NowMs());
    if (at.size() == 1) this->host.Sleep(120);  // a frame that overruns by far
    timer->SetEnabled(true);  // as every frame does: it must not restart the interval
  });
  this->Run({
      [&] {
        EXPECT_FALSE(timer->Enabled()) << "a new timer waits to be switched on";
        this->backEnd.Advance(100);
      },
      [&] {
        timer->SetEnabled(true);
        once->SetEnabled(true);
        this->backEnd.Advance(250);
      },
      [&] {
        timer->SetEnabled(false);
        EXPECT_FALSE(timer->Enabled());
        this->backEnd.Advance(125);
      },
      [&] {
        // Switched on again: a fresh interval from now.
        timer->SetEnabled(true);
        this->backEnd.Advance(100);
      },
  });
  // The tick of 150 lasts until 270: one late tick then, and the grid goes on at 300.
  EXPECT_EQ(at, (std::vector<std::int64_t>{150, 270, 300, 350, 525, 575}));
  EXPECT_EQ(onceTicks, 1);
}

TYPED_TEST(HostContract, ATickIsNeverReenteredWhileItHoldsAModalLoop) {
  Recorder boxEvents;
  auto box = this->host.CreateWindow(SmallWindow("Box"), boxEvents);
  int ticks = 0, depth = 0, deepest = 0, otherTicks = 0, ticksSeenInBox = -1;
  auto other = this->host.CreateTimer(50, [&] { ++otherTicks; });
  auto timer = this->host.CreateTimer(50, [&] {
    ++ticks;
    deepest = std::max(deepest, ++depth);
    if (ticks == 1) this->host.RunModal(*box);
    --depth;
  });
  this->Run({
      [&] {
        timer->SetEnabled(true);
        other->SetEnabled(true);
        this->backEnd.Advance(50);
      },
      [&] { this->backEnd.Advance(500); },  // inside the box, opened by the first tick
      [&] {
        ticksSeenInBox = ticks;
        box->Hide();
      },
      [&] { this->backEnd.Advance(100); },
  });
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(ticksSeenInBox, 1);
  // The box closed at 550: one late tick then, and the ticks of 600 and 650.
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(otherTicks, 13) << "other timers tick on inside the modal loop";
}

TYPED_TEST(HostContract, SleepHoldsInputBackAndDeliversItAfterwards) {
  int ticks = 0;
  auto timer = this->host.CreateTimer(50, [&] { ++ticks; });
  this->events.onKeyDown = [&](char key) {
    if (key != 'A') return;
    // The user presses and releases B while the program sleeps.
    this->backEnd.Key('B', true);
    this->backEnd.Key('B', false);
    const std::int64_t from = this->host.NowMs();
    this->host.Sleep(260);
    this->events.log.push_back("slept " + std::to_string(this->host.NowMs() - from) +
                               " ms through " + std::to_string(ticks) + " ticks");
  };
  this->Run({
      [&] {
        timer->SetEnabled(true);
        this->backEnd.Key('A', true);
      },
      [&] { this->backEnd.Advance(0); },
  });
  EXPECT_EQ(this->events.log,
            (std::vector<std::string>{"down A", "slept 260 ms through 0 ticks", "down B", "up B"}));
  EXPECT_EQ(ticks, 1) << "the five ticks the sleep held back come as one";
}

// ---- the headless back end's own duties

TEST(HeadlessHost, AClosedWindowsPendingEventsAreDropped) {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  Recorder events;
  auto box = host.CreateWindow(SmallWindow("Box"), events);
  box->Show();
  host.PostKeyDown('A', 0);
  box.reset();
  testing_events::DeliverPending(host);
  EXPECT_EQ(events.log, std::vector<std::string>{});
}

// The headless timeline's steps and checksums show in the scenarios that watch one; a
// timeline longer than any of them keeps its newest steps.
TEST(HeadlessHost, TheTimelineKeepsTheNewestStepsWhenItIsFull) {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
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
