#pragma once

// The game on the desktop, from start-up to the exit status: what `skirmora` runs.
int RunDesktopGame();
