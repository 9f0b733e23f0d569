#pragma once
// Where the shots lie on the field, so that an enemy's shot test visits only the shots on its
// own square instead of every shot in flight: a crowded frame then costs in proportion to its
// objects, not to the product of enemies and shots.
#include <cstdint>
#include <vector>

#include "game/Projectile.h"
#include "game/Shots.h"

namespace game {

// Whether a shot of hit extent e at (sx, sy) lies on the square of side w at (x, y):
// x - e <= sx < x + w, and the same for y. Each axis is one unsigned comparison.
inline bool OnSquare(std::int32_t sx, std::int32_t sy, std::int32_t e, std::int32_t x,
                     std::int32_t y, std::int32_t w) {
  const auto span = static_cast<std::uint32_t>(w + e);
  return static_cast<std::uint32_t>(sx - (x - e)) < span &&
         static_cast<std::uint32_t>(sy - (y - e)) < span;
}

inline bool OnSquare(const Projectile& shot, std::int32_t x, std::int32_t y, std::int32_t w) {
  return OnSquare(shot.X, shot.Y, HitExtent(shot.Kind), x, y, w);
}

// The shots of one list filed by cells of the field. Build files them all; from then on the
// grid follows the list while shots leave it only through Remove below, join it only at its
// end, and none of them moves, which is how the enemy pass treats them.
class ShotGrid {
 public:
  ShotGrid();
  // Files every shot of the list afresh.
  void Build(const ProjectileList& shots);

  // The same pass as ForEachEntry over `shots` with OnSquare(x, y, w) as the wanted test,
  // visiting only the shots on the square: in ascending order, and when a removal moves the
  // list's last shot into the hole and that shot lies on the square too, it is visited next,
  // at the same index. `step(j)` answers as for ForEachEntry, removes shot j through Remove
  // below when it answers Removed, and adds no shots.
  template <class Step>
  void ForEachOnSquare(ProjectileList& shots, std::int32_t x, std::int32_t y, std::int32_t w,
                       Step&& step);

  // Removes shot j from the list the way the list does (its last shot fills the hole),
  // keeping the grid in step.
  void Remove(ProjectileList& shots, std::int32_t j);

 private:
  // A shot as its cell holds it: where it lies, so that a test need not look it up.
  struct Filed {
    std::int32_t index, x, y, extent;
  };
  using Cell = std::vector<Filed>;

  // Where a shot is filed: its cell, and its place there.
  struct Place {
    std::size_t cell, slot;
  };

  // Files the shots appended to the list since the grid last looked.
  void FileNewcomers(const ProjectileList& shots);
  // Every shot on the square, by ascending index, into found_.
  void Gather(const ProjectileList& shots, std::int32_t x, std::int32_t y, std::int32_t w);
  // The entry of shot `index`, which the grid must have filed.
  Filed& Entry(std::int32_t index);

  std::vector<Cell> cells_;        // row by row of cells
  std::vector<std::size_t> used_;  // the cells holding shots, the only ones to empty
  std::vector<Place> places_;      // by shot index, from 1
  std::int32_t filed_ = 0;         // shots 1 to filed_ are in the cells
  std::vector<std::int32_t> found_;
};

template <class Step>
void ShotGrid::ForEachOnSquare(ProjectileList& shots, std::int32_t x, std::int32_t y,
                               std::int32_t w, Step&& step) {
  Gather(shots, x, y, w);
  // found_[next] to found_[end - 1] are the shots on the square still to visit, ascending.
  std::size_t next = 0, end = found_.size();
  while (next < end) {
    const std::int32_t j = found_[next], last = shots.Count();
    const Visit visit = step(j);
    if (visit == Visit::Stop) return;
    if (visit == Visit::Removed && found_[end - 1] == last && last != j) {
      --end;  // the last shot, on the square too, now sits at index j
    } else {
      ++next;
    }
  }
}

}  // namespace game
