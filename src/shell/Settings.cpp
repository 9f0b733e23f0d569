#include "shell/Settings.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>
#include <vector>

#include "host/text/Utf8.h"
#include "shell/BCRegistry.h"
#include "shell/Program.h"
#include "shell/TextFields.h"

namespace shell {
namespace {

std::string HighScoreName(int position) {
  return "High Score " + std::to_string(position);
}

std::string Trim(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Deliberate: the score part must be a plain decimal 32-bit integer; anything else (possible
// only in a hand-edited file) makes the position an empty entry.
std::optional<std::int32_t> ParseScore(const std::string& text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

std::int32_t ButtonOrDefault(const BCRegistry& registry, const char* name, std::int32_t fallback) {
  const std::int32_t value = registry.ValueLong(name);
  return value == 0 ? fallback : value;
}

HallOfFame ReadHallOfFame(const BCRegistry& registry) {
  HallOfFame table;
  for (int i = 1; i <= 10; ++i) {
    const auto at = static_cast<std::size_t>(i - 1);
    // Deliberate: the whole value is trimmed before it is split, so initials that begin with
    // blanks lose them. Trimmed before upper-casing, which gives the same text: a missing
    // value reads as a 32,767-blank buffer that is not worth converting.
    const std::string entry = host::ToUpper(Trim(registry.Value(HighScoreName(i))));
    std::optional<std::int32_t> score;
    if (!entry.empty()) score = ParseScore(GetField(entry, "=", 2));
    table.names[at] = score ? game::FitInitials(GetField(entry, "=", 1)) : "   ";
    table.scores[at] = score.value_or(0);
  }
  return table;
}

using Entry = std::pair<std::int32_t, std::string>;

// Files an entry the way a new score is filed: before the first lower score, so that it ranks
// below an equal one; nowhere when no score is lower.
void FileEntry(HallOfFame& table, const Entry& entry) {
  std::size_t p = 0;
  while (p < 10 && !(entry.first > table.scores[p])) ++p;
  if (p == 10) return;
  std::move_backward(table.scores.begin() + p, table.scores.end() - 1, table.scores.end());
  std::move_backward(table.names.begin() + p, table.names.end() - 1, table.names.end());
  table.scores[p] = entry.first;
  table.names[p] = entry.second;
}

// The entries of `now` that `before` did not hold (an entry held twice now but once before is
// new once), best first.
std::vector<Entry> NewEntries(const HallOfFame& now, const HallOfFame& before) {
  std::vector<Entry> old;
  for (std::size_t i = 0; i < 10; ++i) old.emplace_back(before.scores[i], before.names[i]);
  std::vector<Entry> added;
  for (std::size_t i = 0; i < 10; ++i) {
    const Entry entry{now.scores[i], now.names[i]};
    const auto found = std::find(old.begin(), old.end(), entry);
    if (found == old.end()) {
      added.push_back(entry);
    } else {
      old.erase(found);
    }
  }
  return added;
}

// Deliberate: when another game saved since this one loaded, this one's new entries are
// filed into the table that game saved instead of writing its own table over it.
HallOfFame TableToSave(const HallOfFame& stored, const HallOfFame& loaded, const HallOfFame& now) {
  if (stored == loaded) return now;
  HallOfFame merged = stored;
  for (const Entry& entry : NewEntries(now, loaded)) FileEntry(merged, entry);
  return merged;
}

}  // namespace

HallOfFame HallOfFameOf(const game::GameState& state) {
  return {state.HighScores, state.HighScoreNames};
}

void LoadSettings(game::GameState& state, host::RegistryStore& store) {
  BCRegistry registry(store);
  registry.RootPath(Program::kRegistryKey);
  const HallOfFame table = ReadHallOfFame(registry);
  state.HighScores = table.scores;
  state.HighScoreNames = table.names;
  state.FireButton = ButtonOrDefault(registry, "Fire button", 1);
  state.ShieldsButton = ButtonOrDefault(registry, "Shields button", 3);
  state.BombButton = ButtonOrDefault(registry, "Bomb button", 2);
  state.NextWeaponButton = ButtonOrDefault(registry, "Next Weapon button", 4);
}

std::optional<std::string> SaveSettings(const game::GameState& state, host::RegistryStore& store,
                                        const HallOfFame& loaded) {
  return store.Batch([&] {
    BCRegistry registry(store);
    registry.RootPath(Program::kRegistryKey);
    const HallOfFame table = TableToSave(ReadHallOfFame(registry), loaded, HallOfFameOf(state));
    for (int i = 1; i <= 10; ++i) {
      const auto at = static_cast<std::size_t>(i - 1);
      registry.Value(HighScoreName(i), table.names[at] + "=" + std::to_string(table.scores[at]));
    }
    registry.ValueLong("Fire button", state.FireButton);
    registry.ValueLong("Shields button", state.ShieldsButton);
    registry.ValueLong("Bomb button", state.BombButton);
    registry.ValueLong("Next Weapon button", state.NextWeaponButton);
  });
}

}  // namespace shell
