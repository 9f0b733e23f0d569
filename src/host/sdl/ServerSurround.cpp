#include "host/sdl/ServerSurround.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <vector>

namespace host::sdl {

ServerSurround::ServerSurround(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  // Pixel 0 is black in the true-colour visuals whose images are drawn straight (0x00RRGGBB);
  // the output asks for the surround only there.
  XGCValues values{};
  values.foreground = 0;
  GC gc = XCreateGC(display, info.info.x11.window, GCForeground, &values);
  if (gc == nullptr) return;
  display_ = display;
  window_ = info.info.x11.window;
  gc_ = gc;
}

ServerSurround::~ServerSurround() {
  if (gc_ != nullptr) XFreeGC(static_cast<Display*>(display_), static_cast<GC>(gc_));
}

void ServerSurround::Paint(std::span<const PixelRect> rects) {
  std::vector<XRectangle> boxes;
  for (const PixelRect& r : rects) {
    boxes.push_back(XRectangle{static_cast<short>(r.left), static_cast<short>(r.top),
                               static_cast<unsigned short>(r.right - r.left),
                               static_cast<unsigned short>(r.bottom - r.top)});
  }
  if (!boxes.empty())
    XFillRectangles(static_cast<Display*>(display_), window_, static_cast<GC>(gc_), boxes.data(),
                    static_cast<int>(boxes.size()));
}

}  // namespace host::sdl
