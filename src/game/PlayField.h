#pragma once

namespace game {

class MainForm;

// Restores what a repaint needs: the status bar, and the ship or the hall of fame. Shots,
// enemies, power-ups and debris reappear as the next frames draw them.
void RedrawScreen(MainForm& form);
// Draws the ship in the pose of its sideways movement and shields.
void DrawShip(MainForm& form);

}  // namespace game
