#include "game/PlayField.h"

#include <algorithm>
#include <cstdlib>

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

namespace {

constexpr std::int32_t kShipSide = 65;

// Cells 0/1 lean left, 2/3 fly straight, 4/5 lean right; the odd ones show the shields.
int ShipCell(const GameState& s) {
  return 2 - 2 * s.MoveX + (s.ShieldsUp ? 1 : 0);
}

}  // namespace

void DrawShip(MainForm& form) {
  const GameState& s = form.state;
  form.screen.canvas.Blit(s.ShipX, s.ShipY, kShipSide, kShipSide, form.screen.ShipsPic,
                          kShipSide * ShipCell(s), 0);
}

void DrawShipMoved(MainForm& form, std::int32_t oldX, std::int32_t oldY) {
  const GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  const std::int32_t x = s.ShipX, y = s.ShipY, far = kShipSide - 1;
  // Where the new square is copied whole over the old one (as always in play), only the
  // strips of the old square beside it and above or below it need blacking out.
  const int cell = ShipCell(s);
  const bool whole = cell >= 0 && kShipSide * (cell + 1) <= form.screen.ShipsPic.Width() &&
                     x >= 0 && y >= 0 && x + far < canvas.Width() && y + far < canvas.Height();
  if (!whole || std::abs(std::int64_t{x} - oldX) > far || std::abs(std::int64_t{y} - oldY) > far) {
    canvas.FillRect(oldX, oldY, oldX + far, oldY + far, host::kBlack);
  } else {
    if (oldX < x) canvas.FillRect(oldX, oldY, x - 1, oldY + far, host::kBlack);
    if (oldX > x) canvas.FillRect(x + kShipSide, oldY, oldX + far, oldY + far, host::kBlack);
    const std::int32_t left = std::max(oldX, x), right = std::min(oldX, x) + far;
    if (oldY < y) canvas.FillRect(left, oldY, right, y - 1, host::kBlack);
    if (oldY > y) canvas.FillRect(left, y + kShipSide, right, oldY + far, host::kBlack);
  }
  DrawShip(form);
}

}  // namespace game
