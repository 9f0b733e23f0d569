// The command keys of the game window, and what the loss of the keyboard focus does.
#include "game/Commands.h"

#include "game/Cheat.h"
#include "game/Flow.h"
#include "game/MainForm.h"
#include "game/StatusBar.h"
#include "game/Waves.h"
#include "host/Keys.h"

namespace game {
namespace {

void Pause(MainForm& form) {
  if (form.state.Paused) return;
  form.state.Paused = true;
  SuspendPlay(form);
}

void TogglePause(MainForm& form) {
  GameState& s = form.state;
  s.Paused = !s.Paused;
  if (s.Paused) {
    SuspendPlay(form);
  } else {
    ResumePlay(form);
  }
}

// The help lines stay in the bar until the next time it is redrawn.
void ShowHelp(MainForm& form) {
  GameState& s = form.state;
  s.GameRunning = false;
  UpdateStatus(form);
  s.GameRunning = true;
}

// Reduced sound on stops the music; off starts it again from silence, and the frames of a
// running game fade it in.
void ToggleReducedSound(MainForm& form) {
  GameState& s = form.state;
  SoundCues& sound = form.game.sound;
  s.ReducedSound = !s.ReducedSound;
  s.MusicVolume = -10000;
  sound.SetVolume("SMusic", -10000);
  if (s.ReducedSound) {
    sound.StopSound("SMusic");
  } else {
    sound.PlayLooping("SMusic");
  }
}

}  // namespace

void CommandKeyDown(MainForm& form, int keyCode, int shift) {
  GameState& s = form.state;
  switch (keyCode) {
    case host::vk::Function(1):
      if (s.GameRunning) ShowHelp(form);
      break;
    case host::vk::Function(2):
      // Deliberate: even on the idle screen the game is ended first, which sets the last
      // score to 0.
      GameOver(form, true);
      StartGame(form);
      break;
    case host::vk::Function(3):
    case host::vk::Letter('P'):
      TogglePause(form);
      break;
    case host::vk::LWin:
    case host::vk::RWin:
      Pause(form);
      break;
    case host::vk::Escape:
      Escape(form);
      break;
    case host::vk::Letter('S'):
      ToggleReducedSound(form);
      break;
    case host::vk::Letter('A'):
      // After a cheat, A skips to the next enemy group.
      if (s.Cheated && s.GameRunning) SetUpWave(form);
      break;
    case host::vk::Function(11):
      if (s.GameRunning && !s.RookieMode &&
          (shift & (host::kShiftMask | host::kCtrlMask | host::kAltMask)) != 0)
        Cheat(form);
      break;
    default:
      break;
  }
}

void Escape(MainForm& form) {
  GameState& s = form.state;
  if (!s.GameRunning) {
    form.Unload();
    return;
  }
  SuspendPlay(form);
  const host::MsgResult answer =
      form.Host().MessageBox("Quit?", "Are you sure you wish to quit?", host::MsgIcon::Question,
                             host::MsgButtons::OkCancel);
  if (answer == host::MsgResult::Ok) {
    GameOver(form, true);
    form.Unload();
  } else if (!s.Paused) {
    ResumePlay(form);
  }
}

void PauseRunningGame(MainForm& form) {
  if (form.state.GameRunning) Pause(form);
}

void FocusChanged(MainForm& form, bool programHasFocus) {
  // Deliberate: the desktop usually keeps the Windows keys for itself; leaving the game for
  // another program pauses it as they would, and coming back does not resume it. The sound
  // is silent meanwhile.
  if (!programHasFocus) PauseRunningGame(form);
  form.game.sound.SetMuted(!programHasFocus);
}

}  // namespace game
