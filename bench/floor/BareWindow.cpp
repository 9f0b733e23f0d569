// What SDL alone costs before a first window: the libraries it loads, its video start (in the
// environment the game gives it) and one window of the main menu's size and title, drawn
// through the window surface as the game draws, then nothing until it is closed.
// `bench/measure-game` run on this program instead of the game (PLAY=0) gives the floor under the
// game's start-up time and menu memory.
#include <SDL.h>

#include "host/sdl/StartupEnvironment.h"

int main(int, char**) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  {
    const host::sdl::StartupEnvironment environment;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 1;
  }
  // The menu: 256 x 245 pixels at the factor of a 1920 x 1080 screen.
  SDL_Window* window = SDL_CreateWindow("Skirmora", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        512, 490, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
  if (window == nullptr) return 1;
  SDL_ShowWindow(window);
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr) return 1;
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xC0, 0xC0, 0xC0));
  SDL_UpdateWindowSurface(window);
  SDL_Event event;
  while (SDL_WaitEvent(&event) != 0 && event.type != SDL_QUIT) {
  }
  SDL_Quit();
  return 0;
}
