#pragma once
#include <cstdint>

namespace game {

struct Game;
class MainForm;

// The type (0 to 6) of a power-up left by a large enemy or dropped from the sky. Rookie
// mode never gets the full repair, the mega blast or the slow recharge.
std::int32_t RandomPowerUpType(Game& game);

// Moves and draws every power-up; those the ship touches are collected.
void MovePowerUps(MainForm& form, bool& statusChanged);

}  // namespace game
