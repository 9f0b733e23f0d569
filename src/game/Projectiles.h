#pragma once

namespace game {

class MainForm;

// One frame of movement, collision and drawing for the flying bomb, the debris, the shots,
// the power-ups and the enemies. Raises statusChanged when a value in the status bar
// changed; the caller redraws the bar once for the whole frame.
void MoveProjectiles(MainForm& form, bool& statusChanged);

}  // namespace game
