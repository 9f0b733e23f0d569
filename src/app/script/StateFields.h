#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "game/GameState.h"

namespace script {

// The plain variables of the game state by name, for dumping and setting them.
struct StateField {
  std::string name;
  std::variant<bool game::GameState::*, std::int16_t game::GameState::*,
               std::int32_t game::GameState::*>
      member;
};
const std::vector<StateField>& StateFields();

// The four object lists by name ("Shots", "Debris", "Enemies", "PowerUps").
game::ProjectileList* ListByName(game::GameState& state, const std::string& name);
// A record field by name ("Kind" .. "BeamTime").
std::int32_t* RecordField(game::Projectile& record, const std::string& name);
extern const char* const kRecordFields[9];

}  // namespace script
