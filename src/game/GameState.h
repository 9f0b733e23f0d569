#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "game/Projectile.h"

namespace game {

// Every variable of the game, under its own name: the shared module variables and the
// game window's members. One instance per running program; nothing is global.
struct GameState {
  // Mode flags.
  bool RookieMode = false;
  bool ReducedSound = false;
  bool Paused = false;
  bool GameRunning = false;
  bool Cheated = false;

  // Ship, score and progress.
  std::int32_t ShipX = 0;
  std::int32_t ShipY = 0;
  std::int32_t Hull = 0;
  std::int32_t Energy = 0;
  bool ShieldsUp = false;
  std::int32_t Score = 0;
  std::int32_t LastScore = 0;
  std::int32_t Wave = 0;
  std::int32_t WaveStage = 0;
  std::int32_t Bombs = 0;
  bool BombActive = false;
  std::int32_t BombX = 0;
  std::int32_t BombY = 0;
  std::int32_t BombDelay = 0;
  std::int32_t RechargeTime = 0;
  std::int32_t VolleyTimer = 0;

  // Weapon.
  std::int32_t Weapon = 0;
  std::int32_t WeaponLevel = 0;
  std::int32_t WeaponReload = 0;
  std::int32_t ShotSpeed = 0;
  std::int32_t ReloadTime = 0;
  std::int32_t LaserTime = 0;
  std::int32_t LaserX = 0;

  // The moving objects.
  ProjectileList Shots;
  ProjectileList Debris;
  ProjectileList Enemies;
  ProjectileList PowerUps;

  // Hall of fame (position 1 the best) and the joystick button assignments.
  std::array<std::int32_t, 10> HighScores{};
  std::array<std::string, 10> HighScoreNames{"   ", "   ", "   ", "   ", "   ",
                                             "   ", "   ", "   ", "   ", "   "};
  std::int32_t FireButton = 0;
  std::int32_t ShieldsButton = 0;
  std::int32_t BombButton = 0;
  std::int32_t NextWeaponButton = 0;
  std::string Initials = "   ";

  // Members of the game window.
  std::int16_t MoveX = 0;
  std::int16_t MoveY = 0;
  bool FireHeld = false;
  bool BombHeld = false;
  bool ShieldsHeld = false;
  bool NextWeaponHeld = false;
  std::int32_t WeaponSwitchDelay = 0;
  std::int32_t MusicVolume = 0;
  bool ScreenSaverWasActive = false;
  bool KeyboardMode = false;
};

// Initials are always exactly three characters: longer texts are cut, shorter ones padded
// with blanks. Characters, not bytes: a text is never cut inside a character.
std::string FitInitials(const std::string& text);

// Loads the weapon's reload time and shot speed; `weapon` must be 0..7.
void SetWeapon(GameState& state, std::int32_t weapon);

}  // namespace game
