#pragma once
#include <cstdint>
#include <vector>

namespace game {

// The one record of every moving object: shots, debris pixels, enemies and power-ups.
struct Projectile {
  std::int32_t Kind = 0;
  std::int32_t Friendly = 0;  // -1 for the player's shots (True is all bits set)
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t DX = 0;
  std::int32_t DY = 0;
  std::int32_t Target = 0;
  std::int32_t Life = 0;
  std::int32_t BeamTime = 0;
  bool operator==(const Projectile&) const = default;
};

// A 1-based list with its own count of live entries. Removing an entry moves the last
// live one into the hole; the storage is trimmed to the count only at the end of a pass,
// so a pass that re-reads Count() at every step visits moved and appended entries too.
class ProjectileList {
 public:
  std::int32_t Count() const { return count_; }
  Projectile& operator[](std::int32_t i) { return items_.at(static_cast<std::size_t>(i - 1)); }
  const Projectile& operator[](std::int32_t i) const {
    return items_.at(static_cast<std::size_t>(i - 1));
  }
  // Appends a cleared entry and returns it.
  Projectile& Add() {
    ++count_;
    items_.resize(static_cast<std::size_t>(count_));
    items_.back() = Projectile{};
    return items_.back();
  }
  void Remove(std::int32_t i) {
    (*this)[i] = (*this)[count_];
    --count_;
  }
  // Trims the storage to the live entries (releases it when there are none).
  void Shrink() {
    items_.resize(static_cast<std::size_t>(count_));
    if (count_ == 0) items_.shrink_to_fit();
  }
  void Clear() {
    count_ = 0;
    items_.clear();
    items_.shrink_to_fit();
  }
  std::size_t Capacity() const { return items_.size(); }

 private:
  std::vector<Projectile> items_;
  std::int32_t count_ = 0;
};

}  // namespace game
