// One frame of everything that moves on the play field, in its fixed order.
#include "game/Projectiles.h"

#include "game/Bomb.h"
#include "game/Combat.h"
#include "game/Enemies.h"
#include "game/PowerUps.h"
#include "game/Shots.h"

namespace game {

void MoveProjectiles(MainForm& form, bool& statusChanged) {
  GameState& s = form.state;
  MoveBomb(form, statusChanged);
  MoveDebris(form);
  MoveShots(form, statusChanged);
  MovePowerUps(form, statusChanged);
  EraseEnemies(form);
  MoveEnemies(form, statusChanged);
  TrimLists(s);
}

}  // namespace game
