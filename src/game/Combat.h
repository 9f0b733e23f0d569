#pragma once
// Small things every combat pass shares: random draws, cues, enemy geometry and the
// arithmetic that must not overflow however long a game lasts.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "game/MainForm.h"

namespace game {

// A fresh uniform draw in [0, 1).
inline float Rnd(MainForm& form) {
  return form.game.random.Next();
}

// ⌊Rnd × n⌋ for a fresh draw: 0 to n - 1. The product is single precision, like the draw.
inline std::int32_t RndBelow(MainForm& form, std::int32_t n) {
  return static_cast<std::int32_t>(std::floor(form.game.random.Next() * static_cast<float>(n)));
}

// Plays an effect cue unless the player chose reduced sound.
inline void Cue(MainForm& form, const char* name) {
  if (!form.state.ReducedSound) form.game.sound.PlaySound(name);
}

// The side of an enemy's square sprite: 16, 32, 48 or 64 for kinds 0 to 3.
constexpr std::int32_t Side(std::int32_t kind) {
  return (kind + 1) * 16;
}

// Where an enemy's cell starts in EnemiesPic and EnemiesMask (cells are 65 apart).
constexpr int EnemyCell(std::int32_t kind) {
  return 65 * kind;
}

// Deliberate: adds to a count that only grows (score, bombs), stopping at the largest 32-bit
// value instead of wrapping round to a negative number.
inline void AddUpTo32Bits(std::int32_t& value, std::int64_t amount) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  value = static_cast<std::int32_t>(std::min(kMax, static_cast<std::int64_t>(value) + amount));
}

// Trims each list's storage to its count (releasing it when empty), at the end of a pass.
inline void TrimLists(GameState& s) {
  s.Debris.Shrink();
  s.Shots.Shrink();
  s.Enemies.Shrink();
  s.PowerUps.Shrink();
}

}  // namespace game
