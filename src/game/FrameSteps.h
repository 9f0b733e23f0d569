#pragma once
#include <array>
#include <string>

#include "game/GameState.h"

namespace game {

struct Game;
class MainForm;

// What one frame changed that must be drawn again at its end.
struct FrameChanges {
  bool status = false;  // a value shown in the status bar
  bool ship = false;    // the ship moved or its shields went up or down
};

// Sets the held controls from the joystick's button flags (indexes 1 to 12). A button
// number outside 1..12, which a hand-edited settings file can hold, reads as not pressed.
void ReadJoystickButtons(GameState& s, const std::array<bool, 13>& buttons);

// Plays a cue that reduced-sound mode leaves out.
void PlayEffect(MainForm& form, const std::string& cue);

// Now and then a power-up falls from the sky while enemies are left.
void DropPowerUpFromSky(Game& game);
// From wave 6 on, a row of ten small enemies may join the fight.
void SendReinforcements(Game& game);

// The weapon steps of a frame, in the order the frame runs them.
void SwitchWeapon(MainForm& form);
void Fire(MainForm& form, FrameChanges& changed);
void ControlBomb(MainForm& form, FrameChanges& changed);

}  // namespace game
