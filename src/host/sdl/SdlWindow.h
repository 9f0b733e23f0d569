#pragma once
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>

#include "host/Window.h"
#include "host/sdl/Presenter.h"
#include "host/sdl/SdlHostImpl.h"
#include "host/sdl/WindowOutput.h"

namespace host::sdl {

class SdlWindow final : public Window {
 public:
  SdlWindow(SdlHost& host, const WindowSpec& desc, WindowEvents& events, std::uint64_t serial);
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // --- Window
  const std::string& Name() const override { return desc_.name; }
  Surface& Canvas() override { return canvas_; }
  void Show() override;
  void Hide() override;
  bool Visible() const override { return visible_; }
  void SetTopmost(bool onTop) override;
  bool Topmost() const override { return topmost_; }
  void Minimize() override;
  bool Minimized() const override;
  bool Maximized() const override;
  void SetCursor(Cursor cursor) override;
  Cursor CurrentCursor() const override { return cursor_; }
  void SetCapture(bool capture) override;
  bool HasCapture() const override { return capture_; }
  void SetDragArea(const PixelRect& area) override;
  void Invalidate() override { paintWanted_ = true; }

  // --- for the host
  bool Valid() const { return window_ != nullptr && output_ != nullptr; }
  // Forgets the window on the screen without a word to the display, which has gone.
  void LetGo();
  std::uint64_t Serial() const { return serial_; }
  Uint32 SdlId() const { return SDL_GetWindowID(window_); }
  SDL_Window* Handle() const { return window_; }
  WindowEvents& Events() { return events_; }
  // Sends what changed on the canvas since the last time to the screen, scaled; `whole`
  // sends all of the window (it was exposed, resized or shown).
  void Present(bool whole = false);
  bool TakePaintRequest();
  void RequestPaint() { paintWanted_ = true; }
  // Window pixel (as SDL reports it) to client pixel.
  void WindowToClient(int wx, int wy, int& cx, int& cy) const;
  // A client point on the screen and back: the one place client pixels become screen pixels.
  void ClientToScreen(int cx, int cy, int& sx, int& sy) const;
  void ScreenToClient(int sx, int sy, int& cx, int& cy) const;
  // The window system moved the window for a press in the drag area (SDL told us so).
  void DragBegan() { dragBeganMs_ = SDL_GetTicks64(); }
  // Whether a left press at client point (x, y) that reached the program is the second
  // press of a double click in the drag area, whose first press moved the window.
  bool SecondPressInDragArea(int x, int y) const;
  // A window that asks to cover the screen (the game screen); it may be a desktop window.
  bool CoversScreen() const { return desc_.placement == WindowPlacement::FullScreen; }
  // The game screen's window covering the display, or a desktop window of the host's choice.
  void FollowScreenChoice();
  // Looks at the decorations the desktop put around the window; a game window opened at the
  // largest size that fits the free area is made smaller if they do not fit with it.
  void CheckDecorations();
  // The whole factor the client is drawn at now.
  int Scale() const { return CurrentViewport().scale; }
  void ApplyCursor() { host_.Cursors().Apply(cursor_); }
  void Focus();
  // Whether the window system last said this window holds the keyboard focus.
  bool HasFocus() const { return hasFocus_; }
  void SetHasFocus(bool focus) { hasFocus_ = focus; }
  // A menu goes away when the user turns to another window.
  bool ClosesOnFocusLoss() const { return closesOnFocusLoss_; }

 private:
  Viewport CurrentViewport() const;
  // The window's size for the client at factor `scale`, its frame included.
  SDL_Point OuterSize(int scale) const;
  // Puts the window on the display, hidden, with what was set on it so far; on failure says
  // why on stderr and leaves it not Valid.
  void Open();
  // Drawn at the factor the host wants now; a window of another factor is resized about its
  // middle.
  void FollowScale();
  static SDL_HitTestResult HitTest(SDL_Window* window, const SDL_Point* point, void* self);

  SdlHost& host_;
  WindowSpec desc_;
  WindowEvents& events_;
  std::uint64_t serial_;
  SDL_Window* window_ = nullptr;
  std::unique_ptr<WindowOutput> output_;
  Surface canvas_;
  int scale_ = 1;         // of a window that does not cover the screen
  bool fitting_ = false;  // a game window of the largest size that fits, decorations unseen
  bool visible_ = false;
  bool paintWanted_ = false;
  bool topmost_ = false;
  bool capture_ = false;
  bool closesOnFocusLoss_ = false;
  bool hasFocus_ = false;
  Cursor cursor_ = Cursor::Default;
  PixelRect dragArea_;
  Uint64 dragBeganMs_ = 0;
};

}  // namespace host::sdl
