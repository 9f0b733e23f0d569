#pragma once
#include <cstdint>
#include <optional>

#include "game/Projectile.h"

namespace game {

class MainForm;
class ShotGrid;

// The hit extent of a shot kind: its footprint minus one (the 4 x 4 blaster shot, the
// 16 x 16 others).
constexpr std::int32_t HitExtent(std::int32_t kind) {
  return kind == 0 ? 3 : 15;
}
// The damage a shot of this kind (0 to 5) does to whatever it hits.
std::int32_t ShotDamage(std::int32_t kind);

// Moves every debris pixel, letting it fall, and drops those that leave the field.
void MoveDebris(MainForm& form);
// Moves, homes and draws every shot; enemy shots that reach the ship damage it.
void MoveShots(MainForm& form, bool& statusChanged);

// An enemy blown up by the laser or a shot: its kind and its centre, for the reward.
struct Explosion {
  std::int32_t kind = 0;
  std::int32_t cx = 0;
  std::int32_t cy = 0;
};

// The laser on enemy i: touched it at all, and whether that blew it up.
struct LaserHit {
  bool touched = false;
  std::optional<Explosion> explosion;
};
LaserHit LaserTest(MainForm& form, std::int32_t i);
// Every shot against enemy i, whoever fired it; the explosion if one destroyed it. The grid
// holds the shots of this enemy pass.
std::optional<Explosion> ShotTests(MainForm& form, std::int32_t i, ShotGrid& grid);
// Enemy i flying into the ship: removed, and the ship damaged. True when it rammed.
bool RamTest(MainForm& form, std::int32_t i, bool& statusChanged);

}  // namespace game
