// The command keys of the game window.
#include "game/MainForm.h"
#include "host/Keys.h"

namespace game {

void MainForm::OnKeyDown(int keyCode, int /*shift*/) {
  GameState& s = game_.state;
  switch (keyCode) {
    case host::vk::Function(2):
      GameOver(game_, true);
      StartGame();
      break;
    case host::vk::Function(3):
    case host::vk::Letter('P'):
      s.Paused = !s.Paused;
      if (s.Paused) {
        SuspendPlay(game_);
      } else {
        ResumePlay(game_);
      }
      break;
    case host::vk::LWin:
    case host::vk::RWin:
      if (!s.Paused) {
        s.Paused = true;
        SuspendPlay(game_);
      }
      break;
    case host::vk::Escape:
      Escape();
      break;
    default:
      break;
  }
}

void MainForm::OnKeyUp(int /*keyCode*/, int /*shift*/) {}

void MainForm::Escape() {
  GameState& s = game_.state;
  if (!s.GameRunning) {
    Unload();
    return;
  }
  SuspendPlay(game_);
  const host::MsgResult answer = game_.host.MessageBox(
      "Quit?", "Are you sure you wish to quit?", host::MsgIcon::Question, host::MsgButtons::OkCancel);
  if (answer == host::MsgResult::Ok) {
    GameOver(game_, true);
    Unload();
  } else if (!s.Paused) {
    ResumePlay(game_);
  }
}

}  // namespace game
