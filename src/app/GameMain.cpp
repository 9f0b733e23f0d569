// skirmora: the game on the desktop.
#include "app/DesktopGame.h"

int main() {
  return RunDesktopGame();
}
