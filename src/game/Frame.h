#pragma once

namespace game {

class MainForm;

// One frame of the game: a tick of GameTimer.
void RunFrame(MainForm& form);

}  // namespace game
