#pragma once

namespace game {

class MainForm;

// The held controls (steering, fire, bomb, shields, next weapon) as the keyboard sets them;
// called only while the keyboard steers.
void HeldControlKeyDown(MainForm& form, int keyCode, int shift);
void HeldControlKeyUp(MainForm& form, int keyCode, int shift);

}  // namespace game
