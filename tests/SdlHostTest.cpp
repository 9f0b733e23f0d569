// The SDL back end's own duties, under its dummy video driver in virtual time. (The
// real-window tests compare its dialogs and its scaled and letterboxed windows with the
// headless runner's pictures.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

#include "HostBackEnds.h"
#include "TempFolder.h"
#include "host/Keys.h"
#include "host/sdl/FocusWatch.h"
#include "host/sdl/KeyMap.h"
#include "host/sdl/SdlWindow.h"
#include "host/sdl/StartupEnvironment.h"

namespace {

using host_testing::Recorder;
using host_testing::SmallWindow;

struct SdlHostTest : ::testing::Test {
  host_testing::SdlBackEnd backEnd;
  host::Host& host = backEnd.Host();
  Recorder events;
};

TEST_F(SdlHostTest, EachTickReachesTheScreenBeforeTheNextTickRuns) {
  auto window = host.CreateWindow(SmallWindow("W"), events);
  int ticks = 0, stale = 0;
  auto timer = host.CreateTimer(50, [&] {
    // The frame before this one must be on the screen, even right after an overrun.
    if (ticks > 0 && host::sdl::ShownPixels(*window).GetPixel(ticks - 1, 0) != host::kWhite)
      ++stale;
    window->Canvas().SetPixel(ticks++, 0, host::kWhite);
    if (ticks == 2) backEnd.Spend(180);  // a long frame: the next tick comes at once, late
  });
  backEnd.Steps({[&] {
                   timer->SetEnabled(true);
                   backEnd.Advance(400);
                 },
                 [&] {
                   EXPECT_EQ(host::sdl::ShownPixels(*window), window->Canvas());
                   window->Hide();
                 }});
  host.RunModal(*window);
  EXPECT_EQ(ticks, 6);  // at 50, 100 (which lasts until 280), 280 (late), 300, 350 and 400
  EXPECT_EQ(stale, 0);
}

TEST_F(SdlHostTest, AnAddressNothingCanOpenIsToldInAMessageBox) {
  const std::string path = std::getenv("PATH");
  setenv("PATH", "/nowhere", 1);
  std::string front;
  backEnd.Steps({[&] {
    front = host.FrontWindow()->Name();
    host::sdl::PushKey(*host.FrontWindow(), 40, true);  // Return
  }});
  host.OpenDocument("https://bramblecrest.example/skirmora/");
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(front, "MessageBox");
}

// A window loaded to stay hidden costs the display nothing; what was set on it meanwhile holds
// once it is shown.
TEST_F(SdlHostTest, AWindowReachesTheDisplayWhenFirstShownWithWhatWasSetOnIt) {
  auto window = host.CreateWindow(SmallWindow("Hidden"), events);
  const auto& sdlWindow = static_cast<const host::sdl::SdlWindow&>(*window);
  window->SetTopmost(true);
  EXPECT_EQ(sdlWindow.Handle(), nullptr);
  window->Show();
  ASSERT_NE(sdlWindow.Handle(), nullptr);
  EXPECT_NE(SDL_GetWindowFlags(sdlWindow.Handle()) & SDL_WINDOW_ALWAYS_ON_TOP, 0u);
  EXPECT_EQ(host::sdl::ShownPixels(*window), window->Canvas());
}

// (That the choice is kept for the next start shows in the real-window windowed game.)
TEST_F(SdlHostTest, PlainF11SwitchesTheGameScreenShiftF11StaysTheGames) {
  host::WindowSpec spec = SmallWindow("Field");
  spec.width = 320, spec.height = 240;
  spec.placement = host::WindowPlacement::FullScreen;
  auto window = host.CreateWindow(spec, events);
  std::vector<int> widths;  // of what is shown before each press, and at the end
  const auto press = [&](bool withShift) {
    return [&, withShift] {
      widths.push_back(host::sdl::ShownPixels(*window).Width());
      host::sdl::PushKey(*window, 0x44, true, withShift);  // F11
      host::sdl::PushKey(*window, 0x44, false, withShift);
      backEnd.Advance(0);
    };
  };
  backEnd.Steps({press(true), press(false), press(false), [&] {
                   widths.push_back(host::sdl::ShownPixels(*window).Width());
                   window->Hide();
                 }});
  host.RunModal(*window);
  // The dummy display is 1024 x 768: the 640 x 480 window is the largest that fits it.
  EXPECT_EQ(widths, (std::vector<int>{1024, 1024, 640, 1024}));
  EXPECT_EQ(std::count(events.log.begin(), events.log.end(), "down z"), 3)
      << "every press still reaches the program";
}

// Leaving for another program is told after the grace, coming back at once, and a loss during
// a sleep only after the sleep; moving between the program's own windows tells nothing.
TEST_F(SdlHostTest, LosingTheFocusIsToldAfterTheGraceOnlyWhenNoWindowOfTheProgramHasIt) {
  std::vector<bool> told, toldEarly, toldAfterGrace, toldInSleep;
  host.SetFocusHandler([&](bool hasFocus) { told.push_back(hasFocus); });
  Recorder otherEvents;
  auto main = host.CreateWindow(SmallWindow("Main"), events);
  auto other = host.CreateWindow(SmallWindow("Other"), otherEvents);
  main->Show();
  other->Show();
  events.onKeyDown = [&](char) {
    host::sdl::PushFocus(*main, false);
    host.Sleep(1000);
    toldInSleep = told;
  };
  // A step: the window gains or loses the focus, then `ms` pass.
  const auto focus = [&](std::unique_ptr<host::Window>& window, bool gained, int ms) {
    return [&, gained, ms] {
      host::sdl::PushFocus(*window, gained);
      backEnd.Advance(ms);
    };
  };
  // A dialog opens: the main window's loss and the dialog's gain come apart.
  backEnd.Steps({focus(main, true, 0), focus(main, false, 150), focus(other, true, 1000),
                 [&] {
                   // It closes: this time the gain comes first.
                   host::sdl::PushFocus(*main, true);
                   host::sdl::PushFocus(*other, false);
                   backEnd.Advance(1000);
                 },
                 [&] {
                   // A window that has the focus goes away; the other gets it back.
                   other.reset();
                   host::sdl::PushFocus(*main, false);
                   backEnd.Advance(100);
                 },
                 focus(main, true, 1000), focus(main, false, host::sdl::FocusWatch::kGraceMs - 1),
                 [&] {
                   toldEarly = told;
                   backEnd.Advance(1);
                 },
                 [&] {
                   toldAfterGrace = told;
                   host::sdl::PushFocus(*main, true);
                 },
                 [&] { backEnd.Key('S', true); }, [&] { backEnd.Advance(0); },
                 [&] { main->Hide(); }});
  host.RunModal(*main);
  EXPECT_EQ(toldEarly, std::vector<bool>{});
  EXPECT_EQ(toldAfterGrace, std::vector<bool>{false});
  EXPECT_EQ(toldInSleep, (std::vector<bool>{false, true}));
  EXPECT_EQ(told, (std::vector<bool>{false, true, false}));
}

// The keypad types digits with NumLock on and moves like the navigation keys with it off, as a
// PC keyboard's does; a key the game has no code for gives 0.
TEST(SdlKeyMap, TheKeypadFollowsNumLock) {
  namespace vk = host::vk;
  constexpr int kUsbKeypad1 = 89, kUsbKeypad0 = 98, kUsbKeypadPoint = 99;
  const struct {
    int usb, withNumLock, without;
  } keys[] = {{kUsbKeypad1, vk::Numpad(1), vk::End},
              {kUsbKeypad0, vk::Numpad(0), vk::Insert},
              {kUsbKeypadPoint, vk::Decimal, vk::Delete},
              {1000, 0, 0},
              {-5, 0, 0}};
  for (const auto& key : keys) {
    EXPECT_EQ(host::sdl::VirtualKeyForScancode(key.usb, true), key.withNumLock) << key.usb;
    EXPECT_EQ(host::sdl::VirtualKeyForScancode(key.usb, false), key.without) << key.usb;
  }
}

// While SDL's video starts, Xlib is pointed at the game's compose cache (made private to the
// user), unless the player chose a folder; afterwards the environment is as it was.
TEST(StartupEnvironment, PointsXlibAtTheGamesComposeCacheUnlessThePlayerChoseOne) {
  const TempFolder home;
  const std::string cache = home / ".cache/skirmora/compose";
  std::vector<std::pair<std::string, std::optional<std::string>>> saved;
  for (const char* name : {"HOME", "XDG_CACHE_HOME", "XCOMPOSECACHE", "DISPLAY"}) {
    const char* value = std::getenv(name);
    saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  ::setenv("HOME", home.Path().c_str(), 1);
  ::setenv("DISPLAY", ":0", 1);
  ::unsetenv("XDG_CACHE_HOME");
  ::unsetenv("XCOMPOSECACHE");
  {
    const host::sdl::StartupEnvironment environment;
    EXPECT_STREQ(std::getenv("XCOMPOSECACHE"), cache.c_str());
    struct stat info {};
    ASSERT_EQ(::stat(cache.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
  }
  EXPECT_EQ(std::getenv("XCOMPOSECACHE"), nullptr) << "taken back after the start";
  ::setenv("XCOMPOSECACHE", "", 1);  // the player's (or a replay's) choice, even empty
  {
    const host::sdl::StartupEnvironment environment;
    EXPECT_STREQ(std::getenv("XCOMPOSECACHE"), "");
  }
  EXPECT_NE(std::getenv("XCOMPOSECACHE"), nullptr);
  for (const auto& [name, value] : saved)
    value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
}

}  // namespace
