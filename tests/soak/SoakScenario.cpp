// Writes a runner scenario of a long game played with random input: held keys pressed and
// let go at random, now and then the shields, the bomb, the next weapon, a pause, the cheat
// and the advance key. After every frame the scenario runs `check`, which stops it as soon
// as any variable or record leaves its range or a list's storage differs from its count.
//
// usage: skirmora-soak-scenario SEED normal|rookie TICKS
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

// The held controls of the keyboard.
constexpr std::array<const char*, 8> kHeldKeys = {"LEFT",   "RIGHT",  "UP",     "DOWN",
                                                  "INSERT", "DELETE", "SPACE", "ADD"};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: skirmora-soak-scenario SEED normal|rookie TICKS\n";
    return 2;
  }
  const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
  const bool rookie = std::string(argv[2]) == "rookie";
  const long ticks = std::strtol(argv[3], nullptr, 10);
  Dice dice(seed);
  std::ostream& out = std::cout;
  out << "# " << ticks << " frames of random play (seed " << seed << ", " << argv[2] << ")\n"
      << "program /nowhere/skirmora\ncd present\nanswer OK\nanswer OK\nseed " << seed << "\nstart\n"
      << "menu " << (rookie ? 2 : 1) << "\npress F2\ncheck\n";
  std::array<bool, kHeldKeys.size()> held{};
  for (long tick = 0; tick < ticks; ++tick) {
    // Keys change between frames: a held key is let go, or another one is pressed.
    if (dice.OneIn(4)) {
      const std::uint32_t k = dice.Below(kHeldKeys.size());
      out << (held[k] ? "up " : "down ") << kHeldKeys[k] << "\n";
      held[k] = !held[k];
    }
    // The cheat keeps the ship alive and the advance key moves on through the waves; in
    // Rookie mode both are refused, which is worth playing through too.
    if (dice.OneIn(150)) out << "press F11 +SHIFT\n";
    if (dice.OneIn(60)) out << "press A\n";
    if (dice.OneIn(400)) out << "press P\ncheck\npress P\n";
    if (dice.OneIn(900)) out << "press S\n";
    out << "ticks 1\ncheck\n";
  }
  out << "dump Wave GameRunning\n";
  return 0;
}
