#pragma once
#include <memory>
#include <string>

#include "game/Game.h"
#include "game/MainForm.h"
#include "host/Host.h"
#include "shell/MenuForm.h"
#include "shell/PopupForm.h"

namespace shell {

// The program's outer control flow: start-up, opening the game window from the menu,
// asking for initials, and the end of the program. One instance per run.
class Program : public game::ShellLink {
 public:
  // The registry key that holds everything the program keeps.
  static constexpr const char* kRegistryKey = "HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora";

  explicit Program(host::Host& host);
  ~Program() override;

  // Start-up: greeting, the CD question, settings, then the main menu is shown.
  void Main();
  // Opens the game window modally and closes it again.
  void PlayGame();
  // Saves the settings, releases everything and ends the program (throws host::ProgramExit).
  [[noreturn]] void QuitProgram();
  std::string GetInitials() override;

  host::Host& Host() { return host_; }
  game::Game& Game() { return game_; }
  MenuForm& Menu();
  PopupForm& Popup() { return popup_; }
  // The game window while it is loaded, else null.
  game::MainForm* GameWindow() { return mainForm_.get(); }

 private:
  void Greet();
  void AskAboutCd();

  host::Host& host_;
  game::Game game_;
  std::unique_ptr<MenuForm> menu_;
  PopupForm popup_;
  std::unique_ptr<game::MainForm> mainForm_;
};

}  // namespace shell
