// Shots, debris and the ways an enemy gets hurt: the laser, shots, ramming the ship.
#include "game/Shots.h"

#include <algorithm>
#include <array>

#include "game/Combat.h"
#include "game/ShotGrid.h"

namespace game {
namespace {

constexpr host::Color kDebrisGrey = host::Rgb(160, 160, 160);

// Deliberate: a shot that slides sideways off the screen stays in the list until something
// removes it; its column stops growing here so that no amount of play can overflow it.
constexpr std::int32_t kFarColumn = 1 << 20;

// Source x in WeaponsPic of the 16 x 16 shot kinds 1 to 5 (kind 0 comes from BlasterPic).
constexpr std::array<int, 6> kWeaponsCell = {0, 0, 16, 0, 32, 48};

void EraseShot(host::Surface& canvas, const Projectile& shot) {
  const std::int32_t s = HitExtent(shot.Kind);
  canvas.FillRect(shot.X, shot.Y, shot.X + s, shot.Y + s, host::kBlack);
}

void DrawShot(const Screen& screen, host::Surface& canvas, const Projectile& shot) {
  if (shot.Kind == 0) {
    canvas.Blit(shot.X, shot.Y, 4, 4, screen.BlasterPic, shot.Friendly != 0 ? 0 : 4, 0);
  } else {
    const int cell = kWeaponsCell.at(static_cast<std::size_t>(shot.Kind));
    canvas.Blit(shot.X, shot.Y, 16, 16, screen.WeaponsPic, cell, 0);
  }
}

// A tenth of the way from a photon's centre towards the aim point, on one axis.
constexpr std::int32_t Home(std::int32_t at, std::int32_t aim) {
  return ((at + 8) * 9) / 10 + aim / 10 - 8;
}

void MoveShot(MainForm& form, Projectile& shot) {
  GameState& s = form.state;
  if (shot.Kind != 5) {
    shot.X = std::clamp(shot.X + shot.DX, -kFarColumn, kFarColumn);
    shot.Y += shot.DY;
  } else if (shot.Friendly == 0) {
    // The Zorbs' photon chases the ship and keeps falling at least DY a frame.
    shot.X = Home(shot.X, s.ShipX + 65);
    shot.Y = std::max(Home(shot.Y, s.ShipY + 65), shot.Y + shot.DY);
  } else if (s.Enemies.Count() == 0) {
    shot.Y += shot.DY;
  } else {
    if (shot.Target < 1 || shot.Target > s.Enemies.Count())
      shot.Target = RndBelow(form, s.Enemies.Count()) + 1;
    const Projectile& target = s.Enemies[shot.Target];
    const std::int32_t side = Side(target.Kind);
    shot.X = Home(shot.X, target.X + side);
    shot.Y = std::min(Home(shot.Y, target.Y + side), shot.Y + shot.DY);
  }
}

bool HitsShip(const GameState& s, const Projectile& shot) {
  const std::int32_t e = HitExtent(shot.Kind);
  return shot.X > s.ShipX - e && shot.X < s.ShipX + 65 && shot.Y > s.ShipY - e &&
         shot.Y < s.ShipY + 65;
}

// Blows up enemy i: the cue, its box blacked out, ten debris pixels from its centre.
Explosion Explode(MainForm& form, std::int32_t i) {
  GameState& s = form.state;
  const Projectile enemy = s.Enemies[i];
  const std::int32_t w = Side(enemy.Kind);
  Cue(form, "SExplode");
  form.screen.canvas.FillRect(enemy.X, enemy.Y, enemy.X + w - 1, enemy.Y + w - 1, host::kBlack);
  const Explosion blast{enemy.Kind, enemy.X + w / 2, enemy.Y + w / 2};
  s.Enemies.Remove(i);
  for (int n = 0; n < 10; ++n) {
    Projectile& bit = s.Debris.Add();
    bit.X = blast.cx;
    bit.Y = blast.cy;
    bit.DX = RndBelow(form, 11) - 5;
    bit.DY = RndBelow(form, 11) - 5;
  }
  return blast;
}

}  // namespace

std::int32_t ShotDamage(std::int32_t kind) {
  static constexpr std::array<std::int32_t, 6> kDamage = {10, 15, 20, 0, 15, 20};
  return kDamage.at(static_cast<std::size_t>(kind));
}

void MoveDebris(MainForm& form) {
  GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  for (std::int32_t i = 1; i <= s.Debris.Count(); ++i)
    canvas.SetPixel(s.Debris[i].X, s.Debris[i].Y, host::kBlack);
  ForEachEntry(s.Debris, [&](std::int32_t i) {
    Projectile& bit = s.Debris[i];
    const bool inField = bit.X >= 0 && bit.X < 640 && bit.Y >= 50 && bit.Y < 480;
    // The 1 % draw is made for every pixel, in the field or not.
    const bool lasts = Rnd(form) >= 0.01f;
    if (!inField || !lasts) {
      s.Debris.Remove(i);
      return Visit::Removed;
    }
    // Debris falls: its DY is pulled towards positive values, and never rests at 0.
    if (Rnd(form) < 0.1f || bit.DY < -3) ++bit.DY;
    if (bit.DY == 0) bit.DY = 1;
    bit.X += bit.DX;
    bit.Y += bit.DY;
    canvas.SetPixel(bit.X, bit.Y, kDebrisGrey);
    return Visit::Next;
  });
}

void MoveShots(MainForm& form, bool& statusChanged) {
  GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  ForEachEntry(s.Shots, [&](std::int32_t i) {
    Projectile& shot = s.Shots[i];
    EraseShot(canvas, shot);
    MoveShot(form, shot);
    // Only the Zorbs' shots hurt the ship.
    if (shot.Friendly == 0 && HitsShip(s, shot)) {
      const std::int32_t damage = ShotDamage(shot.Kind);
      s.Shots.Remove(i);
      if (DamageShip(form.game, damage)) statusChanged = true;
      return Visit::Removed;
    }
    // Deliberate: no test on X, so a shot that leaves sideways lives on, unseen, until it
    // leaves at the top or bottom.
    if (shot.Y >= 50 && shot.Y <= 480) {
      DrawShot(form.screen, canvas, shot);
      return Visit::Next;
    }
    s.Shots.Remove(i);
    return Visit::Removed;
  });
}

LaserHit LaserTest(MainForm& form, std::int32_t i) {
  GameState& s = form.state;
  Projectile& enemy = s.Enemies[i];
  const std::int32_t w = Side(enemy.Kind);
  LaserHit hit;
  if (s.LaserX == 0 || s.LaserX < enemy.X - 1 || s.LaserX > enemy.X + w + 1 || enemy.Y >= s.ShipY)
    return hit;
  hit.touched = true;
  enemy.Life -= 50;
  // Deliberate: a beaming enemy neither dodges nor dies while its beam lasts (nor by shots or
  // the bomb); the first hit after it destroys an enemy below 1.
  if (enemy.BeamTime != 0) return hit;
  if (enemy.Life > 0) {
    enemy.X = RndBelow(form, 590);
  } else {
    hit.explosion = Explode(form, i);
  }
  return hit;
}

std::optional<Explosion> ShotTests(MainForm& form, std::int32_t i, ShotGrid& grid) {
  GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  std::optional<Explosion> explosion;
  // The square stays put while its shots are tested: only a hit changes the enemy.
  const std::int32_t x = s.Enemies[i].X, y = s.Enemies[i].Y, w = Side(s.Enemies[i].Kind);
  grid.ForEachOnSquare(s.Shots, x, y, w, [&](std::int32_t j) {
    const Projectile& shot = s.Shots[j];
    // Deliberate: whoever fired it, a Zorb's shot hurts any Zorb it meets. The test comes after
    // every hit, so even a harmless shot finishes an enemy already below 1.
    Projectile& enemy = s.Enemies[i];
    enemy.Life -= ShotDamage(shot.Kind);
    if (enemy.Life < 1 && enemy.BeamTime == 0) explosion = Explode(form, i);
    EraseShot(canvas, shot);
    grid.Remove(s.Shots, j);
    // A destroyed enemy stops the test; the remaining shots fly on.
    return explosion ? Visit::Stop : Visit::Removed;
  });
  return explosion;
}

bool RamTest(MainForm& form, std::int32_t i, bool& statusChanged) {
  GameState& s = form.state;
  const Projectile& enemy = s.Enemies[i];
  const std::int32_t w = Side(enemy.Kind);
  if (!(enemy.X > s.ShipX - w && enemy.X < s.ShipX + 65 && enemy.Y > s.ShipY - w &&
        enemy.Y < s.ShipY + 65))
    return false;
  // Its footprint was erased by the erase pass; it vanishes without a blast or a reward.
  s.Enemies.Remove(i);
  const std::int64_t damage = 2 * static_cast<std::int64_t>(s.Wave) + 20;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (DamageShip(form.game, static_cast<std::int32_t>(std::min(damage, kMax))))
    statusChanged = true;
  return true;
}

}  // namespace game
