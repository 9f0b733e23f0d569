#include "host/sdl/SdlWindow.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "host/ui/Widgets.h"

namespace host::sdl {
namespace {

// A press this soon after the one that began a window move, at the same place, makes a
// double click (SDL's own default).
constexpr Uint64 kDoubleClickMs = 500;

Uint32 CreationFlags(const WindowSpec& desc, bool topmost, bool windowedGame, bool menusPlaced) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (desc.placement != WindowPlacement::FullScreen) {
    flags |= SDL_WINDOW_BORDERLESS;
  } else if (windowedGame) {
    flags |= SDL_WINDOW_RESIZABLE;
  } else {
    flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN_DESKTOP;
  }
  if (topmost && !(windowedGame && desc.placement == WindowPlacement::FullScreen))
    flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  if (!desc.showInTaskbar) flags |= SDL_WINDOW_SKIP_TASKBAR;
  if (desc.placement == WindowPlacement::AtOwnerPoint) {
    flags |= SDL_WINDOW_SKIP_TASKBAR;
    if (menusPlaced) flags |= SDL_WINDOW_POPUP_MENU;
  }
  return flags;
}

int DisplayOf(SDL_Window* window) {
  return std::max(0, SDL_GetWindowDisplayIndex(window));
}

}  // namespace

SdlWindow::SdlWindow(SdlHost& host, const WindowSpec& desc, WindowEvents& events,
                     std::uint64_t serial)
    : host_(host),
      desc_(desc),
      events_(events),
      serial_(serial),
      canvas_(desc.width, desc.height, desc.background),
      topmost_(desc.topmost),
      closesOnFocusLoss_(desc.placement == WindowPlacement::AtOwnerPoint) {
  // The factor it is to be drawn at, for what is asked of it before it is shown.
  if (!host_.DisplayGone() && !CoversScreen()) scale_ = host_.WindowScale();
}

void SdlWindow::Open() {
  const WindowSpec& desc = desc_;
  const int display = host_.DisplayInUse();
  int x = SDL_WINDOWPOS_CENTERED_DISPLAY(display), y = SDL_WINDOWPOS_CENTERED_DISPLAY(display);
  SDL_Point size = OuterSize(1);
  SDL_Rect screen;
  if (!CoversScreen()) {
    scale_ = host_.WindowScale();
    size = OuterSize(scale_);
    if (desc.placement == WindowPlacement::AtOwnerPoint && desc.owner != nullptr) {
      const int frame = ui::FrameWidth(desc.frame) * scale_;
      SDL_Point at{};
      static_cast<const SdlWindow*>(desc.owner)
          ->ClientToScreen(desc.ownerX, desc.ownerY, at.x, at.y);
      x = at.x - frame;
      y = at.y - frame;
      // Kept whole on the display the point lies on, out of the desktop's panels.
      const int on = SDL_GetPointDisplayIndex(&at);
      if (SDL_GetDisplayUsableBounds(on < 0 ? display : on, &screen) == 0) {
        x = std::clamp(x, screen.x, std::max(screen.x, screen.x + screen.w - size.x));
        y = std::clamp(y, screen.y, std::max(screen.y, screen.y + screen.h - size.y));
      }
    }
  } else if (host_.WindowedGame()) {
    size = host_.GameWindowSize(display);
    fitting_ = host_.GameScreenChoice().width == 0;
  } else if (SDL_GetDisplayBounds(display, &screen) == 0) {
    // Made screen-sized from the start: without a window manager nobody else would honour
    // the full-screen request. It covers the display the player is looking at.
    x = screen.x;
    y = screen.y;
    size = {screen.w, screen.h};
  }
  window_ =
      SDL_CreateWindow(desc.caption.c_str(), x, y, size.x, size.y,
                       CreationFlags(desc, topmost_, host_.WindowedGame(), host_.MenusPlaced()));
  if (window_ == nullptr) {
    std::fprintf(stderr, "skirmora: cannot create the window %s: %s\n", desc.name.c_str(),
                 SDL_GetError());
    return;
  }
  output_ = MakeWindowOutput(window_);
  if (output_ == nullptr) {
    std::fprintf(stderr, "skirmora: cannot show the window %s: %s\n", desc.name.c_str(),
                 SDL_GetError());
    return;
  }
  if (CoversScreen() && host_.WindowedGame())
    SDL_SetWindowMinimumSize(window_, desc.width, desc.height);
  if (desc.withIcon) {
    if (SDL_Surface* icon = MakeProgramIcon(host_.ProgramIcon())) {
      SDL_SetWindowIcon(window_, icon);
      SDL_FreeSurface(icon);
    }
  }
  if (!dragArea_.Empty()) SDL_SetWindowHitTest(window_, &HitTest, this);
}

SdlWindow::~SdlWindow() {
  host_.Forget(*this);
  if (window_ == nullptr) return;
  host_.BeforeWindowCloses();
  if (capture_) SDL_CaptureMouse(SDL_FALSE);
  output_.reset();
  SDL_DestroyWindow(window_);
}

void SdlWindow::LetGo() {
  window_ = nullptr;
  // Freeing what the output holds would talk to the display; the program ends next anyway.
  static_cast<void>(output_.release());
}

void SdlWindow::Show() {
  if (visible_) return;
  // A window reaches the display when it is first shown: one loaded to stay hidden behind
  // another (the menu, which owns the first question) costs that other one no time. A
  // program whose windows cannot be seen must not go on unseen (it has said why); without a
  // display at all the window lives on its canvas while the program ends.
  if (window_ == nullptr && !host_.DisplayGone()) {
    Open();
    if (!Valid()) throw std::runtime_error("a window cannot be shown");
  }
  if (!Valid()) return;
  if (!CoversScreen()) FollowScale();
  visible_ = true;
  paintWanted_ = true;
  SDL_ShowWindow(window_);
  host_.Shown(*this);
  Present(true);
}

void SdlWindow::Hide() {
  if (!visible_) return;
  if (CoversScreen() && host_.WindowedGame()) host_.KeepGameWindowSize(*this);
  SetCapture(false);
  visible_ = false;
  if (window_ == nullptr) return;
  host_.BeforeWindowCloses();
  SDL_HideWindow(window_);
  if (!CoversScreen() && output_ != nullptr) output_->Release();
}

void SdlWindow::Focus() {
  if (window_ == nullptr || !visible_) return;
  SDL_RaiseWindow(window_);
  SDL_SetWindowInputFocus(window_);
}

void SdlWindow::SetTopmost(bool onTop) {
  topmost_ = onTop;
  // A game in an ordinary desktop window stays among the others, like any window.
  if (CoversScreen() && host_.WindowedGame()) return;
  if (window_ != nullptr) SDL_SetWindowAlwaysOnTop(window_, onTop ? SDL_TRUE : SDL_FALSE);
}

void SdlWindow::Minimize() {
  if (window_ != nullptr) SDL_MinimizeWindow(window_);
}

bool SdlWindow::Minimized() const {
  return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
}

bool SdlWindow::Maximized() const {
  return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0;
}

void SdlWindow::SetCursor(Cursor cursor) {
  cursor_ = cursor;
  if (window_ != nullptr && SDL_GetMouseFocus() == window_) ApplyCursor();
}

void SdlWindow::SetCapture(bool capture) {
  if (capture == capture_) return;
  capture_ = capture;
  if (window_ == nullptr) return;
  if (capture) Focus();
  SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

void SdlWindow::SetDragArea(const PixelRect& area) {
  dragArea_ = area;
  if (window_ != nullptr) SDL_SetWindowHitTest(window_, area.Empty() ? nullptr : &HitTest, this);
}

SDL_HitTestResult SdlWindow::HitTest(SDL_Window* /*window*/, const SDL_Point* point, void* self) {
  const auto& w = *static_cast<const SdlWindow*>(self);
  int x = 0, y = 0;
  w.WindowToClient(point->x, point->y, x, y);
  // A minimised or maximised window stays where it is.
  if (!w.dragArea_.Contains(x, y) || w.Minimized() || w.Maximized() ||
      w.SecondPressInDragArea(x, y))
    return SDL_HITTEST_NORMAL;
  return SDL_HITTEST_DRAGGABLE;
}

bool SdlWindow::SecondPressInDragArea(int x, int y) const {
  return dragBeganMs_ != 0 && SDL_GetTicks64() - dragBeganMs_ <= kDoubleClickMs &&
         dragArea_.Contains(x, y);
}

SDL_Point SdlWindow::OuterSize(int scale) const {
  const int frame = ui::FrameWidth(desc_.frame);
  return {(desc_.width + 2 * frame) * scale, (desc_.height + 2 * frame) * scale};
}

Viewport SdlWindow::CurrentViewport() const {
  if (CoversScreen() && window_ != nullptr) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return FitViewport(w, h, canvas_.Width(), canvas_.Height());
  }
  const int frame = ui::FrameWidth(desc_.frame) * scale_;
  return Viewport{frame, frame, scale_};
}

void SdlWindow::WindowToClient(int wx, int wy, int& cx, int& cy) const {
  const Viewport vp = CurrentViewport();
  cx = ToClient(wx, vp.x, vp.scale);
  cy = ToClient(wy, vp.y, vp.scale);
}

void SdlWindow::ClientToScreen(int cx, int cy, int& sx, int& sy) const {
  int x = 0, y = 0;
  if (window_ != nullptr) SDL_GetWindowPosition(window_, &x, &y);
  const Viewport vp = CurrentViewport();
  sx = x + vp.x + cx * vp.scale;
  sy = y + vp.y + cy * vp.scale;
}

void SdlWindow::ScreenToClient(int sx, int sy, int& cx, int& cy) const {
  int x = 0, y = 0;
  if (window_ != nullptr) SDL_GetWindowPosition(window_, &x, &y);
  WindowToClient(sx - x, sy - y, cx, cy);
}

void SdlWindow::FollowScale() {
  const int scale = host_.WindowScale();
  if (scale == scale_ || window_ == nullptr) return;
  const SDL_Point before = OuterSize(scale_), after = OuterSize(scale);
  int x = 0, y = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  scale_ = scale;
  SDL_SetWindowSize(window_, after.x, after.y);
  SDL_SetWindowPosition(window_, x + (before.x - after.x) / 2, y + (before.y - after.y) / 2);
}

void SdlWindow::FollowScreenChoice() {
  if (window_ == nullptr) return;
  const int display = DisplayOf(window_);
  SDL_Rect screen;
  if (host_.WindowedGame()) {
    // Every step by itself, so that a desktop without a window manager sees it too.
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowAlwaysOnTop(window_, SDL_FALSE);
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowResizable(window_, SDL_TRUE);
    SDL_SetWindowMinimumSize(window_, desc_.width, desc_.height);
    const SDL_Point size = host_.GameWindowSize(display);
    fitting_ = host_.GameScreenChoice().width == 0;
    SDL_SetWindowSize(window_, size.x, size.y);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(display));
  } else if (SDL_GetDisplayBounds(display, &screen) == 0) {
    fitting_ = false;
    SDL_SetWindowResizable(window_, SDL_FALSE);
    SDL_SetWindowBordered(window_, SDL_FALSE);
    SDL_SetWindowPosition(window_, screen.x, screen.y);
    SDL_SetWindowSize(window_, screen.w, screen.h);
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_SetWindowAlwaysOnTop(window_, topmost_ ? SDL_TRUE : SDL_FALSE);
  }
  Focus();
  RequestPaint();
  Present(true);
}

void SdlWindow::CheckDecorations() {
  if (window_ == nullptr || !CoversScreen() || !host_.WindowedGame()) return;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0 ||
      top + left + bottom + right == 0)
    return;
  host_.SetDecorations({left + right, top + bottom});
  if (!fitting_) return;
  fitting_ = false;
  const int display = DisplayOf(window_);
  const SDL_Point fits = host_.GameWindowSize(display);
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  if (fits.x >= w && fits.y >= h) return;
  SDL_SetWindowSize(window_, fits.x, fits.y);
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                        SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}

bool SdlWindow::TakePaintRequest() {
  if (!paintWanted_ || !visible_) return false;
  paintWanted_ = false;
  return true;
}

void SdlWindow::Present(bool whole) {
  if (!Valid() || !visible_) return;
  output_->Present(canvas_, CurrentViewport(), desc_.frame, whole);
  canvas_.ClearDirty();
}

}  // namespace host::sdl
