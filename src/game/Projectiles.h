#pragma once

namespace game {

class MainForm;

// One frame of movement, collision and drawing for the flying bomb, the debris, the shots,
// the power-ups and the enemies.
void MoveProjectiles(MainForm& form);

}  // namespace game
