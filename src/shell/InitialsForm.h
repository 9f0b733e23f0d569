#pragma once
#include "game/GameState.h"
#include "shell/Controls.h"
#include "shell/Form.h"

namespace shell {

// The dialog in which a player who reached the hall of fame types up to three initials.
// Enter stores them in Initials and closes the window.
class InitialsForm : public Form {
 public:
  InitialsForm(host::Host& host, game::GameState& state);
  TextBox& InitialsBox() { return initialsBox_; }
  // What has been typed so far, as initials (three characters, upper case).
  std::string TypedInitials() const;
  const Label& CommentsLabel() const { return comments_; }

 private:
  game::GameState& state_;
  Label title_;
  LineShape line1_;
  Label comments_;
  TextBox initialsBox_;
};

}  // namespace shell
