// The bomb: its flight, and the blast of the growing red ring.
#include "game/Bomb.h"

#include <array>

#include "game/Combat.h"
#include "game/Flow.h"
#include "game/Shots.h"
#include "game/StatusBar.h"

namespace game {
namespace {

constexpr int kRingSteps = 120;
// Deliberate: each ring step is due this long after the one before, so a blast lasts about
// half a second on every machine, however fast (or slowly) its screen is presented.
constexpr int kRingStepMs = 4;

// What an enemy destroyed by the blast pays: its own score and that of everything it
// would have split into, since the blast leaves no pieces.
constexpr std::array<std::int32_t, 4> kBombValue = {10, 70, 390, 890};

// The ring of one step of the blast: its centre and radius.
struct Ring {
  std::int32_t bx, by, r;
};

// Whether a corner of the box from (x, y) to (x + size, y + size) lies within the ring.
// Deliberate: only the corners count, so a box the ring cuts through between its corners is
// not caught at that radius.
bool CornerWithin(const Ring& ring, std::int32_t x, std::int32_t y, std::int32_t size) {
  const std::int64_t dx = ring.bx - x, dy = ring.by - y;
  const std::int64_t rr = static_cast<std::int64_t>(ring.r) * ring.r;
  for (const std::int64_t cx : {dx, dx - size})
    for (const std::int64_t cy : {dy, dy - size})
      if (cx * cx + cy * cy <= rr) return true;
  return false;
}

void CatchShots(MainForm& form, const Ring& ring) {
  GameState& s = form.state;
  const auto caught = [&](const Projectile& shot) {
    return CornerWithin(ring, shot.X, shot.Y, HitExtent(shot.Kind));
  };
  ForEachEntry(s.Shots, caught, [&](std::int32_t i) {
    const Projectile& shot = s.Shots[i];
    const std::int32_t size = HitExtent(shot.Kind);
    form.screen.canvas.FillRect(shot.X, shot.Y, shot.X + size, shot.Y + size, host::kBlack);
    s.Shots.Remove(i);
    return Visit::Removed;
  });
}

void CatchPowerUps(MainForm& form, const Ring& ring) {
  GameState& s = form.state;
  const auto caught = [&](const Projectile& p) { return CornerWithin(ring, p.X, p.Y, 19); };
  ForEachEntry(s.PowerUps, caught, [&](std::int32_t i) {
    const Projectile& p = s.PowerUps[i];
    form.screen.canvas.FillRect(p.X, p.Y, p.X + 19, p.Y + 19, host::kBlack);
    s.PowerUps.Remove(i);
    return Visit::Removed;
  });
}

// Every enemy the ring reaches loses 50 life: it dies without pieces, or it jumps to a
// random column, where a later radius may catch it again. A beaming enemy is spared.
void CatchEnemies(MainForm& form, const Ring& ring) {
  GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  const auto caught = [&](const Projectile& e) {
    return e.BeamTime == 0 && CornerWithin(ring, e.X, e.Y, Side(e.Kind));
  };
  ForEachEntry(s.Enemies, caught, [&](std::int32_t i) {
    Projectile& e = s.Enemies[i];
    const std::int32_t w = Side(e.Kind);
    canvas.FillRect(e.X, e.Y, e.X + w, e.Y + w, host::kBlack);
    e.Life -= 50;
    if (e.Life < 1) {
      AddUpTo32Bits(s.Score, kBombValue.at(static_cast<std::size_t>(e.Kind)));
      s.Enemies.Remove(i);
      return Visit::Removed;
    }
    e.X = RndBelow(form, 590);
    canvas.Blit(e.X, e.Y, w, w, form.screen.EnemiesPic, EnemyCell(e.Kind), 0);
    return Visit::Next;
  });
}

}  // namespace

void MoveBomb(MainForm& form, bool& statusChanged) {
  GameState& s = form.state;
  if (!s.BombActive) return;
  form.screen.canvas.FillRect(s.BombX, s.BombY, s.BombX + 15, s.BombY + 15, host::kBlack);
  s.BombY -= 9;
  if (s.BombY < 50) {
    // It reached the top without going off: back into stock.
    s.BombActive = false;
    AddUpTo32Bits(s.Bombs, 1);
    statusChanged = true;
  } else if (s.BombY >= 170 || !s.RookieMode) {
    form.screen.canvas.Blit(s.BombX, s.BombY, 16, 16, form.screen.WeaponsPic, 64, 0);
  } else {
    Cue(form, "SBombUsed");
    DetonateBomb(form);
    s.BombDelay = 5;
  }
}

void DetonateBomb(MainForm& form) {
  GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  host::Host& host = form.Host();
  SuspendPlay(form);
  canvas.FillRect(s.BombX, s.BombY, s.BombX + 15, s.BombY + 15, host::kBlack);
  const std::int32_t bx = s.BombX + 8, by = s.BombY + 8;
  s.BombActive = false;
  const std::int64_t start = host.NowMs();
  std::int32_t unerased = 1;  // the smallest ring still red on the canvas
  for (std::int32_t r = 1; r <= kRingSteps; ++r) {
    canvas.Circle(bx, by, r, host::Rgb(255, 0, 0));
    const Ring ring{bx, by, r};
    CatchShots(form, ring);
    CatchPowerUps(form, ring);
    CatchEnemies(form, ring);
    // Every red ring is on screen before it is erased. When presenting has fallen behind
    // the schedule, the next rings join this one and are shown together with it.
    const std::int64_t due = start + static_cast<std::int64_t>(r) * kRingStepMs;
    if (host.NowMs() >= due && r < kRingSteps) continue;
    host.Present();
    const std::int64_t early = due - host.NowMs();
    if (early > 0) host.Sleep(static_cast<int>(early));
    for (; unerased <= r; ++unerased) canvas.Circle(bx, by, unerased, host::kBlack);
  }
  TrimLists(s);
  UpdateStatus(form);
  ResumePlay(form);
}

}  // namespace game
