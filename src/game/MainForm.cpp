#include "game/MainForm.h"

#include <array>
#include <cstdlib>

#include "assets/Assets.h"
#include "game/ScreenSaver.h"

namespace game {

MainForm::MainForm(Game& game) : game_(game) {
  host::WindowSpec spec;
  spec.name = "MainForm";
  spec.caption = "Skirmora";
  spec.width = 640;
  spec.height = 480;
  spec.placement = host::WindowPlacement::FullScreen;
  spec.withIcon = true;
  window_ = game.host.CreateWindow(spec, *this);
  window_->SetCursor(host::Cursor::Invisible);
  // The frame loop of a later stage runs on these ticks.
  gameTimer_ = game.host.CreateTimer(50, [] {});
  game.mainForm = this;

  GameState& s = game.state;
  s.ScreenSaverWasActive = GetScreenSaverActive(game.host) != 0;
  SetScreenSaverActive(game.host, 0);
  MyResolution = std::make_unique<platform::BCResolution>();
  MyResolution->SetScreenResolution(640, 480, 16);
  StatusWork.Resize(640, 50);
  window_->SetTopmost(true);
  Joystick = std::make_unique<platform::BCDirectInput>();
  Joystick->SelectJoystick(1);
  std::array<bool, 13> scratch{};
  s.KeyboardMode = !Joystick->GetButtonState(scratch);
  s.MusicVolume = -10000;
  loaded_ = true;
}

MainForm::~MainForm() {
  if (game_.mainForm == this) game_.mainForm = nullptr;
}

void MainForm::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  GameState& s = game_.state;
  gameTimer_->SetEnabled(false);
  if (s.ScreenSaverWasActive) SetScreenSaverActive(game_.host, -1);
  MyResolution.reset();
  if (!s.ReducedSound && game_.sound.IsLoaded("SMusic")) {
    while (s.MusicVolume > -10000) {
      s.MusicVolume -= 500;
      game_.sound.SetVolume("SMusic", s.MusicVolume);
      game_.host.Sleep(100);
    }
    game_.sound.StopSound("SMusic");
  }
  Joystick.reset();
  window_->Hide();
}

const host::Font& MainForm::WindowFont() const {
  return host::Font::Get({"Arial", 12, true, true, false});
}

void MainForm::StartGame() {
  GameState& s = game_.state;
  if (!s.ReducedSound) game_.sound.PlaySound("SBeep");
  NewGame(game_);
  s.GameRunning = true;
  s.Paused = false;
  RedrawScreen();
  ResumePlay(game_);
}

void MainForm::RedrawScreen() {
  UpdateStatus();
  if (game_.state.GameRunning) {
    DrawShip();
  } else {
    DrawHighScores();
  }
}

void MainForm::DarkenPlayField() {
  window_->Canvas().FillRect(0, 50, 639, 479, host::Rgb(57, 57, 57), host::PenMode::Mask);
}

void MainForm::ClearPlayField() { window_->Canvas().FillRect(0, 50, 639, 479, host::kBlack); }

void MainForm::DrawShip() {
  const GameState& s = game_.state;
  const int cell = 2 - 2 * s.MoveX + (s.ShieldsUp ? 1 : 0);
  window_->Canvas().Blit(s.ShipX, s.ShipY, 65, 65, assets::Picture("ShipsPic"), 65 * cell, 0);
}

void MainForm::GlideShipHome() {
  GameState& s = game_.state;
  host::Surface& canvas = window_->Canvas();
  const host::Surface& ships = assets::Picture("ShipsPic");
  while (!(std::abs(s.ShipX - 287) < 2 && std::abs(s.ShipY - 415) < 4)) {
    canvas.FillRect(s.ShipX, s.ShipY, s.ShipX + 64, s.ShipY + 64, host::kBlack);
    s.ShipX = (s.ShipX + 287) / 2;
    s.ShipY = (2 * s.ShipY) / 3 + 138;
    canvas.Blit(s.ShipX, s.ShipY, 65, 65, ships, 130, 0);
    game_.host.Sleep(30);
  }
  canvas.FillRect(s.ShipX, s.ShipY, s.ShipX + 64, s.ShipY + 64, host::kBlack);
  s.ShipX = 287;
  s.ShipY = 415;
  canvas.Blit(s.ShipX, s.ShipY, 65, 65, ships, 130, 0);
}

void MainForm::PrintLines(int x, int y, std::initializer_list<std::string> lines) {
  const host::Font& font = WindowFont();
  for (const std::string& line : lines) {
    window_->Canvas().DrawText(x, y, line, font, kTextColor);
    y += font.Height();
  }
}

void MainForm::OnCloseRequest() {
  // Closing the game window from the desktop means the same as Esc.
  Escape();
}

}  // namespace game
