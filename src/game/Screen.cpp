#include "game/Screen.h"

#include "assets/Assets.h"

namespace game {

Screen::Screen(host::Surface& windowCanvas)
    : canvas(windowCanvas),
      StatusWork(640, 50),
      ShipsPic(assets::Picture("ShipsPic")),
      PowerUpsPic(assets::Picture("PowerUpsPic")),
      BarPic(assets::Picture("BarPic")),
      BlasterPic(assets::Picture("BlasterPic")),
      WeaponsPic(assets::Picture("WeaponsPic")),
      EnemiesPic(assets::Picture("EnemiesPic")),
      EnemiesMask(assets::Picture("EnemiesMask")),
      font(host::Font::Get({"Arial", 12, true, true, false})) {}

void Screen::ClearPlayField() {
  canvas.FillRect(0, 50, 639, 479, host::kBlack);
}

void Screen::DarkenPlayField() {
  canvas.FillRect(0, 50, 639, 479, host::Rgb(57, 57, 57), host::PenMode::Mask);
}

void Screen::PrintLines(int x, int y, std::initializer_list<std::string> lines) {
  for (const std::string& line : lines) {
    canvas.DrawText(x, y, line, font, kTextColor);
    y += font.Height();
  }
}

}  // namespace game
