#pragma once
#include <SDL.h>

#include "host/DesktopArt.h"
#include "host/Window.h"

namespace host::sdl {

// The program's mouse pointers, made on first use and freed with the set.
class CursorSet {
 public:
  // `hand` must outlive the set; an empty picture gives the system's hand.
  explicit CursorSet(const PointerImage& hand) : handArt_(hand) {}
  ~CursorSet();
  CursorSet(const CursorSet&) = delete;
  CursorSet& operator=(const CursorSet&) = delete;
  void Apply(Cursor cursor);

 private:
  const PointerImage& handArt_;
  SDL_Cursor* hand_ = nullptr;
  SDL_Cursor* invisible_ = nullptr;
};

// The program icon as an SDL surface (null when the artwork is empty); caller frees it.
SDL_Surface* MakeProgramIcon(const Surface& icon);

}  // namespace host::sdl
