#pragma once
#include <cstdint>

namespace game {

class MainForm;
struct GameState;

// Appends an enemy of the given kind; the fields not given are 0.
void AddEnemy(GameState& state, std::int32_t kind, std::int32_t x, std::int32_t y, std::int32_t dx,
              std::int32_t dy, std::int32_t life);

// Blacks out every enemy's footprint, and the beam each beaming enemy drew last frame.
void EraseEnemies(MainForm& form);
// Each enemy in turn: moves, takes the laser, shots and a ram, fires, beams, launches a
// smaller enemy, is drawn, and pays its reward when destroyed.
void MoveEnemies(MainForm& form, bool& statusChanged);

}  // namespace game
