#include "game/MainForm.h"

#include <array>

#include "game/Commands.h"
#include "game/Controls.h"
#include "game/Frame.h"
#include "game/PlayField.h"
#include "game/ScreenSaver.h"

namespace game {
namespace {

std::unique_ptr<host::Window> CreateGameWindow(host::Host& host, host::WindowEvents& events) {
  host::WindowSpec spec;
  spec.name = "MainForm";
  spec.caption = "Skirmora";
  spec.width = 640;
  spec.height = 480;
  spec.placement = host::WindowPlacement::FullScreen;
  spec.withIcon = true;
  std::unique_ptr<host::Window> window = host.CreateWindow(spec, events);
  window->SetCursor(host::Cursor::Invisible);
  return window;
}

}  // namespace

MainForm::MainForm(Game& g)
    : window_(CreateGameWindow(g.host, *this)), game(g), state(g.state), screen(window_->Canvas()) {
  gameTimer_ = game.host.CreateTimer(50, [this] { RunFrame(*this); });
  gameTimer_->SetEnabled(false);

  GameState& s = state;
  s.ScreenSaverWasActive = GetScreenSaverActive(game.host) != 0;
  SetScreenSaverActive(game.host, 0);
  MyResolution = std::make_unique<platform::BCResolution>();
  MyResolution->SetScreenResolution(640, 480, 16);
  window_->SetTopmost(true);
  Joystick = std::make_unique<platform::BCDirectInput>();
  Joystick->SelectJoystick(1);
  std::array<bool, 13> scratch{};
  s.KeyboardMode = !Joystick->GetButtonState(scratch);
  s.MusicVolume = -10000;
  loaded_ = true;
}

MainForm::~MainForm() = default;

void MainForm::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  GameState& s = state;
  gameTimer_->SetEnabled(false);
  if (s.ScreenSaverWasActive) SetScreenSaverActive(game.host, -1);
  MyResolution.reset();
  if (!s.ReducedSound && game.sound.IsLoaded("SMusic")) {
    while (s.MusicVolume > -10000) {
      s.MusicVolume -= 500;
      game.sound.SetVolume("SMusic", s.MusicVolume);
      game.host.Sleep(100);
    }
    game.sound.StopSound("SMusic");
  }
  Joystick.reset();
  window_->Hide();
}

void MainForm::OnPaint() {
  RedrawScreen(*this);
}

void MainForm::OnKeyDown(int keyCode, int shift) {
  if (state.KeyboardMode) HeldControlKeyDown(*this, keyCode, shift);
  CommandKeyDown(*this, keyCode, shift);
}

void MainForm::OnKeyUp(int keyCode, int shift) {
  if (state.KeyboardMode) HeldControlKeyUp(*this, keyCode, shift);
}

void MainForm::OnCloseRequest() {
  // Closing the game window from the desktop means the same as Esc.
  Escape(*this);
}

}  // namespace game
