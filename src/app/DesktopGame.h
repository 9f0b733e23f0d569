#pragma once
#include <string>

#include "host/sdl/SdlHost.h"

// How the player started the game (see CommandLine). With a `recordPath`, the game is also
// written down there, as a scenario the headless runner replays, when it ends.
struct DesktopGameOptions {
  bool windowed = false;
  std::string recordPath;
};

// The game on the desktop, from start-up to the exit status: what `skirmora` runs.
int RunDesktopGame(const DesktopGameOptions& options = {});

// How the windows are shown when nothing is stored: with --window or not, and at the factor
// SKIRMORA_SCALE asks for (said on stderr when it is not understood).
host::ScreenOptions DesktopScreen(bool windowed);
