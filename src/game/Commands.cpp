// The command keys of the game window.
#include "game/Commands.h"

#include "game/Flow.h"
#include "game/MainForm.h"
#include "host/Keys.h"

namespace game {

void CommandKeyDown(MainForm& form, int keyCode, int /*shift*/) {
  GameState& s = form.state;
  switch (keyCode) {
    case host::vk::Function(2):
      GameOver(form, true);
      StartGame(form);
      break;
    case host::vk::Function(3):
    case host::vk::Letter('P'):
      s.Paused = !s.Paused;
      if (s.Paused) {
        SuspendPlay(form);
      } else {
        ResumePlay(form);
      }
      break;
    case host::vk::LWin:
    case host::vk::RWin:
      if (!s.Paused) {
        s.Paused = true;
        SuspendPlay(form);
      }
      break;
    case host::vk::Escape:
      Escape(form);
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

}  // namespace game
