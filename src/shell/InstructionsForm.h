#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string_view>

#include "game/Game.h"
#include "shell/Controls.h"
#include "shell/Form.h"

namespace shell {

// The button number an answer to the assignment question stands for: a decimal number,
// blanks around it allowed, a fraction rounded to the nearest integer (halves to even).
// Anything else — empty, not a number, outside 32 bits — gives 0, which assigns nothing.
std::int32_t ButtonAnswerNumber(std::string_view answer);

// The dialog that explains the goal and the controls, and reassigns the four joystick
// buttons: a click on a row's "Button N" label asks for the new number. The numbers go
// straight into the game state, which the settings store saves when the program ends.
class InstructionsForm : public Form {
 public:
  InstructionsForm(host::Host& host, game::Game& game);

  // Label(index) of the layout; the indexes 0 to 21 that exist.
  const Label& Labels(int index) const { return labels_.at(index); }
  // ConfigLabel(1) to ConfigLabel(4): fire, bomb, shields, next weapon.
  Label& ConfigLabel(int index) { return configLabels_.at(static_cast<std::size_t>(index - 1)); }
  Label& ExitButton() { return exitButton_; }

  void OnCloseRequest() override { Unload(); }

 private:
  void ConfigLabelClick(int index);
  std::int32_t& ButtonOfRow(int index);

  game::Game& game_;
  LineShape line2_;
  LineShape line1_;
  std::map<int, Label> labels_;
  std::array<Label, 4> configLabels_;
  Label exitButton_;
};

}  // namespace shell
