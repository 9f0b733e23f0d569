// Starting, pausing and ending games on the open game window.
#include "game/Flow.h"

#include "game/HallOfFame.h"
#include "game/MainForm.h"
#include "game/PlayField.h"
#include "game/StatusBar.h"
#include "game/Waves.h"

namespace game {

void NewGame(MainForm& form) {
  GameState& s = form.state;
  s.Cheated = false;
  s.Score = 0;
  s.Bombs = 1;
  s.LaserTime = 0;
  s.LaserX = 0;
  s.BombActive = false;
  s.WeaponLevel = 0;
  s.RechargeTime = 0;
  s.Shots.Clear();
  s.Enemies.Clear();
  s.PowerUps.Clear();
  s.Hull = 100;
  s.Energy = 100;
  s.ShipX = 287;
  s.ShipY = 50;
  SetWeapon(s, 0);
  s.Wave = 0;
  SetUpWave(form);
}

void StartGame(MainForm& form) {
  GameState& s = form.state;
  if (!s.ReducedSound) form.game.sound.PlaySound("SBeep");
  NewGame(form);
  s.GameRunning = true;
  s.Paused = false;
  RedrawScreen(form);
  ResumePlay(form);
}

void SuspendPlay(MainForm& form) {
  form.GameTimer().SetEnabled(false);
  UpdateStatus(form);
}

void ResumePlay(MainForm& form) {
  if (!form.state.GameRunning) return;
  UpdateStatus(form);
  form.GameTimer().SetEnabled(true);
}

void GameOver(MainForm& form, bool quiet) {
  GameState& s = form.state;
  SuspendPlay(form);
  s.GameRunning = false;
  if (!quiet) {
    form.screen.DarkenPlayField();
    form.screen.PrintLines(50, 100, {"Game over.", "The forces of evil have destroyed you."});
  }
  if (s.Score > s.HighScores[9]) {
    InsertHighScore(form.game);
  } else if (!quiet) {
    form.Host().Sleep(3000);
  }
  s.LastScore = s.Score;
  s.Score = 0;
  if (!quiet) {
    UpdateStatus(form);
    DrawHighScores(form);
  }
}

}  // namespace game
