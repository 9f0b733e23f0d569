#include "game/PlayField.h"

#include "game/HallOfFame.h"
#include "game/MainForm.h"
#include "game/StatusBar.h"

namespace game {

void RedrawScreen(MainForm& form) {
  UpdateStatus(form);
  if (form.state.GameRunning) {
    DrawShip(form);
  } else {
    DrawHighScores(form);
  }
}

void DrawShip(MainForm& form) {
  const GameState& s = form.state;
  // Cells 0/1 lean left, 2/3 fly straight, 4/5 lean right; the odd ones show the shields.
  const int cell = 2 - 2 * s.MoveX + (s.ShieldsUp ? 1 : 0);
  form.screen.canvas.Blit(s.ShipX, s.ShipY, 65, 65, form.screen.ShipsPic, 65 * cell, 0);
}

}  // namespace game
