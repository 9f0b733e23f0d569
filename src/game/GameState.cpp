#include "game/GameState.h"

#include <stdexcept>

#include "host/text/Utf8.h"

namespace game {

// Deliberate: three characters, counted in UTF-8 and never cut inside one.
std::string FitInitials(const std::string& text) {
  std::string fitted = host::FirstChars(text, 3);
  for (std::size_t n = host::CountChars(fitted); n < 3; ++n) fitted += ' ';
  return fitted;
}

void SetWeapon(GameState& state, std::int32_t weapon) {
  // One character per weapon: the reload time as a hexadecimal digit, the shot speed
  // as a decimal digit that is multiplied by 3.
  static constexpr char kReload[] = "588A35A8";
  static constexpr char kSpeed[] = "44345505";
  if (weapon < 0 || weapon > 7) throw std::out_of_range("weapon index out of range");
  const char reload = kReload[weapon];
  state.Weapon = weapon;
  state.WeaponReload = reload >= 'A' ? reload - 'A' + 10 : reload - '0';
  state.ShotSpeed = 3 * (kSpeed[weapon] - '0');
  state.ReloadTime = state.WeaponReload;
}

}  // namespace game
