#include "game/Bomb.h"

#include "game/MainForm.h"

namespace game {

// Stand-in until combat is built: the bomb is gone, with no blast.
void DetonateBomb(MainForm& form) {
  form.state.BombActive = false;
}

}  // namespace game
