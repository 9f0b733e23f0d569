#pragma once
// One maker per picture of the pack. Each returns the finished image; `artDir` is the folder
// of the pixel-art sources for the pictures drawn from text.
#include <cstdint>
#include <string>
#include <vector>

#include "host/Surface.h"

namespace art {

host::Surface MakeShipsPic();
// The enemy sheet and its mask, made together so they always agree.
struct EnemySheets {
  host::Surface picture;
  host::Surface mask;
};
EnemySheets MakeEnemySheets();
host::Surface MakeBlasterPic(const std::string& artDir);
host::Surface MakeWeaponsPic();
host::Surface MakePowerUpsPic();
host::Surface MakeBarPic();
host::Surface MakeDragBox();
host::Surface MakeGameLogo();
host::Surface MakeJoystickFace();
// The program icon at 32 or 16 pixels square.
host::Surface MakeIcon(int size);
// The icon for the desktop's application menus at any size, with its real edge coverage as
// opacity instead of a black surround.
struct TranslucentImage {
  host::Surface image;
  std::vector<std::uint8_t> alpha;  // row-major, 0 transparent to 255 opaque
};
TranslucentImage MakeDesktopIcon(int size);
host::Surface MakeHandCursor(const std::string& artDir);
host::Surface MakeInvisibleCursor();

}  // namespace art
