#pragma once
#include <SDL.h>

#include "host/Window.h"

namespace host::sdl {

// The program's mouse pointers, made on first use and freed with the set.
class CursorSet {
 public:
  CursorSet() = default;
  ~CursorSet();
  CursorSet(const CursorSet&) = delete;
  CursorSet& operator=(const CursorSet&) = delete;
  void Apply(Cursor cursor);

 private:
  SDL_Cursor* hand_ = nullptr;
  SDL_Cursor* invisible_ = nullptr;
};

// The program icon as an SDL surface (null when the artwork is empty); caller frees it.
SDL_Surface* MakeProgramIcon();

}  // namespace host::sdl
