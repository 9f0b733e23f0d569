#include "shell/Settings.h"

#include <charconv>
#include <optional>

#include "host/text/Utf8.h"
#include "shell/BCRegistry.h"
#include "shell/Program.h"
#include "shell/TextFields.h"

namespace shell {
namespace {

std::string HighScoreName(int position) { return "High Score " + std::to_string(position); }

std::string Trim(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The score part must be a plain decimal 32-bit integer; anything else (possible only in a
// hand-edited file) makes the position an empty entry.
std::optional<std::int32_t> ParseScore(const std::string& text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

std::int32_t ButtonOrDefault(BCRegistry& registry, const char* name, std::int32_t fallback) {
  const std::int32_t value = registry.ValueLong(name);
  return value == 0 ? fallback : value;
}

}  // namespace

void LoadSettings(game::GameState& state, host::RegistryStore& store) {
  BCRegistry registry(store);
  registry.RootPath(Program::kRegistryKey);
  for (int i = 1; i <= 10; ++i) {
    const auto at = static_cast<std::size_t>(i - 1);
    const std::string entry = Trim(host::ToUpper(registry.Value(HighScoreName(i))));
    std::optional<std::int32_t> score;
    if (!entry.empty()) score = ParseScore(GetField(entry, "=", 2));
    if (score) {
      state.HighScoreNames[at] = game::FitInitials(GetField(entry, "=", 1));
      state.HighScores[at] = *score;
    } else {
      state.HighScoreNames[at] = "   ";
      state.HighScores[at] = 0;
    }
  }
  state.FireButton = ButtonOrDefault(registry, "Fire button", 1);
  state.ShieldsButton = ButtonOrDefault(registry, "Shields button", 3);
  state.BombButton = ButtonOrDefault(registry, "Bomb button", 2);
  state.NextWeaponButton = ButtonOrDefault(registry, "Next Weapon button", 4);
}

void SaveSettings(const game::GameState& state, host::RegistryStore& store) {
  BCRegistry registry(store);
  registry.RootPath(Program::kRegistryKey);
  for (int i = 1; i <= 10; ++i) {
    const auto at = static_cast<std::size_t>(i - 1);
    registry.Value(HighScoreName(i),
                      state.HighScoreNames[at] + "=" + std::to_string(state.HighScores[at]));
  }
  registry.ValueLong("Fire button", state.FireButton);
  registry.ValueLong("Shields button", state.ShieldsButton);
  registry.ValueLong("Bomb button", state.BombButton);
  registry.ValueLong("Next Weapon button", state.NextWeaponButton);
}

}  // namespace shell
