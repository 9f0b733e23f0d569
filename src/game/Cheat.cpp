// The hidden cheat: a fully armed ship for the price of the score.
#include "game/Cheat.h"

#include "game/MainForm.h"
#include "game/PlayField.h"

namespace game {

void Cheat(MainForm& form) {
  GameState& s = form.state;
  form.game.sound.PlaySound("SError");  // Deliberate: even with reduced sound
  s.Bombs = 100;
  s.Score = 0;
  // The weapon itself stays as it is; the weapon-select control now reaches all eight.
  s.WeaponLevel = 7;
  s.Hull = 100;
  s.Energy = 100;
  s.Cheated = true;
  RedrawScreen(form);
}

}  // namespace game
