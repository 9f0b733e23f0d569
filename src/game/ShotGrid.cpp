#include "game/ShotGrid.h"

#include <algorithm>
#include <stdexcept>

namespace game {
namespace {

// Cells of 32 x 32 pixels over x -32 to 671 and y 0 to 511; a shot beyond that edge is filed
// in the edge cell, so every position has its cell however far off the field it lies.
constexpr int kCellShift = 5;
constexpr int kCell = 1 << kCellShift;
constexpr std::int64_t kLeft = -kCell;
constexpr int kColumns = 704 / kCell, kRows = 512 / kCell;
// The largest hit extent: a shot on a square lies at most this far left of or above it.
constexpr std::int32_t kMaxExtent = 15;

int Column(std::int64_t x) {
  return static_cast<int>(std::clamp<std::int64_t>((x - kLeft) >> kCellShift, 0, kColumns - 1));
}

int Row(std::int64_t y) {
  return static_cast<int>(std::clamp<std::int64_t>(y >> kCellShift, 0, kRows - 1));
}

}  // namespace

ShotGrid::ShotGrid() : cells_(static_cast<std::size_t>(kColumns * kRows)), places_(1) {}

void ShotGrid::Build(const ProjectileList& shots) {
  for (const std::size_t cell : used_) cells_[cell].clear();
  used_.clear();
  places_.resize(1);
  filed_ = 0;
  FileNewcomers(shots);
}

void ShotGrid::FileNewcomers(const ProjectileList& shots) {
  for (; filed_ < shots.Count(); ++filed_) {
    const Projectile& shot = shots[filed_ + 1];
    const auto cell = static_cast<std::size_t>(Row(shot.Y) * kColumns + Column(shot.X));
    if (cells_[cell].empty()) used_.push_back(cell);
    places_.push_back({cell, cells_[cell].size()});
    cells_[cell].push_back({filed_ + 1, shot.X, shot.Y, HitExtent(shot.Kind)});
  }
}

void ShotGrid::Gather(const ProjectileList& shots, std::int32_t x, std::int32_t y, std::int32_t w) {
  FileNewcomers(shots);
  found_.clear();
  const int left = Column(std::int64_t{x} - kMaxExtent), right = Column(std::int64_t{x} + w - 1);
  const int top = Row(std::int64_t{y} - kMaxExtent), bottom = Row(std::int64_t{y} + w - 1);
  for (int row = top; row <= bottom; ++row)
    for (int column = left; column <= right; ++column)
      for (const Filed& f : cells_[static_cast<std::size_t>(row * kColumns + column)])
        if (OnSquare(f.x, f.y, f.extent, x, y, w)) found_.push_back(f.index);
  std::sort(found_.begin(), found_.end());
}

ShotGrid::Filed& ShotGrid::Entry(std::int32_t index) {
  const Place& place = places_.at(static_cast<std::size_t>(index));
  Filed& entry = cells_[place.cell].at(place.slot);
  if (entry.index != index) throw std::logic_error("a shot left the list behind the grid's back");
  return entry;
}

void ShotGrid::Remove(ProjectileList& shots, std::int32_t j) {
  FileNewcomers(shots);
  const std::int32_t last = shots.Count();
  // The cell's last entry fills the hole of shot j there...
  const Place gone = places_[static_cast<std::size_t>(j)];
  Filed& hole = Entry(j);
  Cell& cell = cells_[gone.cell];
  hole = cell.back();
  places_[static_cast<std::size_t>(hole.index)].slot = gone.slot;
  cell.pop_back();
  // ...and the list's last shot becomes shot j.
  if (last != j) {
    Entry(last).index = j;
    places_[static_cast<std::size_t>(j)] = places_[static_cast<std::size_t>(last)];
  }
  places_.pop_back();
  shots.Remove(j);
  --filed_;
}

}  // namespace game
