#pragma once
#include <SDL.h>

#include <span>

#include "host/DirtyRegion.h"

namespace host::sdl {

// On X11 the server itself paints the black around a window's picture (a full-screen game
// on a wider screen, or any window larger than its client), so that those pixels of the
// window's image are never composed, sent or even touched: the image's memory there is
// never used. Elsewhere it does nothing and the picture's surround is composed as before.
class ServerSurround {
 public:
  explicit ServerSurround(SDL_Window* window);
  ~ServerSurround();
  ServerSurround(const ServerSurround&) = delete;
  ServerSurround& operator=(const ServerSurround&) = delete;

  bool Available() const { return gc_ != nullptr; }
  // Paints these window rectangles black; sent with SDL's next update of the window.
  void Paint(std::span<const PixelRect> rects);

 private:
  void* display_ = nullptr;
  unsigned long window_ = 0;
  void* gc_ = nullptr;
};

}  // namespace host::sdl
