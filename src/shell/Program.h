#pragma once
#include <cstddef>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "game/Game.h"
#include "game/MainForm.h"
#include "host/Host.h"
#include "shell/MenuForm.h"
#include "shell/PopupForm.h"
#include "shell/Settings.h"

namespace shell {

// The program's outer control flow: start-up, opening the game window from the menu,
// asking for initials, and the end of the program. One instance per run.
class InitialsForm;

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
  // Every request to end the program comes here: the Exit items, closing the main window, and
  // the system's requests (signals, the session ending), whatever window is open meanwhile.
  [[noreturn]] void QuitProgram();
  // After `fault` (null: something that is no std::exception) was thrown out of the program's
  // event loop: says so in one line on standard error and ends as a quit request would, where
  // that is still possible (a fault during the quit itself saves nothing more; the stored file
  // is written whole or not at all). Returns the exit status, 1.
  int EndAfterFault(const std::exception* fault) noexcept;
  std::string GetInitials(std::size_t entry) override;

  host::Host& Host() { return host_; }
  game::Game& Game() { return game_; }
  MenuForm& Menu();
  PopupForm& Popup() { return popup_; }
  // The game window while it is loaded, else null.
  game::MainForm* GameWindow() { return mainForm_.get(); }

 private:
  void Greet();
  void AskAboutCd();
  // Files the score of a game that the quit interrupts, as the player would have it filed.
  void FileInterruptedScore();
  // Shows a trouble with the settings in a message box (it also went to standard error).
  void Warn(const std::string& message);

  host::Host& host_;
  game::Game game_;
  std::unique_ptr<MenuForm> menu_;
  PopupForm popup_;
  std::unique_ptr<game::MainForm> mainForm_;
  // The hall of fame as loaded; nothing until the settings have been loaded.
  std::optional<HallOfFame> loaded_;
  bool quitting_ = false;
  // While the initials window is open: the window and the entry waiting for its initials.
  InitialsForm* initialsForm_ = nullptr;
  std::size_t initialsEntry_ = 0;
};

}  // namespace shell
