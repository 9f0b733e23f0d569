#pragma once

namespace game {

class MainForm;
struct GameState;

// The held controls (steering, fire, bomb, shields, next weapon) as the keyboard sets them;
// called only while the keyboard steers.
void HeldControlKeyDown(MainForm& form, int keyCode, int shift);
void HeldControlKeyUp(MainForm& form, int keyCode, int shift);
// Lets go of every held control, as when whatever held them has gone.
void ReleaseHeldControls(GameState& s);

}  // namespace game
