#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "game/GameState.h"
#include "host/RegistryStore.h"

namespace shell {

// The ten entries of the hall of fame, position 1 first.
struct HallOfFame {
  std::array<std::int32_t, 10> scores{};
  std::array<std::string, 10> names;
  bool operator==(const HallOfFame&) const = default;
};

HallOfFame HallOfFameOf(const game::GameState& state);

// Fills the hall of fame and the button assignments from the registry key.
void LoadSettings(game::GameState& state, host::RegistryStore& store);

// Writes the hall of fame and the button assignments to the registry key as one change of the
// store. `loaded` is the hall of fame as LoadSettings found it. When another instance of the
// game has stored a different one since, the entries this run added are filed into the stored
// one instead of replacing it, so that two players on one account both keep their scores.
// What went wrong, for the player, when the settings could not be stored.
std::optional<std::string> SaveSettings(const game::GameState& state, host::RegistryStore& store,
                                        const HallOfFame& loaded);

}  // namespace shell
