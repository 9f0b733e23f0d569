// One frame of the game, run on every tick of GameTimer: read the controls, count down,
// act on them, move everything, draw the beam and the ship, and end the game when the
// ship is gone.
#include "game/Frame.h"

#include <algorithm>
#include <cmath>

#include "game/Bomb.h"
#include "game/Flow.h"
#include "game/FrameSteps.h"
#include "game/MainForm.h"
#include "game/PlayField.h"
#include "game/PowerUps.h"
#include "game/Projectiles.h"
#include "game/StatusBar.h"
#include "game/Waves.h"

namespace game {
namespace {

// A stick pushed at least three quarters of the way out steers; +1 is left or up, as the
// arrow keys set it.
std::int16_t StickDirection(std::int32_t deflection) {
  return static_cast<std::int16_t>(std::clamp(deflection / -75, -1, 1));
}

void PollJoystick(MainForm& form) {
  std::array<bool, 13> buttons{};
  form.Joystick->GetButtonState(buttons);
  ReadJoystickButtons(form.state, buttons);
  form.state.MoveX = StickDirection(form.Joystick->JoystickX);
  form.state.MoveY = StickDirection(form.Joystick->JoystickY);
}

// From silence to full volume in 20 frames.
void FadeMusicIn(MainForm& form) {
  GameState& s = form.state;
  if (s.ReducedSound || s.MusicVolume >= 0) return;
  s.MusicVolume += 500;
  form.game.sound.SetVolume("SMusic", s.MusicVolume);
}

void CountDown(GameState& s) {
  for (std::int32_t* timer : {&s.ReloadTime, &s.BombDelay, &s.LaserTime, &s.WeaponSwitchDelay})
    if (*timer > 0) --*timer;
  // The largest enemies fire their volley whenever this passes 0: every 21 frames.
  if (--s.VolleyTimer < 0) s.VolleyTimer = 20;
}

// Every second frame of a recharge restores a point of energy, then of hull. While both are
// full the effect is held where it is instead of running down unused.
void Recharge(GameState& s, FrameChanges& changed) {
  if (s.RechargeTime > 1) {
    --s.RechargeTime;
    if (s.RechargeTime % 2 == 1) {
      if (s.Energy < 100) {
        ++s.Energy;
        changed.status = true;
      } else if (s.Hull < 100) {
        ++s.Hull;
        changed.status = true;
      } else {
        s.RechargeTime += 2;
      }
    }
  }
  if (s.RechargeTime == 1) {
    s.RechargeTime = 0;
    changed.status = true;  // the recharge icon changes back
  }
}

void EndLaser(MainForm& form) {
  GameState& s = form.state;
  if (s.LaserTime != 0 || s.LaserX == 0) return;
  form.screen.canvas.FillRect(s.LaserX - 1, 50, s.LaserX + 1, s.ShipY - 3, host::kBlack);
  s.LaserX = 0;
}

std::int32_t Floor(float value) {
  return static_cast<std::int32_t>(std::floor(value));
}

// Raising the shields is free; every further frame with them up costs a point of energy,
// and they drop when the energy is gone or the control is let go.
void ApplyShields(MainForm& form, FrameChanges& changed) {
  GameState& s = form.state;
  if (s.ShieldsHeld && s.Energy > 0) {
    if (s.ShieldsUp) {
      --s.Energy;
      changed.status = true;
    } else {
      s.ShieldsUp = true;
      changed.ship = true;
      PlayEffect(form, "SShieldsOn");
    }
  } else if (s.ShieldsUp) {
    s.ShieldsUp = false;
    if (s.ShieldsHeld) s.Energy = 0;
    changed.ship = true;
    PlayEffect(form, "SShieldsOff");
  }
}

// Eight pixels a frame on each axis, inside the lower part of the field; the laser holds
// the ship still.
void Steer(GameState& s, FrameChanges& changed) {
  if ((s.MoveX == 0 && s.MoveY == 0) || s.LaserTime != 0) return;
  s.ShipX = std::clamp(s.ShipX - 8 * s.MoveX, 0, 575);
  s.ShipY = std::clamp(s.ShipY - 8 * s.MoveY, 330, 415);
  changed.ship = true;
}

void FinishFrame(MainForm& form, const FrameChanges& changed, std::int32_t oldX,
                 std::int32_t oldY) {
  GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  // The status bar is drawn once, whatever in the frame changed it.
  bool statusChanged = changed.status;
  MoveProjectiles(form, statusChanged);
  if (s.LaserX != 0)
    canvas.FillRect(s.LaserX - 1, 50, s.LaserX + 1, s.ShipY - 3, host::Rgb(255, 0, 0));
  if (statusChanged) UpdateStatus(form);
  if (changed.ship) {
    DrawShipMoved(form, oldX, oldY);
  } else {
    DrawShip(form);
  }
  // A Rookie may collect the power-ups still falling before the next group comes.
  if (s.Enemies.Count() == 0 && (!s.RookieMode || s.PowerUps.Count() == 0)) SetUpWave(form);
  form.GameTimer().SetEnabled(true);
}

void DestroyShip(MainForm& form) {
  GameState& s = form.state;
  PlayEffect(form, "SWarning");
  form.Host().Sleep(1000);
  form.GameTimer().SetEnabled(false);
  s.BombX = s.ShipX + 24;
  s.BombY = s.ShipY + 24;
  form.game.sound.PlaySound("SExplode");  // Deliberate: even with reduced sound
  DetonateBomb(form);
  GameOver(form, false);
}

}  // namespace

void PlayEffect(MainForm& form, const std::string& cue) {
  if (!form.state.ReducedSound) form.game.sound.PlaySound(cue);
}

void DropPowerUpFromSky(Game& game) {
  GameState& s = game.state;
  if (!(game.random.Next() < 0.007 && s.Enemies.Count() > 0)) return;
  Projectile p;
  p.Kind = RandomPowerUpType(game);
  p.X = Floor(game.random.Next() * 620.0f);
  p.Y = 50;
  p.DX = Floor(game.random.Next() * 3.0f) - 1;
  p.DY = 3;
  s.PowerUps.Add() = p;
}

// The chance per frame grows by a tenth of a percentage point with every wave.
void SendReinforcements(Game& game) {
  GameState& s = game.state;
  const float r = game.random.Next();
  if (!(s.Wave >= 6 && !s.RookieMode && (s.Wave - 5) * 0.001 > r)) return;
  for (std::int32_t i = 1; i <= 10; ++i) {
    Projectile& enemy = s.Enemies.Add();
    enemy.X = 58 * i - 8;
    enemy.Y = 150;
    enemy.DY = 4;
    enemy.Life = 10;
  }
}

void ReadJoystickButtons(GameState& s, const std::array<bool, 13>& buttons) {
  // Deliberate: a button number outside 1 to 12 (a hand-edited setting) is never pressed.
  auto pressed = [&buttons](std::int32_t button) {
    return button >= 1 && button <= 12 && buttons[static_cast<std::size_t>(button)];
  };
  s.FireHeld = pressed(s.FireButton);
  s.ShieldsHeld = pressed(s.ShieldsButton);
  s.BombHeld = pressed(s.BombButton);
  s.NextWeaponHeld = pressed(s.NextWeaponButton);
}

void RunFrame(MainForm& form) {
  GameState& s = form.state;
  FrameChanges changed;
  if (!s.KeyboardMode) PollJoystick(form);
  FadeMusicIn(form);
  CountDown(s);
  Recharge(s, changed);
  // Deliberate: the laser ends before the ship steers and fires, so in that same frame the
  // ship moves again and may fire the next beam.
  EndLaser(form);
  DropPowerUpFromSky(form.game);
  SendReinforcements(form.game);
  const std::int32_t oldX = s.ShipX, oldY = s.ShipY;
  ApplyShields(form, changed);
  Steer(s, changed);
  SwitchWeapon(form);
  Fire(form, changed);
  ControlBomb(form, changed);
  if (s.Hull > 0) {
    FinishFrame(form, changed, oldX, oldY);
  } else {
    DestroyShip(form);
  }
}

}  // namespace game
