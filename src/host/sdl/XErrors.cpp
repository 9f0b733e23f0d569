#include "host/sdl/XErrors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace host::sdl {
namespace {

XErrorHandler gPrevious = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return gPrevious != nullptr ? gPrevious(display, error) : 0;
}

}  // namespace

void OverlookEventsToVanishedWindows() {
  if (gPrevious != nullptr) return;
  gPrevious = XSetErrorHandler(OnXError);
}

}  // namespace host::sdl
