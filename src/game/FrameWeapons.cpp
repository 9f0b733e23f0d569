// The weapon steps of a frame: switching weapons, firing, and launching or detonating the
// bomb.
#include <algorithm>

#include "game/Bomb.h"
#include "game/FrameSteps.h"
#include "game/MainForm.h"

namespace game {
namespace {

constexpr std::int32_t kTrue = -1;  // the program's booleans have every bit set

// The laser costs 10 energy and, when that is short, 5 hull instead.
// Deliberate: it never destroys the ship, and never brings back one whose hull is already
// gone.
void FireLaser(GameState& s, FrameChanges& changed) {
  s.LaserTime = 25;
  s.LaserX = s.ShipX + 31;
  if (!s.RookieMode) {
    s.Energy -= 10;
    if (s.Energy < 0) {
      s.Energy = 0;
      if (s.Hull > 1) s.Hull = std::max(1, s.Hull - 5);
    }
  }
  changed.status = true;
}

}  // namespace

// Held down, the control steps to the next weapon owned every second frame.
void SwitchWeapon(MainForm& form) {
  GameState& s = form.state;
  if (s.LaserTime != 0 || s.WeaponSwitchDelay != 0 || !s.NextWeaponHeld || s.WeaponLevel == 0)
    return;
  s.WeaponSwitchDelay = 2;
  PlayEffect(form, "SBeep");
  SetWeapon(s, (s.Weapon + 1) % (s.WeaponLevel + 1));
}

void Fire(MainForm& form, FrameChanges& changed) {
  GameState& s = form.state;
  if (!s.FireHeld || s.ReloadTime != 0 || s.LaserTime != 0 || s.LaserX != 0) return;
  // Shots leave from just above the ship's nose and climb at the weapon's speed.
  auto shot = [&s](std::int32_t kind, std::int32_t x, std::int32_t dx = 0) {
    Projectile& p = s.Shots.Add();
    p.Kind = kind;
    p.Friendly = kTrue;
    p.X = x;
    p.Y = s.ShipY - 16;
    p.DX = dx;
    p.DY = -s.ShotSpeed;
  };
  const std::int32_t x = s.ShipX;
  switch (s.Weapon) {
    case 0:
      PlayEffect(form, "SBlaster");
      shot(0, x + 30);  // the small blaster shot is 4 pixels wide, the others 16
      break;
    case 1:
      PlayEffect(form, "SPlasma");
      shot(1, x + 24);
      break;
    case 2:
      PlayEffect(form, "SBlaster");
      shot(2, x + 24);
      break;
    case 3:
      PlayEffect(form, "SBlaster");
      shot(0, x + 25, -1);
      shot(0, x + 30);
      shot(0, x + 35, 1);
      break;
    case 4:
      PlayEffect(form, "SPulse");
      shot(4, x + 24);
      break;
    case 5:
      PlayEffect(form, "SPhoton");
      shot(5, x + 24);
      break;
    case 6:
      PlayEffect(form, "SLaser");
      FireLaser(s, changed);
      break;
    case 7:
      PlayEffect(form, "SPhoton");
      shot(5, x);
      shot(5, x + 49);
      shot(4, x + 24);
      break;
    default:
      return;
  }
  s.ReloadTime = s.WeaponReload;
}

// The bomb control launches a bomb, and detonates the flying one once it is far enough
// above the ship.
// Deliberate: held too early it sounds the warning every frame, with reduced sound too.
void ControlBomb(MainForm& form, FrameChanges& changed) {
  GameState& s = form.state;
  if (s.BombActive && s.BombHeld) {
    if (s.ShipY - s.BombY > 136) {
      PlayEffect(form, "SBombUsed");
      DetonateBomb(form);
      s.BombDelay = 5;
    } else if (s.BombDelay == 0) {
      form.game.sound.PlaySound("SWarning");
    }
  } else if (s.LaserTime == 0 && s.BombDelay == 0 && s.BombHeld && s.Bombs != 0) {
    PlayEffect(form, "SBombFound");
    s.BombX = s.ShipX + 24;
    s.BombY = s.ShipY - 24;
    s.BombActive = true;
    --s.Bombs;
    changed.status = true;
    s.BombDelay = 5;
  }
}

}  // namespace game
