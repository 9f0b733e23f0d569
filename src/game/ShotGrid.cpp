#include "game/ShotGrid.h"

#include <algorithm>
#include <stdexcept>

namespace game {
namespace {

// Cells of 32 x 32 pixels over x -32 to 671 and y 0 to 511; a shot beyond that edge is filed
// in the edge cell, so every position has its cell however far off the field it lies.
constexpr int kCellShift = 5;
constexpr std::int64_t kLeft = -32;
constexpr int kColumns = 22, kRows = 16;
// The largest hit extent: a shot on a square lies at most this far left of or above it.
constexpr std::int32_t kMaxExtent = 15;

int Column(std::int64_t x) {
  return static_cast<int>(std::clamp<std::int64_t>((x - kLeft) >> kCellShift, 0, kColumns - 1));
}

int Row(std::int64_t y) {
  return static_cast<int>(std::clamp<std::int64_t>(y >> kCellShift, 0, kRows - 1));
}

// The entry holding `index` in a cell; the grid filed every shot it was told of.
std::vector<std::int32_t>::iterator Find(std::vector<std::int32_t>& cell, std::int32_t index) {
  const auto at = std::find(cell.begin(), cell.end(), index);
  if (at == cell.end()) throw std::logic_error("a shot moved or left behind the grid's back");
  return at;
}

}  // namespace

ShotGrid::ShotGrid() : cells_(static_cast<std::size_t>(kColumns * kRows)) {}

void ShotGrid::Build(const ProjectileList& shots) {
  for (std::vector<std::int32_t>& cell : cells_) cell.clear();
  filed_ = 0;
  FileNewcomers(shots);
}

std::vector<std::int32_t>& ShotGrid::CellOf(const Projectile& shot) {
  return cells_[static_cast<std::size_t>(Row(shot.Y) * kColumns + Column(shot.X))];
}

void ShotGrid::FileNewcomers(const ProjectileList& shots) {
  for (; filed_ < shots.Count(); ++filed_) CellOf(shots[filed_ + 1]).push_back(filed_ + 1);
}

void ShotGrid::Gather(const ProjectileList& shots, std::int32_t x, std::int32_t y, std::int32_t w) {
  FileNewcomers(shots);
  found_.clear();
  const int left = Column(std::int64_t{x} - kMaxExtent), right = Column(std::int64_t{x} + w - 1);
  const int top = Row(std::int64_t{y} - kMaxExtent), bottom = Row(std::int64_t{y} + w - 1);
  for (int row = top; row <= bottom; ++row)
    for (int column = left; column <= right; ++column)
      for (const std::int32_t j : cells_[static_cast<std::size_t>(row * kColumns + column)])
        if (OnSquare(shots[j], x, y, w)) found_.push_back(j);
  std::sort(found_.begin(), found_.end());
}

void ShotGrid::Remove(ProjectileList& shots, std::int32_t j) {
  FileNewcomers(shots);
  const std::int32_t last = shots.Count();
  std::vector<std::int32_t>& cell = CellOf(shots[j]);
  *Find(cell, j) = cell.back();
  cell.pop_back();
  if (last != j) *Find(CellOf(shots[last]), last) = j;
  shots.Remove(j);
  --filed_;
}

}  // namespace game
