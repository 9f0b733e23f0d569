#pragma once
#include <cstdint>

namespace game {

class MainForm;

// Restores what a repaint needs: the status bar, and the ship or the hall of fame. Shots,
// enemies, power-ups and debris reappear as the next frames draw them.
void RedrawScreen(MainForm& form);
// Draws the ship in the pose of its sideways movement and shields.
void DrawShip(MainForm& form);
// Draws the ship where it moved to from (oldX, oldY), its old square blacked out first.
void DrawShipMoved(MainForm& form, std::int32_t oldX, std::int32_t oldY);

}  // namespace game
