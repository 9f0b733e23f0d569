#include "game/Cheat.h"

#include "game/MainForm.h"

namespace game {

// Stand-in until combat is built: the cheat changes nothing.
void Cheat(MainForm& /*form*/) {}

}  // namespace game
