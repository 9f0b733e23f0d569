// One frame of everything that moves on the play field, in its fixed order.
#include "game/Projectiles.h"

#include "game/Bomb.h"
#include "game/Combat.h"
#include "game/Enemies.h"
#include "game/PowerUps.h"
#include "game/Shots.h"
#include "game/StatusBar.h"

namespace game {

void MoveProjectiles(MainForm& form) {
  GameState& s = form.state;
  bool statusChanged = false;
  MoveBomb(form, statusChanged);
  MoveDebris(form);
  MoveShots(form, statusChanged);
  MovePowerUps(form, statusChanged);
  EraseEnemies(form);
  MoveEnemies(form, statusChanged);
  TrimLists(s);
  if (statusChanged) UpdateStatus(form);
}

}  // namespace game
