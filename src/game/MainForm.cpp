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
  gameTimer_ = game.host.CreateTimer(50, [this] {
    ++framesRun_;
    RunFrame(*this);
  });
  gameTimer_->SetEnabled(false);

  GameState& s = state;
  s.ScreenSaverWasActive = GetScreenSaverActive(game.host) != 0;
  SetScreenSaverActive(game.host, 0);
  MyResolution = std::make_unique<platform::BCResolution>(game.host.Display());
  MyResolution->SetScreenResolution(640, 480, 16);
  window_->SetTopmost(true);
  Joystick = std::make_unique<platform::BCDirectInput>(game.host.Joysticks(), *this);
  Joystick->DeviceLost = [this] { JoystickLost(); };
  Joystick->DeviceRegained = [this] { state.KeyboardMode = false; };
  // Deliberate: the joystick, or the keyboard, is chosen once, here: the first joystick the
  // system lists, whatever its buttons.
  Joystick->SelectJoystick(1);
  std::array<bool, 13> scratch{};
  s.KeyboardMode = !Joystick->GetButtonState(scratch);
  s.MusicVolume = -10000;
  game.host.SetFocusHandler([this](bool programHasFocus) { FocusChanged(*this, programHasFocus); });
  loaded_ = true;
}

MainForm::~MainForm() {
  if (loaded_) game.host.SetFocusHandler(nullptr);
}

void MainForm::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  GameState& s = state;
  game.host.SetFocusHandler(nullptr);
  gameTimer_->SetEnabled(false);
  if (s.ScreenSaverWasActive) SetScreenSaverActive(game.host, -1);
  MyResolution.reset();
  // The fade takes its time whether or not there is an audio device to hear it on.
  if (!s.ReducedSound) {
    while (s.MusicVolume > -10000) {
      s.MusicVolume -= 500;
      game.sound.SetVolume("SMusic", s.MusicVolume);
      game.host.Sleep(100);
    }
    game.sound.StopSound("SMusic");
  }
  game.sound.SetMuted(false);
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

void MainForm::DirectXEvent_DXCallback(std::int32_t eventid) {
  if (!Joystick) Joystick = std::make_unique<platform::BCDirectInput>(game.host.Joysticks(), *this);
  Joystick->DirectXEvent_DXCallback(eventid);
}

void MainForm::JoystickLost() {
  // Deliberate: the player has lost the controls: stop the game for them, as when they turn
  // to another program, and let the keyboard fly the ship until a joystick is back.
  ReleaseHeldControls(state);
  state.KeyboardMode = true;
  PauseRunningGame(*this);
}

void MainForm::OnCloseRequest() {
  // Deliberate: closing the game window from the desktop means the same as Esc.
  Escape(*this);
}

}  // namespace game
