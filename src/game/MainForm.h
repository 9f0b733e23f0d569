#pragma once
#include <cstdint>
#include <memory>

#include "game/Game.h"
#include "game/Screen.h"
#include "game/ShotGrid.h"
#include "game/StatusBar.h"
#include "host/Host.h"
#include "platform/BCDirectInput.h"
#include "platform/BCResolution.h"
#include "platform/DirectXEvent.h"

namespace game {

// The game window: a borderless 640 x 480 field covering the screen, its status bar on
// top. Constructing it is loading it; Unload() runs the unload handler and closes it.
// The procedures that run while it is open (flow, frame, controls, commands, status bar,
// waves...) take it by reference, each in the file named for its topic.
class MainForm : public host::WindowEvents, public platform::DirectXEvent {
 private:
  std::unique_ptr<host::Window> window_;  // before `screen`, which draws on its canvas

 public:
  explicit MainForm(Game& game);
  ~MainForm() override;
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  Game& game;
  GameState& state;
  Screen screen;
  std::unique_ptr<platform::BCResolution> MyResolution;
  std::unique_ptr<platform::BCDirectInput> Joystick;
  // The enemy pass's index of the shots, kept between frames to reuse its storage.
  ShotGrid shotGrid;
  // What UpdateStatus last drew, so that it redraws only what changed.
  StatusShown statusShown;

  host::Host& Host() { return game.host; }
  host::Window& Window() { return *window_; }
  host::Timer& GameTimer() { return *gameTimer_; }
  bool Loaded() const { return loaded_; }
  // How many GameTimer ticks have run since the window loaded.
  std::uint64_t FramesRun() const { return framesRun_; }
  // The unload handler, then the window closes (a modal showing of it returns).
  void Unload();
  // Lets go of the display mode switcher; the display mode is restored.
  void ReleaseResolution() { MyResolution.reset(); }

  void OnPaint() override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyUp(int keyCode, int shift) override;
  void OnCloseRequest() override;
  // The joystick's change notifications come here and go back to the joystick service.
  void DirectXEvent_DXCallback(std::int32_t eventid) override;

 private:
  void JoystickLost();

  std::unique_ptr<host::Timer> gameTimer_;
  bool loaded_ = false;
  std::uint64_t framesRun_ = 0;
};

}  // namespace game
