#include "game/Projectiles.h"

#include "game/MainForm.h"

namespace game {

// Stand-in until combat is built: nothing moves.
void MoveProjectiles(MainForm& /*form*/) {}

}  // namespace game
