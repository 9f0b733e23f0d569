#pragma once
#include <string>

namespace game {

struct Game;
class MainForm;

// The show for a finished wave: the banner slides in, three fireworks rise while the bonus
// is counted into the score, the banner slides out. Then the bonus is paid, the field
// cleared and the next wave begins. Input that arrives meanwhile waits until it is over.
void CompleteWave(MainForm& form);

// One of the congratulation messages of the string table, chosen at random.
std::string RandomMessage(Game& game);

}  // namespace game
