#pragma once
#include <cstdint>
#include <stdexcept>
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
// Every pass over a list goes through ForEachEntry below.
class ProjectileList {
 public:
  std::int32_t Count() const { return count_; }
  // Entries 1 to Count(); any other index throws rather than reaching a stale record.
  Projectile& operator[](std::int32_t i) { return items_[Slot(i)]; }
  const Projectile& operator[](std::int32_t i) const { return items_[Slot(i)]; }
  // Appends a cleared entry and returns it. The reference, and every other reference into
  // the list, lasts only until the next Add.
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
  // The first entry from index `from` on that `wanted` accepts, or 0 when there is none.
  template <class Wanted>
  std::int32_t Find(std::int32_t from, Wanted&& wanted) const {
    for (std::int32_t i = from < 1 ? 1 : from; i <= count_; ++i)
      if (wanted(items_[static_cast<std::size_t>(i - 1)])) return i;
    return 0;
  }

 private:
  std::size_t Slot(std::int32_t i) const {
    if (i < 1 || i > count_) throw std::out_of_range("no such entry in the list");
    return static_cast<std::size_t>(i - 1);
  }

  std::vector<Projectile> items_;
  std::int32_t count_ = 0;
};

// What a step of a pass did with its entry.
enum class Visit {
  Next,     // kept it: go on with the next index
  Removed,  // removed it: the entry moved into the hole is handled at the same index
  Stop,     // the pass ends here
};

// One pass over a list in order, the way every pass over the object lists runs. The count
// is read again before every step, so entries appended during the pass are handled by it
// too. `step(i)` handles entry i; it removes that entry itself (through Remove) before it
// appends anything, so that the last live entry, not a new one, fills the hole. Entries
// that `wanted` turns down are passed over without a step, quickly.
template <class Wanted, class Step>
void ForEachEntry(ProjectileList& list, Wanted&& wanted, Step&& step) {
  for (std::int32_t i = list.Find(1, wanted); i != 0;) {
    const Visit visit = step(i);
    if (visit == Visit::Stop) return;
    i = list.Find(visit == Visit::Next ? i + 1 : i, wanted);
  }
}

template <class Step>
void ForEachEntry(ProjectileList& list, Step&& step) {
  ForEachEntry(
      list, [](const Projectile&) { return true; }, step);
}

}  // namespace game
