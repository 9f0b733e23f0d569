#include "host/sdl/SdlHost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/sdl/DisplayErrors.h"
#include "host/sdl/SdlHostImpl.h"
#include "host/sdl/SdlWindow.h"
#include "host/sdl/StartupEnvironment.h"

namespace host {
namespace {

constexpr const char* kAppId = "example.bramblecrest.Skirmora";

// Real time: SDL's steady millisecond clock, waiting in the window system's event queue.
class SteadyClock final : public sdl::LoopClock {
 public:
  std::int64_t NowMs() override { return static_cast<std::int64_t>(SDL_GetTicks64()); }
  void Idle(std::int64_t deadlineMs) override {
    // Deliberate: never for ever: once the X server has gone, SDL's wait goes round on the
    // broken connection without returning, and the loop must get to see that the display is
    // lost.
    constexpr std::int64_t kLongestWaitMs = 250;
    const std::int64_t latest = NowMs() + kLongestWaitMs;
    Doze(deadlineMs < 0 ? latest : std::min(deadlineMs, latest));
  }
  void Doze(std::int64_t untilMs) override {
    const std::int64_t left = untilMs - NowMs();
    if (left > 0)
      SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<std::int64_t>(left, 1 << 30)));
  }
};

}  // namespace

std::unique_ptr<Host> MakeSdlHost(std::unique_ptr<RegistryStore> registry, DesktopArt art,
                                  std::unique_ptr<sdl::LoopClock> clock, ScreenOptions screen) {
  // Quit signals are ours to handle (see QuitSignals); the last window closing is not a
  // quit; the screen saver stays as the user set it until the game window says otherwise.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "2");
  // Windows are presented from our own pixels: on X11 through the window system's own image
  // of the window, with no GL library loaded (elsewhere through SDL's renderer).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The desktop entry's id, so that docks and task bars show the game's icon and name
  // (the player's own setting wins).
  setenv("SDL_VIDEO_X11_WMCLASS", kAppId, 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", kAppId, 0);
  // Without a display SDL would fall back to drawing off screen, where nobody could play;
  // such a driver is used only when the user asks for it by name.
  const bool driverChosen = SDL_getenv("SDL_VIDEODRIVER") != nullptr;
  const char* x11 = SDL_getenv("DISPLAY");
  const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
  if (!driverChosen && (x11 == nullptr || *x11 == 0) && (wayland == nullptr || *wayland == 0)) {
    std::fprintf(stderr,
                 "skirmora: cannot open the display: neither DISPLAY nor WAYLAND_DISPLAY is set\n");
    return nullptr;
  }
  // Before the video subsystem: SDL puts back the handler it found when it closes its X
  // connections, and the harmless error may only surface then.
  sdl::OverlookEventsToVanishedWindows();
  int started = 0;
  {
    const sdl::StartupEnvironment environment;
    started = SDL_InitSubSystem(SDL_INIT_VIDEO);
  }
  if (started != 0) {
    std::fprintf(stderr, "skirmora: cannot open the display: %s\n", SDL_GetError());
    return nullptr;
  }
  const std::string driver = SDL_GetCurrentVideoDriver();
  if (!driverChosen && driver != "x11" && driver != "wayland") {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    std::fprintf(stderr, "skirmora: cannot open the display (SDL found only \"%s\")\n",
                 driver.c_str());
    return nullptr;
  }
  if (!clock) clock = std::make_unique<SteadyClock>();
  auto host = std::make_unique<sdl::SdlHost>(std::move(registry), std::move(art), std::move(clock));
  host->SetScreenOptions(std::move(screen));
  return host;
}

void WatchOnly(Host& sdlHost, std::function<void(int keyCode)> keyPressed) {
  static_cast<sdl::SdlHost&>(sdlHost).WatchOnly(std::move(keyPressed));
}

}  // namespace host

namespace host::sdl {

SdlHost::SdlHost(std::unique_ptr<RegistryStore> registry, DesktopArt art,
                 std::unique_ptr<LoopClock> clock)
    : registry_(std::move(registry)),
      clock_(std::move(clock)),
      art_(std::move(art)),
      cursors_(art_.hand) {
  quitEventType_ = SDL_RegisterEvents(1);
  // SDL 2.26 cannot make a Wayland popup (the compositor refuses its request and ends the
  // connection); there a menu is an ordinary window, placed by the compositor.
  menusPlaced_ = std::string(SDL_GetCurrentVideoDriver()) != "wayland";
  signals_ = std::make_unique<QuitSignals>(quitEventType_);
}

SdlHost::~SdlHost() {
  signals_.reset();
  timers_.clear();
  // Closing the connection to a display that is gone would be one more call to it.
  if (!displayGone_ && !XDisplayLost()) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::unique_ptr<Window> SdlHost::CreateWindow(const WindowSpec& desc, WindowEvents& events) {
  auto w = std::make_unique<SdlWindow>(*this, desc, events, nextSerial_++);
  windows_.push_back(w.get());
  return w;
}

void SdlHost::Forget(SdlWindow& window) {
  std::erase(windows_, &window);
  std::erase(modal_, window.Serial());
  if (window.HasFocus()) TrackFocus(nullptr, false);
}

void SdlHost::Shown(SdlWindow& window) {
  // Most recently shown last, so that focus can fall back to it.
  std::erase(windows_, &window);
  windows_.push_back(&window);
  window.Focus();
}

int SdlHost::DisplayInUse() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (!(*it)->Visible() || !(*it)->Valid()) continue;
    const int display = SDL_GetWindowDisplayIndex((*it)->Handle());
    if (display >= 0) return display;
  }
  return 0;
}

int SdlHost::WindowScale() const {
  if (screen_.scale > 0) return screen_.scale;
  const int display = DisplayInUse();
  if (WindowedGame()) {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
      if ((*it)->CoversScreen() && (*it)->Visible()) return (*it)->Scale();
    const SDL_Point size = GameWindowSize(display);
    return FitViewport(size.x, size.y, kScreenWidth, kScreenHeight).scale;
  }
  SDL_Rect screen;
  if (SDL_GetDisplayBounds(display, &screen) != 0) return 1;
  return FitViewport(screen.w, screen.h, kScreenWidth, kScreenHeight).scale;
}

SDL_Point SdlHost::GameWindowSize(int display) const {
  SDL_Rect free{0, 0, kScreenWidth, kScreenHeight};
  SDL_GetDisplayUsableBounds(display, &free);
  const ScreenChoice& choice = screen_.choice;
  // The player's size, as far as this display holds it.
  if (choice.width > 0 && choice.height > 0)
    return {std::clamp(choice.width, kScreenWidth, std::max(kScreenWidth, free.w)),
            std::clamp(choice.height, kScreenHeight, std::max(kScreenHeight, free.h))};
  const int scale = screen_.scale > 0
                        ? screen_.scale
                        : FitViewport(free.w - decorations_.x, free.h - decorations_.y,
                                      kScreenWidth, kScreenHeight)
                              .scale;
  return {kScreenWidth * scale, kScreenHeight * scale};
}

void SdlHost::SwitchGameScreen(SdlWindow& game) {
  if (WindowedGame()) TakeGameWindowSize(game);
  screen_.choice.windowed = !screen_.choice.windowed;
  game.FollowScreenChoice();
  if (screen_.remember) screen_.remember(screen_.choice);
}

void SdlHost::KeepGameWindowSize(const SdlWindow& game) {
  if (TakeGameWindowSize(game) && screen_.remember) screen_.remember(screen_.choice);
}

bool SdlHost::TakeGameWindowSize(const SdlWindow& game) {
  int w = 0, h = 0;
  SDL_GetWindowSize(game.Handle(), &w, &h);
  const SDL_Point opened = GameWindowSize(std::max(0, SDL_GetWindowDisplayIndex(game.Handle())));
  // The size it opened at is nothing the player chose.
  if (w <= 0 || h <= 0 || (w == opened.x && h == opened.y)) return false;
  screen_.choice.width = w;
  screen_.choice.height = h;
  return true;
}

SdlWindow* SdlHost::Find(std::uint64_t serial) const {
  for (SdlWindow* w : windows_) {
    if (w->Serial() == serial) return w;
  }
  return nullptr;
}

SdlWindow* SdlHost::FindBySdlId(Uint32 id) const {
  for (SdlWindow* w : windows_) {
    if (w->Valid() && w->SdlId() == id) return w;
  }
  return nullptr;
}

std::int64_t SdlHost::NowMs() {
  return clock_->NowMs();
}

std::uint32_t SdlHost::ClockSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
  return static_cast<std::uint32_t>(ns ^ (ns >> 32));
}

RegistryStore& SdlHost::Registry() {
  return *registry_;
}

void SdlHost::SetQuitRequestHandler(std::function<void()> handler) {
  quitHandler_ = std::move(handler);
}

}  // namespace host::sdl
