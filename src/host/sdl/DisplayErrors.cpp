#include "host/sdl/DisplayErrors.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <dlfcn.h>
#include <wayland-client.h>

#include <atomic>
#include <cstdio>

namespace host::sdl {
namespace {

XErrorHandler gPrevious = nullptr;
std::atomic<bool> gLost{false};
// Written once, on the thread that opened the display, before any loss can happen.
char gDisplayName[256] = "";

// Deliberate: a wake-up event sent to a window that had just closed is overlooked; Xlib would
// end the program with status 1 over it.
int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return gPrevious != nullptr ? gPrevious(display, error) : 0;
}

// Xlib calls this first when a connection breaks; its own version prints a message of its
// own. The program says what happened once it has ended in its own way.
int OnIoError(Display*) {
  return 0;
}

// ... and this next. Xlib's version ends the process; returning leaves the connection marked
// broken instead.
void OnConnectionLost(Display*, void*) {
  gLost = true;
}

}  // namespace

void OverlookEventsToVanishedWindows() {
  if (gPrevious != nullptr) return;
  gPrevious = XSetErrorHandler(OnXError);
}

bool XDisplayLost() {
  return gLost;
}

std::string LostXDisplayName() {
  return gLost ? gDisplayName : "";
}

bool WaylandConnectionLost(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
      info.subsystem != SDL_SYSWM_WAYLAND)
    return false;
  // Set by libwayland when the connection broke; reading it asks the compositor nothing.
  return wl_display_get_error(info.info.wl.display) != 0;
}

}  // namespace host::sdl

// Every X connection of the program is opened here. Xlib has no process-wide way to keep a
// broken connection from ending the process: the handler that would return instead is set
// per connection, and SDL opens its connections (one to draw and read events, one to wake its
// event loop from other threads) without handing them out. So the program's own definition
// of XOpenDisplay, which the dynamic linker binds SDL's calls to, opens each connection with
// Xlib's and sets those handlers on it at once.
extern "C" Display* XOpenDisplay(const char* name) {
  using Open = Display* (*)(const char*);
  static const auto open = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "XOpenDisplay"));
  if (open == nullptr) return nullptr;
  Display* display = open(name);
  if (display == nullptr) return nullptr;
  XSetIOErrorHandler(host::sdl::OnIoError);
  XSetIOErrorExitHandler(display, host::sdl::OnConnectionLost, nullptr);
  if (host::sdl::gDisplayName[0] == 0) {
    const char* shown = DisplayString(display);
    std::snprintf(host::sdl::gDisplayName, sizeof host::sdl::gDisplayName, "%s", shown);
  }
  return display;
}
