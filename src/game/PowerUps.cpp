// Power-ups: what falls, and what each one does when the ship collects it.
#include "game/PowerUps.h"

#include "game/Game.h"

namespace game {

std::int32_t RandomPowerUpType(Game& game) {
  const GameState& s = game.state;
  const float r = game.random.Next();
  if (r < 0.45f) return 0;
  if (r < 0.65f) return 1;
  if (r < 0.85f) return 2;
  if (r < 0.96f) {
    if (s.WeaponLevel < 7) return 3;
    return s.RookieMode ? 2 : 5;
  }
  if (s.RookieMode) return 2;
  return r < 0.98f ? 4 : 6;
}

}  // namespace game
