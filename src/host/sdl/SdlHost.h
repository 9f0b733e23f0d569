#pragma once
#include <functional>
#include <memory>

#include "host/DesktopArt.h"
#include "host/Host.h"
#include "host/RegistryStore.h"
#include "host/ScreenChoice.h"
#include "host/sdl/LoopClock.h"

namespace host {

// How the windows are shown on the desktop.
struct ScreenOptions {
  // How a window that asks to cover the screen (the game screen) opens. Windowed, it is an
  // ordinary resizable desktop window, its picture still scaled by whole factors and
  // letterboxed. Plain F11 on it switches between the two.
  ScreenChoice choice;
  // The whole factor every other window is drawn at; 0: the largest at which the game screen
  // fits the display (in a window, the factor of the game window).
  int scale = 0;
  // Told the player's new choice when F11 switches, and the window's new size when the game
  // screen closes after the player resized it.
  std::function<void(const ScreenChoice&)> remember;
};

// The real back end: windows, input, timers and dialogs over SDL2. Returns null, after a
// one-line message on stderr, when SDL's video subsystem cannot start (no display). A window
// that cannot be shown ends the program with status 1, after a message on stderr.
// Windows and timers made by the host must be destroyed before it. `art` gives the windows
// their icon and the hand pointer its picture. Without a `clock` the host keeps real time.
std::unique_ptr<Host> MakeSdlHost(std::unique_ptr<RegistryStore> registry, DesktopArt art,
                                  std::unique_ptr<sdl::LoopClock> clock = nullptr,
                                  ScreenOptions screen = {});

// Makes the SDL host `sdlHost` one whose windows are only watched (a recorded game played
// back): from now on nothing the person at the keyboard types or clicks reaches a window.
// Each key they press is told to `keyPressed` instead, at once, during Sleep too, which is
// the only loop such a host runs. The window manager's close button and requests to quit
// still reach the window and the quit handler, and the display's loss ends the program.
void WatchOnly(Host& sdlHost, std::function<void(int keyCode)> keyPressed);

}  // namespace host
