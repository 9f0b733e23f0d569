#pragma once

// How the player started the game (see CommandLine).
struct DesktopGameOptions {
  bool windowed = false;
};

// The game on the desktop, from start-up to the exit status: what `skirmora` runs.
int RunDesktopGame(const DesktopGameOptions& options = {});
