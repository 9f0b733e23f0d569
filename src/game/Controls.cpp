#include "game/Controls.h"

#include "game/MainForm.h"

namespace game {

// Stand-in until the frame loop is built: nothing acts on the held controls yet.
void HeldControlKeyDown(MainForm& /*form*/, int /*keyCode*/, int /*shift*/) {}
void HeldControlKeyUp(MainForm& /*form*/, int /*keyCode*/, int /*shift*/) {}

}  // namespace game
