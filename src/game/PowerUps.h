#pragma once
#include <cstdint>

namespace game {

struct Game;
struct GameState;
class MainForm;

// The type (0 to 6) of a power-up left by a large enemy or dropped from the sky. Rookie
// mode never gets the full repair, the mega blast or the slow recharge.
std::int32_t RandomPowerUpType(Game& game);

// Appends a falling power-up of the given type.
void AddPowerUp(GameState& state, std::int32_t kind, std::int32_t x, std::int32_t y,
                std::int32_t dx, std::int32_t dy);

// Moves and draws every power-up; those the ship touches are collected.
void MovePowerUps(MainForm& form, bool& statusChanged);

}  // namespace game
