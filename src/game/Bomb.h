#pragma once

namespace game {

class MainForm;

// The blast of the bomb (or of the ship) around (BombX + 8, BombY + 8).
void DetonateBomb(MainForm& form);

}  // namespace game
