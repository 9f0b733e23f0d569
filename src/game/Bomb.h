#pragma once

namespace game {

class MainForm;

// The bomb's climb up the field: back into stock at the top, or, in Rookie mode, going off
// by itself once it is high enough.
void MoveBomb(MainForm& form, bool& statusChanged);

// The blast of the bomb (or of the ship) around (BombX + 8, BombY + 8): a red ring grows
// to radius 120, sweeping away shots and power-ups and hitting every Zorb it reaches.
void DetonateBomb(MainForm& form);

}  // namespace game
