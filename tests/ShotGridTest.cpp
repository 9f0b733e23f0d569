#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "game/ShotGrid.h"

namespace {

using game::Projectile;

// The enemy pass finds the shots on a Zorb through a grid instead of trying every shot. On
// random crowded fields it must visit exactly what the plain pass over every shot visits, in
// the same order, and leave the same list behind: shots that stay, shots removed (the last
// one moving into the hole), passes that stop early, shots appended between two Zorbs.
TEST(ShotGridTest, VisitsWhatThePlainPassVisitsInTheSameOrder) {
  std::mt19937 random(18);
  const auto below = [&](int n) { return static_cast<std::int32_t>(random() % n); };
  for (int field = 0; field < 40; ++field) {
    // Half the fields crowd everything into one corner, the others spill over the edges.
    const int spread = field % 2 == 0 ? 160 : 760;
    const auto shot = [&] {
      return Projectile{.Kind = below(6), .X = below(spread) - 60, .Y = below(spread)};
    };
    game::ProjectileList plain, gridded;
    for (int n = below(300); n > 0; --n) plain.Add() = gridded.Add() = shot();
    game::ShotGrid grid;
    grid.Build(gridded);
    for (int zorb = 0; zorb < 60; ++zorb) {
      const std::int32_t x = below(spread) - 60, y = below(spread), w = 16 * (1 + below(4));
      const int stopAt = 1 + below(6);
      // What a step does depends only on the shot and on how many shots came before it.
      std::vector<std::pair<std::int32_t, Projectile>> seen[2];
      const auto step = [&](int pass, game::ProjectileList& list, std::int32_t j, auto remove) {
        seen[pass].emplace_back(j, list[j]);
        if (list[j].Kind == 3) return game::Visit::Next;
        remove();
        const bool stop = static_cast<int>(seen[pass].size()) == stopAt;
        return stop ? game::Visit::Stop : game::Visit::Removed;
      };
      game::ForEachEntry(
          plain, [&](const Projectile& p) { return game::OnSquare(p, x, y, w); },
          [&](std::int32_t j) { return step(0, plain, j, [&] { plain.Remove(j); }); });
      grid.ForEachOnSquare(gridded, x, y, w, [&](std::int32_t j) {
        return step(1, gridded, j, [&] { grid.Remove(gridded, j); });
      });
      ASSERT_EQ(seen[1], seen[0]) << "field " << field << ", Zorb " << zorb;
      ASSERT_EQ(gridded.Count(), plain.Count());
      for (std::int32_t j = 1; j <= plain.Count(); ++j) ASSERT_EQ(gridded[j], plain[j]);
      if (below(3) == 0) plain.Add() = gridded.Add() = shot();
    }
  }
}

}  // namespace
