#pragma once
#include <cstdint>
#include <string>

#include "game/GameState.h"
#include "game/Random.h"
#include "game/SoundCues.h"
#include "host/Host.h"

namespace game {

class MainForm;

// What the game needs of the shell above it, implemented there and wired in by the program.
class ShellLink {
 public:
  virtual ~ShellLink() = default;
  // Asks the player for initials (the initials window) and returns them, three characters.
  // `entry` is the hall-of-fame position (0-based) whose new score waits for them, so that
  // a quit meanwhile can store the score with what has been typed.
  virtual std::string GetInitials(std::size_t entry) = 0;
};

// Everything one running game needs: the platform, the state, the random generator, the
// sound cues, and the game window while it is loaded.
struct Game {
  explicit Game(host::Host& h) : host(h) {}
  host::Host& host;
  GameState state;
  Random random;
  SoundCues sound;
  ShellLink* shell = nullptr;
  MainForm* mainForm = nullptr;
};

// Resets the state for a new game and sets up its first wave.
void NewGame(Game& game);
// Applies damage to the ship; true when the hull or energy changed.
bool DamageShip(Game& game, std::int32_t amount);
// Stops the frame timer and redraws the status bar.
void SuspendPlay(Game& game);
// Redraws the status bar and restarts the frame timer, if a game is running.
void ResumePlay(Game& game);
// Ends the running game; `quiet` skips the message, the wait and the hall-of-fame redraw.
void GameOver(Game& game, bool quiet);
// Files Score into the hall of fame, asking for initials; nothing after a cheat.
void InsertHighScore(Game& game);
// Empties the field, resets the per-wave counters and glides the ship home.
void SetUpWave(Game& game);

}  // namespace game
