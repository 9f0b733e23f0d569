// Writes a runner scenario of a long game played with random input: held keys pressed and
// let go at random, now and then a pause, reduced sound, the cheat and the advance key (or,
// in Rookie mode, a new game). After every frame the scenario runs `check`, which stops it as soon
// as any variable or record leaves its range or a list's storage differs from its count.
// Arguments: SEED normal|rookie TICKS [ADVANCE: frames between advance keys, 200 on average].
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

namespace {

struct Dice {
  explicit Dice(std::uint32_t seed) : engine(seed) {}
  // 0 to n - 1. The engine's raw output is the same everywhere; library distributions are not.
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(engine() % n); }
  bool OneIn(std::uint32_t n) { return Below(n) == 0; }
  std::mt19937 engine;
};

// The held controls of the keyboard; Alt (below) stands in for the shields key, whose
// release would drop them whatever the modifiers say.
constexpr std::array<const char*, 7> kHeldKeys = {"LEFT",   "RIGHT", "UP", "DOWN",
                                                  "INSERT", "SPACE", "ADD"};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::cerr << "usage: skirmora-soak-scenario SEED normal|rookie TICKS [ADVANCE]\n";
    return 2;
  }
  const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
  const bool rookie = std::string(argv[2]) == "rookie";
  const long ticks = std::strtol(argv[3], nullptr, 10);
  const auto advance =
      static_cast<std::uint32_t>(argc == 5 ? std::strtoul(argv[4], nullptr, 10) : 200);
  Dice dice(seed);
  std::ostream& out = std::cout;
  out << "# " << ticks << " frames of random play (seed " << seed << ", " << argv[2] << ")\n"
      << "program /nowhere/skirmora\ncd present\nanswer OK\nanswer OK\nseed " << seed << "\nstart\n"
      << "menu " << (rookie ? 2 : 1) << "\npress F2\ncheck\n";
  std::array<bool, kHeldKeys.size()> held{};
  for (long tick = 0; tick < ticks; ++tick) {
    // Every key event sets the shields from Alt: most events hold it, so that the ship
    // keeps its shields up and lives through the waves, while the rest let hits through.
    const char* alt = dice.OneIn(100) ? "" : " +ALT";
    // Keys change between frames: a held key is let go, or another one is pressed.
    if (dice.OneIn(4)) {
      const std::uint32_t k = dice.Below(kHeldKeys.size());
      out << (held[k] ? "up " : "down ") << kHeldKeys[k] << alt << "\n";
      held[k] = !held[k];
    }
    // The cheat refills the hull and the energy the shields drain, and the advance key
    // moves on through the waves; in Rookie mode both are refused, which is worth playing
    // through too.
    if (dice.OneIn(6)) out << "press F11 +SHIFT" << alt << "\n";
    if (dice.OneIn(advance)) out << "press A" << alt << "\n";
    // A Rookie's ship does not last: new games, and Enter (also the bomb key) to answer the
    // initials window that a game's end may bring up.
    if (rookie && dice.OneIn(300)) out << "press F2" << alt << "\n";
    if (rookie && dice.OneIn(100)) out << "press ENTER" << alt << "\n";
    if (dice.OneIn(400)) out << "press P\ncheck\npress P" << alt << "\n";
    if (dice.OneIn(900)) out << "press S" << alt << "\n";
    out << "ticks 1\ncheck\n";
  }
  out << "dump Wave GameRunning GameTimerTicks\n";
  return 0;
}
