#pragma once

namespace game {

class MainForm;

// Draws the hall of fame over the play field, with the score of the game just ended.
void DrawHighScores(MainForm& form);

}  // namespace game
