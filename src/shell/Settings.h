#pragma once
#include "game/GameState.h"
#include "host/RegistryStore.h"

namespace shell {

// Fills the hall of fame and the button assignments from the registry key.
void LoadSettings(game::GameState& state, host::RegistryStore& store);
// Writes the hall of fame and the button assignments to the registry key.
void SaveSettings(const game::GameState& state, host::RegistryStore& store);

}  // namespace shell
