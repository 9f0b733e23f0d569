#include "host/sdl/SdlWindow.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "host/ui/Widgets.h"

namespace host::sdl {
namespace {

// A press this soon after the one that began a window move, at the same place, makes a
// double click (SDL's own default).
constexpr Uint64 kDoubleClickMs = 500;

Uint32 CreationFlags(const WindowSpec& desc, bool windowedGame) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (desc.placement != WindowPlacement::FullScreen) {
    flags |= SDL_WINDOW_BORDERLESS;
  } else if (windowedGame) {
    flags |= SDL_WINDOW_RESIZABLE;
  } else {
    flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN_DESKTOP;
  }
  if (desc.topmost && !(windowedGame && desc.placement == WindowPlacement::FullScreen))
    flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  if (!desc.showInTaskbar) flags |= SDL_WINDOW_SKIP_TASKBAR;
  if (desc.placement == WindowPlacement::AtOwnerPoint)
    flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
  return flags;
}

// The top-left corner on the screen of a w x h window that shows (x, y) of the screen at
// its own (frame, frame), moved as little as it takes to keep it on that display.
SDL_Point KeptOnScreen(int x, int y, int w, int h, int frame) {
  const SDL_Point p{x, y};
  SDL_Rect bounds;
  int display = 0;
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    if (SDL_GetDisplayBounds(i, &bounds) == 0 && SDL_PointInRect(&p, &bounds)) display = i;
  }
  SDL_Point corner{x - frame, y - frame};
  if (SDL_GetDisplayUsableBounds(display, &bounds) != 0) return corner;
  corner.x = std::clamp(corner.x, bounds.x, std::max(bounds.x, bounds.x + bounds.w - w));
  corner.y = std::clamp(corner.y, bounds.y, std::max(bounds.y, bounds.y + bounds.h - h));
  return corner;
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
  // Without a display the window lives on the canvas alone.
  if (host_.DisplayGone()) return;
  const int frame = ui::FrameWidth(desc.frame);
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  int w = desc.width + 2 * frame, h = desc.height + 2 * frame;
  if (desc.placement == WindowPlacement::AtOwnerPoint && desc.owner != nullptr) {
    int sx = 0, sy = 0;
    static_cast<const SdlWindow*>(desc.owner)->ClientToScreen(desc.ownerX, desc.ownerY, sx, sy);
    const SDL_Point corner = KeptOnScreen(sx, sy, w, h, frame);
    x = corner.x;
    y = corner.y;
  }
  SDL_Rect screen;
  const bool fullScreen = desc.placement == WindowPlacement::FullScreen;
  if (fullScreen && SDL_GetDisplayBounds(host_.DisplayInUse(), &screen) == 0) {
    if (host_.WindowedGame()) {
      // The largest whole factor that leaves room for the desktop's panels and frame.
      const int scale = std::max(1, std::min((screen.w * 4 / 5) / w, (screen.h * 4 / 5) / h));
      w *= scale;
      h *= scale;
      x = SDL_WINDOWPOS_CENTERED_DISPLAY(host_.DisplayInUse());
      y = SDL_WINDOWPOS_CENTERED_DISPLAY(host_.DisplayInUse());
    } else {
      // Made screen-sized from the start: without a window manager nobody else would
      // honour the full-screen request. It covers the display the player is looking at.
      x = screen.x;
      y = screen.y;
      w = screen.w;
      h = screen.h;
    }
  }
  window_ =
      SDL_CreateWindow(desc.caption.c_str(), x, y, w, h, CreationFlags(desc, host_.WindowedGame()));
  if (window_ == nullptr) {
    std::fprintf(stderr, "skirmora: cannot create the window %s: %s\n", desc.name.c_str(),
                 SDL_GetError());
    return;
  }
  if (fullScreen && host_.WindowedGame())
    SDL_SetWindowMinimumSize(window_, desc.width, desc.height);
  if (desc.withIcon) {
    if (SDL_Surface* icon = MakeProgramIcon(host_.ProgramIcon())) {
      SDL_SetWindowIcon(window_, icon);
      SDL_FreeSurface(icon);
    }
  }
}

SdlWindow::~SdlWindow() {
  host_.Forget(*this);
  if (window_ == nullptr) return;
  host_.BeforeWindowCloses();
  if (capture_) SDL_CaptureMouse(SDL_FALSE);
  SDL_DestroyWindow(window_);
}

void SdlWindow::Show() {
  if (visible_ || window_ == nullptr) return;
  visible_ = true;
  paintWanted_ = true;
  SDL_ShowWindow(window_);
  host_.Shown(*this);
  Present(true);
}

void SdlWindow::Hide() {
  if (!visible_) return;
  SetCapture(false);
  visible_ = false;
  if (window_ == nullptr) return;
  host_.BeforeWindowCloses();
  SDL_HideWindow(window_);
}

void SdlWindow::Focus() {
  if (window_ == nullptr || !visible_) return;
  SDL_RaiseWindow(window_);
  SDL_SetWindowInputFocus(window_);
}

void SdlWindow::SetTopmost(bool onTop) {
  topmost_ = onTop;
  // A game in an ordinary desktop window stays among the others, like any window.
  if (desc_.placement == WindowPlacement::FullScreen && host_.WindowedGame()) return;
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

Viewport SdlWindow::CurrentViewport() const {
  if (desc_.placement == WindowPlacement::FullScreen && window_ != nullptr) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return FitViewport(w, h, canvas_.Width(), canvas_.Height());
  }
  const int frame = ui::FrameWidth(desc_.frame);
  return Viewport{frame, frame, 1};
}

void SdlWindow::WindowToClient(int wx, int wy, int& cx, int& cy) const {
  const Viewport vp = CurrentViewport();
  cx = ToClient(wx, vp.x, vp.scale);
  cy = ToClient(wy, vp.y, vp.scale);
}

bool SdlWindow::TakePaintRequest() {
  if (!paintWanted_ || !visible_) return false;
  paintWanted_ = false;
  return true;
}

void SdlWindow::Present(bool whole) {
  if (window_ == nullptr || !visible_) return;
  SDL_Surface* out = SDL_GetWindowSurface(window_);
  if (out == nullptr) return;
  // A new or resized window surface holds nothing of ours yet.
  if (out != presentedTo_ || out->w != presentedW_ || out->h != presentedH_) whole = true;
  if (!whole && canvas_.Dirty().Empty()) return;
  const Viewport vp = CurrentViewport();
  const SDL_PixelFormat* f = out->format;
  const bool direct =
      f->BytesPerPixel == 4 && f->Rmask == 0xFF0000 && f->Gmask == 0xFF00 && f->Bmask == 0xFF;
  // Other pixel formats are composed in our own format first and converted piece by piece.
  WindowImage image{static_cast<std::uint32_t*>(out->pixels), out->w, out->h, out->pitch / 4};
  if (!direct) {
    shadow_.resize(static_cast<std::size_t>(out->w) * out->h);
    image = WindowImage{shadow_.data(), out->w, out->h, out->w};
  }
  if (SDL_MUSTLOCK(out)) SDL_LockSurface(out);
  std::vector<SDL_Rect>& sent = sentRects_;
  sent.clear();
  if (whole) {
    if (desc_.frame == WindowFrame::None) {
      ComposeWindow(image, canvas_, vp);
    } else {
      // The frame comes with the client area, as the toolkit draws it for either back end.
      const int frame = ui::FrameWidth(desc_.frame) * vp.scale;
      ComposeWindow(image, ui::FramedPicture(canvas_, desc_.frame),
                    Viewport{vp.x - frame, vp.y - frame, vp.scale});
    }
    sent.push_back(SDL_Rect{0, 0, out->w, out->h});
  } else {
    for (const PixelRect& part : canvas_.Dirty().Rects()) {
      const PixelRect r = ComposePart(image, canvas_, vp, part);
      if (!r.Empty()) sent.push_back(SDL_Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
    }
  }
  for (const SDL_Rect& r : sent) {
    auto* first =
        static_cast<std::uint8_t*>(out->pixels) + static_cast<std::ptrdiff_t>(r.y) * out->pitch;
    if (!direct) {
      SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_RGB888, shadow_.data() + r.y * out->w + r.x,
                        out->w * 4, f->format, first + r.x * f->BytesPerPixel, out->pitch);
    } else if (f->Amask != 0) {
      for (int y = 0; y < r.h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(first + y * out->pitch) + r.x;
        for (int x = 0; x < r.w; ++x) row[x] |= f->Amask;
      }
    }
  }
  if (SDL_MUSTLOCK(out)) SDL_UnlockSurface(out);
  if (!sent.empty())
    SDL_UpdateWindowSurfaceRects(window_, sent.data(), static_cast<int>(sent.size()));
  canvas_.ClearDirty();
  presentedTo_ = out;
  presentedW_ = out->w;
  presentedH_ = out->h;
}

}  // namespace host::sdl
