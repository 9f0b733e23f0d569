#include "game/Frame.h"

#include "game/MainForm.h"

namespace game {

// Stand-in until the frame loop is built: a tick changes nothing.
void RunFrame(MainForm& /*form*/) {}

}  // namespace game
