#pragma once
#include <string>

// How the player started the game (see CommandLine). With a `recordPath`, the game is also
// written down there, as a scenario the headless runner replays, when it ends.
struct DesktopGameOptions {
  bool windowed = false;
  std::string recordPath;
};

// The game on the desktop, from start-up to the exit status: what `skirmora` runs.
int RunDesktopGame(const DesktopGameOptions& options = {});
