// Power-ups: what falls, and what each one does when the ship collects it.
#include "game/PowerUps.h"

#include <algorithm>
#include <cmath>

#include "game/Combat.h"

namespace game {
namespace {

// Bombs, a third off every enemy's life, and a fan of 15 shots over the upper half circle.
void MegaBlast(MainForm& form) {
  GameState& s = form.state;
  AddUpTo32Bits(s.Bombs, 3);
  for (std::int32_t i = 1; i <= s.Enemies.Count(); ++i)
    s.Enemies[i].Life = (2 * s.Enemies[i].Life) / 3;
  constexpr double kPi = 3.141592654;
  for (int j = 1; j <= 15; ++j) {
    const double a = (j - 1) * kPi / 14;
    Projectile& shot = s.Shots.Add();
    shot.Kind = 2;
    shot.Friendly = -1;
    shot.X = s.ShipX + 24;
    shot.Y = s.ShipY - 16;
    shot.DX = static_cast<std::int32_t>(std::nearbyint(std::cos(a) * 10));
    shot.DY = static_cast<std::int32_t>(std::nearbyint(std::sin(a) * -10));
  }
}

// What a power-up does for the ship: its cue first, then its effect.
void CollectPowerUp(MainForm& form, std::int32_t kind) {
  GameState& s = form.state;
  switch (kind) {
    case 0:
      Cue(form, "SMoney");
      AddUpTo32Bits(s.Score, s.RookieMode ? 100 : 100 * static_cast<std::int64_t>(s.Wave));
      break;
    case 1:
      Cue(form, "SBombFound");
      AddUpTo32Bits(s.Bombs, 1);
      break;
    case 2:
      Cue(form, "SUpgrade");
      s.Energy = 100;
      s.Hull = s.RookieMode ? 100 : std::min(100, s.Hull + 10);
      break;
    case 3:
      if (s.WeaponLevel < 7) {
        Cue(form, "SUpgrade");
        ++s.WeaponLevel;
        SetWeapon(s, s.WeaponLevel);
      } else {
        Cue(form, "SBombFound");
        AddUpTo32Bits(s.Bombs, 3);
      }
      break;
    case 4:
      Cue(form, "SSpecial");
      s.Energy = 100;
      s.Hull = 100;
      s.Bombs = std::max(s.Bombs, 3);
      break;
    case 5:
      Cue(form, "SBombUsed");
      MegaBlast(form);
      break;
    case 6:
      Cue(form, "SSpecial");
      s.RechargeTime = 250;
      break;
    default:
      break;
  }
}

}  // namespace

std::int32_t RandomPowerUpType(Game& game) {
  const GameState& s = game.state;
  const float r = game.random.Next();
  if (r < 0.45f) return 0;
  if (r < 0.65f) return 1;
  if (r < 0.85f) return 2;
  if (r < 0.96f) {
    if (s.WeaponLevel < 7) return 3;
    return s.RookieMode ? 2 : 5;
  }
  if (s.RookieMode) return 2;
  return r < 0.98f ? 4 : 6;
}

void MovePowerUps(MainForm& form, bool& statusChanged) {
  GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  ForEachEntry(s.PowerUps, [&](std::int32_t i) {
    Projectile& p = s.PowerUps[i];
    canvas.FillRect(p.X, p.Y, p.X + 19, p.Y + 19, host::kBlack);
    p.X += p.DX;
    p.Y += p.DY;
    const bool gone = p.X > 620 || p.X < 0 || p.Y >= 461;
    // Deliberate: tested even when it has just left the field, so touching it then still
    // collects it.
    if (s.ShipX - 20 < p.X && p.X < s.ShipX + 65 && s.ShipY - 20 < p.Y && p.Y < s.ShipY + 65) {
      const std::int32_t kind = p.Kind;
      s.PowerUps.Remove(i);
      statusChanged = true;
      CollectPowerUp(form, kind);
      return Visit::Removed;
    }
    if (!gone) {
      canvas.Blit(p.X, p.Y, 20, 20, form.screen.PowerUpsPic, 20 * p.Kind, 0);
      return Visit::Next;
    }
    s.PowerUps.Remove(i);
    return Visit::Removed;
  });
}

}  // namespace game
