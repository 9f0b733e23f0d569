#pragma once

namespace game {

class MainForm;

// Empties the field, resets the per-wave counters, glides the ship home when the window is
// on screen, and places the next group of enemies.
void SetUpWave(MainForm& form);

}  // namespace game
