#pragma once
#include <string>

#include "host/Color.h"
#include "host/Surface.h"

namespace host {

// Mouse buttons as bits, so that a move can report every button held.
constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;

struct MouseEvent {
  int button = 0;  // the button pressed or released; for a move, every button held
  int shift = 0;   // kShiftMask | kCtrlMask | kAltMask
  int x = 0;       // client pixels; may lie outside the window while it holds the capture
  int y = 0;
};

enum class Cursor { Default, Hand, Invisible };

// What a window tells the program. Every call arrives on the one UI thread, one at a time.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnPaint() {}
  // Key codes are virtual-key codes (host/Keys.h); shift holds the modifier bits.
  virtual void OnKeyDown(int /*keyCode*/, int /*shift*/) {}
  virtual void OnKeyUp(int /*keyCode*/, int /*shift*/) {}
  // A typed character (a Unicode code point). Enter arrives as 13, Backspace as 8, Esc as 27.
  virtual void OnChar(char32_t /*ch*/) {}
  virtual void OnMouseDown(const MouseEvent&) {}
  virtual void OnMouseMove(const MouseEvent&) {}
  virtual void OnMouseUp(const MouseEvent&) {}
  virtual void OnDoubleClick(const MouseEvent&) {}
  // The window manager's close button, Alt+F4 and the like.
  virtual void OnCloseRequest() {}
};

enum class WindowFrame {
  None,    // borderless
  Dialog,  // a thin fixed dialog frame, no title bar
};

enum class WindowPlacement {
  CenterScreen,
  FullScreen,  // covers the screen; the client surface is scaled up by whole factors
  // With its client area's top-left corner at client point (ownerX, ownerY) of `owner`,
  // kept on the screen: a popup menu. It has no task-bar entry and hears a close request
  // when the user turns to another window.
  AtOwnerPoint,
};

class Window;

struct WindowSpec {
  std::string name;     // the form's name ("MenuForm"), as tests and the runner see it
  std::string caption;  // the task-bar text
  int width = 0;        // client area in pixels
  int height = 0;
  WindowFrame frame = WindowFrame::None;
  WindowPlacement placement = WindowPlacement::CenterScreen;
  bool topmost = false;
  bool showInTaskbar = true;
  bool withIcon = false;  // carries the program icon
  Color background = kBlack;
  const Window* owner = nullptr;  // for WindowPlacement::AtOwnerPoint
  int ownerX = 0;
  int ownerY = 0;
};

// A top-level window. It is created hidden; destroying the object closes it.
class Window {
 public:
  virtual ~Window() = default;
  virtual const std::string& Name() const = 0;
  // The backing surface of the client area. Drawing on it is what the window shows.
  virtual Surface& Canvas() = 0;
  // Showing a window for the first time (or after it was hidden) raises a paint.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  virtual void SetTopmost(bool onTop) = 0;
  virtual bool Topmost() const = 0;
  virtual void Minimize() = 0;
  virtual bool Minimized() const = 0;
  virtual bool Maximized() const = 0;
  virtual void SetCursor(Cursor cursor) = 0;
  virtual Cursor CurrentCursor() const = 0;
  // While captured, the window receives mouse moves and releases outside its area.
  virtual void SetCapture(bool capture) = 0;
  virtual bool HasCapture() const = 0;
  // A left press inside this part of the client area is the window system's: it moves the
  // window with the pointer and never reaches the program, except a second press soon
  // after the first at the same place, which arrives as a double click. An empty area (the
  // start) leaves every press to the program.
  virtual void SetDragArea(const PixelRect& area) = 0;
  // Asks for a paint event.
  virtual void Invalidate() = 0;
};

}  // namespace host
