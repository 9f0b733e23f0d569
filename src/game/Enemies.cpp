// The Zorbs: how each kind moves, fires, beams, launches smaller Zorbs and pays when it dies.
#include "game/Enemies.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "game/Combat.h"
#include "game/PowerUps.h"
#include "game/ShotGrid.h"
#include "game/Shots.h"

namespace game {
namespace {

// An enemy's figure: the pixels of its cell where the mask is black, as runs along its rows.
// Everywhere else the mask is white and the picture black (the sheets are made so), where
// the mask's AND and the picture's XOR change nothing: erasing an enemy paints its figure
// black, and drawing it copies its figure from the picture.
std::array<host::PixelRuns, 4> FindFigures(const host::Surface& mask) {
  std::array<host::PixelRuns, 4> figures;
  for (std::int32_t kind = 0; kind < 4; ++kind) {
    // Kind 3's square overhangs the sheet; its figure does not need the missing columns.
    const int columns = std::min(Side(kind), mask.Width() - EnemyCell(kind));
    const int rows = std::min(Side(kind), mask.Height());
    const auto inFigure = [&](int x, int y) {
      return mask.GetPixel(EnemyCell(kind) + x, y) == host::kBlack;
    };
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < columns; ++x) {
        if (!inFigure(x, y)) continue;
        const int start = x;
        while (x < columns && inFigure(x, y)) ++x;
        figures[static_cast<std::size_t>(kind)].Add(y, start, x - start);
      }
  }
  return figures;
}

// The figure of an enemy's kind. The sheets are the program's own pictures, the same for
// every game window.
const host::PixelRuns& FigureOf(MainForm& form, const Projectile& e) {
  static const std::array<host::PixelRuns, 4> figures = FindFigures(form.screen.EnemiesMask);
  return figures.at(static_cast<std::size_t>(e.Kind));
}

// Blacks out an enemy's footprint, as its mask ANDed would.
void EraseFigure(MainForm& form, const Projectile& e) {
  form.screen.canvas.FillRuns(e.X, e.Y, FigureOf(form, e), host::kBlack);
}

// Draws an enemy, as its mask ANDed and then its picture XORed would.
void DrawFigure(MainForm& form, const Projectile& e) {
  form.screen.canvas.BlitRuns(e.X, e.Y, form.screen.EnemiesPic, EnemyCell(e.Kind), 0,
                              FigureOf(form, e));
}

// Drifts down a sine path, back to row 150 below row 440, round from edge to edge.
void SineDescent(Projectile& e) {
  e.Y += e.DY;
  if (e.Y > 440) e.Y = 150;
  e.X = static_cast<std::int32_t>(std::nearbyint(std::sin(e.Y / 25.0) * 10.0 + e.X));
  if (e.X < 0) {
    e.X = 620;
  } else if (e.X > 624) {
    e.X = 4;
  }
}

// Bounces around rows 50 to 100, now and then in a new direction.
void Bounce(MainForm& form, Projectile& e) {
  e.X += e.DX;
  e.Y += e.DY;
  if (e.X < 0) {
    e.X = 4;
    e.DX = -e.DX;
  } else if (e.X > 600) {
    e.X = 600;
    e.DX = -e.DX;
  }
  if (e.Y < 50) {
    e.Y = 54;
    e.DY = -e.DY;
  } else if (e.Y > 100) {
    e.DY = -std::abs(e.DY);
  }
  if (Rnd(form) < 0.01f) {
    e.DX = RndBelow(form, 9) - 4;
    e.DY = RndBelow(form, 7) - 4;
  }
}

// Wanders in rows 50 to 75, jumping now and then, turning whenever a step leaves the area.
void Wander(MainForm& form, Projectile& e) {
  const std::int32_t right = 620 - 16 * e.Kind;
  // Deliberate: a real draw turns only rarely; the bound keeps forced test draws from turning
  // forever.
  for (int tries = 0; tries < 1000; ++tries) {
    if (Rnd(form) < 0.02f) {
      e.X = RndBelow(form, right);
      e.Y = RndBelow(form, 50) / 2 + 50;
    } else {
      e.X += e.DX;
      e.Y += e.DY;
    }
    const bool turn = Rnd(form) < 0.01f;
    if (!turn && e.X <= right && e.X >= 0 && e.Y >= 50 && e.Y <= 75) return;
    e.DY = RndBelow(form, 3) - 1;
    e.DX = 5 * (2 * RndBelow(form, 2) - 1);
  }
}

void MoveEnemy(MainForm& form, Projectile& e) {
  switch (e.Kind) {
    case 0:
      SineDescent(e);
      break;
    case 1:
      Bounce(form, e);
      break;
    default:
      Wander(form, e);
      break;
  }
}

// The 1 % fire roll and what each kind does with it, then the enemy is drawn. Returns
// true when the roll succeeded but the enemy launches a smaller one instead of firing.
// Deliberate: new shots start just outside the shooter's own square, since shots hit any
// enemy.
bool FireAndDraw(MainForm& form, Projectile& e) {
  GameState& s = form.state;
  bool heldFire = false;
  const bool fires = Rnd(form) < 0.01f && e.BeamTime == 0;
  if (fires) {
    switch (e.Kind) {
      case 0:
        s.Shots.Add() = {.X = e.X + 6, .Y = e.Y + 16, .DY = 6};
        break;
      case 1:
        if (Rnd(form) < 0.5f) {
          Cue(form, "SPhoton");
          s.Shots.Add() = {.Kind = 5, .X = e.X + 8, .Y = e.Y + 32, .DY = 10};
        } else {
          heldFire = true;
        }
        break;
      case 2:
        if (Rnd(form) < 0.5f) {
          e.BeamTime = 10;
          Cue(form, "SPulse");
          e.Life -= 50;  // the beam costs the beamer dearly
        } else {
          heldFire = true;
        }
        break;
      default:
        break;
    }
  } else if (e.Kind == 3 && s.VolleyTimer == 0) {
    for (std::int32_t j = 1; j <= 3; ++j)
      s.Shots.Add() = {.X = e.X + 4 * j + 22, .Y = e.Y + 80, .DX = 2 * j - 4, .DY = 15};
  }
  DrawFigure(form, e);
  return heldFire;
}

// One frame of a beam: a flickering red line down from the enemy, black on its last frame.
// Deliberate: it wears the ship down only while the hull is 8 or more, so it never finishes
// the ship, and it still hurts on its last, black frame.
void BeamStep(MainForm& form, Projectile& e, bool& statusChanged) {
  GameState& s = form.state;
  --e.BeamTime;
  const std::int32_t bx = e.X + 24;
  const host::Color colour =
      e.BeamTime != 0 ? host::Rgb(RndBelow(form, 156) + 100, 0, 0) : host::kBlack;
  form.screen.canvas.Line(bx, e.Y + 48, bx, 480, colour);
  if (s.ShipX < bx && bx < s.ShipX + 65) {
    if (s.Hull / 2 > 3) DamageShip(form.game, 3);
    statusChanged = true;
  }
}

// A Kind 1 launches a Kind 0, a Kind 2 a Kind 1, just below itself.
void Launch(GameState& s, const Projectile& e) {
  if (e.Kind == 1) AddEnemy(s, 0, e.X + 8, e.Y + 34, 0, 4, 10);
  if (e.Kind == 2) AddEnemy(s, 1, e.X + 8, e.Y + 64, 0, 3, 25);
}

// What a destroyed enemy pays and leaves behind: the score, its smaller parts, a power-up.
void Reward(MainForm& form, const Explosion& blast) {
  GameState& s = form.state;
  const std::int32_t cx = blast.cx, cy = blast.cy;
  switch (blast.kind) {
    case 0:
      AddUpTo32Bits(s.Score, 10);
      break;
    case 1:
      AddUpTo32Bits(s.Score, 50);
      AddEnemy(s, 0, cx - 32, cy, 0, 4, 10);
      AddEnemy(s, 0, cx + 16, cy, 0, 4, 10);
      break;
    case 2:
      AddUpTo32Bits(s.Score, 250);
      AddEnemy(s, 1, cx - 48, cy, 0, 4, 50);
      AddEnemy(s, 1, cx + 32, cy, 0, 4, 50);
      s.PowerUps.Add() = {.Kind = RandomPowerUpType(form.game), .X = cx, .Y = cy, .DY = 3};
      break;
    case 3: {
      AddUpTo32Bits(s.Score, 500);
      const std::int32_t dx = RndBelow(form, 5) - 2;
      const std::int32_t dy = RndBelow(form, 5) - 2;
      AddEnemy(s, 2, cx + 8, cy + 8, dx, dy, 50);
      s.PowerUps.Add() = {.Kind = s.WeaponLevel < 7 ? 3 : 2, .X = cx, .Y = cy + 64, .DY = 5};
      break;
    }
    default:
      break;
  }
}

// One enemy's whole turn. Returns the visit for the pass: removed or kept.
Visit EnemyTurn(MainForm& form, std::int32_t i, ShotGrid& shots, bool& statusChanged) {
  GameState& s = form.state;
  if (s.Enemies[i].BeamTime == 0) MoveEnemy(form, s.Enemies[i]);
  const LaserHit laser = LaserTest(form, i);
  std::optional<Explosion> explosion = laser.explosion;
  bool removed = explosion.has_value();
  if (!removed && !laser.touched) {
    explosion = ShotTests(form, i, shots);
    removed = explosion.has_value() || RamTest(form, i, statusChanged);
  }
  if (removed) {
    // Deliberate: a ram pays nothing and leaves no pieces; only a real explosion earns the
    // reward.
    if (explosion) {
      Reward(form, *explosion);
      statusChanged = true;
    }
    return Visit::Removed;
  }
  Projectile& e = s.Enemies[i];
  const bool heldFire = FireAndDraw(form, e);
  if (e.BeamTime != 0) BeamStep(form, e, statusChanged);
  // Launching appends to this list, so it comes last; the newcomer is moved and drawn later
  // in this same pass.
  if (heldFire) Launch(s, Projectile(e));
  return Visit::Next;
}

}  // namespace

void AddEnemy(GameState& state, std::int32_t kind, std::int32_t x, std::int32_t y, std::int32_t dx,
              std::int32_t dy, std::int32_t life) {
  state.Enemies.Add() = {.Kind = kind, .X = x, .Y = y, .DX = dx, .DY = dy, .Life = life};
}

void EraseEnemies(MainForm& form) {
  GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  for (std::int32_t i = 1; i <= s.Enemies.Count(); ++i) {
    const Projectile& e = s.Enemies[i];
    EraseFigure(form, e);
    // A beaming enemy has not moved, so last frame's beam is still below it.
    if (e.BeamTime != 0) canvas.Line(e.X + 24, e.Y + 48, e.X + 24, 480, host::kBlack);
  }
}

void MoveEnemies(MainForm& form, bool& statusChanged) {
  // No shot moves during this pass: shots only leave through a hit and join at the end of
  // the list when an enemy fires, which the grid follows.
  ShotGrid& shots = form.shotGrid;
  shots.Build(form.state.Shots);
  ForEachEntry(form.state.Enemies,
               [&](std::int32_t i) { return EnemyTurn(form, i, shots, statusChanged); });
}

}  // namespace game
