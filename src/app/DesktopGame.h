#pragma once
#include <string>

// The game on the desktop, from start-up to the exit status: what `skirmora` runs. With a
// `recordPath`, the game is also written down there, as a scenario the headless runner
// replays, when it ends.
int RunDesktopGame(const std::string& recordPath = "");
