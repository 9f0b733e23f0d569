// Every picture of the pack: sprite sheets, window pictures, the icon and the mouse pointers.
#include "pictures/Pictures.h"

#include "Generators.h"
#include "host/ImageFile.h"
#include "pictures/IcoFile.h"

std::vector<assets::PackFile> MakePictures(const std::string& sourceDir) {
  const std::string artDir = sourceDir + "/art";
  std::vector<assets::PackFile> files;
  const auto add = [&files](const std::string& name, const host::Surface& image) {
    files.push_back({name + ".bmp", host::EncodeBmp(image)});
  };
  add("ShipsPic", art::MakeShipsPic());
  art::EnemySheets enemies = art::MakeEnemySheets();
  add("EnemiesPic", enemies.picture);
  add("EnemiesMask", enemies.mask);
  add("BlasterPic", art::MakeBlasterPic(artDir));
  add("WeaponsPic", art::MakeWeaponsPic());
  add("PowerUpsPic", art::MakePowerUpsPic());
  add("BarPic", art::MakeBarPic());
  add("DragBox", art::MakeDragBox());
  add("GameLogo", art::MakeGameLogo());
  add("JoystickFace", art::MakeJoystickFace());
  const host::Surface icon32 = art::MakeIcon(32), icon16 = art::MakeIcon(16);
  add("Icon32", icon32);
  add("Icon16", icon16);
  files.push_back(
      {"Skirmora.ico", art::EncodeIco({{icon32, 8}, {icon16, 8}, {icon32, 4}, {icon16, 4}})});
  add("HandCursor", art::MakeHandCursor(artDir));
  add("InvisibleCursor", art::MakeInvisibleCursor());
  return files;
}
