#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "game/GameState.h"

namespace script {

// The values a variable or record field may hold: its type and the range the game keeps
// it in. `set` and `add` refuse anything else, and `check` finds nothing else after any
// frame of any game.
struct Range {
  std::int32_t min;
  std::int32_t max;
  bool Holds(std::int64_t v) const { return v >= min && v <= max; }
};

// The plain variables of the game state by name, for dumping, setting and checking them.
struct StateField {
  std::string name;
  std::variant<bool game::GameState::*, std::int16_t game::GameState::*,
               std::int32_t game::GameState::*>
      member;
  Range range;
};
const std::vector<StateField>& StateFields();

// The four object lists by name ("Shots", "Debris", "Enemies", "PowerUps").
game::ProjectileList* ListByName(game::GameState& state, const std::string& name);
// A record field by name ("Kind" .. "BeamTime").
std::int32_t* RecordField(game::Projectile& record, const std::string& name);
extern const char* const kRecordFields[9];
// What a field of a record of that list may hold (0 alone for the fields it does not use).
Range RecordRange(const std::string& list, const std::string& field);

}  // namespace script
