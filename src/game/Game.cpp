#include "game/Game.h"

#include <algorithm>

namespace game {

bool DamageShip(Game& game, std::int32_t amount) {
  GameState& s = game.state;
  if (s.Hull <= 0) {
    s.Hull = 0;
    return false;
  }
  if (s.ShieldsUp) {
    if (!s.ReducedSound) game.sound.PlaySound("SShieldsHit");
    return false;
  }
  const std::int32_t oldHull = s.Hull;
  std::int32_t newHull;
  if (s.RookieMode) {
    if (s.Energy >= amount) {
      s.Energy -= amount;
      if (!s.ReducedSound) game.sound.PlaySound("SShieldsHit");
      return true;
    }
    if (s.Energy == 0) {
      newHull = s.Hull - amount;
    } else {
      newHull = s.Hull - (amount - s.Energy);
      s.Energy = 0;
    }
  } else {
    newHull = s.Hull - amount;
  }
  s.Hull = std::max(0, newHull);
  if (s.Hull >= oldHull) return true;
  // Deliberate: crossing the warning mark sounds the warning, and both cues play even with
  // reduced sound, so that damage is never silent.
  game.sound.PlaySound(s.Hull <= 30 && oldHull > 30 ? "SWarning" : "SHit");
  return true;
}

void InsertHighScore(Game& game) {
  GameState& s = game.state;
  if (s.Cheated) return;
  // Deliberate: the score goes before the first lower one, so it ranks below an equal score,
  // one equal to the lowest stays out, and a hand-edited table out of order stays so.
  int p = 0;
  while (p < 10 && !(s.Score > s.HighScores[static_cast<std::size_t>(p)])) ++p;
  if (p == 10) return;
  for (int j = 8; j >= p; --j) {
    s.HighScores[static_cast<std::size_t>(j + 1)] = s.HighScores[static_cast<std::size_t>(j)];
    s.HighScoreNames[static_cast<std::size_t>(j + 1)] =
        s.HighScoreNames[static_cast<std::size_t>(j)];
  }
  s.HighScores[static_cast<std::size_t>(p)] = s.Score;
  s.HighScoreNames[static_cast<std::size_t>(p)] =
      FitInitials(game.shell ? game.shell->GetInitials(static_cast<std::size_t>(p)) : s.Initials);
}

}  // namespace game
