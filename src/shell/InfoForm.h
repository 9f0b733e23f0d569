#pragma once
#include <cstdint>

#include "game/Game.h"
#include "shell/Controls.h"
#include "shell/Form.h"
#include "shell/TextMenu.h"

namespace shell {

// The information dialog: what the game is and who made it, the maker's mail and web
// addresses as links, and a menu (the arrow keys and Enter work it too) that leads to the
// instructions, explains Rookie mode or goes back to the main menu.
class InfoForm : public Form {
 public:
  static constexpr const char* kMailAddress = "skirmora@bramblecrest.example";
  static constexpr const char* kWebAddress = "https://bramblecrest.example/skirmora/";

  InfoForm(host::Host& host, game::Game& game);

  const Label& AboutLabel() const { return about_; }
  Label& EMailLink() { return eMailLink_; }
  Label& WebLink() { return webLink_; }
  TextMenu& MainMenu() { return mainMenu_; }

  void OnCloseRequest() override { Unload(); }
  // Esc closes the window; the other keys work its menu.
  void OnKeyDown(int keyCode, int shift) override;

 private:
  void ItemClicked(std::int16_t item);

  game::Game& game_;
  Label title_;
  LineShape line1_;
  Label about_;
  Label eMailLink_;
  Label webLink_;
  TextMenu mainMenu_;
};

}  // namespace shell
