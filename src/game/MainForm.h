#pragma once
#include <initializer_list>
#include <memory>
#include <string>

#include "game/Game.h"
#include "host/Font.h"
#include "host/Host.h"
#include "platform/BCDirectInput.h"
#include "platform/BCResolution.h"

namespace game {

// The game window: a borderless 640 x 480 field covering the screen, its status bar on
// top. Constructing it is loading it; Unload() runs the unload handler and closes it.
class MainForm : public host::WindowEvents {
 public:
  static constexpr host::Color kTextColor = host::Rgb(224, 224, 255);

  explicit MainForm(Game& game);
  ~MainForm() override;

  host::Window& Window() { return *window_; }
  host::Timer& GameTimer() { return *gameTimer_; }
  bool Loaded() const { return loaded_; }
  // The unload handler, then the window closes (a modal showing of it returns).
  void Unload();
  // Lets go of the display mode switcher; the display mode is restored.
  void ReleaseResolution() { MyResolution.reset(); }

  void StartGame();
  void RedrawScreen();
  void UpdateStatus();
  void DrawHighScores();

  // Drawing helpers the game procedures share.
  void DarkenPlayField();
  void ClearPlayField();
  void DrawShip();
  void GlideShipHome();
  // Prints lines at x from y on, one text line apart, in the window's font and colour.
  void PrintLines(int x, int y, std::initializer_list<std::string> lines);

  void OnPaint() override { RedrawScreen(); }
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyUp(int keyCode, int shift) override;
  void OnCloseRequest() override;

  std::unique_ptr<platform::BCResolution> MyResolution;
  std::unique_ptr<platform::BCDirectInput> Joystick;

 private:
  void Escape();
  const host::Font& WindowFont() const;

  Game& game_;
  std::unique_ptr<host::Window> window_;
  std::unique_ptr<host::Timer> gameTimer_;
  host::Surface StatusWork;
  bool loaded_ = false;
};

}  // namespace game
