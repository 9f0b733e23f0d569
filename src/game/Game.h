#pragma once
#include <cstdint>
#include <string>

#include "game/GameState.h"
#include "game/Random.h"
#include "game/SoundCues.h"
#include "host/Host.h"

namespace game {

// What the game needs of the shell above it, implemented there and wired in by the program.
class ShellLink {
 public:
  virtual ~ShellLink() = default;
  // Asks the player for initials (the initials window) and returns them, three characters.
  // `entry` is the hall-of-fame position (0-based) whose new score waits for them, so that
  // a quit meanwhile can store the score with what has been typed.
  virtual std::string GetInitials(std::size_t entry) = 0;
};

// What lives for the whole run: the platform, the state, the random generator, the sound
// cues and the link to the shell. Whatever needs the game window is handed the window.
struct Game {
  explicit Game(host::Host& h) : host(h) {}
  host::Host& host;
  GameState state;
  Random random;
  SoundCues sound{host};
  ShellLink* shell = nullptr;
};

// Applies damage to the ship; true when the hull or energy changed.
bool DamageShip(Game& game, std::int32_t amount);
// Files Score into the hall of fame, asking for initials; nothing after a cheat.
void InsertHighScore(Game& game);

}  // namespace game
